#include <cmath>
#include <cstring>
#include <limits>

#include "dsp/wave_tables.h"
#include "wtm_test_util.h"

namespace {

float peakOf(const float* t)
{
    float peak = 0.0f;
    for (int i = 0; i < kWaveSize; ++i) peak = std::max(peak, std::fabs(t[i]));
    return peak;
}

// Number of sign changes over the cycle (wrapping): a rough measure of how
// much high content a shape has.
int zeroCrossings(const float* t)
{
    int n = 0;
    for (int i = 0; i < kWaveSize; ++i) {
        float a = t[i], b = t[(i + 1) % kWaveSize];
        if ((a < 0.0f) != (b < 0.0f)) ++n;
    }
    return n;
}

// Amplitude of harmonic h of a table.
double harmonicAmp(const float* t, int h)
{
    double re = 0.0, im = 0.0;
    for (int i = 0; i < kWaveSize; ++i) {
        double phase = 2.0 * M_PI * h * i / kWaveSize;
        re += t[i] * std::cos(phase);
        im += t[i] * std::sin(phase);
    }
    return 2.0 * std::sqrt(re * re + im * im) / kWaveSize;
}

const char* const kNames[41] = {
    "sine",       "triangle",    "saw_real",       "saw_filt 1",    "saw_filt 2",     "saw_filt 3",
    "saw_smooth", "square_real", "square_filt 1",  "square_filt 2", "square_fractal", "organ 1",
    "organ 2",    "organ 3",     "organ 4",        "vox_fem 1",     "vox_fem 2",      "woodwind 1",
    "woodwind 2", "soft trump",  "bass 1",         "sawish",        "midbuzz 1",      "midbuzz 2",
    "hibuzz 1",   "additive 1",  "additive 2",     "inharmonic 1",  "inharmonic 2",   "inharmonic 3",
    "frac_noise", "stairstep",   "broken_speaker", "noise 1",       "noise 2",        "noise 3",
    "tri_pointy", "fifth",       "maj triad 1",    "maj triad 2",   "big chord"};

TEST(WaveList, EveryBuiltInWaveHasItsNameTypeIdAndPeak)
{
    for (int slot = 0; slot < kBuiltinWaves; ++slot) {
        const waveRec& w = wavelist[slot];
        SCOPED_TRACE(slot);
        EXPECT_EQ(w.id, slot);
        if (slot <= 40) {
            EXPECT_STREQ(w.name, kNames[slot]);
            EXPECT_EQ(w.type, waveType_builtin);
        } else {
            EXPECT_STREQ(w.name, "sine");
            EXPECT_EQ(w.type, waveType_free);
            EXPECT_EQ(0, std::memcmp(w.data, sineTable, sizeof w.data));
        }
        float peak = peakOf(w.data);
        if (slot == 0 || slot == 1 || slot > 40) {
            EXPECT_FLOAT_EQ(peak, 1.0f);
        } else if (slot == 2 || slot == 7) {
            EXPECT_FLOAT_EQ(peak, 0.9801f);
        } else if (slot == 25 || slot == 26) {
            EXPECT_NEAR(peak, 0.98f, 0.02f);  // the largest positive value is scaled
        } else {
            EXPECT_TRUE(peak == 0.98f || peak == 0.99f) << kNames[slot] << " peak " << peak;
        }
    }
}

TEST(WaveList, StoredTablesAreRealDistinctSingleCycles)
{
    for (int a = 2; a <= 40; ++a) {
        SCOPED_TRACE(kNames[a]);
        const float* t = wavelist[a].data;
        for (int i = 0; i < kWaveSize; ++i) ASSERT_TRUE(std::isfinite(t[i]));
        // Every wave swings both ways: no table is a constant or a stub.
        float lo = *std::min_element(t, t + kWaveSize), hi = *std::max_element(t, t + kWaveSize);
        EXPECT_LT(lo, -0.05f);
        EXPECT_GT(hi, 0.05f);
        for (int b = a + 1; b <= 40; ++b)
            EXPECT_NE(0, std::memcmp(t, wavelist[b].data, sizeof wavelist[b].data)) << kNames[b];
    }
}

TEST(WaveList, RuleTablesAreExact)
{
    for (int i = 0; i < kWaveSize; ++i) {
        EXPECT_FLOAT_EQ(wavelist[2].data[i], static_cast<float>(0.9801 - 1.9602 * i / 1023.0));
        EXPECT_EQ(wavelist[7].data[i], i < 512 ? 0.9801f : -0.9801f);
    }
    const float level[] = {0.98f, 0.49f, 0.0f,   0.49f, 0.0f,   -0.49f,
                           0.49f, 0.0f,  -0.49f, 0.0f,  -0.49f, -0.98f};
    const int length[] = {64, 128, 64, 64, 128, 64, 64, 128, 64, 64, 128, 64};
    int at = 0;
    for (int run = 0; run < 12; ++run)
        for (int k = 0; k < length[run]; ++k, ++at) ASSERT_EQ(stairstep[at], level[run]) << at;
    EXPECT_EQ(at, kWaveSize);
    EXPECT_EQ(0, std::memcmp(wavelist[31].data, stairstep, sizeof wavelist[31].data));
}

TEST(WaveList, ShapesMatchTheirNames)
{
    // Filtered saws lose their upper harmonics in the order of the names.
    double h10[3];
    for (int k = 0; k < 3; ++k)
        h10[k] = harmonicAmp(wavelist[3 + k].data, 10) / harmonicAmp(wavelist[3 + k].data, 1);
    EXPECT_GT(h10[0], h10[1]);
    EXPECT_GT(h10[1], h10[2]);
    // Squares keep their even harmonics out.
    EXPECT_LT(harmonicAmp(squareFilt1, 2), 0.01 * harmonicAmp(squareFilt1, 1));
    EXPECT_LT(harmonicAmp(squareFilt2, 4), 0.01 * harmonicAmp(squareFilt2, 3));
    // Clarinet: odd harmonics well above their even neighbours.
    EXPECT_GT(harmonicAmp(woodwind1, 3), 4.0 * harmonicAmp(woodwind1, 2));
    // Chords: energy on their voices' partials, nothing on the fundamental.
    EXPECT_GT(harmonicAmp(waveT_fifth, 2), 0.3);
    EXPECT_GT(harmonicAmp(waveT_fifth, 3), 0.3);
    EXPECT_LT(harmonicAmp(waveT_fifth, 1), 1e-4);
    for (int h : {4, 5, 6}) EXPECT_GT(harmonicAmp(waveT_majTriad1, h), 0.2) << h;
    EXPECT_LT(harmonicAmp(waveT_majTriad1, 1), 1e-4);
    // Noises cross zero far more often than tonal shapes.
    EXPECT_GT(zeroCrossings(waveT_noise1), 200);
    EXPECT_LT(zeroCrossings(bass1), 12);
    // Inharmonic partials sit off the fundamental's series: nothing at 1.
    EXPECT_LT(harmonicAmp(inharmonic2, 1), 1e-4);
    EXPECT_GT(harmonicAmp(inharmonic2, 11), 0.1);
}

TEST(WaveList, GeneratedTables)
{
    float t[kWaveSize];
    fillTableTri(t);
    EXPECT_EQ(t[0], 0.00390625f);
    EXPECT_EQ(t[255], 1.0f);
    EXPECT_EQ(t[767], -1.0f);
    EXPECT_EQ(t[1023], 0.0f);
    EXPECT_EQ(0, std::memcmp(t, wavelist[1].data, sizeof t));

    EXPECT_EQ(sineTable[0], 0.0f);
    EXPECT_EQ(sineTable[256], 1.0f);

    // "additive 1" is the normalised sum of the triangle and its partials;
    // "additive 2" is built on "additive 1".
    float largest = *std::max_element(wavelist[25].data, wavelist[25].data + kWaveSize);
    EXPECT_NEAR(largest, 0.98f, 1e-6);
    fillTableAdditive1(t);
    EXPECT_EQ(0, std::memcmp(t, wavelist[25].data, sizeof t));
    fillTableAdditive2(t);
    EXPECT_EQ(0, std::memcmp(t, wavelist[26].data, sizeof t));
    float fromSine[kWaveSize];
    std::memcpy(fromSine, sineTable, sizeof fromSine);
    fillTableAdditive2(fromSine);
    EXPECT_NE(0, std::memcmp(fromSine, wavelist[26].data, sizeof t));
}

TEST(WaveLookup, NeverFails)
{
    instRec* inst = wtm::freshInst();
    waveRec* w41 = wave_getWaveRecFromID(inst, 41);
    EXPECT_EQ(w41, &wavelist[41]);
    EXPECT_EQ(w41->type, waveType_free);
    EXPECT_STREQ(w41->name, "sine");
    for (short id : {short(64), short(0x7f08), short(0x0100), short(-1), short(-256), short(0x7eff)})
        EXPECT_EQ(wave_getWaveRecFromID(inst, id), &wavelist[0]) << id;
    EXPECT_EQ(wave_getWaveRecFromID(inst, 0x7f03), &inst->presetWave[3]);
    EXPECT_EQ(wave_getWaveRecFromID(nullptr, 0x7f03), &wavelist[0]);
    EXPECT_EQ(wave_getWaveDataFromID(inst, 37), wavelist[37].data);
    EXPECT_EQ(wave_getType(inst, 12), waveType_builtin);

    char name[kWaveNameLen];
    std::memset(name, 'x', sizeof name);
    wave_getName(inst, 19, name);
    EXPECT_STREQ(name, "soft trump");
    EXPECT_EQ(name[kWaveNameLen - 1], 0);
    // A full 32-character name still comes back terminated.
    std::memset(inst->presetWave[2].name, 'n', kWaveNameLen);
    wave_getName(inst, 0x7f02, name);
    EXPECT_EQ(std::strlen(name), static_cast<size_t>(kWaveNameLen - 1));
}

TEST(UserWaves, CountStoreCloneAndSubnormals)
{
    instRec* inst = wtm::freshInst();
    EXPECT_EQ(wave_count(inst), 0);
    EXPECT_EQ(inst_newPresetWave(inst), 0x7f00);
    EXPECT_EQ(inst_newPresetWave(inst), 0x7f01);
    inst->presetWave[5].type = waveType_user;
    inst->presetWave[5].data[7] = 0.25f;
    EXPECT_EQ(wave_count(inst), 3);

    waveRec list[2];
    EXPECT_EQ(wave_storeToPreset(inst, list, 2), 2);  // only as many as the list holds
    EXPECT_EQ(list[0].id, 0x7f00);
    EXPECT_EQ(list[1].id, 0x7f01);
    waveRec all[8];
    EXPECT_EQ(wave_storeToPreset(inst, all, 8), 3);
    EXPECT_EQ(all[2].id, 0x7f05);
    EXPECT_EQ(all[2].data[7], 0.25f);

    const float tiny = std::numeric_limits<float>::denorm_min();
    waveRec src = inst->presetWave[0];
    src.data[0] = tiny;
    src.data[1] = -tiny;
    src.data[2] = -0.0f;
    src.data[3] = 0.5f;
    waveRec copy;
    wave_clone(inst, &src, &copy, 0, 1);
    EXPECT_EQ(copy.data[3], 0.5f);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(copy.data[i], 0.0f);
        EXPECT_FALSE(std::signbit(copy.data[i])) << i;
    }
    waveRecInit(&copy, 4, kWaveListUser, waveType_user, src.data, "x");
    EXPECT_EQ(copy.data[0], 0.0f);
    EXPECT_FALSE(std::signbit(copy.data[1]));
    EXPECT_EQ(copy.id, 0x7f04);
}

