// The factory presets, one recipe per sound. To add a sound: write a
// function that describes it with the voice_ calls of factory_voice.h and
// add a line to kFactoryPresets at the bottom; the generator stores the
// presets into consecutive slots in the order of that list.
#include "tools/factory-bank/factory_presets.h"

#include "tools/factory-bank/factory_voice.h"

namespace {

// ---- keys -----------------------------------------------------------------
void electricPiano(instRec* i)
{
    voice_osc(i, 0, wave_sine, 0, 0.9f);
    voice_fm(i, 0, wave_sine, 1.0f, 2.2f);  // bell-like tine
    voice_mod_env(i, 0, envTo_fmIndex, 1.0f, 1.0f, 0.002f, 0.15f, 1.2f);
    voice_decay(i, 0, 0.003f, 2.8f);
    voice_osc(i, 1, wave_sine, 12, 0.25f);  // the bright bark
    voice_decay(i, 1, 0.002f, 0.4f);
    voice_velocity(i, 0, 70, 40);
    voice_tremolo(i, 0, 0.22f, 20);
}

void churchOrgan(instRec* i)
{
    voice_osc(i, 0, wave_organ3, 0, 0.7f);
    voice_osc(i, 1, wave_organ1, 12, 0.45f);  // 4' stop
    voice_osc(i, 2, wave_sine, -12, 0.5f);    // 16' stop
    for (short c = 0; c < 3; ++c) voice_adsr(i, c, 0.04f, 0.1f, 1.0f, 0.35f);
    voice_combs(i, 0.09f, 0.75f, 0.45f);  // stone hall
}

void jazzOrgan(instRec* i)
{
    voice_osc(i, 0, wave_organ2, 0, 0.8f);
    voice_osc(i, 1, wave_sine, 19, 0.3f);  // the third drawbar's percussion
    voice_adsr(i, 0, 0.005f, 0.05f, 1.0f, 0.05f);
    voice_decay(i, 1, 0.002f, 0.5f);
    voice_tremolo(i, 0, 0.15f, 25);  // rotary speaker
    voice_vibrato(i, 1, 0.15f, 0.08f, 0.0f);
}

void harpsichord(instRec* i)
{
    voice_osc(i, 0, wave_sawSoft, 0, 0.6f);
    voice_osc(i, 1, wave_squareSoft, 12, 0.3f);
    voice_decay(i, 0, 0.001f, 1.6f);
    voice_decay(i, 1, 0.001f, 1.0f);
    voice_filter(i, 3, filterMode_hpf6, 180, 1);
    voice_velocity(i, 0, 20, 10);
}

void clavinet(instRec* i)
{
    voice_osc(i, 0, wave_square, 0, 0.7f);
    voice_filter(i, 0, filterMode_bpf, 1400, 2.5f);
    voice_mod_env(i, 0, envTo_filterFreq, 1.0f, 1.0f, 0.001f, 0.85f, 0.25f);
    voice_decay(i, 0, 0.001f, 0.9f);
    voice_velocity(i, 0, 60, 60);
}

void musicBox(instRec* i)
{
    voice_osc(i, 0, wave_sine, 12, 0.8f);
    voice_fm(i, 0, wave_sine, 3.5f, 1.0f);
    voice_decay(i, 0, 0.001f, 1.8f);
    voice_echo(i, 0.28f, 0.3f, 0.25f);
}

// ---- mallets and bells ---------------------------------------------------------
void glassBells(instRec* i)
{
    voice_osc(i, 0, wave_sine, 0, 0.8f);
    voice_fm(i, 0, wave_sine, 3.5f, 3.0f);  // inharmonic ratio: glass
    voice_mod_env(i, 0, envTo_fmIndex, 1.0f, 1.0f, 0.001f, 0.3f, 2.0f);
    voice_decay(i, 0, 0.001f, 4.0f);
    voice_combs(i, 0.07f, 0.6f, 0.3f);
}

void tubularBells(instRec* i)
{
    voice_osc(i, 0, wave_inharmonic1, 0, 0.7f);
    voice_osc(i, 1, wave_sine, 0, 0.5f);
    voice_ringmod(i, 1, wave_sine, 2.76f, 0.5f);  // the strike tone
    voice_decay(i, 0, 0.001f, 6.0f);
    voice_decay(i, 1, 0.001f, 1.5f);
}

void marimba(instRec* i)
{
    voice_osc(i, 0, wave_sine, 0, 0.9f);
    voice_osc(i, 1, wave_sine, 24, 0.2f);  // the hollow overtone of the bar
    voice_decay(i, 0, 0.001f, 0.8f);
    voice_decay(i, 1, 0.001f, 0.08f);
    voice_velocity(i, 0, 80, 20);
}

void vibraphone(instRec* i)
{
    voice_osc(i, 0, wave_sine, 0, 0.8f);
    voice_fm(i, 0, wave_sine, 4.0f, 0.6f);
    voice_decay(i, 0, 0.002f, 3.5f);
    voice_tremolo(i, 0, 0.18f, 45);  // the motor's fans
}

void kalimba(instRec* i)
{
    voice_osc(i, 0, wave_triangle, 0, 0.8f);
    voice_fm(i, 0, wave_sine, 5.4f, 1.5f);
    voice_mod_env(i, 0, envTo_fmIndex, 1.0f, 1.0f, 0.001f, 0.0f, 0.15f);
    voice_decay(i, 0, 0.001f, 1.2f);
}

void steelDrum(instRec* i)
{
    voice_osc(i, 0, wave_sine, 0, 0.8f);
    voice_ringmod(i, 0, wave_sine, 1.5f, 0.35f);
    voice_osc(i, 1, wave_sine, 12, 0.3f);
    voice_decay(i, 0, 0.002f, 1.1f);
    voice_decay(i, 1, 0.002f, 0.5f);
    voice_echo(i, 0.19f, 0.2f, 0.15f);
}

void ringModBells(instRec* i)
{
    voice_osc(i, 0, wave_triangle, 0, 0.8f);
    voice_ringmod(i, 0, wave_sine, 2.41f, 1.0f);
    voice_decay(i, 0, 0.001f, 2.5f);
    voice_taps(i, 0.45f, 0.35f, 0.3f);
}

// ---- basses ----------------------------------------------------------------
void subBass(instRec* i)
{
    voice_osc(i, 0, wave_sine, -12, 1.0f);
    voice_osc(i, 1, wave_triangle, -12, 0.25f);
    voice_adsr(i, 0, 0.005f, 0.2f, 0.9f, 0.12f);
    voice_adsr(i, 1, 0.005f, 0.2f, 0.9f, 0.12f);
    voice_filter(i, 3, filterMode_lpf24, 300, 1);
}

void pluckBass(instRec* i)
{
    voice_osc(i, 0, wave_saw, -12, 0.8f);
    voice_filter(i, 0, filterMode_lpf24, 2500, 2.0f);
    voice_mod_env(i, 0, envTo_filterFreq, 1.0f, 1.0f, 0.002f, 0.65f, 0.3f);
    voice_decay(i, 0, 0.002f, 1.0f);
    voice_velocity(i, 0, 50, 60);
}

void fmBass(instRec* i)
{
    voice_osc(i, 0, wave_sine, -12, 0.9f);
    voice_fm(i, 0, wave_sine, 1.0f, 2.5f);
    voice_mod_env(i, 0, envTo_fmIndex, 1.0f, 1.0f, 0.001f, 0.3f, 0.35f);
    voice_adsr(i, 0, 0.002f, 0.4f, 0.6f, 0.1f);
}

void wobbleBass(instRec* i)
{
    voice_osc(i, 0, wave_saw, -12, 0.8f);
    voice_double(i, 0, wave_saw, wave_square, 7, 0.5f);
    voice_filter(i, 0, filterMode_lpf24, 900, 4.0f);
    voice_filterSweep(i, 0, wave_triangle, 0.25f, 40);
    voice_adsr(i, 0, 0.005f, 0.1f, 1.0f, 0.1f);
}

// ---- leads -------------------------------------------------------------------
void sawLead(instRec* i)
{
    voice_osc(i, 0, wave_saw, 0, 0.7f);
    voice_double(i, 0, wave_saw, wave_saw, 9, 0.5f);  // two detuned saws
    voice_filter(i, 0, filterMode_lpf12, 4000, 1.5f);
    voice_adsr(i, 0, 0.01f, 0.2f, 0.85f, 0.2f);
    voice_vibrato(i, 0, 0.17f, 0.12f, 0.0f);
    voice_echo(i, 0.33f, 0.35f, 0.2f);
    voice_wheelToFilter(i, 60);
}

void squareLead(instRec* i)
{
    voice_osc(i, 0, wave_square, 0, 0.6f);
    voice_filter(i, 0, filterMode_lpf12, 3000, 1.2f);
    voice_adsr(i, 0, 0.005f, 0.1f, 0.9f, 0.15f);
    voice_vibrato(i, 0, 0.18f, 0.1f, 0.0f);
}

void fifthLead(instRec* i)
{
    voice_osc(i, 0, wave_fifth, 0, 0.7f);
    voice_filter(i, 0, filterMode_lpf24, 3500, 2.0f);
    voice_adsr(i, 0, 0.01f, 0.3f, 0.8f, 0.25f);
    voice_taps(i, 0.375f, 0.3f, 0.25f);
}

void sineWhistle(instRec* i)
{
    voice_osc(i, 0, wave_sine, 12, 0.8f);
    voice_adsr(i, 0, 0.08f, 0.1f, 1.0f, 0.2f);
    voice_vibrato(i, 0, 0.16f, 0.25f, 0.0f);
}

void fuzzLead(instRec* i)
{
    voice_osc(i, 0, wave_brokenSpeaker, 0, 0.6f);
    inst_getWaveshapeInst(i)->active = 1;  // overdrive through a transfer wave
    waveshape_setWaveID(i, wave_triPointy);
    waveshape_setInGain(i, 12.0);
    waveshape_setOutGain(i, -6.0);
    voice_filter(i, 3, filterMode_lpf12, 5000, 1.0f);
    voice_adsr(i, 0, 0.005f, 0.1f, 0.9f, 0.2f);
}

// ---- winds and brass ---------------------------------------------------------
void flute(instRec* i)
{
    voice_osc(i, 0, wave_woodwind1, 0, 0.7f);
    voice_osc(i, 1, wave_noise, 0, 0.04f);  // breath
    voice_filter(i, 1, filterMode_bpf, 2500, 2.0f);
    voice_adsr(i, 0, 0.09f, 0.1f, 0.9f, 0.15f);
    voice_adsr(i, 1, 0.05f, 0.2f, 0.5f, 0.1f);
    voice_vibrato(i, 0, 0.2f, 0.12f, 0.0f);
}

void clarinet(instRec* i)
{
    voice_osc(i, 0, wave_squareSoft, 0, 0.7f);  // odd harmonics: a reed
    voice_filter(i, 0, filterMode_lpf12, 2200, 1.0f);
    voice_adsr(i, 0, 0.04f, 0.1f, 0.9f, 0.1f);
}

void softBrass(instRec* i)
{
    voice_osc(i, 0, wave_softTrump, 0, 0.7f);
    voice_filter(i, 0, filterMode_lpf12, 2800, 1.0f);
    voice_mod_env(i, 0, envTo_filterFreq, 0.7f, 1.0f, 0.08f, 0.9f, 0.3f);
    voice_adsr(i, 0, 0.06f, 0.2f, 0.85f, 0.2f);
    voice_velocity(i, 0, 40, 60);
}

void brassSection(instRec* i)
{
    voice_osc(i, 0, wave_saw, 0, 0.6f);
    voice_osc(i, 1, wave_saw, -12, 0.35f);
    voice_double(i, 0, wave_saw, wave_saw, 6, 0.5f);
    voice_filter(i, 3, filterMode_lpf24, 2400, 1.5f);
    voice_adsr(i, 0, 0.05f, 0.3f, 0.8f, 0.25f);
    voice_adsr(i, 1, 0.07f, 0.3f, 0.8f, 0.25f);
    voice_combs(i, 0.05f, 0.5f, 0.2f);
}

// ---- strings and pads -----------------------------------------------------------
void strings(instRec* i)
{
    voice_osc(i, 0, wave_sawSmooth, 0, 0.5f);
    voice_double(i, 0, wave_sawSmooth, wave_sawSmooth, 12, 0.5f);
    voice_osc(i, 1, wave_sawSmooth, 12, 0.25f);
    voice_filter(i, 3, filterMode_lpf12, 3500, 1.0f);
    voice_adsr(i, 0, 0.35f, 0.3f, 0.9f, 0.6f);
    voice_adsr(i, 1, 0.45f, 0.3f, 0.9f, 0.6f);
    voice_vibrato(i, 0, 0.19f, 0.08f, 0.0f);
    voice_combs(i, 0.08f, 0.7f, 0.35f);
}

void warmPad(instRec* i)
{
    voice_osc(i, 0, wave_triangle, 0, 0.5f);
    voice_double(i, 0, wave_triangle, wave_sawSoft, 7, 0.4f);
    voice_osc(i, 1, wave_sine, -12, 0.4f);
    voice_filter(i, 3, filterMode_lpf24, 1500, 1.0f);
    voice_adsr(i, 0, 0.8f, 0.5f, 0.8f, 1.5f);
    voice_adsr(i, 1, 1.0f, 0.5f, 0.8f, 1.5f);
    voice_filterSweep(i, 0, wave_sine, 6.0f, 8);
    voice_combs(i, 0.1f, 0.8f, 0.4f);
}

void sweepPad(instRec* i)
{
    voice_osc(i, 0, wave_saw, 0, 0.5f);
    voice_double(i, 0, wave_saw, wave_saw, 14, 0.5f);
    voice_filter(i, 0, filterMode_lpf24, 600, 3.0f);
    voice_mod_env(i, 0, envTo_filterFreq, 0.6f, 1.0f, 3.0f, 0.8f, 3.0f);
    voice_adsr(i, 0, 1.2f, 1.0f, 0.9f, 2.0f);
    voice_echo(i, 0.5f, 0.5f, 0.3f);
}

void choirAahs(instRec* i)
{
    voice_osc(i, 0, wave_voxFem1, 0, 0.6f);
    voice_osc(i, 1, wave_voxFem2, 0.08f, 0.5f);
    voice_filter(i, 3, filterMode_lpf12, 3000, 1.0f);
    voice_adsr(i, 0, 0.4f, 0.3f, 0.9f, 0.8f);
    voice_adsr(i, 1, 0.5f, 0.3f, 0.9f, 0.8f);
    voice_vibrato(i, 0, 0.2f, 0.15f, 0.0f);
    voice_combs(i, 0.09f, 0.75f, 0.4f);
}

void bowedGlass(instRec* i)
{
    static const float partials[] = {1.0f, 0.0f, 0.35f, 0.0f, 0.2f, 0.0f, 0.12f, 0.0f, 0.08f};
    short glass = voice_additiveWave(i, partials, 9, "bowed glass");
    voice_osc(i, 0, glass, 0, 0.7f);
    voice_osc(i, 1, wave_sine, 24, 0.15f);
    voice_adsr(i, 0, 1.5f, 0.5f, 0.9f, 2.5f);
    voice_adsr(i, 1, 2.0f, 0.5f, 0.7f, 2.5f);
    voice_tremolo(i, 0, 0.6f, 15);
    voice_combs(i, 0.11f, 0.85f, 0.45f);
}

void hollowPad(instRec* i)
{
    static const float partials[] = {1.0f, 0.0f, 0.5f, 0.0f, 0.33f, 0.0f, 0.25f};
    short hollow = voice_additiveWave(i, partials, 7, "hollow");
    static const float bright[] = {1.0f, 0.5f, 0.33f, 0.25f, 0.2f, 0.16f, 0.14f, 0.12f};
    short shine = voice_additiveWave(i, bright, 8, "shine");
    voice_osc(i, 0, hollow, 0, 0.6f);
    voice_osc(i, 1, shine, 12, 0.2f);
    voice_adsr(i, 0, 0.9f, 0.5f, 0.9f, 1.8f);
    voice_adsr(i, 1, 1.4f, 0.5f, 0.6f, 1.8f);
    voice_filterSweep(i, 0, wave_triangle, 8.0f, 6);
    voice_taps(i, 0.6f, 0.4f, 0.3f);
}

// ---- effects and textures ---------------------------------------------------------
void noiseWind(instRec* i)
{
    voice_osc(i, 0, wave_noise, 0, 0.6f);
    voice_filter(i, 0, filterMode_bpf, 800, 4.0f);
    voice_filterSweep(i, 0, wave_sine, 7.0f, 30);
    voice_adsr(i, 0, 1.5f, 1.0f, 0.9f, 2.0f);
    voice_combs(i, 0.12f, 0.6f, 0.3f);
}

void sampleHoldBleeps(instRec* i)
{
    voice_osc(i, 0, wave_square, 12, 0.5f);
    voice_filter(i, 0, filterMode_lpf24, 1500, 6.0f);
    voice_sampleHold(i, 0, 0.125f, 50);
    voice_adsr(i, 0, 0.005f, 0.1f, 1.0f, 0.3f);
    voice_echo(i, 0.375f, 0.5f, 0.35f);
}

void echoPluck(instRec* i)
{
    voice_osc(i, 0, wave_triangle, 0, 0.8f);
    voice_filter(i, 0, filterMode_lpf12, 3000, 1.0f);
    voice_decay(i, 0, 0.001f, 0.6f);
    voice_echo(i, 0.25f, 0.6f, 0.5f);
    voice_controller(i, 91, 90, "echo send");
}

void combDrone(instRec* i)
{
    voice_osc(i, 0, wave_fracNoise, 0, 0.5f);
    voice_filter(i, 0, filterMode_comb, 110, 1.0f);
    voice_adsr(i, 0, 2.0f, 1.0f, 1.0f, 3.0f);
    voice_combs(i, 0.2f, 0.8f, 0.5f);
}

void tapDelayKeys(instRec* i)
{
    voice_osc(i, 0, wave_organ4, 0, 0.7f);
    voice_decay(i, 0, 0.002f, 1.5f);
    voice_taps(i, 0.3f, 0.45f, 0.4f);
}

void bigChordStab(instRec* i)
{
    voice_osc(i, 0, wave_bigChord, 0, 0.6f);
    voice_filter(i, 0, filterMode_lpf24, 3000, 2.0f);
    voice_mod_env(i, 0, envTo_filterFreq, 1.0f, 1.0f, 0.002f, 0.7f, 0.4f);
    voice_decay(i, 0, 0.002f, 0.7f);
    voice_echo(i, 0.375f, 0.3f, 0.3f);
}

void majorTriadPad(instRec* i)
{
    voice_osc(i, 0, wave_majTriad, 0, 0.6f);
    voice_adsr(i, 0, 0.6f, 0.5f, 0.85f, 1.2f);
    voice_filter(i, 3, filterMode_lpf12, 2500, 1.0f);
    voice_combs(i, 0.1f, 0.75f, 0.35f);
}

}  // namespace

