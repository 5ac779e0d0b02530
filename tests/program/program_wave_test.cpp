// The Waveform window in the running program, as a musician meets it: "new..."
// in the Patch window's wave pop-up opens it on the new wave, a stroke
// reaches the instance's record, and the Edit menu undoes and redoes it.
#include <cstring>
#include <vector>

#include "tests/program/program_fixture.h"

namespace {
class ProgramWave : public RunningProgramTest {
protected:
    POINT screenOf(short windowId, int x, int y)
    {
        POINT p = {x, y};
        ClientToScreen(window_getHWND(windowId), &p);
        return p;
    }
    void clickMenuItem(UINT command)
    {
        RECT r;
        if (platform_menuItemScreenRect(command, &r))
            headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};
}  // namespace

TEST_F(ProgramWave, NewWaveFromThePatchWindowThenDrawAndUndoThroughTheEditMenu)
{
    for (short slot = 0; slot < kPresetWaves; ++slot) gInst->presetWave[slot].type = waveType_free;
    wPatch_show(1);
    pumpProgram();
    window_setCurrent(winId_patch);
    short popup = static_cast<short>(wPatch_channelToGuiOffset(0) + kPatchMainWave);
    if (!clickObject_isVisible(winId_patch, popup)) {
        RECT on;
        clickObject_getRect(static_cast<short>(wPatch_channelToGuiOffset(0) + kPatchOscOn), &on);
        POINT p = screenOf(winId_patch, (on.left + on.right) / 2, (on.top + on.bottom) / 2);
        headless_click(p.x, p.y);
        pumpProgram();
        window_setCurrent(winId_patch);
    }
    ASSERT_TRUE(clickObject_isVisible(winId_patch, popup));
    // The wave pop-up: "preset", then "new..." in its sub-menu.
    HMENU menu = popup_get(popup)->menu;
    headless_pushIdleAction([menu](HWND) {
        RECT r;
        if (platform_menuItemScreenRect(static_cast<UINT>(reinterpret_cast<uintptr_t>(GetSubMenu(menu, 1))),
                                        &r))
            headless_mouseMove(r.left + 5, (r.top + r.bottom) / 2);
    });
    headless_pushIdleAction([this](HWND) { clickMenuItem(kWaveMenuPreset * 256 + 1); });
    RECT box;
    clickObject_getRect(popup, &box);
    POINT at = screenOf(winId_patch, box.left + 5, (box.top + box.bottom) / 2);
    headless_click(at.x, at.y);
    pumpProgram();

    EXPECT_EQ(0x7F00, oscil_getMainWaveID(gInst, 0));
    ASSERT_TRUE(shown(winId_waveform));
    EXPECT_EQ(0, wWave_getCurrentEditWave());
    window_setCurrent(winId_waveform);
    char name[64] = {0};
    GetMenuStringA(popup_get(kWaveListPopup)->menu, 1, name, sizeof name, MF_BYCOMMAND);
    EXPECT_STREQ("preset 1", name);

    // A stroke with the line tool from the anchor to the middle of the view.
    std::vector<float> before(gInst->presetWave[0].data, gInst->presetWave[0].data + kWaveSamples);
    POINT tool = screenOf(winId_waveform, 214, 26);
    headless_click(tool.x, tool.y);
    pumpProgram();
    POINT a = screenOf(winId_waveform, kWaveEdX + 100, kWaveEdY + 40);
    POINT b = screenOf(winId_waveform, kWaveEdX + 256, kWaveEdY + 20);
    headless_mouseMove(a.x, a.y);
    headless_mouseDown(1);
    headless_mouseMove(b.x, b.y);
    headless_mouseUp(1);
    pumpProgram();
    float drawn = gInst->presetWave[0].data[512];
    EXPECT_NEAR(-(20 - 129) / 128.5, drawn, 1e-6);
    std::vector<float> after(gInst->presetWave[0].data, gInst->presetWave[0].data + kWaveSamples);
    EXPECT_TRUE(presetIsDirty());

    // Edit > Undo from the menu bar restores the wave; the item turns to Redo.
    char text[64] = {0};
    GetMenuStringA(g_hMenu_edit, 2000, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("Undo Waveform Edit \tCtrl+Z", text);
    RECT bar;
    ASSERT_TRUE(platform_menuBarItemScreenRect(g_hWndFrame, 1, &bar));
    headless_pushIdleAction([this](HWND) { clickMenuItem(2000); });
    headless_click((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
    pumpProgram();
    EXPECT_EQ(0, std::memcmp(before.data(), gInst->presetWave[0].data, sizeof(float) * kWaveSamples));
    GetMenuStringA(g_hMenu_edit, 2000, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("Redo Waveform Edit \tCtrl+Z", text);
    // Ctrl+Z redoes it.
    SetFocus(window_getHWND(winId_waveform));
    headless_keyDown(VK_CONTROL);
    headless_key('Z');
    headless_keyUp(VK_CONTROL);
    pumpProgram();
    EXPECT_EQ(0, std::memcmp(after.data(), gInst->presetWave[0].data, sizeof(float) * kWaveSamples));
}
