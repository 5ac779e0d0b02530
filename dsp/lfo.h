// LFOs: three per instrument.
//
// Index
//   records        lfoInstRec, lfoVoiceRec
//   operations     init, clone, restart by controller, stored form (lfo.cpp)
//   accessors      inst_lfo_... used by the LFO window          (lfo_access.cpp)
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"
#include "fileio/fileio.h"

struct instRec;

// Controller slots of an LFO (inst_lfo_getCCNum / inst_lfo_setCCNum).
enum { lfoCC_depth = 0, lfoCC_rate = 1, lfoCC_shRate = 2, lfoCC_retrigger = 3 };

constexpr int32_t kChunkLfo = chunkType('l', 'f', 'o', ' ');

#pragma pack(push, 4)
// One LFO, 192 bytes.
struct lfoInstRec {
    int32_t on;
    int32_t polyOn;
    int32_t shOn;
    int32_t pitchChan[3];
    int32_t ampChan[3];
    int32_t filterChan[4];  // 3 = master filter
    int32_t modChan[3];
    int32_t pmUp;  // 1 normal, 0 inverted
    int32_t amUp;
    int32_t panUp;
    int32_t filterUp;
    int32_t modUp;
    int16_t index;
    int16_t depthCC;  // -1 = none
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
    float shRate;  // sample-and-hold period, seconds
    float extra;
    float work;  // not stored
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
// Copies the whole record; 1, or 0 when either record is missing.
int lfo_cloneInst(instRec* inst, const lfoInstRec* from, lfoInstRec* to, short index, int toInstrument);
// A controller message: a non-zero value marks every LFO that restarts on
// this controller; the audio code does the restart.
void lfo_processRetrigCC(instRec* inst, short cc, short value);
// The "lfo " chunk (44 slots). Reading takes the body held in the shared
// chunk buffer and changes the record only when the whole body was there;
// the retrigger flag and the work value are not stored. 1 or 0.
int lfo_readWriteLfoInst(fileRec* file, lfoInstRec* rec, void* buffer, int reading);
void lfo_flipInstRec(lfoInstRec* rec);

// ---- accessors: LFO 0..2 of the instrument; no clamping, no derived values.
// Getters return 0 when the record or the LFO number does not apply.
int inst_lfo_getOn(instRec* inst, short lfo);
void inst_lfo_setOn(instRec* inst, short lfo, int value);
int inst_lfo_getSHOn(instRec* inst, short lfo);
void inst_lfo_setSHOn(instRec* inst, short lfo, int value);
int inst_lfo_getRetriggerOn(instRec* inst, short lfo);
void inst_lfo_setRetriggerOn(instRec* inst, short lfo, int value);
int inst_lfo_getPolyOn(instRec* inst, short lfo);
void inst_lfo_setPolyOn(instRec* inst, short lfo, int value);
// Polarities: 1 normal, 0 inverted.
int inst_lfo_getPMUp(instRec* inst, short lfo);
void inst_lfo_setPMUp(instRec* inst, short lfo, int value);
int inst_lfo_getAMUp(instRec* inst, short lfo);
void inst_lfo_setAMUp(instRec* inst, short lfo, int value);
int inst_lfo_getFilterUp(instRec* inst, short lfo);
void inst_lfo_setFilterUp(instRec* inst, short lfo, int value);
int inst_lfo_getModUp(instRec* inst, short lfo);
void inst_lfo_setModUp(instRec* inst, short lfo, int value);
double inst_lfo_getPMDepth(instRec* inst, short lfo);
void inst_lfo_setPMDepth(instRec* inst, short lfo, double value);
double inst_lfo_getAMDepth(instRec* inst, short lfo);
void inst_lfo_setAMDepth(instRec* inst, short lfo, double value);
double inst_lfo_getPanDepth(instRec* inst, short lfo);
void inst_lfo_setPanDepth(instRec* inst, short lfo, double value);
double inst_lfo_getFilterDepth(instRec* inst, short lfo);
void inst_lfo_setFilterDepth(instRec* inst, short lfo, double value);
double inst_lfo_getModDepth(instRec* inst, short lfo);
void inst_lfo_setModDepth(instRec* inst, short lfo, double value);
double inst_lfo_getEffectDepth(instRec* inst, short lfo);
void inst_lfo_setEffectDepth(instRec* inst, short lfo, double value);
double inst_lfo_getFreq(instRec* inst, short lfo);
void inst_lfo_setFreq(instRec* inst, short lfo, double value);
double inst_lfo_getStartPhase(instRec* inst, short lfo);
void inst_lfo_setStartPhase(instRec* inst, short lfo, double value);
double inst_lfo_getSHRate(instRec* inst, short lfo);  // seconds
void inst_lfo_setSHRate(instRec* inst, short lfo, double value);
double inst_lfo_getFreqScaleRange(instRec* inst, short lfo);
void inst_lfo_setFreqScaleRange(instRec* inst, short lfo, double value);
double inst_lfo_getDepthRange(instRec* inst, short lfo);
void inst_lfo_setDepthRange(instRec* inst, short lfo, double value);
double inst_lfo_getSHRateRange(instRec* inst, short lfo);
void inst_lfo_setSHRateRange(instRec* inst, short lfo, double value);
short inst_lfo_getWaveID(instRec* inst, short lfo);
void inst_lfo_setWaveID(instRec* inst, short lfo, short value);
// Routing to channel 0..2 (filters 0..3 for FilterChan, 3 = master filter);
// a channel outside the range addresses element 0.
int inst_lfo_getPitchChan(instRec* inst, short lfo, short chan);
void inst_lfo_setPitchChan(instRec* inst, short lfo, short chan, int on);
int inst_lfo_getAmpChan(instRec* inst, short lfo, short chan);
void inst_lfo_setAmpChan(instRec* inst, short lfo, short chan, int on);
int inst_lfo_getModChan(instRec* inst, short lfo, short chan);
void inst_lfo_setModChan(instRec* inst, short lfo, short chan, int on);
int inst_lfo_getFilterChan(instRec* inst, short lfo, short chan);
void inst_lfo_setFilterChan(instRec* inst, short lfo, short chan, int on);
// Controller numbers by slot (lfoCC_...): the setter accepts -1 (none) to
// 127 and ignores anything else; the getter returns 0 for an unknown slot.
short inst_lfo_getCCNum(instRec* inst, short lfo, short which);
void inst_lfo_setCCNum(instRec* inst, short lfo, short which, short cc);
