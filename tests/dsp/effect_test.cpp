// The effect unit: modes, buffers from the instance's pool, parameter clamps,
// copies to and from presets and the "pipe", "mCmb", "mTap" stored forms.
#include "chunk_roundtrip.h"

#include <cmath>

#include "iac/MorvaneIAC_plug.h"

namespace {

const std::string kHeaderLayout = "slssss";
const std::string kPipeLayout = kHeaderLayout + "f" + repeatLayout("l", 13) + "fff";
const std::string kCombLayout = kHeaderLayout +
                                "fll"
                                "s"
                                "lll" +
                                repeatLayout("ff"
                                             "llllll",
                                             6);
const std::string kTapLayout = kHeaderLayout +
                               "fll"
                               "s"
                               "ff"
                               "l"
                               "lll"
                               "l" +
                               repeatLayout("ff"
                                            "llll",
                                            3);

float* poolOf(instRec* inst) { return iac_getEffectPool(inst_getInstanceNumber(inst)); }

float* bufOf(instRec* inst, int i) { return inst_getEffectDsp(inst)->buf[i].get(); }

effectMultitapRec sampleTap()
{
    effectMultitapRec r;
    effect_initMultitapRec(&r);
    r.active = 1;
    r.wet = 0.3f;
    r.dry = 0.6f;
    r.count = 2;
    r.tapFlagA = 0;
    r.tapFlagB = 1;
    r.feedback = -0.25f;
    r.lowpass = 300.5f;
    r.highpass = 90.0f;
    r.maxBuf = 123456;
    r.masterTime = 22050.0f;
    r.header.timeMode = 2;
    for (int t = 0; t < 3; ++t) {
        r.tapActive[t] = t != 1;
        r.tapCtlInvert[t] = t == 2;
        r.tapCtlSens[t] = 0.1f * (t + 1);
        r.tapTime[t] = 0.2f * (t + 1);
        r.tapGain[t] = 0.05f * (t + 1);
        r.tapPan[t] = 0.3f * (t + 1);
    }
    return r;
}

effectMulticombRec sampleComb()
{
    effectMulticombRec r;
    effect_initMulticombRec(&r);
    r.active = 1;
    r.wet = 0.7f;
    r.count = 5;
    r.masterTime = 1000.0f;
    r.masterFeedback = 0.9f;
    r.masterLowpass = 222.0f;
    for (int c = 0; c < 6; ++c) {
        r.combActive[c] = c % 2;
        r.combCtlInvert[c] = c == 4;
        r.combTime[c] = 0.1f * c;
        r.combFeedback[c] = -0.1f * c;
        r.combGain[c] = 0.01f * c;
        r.combCtlSens[c] = 0.2f;
        r.combPan[c] = 0.15f * c;
        r.combLowpass[c] = 0.5f;
    }
    return r;
}

effectPipeRec samplePipe()
{
    effectPipeRec r;
    effect_initPipeRec(&r);
    r.active = 1;
    r.pipeSpare1 = 7.0f;
    r.masterTime = 1234.5f;
    r.feedback = -0.5f;
    r.inPos = 0.1f;
    r.outPos[0] = 0.2f;
    r.outPos[1] = 0.8f;
    r.lowpass = 400.0f;
    r.ctlLength = 0.4f;
    r.ctlOut[0] = 0.6f;
    r.ctlInvertLength = 1;
    r.ctlOutInvert[1] = 0;
    return r;
}

}  // namespace

TEST(EffectMode, UnknownModeStoresNoneAndNeutralValues)
{
    instRec* inst = freshInst();
    const effectDspRec* d = inst_getEffectDsp(inst);
    EXPECT_EQ(effect_getMode(inst), effectMode_multicomb);
    EXPECT_EQ(d->routine, static_cast<uint32_t>(proc_effectMulticomb));
    effect_setMode(inst, 7);
    EXPECT_EQ(effect_getMode(inst), effectMode_none);
    EXPECT_EQ(d->routine, static_cast<uint32_t>(proc_effectMulticomb));  // left as it was
    EXPECT_EQ(effect_getCurrentPtr(inst), nullptr);
    EXPECT_DOUBLE_EQ(effect_getDryBalance(inst), 1.0);
    EXPECT_DOUBLE_EQ(effect_getWetBalance(inst), 1.0);
    EXPECT_DOUBLE_EQ(effect_getTempo(inst), 120.0);
    EXPECT_EQ(effect_getTimeMode(inst), 0);
    effect_setWetBalance(inst, 0.1);
    effect_setTempo(inst, 90.0);
    EXPECT_FLOAT_EQ(inst->multicomb.wet, 0.5f);
    EXPECT_FLOAT_EQ(inst->multicomb.header.tempo, 120.0f);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(bufOf(inst, i), nullptr);
}

