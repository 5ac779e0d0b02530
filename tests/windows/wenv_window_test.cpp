// The Envelope window itself: its controls, the envelope list choosing
// what the strips show, the layout on resizing, the scroll bars, zooming by
// the rulers, the time ruler's ticks, and screenshots with one strip, with
// several, and zoomed in.
#include <cmath>

#include "tests/windows/wenv_fixture.h"

namespace {
RECT rectOf(short id)
{
    RECT r;
    clickObject_getRect(id, &r);
    return r;
}

RECT childRect(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    POINT tl{r.left, r.top}, br{r.right, r.bottom};
    ScreenToClient(window_getHWND(winId_envelope), &tl);
    ScreenToClient(window_getHWND(winId_envelope), &br);
    return RECT{tl.x, tl.y, br.x, br.y};
}
}  // namespace

TEST_F(EnvWindowTest, TheListChoosesTheStripsAndTheWindowLaysThemOut)
{
    // Without envelopes: an empty list, no strip, nothing selected.
    EXPECT_EQ(0, list_getLineCount(kEnvList));
    EXPECT_FALSE(clickObject_isVisible(winId_envelope, kEnvFirstStrip));
    EXPECT_FALSE(clickObject_isVisible(winId_envelope, kEnvModePopup));
    EXPECT_EQ(0, copy_getMode());
    // Five envelopes, listed channel by channel; the first four shown.
    short amp0 = newEnvelope(0, 1);
    short filt = newEnvelope(3, 9);
    short amp1 = newEnvelope(1, 1);
    short pitch0 = newEnvelope(0, 2);
    short bal2 = newEnvelope(2, 6);
    ASSERT_EQ(5, list_getLineCount(kEnvList));
    const char* names[] = {"oscil 1 amp", "oscil 1 main pitch", "oscil 2 amp", "oscil 3 mod balance",
                           "master filter freq"};
    const short ids[] = {amp0, pitch0, amp1, bal2, filt};
    listRec* list = list_get(kEnvList);
    for (int line = 0; line < 5; ++line) {
        EXPECT_STREQ(names[line], list->items[line].text);
        EXPECT_EQ(ids[line], envIdList[line]);
    }
    EXPECT_EQ(0xFFFF, envIdList[5]);
    for (short line = 0; line < 5; ++line) EXPECT_EQ(line < 4, list_itemIsSelected(kEnvList, line) != 0);
    for (short k = 0; k < 4; ++k) EXPECT_EQ(ids[k], envEdGetEnvId(static_cast<short>(kEnvFirstStrip + k)));
    EXPECT_FALSE(clickObject_isVisible(winId_envelope, kEnvFirstStrip + 4));
    EXPECT_EQ(kEnvStripTop + 128, rectOf(kEnvFirstStrip + 1).top);
    EXPECT_TRUE(wEnv_envIsVisible(amp1));
    EXPECT_FALSE(wEnv_envIsVisible(filt));
    std::string many = shot("wenv-several");

    // A click on line 5 adds the filter's strip; a click on line 1 drops the first.
    RECT lr = rectOf(kEnvList);
    clickAt(lr.left + 20, lr.top + 1 + 4 * 14 + 7);
    EXPECT_TRUE(wEnv_envIsVisible(filt));
    EXPECT_EQ(filt, envEdGetEnvId(kEnvFirstStrip + 4));
    clickAt(lr.left + 20, lr.top + 1 + 7);
    EXPECT_FALSE(wEnv_envIsVisible(amp0));
    EXPECT_EQ(pitch0, envEdGetEnvId(kEnvFirstStrip));
    EXPECT_FALSE(clickObject_isVisible(winId_envelope, kEnvFirstStrip + 4));
    // The selection follows its envelope to another strip.
    POINT p{kEnvStripLeft + 300, rectOf(kEnvFirstStrip + 1).top + 60};
    clickAt(p.x, p.y);
    EXPECT_EQ(amp1, currentEditEnv);
    char text[64] = {0};
    display_getText(kEnvNameDisplay, text, sizeof text);
    EXPECT_STREQ("oscil 2 amp", text);
    clickAt(lr.left + 20, lr.top + 1 + 7);
    EXPECT_EQ(amp1, currentEditEnv);
    EXPECT_EQ(kEnvFirstStrip + 2, envEd_getCurrentId());

    // Resizing: strips, ruler, list and its frame, empty area and scroll bars follow.
    MoveWindow(window_getHWND(winId_envelope), 0, 0, 700, 400, TRUE);
    headless_runUntilIdle();
    window_setCurrent(winId_envelope);
    RECT client;
    GetClientRect(window_getHWND(winId_envelope), &client);
    EXPECT_EQ(client.right - kEnvBar, rectOf(kEnvFirstStrip).right);
    EXPECT_EQ(client.right - kEnvBar, rectOf(kEnvTimeRuler).right);
    EXPECT_EQ(client.bottom - 13, rectOf(kEnvList).bottom);
    EXPECT_EQ(client.bottom - 13, rectOf(kEnvListFrameBottom).top);
    EXPECT_EQ(client.bottom - 137, rectOf(kEnvListFrameSide).bottom - rectOf(kEnvListFrameSide).top);
    EXPECT_LE(rectOf(kEnvFirstStrip + 4).bottom, client.bottom - kEnvBar);
    RECT hb = childRect(wEnv_hScrollBar()), vb = childRect(wEnv_vScrollBar());
    EXPECT_EQ(client.bottom, hb.bottom);
    EXPECT_EQ(client.right - kEnvBar, hb.right);
    EXPECT_EQ(client.right, vb.right);
    EXPECT_EQ(client.bottom - kEnvBar, vb.bottom);

    // The vertical bar scrolls the stack: five strips of 128 do not fit.
    int lo = 0, hi = 0;
    GetScrollRange(wEnv_vScrollBar(), SB_CTL, &lo, &hi);
    EXPECT_EQ(5 * 128 - (client.bottom - kEnvBar - kEnvStripTop), hi);
    SendMessageA(window_getHWND(winId_envelope), WM_VSCROLL, SB_PAGEDOWN, (LPARAM)wEnv_vScrollBar());
    EXPECT_EQ(128, envEd_vScrollPos);
    EXPECT_EQ(kEnvStripTop, rectOf(kEnvFirstStrip + 1).top);
    EXPECT_EQ(kEnvStripTop - 128, envEd_get(kEnvFirstStrip)->top);
    EXPECT_EQ(128, GetScrollPos(wEnv_vScrollBar(), SB_CTL));
    // Clicks above the strips' area never reach a scrolled-away strip.
    SendMessageA(window_getHWND(winId_envelope), WM_VSCROLL, SB_LINEUP, (LPARAM)wEnv_vScrollBar());
    EXPECT_EQ(112, envEd_vScrollPos);
    SendMessageA(window_getHWND(winId_envelope), WM_VSCROLL, SB_TOP, (LPARAM)wEnv_vScrollBar());
    EXPECT_EQ(0, envEd_vScrollPos);
    // The horizontal bar moves the time view, never before 0.
    SendMessageA(window_getHWND(winId_envelope), WM_HSCROLL, SB_PAGERIGHT, (LPARAM)wEnv_hScrollBar());
    EXPECT_NEAR(50.0 / 128, envEd_getStartTime(), 1e-9);
    EXPECT_EQ(39, GetScrollPos(wEnv_hScrollBar(), SB_CTL));
    SendMessageA(window_getHWND(winId_envelope), WM_HSCROLL, SB_PAGELEFT, (LPARAM)wEnv_hScrollBar());
    SendMessageA(window_getHWND(winId_envelope), WM_HSCROLL, SB_LINELEFT, (LPARAM)wEnv_hScrollBar());
    EXPECT_EQ(0.0, envEd_getStartTime());
    EXPECT_FALSE(many.empty());
}

