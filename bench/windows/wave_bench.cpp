// The Waveform window's speed targets: one spectrum analysis plus one
// synthesis (under 1 ms), and one mouse step of a stroke in the wave editor
// (the tool, the editor's redraw and the present; under 4 ms), headless and,
// when a display is available, through the SDL2 presenter.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include <unistd.h>

#include "resources/resources.h"
#include "windows/windows.h"

namespace {
HWND s_client = nullptr;
LRESULT CALLBACK frameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(h, s_client, msg, wp, lp);
}

// A private segment, an instrument and a user wave of several harmonics.
bool openInstrument()
{
    std::string segment = "/morvane-wavebench-" + std::to_string(getpid());
    if (!iac_setSegmentName(segment.c_str()) || !iac_mvn_signIn()) return false;
    dsp_globals_init();
    gInst = iac_getInst(0);
    if (!gInst) return false;
    inst_reinit(gInst);
    gInst->paused = 1;
    short id = inst_newPresetWave(gInst);
    float* w = wave_getWaveDataFromID(gInst, id);
    for (int i = 0; i < kWaveSamples; ++i) {
        double a = 2 * 3.141592653589793 * i / kWaveSamples;
        w[i] = static_cast<float>(0.5 * std::sin(a) + 0.2 * std::sin(3 * a + 1) + 0.1 * std::sin(90 * a));
    }
    currentEditWave = static_cast<short>(id - kWaveUserBaseID);
    return true;
}

void closeInstrument()
{
    iac_mvn_signOut();
    iac_unlinkSegment();
}

// The Waveform window shown in a frame, on the given presenter.
bool openWindow(int presenter)
{
    if (!platform_init(presenter, 1024, 768)) return false;
    resources_registerAll();
    initBrambix();
    loadBitmaps(platform_instance());
    WNDCLASSA fc{};
    fc.lpfnWndProc = frameProc;
    fc.lpszClassName = "waveBenchFrame";
    RegisterClassA(&fc);
    HWND frame = CreateWindowExA(0, "waveBenchFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024,
                                 768, nullptr, nullptr, platform_instance(), nullptr);
    CLIENTCREATESTRUCT ccs{nullptr, 1000};
    RECT fr;
    GetClientRect(frame, &fr);
    s_client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               fr.right, fr.bottom, frame, nullptr, platform_instance(), &ccs);
    window_setFrameHWND(s_client);
    pensAndBrushes_init();
    waveMenu_init();
    wWave_makeWindow();
    wWave_openWithNewWave(currentEditWave);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    platform_composeAndPresent(1);
    return window_getHWND(winId_waveform) != nullptr;
}

void closeWindow()
{
    waveMenu_cleanup();
    pensAndBrushes_cleanup();
    brambixCleanup();
    platform_shutdown();
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
    if (!openInstrument()) {
        state.SkipWithError("no link segment");
        return;
    }
    if (!openWindow(presenter)) {
        state.SkipWithError("presenter not available (no display)");
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
    closeWindow();
    closeInstrument();
}

static void BM_StrokeStepHeadless(benchmark::State& state) { strokeStep(state, PLATFORM_PRESENTER_HEADLESS); }
static void BM_StrokeStepSdl(benchmark::State& state) { strokeStep(state, PLATFORM_PRESENTER_SDL); }
BENCHMARK(BM_StrokeStepHeadless)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrokeStepSdl)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
