// GDI objects: pens, brushes, bitmaps (colour and monochrome), regions,
// stock objects and system colours; creation, deletion and description.
#include "platform/internal.h"
#include <algorithm>
#include <cstring>

namespace plat {

GdiObj* gdiOf(HGDIOBJ h)
{
    if (!h) return nullptr;
    auto& m = st().gdi;
    auto it = m.find(fromHandle(h));
    return it == m.end() ? nullptr : it->second.get();
}

HGDIOBJ newGdi(std::unique_ptr<GdiObj> o)
{
    if (!st().running) return nullptr;
    HGDIOBJ h = toHandle<HGDIOBJ>(newHandleId());
    st().gdi[fromHandle(h)] = std::move(o);
    return h;
}

uint32_t colorToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
COLORREF pixelToColor(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

static const COLORREF sysColors[] = {
    RGB(200, 200, 200), RGB(58, 110, 165),  RGB(44, 92, 140),   RGB(150, 160, 172), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(180, 180, 180), RGB(180, 180, 180), RGB(171, 171, 171), RGB(51, 120, 200),  RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(232, 232, 232),
    RGB(255, 255, 255)};
static const int sysColorCount = sizeof sysColors / sizeof sysColors[0];

COLORREF brushColor(HBRUSH b, bool* isNull)
{
    *isNull = false;
    uintptr_t v = fromHandle(b);
    if (v >= 1 && v <= (uintptr_t)sysColorCount) return sysColors[v - 1];
    GdiObj* o = gdiOf(b);
    if (!o || o->kind != GDI_BRUSH || o->brush.style == BS_NULL) {
        *isNull = true;
        return 0;
    }
    return o->brush.color;
}

HBITMAP newBitmap(int w, int h, bool mono)
{
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return nullptr;
    auto o = std::make_unique<GdiObj>();
    o->kind = GDI_BITMAP;
    o->bitmap.surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    if (cairo_surface_status(o->bitmap.surface) != CAIRO_STATUS_SUCCESS) return nullptr;
    o->bitmap.width = w;
    o->bitmap.height = h;
    o->bitmap.mono = mono;
    cairo_surface_flush(o->bitmap.surface);
    memset(cairo_image_surface_get_data(o->bitmap.surface), 0,
           (size_t)cairo_image_surface_get_stride(o->bitmap.surface) * h);
    cairo_surface_mark_dirty(o->bitmap.surface);
    return (HBITMAP)newGdi(std::move(o));
}

static HGDIOBJ stockPen(int style, COLORREF c)
{
    auto o = std::make_unique<GdiObj>();
    o->kind = GDI_PEN;
    o->stock = true;
    o->pen = PenRec{style, 1, c};
    return newGdi(std::move(o));
}

static HGDIOBJ stockBrush(int style, COLORREF c)
{
    auto o = std::make_unique<GdiObj>();
    o->kind = GDI_BRUSH;
    o->stock = true;
    o->brush = BrushRec{style, c};
    return newGdi(std::move(o));
}

static HGDIOBJ stockFont(int height, int weight, const char* face)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    snprintf(lf.lfFaceName, LF_FACESIZE, "%s", face);
    HGDIOBJ h = CreateFontIndirectA(&lf);
    if (GdiObj* o = gdiOf(h)) o->stock = true;
    return h;
}

void gdiInitStock()
{
    State& s = st();
    s.stock[WHITE_BRUSH] = stockBrush(BS_SOLID, RGB(255, 255, 255));
    s.stock[LTGRAY_BRUSH] = stockBrush(BS_SOLID, RGB(192, 192, 192));
    s.stock[GRAY_BRUSH] = stockBrush(BS_SOLID, RGB(128, 128, 128));
    s.stock[DKGRAY_BRUSH] = stockBrush(BS_SOLID, RGB(64, 64, 64));
    s.stock[BLACK_BRUSH] = stockBrush(BS_SOLID, RGB(0, 0, 0));
    s.stock[NULL_BRUSH] = stockBrush(BS_NULL, 0);
    s.stock[WHITE_PEN] = stockPen(PS_SOLID, RGB(255, 255, 255));
    s.stock[BLACK_PEN] = stockPen(PS_SOLID, RGB(0, 0, 0));
    s.stock[NULL_PEN] = stockPen(PS_NULL, 0);
    s.stock[OEM_FIXED_FONT] = stockFont(-13, FW_NORMAL, "Courier New");
    s.stock[ANSI_FIXED_FONT] = stockFont(-13, FW_NORMAL, "Courier New");
    s.stock[ANSI_VAR_FONT] = stockFont(-12, FW_NORMAL, "Arial");
    s.stock[SYSTEM_FONT] = stockFont(16, FW_BOLD, "Arial");
    s.stock[DEVICE_DEFAULT_FONT] = stockFont(16, FW_BOLD, "Arial");
    s.stock[SYSTEM_FIXED_FONT] = stockFont(-13, FW_NORMAL, "Courier New");
    s.stock[DEFAULT_GUI_FONT] = stockFont(-12, FW_NORMAL, "Arial");
    // Slot 15: the 1 x 1 monochrome bitmap every new memory DC starts with.
    s.stock[15] = newBitmap(1, 1, true);
    gdiOf(s.stock[15])->stock = true;
}

}  // namespace plat

