// The delay entry shared by the three pages: a master time typed in
// seconds, or as a tempo and a number of beats. The three boxes of a page
// follow each other, and the tempo box's minimum and the beat box's
// maximum move so that no tempo and beat can ask for more than the kind's
// longest delay. One table row per kind names its boxes, panels, limit and
// model accessors.
#include <algorithm>

#include "windows/windows.h"

namespace {
struct delayKindRec {
    short timeBox, tempoBox, beatBox, popup, secPanel, tempoPanel;
    double maxSec;
    void (*setTime)(instRec*, double);
    double (*getTime)(instRec*);
    short mode;  // the effect mode whose record holds the tempo and time mode
};

const double kPipeMaxSec = 0.743015873;  // 32767 samples at 44100 Hz
const double kTapMaxSec = 10.0;

const delayKindRec kKinds[3] = {
    {kPipeTime, kPipeTempo, kPipeBeat, kPipeTimeMode, kPipeSecPanel, kPipeTempoPanel, kPipeMaxSec,
     effect_pipe_setMasterTime, effect_pipe_getMasterTime, effectMode_pipe},
    {kCombTime, kCombTempo, kCombBeat, kCombTimeMode, kCombSecPanel, kCombTempoPanel, kPipeMaxSec,
     effect_comb_setMasterTime, effect_comb_getMasterTime, effectMode_multicomb},
    {kTapTime, kTapTempo, kTapBeat, kTapTimeMode, kTapSecPanel, kTapTempoPanel, kTapMaxSec,
     effect_tap_setMasterTime, effect_tap_getMasterTime, effectMode_multitap}};

const delayKindRec* kindOf(short kind) { return kind >= 1 && kind <= 3 ? &kKinds[kind - 1] : nullptr; }

struct currentScope {
    short saved;
    currentScope() : saved(window_getCurrent()) { window_setCurrent(winId_effect); }
    ~currentScope() { window_setCurrent(saved); }
};

// The record of the kind: its tempo and time mode belong to it.
effectHeader* headerOf(const delayKindRec& k)
{
    if (!gInst) return nullptr;
    switch (k.mode) {
    case effectMode_pipe: return &inst_getEffectPipe(gInst)->header;
    case effectMode_multicomb: return &inst_getEffectMulticomb(gInst)->header;
    default: return &inst_getEffectMultitap(gInst)->header;
    }
}

void storeTempo(const delayKindRec& k, double tempo)
{
    if (effect_getMode(gInst) == k.mode)
        effect_setTempo(gInst, tempo);
    else if (effectHeader* h = headerOf(k))
        h->tempo = static_cast<float>(tempo);
}

void storeTime(const delayKindRec& k, double sec)
{
    k.setTime(gInst, std::min(sec, k.maxSec));
    if (k.mode == effectMode_pipe) wEffect_animatePipe(0);
}
}  // namespace

// ---- tempo arithmetic ---------------------------------------------------------------------------

double wEffect_tempoFromBeatAndSec(double beat, double sec) { return std::max(beat, 0.00001) / sec * 60.0; }

double wEffect_beatFromTempoAndSec(double tempo, double sec) { return sec / (60.0 / std::max(tempo, 1.0)); }

double wEffect_getSecFromTempoAndBeat(double tempo, double beat, double maxSec)
{
    double sec = 60.0 / tempo * beat;
    if (!(sec >= 0.0001)) sec = 0.0001;  // also a tempo of 0
    return std::min(sec, maxSec);
}

double wEffect_getTempoMin(double beat, double maxSec) { return wEffect_tempoFromBeatAndSec(beat, maxSec); }

double wEffect_getBeatMax(double tempo, double maxSec) { return wEffect_beatFromTempoAndSec(tempo, maxSec); }

double wEffect_maxSec(short kind)
{
    const delayKindRec* k = kindOf(kind);
    return k ? k->maxSec : 0.0;
}

// ---- entry --------------------------------------------------------------------------------------

void wEffect_setDelay(short kind, double sec)
{
    const delayKindRec* k = kindOf(kind);
    if (!k || !gInst) return;
    currentScope scope;
    sec = std::min(sec, k->maxSec);
    double tempo = numbox_getVal(k->tempoBox);
    double beat = wEffect_beatFromTempoAndSec(tempo, sec);
    numbox_setMax(k->beatBox, wEffect_getBeatMax(tempo, k->maxSec));
    numbox_setVal(k->beatBox, static_cast<float>(beat));
    numbox_setMin(k->tempoBox, wEffect_getTempoMin(beat, k->maxSec));
    storeTime(*k, sec);
    storeTempo(*k, numbox_getVal(k->tempoBox));
}

