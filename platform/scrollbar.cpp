// The scroll bar control (class "SCROLLBAR", SBS_HORZ or SBS_VERT): arrows,
// page areas and a thumb; it reports WM_HSCROLL / WM_VSCROLL with the SB_
// codes to its parent, repeats while an arrow or page area is held, and
// moves only when the parent sets its position.
#include "platform/internal.h"
#include <algorithm>

namespace plat {

struct ScrollData : ControlData {
    int minPos = 0, maxPos = 100, page = 0, pos = 0, trackPos = 0;
    int pressed = -1;  // SB_ code held down, or SB_THUMBTRACK while dragging
    int grab = 0;
};
static const UINT_PTR kRepeatTimer = 0x5C01;

static ScrollData* scrollData(HWND h)
{
    WindowRec* w = win(h);
    return w ? dynamic_cast<ScrollData*>(w->ctrl.get()) : nullptr;
}

struct ScrollGeom {
    bool vert;
    int len, arrow, thumbPos, thumbLen;
};

static ScrollGeom geometry(HWND h, ScrollData* d, int pos)
{
    WindowRec* w = win(h);
    RECT r;
    GetClientRect(h, &r);
    ScrollGeom g;
    g.vert = (w->style & SBS_VERT) != 0;
    g.len = g.vert ? r.bottom : r.right;
    int thick = g.vert ? r.right : r.bottom;
    g.arrow = std::min(thick, g.len / 2);
    int span = std::max(0, g.len - 2 * g.arrow);
    int range = std::max(1, d->maxPos - d->minPos + 1);
    g.thumbLen = d->page > 0 ? std::max(8, span * d->page / range) : std::min(span, std::max(8, thick));
    g.thumbLen = std::min(g.thumbLen, span);
    int travel = std::max(1, d->maxPos - d->minPos - std::max(0, d->page - 1));
    g.thumbPos =
        g.arrow + (span - g.thumbLen) * (std::max(d->minPos, std::min(pos, d->maxPos)) - d->minPos) / travel;
    return g;
}

static int partAt(HWND h, ScrollData* d, int x, int y)
{
    ScrollGeom g = geometry(h, d, d->pos);
    int v = g.vert ? y : x;
    if (v < g.arrow) return SB_LINEUP;
    if (v >= g.len - g.arrow) return SB_LINEDOWN;
    if (v < g.thumbPos) return SB_PAGEUP;
    if (v >= g.thumbPos + g.thumbLen) return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

static void report(HWND h, int code, int pos)
{
    WindowRec* w = win(h);
    if (!w) return;
    UINT msg = (w->style & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    SendMessageA(w->parent, msg,
                 MAKEWPARAM(code, (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) ? pos : 0), (LPARAM)h);
}

static void paintScroll(HWND h, ScrollData* d)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(h, &ps);
    DCRec* dc = dcOf(hdc);
    RECT r;
    GetClientRect(h, &r);
    FillRect(hdc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
    ScrollGeom g = geometry(h, d, d->pressed == SB_THUMBTRACK ? d->trackPos : d->pos);
    auto part = [&](int a, int b) { return g.vert ? RECT{0, a, r.right, b} : RECT{a, 0, b, r.bottom}; };
    RECT parts[3] = {part(0, g.arrow), part(g.len - g.arrow, g.len),
                     part(g.thumbPos, g.thumbPos + g.thumbLen)};
    for (int i = 0; i < 3; i++) {
        FillRect(hdc, &parts[i], GetSysColorBrush(COLOR_BTNFACE));
        draw3dRect(dc, parts[i],
                   (i == 0 && d->pressed == SB_LINEUP) || (i == 1 && d->pressed == SB_LINEDOWN));
    }
    cairo_t* cr = dcCairo(dc);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (int i = 0; i < 2; i++) {
        double cx = (parts[i].left + parts[i].right) / 2.0, cy = (parts[i].top + parts[i].bottom) / 2.0,
               s = 3.5;
        double dir = i == 0 ? -1 : 1;
        if (g.vert) {
            cairo_move_to(cr, cx - s, cy - dir * s / 2);
            cairo_line_to(cr, cx + s, cy - dir * s / 2);
            cairo_line_to(cr, cx, cy + dir * s / 2);
        } else {
            cairo_move_to(cr, cx - dir * s / 2, cy - s);
            cairo_line_to(cr, cx - dir * s / 2, cy + s);
            cairo_line_to(cr, cx + dir * s / 2, cy);
        }
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    EndPaint(h, &ps);
}

static int thumbToPos(HWND h, ScrollData* d, int v)
{
    ScrollGeom g = geometry(h, d, d->pos);
    int span = std::max(1, g.len - 2 * g.arrow - g.thumbLen);
    int travel = d->maxPos - d->minPos - std::max(0, d->page - 1);
    int p = d->minPos + (int)((int64_t)(v - d->grab - g.arrow) * travel / span);
    return std::max(d->minPos, std::min(p, d->minPos + std::max(0, travel)));
}

static void setPos(HWND h, ScrollData* d, int pos, bool redraw)
{
    int top = d->maxPos - std::max(0, d->page - 1);
    d->pos = std::max(d->minPos, std::min(pos, std::max(d->minPos, top)));
    if (redraw) InvalidateRect(h, nullptr, FALSE);
}

LRESULT scrollbarProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRec* w = win(h);
    if (!w) return 0;
    if (!w->ctrl) w->ctrl = std::make_unique<ScrollData>();
    ScrollData* d = scrollData(h);
    switch (msg) {
    case WM_PAINT: paintScroll(h, d); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
        d->pressed = partAt(h, d, x, y);
        SetCapture(h);
        if (d->pressed == SB_THUMBTRACK) {
            ScrollGeom g = geometry(h, d, d->pos);
            d->grab = (g.vert ? y : x) - g.thumbPos;
            d->trackPos = d->pos;
        } else {
            report(h, d->pressed, 0);
            SetTimer(h, kRepeatTimer, 350, nullptr);
        }
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (d->pressed == SB_THUMBTRACK) {
            ScrollGeom g = geometry(h, d, d->pos);
            int p = thumbToPos(h, d, g.vert ? GET_Y_LPARAM(lp) : GET_X_LPARAM(lp));
            if (p != d->trackPos) {
                d->trackPos = p;
                InvalidateRect(h, nullptr, FALSE);
                report(h, SB_THUMBTRACK, p);
            }
        }
        return 0;
    case WM_TIMER:
        if (wp == kRepeatTimer && d->pressed >= 0 && d->pressed != SB_THUMBTRACK) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(h, &p);
            // Repeats only while the pointer is on the pressed part, not merely level with it.
            RECT r;
            GetClientRect(h, &r);
            if (PtInRect(&r, p) && partAt(h, d, p.x, p.y) == d->pressed) report(h, d->pressed, 0);
            SetTimer(h, kRepeatTimer, 50, nullptr);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
        int was = d->pressed;
        if (was < 0) return 0;
        d->pressed = -1;
        KillTimer(h, kRepeatTimer);
        if (msg == WM_LBUTTONUP && GetCapture() == h) ReleaseCapture();
        if (was == SB_THUMBTRACK) report(h, SB_THUMBPOSITION, d->trackPos);
        report(h, SB_ENDSCROLL, 0);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case SBM_SETPOS: {
        int old = d->pos;
        setPos(h, d, (int)wp, lp != 0);
        return old;
    }
    case SBM_GETPOS: return d->pos;
    case SBM_SETRANGE:
        d->minPos = (int)wp;
        d->maxPos = std::max((int)wp, (int)lp);
        setPos(h, d, d->pos, true);
        return 0;
    case SBM_GETRANGE:
        if (wp) *(int*)wp = d->minPos;
        if (lp) *(int*)lp = d->maxPos;
        return 0;
    case SBM_SETSCROLLINFO: {
        const SCROLLINFO* si = (const SCROLLINFO*)lp;
        if (!si) return d->pos;
        if (si->fMask & SIF_RANGE) {
            d->minPos = si->nMin;
            d->maxPos = std::max(si->nMin, si->nMax);
        }
        if (si->fMask & SIF_PAGE) d->page = (int)std::min<UINT>(si->nPage, (UINT)(d->maxPos - d->minPos + 1));
        setPos(h, d, (si->fMask & SIF_POS) ? si->nPos : d->pos, wp != 0);
        return d->pos;
    }
    case SBM_GETSCROLLINFO: {
        SCROLLINFO* si = (SCROLLINFO*)lp;
        if (!si) return FALSE;
        if (si->fMask & SIF_RANGE) si->nMin = d->minPos, si->nMax = d->maxPos;
        if (si->fMask & SIF_PAGE) si->nPage = (UINT)d->page;
        if (si->fMask & SIF_POS) si->nPos = d->pos;
        if (si->fMask & SIF_TRACKPOS) si->nTrackPos = d->pressed == SB_THUMBTRACK ? d->trackPos : d->pos;
        return TRUE;
    }
    }
    return DefWindowProcA(h, msg, wp, lp);
}

static HWND barControl(HWND hwnd, int bar)
{
    WindowRec* w = win(hwnd);
    return (bar == SB_CTL && w && upperCase(w->cls->name) == "SCROLLBAR") ? hwnd : nullptr;
}

}  // namespace plat

using namespace plat;

// Only scroll bar controls (SB_CTL) exist; windows have no built-in bars.
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    HWND c = barControl(hwnd, bar);
    return c ? (int)SendMessageA(c, SBM_SETPOS, (WPARAM)pos, redraw) : 0;
}

int GetScrollPos(HWND hwnd, int bar)
{
    HWND c = barControl(hwnd, bar);
    return c ? (int)SendMessageA(c, SBM_GETPOS, 0, 0) : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    HWND c = barControl(hwnd, bar);
    if (!c) return FALSE;
    SendMessageA(c, SBM_SETRANGE, (WPARAM)minPos, maxPos);
    if (redraw) InvalidateRect(c, nullptr, FALSE);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos)
{
    HWND c = barControl(hwnd, bar);
    if (!c) return FALSE;
    SendMessageA(c, SBM_GETRANGE, (WPARAM)minPos, (LPARAM)maxPos);
    return TRUE;
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw)
{
    HWND c = barControl(hwnd, bar);
    return c ? (int)SendMessageA(c, SBM_SETSCROLLINFO, redraw, (LPARAM)info) : 0;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    HWND c = barControl(hwnd, bar);
    return c ? (BOOL)SendMessageA(c, SBM_GETSCROLLINFO, 0, (LPARAM)info) : FALSE;
}
