// The transforms of the "Transform waveform" window as plain functions over
// 1024-sample buffers, their parameters (kept between uses of the window)
// and the filter's coefficient tables.
//
// Index:
//   parameters ...... defaults as stored
//   helpers ......... interpolated reads
//   phase, mix ...... wWtrans_phaseData, wWtrans_mixData
//   fractalize ...... segment tables, level amplitudes, alternating buffers
//   filter .......... coefficient tables, periodic settling runs
//   FM .............. wWtrans_fmData
#include <cmath>
#include <cstring>

#include "windows/windows.h"

// ---- parameters -----------------------------------------------------------------------------
float phaseOffset_offset = 0.0f;
float mix_ampA = 0.5f, mix_ampB = 0.5f;
short waveID = 0;
int mix_phaseInvert = 0;
float mix_phaseOffset = 0.0f;
float mix_freqRatio = 1.0f;
short fract_iterations = 8;
float fract_displacement = 0.382f;
double fract_ampScale = 0.5;
short filter_mode = 2;
float filter_freq = 0.5f;
float fm_modIndex = 1.0f;
float fm_modFreq = 1.0f;
float fm_modPhase = 0.0f;
float fm_carrierFreq = 1.0f;
short wWtrans_shift = 0;
short wWtrans_mode = kWtransPhase;

float lpf1Gain[kWtransFilterSteps], lpf1y1[kWtransFilterSteps], hpf1Gain[kWtransFilterSteps];
float lpf2Gain[kWtransFilterSteps], lpf2y1[kWtransFilterSteps], lpf2y2[kWtransFilterSteps];

