// Oscillators: one per channel, reading a main and a "mod" wave.
//
// Index
//   records            oscil_instRec, oscil_voiceRec
//   frequency modes    shared with the modulators (mod.h)       oscil.cpp
//   setters, getters   oscil_set... / oscil_get...                oscil.cpp
//   phase and copy     oscil_correctPhase, oscil_cloneInst        oscil.cpp
//   stored form        "ocil": oscil_readWriteOscilInst, flip     oscil_store.cpp
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct instRec;

#pragma pack(push, 4)
// One oscillator channel, 128 bytes; the stored fields run from mainIncrement
// to active (the two work words belong to the plug-in's audio code).
struct oscil_instRec {
    int32_t work1;
    float mainIncrement;  // fixed phase increment (frequency modes 2, 3)
    float mainPhase;      // start phase, table positions
    float mainRatio;      // pitch ratio (frequency modes 0, 1)
    float ampScale;       // 0..1
    float modRatio;
    float modPhase;
    float modIncrement;
    float doubleBalance;   // mode "double"
    float fmIndex;         // table positions (index * 1024/2pi)
    float ringmodBalance;  // mode "ringmod"
    int32_t mode;          // 0 single, 1 double, 2 fm, 3 ringmod
    int32_t mainFreqMode;  // 0 transpose, 1 ratio, 2 fixed note, 3 fixed hz
    int32_t modFreqMode;
    int32_t mainWaveID;
    int32_t modWaveID;
    int32_t index;  // the channel 0..2
    int32_t invertPhase;
    int32_t work2;
    int32_t active;
    uint8_t unused[48];
};
static_assert(sizeof(oscil_instRec) == 128, "oscil_instRec is 128 bytes");
static_assert(offsetof(oscil_instRec, active) == 76, "oscil_instRec layout");

// Running state of one oscillator for one voice, 92 bytes.
struct oscil_voiceRec {
    int32_t state;
    float mainPhase;  // running phase of the main wave
    float run1;
    float modPhase;  // running phase of the mod wave
    float run2;
    float notWritten;
    float one;      // 1.0
    float fmDepth;  // 162.97466
    float zero[3];
    float ones[2];
    shmPtr<float> modSrc[9];  // three groups of three modulation sources
    int16_t voice;
    int16_t pad;
};
static_assert(sizeof(oscil_voiceRec) == 92, "oscil_voiceRec is 92 bytes");
static_assert(offsetof(oscil_voiceRec, modSrc) == 52, "oscil_voiceRec layout");
#pragma pack(pop)

struct fileRec;

// Oscillator modes.
enum { oscMode_single = 0, oscMode_double = 1, oscMode_fm = 2, oscMode_ringmod = 3 };

// Frequency modes of the oscillator's main and mod waves and of the
// modulators: what the value given to a frequency setter means.
enum {
    freqMode_transpose = 0,  // semitones to the played note, stored as a ratio
    freqMode_ratio = 1,      // ratio to the played note
    freqMode_note = 2,       // fixed note, stored as a phase increment
    freqMode_hertz = 3       // fixed frequency, stored as a phase increment
};

// Stores value by frequency mode: modes 0 and 1 write only *ratio, modes 2
// and 3 only *increment. 0 (nothing written) for another mode or a NaN value.
int oscil_storeFreq(int freqMode, double value, float* ratio, float* increment);
// Converts back from the field the mode uses; 0 (value untouched) for an
// unknown mode.
int oscil_readFreq(int freqMode, float ratio, float increment, double* value);

void oscil_initInstRec(instRec* inst, oscil_instRec* rec, short channel);
void oscil_initVoiceRec(instRec* inst, oscil_voiceRec* voice, short voiceNumber);

// Setters and getters: the channel is taken as 0 outside 0..2. Without an
// instrument the getters give 1.0 for frequencies, balance and FM index and 0
// for phases, amp scale, flags, modes and ids. Setters ignore NaN values.
void oscil_setMainWaveID(instRec* inst, short channel, short id);
short oscil_getMainWaveID(instRec* inst, short channel);
void oscil_setModWaveID(instRec* inst, short channel, short id);
short oscil_getModWaveID(instRec* inst, short channel);
void oscil_setMainFreq(instRec* inst, short channel, float value);  // unit by mainFreqMode
float oscil_getMainFreq(instRec* inst, short channel);
void oscil_setModFreq(instRec* inst, short channel, float value);  // unit by modFreqMode
float oscil_getModFreq(instRec* inst, short channel);
void oscil_setMainFreqMode(instRec* inst, short channel, short mode);  // 0..3, else ignored
short oscil_getMainFreqMode(instRec* inst, short channel);
void oscil_setModFreqMode(instRec* inst, short channel, short mode);
short oscil_getModFreqMode(instRec* inst, short channel);
void oscil_setMode(instRec* inst, short channel, short mode);  // 0..3, else ignored
short oscil_getMode(instRec* inst, short channel);
void oscil_setActive(instRec* inst, short channel, int on);  // also inst_clearBuffers
int oscil_getActive(instRec* inst, short channel);
void oscil_setAmpScale(instRec* inst, short channel, float amp);  // 0..1
float oscil_getAmpScale(instRec* inst, short channel);
void oscil_setBalance(instRec* inst, short channel, float balance);  // 0..1, modes 1 and 3
float oscil_getBalance(instRec* inst, short channel);
void oscil_setFmIndex(instRec* inst, short channel, float index);
float oscil_getFmIndex(instRec* inst, short channel);
void oscil_setMainPhase(instRec* inst, short channel, float cycles);
float oscil_getMainPhase(instRec* inst, short channel);
void oscil_setModPhase(instRec* inst, short channel, float cycles);
float oscil_getModPhase(instRec* inst, short channel);
void oscil_setInvertPhase(instRec* inst, short channel, int invert);
int oscil_getInvertPhase(instRec* inst, short channel);

// After the channel was switched on or off: a channel switched on takes the
// running phases of the first other active channel for voices 0..poly-1; a
// channel switched off has those voices' state words cleared.
void oscil_correctPhase(instRec* inst, short channel);

// Copies the stored fields of one channel into another (reinit, with an
// instrument: the target is initialised first). Channel 0..2.
void oscil_cloneInst(instRec* inst, const oscil_instRec* from, oscil_instRec* to, short channel, int reinit);

// Stored form "ocil", version 10, 72 bytes; 1 or 0.
enum { kOscilChunkBody = 72 };
int oscil_readWriteOscilInst(fileRec* file, oscil_instRec* rec, void* buffer, int reading);
void oscil_flipInstRec(oscil_instRec* rec);
