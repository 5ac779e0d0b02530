// Velocity curves: records, the ten tables of an instrument, accessors and
// the stored form "vel ".
#include "dsp/velocity.h"
#include "platform/verify.h"

#include <cmath>
#include <cstring>

#include "dsp/dsp_globals.h"
#include "dsp/inst.h"
#include "fileio/fileio.h"

float ctlTable1[128];
float ctlTable1_5[128];
float ctlTable2[128];
float ctlTable2_5[128];
float ctlTable3[128];
float ctlTable3_5[128];
float ctlTable_5[128];

namespace {
const int32_t kVelChunk = chunkType('v', 'e', 'l', ' ');

velRec* velOf(instRec* inst, int kind, int index, int* dest)
{
    int d = dest_fromKindIndex(kind, index);
    if (!inst || d < 0) return nullptr;
    if (dest) *dest = d;
    return &inst->vel.vel[d];
}

void refillOne(instRec* inst, int d)
{
    int kind;
    dest_kindIndex(d, &kind, nullptr);
    const velRec* r = &inst->vel.vel[d];
    vel_fillTable(inst->velTables.table[d], kind, r->sens, r->invert, velTable_1);
}

void fillPowerCurve(float* table, double power, double divisor)
{
    for (int i = 0; i < 128; ++i) table[i] = static_cast<float>(std::pow(i / divisor, power));
}
}  // namespace

void vel_initCtlTables()
{
    fillPowerCurve(ctlTable1, 1.0, 127.0);
    fillPowerCurve(ctlTable1_5, 1.5, 127.0);
    fillPowerCurve(ctlTable2, 2.0, 127.0);
    fillPowerCurve(ctlTable2_5, 2.5, 127.0);
    fillPowerCurve(ctlTable3, 3.0, 127.0);
    fillPowerCurve(ctlTable3_5, 3.5, 127.0);
    fillPowerCurve(ctlTable_5, 0.5, 128.0);
}

void vel_initVelRec(velRec* rec, int kind, int index, float sens, int invert)
{
    MORVANE_VERIFY(rec);  // the record to fill is always the caller's own
    if (!rec) return;
    rec->kind = kind;
    rec->index = index;
    rec->sens = sens;
    rec->invert = invert;
    rec->one = 1.0f;
}

void vel_initVelInstRec(velInstRec* rec)
{
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    for (int d = 0; d < kDestinations; ++d) {
        int kind, index;
        dest_kindIndex(d, &kind, &index);
        vel_initVelRec(&rec->vel[d], kind, index, 1.0f, 1);
    }
}

void vel_fillTable(float* table, int kind, float sens, int invert, const float* source)
{
    if (!table || !source || kind < 1 || kind > 3) return;
    if (!(sens >= 0.0f)) sens = 0.0f;
    if (sens > 1.0f) sens = 1.0f;
    for (int i = 0; i < 128; ++i) {
        float v = invert == 1 ? source[i] : source[127 - i];
        if (kind == 3)
            table[i] = static_cast<float>(std::pow(static_cast<double>(sens), 1.0 - v));
        else
            table[i] = (1.0f - sens) * v + sens;
    }
}

void vel_refillTables(instRec* inst)
{
    if (!inst) return;
    for (int d = 0; d < kDestinations; ++d) refillOne(inst, d);
}

void vel_setVelSens(instRec* inst, int kind, int index, float percent)
{
    double p = percent;  // in double, so 99.999 % gives a floor of 0.00001
    if (!(p >= 0.0)) p = 0.0;
    if (p > 99.999) p = 99.999;
    vel_setSens(inst, kind, index, static_cast<float>(1.0 - p * 0.01));
}

float vel_getVelSens(instRec* inst, int kind, int index)
{
    const velRec* r = velOf(inst, kind, index, nullptr);
    float sens = r ? r->sens : 1.0f;
    if (!(sens >= 0.0f)) sens = 0.0f;
    if (sens > 1.0f) sens = 1.0f;
    return (1.0f - sens) * 100.0f;
}

void vel_setSens(instRec* inst, int kind, int index, float sens)
{
    int d = 0;
    velRec* r = velOf(inst, kind, index, &d);
    if (!r) return;
    if (!(sens >= 0.0f)) sens = 0.0f;
    if (sens > 0.9999f) sens = 0.9999f;
    r->sens = sens;
    refillOne(inst, d);
}

void vel_setInvert(instRec* inst, int kind, int index, int invert)
{
    int d = 0;
    velRec* r = velOf(inst, kind, index, &d);
    if (!r) return;
    r->invert = invert;
    refillOne(inst, d);
}

int vel_getInvert(instRec* inst, int kind, int index)
{
    const velRec* r = velOf(inst, kind, index, nullptr);
    return r ? r->invert : 0;
}

void vel_cloneInst(instRec* inst, const velInstRec* from, velInstRec* to, int refill)
{
    if (!from || !to) return;
    if (from != to) std::memmove(to, from, sizeof *to);
    if (refill) vel_refillTables(inst);
}

void vel_flipVelRec(velRec* rec)
{
    if (!rec) return;
    flipLong(&rec->kind);
    flipLong(&rec->index);
    flipFloat(&rec->sens);
    flipLong(&rec->invert);
}

int vel_readWriteVelInst(fileRec* file, velInstRec* rec, void* buffer, int reading)
{
    if (!file || !rec || !buffer) return 0;
    char* buf = static_cast<char*>(buffer);
    unsigned max = file_bodyLimit(reading), pos = 0;
    velInstRec tmp = *rec;
    if (!reading) std::memset(buf, 0, kDestinations * 16);
    long ok = 1;
    for (int d = 0; d < kDestinations && ok; ++d) {
        velRec* r = &tmp.vel[d];
        ok = file_readWriteBuf_long(buf, &r->kind, &pos, max, reading) &&
             file_readWriteBuf_long(buf, &r->index, &pos, max, reading) &&
             file_readWriteBuf_float(buf, &r->sens, &pos, max, reading) &&
             file_readWriteBuf_long(buf, &r->invert, &pos, max, reading);
    }
    if (reading) {
        if (!ok) return 0;  // a short body leaves the record untouched
        if (shallWeFlip())
            for (velRec& r : tmp.vel) vel_flipVelRec(&r);
        *rec = tmp;
        return 1;
    }
    chunkRec header;
    chunk_formatChunkHeader(&header, kVelChunk, static_cast<long>(pos), kChunkVersion);
    return file_writeChunk(file, &header, buf) ? 1 : 0;
}
