// The tuning generators, the shared tuning list and the selection of a
// tuning for an instrument.
#include "dsp/tune.h"

#include <cmath>
#include <cstring>

#include "dsp/conversion.h"
#include "dsp/dsp_globals.h"
#include "dsp/fixedText.h"
#include "dsp/inst.h"

int16_t g_tuningsAllocated = 0;

namespace {
// Deviations in semitones of the twelve degrees of each pattern.
const double kMeanTone[12] = {0.1026,  -0.1369, 0.0342,  0.2053, -0.0342, 0.1369,
                              -0.1026, 0.0684,  -0.1711, 0.0,    0.1711,  -0.0684};
const double kVallotti[12] = {0.0587,  0.0,    0.0196, 0.0391, -0.0196, 0.0782,
                              -0.0196, 0.0391, 0.0196, 0.0,    0.0587,  -0.0391};
const double kWerckmeister3[12] = {0.01173, 0.0196, 0.0391, 0.0587, -0.0196, 0.0978,
                                   0.0,     0.0782, 0.0391, 0.0,    0.0782,  -0.0391};
// Pythagorean degrees as whole pitches above the octave start: stacked 3:2
// fifths folded into the octave.
const double kPythagorean[12] = {0.0,    1.13685, 2.0391, 2.94135, 4.0782, 4.98045,
                                 6.1173, 7.01955, 8.1564, 9.05865, 9.9609, 11.09775};
const double kHarrison16[16] = {0.0,  1.1173, 1.824,   2.311,  2.6687,  3.1564, 3.8631,  4.98045,
                                6.03, 7.0196, 8.13687, 8.8436, 9.33129, 9.6882, 10.1959, 10.8827};

double pitchIncrement(double pitch) { return freqToPhaseIncrement(noteToHertz(pitch)); }

bool holdsTuning(short slot) { return slot >= 0 && slot < kTuneSlots && tune_list[slot].id >= 1; }

// Notes from..127 an octave above the note 12 below.
void octaveUpFrom(tuneRec* rec, int from)
{
    for (int n = from; n < kTuneNotes; ++n) rec->incr[n] = 2.0 * rec->incr[n - 12];
}

// A twelve-note pattern from key upward. With whole pitches the table gives
// the pitch above the octave start, otherwise the deviation from degree k.
void patternTune(tuneRec* rec, short key, const double (&table)[12], bool whole)
{
    if (!rec || key < 0 || key > 11) return;
    for (int o = key; o + 11 < kTuneNotes; o += 12)
        for (int k = 0; k < 12; ++k)
            rec->incr[o + k] = pitchIncrement(whole ? o + table[k] : o + k + table[k]);
    for (int n = 0; n < key; ++n) rec->incr[n] = 0.5 * rec->incr[n + 12];
    octaveUpFrom(rec, 116);
}

struct tune12Entry {
    short slot;
    int id;
    const char* name;
    float ratio[11];
};
}  // namespace

// --- generators ---------------------------------------------------------------

void equalTune(tuneRec* rec, double base, short ref, short divisions)
{
    if (!rec || divisions < 1) return;
    float step = 12.0f / divisions;
    double start = base - ref * static_cast<double>(step);
    if (start < 0.0) start = 0.0;
    for (int n = 0; n < kTuneNotes; ++n) rec->incr[n] = pitchIncrement(start + n * static_cast<double>(step));
}

void harmonicTune(tuneRec* rec, double base, short first, double step)
{
    if (!rec) return;
    double hertz = noteToHertz(base);
    double h = 1.0;
    for (int n = first < 0 ? 0 : first; n < kTuneNotes; ++n, h += step)
        rec->incr[n] = freqToPhaseIncrement(hertz * h);
}

void meanTune(tuneRec* rec, short key) { patternTune(rec, key, kMeanTone, false); }
void vallottiTune(tuneRec* rec, short key) { patternTune(rec, key, kVallotti, false); }
void werckmeisterIIITune(tuneRec* rec, short key) { patternTune(rec, key, kWerckmeister3, false); }
void pythagoreanTune(tuneRec* rec, short key) { patternTune(rec, key, kPythagorean, true); }

