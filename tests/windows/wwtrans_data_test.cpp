// The waveform transforms as plain functions over 1024 samples: the edge
// cases a musician meets first, and the filter's coefficient tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "windows/windows.h"

namespace {
const double kPi = 3.14159265358979323846;
typedef std::vector<float> waveV;

waveV sine(int harmonic, double phase = 0.0)
{
    waveV v(kWaveSamples);
    for (int i = 0; i < kWaveSamples; ++i)
        v[i] = static_cast<float>(std::sin(2 * kPi * harmonic * i / kWaveSamples + phase));
    return v;
}

float peakOf(const waveV& v)
{
    float p = 0;
    for (float x : v) p = std::fmax(p, std::fabs(x));
    return p;
}

std::string six(float v)
{
    char t[32];
    std::snprintf(t, sizeof t, "%.6f", v);
    return t;
}
}  // namespace

TEST(WaveTransformData, PhaseOffsetTurnsASineIntoACosineFromEitherSide)
{
    waveV u = sine(1), e(kWaveSamples), f(kWaveSamples);
    wWtrans_phaseData(u.data(), e.data(), 0.25f);
    wWtrans_phaseData(u.data(), f.data(), -0.75f);
    for (int i = 0; i < kWaveSamples; ++i) {
        ASSERT_EQ(u[(i + 256) % kWaveSamples], e[i]) << i;
        ASSERT_NEAR(std::cos(2 * kPi * i / kWaveSamples), e[i], 1e-6) << i;
    }
    EXPECT_EQ(e, f);
    // A whole turn either way is no offset at all.
    wWtrans_phaseData(u.data(), e.data(), 1.0f);
    EXPECT_EQ(u, e);
    wWtrans_phaseData(u.data(), e.data(), -1.0f);
    EXPECT_EQ(u, e);
}

TEST(WaveTransformData, MixAtZeroDecibelsForBIsWaveBAlone)
{
    waveV u = sine(1), b = sine(3, 0.3), e(kWaveSamples);
    float ampB = static_cast<float>(dBToAmp(0.0)), ampA = 1.0f - ampB;
    // Ratio 2 from half a turn: whole positions of B, no interpolation.
    wWtrans_mixData(u.data(), b.data(), e.data(), ampA, ampB, 0, -0.5f, 2.0f);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_EQ(b[(512 + 2 * i) % kWaveSamples], e[i]) << i;
    wWtrans_mixData(u.data(), b.data(), e.data(), ampA, ampB, 1, -0.5f, 2.0f);
    EXPECT_EQ(-b[512], e[0]);
    // Half and half, a ratio of 1.5: B read between its samples.
    wWtrans_mixData(u.data(), b.data(), e.data(), 0.5f, 0.5f, 0, 0.0f, 1.5f);
    EXPECT_FLOAT_EQ(0.5f * u[3] + 0.5f * (b[4] + (b[5] - b[4]) * 0.5f), e[3]);
    // A phase offset of a whole turn starts at the last sample, levels are limited.
    wWtrans_mixData(u.data(), b.data(), e.data(), 3.0f, -2.0f, 0, 1.0f, 1.0f);
    EXPECT_EQ(u, e);
}

TEST(WaveTransformData, FractalizeSqueezesCopiesIntoSegments)
{
    waveV u = sine(1), e(kWaveSamples);
    // Displacement 0.5, two iterations: u plus two half-length copies of u
    // at the amp slope, normalised to 0.98.
    wWtrans_fractalizeData(u.data(), e.data(), 2, 0.5f, 0.5);
    waveV expect(kWaveSamples);
    for (int o = 0; o < kWaveSamples; ++o) expect[o] = u[o] + 0.5f * u[(2 * o) % kWaveSamples];
    float scale = 0.98f / peakOf(expect);
    for (int o = 0; o < kWaveSamples; ++o) ASSERT_NEAR(expect[o] * scale, e[o], 2e-6) << o;
    EXPECT_NEAR(0.98f, peakOf(e), 1e-6);
    // Fewer than two iterations leave the wave; silence stays silent.
    wWtrans_fractalizeData(u.data(), e.data(), 1, 0.5f, 0.5);
    EXPECT_EQ(u, e);
    waveV zero(kWaveSamples, 0.0f);
    wWtrans_fractalizeData(zero.data(), e.data(), 8, 0.382f, 0.5);
    EXPECT_EQ(zero, e);
    // Eight iterations at the smallest displacement and the full slope: every
    // sample written, finite and within the peak.
    wWtrans_fractalizeData(u.data(), e.data(), 8, 0.001f, 1.0);
    for (float x : e) ASSERT_TRUE(std::isfinite(x) && std::fabs(x) <= 0.98f + 1e-6f);
    EXPECT_NEAR(0.98f, peakOf(e), 1e-6);
    // A slope of 0 adds nothing: the wave itself, normalised.
    wWtrans_fractalizeData(u.data(), e.data(), 8, 0.3f, 0.0);
    for (int o = 0; o < kWaveSamples; ++o) ASSERT_NEAR(u[o] * 0.98f, e[o], 1e-6);
}

