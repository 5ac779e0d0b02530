// The Envelope window's speed targets: redrawing all 16 strips of a window
// that shows 16 envelopes of 68 breakpoints (under 8 ms), and one step of a
// breakpoint drag (the model change, the boxes, the strip's redraw and the
// present; under 4 ms), headless and, when a display is available, through
// the SDL2 presenter.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "tests/windows/window_session.h"

namespace {
windowSession session;

// An instrument with 16 envelopes of 68 breakpoints, each with a curved
// shape that fills its strip's width.
void makeEnvelopes()
{
    for (short e = 0; e < 16; ++e) {
        envInstRec* env = inst_getEnvInst(gInst, e);
        env_initEnvInstRec(env, static_cast<short>(e < 3 ? 1 : 9));
        env->inUse = env->shown = 1;
        env->channel = static_cast<short>(e < 3 ? e : e % 4);
        env->lastPoint = 67;
        env->envMode = envMode_loop;
        env->loopStart = 10;
        env->sustainPoint = 50;
        for (int i = 0; i < 68; ++i)
            env->bp[i] =
                envBreakpointRec{0.09 * 44100, static_cast<float>(0.5 + 0.45 * std::sin(i * 0.7 + e)),
                                 static_cast<float>(i % 3 == 0 ? 1.0 : 0.3 + 0.2 * (i % 5))};
    }
}

// The Envelope window shown in the session's frame, 1000 x 700, all 16 envelopes listed
// and shown at the least strip height (32) so that every strip is visible.
bool openWindow(int presenter)
{
    if (!windowSession_open(&session, "envbench", presenter)) return false;
    makeEnvelopes();
    wEnv_makeWindow();
    HWND hwnd = window_getHWND(winId_envelope);
    if (!hwnd) return false;
    MoveWindow(hwnd, 0, 0, 1000, 700, TRUE);
    wEnv_show(1);
    wEnv_update();
    window_setCurrent(winId_envelope);
    for (short line = 0; line < 16; ++line) list_select(kEnvList, line, 1);
    wEnv_displayEnvelopes();
    envEd_zoomV(32, 0);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    platform_composeAndPresent(1);
    return true;
}

void closeWindow() { windowSession_close(&session); }

bool open(benchmark::State& state, int presenter)
{
    if (!openWindow(presenter)) {
        state.SkipWithError("no link segment or presenter not available (no display)");
        return false;
    }
    int shown = 0;
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip; ++id) {
        RECT r;
        clickObject_getRect(id, &r);
        if (custom_getVisible(id) && r.bottom - r.top == 32) ++shown;
    }
    if (shown != 16) {
        state.SkipWithError("not every strip is visible");
        closeWindow();
        return false;
    }
    return true;
}
}  // namespace

// All 16 strips drawn, each with its 68 breakpoints in view.
static void redrawAll(benchmark::State& state, int presenter)
{
    if (!open(state, presenter)) return;
    window_setCurrent(winId_envelope);
    for (auto _ : state) {
        envEd_drawAll();
        benchmark::DoNotOptimize(envEd_get(kEnvLastStrip)->squares);
    }
    state.counters["squares"] = envEd_get(kEnvLastStrip)->squares;
    closeWindow();
}

// One step of dragging breakpoint 30 of the first envelope in lock mode:
// its time and level, the next one's time, the four boxes, the strip's
// redraw and the frame presented.
static void dragStep(benchmark::State& state, int presenter)
{
    if (!open(state, presenter)) return;
    window_setCurrent(winId_envelope);
    g_envEd_lock = 1;
    envEd_selectEnvelope(kEnvFirstStrip);
    envEd_selectBreakpoint(30);
    envInstRec* env = inst_getEnvInst(gInst, envEdGetEnvId(kEnvFirstStrip));
    const double time = env->bp[30].time, next = env->bp[31].time;
    int step = 0;
    for (auto _ : state) {
        double t = time + ((step * 37) % 200 - 100) * 30.0;
        env->bp[30].time = t;
        env->bp[31].time = time - t + next;
        env->bp[30].level = static_cast<float>(0.5 + 0.4 * std::sin(step * 0.3));
        numbox_setVal(kEnvTimeBox, static_cast<float>(t / 44100));
        numbox_setVal(kEnvPosBox, static_cast<float>(envEd_getBreakpointAbsTime(env, 30)));
        numbox_setVal(kEnvLevelBox, env->bp[30].level);
        wEnv_updateParamNumbox();
        envEd_draw(kEnvFirstStrip);
        platform_composeAndPresent(0);
        ++step;
    }
    closeWindow();
}

static void BM_RedrawSixteenStripsHeadless(benchmark::State& state)
{
    redrawAll(state, PLATFORM_PRESENTER_HEADLESS);
}
static void BM_DragStepHeadless(benchmark::State& state) { dragStep(state, PLATFORM_PRESENTER_HEADLESS); }
static void BM_DragStepSdl(benchmark::State& state) { dragStep(state, PLATFORM_PRESENTER_SDL); }
BENCHMARK(BM_RedrawSixteenStripsHeadless)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStepHeadless)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStepSdl)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
