// The effect unit: pipe, multi-comb or multi-tap delay. The instrument holds
// one parameter record per mode, so switching modes keeps the others.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct instRec;

enum { effectMode_none = 0, effectMode_pipe = 1, effectMode_multicomb = 2, effectMode_multitap = 3 };
enum { kEffectMaxBufInInst = 481024 };

#pragma pack(push, 4)
// The first part of every effect record, 24 bytes.
struct effectHeader {
    int16_t magic;       // 0x6374 "ct"
    int16_t type;        // effect mode 1..3
    int16_t formatA;     // 1
    int16_t formatB;     // 5
    int16_t timeMode;    // 1 or 2
    int16_t pad;
    int32_t size;        // 192 pipe, 384 others
    float tempo;         // not stored
    float tempoSpare;    // not stored
};
static_assert(sizeof(effectHeader) == 24, "effectHeader is 24 bytes");

struct effectPipeRec {
    effectHeader header;
    int32_t active;
    float wet;
    float dry;
    float pipeSpare1;
    float pipeSpare2;
    float masterTime;        // samples, 1e-5..32767
    float feedback;          // -0.999..0.999
    float inPos;
    float outPos[2];
    float lowpass;           // frequency index
    float ctlLength;
    float ctlOut[2];
    int32_t ctlInvertLength;
    int32_t ctlOutInvert[2];
    uint8_t unused[100];
};
static_assert(sizeof(effectPipeRec) == 192, "effectPipeRec is 192 bytes");

struct effectMulticombRec {
    effectHeader header;
    int32_t active;
    float wet;
    float dry;
    int16_t count;
    int16_t pad;
    float masterTime;        // samples
    float masterFeedback;
    float masterLowpass;     // frequency index
    int32_t combActive[6];
    int32_t combCtlInvert[6];
    float combTime[6];       // relative to masterTime
    float combFeedback[6];
    float combGain[6];       // linear
    float combCtlSens[6];
    float combPan[6];
    float combLowpass[6];    // relative to masterLowpass
    uint8_t unused[140];
};
static_assert(sizeof(effectMulticombRec) == 384, "effectMulticombRec is 384 bytes");

struct effectMultitapRec {
    effectHeader header;
    int32_t active;
    float wet;
    float dry;
    int16_t count;
    int16_t pad;
    int32_t tapFlagA;
    int32_t tapFlagB;
    float feedback;
    float lowpass;           // frequency index
    float highpass;          // frequency index
    int32_t maxBuf;          // samples
    float masterTime;        // samples
    int32_t tapActive[3];
    int32_t tapCtlInvert[3];
    float tapCtlSens[3];
    float tapTime[3];        // relative to masterTime
    float tapGain[3];        // linear
    float tapPan[3];
    uint8_t unused[244];
};
static_assert(sizeof(effectMultitapRec) == 384, "effectMultitapRec is 384 bytes");

// Working state of the effect unit inside the instrument, 3456 bytes.
struct effectDspRec {
    int32_t on;
    int32_t paused;
    int32_t mode;                 // 0..3
    float half;                   // 0.5
    uint32_t routine;             // procedure number of the mode's routine
    shmPtr<float> buf[6];         // delay buffers in the instance's pool
    int32_t readOffset[2];        // 32768 - pipe masterTime
    double combTime[6];           // copies of the comb times
    int16_t word;                 // 0
    int16_t pad;
    float lowpassIndex;           // index of 8000 Hz
    float zero;
    float tapTime[3];             // multitap tap times
    int32_t poolSize;             // floats in the pool
    int32_t poolUsed;             // floats handed out
    shmPtr<float> poolBase;       // the pool's first float
    uint8_t unused[3320];
};
static_assert(sizeof(effectDspRec) == 3456, "effectDspRec is 3456 bytes");
#pragma pack(pop)

void effect_initEffectHeader(effectHeader* header, int32_t size, short type, short formatA,
                             short formatB, short timeMode);
void effect_initPipeRec(effectPipeRec* rec);
void effect_initMulticombRec(effectMulticombRec* rec);
void effect_initMultitapRec(effectMultitapRec* rec);
void effect_initDspRec(instRec* inst);
void effect_setUpBuffers(instRec* inst);
float* effect_newBuf(instRec* inst, long n);
void effect_clearBuf(instRec* inst);
void effect_reinitBuf(instRec* inst);
