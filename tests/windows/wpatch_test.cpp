// The Patch window, headless: the channel and filter tables, auto-balance,
// the enabling of the sections, the number boxes of every oscillator,
// frequency and filter mode, a drag on the cutoff box writing the shared
// record, the wave pop-ups' "new..." entry, the partial refresh, and
// screenshots with one, two and three channels on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <string>

#include "iac/MorvaneIAC_plug.h"
#include "resources/resources.h"
#include "tests/windows/window_session.h"

namespace {
short oc(short channel, short k) { return static_cast<short>(wPatch_channelToGuiOffset(channel) + k); }
bool visible(short id) { return clickObject_isVisible(winId_patch, id) != 0; }
bool enabled(short id) { return clickObject_isEnabled(winId_patch, id) != 0; }
numboxRec* box(short id) { return numbox_get(id); }

class PatchWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, windowSession_open(&session_, "wpatch"));
        autoBalanceChannels = 1;
        for (float& base : balanceSliderBaseAmp) base = 1.0f;
        wPatch_makeWindow();
        ASSERT_NE(nullptr, window_getHWND(winId_patch));
        wPatch_show(1);
        headless_runUntilIdle();
        window_setCurrent(winId_patch);
    }
    void TearDown() override { windowSession_close(&session_); }
    POINT screen(int x, int y) { return windowSession_screen(winId_patch, x, y); }
    void clickAt(int x, int y) { windowSession_clickAt(winId_patch, x, y); }
    // Clicks the middle of a control.
    void clickObject(short id) { windowSession_clickObject(winId_patch, id); }
    void drag(int x, int y, int dx, int dy)
    {
        std::vector<POINT> path;
        for (int i = 0; i <= 4; ++i) path.push_back(POINT{x + dx * i / 4, y + dy * i / 4});
        windowSession_drag(winId_patch, path);
    }
    void switchOscillator(short channel) { clickObject(oc(channel, kPatchOscOn)); }
    std::string shot(const char* name)
    {
        const std::string path = std::string(name) + ".png";
        EXPECT_EQ(1, windowSession_shot(winId_patch, path)) << path;
        return path;
    }
    COLORREF pixel(int x, int y) { return windowSession_pixel(winId_patch, x, y); }
    windowSession session_;
};
}  // namespace

TEST(PatchTables, ChannelIdsFilterMenuAndFrequencyModes)
{
    EXPECT_EQ(0, wPatch_channelToGuiOffset(0));
    EXPECT_EQ(62, wPatch_channelToGuiOffset(1));
    EXPECT_EQ(124, wPatch_channelToGuiOffset(2));
    EXPECT_EQ(0, wPatch_channelToGuiOffset(7));
    EXPECT_EQ(0, wPatch_guiToChannel(61));
    EXPECT_EQ(1, wPatch_guiToChannel(62));
    EXPECT_EQ(1, wPatch_guiToChannel(123));
    EXPECT_EQ(2, wPatch_guiToChannel(185));
    EXPECT_EQ(0, wPatch_guiToChannel(186));
    EXPECT_EQ(0, wPatch_guiToChannel(-4));
    // The master filter's controls 55..59 act on filter 3; channel filters on their channel.
    for (short id = 55; id <= 59; ++id) EXPECT_EQ(3, wPatch_guiToFilter(id));
    EXPECT_EQ(0, wPatch_guiToFilter(39));
    EXPECT_EQ(1, wPatch_guiToFilter(62 + 39));
    EXPECT_EQ(2, wPatch_guiToFilter(124 + 41));
    // Filter menu items and modes, both ways; a stored 11 shows as "notch".
    const short modes[9] = {0, 1, 2, 3, 4, 5, 6, 9, 10};
    for (short item = 1; item <= 8; ++item) {
        EXPECT_EQ(modes[item], wPatch_filterItemToMode(item));
        EXPECT_EQ(item, wPatch_filterModeToItem(modes[item]));
    }
    EXPECT_EQ(7, wPatch_filterModeToItem(11));
    EXPECT_EQ(0, wPatch_filterModeToItem(7));
    EXPECT_EQ(0, wPatch_filterItemToMode(9));
    // Frequency-mode items: 1 -> 0, 2 -> 1, 3 -> 3, 4 -> 2, and back.
    const short freq[5] = {-1, 0, 1, 3, 2};
    for (short item = 1; item <= 4; ++item) {
        EXPECT_EQ(freq[item], wPatch_itemToFreqMode(item));
        EXPECT_EQ(item, wPatch_freqModeToItem(freq[item]));
    }
    EXPECT_EQ(-1, wPatch_itemToFreqMode(5));
    EXPECT_EQ(0, wPatch_freqModeToItem(4));
    // Levels stay within 2^-16 of 0 and 1.
    EXPECT_FLOAT_EQ(0.0000152587890625f, wPatch_sliderToLevel(0.0));
    EXPECT_FLOAT_EQ(0.999984741211f, wPatch_sliderToLevel(1.0));
    EXPECT_FLOAT_EQ(0.25f, wPatch_sliderToLevel(0.5));
    EXPECT_FLOAT_EQ(0.5f, wPatch_levelToSlider(0.25));
    EXPECT_FLOAT_EQ(0.0000152587890625f, wPatch_clampLevel(std::nan("")));
}

