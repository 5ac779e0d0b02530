// Drawing primitives: rectangles, lines, polylines, polygons and pixels,
// with the classic pixel rules (a line leaves out its last point, a
// rectangle's right and bottom edges are outside it).
#include "platform/internal.h"
#include <algorithm>
#include <cmath>

namespace plat {

Pixels pixelsOf(cairo_surface_t* s)
{
    Pixels p;
    if (!s) return p;
    cairo_surface_flush(s);
    p.data = (uint32_t*)cairo_image_surface_get_data(s);
    p.stride = cairo_image_surface_get_stride(s) / 4;
    p.width = cairo_image_surface_get_width(s);
    p.height = cairo_image_surface_get_height(s);
    return p;
}

std::vector<RECT> clipRects(DCRec* dc)
{
    std::vector<RECT> v;
    const cairo_region_t* c = dcClip(dc);
    int n = cairo_region_num_rectangles(c);
    for (int i = 0; i < n; i++) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(c, i, &r);
        v.push_back(RECT{r.x, r.y, r.x + r.width, r.y + r.height});
    }
    return v;
}

uint32_t pixelForTarget(DCRec* dc, uint32_t pixel)
{
    BitmapRec* b = dc->kind == DC_MEMORY ? dcBitmap(dc) : nullptr;
    if (!b || !b->mono) return pixel & 0xFFFFFF;
    int lum = (int)(((pixel >> 16) & 0xFF) * 30 + ((pixel >> 8) & 0xFF) * 59 + (pixel & 0xFF) * 11) / 100;
    return lum >= 128 ? 0xFFFFFF : 0;
}

void fillDeviceRect(DCRec* dc, RECT dev, uint32_t pixel)
{
    if (!dc->target) return;
    pixel = pixelForTarget(dc, pixel);
    Pixels p = pixelsOf(dc->target);
    for (const RECT& c : clipRects(dc)) {
        RECT r;
        if (!IntersectRect(&r, &dev, &c)) continue;
        for (int y = r.top; y < r.bottom; y++)
            std::fill(p.data + (size_t)y * p.stride + r.left, p.data + (size_t)y * p.stride + r.right, pixel);
    }
    cairo_surface_mark_dirty(dc->target);
    dcTouch(dc);
}

static GdiObj* penOf(DCRec* dc)
{
    GdiObj* o = gdiOf(dc->s.pen);
    return o && o->kind == GDI_PEN && o->pen.style != PS_NULL ? o : nullptr;
}

static bool dashOn(int style, int step)
{
    switch (style) {
    case PS_DASH: return step % 24 < 18;
    case PS_DOT: return step % 6 < 3;
    case PS_DASHDOT: {
        int k = step % 24;
        return k < 9 || (k >= 15 && k < 18);
    }
    }
    return true;
}

// One pen stroke from (x0,y0) to (x1,y1), logical coords, last point left out.
static void strokeLine(DCRec* dc, int x0, int y0, int x1, int y1)
{
    GdiObj* pen = penOf(dc);
    if (!pen || !dc->target) return;
    if (pen->pen.width > 1) {
        cairo_t* cr = dcCairo(dc);
        uint32_t px = pixelForTarget(dc, colorToPixel(pen->pen.color));
        cairo_set_source_rgb(cr, ((px >> 16) & 0xFF) / 255.0, ((px >> 8) & 0xFF) / 255.0,
                             (px & 0xFF) / 255.0);
        cairo_set_line_width(cr, pen->pen.width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, x0 + 0.5, y0 + 0.5);
        cairo_line_to(cr, x1 + 0.5, y1 + 0.5);
        cairo_stroke(cr);
        cairo_destroy(cr);
        return;
    }
    uint32_t px = pixelForTarget(dc, colorToPixel(pen->pen.color));
    std::vector<RECT> clips = clipRects(dc);
    Pixels p = pixelsOf(dc->target);
    POINT a = dcToDevice(dc, x0, y0), b = dcToDevice(dc, x1, y1);
    int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx + dy, x = a.x, y = a.y, step = 0;
    while (x != b.x || y != b.y) {
        if (dashOn(pen->pen.style, step++)) {
            for (const RECT& c : clips)
                if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) {
                    p.data[(size_t)y * p.stride + x] = px;
                    break;
                }
        }
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    cairo_surface_mark_dirty(dc->target);
    dcTouch(dc);
}

static void fillPath(DCRec* dc, const POINT* pts, int count)
{
    bool isNull;
    COLORREF c = brushColor((HBRUSH)dc->s.brush, &isNull);
    if (isNull || count < 3) return;
    cairo_t* cr = dcCairo(dc);
    if (!cr) return;
    uint32_t px = pixelForTarget(dc, colorToPixel(c));
    cairo_set_source_rgb(cr, ((px >> 16) & 0xFF) / 255.0, ((px >> 8) & 0xFF) / 255.0, (px & 0xFF) / 255.0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (int i = 1; i < count; i++) cairo_line_to(cr, pts[i].x, pts[i].y);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_destroy(cr);
}

static RECT toDevice(DCRec* dc, const RECT& r)
{
    POINT a = dcToDevice(dc, r.left, r.top), b = dcToDevice(dc, r.right, r.bottom);
    return RECT{a.x, a.y, b.x, b.y};
}

}  // namespace plat

