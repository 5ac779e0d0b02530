// LFOs: initial values, accessors, restart by controller and the "lfo "
// stored form in both byte orders.
#include "chunk_roundtrip.h"

namespace {

// 21 flags, 6 int16, 12 floats, the wave id, 4 floats: 44 slots.
const std::string kLfoLayout = repeatLayout("f", 21) + "ssssss" + repeatLayout("l", 12) + "s" + "llll";

lfoInstRec sampleLfo()
{
    lfoInstRec r;
    lfo_initInstRec(&r, 2);
    r.on = 0;
    r.polyOn = 1;
    r.shOn = 1;
    r.pitchChan[1] = 0;
    r.ampChan[2] = 0;
    r.filterChan[3] = 0;
    r.modChan[0] = 0;
    r.amUp = 0;
    r.panUp = 0;
    r.depthCC = -1;
    r.rateCC = 11;
    r.shRateCC = 12;
    r.retriggerOn = 0;
    r.retriggerCC = 80;
    r.ccScale1 = 0.5f;
    r.depthRange = 0.25f;
    r.shRateRange = 0.75f;
    r.ccScale2 = 2.0f;
    r.ccScale3 = 3.0f;
    r.freqScaleRange = 0.125f;
    r.amDepth = 10.0f;
    r.pmDepth = 12.5f;
    r.panDepth = 33.0f;
    r.filterDepth = 44.0f;
    r.modDepth = 55.0f;
    r.effectDepth = 66.0f;
    r.waveID = 0x7F03;
    r.freq = 4.5f;
    r.startPhase = 0.3f;
    r.shRate = 0.2f;
    r.extra = -1.0f;
    return r;
}

}  // namespace

TEST(Lfo, FreshLfoIsOnRoutedEverywhereWithFilterDepthOnly)
{
    instRec* inst = freshInst();
    for (short n = 0; n < kLfos; ++n) {
        EXPECT_EQ(inst_lfo_getOn(inst, n), 1);
        EXPECT_EQ(inst_lfo_getPolyOn(inst, n), 0);
        for (short c = 0; c < 3; ++c) {
            EXPECT_EQ(inst_lfo_getPitchChan(inst, n, c), 1);
            EXPECT_EQ(inst_lfo_getAmpChan(inst, n, c), 1);
            EXPECT_EQ(inst_lfo_getModChan(inst, n, c), 1);
        }
        EXPECT_EQ(inst_lfo_getFilterChan(inst, n, 3), 1);
        EXPECT_DOUBLE_EQ(inst_lfo_getFilterDepth(inst, n), 1.0);
        EXPECT_DOUBLE_EQ(inst_lfo_getPMDepth(inst, n), 0.0);
        EXPECT_DOUBLE_EQ(inst_lfo_getAMDepth(inst, n), 0.0);
        EXPECT_DOUBLE_EQ(inst_lfo_getEffectDepth(inst, n), 0.0);
        EXPECT_DOUBLE_EQ(inst_lfo_getFreq(inst, n), 1.0);
        EXPECT_DOUBLE_EQ(inst_lfo_getSHRate(inst, n), 0.125);
        EXPECT_EQ(inst_lfo_getCCNum(inst, n, lfoCC_depth), 1);
        EXPECT_EQ(inst_lfo_getCCNum(inst, n, lfoCC_retrigger), 72);
        EXPECT_EQ(inst_getLfoInst(inst, n)->index, n);
    }
}