TEST_F(PatchWindowTest, SwitchingOscillatorOneOnWithAutoBalanceGivesHalfLevels)
{
    switchOscillator(0);
    EXPECT_TRUE(oscil_getActive(gInst, 0));
    EXPECT_FLOAT_EQ(1.0f - 1.0f / 65536.0f, oscil_getAmpScale(gInst, 0));  // alone: the whole level, clamped
    switchOscillator(1);
    EXPECT_TRUE(oscil_getActive(gInst, 1));
    EXPECT_FLOAT_EQ(0.5f, oscil_getAmpScale(gInst, 0));
    EXPECT_FLOAT_EQ(0.5f, oscil_getAmpScale(gInst, 1));
    char text[64];
    display_getText(oc(1, kPatchLevelDisplay), text, 60);
    EXPECT_STREQ("-6.0 dB", text);
    EXPECT_FLOAT_EQ(std::sqrt(0.5f), draggy_getValH(oc(0, kPatchLevelSlider)));
    // The wires light for channels 0 and 1, the bus for 1 or 2, the drop for any.
    EXPECT_TRUE(button_isSelected(kPatchLitOsc0));
    EXPECT_TRUE(button_isSelected(kPatchLitOsc0 + 1));
    EXPECT_FALSE(button_isSelected(kPatchLitOsc0 + 2));
    EXPECT_TRUE(button_isSelected(kPatchLitAny));
    EXPECT_TRUE(button_isSelected(kPatchLitOsc12));
    // Every switch asked the plug-in to rebuild its chains.
    int32_t flag = 0;
    EXPECT_GE(iac_plug_takeRepatch(0, &flag), 2);
}

TEST_F(PatchWindowTest, DraggingALevelShareTheRestWithAutoBalanceOnly)
{
    switchOscillator(0);
    switchOscillator(2);
    // Drag channel 0's knob to the right: its level grows, channel 2 takes the rest.
    RECT r;
    clickObject_getRect(oc(0, kPatchLevelSlider), &r);
    int y = (r.top + r.bottom) / 2;
    int x = r.left + static_cast<int>((r.right - r.left) * std::sqrt(0.5));
    drag(x, y, 30, 0);
    float a0 = oscil_getAmpScale(gInst, 0), a2 = oscil_getAmpScale(gInst, 2);
    EXPECT_GT(a0, 0.55f);
    EXPECT_NEAR(1.0, a0 + a2, 1e-5);
    EXPECT_FLOAT_EQ(a0, wPatch_sliderToLevel(draggy_getValH(oc(0, kPatchLevelSlider))));
    EXPECT_NEAR(std::sqrt(a2), draggy_getValH(oc(2, kPatchLevelSlider)), 1e-6);
    EXPECT_NEAR(2.0 * a0, balanceSliderBaseAmp[0], 1e-5);
    EXPECT_NEAR(2.0 * a2, balanceSliderBaseAmp[2], 1e-5);
    // Without auto-balance the other channel keeps its level.
    wPatch_setAutoBalanceChannels(0);
    EXPECT_EQ(0, wPatch_getAutoBalanceChannels());
    drag(x + 30, y, -40, 0);
    EXPECT_LT(oscil_getAmpScale(gInst, 0), a0);
    EXPECT_FLOAT_EQ(a2, oscil_getAmpScale(gInst, 2));
    // "Balance channels" gives each active channel the same share and the sliders follow.
    switchOscillator(1);
    EXPECT_FLOAT_EQ(a2, oscil_getAmpScale(gInst, 2));  // auto-balance off: switching rescales nothing
    wPatch_balanceChannels();
    for (short c = 0; c < 3; ++c) {
        EXPECT_NEAR(1.0 / 3.0, oscil_getAmpScale(gInst, c), 1e-6);
        EXPECT_NEAR(std::sqrt(1.0 / 3.0), draggy_getValH(oc(c, kPatchLevelSlider)), 1e-6);
    }
}

