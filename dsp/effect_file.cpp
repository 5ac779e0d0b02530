// Stored forms of the effect records ("pipe", "mCmb", "mTap") and their byte
// swapping. Each chunk starts with the same header slots (magic, size, type,
// formatA, formatB, timeMode; the tempo is not stored); the per-comb and
// per-tap fields follow comb by comb and tap by tap. In "mTap" the master
// time comes before the feedback.
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
    for (float* f : reals)
        chunkSlots_float(c, f);
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
    if (!h)
        return;
    chunkSlots c = chunkSlots_beginFlip();
    effect_readWriteHeader(&c, h);
}

void effect_flipPipeRec(effectPipeRec* r)
{
    if (!r)
        return;
    chunkSlots c = chunkSlots_beginFlip();
    pipeSlots(&c, r);
}

void effect_flipMulticombRec(effectMulticombRec* r)
{
    if (!r)
        return;
    chunkSlots c = chunkSlots_beginFlip();
    multicombSlots(&c, r);
}

void effect_flipMultitapRec(effectMultitapRec* r)
{
    if (!r)
        return;
    chunkSlots c = chunkSlots_beginFlip();
    multitapSlots(&c, r);
}

int effect_rangeLimitMultitap(effectMultitapRec* r)
{
    if (!r)
        return 0;
    for (float& pan : r->tapPan) {
        if (!(pan >= 1e-05f))
            pan = 1e-05f;
        else if (pan > 0.9999f)
            pan = 0.9999f;
    }
    return 1;
}

// Reading goes into a copy so that a short body leaves the record as it was.
int effect_readWritePipe(fileRec* file, effectPipeRec* r, void* buffer, int reading)
{
    if (!file || !r || !buffer)
        return 0;
    chunkSlots c = chunkSlots_begin(buffer, reading);
    if (!reading) {
        pipeSlots(&c, r);
        return chunkSlots_writeChunk(file, &c, kChunkPipe);
    }
    effectPipeRec read = *r;
    pipeSlots(&c, &read);
    if (!c.ok)
        return 0;
    if (shallWeFlip())
        effect_flipPipeRec(&read);
    settleHeader(&read.header, effectMode_pipe, sizeof(effectPipeRec));
    *r = read;
    return 1;
}

int effect_readWriteMulticomb(fileRec* file, effectMulticombRec* r, void* buffer, int reading)
{
    if (!file || !r || !buffer)
        return 0;
    chunkSlots c = chunkSlots_begin(buffer, reading);
    if (!reading) {
        multicombSlots(&c, r);
        return chunkSlots_writeChunk(file, &c, kChunkMulticomb);
    }
    effectMulticombRec read = *r;
    multicombSlots(&c, &read);
    if (!c.ok)
        return 0;
    if (shallWeFlip())
        effect_flipMulticombRec(&read);
    settleHeader(&read.header, effectMode_multicomb, sizeof(effectMulticombRec));
    *r = read;
    return 1;
}

int effect_readWriteMultitap(fileRec* file, effectMultitapRec* r, void* buffer, int reading)
{
    if (!file || !r || !buffer)
        return 0;
    chunkSlots c = chunkSlots_begin(buffer, reading);
    if (!reading) {
        multitapSlots(&c, r);
        return chunkSlots_writeChunk(file, &c, kChunkMultitap);
    }
    effectMultitapRec read = *r;
    multitapSlots(&c, &read);
    if (!c.ok)
        return 0;
    if (shallWeFlip())
        effect_flipMultitapRec(&read);
    settleHeader(&read.header, effectMode_multitap, sizeof(effectMultitapRec));
    effect_rangeLimitMultitap(&read);
    *r = read;
    return 1;
}
