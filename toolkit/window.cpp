// The window table: attaching windows, their lists, showing, sizing,
// drawing through the draw list, and the device-context bookkeeping that
// every control draws through.
#include "toolkit/toolkit_internal.h"
#include <algorithm>
#include <cstdio>
#include <new>

windowRec g_windowList[kWindowMax + 1];
short g_currentWindow = 0;
short g_frontWindow = 0;
HWND hWnd_frame = nullptr;

static int validWindowId(short id) { return id >= 1 && id <= kWindowMax; }

windowRec* window_get(short id)
{
    if (!validWindowId(id)) return nullptr;
    return &g_windowList[id];
}

void window_initGlobals(void)
{
    for (short i = 0; i <= kWindowMax; i++) {
        windowRec* w = &g_windowList[i];
        *w = windowRec();
        w->id = i;
        textEditRec_init(&w->textEdit);
    }
    g_currentWindow = 0;
    g_frontWindow = 0;
    gActiveObject = 0;
    brambixEvent_type = 0;
    brambixEvent_id = 0;
    mouse_init(&g_mouse);
    mouse_stop = 0;
    gStopEvent = 0;
    toolkit_resetClickClock();
    hWnd_frame = nullptr;
}

// Frees one window's lists, deleting every object through its control.
static void window_freeLists(windowRec* w)
{
    if (w->clickList) {
        short saved = g_currentWindow;
        g_currentWindow = w->id;
        for (short i = 0; i < w->clickList->count; i++)
            if (w->clickList->objects[i] != &defaultClickObject) clickObject_delete(w->id, i);
        g_currentWindow = saved;
        delete[] w->clickList->objects;
        delete w->clickList;
        w->clickList = nullptr;
    }
    if (w->drawList) {
        delete[] w->drawList->objects;
        delete w->drawList;
        w->drawList = nullptr;
    }
    if (w->zoneList) {
        delete[] w->zoneList->zones;
        delete w->zoneList;
        w->zoneList = nullptr;
    }
}

void window_init(short id)
{
    windowRec* w = window_get(id);
    if (!w) return;
    window_freeLists(w);
    *w = windowRec();
    w->id = id;
    textEditRec_init(&w->textEdit);
}

void window_cleanup(void)
{
    for (short i = 1; i <= kWindowMax; i++) {
        windowRec* w = &g_windowList[i];
        if (w->currentDC && w->hwnd) ReleaseDC(w->hwnd, w->currentDC);
        w->currentDC = nullptr;
        window_freeLists(w);
    }
}

static clickListRec* makeClickList(short count)
{
    if (count < 0) count = 0;
    clickListRec* l = new (std::nothrow) clickListRec();
    if (!l) return nullptr;
    l->objects = new (std::nothrow) clickObjectRec*[count > 0 ? count : 1];
    if (!l->objects) {
        delete l;
        return nullptr;
    }
    l->count = count;
    for (short i = 0; i < count; i++) l->objects[i] = &defaultClickObject;
    return l;
}

static drawListRec* makeDrawList(short capacity)
{
    if (capacity < 0) capacity = 0;
    drawListRec* l = new (std::nothrow) drawListRec();
    if (!l) return nullptr;
    l->objects = new (std::nothrow) clickObjectRec*[capacity > 0 ? capacity : 1];
    if (!l->objects) {
        delete l;
        return nullptr;
    }
    l->capacity = capacity;
    for (short i = 0; i < capacity; i++) l->objects[i] = &defaultClickObject;
    return l;
}

static zoneListRec* makeZoneList(short count)
{
    if (count < 0) count = 0;
    zoneListRec* l = new (std::nothrow) zoneListRec();
    if (!l) return nullptr;
    l->zones = new (std::nothrow) zoneRec[count > 0 ? count : 1];
    if (!l->zones) {
        delete l;
        return nullptr;
    }
    l->count = count;
    for (short i = 0; i < count; i++) zone_init(&l->zones[i], 0);
    return l;
}

int window_brambixize(short id, HWND hwnd, short clickMax, short drawMax)
{
    MORVANE_VERIFY(validWindowId(id));  // our windows have ids 1 to kWindowMax
    windowRec* w = window_get(id);
    if (!w) return 0;
    window_init(id);  // an id attached twice gives up its old lists first
    g_currentWindow = id;
    w->hwnd = hwnd;
    w->currentDC = hwnd ? GetDC(hwnd) : nullptr;
    w->dcCount = 0;
    w->clickList = makeClickList(clickMax);
    w->drawList = makeDrawList(drawMax);
    w->zoneList = makeZoneList(clickMax);
    textEditRec_init(&w->textEdit);
    popup_resetDefaultColors();
    return 1;
}

