// The Envelope window in the running program, as a musician meets it: F9
// opens it on the current instance's envelopes, a breakpoint drag reaches
// the instance's record, and the Edit menu undoes, redoes, copies and
// pastes whole envelopes.
#include <cmath>
#include <cstring>

#include "tests/program/program_fixture.h"

namespace {
class ProgramEnv : public RunningProgramTest {
protected:
    POINT screenOf(int x, int y)
    {
        POINT p = {x, y};
        ClientToScreen(window_getHWND(winId_envelope), &p);
        return p;
    }
    void clickMenuItem(UINT command)
    {
        RECT r;
        if (platform_menuItemScreenRect(command, &r))
            headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // Edit > command from the menu bar.
    void edit(UINT command)
    {
        RECT bar;
        ASSERT_TRUE(platform_menuBarItemScreenRect(g_hWndFrame, 1, &bar));
        headless_pushIdleAction([this, command](HWND) { clickMenuItem(command); });
        headless_click((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
        pumpProgram();
        window_setCurrent(winId_envelope);
    }
    std::string editText(UINT command)
    {
        char text[64] = {0};
        GetMenuStringA(g_hMenu_edit, command, text, sizeof text, MF_BYCOMMAND);
        return text;
    }
    // Window point of breakpoint i of the envelope in strip id.
    POINT bp(short id, short i)
    {
        const envInstRec* e = inst_getEnvInst(gInst, envEdGetEnvId(id));
        double x = envEd_timeToPix(kEnvStripLeft, envEd_getBreakpointAbsTime(e, i));
        double y = envEd_get(id)->top + (1.0 - e->bp[i].level) * (envEd_height - 1);
        return POINT{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))};
    }
};
}  // namespace

TEST_F(ProgramEnv, DragABreakpointThenUndoRedoCopyAndPasteThroughTheEditMenu)
{
    // Two envelopes with breakpoints well apart.
    for (short e = 0; e < 2; ++e) {
        if (inst_getEnvInst(gInst, e)->param == 0) env_new(gInst, e, 1);
        envInstRec* env = inst_getEnvInst(gInst, e);
        env->lastPoint = 3;
        for (int i = 0; i <= 3; ++i) env->bp[i] = envBreakpointRec{0.4 * 44100, 0.8f - 0.2f * i, 1.0f};
    }
    for (short e = 2; e < kEnvSlots; ++e) inst_getEnvInst(gInst, e)->param = 0;
    SetFocus(window_getHWND(winId_main));
    pressKey(VK_F9);
    pumpProgram();
    ASSERT_TRUE(shown(winId_envelope));
    wEnv_update();
    pumpProgram();
    window_setCurrent(winId_envelope);
    ASSERT_EQ(0, envEdGetEnvId(kEnvFirstStrip));
    ASSERT_EQ(1, envEdGetEnvId(kEnvFirstStrip + 1));

    envInstRec before = *inst_getEnvInst(gInst, 0);
    POINT a = bp(kEnvFirstStrip, 1), b = screenOf(a.x + 30, a.y + 25);
    a = screenOf(a.x, a.y);
    headless_mouseMove(a.x, a.y);
    headless_mouseDown(1);
    headless_mouseMove(b.x, b.y);
    headless_mouseUp(1);
    pumpProgram();
    window_setCurrent(winId_envelope);
    envInstRec after = *inst_getEnvInst(gInst, 0);
    EXPECT_NEAR(0.8 + 30.0 / 128, envEd_getBreakpointAbsTime(&after, 1), 0.01);
    EXPECT_NEAR(0.6 - 25.0 / 128, after.bp[1].level, 0.01);
    EXPECT_TRUE(presetIsDirty());
    EXPECT_EQ("Undo Envelope Edit \tCtrl+Z", editText(2000));

    edit(2000);
    EXPECT_EQ(0, std::memcmp(&before, inst_getEnvInst(gInst, 0), sizeof before));
    EXPECT_EQ("Redo Envelope Edit \tCtrl+Z", editText(2000));
    SetFocus(window_getHWND(winId_envelope));
    headless_keyDown(VK_CONTROL);
    headless_key('Z');
    headless_keyUp(VK_CONTROL);
    pumpProgram();
    EXPECT_EQ(0, std::memcmp(&after, inst_getEnvInst(gInst, 0), sizeof after));

    // Copy the first envelope, select the second, paste, undo the paste.
    EXPECT_EQ(0, GetMenuState(g_hMenu_edit, 2002, MF_BYCOMMAND) & MF_GRAYED);
    edit(2002);
    envInstRec second = *inst_getEnvInst(gInst, 1);
    POINT s = bp(kEnvFirstStrip + 1, 2);
    s = screenOf(s.x + 20, s.y - 20);
    headless_click(s.x, s.y);
    pumpProgram();
    window_setCurrent(winId_envelope);
    ASSERT_EQ(1, currentEditEnv);
    edit(2003);
    EXPECT_EQ(0, std::memcmp(after.bp, inst_getEnvInst(gInst, 1)->bp, sizeof after.bp));
    EXPECT_EQ(1, inst_getEnvInst(gInst, 1)->channel);
    edit(2000);
    EXPECT_EQ(0, std::memcmp(&second, inst_getEnvInst(gInst, 1), sizeof second));
}