using namespace plat;

HGDIOBJ GetStockObject(int index)
{
    if (index < 0 || index >= 20 || index == 15) return nullptr;
    return st().stock[index];
}

BOOL DeleteObject(HGDIOBJ obj)
{
    GdiObj* o = gdiOf(obj);
    if (!o) return FALSE;
    if (o->stock) return TRUE;
    if (o->selectCount > 0) {
        o->deletePending = true;  // freed when the last DC lets go of it
        return TRUE;
    }
    st().gdi.erase(fromHandle(obj));
    return TRUE;
}

int GetObjectA(HGDIOBJ obj, int size, LPVOID out)
{
    GdiObj* o = gdiOf(obj);
    if (!o) return 0;
    switch (o->kind) {
    case GDI_BITMAP: {
        if (!out) return sizeof(BITMAP);
        if (size < (int)sizeof(BITMAP)) return 0;
        BITMAP bm{0,
                  o->bitmap.width,
                  o->bitmap.height,
                  o->bitmap.mono ? ((o->bitmap.width + 15) / 16) * 2 : o->bitmap.width * 4,
                  1,
                  (WORD)(o->bitmap.mono ? 1 : 32),
                  nullptr};
        memcpy(out, &bm, sizeof bm);
        return sizeof bm;
    }
    case GDI_FONT:
        if (!out) return sizeof(LOGFONTA);
        if (size < (int)sizeof(LOGFONTA)) return 0;
        memcpy(out, &o->font->lf, sizeof(LOGFONTA));
        return sizeof(LOGFONTA);
    case GDI_PEN: {
        if (!out) return sizeof(LOGPEN);
        if (size < (int)sizeof(LOGPEN)) return 0;
        LOGPEN lp{(UINT)o->pen.style, POINT{o->pen.width, 0}, o->pen.color};
        memcpy(out, &lp, sizeof lp);
        return sizeof lp;
    }
    case GDI_BRUSH: {
        if (!out) return sizeof(LOGBRUSH);
        if (size < (int)sizeof(LOGBRUSH)) return 0;
        LOGBRUSH lb{(UINT)o->brush.style, o->brush.color, 0};
        memcpy(out, &lb, sizeof lb);
        return sizeof lb;
    }
    default: return 0;
    }
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    auto o = std::make_unique<GdiObj>();
    o->kind = GDI_PEN;
    o->pen = PenRec{style, std::max(1, std::min(width, 256)), color};
    return (HPEN)newGdi(std::move(o));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    auto o = std::make_unique<GdiObj>();
    o->kind = GDI_BRUSH;
    o->brush = BrushRec{BS_SOLID, color & 0xFFFFFF};
    return (HBRUSH)newGdi(std::move(o));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb)
{
    if (!lb) return nullptr;
    if (lb->lbStyle == BS_NULL) {
        auto o = std::make_unique<GdiObj>();
        o->kind = GDI_BRUSH;
        o->brush = BrushRec{BS_NULL, 0};
        return (HBRUSH)newGdi(std::move(o));
    }
    return CreateSolidBrush(lb->lbColor);
}

HBRUSH GetSysColorBrush(int index)
{
    static std::map<int, HGDIOBJ> cache;
    if (index < 0 || index >= sysColorCount) return nullptr;
    HGDIOBJ& h = cache[index];
    if (!gdiOf(h)) {
        auto o = std::make_unique<GdiObj>();
        o->kind = GDI_BRUSH;
        o->stock = true;
        o->brush = BrushRec{BS_SOLID, sysColors[index]};
        h = newGdi(std::move(o));
    }
    return (HBRUSH)h;
}

DWORD GetSysColor(int index) { return (index >= 0 && index < sysColorCount) ? sysColors[index] : 0; }

