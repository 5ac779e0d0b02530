// Tunings: 128 phase increments per tuning, kept in the shared tuning list.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

#pragma pack(push, 4)
// 1044 bytes; the list of 64 of them lives in the shared segment.
struct tuneRec {
    int32_t id;        // menu id 1..31; 0 in a slot that holds none
    char name[16];     // zero-padded
    double incr[128];  // phase increment per note
};
static_assert(offsetof(tuneRec, incr) == 20, "tuneRec layout");
static_assert(sizeof(tuneRec) == 1044, "tuneRec is 1044 bytes");
#pragma pack(pop)

enum { kTuneSlots = 64 };
