// Effect records: initial values, the working state and the delay buffers
// handed out of the instance's pool in shared memory.
#include "dsp/effect.h"
#include "platform/verify.h"

#include <cmath>
#include <cstring>

#include "dsp/filter.h"
#include "dsp/inst.h"

void effect_initEffectHeader(effectHeader* h, int32_t size, short type, short formatA, short formatB,
                             short timeMode)
{
    MORVANE_VERIFY(h);  // the record to fill is always the caller's own
    if (!h) return;
    h->magic = 0x6374;
    h->type = type;
    h->formatA = formatA;
    h->formatB = formatB;
    h->timeMode = timeMode;
    h->pad = 0;
    h->size = size;
    h->tempo = 120.0f;
    h->tempoSpare = 0.5f;
}

void effect_initPipeRec(effectPipeRec* r)
{
    if (!r) return;
    std::memset(r, 0, sizeof *r);
    effect_initEffectHeader(&r->header, sizeof *r, effectMode_pipe, 1, 5, 1);
    r->wet = r->dry = 0.5f;
    r->pipeSpare2 = 1.0f;
    r->masterTime = 220.5f;
    r->feedback = 0.5f;
    r->inPos = 0.42f;
    r->outPos[0] = 0.33f;
    r->outPos[1] = 0.405f;
    r->lowpass = (float)filterFreqToIndex(8000.0);
    r->ctlLength = 1.0f;
    r->ctlOut[0] = r->ctlOut[1] = 1.0f;
    r->ctlOutInvert[1] = 1;
}

void effect_initMulticombRec(effectMulticombRec* r)
{
    if (!r) return;
    std::memset(r, 0, sizeof *r);
    effect_initEffectHeader(&r->header, sizeof *r, effectMode_multicomb, 1, 5, 1);
    r->wet = r->dry = 0.5f;
    r->count = 6;
    r->masterTime = 4410.0f;
    r->masterFeedback = 0.5f;
    r->masterLowpass = (float)filterFreqToIndex(8000.0);
    static const float pans[6] = {0.1f, 0.9f, 0.2f, 0.8f, 0.3f, 0.7f};
    for (int c = 0; c < 6; ++c) {
        r->combActive[c] = c < 2 ? 1 : 0;
        r->combTime[c] = r->combFeedback[c] = r->combCtlSens[c] = r->combLowpass[c] = 1.0f;
        r->combGain[c] = 0.5f;
        r->combPan[c] = pans[c];
    }
}

void effect_initMultitapRec(effectMultitapRec* r)
{
    if (!r) return;
    std::memset(r, 0, sizeof *r);
    effect_initEffectHeader(&r->header, sizeof *r, effectMode_multitap, 1, 5, 1);
    r->wet = r->dry = 0.5f;
    r->count = 3;
    r->tapFlagA = 1;
    r->tapFlagB = 0;
    r->feedback = 0.5f;
    r->lowpass = (float)filterFreqToIndex(8000.0);
    r->highpass = 80.0f;
    r->maxBuf = 441000;
    r->masterTime = 44100.0f;
    static const float times[3] = {1.0f, 0.48f, 0.73f};
    static const float pans[3] = {0.1f, 0.9f, 0.5f};
    for (int t = 0; t < 3; ++t) {
        r->tapActive[t] = 1;
        r->tapCtlSens[t] = 1.0f;
        r->tapTime[t] = times[t];
        r->tapGain[t] = 0.5f;
        r->tapPan[t] = pans[t];
    }
}

namespace {

// Points the working record at the instance's pool in shared memory. Taken
// afresh at every buffer set-up, so a damaged pool word in the record is
// never trusted.
void attachPool(instRec* inst, effectDspRec* d)
{
    float* pool = iac_getEffectPool(inst_getInstanceNumber(inst));
    d->poolBase.set(pool);
    d->poolSize = (pool && !d->poolBase.isNull()) ? IAC_EFFECT_POOL_FLOATS : 0;
}

// Floats of one multitap buffer: maxBuf, or the master time rounded. A
// length that cannot be a buffer at all gives 0 (no buffer).
long multitapBufLength(const effectMultitapRec* tap)
{
    if (g_effect_useMaxBuf) return tap->maxBuf > 0 ? tap->maxBuf : 0;
    double t = tap->masterTime;
    if (!(t >= 0.5 && t < 2147483647.0)) return 0;
    return std::lround(t);
}

}  // namespace

void effect_initDspRec(instRec* inst)
{
    if (!inst) return;
    effectDspRec* d = &inst->effect;
    std::memset(d, 0, sizeof *d);
    d->on = 0;
    d->paused = 0;
    d->mode = effectMode_multicomb;
    d->half = 0.5f;
    d->routine = proc_effectMulticomb;
    int32_t readOffset = 32768 - (int32_t)inst->pipe.masterTime;
    d->readOffset[0] = d->readOffset[1] = readOffset;
    for (int c = 0; c < 6; ++c) d->combTime[c] = inst->multicomb.combTime[c];
    d->lowpassIndex = (float)filterFreqToIndex(8000.0);
    for (int t = 0; t < 3; ++t) d->tapTime[t] = inst->multitap.tapTime[t];
    attachPool(inst, d);
    d->poolUsed = 0;
    effect_setUpBuffers(inst);
}

float* effect_newBuf(instRec* inst, long n)
{
    if (!inst || n <= 0) return nullptr;
    effectDspRec* d = &inst->effect;
    float* base = d->poolBase.get();
    if (!base || d->poolUsed < 0) return nullptr;
    if ((long long)d->poolUsed + n >= (long long)d->poolSize) return nullptr;
    float* p = base + d->poolUsed;
    d->poolUsed += (int32_t)n;
    return p;
}

void effect_clearBuf(instRec* inst)
{
    if (inst) inst->effect.poolUsed = 0;
}

// The buffers' contents belong to the plug-in's audio code.
void effect_reinitBuf(instRec*) {}

void effect_setUpBuffers(instRec* inst)
{
    if (!inst) return;
    iac_mvn_reinitEffectBuf(inst_getInstanceNumber(inst));
    dsp_sleepMs(1);
    effectDspRec* d = &inst->effect;
    d->paused = 1;
    attachPool(inst, d);
    effect_clearBuf(inst);
    for (auto& b : d->buf) b.set(nullptr);
    int count = 0;
    long n = 0;
    switch (d->mode) {
    case effectMode_pipe:
        count = 2;
        n = 32768;
        break;
    case effectMode_multicomb:
        count = 6;
        n = 32768;
        break;
    case effectMode_multitap:
        count = 3;
        n = multitapBufLength(&inst->multitap);
        break;
    default: break;
    }
    for (int i = 0; i < count; ++i) d->buf[i].set(effect_newBuf(inst, n));
    d->paused = 0;
}
