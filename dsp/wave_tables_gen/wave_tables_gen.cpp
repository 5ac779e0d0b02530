// Build-time generator of the stored wave tables.
//
// Writes one C++ source file holding the constant single-cycle tables of the
// built-in wave list (1024 floats each). Every table is made here from a
// fixed recipe: harmonic series with chosen amplitudes, formant envelopes,
// drawbar registrations, fixed-seed noise. The program is deterministic: the
// same build always writes the same file, and nothing is random at run time.
//
// Usage: wave_tables_gen <output.cpp>
//
// Index
//   [helpers]   harmonic sums, normalisation, fixed-seed noise
//   [rules]     the three tables given by exact rules
//   [shapes]    the other tables, one function each
//   [output]    table list and the writer
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kSize = 1024;
const double kTwoPi = 6.283185307179586476925286766559;
typedef std::vector<double> table;

// [helpers] ---------------------------------------------------------------

table blank() { return table(kSize, 0.0); }

// Adds amp * sin(h * phase + offset) over one cycle.
void addPartial(table& t, double h, double amp, double offset = 0.0)
{
    for (int i = 0; i < kSize; ++i) t[i] += amp * std::sin(kTwoPi * h * i / kSize + offset);
}

void removeDC(table& t)
{
    double sum = 0.0;
    for (double v : t) sum += v;
    for (double& v : t) v -= sum / kSize;
}

// Scales the table so that its largest magnitude is exactly peak once the
// values are stored as floats.
std::vector<float> normalise(const table& t, float peak)
{
    double big = 0.0;
    int at = 0;
    for (int i = 0; i < kSize; ++i) {
        if (std::fabs(t[i]) > big) {
            big = std::fabs(t[i]);
            at = i;
        }
    }
    std::vector<float> out(kSize, 0.0f);
    if (big == 0.0) return out;
    for (int i = 0; i < kSize; ++i) {
        float v = static_cast<float>(t[i] * peak / big);
        if (v > peak) v = peak;
        if (v < -peak) v = -peak;
        out[i] = v;
    }
    out[at] = t[at] < 0.0 ? -peak : peak;
    return out;
}

// Fixed-seed xorshift generator: the noises are the same in every build.
struct xorshift32 {
    uint32_t state;
    explicit xorshift32(uint32_t seed) : state(seed) {}
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // Uniform in [-1, 1).
    double uniform() { return (next() >> 8) * (2.0 / 16777216.0) - 1.0; }
};

// Band-limited sawtooth falling from high to low over the cycle, with the
// harmonics of number k weighted by amp(k).
template <typename F> table harmonicSaw(int maxHarmonic, F amp)
{
    table t = blank();
    for (int k = 1; k <= maxHarmonic; ++k) addPartial(t, k, amp(k) / k);
    return t;
}

// Lanczos sigma factor: smooths the ripple of a truncated series.
double sigma(int k, int n)
{
    if (k == 0) return 1.0;
    double x = M_PI * k / (n + 1);
    return std::sin(x) / x;
}

// A gentle first-order low-pass response at harmonic k, corner fc.
double lowpass(int k, double fc) { return 1.0 / std::sqrt(1.0 + (k / fc) * (k / fc)); }

// Level of a drawbar position 0..8 (3 dB per step, 8 = full).
double drawbar(int pos) { return pos <= 0 ? 0.0 : std::pow(10.0, -3.0 * (8 - pos) / 20.0); }

// Magnitude of a resonance of centre f and bandwidth bw at frequency x.
double resonance(double x, double f, double bw)
{
    double d = (x - f) / (bw * 0.5);
    return 1.0 / std::sqrt(1.0 + d * d);
}

// [rules] -----------------------------------------------------------------

std::vector<float> sawReal()
{
    std::vector<float> out(kSize);
    for (int i = 0; i < kSize; ++i) out[i] = static_cast<float>(0.9801 - 1.9602 * i / 1023.0);
    return out;
}

std::vector<float> squareReal()
{
    std::vector<float> out(kSize);
    for (int i = 0; i < kSize; ++i) out[i] = i < 512 ? 0.9801f : -0.9801f;
    return out;
}

