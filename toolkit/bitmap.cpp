// The bitmap store (slot index = resource id) and the ways a bitmap goes
// on screen: plain, stretched, a sub-rectangle, into another context, and
// through a mask; the dark-pixel test used by shaped zones.
#include "toolkit/toolkit_internal.h"
#include "resources/resources.h"
#include <new>

bitmapListRec* g_bitmapList = nullptr;
static int s_loadFailed = 0;  // the first failed load of a run is reported

bitmapListRec* bitmaps_makeList(long count)
{
    if (count < 0) count = 0;
    bitmapListRec* l = new (std::nothrow) bitmapListRec();
    if (!l) return nullptr;
    l->bitmaps = new (std::nothrow) HBITMAP[count > 0 ? count : 1]();
    if (!l->bitmaps) {
        delete l;
        return nullptr;
    }
    l->count = count;
    return l;
}

void bitmaps_deleteList(bitmapListRec* list)
{
    if (!list) return;
    bitmap_clearList(list);
    delete[] list->bitmaps;
    delete list;
}

void bitmap_load(int id, bitmapListRec* list, HINSTANCE inst)
{
    if (!list || id < 0 || id >= list->count || list->bitmaps[id]) return;
    list->bitmaps[id] = LoadBitmapA(inst, MAKEINTRESOURCE(id));
    if (!list->bitmaps[id] && !s_loadFailed) {
        s_loadFailed = 1;
        error("failed to load bitmap");
    }
}

void bitmap_delete(long id, bitmapListRec* list)
{
    if (!list || id < 0 || id >= list->count || !list->bitmaps[id]) return;
    DeleteObject(list->bitmaps[id]);
    list->bitmaps[id] = nullptr;
}

void bitmap_clearList(bitmapListRec* list)
{
    if (!list) return;
    for (long i = 0; i < list->count; i++) bitmap_delete(i, list);
}

HBITMAP bitmap_get(long id)
{
    if (!g_bitmapList || id < 0 || id >= g_bitmapList->count) return nullptr;
    return g_bitmapList->bitmaps[id];
}

int toolkit_bitmapSize(long id, int* width, int* height)
{
    *width = *height = 0;
    HBITMAP b = bitmap_get(id);
    BITMAP bm;
    if (!b || !GetObjectA(b, sizeof bm, &bm)) return 0;
    *width = bm.bmWidth;
    *height = bm.bmHeight;
    return 1;
}

void bitmap_getRect(long id, RECT* rect)
{
    if (!rect) return;
    int w, h;
    toolkit_bitmapSize(id, &w, &h);
    *rect = RECT{0, 0, w, h};
}

short getPictRect(short id, RECT* rect)
{
    bitmap_getRect(id, rect);
    return bitmap_get(id) ? id : 0;
}

void loadBitmaps(HINSTANCE inst)
{
    if (!g_bitmapList) g_bitmapList = bitmaps_makeList(kBitmapSlots);
    for (int id : resources_bitmapIds())
        if (id != 1803 && id != 1804) bitmap_load(id, g_bitmapList, inst);
}

// ---- drawing -----------------------------------------------------------------------------

// A memory context holding bitmap id, with the window's context it was made for.
struct bitmapSource {
    HDC window = nullptr;
    HDC mem = nullptr;
    HGDIOBJ old = nullptr;
    int width = 0, height = 0;
};

static int source_open(bitmapSource* s, long id, HDC target)
{
    HBITMAP b = bitmap_get(id);
    if (!b || !toolkit_bitmapSize(id, &s->width, &s->height)) return 0;
    s->window = target ? target : window_getHDC(g_currentWindow);
    if (!s->window) return 0;
    s->mem = CreateCompatibleDC(s->window);
    if (!s->mem) {
        if (!target) window_freeHDC(g_currentWindow, s->window);
        s->window = nullptr;
        return 0;
    }
    s->old = SelectObject(s->mem, b);
    return 1;
}

static void source_close(bitmapSource* s, HDC target)
{
    if (s->mem) {
        SelectObject(s->mem, s->old);
        DeleteDC(s->mem);
    }
    if (s->window && !target) window_freeHDC(g_currentWindow, s->window);
}

void bitmap_draw(long id, short x, short y)
{
    bitmapSource s;
    if (!source_open(&s, id, nullptr)) return;
    BitBlt(s.window, x, y, s.width, s.height, s.mem, 0, 0, SRCCOPY);
    source_close(&s, nullptr);
}

void bitmap_drawOffscreen(long id, short x, short y, HDC target)
{
    if (!target) return;
    bitmapSource s;
    if (!source_open(&s, id, target)) return;
    BitBlt(target, x, y, s.width, s.height, s.mem, 0, 0, SRCCOPY);
    source_close(&s, target);
}

