// The Envelope window's logic: the update protocol, the envelope list and
// which envelopes the strips show, the breakpoint panel's number boxes and
// their units, the tempo grid, and envelope undo, redo, copy and paste
// through the Edit menu.
//
// Index:
//   state ............... the Part's globals
//   life cycle .......... make, show, update protocol
//   names and units ..... envEd_getName, the parameter kinds, the pitch rule
//   list ................ wEnv_updateEnvList, wEnv_displayEnvelopes
//   boxes ............... wEnv_updateEnvParams, limits, callbacks
//   tempo ............... grid length and beats in the record
//   undo and clipboard .. prepare, undo, redo, copy, paste
#include <cmath>
#include <cstdio>
#include <cstring>

#include "windows/editorWindow.h"

// ---- state ----------------------------------------------------------------------------------
short currentEditEnv = -1;
unsigned short envIdList[kEnvSlots];
int autoscale = 0;
envInstRec envInstCopy, envInstUndo, envInstRedo;
short undoId = -1;

namespace {
struct currentScope {
    short saved;
    currentScope() : saved(window_getCurrent()) { window_setCurrent(winId_envelope); }
    ~currentScope() { window_setCurrent(saved); }
};

const double kDefaultGrid = 60.0 / 120.0 * 8.0 * kEnvRate;
const float kDefaultBeats = 8.0f;
bool copyHolds = false;  // envInstCopy holds a copied envelope
}  // namespace

// ---- life cycle ---------------------------------------------------------------------------------
void wEnv_makeWindow() { editorWindow_make(windowTable_find(winId_envelope)); }

void wEnv_show(int show)
{
    if (show && wEnv_needUpdate()) wEnv_update();
    if (show && g_oneWindowEditor) {
        openOneEditWindow(winId_envelope);
        return;
    }
    window_show(winId_envelope, show);
    if (show)
        if (HWND hwnd = window_getHWND(winId_envelope))
            if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
}

void wEnv_updateSchedule() { editorWindow_schedule(winId_envelope); }

int wEnv_needUpdate() { return editorWindow_needs(winId_envelope); }

void wEnv_update()
{
    if (!window_getHWND(winId_envelope)) return;
    // Other envelopes came in (another preset or instance): the transform
    // window lets go of the ones it saved.
    wEnvTrans_checkStillOpen();
    currentScope scope;
    envEd_selectEnvelope(0);
    editorWindow_clear(winId_envelope);
    // The envelopes were reloaded: an armed undo belongs to envelopes that are gone.
    if (undo_getMode() == 2) undo_setMode(0);
    undoId = -1;
    wEnv_resizeDisplayArea();
    wEnv_updateEnvList();
    double grid = wEnv_gridLength();
    float beats = wEnv_gridBeats();
    numbox_setVal(kEnvBpm, static_cast<float>(60.0 / (grid / kEnvRate) * beats));
    numbox_setVal(kEnvBeats, beats);
    wEnv_updateEnvParams();
    window_draw(winId_envelope);
}

// ---- names and units -------------------------------------------------------------------------------
void envEd_getName(char* buffer, short param, short chan)
{
    if (!buffer) return;
    std::memset(buffer, 0, 24);
    const int n = (chan < 0 ? 0 : (chan > 8 ? 8 : chan)) + 1;
    char text[48] = {0};
    switch (param) {
    case 1: std::snprintf(text, sizeof text, "oscil %d amp", n); break;
    case 2: std::snprintf(text, sizeof text, "oscil %d main pitch", n); break;
    case 3: std::snprintf(text, sizeof text, "oscil %d main phase", n); break;
    case 4: std::snprintf(text, sizeof text, "oscil %d mod phase", n); break;
    case 5: std::snprintf(text, sizeof text, "oscil %d mod pitch", n); break;
    case 6: std::snprintf(text, sizeof text, "oscil %d mod balance", n); break;
    case 7: std::snprintf(text, sizeof text, "oscil %d mod index", n); break;
    case 8: std::snprintf(text, sizeof text, "oscil %d ringmod balance", n); break;
    case 9:
        if (chan == 3)
            std::snprintf(text, sizeof text, "master filter freq");
        else
            std::snprintf(text, sizeof text, "filter %d freq", n);
        break;
    case 13: std::snprintf(text, sizeof text, "mod %d pitch", n); break;
    case 14: std::snprintf(text, sizeof text, "mod %d balance", n); break;
    default: break;
    }
    std::memcpy(buffer, text, 23);
}