TEST(EffectMode, ModesSelectRoutineRecordAndBuffers)
{
    instRec* inst = freshInst(1);
    iac_plug_takeEffectBufRequest(1);
    effect_setMode(inst, effectMode_pipe);
    EXPECT_EQ(iac_plug_takeEffectBufRequest(1), 1);  // the plug-in is told
    const effectDspRec* d = inst_getEffectDsp(inst);
    EXPECT_EQ(d->routine, static_cast<uint32_t>(proc_effectPipe));
    EXPECT_EQ(effect_getCurrentPtr(inst), &inst->pipe.header);
    EXPECT_EQ(d->paused, 0);
    EXPECT_EQ(bufOf(inst, 0), poolOf(inst));
    EXPECT_EQ(bufOf(inst, 1), poolOf(inst) + 32768);
    EXPECT_EQ(bufOf(inst, 2), nullptr);
    EXPECT_EQ(d->poolUsed, 2 * 32768);

    effect_setMode(inst, effectMode_multicomb);
    EXPECT_EQ(d->routine, static_cast<uint32_t>(proc_effectMulticomb));
    EXPECT_EQ(bufOf(inst, 5), poolOf(inst) + 5 * 32768);

    effect_setMode(inst, effectMode_multitap);
    EXPECT_EQ(d->routine, static_cast<uint32_t>(proc_effectMultitap));
    EXPECT_EQ(effect_getCurrentPtr(inst), &inst->multitap.header);

    // Tempo, time mode and balances belong to the current record only.
    effect_setTempo(inst, 95.0);
    effect_setDryBalance(inst, 0.125);
    EXPECT_DOUBLE_EQ(effect_getTempo(inst), 95.0);
    EXPECT_FLOAT_EQ(inst->multitap.dry, 0.125f);
    EXPECT_FLOAT_EQ(inst->pipe.header.tempo, 120.0f);
    EXPECT_FLOAT_EQ(inst->pipe.dry, 0.5f);
    effect_setTimeMode(inst, 2);
    EXPECT_EQ(effect_getTimeMode(inst), 2);
    effect_setTimeMode(inst, 3);
    effect_setTimeMode(inst, 0);
    EXPECT_EQ(effect_getTimeMode(inst), 2);
    EXPECT_EQ(inst->pipe.header.timeMode, 1);

    effect_setActive(inst, 1);
    EXPECT_EQ(effect_getActive(inst), 1);
    effect_pause(inst);
    EXPECT_EQ(d->paused, 1);
    effect_resume(inst);
    EXPECT_EQ(d->paused, 0);
}

TEST(EffectBuffers, MultitapBuffersFollowTimeOrMaxBufAndMustFit)
{
    instRec* inst = freshInst();
    const int32_t savedFlag = g_effect_useMaxBuf;
    const effectDspRec* d = inst_getEffectDsp(inst);

    // 20 s is 882000 samples; three such buffers do not fit the pool.
    g_effect_useMaxBuf = 0;
    effect_tap_setMasterTime(inst, 20.0);
    EXPECT_FLOAT_EQ(inst->multitap.masterTime, 882000.0f);
    effect_setMode(inst, effectMode_multitap);
    EXPECT_EQ(bufOf(inst, 0), poolOf(inst));
    EXPECT_EQ(bufOf(inst, 1), nullptr);
    EXPECT_EQ(bufOf(inst, 2), nullptr);

    // The largest legal layout fits: three buffers of 481024 floats.
    g_effect_useMaxBuf = 1;
    inst->multitap.maxBuf = kEffectMaxBufInInst;
    effect_setUpBuffers(inst);
    EXPECT_EQ(bufOf(inst, 2), poolOf(inst) + 2 * kEffectMaxBufInInst);
    EXPECT_EQ(d->poolUsed, 3 * kEffectMaxBufInInst);

    // Lengths that cannot be buffers leave the slots empty.
    inst->multitap.maxBuf = -5;
    effect_setUpBuffers(inst);
    EXPECT_EQ(bufOf(inst, 0), nullptr);
    g_effect_useMaxBuf = 0;
    inst->multitap.masterTime = INFINITY;
    effect_setUpBuffers(inst);
    EXPECT_EQ(bufOf(inst, 0), nullptr);
    inst->multitap.masterTime = 441.4f;
    effect_setUpBuffers(inst);
    EXPECT_EQ(bufOf(inst, 1), poolOf(inst) + 441);

    // effect_newBuf hands out floats only while they fit, strictly.
    effect_clearBuf(inst);
    EXPECT_EQ(effect_newBuf(inst, IAC_EFFECT_POOL_FLOATS), nullptr);
    EXPECT_EQ(effect_newBuf(inst, IAC_EFFECT_POOL_FLOATS - 1), poolOf(inst));
    EXPECT_EQ(effect_newBuf(inst, 1), nullptr);
    EXPECT_EQ(effect_newBuf(inst, 0), nullptr);
    g_effect_useMaxBuf = savedFlag;
}

