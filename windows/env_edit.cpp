// Editing envelopes in their strips: a press selects the strip and drags
// the start level, a breakpoint or a marker; a right click adds or deletes
// a breakpoint. Every change is written into the envelope in the
// instance's shared record as it happens, so the plug-in plays it at once.
//
// Index:
//   hit testing ......... squares and markers
//   breakpoint drag ..... lock and slide modes, snapping
//   marker drag ......... loop start and sustain
//   click, right click .. envEd_click, envEd_rightClick
//   adding, deleting .... envEd_newBreakpoint, envEd_deleteBreakpoint, envEd_verifyLoopPoint
//   tempo ............... envEd_snapToGrid, envEd_scaleRetrigEnvelopes
#include <cmath>

#include "windows/editorWindow.h"

namespace {
bool inRect(const RECT& r, short h, short v)
{
    return h >= r.left && h < r.right && v >= r.top && v < r.bottom;
}

envInstRec* stripEnvelope(short id)
{
    envEdRec* rec = envEd_get(id);
    if (!rec || rec->envId < 0 || !gInst) return nullptr;
    envInstRec* env = inst_getEnvInst(gInst, rec->envId);
    return env->param != 0 ? env : nullptr;
}

int lastOf(const envInstRec* env)
{
    int last = env->lastPoint;
    return last < 0 ? 0 : (last > kEnvBreakpoints - 1 ? kEnvBreakpoints - 1 : last);
}

void owner(HWND* out) { *out = GetParent(window_getFrameHWND()); }

void limitMessage(const char* text)
{
    HWND frame;
    owner(&frame);
    MessageBoxA(frame, text, "Morvane", MB_OK | MB_ICONWARNING);
}
}  // namespace

// ---- hit testing -----------------------------------------------------------------------------------
short envEd_hitBreakpoint(short id, short h, short v)
{
    envEdRec* rec = envEd_get(id);
    if (!rec) return kEnvBpNone;
    if (inRect(rec->start, h, v)) return kEnvBpStart;
    for (short k = 0; k < rec->squares; ++k)
        if (inRect(rec->square[k].rect, h, v)) return rec->square[k].index;
    return kEnvBpNone;
}

// ---- breakpoint drag ----------------------------------------------------------------------------------
namespace {
// The press selected an envelope: what that changed in the header (the
// name, the unit of the level box) is painted before the drag loop holds
// the window, so the drag never shows the units of the envelope before.
void showSelection()
{
    if (HWND hwnd = window_getHWND(winId_envelope)) UpdateWindow(hwnd);
    window_setCurrent(winId_envelope);
}

struct bpDragRec {
    envInstRec* env;
    short index;
    zPoint press;
    double time, nextTime;  // at the press
    float level;
    double limit;
};

int bpDragStep(short id, trackStateRec* s, void* arg)
{
    bpDragRec* d = static_cast<bpDragRec*>(arg);
    if (s->round > 0 && s->pt.h == s->last.h && s->pt.v == s->last.v) return 1;
    envInstRec* env = d->env;
    const double samplesPerPixel = kEnvRate * envEd_pixPerSecCoef;
    window_setCurrent(winId_envelope);
    if (d->index >= 0) {
        double t = d->time - (d->press.h - s->pt.h) * samplesPerPixel;
        t = t < 1.0 ? 1.0 : (t > d->limit ? d->limit : t);
        env->bp[d->index].time = t;
        if (g_envEd_drawGrid && GetKeyState(VK_CONTROL) < 0) {
            envEd_snapToGrid(env, d->index);
            if (env->bp[d->index].time > d->limit) env->bp[d->index].time = d->limit;
        }
        if (g_envEd_lock && d->index < lastOf(env))
            env->bp[d->index + 1].time = (d->time - env->bp[d->index].time) + d->nextTime;
        numbox_setVal(kEnvTimeBox, static_cast<float>(env->bp[d->index].time / kEnvRate));
        numbox_setVal(kEnvPosBox, static_cast<float>(envEd_getBreakpointAbsTime(env, d->index)));
    }
    double level = d->level + static_cast<double>(d->press.v - s->pt.v) / envEd_height;
    level = level < 0.0 ? 0.0 : (level > 1.0 ? 1.0 : level);
    if (d->index >= 0)
        env->bp[d->index].level = static_cast<float>(level);
    else
        env->depth = static_cast<float>(level);
    numbox_setVal(kEnvLevelBox, static_cast<float>(level));
    wEnv_updateParamNumbox();
    envEd_draw(id);
    mouse_setDragging();
    return 1;
}

void dragBreakpoint(short id, envInstRec* env, short index)
{
    wEnv_prepareUndo();
    bpDragRec d{};
    d.env = env;
    d.index = index;
    mouse_getPos(&d.press);
    d.level = index >= 0 ? env->bp[index].level : env->depth;
    if (index >= 0) {
        d.time = env->bp[index].time;
        d.nextTime = index < lastOf(env) ? env->bp[index + 1].time : 0.0;
        // In lock mode the next breakpoint keeps at least one sample.
        d.limit = g_envEd_lock && index < lastOf(env) ? d.time + d.nextTime - 1.0 : 999999999.0;
        if (d.limit < 1.0) d.limit = 1.0;
    }
    g_drawEnvName = 0;
    showSelection();
    control_track(id, 16, bpDragStep, &d);
    resetClicks();
    g_drawEnvName = 1;
    window_setCurrent(winId_envelope);
    wEnv_timeBoxes_limit();
    envEd_draw(id);
}
}  // namespace