// The pitch rule. Modes as the oscillators keep them: 0 transpose
// (semitones), 1 ratio, 2 fixed note, 3 fixed frequency (hertz).
double wEnv_getOscilFreq(short mode, double base, double a)
{
    switch (mode) {
    case 0: return a > 0.0 ? ratioToTranspose(transposeToRatio(base) * a) : -64.0;
    case 2: return a > 0.0 ? hertzToNote(noteToHertz(base) * a) : 0.0;
    default: return base * a;
    }
}

double wEnv_getAmpFromFreq(short mode, double value, double base)
{
    double a;
    switch (mode) {
    case 0: a = transposeToRatio(value) / transposeToRatio(base); break;
    case 2: a = noteToHertz(value) / noteToHertz(base); break;
    default: a = base != 0.0 ? value / base : 0.0; break;
    }
    return std::isfinite(a) ? (a < 0.0 ? 0.0 : (a > 1.0 ? 1.0 : a)) : 0.0;
}

namespace {
short clampChan(short chan, short count) { return chan < 0 ? 0 : (chan >= count ? count - 1 : chan); }

// The pitch kinds: the module's frequency mode and value.
bool pitchOf(short param, short chan, short* mode, double* base)
{
    if (!gInst) return false;
    short c = clampChan(chan, kOscils);
    switch (param) {
    case 2:
        *mode = oscil_getMainFreqMode(gInst, c);
        *base = oscil_getMainFreq(gInst, c);
        return true;
    case 5:
        *mode = oscil_getModFreqMode(gInst, c);
        *base = oscil_getModFreq(gInst, c);
        return true;
    case 13:
        *mode = mod_getFreqMode(gInst, c);
        *base = mod_getFreq(gInst, c);
        return true;
    default: return false;
    }
}

double filterIndexOf(short chan)
{
    if (!gInst) return 0.0;
    return filterFreqToIndex(filter_getFreq(gInst, clampChan(chan, kFilters)));
}

// Scale of the linear kinds (balance, index): the value at a = 1.
double linearScale(short param, short chan)
{
    if (!gInst) return 1.0;
    switch (param) {
    case 6:
    case 8: return oscil_getBalance(gInst, clampChan(chan, kOscils));
    case 7: return oscil_getFmIndex(gInst, clampChan(chan, kOscils));
    case 14: return mod_getBalance(gInst, clampChan(chan, kOscils));
    default: return 1.0;
    }
}
}  // namespace

double wEnv_ampToParam(short param, short chan, double a)
{
    short mode;
    double base;
    if (pitchOf(param, chan, &mode, &base)) return wEnv_getOscilFreq(mode, base, a);
    switch (param) {
    case 1: return a > 0.0 ? ampToDB(a) : -96.0;
    case 9: return filterIndexToFreq(filterIndexOf(chan) * a);
    case 6:
    case 7:
    case 8:
    case 14: return a * linearScale(param, chan);
    default: return a;
    }
}

double wEnv_paramToAmp(short param, short chan, double value)
{
    short mode;
    double base;
    if (pitchOf(param, chan, &mode, &base)) return wEnv_getAmpFromFreq(mode, value, base);
    double a;
    switch (param) {
    case 1: a = dBToAmp(value); break;
    case 9: {
        double index = filterIndexOf(chan);
        a = index > 0.0 ? filterFreqToIndex(value) / index : 0.0;
        break;
    }
    case 6:
    case 7:
    case 8:
    case 14: {
        double scale = linearScale(param, chan);
        a = scale != 0.0 ? value / scale : 0.0;
        break;
    }
    default: a = value; break;
    }
    return std::isfinite(a) ? (a < 0.0 ? 0.0 : (a > 1.0 ? 1.0 : a)) : 0.0;
}

