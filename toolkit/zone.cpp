// Mouse zones (one per object id, optionally shaped by a mask bitmap), the
// hit test where the higher id wins, the four cursors, rectangle helpers and
// invalidation of the current window.
#include "toolkit/toolkit_internal.h"

HCURSOR g_arrowCursor = nullptr, g_caretCursor = nullptr, g_upDownCursor = nullptr, g_arrowOnCursor = nullptr;
RGBColor black = {0, 0, 0};
RGBColor white = {255, 255, 255};

void initGraphic(void)
{
    black = RGBColor{0, 0, 0};
    white = RGBColor{255, 255, 255};
}

COLORREF rgbColor_toCOLORREF(RGBColor c) { return RGB(c.red, c.green, c.blue); }

// ---- cursors ----------------------------------------------------------------------------

// A cursor of the program's resources, or the system shape standing in for it.
static HCURSOR loadProgramCursor(const char* name, LPCSTR systemShape)
{
    HCURSOR c = LoadCursorA(platform_instance(), name);
    return c ? c : LoadCursorA(nullptr, systemShape);
}

void cursor_init(void)
{
    g_arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
    g_caretCursor = loadProgramCursor("caretCur", IDC_IBEAM);
    g_upDownCursor = loadProgramCursor("upDownCur", IDC_SIZENS);
    g_arrowOnCursor = loadProgramCursor("arrowOnCur", IDC_HAND);
}

HCURSOR cursor_get(short id)
{
    switch (id) {
    case kCursorCaret: return g_caretCursor;
    case kCursorUpDown: return g_upDownCursor;
    case kCursorArrowOn: return g_arrowOnCursor;
    default: return g_arrowCursor;
    }
}

void showCursor(int show) { ShowCursor(show ? TRUE : FALSE); }

// ---- zones ---------------------------------------------------------------------------------

void zone_init(zoneRec* zone, short id)
{
    if (!zone) return;
    zone->id = id;
    zone->rect = RECT{0, 0, 0, 0};
    zone->maskID = 0;
    zone->cursorID = kCursorArrow;
    zone->hasMask = 0;
    zone->cursor = g_arrowCursor;
}

short zone_new(short id, short cursorID, short left, short top, short right, short bottom, short maskID)
{
    zoneRec* z = window_getZone(g_currentWindow, id);
    if (!z || id <= 0) return 0;
    z->id = id;
    z->rect = RECT{left, top, right, bottom};
    z->maskID = maskID;
    z->cursorID = cursorID;
    z->hasMask = maskID != 0;
    z->cursor = cursor_get(cursorID);
    return id;
}

short zone_newRect(short id, short cursorID, RECT rect, short maskID)
{
    return zone_new(id, cursorID, (short)rect.left, (short)rect.top, (short)rect.right, (short)rect.bottom,
                    maskID);
}

void zone_delete(short id)
{
    zoneRec* z = window_getZone(g_currentWindow, id);
    if (z) zone_init(z, 0);
}

int zone_pointInZone(zoneRec* zone, zPoint* pt)
{
    if (!zone || !pt) return 0;
    if (pt->v < zone->rect.top || pt->v > zone->rect.bottom) return 0;
    if (pt->h < zone->rect.left || pt->h > zone->rect.right) return 0;
    if (!zone->hasMask) return 1;
    zPoint rel;
    rel.h = (short)(pt->h - zone->rect.left);
    rel.v = (short)(pt->v - zone->rect.top);
    return pointInBitmap(zone->maskID, &rel);
}

short zone_pointToZoneID(short window, zPoint* pt)
{
    zoneListRec* l = window_getZoneList(window);
    if (!l || !pt) return 0;
    for (short i = (short)(l->count - 1); i >= 0; i--) {
        zoneRec* z = &l->zones[i];
        if (z->id > 0 && zone_pointInZone(z, pt)) return z->id;
    }
    return 0;
}

void zone_updateCursor(short)
{
    if (window_get(g_currentWindow)) SetCursor(g_arrowCursor);
}

// ---- rectangles and invalidation ------------------------------------------------------------

static int cornerIn(long x, long y, const RECT* r)
{
    return x >= r->left && x <= r->right && y >= r->top && y <= r->bottom;
}

int rectInRect(RECT* a, RECT* b)
{
    if (!a || !b) return 0;
    return cornerIn(a->left, a->top, b) || cornerIn(a->right, a->bottom, b) || cornerIn(b->left, b->top, a) ||
           cornerIn(b->right, b->bottom, a);
}

void invalRect(RECT* rect)
{
    HWND h = window_getHWND(g_currentWindow);
    if (h) InvalidateRect(h, rect, FALSE);
}

void validRect(RECT* rect)
{
    HWND h = window_getHWND(g_currentWindow);
    if (h) ValidateRect(h, rect);
}
