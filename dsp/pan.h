// Pan tables of the instrument.
#pragma once
#include <cstddef>
#include <cstdint>

struct instRec;

#pragma pack(push, 4)
struct panInstRec {
    float left[1024];
    float right[1024];
    float ctl[128];    // controller value -> pan
    int16_t position;  // 0..1023
    int16_t pad;
    float curLeft;
    float curRight;
};
static_assert(offsetof(panInstRec, right) == 0x1000, "panInstRec layout");
static_assert(offsetof(panInstRec, ctl) == 0x2000, "panInstRec layout");
static_assert(offsetof(panInstRec, position) == 0x2200, "panInstRec layout");
static_assert(offsetof(panInstRec, curRight) == 0x2208, "panInstRec layout");
#pragma pack(pop)

void pan_initInstRec(instRec* inst);
void pan_initVoiceRec(instRec* inst);
void pan_setVal(instRec* inst, float pan);
void pan_fillCtlTable(instRec* inst);
