// The built-in wave list, lookup by identifier, and the instrument's user
// waves with their undo and redo buffers.
#include "dsp/wave.h"

#include <cmath>
#include <cstring>

#include "dsp/denormal.h"
#include "dsp/fixedText.h"
#include "dsp/inst.h"
#include "dsp/wave_tables.h"

float sineTable[kWaveSize];
waveRec wavelist[kBuiltinWaves];

namespace {
// The built-in waves with stored data, by slot. Slots 0, 1, 25 and 26 are
// computed at start-up and have no entry here.
struct storedWave {
    short slot;
    const char* name;
    const float* data;
};

const storedWave kStoredWaves[] = {
    {2, "saw_real", sawReal},
    {3, "saw_filt 1", sawFilt1},
    {4, "saw_filt 2", sawFilt2},
    {5, "saw_filt 3", sawFilt3},
    {6, "saw_smooth", saw_smooth},
    {7, "square_real", squareReal},
    {8, "square_filt 1", squareFilt1},
    {9, "square_filt 2", squareFilt2},
    {10, "square_fractal", squareFractal},
    {11, "organ 1", organ1},
    {12, "organ 2", organ2},
    {13, "organ 3", organ3},
    {14, "organ 4", organ4},
    {15, "vox_fem 1", voxFem1},
    {16, "vox_fem 2", voxFem2},
    {17, "woodwind 1", woodwind1},
    {18, "woodwind 2", woodwind2},
    {19, "soft trump", softTrump},
    {20, "bass 1", bass1},
    {21, "sawish", sawish},
    {22, "midbuzz 1", midbuzz1},
    {23, "midbuzz 2", midbuzz2},
    {24, "hibuzz 1", hibuzz1},
    {27, "inharmonic 1", inharmonic1},
    {28, "inharmonic 2", inharmonic2},
    {29, "inharmonic 3", inharmonic3},
    {30, "frac_noise", fracNoise},
    {31, "stairstep", stairstep},
    {32, "broken_speaker", brokenSpeaker},
    {33, "noise 1", waveT_noise1},
    {34, "noise 2", waveT_noise2},
    {35, "noise 3", waveT_noise3},
    {36, "tri_pointy", waveT_triPointy},
    {37, "fifth", waveT_fifth},
    {38, "maj triad 1", waveT_majTriad1},
    {39, "maj triad 2", waveT_majTriad2},
    {40, "big chord", waveT_bigChord},
};

// Eight partials (harmonic number, amplitude) added onto t, then the largest
// positive value scaled to 0.98.
void addPartials(float* t, const double (&harmonic)[8], const double (&amp)[8])
{
    if (!t) return;
    for (int k = 0; k < 8; ++k) {
        double phase = 0.0;
        double step = 0.006135923322290182 * harmonic[k];
        for (int i = 0; i < kWaveSize; ++i) {
            t[i] = static_cast<float>(t[i] + amp[k] * std::sin(phase));
            phase += step;
        }
    }
    float largest = 0.0f;
    for (int i = 0; i < kWaveSize; ++i)
        if (t[i] > largest) largest = t[i];
    if (largest <= 0.0f) return;  // nothing positive to scale by
    float scale = 0.98f / largest;
    for (int i = 0; i < kWaveSize; ++i) t[i] *= scale;
}

bool validUserWave(instRec* inst, short n) { return inst && n >= 0 && n < kPresetWaves; }

// Copies a buffer record back over user wave n, keeping n's identifier.
void restoreUserWave(instRec* inst, const waveRec* from, short n)
{
    waveRec* to = &inst->presetWave[n];
    wave_clone(inst, from, to, n, 1);
    to->id = static_cast<int16_t>(kWaveUserBaseID + n);
}
}  // namespace

// --- records and built-in list ---------------------------------------------

void waveRecInit(waveRec* rec, short slot, short list, short type, const float* data, const char* name)
{
    if (!rec) return;
    rec->id = static_cast<int16_t>((list << 8) + slot);
    rec->type = type;
    fixedText_set(rec->name, sizeof rec->name, name);
    rec->spareA = rec->spareB = 0;
    rec->spareC = 0;
    std::memset(rec->unused, 0, sizeof rec->unused);
    if (data)
        std::memmove(rec->data, data, sizeof rec->data);
    else
        std::memset(rec->data, 0, sizeof rec->data);
    thisBufferWantsToBeNormal(rec->data, kWaveSize);
}

void fillTableSine(float* t)
{
    if (!t) return;
    for (int i = 0; i < kWaveSize; ++i) t[i] = static_cast<float>(std::sin(i * 0.006135923151542969));
}