TEST_F(PatchWindowTest, AChannelThatIsOffHidesItsSectionsAndDisablesItsSwitches)
{
    filter_setActive(gInst, 1, 1);
    mod_setActive(gInst, 1, 1);
    wPatch_update();
    for (short c = 0; c < 3; ++c) {
        EXPECT_FALSE(button_isSelected(oc(c, kPatchOscOn)));
        EXPECT_FALSE(visible(oc(c, kPatchOscPanel)));
        EXPECT_FALSE(visible(oc(c, kPatchFilterPanel)));
        EXPECT_FALSE(visible(oc(c, kPatchModulatorPanel)));
        EXPECT_FALSE(visible(oc(c, kPatchMainFreq)));
        EXPECT_FALSE(visible(oc(c, kPatchFilterFreq)));
        EXPECT_FALSE(visible(oc(c, kPatchLevelSlider)));
        EXPECT_FALSE(enabled(oc(c, kPatchFilterOn)));
        EXPECT_FALSE(enabled(oc(c, kPatchModulatorOn)));
        EXPECT_FALSE(visible(oc(c, kPatchMainPage)));
    }
    // The global units are disabled and hidden while no oscillator is on.
    EXPECT_FALSE(enabled(kPatchWaveshapeOn));
    EXPECT_FALSE(enabled(kPatchMasterOn));
    EXPECT_FALSE(enabled(kPatchEffectOn));
    // Channel 1 on: its active filter and modulator show; its switches show them selected.
    switchOscillator(1);
    EXPECT_TRUE(visible(oc(1, kPatchOscPanel)));
    EXPECT_TRUE(visible(oc(1, kPatchMainPanel)));
    EXPECT_FALSE(visible(oc(1, kPatchModPanel)));
    EXPECT_TRUE(visible(oc(1, kPatchFilterPanel)));
    EXPECT_TRUE(visible(oc(1, kPatchFilterFreq)));
    EXPECT_TRUE(visible(oc(1, kPatchModulatorPanel)));
    EXPECT_TRUE(enabled(oc(1, kPatchFilterOn)) && button_isSelected(oc(1, kPatchFilterOn)));
    EXPECT_TRUE(enabled(oc(1, kPatchModulatorOn)) && button_isSelected(oc(1, kPatchModulatorOn)));
    EXPECT_TRUE(enabled(kPatchWaveshapeOn));
    EXPECT_FALSE(visible(kPatchWaveshapeIn));  // enabled, but the waveshaper itself is off
    // Channel 2 stays off; its filter switch is still disabled, channel 0's too.
    EXPECT_FALSE(enabled(oc(2, kPatchFilterOn)));
    EXPECT_FALSE(visible(oc(0, kPatchFilterPanel)));
    // Switching the filter off by its button hides the section and writes the record.
    clickObject(oc(1, kPatchFilterOn));
    EXPECT_FALSE(filter_getActive(gInst, 1));
    EXPECT_FALSE(visible(oc(1, kPatchFilterPanel)));
    // Switching the oscillator off again hides everything of the channel.
    switchOscillator(1);
    EXPECT_FALSE(oscil_getActive(gInst, 1));
    EXPECT_FALSE(visible(oc(1, kPatchOscPanel)));
    EXPECT_FALSE(visible(oc(1, kPatchModulatorPanel)));
    EXPECT_FALSE(visible(oc(1, kPatchModulatorFreq)));
}

