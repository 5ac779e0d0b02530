// Focus, activation and capture: which top-level window is active, which
// window takes the keys, and which one takes the mouse while a button is down.
#include "platform/internal.h"

namespace plat {

void activateTopLevel(HWND h, int how)
{
    State& s = st();
    h = topLevelOf(h);
    WindowRec* w = win(h);
    if (!w) return;
    if (s.active == h) {
        zorderToTop(h);
        return;
    }
    HWND old = s.active;
    s.active = h;
    zorderToTop(h);
    if (WindowRec* o = win(old)) {
        o->ncDirty = true;
        damageWindow(old);
        SendMessageA(old, WM_ACTIVATE, WA_INACTIVE, (LPARAM)h);
    }
    w = win(h);
    if (!w || s.active != h) return;
    w->ncDirty = true;
    damageWindow(h);
    SendMessageA(h, WM_ACTIVATE, how, (LPARAM)old);
    if (s.presenter && !w->owner) s.presenter->setTitle(w->text);
}

}  // namespace plat

using namespace plat;

HWND SetFocus(HWND hwnd)
{
    State& s = st();
    if (hwnd && (!win(hwnd) || !isReallyEnabled(hwnd))) return nullptr;
    if (hwnd) {
        HWND top = topLevelOf(hwnd);
        if (top != s.active) activateTopLevel(top, WA_ACTIVE);
    }
    HWND old = s.focus;
    if (old == hwnd) return old;
    s.focus = hwnd;
    if (win(old)) SendMessageA(old, WM_KILLFOCUS, (WPARAM)hwnd, 0);
    if (hwnd && s.focus == hwnd) SendMessageA(hwnd, WM_SETFOCUS, (WPARAM)old, 0);
    return win(old) ? old : nullptr;
}

HWND GetFocus(void) { return win(st().focus) ? st().focus : nullptr; }
HWND SetActiveWindow(HWND hwnd)
{
    HWND old = st().active;
    if (win(hwnd)) activateTopLevel(hwnd, WA_ACTIVE);
    return old;
}
HWND GetActiveWindow(void) { return win(st().active) ? st().active : nullptr; }
BOOL SetForegroundWindow(HWND hwnd)
{
    if (!win(hwnd)) return FALSE;
    activateTopLevel(hwnd, WA_ACTIVE);
    if (st().presenter) st().presenter->raise();
    return TRUE;
}
HWND GetForegroundWindow(void) { return GetActiveWindow(); }

HWND SetCapture(HWND hwnd)
{
    State& s = st();
    HWND old = s.capture;
    if (!win(hwnd)) return nullptr;
    s.capture = hwnd;
    if (win(old) && old != hwnd) SendMessageA(old, WM_CAPTURECHANGED, 0, (LPARAM)hwnd);
    return win(old) ? old : nullptr;
}

BOOL ReleaseCapture(void)
{
    State& s = st();
    HWND old = s.capture;
    s.capture = nullptr;
    if (win(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture(void) { return win(st().capture) ? st().capture : nullptr; }
