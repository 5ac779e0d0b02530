// Message pre-processing: the front window, painting, the mouse state
// machine, left and right click dispatch with double-click detection, and
// the helpers of the tracking loops that controls run while the button is down.
#include "toolkit/toolkit_internal.h"

short gActiveObject = 0;
short brambixEvent_type = 0;
short brambixEvent_id = 0;
mouseRec g_mouse;
int mouse_stop = 0;
int gStopEvent = 0;
long clickTime = 0;
long g_isDoubleClick = 0;
static int s_clickSeen = 0;  // clickTime holds a real click

void toolkit_resetClickClock(void)
{
    clickTime = 0;
    s_clickSeen = 0;
    g_isDoubleClick = 0;
}

// ---- mouse ---------------------------------------------------------------------------------

void mouse_init(mouseRec* mouse)
{
    if (mouse) *mouse = mouseRec();
}

void mouse_setDragging(void) { g_mouse.state = kMouseDragging; }
short mouse_getState(void) { return g_mouse.state; }

void mouse_update_win(mouseRec* mouse, UINT msg, short x, short y)
{
    if (!mouse) return;
    mouse->pos.h = x;
    mouse->pos.v = y;
    mouse_stop = 0;
    if (mouse->state == kMouseReleased) mouse->state = kMouseIdle;
    switch (msg) {
    case WM_MOUSEMOVE:
        if (mouse->state == kMousePressed) mouse->state = kMouseDragging;
        break;
    case WM_LBUTTONDOWN:
        mouse->state = kMousePressed;
        mouse->pressPos = mouse->pos;
        break;
    case WM_LBUTTONUP:
        mouse->state = kMouseReleased;
        mouse->releasePos = mouse->pos;
        break;
    case WM_RBUTTONDOWN: mouse->pressPos = mouse->pos; break;
    default: break;
    }
}

int mouse_up(HWND hwnd)
{
    if (mouse_stop) return 1;
    MSG msg;
    if (!PeekMessageA(&msg, hwnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) return 0;
    switch (msg.message) {
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return 1;
    default: return 0;
    }
}

void mouse_getPos(zPoint* pt)
{
    if (!pt) return;
    HWND h = window_getHWND(g_currentWindow);
    if (!h) return;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(h, &p);
    pt->h = (short)p.x;
    pt->v = (short)p.y;
}

void resetClicks(void)
{
    g_mouse.state = kMouseIdle;
    ReleaseCapture();
}

void window_stopEvent(void)
{
    gStopEvent = 1;
    mouse_init(&g_mouse);
}

long isDoubleClick(void) { return g_isDoubleClick; }

// ---- click dispatch ---------------------------------------------------------------------------

short window_processClick(short id, short objectID)
{
    DWORD now = GetTickCount();
    g_isDoubleClick = (s_clickSeen && (DWORD)(now - (DWORD)clickTime) < 250) ? 1 : 0;
    clickTime = (long)now;
    s_clickSeen = 1;
    gActiveObject = 0;
    textEdit_validate();
    clickObjectRec* obj = clickObject_get(id, objectID);
    short type = obj->type;
    list_forgetKeys(id);  // a click on a list takes them again
    if (obj->enabled) {
        gActiveObject = objectID;
        if (obj->clickProc) obj->clickProc(objectID);
        gActiveObject = 0;
    }
    if (gStopEvent) {
        gStopEvent = 0;
        return 0;
    }
    return type;
}

short window_processRightClick(short id, short objectID)
{
    gActiveObject = 0;
    textEdit_validate();
    clickObjectRec* obj = clickObject_get(id, objectID);
    const controlKindRec* kind = obj ? control_kind(obj->type) : nullptr;
    if (kind && kind->rightClick) kind->rightClick(obj);
    return 0;
}

// ---- the wheel ---------------------------------------------------------------------------------

// The attached, shown window whose window (or a child of it) is h; 0 if none.
static short window_ofHWND(HWND h)
{
    for (; h; h = GetParent(h))
        for (short id = 1; id <= kWindowMax; id++) {
            windowRec* w = window_get(id);
            if (w && w->hwnd == h) return w->visible ? id : 0;
        }
    return 0;
}

// The wheel acts on the control under the pointer, in whichever toolkit
// window that is (the message comes to the window with the focus): number
// boxes step, draggies move a little, lists scroll.
static void window_wheel(WPARAM wParam, LPARAM lParam)
{
    POINT screen{(short)LOWORD(lParam), (short)HIWORD(lParam)};
    short window = window_ofHWND(WindowFromPoint(screen));
    int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    if (!window || !notches) return;
    POINT client = screen;
    ScreenToClient(window_getHWND(window), &client);
    zPoint pt;
    pt.h = (short)client.x;
    pt.v = (short)client.y;
    g_currentWindow = window;
    short object = zone_pointToZoneID(window, &pt);
    clickObjectRec* obj = clickObject_get(window, object);
    if (obj == &defaultClickObject || !obj->visible || !obj->enabled) return;
    textEdit_validate();  // as a click would
    switch (obj->type) {
    case kTypeNumbox: numbox_wheel(object, notches, &pt); break;
    case kTypeDraggy: draggy_wheel(object, notches); break;
    case kTypeList: list_scroll(object, -3 * notches); break;
    default: break;
    }
}

// ---- pre-processing ------------------------------------------------------------------------------

static int isHandledWithoutAll(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_MDIACTIVATE:
    case WM_ACTIVATE:
    case WM_PAINT: return 1;
    default: return 0;
    }
}

