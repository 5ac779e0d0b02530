#include "dsp/env.h"

#include <cstring>

#include "dsp/inst.h"

void env_initEnvInstRec(envInstRec* env, short param) {
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

void env_initEnvVoiceRec(instRec* inst, short env, short voice) {
    if (!inst) return;
    envVoiceRec* v = inst_getEnvVoice(inst, env, voice);
    std::memset(v, 0, sizeof *v);
    v->voice = voice;
    v->env = env;
    v->out.set(&envDefaultOut);
    v->levelScale = 1.0f;
    v->one = 1.0f;
}

void env_release(instRec* inst, envInstRec* env, envVoiceRec* v, int notify) {
    if (!inst || !env || !v || v->state == 0) return;
    if (v->curBp >= env->releasePoint && env->sustainPoint < 0) {
        v->levelScale = 1.0f;
        return;
    }
    int rp = env->releasePoint;
    if (rp < 0) rp = 0;
    if (rp >= kEnvBreakpoints) rp = kEnvBreakpoints - 1;
    v->state = 1;
    v->time = 0;
    v->curBp = (int16_t)rp;
    v->nextBp = (int16_t)(rp + 1);
    const float* out = v->out.get();
    float value = out ? *out : 0.0f;
    v->startValue = value;
    if (value == 0.0f) value = 0.000001f;
    float level = env->bp[rp].level;
    v->levelScale = value < level ? value / level : 1.0f;
    if (notify) voice_updateState(inst, v->voice);
}

void env_releaseVoice(instRec* inst, short voice, int notify) {
    if (!inst || voice < 0 || voice >= kVoices) return;
    for (short slot = 0; slot < kEnvSlots; ++slot) {
        envInstRec* env = &inst->env[slot];
        if (env->param == 0) continue;
        if (env->global) {
            if (voice_howManyArePlaying(inst) == 0)
                env_release(inst, env, &inst->envVoice[slot][0], notify);
        } else {
            env_release(inst, env, &inst->envVoice[slot][voice], notify);
        }
    }
}
