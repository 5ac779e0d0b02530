// The instrument record (instRec): the complete state of one playing
// synthesizer, one per plug-in instance, living in the memory shared with the
// plug-in side. Every offset below is part of the interface with the plug-in
// and is checked at compile time.
//
// Index
//   [header]      header words, patch information block
//   [record]      composition of instRec
//   [access]      record accessors (inst_get...)
//   [operations]  reinit, pause/resume and fade hand-shake, derived values
//   [patch]       patch accessors on the instrument (inst_patch_...)
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/cc.h"
#include "dsp/chain.h"
#include "dsp/effect.h"
#include "dsp/env.h"
#include "dsp/filter.h"
#include "dsp/lfo.h"
#include "dsp/midi.h"
#include "dsp/mod.h"
#include "dsp/notemap.h"
#include "dsp/oscil.h"
#include "dsp/pan.h"
#include "dsp/patch.h"
#include "dsp/shm.h"
#include "dsp/storedCC.h"
#include "dsp/velocity.h"
#include "dsp/voice.h"
#include "dsp/wave.h"
#include "dsp/waveshape.h"

// [header] --------------------------------------------------------------
enum { fade_idle = 0, fade_outRequested = 1, fade_inRequested = 2 };

// Patch information block: which parts of the sound run, for the plug-in.
enum {
    patchInfo_oscActive0 = 0,     // 0..2 oscillator slot active
    patchInfo_filterActive0 = 4,  // 4..6 filter n and slot n active
    patchInfo_modActive0 = 8,     // 8..10 modulator n and slot n active
    patchInfo_waveshapePoly = 12,
    patchInfo_waveshapeMono = 13,
    patchInfo_filter3Poly = 14,
    patchInfo_filter3Mono = 15,
    patchInfo_effect = 16,
    kPatchInfoWords = 17
};

#pragma pack(push, 4)

// Instrument-wide values that have no place of their own in the published
// layout; they sit in the unused space after the pan tables.
struct instExtraRec {
    float combBuf[128];       // the filters' comb buffer
    shmPtr<double> tuneIncr;  // incr table of the current tuning
    int16_t waveUndoNumber;   // user wave the undo buffer belongs to
    int16_t pad;
    double envGridLength;  // the envelope window's tempo grid: samples of envGridBeats beats
    float envGridBeats;
    uint8_t unused[0x28184 - 0x27950 - 532];
};

// [record] --------------------------------------------------------------
struct instRec {
    float engine0;           // 0x00  1.0
    float outGain;           // 0x04  amp / poly, at most 16
    float engine8;           // 0x08  0.5
    int16_t voicesInUse;     // 0x0C
    int16_t pendingProgram;  // 0x0E  -1 none; written by the plug-in side
    uint8_t h10[4];
    int16_t engine14;  // 0x14  128
    uint8_t h16[6];
    int16_t fadeHandshake;  // 0x1C  1 fade-out asked, 2 fade-in asked, 0 idle
    int16_t h1E;
    float fadeGain[2];    // 0x20, 0x24
    int32_t pauseReason;  // 0x28  argument of the last inst_pauseAudio
    int32_t h2C;
    int32_t paused;          // 0x30
    int16_t engine34;        // 0x34
    int16_t instanceNumber;  // 0x36  set by the plug-in side
    int32_t engine38;        // 0x38
    int32_t engine3C;        // 0x3C
    float level[3];          // 0x40..0x48 output level readings for the meter
    uint8_t h4C[0x104 - 0x4C];
    int32_t patchInfo[kPatchInfoWords];  // 0x104
    uint8_t h148[0x184 - 0x148];
    patchRec patch;                                 // 0x00184
    oscil_instRec oscil[kOscils];                   // 0x00204
    oscil_voiceRec oscilVoice[kOscils][kVoices];    // 0x00384
    filterInstRec filter[kFilters];                 // 0x04884
    filterVoiceRec filterVoice[kFilters][kVoices];  // 0x04A04
    modInstRec mod[kOscils];                        // 0x0EA04
    modVoiceRec modVoice[kOscils][kVoices];         // 0x0EAC4
    waveshapeInstRec waveshape;                     // 0x12FC4
    waveshapeVoiceRec waveshapeVoice[kVoices];      // 0x13004
    voiceRec voice[kVoices];                        // 0x14004
    voiceAllocationRec alloc;                       // 0x14D04
    chainRec voiceChain[kVoices];                   // 0x14FC4
    uint8_t gapChains[0x20];
    chainRec instChain;                        // 0x217E4
    midiRec midi;                              // 0x21B04 (notes 0x2229C)
    ccInstRec cc;                              // 0x22944
    velInstTables velTables;                   // 0x23F84
    velInstRec vel;                            // 0x254C4
    storedCCList storedCC;                     // 0x25604
    panInstRec pan;                            // 0x25744
    instExtraRec extra;                        // 0x27950
    lfoInstRec lfo[kLfos];                     // 0x28184
    lfoVoiceRec lfoVoice[kLfos][kVoices];      // 0x283C4
    envInstRec env[kEnvSlots];                 // 0x2B3C4
    envVoiceRec envVoice[kEnvSlots][kVoices];  // 0x31FC4
    waveRec presetWave[kPresetWaves];          // 0x49FC4
    waveRec waveUndo;                          // 0x522C4
    waveRec waveRedo;                          // 0x53324
    uint8_t gapWaves[0x40];
    effectDspRec effect;           // 0x543C4
    effectPipeRec pipe;            // 0x55144
    effectMulticombRec multicomb;  // 0x55204
    effectMultitapRec multitap;    // 0x55384
};
#pragma pack(pop)

