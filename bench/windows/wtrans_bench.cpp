// The waveform transforms' speed target: the slowest of them, Fractalize
// with 8 iterations, must take well under 2 ms so that dragging one of the
// transform window's boxes stays live. The other transforms are measured
// beside it for comparison.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "windows/windows.h"

namespace {
std::vector<float> source()
{
    std::vector<float> u(kWaveSamples);
    for (int i = 0; i < kWaveSamples; ++i) {
        double a = 2 * 3.141592653589793 * i / kWaveSamples;
        u[i] = static_cast<float>(0.6 * std::sin(a) + 0.3 * std::sin(5 * a + 1));
    }
    return u;
}

void BM_Fractalize8(benchmark::State& state)
{
    std::vector<float> u = source(), e(kWaveSamples);
    float d = 0.382f;
    for (auto _ : state) {
        wWtrans_fractalizeData(u.data(), e.data(), 8, d, 0.5);
        benchmark::DoNotOptimize(e.data());
        d = d > 0.9f ? 0.001f : d + 0.01f;  // a box being dragged
    }
}
BENCHMARK(BM_Fractalize8)->Unit(benchmark::kMicrosecond);

void BM_FilterSecondOrder(benchmark::State& state)
{
    std::vector<float> u = source(), e(kWaveSamples);
    for (auto _ : state) {
        wWtrans_filterData(u.data(), e.data(), 2, 0.3f);
        benchmark::DoNotOptimize(e.data());
    }
}
BENCHMARK(BM_FilterSecondOrder)->Unit(benchmark::kMicrosecond);

void BM_Fm(benchmark::State& state)
{
    std::vector<float> u = source(), m = source(), e(kWaveSamples);
    for (auto _ : state) {
        wWtrans_fmData(u.data(), m.data(), e.data(), 3.0f, 2.0f, 0.1f, 1.0f);
        benchmark::DoNotOptimize(e.data());
    }
}
BENCHMARK(BM_Fm)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
