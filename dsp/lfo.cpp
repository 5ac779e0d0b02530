#include "dsp/lfo.h"

#include <cstring>

void lfo_initInstRec(lfoInstRec* rec, short number) {
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

void lfo_initVoiceRec(lfoVoiceRec* voice, short lfo, short voiceNumber) {
    if (!voice) return;
    std::memset(voice, 0, sizeof *voice);
    voice->voice = voiceNumber;
    voice->lfo = lfo;
    for (auto& f : voice->ones) f = 1.0f;
    voice->one = 1.0;
}
