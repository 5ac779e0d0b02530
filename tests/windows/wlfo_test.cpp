// The LFO window, headless, driven through injected mouse and key events:
// the three columns and their show rules, every control reaching the shared
// record, the wave pop-up with "new..." and its alert, the controller
// chooser round trip, and screenshots with one and with three LFOs on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "iac/MorvaneIAC_plug.h"
#include "resources/resources.h"
#include "tests/windows/window_session.h"

namespace {
std::string ccName(short cc)
{
    char out[kCCNameSize];
    wMidi_ccName_get(cc, out);
    return out;
}

class LfoWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, windowSession_open(&session_, "wlfo"));
        // A known start: LFO 0 on, no S/H, no retrigger.
        for (short lfo = 0; lfo < 3; ++lfo) {
            inst_lfo_setOn(gInst, lfo, lfo == 0);
            inst_lfo_setSHOn(gInst, lfo, 0);
            inst_lfo_setRetriggerOn(gInst, lfo, 0);
        }
        wLfo_makeWindow();
        ASSERT_NE(nullptr, window_getHWND(winId_lfo));
        wLfo_show(1);
        wLfo_update();
        settle();
    }
    void TearDown() override { windowSession_close(&session_); }
    HWND hwnd() { return window_getHWND(winId_lfo); }
    void settle() { windowSession_settle(winId_lfo); }
    void clickAt(int x, int y) { windowSession_clickAt(winId_lfo, x, y); }
    static short at(short lfo, short n) { return static_cast<short>(wLfo_lfoToGUIOffset(lfo) + n); }
    void click(short lfo, short n) { windowSession_clickObject(winId_lfo, at(lfo, n)); }
    void typeInto(short lfo, short n, const char* text)
    {
        ASSERT_NE(nullptr, numbox_get(at(lfo, n)));
        windowSession_typeInto(winId_lfo, at(lfo, n), text);
    }
    bool visible(short lfo, short n) { return clickObject_isVisible(winId_lfo, at(lfo, n)) != 0; }
    std::string buttonText(short lfo, short n)
    {
        buttonRec* b = button_get(at(lfo, n));
        return b ? b->text : "";
    }
    std::string shot(const char* name)
    {
        const std::string path = std::string(name) + ".png";
        EXPECT_EQ(1, windowSession_shot(winId_lfo, path)) << path;
        return path;
    }
    windowSession session_;
};
}  // namespace

