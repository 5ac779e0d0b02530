// Controller assignments with depths, smoothing lags and the bend range.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/notemap.h"
#include "dsp/shm.h"

struct instRec;

#pragma pack(push, 4)
// 5696 bytes: the controller fields, then the instrument's ten note maps.
struct ccInstRec {
    float bendRange;           // semitones 0..72
    float bendCur, bendTarget;
    float bendLag;             // 1 / (1 + lag)
    int16_t panCenter;         // not stored
    int16_t panCC;
    float panDepth;            // fraction
    float panCur, panTarget;
    float panLag;
    float volSpare;            // not stored
    int16_t volCC;
    int16_t pad1;
    float volScale;
    float volCur, volTarget;
    float volLag;
    int32_t filterChanOn[4];
    int16_t filterCC;
    int16_t pad2;
    float filterSpareA, filterSpareB;  // not stored
    float filterDepth;         // 1 - percent / 100
    float filterCur, filterTarget;
    float filterLag;
    int32_t modChanOn[3];
    int16_t modCC;
    int16_t pad3;
    float modLag;
    float modDepth;            // 1 - percent / 100
    float modCur, modTarget;
    int16_t effectCC;
    int16_t pad4;
    float effectLag;
    float effectDepth;         // fraction
    float effectCur, effectTarget;
    uint8_t unused[496 - 156];
    notemapRec notemaps[10];   // destination order
};
static_assert(offsetof(ccInstRec, effectTarget) == 152, "ccInstRec layout");
static_assert(offsetof(ccInstRec, notemaps) == 496, "ccInstRec note maps at 496");
static_assert(sizeof(ccInstRec) == 5696, "ccInstRec is 5696 bytes");
#pragma pack(pop)

float cc_calcLag(float lag);
void cc_initCCInstRec(ccInstRec* rec);
