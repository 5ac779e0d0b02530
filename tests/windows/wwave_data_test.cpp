// The Waveform window's numbers: the drawing tools, the clean-ups, the
// spectrum analysis and synthesis with its residual, the amplitude and
// offset rules, and the WAV extraction over good and damaged files.
#include <dirent.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "tests/windows/wwave_fixture.h"

namespace {
const double kPi = 3.14159265358979323846;

std::vector<float> filled(double (*f)(int))
{
    std::vector<float> v(kWaveSamples);
    for (int i = 0; i < kWaveSamples; ++i) v[i] = static_cast<float>(f(i));
    return v;
}

double angle(int i) { return 2 * kPi * i / kWaveSamples; }

// The amplitude of harmonic k (any k below 512) in a wave.
double component(const float* w, int k)
{
    double re = 0, im = 0;
    for (int i = 0; i < kWaveSamples; ++i) {
        re += w[i] * std::cos(k * angle(i));
        im += w[i] * std::sin(k * angle(i));
    }
    return std::sqrt(re * re + im * im) * 2 / kWaveSamples;
}

int openFiles()
{
    int n = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d)) ++n;
        closedir(d);
    }
    return n;
}
}  // namespace

TEST(WaveTools, LineAndHalfCosineRunFromTheAnchorAndCopyTheRest)
{
    std::vector<float> src(kWaveSamples, 0.0f), dst(kWaveSamples, 7.0f);
    src[99] = 0.25f;
    src[100] = 0.2f;
    waveStartIndex = 100;
    waveEd_line(src.data(), dst.data(), 200, 0.6f);
    EXPECT_FLOAT_EQ(0.2f, dst[100]);
    EXPECT_FLOAT_EQ(0.4f, dst[150]);
    EXPECT_FLOAT_EQ(0.6f, dst[200]);
    EXPECT_FLOAT_EQ(0.25f, dst[99]);  // outside: the source
    EXPECT_EQ(0.0f, dst[201]);
    // Backwards: from the value at index up to the anchor's own value.
    waveEd_line(src.data(), dst.data(), 50, -1.0f);
    EXPECT_FLOAT_EQ(-1.0f, dst[50]);
    EXPECT_FLOAT_EQ(-0.4f, dst[75]);
    EXPECT_FLOAT_EQ(0.2f, dst[100]);
    EXPECT_EQ(0.0f, dst[101]);
    // At the anchor only that sample; values beyond 1 are limited, tiny ones are 0.
    waveEd_line(src.data(), dst.data(), 100, 3.0f);
    EXPECT_EQ(1.0f, dst[100]);
    EXPECT_FLOAT_EQ(0.25f, dst[99]);
    src[100] = 0.0f;
    waveEd_line(src.data(), dst.data(), 101, 1e-12f);
    EXPECT_EQ(0.0f, dst[101]);
    EXPECT_FALSE(std::signbit(dst[101]));

    // The half cosine leaves the anchor flat, passes the middle at half way
    // and arrives flat.
    waveEd_halfCosine(src.data(), dst.data(), 300, 0.8f);
    EXPECT_FLOAT_EQ(0.4f, dst[200]);
    EXPECT_FLOAT_EQ(0.8f, dst[300]);
    EXPECT_LT(dst[101] - dst[100], 0.001f);
    EXPECT_LT(dst[300] - dst[299], 0.001f);
    EXPECT_GT(dst[201] - dst[200], 0.006f);  // steeper than the line's 0.004 in the middle
    waveEd_halfCosine(src.data(), dst.data(), 0, -0.8f);
    EXPECT_FLOAT_EQ(-0.8f, dst[0]);
    EXPECT_FLOAT_EQ(-0.4f, dst[50]);
}

TEST(WaveTools, StretchIsABumpBetweenTheBoundsThatFollowsTheDrag)
{
    std::vector<float> src(kWaveSamples, 0.1f), dst(kWaveSamples);
    waveStretchBoundsL = 256;
    waveStretchBoundsR = 768;
    waveStartAmp = -0.2f;
    waveEd_stretch(src.data(), dst.data(), 400, 0.4f);  // dragged up by 0.6
    EXPECT_FLOAT_EQ(0.1f, dst[256]);
    EXPECT_NEAR(0.1f, dst[768], 1e-6);
    EXPECT_FLOAT_EQ(0.7f, dst[400]);
    EXPECT_NEAR(0.4f, dst[328], 1e-6);  // half way up: h - h sin(pi)
    EXPECT_NEAR(0.4f, dst[584], 1e-6);  // half way down on the longer side
    EXPECT_FLOAT_EQ(0.1f, dst[255]);
    EXPECT_FLOAT_EQ(0.1f, dst[769]);
    for (int i = 257; i < 400; ++i) EXPECT_GT(dst[i], dst[i - 1]) << i;
    // The peak stays strictly between the bounds; samples stay within +-1.
    waveStartAmp = -1.0f;
    waveEd_stretch(src.data(), dst.data(), 10, 1.0f);
    EXPECT_EQ(1.0f, dst[257]);
    EXPECT_EQ(1.0f, dst[258]);
    EXPECT_FLOAT_EQ(0.1f, dst[256]);
    waveStretchBoundsL = 256;
    waveStretchBoundsR = 768;
    waveStartAmp = 0.0f;
}

