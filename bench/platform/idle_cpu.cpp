// platform_idle_cpu: runs the benchmark scene in a real SDL2 window for ten
// seconds without input, with the editor's 50 ms frame timer ticking (or
// without it: --no-timer), and prints the processor time used as a share of
// one core. The target is under 0.5 %.
#include "bench/platform/scene.h"
#include <sys/resource.h>
#include <cstring>

static double cpuSeconds()
{
    rusage u;
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}

static DWORD endTick;
static int ticks;
static void idleTimer(HWND, UINT, UINT_PTR, DWORD now)
{
    ticks++;
    if (now >= endTick) PostQuitMessage(0);
}

int main(int argc, char** argv)
{
    bool timer = !(argc > 1 && !strcmp(argv[1], "--no-timer"));
    int seconds = 10;
    if (!platform_init(PLATFORM_PRESENTER_SDL, 1020, 760)) {
        fprintf(stderr, "platform_idle_cpu: no display (run under xvfb-run)\n");
        return 1;
    }
    buildScene();
    MSG m;
    // Let the first paint and presentation happen before measuring.
    DWORD settle = GetTickCount() + 500;
    while (GetTickCount() < settle) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        platform_composeAndPresent(0);
        Sleep(10);
    }
    double c0 = cpuSeconds();
    DWORD t0 = GetTickCount();
    endTick = t0 + seconds * 1000;
    SetTimer(nullptr, 0, timer ? 50 : 1000, idleTimer);
    while (GetMessageA(&m, nullptr, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    double used = cpuSeconds() - c0;
    double wall = (GetTickCount() - t0) / 1000.0;
    printf("idle for %.1f s with %s: %.3f s of processor time = %.3f %% of one core (%d timer ticks)\n", wall,
           timer ? "a 50 ms timer" : "a 1 s timer", used, 100.0 * used / wall, ticks);
    platform_shutdown();
    return 0;
}