std::vector<float> stairstep()
{
    const float level[] = {0.98f, 0.49f, 0.0f,   0.49f, 0.0f,   -0.49f,
                           0.49f, 0.0f,  -0.49f, 0.0f,  -0.49f, -0.98f};
    const int length[] = {64, 128, 64, 64, 128, 64, 64, 128, 64, 64, 128, 64};
    std::vector<float> out;
    for (int run = 0; run < 12; ++run) out.insert(out.end(), length[run], level[run]);
    return out;
}

// [shapes] ----------------------------------------------------------------

table sawFiltered(double corner)
{
    return harmonicSaw(200, [corner](int k) { return lowpass(k, corner) * sigma(k, 200); });
}

table sawSmooth()
{
    return harmonicSaw(64, [](int k) { return sigma(k, 64) * sigma(k, 64); });
}

table squareFiltered(double corner)
{
    table t = blank();
    for (int k = 1; k <= 199; k += 2) addPartial(t, k, lowpass(k, corner) * sigma(k, 200) / k);
    return t;
}

// A square with squares of a third of its period (and so on) laid over it,
// each half as loud: the same step shape at every scale.
table squareFractal()
{
    table t = blank();
    double amp = 1.0;
    int period = 1;
    for (int level = 0; level < 5; ++level) {
        for (int i = 0; i < kSize; ++i) {
            double phase = std::fmod(static_cast<double>(i) * period / kSize, 1.0);
            t[i] += amp * (phase < 0.5 ? 1.0 : -1.0);
        }
        amp *= 0.5;
        period *= 3;
    }
    return t;
}

// Drawbar registration over the harmonics 1 (8'), 2 (4'), 3 (2 2/3'),
// 4 (2'), 5 (1 3/5'), 6 (1 1/3') and 8 (1').
table organ(const int (&bars)[7])
{
    const int harmonic[7] = {1, 2, 3, 4, 5, 6, 8};
    table t = blank();
    for (int b = 0; b < 7; ++b) addPartial(t, harmonic[b], drawbar(bars[b]));
    return t;
}

// A voice at 220 Hz through three formant resonances (a female vowel), with
// the glottal source falling 12 dB per octave.
table vowel(const double (&formant)[3], const double (&width)[3], const double (&gain)[3])
{
    const double f0 = 220.0;
    table t = blank();
    for (int k = 1; k * f0 < 5000.0; ++k) {
        double x = k * f0;
        double env = 0.0;
        for (int f = 0; f < 3; ++f) env += gain[f] * resonance(x, formant[f], width[f]);
        addPartial(t, k, env / k, M_PI * 0.5 * (k % 2));
    }
    return t;
}

// Harmonics with given amplitudes, k = 1 .. n; cosine phase when peaky.
table spectrum(const std::vector<double>& amps, bool cosine)
{
    table t = blank();
    for (size_t k = 1; k <= amps.size(); ++k)
        addPartial(t, static_cast<double>(k), amps[k - 1], cosine ? M_PI * 0.5 : 0.0);
    return t;
}

// Clarinet: a closed pipe sounds its odd harmonics; the even ones are faint.
table woodwind1()
{
    table t = blank();
    for (int k = 1; k <= 15; ++k) addPartial(t, k, (k % 2 ? 1.0 : 0.06) / (k * std::sqrt(k)));
    return t;
}

// Oboe: a weak fundamental under strong second to fourth harmonics.
table woodwind2() { return spectrum({0.45, 1.0, 0.85, 0.55, 0.3, 0.25, 0.15, 0.1, 0.06, 0.04}, false); }

// Muted brass: harmonics falling slowly, in cosine phase for the
// characteristic peaked wave.
table softTrump()
{
    std::vector<double> amps;
    for (int k = 1; k <= 16; ++k) amps.push_back(std::pow(0.78, k - 1));
    return spectrum(amps, true);
}

table bass1() { return spectrum({1.0, 0.55, 0.3, 0.16, 0.08, 0.04}, false); }

table sawish()
{
    return harmonicSaw(40, [](int k) { return std::pow(static_cast<double>(k), -0.3) * sigma(k, 40); });
}

// A buzz: harmonics of equal or gently shaped level in cosine phase, so the
// cycle is a narrow pulse.
template <typename F> table buzz(int maxHarmonic, F level)
{
    table t = blank();
    for (int k = 1; k <= maxHarmonic; ++k) addPartial(t, k, level(k), M_PI * 0.5);
    return t;
}