TEST_F(LfoWindowTest, ColumnsShowRulesAndEveryControlReachTheRecord)
{
    EXPECT_EQ(wLfo_guiToLfo(46), 0);
    EXPECT_EQ(wLfo_guiToLfo(47), 1);
    EXPECT_EQ(wLfo_guiToLfo(140), 2);
    EXPECT_EQ(wLfo_guiToLfo(141), 0);
    RECT client;
    GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, 615);
    EXPECT_EQ(client.bottom, 466);
    // LFO 1 is off: its "off" picture hides its controls, its on switch stays.
    EXPECT_TRUE(visible(1, kLfoOffPanel));
    EXPECT_FALSE(visible(1, kLfoRateBox));
    EXPECT_TRUE(visible(1, kLfoOnToggle));
    // A rate stored while off shows when the LFO is switched on by hand.
    inst_lfo_setFreq(gInst, 1, 2.5);
    wLfo_update();
    click(1, kLfoOnToggle);
    EXPECT_EQ(inst_lfo_getOn(gInst, 1), 1);
    EXPECT_FALSE(visible(1, kLfoOffPanel));
    ASSERT_TRUE(visible(1, kLfoRateBox));
    EXPECT_NEAR(numbox_getVal(at(1, kLfoRateBox)), 2.5, 1e-4);
    // S/H off hides its rate box, retrigger off its controller button.
    EXPECT_FALSE(visible(1, kLfoSHRateBox));
    EXPECT_FALSE(visible(1, kLfoRetrigCCButton));
    click(1, kLfoSHToggle);
    click(1, kLfoRetrigToggle);
    EXPECT_EQ(inst_lfo_getSHOn(gInst, 1), 1);
    EXPECT_EQ(inst_lfo_getRetriggerOn(gInst, 1), 1);
    EXPECT_TRUE(visible(1, kLfoSHRateBox));
    EXPECT_TRUE(visible(1, kLfoRetrigCCButton));
    // Every box writes its value through the model at once.
    typeInto(1, kLfoRateBox, "3.25");
    typeInto(1, kLfoPhaseBox, "0.5");
    typeInto(1, kLfoSHRateBox, "0.125");
    EXPECT_NEAR(inst_lfo_getFreq(gInst, 1), 3.25, 1e-4);
    EXPECT_NEAR(inst_lfo_getStartPhase(gInst, 1), 0.5, 1e-4);
    EXPECT_NEAR(inst_lfo_getSHRate(gInst, 1), 0.125, 1e-4);
    double (*const depths[6])(instRec*, short) = {inst_lfo_getPMDepth,     inst_lfo_getAMDepth,
                                                  inst_lfo_getModDepth,    inst_lfo_getFilterDepth,
                                                  inst_lfo_getEffectDepth, inst_lfo_getPanDepth};
    const char* const typed[6] = {"12", "50", "25", "40", "60", "70"};
    for (short k = 0; k < 6; ++k) {
        typeInto(1, static_cast<short>(kLfoDepthBox1 + k), typed[k]);
        EXPECT_NEAR(depths[k](gInst, 1), std::stod(typed[k]), 1e-3) << k;
    }
    double (*const ranges[3])(instRec*, short) = {inst_lfo_getDepthRange, inst_lfo_getFreqScaleRange,
                                                  inst_lfo_getSHRateRange};
    for (short k = 0; k < 3; ++k) {
        typeInto(1, static_cast<short>(kLfoRangeBox1 + k), "33");
        EXPECT_NEAR(ranges[k](gInst, 1), 33, 1e-3) << k;
    }
    // Toggles: invert (pressed stores 0), channels, one LFO for all voices.
    int (*const ups[4])(instRec*, short) = {inst_lfo_getPMUp, inst_lfo_getAMUp, inst_lfo_getModUp,
                                            inst_lfo_getFilterUp};
    for (short k = 0; k < 4; ++k) {
        int before = ups[k](gInst, 1);
        click(1, static_cast<short>(kLfoInvert1 + k));
        EXPECT_EQ(ups[k](gInst, 1), button_isSelected(at(1, static_cast<short>(kLfoInvert1 + k))) ? 0 : 1);
        EXPECT_NE(ups[k](gInst, 1), before) << k;
    }
    click(1, kLfoPitchChan1 + 1);
    click(1, kLfoAmpChan1 + 2);
    click(1, kLfoModChan1);
    click(1, kLfoFilterChan1 + 3);
    EXPECT_EQ(inst_lfo_getPitchChan(gInst, 1, 1), 0);
    EXPECT_EQ(inst_lfo_getAmpChan(gInst, 1, 2), 0);
    EXPECT_EQ(inst_lfo_getModChan(gInst, 1, 0), 0);
    EXPECT_EQ(inst_lfo_getFilterChan(gInst, 1, 3), 0);
    EXPECT_EQ(inst_lfo_getPitchChan(gInst, 1, 0), 1);
    int poly = inst_lfo_getPolyOn(gInst, 1);
    click(1, kLfoPolyToggle);
    EXPECT_EQ(inst_lfo_getPolyOn(gInst, 1), !poly);
    // Off hides everything behind the "off" picture; on restores the
    // controls with their values and the S/H and retrigger rules.
    click(1, kLfoOnToggle);
    EXPECT_EQ(inst_lfo_getOn(gInst, 1), 0);
    EXPECT_TRUE(visible(1, kLfoOffPanel));
    EXPECT_FALSE(visible(1, kLfoSHRateBox));
    EXPECT_FALSE(visible(1, kLfoRetrigCCButton));
    EXPECT_FALSE(visible(1, kLfoDepthBox1));
    click(1, kLfoRetrigToggle);  // under the picture: nothing there to press
    EXPECT_EQ(inst_lfo_getRetriggerOn(gInst, 1), 1);
    click(1, kLfoOnToggle);
    EXPECT_TRUE(visible(1, kLfoSHRateBox));
    EXPECT_TRUE(visible(1, kLfoRetrigCCButton));
    EXPECT_NEAR(numbox_getVal(at(1, kLfoRateBox)), 3.25, 1e-4);
    EXPECT_NEAR(numbox_getVal(at(1, kLfoDepthBox1)), 12, 1e-3);
    click(1, kLfoSHToggle);
    click(1, kLfoRetrigToggle);
    EXPECT_FALSE(visible(1, kLfoSHRateBox));
    EXPECT_FALSE(visible(1, kLfoRetrigCCButton));
    // The other columns were not touched.
    EXPECT_NEAR(inst_lfo_getPMDepth(gInst, 0), inst_lfo_getPMDepth(gInst, 2), 1e-9);
    EXPECT_EQ(inst_lfo_getOn(gInst, 2), 0);
}

