// Device contexts: creation and deletion, the drawing state (colours,
// modes, origins, selected objects), SaveDC/RestoreDC, clipping, device
// capabilities, and the helpers that turn a DC into a clipped Cairo context.
#include "platform/internal.h"
#include <algorithm>
#include <cstring>

namespace plat {

DCRec* dcOf(HDC h)
{
    if (!h) return nullptr;
    auto& m = st().dcs;
    auto it = m.find(fromHandle(h));
    return it == m.end() ? nullptr : it->second.get();
}

static void retain(HGDIOBJ o)
{
    if (GdiObj* g = gdiOf(o)) g->selectCount++;
}

static void release(HGDIOBJ o)
{
    GdiObj* g = gdiOf(o);
    if (!g) return;
    g->selectCount--;
    if (g->selectCount <= 0 && g->deletePending) st().gdi.erase(fromHandle(o));
}

static void retainState(DCState& s)
{
    retain(s.pen);
    retain(s.brush);
    retain(s.font);
    retain(s.bitmap);
}

static void releaseState(DCState& s)
{
    release(s.pen);
    release(s.brush);
    release(s.font);
    release(s.bitmap);
    if (s.appClip) cairo_region_destroy(s.appClip);
    s.appClip = nullptr;
}

static void setSysClipToBitmap(DCRec* dc)
{
    if (dc->sysClip) cairo_region_destroy(dc->sysClip);
    BitmapRec* b = dcBitmap(dc);
    cairo_rectangle_int_t r{0, 0, b ? b->width : 0, b ? b->height : 0};
    dc->sysClip = cairo_region_create_rectangle(&r);
    if (dc->target) cairo_surface_destroy(dc->target);
    dc->target = b ? cairo_surface_reference(b->surface) : nullptr;
    dcInvalidateClip(dc);
}

HDC dcCreate(DCKind kind, HWND hwnd, cairo_surface_t* target, POINT origin, cairo_region_t* sysClip)
{
    State& s = st();
    auto dc = std::make_unique<DCRec>();
    HDC h = toHandle<HDC>(newHandleId());
    dc->handle = h;
    dc->kind = kind;
    dc->hwnd = hwnd;
    dc->target = target ? cairo_surface_reference(target) : nullptr;
    dc->devOrigin = origin;
    dc->sysClip = sysClip;
    DCState& d = dc->s;
    d.pen = s.stock[BLACK_PEN];
    d.brush = s.stock[WHITE_BRUSH];
    d.font = s.stock[SYSTEM_FONT];
    d.bitmap = kind == DC_MEMORY ? s.stock[15] : nullptr;
    d.textColor = RGB(0, 0, 0);
    d.bkColor = RGB(255, 255, 255);
    d.bkMode = OPAQUE;
    d.textAlign = TA_LEFT | TA_TOP;
    d.stretchMode = BLACKONWHITE;
    d.graphicsMode = GM_COMPATIBLE;
    d.curPos = d.viewportOrg = d.windowOrg = POINT{0, 0};
    d.appClip = nullptr;
    retainState(d);
    DCRec* raw = dc.get();
    s.dcs[fromHandle(h)] = std::move(dc);
    if (kind == DC_MEMORY) setSysClipToBitmap(raw);
    return h;
}

void dcReleaseAll(DCRec* dc)
{
    releaseState(dc->s);
    for (DCState& sv : dc->saved) releaseState(sv);
    dc->saved.clear();
    if (dc->target) cairo_surface_destroy(dc->target);
    dc->target = nullptr;
    if (dc->sysClip) cairo_region_destroy(dc->sysClip);
    dc->sysClip = nullptr;
    if (dc->effClip) cairo_region_destroy(dc->effClip);
    dc->effClip = nullptr;
}

void dcInvalidateClip(DCRec* dc)
{
    if (dc->effClip) cairo_region_destroy(dc->effClip);
    dc->effClip = nullptr;
}

const cairo_region_t* dcClip(DCRec* dc)
{
    if (dc->effClip) return dc->effClip;
    dc->effClip = dc->sysClip ? cairo_region_copy(dc->sysClip) : cairo_region_create();
    if (dc->s.appClip) cairo_region_intersect(dc->effClip, dc->s.appClip);
    if (dc->target) {
        cairo_rectangle_int_t b{0, 0, cairo_image_surface_get_width(dc->target),
                                cairo_image_surface_get_height(dc->target)};
        cairo_region_intersect_rectangle(dc->effClip, &b);
    } else {
        cairo_region_t* e = cairo_region_create();
        cairo_region_intersect(dc->effClip, e);
        cairo_region_destroy(e);
    }
    return dc->effClip;
}

POINT dcToDevice(DCRec* dc, int x, int y)
{
    return POINT{x - dc->s.windowOrg.x + dc->s.viewportOrg.x + dc->devOrigin.x,
                 y - dc->s.windowOrg.y + dc->s.viewportOrg.y + dc->devOrigin.y};
}

void dcTouch(DCRec* dc)
{
    State& s = st();
    if (!dc->hwnd || (dc->kind != DC_WINDOW && dc->kind != DC_PAINT)) return;
    if (dc->touchSerial == s.composeSerial) return;
    dc->touchSerial = s.composeSerial;
    damageWindow(dc->hwnd);
}

cairo_t* dcCairo(DCRec* dc)
{
    if (!dc->target) return nullptr;
    cairo_t* cr = cairo_create(dc->target);
    const cairo_region_t* clip = dcClip(dc);
    int n = cairo_region_num_rectangles(clip);
    for (int i = 0; i < n; i++) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(clip, i, &r);
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
    }
    if (n == 0) cairo_rectangle(cr, 0, 0, 0, 0);
    cairo_clip(cr);
    POINT o = dcToDevice(dc, 0, 0);
    cairo_translate(cr, o.x, o.y);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    dcTouch(dc);
    return cr;
}

