// The draggy (type 4): a knob dragged across a track bitmap, giving a
// horizontal and a vertical value in 0..1. The knob trails the pointer with
// a lag, the whole image is composed off screen before it reaches the window,
// and flags choose spring-back, one axis, a level fill and more.
#include "toolkit/toolkit_internal.h"
#include <cmath>
#include <new>

draggyRec* draggy_get(short id) { return (draggyRec*)control_data(id, kTypeDraggy); }

static double clamp01(double x) { return x < 0 ? 0 : x > 1 ? 1 : x; }

// The knob's travel inside the track.
struct travelRec {
    double xmin, xmax, ymin, ymax;
};

static travelRec draggy_travel(const draggyRec* d)
{
    const RECT& r = d->obj->rect;
    return travelRec{(double)r.left + d->halfKnobW, (double)r.right - d->halfKnobW - 1,
                     (double)r.top + d->halfKnobH, (double)r.bottom - d->halfKnobH - 1};
}

static void draggy_placeKnob(draggyRec* d)
{
    travelRec t = draggy_travel(d);
    double cx = t.xmin + (t.xmax - t.xmin) * d->h;
    double cy = t.ymax - (t.ymax - t.ymin) * d->v;
    LONG left = (LONG)std::lround(cx - d->halfKnobW), top = (LONG)std::lround(cy - d->halfKnobH);
    d->knobRect = RECT{left, top, left + 2 * d->halfKnobW, top + 2 * d->halfKnobH};
}

static void draggy_updateZone(draggyRec* d)
{
    control_updateZone(d->obj, kCursorArrowOn, (d->flags & kDraggyWholeTrack) ? d->obj->rect : d->knobRect,
                       0);
}

static void draggy_zone(clickObjectRec* obj) { draggy_updateZone((draggyRec*)obj->data); }

static void draggy_offset(clickObjectRec* obj, LONG dx, LONG dy)
{
    OffsetRect(&((draggyRec*)obj->data)->knobRect, dx, dy);
}

static void draggy_release(clickObjectRec* obj) { delete (draggyRec*)obj->data; }

const controlKindRec draggy_kind = {kTypeDraggy, kCursorArrowOn, 0,       1,       nullptr,
                                    draggy_zone, draggy_offset,  nullptr, nullptr, draggy_release};

// Track, level fill left of the knob, and the knob, put together off screen
// and copied to the window in one piece, so the knob never flickers.
static void draggy_compose(draggyRec* d, int pressed)
{
    const RECT& r = d->obj->rect;
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    HDC win = window_getHDC(g_currentWindow);
    if (!win) return;
    HDC off = CreateCompatibleDC(win);
    HBITMAP bmp = off ? CreateCompatibleBitmap(win, w, h) : nullptr;
    if (bmp) {
        HGDIOBJ old = SelectObject(off, bmp);
        bitmap_drawOffscreen(d->trackPict, 0, 0, off);
        HBITMAP fill = bitmap_get(d->trackPict + 2);
        if ((d->flags & kDraggyHorizontal) && (d->flags & kDraggyLevelFill) && fill) {
            HDC src = CreateCompatibleDC(win);
            if (src) {
                HGDIOBJ oldSrc = SelectObject(src, fill);
                int upTo = (d->knobRect.left + d->knobRect.right) / 2 - r.left;
                long srcX = std::lround((1.0 - d->h) * w);
                if (upTo > 0) BitBlt(off, 0, 0, upTo, h, src, (int)srcX, 0, SRCCOPY);
                SelectObject(src, oldSrc);
                DeleteDC(src);
            }
        }
        short knob = (short)(d->trackPict + (pressed ? 3 : 1));
        bitmap_drawOffscreen(knob, (short)(d->knobRect.left - r.left), (short)(d->knobRect.top - r.top), off);
        BitBlt(win, r.left, r.top, w, h, off, 0, 0, SRCCOPY);
        SelectObject(off, old);
        DeleteObject(bmp);
    }
    if (off) DeleteDC(off);
    window_freeHDC(g_currentWindow, win);
}

void draggy_draw(short id)
{
    draggyRec* d = draggy_get(id);
    if (!d || !d->obj->visible || !window_getVisible(g_currentWindow)) return;
    draggy_compose(d, 0);
}

void draggy_new(short id, short x, short y, long flags, short trackPict, int, clickProcPtr callback, float h,
                float v)
{
    draggyRec* d = new (std::nothrow) draggyRec();
    if (!d) return;
    clickObjectRec* obj = control_newObject(id, kTypeDraggy);
    if (!obj) {
        delete d;
        return;
    }
    RECT track, knob;
    bitmap_getRect(trackPict, &track);
    bitmap_getRect(trackPict + 1, &knob);
    OffsetRect(&track, x, y);
    d->trackPict = trackPict;
    d->trackRight = (short)track.right;
    d->trackBottom = (short)track.bottom;
    d->halfKnobW = (short)(knob.right / 2);
    d->halfKnobH = (short)(knob.bottom / 2);
    d->flags = flags;
    d->lastPos.h = (short)((track.left + track.right) / 2);
    d->lastPos.v = (short)((track.top + track.bottom) / 2);
    d->one = 1.0f;
    d->mouseScale = draggy_mouseScale;
    d->lag = draggy_lag;
    d->obj = obj;
    d->callback = callback ? callback : emptyClickProc;
    d->h = clamp01(h);
    d->v = clamp01(v);
    obj->rect = track;  // the knob's place is in the track
    draggy_placeKnob(d);
    control_attach(obj, kTypeDraggy, track, d, draggy_process, draggy_draw, !(flags & kDraggyHidden), 1);
    panel_autoAddObject(id);
}

void draggy_delete(short id) { control_delete(id, kTypeDraggy); }

