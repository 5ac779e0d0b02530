// Note maps: a factor 0..1 per note for one destination.
#pragma once
#include <cstddef>
#include <cstdint>

struct instRec;

#pragma pack(push, 4)
// 520 bytes.
struct notemapRec {
    int32_t kind;      // 1 oscil amp, 2 fm index/balance, 3 filter freq
    int32_t index;     // channel or filter
    float factor[128];
};
static_assert(sizeof(notemapRec) == 520, "notemapRec is 520 bytes");
#pragma pack(pop)

enum { kDestinations = 10 };

void notemap_init(notemapRec* map, int kind, int index);
void notemap_initInst(instRec* inst);
// Kind and index of destination d (0..9): 3 x kind 1, 3 x kind 2, 4 x kind 3.
void dest_kindIndex(int d, int* kind, int* index);
