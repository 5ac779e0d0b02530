// Filter setters and getters by mode, copy between filters, and the stored
// form "filt".
#include <cmath>

#include "dsp/conversion.h"
#include "dsp/denormal.h"
#include "dsp/filter.h"
#include "dsp/inst.h"
#include "dsp/oscil_chunk.h"

namespace {

filterInstRec* filterRec(instRec* inst, short filter)
{
    return inst ? inst_getFilterInst(inst, filter) : nullptr;
}

bool validMode(short mode)
{
    return (mode >= filterMode_lpf6 && mode <= filterMode_bpf) || mode == filterMode_notch ||
           mode == filterMode_comb;
}

// The modes that keep their frequency as an index into the coefficient
// tables; a stored 11 counts as a notch.
bool indexedMode(short mode)
{
    return validMode(mode) ? mode != filterMode_comb : mode == filterMode_notchOld;
}

// The modes with a gain, a resonance and a bandwidth: all but the first-order
// lowpass and highpass.
bool resonantMode(short mode)
{
    return mode != filterMode_lpf6 && mode != filterMode_hpf6 &&
           (validMode(mode) || mode == filterMode_notchOld);
}

// The field the mode keeps its gain in, or null.
float* gainField(filterInstRec* rec)
{
    if (rec->mode == filterMode_comb) return &rec->combGain;
    return resonantMode(rec->mode) ? &rec->gain : nullptr;
}

// The field the mode keeps its Q in (resonance, band-pass Q or comb
// feedback), or null.
float* qField(filterInstRec* rec)
{
    if (rec->mode == filterMode_bpf) return &rec->bandpassQ;
    if (rec->mode == filterMode_comb) return &rec->combFeedback;
    return resonantMode(rec->mode) ? &rec->resonance : nullptr;
}

}  // namespace

void filter_setMode(instRec* inst, short filter, short mode)
{
    if (!inst) return;
    filter_clearAllVoices(inst);
    if (validMode(mode)) inst_getFilterInst(inst, filter)->mode = mode;
}
short filter_getMode(instRec* inst, short filter)
{
    filterInstRec* rec = filterRec(inst, filter);
    return rec ? rec->mode : 0;
}

void filter_setFreq(instRec* inst, short filter, double hz)
{
    filterInstRec* rec = filterRec(inst, filter);
    if (!rec || std::isnan(hz)) return;
    // A negative frequency has no index (NaN); the field keeps its value
    // rather than handing the audio code a NaN table index.
    if (indexedMode(rec->mode)) {
        double index = filterFreqToIndex(hz);
        if (!std::isnan(index)) rec->freqIndex = (float)index;
    } else if (rec->mode == filterMode_comb) {
        rec->combDelay = (float)filterHzToCombFreq(hz);
    }
}
double filter_getFreq(instRec* inst, short filter)
{
    filterInstRec* rec = filterRec(inst, filter);
    if (!rec) return 440.0;
    if (indexedMode(rec->mode)) return filterIndexToFreq(rec->freqIndex);
    if (rec->mode == filterMode_comb) return filterCombFreqToHz(rec->combDelay);
    return 440.0;
}

void filter_setGain(instRec* inst, short filter, double dB)
{
    filterInstRec* rec = filterRec(inst, filter);
    if (!rec || std::isnan(dB)) return;
    if (float* field = gainField(rec)) *field = (float)dBToAmp(dB);
}
double filter_getGain(instRec* inst, short filter)
{
    filterInstRec* rec = filterRec(inst, filter);
    float* field = rec ? gainField(rec) : nullptr;
    return ampToDB(field ? *field : 0.0);
}

void filter_setQ(instRec* inst, short filter, double q)
{
    filterInstRec* rec = filterRec(inst, filter);
    if (!rec || std::isnan(q)) return;
    if (float* field = qField(rec)) *field = (float)q;
}
double filter_getQ(instRec* inst, short filter)
{
    filterInstRec* rec = filterRec(inst, filter);
    float* field = rec ? qField(rec) : nullptr;
    return field ? *field : 0.0;
}