TEST(WaveTools, NormalizeAndDcOffsetKeepSilenceSilent)
{
    std::vector<float> v = filled([](int i) { return 0.3 + 0.2 * std::sin(angle(i)); });
    std::vector<float> n = v;
    waveEd_normalizeData(n.data());
    EXPECT_FLOAT_EQ(0.995f, *std::max_element(n.begin(), n.end()));
    waveEd_dcOffsetData(v.data());
    double sum = 0;
    for (float x : v) sum += x;
    EXPECT_NEAR(0.0, sum / kWaveSamples, 1e-6);
    EXPECT_NEAR(0.995f, *std::max_element(v.begin(), v.end()), 1e-6);
    EXPECT_NEAR(-0.995f, *std::min_element(v.begin(), v.end()), 1e-6);
    std::vector<float> silent(kWaveSamples, 0.0f);
    waveEd_normalizeData(silent.data());
    waveEd_dcOffsetData(silent.data());
    for (float x : silent) EXPECT_EQ(0.0f, x);
}

TEST(Spectrum, APureHarmonicAnalysesToItsAmplitudeAndPhase)
{
    harmonicRec h[kHarmonics];
    std::vector<float> sine = filled([](int i) { return 0.5 * std::sin(3 * angle(i)); });
    spectrum_analyze(sine.data(), h);
    EXPECT_NEAR(256.0, h[2].amp, 1e-3);  // 0.5 x 1024 / 2
    EXPECT_NEAR(0.0, h[2].phase, 1e-6);
    for (int k = 0; k < kHarmonics; ++k) {
        if (k == 2) continue;
        EXPECT_NEAR(0.0, h[k].amp, 1e-3) << k;
    }
    std::vector<float> cosine = filled([](int i) { return std::cos(3 * angle(i)); });
    spectrum_analyze(cosine.data(), h);
    EXPECT_NEAR(kPi / 2, h[2].phase, 1e-6);
    // A shifted component is measured with its own phase.
    std::vector<float> shifted = filled([](int i) { return std::sin(5 * angle(i) + 1.0); });
    spectrum_analyze(shifted.data(), h);
    EXPECT_NEAR(1.0, h[4].phase, 1e-6);
}

TEST_F(WaveWindowTest, AnalysisNormalisesAndASilentWaveKeepsZeroAmplitudes)
{
    std::vector<float> sine = filled([](int i) { return 0.5 * std::sin(3 * angle(i)); });
    newWave(sine.data());
    spectrum_calculate(kSpectrumEditor);
    EXPECT_NEAR(1.0, spectrum_getHarmonicAmp(3), 1e-6);
    EXPECT_NEAR(0.0, spectrum_getHarmonicPhase(3), 1e-6);
    for (short k = 1; k <= kHarmonics; ++k) {
        if (k == 3) continue;
        EXPECT_NEAR(0.0, spectrum_getHarmonicAmp(k), 1e-5) << k;
        EXPECT_EQ(0.0, spectrum_getHarmonicPhase(k)) << k;  // no phase without amplitude
    }
    EXPECT_EQ(0.0, spectrum_getHarmonicAmp(0));
    EXPECT_EQ(0.0, spectrum_getHarmonicAmp(65));
    EXPECT_EQ(0, harmonic_pixAmp[2]);  // full bar
    EXPECT_EQ(128, harmonic_pixAmp[0]);

    std::fill(wave(0), wave(0) + kWaveSamples, 0.0f);
    spectrum_calculate(kSpectrumEditor);
    for (short k = 1; k <= kHarmonics; ++k) {
        EXPECT_EQ(0.0, spectrum_getHarmonicAmp(k)) << k;
        EXPECT_FALSE(std::isnan(spectrum_getHarmonicPhase(k))) << k;
    }
    for (float x : hiFreqWave) EXPECT_EQ(0.0f, x);
}

