#include "dsp/oscil.h"

#include <cstring>

#include "dsp/conversion.h"
#include "dsp/inst.h"

void oscil_initInstRec(instRec* inst, oscil_instRec* rec, short channel) {
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

void oscil_initVoiceRec(instRec*, oscil_voiceRec* voice, short voiceNumber) {
    if (!voice) return;
    std::memset(voice, 0, sizeof *voice);
    voice->one = 1.0f;
    voice->fmDepth = 162.97466f;
    voice->ones[0] = voice->ones[1] = 1.0f;
    for (auto& src : voice->modSrc) src.set(&gFloatOne);
    voice->voice = voiceNumber;
}