// A DC holding a monochrome bitmap makes monochrome compatible bitmaps, as
// the classic API does (a fresh memory DC holds a 1 x 1 monochrome bitmap).
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return nullptr;
    if (width <= 0 || height <= 0) return newBitmap(1, 1, true);
    bool mono = dc->kind == DC_MEMORY && dcBitmap(dc) && dcBitmap(dc)->mono;
    return newBitmap(width, height, mono);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bpp, const void* bits)
{
    if (planes != 1 || (bpp != 1 && bpp != 32)) return nullptr;
    HBITMAP h = newBitmap(width, height, bpp == 1);
    GdiObj* o = gdiOf(h);
    if (!o || !bits) return h;
    cairo_surface_t* s = o->bitmap.surface;
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    const unsigned char* src = (const unsigned char*)bits;
    for (int y = 0; y < height; y++) {
        uint32_t* row = (uint32_t*)(data + (size_t)y * stride);
        if (bpp == 1) {
            int rowBytes = ((width + 15) / 16) * 2;
            for (int x = 0; x < width; x++)
                row[x] = (src[(size_t)y * rowBytes + x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFF : 0;
        } else {
            for (int x = 0; x < width; x++) {
                uint32_t v;
                memcpy(&v, src + ((size_t)y * width + x) * 4, 4);
                row[x] = v & 0xFFFFFF;
            }
        }
    }
    cairo_surface_mark_dirty(s);
    return h;
}

HBITMAP LoadBitmapA(HINSTANCE, LPCSTR name)
{
    State& s = st();
    auto it = s.resBitmaps.find(resourceKey(name));
    if (it == s.resBitmaps.end()) return nullptr;
    const BitmapRec& src = it->second;
    HBITMAP h = newBitmap(src.width, src.height, src.mono);
    GdiObj* o = gdiOf(h);
    if (!o) return nullptr;
    cairo_t* cr = cairo_create(o->bitmap.surface);
    cairo_set_source_surface(cr, src.surface, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return h;
}

// ---- regions ---------------------------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    auto o = std::make_unique<GdiObj>();
    o->kind = GDI_REGION;
    cairo_rectangle_int_t r{std::min(left, right), std::min(top, bottom), std::abs(right - left),
                            std::abs(bottom - top)};
    o->region.region = cairo_region_create_rectangle(&r);
    return (HRGN)newGdi(std::move(o));
}

HRGN CreateRectRgnIndirect(const RECT* r)
{
    return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

static cairo_region_t* regionOf(HRGN h)
{
    GdiObj* o = gdiOf(h);
    return o && o->kind == GDI_REGION ? o->region.region : nullptr;
}

static int typeOf(cairo_region_t* r)
{
    int n = cairo_region_num_rectangles(r);
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom)
{
    GdiObj* o = gdiOf(rgn);
    if (!o || o->kind != GDI_REGION) return FALSE;
    cairo_region_destroy(o->region.region);
    cairo_rectangle_int_t r{std::min(left, right), std::min(top, bottom), std::abs(right - left),
                            std::abs(bottom - top)};
    o->region.region = cairo_region_create_rectangle(&r);
    return TRUE;
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode)
{
    GdiObj* d = gdiOf(dst);
    cairo_region_t* ra = regionOf(a);
    cairo_region_t* rb = regionOf(b);
    if (!d || d->kind != GDI_REGION || !ra || (mode != RGN_COPY && !rb)) return ERROR;
    cairo_region_t* r = cairo_region_copy(ra);
    switch (mode) {
    case RGN_AND: cairo_region_intersect(r, rb); break;
    case RGN_OR: cairo_region_union(r, rb); break;
    case RGN_XOR: cairo_region_xor(r, rb); break;
    case RGN_DIFF: cairo_region_subtract(r, rb); break;
    case RGN_COPY: break;
    default: cairo_region_destroy(r); return ERROR;
    }
    cairo_region_destroy(d->region.region);
    d->region.region = r;
    return typeOf(r);
}

int OffsetRgn(HRGN rgn, int dx, int dy)
{
    cairo_region_t* r = regionOf(rgn);
    if (!r) return ERROR;
    cairo_region_translate(r, dx, dy);
    return typeOf(r);
}

int GetRgnBox(HRGN rgn, LPRECT out)
{
    cairo_region_t* r = regionOf(rgn);
    if (!r || !out) return ERROR;
    cairo_rectangle_int_t e;
    cairo_region_get_extents(r, &e);
    *out = RECT{e.x, e.y, e.x + e.width, e.y + e.height};
    return typeOf(r);
}

BOOL PtInRegion(HRGN rgn, int x, int y)
{
    cairo_region_t* r = regionOf(rgn);
    return r && cairo_region_contains_point(r, x, y) ? TRUE : FALSE;
}