void draggy_setVal(short id, float h, float v)
{
    draggyRec* d = draggy_get(id);
    if (!d) return;
    d->h = clamp01(h);
    d->v = clamp01(v);
    draggy_placeKnob(d);
    draggy_draw(id);
    if (!(d->flags & kDraggyWholeTrack)) draggy_updateZone(d);
}

float draggy_getValH(short id)
{
    draggyRec* d = draggy_get(id);
    return d ? (float)d->h : 0.0f;
}

float draggy_getValV(short id)
{
    draggyRec* d = draggy_get(id);
    return d ? (float)d->v : 0.0f;
}

// The vertical value takes the previous horizontal one, as callers of this
// form of the setter have always relied on.
void draggy_setValH(short id, float h) { draggy_setVal(id, h, draggy_getValH(id)); }

void draggy_show(short id, int show) { control_show(id, kTypeDraggy, show); }

void draggy_move(short id, short x, short y) { control_move(id, kTypeDraggy, x, y); }

// The zone follows, so a draggy disabled (its zone gone with a new value)
// can be dragged again once enabled.
void draggy_enable(short id, int enable) { control_enable(id, kTypeDraggy, enable); }

// ---- the drag ---------------------------------------------------------------------------

struct draggyDragRec {
    draggyRec* d;
    travelRec t;
    double scale;
    double hStart, vStart, hTarget, vTarget;
    zPoint start;
    zPoint prev;              // the pointer at the round before
    double hTravel, vTravel;  // pixels moved since the press, a tenth of each while Shift is held
};

// One shown value a lag's share closer to its target.
static double approach(double shown, double target, double lag)
{
    shown += lag * (target - shown);
    if (std::fabs(target - shown) < 0.001) shown = target;
    return clamp01(shown);
}

static int draggy_dragStep(short id, trackStateRec* s, void* arg)
{
    draggyDragRec* g = (draggyDragRec*)arg;
    draggyRec* d = g->d;
    int moved = s->round == 0 ? (s->pt.h != g->start.h || s->pt.v != g->start.v)
                              : (s->pt.h != s->last.h || s->pt.v != s->last.v);
    if (!moved && d->h == g->hTarget && d->v == g->vTarget) return 1;
    double share = toolkit_fineDrag() ? 0.1 : 1.0;
    g->hTravel += (s->pt.h - g->prev.h) * share;
    g->vTravel += (g->prev.v - s->pt.v) * share;
    g->prev = s->pt;
    if (!(d->flags & kDraggyVertical)) g->hTarget = clamp01(g->hStart + g->hTravel * g->scale);
    if (!(d->flags & kDraggyHorizontal)) g->vTarget = clamp01(g->vStart + g->vTravel * g->scale);
    d->h = approach(d->h, g->hTarget, d->lag);
    d->v = approach(d->v, g->vTarget, d->lag);
    draggy_placeKnob(d);
    if (d->obj->visible && window_getVisible(g_currentWindow))
        draggy_compose(d, (d->flags & kDraggyPressedKnob) != 0);
    d->callback(id);
    mouse_setDragging();
    d->lastPos = s->pt;
    return 1;
}

void draggy_process(short id)
{
    draggyRec* d = draggy_get(id);
    if (!d || !d->obj->enabled || g_mouse.state != kMousePressed) return;
    draggyDragRec g;
    g.d = d;
    g.t = draggy_travel(d);
    double tx = g.t.xmax - g.t.xmin, ty = g.t.ymax - g.t.ymin;
    double travel = (d->flags & kDraggyVertical) ? ty : tx;
    g.scale = travel * d->mouseScale != 0 ? 1.0 / (travel * d->mouseScale) : 0.0;
    if ((d->flags & kDraggyPressedKnob) && d->obj->visible) draggy_compose(d, 1);
    if (d->flags & kDraggyHideCursor) showCursor(0);
    mouse_getPos(&g.start);
    if (d->flags & kDraggyJump) {
        if (!(d->flags & kDraggyVertical) && tx > 0) d->h = clamp01((g.start.h - g.t.xmin) / tx);
        if (!(d->flags & kDraggyHorizontal) && ty > 0) d->v = clamp01((g.t.ymax - g.start.v) / ty);
        g.start.v = (short)(g.start.v - 1);  // so that the first round redraws
    }
    g.hStart = g.hTarget = d->h;
    g.vStart = g.vTarget = d->v;
    g.prev = g.start;
    g.hTravel = g.vTravel = 0;
    d->callback(id);
    control_track(id, 16, draggy_dragStep, &g);
    d = draggy_get(id);  // the callbacks may have deleted the control
    if (!d) return;
    if (d->obj->visible && window_getVisible(g_currentWindow)) draggy_compose(d, 0);
    resetClicks();
    d->callback(id);
    if (d->flags & kDraggySpring) draggy_setVal(id, 0.5f, 0.5f);
    if (d->flags & kDraggyHideCursor) showCursor(1);
    if (!(d->flags & kDraggyWholeTrack)) draggy_updateZone(d);
}

// A notch moves the knob a hundredth of its travel along its axis (the
// vertical one of a two-way draggy); a draggy that springs back has nothing
// to keep, so the wheel leaves it.
void draggy_wheel(short id, int notches)
{
    draggyRec* d = draggy_get(id);
    if (!d || !notches || (d->flags & kDraggySpring)) return;
    double step = 0.01 * notches;
    if (d->flags & kDraggyHorizontal)
        d->h = clamp01(d->h + step);
    else
        d->v = clamp01(d->v + step);
    draggy_placeKnob(d);
    if (d->obj->visible && window_getVisible(g_currentWindow)) draggy_compose(d, 0);
    if (!(d->flags & kDraggyWholeTrack)) draggy_updateZone(d);
    d->callback(id);
}