BitmapRec* dcBitmap(DCRec* dc)
{
    GdiObj* o = gdiOf(dc->s.bitmap);
    return o && o->kind == GDI_BITMAP ? &o->bitmap : nullptr;
}

static int regionType(const cairo_region_t* r)
{
    int n = cairo_region_num_rectangles(r);
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

static cairo_region_t* appClipOrAll(DCRec* dc)
{
    if (dc->s.appClip) return dc->s.appClip;
    cairo_rectangle_int_t all{-100000, -100000, 200000, 200000};
    dc->s.appClip = cairo_region_create_rectangle(&all);
    return dc->s.appClip;
}

}  // namespace plat

using namespace plat;

HDC CreateCompatibleDC(HDC)
{
    if (!st().running) return nullptr;
    return dcCreate(DC_MEMORY, nullptr, nullptr, POINT{0, 0}, nullptr);
}

BOOL DeleteDC(HDC hdc)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return FALSE;
    dcReleaseAll(dc);
    st().dcs.erase(fromHandle(hdc));
    return TRUE;
}

int SaveDC(HDC hdc)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return 0;
    DCState copy = dc->s;
    copy.appClip = dc->s.appClip ? cairo_region_copy(dc->s.appClip) : nullptr;
    retainState(copy);
    dc->saved.push_back(copy);
    return (int)dc->saved.size();
}

BOOL RestoreDC(HDC hdc, int saved)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || dc->saved.empty()) return FALSE;
    int n = (int)dc->saved.size();
    int index = saved < 0 ? n + saved : saved - 1;
    if (index < 0 || index >= n) return FALSE;
    bool bitmapChanged = dc->saved[index].bitmap != dc->s.bitmap;
    releaseState(dc->s);
    dc->s = dc->saved[index];
    for (int i = index + 1; i < n; i++) releaseState(dc->saved[i]);
    dc->saved.resize(index);
    if (bitmapChanged && dc->kind == DC_MEMORY) setSysClipToBitmap(dc);
    dcInvalidateClip(dc);
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return 0;
    int w = dc->target ? cairo_image_surface_get_width(dc->target) : 0;
    int h = dc->target ? cairo_image_surface_get_height(dc->target) : 0;
    if (dc->kind != DC_MEMORY) {
        w = st().screenW;
        h = st().screenH;
    }
    BitmapRec* b = dcBitmap(dc);
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return w;
    case VERTRES: return h;
    case HORZSIZE: return (int)(w * 25.4 / 96 + 0.5);
    case VERTSIZE: return (int)(h * 25.4 / 96 + 0.5);
    case BITSPIXEL: return (dc->kind == DC_MEMORY && b && b->mono) ? 1 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    }
    return 0;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj)
{
    DCRec* dc = dcOf(hdc);
    GdiObj* o = gdiOf(obj);
    if (!dc || !o || o->deletePending) return nullptr;
    HGDIOBJ* slot = nullptr;
    switch (o->kind) {
    case GDI_PEN: slot = &dc->s.pen; break;
    case GDI_BRUSH: slot = &dc->s.brush; break;
    case GDI_FONT: slot = &dc->s.font; break;
    case GDI_BITMAP:
        if (dc->kind != DC_MEMORY) return nullptr;
        if (o->selectCount > 0 && dc->s.bitmap != obj) return nullptr;  // a bitmap lives in one DC at a time
        slot = &dc->s.bitmap;
        break;
    case GDI_REGION: return (HGDIOBJ)(intptr_t)SelectClipRgn(hdc, (HRGN)obj);
    }
    HGDIOBJ old = *slot;
    if (old == obj) return old;
    retain(obj);
    *slot = obj;
    release(old);
    if (o->kind == GDI_BITMAP) setSysClipToBitmap(dc);
    return old;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->s.pen;
    case OBJ_BRUSH: return dc->s.brush;
    case OBJ_FONT: return dc->s.font;
    case OBJ_BITMAP: return dc->s.bitmap;
    }
    return nullptr;
}

