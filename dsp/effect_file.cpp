// Stored forms of the effect records ("pipe", "mCmb", "mTap") and their byte
// swapping. Each chunk starts with the same header slots (magic, size, type,
// formatA, formatB, timeMode; the tempo is not stored); the per-comb and
// per-tap fields follow comb by comb and tap by tap. In "mTap" the master
// time comes before the feedback.
#include <cstring>

#include "dsp/chunkSlots.h"
#include "dsp/effect.h"

namespace {

void pipeSlots(chunkSlots* c, effectPipeRec* r)
{
    effect_readWriteHeader(c, &r->header);
    chunkSlots_flag(c, &r->active);
    float* reals[] = {&r->wet,       &r->dry,       &r->pipeSpare1, &r->pipeSpare2, &r->masterTime,
                      &r->feedback,  &r->inPos,     &r->outPos[0],  &r->outPos[1],  &r->lowpass,
                      &r->ctlLength, &r->ctlOut[0], &r->ctlOut[1]};
    for (float* f : reals) chunkSlots_float(c, f);
    chunkSlots_flag(c, &r->ctlInvertLength);
    chunkSlots_flag(c, &r->ctlOutInvert[0]);
    chunkSlots_flag(c, &r->ctlOutInvert[1]);
}

void multicombSlots(chunkSlots* c, effectMulticombRec* r)
{
    effect_readWriteHeader(c, &r->header);
    chunkSlots_flag(c, &r->active);
    chunkSlots_float(c, &r->wet);
    chunkSlots_float(c, &r->dry);
    chunkSlots_short(c, &r->count);
    chunkSlots_float(c, &r->masterTime);
    chunkSlots_float(c, &r->masterFeedback);
    chunkSlots_float(c, &r->masterLowpass);
    for (int k = 0; k < 6; ++k) {
        chunkSlots_flag(c, &r->combActive[k]);
        chunkSlots_flag(c, &r->combCtlInvert[k]);
        chunkSlots_float(c, &r->combTime[k]);
        chunkSlots_float(c, &r->combFeedback[k]);
        chunkSlots_float(c, &r->combGain[k]);
        chunkSlots_float(c, &r->combCtlSens[k]);
        chunkSlots_float(c, &r->combPan[k]);
        chunkSlots_float(c, &r->combLowpass[k]);
    }
}

void multitapSlots(chunkSlots* c, effectMultitapRec* r)
{
    effect_readWriteHeader(c, &r->header);
    chunkSlots_flag(c, &r->active);
    chunkSlots_float(c, &r->wet);
    chunkSlots_float(c, &r->dry);
    chunkSlots_short(c, &r->count);
    chunkSlots_flag(c, &r->tapFlagA);
    chunkSlots_flag(c, &r->tapFlagB);
    chunkSlots_float(c, &r->masterTime);
    chunkSlots_float(c, &r->feedback);
    chunkSlots_float(c, &r->lowpass);
    chunkSlots_float(c, &r->highpass);
    chunkSlots_long(c, &r->maxBuf);
    for (int k = 0; k < 3; ++k) {
        chunkSlots_flag(c, &r->tapActive[k]);
        chunkSlots_flag(c, &r->tapCtlInvert[k]);
        chunkSlots_float(c, &r->tapCtlSens[k]);
        chunkSlots_float(c, &r->tapTime[k]);
        chunkSlots_float(c, &r->tapGain[k]);
        chunkSlots_float(c, &r->tapPan[k]);
    }
}

// After reading, the header names the record it was read into: a chunk of
// one kind whose header claims another type would otherwise make a later
// copy take the wrong record size.
void settleHeader(effectHeader* h, short type, int32_t size)
{
    h->type = type;
    h->size = size;
}

}  // namespace