void wEffect_setTempo(short kind, double tempo)
{
    const delayKindRec* k = kindOf(kind);
    if (!k || !gInst) return;
    currentScope scope;
    double sec = wEffect_getSecFromTempoAndBeat(tempo, numbox_getVal(k->beatBox), k->maxSec);
    numbox_setVal(k->timeBox, static_cast<float>(sec));
    // A beat longer than the kind's longest delay at this tempo comes down to it.
    numbox_setMax(k->beatBox, wEffect_getBeatMax(tempo, k->maxSec));
    storeTime(*k, sec);
    storeTempo(*k, tempo);
}

void wEffect_setBeat(short kind, double beat)
{
    const delayKindRec* k = kindOf(kind);
    if (!k || !gInst) return;
    currentScope scope;
    double sec = wEffect_getSecFromTempoAndBeat(numbox_getVal(k->tempoBox), beat, k->maxSec);
    numbox_setVal(k->timeBox, static_cast<float>(sec));
    // A tempo too slow for this beat goes up to the slowest that fits; the
    // tempo stored is the one shown.
    numbox_setMin(k->tempoBox, wEffect_getTempoMin(beat, k->maxSec));
    storeTime(*k, sec);
    storeTempo(*k, numbox_getVal(k->tempoBox));
}

void wEffect_updateTempo(short kind)
{
    const delayKindRec* k = kindOf(kind);
    effectHeader* h = k ? headerOf(*k) : nullptr;
    if (!h) return;
    currentScope scope;
    double t = k->getTime(gInst);
    double tempo, beat;
    if (h->tempo >= 1.0) {
        tempo = h->tempo;
        beat = wEffect_beatFromTempoAndSec(tempo, t);
    } else if (t < 0.05) {
        tempo = 120.0;
        beat = wEffect_beatFromTempoAndSec(tempo, t);
    } else {
        beat = 0.5;
        tempo = wEffect_tempoFromBeatAndSec(beat, t);
    }
    // Limits first, so that neither value is cut by the limits of the last instrument.
    numbox_setMax(k->beatBox, wEffect_getBeatMax(tempo, k->maxSec));
    numbox_setMin(k->tempoBox, wEffect_getTempoMin(beat, k->maxSec));
    numbox_setVal(k->timeBox, static_cast<float>(t));
    numbox_setVal(k->tempoBox, static_cast<float>(tempo));
    numbox_setVal(k->beatBox, static_cast<float>(beat));
}

// ---- time modes ---------------------------------------------------------------------------------

void wEffect_setTimeMode(short kind, short mode, int store)
{
    const delayKindRec* k = kindOf(kind);
    if (!k || !window_getHWND(winId_effect)) return;
    currentScope scope;
    if (mode != effectTime_tempo) mode = effectTime_seconds;
    popup_selectItem(k->popup, mode);
    wPatch_showInPanels(k->secPanel, mode == effectTime_seconds);
    wPatch_showInPanels(k->tempoPanel, mode == effectTime_tempo);
    if (!store || !gInst) return;
    if (effect_getMode(gInst) == k->mode)
        effect_setTimeMode(gInst, mode);
    else if (effectHeader* h = headerOf(*k))
        h->timeMode = mode;
}

void wEffect_pipe_setMasterTimeMode(short mode, int store) { wEffect_setTimeMode(kDelayPipe, mode, store); }
void wEffect_comb_setMasterTimeMode(short mode, int store) { wEffect_setTimeMode(kDelayComb, mode, store); }
void wEffect_tap_setMasterTimeMode(short mode, int store) { wEffect_setTimeMode(kDelayTap, mode, store); }

void wEffect_callback_timeMode(short id, short menu, short item)
{
    if (menu != 0 || item < 1 || item > 2) return;
    for (short kind = 1; kind <= 3; ++kind)
        if (kKinds[kind - 1].popup == id) wEffect_setTimeMode(kind, item, 1);
}

void wEffect_callback_delay(short id)
{
    double v = numbox_getVal(id);
    for (short kind = 1; kind <= 3; ++kind) {
        const delayKindRec& k = kKinds[kind - 1];
        if (id == k.timeBox) wEffect_setDelay(kind, v);
        if (id == k.tempoBox) wEffect_setTempo(kind, v);
        if (id == k.beatBox) wEffect_setBeat(kind, v);
    }
}

// The time mode of each kind's own record (seconds for an unknown one).
short wEffect_storedTimeMode(short kind)
{
    const delayKindRec* k = kindOf(kind);
    effectHeader* h = k ? headerOf(*k) : nullptr;
    return h && h->timeMode == effectTime_tempo ? effectTime_tempo : effectTime_seconds;
}
