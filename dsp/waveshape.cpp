#include "dsp/waveshape.h"

#include <cstring>

void waveshape_initInstRec(waveshapeInstRec* rec) {
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    rec->inGain = 1.0f;
    rec->outGain = 1.0f;
}

void waveshape_initVoiceRec(waveshapeVoiceRec* voice) {
    if (!voice) return;
    std::memset(voice, 0, sizeof *voice);
    for (auto& f : voice->ones) f = 1.0f;
}
