// Filter records: frequency conversions, initial values and voice state.
#include "dsp/filter.h"
#include "platform/verify.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "dsp/inst.h"

double filterFreqToIndex(double hz)
{
    double x = hz * 0.2;
    if (x < 0.0) {
        errno = 33;
        return std::nan("");
    }
    float index = (float)(57.707802 * std::log(x));
    if (index > 480.0f) index = 480.0f;
    if (!(index >= 0.0f)) index = 0.0f;
    return index;
}

double filterIndexToFreq(double index)
{
    if (index > 480.0) index = 480.0;
    if (!(index >= 0.0)) index = 0.0;
    return 5.0 * std::pow(2.0, index / 40.0);
}

double filterHzToCombFreq(double hz)
{
    if (hz < 5.0) hz = 5.0;
    double delay = 44100.0 / hz;
    if (delay > kCombDelayMax) delay = kCombDelayMax;
    if (delay < kCombDelayMin) delay = kCombDelayMin;
    return delay;
}

double filterCombFreqToHz(double delay)
{
    // A delay too small for a normal float counts as zero (giving infinity);
    // the setter never stores one below 1.
    if (std::fabs(delay) < FLT_MIN) delay = 0.0;
    return 44100.0 / delay;
}

void filter_initInstRec(filterInstRec* rec, short number)
{
    MORVANE_VERIFY(rec);  // the record to fill is always the caller's own
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    rec->mono = number == 3 ? 1 : 0;
    rec->index = number;
    rec->mode = 3;
    rec->freqIndex = 346.0f;
    rec->combDelay = 200.45454f;
    rec->combFeedback = 0.5f;
    rec->bandpassQ = 1.0f;
    rec->gain = 1.0f;
    rec->bandwidth = 1.0f;
    rec->combGain = 1.0f;
    rec->resonance = 0.0f;
}

void filter_initVoiceRec(filterVoiceRec* voice)
{
    if (!voice) return;
    std::memset(voice, 0, sizeof *voice);
    voice->word = -1;
    voice->curIndex = 346.0f;
    voice->targetIndex = 346.0f;
    for (auto& f : voice->ones) f = 1.0f;
    for (auto& src : voice->modSrc) src.set(&gFloatOne);
}

void filter_clearVoice(filterVoiceRec* voice)
{
    if (!voice) return;
    voice->state = 1;
    for (auto& m : voice->memory) m = 0.0f;
}

void filter_clearAllVoices(instRec* inst)
{
    if (!inst) return;
    for (short f = 0; f < kFilters; ++f)
        for (short v = 0; v < kVoices; ++v) filter_clearVoice(inst_getFilterVoice(inst, f, v));
}

void filter_combBufClear(instRec* inst)
{
    if (!inst) return;
    for (auto& f : inst->extra.combBuf) f = 0.0f;
}
