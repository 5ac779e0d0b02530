#include "dsp/mod.h"

#include <cstring>

#include "dsp/conversion.h"
#include "dsp/inst.h"

void mod_initInstRec(modInstRec* rec, short channel) {
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    rec->mode = 1;
    rec->index = channel;
    rec->freqMode = 3;
    rec->ratio = 1.0f;
    rec->increment = (float)freqToPhaseIncrement(220.0);
    rec->balance = 1.0f;
}

void mod_initVoiceRec(instRec*, modVoiceRec* voice, short voiceNumber) {
    if (!voice) return;
    std::memset(voice, 0, sizeof *voice);
    voice->voice = voiceNumber;
    for (auto& f : voice->ones) f = 1.0f;
    for (auto& src : voice->modSrc) src.set(&gFloatOne);
}