TEST_F(WaveWindowTest, ClearAllLeavesTheFundamentalPlusTheResidual)
{
    // Harmonic 3 and content at harmonic 100, which the 64 harmonics cannot hold.
    std::vector<float> mix =
        filled([](int i) { return 0.6 * std::sin(3 * angle(i)) + 0.2 * std::sin(100 * angle(i)); });
    newWave(mix.data());
    clickObject(kWaveModeSpectrum);
    ASSERT_EQ(1, wWave_mode);
    std::vector<float> residual(hiFreqWave, hiFreqWave + kWaveSamples);
    harmonicRec h[kHarmonics];
    spectrum_analyze(residual.data(), h);
    EXPECT_LT(h[2].amp, 1e-2);  // harmonic 3 is in the harmonics, not the residual

    choose(kSpectrumTransformPopup, 6);  // "Clear All"
    EXPECT_EQ(1.0, spectrum_getHarmonicAmp(1));
    for (short k = 2; k <= kHarmonics; ++k) EXPECT_EQ(0.0, spectrum_getHarmonicAmp(k));
    for (short k = 1; k <= kHarmonics; ++k) {
        EXPECT_EQ(0.0, spectrum_getHarmonicPhase(k));
    }
    // The wave: the fundamental at the level harmonic 3 had, plus the
    // residual, normalised.
    std::vector<float> expected = filled([](int i) { return 0.6 * std::sin(angle(i)); });
    for (int i = 0; i < kWaveSamples; ++i) expected[i] += residual[i];
    waveEd_normalizeData(expected.data());
    spectrum_analyze(wave(0), h);
    EXPECT_LT(h[2].amp / h[0].amp, 1e-3);
    // What lay above harmonic 64 keeps its level against the harmonics.
    EXPECT_NEAR(0.2 / 0.6, component(wave(0), 100) / component(wave(0), 1), 1e-3);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_NEAR(expected[i], wave(0)[i], 1e-5) << i;
    EXPECT_EQ(3, undo_getMode());
    // Edit > Undo restores the wave as it was.
    undo_processUndo();
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_FLOAT_EQ(mix[i], wave(0)[i]) << i;
    undo_processUndo();
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_NEAR(expected[i], wave(0)[i], 1e-5) << i;

    // Invert Phase turns every harmonic half a turn, which negates the
    // harmonics' part of the wave; Clear Phase zeroes the phases only.
    spectrum_calculate(kSpectrumEditor);
    double before = spectrum_getHarmonicAmp(1);
    choose(kSpectrumTransformPopup, 1);
    EXPECT_NEAR(kPi, spectrum_getHarmonicPhase(1), 1e-6);
    choose(kSpectrumTransformPopup, 8);
    EXPECT_EQ(0.0, spectrum_getHarmonicPhase(1));
    EXPECT_EQ(before, spectrum_getHarmonicAmp(1));
    choose(kSpectrumTransformPopup, 7);  // "Clear Amplitudes"
    EXPECT_EQ(1.0, spectrum_getHarmonicAmp(1));
}

TEST_F(WaveWindowTest, ShiftHarmonicsMovesFromTheUntransformedCopy)
{
    std::vector<float> mix =
        filled([](int i) { return std::sin(2 * angle(i)) + 0.5 * std::sin(5 * angle(i)); });
    newWave(mix.data());
    spectrum_calculate(kSpectrumEditor);
    spectrum_spectrumToUntransformedBuffer();
    spectrum_shiftHarmonics(3);
    EXPECT_NEAR(1.0, spectrum_getHarmonicAmp(5), 1e-6);
    EXPECT_NEAR(0.5, spectrum_getHarmonicAmp(8), 1e-6);
    for (short k = 1; k <= 3; ++k) EXPECT_EQ(0.0, spectrum_getHarmonicAmp(k));
    spectrum_shiftHarmonics(-1);  // from the same copy, not from the last shift
    EXPECT_NEAR(1.0, spectrum_getHarmonicAmp(1), 1e-6);
    EXPECT_NEAR(0.5, spectrum_getHarmonicAmp(4), 1e-6);
    EXPECT_EQ(0.0, spectrum_getHarmonicAmp(64));
    harmonicRec h[kHarmonics];
    spectrum_analyze(wave(0), h);
    EXPECT_NEAR(0.5, h[3].amp / h[0].amp, 1e-4);  // the wave plays the shift
}

