#include "dsp/velocity.h"

#include <cmath>
#include <cstring>

#include "dsp/inst.h"

void vel_initVelRec(velRec* rec, int kind, int index, float sens, int invert) {
    if (!rec) return;
    rec->kind = kind;
    rec->index = index;
    rec->sens = sens;
    rec->invert = invert;
    rec->one = 1.0f;
}

void vel_initVelInstRec(velInstRec* rec) {
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    for (int d = 0; d < kDestinations; ++d) {
        int kind, index;
        dest_kindIndex(d, &kind, &index);
        vel_initVelRec(&rec->vel[d], kind, index, 1.0f, 1);
    }
}

void vel_fillTable(float* table, int kind, float sens, int invert, const float* source) {
    if (!table || !source) return;
    if (sens < 0.0f) sens = 0.0f;
    if (sens > 1.0f) sens = 1.0f;
    for (int i = 0; i < 128; ++i) {
        float v = invert == 1 ? source[i] : source[127 - i];
        if (kind == 3)
            table[i] = (float)std::pow((double)sens, 1.0 - v);
        else
            table[i] = (1.0f - sens) * v + sens;
    }
}

void vel_refillTables(instRec* inst) {
    if (!inst) return;
    for (int d = 0; d < kDestinations; ++d) {
        const velRec* r = &inst->vel.vel[d];
        vel_fillTable(inst->velTables.table[d], r->kind, r->sens, r->invert, velTable_1);
    }
}