double numbox_envTimeIncrement(double value, short delta, short column)
{
    switch (column) {
    case 1: {
        // Proportional: a pixel moves a long segment as far as a short one, relatively.
        double step = std::fabs(value) * 0.01;
        return value + delta * (step < 0.001 ? 0.001 : step);
    }
    case 2: return value + delta * 0.01;
    default: return value + delta * 0.0001;
    }
}

// ---- list ----------------------------------------------------------------------------------------
void wEnv_updateEnvList()
{
    currentScope scope;
    for (auto& id : envIdList) id = 0xFFFF;
    list_clear(kEnvList);
    int line = 0;
    for (short chan = 0; chan <= 3 && gInst; ++chan)
        for (short e = 0; e < kEnvSlots; ++e) {
            const envInstRec* env = inst_getEnvInst(gInst, e);
            if (env->channel != chan || env->param == 0) continue;
            envIdList[line] = static_cast<unsigned short>(e);
            char name[24];
            envEd_getName(name, env->param, env->channel);
            if (!name[0]) std::snprintf(name, sizeof name, "envelope %d", e + 1);
            list_setText(kEnvList, static_cast<short>(line), name);
            ++line;
        }
    for (short l = 0; l < 4 && l < line; ++l) list_select(kEnvList, l, 1);
    wEnv_displayEnvelopes();
}

void wEnv_displayEnvelopes()
{
    currentScope scope;
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip; ++id) {
        envEd_setEnvId(id, -1);
        custom_show(id, 0);
    }
    short strip = kEnvFirstStrip;
    for (short line = 0; line < kEnvSlots && strip <= kEnvLastStrip; ++line) {
        if (envIdList[line] == 0xFFFF || !list_itemIsSelected(kEnvList, line)) continue;
        envEd_setEnvId(strip, static_cast<short>(envIdList[line]));
        custom_show(strip, 1);
        ++strip;
    }
    envEd_restack();
    envEd_updateSelectEnvelope();
    RECT client;
    GetClientRect(window_getHWND(winId_envelope), &client);
    RECT area{kEnvColumnWidth, kEnvRulerTop, client.right - kEnvBar, client.bottom - kEnvBar};
    invalRect(&area);
}

int wEnv_envIsVisible(short index)
{
    for (short line = 0; line < kEnvSlots; ++line)
        if (envIdList[line] == static_cast<unsigned short>(index) && list_itemIsSelected(kEnvList, line))
            return 1;
    return 0;
}

void wEnv_callback_list(short) { wEnv_displayEnvelopes(); }

// ---- boxes ----------------------------------------------------------------------------------------
namespace {
// A limit of a time box, 9999 where the record gives no usable one.
double usable(double seconds, double fallback)
{
    return std::isfinite(seconds) && seconds >= 0.0 && seconds <= 9999.0 ? seconds : fallback;
}
}  // namespace

void wEnv_timeBoxes_limit()
{
    currentScope scope;
    envInstRec* env = envEd_getEnvInstRec();
    short i = g_envEd_selectedBp;
    double posMin = 0.0001, timeMax = 9999, posMax = 9999;
    if (env && i >= 0 && i <= envEd_lastPoint(env)) {
        posMin = i == 0 ? 0.001
                        : usable(envEd_getBreakpointAbsTime(env, static_cast<short>(i - 1)) + 0.001, 0.0001);
        if (g_envEd_lock && i < envEd_lastPoint(env)) {
            timeMax = usable((env->bp[i].time + env->bp[i + 1].time) / kEnvRate, 9999);
            posMax = usable(envEd_getBreakpointAbsTime(env, static_cast<short>(i + 1)), 9999);
        }
    }
    numbox_setMin(kEnvPosBox, posMin);
    numbox_setMax(kEnvTimeBox, timeMax);
    numbox_setMax(kEnvPosBox, posMax);
}