static_assert(offsetof(instRec, outGain) == 0x04, "instRec header");
static_assert(offsetof(instRec, engine8) == 0x08, "instRec header");
static_assert(offsetof(instRec, voicesInUse) == 0x0C, "instRec header");
static_assert(offsetof(instRec, pendingProgram) == 0x0E, "instRec header");
static_assert(offsetof(instRec, engine14) == 0x14, "instRec header");
static_assert(offsetof(instRec, fadeHandshake) == 0x1C, "instRec header");
static_assert(offsetof(instRec, fadeGain) == 0x20, "instRec header");
static_assert(offsetof(instRec, pauseReason) == 0x28, "instRec header");
static_assert(offsetof(instRec, paused) == 0x30, "instRec header");
static_assert(offsetof(instRec, engine34) == 0x34, "instRec header");
static_assert(offsetof(instRec, instanceNumber) == 0x36, "instRec header");
static_assert(offsetof(instRec, engine38) == 0x38, "instRec header");
static_assert(offsetof(instRec, engine3C) == 0x3C, "instRec header");
static_assert(offsetof(instRec, level) == 0x40, "instRec header");
static_assert(offsetof(instRec, patchInfo) == 0x104, "instRec patch information");
static_assert(offsetof(instRec, patch) == 0x00184, "instRec patch");
static_assert(offsetof(instRec, oscil) == 0x00204, "instRec oscillators");
static_assert(offsetof(instRec, oscilVoice) == 0x00384, "instRec oscillator voices");
static_assert(sizeof(oscil_voiceRec) * kVoices == 0x1700, "oscillator slot stride");
static_assert(offsetof(instRec, filter) == 0x04884, "instRec filters");
static_assert(offsetof(instRec, filterVoice) == 0x04A04, "instRec filter voices");
static_assert(sizeof(filterVoiceRec) * kVoices == 0x2800, "filter stride");
static_assert(offsetof(instRec, mod) == 0x0EA04, "instRec modulators");
static_assert(offsetof(instRec, modVoice) == 0x0EAC4, "instRec modulator voices");
static_assert(sizeof(modVoiceRec) * kVoices == 0x1700, "modulator stride");
static_assert(offsetof(instRec, waveshape) == 0x12FC4, "instRec waveshaper");
static_assert(offsetof(instRec, waveshapeVoice) == 0x13004, "instRec waveshaper voices");
static_assert(offsetof(instRec, voice) == 0x14004, "instRec voices");
static_assert(offsetof(instRec, alloc) == 0x14D04, "instRec voice allocation");
static_assert(offsetof(instRec, voiceChain) == 0x14FC4, "instRec voice chains");
static_assert(offsetof(instRec, instChain) == 0x217E4, "instRec instance chain");
static_assert(offsetof(instRec, midi) == 0x21B04, "instRec MIDI buffer");
static_assert(offsetof(instRec, midi) + offsetof(midiRec, noteMem) == 0x2229C, "instRec held-note memory");
static_assert(offsetof(instRec, cc) == 0x22944, "instRec controllers");
static_assert(offsetof(instRec, velTables) == 0x23F84, "instRec velocity tables");
static_assert(offsetof(instRec, vel) == 0x254C4, "instRec velocity");
static_assert(offsetof(instRec, storedCC) == 0x25604, "instRec stored controllers");
static_assert(offsetof(instRec, pan) == 0x25744, "instRec pan");
static_assert(offsetof(instRec, lfo) == 0x28184, "instRec LFOs");
static_assert(offsetof(instRec, lfoVoice) == 0x283C4, "instRec LFO voices");
static_assert(sizeof(lfoVoiceRec) * kVoices == 0x1000, "LFO stride");
static_assert(offsetof(instRec, env) == 0x2B3C4, "instRec envelopes");
static_assert(offsetof(instRec, envVoice) == 0x31FC4, "instRec envelope voices");
static_assert(sizeof(envVoiceRec) * kVoices == 0x1000, "envelope slot stride");
static_assert(offsetof(instRec, presetWave) == 0x49FC4, "instRec preset waves");
static_assert(offsetof(instRec, waveUndo) == 0x522C4, "instRec wave undo");
static_assert(offsetof(instRec, waveRedo) == 0x53324, "instRec wave redo");
static_assert(offsetof(instRec, effect) == 0x543C4, "instRec effect working record");
static_assert(offsetof(instRec, pipe) == 0x55144, "instRec pipe");
static_assert(offsetof(instRec, multicomb) == 0x55204, "instRec multicomb");
static_assert(offsetof(instRec, multitap) == 0x55384, "instRec multitap");
static_assert(sizeof(instRec) == 0x55504, "instRec size");
static_assert(sizeof(instRec) <= IAC_INST_SLOT_BYTES, "instRec fits its shared slot");