using namespace plat;

int FillRect(HDC hdc, const RECT* r, HBRUSH brush)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !r) return 0;
    bool isNull;
    COLORREF c = brushColor(brush, &isNull);
    if (isNull) return 1;
    fillDeviceRect(dc, toDevice(dc, *r), colorToPixel(c));
    return 1;
}

int FrameRect(HDC hdc, const RECT* r, HBRUSH brush)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !r || r->right <= r->left || r->bottom <= r->top) return 0;
    bool isNull;
    COLORREF c = brushColor(brush, &isNull);
    if (isNull) return 1;
    RECT d = toDevice(dc, *r);
    uint32_t px = colorToPixel(c);
    fillDeviceRect(dc, RECT{d.left, d.top, d.right, d.top + 1}, px);
    fillDeviceRect(dc, RECT{d.left, d.bottom - 1, d.right, d.bottom}, px);
    fillDeviceRect(dc, RECT{d.left, d.top, d.left + 1, d.bottom}, px);
    fillDeviceRect(dc, RECT{d.right - 1, d.top, d.right, d.bottom}, px);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* r)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !r || !dc->target) return FALSE;
    RECT d = toDevice(dc, *r);
    Pixels p = pixelsOf(dc->target);
    for (const RECT& c : clipRects(dc)) {
        RECT x;
        if (!IntersectRect(&x, &d, &c)) continue;
        for (int y = x.top; y < x.bottom; y++)
            for (int i = x.left; i < x.right; i++) p.data[(size_t)y * p.stride + i] ^= 0xFFFFFF;
    }
    cairo_surface_mark_dirty(dc->target);
    dcTouch(dc);
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return FALSE;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    GdiObj* pen = penOf(dc);
    int w = pen ? pen->pen.width : 0;
    bool isNull;
    COLORREF bc = brushColor((HBRUSH)dc->s.brush, &isNull);
    if (!pen) {
        if (!isNull)
            fillDeviceRect(dc, toDevice(dc, RECT{left, top, right - 1, bottom - 1}), colorToPixel(bc));
        return TRUE;
    }
    if (!isNull)
        fillDeviceRect(dc, toDevice(dc, RECT{left + w, top + w, right - w, bottom - w}), colorToPixel(bc));
    if (w == 1 && pen->pen.style != PS_SOLID) {
        strokeLine(dc, left, top, right - 1, top);
        strokeLine(dc, right - 1, top, right - 1, bottom - 1);
        strokeLine(dc, right - 1, bottom - 1, left, bottom - 1);
        strokeLine(dc, left, bottom - 1, left, top);
        return TRUE;
    }
    uint32_t px = colorToPixel(pen->pen.color);
    fillDeviceRect(dc, toDevice(dc, RECT{left, top, right, top + w}), px);
    fillDeviceRect(dc, toDevice(dc, RECT{left, bottom - w, right, bottom}), px);
    fillDeviceRect(dc, toDevice(dc, RECT{left, top, left + w, bottom}), px);
    fillDeviceRect(dc, toDevice(dc, RECT{right - w, top, right, bottom}), px);
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return FALSE;
    if (old) *old = dc->s.curPos;
    dc->s.curPos = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return FALSE;
    strokeLine(dc, dc->s.curPos.x, dc->s.curPos.y, x, y);
    dc->s.curPos = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* pts, int count)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !pts || count < 2) return FALSE;
    for (int i = 1; i < count; i++) strokeLine(dc, pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y);
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* pts, int count)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !pts || count < 2) return FALSE;
    fillPath(dc, pts, count);
    for (int i = 0; i < count; i++) {
        const POINT& a = pts[i];
        const POINT& b = pts[(i + 1) % count];
        strokeLine(dc, a.x, a.y, b.x, b.y);
    }
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !dc->target) return CLR_INVALID;
    POINT d = dcToDevice(dc, x, y);
    if (!cairo_region_contains_point(dcClip(dc), d.x, d.y)) return CLR_INVALID;
    Pixels p = pixelsOf(dc->target);
    uint32_t px = pixelForTarget(dc, colorToPixel(color));
    p.data[(size_t)d.y * p.stride + d.x] = px;
    cairo_surface_mark_dirty(dc->target);
    dcTouch(dc);
    return pixelToColor(px);
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !dc->target) return CLR_INVALID;
    POINT d = dcToDevice(dc, x, y);
    if (!cairo_region_contains_point(dcClip(dc), d.x, d.y)) return CLR_INVALID;
    Pixels p = pixelsOf(dc->target);
    return pixelToColor(p.data[(size_t)d.y * p.stride + d.x]);
}
