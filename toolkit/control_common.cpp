// What every control shares: making and dropping its click object, the one
// tracking loop that follows the mouse from the press to the release, and
// one-line text in a font and colour.
#include "toolkit/toolkit_internal.h"
#include <cstring>

void control_updateZone(const clickObjectRec* obj, short cursorID, RECT rect, short maskID)
{
    if (!obj) return;
    if (obj->visible && obj->enabled)
        zone_newRect(obj->id, cursorID, rect, maskID);
    else
        zone_delete(obj->id);
}

clickObjectRec* control_newObject(short id, short type)
{
    if (g_currentWindow < 1 || g_currentWindow > kWindowMax) return nullptr;
    clickObjectRec* old = toolkit_object(id);
    if (old != &defaultClickObject && old->type == type && old->data) return nullptr;
    clickObjectRec* obj = clickObject_new(g_currentWindow, id);
    return obj == &defaultClickObject ? nullptr : obj;
}

void* control_data(short id, short type)
{
    clickObjectRec* obj = toolkit_object(id);
    if (obj == &defaultClickObject) return nullptr;
    // A live control of another kind under the id is a mix-up of ids.
    MORVANE_VERIFY(obj->type == kTypeNone || obj->type == type);
    if (obj->type != type) return nullptr;
    return obj->data;
}

// A number printed as zero shows no minus sign: "-0.0" becomes "0.0" (a
// padded " -0.00" keeps its width as "  0.00"); other text is left alone.
void control_dropNegativeZero(char* text)
{
    if (!text) return;
    for (char* p = text; *p; p++) {
        if (*p != '-') continue;
        char* q = p + 1;
        int digits = 0, zeros = 1;
        for (; (*q >= '0' && *q <= '9') || *q == '.'; q++)
            if (*q != '.') {
                digits++;
                if (*q != '0') zeros = 0;
            }
        if (!digits || !zeros) continue;
        // Padding before the number keeps the width; otherwise the sign goes.
        const char* lead = text;
        while (lead < p && *lead == ' ') lead++;
        if (lead == p && p > text)
            *p = ' ';
        else
            memmove(p, p + 1, strlen(p + 1) + 1);
        return;
    }
}

int toolkit_fineDrag(void) { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

int control_track(short id, int waitMs, trackStepProcPtr step, void* arg)
{
    short window = g_currentWindow;
    HWND hwnd = window_getHWND(window);
    trackStateRec s;
    mouse_getPos(&s.pt);
    s.start = s.last = s.pt;
    s.inside = 0;
    s.round = 0;
    for (;;) {
        g_currentWindow = window;  // timers and callbacks may have moved it
        mouse_getPos(&s.pt);
        zoneRec* z = window_getZone(window, id);
        s.inside = z && z->id == id && zone_pointInZone(z, &s.pt);
        if (!step(id, &s, arg)) break;
        s.last = s.pt;
        s.round++;
        Sleep((DWORD)waitMs);
        timer_process();
        if (!hwnd || mouse_up(hwnd)) break;
    }
    g_currentWindow = window;
    return s.inside;
}

void control_drawBackdrop(const clickObjectRec* obj, const RECT* rect)
{
    if (!obj || !rect || IsRectEmpty(rect)) return;
    HWND hwnd = window_getHWND(g_currentWindow);
    HBRUSH background = hwnd ? (HBRUSH)GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND) : nullptr;
    if (background) {
        HDC hdc = window_getHDC(g_currentWindow);
        if (hdc) {
            FillRect(hdc, rect, background);
            window_freeHDC(g_currentWindow, hdc);
        }
    }
    // What a full repaint puts under the control: every visible panel with a
    // picture that the window draws before it, in the window's drawing
    // order. The picture beneath is not always an ancestor's: a label in a
    // pictureless row panel lies on a sibling panel's picture.
    drawListRec* list = window_getDrawList(g_currentWindow);
    if (!list) return;
    if (list->changed) window_updateDrawList(g_currentWindow);
    for (short i = 0; i < list->count; i++) {
        const clickObjectRec* o = list->objects[i];
        if (o == obj) break;
        if (o->type != kTypePanel || !o->visible) continue;
        RECT part;
        if (!IntersectRect(&part, rect, &o->rect)) continue;
        short pict = 0, px = (short)part.left, py = (short)part.top;
        panel_getPictAndOffset(o->id, &pict, &px, &py);
        if (pict) bitmap_drawRectOffset(pict, &part, px, py);
    }
}

void control_drawText(const char* text, const RECT* rect, short fontID, RGBColor color, UINT format)
{
    if (!text || !*text || !rect) return;
    HDC hdc = window_getHDC(g_currentWindow);
    if (!hdc) return;
    int saved = SaveDC(hdc);
    font_select(fontID, hdc);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, rgbColor_toCOLORREF(color));
    RECT r = *rect;
    DrawTextA(hdc, text, (int)strlen(text), &r, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    RestoreDC(hdc, saved);
    window_freeHDC(g_currentWindow, hdc);
}

int control_fontHeight(short fontID)
{
    HFONT f = font_getHFONT(fontID);
    if (!f) return 0;
    HDC hdc = window_getHDC(g_currentWindow);
    if (!hdc) return 0;
    HGDIOBJ old = SelectObject(hdc, f);
    TEXTMETRICA tm;
    int h = GetTextMetricsA(hdc, &tm) ? (int)tm.tmHeight : 0;
    SelectObject(hdc, old);
    window_freeHDC(g_currentWindow, hdc);
    return h;
}

int control_copyText(char* out, const char* text, int max)
{
    if (!out || max <= 0) return 0;
    int n = 0;
    if (text)
        while (n < max - 1 && text[n]) {
            out[n] = text[n];
            n++;
        }
    out[n] = 0;
    return n;
}
