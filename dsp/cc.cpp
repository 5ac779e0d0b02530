// Controller assignments: initial values, accessors, clone and the stored
// form "cc  ".
#include "dsp/cc.h"

#include <cstring>
#include <initializer_list>

#include "dsp/dsp_globals.h"
#include "dsp/inst.h"
#include "fileio/fileio.h"

float cc_calcLag(float lag) { return 1.0f / (lag + 1.0f); }

void cc_initCCInstRec(ccInstRec* rec)
{
    if (!rec) return;
    // The note maps inside the record are initialised with the instrument's
    // note maps (notemap_initInst); only the controller fields are reset here.
    std::memset(rec, 0, offsetof(ccInstRec, notemaps));
    rec->bendRange = 24.0f;
    rec->bendCur = rec->bendTarget = 1.0f;
    rec->bendLag = cc_calcLag(10);
    rec->panCenter = 64;
    rec->panCC = 10;
    rec->panDepth = 1.0f;
    rec->panCur = rec->panTarget = 64.0f;
    rec->panLag = cc_calcLag(10);
    rec->volCC = 7;
    rec->volScale = 1.0f;
    rec->volCur = rec->volTarget = 1.0f;
    rec->volLag = cc_calcLag(10);
    for (auto& f : rec->filterChanOn) f = 1;
    rec->filterCC = 1;
    rec->filterSpareA = 1.0f;
    rec->filterDepth = 1.0f;
    rec->filterCur = rec->filterTarget = 1.0f;
    rec->filterLag = cc_calcLag(10);
    for (auto& m : rec->modChanOn) m = 1;
    rec->modCC = 1;
    rec->modLag = cc_calcLag(10);
    rec->modDepth = 1.0f;
    rec->modCur = rec->modTarget = 1.0f;
    rec->effectCC = 1;
    rec->effectLag = cc_calcLag(25);
    rec->effectDepth = 0.00001f;
    rec->effectCur = rec->effectTarget = 1.0f;
}

// --- accessors ------------------------------------------------------------------

namespace {
const int32_t kCcChunk = chunkType('c', 'c', ' ', ' ');

float clampPercent(float percent)
{
    if (percent < 0.0f) return 0.0f;
    if (percent > 100.0f) return 100.0f;
    return percent;
}

// A negative lag would make a smoothing coefficient above 1 (or infinite at
// -1), which the audio code cannot use; it is taken as no lag.
void setLag(instRec* inst, float ccInstRec::*field, float lag)
{
    if (!inst) return;
    if (!(lag >= 0.0f)) lag = 0.0f;
    inst->cc.*field = 1.0f / (1.0f + lag);
}

float getLag(instRec* inst, float ccInstRec::*field)
{
    if (!inst) return 0.0f;
    float stored = inst->cc.*field;
    return stored > 0.0f ? 1.0f / stored - 0.5f : 0.0f;
}

int16_t* ccNumField(instRec* inst, short which)
{
    if (!inst) return nullptr;
    switch (which) {
    case ccWhich_vol: return &inst->cc.volCC;
    case ccWhich_filter: return &inst->cc.filterCC;
    case ccWhich_mod: return &inst->cc.modCC;
    case ccWhich_pan: return &inst->cc.panCC;
    case ccWhich_effect: return &inst->cc.effectCC;
    default: return nullptr;
    }
}
}  // namespace

void cc_setBendRange(instRec* inst, float semitones)
{
    if (!inst) return;
    if (!(semitones >= 0.0f)) semitones = 0.0f;
    if (semitones > 72.0f) semitones = 72.0f;
    inst->cc.bendRange = semitones;
}
float cc_getBendRange(instRec* inst) { return inst ? inst->cc.bendRange : 0.0f; }

void cc_setModDepth(instRec* inst, float percent)
{
    if (inst) inst->cc.modDepth = 1.0f - clampPercent(percent) * 0.01f;
}
float cc_getModDepth(instRec* inst) { return inst ? (1.0f - inst->cc.modDepth) * 100.0f : 0.0f; }
void cc_setFilterDepth(instRec* inst, float percent)
{
    if (inst) inst->cc.filterDepth = 1.0f - clampPercent(percent) * 0.01f;
}
float cc_getFilterDepth(instRec* inst) { return inst ? (1.0f - inst->cc.filterDepth) * 100.0f : 0.0f; }
void cc_setEffectDepth(instRec* inst, float percent)
{
    if (inst) inst->cc.effectDepth = clampPercent(percent) / 100.0f;
}
float cc_getEffectDepth(instRec* inst) { return inst ? inst->cc.effectDepth * 100.0f : 0.0f; }
void cc_setPanDepth(instRec* inst, float percent)
{
    if (inst) inst->cc.panDepth = clampPercent(percent) / 100.0f;
}
float cc_getPanDepth(instRec* inst) { return inst ? inst->cc.panDepth * 100.0f : 0.0f; }

void cc_setBendLag(instRec* inst, float lag) { setLag(inst, &ccInstRec::bendLag, lag); }
void cc_setModLag(instRec* inst, float lag) { setLag(inst, &ccInstRec::modLag, lag); }
void cc_setFilterLag(instRec* inst, float lag) { setLag(inst, &ccInstRec::filterLag, lag); }
void cc_setEffectLag(instRec* inst, float lag) { setLag(inst, &ccInstRec::effectLag, lag); }
void cc_setPanLag(instRec* inst, float lag) { setLag(inst, &ccInstRec::panLag, lag); }
void cc_setVolLag(instRec* inst, float lag) { setLag(inst, &ccInstRec::volLag, lag); }
float cc_getBendLag(instRec* inst) { return getLag(inst, &ccInstRec::bendLag); }
float cc_getModLag(instRec* inst) { return getLag(inst, &ccInstRec::modLag); }
float cc_getFilterLag(instRec* inst) { return getLag(inst, &ccInstRec::filterLag); }
float cc_getEffectLag(instRec* inst) { return getLag(inst, &ccInstRec::effectLag); }
float cc_getPanLag(instRec* inst) { return getLag(inst, &ccInstRec::panLag); }
float cc_getVolLag(instRec* inst) { return getLag(inst, &ccInstRec::volLag); }