TEST_F(LfoWindowTest, WavePopupNewWaveAndControllerChooser)
{
    const short popup = at(2, kLfoWavePopup);
    click(2, kLfoOnToggle);
    // A factory wave chosen through the pop-up, named in item 1.
    const short factoryWave = waveMenu_menuItemToWaveID(3, kWaveMenuFactory);
    headless_answerNextPrompt(kWaveMenuFactory * 256 + 3);
    click(2, kLfoWavePopup);
    EXPECT_EQ(inst_lfo_getWaveID(gInst, 2), factoryWave);
    char name[kWaveNameLen] = {};
    wave_getName(gInst, factoryWave, name);
    EXPECT_EQ(popup_getCurrentItem(popup), 1);
    // Opened again, the shared menus mark this LFO's wave, not another
    // window's: its item, "factory" leading to it, and item 1.
    inst_lfo_setWaveID(gInst, 0, waveMenu_menuItemToWaveID(5, kWaveMenuFactory));
    waveMenu_checkWave(at(0, kLfoWavePopup), inst_lfo_getWaveID(gInst, 0));
    UINT marks[4] = {};
    headless_pushIdleAction([&](HWND) {
        HMENU factory = menu_getHMenu(kWaveMenuFactory), menu = popup_get(popup)->menu;
        marks[0] = GetMenuState(factory, kWaveMenuFactory * 256 + 3, MF_BYCOMMAND) & MF_CHECKED;
        marks[1] = GetMenuState(factory, kWaveMenuFactory * 256 + 5, MF_BYCOMMAND) & MF_CHECKED;
        marks[2] = GetMenuState(menu, 2, MF_BYPOSITION) & MF_CHECKED;
        marks[3] = GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED;
        headless_key(VK_ESCAPE);
    });
    click(2, kLfoWavePopup);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), marks[0]);
    EXPECT_EQ(0u, marks[1]);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), marks[2]);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), marks[3]);
    // "new..." takes the first free preset wave.
    headless_answerNextPrompt(kWaveMenuPreset * 256 + 1);
    click(2, kLfoWavePopup);
    EXPECT_EQ(inst_lfo_getWaveID(gInst, 2), 0x7F00);
    // All eight in use: the alert, and the wave stays.
    for (int i = 1; i < 8; ++i) ASSERT_GE(inst_newPresetWave(gInst), 0);
    headless_answerNextPrompt(kWaveMenuPreset * 256 + 1);
    headless_answerNextPrompt(IDOK);
    click(2, kLfoWavePopup);
    EXPECT_EQ("No more preset waves available.", platform_lastMessageBox().text);
    EXPECT_EQ(inst_lfo_getWaveID(gInst, 2), 0x7F00);
    EXPECT_EQ(headless_topModal(), nullptr);

    // The controller buttons: the chooser opens on the stored controller and
    // its answer lands in the button's slot and text.
    click(2, kLfoRetrigToggle);
    const short buttons[4] = {kLfoCCButton1, kLfoCCButton1 + 1, kLfoCCButton1 + 2, kLfoRetrigCCButton};
    const short chosen[4] = {2, 64, 11, -1};
    for (short slot = 0; slot < 4; ++slot) {
        short stored = inst_lfo_getCCNum(gInst, 2, slot);
        short pick = chosen[slot];
        headless_pushIdleAction([stored, pick](HWND dlg) {
            ASSERT_NE(nullptr, dlg);
            EXPECT_EQ(SendDlgItemMessageA(dlg, midiCCItem_list, LB_GETCURSEL, 0, 0), stored + 1);
            SendDlgItemMessageA(dlg, midiCCItem_list, LB_SETCURSEL, static_cast<WPARAM>(pick + 1), 0);
            headless_clickWindow(GetDlgItem(dlg, midiCCItem_select));
        });
        click(2, buttons[slot]);
        EXPECT_EQ(inst_lfo_getCCNum(gInst, 2, slot), pick) << slot;
        EXPECT_EQ(buttonText(2, buttons[slot]), ccName(pick)) << slot;
    }
    // Cancel changes nothing; the update shows the stored names.
    headless_pushIdleAction([](HWND dlg) { headless_clickWindow(GetDlgItem(dlg, midiCCItem_cancel)); });
    click(2, kLfoCCButton1);
    EXPECT_EQ(inst_lfo_getCCNum(gInst, 2, 0), 2);
    inst_lfo_setCCNum(gInst, 0, 1, 7);
    wLfo_update();
    EXPECT_EQ(buttonText(0, kLfoCCButton1 + 1), "(7) volume");
    EXPECT_EQ(buttonText(2, kLfoCCButton1 + 1), ccName(64));
}

TEST_F(LfoWindowTest, ScreenshotsWithOneAndThreeLfosOn)
{
    EXPECT_FALSE(shot("wlfo-one-on").empty());
    click(1, kLfoOnToggle);
    click(2, kLfoOnToggle);
    click(2, kLfoSHToggle);
    click(2, kLfoRetrigToggle);
    EXPECT_EQ(inst_lfo_getOn(gInst, 2), 1);
    EXPECT_FALSE(shot("wlfo-three-on").empty());
}
