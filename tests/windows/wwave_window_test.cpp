// The Waveform window driven as a musician drives it: the wave list, a
// stroke with each tool, the stretch bounds, the sliders, the immediate
// transforms, editing harmonics with both tools, the read-out, undo and
// redo, and screenshots of both modes. Every check reads the wave in the
// instance's shared record, where the plug-in reads it.
#include <cmath>
#include <cstring>
#include <vector>

#include "tests/windows/wwave_fixture.h"

namespace {
const double kPi = 3.14159265358979323846;

std::vector<float> sineWave(double amp, int harmonic)
{
    std::vector<float> v(kWaveSamples);
    for (int i = 0; i < kWaveSamples; ++i)
        v[i] = static_cast<float>(amp * std::sin(2 * kPi * harmonic * i / kWaveSamples));
    return v;
}

std::string textOf(short display)
{
    char text[256] = {0};
    display_getText(display, text, sizeof text);
    return text;
}

// The value a press at window row y stands for in the wave editor.
float valueAt(int y) { return static_cast<float>(-(y - (kWaveEdY + 129)) / 128.5); }
}  // namespace

TEST_F(WaveWindowTest, TheWaveListNamesTheWavesInUse)
{
    // No user wave: the disabled "none allocated", and edits do nothing.
    popupRec* list = popup_get(kWaveListPopup);
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(1, GetMenuItemCount(list->menu));
    char text[64] = {0};
    GetMenuStringA(list->menu, 1, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("none allocated", text);
    EXPECT_TRUE(GetMenuState(list->menu, 1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(-1, wWave_getCurrentEditWave());
    std::vector<float> before(gInst->presetWave[0].data, gInst->presetWave[0].data + kWaveSamples);
    drag({editorPoint(100, 0.5f), editorPoint(300, 0.5f)});
    EXPECT_EQ(0, std::memcmp(before.data(), wave(0), sizeof(float) * kWaveSamples));
    EXPECT_EQ(0, undo_getMode());

    // Waves in slots 2 and 5 only: items 3 and 6, and the first in use is edited.
    for (short slot : {2, 5}) {
        gInst->presetWave[slot].type = waveType_user;
        std::snprintf(gInst->presetWave[slot].name, kWaveNameLen, "wave %d", slot);
    }
    wWave_update();
    EXPECT_EQ(2, GetMenuItemCount(list->menu));
    GetMenuStringA(list->menu, 6, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("wave 5", text);
    EXPECT_EQ(2, wWave_getCurrentEditWave());
    EXPECT_EQ(3, popup_getCurrentItem(kWaveListPopup));
    // Choosing item 6 edits slot 5; an envelope edit's undo is not the wave's to cancel.
    undo_setMode(2);
    choose(kWaveListPopup, 6);
    EXPECT_EQ(5, wWave_getCurrentEditWave());
    EXPECT_EQ(2, undo_getMode());
    EXPECT_EQ(6, popup_getCurrentItem(kWaveListPopup));
}

TEST_F(WaveWindowTest, StrokesWithTheLineToolChainFromEndToEnd)
{
    std::vector<float> zero(kWaveSamples, 0.0f);
    short slot = newWave(zero.data());
    EXPECT_EQ(0, slot);
    clickObject(kWaveToolLine);
    ASSERT_TRUE(button_isSelected(kWaveToolLine));
    ASSERT_FALSE(button_isSelected(kWaveToolHalfCosine));
    // The anchor at sample 0: a click at the start-point slider's left end.
    RECT track;
    clickObject_getRect(kWaveStartSlider, &track);
    clickAt(kWaveEdX, (track.top + track.bottom) / 2);
    ASSERT_EQ(0, waveEd_getStartIndex());
    // From the anchor to sample 400, moving the pointer on the way.
    POINT end = editorPoint(400, 0.5f);
    drag({editorPoint(300, 0.2f), editorPoint(350, -0.4f), end});
    float v = valueAt(end.y);
    EXPECT_NEAR(v, wave(0)[400], 1e-6);
    EXPECT_NEAR(v / 2, wave(0)[200], 1e-6);
    EXPECT_EQ(0.0f, wave(0)[401]);
    EXPECT_EQ(400, waveEd_getStartIndex());
    EXPECT_FLOAT_EQ(400.0f / 1024, draggy_getValH(kWaveStartSlider));  // the pointer follows the anchor
    EXPECT_EQ(3, undo_getMode());
    // The next stroke starts where this one ended; the last column is sample 1023.
    POINT last{kWaveEdX + kWaveEdWidth - 1, editorPoint(0, -0.5f).y};
    drag({last});
    EXPECT_NEAR(valueAt(last.y), wave(0)[1023], 1e-6);
    EXPECT_NEAR((v + valueAt(last.y)) / 2, wave(0)[(400 + 1023) / 2], 0.002);
    EXPECT_NEAR(v, wave(0)[400], 1e-6);
    EXPECT_EQ(1023, waveEd_getStartIndex());

    // Undo and redo restore the whole last stroke.
    std::vector<float> after(wave(0), wave(0) + kWaveSamples);
    undo_processUndo();
    EXPECT_EQ(0.0f, wave(0)[1023]);
    EXPECT_NEAR(v, wave(0)[400], 1e-6);
    undo_processUndo();
    EXPECT_EQ(0, std::memcmp(after.data(), wave(0), sizeof(float) * kWaveSamples));
}

TEST_F(WaveWindowTest, HalfCosineAndStretchStrokes)
{
    std::vector<float> zero(kWaveSamples, 0.0f);
    newWave(zero.data());
    ASSERT_TRUE(button_isSelected(kWaveToolHalfCosine));  // the tool at start
    // The start-point slider sets the anchor: a click at its middle.
    RECT track;
    clickObject_getRect(kWaveStartSlider, &track);
    clickAt(kWaveEdX + 256, (track.top + track.bottom) / 2);
    EXPECT_NEAR(512, waveEd_getStartIndex(), 4);
    EXPECT_EQ(textOf(kWaveInfo1).rfind("h = 0.", 0), 0u);
    short anchor = waveEd_getStartIndex();
    POINT end = editorPoint(anchor + 200, 0.8f);
    drag({editorPoint(anchor + 100, 0.3f), end});
    int index = (end.x - kWaveEdX) * 2;
    float v = valueAt(end.y);
    EXPECT_NEAR(v, wave(0)[index], 1e-6);
    EXPECT_NEAR(v / 2, wave(0)[(anchor + index) / 2], 1e-6);
    EXPECT_LT(wave(0)[anchor + 2], 0.002f);  // leaves the anchor flat
    EXPECT_EQ(index, waveEd_getStartIndex());

    // The stretch tool swaps the start-point slider for the bounds strip.
    clickObject(kWaveToolStretch);
    EXPECT_TRUE(clickObject_isVisible(winId_waveform, kWaveBounds));
    EXPECT_FALSE(clickObject_isVisible(winId_waveform, kWaveStartSlider));
    std::vector<float> before(wave(0), wave(0) + kWaveSamples);
    POINT press = editorPoint(400, 0.0f), up = editorPoint(400, 0.5f);
    drag({press, editorPoint(400, 0.3f), up});
    EXPECT_NEAR(before[400] + (valueAt(up.y) - valueAt(press.y)), wave(0)[400], 1e-5);
    EXPECT_EQ(before[256], wave(0)[256]);
    EXPECT_EQ(before[800], wave(0)[800]);
    EXPECT_GT(wave(0)[330] - before[330], 0.1f);
    EXPECT_EQ(index, waveEd_getStartIndex());  // the stretch tool leaves the anchor

    // The bounds: a press left of the left handle drags it; never closer than 11.
    drag({POINT{256 / 2 + 10, 70}, POINT{700, 70}});
    EXPECT_EQ(waveStretchBoundsR - 11, waveStretchBoundsL);
    drag({POINT{768 / 2 + 20, 70}, POINT{0, 70}});
    EXPECT_EQ(waveStretchBoundsL + 12, waveStretchBoundsR);
    drag({POINT{waveStretchBoundsL / 2 + 5, 70}, POINT{4, 70}});
    EXPECT_EQ(0, waveStretchBoundsL);
    drag({POINT{waveStretchBoundsR / 2 + 20, 70}, POINT{530, 70}});
    EXPECT_EQ(1023, waveStretchBoundsR);
    EXPECT_TRUE(platform_cursorShown());
}

TEST_F(WaveWindowTest, SlidersScaleAndShiftTheWaveAtThePress)
{
    std::vector<float> v = sineWave(0.8, 1);
    newWave(v.data());
    EXPECT_NEAR(0.8f, draggy_getValH(kWaveAmpSlider), 1e-6);
    EXPECT_EQ("-1.9 dB", textOf(kWaveAmpDisplay));
    RECT amp;
    clickObject_getRect(kWaveAmpSlider, &amp);
    int y = (amp.top + amp.bottom) / 2;
    int knob = amp.left + 4 + static_cast<int>(0.8 * (amp.right - amp.left - 9));
    std::vector<POINT> path = {POINT{knob, y}, POINT{knob - 30, y}};
    path.insert(path.end(), 12, POINT{knob - 60, y});  // the knob catches up with the pointer
    drag(path);
    float now = draggy_getValH(kWaveAmpSlider);
    EXPECT_LT(now, 0.5f);
    EXPECT_NEAR(now, wWave_getAmp(wave(0)), 1e-5);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_NEAR(v[i] * now / 0.8f, wave(0)[i], 1e-6);
    EXPECT_EQ(3, undo_getMode());
    undo_processUndo();
    EXPECT_EQ(0, std::memcmp(v.data(), wave(0), sizeof(float) * kWaveSamples));
    undo_processUndo();
    EXPECT_NEAR(now, wWave_getAmp(wave(0)), 1e-5);

    // The offset slider moves the wave up until its peak meets +1.
    std::copy(v.begin(), v.end(), wave(0));
    wWave_updateAmpAndOffset();
    RECT off;
    clickObject_getRect(kWaveOffsetSlider, &off);
    int mid = (off.left + off.right) / 2;
    int oy = (off.top + off.bottom) / 2;
    path = {POINT{mid, oy}, POINT{mid + 40, oy}};
    path.insert(path.end(), 12, POINT{off.right + 40, oy});
    drag(path);
    EXPECT_NEAR(1.0f, *std::max_element(wave(0), wave(0) + kWaveSamples), 1e-6);
    EXPECT_NEAR(-0.6f, *std::min_element(wave(0), wave(0) + kWaveSamples), 1e-6);
    EXPECT_EQ("0.20", textOf(kWaveOffsetDisplay));
}

TEST_F(WaveWindowTest, ImmediateTransformsAreUndoable)
{
    std::vector<float> v(kWaveSamples);
    for (int i = 0; i < kWaveSamples; ++i) v[i] = 0.1f + 0.4f * i / kWaveSamples;
    newWave(v.data());
    choose(kWaveTransformPopup, 5);  // "Reverse"
    EXPECT_EQ(v[0], wave(0)[1023]);
    EXPECT_EQ(v[1023], wave(0)[0]);
    undo_processUndo();
    EXPECT_EQ(v[0], wave(0)[0]);
    choose(kWaveTransformPopup, 4);  // "Invert Phase"
    EXPECT_EQ(-v[10], wave(0)[10]);
    choose(kWaveTransformPopup, 1);  // "Normalize"
    EXPECT_FLOAT_EQ(0.995f, wWave_getAmp(wave(0)));
    choose(kWaveTransformPopup, 2);  // "DC Offset"
    double sum = 0;
    for (int i = 0; i < kWaveSamples; ++i) sum += wave(0)[i];
    EXPECT_NEAR(0.0, sum, 1e-3);
    std::vector<float> centred(wave(0), wave(0) + kWaveSamples);
    choose(kWaveTransformPopup, 14);  // "Clear"
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_EQ(0.0f, wave(0)[i]);
    undo_processUndo();
    EXPECT_EQ(0, std::memcmp(centred.data(), wave(0), sizeof(float) * kWaveSamples));
    EXPECT_EQ("0.0 dB", textOf(kWaveAmpDisplay));
}

TEST_F(WaveWindowTest, EditingHarmonicsWithBothTools)
{
    std::vector<float> v = sineWave(0.5, 1);
    newWave(v.data());
    clickObject(kWaveModeSpectrum);
    ASSERT_TRUE(clickObject_isVisible(winId_waveform, kSpectrumEditor));
    ASSERT_FALSE(clickObject_isVisible(winId_waveform, kWaveEditor));
    ASSERT_TRUE(button_isSelected(kSpectrumToolPaint));
    auto column = [](int k) { return kWaveEdX + 8 * (k - 1) + 4; };
    // Painting from harmonic 2 to harmonic 8 at -12 dB (24 pixels down): the
    // pointer jumps, the columns in between are filled.
    int y = kWaveEdY + 24;
    drag({POINT{column(2), y}, POINT{column(8), y}});
    for (short k = 2; k <= 8; ++k) EXPECT_NEAR(dBToAmp(-12.0), spectrum_getHarmonicAmp(k), 1e-9) << k;
    EXPECT_LT(spectrum_getHarmonicAmp(9), 1e-5);
    EXPECT_EQ(24, harmonic_pixAmp[4]);
    // The wave in the shared record plays the new harmonics.
    harmonicRec h[kHarmonics];
    spectrum_analyze(wave(0), h);
    EXPECT_NEAR(dBToAmp(-12.0), h[4].amp / h[0].amp, 1e-4);
    EXPECT_EQ(3, undo_getMode());
    // Sloped across a jump: the skipped columns take the heights in between.
    drag({POINT{column(10), kWaveEdY + 10}, POINT{column(14), kWaveEdY + 50}});
    EXPECT_NEAR(dBToAmp(-0.5 * 20), spectrum_getHarmonicAmp(11), 1e-9);
    EXPECT_NEAR(dBToAmp(-0.5 * 30), spectrum_getHarmonicAmp(12), 1e-9);

    // Tool 12 holds the pressed harmonic wherever the pointer goes.
    clickObject(kSpectrumToolSingle);
    ASSERT_TRUE(button_isSelected(kSpectrumToolSingle));
    double h20 = spectrum_getHarmonicAmp(20);
    drag({POINT{column(3), kWaveEdY + 60}, POINT{column(20), kWaveEdY + 40}});
    EXPECT_NEAR(dBToAmp(-20.0), spectrum_getHarmonicAmp(3), 1e-9);
    EXPECT_EQ(h20, spectrum_getHarmonicAmp(20));
    EXPECT_EQ(0, spectrum_getCurrentHarmonic());
    // A press in the lower band sets the phase: (y - top) x 2 pi / 126 in one turn.
    int row = 129 + 40;
    drag({POINT{column(3), kWaveEdY + row}});
    EXPECT_NEAR(std::fmod(row * 2 * kPi / 126, 2 * kPi), spectrum_getHarmonicPhase(3), 1e-9);
    spectrum_analyze(wave(0), h);
    double expected = std::fmod(row * 2 * kPi / 126, 2 * kPi);
    EXPECT_NEAR(std::remainder(expected - h[2].phase, 2 * kPi), 0.0, 1e-3);
    // Undo takes back the last drag only.
    std::vector<float> afterPhase(wave(0), wave(0) + kWaveSamples);
    undo_processUndo();
    EXPECT_NE(0, std::memcmp(afterPhase.data(), wave(0), sizeof(float) * kWaveSamples));
    spectrum_calculate(kSpectrumEditor);
    EXPECT_NEAR(0.0, spectrum_getHarmonicPhase(3), 1e-3);
    undo_processUndo();
    EXPECT_EQ(0, std::memcmp(afterPhase.data(), wave(0), sizeof(float) * kWaveSamples));
}

TEST_F(WaveWindowTest, TheReadOutFollowsThePointer)
{
    std::vector<float> v = sineWave(0.5, 2);
    newWave(v.data());
    POINT p = screen(kWaveEdX + 128, kWaveEdY + 1);
    headless_mouseMove(p.x, p.y);
    headless_runUntilIdle();
    EXPECT_EQ("h = 0.2500", textOf(kWaveInfo1));
    EXPECT_EQ("v = 1.0000", textOf(kWaveInfo2));
    EXPECT_EQ("", textOf(kWaveInfo3));
    p = screen(300, 20);
    headless_mouseMove(p.x, p.y);
    headless_runUntilIdle();
    EXPECT_EQ("", textOf(kWaveInfo1));
    clickObject(kWaveModeSpectrum);
    p = screen(kWaveEdX + 8 * 1 + 3, kWaveEdY + 100);
    headless_mouseMove(p.x, p.y);
    headless_runUntilIdle();
    EXPECT_EQ("harmonic = 2", textOf(kWaveInfo1));
    EXPECT_EQ("amp = 1.0000", textOf(kWaveInfo2));
    EXPECT_EQ("phase = 0.0000", textOf(kWaveInfo3));
}

TEST_F(WaveWindowTest, DisabledEditorsTakeNoEdits)
{
    std::vector<float> v = sineWave(0.5, 1);
    newWave(v.data());
    wWave_enableEditor(0);
    drag({editorPoint(100, 0.9f), editorPoint(500, -0.9f)});
    EXPECT_EQ(0, std::memcmp(v.data(), wave(0), sizeof(float) * kWaveSamples));
    EXPECT_EQ(0, undo_getMode());
    wWave_enableEditor(1);
    drag({editorPoint(100, 0.9f)});
    EXPECT_NE(0, std::memcmp(v.data(), wave(0), sizeof(float) * kWaveSamples));
}

TEST_F(WaveWindowTest, ScreenshotsOfBothModes)
{
    std::vector<float> v(kWaveSamples);
    for (int i = 0; i < kWaveSamples; ++i)
        v[i] = static_cast<float>(0.6 * std::sin(2 * kPi * i / 1024) +
                                  0.25 * std::sin(2 * kPi * 3 * i / 1024 + 0.7) +
                                  0.1 * std::sin(2 * kPi * 7 * i / 1024));
    newWave(v.data());
    std::string wavePath = shot("wwave-waveform");
    // The zero line, and the wave line crossing it in the wave pen's colour.
    HDC hdc = GetDC(window_getHWND(winId_waveform));
    EXPECT_EQ(RGB(49, 49, 0), GetPixel(hdc, kWaveEdX + 3, kWaveEdY + 128) & 0xFFFFFF);
    POINT p0 = waveEd_getDrawPoint(0);
    EXPECT_EQ(RGB(204, 254, 49), GetPixel(hdc, p0.x + 1, waveEd_getDrawPoint(1).y) & 0xFFFFFF);
    ReleaseDC(window_getHWND(winId_waveform), hdc);
    clickObject(kWaveModeSpectrum);
    shot("wwave-harmonics");
    clickObject(kWaveModeWave);
    clickObject(kWaveToolStretch);
    shot("wwave-stretch");
}