TEST(EffectParams, PipeClampsAndIndices)
{
    instRec* inst = freshInst();
    effect_pipe_setMasterTime(inst, 1.0);
    EXPECT_FLOAT_EQ(inst->pipe.masterTime, 32767.0f);
    EXPECT_NEAR(effect_pipe_getMasterTime(inst), 0.743, 0.0005);
    effect_pipe_setMasterTime(inst, -3.0);
    EXPECT_FLOAT_EQ(inst->pipe.masterTime, 1e-05f);
    effect_pipe_setMasterTime(inst, 0.01);
    EXPECT_FLOAT_EQ(inst->pipe.masterTime, 441.0f);

    effect_pipe_setFeedback(inst, 2.0);
    EXPECT_FLOAT_EQ(inst->pipe.feedback, 0.999f);
    effect_pipe_setFeedback(inst, -2.0);
    EXPECT_FLOAT_EQ(inst->pipe.feedback, -0.999f);
    effect_pipe_setInPos(inst, 1.5);
    EXPECT_DOUBLE_EQ(effect_pipe_getInPos(inst), 1.0);
    effect_pipe_setCtlLength(inst, -0.5);
    EXPECT_DOUBLE_EQ(effect_pipe_getCtlLength(inst), 0.0);

    // Lowpass in hertz, clamped to 30..22000, held as a frequency index.
    // (The index scale ends at 480, 20480 Hz, so the top of the range reads
    // back as that.)
    effect_pipe_setLowpass(inst, 100000.0);
    EXPECT_FLOAT_EQ(inst->pipe.lowpass, static_cast<float>(filterFreqToIndex(22000.0)));
    EXPECT_NEAR(effect_pipe_getLowpass(inst), 20480.0, 0.5);
    effect_pipe_setLowpass(inst, 440.0);
    EXPECT_NEAR(effect_pipe_getLowpass(inst), 440.0, 0.01);
    effect_pipe_setLowpass(inst, 1.0);
    EXPECT_NEAR(effect_pipe_getLowpass(inst), 30.0, 30.0 * 1e-5);

    // Two outputs: setters take 0 and 1 only, getters read 1 for any other.
    effect_pipe_setOutPos(inst, 1, 0.6);
    effect_pipe_setOutPos(inst, 2, 0.9);
    effect_pipe_setOutPos(inst, -1, 0.9);
    EXPECT_FLOAT_EQ(inst->pipe.outPos[0], 0.33f);
    EXPECT_FLOAT_EQ(inst->pipe.outPos[1], 0.6f);
    EXPECT_NEAR(effect_pipe_getOutPos(inst, 5), 0.6, 1e-6);
    EXPECT_NEAR(effect_pipe_getOutPos(inst, 0), 0.33, 1e-6);
    effect_pipe_setOutPos(inst, 0, 7.0);
    EXPECT_FLOAT_EQ(inst->pipe.outPos[0], 1.0f);
    effect_pipe_setCtlOut(inst, 0, -1.0);
    EXPECT_DOUBLE_EQ(effect_pipe_getCtlOut(inst, 0), 0.0);
    effect_pipe_setCtlOutInvert(inst, 0, 1);
    effect_pipe_setCtlOutInvert(inst, 3, 0);
    EXPECT_EQ(effect_pipe_getCtlOutInvert(inst, 0), 1);
    EXPECT_EQ(effect_pipe_getCtlOutInvert(inst, 3), 1);  // element 1 starts inverted
    effect_pipe_setCtlInvertLength(inst, 1);
    EXPECT_EQ(effect_pipe_getCtlInvertLength(inst), 1);
}

