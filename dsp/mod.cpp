#include "dsp/mod.h"
#include "platform/verify.h"

#include <cmath>
#include <cstring>

#include "dsp/conversion.h"
#include "dsp/denormal.h"
#include "dsp/inst.h"
#include "dsp/oscil_chunk.h"

void mod_initInstRec(modInstRec* rec, short channel)
{
    MORVANE_VERIFY(rec);  // the record to fill is always the caller's own
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    rec->mode = 1;
    rec->index = channel;
    rec->freqMode = 3;
    rec->ratio = 1.0f;
    rec->increment = (float)freqToPhaseIncrement(220.0);
    rec->balance = 1.0f;
}

void mod_initVoiceRec(instRec*, modVoiceRec* voice, short voiceNumber)
{
    if (!voice) return;
    std::memset(voice, 0, sizeof *voice);
    voice->voice = voiceNumber;
    for (auto& f : voice->ones) f = 1.0f;
    for (auto& src : voice->modSrc) src.set(&gFloatOne);
}

// ---- setters and getters -----------------------------------------------------

namespace {

modInstRec* modRec(instRec* inst, short channel) { return inst ? inst_getModInst(inst, channel) : nullptr; }

}  // namespace

void mod_setWaveID(instRec* inst, short channel, short id)
{
    if (modInstRec* rec = modRec(inst, channel)) rec->waveID = id;
}
short mod_getWaveID(instRec* inst, short channel)
{
    modInstRec* rec = modRec(inst, channel);
    return rec ? rec->waveID : 0;
}

void mod_setFreq(instRec* inst, short channel, double value)
{
    if (modInstRec* rec = modRec(inst, channel))
        oscil_storeFreq(rec->freqMode, value, &rec->ratio, &rec->increment);
}
double mod_getFreq(instRec* inst, short channel)
{
    modInstRec* rec = modRec(inst, channel);
    if (!rec) return 1.0;
    double value = 0.0;
    oscil_readFreq(rec->freqMode, rec->ratio, rec->increment, &value);
    return value;
}

void mod_setFreqMode(instRec* inst, short channel, short mode)
{
    if (modInstRec* rec = modRec(inst, channel)) rec->freqMode = mode;
}
short mod_getFreqMode(instRec* inst, short channel)
{
    modInstRec* rec = modRec(inst, channel);
    return rec ? rec->freqMode : 0;
}

void mod_setBalance(instRec* inst, short channel, double balance)
{
    modInstRec* rec = modRec(inst, channel);
    if (!rec || std::isnan(balance)) return;
    if (balance < 0.0) balance = 0.0;
    if (balance > 1.0) balance = 1.0;
    rec->balance = (float)balance;
}
double mod_getBalance(instRec* inst, short channel)
{
    modInstRec* rec = modRec(inst, channel);
    return rec ? rec->balance : 1.0;
}

void mod_setActive(instRec* inst, short channel, int on)
{
    modInstRec* rec = modRec(inst, channel);
    if (!rec) return;
    rec->active = on;
    inst_clearBuffers(inst);
}
int mod_getActive(instRec* inst, short channel)
{
    modInstRec* rec = modRec(inst, channel);
    return rec ? rec->active : 0;
}

void mod_setMode(instRec* inst, short channel, short)
{
    // The modulator has a single mode; whatever is asked for, it stays 1.
    if (modInstRec* rec = modRec(inst, channel)) rec->mode = 1;
}

void mod_cloneInst(instRec* inst, const modInstRec* from, modInstRec* to, short channel, int reinit)
{
    if (!from || !to || channel < 0 || channel >= kOscils) return;
    if (inst && reinit) {
        mod_initInstRec(to, channel);
        if (to == inst_getModInst(inst, channel)) mod_setMode(inst, channel, from->mode);
    }
    to->active = from->active;
    to->mode = from->mode;
    to->index = channel;
    to->freqMode = from->freqMode;
    to->ratio = from->ratio;
    to->increment = from->increment;
    to->waveID = from->waveID;
    to->balance = from->balance;
}

// ---- stored form "mod " ------------------------------------------------------

namespace {

const int32_t kModChunk = chunkType('m', 'o', 'd', ' ');

// The one marshalling list for both directions; note index before mode.
int moveMod(char* buf, modInstRec* r, unsigned max, long reading)
{
    unsigned pos = 0;
    return file_readWriteBuf_flag(buf, &r->active, &pos, max, reading) &&
           file_readWriteBuf_short(buf, &r->index, &pos, max, reading) &&
           file_readWriteBuf_short(buf, &r->mode, &pos, max, reading) &&
           file_readWriteBuf_short(buf, &r->freqMode, &pos, max, reading) &&
           file_readWriteBuf_float(buf, &r->ratio, &pos, max, reading) &&
           file_readWriteBuf_float(buf, &r->increment, &pos, max, reading) &&
           file_readWriteBuf_short(buf, &r->waveID, &pos, max, reading) &&
           file_readWriteBuf_float(buf, &r->balance, &pos, max, reading);
}

// No subnormal float from a file reaches the audio code.
void settleMod(modInstRec* r)
{
    r->ratio = denormal_flush(r->ratio);
    r->increment = denormal_flush(r->increment);
    r->balance = denormal_flush(r->balance);
}

}  // namespace

void mod_flipInstRec(modInstRec* r)
{
    if (!r) return;
    flipShort(&r->index);
    flipShort(&r->mode);
    flipShort(&r->freqMode);
    flipFloat(&r->ratio);
    flipFloat(&r->increment);
    flipShort(&r->waveID);
    flipFloat(&r->balance);
}

int mod_readWriteModInst(fileRec* file, modInstRec* rec, void* buffer, int reading)
{
    return oscil_chunkReadWrite(file, rec, buffer, reading, kModChunk, kModChunkBody, moveMod,
                                mod_flipInstRec, settleMod);
}
