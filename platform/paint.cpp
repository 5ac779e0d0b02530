// Update regions and the device contexts of windows: GetDC/ReleaseDC,
// InvalidateRect/ValidateRect, BeginPaint/EndPaint, UpdateWindow, and the
// choice of the next window that gets WM_PAINT.
#include "platform/internal.h"
#include <cstring>
#include <cstdlib>
#include <algorithm>

namespace plat {
HDC dcCreate(DCKind kind, HWND hwnd, cairo_surface_t* target, POINT origin, cairo_region_t* sysClip);

HDC makeWindowDC(HWND h, DCKind kind, const cairo_region_t* clipClient)
{
    WindowRec* w = win(h);
    if (!w || !w->surface) return nullptr;
    RECT c = clientRectInWindow(w);
    cairo_rectangle_int_t cr{c.left, c.top, c.right - c.left, c.bottom - c.top};
    cairo_region_t* clip = cairo_region_create_rectangle(&cr);
    if (clipClient) {
        cairo_region_t* r = cairo_region_copy(clipClient);
        cairo_region_translate(r, c.left, c.top);
        cairo_region_intersect(clip, r);
        cairo_region_destroy(r);
    }
    return dcCreate(kind, h, w->surface, POINT{c.left, c.top}, clip);
}

void invalidateClient(HWND h, const RECT* r, bool erase)
{
    WindowRec* w = win(h);
    if (!w) return;
    RECT c = clientRectInWindow(w);
    RECT area{0, 0, c.right - c.left, c.bottom - c.top};
    if (r) IntersectRect(&area, &area, r);
    if (IsRectEmpty(&area)) return;
    if (!w->update) w->update = cairo_region_create();
    cairo_rectangle_int_t cr{area.left, area.top, area.right - area.left, area.bottom - area.top};
    cairo_region_union_rectangle(w->update, &cr);
    if (erase) w->eraseBg = true;
}

bool hasUpdate(HWND h)
{
    WindowRec* w = win(h);
    return w && w->update && !cairo_region_is_empty(w->update);
}

void validateAll(HWND h)
{
    WindowRec* w = win(h);
    if (!w) return;
    if (w->update) cairo_region_destroy(w->update);
    w->update = nullptr;
    w->eraseBg = false;
}

static HWND findIn(HWND h, HWND filter)
{
    WindowRec* w = win(h);
    if (!w || !(w->style & WS_VISIBLE) || (isTopLevel(w) && w->minimized)) return nullptr;
    if ((!filter || filter == h) && hasUpdate(h)) return h;
    for (HWND c : w->children)
        if (HWND f = findIn(c, filter)) return f;
    return nullptr;
}

HWND findWindowToPaint(HWND filter)
{
    for (HWND t : st().topLevels)
        if (HWND f = findIn(t, filter)) return f;
    return nullptr;
}

}  // namespace plat

using namespace plat;

HDC GetDC(HWND hwnd)
{
    State& s = st();
    if (!hwnd) {
        if (!s.screen) return nullptr;
        cairo_rectangle_int_t r{0, 0, s.screenW, s.screenH};
        return dcCreate(DC_SCREEN, nullptr, s.screen, POINT{0, 0}, cairo_region_create_rectangle(&r));
    }
    return makeWindowDC(hwnd, DC_WINDOW, nullptr);
}

int ReleaseDC(HWND, HDC hdc)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || dc->kind == DC_MEMORY) return 0;
    return DeleteDC(hdc) ? 1 : 0;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    WindowRec* w = win(hwnd);
    if (!w || !ps) return nullptr;
    cairo_region_t* rgn = w->update ? cairo_region_copy(w->update) : cairo_region_create();
    bool erase = w->eraseBg;
    validateAll(hwnd);
    HDC dc = makeWindowDC(hwnd, DC_PAINT, rgn);
    cairo_rectangle_int_t ext;
    cairo_region_get_extents(rgn, &ext);
    cairo_region_destroy(rgn);
    memset(ps, 0, sizeof *ps);
    ps->hdc = dc;
    ps->rcPaint = RECT{ext.x, ext.y, ext.x + ext.width, ext.y + ext.height};
    ps->fErase = FALSE;
    if (erase && dc) ps->fErase = SendMessageA(hwnd, WM_ERASEBKGND, (WPARAM)dc, 0) ? FALSE : TRUE;
    return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* ps)
{
    if (!ps) return FALSE;
    DeleteDC(ps->hdc);
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    if (!hwnd) {
        for (auto& w : st().windows)
            invalidateClient(w.first ? w.second->handle : nullptr, nullptr, erase != 0);
        return TRUE;
    }
    if (!win(hwnd)) return FALSE;
    invalidateClient(hwnd, rect, erase != 0);
    return TRUE;
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase)
{
    GdiObj* o = gdiOf(rgn);
    if (!o || o->kind != GDI_REGION) return InvalidateRect(hwnd, nullptr, erase);
    int n = cairo_region_num_rectangles(o->region.region);
    for (int i = 0; i < n; i++) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(o->region.region, i, &r);
        RECT rr{r.x, r.y, r.x + r.width, r.y + r.height};
        InvalidateRect(hwnd, &rr, erase);
    }
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    WindowRec* w = win(hwnd);
    if (!w) return FALSE;
    if (!rect) {
        validateAll(hwnd);
        return TRUE;
    }
    if (w->update) {
        cairo_rectangle_int_t r{rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top};
        if (r.width > 0 && r.height > 0) cairo_region_subtract_rectangle(w->update, &r);
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL)
{
    WindowRec* w = win(hwnd);
    if (!w) return FALSE;
    bool any = hasUpdate(hwnd);
    if (rect) {
        *rect = RECT{0, 0, 0, 0};
        if (any) {
            cairo_rectangle_int_t e;
            cairo_region_get_extents(w->update, &e);
            *rect = RECT{e.x, e.y, e.x + e.width, e.y + e.height};
        }
    }
    return any ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd)
{
    if (!win(hwnd)) return FALSE;
    if (hasUpdate(hwnd) && isReallyVisible(hwnd)) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
        if (hasUpdate(hwnd)) validateAll(hwnd);
    }
    return TRUE;
}
