// The three pages of the Effect window: what each box and switch writes
// through the effect model, and how each page is loaded from the record.
// Each page keeps its controls in a table of (id, setter, getter), so that
// the action and the update of a control cannot disagree.
#include <cmath>

#include "windows/windows.h"

namespace {
struct currentScope {
    short saved;
    currentScope() : saved(window_getCurrent()) { window_setCurrent(winId_effect); }
    ~currentScope() { window_setCurrent(saved); }
};

// A value of the record: its box, setter and getter.
struct valueRec {
    short id;
    void (*set)(instRec*, double);
    double (*get)(instRec*);
};
struct flagRec {
    short id;
    void (*set)(instRec*, int);
    int (*get)(instRec*);
};
// A value of one comb or tap: its id for comb or tap 0.
struct indexedRec {
    short id;
    void (*set)(instRec*, short, double);
    double (*get)(instRec*, short);
};

const valueRec kPipeValues[] = {
    {kPipeCtlLength, effect_pipe_setCtlLength, effect_pipe_getCtlLength},
    {kPipeFeedback, effect_pipe_setFeedback, effect_pipe_getFeedback},
    {kPipeLowpass, effect_pipe_setLowpass, effect_pipe_getLowpass},
    {kPipeOutPos1, [](instRec* i, double v) { effect_pipe_setOutPos(i, 0, v); },
     [](instRec* i) { return effect_pipe_getOutPos(i, 0); }},
    {kPipeOutPos1 + 1, [](instRec* i, double v) { effect_pipe_setOutPos(i, 1, v); },
     [](instRec* i) { return effect_pipe_getOutPos(i, 1); }},
    {kPipeInPos, effect_pipe_setInPos, effect_pipe_getInPos},
    {kPipeCtlOut1, [](instRec* i, double v) { effect_pipe_setCtlOut(i, 0, v); },
     [](instRec* i) { return effect_pipe_getCtlOut(i, 0); }},
    {kPipeCtlOut1 + 1, [](instRec* i, double v) { effect_pipe_setCtlOut(i, 1, v); },
     [](instRec* i) { return effect_pipe_getCtlOut(i, 1); }}};
const flagRec kPipeFlags[] = {
    {kPipeInvertLength, effect_pipe_setCtlInvertLength, effect_pipe_getCtlInvertLength},
    {kPipeInvertOut1, [](instRec* i, int on) { effect_pipe_setCtlOutInvert(i, 0, on); },
     [](instRec* i) { return effect_pipe_getCtlOutInvert(i, 0); }},
    {kPipeInvertOut1 + 1, [](instRec* i, int on) { effect_pipe_setCtlOutInvert(i, 1, on); },
     [](instRec* i) { return effect_pipe_getCtlOutInvert(i, 1); }}};

const valueRec kCombValues[] = {{kCombFeedback, effect_comb_setMasterFeedback, effect_comb_getMasterFeedback},
                                {kCombLowpass, effect_comb_setMasterLowpass, effect_comb_getMasterLowpass}};
const indexedRec kCombChanValues[] = {
    {kCombChanTime, effect_comb_setChanTime, effect_comb_getChanTime},
    {kCombChanCtlSens, effect_comb_setChanCtlSens, effect_comb_getChanCtlSens},
    {kCombChanFeedback, effect_comb_setChanFeedback, effect_comb_getChanFeedback},
    {kCombChanLowpass, effect_comb_setChanLowpass, effect_comb_getChanLowpass},
    {kCombChanGain, effect_comb_setChanGain, effect_comb_getChanGain},
    {kCombChanPan, effect_comb_setChanPan, effect_comb_getChanPan}};

const valueRec kTapValues[] = {{kTapLowpass, effect_tap_setLowpass, effect_tap_getLowpass},
                               {kTapFeedback, effect_tap_setFeedback, effect_tap_getFeedback}};
const indexedRec kTapTapValues[] = {{kTapTapTime, effect_tap_setTapTime, effect_tap_getTapTime},
                                    {kTapCtlSens, effect_tap_setCtlSens, effect_tap_getCtlSens},
                                    {kTapGain, effect_tap_setGain, effect_tap_getGain},
                                    {kTapPan, effect_tap_setPan, effect_tap_getPan}};

short combId(short first, short chan) { return static_cast<short>(first + kCombIdsPerChan * chan); }
short tapId(short first, short tap) { return static_cast<short>(first + tap); }
// A box without decimals shows its value rounded (8000 Hz, not the 7999.99
// its frequency index gives back).
void load(short id, double v)
{
    numboxRec* box = numbox_get(id);
    numbox_setVal(id, static_cast<float>(box && box->decimals == 0 ? std::round(v) : v));
}
}  // namespace

