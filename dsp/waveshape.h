// The waveshaper: one per instrument, after the three channels; it maps the
// signal through a wave used as a transfer table. Setters, copy and the stored
// form "wshp" are in waveshape.cpp.
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
    int16_t waveID;  // wave used as transfer table
    int16_t pad;
    float inGain;   // linear
    float outGain;  // linear
    float phase;    // offset into the transfer table
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

struct fileRec;

void waveshape_initInstRec(waveshapeInstRec* rec);
void waveshape_initVoiceRec(waveshapeVoiceRec* voice);

// Setters and getters; without an instrument the getters give 0 (gains: the
// decibels of unity, 0 dB). Setters ignore NaN values.
void waveshape_setActive(instRec* inst, int on);
int waveshape_getActive(instRec* inst);
void waveshape_setMono(instRec* inst, int mono);
int waveshape_getMono(instRec* inst);
void waveshape_setWaveID(instRec* inst, short id);
short waveshape_getWaveID(instRec* inst);
void waveshape_setInGain(instRec* inst, double dB);  // stored linear
double waveshape_getInGain(instRec* inst);           // decibels
void waveshape_setOutGain(instRec* inst, double dB);
double waveshape_getOutGain(instRec* inst);
void waveshape_setPhase(instRec* inst, double phase);  // stored as given
double waveshape_getPhase(instRec* inst);

// Copies the whole record when both exist (index and direction play no part).
void waveshape_cloneInst(instRec* inst, const waveshapeInstRec* from, waveshapeInstRec* to, short index,
                         int toInstrument);

// Stored form "wshp", version 10, 24 bytes; 1 or 0.
enum { kWaveshapeChunkBody = 24 };
int waveshape_readWriteWaveshapeInst(fileRec* file, waveshapeInstRec* rec, void* buffer, int reading);
void waveshape_flipInstRec(waveshapeInstRec* rec);