TEST(Lfo, AccessorsReadAndWriteOneFieldEach)
{
    instRec* inst = freshInst();
    inst_lfo_setPMDepth(inst, 1, 36.5);
    inst_lfo_setFreq(inst, 1, 999.999);
    inst_lfo_setWaveID(inst, 1, 0x7F05);
    inst_lfo_setModUp(inst, 1, 0);
    inst_lfo_setRetriggerOn(inst, 1, 0);
    EXPECT_DOUBLE_EQ(inst_lfo_getPMDepth(inst, 1), 36.5);
    EXPECT_NEAR(inst_lfo_getFreq(inst, 1), 999.999, 1e-4);
    EXPECT_EQ(inst_lfo_getWaveID(inst, 1), 0x7F05);
    EXPECT_EQ(inst_lfo_getModUp(inst, 1), 0);
    EXPECT_EQ(inst_getLfoInst(inst, 1)->retriggerOn, 0);
    // Only the addressed LFO changed.
    EXPECT_DOUBLE_EQ(inst_lfo_getPMDepth(inst, 0), 0.0);
    EXPECT_EQ(inst_lfo_getModUp(inst, 2), 1);

    // Routing: a channel out of range addresses element 0; channel 3 is the
    // master filter for filters only.
    inst_lfo_setFilterChan(inst, 0, 3, 0);
    EXPECT_EQ(inst_getLfoInst(inst, 0)->filterChan[3], 0);
    EXPECT_EQ(inst_lfo_getFilterChan(inst, 0, 3), 0);
    EXPECT_EQ(inst_lfo_getFilterChan(inst, 0, 0), 1);
    inst_lfo_setPitchChan(inst, 0, 3, 0);
    EXPECT_EQ(inst_getLfoInst(inst, 0)->pitchChan[0], 0);
    EXPECT_EQ(inst_lfo_getPitchChan(inst, 0, 3), 0);
    EXPECT_EQ(inst_lfo_getPitchChan(inst, 0, 2), 1);
    inst_lfo_setAmpChan(inst, 0, -1, 0);
    EXPECT_EQ(inst_getLfoInst(inst, 0)->ampChan[0], 0);

    // No record or no such LFO: setters write nothing, getters give 0.
    lfoInstRec before[kLfos];
    std::memcpy(before, inst->lfo, sizeof before);
    inst_lfo_setOn(inst, 3, 0);
    inst_lfo_setFreq(inst, -1, 5.0);
    inst_lfo_setPitchChan(inst, 3, 0, 0);
    inst_lfo_setCCNum(inst, 3, lfoCC_rate, 7);
    EXPECT_EQ(0, std::memcmp(before, inst->lfo, sizeof before));
    EXPECT_EQ(inst_lfo_getOn(inst, 3), 0);
    EXPECT_DOUBLE_EQ(inst_lfo_getFilterDepth(inst, -1), 0.0);
    EXPECT_EQ(inst_lfo_getOn(nullptr, 0), 0);
    EXPECT_DOUBLE_EQ(inst_lfo_getSHRate(nullptr, 0), 0.0);
    EXPECT_EQ(inst_lfo_getWaveID(nullptr, 0), 0);
    inst_lfo_setOn(nullptr, 0, 0);
}

TEST(Lfo, ControllerNumbersAcceptMinusOneTo127)
{
    instRec* inst = freshInst();
    inst_lfo_setCCNum(inst, 0, lfoCC_rate, 128);
    inst_lfo_setCCNum(inst, 0, lfoCC_rate, -2);
    EXPECT_EQ(inst_lfo_getCCNum(inst, 0, lfoCC_rate), 4);
    inst_lfo_setCCNum(inst, 0, lfoCC_rate, -1);
    EXPECT_EQ(inst_lfo_getCCNum(inst, 0, lfoCC_rate), -1);
    inst_lfo_setCCNum(inst, 0, lfoCC_shRate, 127);
    inst_lfo_setCCNum(inst, 0, lfoCC_depth, 0);
    inst_lfo_setCCNum(inst, 0, lfoCC_retrigger, 64);
    const lfoInstRec* r = inst_getLfoInst(inst, 0);
    EXPECT_EQ(r->shRateCC, 127);
    EXPECT_EQ(r->depthCC, 0);
    EXPECT_EQ(r->retriggerCC, 64);
    EXPECT_EQ(r->rateCC, -1);
    // Unknown slots are ignored and read as 0.
    lfoInstRec before = *r;
    inst_lfo_setCCNum(inst, 0, 4, 10);
    inst_lfo_setCCNum(inst, 0, -1, 10);
    EXPECT_EQ(0, std::memcmp(&before, r, sizeof before));
    EXPECT_EQ(inst_lfo_getCCNum(inst, 0, 4), 0);
}

TEST(Lfo, RetriggerControllerMarksMatchingLfos)
{
    instRec* inst = freshInst();
    inst_getLfoInst(inst, 1)->retriggerOn = 0;
    inst_getLfoInst(inst, 2)->retriggerCC = 73;
    lfo_processRetrigCC(inst, 72, 0);
    for (short n = 0; n < kLfos; ++n) EXPECT_EQ(inst_getLfoInst(inst, n)->retriggerPending, 0);
    lfo_processRetrigCC(inst, 72, 1);
    EXPECT_EQ(inst_getLfoInst(inst, 0)->retriggerPending, 1);
    EXPECT_EQ(inst_getLfoInst(inst, 1)->retriggerPending, 0);
    EXPECT_EQ(inst_getLfoInst(inst, 2)->retriggerPending, 0);
    lfo_processRetrigCC(inst, 73, 127);
    EXPECT_EQ(inst_getLfoInst(inst, 2)->retriggerPending, 1);
    lfo_processRetrigCC(nullptr, 72, 1);
}