TEST_F(WaveWindowTest, AmplitudeAndOffsetRules)
{
    std::vector<float> v = filled([](int i) { return 0.2 + 0.5 * std::sin(angle(i)); });
    newWave(v.data());
    // Relative to the undo copy: the scale and the shift of the wave at the press.
    wave_prepareUndo(gInst, 0);
    wWave_setAmp(0.35f);
    EXPECT_NEAR(0.35f, wWave_getAmp(wave(0)), 1e-6);
    wWave_setAmp(0.0f);  // amplitude 0 still leaves a wave, at 1e-5 of full scale
    EXPECT_NEAR(1e-5f, wWave_getAmp(wave(0)), 1e-9);
    EXPECT_GT(std::fabs(wave(0)[256]), 0.0f);
    wWave_setAmp(0.7f);
    EXPECT_NEAR(0.7f, wWave_getAmp(wave(0)), 1e-6);

    std::copy(v.begin(), v.end(), wave(0));
    wave_prepareUndo(gInst, 0);
    EXPECT_NEAR(0.2f, wWave_getOffset(wave(0)), 1e-6);
    EXPECT_NEAR(0.3f, wWave_currentOffLimitTop, 1e-6);
    EXPECT_NEAR(-0.7f, wWave_currentOffLimitBottom, 1e-6);
    wWave_setOffset(1.0f);  // as far as the top allows, never past +1
    EXPECT_NEAR(1.0f, *std::max_element(wave(0), wave(0) + kWaveSamples), 1e-6);
    EXPECT_NEAR(0.0f, *std::min_element(wave(0), wave(0) + kWaveSamples), 1e-6);
    wWave_setOffset(-1.0f);
    EXPECT_NEAR(-1.0f, *std::min_element(wave(0), wave(0) + kWaveSamples), 1e-6);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_GE(wave(0)[i], -1.0f);
    // An offset under 0.02 reads as 0.
    std::vector<float> nearlyCentred = filled([](int i) { return 0.015 + 0.5 * std::sin(angle(i)); });
    EXPECT_EQ(0.0f, wWave_getOffset(nearlyCentred.data()));

    // Silence has nothing to scale: the slider and Normalize leave it.
    std::fill(wave(0), wave(0) + kWaveSamples, 0.0f);
    wave_prepareUndo(gInst, 0);
    wWave_setAmp(0.5f);
    choose(kWaveTransformPopup, 1);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_EQ(0.0f, wave(0)[i]);
}

TEST(WavFile, GoodFilesGiveOneCycleFromTheLeftChannel)
{
    std::vector<float> c(kWaveSamples);
    ASSERT_EQ(kWavOk, wavFile_readCycle(wavPath("sine-mono16-2048.wav").c_str(), c.data()));
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_NEAR(0.5 * std::sin(angle(i)), c[i], 1e-4) << i;
    // Full scale is stored as +-0.99 before any clean-up.
    ASSERT_EQ(kWavOk, wavFile_readCycle(wavPath("square-mono16-1024.wav").c_str(), c.data()));
    EXPECT_FLOAT_EQ(0.99f, c[0]);
    EXPECT_FLOAT_EQ(0.99f, c[511]);
    EXPECT_FLOAT_EQ(-0.99f, c[512]);
    // Stereo: the left channel (a sine of two cycles), not the right (a square).
    ASSERT_EQ(kWavOk, wavFile_readCycle(wavPath("sine2-stereo16-1024.wav").c_str(), c.data()));
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_NEAR(0.5 * std::sin(2 * angle(i)), c[i], 1e-4) << i;
    // Wider PCM samples are read by their upper 16 bits.
    ASSERT_EQ(kWavOk, wavFile_readCycle(wavPath("pcm24-mono-1024.wav").c_str(), c.data()));
    EXPECT_FLOAT_EQ(static_cast<float>(12000 / 32767.0), c[0]);
    EXPECT_FLOAT_EQ(static_cast<float>(-12000 / 32767.0), c[1023]);
    // A RIFF size that promises more than the file holds does not matter.
    ASSERT_EQ(kWavOk, wavFile_readCycle(wavPath("lying-riff-size.wav").c_str(), c.data()));
    EXPECT_NEAR(0.5 * std::sin(angle(256)), c[256], 1e-4);
}