// Partials at the given harmonic numbers: an inharmonic set of modes laid
// over a low common fundamental, so the cycle stays periodic.
table partials(const std::vector<int>& h, const std::vector<double>& amp)
{
    table t = blank();
    for (size_t p = 0; p < h.size(); ++p) addPartial(t, h[p], amp[p], 0.7 * p);
    return t;
}

// 1/f noise: every harmonic up to 256 with amplitude 1/k and a phase from the
// fixed-seed generator.
table fracNoise()
{
    xorshift32 rng(0x1F2E3D4Cu);
    table t = blank();
    for (int k = 1; k <= 256; ++k) addPartial(t, k, 1.0 / k, M_PI * rng.uniform());
    return t;
}

// A speaker with a loose cone: the outward half clips flat, the inward half
// rattles with a high partial.
table brokenSpeaker()
{
    table t = blank();
    for (int i = 0; i < kSize; ++i) {
        double s = std::sin(kTwoPi * i / kSize) + 0.25 * std::sin(kTwoPi * 2 * i / kSize);
        if (s > 0.55) s = 0.55 + 0.1 * (s - 0.55);
        if (s < 0.0) s += 0.18 * s * std::sin(kTwoPi * 29 * i / kSize);
        t[i] = s;
    }
    removeDC(t);
    return t;
}

table whiteNoise(uint32_t seed)
{
    xorshift32 rng(seed);
    table t = blank();
    for (double& v : t) v = rng.uniform();
    removeDC(t);
    return t;
}

// Noise through a one-pole low-pass, run twice around the cycle so that the
// filter state matches across the wrap.
table darkNoise(uint32_t seed)
{
    table white = whiteNoise(seed);
    table t = blank();
    double state = 0.0;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < kSize; ++i) {
            state += 0.08 * (white[i] - state);
            t[i] = state;
        }
    removeDC(t);
    return t;
}

// Band-limited noise: harmonics 1..48 of equal level, fixed-seed phases.
table smoothNoise(uint32_t seed)
{
    xorshift32 rng(seed);
    table t = blank();
    for (int k = 1; k <= 48; ++k) addPartial(t, k, 1.0, M_PI * rng.uniform());
    return t;
}

// A triangle with hollow sides and sharp tips, in the triangle's phase
// (rising from 0 first).
table triPointy()
{
    table t = blank();
    for (int i = 0; i < kSize; ++i) {
        double p = (i + 1) / 256.0;  // 0..4 over the cycle
        double tri = p <= 1.0 ? p : (p <= 3.0 ? 2.0 - p : p - 4.0);
        t[i] = (tri < 0 ? -1.0 : 1.0) * std::pow(std::fabs(tri), 2.5);
    }
    return t;
}

// Chord voices: each a soft saw (harmonics falling 1/m^1.5) at the given
// partial number of the cycle.
table chord(const std::vector<int>& voice)
{
    table t = blank();
    for (int h : voice)
        for (int m = 1; m <= 6; ++m) addPartial(t, h * m, 1.0 / std::pow(m, 1.5));
    return t;
}

// [output] ------------------------------------------------------------------

struct entry {
    const char* symbol;
    std::vector<float> data;
};

