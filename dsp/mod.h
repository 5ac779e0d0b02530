// Channel modulators: one per oscillator channel.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct instRec;

#pragma pack(push, 4)
// One channel modulator, 64 bytes.
struct modInstRec {
    int32_t active;
    int16_t mode;      // always 1
    int16_t index;     // channel 0..2
    int16_t freqMode;  // 0..3, as the oscillator's frequency modes
    int16_t pad1;
    float ratio;
    float increment;
    int16_t waveID;
    int16_t pad2;
    float balance;
    uint8_t unused[36];
};
static_assert(sizeof(modInstRec) == 64, "modInstRec is 64 bytes");
static_assert(offsetof(modInstRec, balance) == 24, "modInstRec layout");

// Running state of one modulator for one voice, 92 bytes.
struct modVoiceRec {
    int16_t voice;
    int16_t pad;
    float zero1[4];
    float ones[3];
    float zero2[2];
    shmPtr<float> modSrc[3];
    uint8_t unused[40];
};
static_assert(sizeof(modVoiceRec) == 92, "modVoiceRec is 92 bytes");
#pragma pack(pop)

void mod_initInstRec(modInstRec* rec, short channel);
void mod_initVoiceRec(instRec* inst, modVoiceRec* voice, short voiceNumber);