TEST_F(EnvWindowTest, RulersZoomAndResetAndTheTicksFallOnWholeSteps)
{
    EXPECT_EQ(128.0, envEd_tickSpacing(128));
    EXPECT_EQ(100.0, envEd_tickSpacing(200));
    EXPECT_EQ(64.0, envEd_tickSpacing(16));
    EXPECT_EQ(40.0, envEd_tickSpacing(10));
    EXPECT_EQ(22050.0 / 256, envEd_tickSpacing(22050));
    short slot = newEnvelope(0, 1);
    envInstRec* e = env(slot);
    e->lastPoint = 5;
    for (int i = 0; i <= 5; ++i) e->bp[i] = envBreakpointRec{0.3 * kEnvRate, i % 2 ? 0.2f : 0.9f, 0.5f + i};
    e->envMode = envMode_loop;
    e->loopStart = 1;
    e->sustainPoint = 3;
    clickObject(kEnvGrid);
    POINT p = bpPoint(kEnvFirstStrip, 2);
    clickAt(p.x, p.y);
    std::string one = shot("wenv-one");

    // Dragging the time ruler left zooms out around the pressed time, which
    // stays under the pointer.
    RECT ruler = rectOf(kEnvTimeRuler);
    int y = (ruler.top + ruler.bottom) / 2;
    int x0 = kEnvStripLeft + 3 * 128;  // 3 s
    std::vector<POINT> path;
    for (int k = 0; k <= 50; ++k) path.push_back(POINT{x0 - 5 * k, y});
    drag(path);
    double out = envEd_pixPerSec;
    EXPECT_LT(out, 128.0 / 1.05);
    EXPECT_NEAR(1.0 / out, envEd_pixPerSecCoef, 1e-12);
    EXPECT_NEAR(3.0, envEd_pixToTime(kEnvStripLeft, x0 - 250), 12.0 / out);
    EXPECT_GT(envEd_getStartTime(), 0.0);
    EXPECT_EQ(static_cast<int>(std::trunc(envEd_getStartTime() * 100)),
              GetScrollPos(wEnv_hScrollBar(), SB_CTL));
    // And right zooms in.
    path.clear();
    for (int k = 0; k <= 50; ++k) path.push_back(POINT{x0 + 5 * k, y});
    drag(path);
    EXPECT_GT(envEd_pixPerSec, out * 1.05);
    // Dragging the level ruler down makes the strips taller, about the pressed one.
    RECT level = rectOf(kEnvLevelRuler);
    drag({POINT{level.left + 5, kEnvStripTop + 40}, POINT{level.left + 5, kEnvStripTop + 100},
          POINT{level.left + 5, kEnvStripTop + 140}});
    EXPECT_EQ(228, envEd_height);
    EXPECT_EQ(kEnvStripTop, envEd_get(kEnvFirstStrip)->top);
    std::string zoomed = shot("wenv-zoomed");
    envEd_zoomV(20, kEnvFirstStrip);  // outside 32..512: refused
    EXPECT_EQ(228, envEd_height);
    double rate = envEd_pixPerSec;
    envEd_zoomH(30000);  // outside 10..22050: refused
    EXPECT_EQ(rate, envEd_pixPerSec);
    // Double clicks reset both.
    doubleClickAt(ruler.left + 100, y);
    EXPECT_EQ(128.0, envEd_pixPerSec);
    EXPECT_EQ(0.0, envEd_getStartTime());
    doubleClickAt(level.left + 5, kEnvStripTop + 50);
    EXPECT_EQ(128, envEd_height);
    EXPECT_FALSE(one.empty());
    EXPECT_FALSE(zoomed.empty());
}