void window_postBrambixize(short id)
{
    windowRec* w = window_get(id);
    if (!w) return;
    if (w->currentDC && w->hwnd) ReleaseDC(w->hwnd, w->currentDC);
    w->currentDC = nullptr;
}

HWND window_getHWND(short id)
{
    windowRec* w = window_get(id);
    return w ? w->hwnd : nullptr;
}

void window_setHWND(short id, HWND hwnd)
{
    if (windowRec* w = window_get(id)) w->hwnd = hwnd;
}

clickListRec* window_getClickList(short id)
{
    windowRec* w = window_get(id);
    return w ? w->clickList : nullptr;
}

drawListRec* window_getDrawList(short id)
{
    windowRec* w = window_get(id);
    return w ? w->drawList : nullptr;
}

zoneListRec* window_getZoneList(short id)
{
    windowRec* w = window_get(id);
    return w ? w->zoneList : nullptr;
}

short window_getZoneListMax(short id)
{
    zoneListRec* l = window_getZoneList(id);
    return l ? l->count : 0;
}

zoneRec* window_getZone(short id, short index)
{
    zoneListRec* l = window_getZoneList(id);
    if (!l || index < 0 || index >= l->count) return nullptr;
    return &l->zones[index];
}

textEditRec* window_getTextEdit(short id)
{
    windowRec* w = window_get(id);
    return w ? &w->textEdit : nullptr;
}

void window_setCurrent(short id) { g_currentWindow = id; }
short window_getCurrent(void) { return g_currentWindow; }
short window_getFrontWindow(void) { return g_frontWindow; }

void window_show(short id, int show)
{
    windowRec* w = window_get(id);
    if (!w || !w->hwnd) return;
    resetClicks();
    if (show) {
        ShowWindow(w->hwnd, SW_SHOW);
        HWND parent = GetParent(w->hwnd);
        if (parent) SendMessageA(parent, WM_MDIACTIVATE, (WPARAM)w->hwnd, 0);
        g_currentWindow = id;
        g_frontWindow = id;
        w->visible = 1;
    } else {
        // An edit left open would keep the keyboard in a hidden window: it
        // is committed, as a click elsewhere would.
        if (w->textEdit.open) {
            short saved = g_currentWindow;
            g_currentWindow = id;
            textEdit_validate();
            g_currentWindow = saved;
        }
        if (g_frontWindow == id) g_frontWindow = 0;
        w->visible = 0;
        ShowWindow(w->hwnd, SW_HIDE);
    }
}

int window_getVisible(short id)
{
    windowRec* w = window_get(id);
    return w ? w->visible : 0;
}

void window_setName(short id, const char* text)
{
    HWND h = window_getHWND(id);
    if (h) SetWindowTextA(h, text ? text : "");
}

short window_getWidth(short id)
{
    HWND h = window_getHWND(id);
    RECT r{0, 0, 0, 0};
    if (h) GetClientRect(h, &r);
    return (short)(r.right - r.left);
}

short window_getHeight(short id)
{
    HWND h = window_getHWND(id);
    RECT r{0, 0, 0, 0};
    if (h) GetClientRect(h, &r);
    return (short)(r.bottom - r.top);
}

// The window's top-left in the coordinates MoveWindow expects: the MDI
// client's when a frame is set, else the parent's, else the screen's.
static POINT window_placeOrigin(HWND h)
{
    RECT wr;
    GetWindowRect(h, &wr);
    POINT p{wr.left, wr.top};
    HWND relative = hWnd_frame ? hWnd_frame : GetParent(h);
    if (relative) ScreenToClient(relative, &p);
    return p;
}

void window_move(short id, short x, short y)
{
    HWND h = window_getHWND(id);
    if (!h) return;
    RECT wr;
    GetWindowRect(h, &wr);
    MoveWindow(h, x, y, wr.right - wr.left, wr.bottom - wr.top, TRUE);
}

void window_size(short id, short width, short height)
{
    if (id < 1 || width == 0 || height == 0) return;
    HWND h = window_getHWND(id);
    if (!h) return;
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    POINT ctl{cr.left, cr.top}, cbr{cr.right, cr.bottom};
    ClientToScreen(h, &ctl);
    ClientToScreen(h, &cbr);
    long extraW = (wr.right - wr.left) - (cbr.x - ctl.x);
    long extraH = (wr.bottom - wr.top) - (cbr.y - ctl.y);
    POINT origin = window_placeOrigin(h);
    MoveWindow(h, origin.x, origin.y, width + (int)extraW, height + (int)extraH, TRUE);
    InvalidateRect(h, nullptr, FALSE);
}

void window_sizeToPanel(short id, short panelObject)
{
    clickObjectRec* obj = clickObject_get(g_currentWindow, panelObject);
    if (obj->type != kTypePanel) return;
    window_size(id, (short)obj->rect.right, (short)obj->rect.bottom);
}

