// Instance operations: re-initialisation, the fade hand-shake with the
// plug-in's audio code, and values derived from the patch.
#include "dsp/inst.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "dsp/conversion.h"
#include "dsp/fixedText.h"
#include "iac/MorvaneIAC.h"

long g_instanceNumber = 0;

void dsp_sleepMs(int ms)
{
    struct timespec ts;
    ts.tv_sec = ms / 1000;
    ts.tv_nsec = (long)(ms % 1000) * 1000000L;
    while (nanosleep(&ts, &ts) != 0) {}
}

// ---- fade hand-shake ----------------------------------------------------
// The audio code acknowledges a request by changing the hand-shake word;
// without an answer the wait ends after kFadeWaits periods and the program
// proceeds as if it had been answered.
namespace {
void waitWhileHandshakeIs(instRec* inst, int16_t value)
{
    volatile int16_t* word = &inst->fadeHandshake;
    for (int i = 0; i < kFadeWaits; ++i) {
        dsp_sleepMs(kFadeWaitMs);
        if (*word != value) break;
    }
}
}  // namespace

void inst_fadeOut(instRec* inst)
{
    if (!inst) return;
    inst->fadeGain[0] = 1.0f;
    inst->fadeGain[1] = 1.0f;
    inst->fadeHandshake = fade_outRequested;
    waitWhileHandshakeIs(inst, fade_outRequested);
    inst->fadeHandshake = fade_idle;
}

void inst_fadeIn(instRec* inst)
{
    if (!inst) return;
    inst->fadeGain[0] = 0.0f;
    inst->fadeGain[1] = 0.0f;
    inst->fadeHandshake = fade_inRequested;
    waitWhileHandshakeIs(inst, fade_inRequested);
    inst->fadeHandshake = fade_idle;
    inst->pauseReason = 0;
}

void inst_pauseAudio(instRec* inst, int reason)
{
    if (!inst || inst->paused) return;
    inst->pauseReason = reason;
    inst_fadeOut(inst);
    inst->paused = 1;
}

void inst_resumeAudio(instRec* inst)
{
    if (!inst) return;
    inst->paused = 0;
    inst_fadeIn(inst);
}

// ---- chains and derived values ------------------------------------------
void inst_buildChains(instRec* inst, int flag)
{
    if (!inst) return;
    iac_mvn_repatch(inst_getInstanceNumber(inst), flag);
    dsp_sleepMs(16);
}

void inst_alloff(instRec* inst)
{
    if (!inst) return;
    inst_pauseAudio(inst, 1);
    inst_clearBuffers(inst);
    inst_buildChains(inst, 1);
}

void inst_adjustOutAmp(instRec* inst)
{
    if (!inst) return;
    int poly = inst->patch.poly > 0 ? inst->patch.poly : 1;
    float g = inst->patch.amp / poly;
    if (g > 16.0f) g = 16.0f;
    inst->outGain = g;
}

void inst_updatePitch(instRec* inst)
{
    if (!inst) return;
    int n = inst->voicesInUse;
    if (n > kVoices) n = kVoices;
    for (int v = 0; v < n; ++v) {
        voiceRec* voice = &inst->voice[v];
        // Releasing voices keep their pitch (as tune_set keeps it).
        if (voice_hasNote(voice)) voice->frequency = voice_calcFreq(inst, voice->note);
    }
}

short inst_newPresetWave(instRec* inst)
{
    if (!inst) return -1;
    for (short slot = 0; slot < kPresetWaves; ++slot) {
        waveRec* w = &inst->presetWave[slot];
        if (w->type != waveType_free) continue;
        w->type = waveType_user;
        char name[32];
        std::snprintf(name, sizeof name, "preset %d", slot + 1);
        fixedText_set(w->name, sizeof w->name, name);
        return (short)(kWaveUserBaseID + slot);
    }
    return -1;
}

void inst_initEffect(instRec* inst)
{
    if (!inst) return;
    effect_initPipeRec(&inst->pipe);
    effect_initMulticombRec(&inst->multicomb);
    effect_initMultitapRec(&inst->multitap);
    effect_initDspRec(inst);
}

int inst_anOscilIsOn(instRec* inst)
{
    if (!inst) return 0;
    for (short s = 0; s < kOscils; ++s)
        if (inst_getOscilInst(inst, s)->active) return 1;
    return 0;
}