TEST(EffectParams, MulticombClampsAndCombIndices)
{
    instRec* inst = freshInst();
    effect_comb_setChanGain(inst, 0, 6.0);
    EXPECT_FLOAT_EQ(inst->multicomb.combGain[0], 1.0f);
    EXPECT_NEAR(effect_comb_getChanGain(inst, 0), 0.0, 1e-9);
    effect_comb_setChanGain(inst, 1, -6.0);
    EXPECT_FLOAT_EQ(inst->multicomb.combGain[1], 0.5f);
    EXPECT_NEAR(effect_comb_getChanGain(inst, 1), -6.0, 1e-6);

    effect_comb_setChanPan(inst, 2, 1.0);
    EXPECT_FLOAT_EQ(inst->multicomb.combPan[2], 0.9999f);
    effect_comb_setChanPan(inst, 2, -1.0);
    EXPECT_FLOAT_EQ(inst->multicomb.combPan[2], 0.0f);

    // Index 6 is ignored by setters; getters return their neutral values.
    effectMulticombRec before = inst->multicomb;
    effect_comb_setChanPan(inst, 6, 0.5);
    effect_comb_setChanTime(inst, -1, 0.5);
    effect_comb_setChanGain(inst, 6, -12.0);
    effect_comb_setActive(inst, 6, 1);
    EXPECT_EQ(0, std::memcmp(&before, &inst->multicomb, sizeof before));
    EXPECT_DOUBLE_EQ(effect_comb_getChanPan(inst, 6), 1.0);
    EXPECT_DOUBLE_EQ(effect_comb_getChanTime(inst, 6), 1.0);
    EXPECT_DOUBLE_EQ(effect_comb_getChanFeedback(inst, -1), 1.0);
    EXPECT_DOUBLE_EQ(effect_comb_getChanLowpass(inst, 6), 1.0);
    EXPECT_DOUBLE_EQ(effect_comb_getChanCtlSens(inst, 6), 1.0);
    EXPECT_DOUBLE_EQ(effect_comb_getChanGain(inst, 6), 0.0);
    EXPECT_EQ(effect_comb_getActive(inst, 6), 0);

    effect_comb_setMasterFeedback(inst, -0.5);
    EXPECT_FLOAT_EQ(inst->multicomb.masterFeedback, 0.0f);
    effect_comb_setMasterFeedback(inst, 1.0);
    EXPECT_FLOAT_EQ(inst->multicomb.masterFeedback, 0.999f);
    effect_comb_setChanFeedback(inst, 3, -3.0);
    EXPECT_FLOAT_EQ(inst->multicomb.combFeedback[3], -1.0f);
    effect_comb_setChanTime(inst, 5, 1.5);
    EXPECT_FLOAT_EQ(inst->multicomb.combTime[5], 1.0f);
    effect_comb_setChanLowpass(inst, 4, -0.1);
    EXPECT_FLOAT_EQ(inst->multicomb.combLowpass[4], 0.0f);
    effect_comb_setMasterTime(inst, 0.1);
    EXPECT_FLOAT_EQ(inst->multicomb.masterTime, 4410.0f);
    effect_comb_setMasterTime(inst, 5.0);
    EXPECT_FLOAT_EQ(inst->multicomb.masterTime, 32767.0f);
    effect_comb_setMasterLowpass(inst, 8000.0);
    EXPECT_NEAR(effect_comb_getMasterLowpass(inst), 8000.0, 8000.0 * 1e-5);
    effect_comb_setCtlInvert(inst, 5, 1);
    EXPECT_EQ(effect_comb_getCtlInvert(inst, 5), 1);
    // A value that is not a number takes the low end of the range.
    effect_comb_setChanCtlSens(inst, 0, NAN);
    EXPECT_FLOAT_EQ(inst->multicomb.combCtlSens[0], 0.0f);
}

