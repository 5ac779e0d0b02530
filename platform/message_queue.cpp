// The message queue: posting, sending, dispatching; turning presenter input
// into mouse and keyboard messages (capture, hit testing, activation,
// double clicks); GetMessage/PeekMessage with filters; WM_PAINT and WM_TIMER
// generation; focus, activation and capture; the nested modal loop.
#include "platform/internal.h"
#include <cstring>
#include <cstdlib>
#include <algorithm>
#include <cstdio>

namespace plat {
bool mdiIsActiveChild(HWND h);
HWND mdiChildOf(HWND h);
HDROP dropCreate(const std::vector<std::string>& files, POINT pt);

void postInternal(HWND h, UINT msg, WPARAM wp, LPARAM lp, bool front)
{
    State& s = st();
    MSG m{h, msg, wp, lp, nowTicks(), s.cursorPos};
    if (front)
        s.queue.push_front(m);
    else
        s.queue.push_back(m);
}

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

static void bringModalForward()
{
    State& s = st();
    for (auto it = s.modals.rbegin(); it != s.modals.rend(); ++it)
        if (win(it->hwnd) && isTopLevel(win(it->hwnd)) && !(win(it->hwnd)->exStyle & WS_EX_TOPMOST)) {
            activateTopLevel(it->hwnd, WA_ACTIVE);
            return;
        }
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
static bool pumpOne()
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

bool peekInternal(MSG* m, HWND h, UINT mn, UINT mx, UINT remove)
{
    State& s = st();
    auto inRange = [&](UINT msg) { return (mn == 0 && mx == 0) || (msg >= mn && msg <= mx); };
    auto matches = [&](const MSG& q) {
        if (h == (HWND)-1) {
            if (q.hwnd) return false;
        } else if (h && q.hwnd != h) {
            return false;
        }
        return inRange(q.message);
    };
    for (;;) {
        for (auto it = s.queue.begin(); it != s.queue.end();) {
            if (it->hwnd && !win(it->hwnd)) {  // window gone: its messages go too
                it = s.queue.erase(it);
                continue;
            }
            if (matches(*it)) {
                *m = *it;
                if (remove & PM_REMOVE) s.queue.erase(it);
                s.lastMessageTime = m->time;
                return true;
            }
            ++it;
        }
        if (!pumpOne()) break;
    }
    if (s.quitPending && inRange(WM_QUIT)) {
        *m = MSG{nullptr, WM_QUIT, (WPARAM)s.quitCode, 0, nowTicks(), s.cursorPos};
        if (remove & PM_REMOVE) s.quitPending = false;
        return true;
    }
    if (inRange(WM_PAINT)) {
        HWND p = findWindowToPaint(h == (HWND)-1 ? nullptr : h);
        if (p && h != (HWND)-1) {
            *m = MSG{p, WM_PAINT, 0, 0, nowTicks(), s.cursorPos};
            return true;
        }
    }
    if (inRange(WM_TIMER) && timerTake(m, h, (remove & PM_REMOVE) != 0)) return true;
    return false;
}

void waitForInput(bool modal)
{
    State& s = st();
    platform_composeAndPresent(0);
    int timeout = timerNextDue(nowTicks(), nullptr);
    if (s.presenter->kind() == PLATFORM_PRESENTER_HEADLESS) {
        headlessIdle(modal);
        return;
    }
    s.presenter->wait(timeout);
}

int modalLoop(HWND dlg, const bool* done)
{
    MSG m;
    while (!*done) {
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage((int)m.wParam);
            return 0;
        }
        if (dlg && win(dlg) && IsDialogMessageA(dlg, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
        if (dlg && !win(dlg)) break;
    }
    return 1;
}

}  // namespace plat

using namespace plat;

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !win(hwnd)) return FALSE;
    postInternal(hwnd, msg, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    st().quitPending = true;
    st().quitCode = exitCode;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WindowRec* w = win(hwnd);
    if (!w || !w->proc) return 0;
    return w->proc(hwnd, msg, wParam, lParam);
}

LRESULT DispatchMessageA(const MSG* m)
{
    if (!m) return 0;
    if (m->message == WM_TIMER && m->lParam) {
        ((TIMERPROC)m->lParam)(m->hwnd, WM_TIMER, m->wParam, nowTicks());
        return 0;
    }
    WindowRec* w = win(m->hwnd);
    if (!w || !w->proc) return 0;
    LRESULT r = w->proc(m->hwnd, m->message, m->wParam, m->lParam);
    // A paint handler that did not validate would be asked again at once, forever.
    if (m->message == WM_PAINT && win(m->hwnd) && hasUpdate(m->hwnd)) validateAll(m->hwnd);
    return r;
}

BOOL TranslateMessage(const MSG* m)
{
    State& s = st();
    if (!m || (m->message != WM_KEYDOWN && m->message != WM_SYSKEYDOWN)) return FALSE;
    int ch = 0;
    WPARAM vk = m->wParam;
    if (vk == VK_RETURN)
        ch = 13;
    else if (vk == VK_TAB)
        ch = 9;
    else if (vk == VK_ESCAPE)
        ch = 27;
    else if (vk == VK_BACK)
        ch = 8;
    else if (s.keyDown[VK_CONTROL] && !s.keyDown[VK_MENU] && vk >= 'A' && vk <= 'Z')
        ch = (int)(vk - 'A' + 1);
    if (!ch) return FALSE;
    postInternal(m->hwnd, m->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, (WPARAM)ch, m->lParam, true);
    return TRUE;
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT mn, UINT mx)
{
    if (!msg || !st().running) return FALSE;
    for (;;) {
        if (st().loopCheck) st().loopCheck();
        if (peekInternal(msg, hwnd, mn, mx, PM_REMOVE)) return msg->message != WM_QUIT;
        waitForInput(!st().modals.empty());
    }
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT mn, UINT mx, UINT remove)
{
    if (!msg || !st().running) return FALSE;
    // Loops that poll the queue instead of waiting show what they drew.
    presentIfDue();
    return peekInternal(msg, hwnd, mn, mx, remove) ? TRUE : FALSE;
}

BOOL WaitMessage(void)
{
    MSG m;
    if (!st().running) return FALSE;
    for (;;) {
        if (st().loopCheck) st().loopCheck();
        if (peekInternal(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
        waitForInput(!st().modals.empty());
    }
}

void platform_setLoopCheck(void (*check)(void)) { st().loopCheck = check; }

DWORD GetMessageTime(void) { return st().lastMessageTime; }

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