TEST(UserWaves, UndoAndRedoRestoreTheWave)
{
    instRec* inst = wtm::freshInst();
    short id = inst_newPresetWave(inst);
    short n = static_cast<short>(id - kWaveUserBaseID);
    inst->presetWave[n].data[10] = 0.5f;
    wave_prepareUndo(inst, n);
    EXPECT_EQ(inst->extra.waveUndoNumber, n);
    inst->presetWave[n].data[10] = -0.75f;
    wave_prepareRedo(inst, n);
    wave_undo(inst, n);
    EXPECT_EQ(inst->presetWave[n].data[10], 0.5f);
    wave_redo(inst, n);
    EXPECT_EQ(inst->presetWave[n].data[10], -0.75f);
    // Restoring into another slot keeps that slot's own identifier.
    wave_undo(inst, 6);
    EXPECT_EQ(inst->presetWave[6].id, 0x7f06);
    EXPECT_EQ(inst->presetWave[6].data[10], 0.5f);
    // Out-of-range wave numbers change nothing.
    wave_prepareUndo(inst, 8);
    wave_undo(inst, -1);
    EXPECT_EQ(inst->extra.waveUndoNumber, n);
}

// --- stored form ----------------------------------------------------------------

std::string waveLayout(int waves)
{
    return "s" + wtm::repeat("ssss" + wtm::repeat("b", 8) + "l" + wtm::repeat("l", kWaveSize), waves);
}

