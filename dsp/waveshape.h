// The waveshaper: one per instrument, after the three channels.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct instRec;

#pragma pack(push, 4)
// 64 bytes.
struct waveshapeInstRec {
    int32_t mono;
    int32_t active;
    int16_t waveID;    // wave used as transfer table
    int16_t pad;
    float inGain;      // linear
    float outGain;     // linear
    float phase;       // offset into the transfer table
    uint8_t unused[40];
};
static_assert(sizeof(waveshapeInstRec) == 64, "waveshapeInstRec is 64 bytes");

// Per voice, 64 bytes: five gains of the audio code.
struct waveshapeVoiceRec {
    float ones[5];
    uint8_t unused[44];
};
static_assert(sizeof(waveshapeVoiceRec) == 64, "waveshapeVoiceRec is 64 bytes");
#pragma pack(pop)

void waveshape_initInstRec(waveshapeInstRec* rec);
void waveshape_initVoiceRec(waveshapeVoiceRec* voice);
