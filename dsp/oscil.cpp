#include "dsp/oscil.h"
#include "platform/verify.h"

#include <cmath>
#include <cstring>

#include "dsp/conversion.h"
#include "dsp/denormal.h"
#include "dsp/inst.h"

void oscil_initInstRec(instRec* inst, oscil_instRec* rec, short channel)
{
    MORVANE_VERIFY(rec);  // the record to fill is always the caller's own
    if (!rec) return;
    int32_t work1 = rec->work1, work2 = rec->work2;
    std::memset(rec, 0, sizeof *rec);
    // The work words belong to the audio code; they are only reset when the
    // record is initialised outside an instrument.
    if (inst) {
        rec->work1 = work1;
        rec->work2 = work2;
    }
    rec->mainIncrement = (float)freqToPhaseIncrement(220.0);
    rec->mainRatio = 1.0f;
    rec->ampScale = 1.0f;
    rec->modRatio = 1.0f;
    rec->modIncrement = (float)freqToPhaseIncrement(220.0);
    rec->doubleBalance = 0.5f;
    rec->fmIndex = 162.97466f;
    rec->ringmodBalance = 1.0f;
    rec->index = channel;
}

void oscil_initVoiceRec(instRec*, oscil_voiceRec* voice, short voiceNumber)
{
    if (!voice) return;
    std::memset(voice, 0, sizeof *voice);
    voice->one = 1.0f;
    voice->fmDepth = 162.97466f;
    voice->ones[0] = voice->ones[1] = 1.0f;
    for (auto& src : voice->modSrc) src.set(&gFloatOne);
    voice->voice = voiceNumber;
}

// ---- frequency modes ---------------------------------------------------------

int oscil_storeFreq(int freqMode, double value, float* ratio, float* increment)
{
    if (std::isnan(value)) return 0;
    switch (freqMode) {
    case freqMode_transpose: *ratio = (float)transposeToRatio(value); return 1;
    case freqMode_ratio: *ratio = (float)value; return 1;
    case freqMode_note: *increment = (float)noteToPhaseIncrement(value); return 1;
    case freqMode_hertz: *increment = (float)freqToPhaseIncrement(value); return 1;
    default: return 0;
    }
}

int oscil_readFreq(int freqMode, float ratio, float increment, double* value)
{
    switch (freqMode) {
    case freqMode_transpose: *value = ratioToTranspose(ratio); return 1;
    case freqMode_ratio: *value = ratio; return 1;
    case freqMode_note: *value = hertzToNote(phaseIncrementToHertz(increment)); return 1;
    case freqMode_hertz: *value = phaseIncrementToHertz(increment); return 1;
    default: return 0;
    }
}

// ---- setters and getters -----------------------------------------------------

namespace {

oscil_instRec* oscRec(instRec* inst, short channel)
{
    return inst ? inst_getOscilInst(inst, channel) : nullptr;
}

bool validMode(short mode) { return mode >= 0 && mode <= 3; }

// Phase in cycles to table positions: the remainder of a 1024-position
// cycle, keeping the sign of the value.
float cyclesToPositions(float cycles) { return (float)std::fmod((double)cycles * 1024.0, 1024.0); }

}  // namespace

void oscil_setMainWaveID(instRec* inst, short channel, short id)
{
    if (oscil_instRec* rec = oscRec(inst, channel)) rec->mainWaveID = id;
}
short oscil_getMainWaveID(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? (short)(rec->mainWaveID & 0xFFFF) : 0;
}
void oscil_setModWaveID(instRec* inst, short channel, short id)
{
    if (oscil_instRec* rec = oscRec(inst, channel)) rec->modWaveID = id;
}
short oscil_getModWaveID(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? (short)(rec->modWaveID & 0xFFFF) : 0;
}

void oscil_setMainFreq(instRec* inst, short channel, float value)
{
    if (oscil_instRec* rec = oscRec(inst, channel))
        oscil_storeFreq(rec->mainFreqMode, value, &rec->mainRatio, &rec->mainIncrement);
}
float oscil_getMainFreq(instRec* inst, short channel)
{
    double value = 1.0;
    if (oscil_instRec* rec = oscRec(inst, channel))
        oscil_readFreq(rec->mainFreqMode, rec->mainRatio, rec->mainIncrement, &value);
    return (float)value;
}
void oscil_setModFreq(instRec* inst, short channel, float value)
{
    if (oscil_instRec* rec = oscRec(inst, channel))
        oscil_storeFreq(rec->modFreqMode, value, &rec->modRatio, &rec->modIncrement);
}
float oscil_getModFreq(instRec* inst, short channel)
{
    double value = 1.0;
    if (oscil_instRec* rec = oscRec(inst, channel))
        oscil_readFreq(rec->modFreqMode, rec->modRatio, rec->modIncrement, &value);
    return (float)value;
}

void oscil_setMainFreqMode(instRec* inst, short channel, short mode)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (rec && validMode(mode)) rec->mainFreqMode = mode;
}
short oscil_getMainFreqMode(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? (short)rec->mainFreqMode : 0;
}
void oscil_setModFreqMode(instRec* inst, short channel, short mode)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (rec && validMode(mode)) rec->modFreqMode = mode;
}
short oscil_getModFreqMode(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? (short)rec->modFreqMode : 0;
}
void oscil_setMode(instRec* inst, short channel, short mode)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (rec && validMode(mode)) rec->mode = mode;
}
short oscil_getMode(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? (short)rec->mode : 0;
}