TEST_F(PatchWindowTest, OscillatorModesShowTheirBoxesAndPages)
{
    switchOscillator(0);
    // Single: no page buttons, the main page with frequency and phase only.
    EXPECT_EQ(0, oscil_getMode(gInst, 0));
    EXPECT_FALSE(visible(oc(0, kPatchMainPage)));
    EXPECT_FALSE(visible(oc(0, kPatchModPage)));
    EXPECT_TRUE(visible(oc(0, kPatchMainPanel)));
    EXPECT_TRUE(visible(oc(0, kPatchMainFreq)));
    EXPECT_TRUE(visible(oc(0, kPatchMainPhase)));
    // fm: page buttons appear; the modulating page shows "fm index" 0..32.
    wPatch_callback_oscMode(oc(0, kPatchOscMode), 0, 3);
    EXPECT_EQ(2, oscil_getMode(gInst, 0));
    EXPECT_TRUE(visible(oc(0, kPatchMainPage)));
    EXPECT_TRUE(visible(oc(0, kPatchModPage)));
    clickObject(oc(0, kPatchModPage));
    EXPECT_TRUE(button_isSelected(oc(0, kPatchModPage)));
    EXPECT_FALSE(button_isSelected(oc(0, kPatchMainPage)));
    EXPECT_FALSE(visible(oc(0, kPatchMainPanel)));
    EXPECT_TRUE(visible(oc(0, kPatchModPanel)));
    EXPECT_FALSE(visible(oc(0, kPatchMainFreq)));
    EXPECT_STREQ("fm index", box(oc(0, kPatchModAmount))->name);
    EXPECT_DOUBLE_EQ(0.0, box(oc(0, kPatchModAmount))->minimum);
    EXPECT_DOUBLE_EQ(32.0, box(oc(0, kPatchModAmount))->maximum);
    EXPECT_NEAR(1.0, box(oc(0, kPatchModAmount))->value, 1e-5);
    EXPECT_TRUE(visible(oc(0, kPatchModAmount)));
    EXPECT_TRUE(visible(oc(0, kPatchModFreq)));
    EXPECT_TRUE(visible(oc(0, kPatchModPhase)));
    EXPECT_STREQ("phase", box(oc(0, kPatchModPhase))->name);
    EXPECT_FALSE(visible(oc(0, kPatchModSpare)));
    // The "fm index" box writes the FM index in fm mode.
    numbox_setVal(oc(0, kPatchModAmount), 4.0f);
    wPatch_callback_oscBox(oc(0, kPatchModAmount));
    EXPECT_NEAR(4.0, oscil_getFmIndex(gInst, 0), 1e-4);
    // ringmod: "balance" 0..1, no modulating phase; choosing a mode returns to the main page.
    wPatch_callback_oscMode(oc(0, kPatchOscMode), 0, 4);
    EXPECT_TRUE(visible(oc(0, kPatchMainPanel)));
    EXPECT_TRUE(button_isSelected(oc(0, kPatchMainPage)));
    clickObject(oc(0, kPatchModPage));
    EXPECT_STREQ("balance", box(oc(0, kPatchModAmount))->name);
    EXPECT_DOUBLE_EQ(1.0, box(oc(0, kPatchModAmount))->maximum);
    EXPECT_FALSE(visible(oc(0, kPatchModPhase)));
    numbox_setVal(oc(0, kPatchModAmount), 0.25f);
    wPatch_callback_oscBox(oc(0, kPatchModAmount));
    EXPECT_FLOAT_EQ(0.25f, gInst->oscil[0].ringmodBalance);
    EXPECT_NEAR(4.0, oscil_getFmIndex(gInst, 0), 1e-4);  // untouched outside fm
    // Back to single: the page buttons go, the main page comes back.
    wPatch_callback_oscMode(oc(0, kPatchOscMode), 0, 1);
    EXPECT_FALSE(visible(oc(0, kPatchMainPage)));
    EXPECT_TRUE(visible(oc(0, kPatchMainPanel)));
    EXPECT_FALSE(visible(oc(0, kPatchModPanel)));
    EXPECT_FALSE(visible(oc(0, kPatchModAmount)));
}

TEST_F(PatchWindowTest, FrequencyModesRelabelAndRerangeTheirBoxes)
{
    switchOscillator(2);
    short freq = oc(2, kPatchMainFreq);
    // Item 3 is fixed frequency: hertz up to 22000 with the hertz step rule; the stored 220 Hz shows.
    wPatch_callback_freqMode(oc(2, kPatchMainFreqMode), 0, 3);
    EXPECT_EQ(3, oscil_getMainFreqMode(gInst, 2));
    EXPECT_EQ(3, popup_getCurrentItem(oc(2, kPatchMainFreqMode)));
    EXPECT_STREQ("", box(freq)->name);
    EXPECT_DOUBLE_EQ(22000.0, box(freq)->maximum);
    EXPECT_NEAR(0.0001, box(freq)->minimum, 1e-9);
    EXPECT_EQ(numbox_incHertz, box(freq)->increment);
    EXPECT_NEAR(220.0, box(freq)->value, 0.01);
    // Item 4 is fixed note, 0..128.
    wPatch_callback_freqMode(oc(2, kPatchMainFreqMode), 0, 4);
    EXPECT_EQ(2, oscil_getMainFreqMode(gInst, 2));
    EXPECT_DOUBLE_EQ(128.0, box(freq)->maximum);
    EXPECT_DOUBLE_EQ(0.0, box(freq)->minimum);
    EXPECT_EQ(numbox_defaultIncrement, box(freq)->increment);
    // Item 1 is transpose: -64..64, and the box writes semitones.
    wPatch_callback_freqMode(oc(2, kPatchMainFreqMode), 0, 1);
    EXPECT_DOUBLE_EQ(-64.0, box(freq)->minimum);
    numbox_setVal(freq, 7.0f);
    wPatch_callback_oscBox(freq);
    EXPECT_NEAR(1.4983, gInst->oscil[2].mainRatio, 1e-4);
    // Item 2 is ratio on the modulator: 0.0001..32.
    wPatch_callback_freqMode(oc(2, kPatchModulatorFreqMode), 0, 2);
    EXPECT_EQ(1, mod_getFreqMode(gInst, 2));
    EXPECT_DOUBLE_EQ(32.0, box(oc(2, kPatchModulatorFreq))->maximum);
    // An unknown item changes nothing.
    wPatch_callback_freqMode(oc(2, kPatchModulatorFreqMode), 0, 9);
    EXPECT_EQ(1, mod_getFreqMode(gInst, 2));
}

