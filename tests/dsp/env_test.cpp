// Envelopes: slots, default shapes, release of a voice, clean-up and the
// "env " stored form in both byte orders.
#include "chunk_roundtrip.h"

namespace {

// The body of one envelope: 76 bytes of header, 68 breakpoints of 16 bytes.
const std::string kEnvLayout = "s"
                               "ffff"
                               "sssssss"
                               "llll"
                               "d"
                               "l" +
                               repeatLayout("dll", kEnvBreakpoints);

envInstRec sampleEnv(short n)
{
    envInstRec e;
    env_initEnvInstRec(&e, static_cast<short>(3 + n));
    e.shown = 1;
    e.inUse = 1;
    e.global = n % 2;
    e.envMode = static_cast<int16_t>(1 + n % 4);
    e.channel = static_cast<int16_t>(n % 3);
    e.sustainPoint = -1;
    e.releasePoint = 2;
    e.lastPoint = 5;
    e.loopStart = 1;
    e.scale1 = 0.25f + n;
    e.offset = -1.5f;
    e.scale2 = 2.0f;
    e.scale3 = 3.0f;
    e.reserved = 1234.5678 + n;
    e.depth = 0.625f;
    for (int k = 0; k < kEnvBreakpoints; ++k)
        env_setBpParams(&e.bp[k], 100.25 * (k + 1) + n, 0.01f * k, 0.5f + 0.001f * k);
    return e;
}

void expectSameEnv(const envInstRec& a, const envInstRec& b)
{
    EXPECT_EQ(0, std::memcmp(&a, &b, sizeof a)) << "envelope records differ";
}

}  // namespace

TEST(EnvSlots, NewFindAndCount)
{
    instRec* inst = freshInst();
    EXPECT_EQ(env_count(inst), 0);
    EXPECT_EQ(env_findUnused(inst), 23);

    // With only slot 23 in use the highest free slot is 22, not 3.
    inst_getEnvInst(inst, 23)->inUse = 1;
    EXPECT_EQ(env_findUnused(inst), 22);
    EXPECT_EQ(env_count(inst), 1);

    // An amplitude envelope for channel 2 always replaces slot 2.
    inst_getEnvInst(inst, 2)->inUse = 1;
    inst_getEnvInst(inst, 2)->lastPoint = 9;
    EXPECT_EQ(env_new(inst, 2, envParam_amp), 2);
    const envInstRec* amp = inst_getEnvInst(inst, 2);
    EXPECT_EQ(amp->lastPoint, 2);
    EXPECT_EQ(amp->param, envParam_amp);
    EXPECT_EQ(amp->channel, 2);
    EXPECT_EQ(amp->shown, 1);
    EXPECT_EQ(amp->inUse, 1);
    EXPECT_FLOAT_EQ(amp->depth, 0.0f);  // the amplitude shape keeps its start at 0
    EXPECT_DOUBLE_EQ(amp->bp[0].time, 441.0);
    EXPECT_FLOAT_EQ(amp->bp[2].level, 0.0f);
    // No amplitude envelope for a channel that has no slot of its own.
    EXPECT_EQ(env_new(inst, 3, envParam_amp), -1);
    EXPECT_EQ(env_new(inst, -1, envParam_amp), -1);

    // Any other parameter takes the highest free slot with the flat shape.
    EXPECT_EQ(env_new(inst, 1, 5), 22);
    const envInstRec* flat = inst_getEnvInst(inst, 22);
    EXPECT_EQ(flat->param, 5);
    EXPECT_EQ(flat->channel, 1);
    EXPECT_FLOAT_EQ(flat->depth, 1.0f);
    EXPECT_DOUBLE_EQ(flat->bp[0].time, 882.0);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_DOUBLE_EQ(flat->bp[k].time, 22050.0);
        EXPECT_FLOAT_EQ(flat->bp[k].level, 1.0f);
        EXPECT_FLOAT_EQ(flat->bp[k].slope, 0.5f);
    }
    EXPECT_EQ(env_count(inst), 3);
}

TEST(EnvSlots, FullSlotsRefuseANewEnvelope)
{
    instRec* inst = freshInst();
    for (short s = 3; s < kEnvSlots; ++s) inst_getEnvInst(inst, s)->inUse = 1;
    std::vector<envInstRec> before(inst->env, inst->env + kEnvSlots);
    EXPECT_EQ(env_findUnused(inst), -1);
    EXPECT_EQ(env_new(inst, 0, 4), -1);
    EXPECT_EQ(0, std::memcmp(before.data(), inst->env, sizeof(envInstRec) * kEnvSlots));
    // Slots 0..2 never serve other parameters, even when free.
    EXPECT_EQ(inst_getEnvInst(inst, 0)->inUse, 0);
}