void wEnv_updateEnvParams()
{
    currentScope scope;
    envInstRec* env = envEd_getEnvInstRec();
    copy_setMode(env ? 1 : 0);
    if (!env) return;
    if (env->envMode >= 1 && env->envMode <= 4) popup_selectItem(kEnvModePopup, env->envMode);
    wEnv_timeBoxes_limit();
    short i = g_envEd_selectedBp;
    if (i == kEnvBpStart) {
        numbox_setVal(kEnvTimeBox, 0.0f);
        numbox_setVal(kEnvPosBox, 0.0f);
        numbox_setVal(kEnvLevelBox, env->depth);
        numbox_setVal(kEnvSlopeBox, 0.0f);
    } else if (i >= 0 && i <= envEd_lastPoint(env)) {
        numbox_setVal(kEnvTimeBox, static_cast<float>(env->bp[i].time / kEnvRate));
        numbox_setVal(kEnvPosBox, static_cast<float>(envEd_getBreakpointAbsTime(env, i)));
        numbox_setVal(kEnvLevelBox, env->bp[i].level);
        numbox_setVal(kEnvSlopeBox, env->bp[i].slope);
    }
    wEnv_updateParamNumbox();
}

void wEnv_updateParamNumbox()
{
    currentScope scope;
    envInstRec* env = envEd_getEnvInstRec();
    if (!env) return;
    short param = env->param, chan = env->channel;
    if (param >= 10 && param <= 12) return;  // no unit of their own
    short i = g_envEd_selectedBp;
    double a = i == kEnvBpStart ? env->depth : (i >= 0 && i <= envEd_lastPoint(env) ? env->bp[i].level : 1.0);
    const char* unit = "";
    double lo = 0.0, hi = 1.0;
    incrementProcPtr step = numbox_incPointZeroOne;
    short mode;
    double base;
    if (pitchOf(param, chan, &mode, &base)) {
        static const char* const units[] = {"trans", "ratio", "note", "Hz"};
        unit = units[mode >= 0 && mode <= 3 ? mode : 1];
        lo = mode == 0 ? -64.0 : (mode == 2 ? 0.0 : 0.0001);
        hi = base;
        if (mode == 3) step = numbox_incHertz;
    } else {
        switch (param) {
        case 1:
            unit = "dB";
            lo = -96.0;
            hi = 0.0;
            step = numbox_incPointOne;
            break;
        case 9:
            unit = "Hz";
            lo = 20.0;
            hi = wEnv_ampToParam(param, chan, 1.0);
            step = numbox_incHertz;
            break;
        case 6:
        case 8:
            unit = "bal";
            hi = linearScale(param, chan);
            break;
        case 7:
            unit = "index";
            hi = linearScale(param, chan);
            break;
        case 14:
            unit = "balance";
            hi = linearScale(param, chan);
            break;
        default: break;
        }
    }
    if (hi < lo) hi = lo;
    numbox_setNameIncrementRangeValue(kEnvParamBox, unit, step, static_cast<float>(lo),
                                      static_cast<float>(hi),
                                      static_cast<float>(wEnv_ampToParam(param, chan, a)));
}

void wEnv_callback_timeNumbox(short id)
{
    envInstRec* env = envEd_getEnvInstRec();
    short i = g_envEd_selectedBp;
    if (!env || i < 0 || i > envEd_lastPoint(env)) return;
    currentScope scope;
    double value = numbox_getVal(id);
    double nextPos =
        i < envEd_lastPoint(env) ? envEd_getBreakpointAbsTime(env, static_cast<short>(i + 1)) : 0.0;
    double time = id == kEnvTimeBox ? kEnvRate * value
                                    : kEnvRate * value - kEnvRate * envEd_getBreakpointAbsTime(env, i - 1);
    env->bp[i].time = time < 10.0 ? 10.0 : time;
    if (g_envEd_lock && i < envEd_lastPoint(env)) {
        double next = (nextPos - envEd_getBreakpointAbsTime(env, i)) * kEnvRate;
        env->bp[i + 1].time = next < 10.0 ? 10.0 : next;
    }
    envEd_drawSelected();
    if (id == kEnvTimeBox)
        numbox_setVal(kEnvPosBox, static_cast<float>(envEd_getBreakpointAbsTime(env, i)));
    else
        numbox_setVal(kEnvTimeBox, static_cast<float>(env->bp[i].time / kEnvRate));
    wEnv_timeBoxes_limit();
}

