// The compositor: draws the desktop, every visible top-level window with its
// children in z-order (each from its own backing surface) onto the screen
// surface, limited to the damaged area, and hands that to the presenter.
#include "platform/internal.h"

namespace plat {

void composeWindowInto(cairo_t* cr, HWND h, int ox, int oy)
{
    WindowRec* w = win(h);
    if (!w || !w->surface) return;
    if (w->ncDirty) ncPaint(h);
    int ww = w->rect.right - w->rect.left, wh = w->rect.bottom - w->rect.top;
    if (ww <= 0 || wh <= 0) return;
    cairo_set_source_surface(cr, w->surface, ox, oy);
    cairo_rectangle(cr, ox, oy, ww, wh);
    cairo_fill(cr);
    if (w->children.empty()) return;
    RECT c = clientRectInWindow(w);
    cairo_save(cr);
    cairo_rectangle(cr, ox + c.left, oy + c.top, c.right - c.left, c.bottom - c.top);
    cairo_clip(cr);
    std::vector<HWND> kids = w->children;
    for (HWND k : kids) {
        WindowRec* cw = win(k);
        if (!cw || !(cw->style & WS_VISIBLE)) continue;
        composeWindowInto(cr, k, ox + c.left + cw->rect.left, oy + c.top + cw->rect.top);
    }
    cairo_restore(cr);
}

void screenResize(int w, int h)
{
    State& s = st();
    if (w < 1 || h < 1 || w > 8192 || h > 8192) return;
    if (s.screen) cairo_surface_destroy(s.screen);
    s.screen = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    s.screenW = w;
    s.screenH = h;
    if (s.damage) cairo_region_destroy(s.damage);
    cairo_rectangle_int_t all{0, 0, w, h};
    s.damage = cairo_region_create_rectangle(&all);
}

int presentDueIn()
{
    State& s = st();
    if (!s.running || !s.screen || !s.damage || cairo_region_is_empty(s.damage)) return -1;
    DWORD since = nowTicks() - s.lastPresent;
    return since >= kFrameMs ? 0 : (int)(kFrameMs - since);
}

void presentIfDue()
{
    if (presentDueIn() == 0) platform_composeAndPresent(0);
}

}  // namespace plat

using namespace plat;

int platform_composeAndPresent(int full)
{
    State& s = st();
    if (!s.running || !s.screen) return 0;
    if (full) {
        cairo_rectangle_int_t all{0, 0, s.screenW, s.screenH};
        cairo_region_union_rectangle(s.damage, &all);
    }
    cairo_rectangle_int_t bounds{0, 0, s.screenW, s.screenH};
    cairo_region_intersect_rectangle(s.damage, &bounds);
    if (cairo_region_is_empty(s.damage)) return 0;
    cairo_t* cr = cairo_create(s.screen);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    int n = cairo_region_num_rectangles(s.damage);
    for (int i = 0; i < n; i++) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(s.damage, i, &r);
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
    }
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 58 / 255.0, 110 / 255.0, 165 / 255.0);
    cairo_paint(cr);
    std::vector<HWND> tops = s.topLevels;
    for (HWND h : tops) {
        WindowRec* w = win(h);
        if (!w || !(w->style & WS_VISIBLE) || w->minimized) continue;
        composeWindowInto(cr, h, w->rect.left, w->rect.top);
    }
    cairo_destroy(cr);
    cairo_surface_flush(s.screen);
    s.presenter->present(s.screen, s.damage);
    cairo_region_destroy(s.damage);
    s.damage = cairo_region_create();
    s.composeSerial++;
    s.lastPresent = nowTicks();
    return 1;
}

cairo_surface_t* platform_screenSurface(void) { return st().screen; }

int platform_saveScreenPNG(const char* path)
{
    if (!st().running || !path) return 0;
    platform_composeAndPresent(0);
    return cairo_surface_write_to_png(st().screen, path) == CAIRO_STATUS_SUCCESS ? 1 : 0;
}

int platform_saveWindowPNG(HWND hwnd, const char* path)
{
    WindowRec* w = win(hwnd);
    if (!w || !path) return 0;
    int ww = w->rect.right - w->rect.left, wh = w->rect.bottom - w->rect.top;
    if (ww <= 0 || wh <= 0) return 0;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, ww, wh);
    cairo_t* cr = cairo_create(s);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    composeWindowInto(cr, hwnd, 0, 0);
    cairo_destroy(cr);
    int ok = cairo_surface_write_to_png(s, path) == CAIRO_STATUS_SUCCESS ? 1 : 0;
    cairo_surface_destroy(s);
    return ok;
}
