#include "tools/factory-bank/factory_voice.h"

#include <cmath>
#include <cstdio>

#include "bank/bank.h"

namespace {
const double kRate = 44100.0;
const double kTwoPi = 6.283185307179586;

envInstRec* ampEnvOf(instRec* inst, short ch)
{
    env_loadDefault(inst, ch, ch, envParam_amp);
    envInstRec* env = inst_getEnvInst(inst, ch);
    env->shown = 1;
    env->inUse = 1;
    return env;
}

void lfoOff(instRec* inst, short lfo)
{
    inst_lfo_setOn(inst, lfo, 0);
    inst_lfo_setPMDepth(inst, lfo, 0.0);
    inst_lfo_setAMDepth(inst, lfo, 0.0);
    inst_lfo_setFilterDepth(inst, lfo, 0.0);
    inst_lfo_setModDepth(inst, lfo, 0.0);
}

void routeAll(instRec* inst, short lfo, bool pitch, bool amp, bool filter)
{
    for (short c = 0; c < kOscils; ++c) {
        inst_lfo_setPitchChan(inst, lfo, c, pitch);
        inst_lfo_setAmpChan(inst, lfo, c, amp);
        inst_lfo_setModChan(inst, lfo, c, 0);
    }
    for (short f = 0; f < kFilters; ++f) inst_lfo_setFilterChan(inst, lfo, f, filter);
}
}  // namespace

void voice_begin(instRec* inst, const char* name, short poly)
{
    presetRec* start = preset_newDefault(0);
    preset_presetToDsp(start, inst, 0);
    preset_delete(start);
    inst_patch_setName(inst, name);
    inst_patch_setPoly(inst, poly);
    for (short l = 0; l < kLfos; ++l) lfoOff(inst, l);
}

void voice_osc(instRec* inst, short ch, short wave, float semitones, float level)
{
    inst_getOscilInst(inst, ch)->active = 1;
    oscil_setMode(inst, ch, oscMode_single);
    oscil_setMainWaveID(inst, ch, wave);
    oscil_setMainFreqMode(inst, ch, freqMode_transpose);
    oscil_setMainFreq(inst, ch, semitones);
    oscil_setAmpScale(inst, ch, level);
}

void voice_double(instRec* inst, short ch, short wave, short wave2, float cents, float balance)
{
    oscil_setMode(inst, ch, oscMode_double);
    oscil_setMainWaveID(inst, ch, wave);
    oscil_setModWaveID(inst, ch, wave2);
    oscil_setModFreqMode(inst, ch, freqMode_transpose);
    oscil_setModFreq(inst, ch, cents / 100.0f);
    oscil_setBalance(inst, ch, balance);
}

// The channel's second wave at a ratio of the played note, in a mode.
static void modWaveAtRatio(instRec* inst, short ch, short mode, short modWave, float ratio)
{
    oscil_setMode(inst, ch, mode);
    oscil_setModWaveID(inst, ch, modWave);
    oscil_setModFreqMode(inst, ch, freqMode_ratio);
    oscil_setModFreq(inst, ch, ratio);
}

void voice_fm(instRec* inst, short ch, short modWave, float ratio, float index)
{
    modWaveAtRatio(inst, ch, oscMode_fm, modWave, ratio);
    oscil_setFmIndex(inst, ch, index);
}

void voice_ringmod(instRec* inst, short ch, short modWave, float ratio, float balance)
{
    modWaveAtRatio(inst, ch, oscMode_ringmod, modWave, ratio);
    oscil_setBalance(inst, ch, balance);
}

void voice_adsr(instRec* inst, short ch, float attackSec, float decaySec, float sustain, float releaseSec)
{
    envInstRec* env = ampEnvOf(inst, ch);
    env->envMode = envMode_sustain;
    env->lastPoint = 2;
    env->sustainPoint = 1;
    env->releasePoint = 1;
    env->loopStart = 0;
    env_setBpParams(&env->bp[0], attackSec * kRate, 1.0f, 1.0f);
    env_setBpParams(&env->bp[1], decaySec * kRate, sustain, 0.5f);
    env_setBpParams(&env->bp[2], releaseSec * kRate, 0.0f, 0.5f);
}

void voice_decay(instRec* inst, short ch, float attackSec, float decaySec)
{
    envInstRec* env = ampEnvOf(inst, ch);
    env->envMode = envMode_release;
    env->lastPoint = 2;
    env->sustainPoint = 1;
    env->releasePoint = 1;
    env_setBpParams(&env->bp[0], attackSec * kRate, 1.0f, 1.0f);
    env_setBpParams(&env->bp[1], decaySec * 0.3 * kRate, 0.35f, 0.4f);
    env_setBpParams(&env->bp[2], decaySec * 0.7 * kRate, 0.0f, 0.4f);
}

void voice_mod_env(instRec* inst, short ch, short to, float start, float peak, float attackSec, float sustain,
                   float decaySec)
{
    short slot = env_findUnused(inst);
    if (slot < 0) return;
    env_loadDefault(inst, slot, ch, to);
    envInstRec* env = inst_getEnvInst(inst, slot);
    env->shown = 1;
    env->inUse = 1;
    env->depth = start;
    env->lastPoint = 2;
    env->sustainPoint = 1;
    env->releasePoint = 1;
    env_setBpParams(&env->bp[0], attackSec * kRate, peak, 1.0f);
    env_setBpParams(&env->bp[1], decaySec * kRate, sustain, 0.5f);
    env_setBpParams(&env->bp[2], 0.3 * kRate, sustain, 0.5f);
}