TEST(EffectParams, MultitapClampsAndTapIndices)
{
    instRec* inst = freshInst();
    effect_tap_setMasterTime(inst, 0.0);
    EXPECT_FLOAT_EQ(inst->multitap.masterTime, 0.441f);
    effect_tap_setMasterTime(inst, 60.0);
    EXPECT_FLOAT_EQ(inst->multitap.masterTime, 2646000.0f);  // no upper clamp
    EXPECT_NEAR(effect_tap_getMasterTime(inst), 60.0, 1e-6);

    effect_tap_setFeedback(inst, 1.0);
    EXPECT_FLOAT_EQ(inst->multitap.feedback, 0.999f);
    effect_tap_setGain(inst, 2, 3.0);
    EXPECT_FLOAT_EQ(inst->multitap.tapGain[2], 1.0f);
    effect_tap_setGain(inst, 0, -12.0);
    EXPECT_FLOAT_EQ(inst->multitap.tapGain[0], 0.25f);
    effect_tap_setPan(inst, 1, 2.0);
    EXPECT_FLOAT_EQ(inst->multitap.tapPan[1], 0.9999f);
    effect_tap_setTapTime(inst, 0, -1.0);
    EXPECT_FLOAT_EQ(inst->multitap.tapTime[0], 0.0f);
    effect_tap_setCtlSens(inst, 2, 0.5);
    EXPECT_DOUBLE_EQ(effect_tap_getCtlSens(inst, 2), 0.5);
    effect_tap_setLowpass(inst, 10.0);
    EXPECT_NEAR(effect_tap_getLowpass(inst), 30.0, 30.0 * 1e-5);

    effectMultitapRec before = inst->multitap;
    effect_tap_setPan(inst, 3, 0.5);
    effect_tap_setGain(inst, -1, 0.0);
    effect_tap_setCtlInvert(inst, 3, 1);
    EXPECT_EQ(0, std::memcmp(&before, &inst->multitap, sizeof before));
    EXPECT_DOUBLE_EQ(effect_tap_getPan(inst, 3), 0.0);
    EXPECT_DOUBLE_EQ(effect_tap_getTapTime(inst, 3), 0.0);
    EXPECT_DOUBLE_EQ(effect_tap_getGain(inst, 3), 0.0);
    EXPECT_DOUBLE_EQ(effect_tap_getCtlSens(inst, -1), 0.0);
    EXPECT_EQ(effect_tap_getCtlInvert(inst, 3), 0);
}

TEST(EffectClone, IntoTheInstrumentAndBack)
{
    instRec* inst = freshInst();
    effectHeader* h = effect_newHandle(effectMode_multitap);
    ASSERT_NE(h, nullptr);
    effectMultitapRec* tap = reinterpret_cast<effectMultitapRec*>(h);
    *tap = sampleTap();
    tap->maxBuf = 600000;
    EXPECT_EQ(effect_clone(inst, h, nullptr, 1), 1);
    EXPECT_EQ(inst->multitap.maxBuf, kEffectMaxBufInInst);
    EXPECT_FLOAT_EQ(inst->multitap.wet, 0.3f);
    EXPECT_EQ(effect_getMode(inst), effectMode_multitap);
    EXPECT_EQ(effect_getActive(inst), 1);
    EXPECT_EQ(tap->maxBuf, 600000);  // the source is not changed

    // Toward a preset, the instrument's on/off state goes into the record.
    effect_setActive(inst, 0);
    effectHeader* out = effect_newHandle(effectMode_multitap);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(effect_clone(inst, effect_getCurrentPtr(inst), out, 0), 1);
    effectMultitapRec* copy = reinterpret_cast<effectMultitapRec*>(out);
    EXPECT_EQ(copy->active, 0);
    EXPECT_EQ(inst->multitap.active, 0);
    EXPECT_EQ(copy->maxBuf, kEffectMaxBufInInst);
    EXPECT_FLOAT_EQ(copy->tapPan[2], 0.9f);

    // A target of another type would be overrun: refused.
    effectHeader* pipe = effect_newHandle(effectMode_pipe);
    ASSERT_NE(pipe, nullptr);
    effectPipeRec pipeBefore = *reinterpret_cast<effectPipeRec*>(pipe);
    EXPECT_EQ(effect_clone(inst, effect_getCurrentPtr(inst), pipe, 0), 0);
    EXPECT_EQ(0, std::memcmp(&pipeBefore, pipe, sizeof pipeBefore));

    // An unknown type leaves the effect off in mode 0.
    effect_setActive(inst, 1);
    h->type = 9;
    EXPECT_EQ(effect_clone(inst, h, nullptr, 1), 0);
    EXPECT_EQ(effect_getMode(inst), effectMode_none);
    EXPECT_EQ(effect_getActive(inst), 0);

    EXPECT_EQ(effect_newHandle(0), nullptr);
    EXPECT_EQ(effect_newHandle(4), nullptr);
    effectHeader* comb = effect_newHandle(effectMode_multicomb);
    ASSERT_NE(comb, nullptr);
    EXPECT_EQ(comb->size, 384);
    EXPECT_EQ(comb->magic, 0x6374);
    EXPECT_FLOAT_EQ(comb->tempo, 120.0f);
    EXPECT_EQ(pipe->size, 192);
    effect_deleteHandle(comb);
    effect_deleteHandle(pipe);
    effect_deleteHandle(out);
    effect_deleteHandle(h);
}