int window_getContentSize(short id, short* width, short* height)
{
    clickListRec* list = window_getClickList(id);
    long right = 0, bottom = 0;
    for (short k = 1; list && k < list->count; k++) {
        const clickObjectRec* obj = clickObject_get(id, k);
        if (obj->type == 0 || !obj->visible) continue;
        // A panel without a picture only groups objects, which count themselves.
        if (obj->type == kTypePanel && !(obj->data && static_cast<const panelRec*>(obj->data)->pict))
            continue;
        right = std::max<long>(right, obj->rect.right);
        bottom = std::max<long>(bottom, obj->rect.bottom);
    }
    if (right <= 0 || bottom <= 0) return 0;
    *width = (short)right;
    *height = (short)bottom;
    return 1;
}

// ---- device contexts ---------------------------------------------------------------

HDC window_getHDC(short id)
{
    windowRec* w = window_get(id);
    if (!w || !w->hwnd) return nullptr;
    if (w->currentDC) return w->currentDC;
    HDC hdc = GetDC(w->hwnd);
    if (hdc) w->dcCount++;
    return hdc;
}

void window_freeHDC(short id, HDC hdc)
{
    windowRec* w = window_get(id);
    if (!w || !hdc) return;
    if (hdc != w->currentDC) {
        ReleaseDC(w->hwnd, hdc);
        w->dcCount--;
    }
    char text[64];
    if (w->dcCount > 500) {
        snprintf(text, sizeof text, "window id %d, Error 5555", id);
        MessageBoxA(nullptr, text, "", MB_OK);
        w->dcCount = 0;
    } else if (w->dcCount < -500) {
        snprintf(text, sizeof text, "window id %d, Error 7777", id);
        MessageBoxA(nullptr, text, "", MB_OK);
        w->dcCount = 0;
    }
}

void window_manualPreProcess(short id)
{
    windowRec* w = window_get(id);
    if (!w || !w->hwnd || w->currentDC) return;
    w->currentDC = GetDC(w->hwnd);
}

void window_manualPostProcess(short id)
{
    windowRec* w = window_get(id);
    if (!w) return;
    if (w->currentDC && w->hwnd) ReleaseDC(w->hwnd, w->currentDC);
    w->currentDC = nullptr;
}

// ---- drawing -------------------------------------------------------------------------

void window_paintWin(short id)
{
    windowRec* w = window_get(id);
    if (!w || !w->hwnd) return;
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(w->hwnd, &ps);
    w->currentDC = hdc;
    window_draw(id);
    w->currentDC = nullptr;
    EndPaint(w->hwnd, &ps);
}

void window_updateDrawList(short id)
{
    windowRec* w = window_get(id);
    if (!w || !w->drawList) return;
    drawListRec* d = w->drawList;
    short n = 0;
    if (w->clickList) {
        for (short i = 0; i < w->clickList->count && n < d->capacity; i++) {
            clickObjectRec* o = w->clickList->objects[i];
            if (o == &defaultClickObject || !o->visible) continue;
            if (!o->drawProc || o->drawProc == emptyClickProc) continue;
            d->objects[n++] = o;
        }
    }
    for (short i = n; i < d->capacity; i++) d->objects[i] = &defaultClickObject;
    d->count = n;
    d->changed = 0;
}

// Draws the entries of the draw list, all of them or those meeting rect.
static void window_drawEntries(short id, RECT* rect)
{
    windowRec* w = window_get(id);
    if (!w || !w->visible || !w->drawList) return;
    if (w->drawList->changed) window_updateDrawList(id);
    short saved = g_currentWindow;
    g_currentWindow = id;
    drawListRec* d = w->drawList;
    for (short i = 0; i < d->count; i++) {
        clickObjectRec* o = d->objects[i];
        if (rect && !rectInRect(&o->rect, rect)) continue;
        if (o->drawProc) o->drawProc(o->id);
    }
    g_currentWindow = saved;
}

void window_draw(short id) { window_drawEntries(id, nullptr); }

void window_drawInRect(short id, RECT* rect)
{
    if (!rect) return;
    window_drawEntries(id, rect);
}

void window_setPrepareUndoCallback(short id, prepareUndoProcPtr callback)
{
    if (windowRec* w = window_get(id)) w->prepareUndo = callback;
}

void window_prepareUndo(short id, short arg)
{
    windowRec* w = window_get(id);
    if (w && w->prepareUndo) w->prepareUndo(arg);
}

void window_setFrameHWND(HWND hwnd) { hWnd_frame = hwnd; }
HWND window_getFrameHWND(void) { return hWnd_frame; }

void toolkit_drawListChanged(short window)
{
    drawListRec* d = window_getDrawList(window);
    if (d) d->changed = 1;
}