void voice_filter(instRec* inst, short f, short mode, float hz, float q)
{
    filter_setActive(inst, f, 1);
    filter_setMode(inst, f, mode);
    filter_setFreq(inst, f, hz);
    filter_setQ(inst, f, q);
}

void voice_velocity(instRec* inst, short ch, float ampPercent, float filterPercent)
{
    vel_setVelSens(inst, 1, ch, ampPercent);
    vel_setVelSens(inst, 3, ch, filterPercent);
}

void voice_vibrato(instRec* inst, short lfo, float periodSec, float semitones, float delayPhase)
{
    inst_lfo_setOn(inst, lfo, 1);
    inst_lfo_setWaveID(inst, lfo, wave_sine);
    inst_lfo_setFreq(inst, lfo, periodSec);
    inst_lfo_setPMDepth(inst, lfo, semitones);
    inst_lfo_setStartPhase(inst, lfo, delayPhase);
    inst_lfo_setPolyOn(inst, lfo, 1);
    routeAll(inst, lfo, true, false, false);
}

void voice_tremolo(instRec* inst, short lfo, float periodSec, float percent)
{
    inst_lfo_setOn(inst, lfo, 1);
    inst_lfo_setWaveID(inst, lfo, wave_sine);
    inst_lfo_setFreq(inst, lfo, periodSec);
    inst_lfo_setAMDepth(inst, lfo, percent);
    routeAll(inst, lfo, false, true, false);
}

void voice_filterSweep(instRec* inst, short lfo, short wave, float periodSec, float depth)
{
    inst_lfo_setOn(inst, lfo, 1);
    inst_lfo_setWaveID(inst, lfo, wave);
    inst_lfo_setFreq(inst, lfo, periodSec);
    inst_lfo_setFilterDepth(inst, lfo, depth);
    routeAll(inst, lfo, false, false, true);
}

void voice_sampleHold(instRec* inst, short lfo, float holdSec, float depth)
{
    voice_filterSweep(inst, lfo, wave_noise, 4.0f, depth);
    inst_lfo_setSHOn(inst, lfo, 1);
    inst_lfo_setSHRate(inst, lfo, holdSec);
}

void voice_echo(instRec* inst, float seconds, float feedback, float wet)
{
    effect_setMode(inst, effectMode_pipe);
    effect_setActive(inst, 1);
    effect_pipe_setMasterTime(inst, seconds);
    effect_pipe_setFeedback(inst, feedback);
    effect_pipe_setLowpass(inst, 6000.0);
    effect_pipe_setOutPos(inst, 0, 0.7);
    effect_pipe_setOutPos(inst, 1, 1.0);
    effect_setWetBalance(inst, wet);
    effect_setDryBalance(inst, 1.0);
}

void voice_combs(instRec* inst, float seconds, float feedback, float wet)
{
    effect_setMode(inst, effectMode_multicomb);
    effect_setActive(inst, 1);
    effect_comb_setMasterTime(inst, seconds);
    effect_comb_setMasterFeedback(inst, feedback);
    effect_comb_setMasterLowpass(inst, 5000.0);
    // Six combs at times that share no common factor, spread left to right.
    const double times[6] = {1.0, 0.891, 0.797, 0.713, 0.637, 0.571};
    for (short c = 0; c < 6; ++c) {
        effect_comb_setActive(inst, c, 1);
        effect_comb_setChanTime(inst, c, times[c]);
        effect_comb_setChanFeedback(inst, c, 0.9);
        effect_comb_setChanPan(inst, c, 0.1 + 0.16 * c);
        effect_comb_setChanLowpass(inst, c, 0.8);
    }
    effect_setWetBalance(inst, wet);
    effect_setDryBalance(inst, 1.0);
}

void voice_taps(instRec* inst, float seconds, float feedback, float wet)
{
    effect_setMode(inst, effectMode_multitap);
    effect_setActive(inst, 1);
    effect_tap_setMasterTime(inst, seconds);
    effect_tap_setFeedback(inst, feedback);
    effect_tap_setLowpass(inst, 7000.0);
    const double times[3] = {0.333, 0.667, 1.0}, pans[3] = {0.1, 0.9, 0.5};
    for (short t = 0; t < 3; ++t) {
        effect_tap_setTapTime(inst, t, times[t]);
        effect_tap_setPan(inst, t, pans[t]);
    }
    effect_setWetBalance(inst, wet);
    effect_setDryBalance(inst, 1.0);
}

short voice_additiveWave(instRec* inst, const float* partials, int n, const char* name)
{
    short id = inst_newPresetWave(inst);
    if (id < 0) return -1;
    waveRec* w = wave_getWaveRecFromID(inst, id);
    float peak = 0.0f;
    for (int i = 0; i < kWaveSize; ++i) {
        double t = kTwoPi * i / kWaveSize, v = 0.0;
        for (int k = 0; k < n; ++k) v += partials[k] * std::sin((k + 1) * t);
        w->data[i] = (float)v;
        peak = std::fmax(peak, std::fabs((float)v));
    }
    for (float& v : w->data) v = peak > 0.0f ? 0.98f * v / peak : 0.0f;
    std::snprintf(w->name, sizeof w->name, "%s", name);
    return id;
}

void voice_controller(instRec* inst, int cc, int value, const char* name)
{
    storedCC_addToList(inst_getStoredCC(inst), cc, value, name);
}

void voice_wheelToFilter(instRec* inst, float percent)
{
    cc_setCCNum(inst, ccWhich_filter, 1);
    cc_setFilterDepth(inst, percent);
}

void voice_level(instRec* inst, float amp, float pan)
{
    inst_patch_setAmp(inst, amp);
    inst_patch_setPan(inst, pan);
}