TEST(EnvSlots, StoreToPresetCopiesInUseSlotsInOrder)
{
    instRec* inst = freshInst();
    env_new(inst, 0, envParam_amp);  // slot 0
    env_new(inst, 0, 7);             // slot 23
    env_new(inst, 2, 8);             // slot 22
    std::vector<envInstRec> list(3);
    EXPECT_EQ(env_storeToPreset(inst, list.data(), 3), 3);
    EXPECT_EQ(list[0].param, envParam_amp);
    EXPECT_EQ(list[1].param, 8);  // slot 22 before slot 23
    EXPECT_EQ(list[2].param, 7);
    // A shorter list gets only the first in-use slots.
    std::vector<envInstRec> two(2);
    EXPECT_EQ(env_storeToPreset(inst, two.data(), 2), 2);
    EXPECT_EQ(two[1].param, 8);
    EXPECT_EQ(env_storeToPreset(inst, nullptr, 3), 0);

    envInstRec copy;
    EXPECT_EQ(env_clone(inst, &list[2], &copy, 0, 1), 1);
    expectSameEnv(list[2], copy);
    EXPECT_EQ(env_clone(inst, nullptr, &copy, 0, 1), 0);
}

TEST(EnvRelease, ReleaseScalesFromThePresentLevel)
{
    instRec* inst = freshInst();
    envInstRec* env = inst_getEnvInst(inst, 4);
    env_loadDefault(inst, 4, 0, 6);
    envVoiceRec* vs = inst_getEnvVoice(inst, 4, 9);

    // Idle voices are left alone.
    vs->levelScale = 0.3f;
    env_release(inst, env, vs, 0);
    EXPECT_EQ(vs->state, 0);
    EXPECT_FLOAT_EQ(vs->levelScale, 0.3f);

    // Past the release point of an envelope without sustain: only the scale.
    env->sustainPoint = -1;
    env->releasePoint = 1;
    vs->state = 2;
    vs->curBp = 2;
    vs->time = 77;
    env_release(inst, env, vs, 0);
    EXPECT_EQ(vs->state, 2);
    EXPECT_EQ(vs->curBp, 2);
    EXPECT_EQ(vs->time, 77);
    EXPECT_FLOAT_EQ(vs->levelScale, 1.0f);

    // An output of 0.5 below a release level of 1.0 halves the release.
    env->sustainPoint = 1;
    env->releasePoint = 2;
    env->bp[2].level = 1.0f;
    const float savedOut = envDefaultOut;
    envDefaultOut = 0.5f;
    vs->curBp = 1;
    env_release(inst, env, vs, 0);
    EXPECT_EQ(vs->state, 1);
    EXPECT_EQ(vs->time, 0);
    EXPECT_EQ(vs->curBp, 2);
    EXPECT_EQ(vs->nextBp, 3);
    EXPECT_FLOAT_EQ(vs->startValue, 0.5f);
    EXPECT_FLOAT_EQ(vs->levelScale, 0.5f);

    // Above the release level the scale is 1; an output of exactly 0 starts
    // the segment at 0 but scales as a tiny level.
    envDefaultOut = 1.5f;
    env_release(inst, env, vs, 0);
    EXPECT_FLOAT_EQ(vs->levelScale, 1.0f);
    envDefaultOut = 0.0f;
    env->bp[2].level = 0.5f;
    env_release(inst, env, vs, 0);
    EXPECT_FLOAT_EQ(vs->startValue, 0.0f);
    EXPECT_NEAR(vs->levelScale, 0.000002f, 1e-9);

    // A release point beyond the curve is read as the last breakpoint.
    env->releasePoint = 500;
    env->bp[kEnvBreakpoints - 1].level = 0.25f;
    envDefaultOut = 0.125f;
    env_release(inst, env, vs, 0);
    EXPECT_EQ(vs->curBp, kEnvBreakpoints - 1);
    EXPECT_FLOAT_EQ(vs->levelScale, 0.5f);
    envDefaultOut = savedOut;
}

