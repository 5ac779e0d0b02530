// The window update protocol, the wave menus, the level meter, the
// navigator and the splash, in the running program.
#include <cmath>
#include <limits>

#include "tests/program/program_fixture.h"

namespace {
class ProgramWindows : public RunningProgramTest {
protected:
    // Clicks a point of a toolkit window's client area.
    void clickIn(short windowId, int x, int y)
    {
        POINT p = {x, y};
        ClientToScreen(window_getHWND(windowId), &p);
        headless_click(p.x, p.y);
        pumpProgram();
    }
    COLORREF pixel(short windowId, int x, int y)
    {
        HWND hwnd = window_getHWND(windowId);
        HDC hdc = GetDC(hwnd);
        COLORREF c = GetPixel(hdc, x, y);
        ReleaseDC(hwnd, hdc);
        return c;
    }
};

const int kMeterLeft = 25, kMeterWidth = 103, kLeftMeterY = 12;
}  // namespace

TEST_F(ProgramWindows, OneWindowIsRefreshedPerIdleStepInTheProtocolsOrder)
{
    // Whatever start-up asked for is done first.
    for (int step = 0; step < 20 && gWindowIsDirty; ++step) updateWindows();
    ASSERT_EQ(gWindowIsDirty, 0);
    wEnv_updateSchedule();
    wPatch_updateSchedule();
    EXPECT_EQ(gWindowIsDirty, 1);
    updateWindows();
    EXPECT_FALSE(wPatch_needUpdate());
    EXPECT_TRUE(wEnv_needUpdate());
    EXPECT_EQ(gWindowIsDirty, 1);
    updateWindows();
    EXPECT_FALSE(wEnv_needUpdate());
    EXPECT_EQ(gWindowIsDirty, 1);
    updateWindows();
    EXPECT_EQ(gWindowIsDirty, 0);

    // Everything scheduled: seven idle steps, Main first, Envelope last.
    scheduleWindowUpdate();
    EXPECT_EQ(updateNames, 1);
    updateWindows();
    EXPECT_EQ(updateNames, 0);
    EXPECT_FALSE(wMain_needUpdate());
    EXPECT_TRUE(wPatch_needUpdate());
    for (int step = 0; step < 6; ++step) updateWindows();
    EXPECT_FALSE(wEnv_needUpdate());
    EXPECT_EQ(gWindowIsDirty, 1);
    updateWindows();
    EXPECT_EQ(gWindowIsDirty, 0);
}

TEST_F(ProgramWindows, TitlesFollowTheBankAndThePatch)
{
    menu_process(nullptr, 1000);  // New: an untitled bank
    inst_patch_setName(gInst, "default");
    updateWindowNames();
    EXPECT_EQ(titleOf(winId_main), "Untitled: default");
    EXPECT_EQ(titleOf(winId_patch), "Patch: default");
    EXPECT_EQ(titleOf(winId_effect), "Effect: default");
    EXPECT_EQ(titleOf(winId_envelope), "Envelope: default");
    EXPECT_EQ(titleOf(winId_midi), "Midi Control: default");
    EXPECT_EQ(titleOf(winId_lfo), "LFO: default");
    EXPECT_EQ(titleOf(winId_waveform), "Waveform: default");
    // A full patch name (34 characters, no terminator in the record) stays within it.
    inst_patch_setName(gInst, "0123456789012345678901234567890123");
    updateWindowNames();
    EXPECT_EQ(titleOf(winId_patch),
              "Patch: " + std::string("0123456789012345678901234567890123").substr(0, kPatchNameLen));
}

TEST_F(ProgramWindows, OneEditWindowAtATimeLeavesMainAlone)
{
    for (short id : {winId_patch, winId_lfo, winId_midi, winId_envelope, winId_effect})
        showEditorWindow(id, 1);
    openOneEditWindow(winId_waveform);
    EXPECT_TRUE(shown(winId_waveform));
    for (short id : {winId_patch, winId_lfo, winId_midi, winId_envelope, winId_effect})
        EXPECT_FALSE(shown(id)) << id;
    EXPECT_TRUE(shown(winId_main));
    EXPECT_TRUE(GetMenuState(g_hMenu_window, 7001, MF_BYCOMMAND) & MF_CHECKED);
    // Closing an editor window hides it; it is never destroyed.
    HWND waveform = window_getHWND(winId_waveform);
    SendMessageA(waveform, WM_CLOSE, 0, 0);
    EXPECT_FALSE(shown(winId_waveform));
    EXPECT_TRUE(IsWindow(waveform));
}