TEST(WaveTransformData, FmWithoutIndexPlaysTheCarrierAtItsFrequency)
{
    waveV u = sine(1), m = sine(5), e(kWaveSamples);
    wWtrans_fmData(u.data(), m.data(), e.data(), 0.0f, 3.0f, 0.25f, 2.0f);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_EQ(u[(2 * i) % kWaveSamples], e[i]) << i;
    // A constant modulator of 0.5 at index 20 pi / 1024 moves every read by 5 samples.
    waveV c(kWaveSamples, 0.5f);
    wWtrans_fmData(u.data(), c.data(), e.data(), static_cast<float>(10 * kPi / 512), 1.0f, -0.5f, 1.0f);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_NEAR(u[(i + 5) % kWaveSamples], e[i], 1e-4) << i;
    // Negative modulation wraps to the end of the cycle, never outside it.
    waveV neg(kWaveSamples, -1.0f);
    wWtrans_fmData(u.data(), neg.data(), e.data(), 32.0f, 32.0f, -1.0f, 32.0f);
    for (float x : e) ASSERT_TRUE(std::isfinite(x) && std::fabs(x) <= 1.0f);
}

TEST(WaveTransformData, FilterTablesMatchTheirTellingRows)
{
    wWtrans_initFilterTables();
    EXPECT_EQ("0.001007", six(lpf1Gain[20]));
    EXPECT_EQ("0.998993", six(lpf1y1[20]));
    EXPECT_EQ("0.044569", six(lpf1Gain[240]));
    EXPECT_EQ("0.955431", six(lpf1y1[240]));
    EXPECT_EQ("0.945953", six(lpf1Gain[480]));
    EXPECT_EQ("0.054047", six(lpf1y1[480]));
    EXPECT_EQ("0.999497", six(hpf1Gain[20]));
    EXPECT_EQ("0.977716", six(hpf1Gain[240]));
    EXPECT_EQ("0.527023", six(hpf1Gain[480]));
    EXPECT_EQ("0.002013", six(lpf2Gain[240]));
    EXPECT_EQ("1.935545", six(lpf2y1[240]));
    EXPECT_EQ("-0.937557", six(lpf2y2[240]));
    EXPECT_EQ("1.136268", six(lpf2Gain[480]));
    EXPECT_EQ("-0.120129", six(lpf2y1[480]));
    EXPECT_EQ("-0.016139", six(lpf2y2[480]));
    for (int n = 0; n < kWtransFilterSteps; ++n) {
        ASSERT_NEAR(1.0, static_cast<double>(lpf1Gain[n]) + lpf1y1[n], 1e-7) << n;
        ASSERT_NEAR((1.0 + lpf1y1[n]) / 2, hpf1Gain[n], 1e-7) << n;
        ASSERT_NEAR(1.0, static_cast<double>(lpf2Gain[n]) + lpf2y1[n] + lpf2y2[n], 1e-6) << n;
        if (n) {
            ASSERT_LT(lpf1y1[n], lpf1y1[n - 1]) << n;  // higher index, higher cutoff
        }
    }
}

TEST(WaveTransformData, FilterRunsOverTheCycleAsAPeriodicSignal)
{
    waveV u = sine(1), e(kWaveSamples);
    // A frequency of 1 is used, and given back, as 0.99; 0 as 0.001.
    EXPECT_FLOAT_EQ(0.99f, wWtrans_filterData(u.data(), e.data(), 1, 1.0f));
    EXPECT_FLOAT_EQ(0.001f, wWtrans_filterData(u.data(), e.data(), 1, 0.0f));
    for (short mode = 1; mode <= 3; ++mode) {
        // Far above harmonic 1 the lowpasses pass the sine, the highpass
        // differentiates it into a cosine.
        EXPECT_FLOAT_EQ(0.99f, wWtrans_filterData(u.data(), e.data(), mode, 0.99f));
        waveV pass = mode == 3 ? sine(1, kPi / 2) : u;
        for (int i = 0; i < kWaveSamples; i += 8)
            ASSERT_NEAR(pass[i] * 0.995f, e[i], 0.02) << mode << " " << i;
        // Low cutoff: still one settled cycle, the end running into the start.
        wWtrans_filterData(u.data(), e.data(), mode, 0.05f);
        EXPECT_NEAR(0.995f, peakOf(e), 1e-5) << mode;
        EXPECT_LT(std::fabs(e[0] - e[kWaveSamples - 1]), 0.02f) << mode;
        double mean = 0;
        for (float x : e) mean += x;
        EXPECT_NEAR(0.0, mean / kWaveSamples, 1e-5) << mode;
    }
    // A lowpass takes the edge off a square wave; a highpass keeps it.
    waveV square(kWaveSamples);
    for (int i = 0; i < kWaveSamples; ++i) square[i] = i < 512 ? 0.5f : -0.5f;
    wWtrans_filterData(square.data(), e.data(), 2, 0.2f);
    EXPECT_LT(std::fabs(e[512] - e[511]), 0.2f);
    wWtrans_filterData(square.data(), e.data(), 3, 0.2f);
    EXPECT_GT(std::fabs(e[512] - e[511]), 1.0f);
}
