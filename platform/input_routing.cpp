// Input routing: turns the presenter's input events into mouse and keyboard
// messages: the target window (capture, hit testing, the focus), activation
// by a click, double clicks, client and non-client mouse messages, wheel,
// typed text, dropped files and the close request; and the key and cursor
// state that callers ask for.
#include "platform/internal.h"
#include <cstdlib>

namespace plat {

WPARAM mouseKeyFlags()
{
    State& s = st();
    WPARAM f = 0;
    if (s.keyDown[VK_LBUTTON]) f |= MK_LBUTTON;
    if (s.keyDown[VK_RBUTTON]) f |= MK_RBUTTON;
    if (s.keyDown[VK_MBUTTON]) f |= MK_MBUTTON;
    if (s.keyDown[VK_SHIFT]) f |= MK_SHIFT;
    if (s.keyDown[VK_CONTROL]) f |= MK_CONTROL;
    return f;
}

// Activates the clicked window (top-level, then MDI child); true when the
// click must be swallowed.
static bool clickActivate(HWND target, int hit, UINT msg)
{
    State& s = st();
    HWND top = topLevelOf(target);
    WindowRec* tw = win(top);
    if (!tw || (tw->exStyle & WS_EX_TOPMOST)) return false;
    bool eat = false;
    if (s.active != top) {
        LRESULT r = SendMessageA(target, WM_MOUSEACTIVATE, (WPARAM)top, MAKELPARAM(hit, msg));
        if (r != MA_NOACTIVATE && r != MA_NOACTIVATEANDEAT) activateTopLevel(top, WA_CLICKACTIVE);
        eat = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
    }
    HWND child = mdiChildOf(target);
    if (win(child) && !mdiIsActiveChild(child)) {
        LRESULT r = SendMessageA(target, WM_MOUSEACTIVATE, (WPARAM)top, MAKELPARAM(hit, msg));
        if (r != MA_NOACTIVATE && r != MA_NOACTIVATEANDEAT && win(child))
            SendMessageA(win(child)->parent, WM_MDIACTIVATE, (WPARAM)child, 0);
        eat = eat || r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
    }
    return eat;
}

static void routeMouse(InputType type, int button)
{
    State& s = st();
    POINT pt = s.cursorPos;
    int hit = HTCLIENT;
    HWND target = s.capture;
    if (!win(target)) {
        s.capture = nullptr;
        target = hitTestWindow(pt, &hit);
    }
    if (!target) return;
    bool down = type == IN_BUTTONDOWN;
    if (!isReallyEnabled(target)) {
        if (down) bringModalForward();
        return;
    }
    UINT base = button == 3 ? WM_RBUTTONDOWN : button == 2 ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
    UINT msg = WM_MOUSEMOVE;
    if (type == IN_BUTTONDOWN) msg = base;
    if (type == IN_BUTTONUP) msg = base + 1;
    if (down && !s.capture) {
        if (clickActivate(target, hit, msg)) return;
        if (!win(target)) return;
    }
    if (down) {
        DWORD now = nowTicks();
        WindowRec* w = win(target);
        bool dbl = hit == HTCLIENT && (w->cls->style & CS_DBLCLKS) && s.lastClickWnd == target &&
                   s.lastClickButton == button && now - s.lastClickTime <= GetDoubleClickTime() &&
                   std::abs(pt.x - s.lastClickPos.x) <= 4 && std::abs(pt.y - s.lastClickPos.y) <= 4;
        if (dbl) {
            msg = base + 2;
            s.lastClickWnd = nullptr;
        } else {
            s.lastClickWnd = target;
            s.lastClickButton = button;
            s.lastClickTime = now;
            s.lastClickPos = pt;
        }
    }
    if (type == IN_MOUSEMOVE && !s.capture)
        SendMessageA(target, WM_SETCURSOR, (WPARAM)target, MAKELPARAM(hit, WM_MOUSEMOVE));
    if (!win(target)) return;
    if (hit == HTCLIENT) {
        POINT o = clientOriginOnScreen(target);
        LPARAM lp = MAKELPARAM(pt.x - o.x, pt.y - o.y);
        if (msg == WM_MOUSEMOVE && !s.queue.empty()) {
            MSG& last = s.queue.back();
            if (last.message == WM_MOUSEMOVE && last.hwnd == target && last.wParam == mouseKeyFlags()) {
                last.lParam = lp;
                last.pt = pt;
                return;
            }
        }
        postInternal(target, msg, mouseKeyFlags(), lp);
    } else {
        UINT nc = WM_NCMOUSEMOVE;
        if (type != IN_MOUSEMOVE) {
            if (button == 2) return;
            nc = (button == 3 ? WM_NCRBUTTONDOWN : WM_NCLBUTTONDOWN) + (type == IN_BUTTONUP ? 1 : 0);
            if (msg == base + 2) nc = WM_NCLBUTTONDOWN;
        }
        postInternal(target, nc, (WPARAM)hit, MAKELPARAM(pt.x, pt.y));
    }
}

static int buttonVk(int button) { return button == 3 ? VK_RBUTTON : button == 2 ? VK_MBUTTON : VK_LBUTTON; }

static HWND mainWindow()
{
    for (HWND h : st().topLevels) {
        WindowRec* w = win(h);
        if (w && (w->style & WS_VISIBLE) && !w->owner && !(w->exStyle & WS_EX_TOPMOST)) return h;
    }
    return nullptr;
}

// Turns one presenter event into messages; false when no event was pending.
bool pumpInput()
{
    State& s = st();
    InputEvent ev;
    if (!s.presenter || !s.presenter->poll(&ev)) return false;
    switch (ev.type) {
    case IN_MOUSEMOVE:
        s.cursorPos = POINT{ev.x, ev.y};
        routeMouse(IN_MOUSEMOVE, 0);
        break;
    case IN_BUTTONDOWN:
    case IN_BUTTONUP:
        s.cursorPos = POINT{ev.x, ev.y};
        s.keyDown[buttonVk(ev.button)] = ev.type == IN_BUTTONDOWN;
        routeMouse(ev.type, ev.button);
        break;
    case IN_WHEEL: {
        s.cursorPos = POINT{ev.x, ev.y};
        HWND t = s.focus ? s.focus : s.active;
        if (t && isReallyEnabled(t))
            postInternal(t, WM_MOUSEWHEEL, MAKEWPARAM(mouseKeyFlags(), ev.delta * WHEEL_DELTA),
                         MAKELPARAM(ev.x, ev.y));
        break;
    }
    case IN_KEYDOWN:
    case IN_KEYUP: {
        int vk = ev.vk & 0xFF;
        bool down = ev.type == IN_KEYDOWN;
        bool wasDown = s.keyDown[vk];
        s.keyDown[vk] = down;
        if (down && !wasDown) s.keyToggle[vk] ^= 1;
        HWND t = s.focus ? s.focus : s.active;
        if (!t || !isReallyEnabled(topLevelOf(t))) break;
        bool sys = s.keyDown[VK_MENU] || vk == VK_F10 || vk == VK_MENU;
        LPARAM lp = 1 | (wasDown ? (1 << 30) : 0) | (s.keyDown[VK_MENU] ? (1 << 29) : 0);
        if (!down) lp |= (LPARAM)0xC0000000;
        UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
        postInternal(t, msg, (WPARAM)vk, lp);
        break;
    }
    case IN_TEXT: {
        HWND t = s.focus;
        if (!t || !isReallyEnabled(topLevelOf(t))) break;
        const unsigned char* p = (const unsigned char*)ev.text.c_str();
        while (*p) {
            unsigned cp = *p++;
            if (cp >= 0xC0 && cp < 0xE0 && (*p & 0xC0) == 0x80)
                cp = ((cp & 0x1F) << 6) | (*p++ & 0x3F);
            else if (cp >= 0x80) {
                while ((*p & 0xC0) == 0x80) p++;
                continue;
            }
            if (cp >= 32 && cp < 256 && cp != 127) postInternal(t, WM_CHAR, cp, 1);
        }
        break;
    }
    case IN_DROPFILES: {
        s.cursorPos = POINT{ev.x, ev.y};
        int hit;
        HWND t = hitTestWindow(s.cursorPos, &hit);
        while (t && !(win(t)->exStyle & WS_EX_ACCEPTFILES))
            t = (win(t)->style & WS_CHILD) ? win(t)->parent : nullptr;
        if (!t || !isReallyEnabled(t) || ev.files.empty()) break;
        POINT o = clientOriginOnScreen(t);
        postInternal(t, WM_DROPFILES, (WPARAM)dropCreate(ev.files, POINT{ev.x - o.x, ev.y - o.y}), 0);
        break;
    }
    case IN_CLOSE: {
        HWND m = mainWindow();
        if (!m)
            PostQuitMessage(0);
        else if (isReallyEnabled(m))
            postInternal(m, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
    case IN_RESIZE: screenResize(ev.x, ev.y); break;
    case IN_EXPOSE: platform_composeAndPresent(1); break;
    }
    return true;
}

}  // namespace plat

using namespace plat;

BOOL GetCursorPos(LPPOINT pt)
{
    if (!pt) return FALSE;
    presentIfDue();  // so does a loop that polls the mouse
    *pt = st().cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    st().cursorPos = POINT{x, y};
    return TRUE;
}

short GetKeyState(int vk)
{
    State& s = st();
    if (vk < 0 || vk > 255) return 0;
    return (short)((s.keyDown[vk] ? 0x8000 : 0) | (s.keyToggle[vk] & 1));
}

short GetAsyncKeyState(int vk)
{
    if (vk < 0 || vk > 255) return 0;
    return (short)(st().keyDown[vk] ? 0x8000 : 0);
}

UINT GetDoubleClickTime(void) { return 500; }
BOOL MessageBeep(UINT) { return TRUE; }