const factoryPreset kFactoryPresets[] = {
    {"Electric Piano", 16, electricPiano},
    {"Church Organ", 16, churchOrgan},
    {"Jazz Organ", 16, jazzOrgan},
    {"Harpsichord", 16, harpsichord},
    {"Clavinet", 8, clavinet},
    {"Music Box", 12, musicBox},
    {"Glass Bells", 16, glassBells},
    {"Tubular Bells", 8, tubularBells},
    {"Marimba", 12, marimba},
    {"Vibraphone", 12, vibraphone},
    {"Kalimba", 12, kalimba},
    {"Steel Drum", 8, steelDrum},
    {"Ring Mod Bells", 8, ringModBells},
    {"Sub Bass", 1, subBass},
    {"Pluck Bass", 2, pluckBass},
    {"FM Bass", 2, fmBass},
    {"Wobble Bass", 1, wobbleBass},
    {"Saw Lead", 1, sawLead},
    {"Square Lead", 1, squareLead},
    {"Fifth Lead", 2, fifthLead},
    {"Sine Whistle", 1, sineWhistle},
    {"Fuzz Lead", 1, fuzzLead},
    {"Flute", 4, flute},
    {"Clarinet", 4, clarinet},
    {"Soft Brass", 8, softBrass},
    {"Brass Section", 8, brassSection},
    {"Strings", 16, strings},
    {"Warm Pad", 16, warmPad},
    {"Sweep Pad", 12, sweepPad},
    {"Choir Aahs", 12, choirAahs},
    {"Bowed Glass", 12, bowedGlass},
    {"Hollow Pad", 12, hollowPad},
    {"Noise Wind", 4, noiseWind},
    {"Sample & Hold Bleeps", 2, sampleHoldBleeps},
    {"Echo Pluck", 8, echoPluck},
    {"Comb Drone", 4, combDrone},
    {"Tap Delay Keys", 8, tapDelayKeys},
    {"Big Chord Stab", 8, bigChordStab},
    {"Major Triad Pad", 12, majorTriadPad},
};
const int kFactoryPresetCount = sizeof kFactoryPresets / sizeof kFactoryPresets[0];