short wEffect_guiIDToCombChan(short id)
{
    if (id < 47) return 0;
    if (id <= 55) return 1;
    if (id <= 64) return 2;
    if (id <= 73) return 3;
    if (id <= 82) return 4;
    if (id <= 91) return 5;
    return 0;
}

// ---- pipe ---------------------------------------------------------------------------------------

void wEffect_updatePipe()
{
    if (!gInst || !window_getHWND(winId_effect)) return;
    currentScope scope;
    for (const valueRec& v : kPipeValues) load(v.id, v.get(gInst));
    for (const flagRec& f : kPipeFlags) button_select(f.id, f.get(gInst) ? 1 : 0);
    wEffect_pipe_setMasterTimeMode(wEffect_storedTimeMode(kDelayPipe), 0);
    wEffect_updateTempo(kDelayPipe);
    wEffect_animatePipe(1);
}

void wEffect_callback_pipe(short id)
{
    if (!gInst) return;
    for (const valueRec& v : kPipeValues)
        if (v.id == id) v.set(gInst, numbox_getVal(id));
    for (const flagRec& f : kPipeFlags)
        if (f.id == id) f.set(gInst, button_isSelected(id));
    wEffect_animatePipe(0);
}

// ---- multicomb ----------------------------------------------------------------------------------

void wEffect_showCombChan(short chan, int on)
{
    if (chan < 0 || chan >= kCombChans || !window_getHWND(winId_effect)) return;
    currentScope scope;
    button_select(combId(kCombChanOn, chan), on ? 1 : 0);
    wPatch_showInPanels(combId(kCombChanPanel, chan), on ? 1 : 0);
}

void wEffect_updateMulticomb()
{
    if (!gInst || !window_getHWND(winId_effect)) return;
    currentScope scope;
    for (const valueRec& v : kCombValues) load(v.id, v.get(gInst));
    for (short c = 0; c < kCombChans; ++c) {
        for (const indexedRec& v : kCombChanValues) load(combId(v.id, c), v.get(gInst, c));
        button_select(combId(kCombChanInvert, c), effect_comb_getCtlInvert(gInst, c) ? 1 : 0);
        wEffect_showCombChan(c, effect_comb_getActive(gInst, c));
    }
    wEffect_comb_setMasterTimeMode(wEffect_storedTimeMode(kDelayComb), 0);
    wEffect_updateTempo(kDelayComb);
}

void wEffect_callback_comb(short id)
{
    if (!gInst) return;
    for (const valueRec& v : kCombValues)
        if (v.id == id) v.set(gInst, numbox_getVal(id));
    short chan = wEffect_guiIDToCombChan(id);
    short local = static_cast<short>(id - kCombIdsPerChan * chan);
    for (const indexedRec& v : kCombChanValues)
        if (v.id == local) v.set(gInst, chan, numbox_getVal(id));
    if (local == kCombChanInvert) effect_comb_setCtlInvert(gInst, chan, button_isSelected(id));
}

void wEffect_callback_combOn(short id)
{
    if (!gInst) return;
    short chan = wEffect_guiIDToCombChan(id);
    int on = button_isSelected(id);
    // The comb's buffer changes hands: the plug-in is paused meanwhile.
    inst_pauseAudio(gInst, 1);
    effect_comb_setActive(gInst, chan, on);
    effect_reinitBuf(gInst);
    inst_resumeAudio(gInst);
    wEffect_showCombChan(chan, on);
}

// ---- multitap -----------------------------------------------------------------------------------

void wEffect_updateMultitap()
{
    if (!gInst || !window_getHWND(winId_effect)) return;
    currentScope scope;
    for (const valueRec& v : kTapValues) load(v.id, v.get(gInst));
    for (short t = 0; t < kTaps; ++t) {
        for (const indexedRec& v : kTapTapValues) load(tapId(v.id, t), v.get(gInst, t));
        button_select(tapId(kTapInvert, t), effect_tap_getCtlInvert(gInst, t) ? 1 : 0);
    }
    wEffect_tap_setMasterTimeMode(wEffect_storedTimeMode(kDelayTap), 0);
    wEffect_updateTempo(kDelayTap);
}

void wEffect_callback_tap(short id)
{
    if (!gInst) return;
    for (const valueRec& v : kTapValues)
        if (v.id == id) v.set(gInst, numbox_getVal(id));
    for (const indexedRec& v : kTapTapValues)
        if (id >= v.id && id < v.id + kTaps) v.set(gInst, static_cast<short>(id - v.id), numbox_getVal(id));
    if (id >= kTapInvert && id < kTapInvert + kTaps)
        effect_tap_setCtlInvert(gInst, static_cast<short>(id - kTapInvert), button_isSelected(id));
}
