// The time from a mouse move made during a number box drag to the moment
// the screen shows the new value: a private Xvfb, the desktop presenter, and
// a user thread that presses, moves the pointer five pixels up, watches the
// value field's pixels on the X server until they change, and releases.
// Each iteration is one such drag; its time is that latency. The target is
// a median of at most 16 ms (one frame); median, 90th percentile and
// maximum are reported as counters.
#include <benchmark/benchmark.h>

#include "platform/platform.h"
#include "resources/resources.h"
#include "tests/platform/x_input.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {
const short kWin = 1, kBox = 2;
const int kW = 320, kH = 240;
const int kFieldX = 107, kFieldY = 100, kFieldW = 55, kFieldH = 11;

LRESULT liveProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    window_preProcess(kWin, h, msg, wp, lp, 0);
    return DefWindowProcA(h, msg, wp, lp);
}

std::atomic<int> requested{0}, answered{0};
std::atomic<bool> stopUser{false};
std::atomic<double> lastLatencyMs{-1};

void CALLBACK quitWhenAnswered(HWND, UINT, UINT_PTR, DWORD)
{
    if (answered == requested) PostQuitMessage(0);
}

void pause(double ms) { std::this_thread::sleep_for(std::chrono::microseconds((long)(ms * 1000))); }

double nowMs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count() / 1000.0;
}

// The user: one drag per request.
void userLoop(const std::string& display)
{
    XUser u(display);
    bool ready = u.ok() && u.findWindow(kW, kH, 5000);
    pause(300);
    int served = 0;
    while (!stopUser) {
        if (requested == served) {
            pause(1);
            continue;
        }
        double latency = -1;
        if (ready) {
            u.moveTo(168, 105);
            u.press();
            pause(60);  // the drag has started and shows its pressed field
            std::vector<uint32_t> base = u.grab(kFieldX, kFieldY, kFieldW, kFieldH);
            double t0 = nowMs();
            u.moveTo(168, 100);
            while (nowMs() - t0 < 1000) {
                if (u.grab(kFieldX, kFieldY, kFieldW, kFieldH) != base) {
                    latency = nowMs() - t0;
                    break;
                }
                pause(0.25);
            }
            u.release();
            pause(40);
        }
        lastLatencyMs = latency;
        served++;
        answered = served;
    }
}

void BM_DragMoveToPresentedPixels(benchmark::State& state)
{
    PrivateDisplay display;
    if (display.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    setenv("DISPLAY", display.name().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    if (!platform_init(PLATFORM_PRESENTER_SDL, kW, kH) || !resources_registerAll()) {
        state.SkipWithError("no desktop presenter");
        return;
    }
    initBrambix();
    loadBitmaps(platform_instance());
    WNDCLASSA wc{};
    wc.lpfnWndProc = liveProc;
    wc.lpszClassName = "live";
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "live", "live", WS_POPUP | WS_VISIBLE, 0, 0, kW, kH, nullptr, nullptr,
                                platform_instance(), nullptr);
    window_brambixize(kWin, hwnd, 8, 8);
    numbox_new(kBox, 100, 100, 64, 1, 0, 0, -1e6, 1e6, nullptr, nullptr, "drag");
    window_postBrambixize(kWin);
    window_show(kWin, 1);

    requested = answered = 0;
    stopUser = false;
    std::thread user(userLoop, display.name());
    UINT_PTR check = SetTimer(nullptr, 0, 10, quitWhenAnswered);
    std::vector<double> latencies;
    bool failed = false;
    for (auto _ : state) {
        requested++;
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        double ms = lastLatencyMs;
        if (ms < 0) failed = true;
        latencies.push_back(ms < 0 ? 1000 : ms);
        state.SetIterationTime(latencies.back() / 1000.0);
    }
    KillTimer(nullptr, check);
    stopUser = true;
    user.join();
    brambixCleanup();
    platform_shutdown();
    if (failed) state.SkipWithError("a move never reached the screen within a second");
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty()) {
        state.counters["median_ms"] = latencies[latencies.size() / 2];
        state.counters["p90_ms"] = latencies[latencies.size() * 9 / 10];
        state.counters["max_ms"] = latencies.back();
    }
}
BENCHMARK(BM_DragMoveToPresentedPixels)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