waveRec* makeWaves(short n)
{
    waveRec* list = wave_newList(n);
    for (short i = 0; i < n; ++i) {
        waveRec* w = &list[i];
        for (int k = 0; k < kWaveSize; ++k)
            w->data[k] = static_cast<float>(std::sin(0.01 * k * (i + 1)) * 0.9);
        w->id = static_cast<int16_t>(kWaveUserBaseID + i);
        w->type = waveType_user;
        w->spareA = static_cast<int16_t>(i + 1);
        w->spareB = static_cast<int16_t>(-i);
        w->spareC = 0x01020304 + i;
        std::snprintf(w->name, sizeof w->name, "wave %d", i);
    }
    return list;
}

void expectSameWave(const waveRec& a, const waveRec& b)
{
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.spareA, b.spareA);
    EXPECT_EQ(a.spareB, b.spareB);
    EXPECT_EQ(a.spareC, b.spareC);
    EXPECT_EQ(0, std::memcmp(a.name, b.name, sizeof a.name));
    EXPECT_EQ(0, std::memcmp(a.data, b.data, sizeof a.data));
}

TEST(WaveChunk, RoundTripsInBothByteOrders)
{
    for (short n : {short(1), short(3), short(10)}) {
        for (bool flipped : {false, true}) {
            SCOPED_TRACE(testing::Message() << n << " waves, flipped " << flipped);
            waveRec* list = makeWaves(n);
            short count = n;
            wtm::ChunkFile file;
            ASSERT_EQ(1, file.write([&](fileRec* f, void* buf) {
                return wave_readWriteWaveList(f, &list, &count, buf, 0);
            }));
            EXPECT_EQ(file.type(), 0x57617665);
            EXPECT_EQ(file.version(), 10);
            EXPECT_EQ(file.bodySize(), 4 + 4148 * n);
            if (flipped) file.swap(waveLayout(n));
            waveRec* read = nullptr;
            short readCount = -5;
            ASSERT_EQ(
                1, file.read([&](fileRec* f,
                                 void* buf) { return wave_readWriteWaveList(f, &read, &readCount, buf, 1); },
                             flipped));
            ASSERT_EQ(readCount, n);
            // Every wave comes back in the machine's order, the ninth and
            // tenth as well as the first eight.
            for (short i = 0; i < n; ++i) expectSameWave(read[i], list[i]);
            wave_deleteList(read);
            wave_deleteList(list);
        }
    }
}