// ---- stored forms ----------------------------------------------------------------

class EffectChunk : public ChunkTest {};

TEST_F(EffectChunk, PipeRoundTripInBothByteOrders)
{
    effectPipeRec src = samplePipe();
    src.header.tempo = 140.0f;
    std::vector<unsigned char> bytes =
        writeChunk([&](fileRec* f, void* buf) { return effect_readWritePipe(f, &src, buf, 0); });
    ASSERT_EQ(chunkTypeOf(bytes), chunkType('p', 'i', 'p', 'e'));
    ASSERT_EQ(static_cast<size_t>(bodySize(bytes)), layoutBytes(kPipeLayout));
    for (bool swapped : {false, true}) {
        std::vector<unsigned char> in = bytes;
        if (swapped) swapChunk(in, kPipeLayout);
        effectPipeRec read;
        effect_initPipeRec(&read);
        read.header.tempo = 77.0f;
        ASSERT_EQ(readChunk(in, swapped,
                            [&](fileRec* f, void* buf) { return effect_readWritePipe(f, &read, buf, 1); }),
                  1);
        // The tempo is not stored: the record keeps its own.
        effectPipeRec expect = src;
        expect.header.tempo = 77.0f;
        EXPECT_EQ(0, std::memcmp(&expect, &read, sizeof read)) << (swapped ? "swapped" : "native");
    }
}

TEST_F(EffectChunk, MulticombRoundTripInBothByteOrders)
{
    effectMulticombRec src = sampleComb();
    std::vector<unsigned char> bytes =
        writeChunk([&](fileRec* f, void* buf) { return effect_readWriteMulticomb(f, &src, buf, 0); });
    ASSERT_EQ(chunkTypeOf(bytes), chunkType('m', 'C', 'm', 'b'));
    ASSERT_EQ(static_cast<size_t>(bodySize(bytes)), layoutBytes(kCombLayout));
    for (bool swapped : {false, true}) {
        std::vector<unsigned char> in = bytes;
        if (swapped) swapChunk(in, kCombLayout);
        effectMulticombRec read;
        effect_initMulticombRec(&read);
        ASSERT_EQ(
            readChunk(in, swapped,
                      [&](fileRec* f, void* buf) { return effect_readWriteMulticomb(f, &read, buf, 1); }),
            1);
        EXPECT_EQ(0, std::memcmp(&src, &read, sizeof read)) << (swapped ? "swapped" : "native");
    }
}

TEST_F(EffectChunk, MultitapRoundTripWithMasterTimeBeforeFeedback)
{
    effectMultitapRec src = sampleTap();
    std::vector<unsigned char> bytes =
        writeChunk([&](fileRec* f, void* buf) { return effect_readWriteMultitap(f, &src, buf, 0); });
    ASSERT_EQ(chunkTypeOf(bytes), chunkType('m', 'T', 'a', 'p'));
    ASSERT_EQ(static_cast<size_t>(bodySize(bytes)), layoutBytes(kTapLayout));
    // Slots after the header: active, wet, dry, count, flagA, flagB, then
    // the master time (slot 12) ahead of feedback (13); maxBuf in slot 16.
    float master, feedback;
    int32_t maxBuf;
    std::memcpy(&master, bytes.data() + 12 + 12 * 4, 4);
    std::memcpy(&feedback, bytes.data() + 12 + 13 * 4, 4);
    std::memcpy(&maxBuf, bytes.data() + 12 + 16 * 4, 4);
    EXPECT_FLOAT_EQ(master, 22050.0f);
    EXPECT_FLOAT_EQ(feedback, -0.25f);
    EXPECT_EQ(maxBuf, 123456);
    for (bool swapped : {false, true}) {
        std::vector<unsigned char> in = bytes;
        if (swapped) swapChunk(in, kTapLayout);
        effectMultitapRec read;
        effect_initMultitapRec(&read);
        ASSERT_EQ(
            readChunk(in, swapped,
                      [&](fileRec* f, void* buf) { return effect_readWriteMultitap(f, &read, buf, 1); }),
            1);
        EXPECT_EQ(0, std::memcmp(&src, &read, sizeof read)) << (swapped ? "swapped" : "native");
    }
}

