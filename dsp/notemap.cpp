#include "dsp/notemap.h"

#include <cstring>

#include "dsp/inst.h"

void dest_kindIndex(int d, int* kind, int* index) {
    int k, i;
    if (d < 3) {
        k = 1;
        i = d;
    } else if (d < 6) {
        k = 2;
        i = d - 3;
    } else {
        k = 3;
        i = d - 6;
    }
    if (kind) *kind = k;
    if (index) *index = i;
}

void notemap_init(notemapRec* map, int kind, int index) {
    if (!map) return;
    map->kind = kind;
    map->index = index;
    for (auto& f : map->factor) f = 1.0f;
}

void notemap_initInst(instRec* inst) {
    if (!inst) return;
    for (int d = 0; d < kDestinations; ++d) {
        int kind, index;
        dest_kindIndex(d, &kind, &index);
        notemap_init(&inst->cc.notemaps[d], kind, index);
    }
}