void oscil_setActive(instRec* inst, short channel, int on)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (!rec) return;
    rec->active = on;
    inst_clearBuffers(inst);
}
int oscil_getActive(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? rec->active : 0;
}

void oscil_setAmpScale(instRec* inst, short channel, float amp)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (!rec || std::isnan(amp)) return;
    if (amp < 0.0f) amp = 0.0f;
    if (amp > 1.0f) amp = 1.0f;
    if (amp > -1e-9 && amp < 1e-9) amp = 0.0f;
    rec->ampScale = amp;
}
float oscil_getAmpScale(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? rec->ampScale : 0.0f;
}

void oscil_setBalance(instRec* inst, short channel, float balance)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (!rec || std::isnan(balance)) return;
    if (balance < 1e-9) balance = 0.0f;
    if (balance > 1.0f) balance = 1.0f;
    if (rec->mode == oscMode_double)
        rec->doubleBalance = balance;
    else if (rec->mode == oscMode_ringmod)
        rec->ringmodBalance = balance;
}
float oscil_getBalance(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (!rec) return 1.0f;
    if (rec->mode == oscMode_double) return rec->doubleBalance;
    if (rec->mode == oscMode_ringmod) return rec->ringmodBalance;
    return 1.0f;
}

void oscil_setFmIndex(instRec* inst, short channel, float index)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (!rec || std::isnan(index)) return;
    if (index < 1e-9) index = 0.0f;
    rec->fmIndex = (float)(index * 162.974661726);
}
float oscil_getFmIndex(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? (float)(rec->fmIndex * 0.006135923151546361) : 1.0f;
}

void oscil_setMainPhase(instRec* inst, short channel, float cycles)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (rec && std::isfinite(cycles)) rec->mainPhase = cyclesToPositions(cycles);
}
float oscil_getMainPhase(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? (float)(rec->mainPhase * 0.0009765625) : 0.0f;
}
void oscil_setModPhase(instRec* inst, short channel, float cycles)
{
    oscil_instRec* rec = oscRec(inst, channel);
    if (rec && std::isfinite(cycles)) rec->modPhase = cyclesToPositions(cycles);
}
float oscil_getModPhase(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? (float)(rec->modPhase * 0.0009765625) : 0.0f;
}

void oscil_setInvertPhase(instRec* inst, short channel, int invert)
{
    if (oscil_instRec* rec = oscRec(inst, channel)) rec->invertPhase = invert;
}
int oscil_getInvertPhase(instRec* inst, short channel)
{
    oscil_instRec* rec = oscRec(inst, channel);
    return rec ? rec->invertPhase : 0;
}

// ---- phase alignment and copying ----------------------------------------------

void oscil_correctPhase(instRec* inst, short channel)
{
    if (!inst) return;
    if (channel < 0 || channel >= kOscils) channel = 0;
    short poly = inst_patch_getPoly(inst);
    if (poly > kVoices) poly = kVoices;
    bool active = oscil_getActive(inst, channel) != 0;
    short leader = -1;
    for (short c = 0; c < kOscils && active && leader < 0; c++)
        if (c != channel && oscil_getActive(inst, c)) leader = c;
    for (short v = 0; v < poly; v++) {
        oscil_voiceRec* voice = inst_getOscilVoice(inst, channel, v);
        if (!active) {
            voice->state = 0;
        } else if (leader >= 0) {
            const oscil_voiceRec* from = inst_getOscilVoice(inst, leader, v);
            voice->mainPhase = from->mainPhase;
            voice->modPhase = from->modPhase;
        }
    }
}

void oscil_cloneInst(instRec* inst, const oscil_instRec* from, oscil_instRec* to, short channel, int reinit)
{
    // Only the three channels exist; a fourth would give the copy an index
    // the audio code has no channel for.
    if (!from || !to || channel < 0 || channel >= kOscils) return;
    if (inst && reinit) {
        oscil_initInstRec(inst, to, channel);
        if (to == inst_getOscilInst(inst, channel)) oscil_setMode(inst, channel, (short)from->mode);
    }
    to->mainIncrement = from->mainIncrement;
    to->mainPhase = from->mainPhase;
    to->mainRatio = from->mainRatio;
    to->ampScale = from->ampScale;
    to->modRatio = from->modRatio;
    to->modPhase = from->modPhase;
    to->modIncrement = from->modIncrement;
    to->doubleBalance = from->doubleBalance;
    to->fmIndex = from->fmIndex;
    to->ringmodBalance = from->ringmodBalance;
    to->mode = from->mode;
    to->mainFreqMode = from->mainFreqMode;
    to->modFreqMode = from->modFreqMode;
    to->mainWaveID = from->mainWaveID;
    to->modWaveID = from->modWaveID;
    to->index = channel;
    to->invertPhase = from->invertPhase;
    to->active = from->active;
    to->ampScale = denormal_flush(to->ampScale);
}