TEST_F(EffectChunk, MultitapPansAreLimitedAfterReading)
{
    effectMultitapRec src = sampleTap();
    src.tapPan[0] = 0.0f;
    src.tapPan[1] = 1.5f;
    std::vector<unsigned char> bytes =
        writeChunk([&](fileRec* f, void* buf) { return effect_readWriteMultitap(f, &src, buf, 0); });
    effectMultitapRec read;
    effect_initMultitapRec(&read);
    ASSERT_EQ(readChunk(bytes, false,
                        [&](fileRec* f, void* buf) { return effect_readWriteMultitap(f, &read, buf, 1); }),
              1);
    EXPECT_FLOAT_EQ(read.tapPan[0], 1e-05f);
    EXPECT_FLOAT_EQ(read.tapPan[1], 0.9999f);
    EXPECT_FLOAT_EQ(read.tapPan[2], src.tapPan[2]);
}

TEST_F(EffectChunk, ShortBodiesAndForeignTypesAreHandledSafely)
{
    effectMultitapRec tap = sampleTap();
    std::vector<unsigned char> bytes =
        writeChunk([&](fileRec* f, void* buf) { return effect_readWriteMultitap(f, &tap, buf, 0); });
    for (int32_t cut : {bodySize(bytes) - 1, 24, 0}) {
        effectMultitapRec read;
        effect_initMultitapRec(&read);
        effectMultitapRec before = read;
        EXPECT_EQ(
            readChunk(shortened(bytes, cut), false,
                      [&](fileRec* f, void* buf) { return effect_readWriteMultitap(f, &read, buf, 1); }),
            0);
        EXPECT_EQ(0, std::memcmp(&before, &read, sizeof read)) << "body of " << cut;
    }

    // A pipe chunk whose header claims the multitap type is read as a pipe,
    // so a later copy never takes the larger record size.
    effectPipeRec pipe = samplePipe();
    pipe.header.type = effectMode_multitap;
    pipe.header.size = 384;
    std::vector<unsigned char> pipeBytes =
        writeChunk([&](fileRec* f, void* buf) { return effect_readWritePipe(f, &pipe, buf, 0); });
    effectPipeRec read;
    effect_initPipeRec(&read);
    ASSERT_EQ(readChunk(pipeBytes, false,
                        [&](fileRec* f, void* buf) { return effect_readWritePipe(f, &read, buf, 1); }),
              1);
    EXPECT_EQ(read.header.type, effectMode_pipe);
    EXPECT_EQ(read.header.size, 192);
    EXPECT_FLOAT_EQ(read.masterTime, 1234.5f);
}

TEST(EffectFlip, FlipsAreTheirOwnInverseAndSkipFlags)
{
    effectMultitapRec r = sampleTap();
    effectMultitapRec f = r;
    effect_flipMultitapRec(&f);
    EXPECT_EQ(f.tapActive[0], r.tapActive[0]);
    int32_t maxBuf = r.maxBuf;
    flipLong(&maxBuf);
    EXPECT_EQ(f.maxBuf, maxBuf);
    EXPECT_EQ(0, std::memcmp(&f.header.tempo, &r.header.tempo, 4));  // not stored, not swapped
    effect_flipMultitapRec(&f);
    EXPECT_EQ(0, std::memcmp(&f, &r, sizeof r));

    effectHeader h = r.header;
    effect_flipHeader(&h);
    int16_t magic = 0x6374;
    flipShort(&magic);
    EXPECT_EQ(h.magic, magic);
    EXPECT_EQ(effect_rangeLimitMultitap(nullptr), 0);
}
