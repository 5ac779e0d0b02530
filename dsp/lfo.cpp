// LFO records: initial values, copy, restart by controller, stored form
// ("lfo " chunk) and byte swap.
#include "dsp/lfo.h"
#include "platform/verify.h"

#include <cstring>

#include "dsp/chunkSlots.h"
#include "dsp/inst.h"

void lfo_initInstRec(lfoInstRec* rec, short number)
{
    MORVANE_VERIFY(rec);  // the record to fill is always the caller's own
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    rec->on = 1;
    for (auto& r : rec->pitchChan) r = 1;
    for (auto& r : rec->ampChan) r = 1;
    for (auto& r : rec->filterChan) r = 1;
    for (auto& r : rec->modChan) r = 1;
    rec->pmUp = rec->amUp = rec->panUp = rec->filterUp = rec->modUp = 1;
    rec->index = number;
    rec->depthCC = 1;
    rec->rateCC = 4;
    rec->shRateCC = 4;
    rec->retriggerOn = 1;
    rec->retriggerCC = 72;
    rec->ccScale1 = rec->depthRange = rec->shRateRange = 1.0f;
    rec->ccScale2 = rec->ccScale3 = rec->freqScaleRange = 1.0f;
    rec->filterDepth = 1.0f;
    rec->freq = 1.0f;
    rec->shRate = 0.125f;
}

void lfo_initVoiceRec(lfoVoiceRec* voice, short lfo, short voiceNumber)
{
    if (!voice) return;
    std::memset(voice, 0, sizeof *voice);
    voice->voice = voiceNumber;
    voice->lfo = lfo;
    for (auto& f : voice->ones) f = 1.0f;
    voice->one = 1.0;
}

int lfo_cloneInst(instRec* inst, const lfoInstRec* from, lfoInstRec* to, short index, int toInstrument)
{
    (void)inst;
    (void)index;
    (void)toInstrument;
    if (!from || !to) return 0;
    if (from != to) std::memcpy(to, from, sizeof(lfoInstRec));
    return 1;
}

void lfo_processRetrigCC(instRec* inst, short cc, short value)
{
    if (!inst || value == 0) return;
    for (short n = 0; n < kLfos; ++n) {
        lfoInstRec* lfo = inst_getLfoInst(inst, n);
        if (lfo->retriggerOn != 0 && lfo->retriggerCC == cc) lfo->retriggerPending = 1;
    }
}

// 44 slots; the routing flags of the three channels are interleaved.
static void lfoSlots(chunkSlots* c, lfoInstRec* rec)
{
    chunkSlots_flag(c, &rec->on);
    chunkSlots_flag(c, &rec->polyOn);
    chunkSlots_flag(c, &rec->shOn);
    for (int ch = 0; ch < 3; ++ch) {
        chunkSlots_flag(c, &rec->pitchChan[ch]);
        chunkSlots_flag(c, &rec->ampChan[ch]);
        chunkSlots_flag(c, &rec->modChan[ch]);
    }
    for (int32_t& f : rec->filterChan) chunkSlots_flag(c, &f);
    chunkSlots_flag(c, &rec->pmUp);
    chunkSlots_flag(c, &rec->amUp);
    chunkSlots_flag(c, &rec->panUp);
    chunkSlots_flag(c, &rec->filterUp);
    chunkSlots_flag(c, &rec->modUp);
    chunkSlots_short(c, &rec->index);
    chunkSlots_short(c, &rec->depthCC);
    chunkSlots_short(c, &rec->rateCC);
    chunkSlots_short(c, &rec->shRateCC);
    chunkSlots_short(c, &rec->retriggerOn);
    chunkSlots_short(c, &rec->retriggerCC);
    float* reals[] = {&rec->ccScale1, &rec->depthRange,     &rec->shRateRange, &rec->ccScale2,
                      &rec->ccScale3, &rec->freqScaleRange, &rec->amDepth,     &rec->pmDepth,
                      &rec->panDepth, &rec->filterDepth,    &rec->modDepth,    &rec->effectDepth};
    for (float* f : reals) chunkSlots_float(c, f);
    chunkSlots_short(c, &rec->waveID);
    chunkSlots_float(c, &rec->freq);
    chunkSlots_float(c, &rec->startPhase);
    chunkSlots_float(c, &rec->shRate);
    chunkSlots_float(c, &rec->extra);
}

void lfo_flipInstRec(lfoInstRec* rec)
{
    if (!rec) return;
    chunkSlots c = chunkSlots_beginFlip();
    lfoSlots(&c, rec);
}

int lfo_readWriteLfoInst(fileRec* file, lfoInstRec* rec, void* buffer, int reading)
{
    if (!file || !rec || !buffer) return 0;
    chunkSlots c = chunkSlots_begin(buffer, reading);
    if (!reading) {
        lfoSlots(&c, rec);
        return chunkSlots_writeChunk(file, &c, kChunkLfo);
    }
    // Read into a copy so that a short body leaves the record untouched;
    // the fields that are not stored keep their values.
    lfoInstRec read = *rec;
    lfoSlots(&c, &read);
    if (!c.ok) return 0;
    if (shallWeFlip()) lfo_flipInstRec(&read);
    *rec = read;
    return 1;
}
