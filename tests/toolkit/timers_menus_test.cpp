// Timers (the 128-entry table, refusals, catch-up one period per pass, the
// current window around callbacks), the menu registry, alerts and the
// silent error channel.
#include "toolkit_fixture.h"

static std::vector<std::pair<short, double>> s_fired;  // timer id, time
static std::vector<short> s_windowAtFire;
static void logTimer(short id, void*)
{
    s_fired.push_back({id, timer_currentTime()});
    s_windowAtFire.push_back(g_currentWindow);
}

TEST_F(ToolkitTest, TimerTableRefusesThe129thAndBadRequests)
{
    EXPECT_EQ(&emptyTimer, timer_new(1, 0, logTimer, 1, 10));
    EXPECT_EQ(&emptyTimer, timer_new(1, 1, nullptr, 1, 10));
    EXPECT_EQ(&emptyTimer, timer_new(1, 1, logTimer, 1, 0));  // no period at all
    std::vector<timerRec*> made;
    for (int i = 0; i < kTimerMax; i++) {
        timerRec* t = timer_new(1, (short)(i + 1), logTimer, 1, 1);
        ASSERT_NE(&emptyTimer, t);
        made.push_back(t);
    }
    EXPECT_EQ(kTimerMax, timerRunListSize);
    EXPECT_EQ(&emptyTimer, timer_new(1, 200, logTimer, 1, 1));  // the 129th
    // Stopping one frees its record for the next request, in table order.
    timer_stop(made[5]);
    EXPECT_EQ(kTimerMax - 1, timerRunListSize);
    EXPECT_EQ(&timerList[5], timer_new(1, 300, logTimer, 1, 1));
    // The run list holds the active ones packed at the front, in table order.
    timer_stop(made[0]);
    timer_stop(made[2]);
    EXPECT_EQ(kTimerMax - 2, timerRunListSize);
    EXPECT_EQ(&timerList[1], timerRunList[0]);
    EXPECT_EQ(&timerList[3], timerRunList[1]);
    EXPECT_EQ(&emptyTimer, timerRunList[kTimerMax - 1]);
    EXPECT_EQ(0, emptyTimer.active);
}

TEST_F(ToolkitTest, LateTimerCatchesUpOnePeriodPerPass)
{
    makeWindow(4, 10, 10, 100, 50);
    window_setCurrent(7);
    s_fired.clear();
    s_windowAtFire.clear();
    // Stop the system timer so that only explicit passes run timers here.
    timer_cleanup();
    double t0 = timer_currentTime();
    timerRec* t = timer_new(4, 9, logTimer, 1, 30);
    ASSERT_NE(&emptyTimer, t);
    EXPECT_DOUBLE_EQ(t0 + 1.0 / 30, t->nextTime);
    headless_advanceTime(30);
    timer_process();
    EXPECT_TRUE(s_fired.empty());
    headless_advanceTime(4);  // 34 ms: past t0 + 1/30
    timer_process();
    ASSERT_EQ(1u, s_fired.size());
    EXPECT_EQ(9, s_fired[0].first);
    EXPECT_EQ(4, s_windowAtFire[0]);    // its window was current in the callback
    EXPECT_EQ(7, window_getCurrent());  // and the caller's afterwards
    // A long delay: one firing per pass, each one period later than the last.
    headless_advanceTime(200);
    timer_process();
    timer_process();
    EXPECT_EQ(3u, s_fired.size());
    EXPECT_NEAR(t0 + 4.0 / 30, t->nextTime, 1e-9);
    for (int i = 0; i < 10; i++) timer_process();
    // Caught up with now (t0 + 234 ms): firings up to t0 + 7/30 at the most.
    EXPECT_EQ(7u, s_fired.size());
    EXPECT_GT(t->nextTime, timer_currentTime());
    timer_process();
    EXPECT_EQ(7u, s_fired.size());
}

static int s_selfStops = 0;
static void stopSelf(short, void* timer)
{
    s_selfStops++;
    timer_stop((timerRec*)timer);
}

TEST_F(ToolkitTest, SystemTimerDrivesTheRunListAndCallbacksMayStopTimers)
{
    s_fired.clear();
    s_selfStops = 0;
    timer_new(1, 1, stopSelf, 20, 1000);  // 20 ms, stops itself at its first firing
    timer_new(1, 2, logTimer, 50, 1000);  // 50 ms
    headless_advanceTime(205);            // the 16 ms system timer runs the passes
    EXPECT_EQ(1, s_selfStops);
    EXPECT_GE(s_fired.size(), 3u);
    EXPECT_LE(s_fired.size(), 4u);
    EXPECT_EQ(1, timerRunListSize);
    // The empty callback stops its own timer.
    timerRec* t = timer_new(1, 3, timer_emptyCallback, 10, 1000);
    EXPECT_EQ(2, timerRunListSize);
    headless_advanceTime(40);
    EXPECT_EQ(0, t->active);
    EXPECT_EQ(1, timerRunListSize);
    timer_cleanup();
    size_t n = s_fired.size();
    headless_advanceTime(200);
    EXPECT_EQ(n, s_fired.size());
}

