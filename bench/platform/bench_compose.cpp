// Composing and presenting a full 1020 x 760 frame with eight child windows
// (the target is under 5 ms per frame), headless and, when a display is
// available, through the SDL2 presenter; and a full repaint of all children.
#include "bench/platform/scene.h"
#include <benchmark/benchmark.h>

static void composeFull(benchmark::State& state, int presenter)
{
    if (!platform_init(presenter, 1020, 760)) {
        state.SkipWithError("presenter not available (no display)");
        return;
    }
    buildScene();
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    for (auto _ : state) benchmark::DoNotOptimize(platform_composeAndPresent(1));
    platform_shutdown();
}

static void BM_ComposeFullFrameHeadless(benchmark::State& state)
{
    composeFull(state, PLATFORM_PRESENTER_HEADLESS);
}
static void BM_ComposeFullFrameSdl(benchmark::State& state) { composeFull(state, PLATFORM_PRESENTER_SDL); }

static void BM_RepaintAllChildrenAndCompose(benchmark::State& state)
{
    platform_init(PLATFORM_PRESENTER_HEADLESS, 1020, 760);
    Scene s = buildScene();
    MSG m;
    for (auto _ : state) {
        for (HWND c : s.children) InvalidateRect(c, nullptr, TRUE);
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        platform_composeAndPresent(1);
    }
    platform_shutdown();
}

BENCHMARK(BM_ComposeFullFrameHeadless)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ComposeFullFrameSdl)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RepaintAllChildrenAndCompose)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
