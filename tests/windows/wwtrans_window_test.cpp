// The "Transform waveform" window driven as a musician drives it: opened
// from the Waveform window's Transform pop-ups, its boxes typed into and
// dragged, its pop-ups chosen, left through OK, Return or Cancel. Every
// check reads the wave in the instance's shared record, where the plug-in
// reads it.
#include <cmath>
#include <cstring>
#include <vector>

#include "tests/windows/wwave_fixture.h"

namespace {
const double kPi = 3.14159265358979323846;
typedef std::vector<float> waveV;

waveV sineWave(int harmonic)
{
    waveV v(kWaveSamples);
    for (int i = 0; i < kWaveSamples; ++i)
        v[i] = static_cast<float>(std::sin(2 * kPi * harmonic * i / kWaveSamples));
    return v;
}

class WaveTransformTest : public WaveWindowTest {
protected:
    void SetUp() override
    {
        WaveWindowTest::SetUp();
        wWaveTrans_makeWindow();
        ASSERT_NE(nullptr, hwnd());
        // The parameters are kept between uses: every test starts from the defaults.
        phaseOffset_offset = 0;
        mix_ampA = mix_ampB = 0.5f;
        waveID = 0;
        mix_phaseInvert = 0;
        mix_phaseOffset = 0;
        mix_freqRatio = 1;
        fract_iterations = 8;
        fract_displacement = 0.382f;
        fract_ampScale = 0.5;
        filter_mode = 2;
        filter_freq = 0.5f;
        fm_modIndex = 1;
        fm_modFreq = 1;
        fm_modPhase = 0;
        fm_carrierFreq = 1;
    }
    HWND hwnd() { return window_getHWND(winId_waveTransform); }
    // Opens the window through a Transform pop-up item of the Waveform window.
    void open(short popup, int item)
    {
        window_setCurrent(winId_waveform);
        choose(popup, item);
        window_setCurrent(winId_waveTransform);
    }
    POINT at(int x, int y) { return windowSession_screen(winId_waveTransform, x, y); }
    void click(int x, int y) { windowSession_clickAt(winId_waveTransform, x, y); }
    void clickControl(short id) { windowSession_clickObject(winId_waveTransform, id); }
    // Types a value into a number box: a click on its field, the text, Return.
    void type(short box, const char* text)
    {
        ASSERT_NE(nullptr, numbox_get(box));
        windowSession_typeInto(winId_waveTransform, box, text);
    }
    // Drags in the first step column of a box, up by dy pixels in four
    // steps; returns every state of the wave seen by a 16 ms toolkit timer
    // while the button was down (as the plug-in would play it).
    std::vector<waveV> dragBox(short box, int dy)
    {
        numboxRec* n = numbox_get(box);
        if (!n) return {};
        int x = n->buttonRect.left + 3, y = (n->buttonRect.top + n->buttonRect.bottom) / 2;
        s_seen.clear();
        s_slot = wave(0);
        timerRec* t = timer_new(winId_waveTransform, 7, watchWave, 16, 1000);
        POINT p = at(x, y);
        headless_mouseMove(p.x, p.y);
        headless_mouseDown(1);
        for (int k = 1; k <= 4; ++k) {
            POINT q = at(x, y - dy * k / 4);
            headless_mouseMove(q.x, q.y);
        }
        headless_mouseUp(1);
        headless_runUntilIdle();
        timer_stop(t);
        window_setCurrent(winId_waveTransform);
        return s_seen;
    }
    static std::vector<waveV> s_seen;
    static const float* s_slot;
    static void watchWave(short, void*)
    {
        waveV now(s_slot, s_slot + kWaveSamples);
        if (s_seen.empty() || s_seen.back() != now) s_seen.push_back(now);
    }
    // Opens a pop-up of the window with a click and answers it with a
    // command (menu * 256 + item for the wave sub-menus).
    void chooseHere(short popup, int command)
    {
        headless_answerNextPrompt(command);
        clickControl(popup);
    }
    waveV current() { return waveV(wave(0), wave(0) + kWaveSamples); }
    std::string shot13(const char* name)
    {
        const std::string path = std::string(name) + ".png";
        EXPECT_EQ(1, windowSession_shot(winId_waveTransform, path)) << path;
        return path;
    }
};

std::vector<waveV> WaveTransformTest::s_seen;
const float* WaveTransformTest::s_slot = nullptr;

int visible(short id) { return clickObject_isVisible(winId_waveTransform, id); }
}  // namespace

