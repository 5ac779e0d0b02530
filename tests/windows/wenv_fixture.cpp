#include "tests/windows/wenv_fixture.h"

#include <cmath>

void EnvWindowTest::SetUp()
{
    ASSERT_EQ(1, windowSession_open(&session_, "wenv"));
    engineHooksRec hooks{};
    hooks.undoEnvelope = wEnv_undoEnvelope;
    hooks.copyEnvelope = wEnv_copyEnvelope;
    hooks.pasteEnvelope = wEnv_pasteEnvelope;
    engine_setHooks(&hooks);
    undo_setMode(0);
    copy_setMode(0);
    wEnv_makeWindow();
    ASSERT_NE(nullptr, window_getHWND(winId_envelope));
    MoveWindow(window_getHWND(winId_envelope), 0, 0, 820, 552, TRUE);
    wEnv_show(1);
    headless_runUntilIdle();
    window_setCurrent(winId_envelope);
}

void EnvWindowTest::TearDown() { windowSession_close(&session_); }

short EnvWindowTest::newEnvelope(short chan, short param)
{
    short slot = env_new(gInst, chan, param);
    EXPECT_GE(slot, 0);
    wEnv_update();
    headless_runUntilIdle();
    window_setCurrent(winId_envelope);
    return slot;
}

POINT EnvWindowTest::screen(int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window_getHWND(winId_envelope), &p);
    return p;
}

POINT EnvWindowTest::at(short strip, double t, double a)
{
    const envEdRec* rec = envEd_get(strip);
    double x = envEd_timeToPix(kEnvStripLeft, t);
    return POINT{static_cast<LONG>(std::lround(x)),
                 static_cast<LONG>(rec->top + std::lround((1.0 - a) * (envEd_height - 1)))};
}

POINT EnvWindowTest::bpPoint(short strip, short i)
{
    const envInstRec* e = env(envEdGetEnvId(strip));
    if (i < 0) return at(strip, 0.0, e->depth);
    return at(strip, envEd_getBreakpointAbsTime(e, i), e->bp[i].level);
}

void EnvWindowTest::clickAt(int x, int y)
{
    POINT p = screen(x, y);
    headless_click(p.x, p.y, 1);
    headless_runUntilIdle();
    window_setCurrent(winId_envelope);
}

void EnvWindowTest::rightClickAt(int x, int y)
{
    POINT p = screen(x, y);
    headless_click(p.x, p.y, 3);
    headless_runUntilIdle();
    window_setCurrent(winId_envelope);
}

void EnvWindowTest::doubleClickAt(int x, int y)
{
    POINT p = screen(x, y);
    headless_doubleClick(p.x, p.y);
    headless_runUntilIdle();
    window_setCurrent(winId_envelope);
}

void EnvWindowTest::clickObject(short id)
{
    RECT r;
    clickObject_getRect(id, &r);
    clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void EnvWindowTest::drag(const std::vector<POINT>& path)
{
    if (path.empty()) return;
    POINT p = screen(path[0].x, path[0].y);
    headless_mouseMove(p.x, p.y);
    headless_mouseDown(1);
    for (size_t i = 1; i < path.size(); ++i) {
        POINT q = screen(path[i].x, path[i].y);
        headless_mouseMove(q.x, q.y);
    }
    headless_mouseUp(1);
    headless_runUntilIdle();
    window_setCurrent(winId_envelope);
}

void EnvWindowTest::typeInto(short box, const char* text)
{
    numboxRec* n = numbox_get(box);
    ASSERT_NE(nullptr, n);
    clickAt((n->valueRect.left + n->valueRect.right) / 2, (n->valueRect.top + n->valueRect.bottom) / 2);
    headless_typeText(text);
    headless_key(VK_RETURN);
    headless_runUntilIdle();
    window_setCurrent(winId_envelope);
}

void EnvWindowTest::choose(short popup, int command)
{
    headless_pushIdleAction([command](HWND) { windowSession_clickMenuItem(static_cast<UINT>(command)); });
    clickObject(popup);
}

std::string EnvWindowTest::shot(const char* name)
{
    headless_runUntilIdle();
    window_setCurrent(winId_envelope);
    platform_composeAndPresent(1);
    std::string path = std::string(name) + ".png";
    EXPECT_EQ(1, platform_saveWindowPNG(window_getHWND(winId_envelope), path.c_str()));
    return path;
}