TEST(EnvRelease, ReleaseVoiceSkipsUnusedAndWaitsForGlobal)
{
    instRec* inst = freshInst();
    env_loadDefault(inst, 5, 0, 6);  // per voice
    env_loadDefault(inst, 6, 0, 6);  // global
    inst_getEnvInst(inst, 6)->global = 1;
    inst_getEnvVoice(inst, 7, 3)->state = 2;  // slot 7 has no parameter
    inst_getEnvVoice(inst, 5, 3)->state = 2;
    inst_getEnvVoice(inst, 6, 0)->state = 2;

    // Voice 3 playing: the global envelope is not released yet.
    inst->alloc.list[3].count = 1;
    env_releaseVoice(inst, 3, 0);
    EXPECT_EQ(inst_getEnvVoice(inst, 5, 3)->state, 1);
    EXPECT_EQ(inst_getEnvVoice(inst, 7, 3)->state, 2);
    EXPECT_EQ(inst_getEnvVoice(inst, 6, 0)->state, 2);

    // No voice playing any more: the global envelope's voice-0 state goes.
    inst->alloc.list[3].count = 0;
    inst->alloc.list[1].count = 0;
    env_releaseVoice(inst, 3, 0);
    EXPECT_EQ(inst_getEnvVoice(inst, 6, 0)->state, 1);

    // A voice number out of range does nothing.
    inst_getEnvVoice(inst, 5, 0)->state = 2;
    env_releaseVoice(inst, 64, 0);
    env_releaseVoice(inst, -1, 0);
    EXPECT_EQ(inst_getEnvVoice(inst, 5, 0)->state, 2);
}

TEST(EnvRelease, NotifyMovesTheVoiceToTheReleasingList)
{
    instRec* inst = freshInst();
    inst->voicesInUse = 8;
    voice_initVoiceAllocationRec(inst, &inst->alloc);
    env_new(inst, 0, envParam_amp);
    // Voice 4 plays: state 3 in list 3, as is its amplitude envelope.
    inst->voice[4].state = 3;
    inst->alloc.list[3].count = 1;
    inst->alloc.list[3].voice[0] = 4;
    inst->alloc.position[4] = 0;
    inst_getEnvVoice(inst, 0, 4)->state = 3;

    env_releaseVoice(inst, 4, 1);
    EXPECT_EQ(inst_getEnvVoice(inst, 0, 4)->state, 1);
    EXPECT_EQ(inst->voice[4].state, 1);
    EXPECT_EQ(inst->alloc.list[3].count, 0);
    EXPECT_EQ(inst->alloc.list[1].count, 1);
    EXPECT_EQ(inst->alloc.list[1].voice[0], 4);
}

TEST(EnvSlots, MakeNormalFlushesTinyValues)
{
    instRec* inst = freshInst();
    envInstRec* env = inst_getEnvInst(inst, 10);
    env_loadDefault(inst, 10, 0, 3);
    env->bp[0].time = 0.0;
    env->bp[1].level = -0.2f;
    env->bp[2].slope = 1e-12f;
    env->bp[3].time = -5.0;
    env->bp[4].level = 0.75f;
    env->bp[4].time = 0.0002;
    env->depth = 5e-10f;
    inst_getEnvInst(inst, 23)->bp[67].level = 1e-10f;
    env_makeNormal(inst);
    EXPECT_DOUBLE_EQ(env->bp[0].time, 0.0001);
    EXPECT_FLOAT_EQ(env->bp[1].level, 0.0f);
    EXPECT_FLOAT_EQ(env->bp[2].slope, 0.0f);
    EXPECT_DOUBLE_EQ(env->bp[3].time, 0.0001);
    EXPECT_FLOAT_EQ(env->bp[4].level, 0.75f);
    EXPECT_DOUBLE_EQ(env->bp[4].time, 0.0002);
    EXPECT_FLOAT_EQ(env->depth, 0.0f);
    EXPECT_FLOAT_EQ(inst_getEnvInst(inst, 23)->bp[67].level, 0.0f);
}

// ---- stored form ---------------------------------------------------------------

class EnvChunk : public ChunkTest {
protected:
    std::vector<unsigned char> writeList(short count, envInstRec* list)
    {
        return writeChunk(
            [&](fileRec* f, void* buf) { return env_readWriteEnvList(f, &count, &list, buf, 0); });
    }
};