#define DC_SETTER(name, type, field)                                                                         \
    type name(HDC hdc, type v)                                                                               \
    {                                                                                                        \
        DCRec* dc = dcOf(hdc);                                                                               \
        if (!dc) return (type)0;                                                                             \
        type old = (type)dc->s.field;                                                                        \
        dc->s.field = v;                                                                                     \
        return old;                                                                                          \
    }
DC_SETTER(SetTextColor, COLORREF, textColor)
DC_SETTER(SetBkColor, COLORREF, bkColor)
DC_SETTER(SetBkMode, int, bkMode)
DC_SETTER(SetTextAlign, UINT, textAlign)
DC_SETTER(SetStretchBltMode, int, stretchMode)
DC_SETTER(SetGraphicsMode, int, graphicsMode)
#undef DC_SETTER

COLORREF GetTextColor(HDC hdc)
{
    DCRec* dc = dcOf(hdc);
    return dc ? dc->s.textColor : CLR_INVALID;
}
COLORREF GetBkColor(HDC hdc)
{
    DCRec* dc = dcOf(hdc);
    return dc ? dc->s.bkColor : CLR_INVALID;
}
int GetBkMode(HDC hdc)
{
    DCRec* dc = dcOf(hdc);
    return dc ? dc->s.bkMode : 0;
}

// Only the identity world transform is supported; drawing is pixel based.
BOOL SetWorldTransform(HDC hdc, const XFORM* xf)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !xf || dc->s.graphicsMode != GM_ADVANCED) return FALSE;
    return xf->eM11 == 1 && xf->eM22 == 1 && xf->eM12 == 0 && xf->eM21 == 0 && xf->eDx == 0 && xf->eDy == 0;
}

BOOL ModifyWorldTransform(HDC hdc, const XFORM*, DWORD mode)
{
    DCRec* dc = dcOf(hdc);
    return dc && dc->s.graphicsMode == GM_ADVANCED && mode == MWT_IDENTITY;
}

static BOOL setOrigin(HDC hdc, POINT DCState::*field, int x, int y, LPPOINT old)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return FALSE;
    if (old) *old = dc->s.*field;
    dc->s.*field = POINT{x, y};
    return TRUE;
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old)
{
    return setOrigin(hdc, &DCState::viewportOrg, x, y, old);
}
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old)
{
    return setOrigin(hdc, &DCState::windowOrg, x, y, old);
}

// Moves points between device and logical units (sign +1: device to logical).
static BOOL convertPoints(HDC hdc, LPPOINT pts, int count, int sign)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !pts) return FALSE;
    for (int i = 0; i < count; i++) {
        pts[i].x += sign * (dc->s.windowOrg.x - dc->s.viewportOrg.x);
        pts[i].y += sign * (dc->s.windowOrg.y - dc->s.viewportOrg.y);
    }
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT pts, int count) { return convertPoints(hdc, pts, count, 1); }
BOOL LPtoDP(HDC hdc, LPPOINT pts, int count) { return convertPoints(hdc, pts, count, -1); }

// ---- clipping ----------------------------------------------------------------------
int SelectClipRgn(HDC hdc, HRGN rgn)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return ERROR;
    if (dc->s.appClip) cairo_region_destroy(dc->s.appClip);
    dc->s.appClip = nullptr;
    GdiObj* o = gdiOf(rgn);
    if (o && o->kind == GDI_REGION) {
        dc->s.appClip = cairo_region_copy(o->region.region);
        cairo_region_translate(dc->s.appClip, dc->devOrigin.x, dc->devOrigin.y);
    }
    dcInvalidateClip(dc);
    return regionType(dcClip(dc));
}

// Intersects the clip region with a logical rectangle, or cuts it out.
static int editClipRect(HDC hdc, int left, int top, int right, int bottom, bool exclude)
{
    DCRec* dc = dcOf(hdc);
    if (!dc) return ERROR;
    POINT a = dcToDevice(dc, left, top), b = dcToDevice(dc, right, bottom);
    cairo_rectangle_int_t r{a.x, a.y, std::max<int>(0, b.x - a.x), std::max<int>(0, b.y - a.y)};
    if (exclude)
        cairo_region_subtract_rectangle(appClipOrAll(dc), &r);
    else
        cairo_region_intersect_rectangle(appClipOrAll(dc), &r);
    dcInvalidateClip(dc);
    return regionType(dcClip(dc));
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return editClipRect(hdc, left, top, right, bottom, false);
}
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return editClipRect(hdc, left, top, right, bottom, true);
}

int GetClipBox(HDC hdc, LPRECT r)
{
    DCRec* dc = dcOf(hdc);
    if (!dc || !r) return ERROR;
    const cairo_region_t* c = dcClip(dc);
    cairo_rectangle_int_t e;
    cairo_region_get_extents(c, &e);
    POINT o = dcToDevice(dc, 0, 0);
    *r = RECT{e.x - o.x, e.y - o.y, e.x + e.width - o.x, e.y + e.height - o.y};
    return regionType(c);
}