TEST_F(PatchWindowTest, EveryFilterModeConfiguresItsBoxes)
{
    switchOscillator(0);
    filter_setActive(gInst, 0, 1);
    wPatch_enableFilter(0);
    struct expected {
        short item, mode;
        const char* qName;  // null: hidden
        double qMin, qMax;
        const char* gName;
        double gMin, gMax;
    };
    const expected rows[8] = {
        {1, 1, nullptr, 0, 0, nullptr, 0, 0},    {2, 2, "res", 0, 1, "dB", -48, 0},
        {3, 3, "res", 0, 1, "dB", -48, 0},       {4, 4, nullptr, 0, 0, nullptr, 0, 0},
        {5, 5, "res", 0, 1, nullptr, 0, 0},      {6, 6, "Q", 0.1, 1000, "dB", -48, 36},
        {7, 9, "res", 0, 1, "b-width", 0.01, 8}, {8, 10, "feedback", -0.99, 0.99, "dB", -48, 12},
    };
    short q = oc(0, kPatchFilterQ), g = oc(0, kPatchFilterGain);
    for (const expected& row : rows) {
        SCOPED_TRACE(row.item);
        wPatch_callback_filterMode(oc(0, kPatchFilterMode), 0, row.item);
        EXPECT_EQ(row.mode, filter_getMode(gInst, 0));
        EXPECT_EQ(row.item, popup_getCurrentItem(oc(0, kPatchFilterMode)));
        EXPECT_TRUE(visible(oc(0, kPatchFilterFreq)));
        EXPECT_FALSE(visible(oc(0, kPatchFilterSpare)));
        EXPECT_EQ(row.qName != nullptr, visible(q));
        if (row.qName) {
            EXPECT_STREQ(row.qName, box(q)->name);
            EXPECT_NEAR(row.qMin, box(q)->minimum, 1e-6);
            EXPECT_NEAR(row.qMax, box(q)->maximum, 1e-6);
        }
        EXPECT_EQ(row.gName != nullptr, visible(g));
        if (row.gName) {
            EXPECT_STREQ(row.gName, box(g)->name);
            EXPECT_NEAR(row.gMin, box(g)->minimum, 1e-6);
            EXPECT_NEAR(row.gMax, box(g)->maximum, 1e-6);
        }
    }
    // In "notch" the last box writes the bandwidth, in "comb" the gain and the feedback.
    wPatch_callback_filterMode(oc(0, kPatchFilterMode), 0, 7);
    numbox_setVal(g, 2.5f);
    wPatch_callback_filterBox(g);
    EXPECT_NEAR(2.5, filter_getBandwidth(gInst, 0), 1e-6);
    EXPECT_EQ(numbox_incPointOne, box(g)->increment);
    wPatch_callback_filterMode(oc(0, kPatchFilterMode), 0, 8);
    numbox_setVal(q, -0.5f);
    wPatch_callback_filterBox(q);
    numbox_setVal(g, -6.0f);
    wPatch_callback_filterBox(g);
    EXPECT_NEAR(-0.5, gInst->filter[0].combFeedback, 1e-6);
    EXPECT_NEAR(0.5, gInst->filter[0].combGain, 1e-6);
    EXPECT_NEAR(2.5, filter_getBandwidth(gInst, 0), 1e-6);
    // The master filter's pop-up acts on filter 3 and its own boxes.
    wPatch_callback_filterMode(kPatchMasterFilterOffset + kPatchFilterMode, 0, 6);
    EXPECT_EQ(6, filter_getMode(gInst, 3));
    EXPECT_EQ(10, filter_getMode(gInst, 0));
    EXPECT_STREQ("Q", box(kPatchMasterFilterOffset + kPatchFilterQ)->name);
    // A stored mode 11 reads as "notch" in the menu.
    gInst->filter[1].mode = 11;
    wPatch_filterSetMode(1, 11);
    EXPECT_EQ(7, popup_getCurrentItem(oc(1, kPatchFilterMode)));
}

