// LFO accessors on the instrument (inst_lfo_...), used by the LFO window.
// Each reads or writes one field of LFO 0..2 and nothing else; a missing
// record or an LFO number outside 0..2 makes setters do nothing and getters
// return 0.
#include "dsp/inst.h"
#include "dsp/lfo.h"

namespace {

lfoInstRec* lfoOf(instRec* inst, short lfo)
{
    if (!inst || lfo < 0 || lfo >= kLfos) return nullptr;
    return inst_getLfoInst(inst, lfo);
}

// A routing channel outside the valid range addresses element 0.
int routeIndex(short chan, int count) { return (chan >= 0 && chan < count) ? chan : 0; }

}  // namespace

#define LFO_FIELD_ACCESSORS(Name, field, Type)                                                               \
    Type inst_lfo_get##Name(instRec* inst, short lfo)                                                        \
    {                                                                                                        \
        lfoInstRec* rec = lfoOf(inst, lfo);                                                                  \
        return rec ? static_cast<Type>(rec->field) : Type(0);                                                \
    }                                                                                                        \
    void inst_lfo_set##Name(instRec* inst, short lfo, Type value)                                            \
    {                                                                                                        \
        if (lfoInstRec* rec = lfoOf(inst, lfo)) rec->field = static_cast<decltype(rec->field)>(value);       \
    }

LFO_FIELD_ACCESSORS(On, on, int)
LFO_FIELD_ACCESSORS(SHOn, shOn, int)
LFO_FIELD_ACCESSORS(RetriggerOn, retriggerOn, int)
LFO_FIELD_ACCESSORS(PolyOn, polyOn, int)
LFO_FIELD_ACCESSORS(PMUp, pmUp, int)
LFO_FIELD_ACCESSORS(AMUp, amUp, int)
LFO_FIELD_ACCESSORS(FilterUp, filterUp, int)
LFO_FIELD_ACCESSORS(ModUp, modUp, int)
LFO_FIELD_ACCESSORS(PMDepth, pmDepth, double)
LFO_FIELD_ACCESSORS(AMDepth, amDepth, double)
LFO_FIELD_ACCESSORS(PanDepth, panDepth, double)
LFO_FIELD_ACCESSORS(FilterDepth, filterDepth, double)
LFO_FIELD_ACCESSORS(ModDepth, modDepth, double)
LFO_FIELD_ACCESSORS(EffectDepth, effectDepth, double)
LFO_FIELD_ACCESSORS(Freq, freq, double)
LFO_FIELD_ACCESSORS(StartPhase, startPhase, double)
LFO_FIELD_ACCESSORS(SHRate, shRate, double)
LFO_FIELD_ACCESSORS(FreqScaleRange, freqScaleRange, double)
LFO_FIELD_ACCESSORS(DepthRange, depthRange, double)
LFO_FIELD_ACCESSORS(SHRateRange, shRateRange, double)
LFO_FIELD_ACCESSORS(WaveID, waveID, short)

#undef LFO_FIELD_ACCESSORS

#define LFO_ROUTE_ACCESSORS(Name, field, count)                                                              \
    int inst_lfo_get##Name(instRec* inst, short lfo, short chan)                                             \
    {                                                                                                        \
        lfoInstRec* rec = lfoOf(inst, lfo);                                                                  \
        return rec ? rec->field[routeIndex(chan, count)] : 0;                                                \
    }                                                                                                        \
    void inst_lfo_set##Name(instRec* inst, short lfo, short chan, int on)                                    \
    {                                                                                                        \
        if (lfoInstRec* rec = lfoOf(inst, lfo)) rec->field[routeIndex(chan, count)] = on;                    \
    }

LFO_ROUTE_ACCESSORS(PitchChan, pitchChan, 3)
LFO_ROUTE_ACCESSORS(AmpChan, ampChan, 3)
LFO_ROUTE_ACCESSORS(ModChan, modChan, 3)
LFO_ROUTE_ACCESSORS(FilterChan, filterChan, 4)

#undef LFO_ROUTE_ACCESSORS

namespace {

// Controller slot of an LFO: 0 depth, 1 rate, 2 S/H rate, 3 retrigger.
int16_t* ccSlot(lfoInstRec* rec, short which)
{
    if (!rec) return nullptr;
    switch (which) {
    case lfoCC_depth: return &rec->depthCC;
    case lfoCC_rate: return &rec->rateCC;
    case lfoCC_shRate: return &rec->shRateCC;
    case lfoCC_retrigger: return &rec->retriggerCC;
    default: return nullptr;
    }
}

}  // namespace

short inst_lfo_getCCNum(instRec* inst, short lfo, short which)
{
    int16_t* slot = ccSlot(lfoOf(inst, lfo), which);
    return slot ? *slot : 0;
}

void inst_lfo_setCCNum(instRec* inst, short lfo, short which, short cc)
{
    if (cc < -1 || cc > 127) return;
    if (int16_t* slot = ccSlot(lfoOf(inst, lfo), which)) *slot = cc;
}