namespace {
void storeLevel(envInstRec* env, double a)
{
    a = a < 0.0 ? 0.0 : (a > 1.0 ? 1.0 : a);
    if (g_envEd_selectedBp == kEnvBpStart)
        env->depth = static_cast<float>(a);
    else if (g_envEd_selectedBp >= 0 && g_envEd_selectedBp <= envEd_lastPoint(env))
        env->bp[g_envEd_selectedBp].level = static_cast<float>(a);
}
}  // namespace

void wEnv_callback_ampNumbox(short id)
{
    envInstRec* env = envEd_getEnvInstRec();
    if (!env) return;
    currentScope scope;
    storeLevel(env, numbox_getVal(id));
    wEnv_updateParamNumbox();
    envEd_drawSelected();
}

void wEnv_callback_paramNumbox(short id)
{
    envInstRec* env = envEd_getEnvInstRec();
    if (!env || (env->param >= 10 && env->param <= 12)) return;
    currentScope scope;
    double a = wEnv_paramToAmp(env->param, env->channel, numbox_getVal(id));
    storeLevel(env, a);
    numbox_setVal(kEnvLevelBox, static_cast<float>(a));
    envEd_drawSelected();
}

void wEnv_callback_slopeNumbox(short id)
{
    envBreakpointRec* bp = envEd_getEnvInstSelectedBp();
    if (!bp) return;
    bp->slope = numbox_getVal(id);
    envEd_drawSelected();
}

void wEnv_callback_modePopup(short id, short, short item)
{
    envInstRec* env = envEd_getEnvInstRec();
    if (!env || item < 1 || item > 4) return;
    wEnv_undoCallback(kEnvModePopup);
    env->envMode = item;
    popup_selectItem(id, item);
    envEd_drawAll();
    makePresetDirty();
}

void wEnv_callback_transformPopup(short, short, short item)
{
    if (item >= 1 && item <= 3) {
        wEnvTrans_show(1, item);
    } else if (item == 5) {
        wEnvTrans_initialize();
        makePresetDirty();
    }
}

void wEnvTrans_initialize()
{
    envInstRec* env = envEd_getEnvInstRec();
    if (!env) return;
    wEnv_prepareUndo();
    // The shape of a new envelope; the slot stays in use for its parameter and channel.
    envInstRec keep = *env;
    env_initEnvInstRec(env, keep.param);
    env->shown = keep.shown;
    env->inUse = keep.inUse;
    env->global = keep.global;
    env->channel = keep.channel;
    if (keep.param != envParam_amp) {
        env->depth = 1.0f;
        for (auto& bp : env->bp) bp.level = 1.0f;
        env->bp[0].time = 882;
    }
    envEd_drawAll();
    wEnv_updateEnvParams();
}

void wEnv_callback_newButton(short)
{
    short slot = wNewEnv_openDialog();
    wEnv_update();
    if (slot < 0) return;
    // The new envelope is shown and selected, ready to be shaped.
    wEnv_showEnvelope(slot);
    makePresetDirty();
}

void wEnv_showEnvelope(short index)
{
    currentScope scope;
    for (short line = 0; line < kEnvSlots; ++line)
        if (envIdList[line] == static_cast<unsigned short>(index)) {
            list_select(kEnvList, line, 1);
            wEnv_displayEnvelopes();
            break;
        }
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip; ++id)
        if (custom_getVisible(id) && envEdGetEnvId(id) == index) {
            envEd_selectEnvelope(id);
            envEd_drawAll();
            return;
        }
}