void inst_patchInfoPrepare(instRec* inst)
{
    if (!inst) return;
    int32_t* info = inst->patchInfo;
    int any = 0;
    for (int s = 0; s < kOscils; ++s) {
        int on = inst->oscil[s].active != 0;
        any |= on;
        info[patchInfo_oscActive0 + s] = on;
        info[patchInfo_filterActive0 + s] = on && inst->filter[s].active != 0;
        info[patchInfo_modActive0 + s] = on && inst->mod[s].active != 0;
    }
    int wsOn = any && inst->waveshape.active != 0;
    info[patchInfo_waveshapePoly] = wsOn && !inst->waveshape.mono;
    info[patchInfo_waveshapeMono] = wsOn && inst->waveshape.mono;
    int f3On = any && inst->filter[3].active != 0;
    info[patchInfo_filter3Poly] = f3On && !inst->filter[3].mono;
    info[patchInfo_filter3Mono] = f3On && inst->filter[3].mono;
    info[patchInfo_effect] = any && inst->effect.on != 0;
}

void inst_clearBuffers(instRec*) {}

// ---- re-initialisation ---------------------------------------------------
void inst_reinit(instRec* inst)
{
    if (!inst) return;
    inst_pauseAudio(inst, 1);

    inst->voicesInUse = 0;
    inst->engine8 = 0.5f;
    inst->outGain = 0.25f;
    inst->engine0 = 1.0f;
    inst->engine14 = 128;
    inst->level[0] = inst->level[1] = inst->level[2] = 0.0f;
    inst->pendingProgram = -1;

    patch_initPatchRec(&inst->patch, 0);

    for (short s = 0; s < kOscils; ++s) {
        oscil_initInstRec(inst, &inst->oscil[s], s);
        for (short v = 0; v < kVoices; ++v) oscil_initVoiceRec(inst, &inst->oscilVoice[s][v], v);
    }
    for (short f = 0; f < kFilters; ++f) {
        filter_initInstRec(&inst->filter[f], f);
        for (short v = 0; v < kVoices; ++v) filter_initVoiceRec(&inst->filterVoice[f][v]);
    }
    filter_combBufClear(inst);
    for (short m = 0; m < kOscils; ++m) {
        mod_initInstRec(&inst->mod[m], m);
        for (short v = 0; v < kVoices; ++v) mod_initVoiceRec(inst, &inst->modVoice[m][v], v);
    }
    waveshape_initInstRec(&inst->waveshape);
    for (short v = 0; v < kVoices; ++v) waveshape_initVoiceRec(&inst->waveshapeVoice[v]);

    effect_initPipeRec(&inst->pipe);
    effect_initMulticombRec(&inst->multicomb);
    effect_initMultitapRec(&inst->multitap);
    effect_initDspRec(inst);

    for (short v = 0; v < kVoices; ++v) voice_initVoiceRec(inst, &inst->voice[v]);
    voice_initVoiceAllocationRec(inst, &inst->alloc);

    inst->engine38 = 0;
    inst->engine3C = 0;

    cc_initCCInstRec(&inst->cc);
    notemap_initInst(inst);
    vel_initVelInstRec(&inst->vel);
    vel_refillTables(inst);
    storedCC_initList(&inst->storedCC);

    pan_initInstRec(inst);
    pan_initVoiceRec(inst);

    for (short l = 0; l < kLfos; ++l) {
        lfo_initInstRec(&inst->lfo[l], l);
        for (short v = 0; v < kVoices; ++v) lfo_initVoiceRec(&inst->lfoVoice[l][v], l, v);
    }

    for (short v = 0; v < kVoices; ++v) chain_clearChain(&inst->voiceChain[v]);
    chain_clearChain(&inst->instChain);

    for (short e = 0; e < kEnvSlots; ++e) {
        env_initEnvInstRec(&inst->env[e], 0);
        for (short v = 0; v < kVoices; ++v) env_initEnvVoiceRec(inst, e, v);
    }

    for (short i = 0; i < kPresetWaves; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "preset %d", i);
        waveRecInit(&inst->presetWave[i], i, kWaveListUser, waveType_free, sineTable, name);
    }
    waveRecInit(&inst->waveUndo, 0, kWaveListUser, waveType_free, sineTable, "preset 0");
    waveRecInit(&inst->waveRedo, 0, kWaveListUser, waveType_free, sineTable, "preset 0");

    inst->engine34 = 0;
    midi_noteMemClear(inst);
    midi_clearBuffer(&inst->midi);
}