// ---- marker drag ---------------------------------------------------------------------------------------
namespace {
struct markerDragRec {
    envInstRec* env;
    int sustain;  // dragging the sustain marker, else the loop start
    short candidate;
};

int markerStep(short id, trackStateRec* s, void* arg)
{
    markerDragRec* d = static_cast<markerDragRec*>(arg);
    envInstRec* env = d->env;
    short hit = envEd_hitBreakpoint(id, s->pt.h, s->pt.v);
    short candidate = kEnvBpNone;
    if (hit >= 0) {
        if (d->sustain) {
            bool ok = hit != g_envEd_selectedBp && hit < env->lastPoint;
            if (env->envMode == envMode_loop) ok = ok && hit > env->loopStart;
            if (ok) candidate = hit;
        } else if (hit < env->sustainPoint) {
            candidate = hit;
        }
    }
    d->candidate = candidate;
    HCURSOR cursor = candidate >= 0 ? (d->sustain ? wEnv_cur_149 : wEnv_cur_150)
                                    : (d->sustain ? wEnv_cur_144 : wEnv_cur_146);
    if (cursor) SetCursor(cursor);
    mouse_setDragging();
    return 1;
}

void dragMarker(short id, envInstRec* env, int sustain)
{
    wEnv_prepareUndo();
    markerDragRec d{env, sustain, kEnvBpNone};
    if (wEnv_cur_144) SetCursor(wEnv_cur_144);
    short selected = g_envEd_selectedBp;
    showSelection();
    control_track(id, 16, markerStep, &d);
    resetClicks();
    window_setCurrent(winId_envelope);
    if (sustain && d.candidate >= 0 && d.candidate < env->lastPoint)
        env->sustainPoint = d.candidate;
    else if (!sustain && d.candidate >= 0 && d.candidate < env->sustainPoint)
        env->loopStart = d.candidate;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    g_envEd_selectedBp = selected;
    envEd_selectEnvelope(id);
}
}  // namespace

// ---- click, right click ----------------------------------------------------------------------------------
void envEd_click(short id)
{
    zPoint press;
    mouse_getPos(&press);
    if (press.v < kEnvStripTop) return;
    envInstRec* env = stripEnvelope(id);
    if (!env) return;
    envEdRec* rec = envEd_get(id);
    short hit = envEd_hitBreakpoint(id, press.h, press.v);
    if (hit != kEnvBpNone) {
        g_envEd_selectedBp = hit;
        envEd_selectEnvelope(id);
        dragBreakpoint(id, env, hit);
        return;
    }
    if (inRect(rec->sustain, press.h, press.v) || inRect(rec->loop, press.h, press.v)) {
        if (g_envEd_selectedEnv != id) {
            g_envEd_selectedBp = kEnvBpNone;
            envEd_selectEnvelope(id);
        }
        dragMarker(id, env, inRect(rec->sustain, press.h, press.v) ? 1 : 0);
        return;
    }
    g_envEd_selectedBp = kEnvBpNone;
    envEd_selectEnvelope(id);
}

void envEd_rightClick(short id, short h, short v)
{
    if (v < kEnvStripTop || !clickObject_isEnabled(winId_envelope, id)) return;
    envInstRec* env = stripEnvelope(id);
    if (!env) return;
    window_setCurrent(winId_envelope);
    short hit = envEd_hitBreakpoint(id, h, v);
    g_envEd_selectedBp = kEnvBpNone;
    envEd_selectEnvelope(id);
    if (hit >= 0) {
        envEd_deleteBreakpoint(id, env, hit);
    } else {
        RECT r;
        custom_getRect(id, &r);
        double bottom = envEd_get(id)->top + envEd_height;
        double level = (bottom - v) / envEd_height;
        level = level < 0.0 ? 0.0 : (level > 1.0 ? 1.0 : level);
        envEd_newBreakpoint(id, env, envEd_pixToTime(r.left, h), static_cast<float>(level));
    }
    makePresetDirty();
}

