// The Waveform window's speed targets: one spectrum analysis plus one
// synthesis (under 1 ms), and one mouse step of a stroke in the wave editor
// (the tool, the editor's redraw and the present; under 4 ms), headless and,
// when a display is available, through the SDL2 presenter.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "tests/windows/window_session.h"

namespace {
windowSession session;

// The session on presenter, and a user wave of several harmonics.
bool openInstrument(int presenter = PLATFORM_PRESENTER_HEADLESS)
{
    if (!windowSession_open(&session, "wavebench", presenter)) return false;
    short id = inst_newPresetWave(gInst);
    float* w = wave_getWaveDataFromID(gInst, id);
    for (int i = 0; i < kWaveSamples; ++i) {
        double a = 2 * 3.141592653589793 * i / kWaveSamples;
        w[i] = static_cast<float>(0.5 * std::sin(a) + 0.2 * std::sin(3 * a + 1) + 0.1 * std::sin(90 * a));
    }
    currentEditWave = static_cast<short>(id - kWaveUserBaseID);
    return true;
}

void closeInstrument() { windowSession_close(&session); }

// The Waveform window shown in the session's frame.
bool openWindow()
{
    wWave_makeWindow();
    wWave_openWithNewWave(currentEditWave);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    platform_composeAndPresent(1);
    return window_getHWND(winId_waveform) != nullptr;
}

}  // namespace

static void BM_SpectrumCalculateAndSynthesize(benchmark::State& state)
{
    if (!openInstrument()) {
        state.SkipWithError("no link segment");
        return;
    }
    float* wave = wWave_currentWave();
    for (auto _ : state) {
        spectrum_calculate(kSpectrumEditor);
        spectrum_synthesize(wave, 1);
        benchmark::DoNotOptimize(wave[17]);
    }
    closeInstrument();
}
BENCHMARK(BM_SpectrumCalculateAndSynthesize)->Unit(benchmark::kMicrosecond);

// One step of a line stroke: the tool from the undo copy into the wave, the
// editor's drawing points and picture, and the frame presented.
static void strokeStep(benchmark::State& state, int presenter)
{
    if (!openInstrument(presenter) || !openWindow()) {
        state.SkipWithError("no link segment or presenter not available (no display)");
        closeInstrument();
        return;
    }
    window_setCurrent(winId_waveform);
    wave_prepareUndo(gInst, currentEditWave);
    float* wave = wWave_currentWave();
    waveEd_setWaveStartIndex(0);
    int step = 0;
    for (auto _ : state) {
        short index = static_cast<short>(200 + (step * 7) % 800);
        float value = static_cast<float>(std::sin(step * 0.1));
        waveEd_line(gInst->waveUndo.data, wave, index, value);
        waveEd_update(kWaveEditor);
        platform_composeAndPresent(0);
        ++step;
    }
    closeInstrument();
}

static void BM_StrokeStepHeadless(benchmark::State& state) { strokeStep(state, PLATFORM_PRESENTER_HEADLESS); }
static void BM_StrokeStepSdl(benchmark::State& state) { strokeStep(state, PLATFORM_PRESENTER_SDL); }
BENCHMARK(BM_StrokeStepHeadless)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrokeStepSdl)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
