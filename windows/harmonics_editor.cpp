// The spectrum behind the spectrum editor: the current wave analysed into
// 64 harmonics (amplitude and phase of amp * sin(k theta + phase)), the
// residual that those harmonics leave out (so content above harmonic 64
// survives every spectral edit), the synthesis back into the wave, and the
// spectrum transforms. Sines and cosines come from one table of a cycle,
// since k * i * 2 pi / 1024 always falls on one of its 1024 angles.
#include <cmath>
#include <cstring>

#include "windows/windows.h"

harmonicRec harmonics[kHarmonics];
harmonicRec untransHarmonics[kHarmonics];
float hiFreqWave[kWaveSamples];
float tempWave[kWaveSamples];

namespace {
const double kTwoPi = 6.283185307179586;

struct cycleTable {
    double sine[kWaveSamples], cosine[kWaveSamples];
    cycleTable()
    {
        for (int j = 0; j < kWaveSamples; ++j) {
            sine[j] = std::sin(j * kTwoPi / kWaveSamples);
            cosine[j] = std::cos(j * kTwoPi / kWaveSamples);
        }
    }
};

const cycleTable& table()
{
    static const cycleTable t;
    return t;
}

// The wave's amplitude of a harmonic whose normalised amplitude is 1: the
// largest analysed amplitude over the 512 that a full-scale sine analyses to.
// The residual is measured against the harmonics at this scale, so that it
// holds only what they leave out, whatever the wave's own level.
double harmonicScale = 0.0;

// The 64 harmonics without the residual, as floats into out.
void synthesizeHarmonics(float* out, double scale)
{
    const cycleTable& t = table();
    static double sum[kWaveSamples];
    std::memset(sum, 0, sizeof sum);
    for (int k = 1; k <= kHarmonics; ++k) {
        const harmonicRec& h = harmonics[k - 1];
        if (h.amp == 0.0) continue;
        // amp sin(phase + a) = amp sin(phase) cos(a) + amp cos(phase) sin(a)
        double s = h.amp * std::sin(h.phase), c = h.amp * std::cos(h.phase);
        for (int i = 0, j = 0; i < kWaveSamples; ++i, j = (j + k) & (kWaveSamples - 1))
            sum[i] += s * t.cosine[j] + c * t.sine[j];
    }
    for (int i = 0; i < kWaveSamples; ++i) out[i] = static_cast<float>(sum[i] * scale);
}
}  // namespace

void spectrum_analyze(const float* wave, harmonicRec* out)
{
    if (!wave || !out) return;
    const cycleTable& t = table();
    for (int k = 1; k <= kHarmonics; ++k) {
        double re = 0.0, im = 0.0;
        for (int i = 0, j = 0; i < kWaveSamples; ++i, j = (j + k) & (kWaveSamples - 1)) {
            re += wave[i] * t.cosine[j];
            im += wave[i] * t.sine[j];
        }
        out[k - 1].amp = std::sqrt(re * re + im * im);
        out[k - 1].phase = std::atan2(re, im);
    }
}

void spectrum_calculate(short)
{
    const float* wave = wWave_currentWave();
    if (wave) {
        spectrum_analyze(wave, harmonics);
    } else {
        std::memset(harmonics, 0, sizeof harmonics);
    }
    spectrum_normalize();
    spectrum_getBrite();
    spectrum_pixUpdate();
}

void spectrum_normalize()
{
    double largest = 0.0;
    for (const harmonicRec& h : harmonics) largest = std::fmax(largest, h.amp);
    harmonicScale = largest / (kWaveSamples / 2);
    // A silent wave has no largest amplitude: its amplitudes stay 0.
    float scale = largest > 0.0 ? static_cast<float>(1.0 / largest) : 0.0f;
    for (harmonicRec& h : harmonics) {
        h.amp *= scale;
        if (h.amp > -1e-9 && h.amp < 1e-9) h.amp = 0.0;
        if (h.amp < 1e-5) h.phase = 0.0;
    }
}

void spectrum_getBrite()
{
    std::memset(hiFreqWave, 0, sizeof hiFreqWave);
    const float* wave = wWave_currentWave();
    if (!wave) return;
    synthesizeHarmonics(tempWave, harmonicScale);
    for (int i = 0; i < kWaveSamples; ++i) hiFreqWave[i] = wave[i] - tempWave[i];
}

// With the residual, the harmonics are put back at the wave's own scale
// before the residual joins them, so an unchanged spectrum gives the wave
// back (normalised) and an edit keeps the balance between the harmonics
// and what lies above them. A wave without harmonics (silence, or only
// content above harmonic 64) has no scale: the harmonics then come at
// full scale.
void spectrum_synthesize(float* out, int addResidual)
{
    int scaled = addResidual && harmonicScale > 0.0;
    synthesizeHarmonics(tempWave, scaled ? harmonicScale : 1.0);
    if (!scaled) waveEd_normalizeData(tempWave);
    if (addResidual) {
        for (int i = 0; i < kWaveSamples; ++i) tempWave[i] += hiFreqWave[i];
        waveEd_normalizeData(tempWave);
    }
    if (out) std::memcpy(out, tempWave, sizeof tempWave);
}

double spectrum_getHarmonicAmp(short k) { return k >= 1 && k <= kHarmonics ? harmonics[k - 1].amp : 0.0; }

double spectrum_getHarmonicPhase(short k) { return k >= 1 && k <= kHarmonics ? harmonics[k - 1].phase : 0.0; }

// ---- spectrum transforms --------------------------------------------------------------------
// Each rewrites the wave from the changed harmonics and the residual, and
// can be undone through the Edit menu.

void spectrum_invertPhase()
{
    if (!wWave_currentWave()) return;
    wWave_prepareUndo();
    for (harmonicRec& h : harmonics) {
        float phase = static_cast<float>(h.phase - 3.141592653589793);
        if (phase < 0.0f) phase += static_cast<float>(kTwoPi);
        h.phase = phase;
    }
    spectrum_afterChange();
    wWave_prepareRedo();
}

void spectrum_clearAmpAndOrPhase(int amps, int phases)
{
    if (!wWave_currentWave()) return;
    wWave_prepareUndo();
    if (amps) {
        for (harmonicRec& h : harmonics) h.amp = 0.0;
        harmonics[0].amp = 1.0;
    }
    if (phases)
        for (harmonicRec& h : harmonics) h.phase = 0.0;
    spectrum_afterChange();
    wWave_prepareRedo();
}

void spectrum_shiftHarmonics(short n)
{
    if (!wWave_currentWave()) return;
    for (int k = 1; k <= kHarmonics; ++k) {
        int source = k - n;
        if (source >= 1 && source <= kHarmonics)
            harmonics[k - 1] = untransHarmonics[source - 1];
        else
            harmonics[k - 1] = harmonicRec{0.0, 0.0};
    }
    spectrum_afterChange();
}

void spectrum_spectrumToUntransformedBuffer() { std::memcpy(untransHarmonics, harmonics, sizeof harmonics); }