static void window_trackFront(short id, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != 0) g_frontWindow = id;
        break;
    case WM_MOUSEACTIVATE: g_frontWindow = id; break;
    case WM_MDIACTIVATE:
        if ((HWND)lParam == hwnd) g_frontWindow = id;
        break;
    case WM_SHOWWINDOW:
        if (wParam)
            g_frontWindow = id;
        else if (g_frontWindow == id)
            g_frontWindow = 0;
        break;
    default: break;
    }
}

short window_preProcess(short id, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int all)
{
    // The wheel and the keys of a list the user clicked last, whatever all says.
    if (msg == WM_MOUSEWHEEL) {
        if (window_get(id)) window_wheel(wParam, lParam);
        return 0;
    }
    if (msg == WM_KEYDOWN) {
        if (window_get(id)) list_takeKey(id, wParam);
        return 0;
    }
    if (!all && !isHandledWithoutAll(msg)) return 0;
    windowRec* w = window_get(id);
    if (!w) return 0;
    w->currentDC = nullptr;
    if (msg == WM_RBUTTONDOWN || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_PAINT)
        g_currentWindow = id;
    brambixEvent_id = 0;
    // Only mouse messages carry a position in lParam; the others leave it.
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
        mouse_update_win(&g_mouse, msg, (short)LOWORD(lParam), (short)HIWORD(lParam));
    else
        mouse_update_win(&g_mouse, msg, g_mouse.pos.h, g_mouse.pos.v);
    window_trackFront(id, hwnd, msg, wParam, lParam);

    short object = 0;
    switch (msg) {
    case WM_PAINT:
        if (GetUpdateRect(hwnd, nullptr, FALSE) && w->visible) window_paintWin(id);
        break;
    case WM_MOUSEMOVE:
        if (g_frontWindow == id) zone_updateCursor(zone_pointToZoneID(id, &g_mouse.pos));
        break;
    case WM_LBUTTONDOWN:
        object = zone_pointToZoneID(id, &g_mouse.pos);
        SetCapture(hwnd);
        brambixEvent_id = object;
        if (g_mouse.state > kMouseIdle) brambixEvent_type = window_processClick(id, object);
        break;
    case WM_LBUTTONUP: ReleaseCapture(); break;
    case WM_RBUTTONDOWN:
        object = zone_pointToZoneID(id, &g_mouse.pos);
        window_processRightClick(id, object);
        break;
    default: break;
    }
    if (w->currentDC) {
        if (w->hwnd) ReleaseDC(w->hwnd, w->currentDC);
        w->currentDC = nullptr;
    }
    return (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) ? object : 0;
}

// ---- the text-edit record ------------------------------------------------------------------------

void textEdit_validateDefault(short, char*) {}

void textEditRec_init(textEditRec* rec)
{
    if (!rec) return;
    rec->id = 0;
    rec->validate = textEdit_validateDefault;
    rec->open = 0;
    rec->hwnd = nullptr;
}

// Ends an open in-place edit of the current window: hands the typed text to
// the validate function, removes the edit control and repaints the object.
void textEdit_validate(void)
{
    windowRec* w = window_get(g_currentWindow);
    if (!w) return;
    textEditRec* te = &w->textEdit;
    if (!te->open) return;
    clickObjectRec* obj = clickObject_get(g_currentWindow, te->id);
    short id = te->id;
    validateProcPtr validate = te->validate;
    HWND edit = te->hwnd;
    textEditRec_init(te);
    if (obj == &defaultClickObject) {
        if (edit) DestroyWindow(edit);
        return;
    }
    char text[257] = {0};
    if (edit) GetWindowTextA(edit, text, sizeof text);
    if (validate) validate(id, text);
    if (edit) DestroyWindow(edit);
    invalRect(&obj->rect);
    // A display keeps the typed text and tells its owner.
    if (clickObject_get(g_currentWindow, id)->type == kTypeDisplay) {
        display_setText(id, text);
        display_doCallback(id);
    }
}
