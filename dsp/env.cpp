// Envelope slots of the instrument: initial values, creation with a default
// shape, counting, copying to presets, note-off release and clean-up.
#include "dsp/env.h"
#include "platform/verify.h"

#include <cstring>

#include "dsp/inst.h"
#include "dsp/voice.h"

void env_initEnvInstRec(envInstRec* env, short param)
{
    MORVANE_VERIFY(env);  // the record to fill is always the caller's own
    if (!env) return;
    std::memset(env, 0, sizeof *env);
    env->kind = 1;
    env->envMode = 2;
    env->param = param;
    env->channel = 0;
    env->sustainPoint = 1;
    env->releasePoint = 1;
    env->lastPoint = 2;
    env->loopStart = 0;
    env->scale1 = 1.0f;
    env->offset = 0.0f;
    env->scale2 = 1.0f;
    env->scale3 = 1.0f;
    env->reserved = 0.0;
    env->depth = 0.0f;
    for (auto& bp : env->bp) {
        bp.time = 22050.0;
        bp.level = 1.0f;
        bp.slope = 0.5f;
    }
    // A 10 ms attack, half a second at full level, a half-second release.
    env->bp[0] = {441.0, 1.0f, 0.5f};
    env->bp[1] = {22050.0, 1.0f, 0.5f};
    env->bp[2] = {22050.0, 0.0f, 0.5f};
}

void env_initEnvVoiceRec(instRec* inst, short env, short voice)
{
    if (!inst || env < 0 || env >= kEnvSlots || voice < 0 || voice >= kVoices) return;
    envVoiceRec* v = inst_getEnvVoice(inst, env, voice);
    std::memset(v, 0, sizeof *v);
    v->voice = voice;
    v->env = env;
    v->out.set(&envDefaultOut);
    v->levelScale = 1.0f;
    v->one = 1.0f;
}

namespace {

const short kFirstFreeSlot = 3;  // slots 0..2 belong to the amplitude envelopes

bool validSlot(short slot) { return slot >= 0 && slot < kEnvSlots; }

}  // namespace

short env_findUnused(instRec* inst)
{
    if (!inst) return -1;
    for (short slot = kEnvSlots - 1; slot >= kFirstFreeSlot; --slot) {
        if (inst_getEnvInst(inst, slot)->inUse == 0) return slot;
    }
    return -1;
}

short env_count(instRec* inst)
{
    if (!inst) return 0;
    short n = 0;
    for (short slot = 0; slot < kEnvSlots; ++slot) {
        if (inst_getEnvInst(inst, slot)->inUse != 0) ++n;
    }
    return n;
}

void env_setBpParams(envBreakpointRec* bp, double time, float level, float slope)
{
    MORVANE_VERIFY(bp);  // the record to fill is always the caller's own
    if (!bp) return;
    bp->time = time;
    bp->level = level;
    bp->slope = slope;
}

void env_loadDefault(instRec* inst, short slot, short channel, short param)
{
    if (!inst || !validSlot(slot)) return;
    envInstRec* env = inst_getEnvInst(inst, slot);
    env_initEnvInstRec(env, param);
    if (param != envParam_amp) {
        // Any other destination starts flat at full level: a 20 ms first
        // segment, then half-second segments.
        env->depth = 1.0f;
        env_setBpParams(&env->bp[0], 882.0, 1.0f, 0.5f);
        for (int k = 1; k <= 3; ++k) env_setBpParams(&env->bp[k], 22050.0, 1.0f, 0.5f);
    }
    env->shown = 1;
    env->inUse = 1;
    env->param = param;
    env->channel = channel;
}

short env_new(instRec* inst, short channel, short param)
{
    if (!inst) return -1;
    short slot;
    if (param == envParam_amp) {
        // The amplitude envelope of a channel always lives in the channel's
        // own slot; a channel outside 0..2 has none.
        if (channel < 0 || channel >= kFirstFreeSlot) return -1;
        slot = channel;
    } else {
        slot = env_findUnused(inst);
    }
    if (slot < 0) return -1;
    env_loadDefault(inst, slot, channel, param);
    inst_buildChains(inst, 0);
    return slot;
}

int env_clone(instRec* inst, const envInstRec* from, envInstRec* to, short index, int toInstrument)
{
    (void)inst;
    (void)index;
    (void)toInstrument;
    if (!from || !to) return 0;
    if (from != to) std::memcpy(to, from, sizeof(envInstRec));
    return 1;
}

short env_storeToPreset(instRec* inst, envInstRec* list, short count)
{
    if (!inst || !list || count <= 0) return 0;
    short stored = 0;
    for (short slot = 0; slot < kEnvSlots && stored < count; ++slot) {
        envInstRec* env = inst_getEnvInst(inst, slot);
        if (env->inUse != 0) env_clone(inst, env, &list[stored++], slot, 0);
    }
    return stored;
}

void env_release(instRec* inst, envInstRec* env, envVoiceRec* state, int notify)
{
    if (!env || !state || state->state == 0) return;
    if (state->curBp >= env->releasePoint && env->sustainPoint < 0) {
        state->levelScale = 1.0f;
        return;
    }
    // A release point outside the curve (damaged record) is taken as the
    // nearest breakpoint, so neither this code nor the audio code reads
    // beyond the 68 breakpoints.
    short rp = env->releasePoint;
    if (rp < 0) rp = 0;
    if (rp >= kEnvBreakpoints) rp = kEnvBreakpoints - 1;
    state->state = 1;
    state->time = 0;
    state->curBp = rp;
    state->nextBp = static_cast<int16_t>(rp + 1);

    const float* out = state->out.get();
    float v = out ? *out : 0.0f;
    state->startValue = v;
    if (v == 0.0f) v = 0.000001f;
    // The release segment starts from the present level: the release
    // breakpoint is scaled down when the envelope has not reached it yet.
    float level = env->bp[rp].level;
    state->levelScale = (v < level && level != 0.0f) ? v / level : 1.0f;

    if (notify && inst) voice_updateState(inst, state->voice);
}

void env_releaseVoice(instRec* inst, short voice, int notify)
{
    if (!inst || voice < 0 || voice >= kVoices) return;
    for (short slot = 0; slot < kEnvSlots; ++slot) {
        envInstRec* env = inst_getEnvInst(inst, slot);
        if (env->param == 0) continue;
        if (env->global) {
            // One state shared by every voice: it ends with the last note.
            if (voice_howManyArePlaying(inst) == 0)
                env_release(inst, env, inst_getEnvVoice(inst, slot, 0), notify);
        } else {
            env_release(inst, env, inst_getEnvVoice(inst, slot, voice), notify);
        }
    }
}

void env_makeNormal(instRec* inst)
{
    if (!inst) return;
    for (short slot = 0; slot < kEnvSlots; ++slot) {
        envInstRec* env = inst_getEnvInst(inst, slot);
        for (envBreakpointRec& bp : env->bp) {
            if (!(bp.level >= 1e-9)) bp.level = 0.0f;
            if (!(bp.slope >= 1e-9)) bp.slope = 0.0f;
            if (!(bp.time >= 0.0001)) bp.time = 0.0001;
        }
        if (!(env->depth >= 1e-9)) env->depth = 0.0f;
    }
}