TEST_F(WaveTransformTest, TheWindowIsADialogFrameWithEveryControl)
{
    char text[64] = {0};
    GetClassNameA(hwnd(), text, sizeof text);
    EXPECT_STREQ("wWtrans_Wnd", text);
    GetWindowTextA(hwnd(), text, sizeof text);
    EXPECT_STREQ("Transform waveform", text);
    EXPECT_TRUE(GetWindowLongPtrA(hwnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(GetWindowLongPtrA(hwnd(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    // Owned by the MDI client, that is by the client's top-level window.
    EXPECT_EQ(session_.frame, GetWindow(hwnd(), GW_OWNER));
    RECT wr, cr;
    GetWindowRect(hwnd(), &wr);
    GetClientRect(hwnd(), &cr);
    EXPECT_EQ(200, wr.left);
    EXPECT_EQ(200, wr.top);
    EXPECT_EQ(250, cr.right);
    EXPECT_EQ(280, cr.bottom);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    window_setCurrent(winId_waveTransform);
    for (short id : {12, 13, 14, 17, 18, 20, 21, 23, 25, 26, 27, 28, 30})
        EXPECT_NE(nullptr, numbox_get(id)) << id;
    for (short id : {15, 19, 22, 24, 29}) EXPECT_NE(nullptr, popup_get(id)) << id;
    struct {
        short id;
        double value, lo, hi;
        short decimals;
    } boxes[] = {{12, 0, -1, 1, 3},  {13, -6, -103, 0, 1},     {14, -6, -103, 0, 1}, {17, 0, -1, 1, 3},
                 {18, 1, 1, 32, 0},  {20, 0.382, 0.001, 1, 3}, {21, -6, -103, 0, 1}, {23, 0.5, 0.001, 1, 3},
                 {25, 1, 0, 32, 2},  {26, 1, 1, 32, 0},        {27, 0, -1, 1, 3},    {28, 1, 1, 32, 0},
                 {30, 0, -64, 64, 0}};
    for (auto& b : boxes) {
        numboxRec* n = numbox_get(b.id);
        EXPECT_NEAR(b.value, n->value, 1e-6) << b.id;
        EXPECT_EQ(b.lo, n->minimum) << b.id;
        EXPECT_EQ(b.hi, n->maximum) << b.id;
        EXPECT_EQ(b.decimals, n->decimals) << b.id;
    }
    popupRec* it = popup_get(kWtransFractIterations);
    ASSERT_EQ(7, GetMenuItemCount(it->menu));
    GetMenuStringA(it->menu, 7, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("8", text);
    GetMenuStringA(popup_get(kWtransFilterMode)->menu, 3, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("highpass 1st order", text);
    EXPECT_EQ(616, button_get(kWtransMixInvert)->picts[0]);

    // Every transform opens on its own panel with its title; the Waveform
    // window's editors stay disabled while it is open.
    std::vector<float> data = sineWave(1);
    newWave(data.data());
    const char* titles[] = {"phase offset waveform",       "mix waveforms",
                            "fractalize waveform",         "filter waveform",
                            "frequency modulate waveform", "load waveform"};
    const int items[] = {3, 6, 7, 8, 9, 11};
    for (int k = 0; k < 6; ++k) {
        open(kWaveTransformPopup, items[k]);
        ASSERT_TRUE(IsWindowVisible(hwnd())) << k;
        display_getText(kWtransTitle, text, sizeof text);
        EXPECT_STREQ(titles[k], text);
        for (short p = 2; p <= 8; ++p) EXPECT_EQ(p == k + 2, visible(p)) << k << " " << p;
        EXPECT_EQ(0, clickObject_isEnabled(winId_waveform, kWaveEditor));
        EXPECT_EQ(0, clickObject_isEnabled(winId_waveform, kWaveAmpSlider));
        // The close box does nothing: only OK and Cancel leave.
        SendMessageA(hwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindowVisible(hwnd()));
        clickControl(kWtransCancel);
        EXPECT_FALSE(IsWindowVisible(hwnd()));
        EXPECT_EQ(1, clickObject_isEnabled(winId_waveform, kWaveEditor));
    }
    window_setCurrent(winId_waveform);
    wWave_callback_modeButtons(kWaveModeSpectrum);
    open(kSpectrumTransformPopup, 2);
    display_getText(kWtransTitle, text, sizeof text);
    EXPECT_STREQ("shift harmonics", text);
    EXPECT_TRUE(visible(8));
    clickControl(kWtransCancel);
    open(kSpectrumTransformPopup, 4);
    display_getText(kWtransTitle, text, sizeof text);
    EXPECT_STREQ("load waveform", text);
    EXPECT_TRUE(visible(7));
    clickControl(kWtransCancel);
    EXPECT_EQ(data, current());
}

TEST_F(WaveTransformTest, PhaseOffsetIsLiveAndCancelRestoresTheWaveBitForBit)
{
    waveV sine = sineWave(1);
    newWave(sine.data());
    open(kWaveTransformPopup, 3);
    type(kWtransPhaseOffset, "0.25");
    EXPECT_FLOAT_EQ(0.25f, phaseOffset_offset);
    waveV w = current();
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_EQ(sine[(i + 256) % kWaveSamples], w[i]) << i;
    type(kWtransPhaseOffset, "-0.75");
    EXPECT_EQ(w, current());
    // Every step of a drag is written into the wave while the button is down.
    std::vector<waveV> seen = dragBox(kWtransPhaseOffset, 40);
    EXPECT_GE(seen.size(), 4u);
    EXPECT_NEAR(-0.35, phaseOffset_offset, 1e-5);  // 0.01 per pixel from -0.75
    EXPECT_EQ(3, undo_getMode());
    // Many changes, then Cancel: the wave as it was, the undo given up.
    type(kWtransPhaseOffset, "0.1");
    type(kWtransPhaseOffset, "0.6");
    clickControl(kWtransCancel);
    EXPECT_EQ(0, std::memcmp(sine.data(), wave(0), sizeof(float) * kWaveSamples));
    EXPECT_EQ(0, undo_getMode());
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    // The waves reloaded while the window is open (another preset): the
    // new wave is neither transformed nor overwritten by the old one.
    open(kWaveTransformPopup, 3);
    waveV other = sineWave(4);
    std::copy(other.begin(), other.end(), wave(0));
    wWave_update();
    window_setCurrent(winId_waveTransform);
    type(kWtransPhaseOffset, "0.5");
    clickControl(kWtransCancel);
    EXPECT_EQ(other, current());
    EXPECT_EQ(1, clickObject_isEnabled(winId_waveform, kWaveEditor));
}

TEST_F(WaveTransformTest, MixLevelsAreCoupledAndBAloneAtZeroDecibels)
{
    waveV sine = sineWave(1);
    newWave(sine.data());
    open(kWaveTransformPopup, 6);
    // Wave B is the sine by default: at 0 dB for B, wave A is gone.
    chooseHere(kWtransMixWave, 16 * 256 + 3);  // the third built-in wave
    short chosen = waveMenu_menuItemToWaveID(3, kWaveMenuFactory);
    EXPECT_EQ(chosen, waveID);
    char name[64] = {0}, text[64] = {0};
    wave_getName(gInst, chosen, name);
    GetMenuStringA(popup_get(kWtransMixWave)->menu, 1, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(name, text);
    EXPECT_EQ(1, popup_getCurrentItem(kWtransMixWave));
    type(kWtransMixDbB, "0");
    EXPECT_FLOAT_EQ(1.0f, mix_ampB);
    EXPECT_FLOAT_EQ(0.0f, mix_ampA);
    EXPECT_DOUBLE_EQ(-103.0, numbox_get(kWtransMixDbA)->value);
    const float* b = gInst ? wave_getWaveDataFromID(gInst, chosen) : nullptr;
    ASSERT_NE(nullptr, b);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_FLOAT_EQ(b[i], wave(0)[i]) << i;
    // Ratio 2, inverted: B twice per cycle, upside down.
    type(kWtransMixRatio, "2");
    clickControl(kWtransMixInvert);
    EXPECT_EQ(1, mix_phaseInvert);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_FLOAT_EQ(-b[(2 * i) % kWaveSamples], wave(0)[i]) << i;
    // Typing -6 for A gives half and half.
    type(kWtransMixDbA, "-6");
    EXPECT_FLOAT_EQ(0.5f, mix_ampA);
    EXPECT_NEAR(-6.0, numbox_get(kWtransMixDbB)->value, 1e-6);
    // "new..." of the preset sub-menu is not offered here.
    chooseHere(kWtransMixWave, 17 * 256 + 1);
    EXPECT_EQ(chosen, waveID);
    shot13("wtrans_mix");
    // OK keeps the mix; Edit > Undo takes it back, Redo brings it again.
    waveV mixed = current();
    clickControl(kWtransOk);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_EQ(3, undo_getMode());
    wWave_undoWave(0);
    EXPECT_EQ(sine, current());
    wWave_undoWave(1);
    EXPECT_EQ(mixed, current());
    // Wave B may be the wave itself: read as it was at the opening, every time.
    open(kWaveTransformPopup, 6);
    chooseHere(kWtransMixWave, 17 * 256 + 3);
    EXPECT_EQ(kWaveUserBaseID, waveID);
    type(kWtransMixDbB, "0");
    type(kWtransMixDbB, "0");
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_FLOAT_EQ(-mixed[(2 * i) % kWaveSamples], wave(0)[i]) << i;
    clickControl(kWtransCancel);
}

TEST_F(WaveTransformTest, FractalizeFilterAndFmFromTheirPanels)
{
    waveV sine = sineWave(1);
    newWave(sine.data());
    open(kWaveTransformPopup, 7);
    chooseHere(kWtransFractIterations, 1);
    EXPECT_EQ(2, fract_iterations);
    type(kWtransFractDisplacement, "0.5");
    type(kWtransFractSlope, "-6");
    EXPECT_DOUBLE_EQ(0.5, fract_ampScale);
    waveV expect(kWaveSamples);
    wWtrans_fractalizeData(sine.data(), expect.data(), 2, 0.5f, 0.5);
    EXPECT_EQ(expect, current());
    shot13("wtrans_fractalize");
    clickControl(kWtransOk);

    // The filter works on the wave as OK left it.
    waveV before = current();
    open(kWaveTransformPopup, 8);
    chooseHere(kWtransFilterMode, 3);
    EXPECT_EQ(3, filter_mode);
    type(kWtransFilterFreq, "1");
    EXPECT_FLOAT_EQ(0.99f, filter_freq);
    EXPECT_FLOAT_EQ(0.99f, numbox_getVal(kWtransFilterFreq));
    wWtrans_filterData(before.data(), expect.data(), 3, 0.99f);
    EXPECT_EQ(expect, current());
    shot13("wtrans_filter");
    // Return shows OK pressed for 160 ms, then acts as OK.
    DWORD t0 = GetTickCount();
    headless_key(VK_RETURN);
    headless_runUntilIdle();
    EXPECT_GE(GetTickCount() - t0, 160u);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_EQ(expect, current());
    window_setCurrent(winId_waveTransform);
    EXPECT_FALSE(button_isSelected(kWtransOk));

    before = current();
    open(kWaveTransformPopup, 9);
    type(kWtransFmIndex, "0");
    type(kWtransFmCarrier, "2");
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_EQ(before[(2 * i) % kWaveSamples], wave(0)[i]) << i;
    type(kWtransFmCarrier, "2.6");  // whole numbers only
    EXPECT_FLOAT_EQ(3.0f, fm_carrierFreq);
    shot13("wtrans_fm");
    clickControl(kWtransCancel);
    EXPECT_EQ(before, current());
}

TEST_F(WaveTransformTest, LoadWaveAndShiftHarmonicsAndEveryPanelOnScreen)
{
    waveV sine = sineWave(1);
    newWave(sine.data());
    open(kWaveTransformPopup, 3);
    shot13("wtrans_phase");
    clickControl(kWtransCancel);
    open(kWaveTransformPopup, 11);
    chooseHere(kWtransLoadWaveWave, 16 * 256 + 2);
    const float* b = wave_getWaveDataFromID(gInst, waveMenu_menuItemToWaveID(2, kWaveMenuFactory));
    EXPECT_EQ(0, std::memcmp(b, wave(0), sizeof(float) * kWaveSamples));
    shot13("wtrans_load");
    clickControl(kWtransCancel);
    EXPECT_EQ(sine, current());

    // The third harmonic moved up by two is the fifth.
    waveV third = sineWave(3);
    std::copy(third.begin(), third.end(), wave(0));
    window_setCurrent(winId_waveform);
    wWave_callback_modeButtons(kWaveModeSpectrum);
    open(kSpectrumTransformPopup, 2);
    type(kWtransShift, "2");
    EXPECT_EQ(2, wWtrans_shift);
    EXPECT_NEAR(1.0, spectrum_getHarmonicAmp(5), 1e-6);
    EXPECT_NEAR(0.0, spectrum_getHarmonicAmp(3), 1e-6);
    waveV fifth = sineWave(5);
    for (int i = 0; i < kWaveSamples; ++i) ASSERT_NEAR(fifth[i] * 0.995f, wave(0)[i], 1e-3) << i;
    shot13("wtrans_shift");
    clickControl(kWtransCancel);
    EXPECT_EQ(third, current());
    EXPECT_EQ(0, undo_getMode());
    std::string path = shot("wtrans_waveform_after");
    EXPECT_FALSE(path.empty());
}