void wEnv_callback_toggles(short id)
{
    currentScope scope;
    int on = button_isSelected(id);
    if (id == kEnvAutoscale) {
        autoscale = on;
    } else if (id == kEnvSlide) {
        envEd_setLockSlide(!on);
        wEnv_timeBoxes_limit();
    } else if (id == kEnvGrid) {
        envEd_setShowGrid(on);
    }
}

// ---- tempo --------------------------------------------------------------------------------------------
double wEnv_gridLength()
{
    double g = gInst ? gInst->extra.envGridLength : 0.0;
    return std::isfinite(g) && g >= 1.0 && g <= 1e10 ? g : kDefaultGrid;
}

float wEnv_gridBeats()
{
    float b = gInst ? gInst->extra.envGridBeats : 0.0f;
    return std::isfinite(b) && b >= 0.0125f && b <= 128.0f ? b : kDefaultBeats;
}

namespace {
void storeGrid(double bpm, float beats)
{
    if (!gInst) return;
    gInst->extra.envGridLength = 60.0 / bpm * beats * kEnvRate;
    gInst->extra.envGridBeats = beats;
}
}  // namespace

void wEnv_callback_bpmNumbox(short id)
{
    currentScope scope;
    double old = wEnv_gridLength();
    double bpm = numbox_getVal(id);
    if (!(bpm > 0.0)) return;
    storeGrid(bpm, wEnv_gridBeats());
    if (autoscale && gInst) envEd_scaleRetrigEnvelopes(gInst, wEnv_gridLength() / old);
    envEd_drawAll();
    wEnv_updateEnvParams();
}

void wEnv_callback_beatNumbox(short id)
{
    currentScope scope;
    float beats = numbox_getVal(id);
    if (!(beats > 0.0f)) return;
    storeGrid(numbox_getVal(kEnvBpm), beats);
    envEd_drawAll();
}

// ---- undo and clipboard ----------------------------------------------------------------------------------
void wEnv_prepareUndo()
{
    if (!envEd_getEnvInstRec()) return;
    copy_setMode(1);
    copy_reset();
    envInstUndo = *inst_getEnvInst(gInst, currentEditEnv);
    undoId = currentEditEnv;
    undo_setMode(2);
}

void wEnv_prepareRedo()
{
    if (undoId >= 0 && undoId < kEnvSlots && gInst) envInstRedo = *inst_getEnvInst(gInst, undoId);
}

void wEnv_undoCallback(short control)
{
    if (control >= kEnvTimeBox && control <= kEnvModePopup) wEnv_prepareUndo();
}

namespace {
// Copies a whole record over envelope index, keeping its parameter and channel.
void putEnvelope(short index, const envInstRec& from)
{
    envInstRec* env = inst_getEnvInst(gInst, index);
    short param = env->param, chan = env->channel;
    *env = from;
    env->param = param;
    env->channel = chan;
}

void afterChange()
{
    currentScope scope;
    envInstRec* env = envEd_getEnvInstRec();
    if (env && g_envEd_selectedBp > envEd_lastPoint(env)) g_envEd_selectedBp = kEnvBpNone;
    envEd_drawAll();
    wEnv_updateEnvParams();
}
}  // namespace

void wEnv_undoEnvelope(int redo)
{
    // The transform window holds the envelopes until OK or Cancel.
    if (undoId < 0 || undoId >= kEnvSlots || !gInst || wEnvTrans_isOpen()) return;
    if (!redo) wEnv_prepareRedo();
    putEnvelope(undoId, redo ? envInstRedo : envInstUndo);
    afterChange();
}

void wEnv_copyEnvelope()
{
    envInstRec* env = envEd_getEnvInstRec();
    if (!env) return;
    envInstCopy = *env;
    copyHolds = true;
}

void wEnv_pasteEnvelope()
{
    if (!copyHolds || !envEd_getEnvInstRec() || wEnvTrans_isOpen()) return;
    copy_reset();
    wEnv_prepareUndo();
    putEnvelope(currentEditEnv, envInstCopy);
    afterChange();
    undo_setMode(2);
    makePresetDirty();
}