// Counts the messages the loop dispatches over one second of virtual time:
// with the fixture's windows idle, these are the wake-ups of the toolkit's
// system timer.
static int wakeUpsOverOneSecond()
{
    headless_runUntilIdle();
    return headless_advanceTime(1000);
}

TEST_F(ToolkitTest, SystemTimerWakesOnlyWhenAToolkitTimerIsDue)
{
    s_fired.clear();
    // No toolkit timer: the system timer looks in once a second.
    EXPECT_LE(wakeUpsOverOneSecond(), 2);
    // One 20 Hz timer: about twenty wake-ups, each one a firing.
    timerRec* slow = timer_new(1, 1, logTimer, 1, 20);
    int wakes = wakeUpsOverOneSecond();
    EXPECT_GE(wakes, 19);
    EXPECT_LE(wakes, 21);
    EXPECT_GE(s_fired.size(), 19u);
    // Firings stay on their period, not on a 16 ms grid.
    for (size_t i = 1; i < s_fired.size(); i++)
        EXPECT_NEAR(0.05, s_fired[i].second - s_fired[i - 1].second, 0.0015);
    // A faster timer started later brings the system timer forward at once,
    // but never below its 16 ms period.
    s_fired.clear();
    timerRec* fast = timer_new(1, 2, logTimer, 1, 100);
    wakes = wakeUpsOverOneSecond();
    EXPECT_GE(wakes, 60);
    EXPECT_LE(wakes, 64);
    size_t fastFirings = 0;
    for (auto& f : s_fired) fastFirings += f.first == 2;
    EXPECT_GE(fastFirings, 55u);  // 100 Hz asked, at most one firing per pass
    timer_stop(fast);
    timer_stop(slow);
    headless_advanceTime(20);
    headless_runUntilIdle();
    EXPECT_LE(wakeUpsOverOneSecond(), 2);
}

TEST_F(ToolkitTest, MenuRegistryCommandIdsAndSeparators)
{
    menu_new(3, 0, "unused");
    HMENU m = menu_getHMenu(3);
    ASSERT_NE(menu_defaultHMenu, m);
    menu_new(3, 0, "again");  // the slot already holds a menu
    EXPECT_EQ(m, menu_getHMenu(3));
    menu_addItem(3, 5, 0, "-separator");
    menu_addItem(3, 5, 0, "Five");
    ASSERT_EQ(2, GetMenuItemCount(m));
    EXPECT_TRUE(GetMenuState(m, 0, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(773u, GetMenuItemID(m, 1));
    char text[16];
    GetMenuStringA(m, 773, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("Five", text);
    menu_enableItem(3, 773, 0);
    EXPECT_TRUE(GetMenuState(m, 773, MF_BYCOMMAND) & MF_GRAYED);
    menu_enableItem(3, 773, 1);
    EXPECT_FALSE(GetMenuState(m, 773, MF_BYCOMMAND) & MF_GRAYED);
    menu_clear(3);
    EXPECT_EQ(0, GetMenuItemCount(m));
    // Ids outside 0..127 and menus never made fall back to the empty default.
    EXPECT_EQ(menu_defaultHMenu, menu_getHMenu(128));
    EXPECT_EQ(menu_defaultHMenu, menu_getHMenu(-1));
    menu_new(200, 0, nullptr);
    menu_addItem(200, 1, 0, "nowhere");
    menu_addItem(4, 1, 0, "not made");
    EXPECT_EQ(0, GetMenuItemCount(menu_defaultHMenu));
    EXPECT_EQ(menu_defaultHMenu, menu_getHMenu(4));
}

TEST_F(ToolkitTest, ErrorsAreSilentUntilEnabledAndAlertsUseTheOwner)
{
    int before = platform_lastMessageBox().count;
    error("bad chunk type");
    EXPECT_EQ(before, platform_lastMessageBox().count);
    EXPECT_STREQ("", g_error);
    g_error_enable = 1;
    std::string longText(300, 'x');
    error(longText.c_str());
    EXPECT_EQ(before + 1, platform_lastMessageBox().count);
    EXPECT_EQ(256u, strlen(g_error));
    headless_answerNextPrompt(IDNO);
    EXPECT_EQ(IDNO, alertbox(MB_YESNO, "Save?", MB_ICONQUESTION));
    EXPECT_EQ("Save?", platform_lastMessageBox().text);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), platform_lastMessageBox().type);
    error_init();
    EXPECT_EQ(0, g_error_enable);
}