void effect_readWriteHeader(chunkSlots* c, effectHeader* h)
{
    chunkSlots_short(c, &h->magic);
    chunkSlots_long(c, &h->size);
    chunkSlots_short(c, &h->type);
    chunkSlots_short(c, &h->formatA);
    chunkSlots_short(c, &h->formatB);
    chunkSlots_short(c, &h->timeMode);
}

void effect_flipHeader(effectHeader* h)
{
    if (!h) return;
    chunkSlots c = chunkSlots_beginFlip();
    effect_readWriteHeader(&c, h);
}

void effect_flipPipeRec(effectPipeRec* r)
{
    if (!r) return;
    chunkSlots c = chunkSlots_beginFlip();
    pipeSlots(&c, r);
}

void effect_flipMulticombRec(effectMulticombRec* r)
{
    if (!r) return;
    chunkSlots c = chunkSlots_beginFlip();
    multicombSlots(&c, r);
}

void effect_flipMultitapRec(effectMultitapRec* r)
{
    if (!r) return;
    chunkSlots c = chunkSlots_beginFlip();
    multitapSlots(&c, r);
}

int effect_rangeLimitMultitap(effectMultitapRec* r)
{
    if (!r) return 0;
    for (float& pan : r->tapPan) {
        if (!(pan >= 1e-05f))
            pan = 1e-05f;
        else if (pan > 0.9999f)
            pan = 0.9999f;
    }
    return 1;
}

namespace {

// The three chunks share one routine; walk is the record's list of slots.
typedef void (*slotWalk)(chunkSlots*, void*);

void walkPipe(chunkSlots* c, void* r) { pipeSlots(c, static_cast<effectPipeRec*>(r)); }
void walkMulticomb(chunkSlots* c, void* r) { multicombSlots(c, static_cast<effectMulticombRec*>(r)); }
void walkMultitap(chunkSlots* c, void* r) { multitapSlots(c, static_cast<effectMultitapRec*>(r)); }

int readWriteEffect(fileRec* file, effectHeader* rec, short type, size_t size, slotWalk walk, int32_t chunk,
                    void* buffer, int reading)
{
    if (!file || !rec || !buffer) return 0;
    chunkSlots c = chunkSlots_begin(buffer, reading);
    if (!reading) {
        walk(&c, rec);
        return chunkSlots_writeChunk(file, &c, chunk);
    }
    // Reading goes into a copy so that a short body leaves the record as
    // it was; the fields that are not stored keep their values.
    effectMultitapRec copy;  // the largest of the three records
    static_assert(sizeof copy >= sizeof(effectPipeRec) && sizeof copy >= sizeof(effectMulticombRec),
                  "the copy holds every effect record");
    std::memcpy(&copy, rec, size);
    walk(&c, &copy);
    if (!c.ok) return 0;
    if (shallWeFlip()) {
        chunkSlots flip = chunkSlots_beginFlip();
        walk(&flip, &copy);
    }
    settleHeader(&copy.header, type, static_cast<int32_t>(size));
    std::memcpy(rec, &copy, size);
    return 1;
}

}  // namespace

int effect_readWritePipe(fileRec* file, effectPipeRec* r, void* buffer, int reading)
{
    return readWriteEffect(file, r ? &r->header : nullptr, effectMode_pipe, sizeof(effectPipeRec), walkPipe,
                           kChunkPipe, buffer, reading);
}

int effect_readWriteMulticomb(fileRec* file, effectMulticombRec* r, void* buffer, int reading)
{
    return readWriteEffect(file, r ? &r->header : nullptr, effectMode_multicomb, sizeof(effectMulticombRec),
                           walkMulticomb, kChunkMulticomb, buffer, reading);
}

int effect_readWriteMultitap(fileRec* file, effectMultitapRec* r, void* buffer, int reading)
{
    int ok = readWriteEffect(file, r ? &r->header : nullptr, effectMode_multitap, sizeof(effectMultitapRec),
                             walkMultitap, kChunkMultitap, buffer, reading);
    if (ok && reading) effect_rangeLimitMultitap(r);
    return ok;
}