void tune12(tuneRec* rec, const float (&ratio)[11])
{
    if (!rec) return;
    for (int o = 0; o <= 108; o += 12) {
        float hertz = static_cast<float>(noteToHertz(o));
        rec->incr[o] = freqToPhaseIncrement(hertz);
        for (int k = 1; k <= 11; ++k) rec->incr[o + k] = freqToPhaseIncrement(ratio[k - 1] * hertz);
    }
    octaveUpFrom(rec, 120);
}

void harrison16Tune(tuneRec* rec)
{
    if (!rec) return;
    for (int n = 0; n < kTuneNotes; ++n) {
        int m = n - 12;
        int octave = m >= 0 ? m / 16 : -((15 - m) / 16);  // floor division
        int degree = m - 16 * octave;
        rec->incr[n] = pitchIncrement(24.0 + 12.0 * octave + kHarrison16[degree]);
    }
}

// --- list -----------------------------------------------------------------------

void nameThatTune(tuneRec* rec, const char* name)
{
    if (!rec) return;
    fixedText_set(rec->name, sizeof rec->name, name);
}

void tune_new(short slot, int id, const tuneRec* from, const char* name)
{
    if (slot < 0 || slot >= kTuneSlots || id < 1) return;
    tuneRec* rec = &tune_list[slot];
    if (from && from != rec) std::memmove(rec->incr, from->incr, sizeof rec->incr);
    rec->id = id;
    nameThatTune(rec, name);
    ++g_tuningsAllocated;
}

int tune_init()
{
    for (short slot = 0; slot < kTuneSlots; ++slot) {
        tuneRec* rec = &tune_list[slot];
        equalTune(rec, 60.0, 60, 12);
        rec->id = 0;
        nameThatTune(rec, "8ve / 12");
    }
    g_tuningsAllocated = 0;

    // One scratch record for all: a generator that leaves notes unwritten
    // ("harmonic" below note 36) keeps the previous tuning's values there.
    tuneRec scratch;
    std::memset(&scratch, 0, sizeof scratch);
    struct equalEntry {
        short slot;
        int id;
        const char* name;
        short divisions;
    };
    const equalEntry equal[] = {{0, 1, "8ve / 12", 12},  {1, 2, "8ve / 19", 19},       {2, 3, "8ve / 24", 24},
                                {27, 4, "8ve / 31", 31}, {3, 5, "8ve / 43 otone", 43}, {4, 6, "8ve / 48", 48},
                                {5, 7, "8ve / 96", 96}};
    for (const equalEntry& e : equal) {
        equalTune(&scratch, 60.0, 60, e.divisions);
        tune_new(e.slot, e.id, &scratch, e.name);
    }
    harmonicTune(&scratch, 24.0, 36, 1.0);
    tune_new(6, 8, &scratch, "harmonic");
    vallottiTune(&scratch, 0);
    tune_new(7, 9, &scratch, "Vallotti");
    werckmeisterIIITune(&scratch, 0);
    tune_new(8, 10, &scratch, "Werckmeister 3");

    const tune12Entry ratios[] = {
        {21,
         11,
         "Zalzal",
         {1.003f, 1.125f, 1.127f, 1.2272727f, 1.3333334f, 1.335f, 1.5f, 1.502f, 1.6363636f, 1.638f,
          1.7777778f}},
        {22,
         12,
         "Farabi 1",
         {1.003f, 1.125f, 1.127f, 1.35f, 1.423828125f, 1.425f, 1.5f, 1.502f, 1.8f, 1.803f, 1.9f}},
        {23,
         13,
         "Farabi 2",
         {1.003f, 1.125f, 1.127f, 1.40625f, 1.4555556f, 1.457f, 1.5f, 1.502f, 1.875f, 1.878f, 1.9375f}},
        {25,
         14,
         "Pelog + Slendro",
         {1.003f, 1.082f, 1.141f, 1.294f, 1.394f, 1.323f, 1.487f, 1.523f, 1.606f, 1.741f, 1.885f}},
        {28,
         15,
         "Indian",
         {1.003f, (float)transposeToRatio(0.9), (float)transposeToRatio(0.93), (float)transposeToRatio(3.66),
          (float)transposeToRatio(4.93), (float)transposeToRatio(4.95), (float)transposeToRatio(7.07),
          (float)transposeToRatio(7.04), (float)transposeToRatio(7.81), (float)transposeToRatio(7.84),
          (float)transposeToRatio(10.8)}},
        {26,
         16,
         "balafon",
         {1.003f, 1.092f, 1.092f, 1.18f, 1.361f, 1.361f, 1.519f, 1.519f, 1.672f, 1.672f, 1.822f}},
        {29,
         17,
         "Ionic/Aeolic",
         {1.003f, 1.125f, 1.1851852f, 1.25f, 1.3333334f, 1.335f, 1.5f, 1.5802469f, 1.6666666f, 1.7777778f,
          1.8f}},
    };
    for (const tune12Entry& e : ratios) {
        tune12(&scratch, e.ratio);
        tune_new(e.slot, e.id, &scratch, e.name);
    }
    harrison16Tune(&scratch);
    tune_new(30, 18, &scratch, "Harrison 16");
    pythagoreanTune(&scratch, 0);
    tune_new(31, 19, &scratch, "pythagorean");

    static const char* const meanNames[12] = {"mean tone c",  "mean tone c#", "mean tone d",  "mean tone d#",
                                              "mean tone e",  "mean tone f",  "mean tone f#", "mean tone g",
                                              "mean tone g#", "mean tone a",  "mean tone a#", "mean tone b"};
    for (short key = 0; key < 12; ++key) {
        meanTune(&scratch, key);
        tune_new(static_cast<short>(9 + key), 20 + key, &scratch, meanNames[key]);
    }
    return 1;
}

