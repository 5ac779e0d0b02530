// Filters: one per channel (0..2) and the master filter (3).
//
// Index
//   records              filterInstRec, filterVoiceRec
//   conversions          frequency index and comb delay              filter.cpp
//   voices               init, clear, comb buffer                    filter.cpp
//   setters, getters     filter_set... / filter_get... by mode       filter_access.cpp
//   copy, stored form    filter_cloneInst, "filt"                    filter_access.cpp
//   coefficient tables   dsp/filter_coef.h
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/filter_coef.h"
#include "dsp/shm.h"

struct instRec;

#pragma pack(push, 4)
// One filter, 96 bytes.
struct filterInstRec {
    int32_t active;
    int32_t mono;     // meaningful for the master filter only
    int16_t index;    // filter number 0..3
    int16_t mode;     // 1..6, 9, 10
    float freqIndex;  // 0..480, 5 Hz * 2^(i/40)
    float combDelay;  // samples at 44100 Hz
    float combFeedback;
    float bandpassQ;
    float gain;  // linear
    float bandwidth;
    float combGain;  // linear, mode "comb"
    float resonance;
    uint8_t unused[52];
};
static_assert(sizeof(filterInstRec) == 96, "filterInstRec is 96 bytes");
static_assert(offsetof(filterInstRec, resonance) == 40, "filterInstRec layout");

// Running state of one filter for one voice, 160 bytes.
struct filterVoiceRec {
    int32_t state;  // 0 after init; filter_clearVoice sets 1
    int16_t word;   // -1
    int16_t pad;
    float zero;
    float curIndex;     // current frequency index
    float targetIndex;  // target frequency index
    float memory[16];   // filter memory
    float ones[3];
    shmPtr<float> modSrc[6];
    uint8_t unused[40];
};
static_assert(sizeof(filterVoiceRec) == 160, "filterVoiceRec is 160 bytes");
static_assert(offsetof(filterVoiceRec, modSrc) == 96, "filterVoiceRec layout");
#pragma pack(pop)

struct fileRec;

// Filter modes (stored values). Mode 11 is never set, but a stored 11 reads
// as a notch everywhere.
enum {
    filterMode_lpf6 = 1,
    filterMode_lpf12 = 2,
    filterMode_lpf24 = 3,
    filterMode_hpf6 = 4,
    filterMode_hpf12 = 5,
    filterMode_bpf = 6,
    filterMode_notch = 9,
    filterMode_comb = 10,
    filterMode_notchOld = 11
};

// Comb delay limits, samples at 44100 Hz.
enum { kCombDelayMin = 1, kCombDelayMax = 2046 };

void filter_initInstRec(filterInstRec* rec, short number);
void filter_initVoiceRec(filterVoiceRec* voice);
void filter_clearVoice(filterVoiceRec* voice);  // state 1, filter memory zeroed
void filter_clearAllVoices(instRec* inst);      // every voice of every filter
void filter_combBufClear(instRec* inst);

// Filter frequency index: hertz = 5 * 2^(index/40), index 0..480. A negative
// frequency sets errno to the domain error (33) and gives NaN; below 5 Hz
// gives index 0.
double filterFreqToIndex(double hz);
double filterIndexToFreq(double index);
// Comb delay in samples at 44100 Hz: 44100 / hz, below 5 Hz counted as 5,
// limited to 1..2046; and back (a zero or subnormal delay counts as zero).
double filterHzToCombFreq(double hz);
double filterCombFreqToHz(double delay);

// Setters and getters. The filter number is taken as 0 outside 0..3 (except
// for the active flag, where it is ignored); a value the current mode does
// not use is neither stored nor read. Setters ignore NaN values.
void filter_setMode(instRec* inst, short filter, short mode);  // clears every voice first
short filter_getMode(instRec* inst, short filter);             // 0 without an instrument
void filter_setFreq(instRec* inst, short filter, double hz);
double filter_getFreq(instRec* inst, short filter);  // 440.0 for an unknown mode
void filter_setGain(instRec* inst, short filter, double dB);
double filter_getGain(instRec* inst, short filter);  // ampToDB(0.0) without a gain
void filter_setQ(instRec* inst, short filter, double q);
double filter_getQ(instRec* inst, short filter);  // 0.0 without a Q
void filter_setBandwidth(instRec* inst, short filter, double bandwidth);
double filter_getBandwidth(instRec* inst, short filter);  // 1.0 without a bandwidth
void filter_setActive(instRec* inst, short filter, int on);
int filter_getActive(instRec* inst, short filter);
void filter_setMono(instRec* inst, short filter, int mono);  // master filter (3) only
int filter_getMono(instRec* inst, short filter);

// Copies all twelve stored fields, index included (reinit, with an
// instrument: the target is initialised and takes the source's mode through
// filter_setMode first). Filter 0..3.
void filter_cloneInst(instRec* inst, const filterInstRec* from, filterInstRec* to, short number, int reinit);

// Stored form "filt", version 10, 48 bytes; 1 or 0.
enum { kFilterChunkBody = 48 };
int filter_readWriteFilterInst(fileRec* file, filterInstRec* rec, void* buffer, int reading);
void filter_flipInstRec(filterInstRec* rec);
