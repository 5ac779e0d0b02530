// Controllers, velocity curves and note maps, with their stored forms.
#include <cmath>
#include <cstring>
#include <limits>

#include "wtm_test_util.h"

namespace {

TEST(Controllers, InitialValues)
{
    instRec* inst = wtm::freshInst();
    const ccInstRec& c = inst->cc;
    EXPECT_EQ(c.bendRange, 24.0f);
    EXPECT_FLOAT_EQ(c.bendLag, 1.0f / 11.0f);
    EXPECT_FLOAT_EQ(c.effectLag, 1.0f / 26.0f);
    EXPECT_EQ(c.panCC, 10);
    EXPECT_EQ(c.volCC, 7);
    EXPECT_EQ(c.filterCC, 1);
    EXPECT_EQ(c.modCC, 1);
    EXPECT_EQ(c.effectCC, 1);
    EXPECT_EQ(c.panCur, 64.0f);
    EXPECT_EQ(cc_getModDepth(inst), 0.0f);
    EXPECT_FLOAT_EQ(cc_getEffectDepth(inst), 0.001f);
    EXPECT_EQ(cc_getPanDepth(inst), 100.0f);
}

TEST(Controllers, SettersClampAndConvert)
{
    instRec* inst = wtm::freshInst();
    cc_setBendRange(inst, 100.0f);
    EXPECT_EQ(inst->cc.bendRange, 72.0f);
    cc_setBendRange(inst, -3.0f);
    EXPECT_EQ(cc_getBendRange(inst), 0.0f);

    cc_setModDepth(inst, 30.0f);
    EXPECT_FLOAT_EQ(inst->cc.modDepth, 0.7f);
    EXPECT_FLOAT_EQ(cc_getModDepth(inst), 30.0f);
    cc_setFilterDepth(inst, 150.0f);
    EXPECT_EQ(inst->cc.filterDepth, 0.0f);
    EXPECT_EQ(cc_getFilterDepth(inst), 100.0f);
    cc_setEffectDepth(inst, 40.0f);
    EXPECT_FLOAT_EQ(inst->cc.effectDepth, 0.4f);
    cc_setPanDepth(inst, -5.0f);
    EXPECT_EQ(cc_getPanDepth(inst), 0.0f);

    cc_setBendLag(inst, 10.0f);
    EXPECT_FLOAT_EQ(inst->cc.bendLag, 1.0f / 11.0f);
    EXPECT_FLOAT_EQ(cc_getBendLag(inst), 10.5f);
    EXPECT_EQ(static_cast<int>(cc_getBendLag(inst)), 10);
    cc_setVolLag(inst, 0.0f);
    EXPECT_EQ(inst->cc.volLag, 1.0f);
    cc_setModLag(inst, 3.0f);
    cc_setFilterLag(inst, 4.0f);
    cc_setEffectLag(inst, 5.0f);
    cc_setPanLag(inst, 6.0f);
    EXPECT_EQ(static_cast<int>(cc_getModLag(inst)), 3);
    EXPECT_EQ(static_cast<int>(cc_getFilterLag(inst)), 4);
    EXPECT_EQ(static_cast<int>(cc_getEffectLag(inst)), 5);
    EXPECT_EQ(static_cast<int>(cc_getPanLag(inst)), 6);
    EXPECT_EQ(static_cast<int>(cc_getVolLag(inst)), 0);
    // A negative lag would give a coefficient above 1: taken as no lag.
    cc_setPanLag(inst, -1.0f);
    EXPECT_EQ(inst->cc.panLag, 1.0f);

    cc_setCCNum(inst, ccWhich_pan, -1);
    EXPECT_EQ(inst->cc.panCC, -1);
    cc_setCCNum(inst, ccWhich_pan, 128);
    cc_setCCNum(inst, 1, 20);
    EXPECT_EQ(inst->cc.panCC, -1);
    EXPECT_EQ(cc_getCCNum(inst, 1), 0);
    cc_setCCNum(inst, ccWhich_vol, 11);
    cc_setCCNum(inst, ccWhich_filter, 74);
    cc_setCCNum(inst, ccWhich_mod, 2);
    cc_setCCNum(inst, ccWhich_effect, 91);
    EXPECT_EQ(cc_getCCNum(inst, ccWhich_vol), 11);
    EXPECT_EQ(cc_getCCNum(inst, ccWhich_filter), 74);
    EXPECT_EQ(cc_getCCNum(inst, ccWhich_mod), 2);
    EXPECT_EQ(cc_getCCNum(inst, ccWhich_effect), 91);

    cc_setModChanOn(inst, 2, 0);
    cc_setModChanOn(inst, 3, 0);
    EXPECT_EQ(cc_getModChanOn(inst, 2), 0);
    EXPECT_EQ(cc_getModChanOn(inst, 3), 0);
    EXPECT_EQ(cc_getModChanOn(inst, 1), 1);
    cc_setFilterChanOn(inst, 3, 0);
    cc_setFilterChanOn(inst, 4, 0);
    EXPECT_EQ(cc_getFilterChanOn(inst, 3), 0);
    EXPECT_EQ(cc_getFilterChanOn(inst, 0), 1);
    EXPECT_EQ(cc_getFilterChanOn(inst, -1), 0);

    cc_setBendRange(nullptr, 3.0f);
    EXPECT_EQ(cc_getBendRange(nullptr), 0.0f);
}

TEST(Controllers, CloneSettlesRunningValuesAndLeavesNoteMaps)
{
    instRec* inst = wtm::freshInst();
    ccInstRec from;
    cc_initCCInstRec(&from);
    from.bendTarget = 2.0f;
    from.panTarget = 30.0f;
    from.volTarget = 0.5f;
    from.bendRange = 12.0f;
    inst->cc.notemaps[4].factor[9] = 0.25f;
    cc_clone(inst, &from, &inst->cc, 0, 1);
    EXPECT_EQ(inst->cc.bendRange, 12.0f);
    EXPECT_EQ(inst->cc.bendCur, 2.0f);
    EXPECT_EQ(inst->cc.panCur, 30.0f);
    EXPECT_EQ(inst->cc.volCur, 0.5f);
    EXPECT_EQ(inst->cc.notemaps[4].factor[9], 0.25f);
}

// --- velocity --------------------------------------------------------------------

TEST(Velocity, CurvesAndSensitivity)
{
    instRec* inst = wtm::freshInst();
    // Initial curves: sens 1.0, a flat line at 1.
    EXPECT_EQ(inst->velTables.table[0][0], 1.0f);
    vel_setVelSens(inst, 1, 0, 100.0f);
    EXPECT_FLOAT_EQ(inst->vel.vel[0].sens, 0.00001f);
    EXPECT_FLOAT_EQ(inst->velTables.table[0][0], 0.00001f);
    EXPECT_FLOAT_EQ(inst->velTables.table[0][127], 1.0f);
    EXPECT_NEAR(vel_getVelSens(inst, 1, 0), 99.999f, 1e-3);
    EXPECT_FLOAT_EQ(inst->velTables.table[0][64], 0.99999f * velTable_1[64] + 0.00001f);

    // Filter curves are exponential: sens 0.25 gives 0.25 .. 1.
    vel_setSens(inst, 3, 1, 0.25f);
    const float* t = inst->velTables.table[7];
    EXPECT_FLOAT_EQ(t[0], 0.25f);
    EXPECT_FLOAT_EQ(t[127], 1.0f);
    EXPECT_FLOAT_EQ(t[64], std::pow(0.25f, 1.0f - velTable_1[64]));

    // Reversed curve runs downward.
    vel_setInvert(inst, 2, 2, 0);
    EXPECT_EQ(vel_getInvert(inst, 2, 2), 0);
    vel_setSens(inst, 2, 2, 0.5f);
    EXPECT_FLOAT_EQ(inst->velTables.table[5][0], 1.0f);
    EXPECT_FLOAT_EQ(inst->velTables.table[5][127], 0.5f);

    vel_setSens(inst, 1, 1, 2.0f);
    EXPECT_EQ(inst->vel.vel[1].sens, 0.9999f);
    vel_setVelSens(inst, 1, 2, -20.0f);
    EXPECT_EQ(inst->vel.vel[2].sens, 0.9999f);

    // Pairs out of range are ignored / read the defaults.
    vel_setSens(inst, 1, 3, 0.1f);
    vel_setSens(inst, 4, 0, 0.1f);
    vel_setSens(inst, 3, 4, 0.1f);
    EXPECT_EQ(vel_getVelSens(inst, 1, 3), 0.0f);
    EXPECT_EQ(vel_getInvert(inst, 0, 0), 0);
    for (int d = 8; d < 10; ++d) EXPECT_EQ(inst->vel.vel[d].sens, 1.0f);
    EXPECT_NEAR(vel_getVelSens(inst, 3, 1), 75.0f, 1e-4);

    // A kind 3 curve with sens 0 is 0 but where the source reaches 1.
    float table[128];
    vel_fillTable(table, 3, 0.0f, 1, velTable_1);
    EXPECT_EQ(table[0], 0.0f);
    EXPECT_EQ(table[126], 0.0f);
    EXPECT_EQ(table[127], 1.0f);
}

TEST(Velocity, CloneAndRefill)
{
    instRec* inst = wtm::freshInst();
    velInstRec preset;
    vel_initVelInstRec(&preset);
    preset.vel[6].sens = 0.5f;
    vel_cloneInst(inst, &preset, &inst->vel, 0);
    EXPECT_EQ(inst->vel.vel[6].sens, 0.5f);
    EXPECT_EQ(inst->velTables.table[6][0], 1.0f);  // not refilled yet
    vel_cloneInst(inst, &preset, &inst->vel, 1);
    EXPECT_FLOAT_EQ(inst->velTables.table[6][0], 0.5f);
}

TEST(Velocity, ControllerCurves)
{
    EXPECT_EQ(ctlTable1[0], 0.0f);
    EXPECT_FLOAT_EQ(ctlTable1[127], 1.0f);
    EXPECT_FLOAT_EQ(ctlTable2[64], std::pow(64.0f / 127.0f, 2.0f));
    EXPECT_FLOAT_EQ(ctlTable3_5[100], std::pow(100.0f / 127.0f, 3.5f));
    EXPECT_FLOAT_EQ(ctlTable_5[32], 0.5f);
    EXPECT_LT(ctlTable3[64], ctlTable2_5[64]);
    EXPECT_LT(ctlTable1_5[64], ctlTable1[64]);
}

// --- note maps ---------------------------------------------------------------------

TEST(NoteMaps, LookupUseCopyAndPresetTransfer)
{
    instRec* inst = wtm::freshInst();
    EXPECT_EQ(getNoteMap(inst, 1, 0), &inst->cc.notemaps[0]);
    EXPECT_EQ(getNoteMap(inst, 2, 2), &inst->cc.notemaps[5]);
    EXPECT_EQ(getNoteMap(inst, 3, 3), &inst->cc.notemaps[9]);
    EXPECT_EQ(getNoteMap(inst, 1, 3), nullptr);
    EXPECT_EQ(getNoteMap(inst, 0, 0), nullptr);
    EXPECT_EQ(notemap_getData(inst, 3, 4), nullptr);
    EXPECT_EQ(notemap_count(inst), 0);

    notemap_getData(inst, 3, 1)[60] = 0.5f;
    notemap_getData(inst, 1, 2)[0] = std::nextafter(1.0f, 0.0f);  // too close to 1 to count
    EXPECT_EQ(notemap_count(inst), 1);
    notemap_getData(inst, 1, 1)[127] = 0.0f;
    EXPECT_EQ(notemap_count(inst), 2);
    notemap_getData(inst, 1, 2)[0] = 0.9999998f;  // just below the mark
    EXPECT_TRUE(notemap_isUsed(getNoteMap(inst, 1, 2)));
    notemap_getData(inst, 1, 2)[0] = 1.0f;

    notemapRec odd;
    notemap_init(&odd, 3, 1);
    odd.factor[0] = 1.5f;
    odd.factor[1] = -0.2f;
    odd.factor[2] = std::numeric_limits<float>::quiet_NaN();
    notemapRec copy;
    notemap_copy(&odd, &copy);
    EXPECT_EQ(copy.kind, 3);
    EXPECT_EQ(copy.index, 1);
    EXPECT_EQ(copy.factor[0], 1.0f);
    EXPECT_EQ(copy.factor[1], 0.0f);
    EXPECT_EQ(copy.factor[2], 1.0f);
    odd.kind = 2;
    odd.index = 3;  // fm maps have channels 0..2 only
    notemap_copy(&odd, &copy);
    EXPECT_EQ(copy.kind, 0);
    EXPECT_EQ(copy.index, 0);

    notemapRec list[1];
    EXPECT_EQ(notemap_storeToPreset(inst, list, 1), 1);
    EXPECT_EQ(list[0].kind, 1);  // destination order: the oscil amp map first
    EXPECT_EQ(list[0].index, 1);
    notemapRec all[10];
    EXPECT_EQ(notemap_storeToPreset(inst, all, 10), 2);
    EXPECT_EQ(all[1].kind, 3);
    EXPECT_EQ(all[1].factor[60], 0.5f);

    instRec* other = wtm::freshInst(1);
    notemap_loadToDsp(other, all, 2);
    EXPECT_EQ(notemap_getData(other, 3, 1)[60], 0.5f);
    EXPECT_EQ(notemap_getData(other, 1, 1)[127], 0.0f);
    EXPECT_EQ(notemap_count(other), 2);
    notemap_loadToDsp(other, &copy, 1);  // names no destination: skipped
    EXPECT_EQ(notemap_count(other), 2);
}

// --- stored forms ------------------------------------------------------------------

const std::string kCcLayout = "llsllsll"
                              "ffff"
                              "sll"
                              "fff"
                              "slls"
                              "ll";

TEST(ControllerChunk, RoundTripsInBothByteOrders)
{
    ASSERT_EQ(kCcLayout.size(), 24u);
    for (bool flipped : {false, true}) {
        SCOPED_TRACE(flipped);
        instRec* inst = wtm::freshInst();
        ccInstRec& c = inst->cc;
        c.bendRange = 7.5f;
        c.bendLag = 0.2f;
        c.panCC = -1;
        c.panDepth = 0.3f;
        c.panLag = 0.4f;
        c.volCC = 11;
        c.volScale = 0.8f;
        c.volLag = 0.6f;
        c.filterChanOn[1] = 0;
        c.filterCC = 74;
        c.filterDepth = 0.25f;
        c.filterLag = 0.125f;
        c.modChanOn[2] = 0;
        c.modCC = 2;
        c.modLag = 0.7f;
        c.modDepth = 0.9f;
        c.effectCC = 91;
        c.effectLag = 0.05f;
        c.effectDepth = 0.33f;
        ccInstRec written = c;
        wtm::ChunkFile file;
        ASSERT_EQ(1, file.write([&](fileRec* f, void* b) { return cc_readWriteCcInst(f, &c, b, 0); }));
        EXPECT_EQ(file.type(), 0x63632020);
        EXPECT_EQ(file.bodySize(), 96);
        EXPECT_EQ(file.version(), 10);
        if (flipped) file.swap(kCcLayout);
        ccInstRec read;
        cc_initCCInstRec(&read);
        read.bendCur = 3.0f;  // running values are not stored
        ASSERT_EQ(
            1, file.read([&](fileRec* f, void* b) { return cc_readWriteCcInst(f, &read, b, 1); }, flipped));
        EXPECT_EQ(read.bendCur, 3.0f);
        read.bendCur = written.bendCur;
        EXPECT_EQ(0, std::memcmp(&read, &written, offsetof(ccInstRec, notemaps)));
    }
}

TEST(ControllerChunk, ShortBodyIsRefused)
{
    instRec* inst = wtm::freshInst();
    wtm::ChunkFile file;
    ASSERT_EQ(1, file.write([&](fileRec* f, void* b) { return cc_readWriteCcInst(f, &inst->cc, b, 0); }));
    file.truncateBody(92);
    ccInstRec read;
    cc_initCCInstRec(&read);
    read.bendRange = 1.0f;
    EXPECT_EQ(0, file.read([&](fileRec* f, void* b) { return cc_readWriteCcInst(f, &read, b, 1); }, false));
    EXPECT_EQ(read.bendRange, 1.0f);
}

TEST(VelocityChunk, RoundTripsInBothByteOrders)
{
    for (bool flipped : {false, true}) {
        SCOPED_TRACE(flipped);
        velInstRec rec;
        vel_initVelInstRec(&rec);
        for (int d = 0; d < kDestinations; ++d) {
            rec.vel[d].sens = 0.05f * d;
            rec.vel[d].invert = d % 2 ? 1 : -70000;
        }
        wtm::ChunkFile file;
        ASSERT_EQ(1, file.write([&](fileRec* f, void* b) { return vel_readWriteVelInst(f, &rec, b, 0); }));
        EXPECT_EQ(file.type(), 0x76656C20);
        EXPECT_EQ(file.bodySize(), 160);
        if (flipped) file.swap(wtm::repeat("llll", kDestinations));
        velInstRec read;
        std::memset(&read, 0, sizeof read);
        ASSERT_EQ(
            1, file.read([&](fileRec* f, void* b) { return vel_readWriteVelInst(f, &read, b, 1); }, flipped));
        for (int d = 0; d < kDestinations; ++d) {
            EXPECT_EQ(read.vel[d].kind, rec.vel[d].kind);
            EXPECT_EQ(read.vel[d].index, rec.vel[d].index);
            EXPECT_EQ(read.vel[d].sens, rec.vel[d].sens);
            EXPECT_EQ(read.vel[d].invert, rec.vel[d].invert);
        }
        file.truncateBody(159);
        read.vel[9].sens = 9.0f;
        EXPECT_EQ(
            0, file.read([&](fileRec* f, void* b) { return vel_readWriteVelInst(f, &read, b, 1); }, flipped));
        EXPECT_EQ(read.vel[9].sens, 9.0f);
    }
}

TEST(NotemapChunk, RoundTripsInBothByteOrders)
{
    for (short n : {short(0), short(2), short(10)}) {
        for (bool flipped : {false, true}) {
            SCOPED_TRACE(testing::Message() << n << " maps, flipped " << flipped);
            notemapRec* list = notemap_newList(n);
            for (short i = 0; i < n; ++i) {
                int kind, index;
                dest_kindIndex(i, &kind, &index);
                notemap_init(&list[i], kind, index);
                for (int k = 0; k < 128; ++k) list[i].factor[k] = static_cast<float>((k + i) % 128) / 127.0f;
            }
            short count = n;
            wtm::ChunkFile file;
            ASSERT_EQ(1, file.write([&](fileRec* f, void* b) {
                return notemap_readWriteNotemapList(f, &list, &count, b, 0);
            }));
            EXPECT_EQ(file.type(), 0x4E746D70);
            EXPECT_EQ(file.bodySize(), 4 + 520 * n);
            if (flipped) file.swap("s" + wtm::repeat("ll" + wtm::repeat("l", 128), n));
            notemapRec* read = nullptr;
            short readCount = -1;
            ASSERT_EQ(1, file.read(
                             [&](fileRec* f, void* b) {
                                 return notemap_readWriteNotemapList(f, &read, &readCount, b, 1);
                             },
                             flipped));
            ASSERT_EQ(readCount, n);
            for (short i = 0; i < n; ++i) {
                EXPECT_EQ(read[i].kind, list[i].kind);
                EXPECT_EQ(read[i].index, list[i].index);
                EXPECT_EQ(0, std::memcmp(read[i].factor, list[i].factor, sizeof list[i].factor));
            }
            notemap_deleteList(read);
            notemap_deleteList(list);
        }
    }
}

TEST(NotemapChunk, DamagedCounts)
{
    notemapRec* list = notemap_newList(1);
    short count = 1;
    wtm::ChunkFile file;
    ASSERT_EQ(1, file.write([&](fileRec* f, void* b) {
        return notemap_readWriteNotemapList(f, &list, &count, b, 0);
    }));
    std::vector<unsigned char> b = file.bytes();
    int16_t three = 3;  // says three maps, holds one
    std::memcpy(&b[12], &three, 2);
    file.setBytes(b);
    notemapRec* read = nullptr;
    short readCount = 0;
    EXPECT_EQ(0,
              file.read([&](fileRec* f,
                            void* buf) { return notemap_readWriteNotemapList(f, &read, &readCount, buf, 1); },
                        false));
    EXPECT_EQ(read, nullptr);
    EXPECT_EQ(readCount, 0);
    int16_t negative = -1;
    std::memcpy(&b[12], &negative, 2);
    file.setBytes(b);
    readCount = 5;
    EXPECT_EQ(1,
              file.read([&](fileRec* f,
                            void* buf) { return notemap_readWriteNotemapList(f, &read, &readCount, buf, 1); },
                        false));
    EXPECT_EQ(readCount, 0);
    EXPECT_EQ(read, nullptr);
    notemap_deleteList(list);
}

}  // namespace