TEST_F(EnvChunk, RoundTripInBothByteOrders)
{
    std::vector<envInstRec> list;
    for (short n = 0; n < 3; ++n) list.push_back(sampleEnv(n));
    std::vector<unsigned char> bytes = writeList(3, list.data());
    ASSERT_EQ(chunkTypeOf(bytes), chunkType('e', 'n', 'v', ' '));
    EXPECT_EQ(bodySize(bytes), 4 + 3 * 1164);
    EXPECT_EQ(static_cast<size_t>(bodySize(bytes)), layoutBytes("s" + repeatLayout(kEnvLayout, 3)));
    // The count's slot padding and every flag slot's padding are zero.
    EXPECT_EQ(bytes[12 + 2], 0);
    EXPECT_EQ(bytes[12 + 3], 0);
    EXPECT_EQ(bytes[12 + 4 + 4 + 1], 0);

    for (bool swapped : {false, true}) {
        std::vector<unsigned char> in = bytes;
        if (swapped) swapChunk(in, "s" + repeatLayout(kEnvLayout, 3));
        short count = 0;
        envInstRec* read = nullptr;
        ASSERT_EQ(
            readChunk(in, swapped,
                      [&](fileRec* f, void* buf) { return env_readWriteEnvList(f, &count, &read, buf, 1); }),
            1);
        ASSERT_EQ(count, 3);
        ASSERT_NE(read, nullptr);
        for (int n = 0; n < 3; ++n) expectSameEnv(list[n], read[n]);
        env_deleteList(read);
    }
}

TEST_F(EnvChunk, CountAbove24KeepsOnly24)
{
    std::vector<envInstRec> list;
    for (short n = 0; n < 30; ++n) list.push_back(sampleEnv(n));
    std::vector<unsigned char> bytes = writeList(30, list.data());
    EXPECT_EQ(bodySize(bytes), 4 + 24 * 1164);
    short count = 0;
    envInstRec* read = nullptr;
    ASSERT_EQ(
        readChunk(bytes, false,
                  [&](fileRec* f, void* buf) { return env_readWriteEnvList(f, &count, &read, buf, 1); }),
        1);
    EXPECT_EQ(count, 24);
    expectSameEnv(list[23], read[23]);
    env_deleteList(read);
    read = nullptr;

    // A file that claims 30 but holds 24 envelopes reads the same 24.
    int16_t thirty = 30;
    std::memcpy(bytes.data() + 12, &thirty, 2);
    ASSERT_EQ(
        readChunk(bytes, false,
                  [&](fileRec* f, void* buf) { return env_readWriteEnvList(f, &count, &read, buf, 1); }),
        1);
    EXPECT_EQ(count, 24);
    env_deleteList(read);
}

TEST_F(EnvChunk, NegativeCountReadsAsEmpty)
{
    std::vector<unsigned char> bytes = writeList(0, nullptr);
    EXPECT_EQ(bodySize(bytes), 4);
    int16_t negative = -5;
    std::memcpy(bytes.data() + 12, &negative, 2);
    short count = 9;
    envInstRec* read = env_newList(2);
    ASSERT_EQ(
        readChunk(bytes, false,
                  [&](fileRec* f, void* buf) { return env_readWriteEnvList(f, &count, &read, buf, 1); }),
        1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(read, nullptr);
}

TEST_F(EnvChunk, ShortBodyLeavesTheListAlone)
{
    std::vector<envInstRec> list = {sampleEnv(0), sampleEnv(1)};
    std::vector<unsigned char> bytes = writeList(2, list.data());
    envInstRec* keep = env_newList(1);
    keep[0] = sampleEnv(7);
    for (int32_t cut : {4 + 1164 + 1163, 4 + 1164, 3, 0}) {
        short count = 1;
        envInstRec* read = keep;
        EXPECT_EQ(
            readChunk(shortened(bytes, cut), false,
                      [&](fileRec* f, void* buf) { return env_readWriteEnvList(f, &count, &read, buf, 1); }),
            0)
            << "body of " << cut << " bytes";
        EXPECT_EQ(count, 1);
        EXPECT_EQ(read, keep);
    }
    expectSameEnv(keep[0], sampleEnv(7));
    env_deleteList(keep);
}

TEST_F(EnvChunk, FlipsSwapNumbersButNotFlags)
{
    envInstRec e = sampleEnv(1);
    envInstRec twice = e;
    env_flipEnvInstRec(&twice);
    EXPECT_EQ(twice.shown, e.shown);
    EXPECT_EQ(twice.global, e.global);
    int16_t lastPoint = e.lastPoint;
    flipShort(&lastPoint);
    EXPECT_EQ(twice.lastPoint, lastPoint);
    env_flipEnvInstRec(&twice);
    expectSameEnv(e, twice);

    envBreakpointRec bp = {123.0, 0.5f, 2.0f};
    env_flipBp(&bp);
    double t = 123.0;
    flipDouble(&t);
    EXPECT_EQ(0, std::memcmp(&bp.time, &t, 8));
}