TEST(Lfo, CloneCopiesTheWholeRecord)
{
    instRec* inst = freshInst();
    lfoInstRec src = sampleLfo();
    EXPECT_EQ(lfo_cloneInst(inst, &src, inst_getLfoInst(inst, 2), 2, 1), 1);
    EXPECT_EQ(0, std::memcmp(&src, inst_getLfoInst(inst, 2), sizeof src));
    EXPECT_EQ(lfo_cloneInst(inst, nullptr, &src, 0, 0), 0);
    EXPECT_EQ(lfo_cloneInst(inst, &src, nullptr, 0, 0), 0);
}

// ---- stored form ---------------------------------------------------------------

class LfoChunk : public ChunkTest {};

TEST_F(LfoChunk, RoundTripInBothByteOrders)
{
    lfoInstRec src = sampleLfo();
    src.retriggerPending = 1;
    src.work = 9.0f;
    std::vector<unsigned char> bytes =
        writeChunk([&](fileRec* f, void* buf) { return lfo_readWriteLfoInst(f, &src, buf, 0); });
    ASSERT_EQ(chunkTypeOf(bytes), chunkType('l', 'f', 'o', ' '));
    ASSERT_EQ(bodySize(bytes), 176);
    ASSERT_EQ(layoutBytes(kLfoLayout), 176u);
    // The routing flags run channel by channel: pitch, amp, mod of channel 0
    // in slots 3, 4, 5, then channel 1 (pitch 0 in slot 6 here).
    const unsigned char* body = bytes.data() + 12;
    EXPECT_EQ(body[0 * 4], 0);      // on
    EXPECT_EQ(body[1 * 4], 1);      // polyOn
    EXPECT_EQ(body[5 * 4], 0);      // modChan[0]
    EXPECT_EQ(body[6 * 4], 0);      // pitchChan[1]
    EXPECT_EQ(body[7 * 4], 1);      // ampChan[1]
    EXPECT_EQ(body[10 * 4], 0);     // ampChan[2]
    EXPECT_EQ(body[6 * 4 + 1], 0);  // flag padding is zero
    int16_t waveID;
    std::memcpy(&waveID, body + 39 * 4, 2);
    EXPECT_EQ(waveID, 0x7F03);

    for (bool swapped : {false, true}) {
        std::vector<unsigned char> in = bytes;
        if (swapped) swapChunk(in, kLfoLayout);
        lfoInstRec read;
        lfo_initInstRec(&read, 0);
        ASSERT_EQ(readChunk(in, swapped,
                            [&](fileRec* f, void* buf) { return lfo_readWriteLfoInst(f, &read, buf, 1); }),
                  1);
        // Everything but the pending retrigger and the work value.
        lfoInstRec expect = src;
        expect.retriggerPending = 0;
        expect.work = 0.0f;
        EXPECT_EQ(0, std::memcmp(&expect, &read, sizeof read)) << (swapped ? "swapped" : "native");
    }
}

TEST_F(LfoChunk, ShortBodyLeavesTheRecordAlone)
{
    lfoInstRec src = sampleLfo();
    std::vector<unsigned char> bytes =
        writeChunk([&](fileRec* f, void* buf) { return lfo_readWriteLfoInst(f, &src, buf, 0); });
    for (int32_t cut : {175, 172, 100, 0}) {
        lfoInstRec read;
        lfo_initInstRec(&read, 1);
        lfoInstRec before = read;
        EXPECT_EQ(readChunk(shortened(bytes, cut), false,
                            [&](fileRec* f, void* buf) { return lfo_readWriteLfoInst(f, &read, buf, 1); }),
                  0);
        EXPECT_EQ(0, std::memcmp(&before, &read, sizeof read)) << "body of " << cut;
    }
}

TEST_F(LfoChunk, FlipSwapsNumbersOnly)
{
    lfoInstRec r = sampleLfo();
    lfoInstRec f = r;
    lfo_flipInstRec(&f);
    EXPECT_EQ(f.polyOn, r.polyOn);
    EXPECT_EQ(f.retriggerPending, r.retriggerPending);
    int16_t cc = r.rateCC;
    flipShort(&cc);
    EXPECT_EQ(f.rateCC, cc);
    float freq = r.freq;
    flipFloat(&freq);
    EXPECT_EQ(0, std::memcmp(&f.freq, &freq, 4));
    lfo_flipInstRec(&f);
    EXPECT_EQ(0, std::memcmp(&f, &r, sizeof r));
}