TEST(WaveChunk, EmptyCountAndDamagedBodies)
{
    waveRec* none = nullptr;
    short zero = 0;
    wtm::ChunkFile file;
    ASSERT_EQ(1, file.write(
                     [&](fileRec* f, void* buf) { return wave_readWriteWaveList(f, &none, &zero, buf, 0); }));
    EXPECT_EQ(file.bodySize(), 4);  // only the count slot

    waveRec* read = reinterpret_cast<waveRec*>(&zero);  // must be replaced
    short count = 7;
    ASSERT_EQ(
        1, file.read([&](fileRec* f, void* buf) { return wave_readWriteWaveList(f, &read, &count, buf, 1); },
                     false));
    EXPECT_EQ(read, nullptr);
    EXPECT_EQ(count, 0);

    // A negative count reads as an empty list.
    std::vector<unsigned char> b = file.bytes();
    int16_t negative = -3;
    std::memcpy(&b[12], &negative, 2);
    file.setBytes(b);
    count = 7;
    ASSERT_EQ(
        1, file.read([&](fileRec* f, void* buf) { return wave_readWriteWaveList(f, &read, &count, buf, 1); },
                     false));
    EXPECT_EQ(count, 0);

    // A body shorter than its count needs is refused and changes nothing.
    waveRec* list = makeWaves(2);
    short two = 2;
    ASSERT_EQ(
        1, file.write([&](fileRec* f, void* buf) { return wave_readWriteWaveList(f, &list, &two, buf, 0); }));
    file.truncateBody(4 + 4148 + 100);
    waveRec* untouched = nullptr;
    count = 9;
    EXPECT_EQ(0, file.read([&](fileRec* f,
                               void* buf) { return wave_readWriteWaveList(f, &untouched, &count, buf, 1); },
                           false));
    EXPECT_EQ(untouched, nullptr);
    EXPECT_EQ(count, 9);
    wave_deleteList(list);

    // Null arguments are refused.
    EXPECT_EQ(0, wave_readWriteWaveList(nullptr, &list, &two, file_getBufferData(), 0));
    EXPECT_EQ(nullptr, wave_newList(0));
}

TEST(WaveChunk, CountAboveTenKeepsTheTenWavesHeld)
{
    waveRec* list = makeWaves(12);
    short count = 12;
    wtm::ChunkFile file;
    ASSERT_EQ(1, file.write([&](fileRec* f, void* buf) {
        return wave_readWriteWaveList(f, &list, &count, buf, 0);
    }));
    EXPECT_EQ(file.bodySize(), 4 + 4148 * 10);
    waveRec* read = nullptr;
    short readCount = 0;
    ASSERT_EQ(1, file.read([&](fileRec* f,
                               void* buf) { return wave_readWriteWaveList(f, &read, &readCount, buf, 1); },
                           false));
    EXPECT_EQ(readCount, 10);
    expectSameWave(read[9], list[9]);
    wave_deleteList(read);
    wave_deleteList(list);
}

}  // namespace