TEST(WavFile, AShortFileIsStretchedAndRampsToZeroAtTheEnd)
{
    std::vector<float> c(kWaveSamples);
    ASSERT_EQ(kWavOk, wavFile_readCycle(wavPath("short-mono16-256.wav").c_str(), c.data()));
    // 256 frames of one cycle over 1024 samples: every fourth sample is a frame.
    // A quarter cycle of a sine at 1024 frames a cycle, 16-bit.
    auto frame = [](int k) {
        return static_cast<float>(std::round(0.5 * 32767 * std::sin(angle(k))) / 32767);
    };
    for (int k = 0; k < 256; ++k) ASSERT_NEAR(frame(k), c[4 * k], 2e-4) << k;
    EXPECT_NEAR((frame(10) + frame(11)) / 2, c[42], 2e-4);
    // The last interval slopes from the last frame toward 0.
    float last = c[1020];
    EXPECT_GT(last, 0.3f);
    EXPECT_NEAR(last * 0.75f, c[1021], 1e-6);
    EXPECT_NEAR(last * 0.25f, c[1023], 1e-6);
    // Data that promise 2048 frames but hold 500 are stretched from those.
    ASSERT_EQ(kWavOk, wavFile_readCycle(wavPath("bad-truncated-data.wav").c_str(), c.data()));
    double step = 500.0 / 1024;
    int i = 700;
    double p = i * step;
    int k = static_cast<int>(p);
    EXPECT_NEAR(0.5 * std::sin(angle(k)) + 0.5 * (std::sin(angle(k + 1)) - std::sin(angle(k))) * (p - k),
                c[i], 2e-4);
    ASSERT_EQ(kWavOk, wavFile_readCycle(wavPath("short-stereo16-100.wav").c_str(), c.data()));
    EXPECT_NEAR(0.0f, c[0], 1e-4);
}

TEST(WavFile, DamagedFilesGiveTheirMessageAndLeaveTheCycleAlone)
{
    struct caseRec {
        const char* file;
        int outcome;
    };
    const caseRec cases[] = {
        {"does-not-exist.wav", kWavOpenFailed},  {"bad-no-riff.wav", kWavNoRiff},
        {"bad-no-fmt.wav", kWavNoFormat},        {"bad-short-fmt.wav", kWavShortFormat},
        {"bad-8bit.wav", kWavUnsupported},       {"bad-float.wav", kWavUnsupported},
        {"bad-3channels.wav", kWavUnsupported},  {"bad-fmt-size.wav", kWavNoData},
        {"bad-data-before-fmt.wav", kWavNoData}, {"bad-no-data.wav", kWavNoData},
        {"bad-empty-data.wav", kWavNoData},      {"bad-odd-data.wav", kWavNoData},
    };
    int files = openFiles();
    for (const caseRec& c : cases) {
        std::vector<float> cycle(kWaveSamples, 0.125f);
        EXPECT_EQ(c.outcome, wavFile_readCycle(wavPath(c.file).c_str(), cycle.data())) << c.file;
        for (float x : cycle) ASSERT_EQ(0.125f, x) << c.file;
    }
    EXPECT_EQ(files, openFiles());  // every file closed again
    EXPECT_STREQ("File error 18334, The WAV file failed to open", wavFile_message(kWavOpenFailed));
    EXPECT_STREQ("Extract from WAV failed. File error 18337.", wavFile_message(kWavShortFormat));
    EXPECT_STREQ("Extract from WAV failed. This is an unsupported audio format.",
                 wavFile_message(kWavUnsupported));
    EXPECT_EQ(nullptr, wavFile_message(kWavOk));
}

TEST_F(WaveWindowTest, ExtractFromWavThroughTheTransformPopup)
{
    std::vector<float> v = filled([](int i) { return 0.3 * std::sin(4 * angle(i)); });
    newWave(v.data());
    // A damaged file: its message, the wave unchanged, nothing to undo.
    // (The message box is left to the layer, which closes it.)
    chooseFile(kWaveTransformPopup, 12, wavPath("bad-8bit.wav"));
    PlatformPromptRec box = platform_lastMessageBox();
    EXPECT_EQ("Extract from WAV failed. This is an unsupported audio format.", box.text);
    EXPECT_EQ("Morvane", box.caption);
    EXPECT_EQ(0, std::memcmp(v.data(), wave(0), sizeof(float) * kWaveSamples));
    EXPECT_EQ(0, undo_getMode());
    // Cancelling the file dialog does nothing.
    chooseFile(kWaveTransformPopup, 12, "");
    EXPECT_EQ(0, std::memcmp(v.data(), wave(0), sizeof(float) * kWaveSamples));
    // Full scale: stored as +-0.99, then the DC removed and normalised to 0.995.
    chooseFile(kWaveTransformPopup, 12, wavPath("square-mono16-1024.wav"));
    EXPECT_FLOAT_EQ(0.995f, wave(0)[0]);
    EXPECT_FLOAT_EQ(-0.995f, wave(0)[1023]);
    EXPECT_NEAR(0.995f, wWave_getAmp(wave(0)), 1e-6);
    // The extraction can be undone.
    EXPECT_EQ(3, undo_getMode());
    undo_processUndo();
    EXPECT_EQ(0, std::memcmp(v.data(), wave(0), sizeof(float) * kWaveSamples));
}
