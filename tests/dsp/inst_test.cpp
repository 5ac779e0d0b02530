// The instrument record: re-initialisation, accessors, the fade hand-shake,
// patch, pan and voice allocation.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

#include "dsp/dsp.h"
#include "iac/MorvaneIAC.h"
#include "iac/MorvaneIAC_plug.h"

namespace {

instRec* freshInst(int i = 0)
{
    fillTableSine(sineTable);
    instRec* inst = iac_getInst(i);
    inst->paused = 0;
    inst->fadeHandshake = 0;
    inst_reinit(inst);
    inst->paused = 0;
    return inst;
}

double msSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

TEST(Inst, ReinitSetsHeaderPatchAndModuleDefaults)
{
    instRec* inst = iac_getInst(2);
    std::memset(static_cast<void*>(inst), 0x5A, sizeof *inst);
    inst->paused = 0;
    inst->fadeHandshake = 0;
    inst->instanceNumber = 2;
    fillTableSine(sineTable);
    inst_reinit(inst);

    EXPECT_FLOAT_EQ(inst->engine0, 1.0f);
    EXPECT_FLOAT_EQ(inst->outGain, 0.25f);
    EXPECT_FLOAT_EQ(inst->engine8, 0.5f);
    EXPECT_EQ(inst->voicesInUse, 0);
    EXPECT_EQ(inst->pendingProgram, -1);
    EXPECT_EQ(inst->engine14, 128);
    EXPECT_EQ(inst->engine34, 0);
    EXPECT_EQ(inst->engine38, 0);
    EXPECT_FLOAT_EQ(inst->level[1], 0.0f);
    // The record stays paused for the caller to resume.
    EXPECT_EQ(inst->paused, 1);
    EXPECT_EQ(inst->pauseReason, 1);

    const patchRec* p = inst_getPatch(inst);
    EXPECT_EQ(p->preset, 0);
    EXPECT_EQ(p->poly, 4);
    EXPECT_FLOAT_EQ(p->amp, 1.0f);
    EXPECT_FLOAT_EQ(p->trans, 1.0f);
    EXPECT_FLOAT_EQ(p->pan, 0.5f);
    EXPECT_DOUBLE_EQ(p->retrigRate, 88200.0);
    EXPECT_STREQ(p->name, "default");

    // Oscillators, filters, modulators by slot; the master filter runs mono.
    for (short s = 0; s < 3; ++s) {
        EXPECT_EQ(inst->oscil[s].index, s);
        EXPECT_EQ(inst->oscil[s].active, 0);
        EXPECT_EQ(inst->mod[s].index, s);
        EXPECT_EQ(inst->mod[s].freqMode, 3);
    }
    EXPECT_EQ(inst->filter[3].mono, 1);
    EXPECT_EQ(inst->filter[0].mono, 0);
    EXPECT_EQ(inst->filterVoice[3][63].word, -1);
    // Modulation sources of every voice point at the shared constant 1.0.
    EXPECT_EQ(inst->oscilVoice[2][63].modSrc[8].get(), &gFloatOne);
    EXPECT_EQ(inst->oscilVoice[2][63].voice, 63);
    EXPECT_EQ(inst->envVoice[23][63].out.get(), &envDefaultOut);

    // Voices and allocation: nothing in use yet, every list entry -1.
    EXPECT_EQ(inst->voice[10].note, 64);
    EXPECT_NEAR(inst->voice[10].frequency, noteToPhaseIncrement(57.0), 1e-5);
    for (const auto& l : inst->alloc.list) {
        EXPECT_EQ(l.count, 0);
        EXPECT_EQ(l.voice[0], -1);
    }
    EXPECT_EQ(inst->alloc.minusOne[15], -1);

    // Chains cleared; the next free link is the first one.
    EXPECT_EQ(inst->instChain.count, 0);
    EXPECT_EQ(inst->instChain.nextFree.get(), &inst->instChain.link[0]);
    EXPECT_EQ(inst->voiceChain[5].link[23].proc, (uint32_t)proc_empty);

    // Preset waves: free, named "preset i", user list identifiers.
    EXPECT_EQ(inst->presetWave[3].type, waveType_free);
    EXPECT_STREQ(inst->presetWave[3].name, "preset 3");
    EXPECT_EQ((uint16_t)inst->presetWave[3].id, 0x7F03);
    EXPECT_FLOAT_EQ(inst->presetWave[3].data[256], 1.0f);

    // MIDI state, controllers, stored controllers, held notes.
    EXPECT_EQ(inst->midi.count, 0);
    EXPECT_EQ(inst->midi.noteMem[10], -1);
    EXPECT_FLOAT_EQ(inst->cc.bendRange, 24.0f);
    EXPECT_EQ(inst->storedCC.count, 9);
    EXPECT_EQ(inst->storedCC.rec[1].cc, 7);
    EXPECT_EQ(inst->storedCC.rec[1].value, 127);
    EXPECT_FLOAT_EQ(inst->cc.notemaps[9].factor[127], 1.0f);
    EXPECT_EQ(inst->cc.notemaps[9].kind, 3);
    EXPECT_EQ(inst->cc.notemaps[9].index, 3);
    // Velocity tables run from 1.0 (sens 1) everywhere after a reset.
    EXPECT_FLOAT_EQ(inst->velTables.table[0][0], 1.0f);

    // The effect starts in multicomb mode, off, with six comb buffers.
    EXPECT_EQ(inst->effect.mode, effectMode_multicomb);
    EXPECT_EQ(inst->effect.on, 0);
    EXPECT_EQ(inst->effect.routine, (uint32_t)proc_effectMulticomb);
    EXPECT_EQ(inst->effect.poolUsed, 6 * 32768);
    EXPECT_FALSE(inst->effect.buf[5].isNull());
    EXPECT_EQ(inst->effect.readOffset[0], 32768 - 220);
}

TEST(Inst, AccessorsClampOscillatorFilterAndVoiceIndices)
{
    instRec* inst = freshInst();
    EXPECT_EQ(inst_getOscilVoice(inst, 5, 70), &inst->oscilVoice[0][0]);
    EXPECT_EQ(inst_getOscilVoice(inst, 2, -1), &inst->oscilVoice[2][0]);
    EXPECT_EQ(inst_getOscilInst(inst, -3), &inst->oscil[0]);
    EXPECT_EQ(inst_getFilterInst(inst, 4), &inst->filter[0]);
    EXPECT_EQ(inst_getFilterInst(inst, 3), &inst->filter[3]);
    EXPECT_EQ(inst_getFilterVoice(inst, 3, 64), &inst->filterVoice[3][0]);
    EXPECT_EQ(inst_getModInst(inst, 3), &inst->mod[0]);
    EXPECT_EQ(inst_getInstanceNumber(inst), inst->instanceNumber);
}

TEST(Inst, PatchSettersClampAndPolyOutsideRangeRequestsNoRepatch)
{
    instRec* inst = freshInst(1);
    int32_t flag = 0;
    iac_plug_takeRepatch(1, &flag);  // drop anything earlier

    inst_patch_setPoly(inst, 0);
    inst_patch_setPoly(inst, 65);
    EXPECT_EQ(inst_patch_getPoly(inst), 4);
    EXPECT_EQ(iac_plug_takeRepatch(1, &flag), 0);
    inst_patch_setPoly(inst, 8);
    EXPECT_EQ(inst_patch_getPoly(inst), 8);
    EXPECT_EQ(iac_plug_takeRepatch(1, &flag), 1);
    EXPECT_EQ(flag, 0);

    patchRec p;
    patch_initPatchRec(&p, 5);
    patch_setPoly(&p, 0);
    EXPECT_EQ(p.poly, 1);
    patch_setPoly(&p, 99);
    EXPECT_EQ(p.poly, 64);
    patch_setAmp(&p, 20.0f);
    EXPECT_FLOAT_EQ(p.amp, 16.0f);
    patch_setAmp(&p, 1e-12f);
    EXPECT_EQ(p.amp, 0.0f);
    patch_setPreset(&p, 128);
    patch_setPreset(&p, -2);
    EXPECT_EQ(p.preset, 5);
    patch_setPreset(&p, -1);
    EXPECT_EQ(p.preset, -1);
    patch_setTrans(&p, 12.0f);
    EXPECT_FLOAT_EQ(p.trans, 2.0f);
    EXPECT_NEAR(patch_getTrans(&p), 12.0f, 1e-4);
    patch_setName(&p, "a name that is far longer than thirty-four characters");
    EXPECT_EQ(std::memcmp(p.name, "a name that is far longer than thi", 34), 0);

    // Getters of a missing record give the documented defaults.
    char name[40] = "x";
    patch_getName(nullptr, name);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(patch_getPoly(nullptr), 4);
    EXPECT_FLOAT_EQ(patch_getAmp(nullptr), 0.25f);
    EXPECT_FLOAT_EQ(patch_getPan(nullptr), 0.5f);
    EXPECT_FLOAT_EQ(inst_patch_getAmp(nullptr), 0.0f);

    // Output gain follows amplitude over polyphony, at most 16.
    inst_patch_setAmp(inst, 16.0f);
    inst_patch_setPoly(inst, 1);
    inst_adjustOutAmp(inst);
    EXPECT_FLOAT_EQ(inst->outGain, 16.0f);
    inst_patch_setPoly(inst, 8);
    inst_adjustOutAmp(inst);
    EXPECT_FLOAT_EQ(inst->outGain, 2.0f);
}

TEST(Inst, PanTablesAndControllerTable)
{
    instRec* inst = freshInst();
    const panInstRec* pan = &inst->pan;
    EXPECT_FLOAT_EQ(pan->left[0], 0.999f);
    EXPECT_FLOAT_EQ(pan->left[1023], 0.0001f);
    EXPECT_FLOAT_EQ(pan->right[0], pan->left[1023 - 0] == 0.0001f ? pan->right[0] : 0);
    EXPECT_FLOAT_EQ(pan->right[1023], 0.999f);
    EXPECT_NEAR(pan->left[512], std::sqrt(0.5), 1e-6);
    EXPECT_EQ(pan->position, 512);

    pan_setVal(inst, 1.0f);
    EXPECT_EQ(pan->position, 1023);
    pan_setVal(inst, -3.0f);
    EXPECT_EQ(pan->position, 0);
    pan_setVal(inst, 0.5f);
    EXPECT_EQ(pan->position, 512);
    EXPECT_FLOAT_EQ(pan->ctl[64], 0.5f);
    EXPECT_FLOAT_EQ(pan->ctl[0], 0.0f);
    for (int i = 1; i < 128; ++i) EXPECT_GE(pan->ctl[i], pan->ctl[i - 1]);

    inst_patch_setPan(inst, 0.25f);
    EXPECT_FLOAT_EQ(inst_patch_getPan(inst), 0.25f);
    EXPECT_EQ(pan->position, 256);
}

TEST(Inst, PresetWaveSlotsRunOutAtEight)
{
    instRec* inst = freshInst();
    for (int i = 0; i < 8; ++i) {
        short id = inst_newPresetWave(inst);
        EXPECT_EQ(id, 32512 + i);
        char expect[16];
        std::snprintf(expect, sizeof expect, "preset %d", i + 1);
        EXPECT_STREQ(inst->presetWave[i].name, expect);
        EXPECT_EQ(inst->presetWave[i].type, waveType_user);
    }
    instRec before;
    std::memcpy(static_cast<void*>(&before), inst, sizeof before);
    EXPECT_EQ(inst_newPresetWave(inst), -1);
    EXPECT_EQ(std::memcmp(&before, inst, sizeof before), 0);
}

TEST(Inst, EngineAudioSettings)
{
    audio_setInternalBufferSize(512);
    audio_setVectorSize(256);
    audio_setSR(48000.0f);
    EXPECT_FLOAT_EQ(SRRatioUp, 44100.0f / 48000.0f);
    EXPECT_FLOAT_EQ(SRRatioDown, 48000.0f / 44100.0f);
    EXPECT_NEAR(bufferMicroscale, 48000.0 / 512 * 1e-6 * 1.02, 1e-12);
    EXPECT_GT(SRFilterOffset, 0.0f);  // 100 Hz sits lower in index at a higher rate
    audio_setInternalBufferSize(8);
    EXPECT_EQ(bufferSize, 32);
    EXPECT_EQ(vectorSize, 32);  // cut to the buffer
    EXPECT_FLOAT_EQ(vectorSizef, 32 / 44100.0f);
    audio_setVectorSize(100);
    EXPECT_EQ(vectorSize, 32);
    audio_setInternalBufferSize(0);  // ignored
    EXPECT_EQ(bufferSize, 32);
    // Sizes above what the shared short holds are limited, never wrapped.
    for (long n : {40000L, 65536L, 100000L, 32767L}) {
        audio_setInternalBufferSize(n);
        EXPECT_EQ(bufferSize, 32767) << n;
        EXPECT_NEAR(bufferMicroscale, 48000.0 / 32767 * 1e-6 * 1.02, 1e-12) << n;
    }
    audio_setInternalBufferSize(256);
    EXPECT_EQ(bufferSize, 256);
}

TEST(Inst, FadeHandshakeEndsAfterSixteenWaitsWithoutAnAnswer)
{
    instRec* inst = freshInst(3);
    auto t0 = std::chrono::steady_clock::now();
    inst_pauseAudio(inst, 7);
    double waited = msSince(t0);
    EXPECT_GE(waited, 16 * 16 * 0.9);
    EXPECT_EQ(inst->paused, 1);
    EXPECT_EQ(inst->pauseReason, 7);
    EXPECT_EQ(inst->fadeHandshake, 0);
    EXPECT_FLOAT_EQ(inst->fadeGain[0], 1.0f);

    // A second pause while paused does nothing: no second fade.
    t0 = std::chrono::steady_clock::now();
    inst_pauseAudio(inst, 9);
    EXPECT_LT(msSince(t0), 5.0);
    EXPECT_EQ(inst->pauseReason, 7);

    inst_resumeAudio(inst);
    EXPECT_EQ(inst->paused, 0);
    EXPECT_EQ(inst->pauseReason, 0);
    EXPECT_FLOAT_EQ(inst->fadeGain[1], 0.0f);
    inst_pauseAudio(nullptr, 1);
    inst_resumeAudio(nullptr);
}

TEST(Inst, FadeHandshakeStopsEarlyWhenThePlugInAnswers)
{
    instRec* inst = freshInst(4);
    std::atomic<bool> stop{false};
    std::atomic<int> answered{0};
    std::thread plugin([&] {
        while (!stop) {
            int a = iac_plug_answerFade(4);
            if (a) answered |= 1 << a;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    auto t0 = std::chrono::steady_clock::now();
    inst_pauseAudio(inst, 1);
    inst_resumeAudio(inst);
    double both = msSince(t0);
    stop = true;
    plugin.join();
    EXPECT_LT(both, 100.0);  // two answered fades wait one period each
    EXPECT_EQ(answered.load(), (1 << 1) | (1 << 2));
    EXPECT_EQ(inst->fadeHandshake, 0);
    EXPECT_EQ(inst->paused, 0);
}

TEST(Inst, PatchInfoReflectsActiveModules)
{
    instRec* inst = freshInst();
    inst_patchInfoPrepare(inst);
    for (int i = 0; i < kPatchInfoWords; ++i) EXPECT_EQ(inst->patchInfo[i], 0) << i;
    EXPECT_EQ(inst_anOscilIsOn(inst), 0);

    inst->oscil[1].active = 1;
    inst->filter[1].active = 1;
    inst->filter[0].active = 1;  // its slot is off
    inst->mod[1].active = 1;
    inst->filter[3].active = 1;  // mono by default
    inst->waveshape.active = 1;
    inst->effect.on = 1;
    inst_patchInfoPrepare(inst);
    EXPECT_EQ(inst_anOscilIsOn(inst), 1);
    EXPECT_EQ(inst->patchInfo[1], 1);
    EXPECT_EQ(inst->patchInfo[4], 0);
    EXPECT_EQ(inst->patchInfo[5], 1);
    EXPECT_EQ(inst->patchInfo[9], 1);
    EXPECT_EQ(inst->patchInfo[12], 1);
    EXPECT_EQ(inst->patchInfo[13], 0);
    EXPECT_EQ(inst->patchInfo[14], 0);
    EXPECT_EQ(inst->patchInfo[15], 1);
    EXPECT_EQ(inst->patchInfo[16], 1);
}

TEST(Voice, ReleaseAndStateUpdateMoveVoicesBetweenLists)
{
    instRec* inst = freshInst();
    inst->voicesInUse = 4;
    voice_initVoiceAllocationRec(inst, &inst->alloc);
    EXPECT_EQ(inst->alloc.list[0].count, 4);
    EXPECT_EQ(inst->alloc.list[0].voice[3], 3);

    // The envelope of slot 0 reports voice 2 playing: it leaves the free list.
    inst->env[0].shown = 1;
    inst->env[0].param = 1;
    inst->envVoice[0][2].state = 3;
    inst->voice[2].state = 0;
    voice_updateState(inst, 2);
    EXPECT_EQ(inst->voice[2].state, 3);
    EXPECT_EQ(inst->alloc.list[0].count, 3);
    EXPECT_EQ(inst->alloc.list[0].voice[0], 0);
    EXPECT_EQ(inst->alloc.list[0].voice[1], 1);
    EXPECT_EQ(inst->alloc.list[0].voice[2], 3);
    EXPECT_EQ(inst->alloc.position[3], 2);
    EXPECT_EQ(inst->alloc.list[3].count, 1);
    EXPECT_EQ(inst->alloc.list[3].voice[0], 2);
    EXPECT_EQ(voice_howManyArePlaying(inst), 1);

    // Note off: the voice moves to the releasing list, its note is cleared and
    // its envelope is released.
    inst->voice[2].note = 60;
    inst->env[0].sustainPoint = 1;
    voice_release(inst, 2);
    EXPECT_EQ(inst->voice[2].state, 1);
    EXPECT_EQ(inst->voice[2].note, -1);
    EXPECT_EQ(inst->voice[2].gate, 0);
    EXPECT_EQ(inst->alloc.list[3].count, 0);
    EXPECT_EQ(inst->alloc.list[1].count, 1);
    EXPECT_EQ(inst->envVoice[0][2].state, 1);
    EXPECT_EQ(inst->envVoice[0][2].curBp, 1);

    // With the sustain pedal down only the gate drops.
    inst->voice[1].state = 3;
    inst->midi.sustain = 100;
    voice_release(inst, 1);
    EXPECT_EQ(inst->voice[1].state, 3);
    EXPECT_EQ(inst->voice[1].gate, 0);
    inst->midi.sustain = 0;

    // State 2 is sticky; a finished envelope (state 0) frees the voice (6).
    inst->envVoice[0][2].state = 0;
    voice_updateState(inst, 2);
    EXPECT_EQ(inst->voice[2].state, 6);
    EXPECT_EQ(inst->alloc.list[1].count, 0);
    EXPECT_EQ(inst->alloc.list[0].count, 4);

    // Out-of-range voices are ignored.
    voice_updateState(inst, -1);
    voice_updateState(inst, 64);
    voice_release(inst, 99);
}

TEST(Voice, FrequencyFollowsTranspositionAndGuardsTheTuningIndex)
{
    instRec* inst = freshInst();
    // Fill slot 0 with a plain table so the test does not depend on start-up.
    tune_list[0].id = 1;
    for (int n = 0; n < 128; ++n) tune_list[0].incr[n] = noteToPhaseIncrement(n);
    inst_patch_setTrans(inst, 12.0f);
    EXPECT_NEAR(voice_calcFreq(inst, 69), 2 * noteToPhaseIncrement(69), 1e-4);
    // A tuning index that names no tuning falls back to slot 0.
    inst->patch.microtune = 777;
    EXPECT_NEAR(voice_calcFreq(inst, 69), 2 * noteToPhaseIncrement(69), 1e-4);
    inst->patch.microtune = -5;
    EXPECT_NEAR(voice_calcFreq(inst, 60), 2 * noteToPhaseIncrement(60), 1e-4);

    inst->voicesInUse = 2;
    inst->voice[0].note = 60;
    inst->voice[1].note = 72;
    inst->patch.microtune = 0;
    inst_patch_setTrans(inst, 0.0f);
    EXPECT_NEAR(inst->voice[1].frequency, noteToPhaseIncrement(72), 1e-4);
}

TEST(Voice, ReleasingVoicesKeepTheirPitchWhenTranspositionOrTuningMoves)
{
    instRec* inst = freshInst();
    tune_init();
    const double a4 = noteToPhaseIncrement(69);
    inst->voicesInUse = 2;
    inst->voice[0].note = 69;
    inst->voice[0].state = 3;
    inst->voice[1].note = 69;
    inst->voice[1].state = 3;
    inst_patch_setTrans(inst, 0.0f);
    EXPECT_NEAR(inst->voice[1].frequency, a4, 1e-4);
    // Voice 1 is released (note -1); transposing +2 moves the held voice only:
    // the release tail keeps sounding A4, not note 0 transposed (about 9 Hz).
    voice_release(inst, 1);
    ASSERT_EQ(inst->voice[1].note, -1);
    inst_patch_setTrans(inst, 2.0f);
    EXPECT_NEAR(inst->voice[0].frequency, a4 * std::pow(2.0, 2.0 / 12.0), 1e-3);
    EXPECT_NEAR(inst->voice[1].frequency, a4, 1e-4);
    // A new tuning treats the releasing voice the same way.
    tune_set(inst, 1);
    EXPECT_NEAR(inst->voice[1].frequency, a4, 1e-4);
    EXPECT_NEAR(inst->voice[0].frequency, std::pow(2.0, 2.0 / 12.0) * tune_list[1].incr[69], 1e-3);
    // A note word a plug-in damaged is no note either.
    inst->voice[0].note = 300;
    inst_patch_setTrans(inst, 5.0f);
    EXPECT_NEAR(inst->voice[0].frequency, std::pow(2.0, 2.0 / 12.0) * tune_list[1].incr[69], 1e-3);
}
