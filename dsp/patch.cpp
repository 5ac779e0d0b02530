#include "dsp/patch.h"
#include "platform/verify.h"

#include <cstring>

#include "dsp/conversion.h"
#include "dsp/fixedText.h"
#include "dsp/pan.h"
#include "fileio/fileio.h"

namespace {
const int32_t kPatchChunk = ('p' << 24) | ('t' << 16) | ('c' << 8) | 'h';

// Copies at most 34 characters; the field is zero-padded.
void copyName(char* dst, const char* src) { fixedText_set(dst, kPatchNameLen, src); }
}  // namespace

void patch_initPatchRec(patchRec* p, short preset)
{
    MORVANE_VERIFY(p);  // the record to fill is always the caller's own
    if (!p) return;
    std::memset(p, 0, sizeof *p);
    p->preset = preset;
    p->poly = 4;
    p->amp = 1.0f;
    p->trans = 1.0f;
    p->pan = 0.5f;
    p->retrigRate = 88200.0;
    p->retrigBeat = 4.0f;
    p->microtune = 0;
    copyName(p->name, "default");
}

void patch_clone(void* inst, const patchRec* src, patchRec* dst, short preset)
{
    if (!src || !dst) return;
    std::memmove(dst, src, sizeof *dst);
    dst->preset = preset;
    if (inst) pan_setVal(static_cast<instRec*>(inst), dst->pan);
}

void patch_setPreset(patchRec* p, short preset)
{
    if (p && preset >= -1 && preset <= 127) p->preset = preset;
}

void patch_setPoly(patchRec* p, short poly)
{
    if (!p) return;
    if (poly < 1) poly = 1;
    if (poly > 64) poly = 64;
    p->poly = poly;
}

short patch_getPoly(const patchRec* p) { return p ? p->poly : 4; }

void patch_setAmp(patchRec* p, float amp)
{
    if (!p) return;
    if (amp < 1e-9f) amp = 0.0f;
    if (amp > 16.0f) amp = 16.0f;
    p->amp = amp;
}

float patch_getAmp(const patchRec* p) { return p ? p->amp : 0.25f; }

void patch_setTrans(patchRec* p, float semitones)
{
    if (p) p->trans = (float)transposeToRatio(semitones);
}

float patch_getTrans(const patchRec* p) { return p ? (float)ratioToTranspose(p->trans) : 0.0f; }

void patch_setPan(patchRec* p, float pan)
{
    if (!p) return;
    if (pan < 0.0f) pan = 0.0f;
    if (pan > 1.0f) pan = 1.0f;
    p->pan = pan;
}

float patch_getPan(const patchRec* p) { return p ? p->pan : 0.5f; }

void patch_setMicrotune(patchRec* p, short slot)
{
    if (p) p->microtune = slot;
}

void patch_setName(patchRec* p, const char* name)
{
    if (p) copyName(p->name, name);
}

void patch_getName(const patchRec* p, char* name)
{
    if (!name) return;
    if (!p) {
        name[0] = 0;
        return;
    }
    std::memcpy(name, p->name, kPatchNameLen);
}

void patch_setRetrigRate(patchRec* p, double rate)
{
    if (p) p->retrigRate = rate;
}

void patch_setRetrigBeat(patchRec* p, float beat)
{
    if (p) p->retrigBeat = beat;
}

void patch_flipPatchRec(patchRec* p)
{
    if (!p) return;
    flipShort(&p->preset);
    flipShort(&p->poly);
    flipFloat(&p->amp);
    flipFloat(&p->trans);
    flipFloat(&p->pan);
    flipDouble(&p->retrigRate);
    flipFloat(&p->retrigBeat);
    flipShort(&p->microtune);
}

// The body: preset, poly (16 bits in 4-byte slots), amp, trans, pan, retrigger
// rate (8 bytes), retrigger beat, microtune, the 34 name bytes: 70 bytes.
int patch_readWritePatch(fileRec* file, patchRec* p, void* buffer, int reading)
{
    if (!file || !p || !buffer) return 0;
    char* buf = static_cast<char*>(buffer);
    unsigned max = reading ? (file_buf ? (unsigned)file_buf->held + 1 : 0u) : 0xFFFF;
    patchRec tmp = *p;
    unsigned pos = 0;
    if (!reading) std::memset(buf, 0, 72);
    int ok = file_readWriteBuf_short(buf, &tmp.preset, &pos, max, reading) &&
             file_readWriteBuf_short(buf, &tmp.poly, &pos, max, reading) &&
             file_readWriteBuf_float(buf, &tmp.amp, &pos, max, reading) &&
             file_readWriteBuf_float(buf, &tmp.trans, &pos, max, reading) &&
             file_readWriteBuf_float(buf, &tmp.pan, &pos, max, reading) &&
             file_readWriteBuf_double(buf, &tmp.retrigRate, &pos, max, reading) &&
             file_readWriteBuf_float(buf, &tmp.retrigBeat, &pos, max, reading) &&
             file_readWriteBuf_short(buf, &tmp.microtune, &pos, max, reading) &&
             file_readWriteBuf(buf, tmp.name, kPatchNameLen, kPatchNameLen, &pos, max, reading);
    if (reading) {
        if (!ok) return 0;  // a short body leaves the record untouched
        if (shallWeFlip()) patch_flipPatchRec(&tmp);
        *p = tmp;
        return 1;
    }
    chunkRec header;
    chunk_formatChunkHeader(&header, kPatchChunk, (long)pos, kChunkVersion);
    return file_writeChunk(file, &header, buf) ? 1 : 0;
}