// The program's own instance counter; 0 after start-up.
extern long g_instanceNumber;

// [access] --------------------------------------------------------------
patchRec* inst_getPatch(instRec* inst);
oscil_instRec* inst_getOscilInst(instRec* inst, short osc);
oscil_voiceRec* inst_getOscilVoice(instRec* inst, short osc, short voice);
filterInstRec* inst_getFilterInst(instRec* inst, short filter);
filterVoiceRec* inst_getFilterVoice(instRec* inst, short filter, short voice);
modInstRec* inst_getModInst(instRec* inst, short mod);
modVoiceRec* inst_getModVoice(instRec* inst, short mod, short voice);
waveshapeInstRec* inst_getWaveshapeInst(instRec* inst);
envInstRec* inst_getEnvInst(instRec* inst, short env);
envVoiceRec* inst_getEnvVoice(instRec* inst, short env, short voice);
lfoInstRec* inst_getLfoInst(instRec* inst, short lfo);
lfoVoiceRec* inst_getLfoVoice(instRec* inst, short lfo, short voice);
voiceRec* inst_getVoice(instRec* inst, short voice);
velInstRec* inst_getVel(instRec* inst);
velInstTables* inst_getVelTables(instRec* inst);
ccInstRec* inst_getCcInstRec(instRec* inst);
panInstRec* inst_getPanInst(instRec* inst);
midiRec* inst_getMidi(instRec* inst);
storedCCList* inst_getStoredCC(instRec* inst);
waveRec* inst_getPresetWave(instRec* inst, short slot);
effectPipeRec* inst_getEffectPipe(instRec* inst);
effectMulticombRec* inst_getEffectMulticomb(instRec* inst);
effectMultitapRec* inst_getEffectMultitap(instRec* inst);
effectDspRec* inst_getEffectDsp(instRec* inst);
int inst_getInstanceNumber(instRec* inst);

// [operations] ----------------------------------------------------------
void inst_reinit(instRec* inst);
void inst_alloff(instRec* inst);
void inst_buildChains(instRec* inst, int flag);
void inst_pauseAudio(instRec* inst, int reason);
void inst_resumeAudio(instRec* inst);
void inst_fadeOut(instRec* inst);
void inst_fadeIn(instRec* inst);
void inst_adjustOutAmp(instRec* inst);
void inst_updatePitch(instRec* inst);
short inst_newPresetWave(instRec* inst);
void inst_initEffect(instRec* inst);
int inst_anOscilIsOn(instRec* inst);
void inst_patchInfoPrepare(instRec* inst);
void inst_clearBuffers(instRec* inst);

// The fade hand-shake waits up to this many times for the plug-in.
enum { kFadeWaits = 16, kFadeWaitMs = 16 };

// [patch] ---------------------------------------------------------------
short inst_patch_getPoly(instRec* inst);
void inst_patch_setPoly(instRec* inst, short poly);
float inst_patch_getAmp(instRec* inst);
void inst_patch_setAmp(instRec* inst, float amp);
float inst_patch_getTrans(instRec* inst);
void inst_patch_setTrans(instRec* inst, float semitones);
float inst_patch_getPan(instRec* inst);
void inst_patch_setPan(instRec* inst, float pan);
void inst_patch_getName(instRec* inst, char* name);
void inst_patch_setName(instRec* inst, const char* name);

// Sleeps for the given milliseconds (the hand-shake and repatch waits).
void dsp_sleepMs(int ms);
