// Channel modulators: one per oscillator channel, with its own wave,
// frequency and balance. Setters, copy and the stored form "mod " are in
// mod.cpp.
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

struct fileRec;

void mod_initInstRec(modInstRec* rec, short channel);
void mod_initVoiceRec(instRec* inst, modVoiceRec* voice, short voiceNumber);

// Setters and getters: the channel is taken as 0 outside 0..2; without an
// instrument the getters give 1.0 for frequency and balance, 0 otherwise.
// Setters ignore NaN values.
void mod_setWaveID(instRec* inst, short channel, short id);
short mod_getWaveID(instRec* inst, short channel);
// Unit by freqMode as for the oscillator waves (oscil.h); an unknown mode
// stores nothing and reads 0.0.
void mod_setFreq(instRec* inst, short channel, double value);
double mod_getFreq(instRec* inst, short channel);
void mod_setFreqMode(instRec* inst, short channel, short mode);  // stored as given
short mod_getFreqMode(instRec* inst, short channel);
void mod_setBalance(instRec* inst, short channel, double balance);  // 0..1
double mod_getBalance(instRec* inst, short channel);
void mod_setActive(instRec* inst, short channel, int on);  // also inst_clearBuffers
int mod_getActive(instRec* inst, short channel);
void mod_setMode(instRec* inst, short channel, short mode);  // always stores 1

// Copies the stored fields of one modulator into another, the index set to
// the target channel (reinit, with an instrument: the target is initialised
// first). Channel 0..2.
void mod_cloneInst(instRec* inst, const modInstRec* from, modInstRec* to, short channel, int reinit);

// Stored form "mod ", version 10, 32 bytes (index before mode); 1 or 0.
enum { kModChunkBody = 32 };
int mod_readWriteModInst(fileRec* file, modInstRec* rec, void* buffer, int reading);
void mod_flipInstRec(modInstRec* rec);