// ---- adding, deleting ---------------------------------------------------------------------------------------
void envEd_newBreakpoint(short id, envInstRec* env, double seconds, float level)
{
    if (!env) return;
    if (env->lastPoint >= kEnvBreakpoints - 1) {
        limitMessage("Envelopes can have a maximum of 68 breakpoints, can't add any more.");
        return;
    }
    wEnv_prepareUndo();
    const double T = seconds * kEnvRate;
    const int last = lastOf(env);
    int place = 0;
    double before = 0.0, sum = 0.0;
    for (int k = 0; k <= last; ++k) {
        sum += env->bp[k].time;
        if (sum < T) {
            place = k + 1;
            before = sum;
        }
    }
    float slope = env->bp[place].slope;
    for (int k = last; k >= place; --k) env->bp[k + 1] = env->bp[k];
    env->lastPoint = static_cast<int16_t>(last + 1);
    if (env->loopStart >= place) ++env->loopStart;
    if (env->sustainPoint >= place) ++env->sustainPoint;
    if (env->releasePoint >= place) ++env->releasePoint;
    env->bp[place].time = T - before;
    env->bp[place].level = level;
    env->bp[place].slope = slope;
    if (place + 1 <= env->lastPoint) {
        double next = env->bp[place + 1].time - env->bp[place].time;
        env->bp[place + 1].time = next < 10.0 ? 10.0 : next;
    }
    envEd_draw(id);
    wEnv_updateEnvParams();
}

void envEd_deleteBreakpoint(short id, envInstRec* env, short i)
{
    if (!env || i < 0 || i > kEnvBreakpoints - 1 || i > env->lastPoint) return;
    if (env->lastPoint < 3) {
        limitMessage("Can't delete any more breakpoints from this envelope.");
        return;
    }
    wEnv_prepareUndo();
    const int last = lastOf(env);
    if (i < last) env->bp[i + 1].time += env->bp[i].time;
    for (int k = i; k < last; ++k) env->bp[k] = env->bp[k + 1];
    env->lastPoint = static_cast<int16_t>(last - 1);
    if (env->loopStart >= i && env->loopStart >= 1) --env->loopStart;
    if (env->sustainPoint >= i && env->sustainPoint >= 1) --env->sustainPoint;
    if (env->releasePoint >= i && env->releasePoint >= 1) --env->releasePoint;
    envEd_verifyLoopPoint(env);
    if (g_envEd_selectedBp > env->lastPoint) g_envEd_selectedBp = kEnvBpNone;
    envEd_draw(id);
    wEnv_updateEnvParams();
}

void envEd_verifyLoopPoint(envInstRec* env)
{
    if (!env) return;
    if (env->sustainPoint > env->lastPoint - 1) env->sustainPoint = static_cast<int16_t>(env->lastPoint - 1);
    if (env->loopStart >= env->sustainPoint) {
        if (env->loopStart == 0)
            env->sustainPoint = static_cast<int16_t>(env->loopStart + 1);
        else
            env->loopStart = static_cast<int16_t>(env->sustainPoint - 1);
    }
}

// ---- tempo ----------------------------------------------------------------------------------------------
void envEd_snapToGrid(envInstRec* env, short i)
{
    if (!env || i < 0 || i > lastOf(env)) return;
    double step = wEnv_gridLength() / kEnvRate / wEnv_gridBeats() * 0.5;
    if (!(step > 0.0)) return;
    double a = envEd_getBreakpointAbsTime(env, i);
    double t = a + step / 2;
    double snapped = t - std::fmod(t, step);
    double time = snapped * kEnvRate - envEd_getBreakpointAbsTime(env, static_cast<short>(i - 1)) * kEnvRate;
    env->bp[i].time = time < 10.0 ? 10.0 : time;
}

void envEd_scaleRetrigEnvelopes(instRec* inst, double factor)
{
    if (!inst || !(factor > 0.0) || !std::isfinite(factor)) return;
    for (short e = 0; e < kEnvSlots; ++e) {
        envInstRec* env = inst_getEnvInst(inst, e);
        if (env->param == 0 || env->envMode != envMode_retrigger) continue;
        for (int k = 0; k <= lastOf(env); ++k) env->bp[k].time *= factor;
    }
}
