// The wave editor's drawing tools and the two clean-ups every import and
// transform ends with. A tool reads the wave as it was when the stroke
// began (the source) and writes the stroke into the wave (the destination),
// so each mouse step redraws the whole stroke from its anchor.
#include <cmath>
#include <cstring>

#include "windows/windows.h"

namespace {
const double kPi = 3.14159265358979323846;

float clampValue(float v) { return v < -1.0f ? -1.0f : (v > 1.0f ? 1.0f : v); }

// A written sample: limited to -1..+1, and tiny values stored as exactly 0
// so that no subnormal float reaches the audio code.
float writeSample(double v)
{
    float f = clampValue(static_cast<float>(v));
    return (f > -1e-9f && f < 1e-9f) ? 0.0f : f;
}

short clampIndex(short i) { return i < 0 ? 0 : (i > kWaveSamples - 1 ? kWaveSamples - 1 : i); }

// Samples outside the stroke are the source's.
void copySource(const float* src, float* dst)
{
    if (src != dst) std::memmove(dst, src, sizeof(float) * kWaveSamples);
}

// The line and the half cosine: from the anchor's own value to value at
// index. shape maps the position 0..1 along the stroke (0 at the anchor) to
// the share of the rise.
void strokeFromAnchor(const float* src, float* dst, short index, float value, double (*shape)(double))
{
    if (!src || !dst) return;
    value = clampValue(value);
    index = clampIndex(index);
    short start = clampIndex(waveStartIndex);
    double from = src[start];
    copySource(src, dst);
    if (index == start) {
        dst[index] = writeSample(value);
        return;
    }
    short lo = index < start ? index : start, hi = index < start ? start : index;
    double length = hi - lo;
    for (short i = lo; i <= hi; ++i) {
        double along = (index > start ? i - start : start - i) / length;
        dst[i] = writeSample(from + (value - from) * shape(along));
    }
}

double lineShape(double t) { return t; }
// Half a cosine from its trough to its crest: flat at both ends.
double halfCosineShape(double t) { return (std::cos(kPi + kPi * t) + 1.0) / 2.0; }
}  // namespace

void waveEd_line(const float* src, float* dst, short index, float value)
{
    strokeFromAnchor(src, dst, index, value, lineShape);
}

void waveEd_halfCosine(const float* src, float* dst, short index, float value)
{
    strokeFromAnchor(src, dst, index, value, halfCosineShape);
}

// A smooth bump between the stretch bounds that is 0 at both bounds and
// lifts the sample at index by the vertical drag since the press: one
// rising half of a sine from L to the peak, one falling half to R.
void waveEd_stretch(const float* src, float* dst, short index, float value)
{
    if (!src || !dst) return;
    value = clampValue(value);
    short left = waveStretchBoundsL, right = waveStretchBoundsR;
    if (left < 0) left = 0;
    if (right > kWaveSamples - 1) right = kWaveSamples - 1;
    copySource(src, dst);
    if (right - left < 2) return;
    short peak = index < left + 1 ? static_cast<short>(left + 1) : index;
    if (peak > right - 1) peak = static_cast<short>(right - 1);
    double h = (value - waveStartAmp) / 2.0;
    for (short i = left; i <= right; ++i) {
        double theta = i <= peak ? kPi / 2 + kPi * (i - left) / (peak - left)
                                 : 3 * kPi / 2 + kPi * (i - peak) / (right - peak);
        dst[i] = writeSample(src[i] + h - h * std::sin(theta));
    }
}

void waveEd_normalizeData(float* data)
{
    if (!data) return;
    float peak = 0.0f;
    for (int i = 0; i < kWaveSamples; ++i) peak = std::fmax(peak, std::fabs(data[i]));
    if (peak == 0.0f) return;
    float scale = 0.995f / peak;
    for (int i = 0; i < kWaveSamples; ++i) data[i] *= scale;
    thisBufferWantsToBeNormal(data, kWaveSamples);
}

void waveEd_dcOffsetData(float* data)
{
    if (!data) return;
    double sum = 0.0;
    for (int i = 0; i < kWaveSamples; ++i) sum += data[i];
    float shift = static_cast<float>(sum * (-1.0 / kWaveSamples));
    for (int i = 0; i < kWaveSamples; ++i) data[i] += shift;
    waveEd_normalizeData(data);
}
