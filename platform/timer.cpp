// Timers (with and without a window, with and without a callback), the
// tick count and sleeping (which presents what was drawn before it). A due timer becomes a WM_TIMER message when the
// queue has nothing else; timers due together fire in the order of their due time.
#include "platform/internal.h"
#include <algorithm>

namespace plat {

static bool timerMatches(const TimerRec& t, HWND filter)
{
    if (filter == (HWND)-1) return t.hwnd == nullptr;
    return !filter || t.hwnd == filter;
}

int timerNextDue(DWORD now, HWND filter)
{
    int best = -1;
    for (const TimerRec& t : st().timers) {
        if (!timerMatches(t, filter)) continue;
        int wait = (int)(t.due - now);
        if (wait < 0) wait = 0;
        if (best < 0 || wait < best) best = wait;
    }
    return best;
}

bool timerTake(MSG* m, HWND filter, bool remove)
{
    State& s = st();
    DWORD now = nowTicks();
    TimerRec* best = nullptr;
    for (TimerRec& t : s.timers) {
        if (!timerMatches(t, filter) || (int)(t.due - now) > 0) continue;
        if (!best || (int)(t.due - best->due) < 0 || (t.due == best->due && t.order < best->order)) best = &t;
    }
    if (!best) return false;
    *m = MSG{best->hwnd, WM_TIMER, best->id, (LPARAM)best->proc, now, s.cursorPos};
    if (remove) best->due = now + best->interval;
    return true;
}

void timersKillWindow(HWND h)
{
    auto& v = st().timers;
    v.erase(std::remove_if(v.begin(), v.end(), [h](const TimerRec& t) { return t.hwnd == h; }), v.end());
}

}  // namespace plat

using namespace plat;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
    State& s = st();
    if (!s.running || (hwnd && !win(hwnd))) return 0;
    if (elapseMs < 10) elapseMs = 10;
    if (elapseMs > 0x7FFFFFFF) elapseMs = 0x7FFFFFFF;
    TimerRec* t = nullptr;
    for (TimerRec& o : s.timers)
        if (o.hwnd == hwnd && o.id == id && (hwnd || id)) t = &o;
    if (!t) {
        if (!hwnd) {
            id = s.nextThreadTimerId++;
            if (s.nextThreadTimerId == 0) s.nextThreadTimerId = 1;
        }
        s.timers.push_back(TimerRec());
        t = &s.timers.back();
        t->hwnd = hwnd;
        t->id = id;
    }
    t->interval = elapseMs;
    t->proc = proc;
    t->due = nowTicks() + elapseMs;
    t->order = ++s.timerOrder;
    if (!hwnd) return id;
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto& v = st().timers;
    auto it =
        std::find_if(v.begin(), v.end(), [&](const TimerRec& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == v.end()) return FALSE;
    v.erase(it);
    return TRUE;
}

DWORD GetTickCount(void) { return nowTicks(); }

// A loop that drew and now sleeps has its drawing presented first; when the
// last presentation is too recent, it sleeps until the frame is due, presents
// then, and sleeps the rest.
void Sleep(DWORD ms)
{
    State& s = st();
    if (!s.presenter) return;
    int due = presentDueIn();
    if (due > 0 && (DWORD)due < ms) {
        s.presenter->sleep((DWORD)due);
        ms -= (DWORD)due;
        due = presentDueIn();
    }
    if (due == 0) platform_composeAndPresent(0);
    if (ms) s.presenter->sleep(ms);
}