void cc_setCCNum(instRec* inst, short which, short cc)
{
    int16_t* field = ccNumField(inst, which);
    if (field && cc >= -1 && cc <= 127) *field = cc;
}

short cc_getCCNum(instRec* inst, short which)
{
    int16_t* field = ccNumField(inst, which);
    return field ? *field : 0;
}

void cc_setModChanOn(instRec* inst, short chan, int on)
{
    if (inst && chan >= 0 && chan < 3) inst->cc.modChanOn[chan] = on;
}
int cc_getModChanOn(instRec* inst, short chan)
{
    return inst && chan >= 0 && chan < 3 ? inst->cc.modChanOn[chan] : 0;
}
void cc_setFilterChanOn(instRec* inst, short filter, int on)
{
    if (inst && filter >= 0 && filter < 4) inst->cc.filterChanOn[filter] = on;
}
int cc_getFilterChanOn(instRec* inst, short filter)
{
    return inst && filter >= 0 && filter < 4 ? inst->cc.filterChanOn[filter] : 0;
}

// --- clone and stored form ----------------------------------------------------------

void cc_clone(instRec*, const ccInstRec* from, ccInstRec* to, short, int)
{
    if (!from || !to || from == to) return;
    // Everything before the note maps: stored fields and running values.
    std::memmove(to, from, offsetof(ccInstRec, notemaps));
    to->bendCur = to->bendTarget;
    to->panCur = to->panTarget;
    to->volCur = to->volTarget;
    to->filterCur = to->filterTarget;
    to->modCur = to->modTarget;
    to->effectCur = to->effectTarget;
}

void cc_flipCCInstRec(ccInstRec* r)
{
    if (!r) return;
    for (float* f :
         {&r->bendRange, &r->bendLag, &r->panDepth, &r->panLag, &r->volScale, &r->volLag, &r->filterDepth,
          &r->filterLag, &r->modLag, &r->modDepth, &r->effectLag, &r->effectDepth})
        flipFloat(f);
    for (int16_t* s : {&r->panCC, &r->volCC, &r->filterCC, &r->modCC, &r->effectCC}) flipShort(s);
}

// Body: bendRange, bendLag, panCC, panDepth, panLag, volCC, volScale, volLag,
// filterChanOn[4] (flags), filterCC, filterDepth, filterLag, modChanOn[3]
// (flags), modCC, modLag, modDepth, effectCC, effectLag, effectDepth: 96 bytes.
int cc_readWriteCcInst(fileRec* file, ccInstRec* rec, void* buffer, int reading)
{
    if (!file || !rec || !buffer) return 0;
    char* buf = static_cast<char*>(buffer);
    unsigned max = file_bodyLimit(reading), pos = 0;
    ccInstRec tmp;
    std::memcpy(&tmp, rec, offsetof(ccInstRec, notemaps));
    if (!reading) std::memset(buf, 0, 96);
    long ok = file_readWriteBuf_float(buf, &tmp.bendRange, &pos, max, reading) &&
              file_readWriteBuf_float(buf, &tmp.bendLag, &pos, max, reading) &&
              file_readWriteBuf_short(buf, &tmp.panCC, &pos, max, reading) &&
              file_readWriteBuf_float(buf, &tmp.panDepth, &pos, max, reading) &&
              file_readWriteBuf_float(buf, &tmp.panLag, &pos, max, reading) &&
              file_readWriteBuf_short(buf, &tmp.volCC, &pos, max, reading) &&
              file_readWriteBuf_float(buf, &tmp.volScale, &pos, max, reading) &&
              file_readWriteBuf_float(buf, &tmp.volLag, &pos, max, reading);
    for (int f = 0; f < 4 && ok; ++f)
        ok = file_readWriteBuf_flag(buf, &tmp.filterChanOn[f], &pos, max, reading);
    ok = ok && file_readWriteBuf_short(buf, &tmp.filterCC, &pos, max, reading) &&
         file_readWriteBuf_float(buf, &tmp.filterDepth, &pos, max, reading) &&
         file_readWriteBuf_float(buf, &tmp.filterLag, &pos, max, reading);
    for (int c = 0; c < 3 && ok; ++c) ok = file_readWriteBuf_flag(buf, &tmp.modChanOn[c], &pos, max, reading);
    ok = ok && file_readWriteBuf_short(buf, &tmp.modCC, &pos, max, reading) &&
         file_readWriteBuf_float(buf, &tmp.modLag, &pos, max, reading) &&
         file_readWriteBuf_float(buf, &tmp.modDepth, &pos, max, reading) &&
         file_readWriteBuf_short(buf, &tmp.effectCC, &pos, max, reading) &&
         file_readWriteBuf_float(buf, &tmp.effectLag, &pos, max, reading) &&
         file_readWriteBuf_float(buf, &tmp.effectDepth, &pos, max, reading);
    if (reading) {
        if (!ok) return 0;  // a short body leaves the record untouched
        if (shallWeFlip()) cc_flipCCInstRec(&tmp);
        std::memcpy(rec, &tmp, offsetof(ccInstRec, notemaps));
        return 1;
    }
    chunkRec header;
    chunk_formatChunkHeader(&header, kCcChunk, static_cast<long>(pos), kChunkVersion);
    return file_writeChunk(file, &header, buf) ? 1 : 0;
}
