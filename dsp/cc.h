// Controller assignments with depths, smoothing lags and the bend range.
// The controller fields are the first 160 bytes of ccInstRec; the note maps
// that follow them in the instrument belong to the notemap module, and no cc_
// function touches them (a preset may hold a ccInstRec whose maps go unused).
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/notemap.h"
#include "dsp/shm.h"

struct fileRec;
struct instRec;

#pragma pack(push, 4)
// 5696 bytes: the controller fields, then the instrument's ten note maps.
struct ccInstRec {
    float bendRange;  // semitones 0..72
    float bendCur, bendTarget;
    float bendLag;      // 1 / (1 + lag)
    int16_t panCenter;  // not stored
    int16_t panCC;
    float panDepth;  // fraction
    float panCur, panTarget;
    float panLag;
    float volSpare;  // not stored
    int16_t volCC;
    int16_t pad1;
    float volScale;
    float volCur, volTarget;
    float volLag;
    int32_t filterChanOn[4];
    int16_t filterCC;
    int16_t pad2;
    float filterSpareA, filterSpareB;  // not stored
    float filterDepth;                 // 1 - percent / 100
    float filterCur, filterTarget;
    float filterLag;
    int32_t modChanOn[3];
    int16_t modCC;
    int16_t pad3;
    float modLag;
    float modDepth;  // 1 - percent / 100
    float modCur, modTarget;
    int16_t effectCC;
    int16_t pad4;
    float effectLag;
    float effectDepth;  // fraction
    float effectCur, effectTarget;
    uint8_t unused[496 - 156];
    notemapRec notemaps[10];  // destination order
};
static_assert(offsetof(ccInstRec, effectTarget) == 152, "ccInstRec layout");
static_assert(offsetof(ccInstRec, notemaps) == 496, "ccInstRec note maps at 496");
static_assert(sizeof(ccInstRec) == 5696, "ccInstRec is 5696 bytes");
#pragma pack(pop)

// Controllers cc_setCCNum / cc_getCCNum choose with "which".
enum { ccWhich_vol = 2, ccWhich_filter = 3, ccWhich_mod = 4, ccWhich_pan = 5, ccWhich_effect = 6 };

// 1 / (lag + 1).
float cc_calcLag(float lag);
void cc_initCCInstRec(ccInstRec* rec);

// Setters do nothing and getters return 0 for a null instrument.
// Semitones, clamped to 0..72.
void cc_setBendRange(instRec* inst, float semitones);
float cc_getBendRange(instRec* inst);
// Percent 0..100, stored as 1 - percent / 100.
void cc_setModDepth(instRec* inst, float percent);
float cc_getModDepth(instRec* inst);
void cc_setFilterDepth(instRec* inst, float percent);
float cc_getFilterDepth(instRec* inst);
// Percent 0..100, stored as percent / 100.
void cc_setEffectDepth(instRec* inst, float percent);
float cc_getEffectDepth(instRec* inst);
void cc_setPanDepth(instRec* inst, float percent);
float cc_getPanDepth(instRec* inst);
// Lags: stored 1 / (1 + lag); read back 1 / stored - 0.5, so a whole lag cut
// to an integer reads as the number set.
void cc_setBendLag(instRec* inst, float lag);
void cc_setModLag(instRec* inst, float lag);
void cc_setFilterLag(instRec* inst, float lag);
void cc_setEffectLag(instRec* inst, float lag);
void cc_setPanLag(instRec* inst, float lag);
void cc_setVolLag(instRec* inst, float lag);
float cc_getBendLag(instRec* inst);
float cc_getModLag(instRec* inst);
float cc_getFilterLag(instRec* inst);
float cc_getEffectLag(instRec* inst);
float cc_getPanLag(instRec* inst);
float cc_getVolLag(instRec* inst);
// which: ccWhich_...; cc accepted from -1 to 127.
void cc_setCCNum(instRec* inst, short which, short cc);
short cc_getCCNum(instRec* inst, short which);
// chan 0..2 / filter 0..3, else ignored (getter 0).
void cc_setModChanOn(instRec* inst, short chan, int on);
int cc_getModChanOn(instRec* inst, short chan);
void cc_setFilterChanOn(instRec* inst, short filter, int on);
int cc_getFilterChanOn(instRec* inst, short filter);

// Copies every stored field, then sets each running value of the target to
// its target value. index and toInstrument are the common clone arguments.
void cc_clone(instRec* inst, const ccInstRec* from, ccInstRec* to, short index, int toInstrument);
// Chunk "cc  ", version 10, 24 slots (96 bytes); see cc_io.cpp.
int cc_readWriteCcInst(fileRec* file, ccInstRec* rec, void* buffer, int reading);
void cc_flipCCInstRec(ccInstRec* rec);