void fillTableTri(float* t)
{
    if (!t) return;
    const float step = 0.00390625f;
    float v = 0.0f;
    for (int i = 0; i < kWaveSize; ++i) {
        if (i < 256 || i >= 768)
            v += step;
        else
            v -= step;
        t[i] = v;
    }
}

void fillTableAdditive1(float* t)
{
    const double harmonic[8] = {1, 2, 3, 5, 8, 13, 21, 34};
    const double amp[8] = {1.0, 0.5, 0.25, 0.125, 0.06, 0.03, 0.015, 0.0075};
    addPartials(t, harmonic, amp);
}

void fillTableAdditive2(float* t)
{
    const double harmonic[8] = {1, 5, 6, 7, 8, 9, 15, 16};
    const double amp[8] = {1.0, 0.25, 0.5, 0.75, 0.5, 0.25, 0.015, 0.0075};
    addPartials(t, harmonic, amp);
}

int wave_initWavelist()
{
    fillTableSine(sineTable);
    for (short slot = 0; slot < kBuiltinWaves; ++slot)
        waveRecInit(&wavelist[slot], slot, kWaveListBuiltin, waveType_free, sineTable, "sine");

    waveRecInit(&wavelist[0], 0, kWaveListBuiltin, waveType_builtin, sineTable, "sine");
    // "additive 1" is built on the triangle and "additive 2" on "additive 1".
    float work[kWaveSize];
    fillTableTri(work);
    waveRecInit(&wavelist[1], 1, kWaveListBuiltin, waveType_builtin, work, "triangle");
    fillTableAdditive1(work);
    waveRecInit(&wavelist[25], 25, kWaveListBuiltin, waveType_builtin, work, "additive 1");
    fillTableAdditive2(work);
    waveRecInit(&wavelist[26], 26, kWaveListBuiltin, waveType_builtin, work, "additive 2");

    for (const storedWave& w : kStoredWaves)
        waveRecInit(&wavelist[w.slot], w.slot, kWaveListBuiltin, waveType_builtin, w.data, w.name);
    return 1;
}

// --- lookup -------------------------------------------------------------------

waveRec* wave_getWaveRecFromID(instRec* inst, short id)
{
    int list = id / 256;  // truncation toward zero
    int slot = id % 256;  // signed remainder
    if (list == kWaveListBuiltin && slot >= 0 && slot < kBuiltinWaves) return &wavelist[slot];
    if (list == kWaveListUser && slot >= 0 && slot < kPresetWaves && inst) return &inst->presetWave[slot];
    return &wavelist[0];
}

float* wave_getWaveDataFromID(instRec* inst, short id) { return wave_getWaveRecFromID(inst, id)->data; }

short wave_getType(instRec* inst, short id) { return wave_getWaveRecFromID(inst, id)->type; }

void wave_getName(instRec* inst, short id, char* text)
{
    if (!text) return;
    std::memset(text, 0, kWaveNameLen);
    std::memcpy(text, wave_getWaveRecFromID(inst, id)->name, kWaveNameLen - 1);
}

// --- user waves ---------------------------------------------------------------

short wave_count(instRec* inst)
{
    if (!inst) return 0;
    short n = 0;
    for (const waveRec& w : inst->presetWave)
        if (w.type == waveType_user) ++n;
    return n;
}

short wave_storeToPreset(instRec* inst, waveRec* list, short count)
{
    if (!inst || !list) return 0;
    short stored = 0;
    for (short slot = 0; slot < kPresetWaves && stored < count; ++slot) {
        const waveRec* w = &inst->presetWave[slot];
        if (w->type != waveType_user) continue;
        wave_clone(inst, w, &list[stored], stored, 0);
        ++stored;
    }
    return stored;
}

void wave_clone(instRec*, const waveRec* from, waveRec* to, short, int)
{
    if (!from || !to || from == to) return;
    std::memmove(to, from, sizeof *to);
    thisBufferWantsToBeNormal(to->data, kWaveSize);
}

void wave_prepareUndo(instRec* inst, short n)
{
    if (!validUserWave(inst, n)) return;
    inst->extra.waveUndoNumber = n;
    wave_clone(inst, &inst->presetWave[n], &inst->waveUndo, n, 1);
}

void wave_prepareRedo(instRec* inst, short n)
{
    if (!validUserWave(inst, n)) return;
    inst->extra.waveUndoNumber = n;
    wave_clone(inst, &inst->presetWave[n], &inst->waveRedo, n, 1);
}

void wave_undo(instRec* inst, short n)
{
    if (validUserWave(inst, n)) restoreUserWave(inst, &inst->waveUndo, n);
}

void wave_redo(instRec* inst, short n)
{
    if (validUserWave(inst, n)) restoreUserWave(inst, &inst->waveRedo, n);
}
