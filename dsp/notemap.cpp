// Note maps: the instrument's ten maps (inside its ccInstRec), their copy
// to and from a preset's list.
#include "dsp/notemap.h"

#include <cstring>

#include "dsp/inst.h"

void dest_kindIndex(int d, int* kind, int* index)
{
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

void notemap_init(notemapRec* map, int kind, int index)
{
    if (!map) return;
    map->kind = kind;
    map->index = index;
    for (auto& f : map->factor) f = 1.0f;
}

void notemap_initInst(instRec* inst)
{
    if (!inst) return;
    for (int d = 0; d < kDestinations; ++d) {
        int kind, index;
        dest_kindIndex(d, &kind, &index);
        notemap_init(&inst->cc.notemaps[d], kind, index);
    }
}

int dest_fromKindIndex(int kind, int index)
{
    if (!notemap_isParamOk(kind) || !notemap_isChanOk(kind, index)) return -1;
    return (kind - 1) * 3 + index;
}

int notemap_isParamOk(int kind) { return kind >= 1 && kind <= 3; }

int notemap_isChanOk(int kind, int index)
{
    int last = kind == 3 ? 3 : 2;
    return index >= 0 && index <= last;
}

notemapRec* getNoteMap(instRec* inst, int kind, int index)
{
    int d = dest_fromKindIndex(kind, index);
    return inst && d >= 0 ? &inst->cc.notemaps[d] : nullptr;
}

float* notemap_getData(instRec* inst, int kind, int index)
{
    notemapRec* map = getNoteMap(inst, kind, index);
    return map ? map->factor : nullptr;
}

int notemap_isUsed(const notemapRec* map)
{
    if (!map) return 0;
    for (float f : map->factor)
        if (f < 0.9999999) return 1;
    return 0;
}

short notemap_count(instRec* inst)
{
    if (!inst) return 0;
    short n = 0;
    for (const notemapRec& map : inst->cc.notemaps) n += notemap_isUsed(&map) ? 1 : 0;
    return n;
}

void notemap_copy(const notemapRec* from, notemapRec* to)
{
    if (!from || !to) return;
    bool ok = notemap_isParamOk(from->kind) && notemap_isChanOk(from->kind, from->index);
    to->kind = ok ? from->kind : 0;
    to->index = ok ? from->index : 0;
    for (int n = 0; n < 128; ++n) {
        float f = from->factor[n];
        if (f != f) f = 1.0f;  // not a number: leave the destination unscaled
        to->factor[n] = f < 0.0f ? 0.0f : (f > 1.0f ? 1.0f : f);
    }
}

short notemap_storeToPreset(instRec* inst, notemapRec* list, short count)
{
    if (!inst || !list) return 0;
    short stored = 0;
    for (int d = 0; d < kDestinations && stored < count; ++d) {
        const notemapRec* map = &inst->cc.notemaps[d];
        if (!notemap_isUsed(map)) continue;
        notemap_copy(map, &list[stored]);
        ++stored;
    }
    return stored;
}

void notemap_loadToDsp(instRec* inst, const notemapRec* list, short count)
{
    if (!inst || !list) return;
    for (short i = 0; i < count; ++i) {
        notemapRec* target = getNoteMap(inst, list[i].kind, list[i].index);
        if (target) notemap_copy(&list[i], target);
    }
}
