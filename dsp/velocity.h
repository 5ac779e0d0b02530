// Velocity curves, one per destination (the destination order of notemap.h:
// 3 x oscil amp, 3 x oscil fm index/balance, 4 x filter freq).
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/notemap.h"

struct fileRec;
struct instRec;

#pragma pack(push, 4)
struct velRec {
    int32_t kind;    // 1..3
    int32_t index;   // channel or filter
    float sens;      // curve floor 0..0.9999
    int32_t invert;  // 1 = runs upward
    float one;       // 1.0, not stored
};
static_assert(sizeof(velRec) == 20, "velRec is 20 bytes");

// 320 bytes.
struct velInstRec {
    velRec vel[kDestinations];
    uint8_t unused[120];
};
static_assert(sizeof(velInstRec) == 320, "velInstRec is 320 bytes");

// 5440 bytes: one 128-entry table per destination.
struct velInstTables {
    float table[kDestinations][128];
    uint8_t unused[320];
};
static_assert(sizeof(velInstTables) == 5440, "velInstTables is 5440 bytes");
#pragma pack(pop)

extern const float velTable_1[128];

// Controller curves (i/127)^p for p = 1, 1.5, 2, 2.5, 3, 3.5 and sqrt(i/128),
// read only by the plug-in's audio code; filled by vel_initCtlTables at
// start-up (dsp_globals_init).
extern float ctlTable1[128];
extern float ctlTable1_5[128];
extern float ctlTable2[128];
extern float ctlTable2_5[128];
extern float ctlTable3[128];
extern float ctlTable3_5[128];
extern float ctlTable_5[128];
void vel_initCtlTables();

void vel_initVelRec(velRec* rec, int kind, int index, float sens, int invert);
void vel_initVelInstRec(velInstRec* rec);
// sens is clamped to 0..1; invert 1 runs the source upward, any other value
// reversed. Kinds 1 and 2: a line from sens up to 1; kind 3: sens^(1 - v).
// Another kind leaves the table as it is.
void vel_fillTable(float* table, int kind, float sens, int invert, const float* source);
// Refills all ten tables from velTable_1, each with its destination's curve.
void vel_refillTables(instRec* inst);

// Kind and index name a destination (kind 1..3; index 0..2, 0..3 for kind 3);
// other pairs are ignored by setters.
// percent clamped to 0..99.999, stored as sens 1 - percent / 100.
void vel_setVelSens(instRec* inst, int kind, int index, float percent);
// (1 - sens) * 100, sens taken in 0..1; a pair out of range reads 0.
float vel_getVelSens(instRec* inst, int kind, int index);
// sens clamped to 0..0.9999; refills that destination's table.
void vel_setSens(instRec* inst, int kind, int index, float sens);
void vel_setInvert(instRec* inst, int kind, int index, int invert);
int vel_getInvert(instRec* inst, int kind, int index);
// Copies the record; refills the instrument's tables when refill is non-zero.
void vel_cloneInst(instRec* inst, const velInstRec* from, velInstRec* to, int refill);
// Chunk "vel ", version 10: kind, index, sens, invert of each of the ten
// curves (160 bytes).
int vel_readWriteVelInst(fileRec* file, velInstRec* rec, void* buffer, int reading);
void vel_flipVelRec(velRec* rec);
