// Effect mode, state, tempo and balances, record handles and copies.
#include <cstdlib>
#include <cstring>

#include "dsp/effect.h"
#include "dsp/inst.h"

namespace {

effectDspRec* dspOf(instRec* inst) { return inst ? inst_getEffectDsp(inst) : nullptr; }

// Bytes of the record of an effect type, 0 for an unknown type.
size_t recordSize(int type)
{
    switch (type) {
    case effectMode_pipe: return sizeof(effectPipeRec);
    case effectMode_multicomb: return sizeof(effectMulticombRec);
    case effectMode_multitap: return sizeof(effectMultitapRec);
    default: return 0;
    }
}

// The instrument's own record of an effect type, or null.
effectHeader* instRecordOf(instRec* inst, int type)
{
    switch (type) {
    case effectMode_pipe: return &inst_getEffectPipe(inst)->header;
    case effectMode_multicomb: return &inst_getEffectMulticomb(inst)->header;
    case effectMode_multitap: return &inst_getEffectMultitap(inst)->header;
    default: return nullptr;
    }
}

// The fields every effect record holds right after its header.
struct effectMix {
    int32_t* active;
    float* wet;
    float* dry;
};

template <typename R> effectMix mixFields(effectHeader* h)
{
    R* r = reinterpret_cast<R*>(h);
    return {&r->active, &r->wet, &r->dry};
}

effectMix mixOf(effectHeader* h)
{
    switch (h ? h->type : 0) {
    case effectMode_pipe: return mixFields<effectPipeRec>(h);
    case effectMode_multicomb: return mixFields<effectMulticombRec>(h);
    case effectMode_multitap: return mixFields<effectMultitapRec>(h);
    default: return {nullptr, nullptr, nullptr};
    }
}

}  // namespace

// ---- mode and state -------------------------------------------------------------

void effect_setMode(instRec* inst, short mode)
{
    effectDspRec* d = dspOf(inst);
    if (!d) return;
    switch (mode) {
    case effectMode_pipe: d->routine = proc_effectPipe; break;
    case effectMode_multicomb: d->routine = proc_effectMulticomb; break;
    case effectMode_multitap: d->routine = proc_effectMultitap; break;
    default: mode = effectMode_none; break;  // the routine stays as it was
    }
    d->mode = mode;
    effect_setUpBuffers(inst);
}

short effect_getMode(instRec* inst)
{
    effectDspRec* d = dspOf(inst);
    return d ? static_cast<short>(d->mode) : 0;
}

void effect_setActive(instRec* inst, int on)
{
    if (effectDspRec* d = dspOf(inst)) d->on = on;
}

int effect_getActive(instRec* inst)
{
    effectDspRec* d = dspOf(inst);
    return d ? d->on : 0;
}

void effect_pause(instRec* inst)
{
    if (effectDspRec* d = dspOf(inst)) d->paused = 1;
}

void effect_resume(instRec* inst)
{
    if (effectDspRec* d = dspOf(inst)) d->paused = 0;
}

effectHeader* effect_getCurrentPtr(instRec* inst)
{
    effectDspRec* d = dspOf(inst);
    return d ? instRecordOf(inst, d->mode) : nullptr;
}

// ---- tempo, time mode and balances of the current record ------------------------

double effect_getTempo(instRec* inst)
{
    effectHeader* h = effect_getCurrentPtr(inst);
    return h ? h->tempo : 120.0;
}

void effect_setTempo(instRec* inst, double bpm)
{
    if (effectHeader* h = effect_getCurrentPtr(inst)) h->tempo = static_cast<float>(bpm);
}

short effect_getTimeMode(instRec* inst)
{
    effectHeader* h = effect_getCurrentPtr(inst);
    return h ? h->timeMode : 0;
}

void effect_setTimeMode(instRec* inst, short timeMode)
{
    effectHeader* h = effect_getCurrentPtr(inst);
    if (h && (timeMode == effectTime_seconds || timeMode == effectTime_tempo)) h->timeMode = timeMode;
}

double effect_getDryBalance(instRec* inst)
{
    effectMix m = mixOf(effect_getCurrentPtr(inst));
    return m.dry ? *m.dry : 1.0;
}

void effect_setDryBalance(instRec* inst, double v)
{
    effectMix m = mixOf(effect_getCurrentPtr(inst));
    if (m.dry) *m.dry = static_cast<float>(v);
}

double effect_getWetBalance(instRec* inst)
{
    effectMix m = mixOf(effect_getCurrentPtr(inst));
    return m.wet ? *m.wet : 1.0;
}

void effect_setWetBalance(instRec* inst, double v)
{
    effectMix m = mixOf(effect_getCurrentPtr(inst));
    if (m.wet) *m.wet = static_cast<float>(v);
}

// ---- record handles and copies ----------------------------------------------------

effectHeader* effect_newHandle(short type)
{
    size_t size = recordSize(type);
    if (size == 0) return nullptr;
    void* mem = std::calloc(1, size);
    if (!mem) return nullptr;
    switch (type) {
    case effectMode_pipe: effect_initPipeRec(static_cast<effectPipeRec*>(mem)); break;
    case effectMode_multicomb: effect_initMulticombRec(static_cast<effectMulticombRec*>(mem)); break;
    default: effect_initMultitapRec(static_cast<effectMultitapRec*>(mem)); break;
    }
    return static_cast<effectHeader*>(mem);
}

void effect_deleteHandle(effectHeader* handle) { std::free(handle); }

int effect_clone(instRec* inst, effectHeader* from, effectHeader* to, int toInstrument)
{
    if (!inst || !from) return 0;
    int type = from->type;
    size_t size = recordSize(type);
    if (toInstrument) {
        effectDspRec* d = inst_getEffectDsp(inst);
        d->on = 0;
        d->mode = effectMode_none;
        effectHeader* dst = instRecordOf(inst, type);
        if (!dst) return 0;  // unknown type: the effect stays off in mode 0
        if (dst != from) std::memcpy(dst, from, size);
        d->on = *mixOf(dst).active;
        if (type == effectMode_multitap) {
            effectMultitapRec* tap = inst_getEffectMultitap(inst);
            if (tap->maxBuf > kEffectMaxBufInInst) tap->maxBuf = kEffectMaxBufInInst;
        }
        effect_setMode(inst, static_cast<short>(type));
        return 1;
    }
    // Toward a preset: the target must be a record of the same type, as the
    // copy takes that type's size.
    effectHeader* src = instRecordOf(inst, type);
    if (!src || !to || to->type != type) return 0;
    *mixOf(src).active = inst_getEffectDsp(inst)->on;
    if (to != from) std::memcpy(to, from, size);
    return 1;
}
