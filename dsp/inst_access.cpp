// Record accessors and the patch accessors on the instrument.
#include <cstring>

#include "dsp/inst.h"

namespace {
short clampIndex(short i, short count) { return (i < 0 || i >= count) ? 0 : i; }
}  // namespace

patchRec* inst_getPatch(instRec* inst) { return &inst->patch; }

oscil_instRec* inst_getOscilInst(instRec* inst, short osc) { return &inst->oscil[clampIndex(osc, kOscils)]; }

oscil_voiceRec* inst_getOscilVoice(instRec* inst, short osc, short voice)
{
    return &inst->oscilVoice[clampIndex(osc, kOscils)][clampIndex(voice, kVoices)];
}

filterInstRec* inst_getFilterInst(instRec* inst, short filter)
{
    return &inst->filter[clampIndex(filter, kFilters)];
}

filterVoiceRec* inst_getFilterVoice(instRec* inst, short filter, short voice)
{
    return &inst->filterVoice[clampIndex(filter, kFilters)][clampIndex(voice, kVoices)];
}

modInstRec* inst_getModInst(instRec* inst, short mod) { return &inst->mod[clampIndex(mod, kOscils)]; }

modVoiceRec* inst_getModVoice(instRec* inst, short mod, short voice)
{
    return &inst->modVoice[clampIndex(mod, kOscils)][clampIndex(voice, kVoices)];
}

waveshapeInstRec* inst_getWaveshapeInst(instRec* inst) { return &inst->waveshape; }

// Envelope, LFO and voice accessors do not clamp: callers keep the indices in
// range, as the plug-in side does.
envInstRec* inst_getEnvInst(instRec* inst, short env) { return &inst->env[env]; }
envVoiceRec* inst_getEnvVoice(instRec* inst, short env, short voice) { return &inst->envVoice[env][voice]; }
lfoInstRec* inst_getLfoInst(instRec* inst, short lfo) { return &inst->lfo[lfo]; }
lfoVoiceRec* inst_getLfoVoice(instRec* inst, short lfo, short voice) { return &inst->lfoVoice[lfo][voice]; }
voiceRec* inst_getVoice(instRec* inst, short voice) { return &inst->voice[voice]; }

velInstRec* inst_getVel(instRec* inst) { return &inst->vel; }
velInstTables* inst_getVelTables(instRec* inst) { return &inst->velTables; }
ccInstRec* inst_getCcInstRec(instRec* inst) { return &inst->cc; }
panInstRec* inst_getPanInst(instRec* inst) { return &inst->pan; }
midiRec* inst_getMidi(instRec* inst) { return &inst->midi; }
storedCCList* inst_getStoredCC(instRec* inst) { return &inst->storedCC; }
waveRec* inst_getPresetWave(instRec* inst, short slot)
{
    return &inst->presetWave[clampIndex(slot, kPresetWaves)];
}
effectPipeRec* inst_getEffectPipe(instRec* inst) { return &inst->pipe; }
effectMulticombRec* inst_getEffectMulticomb(instRec* inst) { return &inst->multicomb; }
effectMultitapRec* inst_getEffectMultitap(instRec* inst) { return &inst->multitap; }
effectDspRec* inst_getEffectDsp(instRec* inst) { return &inst->effect; }
int inst_getInstanceNumber(instRec* inst) { return inst->instanceNumber; }

// ---- patch accessors -----------------------------------------------------
short inst_patch_getPoly(instRec* inst) { return inst ? patch_getPoly(&inst->patch) : 4; }

void inst_patch_setPoly(instRec* inst, short poly)
{
    if (!inst || poly < 1 || poly > 64) return;
    patch_setPoly(&inst->patch, poly);
    inst_buildChains(inst, 0);
}

float inst_patch_getAmp(instRec* inst) { return inst ? patch_getAmp(&inst->patch) : 0.0f; }

void inst_patch_setAmp(instRec* inst, float amp)
{
    if (inst) patch_setAmp(&inst->patch, amp);
}

float inst_patch_getTrans(instRec* inst) { return inst ? patch_getTrans(&inst->patch) : 0.0f; }

void inst_patch_setTrans(instRec* inst, float semitones)
{
    if (!inst) return;
    patch_setTrans(&inst->patch, semitones);
    inst_updatePitch(inst);
}

float inst_patch_getPan(instRec* inst) { return inst ? patch_getPan(&inst->patch) : 0.0f; }

void inst_patch_setPan(instRec* inst, float pan)
{
    if (!inst) return;
    patch_setPan(&inst->patch, pan);
    pan_setVal(inst, pan);
}

void inst_patch_getName(instRec* inst, char* name)
{
    if (!name) return;
    if (!inst) {
        name[0] = 0;
        return;
    }
    patch_getName(&inst->patch, name);
}

void inst_patch_setName(instRec* inst, const char* name)
{
    if (inst) patch_setName(&inst->patch, name);
}
