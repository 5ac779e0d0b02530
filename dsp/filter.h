// Filters: one per channel (0..2) and the master filter (3).
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct instRec;

#pragma pack(push, 4)
// One filter, 96 bytes.
struct filterInstRec {
    int32_t active;
    int32_t mono;          // meaningful for the master filter only
    int16_t index;         // filter number 0..3
    int16_t mode;          // 1..6, 9, 10
    float freqIndex;       // 0..480, 5 Hz * 2^(i/40)
    float combDelay;       // samples at 44100 Hz
    float combFeedback;
    float bandpassQ;
    float gain;            // linear
    float bandwidth;
    float combGain;        // linear, mode "comb"
    float resonance;
    uint8_t unused[52];
};
static_assert(sizeof(filterInstRec) == 96, "filterInstRec is 96 bytes");
static_assert(offsetof(filterInstRec, resonance) == 40, "filterInstRec layout");

// Running state of one filter for one voice, 160 bytes.
struct filterVoiceRec {
    int32_t state;         // 0 after init; filter_clearVoice sets 1
    int16_t word;          // -1
    int16_t pad;
    float zero;
    float curIndex;        // current frequency index
    float targetIndex;     // target frequency index
    float memory[16];      // filter memory
    float ones[3];
    shmPtr<float> modSrc[6];
    uint8_t unused[40];
};
static_assert(sizeof(filterVoiceRec) == 160, "filterVoiceRec is 160 bytes");
static_assert(offsetof(filterVoiceRec, modSrc) == 96, "filterVoiceRec layout");
#pragma pack(pop)

void filter_initInstRec(filterInstRec* rec, short number);
void filter_initVoiceRec(filterVoiceRec* voice);
void filter_clearVoice(filterVoiceRec* voice);
void filter_combBufClear(instRec* inst);

// Filter frequency index: hertz = 5 * 2^(index/40), index 0..480.
double filterFreqToIndex(double hz);
double filterIndexToFreq(double index);
