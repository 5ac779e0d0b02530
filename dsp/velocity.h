// Velocity curves, one per destination.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/notemap.h"

struct instRec;

#pragma pack(push, 4)
struct velRec {
    int32_t kind;      // 1..3
    int32_t index;     // channel or filter
    float sens;        // curve floor 0..0.9999
    int32_t invert;    // 1 = runs upward
    float one;         // 1.0, not stored
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

void vel_initVelRec(velRec* rec, int kind, int index, float sens, int invert);
void vel_initVelInstRec(velInstRec* rec);
void vel_fillTable(float* table, int kind, float sens, int invert, const float* source);
void vel_refillTables(instRec* inst);