void bitmap_drawRectOffset(long id, RECT* dest, int srcX, int srcY)
{
    if (!dest) return;
    bitmapSource s;
    if (!source_open(&s, id, nullptr)) return;
    BitBlt(s.window, dest->left, dest->top, dest->right - dest->left, dest->bottom - dest->top, s.mem, srcX,
           srcY, SRCCOPY);
    source_close(&s, nullptr);
}

void bitmap_drawStretch(long id, short left, short top, short right, short bottom)
{
    int w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0) return;
    bitmapSource s;
    if (!source_open(&s, id, nullptr)) return;
    HDC off = CreateCompatibleDC(s.window);
    HBITMAP offBmp = off ? CreateCompatibleBitmap(s.window, w, h) : nullptr;
    if (offBmp) {
        HGDIOBJ old = SelectObject(off, offBmp);
        SetStretchBltMode(off, COLORONCOLOR);
        StretchBlt(off, 0, 0, w, h, s.mem, 0, 0, s.width, s.height, SRCCOPY);
        BitBlt(s.window, left, top, w, h, off, 0, 0, SRCCOPY);
        SelectObject(off, old);
        DeleteObject(offBmp);
    }
    if (off) DeleteDC(off);
    source_close(&s, nullptr);
}

// An off-screen context holding a new bitmap of the given size.
struct offscreen {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
};

static int offscreen_open(offscreen* o, HDC like, int w, int h)
{
    o->dc = CreateCompatibleDC(like);
    if (!o->dc) return 0;
    o->bmp = CreateCompatibleBitmap(like, w, h);
    if (!o->bmp) {
        DeleteDC(o->dc);
        o->dc = nullptr;
        return 0;
    }
    o->old = SelectObject(o->dc, o->bmp);
    return 1;
}

static void offscreen_close(offscreen* o)
{
    if (!o->dc) return;
    SelectObject(o->dc, o->old);
    DeleteObject(o->bmp);
    DeleteDC(o->dc);
    o->dc = nullptr;
}

void drawPictMask(short picture, short mask, short x, short y)
{
    if (!bitmap_get(picture)) return;
    if (!bitmap_get(mask)) {
        bitmap_draw(picture, x, y);
        return;
    }
    bitmapSource pic, msk;
    if (!source_open(&pic, picture, nullptr)) return;
    if (!source_open(&msk, mask, pic.window)) {
        source_close(&pic, nullptr);
        bitmap_draw(picture, x, y);
        return;
    }
    int w = pic.width, h = pic.height;
    offscreen B, P, N;
    bool made = offscreen_open(&B, pic.window, w, h) && offscreen_open(&P, pic.window, w, h) &&
                offscreen_open(&N, pic.window, w, h);
    if (made) {
        BitBlt(B.dc, 0, 0, w, h, pic.window, x, y, SRCCOPY);  // what the window shows now
        BitBlt(P.dc, 0, 0, w, h, pic.mem, 0, 0, SRCCOPY);     // the picture
        BitBlt(N.dc, 0, 0, w, h, msk.mem, 0, 0, NOTSRCCOPY);  // inverse of the mask
        BitBlt(P.dc, 0, 0, w, h, N.dc, 0, 0, SRCAND);         // picture where the mask is black
        BitBlt(B.dc, 0, 0, w, h, msk.mem, 0, 0, SRCAND);      // window where the mask is white
        BitBlt(B.dc, 0, 0, w, h, P.dc, 0, 0, SRCPAINT);
        BitBlt(pic.window, x, y, w, h, B.dc, 0, 0, SRCCOPY);
    }
    offscreen_close(&N);
    offscreen_close(&P);
    offscreen_close(&B);
    source_close(&msk, pic.window);
    source_close(&pic, nullptr);
    if (!made) bitmap_draw(picture, x, y);
}

int pointInBitmap(long id, zPoint* pt)
{
    if (!pt) return 0;
    int w, h;
    HBITMAP b = bitmap_get(id);
    if (!b || !toolkit_bitmapSize(id, &w, &h)) return 0;
    if (pt->h < 0 || pt->v < 0 || pt->h > w || pt->v > h) return 0;
    // The far edges belong to the bitmap's area but hold no pixel: the pixel
    // next to them decides.
    int px = pt->h < w ? pt->h : w - 1, py = pt->v < h ? pt->v : h - 1;
    HDC mem = CreateCompatibleDC(nullptr);
    if (!mem) return 0;
    HGDIOBJ old = SelectObject(mem, b);
    COLORREF c = GetPixel(mem, px, py);
    SelectObject(mem, old);
    DeleteDC(mem);
    return c != CLR_INVALID && GetRValue(c) < 127;
}