std::vector<entry> allTables()
{
    const double aForm[3] = {850.0, 1220.0, 2810.0}, aWidth[3] = {110.0, 120.0, 170.0},
                 aGain[3] = {1.0, 0.6, 0.25};
    const double iForm[3] = {310.0, 2790.0, 3310.0}, iWidth[3] = {60.0, 150.0, 200.0},
                 iGain[3] = {1.0, 0.45, 0.35};
    const int organ1Bars[7] = {8, 8, 8, 0, 0, 0, 0};  // 888 000 000
    const int organ2Bars[7] = {8, 3, 0, 0, 0, 0, 0};  // mellow flute
    const int organ3Bars[7] = {8, 8, 8, 8, 8, 8, 8};  // full
    const int organ4Bars[7] = {6, 8, 0, 6, 0, 0, 8};  // bright, with the 1'
    std::vector<entry> list = {
        {"sawReal", sawReal()},
        {"sawFilt1", normalise(sawFiltered(24.0), 0.98f)},
        {"sawFilt2", normalise(sawFiltered(8.0), 0.98f)},
        {"sawFilt3", normalise(sawFiltered(3.0), 0.98f)},
        {"saw_smooth", normalise(sawSmooth(), 0.98f)},
        {"squareReal", squareReal()},
        {"squareFilt1", normalise(squareFiltered(15.0), 0.98f)},
        {"squareFilt2", normalise(squareFiltered(5.0), 0.98f)},
        {"squareFractal", normalise(squareFractal(), 0.98f)},
        {"organ1", normalise(organ(organ1Bars), 0.99f)},
        {"organ2", normalise(organ(organ2Bars), 0.99f)},
        {"organ3", normalise(organ(organ3Bars), 0.99f)},
        {"organ4", normalise(organ(organ4Bars), 0.99f)},
        {"voxFem1", normalise(vowel(aForm, aWidth, aGain), 0.98f)},
        {"voxFem2", normalise(vowel(iForm, iWidth, iGain), 0.98f)},
        {"woodwind1", normalise(woodwind1(), 0.98f)},
        {"woodwind2", normalise(woodwind2(), 0.98f)},
        {"softTrump", normalise(softTrump(), 0.98f)},
        {"bass1", normalise(bass1(), 0.99f)},
        {"sawish", normalise(sawish(), 0.98f)},
        {"midbuzz1", normalise(buzz(12, [](int) { return 1.0; }), 0.98f)},
        {"midbuzz2",
         normalise(buzz(24, [](int k) { return 0.3 * (k == 1) + std::exp(-0.5 * (k - 9) * (k - 9) / 9.0); }),
                   0.98f)},
        {"hibuzz1", normalise(buzz(64, [](int k) { return 0.2 + k / 64.0; }), 0.98f)},
        // stiff string: partials k * sqrt(1 + 0.01 k^2) over a base of 8
        {"inharmonic1",
         normalise(partials({8, 16, 25, 34, 45, 57, 69}, {1.0, 0.6, 0.45, 0.3, 0.2, 0.13, 0.08}), 0.98f)},
        // free bar (xylophone): modes 1 : 2.76 : 5.40 : 8.93 over a base of 4
        {"inharmonic2", normalise(partials({4, 11, 22, 36}, {1.0, 0.5, 0.3, 0.15}), 0.98f)},
        // drum membrane: modes 1 : 1.59 : 2.14 : 2.30 : 2.65 : 2.92 over 10
        {"inharmonic3",
         normalise(partials({10, 16, 21, 23, 27, 29}, {1.0, 0.7, 0.5, 0.4, 0.3, 0.25}), 0.98f)},
        {"fracNoise", normalise(fracNoise(), 0.98f)},
        {"stairstep", stairstep()},
        {"brokenSpeaker", normalise(brokenSpeaker(), 0.98f)},
        {"waveT_noise1", normalise(whiteNoise(0x9E3779B9u), 0.98f)},
        {"waveT_noise2", normalise(darkNoise(0x85EBCA6Bu), 0.98f)},
        {"waveT_noise3", normalise(smoothNoise(0xC2B2AE35u), 0.98f)},
        {"waveT_triPointy", normalise(triPointy(), 0.98f)},
        {"waveT_fifth", normalise(chord({2, 3}), 0.98f)},
        {"waveT_majTriad1", normalise(chord({4, 5, 6}), 0.98f)},
        {"waveT_majTriad2", normalise(chord({3, 4, 5}), 0.98f)},
        {"waveT_bigChord", normalise(chord({2, 4, 5, 6, 8, 10, 12, 15}), 0.98f)},
    };
    return list;
}

bool writeSource(const char* path)
{
    FILE* out = std::fopen(path, "w");
    if (!out) return false;
    std::fprintf(out, "// Generated by wave_tables_gen at build time. Do not edit.\n");
    std::fprintf(out, "#include \"dsp/wave_tables.h\"\n\n");
    for (const entry& e : allTables()) {
        std::fprintf(out, "const float %s[1024] = {\n", e.symbol);
        for (int i = 0; i < kSize; ++i)
            std::fprintf(out, "%.9ef,%s", static_cast<double>(e.data[i]), (i % 8 == 7) ? "\n" : " ");
        std::fprintf(out, "};\n\n");
    }
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wave_tables_gen <output.cpp>\n");
        return 2;
    }
    if (!writeSource(argv[1])) {
        std::fprintf(stderr, "wave_tables_gen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