void filter_setBandwidth(instRec* inst, short filter, double bandwidth)
{
    filterInstRec* rec = filterRec(inst, filter);
    if (!rec || std::isnan(bandwidth)) return;
    if (gainField(rec)) rec->bandwidth = (float)bandwidth;
}
double filter_getBandwidth(instRec* inst, short filter)
{
    filterInstRec* rec = filterRec(inst, filter);
    return rec && gainField(rec) ? rec->bandwidth : 1.0;
}

void filter_setActive(instRec* inst, short filter, int on)
{
    if (inst && filter >= 0 && filter < kFilters) inst_getFilterInst(inst, filter)->active = on;
}
int filter_getActive(instRec* inst, short filter)
{
    if (!inst || filter < 0 || filter >= kFilters) return 0;
    return inst_getFilterInst(inst, filter)->active;
}

void filter_setMono(instRec* inst, short filter, int mono)
{
    if (inst && filter == kFilters - 1) inst_getFilterInst(inst, filter)->mono = mono;
}
int filter_getMono(instRec* inst, short filter)
{
    if (!inst || filter != kFilters - 1) return 0;
    return inst_getFilterInst(inst, filter)->mono;
}

void filter_cloneInst(instRec* inst, const filterInstRec* from, filterInstRec* to, short number, int reinit)
{
    if (!from || !to || number < 0 || number >= kFilters) return;
    if (inst && reinit) {
        filter_initInstRec(to, number);
        // The mode goes through the setter for the voices it clears; only
        // the instrument's own record is the setter's to change.
        if (to == inst_getFilterInst(inst, number)) filter_setMode(inst, number, from->mode);
    }
    to->active = from->active;
    to->mono = from->mono;
    to->index = from->index;
    to->mode = from->mode;
    to->freqIndex = from->freqIndex;
    to->combDelay = from->combDelay;
    to->combFeedback = from->combFeedback;
    to->bandpassQ = from->bandpassQ;
    to->gain = from->gain;
    to->bandwidth = from->bandwidth;
    to->combGain = from->combGain;
    to->resonance = from->resonance;
}

// ---- stored form "filt" ------------------------------------------------------

namespace {

const int32_t kFilterChunk = chunkType('f', 'i', 'l', 't');

// The eight floats in slot order.
struct filterFloats {
    float* f[8];
};

filterFloats floatsOf(filterInstRec* r)
{
    return {{&r->freqIndex, &r->combDelay, &r->combFeedback, &r->bandpassQ, &r->gain, &r->bandwidth,
             &r->combGain, &r->resonance}};
}

int moveFilter(char* buf, filterInstRec* r, unsigned max, long reading)
{
    unsigned pos = 0;
    if (!file_readWriteBuf_flag(buf, &r->active, &pos, max, reading) ||
        !file_readWriteBuf_flag(buf, &r->mono, &pos, max, reading) ||
        !file_readWriteBuf_short(buf, &r->index, &pos, max, reading) ||
        !file_readWriteBuf_short(buf, &r->mode, &pos, max, reading))
        return 0;
    for (float* f : floatsOf(r).f)
        if (!file_readWriteBuf_float(buf, f, &pos, max, reading)) return 0;
    return 1;
}

// No subnormal float from a file reaches the audio code. And as the audio
// code indexes its coefficient tables with the frequency index and its delay
// line with the comb delay, a damaged file must not hand it values outside
// their ranges (a NaN takes the initial value).
void settleFilter(filterInstRec* r)
{
    for (float* f : floatsOf(r).f) *f = denormal_flush(*f);
    if (std::isnan(r->freqIndex)) r->freqIndex = 346.0f;
    r->freqIndex = std::fmin(std::fmax(r->freqIndex, 0.0f), (float)(kFilterCoefRows - 1));
    if (std::isnan(r->combDelay)) r->combDelay = 200.45454f;
    r->combDelay = std::fmin(std::fmax(r->combDelay, (float)kCombDelayMin), (float)kCombDelayMax);
}

}  // namespace

void filter_flipInstRec(filterInstRec* r)
{
    if (!r) return;
    flipShort(&r->index);
    flipShort(&r->mode);
    for (float* f : floatsOf(r).f) flipFloat(f);
}

int filter_readWriteFilterInst(fileRec* file, filterInstRec* rec, void* buffer, int reading)
{
    return oscil_chunkReadWrite(file, rec, buffer, reading, kFilterChunk, kFilterChunkBody, moveFilter,
                                filter_flipInstRec, settleFilter);
}
