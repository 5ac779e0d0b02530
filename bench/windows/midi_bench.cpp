// The MIDI window's speed targets: the heaviest step of a note map drag (a
// jump across all 128 notes: every column stored and redrawn, the labels
// rewritten and the frame presented; under 4 ms, a quarter of the drag's
// 16 ms poll), headless; and filling the "Select midi cc" list's 129 names.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "tests/windows/window_session.h"

namespace {
windowSession session;

bool openWindow()
{
    if (!windowSession_open(&session, "midibench")) return false;
    wMidi_makeWindow();
    wMidi_show(1);
    wMidi_setMode(3);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    platform_composeAndPresent(1);
    return window_getHWND(winId_midi) != nullptr;
}

void closeWindow() { windowSession_close(&session); }
}  // namespace

static void BM_NoteMapJumpAcrossAllNotes(benchmark::State& state)
{
    if (!openWindow()) {
        state.SkipWithError("no link segment or presenter");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        float level = static_cast<float>(0.5 + 0.5 * std::sin(step * 0.3));
        for (short n = 0; n < 128; ++n) wMidi_notemap_store(n, level * n / 127.0f);
        wMidi_notemap_draw(kMidiMapEditor, -1);
        wMidi_notemap_drawText(kMidiMapEditor, static_cast<short>(step % 128));
        platform_composeAndPresent(0);
        ++step;
    }
    closeWindow();
}
BENCHMARK(BM_NoteMapJumpAcrossAllNotes)->Unit(benchmark::kMillisecond);

static void BM_ControllerNamesForTheChooser(benchmark::State& state)
{
    wMidi_ccName_init();
    char name[kCCNameSize];
    for (auto _ : state) {
        for (short cc = -1; cc <= 127; ++cc) wMidi_ccName_get(cc, name);
        benchmark::DoNotOptimize(name[0]);
    }
}
BENCHMARK(BM_ControllerNamesForTheChooser)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
