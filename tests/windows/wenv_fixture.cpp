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

POINT EnvWindowTest::screen(int x, int y) { return windowSession_screen(winId_envelope, x, y); }

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

void EnvWindowTest::clickAt(int x, int y) { windowSession_clickAt(winId_envelope, x, y); }

void EnvWindowTest::rightClickAt(int x, int y) { windowSession_clickAt(winId_envelope, x, y, 3); }

void EnvWindowTest::doubleClickAt(int x, int y) { windowSession_doubleClickAt(winId_envelope, x, y); }

void EnvWindowTest::clickObject(short id) { windowSession_clickObject(winId_envelope, id); }

void EnvWindowTest::drag(const std::vector<POINT>& path) { windowSession_drag(winId_envelope, path); }

void EnvWindowTest::typeInto(short box, const char* text)
{
    ASSERT_NE(nullptr, numbox_get(box));
    windowSession_typeInto(winId_envelope, box, text);
}

void EnvWindowTest::choose(short popup, int command) { windowSession_choose(winId_envelope, popup, command); }

std::string EnvWindowTest::shot(const char* name)
{
    const std::string path = std::string(name) + ".png";
    EXPECT_EQ(1, windowSession_shot(winId_envelope, path)) << path;
    return path;
}
