// The message queue: posting, sending and dispatching; GetMessage,
// PeekMessage and WaitMessage with their filters, which turn pending input
// into messages and make WM_PAINT, WM_TIMER and WM_QUIT when nothing else is
// queued; the idle step of the presenter when the queue is empty.
#include "platform/internal.h"

namespace plat {

void postInternal(HWND h, UINT msg, WPARAM wp, LPARAM lp, bool front)
{
    State& s = st();
    MSG m{h, msg, wp, lp, nowTicks(), s.cursorPos};
    if (front)
        s.queue.push_front(m);
    else
        s.queue.push_back(m);
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
        if (!pumpInput()) break;
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
    s.presenter->idle(timerNextDue(nowTicks(), nullptr), modal);
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
