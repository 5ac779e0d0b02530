// The toolkit's timers: a table of 128, a run list of the active ones in
// table order, driven by one 16 ms system timer and by the tracking loops.
// After each pass the system timer is set to wake at the next due toolkit
// timer (never sooner than 16 ms), so an idle editor whose only timer runs
// at 20 Hz is not woken 62 times a second for nothing.
#include "toolkit/toolkit_internal.h"

#include <cmath>

timerRec timerList[kTimerMax];
timerRec* timerRunList[kTimerMax];
short timerRunListSize = 0;
timerRec emptyTimer;
UINT_PTR g_timerID = 0;

void timer_emptyCallback(short, void* timer) { timer_stop((timerRec*)timer); }

void timer_initTimerRec(timerRec* timer)
{
    if (!timer) return;
    timer->nextTime = 0;
    timer->period = 0;
    timer->id = 0;
    timer->window = 0;
    timer->callback = timer_emptyCallback;
    timer->active = 0;
}

void timer_updateRunList(void)
{
    short n = 0;
    for (int i = 0; i < kTimerMax; i++)
        if (timerList[i].active) timerRunList[n++] = &timerList[i];
    timerRunListSize = n;
    for (int i = n; i < kTimerMax; i++) timerRunList[i] = &emptyTimer;
}

void timer_init(void)
{
    timer_initTimerRec(&emptyTimer);
    for (int i = 0; i < kTimerMax; i++) timer_initTimerRec(&timerList[i]);
    timer_updateRunList();
    g_timerID = SetTimer(nullptr, 0, 16, timer_winProc);
}

void timer_cleanup(void)
{
    if (g_timerID) KillTimer(nullptr, g_timerID);
    g_timerID = 0;
}

double timer_currentTime(void) { return GetTickCount() * 0.001; }

namespace {
const UINT kSystemPeriodMs = 16;
// With no toolkit timer running the system timer still looks in once a
// second; timer_new brings it forward when a timer is started.
const UINT kSystemIdleMs = 1000;

void timer_rearm(void)
{
    if (!g_timerID) return;
    double now = timer_currentTime();
    double next = -1;
    for (short i = 0; i < timerRunListSize; i++) {
        const timerRec* t = timerRunList[i];
        if (t->active && (next < 0 || t->nextTime < next)) next = t->nextTime;
    }
    UINT ms = kSystemIdleMs;
    if (next >= 0) {
        double wait = std::ceil((next - now) * 1000.0);
        ms = wait <= kSystemPeriodMs ? kSystemPeriodMs : wait >= kSystemIdleMs ? kSystemIdleMs : (UINT)wait;
    }
    SetTimer(nullptr, g_timerID, ms, timer_winProc);
}
}  // namespace

timerRec* timer_getFreeTimer(void)
{
    for (int i = 0; i < kTimerMax; i++)
        if (!timerList[i].active) return &timerList[i];
    return nullptr;
}

timerRec* timer_new(short window, short id, timerProcPtr callback, double amount, long divisor)
{
    // A divisor of 0 or a negative period is refused: no timer runs backwards.
    if (id < 1 || !callback || divisor == 0) return &emptyTimer;
    double period = amount / (double)divisor;
    if (!(period >= 0)) return &emptyTimer;
    timerRec* t = timer_getFreeTimer();
    if (!t) return &emptyTimer;
    t->period = period;
    t->nextTime = timer_currentTime() + t->period;
    t->id = id;
    t->window = window;
    t->callback = callback;
    t->active = 1;
    timer_updateRunList();
    timer_rearm();
    return t;
}

void timer_stop(timerRec* timer)
{
    if (!timer) return;
    timer_initTimerRec(timer);
    timer_updateRunList();
}

void timer_process(void)
{
    double now = timer_currentTime();
    short saved = g_currentWindow;
    for (short i = 0; i < timerRunListSize; i++) {
        timerRec* t = timerRunList[i];
        if (!t->active || now < t->nextTime) continue;
        g_currentWindow = t->window;
        t->nextTime += t->period;
        if (t->callback) t->callback(t->id, t);
    }
    g_currentWindow = saved;
}

void timer_winProc(HWND, UINT, UINT_PTR, DWORD)
{
    timer_process();
    timer_rearm();
}
