// Oscillators: one per channel, reading a main and a "mod" wave.
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
    float mainIncrement;   // fixed phase increment (frequency modes 2, 3)
    float mainPhase;       // start phase, table positions
    float mainRatio;       // pitch ratio (frequency modes 0, 1)
    float ampScale;        // 0..1
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
    int32_t index;         // the channel 0..2
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
    float mainPhase;       // running phase of the main wave
    float run1;
    float modPhase;        // running phase of the mod wave
    float run2;
    float notWritten;
    float one;             // 1.0
    float fmDepth;         // 162.97466
    float zero[3];
    float ones[2];
    shmPtr<float> modSrc[9];  // three groups of three modulation sources
    int16_t voice;
    int16_t pad;
};
static_assert(sizeof(oscil_voiceRec) == 92, "oscil_voiceRec is 92 bytes");
static_assert(offsetof(oscil_voiceRec, modSrc) == 52, "oscil_voiceRec layout");
#pragma pack(pop)

void oscil_initInstRec(instRec* inst, oscil_instRec* rec, short channel);
void oscil_initVoiceRec(instRec* inst, oscil_voiceRec* voice, short voiceNumber);