TEST_F(PatchWindowTest, DraggingTheCutoffBoxWritesTheSharedRecord)
{
    switchOscillator(0);
    filter_setActive(gInst, 0, 1);
    wPatch_enableFilter(0);
    filter_setFreq(gInst, 0, 1000.0);
    wPatch_update();
    short id = oc(0, kPatchFilterFreq);
    numboxRec* n = box(id);
    ASSERT_TRUE(visible(id));
    EXPECT_NEAR(1000.0, n->value, 0.5);
    // Column 1 of the step buttons: up 12 pixels doubles the hertz.
    int x = n->buttonRect.left + 3, y = (n->buttonRect.top + n->buttonRect.bottom) / 2;
    makePresetClean();
    drag(x, y, 0, -12);
    EXPECT_NEAR(2000.0, n->value, 1.0);
    // The plug-in reads the frequency index in the shared record.
    const filterInstRec* shared = &iac_getInst(0)->filter[0];
    EXPECT_NEAR(filterFreqToIndex(2000.0), shared->freqIndex, 0.05);
    EXPECT_NEAR(2000.0, filter_getFreq(gInst, 0), 1.0);
    EXPECT_TRUE(presetIsDirty());
}

TEST_F(PatchWindowTest, ClicksMarkThePresetDirtyEvenWithoutAChange)
{
    switchOscillator(0);
    wPatch_callback_oscMode(oc(0, kPatchOscMode), 0, 2);
    makePresetClean();
    // The selected radio page button ignores the click, yet the preset is touched.
    clickObject(oc(0, kPatchMainPage));
    EXPECT_TRUE(button_isSelected(oc(0, kPatchMainPage)));
    EXPECT_TRUE(presetIsDirty());
    // The background (object 1) does not.
    makePresetClean();
    clickAt(300, 5);
    EXPECT_FALSE(presetIsDirty());
}

TEST_F(PatchWindowTest, NewPresetWaveAndNoneLeft)
{
    switchOscillator(0);
    // "new..." takes the first free preset wave and names item 1 after it.
    wPatch_callback_wave(oc(0, kPatchMainWave), kWaveMenuPreset, 1);
    EXPECT_EQ(0x7F00, oscil_getMainWaveID(gInst, 0));
    char name[kWaveNameLen];
    wave_getName(gInst, 0x7F00, name);
    EXPECT_STREQ("preset 1", name);
    // A factory item gives its wave.
    wPatch_callback_wave(oc(0, kPatchModulatorWave), kWaveMenuFactory, 2);
    EXPECT_EQ(waveMenu_menuItemToWaveID(2, kWaveMenuFactory), mod_getWaveID(gInst, 0));
    // All eight taken: the alert, and nothing changes.
    for (int i = 1; i < 8; ++i) ASSERT_GE(inst_newPresetWave(gInst), 0);
    headless_answerNextPrompt(IDOK);
    wPatch_callback_wave(kPatchWaveshapeWave, kWaveMenuPreset, 1);
    EXPECT_EQ("No more preset waves available.", platform_lastMessageBox().text);
    EXPECT_EQ(0, waveshape_getWaveID(gInst));
    EXPECT_EQ(-1, inst_newPresetWave(gInst));
}

TEST_F(PatchWindowTest, TheWavePopupsFirstItemKeepsTheWaveInUse)
{
    switchOscillator(0);
    const short popup = oc(0, kPatchMainWave);
    // Factory item 3 chosen through the pop-up: its wave, named in item 1.
    const short factoryWave = waveMenu_menuItemToWaveID(3, kWaveMenuFactory);
    ASSERT_NE(0, factoryWave);
    headless_answerNextPrompt(kWaveMenuFactory * 256 + 3);
    clickObject(popup);
    ASSERT_EQ(factoryWave, oscil_getMainWaveID(gInst, 0));
    char expected[kWaveNameLen + 1] = {};
    wave_getName(gInst, factoryWave, expected);
    char shown[64] = {};
    GetMenuStringA(popup_get(popup)->menu, 1, shown, sizeof shown, MF_BYCOMMAND);
    EXPECT_STREQ(expected, shown);
    // Item 1, which carries that name, keeps the wave (it is no "sine").
    headless_answerNextPrompt(1);
    clickObject(popup);
    EXPECT_EQ(factoryWave, oscil_getMainWaveID(gInst, 0));
    EXPECT_EQ(1, popup_getCurrentItem(popup));
    // The same for the waveshaper's pop-up, whose wave starts as the sine.
    clickObject(kPatchWaveshapeOn);
    headless_answerNextPrompt(kWaveMenuFactory * 256 + 3);
    clickObject(kPatchWaveshapeWave);
    headless_answerNextPrompt(1);
    clickObject(kPatchWaveshapeWave);
    EXPECT_EQ(factoryWave, waveshape_getWaveID(gInst));
}

