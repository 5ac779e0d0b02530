#include "dsp/waveshape.h"
#include "platform/verify.h"

#include <cmath>
#include <cstring>

#include "dsp/conversion.h"
#include "dsp/denormal.h"
#include "dsp/inst.h"
#include "dsp/oscil_chunk.h"

void waveshape_initInstRec(waveshapeInstRec* rec)
{
    MORVANE_VERIFY(rec);  // the record to fill is always the caller's own
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    rec->inGain = 1.0f;
    rec->outGain = 1.0f;
}

void waveshape_initVoiceRec(waveshapeVoiceRec* voice)
{
    if (!voice) return;
    std::memset(voice, 0, sizeof *voice);
    for (auto& f : voice->ones) f = 1.0f;
}

// ---- setters and getters -----------------------------------------------------

namespace {

waveshapeInstRec* wsRec(instRec* inst) { return inst ? inst_getWaveshapeInst(inst) : nullptr; }

}  // namespace

void waveshape_setActive(instRec* inst, int on)
{
    if (waveshapeInstRec* rec = wsRec(inst)) rec->active = on;
}
int waveshape_getActive(instRec* inst)
{
    waveshapeInstRec* rec = wsRec(inst);
    return rec ? rec->active : 0;
}
void waveshape_setMono(instRec* inst, int mono)
{
    if (waveshapeInstRec* rec = wsRec(inst)) rec->mono = mono;
}
int waveshape_getMono(instRec* inst)
{
    waveshapeInstRec* rec = wsRec(inst);
    return rec ? rec->mono : 0;
}
void waveshape_setWaveID(instRec* inst, short id)
{
    if (waveshapeInstRec* rec = wsRec(inst)) rec->waveID = id;
}
short waveshape_getWaveID(instRec* inst)
{
    waveshapeInstRec* rec = wsRec(inst);
    return rec ? rec->waveID : 0;
}

void waveshape_setInGain(instRec* inst, double dB)
{
    waveshapeInstRec* rec = wsRec(inst);
    if (rec && !std::isnan(dB)) rec->inGain = (float)dBToAmp(dB);
}
double waveshape_getInGain(instRec* inst)
{
    waveshapeInstRec* rec = wsRec(inst);
    return rec ? ampToDB(rec->inGain) : 0.0;
}
void waveshape_setOutGain(instRec* inst, double dB)
{
    waveshapeInstRec* rec = wsRec(inst);
    if (rec && !std::isnan(dB)) rec->outGain = (float)dBToAmp(dB);
}
double waveshape_getOutGain(instRec* inst)
{
    waveshapeInstRec* rec = wsRec(inst);
    return rec ? ampToDB(rec->outGain) : 0.0;
}

void waveshape_setPhase(instRec* inst, double phase)
{
    waveshapeInstRec* rec = wsRec(inst);
    if (rec && !std::isnan(phase)) rec->phase = (float)phase;
}
double waveshape_getPhase(instRec* inst)
{
    waveshapeInstRec* rec = wsRec(inst);
    return rec ? rec->phase : 0.0;
}

void waveshape_cloneInst(instRec*, const waveshapeInstRec* from, waveshapeInstRec* to, short, int)
{
    if (from && to) std::memcpy(to, from, sizeof *to);
}

// ---- stored form "wshp" ------------------------------------------------------

namespace {

const int32_t kWaveshapeChunk = chunkType('w', 's', 'h', 'p');

int moveWaveshape(char* buf, waveshapeInstRec* r, unsigned max, long reading)
{
    unsigned pos = 0;
    return file_readWriteBuf_flag(buf, &r->mono, &pos, max, reading) &&
           file_readWriteBuf_flag(buf, &r->active, &pos, max, reading) &&
           file_readWriteBuf_short(buf, &r->waveID, &pos, max, reading) &&
           file_readWriteBuf_float(buf, &r->inGain, &pos, max, reading) &&
           file_readWriteBuf_float(buf, &r->outGain, &pos, max, reading) &&
           file_readWriteBuf_float(buf, &r->phase, &pos, max, reading);
}

// No subnormal float from a file reaches the audio code.
void settleWaveshape(waveshapeInstRec* r)
{
    r->inGain = denormal_flush(r->inGain);
    r->outGain = denormal_flush(r->outGain);
    r->phase = denormal_flush(r->phase);
}

}  // namespace

void waveshape_flipInstRec(waveshapeInstRec* r)
{
    if (!r) return;
    flipShort(&r->waveID);
    flipFloat(&r->inGain);
    flipFloat(&r->outGain);
    flipFloat(&r->phase);
}

int waveshape_readWriteWaveshapeInst(fileRec* file, waveshapeInstRec* rec, void* buffer, int reading)
{
    return oscil_chunkReadWrite(file, rec, buffer, reading, kWaveshapeChunk, kWaveshapeChunkBody,
                                moveWaveshape, waveshape_flipInstRec, settleWaveshape);
}