TEST_F(ProgramWindows, WaveMenusListTheBuiltInAndTheUserWaves)
{
    // Factory: every built-in wave of type 1, in order, both ways.
    ASSERT_GT(waveMenu_items, 0);
    EXPECT_EQ(GetMenuItemCount(menu_getHMenu(kWaveMenuFactory)), waveMenu_items);
    short first = -1;
    for (short id = 0; id < kBuiltinWaves && first < 0; ++id)
        if (wave_getType(gInst, id) == 1) first = id;
    EXPECT_EQ(waveMenu_menuItemToWaveID(1, kWaveMenuFactory), first);
    for (short item = 1; item <= waveMenu_items; ++item) {
        short wave = waveMenu_menuItemToWaveID(item, kWaveMenuFactory);
        EXPECT_EQ(wave_getType(gInst, wave), 1);
        EXPECT_EQ(waveMenu_waveToMenu[wave], item);
    }
    // Preset: with no user waves, "new..." and the separator only.
    for (short slot = 0; slot < kPresetWaves; ++slot) gInst->presetWave[slot].type = 0;
    waveMenu_buildPresetMenu(gInst);
    HMENU preset = menu_getHMenu(kWaveMenuPreset);
    EXPECT_EQ(GetMenuItemCount(preset), 2);
    EXPECT_EQ(menuText(preset, 0), "new...");
    EXPECT_FALSE(GetMenuState(preset, kWaveMenuPreset * 256 + 1, MF_BYCOMMAND) & MF_GRAYED);
    // All eight in use: "new..." greyed, items 3..10 name them.
    for (int k = 0; k < kPresetWaves; ++k) ASSERT_NE(inst_newPresetWave(gInst), -1);
    waveMenu_buildPresetMenu(gInst);
    EXPECT_EQ(GetMenuItemCount(preset), 10);
    EXPECT_TRUE(GetMenuState(preset, kWaveMenuPreset * 256 + 1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(menuText(preset, 2), "preset 1");
    EXPECT_EQ(GetMenuItemID(preset, 9), static_cast<UINT>(kWaveMenuPreset * 256 + 10));
    EXPECT_EQ(waveMenu_menuItemToWaveID(5, kWaveMenuPreset), 0x7F02);
    // "new..", the separator and other menus stand for the sine (0).
    EXPECT_EQ(waveMenu_menuItemToWaveID(1, kWaveMenuPreset), 0);
    EXPECT_EQ(waveMenu_menuItemToWaveID(1, 0), 0);
    EXPECT_EQ(waveMenu_menuItemToWaveID(200, kWaveMenuFactory), 0);

    // The pop-up of a window: "sine", then the two menus as sub-menus.
    window_setCurrent(winId_envTransform);
    popup_new(20, 10, 10, 80, 16, 0, 0, "wave", 1, nullptr);
    waveMenu_buildPopup(20);
    waveMenu_buildPopup(20);  // built again before every showing: no doubles
    ASSERT_NE(popup_get(20), nullptr);
    HMENU pop = popup_get(20)->menu;
    ASSERT_EQ(GetMenuItemCount(pop), 3);
    EXPECT_EQ(menuText(pop, 0), "sine");
    EXPECT_EQ(menuText(pop, 1), "preset");
    EXPECT_EQ(menuText(pop, 2), "factory");
    EXPECT_EQ(GetSubMenu(pop, 0), nullptr);
    EXPECT_EQ(GetSubMenu(pop, 1), menu_getHMenu(kWaveMenuPreset));
    EXPECT_EQ(GetSubMenu(pop, 2), menu_getHMenu(kWaveMenuFactory));
}

TEST_F(ProgramWindows, TheMeterDrawsDecaysHoldsAndResets)
{
    int bar, peak;
    wMeter_positions(0.25f, 0.25f, kMeterLeft, kMeterWidth, &bar, &peak);
    EXPECT_EQ(bar - kMeterLeft, 52);  // half of 103, rounded
    wMeter_positions(1.0f, 4.0f, kMeterLeft, kMeterWidth, &bar, &peak);
    EXPECT_EQ(bar - kMeterLeft, 101);  // 98 %
    EXPECT_EQ(peak - kMeterLeft, 101);
    wMeter_positions(0.0f, 0.0f, kMeterLeft, kMeterWidth, &bar, &peak);
    EXPECT_EQ(bar - kMeterLeft, 1);  // 0.0001 is the floor
    EXPECT_EQ(wMeter_decay(1e-39f), 0.0f);

    wMeter_reset();
    gInst->level[0] = 0.25f;
    wMeter_update();
    EXPECT_FLOAT_EQ(gInst->level[0], 0.25f * 0.91f);
    EXPECT_FLOAT_EQ(leftPeak, 0.25f);
    EXPECT_NE(pixel(winId_meter, kMeterLeft + 40, kLeftMeterY), RGB(0, 0, 0));
    EXPECT_EQ(pixel(winId_meter, kMeterLeft + 70, kLeftMeterY), RGB(0, 0, 0));
    gInst->level[0] = 1.0f;
    wMeter_update();
    wMeter_update();
    EXPECT_FLOAT_EQ(gInst->level[0], 0.91f * 0.91f);
    EXPECT_FLOAT_EQ(leftPeak, 1.0f);
    // The peak mark holds at 98 % while the bar falls.
    for (int k = 0; k < 30; ++k) wMeter_update();
    EXPECT_NE(pixel(winId_meter, kMeterLeft + 101, kLeftMeterY), RGB(0, 0, 0));
    EXPECT_EQ(pixel(winId_meter, kMeterLeft + 95, kLeftMeterY), RGB(0, 0, 0));
    // A plug-in writing nonsense shows silence.
    gInst->level[1] = std::numeric_limits<float>::quiet_NaN();
    wMeter_update();
    EXPECT_EQ(gInst->level[1], 0.0f);
    EXPECT_EQ(rightPeak, 0.0f);
    // A click on a meter clears levels and peaks; the next drawing is dark.
    clickIn(winId_meter, kMeterLeft + 10, kLeftMeterY);
    EXPECT_EQ(leftPeak, 0.0f);
    EXPECT_EQ(gInst->level[0], 0.0f);
    wMeter_update();
    EXPECT_EQ(pixel(winId_meter, kMeterLeft + 101, kLeftMeterY), RGB(0, 0, 0));
}

TEST_F(ProgramWindows, TheNavigatorBringsWindowsAndSwitchesForm)
{
    clickIn(winId_navigatorV, 7 + 22, 94 + 22);  // Patch
    EXPECT_TRUE(shown(winId_patch));
    EXPECT_TRUE(GetMenuState(g_hMenu_window, 7000, MF_BYCOMMAND) & MF_CHECKED);
    clickIn(winId_navigatorV, 7 + 22, 339 + 22);  // MIDI
    EXPECT_TRUE(shown(winId_midi));
    EXPECT_TRUE(GetMenuState(g_hMenu_window, 7005, MF_BYCOMMAND) & MF_CHECKED);

    clickIn(winId_navigatorV, 19 + 12, 11 + 12);  // to the horizontal form
    EXPECT_TRUE(shown(winId_navigatorH));
    EXPECT_FALSE(shown(winId_navigatorV));
    clickIn(winId_navigatorH, 142 + 22, 7 + 22);  // Waveform, from there
    EXPECT_TRUE(shown(winId_waveform));
    // Showing the navigator brings the vertical form back.
    wNav_show(1);
    EXPECT_TRUE(shown(winId_navigatorV));
    EXPECT_FALSE(shown(winId_navigatorH));
    clickIn(winId_navigatorV, 19 + 12, 11 + 12);
    clickIn(winId_navigatorH, 11 + 12, 18 + 12);  // and its own switch back
    EXPECT_TRUE(shown(winId_navigatorV));
    EXPECT_FALSE(shown(winId_navigatorH));
    // The navigator cannot be closed.
    SendMessageA(window_getHWND(winId_navigatorV), WM_CLOSE, 0, 0);
    EXPECT_TRUE(shown(winId_navigatorV));
}

TEST_F(ProgramWindows, AKeyInTheSplashBringsTheMainWindow)
{
    wMain_show(0);
    window_show(winId_splash, 1);
    SendMessageA(window_getHWND(winId_splash), WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(shown(winId_splash));
    EXPECT_TRUE(shown(winId_main));
    // Commands reaching it are ignored.
    window_show(winId_splash, 1);
    EXPECT_EQ(SendMessageA(window_getHWND(winId_splash), WM_COMMAND, kCmdUpdateWindow, 0), 0);
    EXPECT_TRUE(shown(winId_splash));
}