short tune_getListSize() { return g_tuningsAllocated; }

short tune_menuItemToID(short item)
{
    if (item < 1) return 0;
    for (short slot = 0; slot < kTuneSlots; ++slot)
        if (tune_list[slot].id == item) return slot;
    return 0;
}

short tune_idToMenuItem(short slot) { return holdsTuning(slot) ? static_cast<short>(tune_list[slot].id) : 1; }

void tune_getName(short slot, char* text)
{
    if (!text) return;
    std::memset(text, 0, kTuneNameLen);
    if (!holdsTuning(slot)) {
        dsp_error("bad tune id");
        return;
    }
    std::memcpy(text, tune_list[slot].name, kTuneNameLen - 1);
}

// --- instrument -------------------------------------------------------------------

const double* tune_getIncrTable(short slot)
{
    const char* rec = reinterpret_cast<const char*>(&tune_list[holdsTuning(slot) ? slot : 0]);
    return reinterpret_cast<const double*>(rec + offsetof(tuneRec, incr));
}

double tune_getIncr(short slot, short note)
{
    if (note < 0 || note >= kTuneNotes) return 0.0;
    return tune_list[holdsTuning(slot) ? slot : 0].incr[note];
}

short tune_getSelectedMenuItem(instRec* inst) { return inst ? tune_idToMenuItem(inst->patch.microtune) : 1; }

void tune_selectFromPopup(instRec* inst, void*, short item)
{
    if (item >= 1 && item <= g_tuningsAllocated) tune_set(inst, tune_menuItemToID(item));
}

void tune_set(instRec* inst, short slot)
{
    if (!inst || !holdsTuning(slot)) return;
    const tuneRec* tuning = &tune_list[slot];
    inst->patch.microtune = slot;
    inst->extra.tuneIncr.set(tune_getIncrTable(slot));
    int voices = inst->voicesInUse;
    if (voices > kVoices) voices = kVoices;
    for (int v = 0; v < voices; ++v) {
        voiceRec* voice = &inst->voice[v];
        // A free or releasing voice has no note (-1) and keeps its increment.
        if (!voice_hasNote(voice)) continue;
        voice->frequency = static_cast<float>(inst->patch.trans * tuning->incr[voice->note]);
    }
}