TEST_F(EnvWindowTest, DamagedEnvelopesInTheSharedRecordDrawAndEditSafely)
{
    short slot = newEnvelope(0, 1);
    envInstRec* e = env(slot);
    e->lastPoint = 500;
    e->sustainPoint = 900;
    e->loopStart = -7;
    e->envMode = envMode_loop;
    e->depth = std::nanf("");
    for (int i = 0; i < kEnvBreakpoints; ++i)
        e->bp[i] = envBreakpointRec{i % 3 == 0 ? std::nan("") : (i % 3 == 1 ? -500.0 : 4410.0),
                                    i % 2 ? 7.0f : -3.0f, std::nanf("")};
    envEd_drawAll();
    EXPECT_EQ(67, envEd_lastPoint(e));
    EXPECT_LE(envEd_get(kEnvFirstStrip)->squares, kEnvBreakpoints);
    // Selecting a square, typing into the boxes and the limits stay within the record.
    POINT p{kEnvStripLeft + 200, envEd_get(kEnvFirstStrip)->top + 60};
    clickAt(p.x, p.y);
    EXPECT_EQ(slot, currentEditEnv);
    envEd_selectBreakpoint(67);
    ASSERT_EQ(67, g_envEd_selectedBp);
    typeInto(kEnvLevelBox, "0.5");
    EXPECT_FLOAT_EQ(0.5f, e->bp[67].level);
    typeInto(kEnvTimeBox, "0.2");
    EXPECT_NEAR(0.2 * kEnvRate, 0.0 + e->bp[67].time, 0.01);
    // Adding is refused with the message; deleting keeps 67 breakpoints' worth.
    rightClickAt(kEnvStripLeft + 300, envEd_get(kEnvFirstStrip)->top + 10);
    EXPECT_EQ(500, e->lastPoint);
    EXPECT_EQ("Envelopes can have a maximum of 68 breakpoints, can't add any more.",
              platform_lastMessageBox().text);
    envEd_deleteBreakpoint(kEnvFirstStrip, e, 67);
    EXPECT_EQ(66, e->lastPoint);
    EXPECT_LT(e->sustainPoint, e->lastPoint);
    EXPECT_LT(e->loopStart, e->sustainPoint);
}