namespace {
const int N = kWaveSamples;
const double kPi = 3.14159265358979323846;

float fractScratchBufA[kWaveSamples], fractScratchBufB[kWaveSamples];
// Segment tables of levels 2..8: level n has 2^(n-1) segments.
float disp2[2], disp3[4], disp4[8], disp5[16], disp6[32], disp7[64], disp8[128];
float* const dispTables[9] = {nullptr, nullptr, disp2, disp3, disp4, disp5, disp6, disp7, disp8};

const float kSilence[kWaveSamples] = {};

// x read at position p (0 <= p, the integer part taken modulo 1024), the
// step to the next sample wrapping round the cycle.
float readAt(const float* x, double p)
{
    double whole = std::floor(p);
    int k = static_cast<int>(std::fmod(whole, static_cast<double>(N)));
    if (k < 0) k += N;
    float a = x[k], b = x[(k + 1) % N];
    return static_cast<float>(a + (b - a) * (p - whole));
}

// The start sample of an offset of -1..1 turns: negative offsets count
// from the end; wrap takes a whole turn (offset 1) back to sample 0.
int startOf(float offset, int wrap)
{
    double o = offset < 0.0f ? offset + 1.0 : offset;
    long s = static_cast<long>(o * N);
    if (wrap) s %= N;
    return s < 0 ? 0 : (s > N - 1 ? N - 1 : static_cast<int>(s));
}

float limit(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
}  // namespace

const float* wWtrans_waveData(short id)
{
    const float* data = gInst ? wave_getWaveDataFromID(gInst, id) : nullptr;
    return data ? data : kSilence;
}

// ---- phase, mix -------------------------------------------------------------------------------

void wWtrans_phaseData(const float* u, float* e, float offset)
{
    int s = startOf(offset, 1);
    for (int i = 0; i < N; ++i) e[i] = u[(s + i) % N];
}

void wWtrans_mixData(const float* u, const float* b, float* e, float ampA, float ampB, int invert,
                     float phaseOffset, float freqRatio)
{
    float a = limit(ampA, 0.0f, 1.0f), g = limit(ampB, 0.0f, 1.0f);
    double p = startOf(phaseOffset, 0);
    for (int i = 0; i < N; ++i) {
        float w = readAt(b, p);
        if (invert) w = -w;
        e[i] = w * g + u[i] * a;
        p += freqRatio;
    }
    thisBufferWantsToBeNormal(e, kWaveSamples);
}

// ---- fractalize -------------------------------------------------------------------------------
namespace {
// Every segment of the table squeezes the whole of src into it, added at
// amp to base (the previous level) position by position.
void fractalLevel(const float* base, const float* src, float* dst, const float* table, int segments,
                  double amp)
{
    // Positions that the rounding of the segment lengths leaves out keep the base.
    std::memcpy(dst, base, sizeof(float) * N);
    int o = 0;
    for (int j = 0; j < segments; ++j) {
        double step = 1.0 / table[j];
        for (double p = 0.0; p < N; p += step, ++o)
            if (o >= 0 && o < N) dst[o] = static_cast<float>(base[o] + amp * readAt(src, p));
    }
}
}  // namespace

void wWtrans_fractalizeData(const float* u, float* e, short iterations, float displacement, double ampScale)
{
    if (iterations < 2) {
        std::memcpy(e, u, sizeof(float) * N);
        return;
    }
    if (iterations > 8) iterations = 8;
    double d = limit(displacement, 0.001f, 1.0f);
    double q = ampScale < 0.0 ? 0.0 : (ampScale > 1.0 ? 1.0 : ampScale);
    double amps[8] = {0};
    amps[1] = q;
    for (int n = 2; n < 8; ++n) amps[n] = amps[n - 1] * q;
    for (double& a : amps)
        if (a < 1e-9) a = 0.0;
    const float w[2] = {static_cast<float>(d), static_cast<float>(1.0 - d)};
    disp2[0] = w[0];
    disp2[1] = w[1];
    for (int n = 3; n <= 8; ++n)
        for (int i = 0; i < (1 << (n - 2)); ++i)
            for (int j = 0; j < 2; ++j) dispTables[n][2 * i + j] = dispTables[n - 1][i] * w[j];
    // Level 2 from u into A, then back and forth between the two buffers.
    fractalLevel(u, u, fractScratchBufA, disp2, 2, amps[1]);
    const float* last = fractScratchBufA;
    for (int n = 3; n <= iterations; ++n) {
        float* dst = (n % 2) ? fractScratchBufB : fractScratchBufA;
        fractalLevel(last, last, dst, dispTables[n], 1 << (n - 1), amps[n - 1]);
        last = dst;
    }
    float peak = 0.0f;
    for (int i = 0; i < N; ++i) peak = std::fmax(peak, std::fabs(last[i]));
    if (peak == 0.0f) {
        std::memset(e, 0, sizeof(float) * N);
        return;
    }
    float scale = 0.98f / peak;
    for (int i = 0; i < N; ++i) e[i] = last[i] * scale;
    thisBufferWantsToBeNormal(e, kWaveSamples);
}

void fractalize(const float* u, float* e)
{
    wWtrans_fractalizeData(u, e, fract_iterations, fract_displacement, fract_ampScale);
}

// ---- filter -----------------------------------------------------------------------------------

void wWtrans_initFilterTables()
{
    static int done = 0;
    if (done) return;
    done = 1;
    for (int n = 0; n < kWtransFilterSteps; ++n) {
        // The cutoff in radians per sample at the reference rate.
        double w = 2.0 * kPi * 5.0 * std::pow(2.0, n / 40.0) / 44100.0;
        // First order: one real pole at exp(-w); unity gain at DC.
        lpf1y1[n] = static_cast<float>(std::exp(-w));
        lpf1Gain[n] = static_cast<float>(1.0 - lpf1y1[n]);
        hpf1Gain[n] = static_cast<float>((1.0 + lpf1y1[n]) / 2.0);
        // Second order: the Butterworth pair mapped by impulse invariance,
        // poles at radius exp(-w/sqrt 2) and angle w/sqrt 2; unity gain at DC.
        double a = w / std::sqrt(2.0), r = std::exp(-a);
        lpf2y1[n] = static_cast<float>(2.0 * r * std::cos(a));
        lpf2y2[n] = static_cast<float>(-r * r);
        lpf2Gain[n] = static_cast<float>(1.0 - static_cast<double>(lpf2y1[n]) - lpf2y2[n]);
    }
}

float wWtrans_filterData(const float* u, float* e, short mode, float freq)
{
    wWtrans_initFilterTables();
    float f = limit(freq, 0.001f, 0.99f);
    int n = static_cast<int>(481 * f);
    n = n < 20 ? 20 : (n > 480 ? 480 : n);
    // The state runs on from the end of the cycle to its start; the settling
    // runs write nothing, the last run writes e.
    double x1 = 0.0, y1 = 0.0, y2 = 0.0;
    int runs = mode == 1 ? 6 : (mode == 3 ? 4 : 11);
    for (int run = 0; run <= runs; ++run)
        for (int i = 0; i < N; ++i) {
            double x = u[i], y;
            if (mode == 1)
                y = lpf1Gain[n] * x + lpf1y1[n] * y1;
            else if (mode == 3)
                y = hpf1Gain[n] * (x - x1) + lpf1y1[n] * y1;
            else
                y = lpf2Gain[n] * x + lpf2y1[n] * y1 + lpf2y2[n] * y2;
            x1 = x;
            y2 = y1;
            y1 = y;
            if (run == runs) e[i] = static_cast<float>(y);
        }
    waveEd_dcOffsetData(e);
    return f;
}

// ---- FM -----------------------------------------------------------------------------------------

void wWtrans_fmData(const float* u, const float* m, float* e, float index, float modFreq, float modPhase,
                    float carrierFreq)
{
    long off = static_cast<long>(modPhase * N);
    if (off < 0) off += N;
    double depth = index * N / (2.0 * kPi);
    for (int i = 0; i < N; ++i) {
        double pos = std::fmod(off + static_cast<double>(i) * modFreq, static_cast<double>(N));
        int k = static_cast<int>(pos);
        k = k < 0 ? 0 : (k > N - 1 ? N - 1 : k);
        double p = std::fmod(m[k] * depth + static_cast<double>(i) * carrierFreq, static_cast<double>(N));
        if (p < 0.0) p += N;
        e[i] = readAt(u, p);
    }
}