TEST_F(PatchWindowTest, GlobalSwitchesAndTheMasterMonoRule)
{
    switchOscillator(0);
    clickObject(kPatchWaveshapeOn);
    EXPECT_TRUE(waveshape_getActive(gInst));
    EXPECT_TRUE(visible(kPatchWaveshapeIn));
    clickObject(kPatchMasterOn);
    EXPECT_TRUE(filter_getActive(gInst, 3));
    EXPECT_TRUE(visible(kPatchMasterFilterOffset + kPatchFilterFreq));
    // Waveshaper mono sets the master filter mono as well and locks its lamp on.
    clickObject(kPatchWaveshapeMono);
    EXPECT_TRUE(waveshape_getMono(gInst));
    EXPECT_TRUE(filter_getMono(gInst, 3));
    EXPECT_TRUE(button_isSelected(kPatchMasterMono));
    EXPECT_FALSE(enabled(kPatchMasterMono));
    clickObject(kPatchWaveshapeMono);
    EXPECT_FALSE(filter_getMono(gInst, 3));
    EXPECT_TRUE(enabled(kPatchMasterMono));
    // The waveshaper's boxes write decibels and phase.
    numbox_setVal(kPatchWaveshapeIn, -6.0f);
    wPatch_callback_waveshapeBox(kPatchWaveshapeIn);
    EXPECT_NEAR(0.5, gInst->waveshape.inGain, 1e-6);
    // The effect switch reaches the patch information block.
    clickObject(kPatchEffectOn);
    EXPECT_TRUE(effect_getActive(gInst));
    EXPECT_EQ(1, gInst->patchInfo[patchInfo_effect]);
    EXPECT_TRUE(visible(kPatchEffectEdit));
}

TEST_F(PatchWindowTest, RefreshFollowsTheRecordForcedAndPartly)
{
    // Another preset arrives: channel 1 on in fm mode with a filter in notch.
    oscil_setActive(gInst, 1, 1);
    oscil_setMode(gInst, 1, 2);
    filter_setActive(gInst, 1, 1);
    filter_setMode(gInst, 1, 9);
    filter_setFreq(gInst, 1, 440.0);
    oscil_setAmpScale(gInst, 1, 0.25f);
    wPatch_updateSchedule();
    EXPECT_EQ(1, wPatch_needUpdate());
    sendUpdateMessage(winId_patch);
    headless_runUntilIdle();
    window_setCurrent(winId_patch);
    EXPECT_EQ(0, wPatch_needUpdate());
    EXPECT_TRUE(button_isSelected(oc(1, kPatchOscOn)));
    EXPECT_EQ(3, popup_getCurrentItem(oc(1, kPatchOscMode)));
    EXPECT_TRUE(visible(oc(1, kPatchMainPage)));
    EXPECT_EQ(7, popup_getCurrentItem(oc(1, kPatchFilterMode)));
    EXPECT_STREQ("b-width", box(oc(1, kPatchFilterGain))->name);
    EXPECT_NEAR(440.0, box(oc(1, kPatchFilterFreq))->value, 0.1);
    EXPECT_FLOAT_EQ(0.5f, draggy_getValH(oc(1, kPatchLevelSlider)));
    // A partial refresh redoes only the channels whose oscillator switched.
    filter_setFreq(gInst, 1, 1000.0);
    oscil_setActive(gInst, 2, 1);
    filter_setActive(gInst, 2, 1);
    wPatch_updatePatch(0);
    EXPECT_NEAR(440.0, box(oc(1, kPatchFilterFreq))->value, 0.1);
    EXPECT_TRUE(visible(oc(2, kPatchFilterPanel)));
    EXPECT_TRUE(button_isSelected(kPatchLitOsc0 + 2));
    wPatch_updatePatch(1);
    EXPECT_NEAR(1000.0, box(oc(1, kPatchFilterFreq))->value, 0.5);
}

