// LFOs: three per instrument.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct instRec;

#pragma pack(push, 4)
// One LFO, 192 bytes.
struct lfoInstRec {
    int32_t on;
    int32_t polyOn;
    int32_t shOn;
    int32_t pitchChan[3];
    int32_t ampChan[3];
    int32_t filterChan[4];   // 3 = master filter
    int32_t modChan[3];
    int32_t pmUp;            // 1 normal, 0 inverted
    int32_t amUp;
    int32_t panUp;
    int32_t filterUp;
    int32_t modUp;
    int16_t index;
    int16_t depthCC;         // -1 = none
    int16_t rateCC;
    int16_t shRateCC;
    int16_t retriggerOn;
    int16_t retriggerCC;
    int16_t retriggerPending;  // for the audio code; not stored
    int16_t pad1;
    float ccScale1;
    float depthRange;
    float shRateRange;
    float ccScale2;
    float ccScale3;
    float freqScaleRange;
    float amDepth;
    float pmDepth;
    float panDepth;
    float filterDepth;
    float modDepth;
    float effectDepth;
    int16_t waveID;
    int16_t pad2;
    float freq;
    float startPhase;
    float shRate;            // sample-and-hold period, seconds
    float extra;
    float work;              // not stored
    uint8_t unused[20];
};
static_assert(offsetof(lfoInstRec, index) == 84, "lfoInstRec layout");
static_assert(offsetof(lfoInstRec, work) == 168, "lfoInstRec layout");
static_assert(sizeof(lfoInstRec) == 192, "lfoInstRec is 192 bytes");

// Per LFO and voice, 64 bytes.
struct lfoVoiceRec {
    int32_t state;
    int16_t voice;
    int16_t lfo;
    float zero[3];
    float ones[6];
    double one;
    uint8_t unused[12];
};
static_assert(sizeof(lfoVoiceRec) == 64, "lfoVoiceRec is 64 bytes");
#pragma pack(pop)

void lfo_initInstRec(lfoInstRec* rec, short number);
void lfo_initVoiceRec(lfoVoiceRec* voice, short lfo, short voiceNumber);