TEST_F(PatchWindowTest, ScreenshotsWithOneTwoAndThreeChannels)
{
    const resThemeRec& t = res_theme();
    unsigned char r, g, b;
    res_colorBytes(t.accent, &r, &g, &b);
    COLORREF lit = RGB(r, g, b);
    switchOscillator(0);
    filter_setActive(gInst, 0, 1);
    wPatch_update();
    shot("wpatch-one-channel");
    EXPECT_EQ(lit, pixel(8, 330));    // channel 0's wire
    EXPECT_NE(lit, pixel(187, 330));  // channel 1's wire is dark
    EXPECT_NE(lit, pixel(100, 340));  // the bus carries nothing from channels 1 and 2
    switchOscillator(1);
    wPatch_callback_oscMode(oc(1, kPatchOscMode), 0, 2);
    mod_setActive(gInst, 1, 1);
    wPatch_enableMod(1);
    shot("wpatch-two-channels");
    EXPECT_EQ(lit, pixel(187, 330));
    EXPECT_EQ(lit, pixel(100, 340));
    switchOscillator(2);
    clickObject(kPatchWaveshapeOn);
    clickObject(kPatchMasterOn);
    clickObject(kPatchEffectOn);
    wPatch_callback_filterMode(oc(2, kPatchFilterMode), 0, 7);
    shot("wpatch-three-channels");
    EXPECT_EQ(lit, pixel(366, 330));
}

TEST_F(PatchWindowTest, TheLongFactoryMenuScrollsToItsLastWavesAndMarksTheWaveInUse)
{
    switchOscillator(0);
    const short popup = oc(0, kPatchMainWave);
    const short bigChord = 40;  // the last built-in wave, at the foot of the factory menu
    ASSERT_GT(waveMenu_waveToMenu[bigChord], 0);
    const UINT bigChordCommand = static_cast<UINT>(kWaveMenuFactory * 256 + waveMenu_waveToMenu[bigChord]);
    HMENU menu = popup_get(popup)->menu;
    auto factoryItem = [menu](RECT* r) {
        return platform_menuItemScreenRect(
                   static_cast<UINT>(reinterpret_cast<uintptr_t>(GetSubMenu(menu, 2))), r) != 0;
    };
    // "factory" opens its 41 waves, taller than the screen: the last is out
    // of reach until the wheel scrolls it up, then it is chosen by a click.
    bool outOfReach = false;
    headless_pushIdleAction([&](HWND) {
        RECT r;
        if (factoryItem(&r)) headless_mouseMove(r.left + 5, (r.top + r.bottom) / 2);
    });
    headless_pushIdleAction([&](HWND) {
        RECT r, first;
        outOfReach = platform_menuItemScreenRect(bigChordCommand, &r) == 0;
        if (platform_menuItemScreenRect(kWaveMenuFactory * 256 + 1, &first))
            headless_wheel(first.left + 20, first.bottom, -20);
    });
    headless_pushIdleAction([&](HWND) {
        RECT r;
        if (platform_menuItemScreenRect(bigChordCommand, &r))
            headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        else
            headless_key(VK_ESCAPE);
    });
    clickObject(popup);
    EXPECT_TRUE(outOfReach);
    EXPECT_EQ(bigChord, oscil_getMainWaveID(gInst, 0));
    // Opened again, the menus mark it: its item, "factory" that leads to it,
    // and item 1 which names it; nothing else.
    UINT marks[4] = {0, 0, 0, 0};
    headless_pushIdleAction([&](HWND) {
        marks[0] = GetMenuState(menu_getHMenu(kWaveMenuFactory), bigChordCommand, MF_BYCOMMAND) & MF_CHECKED;
        marks[1] = GetMenuState(menu, 2, MF_BYPOSITION) & MF_CHECKED;
        marks[2] = GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED;
        marks[3] = GetMenuState(menu_getHMenu(kWaveMenuFactory), kWaveMenuFactory * 256 + 1, MF_BYCOMMAND) &
                   MF_CHECKED;
        headless_key(VK_ESCAPE);
    });
    clickObject(popup);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), marks[0]);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), marks[1]);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), marks[2]);
    EXPECT_EQ(0u, marks[3]);
    // A preset wave is marked in the "preset" menu, and the factory mark goes.
    ASSERT_EQ(0x7F00, inst_newPresetWave(gInst));
    waveMenu_buildPresetMenu(gInst);
    oscil_setMainWaveID(gInst, 0, 0x7F00);
    headless_pushIdleAction([&](HWND) {
        marks[0] = GetMenuState(menu_getHMenu(kWaveMenuPreset), kWaveMenuPreset * 256 + 3, MF_BYCOMMAND) &
                   MF_CHECKED;
        marks[1] = GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED;
        marks[3] = GetMenuState(menu_getHMenu(kWaveMenuFactory), bigChordCommand, MF_BYCOMMAND) & MF_CHECKED;
        headless_key(VK_ESCAPE);
    });
    clickObject(popup);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), marks[0]);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), marks[1]);
    EXPECT_EQ(0u, marks[3]);
}
