// The toolkit framework: window table and lookups, click dispatch with
// double clicks, disabled controls and stop events, front-window rules,
// painting of hidden windows, tracking loops, window sizing and the
// device-context count checks.
#include "platform/verify.h"
#include "toolkit_fixture.h"

TEST_F(ToolkitTest, LookupsOutsideTheTablesNameNothing)
{
    EXPECT_EQ(nullptr, window_get(0));
    EXPECT_EQ(nullptr, window_get(33));
    EXPECT_EQ(nullptr, window_get(-1));
    EXPECT_NE(nullptr, window_get(32));
#if !MORVANE_CONTRACTS_ACTIVE
    // The checked build stops here instead (contract_test.cpp).
    EXPECT_EQ(0, window_brambixize(0, nullptr, 4, 4));
    EXPECT_EQ(0, window_brambixize(33, nullptr, 4, 4));
#endif
    makeWindow(2, 10, 10, 200, 100, 8);
    // Object lookups never give null: id 0, ids past the list and unknown windows.
    EXPECT_EQ(&defaultClickObject, clickObject_get(2, 0));
    EXPECT_EQ(&defaultClickObject, clickObject_get(2, 8));
    EXPECT_EQ(&defaultClickObject, clickObject_get(2, -3));
    EXPECT_EQ(&defaultClickObject, clickObject_get(5, 1));
    EXPECT_EQ(&defaultClickObject, clickObject_new(5, 1));
    EXPECT_EQ(&defaultClickObject, clickObject_new(2, 8));
    clickObjectRec* o = clickObject_new(2, 7);
    ASSERT_NE(&defaultClickObject, o);
    EXPECT_EQ(2, o->window);
    EXPECT_EQ(7, o->id);
    EXPECT_EQ(0, o->type);
    EXPECT_EQ(emptyClickProc, o->clickProc);
    EXPECT_EQ(o, clickObject_get(2, 7));
    EXPECT_EQ(o, clickObject_new(2, 7));  // the record is reused
    clickObject_delete(2, 7);
    EXPECT_EQ(&defaultClickObject, clickObject_get(2, 7));
    // The default object stands for nothing and stays so.
    EXPECT_EQ(0, defaultClickObject.type);
    EXPECT_EQ(0, defaultClickObject.enabled);
    EXPECT_EQ(0, window_getZoneListMax(9));
    EXPECT_EQ(8, window_getZoneListMax(2));
    EXPECT_EQ(nullptr, window_getZone(2, 8));
    EXPECT_NE(nullptr, window_getZone(2, 7));
}

TEST_F(ToolkitTest, StartUpSetsTheControlDefaults)
{
    EXPECT_EQ(64, numboxWidth);
    EXPECT_FLOAT_EQ(0.45f, draggy_lag);
    EXPECT_FLOAT_EQ(1.0f, draggy_mouseScale);
    EXPECT_EQ(900, g_numboxPictID);
    // 16-bit components -1286, -1286, -10281 divided by 256 toward zero.
    EXPECT_EQ(251, g_numboxTextRGB.red);
    EXPECT_EQ(251, g_numboxTextRGB.green);
    EXPECT_EQ(216, g_numboxTextRGB.blue);
    EXPECT_EQ(62, popup_defaultBodyRGB.red);
    EXPECT_EQ(112, g_selectFrameRGB.red);
    EXPECT_EQ(255, display_currentBgColor.red);
    EXPECT_EQ(8, display_currentStyle);
    draggy_setLag(0.0005f);  // refused
    EXPECT_FLOAT_EQ(0.45f, draggy_lag);
    draggy_setLag(1.5f);  // refused
    EXPECT_FLOAT_EQ(0.45f, draggy_lag);
    draggy_setLag(0.38f);
    EXPECT_FLOAT_EQ(0.38f, draggy_lag);
    // Every menu slot starts as the shared empty menu.
    for (int i = 0; i < kMenuMax; i++) ASSERT_EQ(menu_defaultHMenu, menu_list[i]);
    EXPECT_NE(nullptr, g_caretCursor);
    EXPECT_NE(g_arrowCursor, g_caretCursor);
    EXPECT_NE(g_arrowCursor, g_upDownCursor);
    EXPECT_NE(g_arrowCursor, g_arrowOnCursor);
    EXPECT_EQ(g_upDownCursor, cursor_get(134));
    EXPECT_EQ(g_arrowCursor, cursor_get(77));
}

TEST_F(ToolkitTest, DoubleClickNeedsLessThan250Milliseconds)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    custom_new(3, 10, 10, 50, 30, recordingEventProc);
    clickAt(2, 20, 20);
    EXPECT_EQ(0, isDoubleClick());  // the very first click is never a double click
    headless_advanceTime(249);
    clickAt(2, 20, 20);
    EXPECT_EQ(1, isDoubleClick());
    headless_advanceTime(250);
    clickAt(2, 20, 20);
    EXPECT_EQ(0, isDoubleClick());
    // Any two clicks count, on another object too.
    custom_new(4, 100, 10, 50, 30, recordingEventProc);
    headless_advanceTime(100);
    clickAt(2, 110, 20);
    EXPECT_EQ(1, isDoubleClick());
    EXPECT_EQ(4u, eventsOf(kCustomClick).size());
}

static int s_stopClicks = 0;
static void stoppingEventProc(short id, long event, long a, long b)
{
    recordingEventProc(id, event, a, b);
    if (event == kCustomClick) {
        s_stopClicks++;
        window_stopEvent();
    }
}

TEST_F(ToolkitTest, DisabledControlsAndStopEvents)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    custom_new(3, 10, 10, 50, 30, recordingEventProc);
    custom_new(4, 100, 10, 50, 30, stoppingEventProc);
    clickAt(2, 20, 20);
    EXPECT_EQ(kTypeCustom, brambixEvent_type);
    EXPECT_EQ(1u, eventsOf(kCustomClick).size());
    // Disabled: no click procedure, but the type is still reported.
    window_setCurrent(2);
    custom_enable(3, 0);
    brambixEvent_type = 0;
    clickAt(2, 20, 20);
    EXPECT_EQ(kTypeCustom, brambixEvent_type);
    EXPECT_EQ(1u, eventsOf(kCustomClick).size());
    // A click procedure that stops the event makes the dispatch report 0 and
    // leaves the mouse idle; the next click is reported again.
    s_stopClicks = 0;
    clickAt(2, 110, 20);
    EXPECT_EQ(1, s_stopClicks);
    EXPECT_EQ(0, brambixEvent_type);
    EXPECT_EQ(0, gStopEvent);
    g_mouse.state = kMouseDragging;
    window_stopEvent();
    EXPECT_EQ(kMouseIdle, g_mouse.state);
    EXPECT_EQ(1, gStopEvent);
    gStopEvent = 0;
    window_setCurrent(2);
    custom_enable(3, 1);
    clickAt(2, 20, 20);
    EXPECT_EQ(kTypeCustom, brambixEvent_type);
    // A click where no zone is reaches nothing and reports type 0.
    clickAt(2, 180, 90);
    EXPECT_EQ(0, brambixEvent_type);
}

TEST_F(ToolkitTest, OverlappingZonesGoToTheHigherIdAndEdgesCount)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    custom_new(5, 10, 10, 50, 30, recordingEventProc);  // 10..60 x 10..40
    custom_new(6, 40, 20, 50, 30, recordingEventProc);  // 40..90 x 20..50
    zPoint p;
    p.h = 45, p.v = 25;
    EXPECT_EQ(6, zone_pointToZoneID(2, &p));
    p.h = 20, p.v = 15;
    EXPECT_EQ(5, zone_pointToZoneID(2, &p));
    // The right and bottom edges belong to the zone; one pixel past does not.
    p.h = 60, p.v = 40;
    EXPECT_EQ(6, zone_pointToZoneID(2, &p));  // also inside 6
    p.h = 60, p.v = 12;
    EXPECT_EQ(5, zone_pointToZoneID(2, &p));
    p.h = 61, p.v = 12;
    EXPECT_EQ(0, zone_pointToZoneID(2, &p));
    p.h = 20, p.v = 41;
    EXPECT_EQ(0, zone_pointToZoneID(2, &p));
    // Through the message path: the overlap goes to 6 only.
    clickAt(2, 45, 25);
    ASSERT_EQ(1u, eventsOf(kCustomClick).size());
    EXPECT_EQ(6, eventsOf(kCustomClick)[0].id);
    // The button-down message itself returns the object and keeps its id.
    HWND h = window_getHWND(2);
    EXPECT_EQ(6, window_preProcess(2, h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 25), 0));
    EXPECT_EQ(6, brambixEvent_id);
    EXPECT_EQ(kTypeCustom, brambixEvent_type);
    EXPECT_EQ(h, GetCapture());
    EXPECT_EQ(0, window_preProcess(2, h, WM_LBUTTONUP, 0, MAKELPARAM(45, 25), 0));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(0, window_preProcess(2, h, WM_KEYDOWN, VK_LEFT, 0, 0));  // not the toolkit's
    events().clear();
    // A right click reaches a custom control with the pointer position.
    clickAt(2, 20, 15, 3);
    ASSERT_EQ(1u, eventsOf(kCustomRightClick).size());
    EXPECT_EQ(5, eventsOf(kCustomRightClick)[0].id);
    EXPECT_EQ(20, eventsOf(kCustomRightClick)[0].a);
    EXPECT_EQ(15, eventsOf(kCustomRightClick)[0].b);
}

TEST_F(ToolkitTest, HiddenWindowsAreNotPainted)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    custom_new(3, 10, 10, 50, 30, recordingEventProc);
    InvalidateRect(window_getHWND(2), nullptr, FALSE);
    headless_runUntilIdle();
    size_t painted = eventsOf(kCustomDraw).size();
    EXPECT_GE(painted, 1u);
    window_show(2, 0);
    EXPECT_EQ(0, window_getVisible(2));
    // Even a paint message sent straight to it draws nothing.
    InvalidateRect(window_getHWND(2), nullptr, FALSE);
    SendMessageA(window_getHWND(2), WM_PAINT, 0, 0);
    headless_runUntilIdle();
    window_draw(2);
    EXPECT_EQ(painted, eventsOf(kCustomDraw).size());
    window_show(2, 1);
    InvalidateRect(window_getHWND(2), nullptr, FALSE);
    headless_runUntilIdle();
    EXPECT_GT(eventsOf(kCustomDraw).size(), painted);
}

TEST_F(ToolkitTest, CustomControlCreatedLastIsPaintedAndLeavesWhenHidden)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    custom_new(3, 10, 10, 50, 30, recordingEventProc);
    custom_new(4, 80, 10, 50, 30, recordingEventProc);
    InvalidateRect(window_getHWND(2), nullptr, FALSE);
    headless_runUntilIdle();
    auto drawnIds = [] {
        std::vector<short> v;
        for (const EventRec& e : eventsOf(kCustomDraw)) v.push_back(e.id);
        return v;
    };
    std::vector<short> both{3, 4};
    EXPECT_EQ(both, drawnIds());
    events().clear();
    window_setCurrent(2);
    custom_show(4, 0);
    InvalidateRect(window_getHWND(2), nullptr, FALSE);
    headless_runUntilIdle();
    EXPECT_EQ(std::vector<short>{3}, drawnIds());
    EXPECT_EQ(1, window_getDrawList(2)->count);
}

TEST_F(ToolkitTest, FrontWindowFollowsActivationAndHiding)
{
    makeWindow(2, 10, 10, 200, 100);
    makeWindow(3, 300, 10, 200, 100);
    EXPECT_EQ(3, window_getFrontWindow());
    // Clicking window 2 activates it through the MDI client.
    clickAt(2, 150, 80);
    EXPECT_EQ(2, window_getFrontWindow());
    EXPECT_EQ(2, window_getCurrent());
    // Messages that only arrive with all set.
    window_preProcess(3, window_getHWND(3), WM_SHOWWINDOW, 1, 0, 0);
    EXPECT_EQ(2, window_getFrontWindow());
    window_preProcess(3, window_getHWND(3), WM_SHOWWINDOW, 1, 0, 1);
    EXPECT_EQ(3, window_getFrontWindow());
    window_preProcess(2, window_getHWND(2), WM_SHOWWINDOW, 0, 0, 1);
    EXPECT_EQ(3, window_getFrontWindow());  // 2 was not front: unchanged
    window_preProcess(3, window_getHWND(3), WM_SHOWWINDOW, 0, 0, 1);
    EXPECT_EQ(0, window_getFrontWindow());
    window_preProcess(2, window_getHWND(2), WM_MOUSEACTIVATE, 0, 0, 1);
    EXPECT_EQ(2, window_getFrontWindow());
    window_preProcess(3, window_getHWND(3), WM_ACTIVATE, WA_INACTIVE, 0, 0);
    EXPECT_EQ(2, window_getFrontWindow());
    window_preProcess(3, window_getHWND(3), WM_ACTIVATE, WA_ACTIVE, 0, 0);
    EXPECT_EQ(3, window_getFrontWindow());
    // An MDI activation naming another window leaves the front alone.
    window_preProcess(2, window_getHWND(2), WM_MDIACTIVATE, (WPARAM)window_getHWND(2),
                      (LPARAM)window_getHWND(3), 0);
    EXPECT_EQ(3, window_getFrontWindow());
    // Hiding the front window leaves no front window.
    window_show(3, 0);
    EXPECT_EQ(0, window_getFrontWindow());
    window_show(2, 1);
    EXPECT_EQ(2, window_getFrontWindow());
    window_show(3, 0);
    EXPECT_EQ(2, window_getFrontWindow());
    // A window without a handle is not shown.
    window_brambixize(9, nullptr, 4, 4);
    window_show(9, 1);
    EXPECT_EQ(0, window_getVisible(9));
}

// A click procedure that tracks the mouse until the button goes up,
// recording the positions it sees, with the timers running.
static std::vector<zPoint> s_track;
static int s_timerFires = 0;
static void countingTimer(short, void*) { s_timerFires++; }
static void trackingEventProc(short id, long event, long a, long b)
{
    recordingEventProc(id, event, a, b);
    if (event != kCustomClick) return;
    HWND h = window_getHWND(g_currentWindow);
    for (int round = 0; round < 1000; round++) {
        zPoint p;
        mouse_getPos(&p);
        if (s_track.empty() || s_track.back().h != p.h || s_track.back().v != p.v) s_track.push_back(p);
        timer_process();
        if (mouse_up(h)) break;
        Sleep(16);
    }
    resetClicks();
}

TEST_F(ToolkitTest, TrackingLoopFollowsTheDragUntilRelease)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    custom_new(3, 10, 10, 50, 30, trackingEventProc);
    timer_new(2, 1, countingTimer, 1, 30);
    s_track.clear();
    s_timerFires = 0;
    POINT a = screenPoint(2, 20, 20);
    headless_mouseMove(a.x, a.y);
    headless_mouseDown(1);
    headless_mouseMove(a.x + 30, a.y);
    headless_mouseMove(a.x + 60, a.y + 5);
    headless_mouseMove(a.x + 250, a.y + 5);  // outside the window: capture holds
    headless_mouseUp(1);
    headless_runUntilIdle();
    ASSERT_EQ(4u, s_track.size());
    EXPECT_EQ(20, s_track[0].h);
    EXPECT_EQ(50, s_track[1].h);
    EXPECT_EQ(80, s_track[2].h);
    EXPECT_EQ(25, s_track[2].v);
    EXPECT_EQ(270, s_track[3].h);
    EXPECT_EQ(kMouseIdle, g_mouse.state);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_GE(s_timerFires, 1);  // the loop slept over several timer periods
    // mouse_stop ends a loop at once.
    mouse_stop = 1;
    EXPECT_EQ(1, mouse_up(window_getHWND(2)));
    mouse_stop = 0;
    EXPECT_EQ(0, mouse_up(window_getHWND(2)));
}

TEST_F(ToolkitTest, MouseStateMachine)
{
    mouseRec m;
    mouse_init(&m);
    mouse_update_win(&m, WM_MOUSEMOVE, 5, 6);
    EXPECT_EQ(kMouseIdle, m.state);
    mouse_update_win(&m, WM_LBUTTONDOWN, 7, 8);
    EXPECT_EQ(kMousePressed, m.state);
    EXPECT_EQ(7, m.pressPos.h);
    EXPECT_EQ(8, m.pressPos.v);
    mouse_update_win(&m, WM_MOUSEMOVE, 9, 10);
    EXPECT_EQ(kMouseDragging, m.state);
    mouse_update_win(&m, WM_LBUTTONUP, 11, 12);
    EXPECT_EQ(kMouseReleased, m.state);
    EXPECT_EQ(11, m.releasePos.h);
    mouse_update_win(&m, WM_PAINT, 0, 0);
    EXPECT_EQ(kMouseIdle, m.state);
    mouse_update_win(&m, WM_RBUTTONDOWN, 3, 4);
    EXPECT_EQ(kMouseIdle, m.state);
    EXPECT_EQ(3, m.pressPos.h);
    mouse_stop = 1;
    mouse_update_win(&m, WM_MOUSEMOVE, 1, 1);
    EXPECT_EQ(0, mouse_stop);
}

TEST_F(ToolkitTest, WindowSizeMakesTheClientAreaAndKeepsThePlace)
{
    HWND h = makeWindow(2, 40, 30, 200, 100);
    RECT before;
    GetWindowRect(h, &before);
    window_size(2, 321, 123);
    EXPECT_EQ(321, window_getWidth(2));
    EXPECT_EQ(123, window_getHeight(2));
    RECT after;
    GetWindowRect(h, &after);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    window_size(2, 0, 50);  // ignored
    EXPECT_EQ(321, window_getWidth(2));
    window_move(2, 100, 60);
    EXPECT_EQ(321, window_getWidth(2));
    RECT moved;
    GetWindowRect(h, &moved);
    POINT origin{moved.left, moved.top};
    ScreenToClient(client, &origin);
    EXPECT_EQ(100, origin.x);
    EXPECT_EQ(60, origin.y);
    // Sizing to a panel needs a panel object; a custom control is not one.
    window_setCurrent(2);
    custom_new(3, 0, 0, 400, 300, recordingEventProc);
    window_sizeToPanel(2, 3);
    EXPECT_EQ(321, window_getWidth(2));
    clickObjectRec* panel = clickObject_new(2, 4);
    panel->type = kTypePanel;
    panel->rect = RECT{0, 0, 250, 180};
    window_sizeToPanel(2, 4);
    EXPECT_EQ(250, window_getWidth(2));
    EXPECT_EQ(180, window_getHeight(2));
    window_setName(2, "Sized");
    char title[32];
    GetWindowTextA(h, title, sizeof title);
    EXPECT_STREQ("Sized", title);
}

TEST_F(ToolkitTest, DeviceContextCountsAreChecked)
{
    makeWindow(2, 10, 10, 200, 100);
    windowRec* w = window_get(2);
    ASSERT_EQ(nullptr, w->currentDC);
    // Borrowed and returned in pairs: the count comes back to 0, no alert.
    HDC a = window_getHDC(2);
    HDC b = window_getHDC(2);
    EXPECT_EQ(2, w->dcCount);
    window_freeHDC(2, b);
    window_freeHDC(2, a);
    EXPECT_EQ(0, w->dcCount);
    int before = platform_lastMessageBox().count;
    // More than 500 outstanding: the next return alerts and resets the count.
    std::vector<HDC> dcs;
    for (int i = 0; i < 503; i++) dcs.push_back(window_getHDC(2));
    window_freeHDC(2, dcs.back());
    EXPECT_EQ(before + 1, platform_lastMessageBox().count);
    EXPECT_EQ("window id 2, Error 5555", platform_lastMessageBox().text);
    EXPECT_EQ("", platform_lastMessageBox().caption);
    EXPECT_EQ(0, w->dcCount);
    for (size_t i = 0; i + 1 < dcs.size(); i++) ReleaseDC(window_getHWND(2), dcs[i]);
    // More than 500 returned too many.
    w->dcCount = -500;
    HDC c = GetDC(window_getHWND(2));
    window_freeHDC(2, c);
    EXPECT_EQ("window id 2, Error 7777", platform_lastMessageBox().text);
    EXPECT_EQ(0, w->dcCount);
    // While a current DC is set, it is what every caller gets, uncounted.
    window_manualPreProcess(2);
    ASSERT_NE(nullptr, w->currentDC);
    EXPECT_EQ(w->currentDC, window_getHDC(2));
    window_freeHDC(2, w->currentDC);
    EXPECT_EQ(0, w->dcCount);
    window_manualPostProcess(2);
    EXPECT_EQ(nullptr, w->currentDC);
    EXPECT_EQ(nullptr, window_getHDC(20));  // no such window attached
}

static short s_undoArg = -1;
static void undoCallback(short arg) { s_undoArg = arg; }

TEST_F(ToolkitTest, PrepareUndoAndReattaching)
{
    makeWindow(2, 10, 10, 200, 100);
    window_prepareUndo(2, 4);  // no callback yet: nothing
    EXPECT_EQ(-1, s_undoArg);
    window_setPrepareUndoCallback(2, undoCallback);
    window_prepareUndo(2, 4);
    EXPECT_EQ(4, s_undoArg);
    window_setCurrent(2);
    custom_new(3, 0, 0, 10, 10, recordingEventProc);
    // Attaching the same id again deletes the old objects (they hear about it).
    window_brambixize(2, window_getHWND(2), 8, 8);
    window_postBrambixize(2);
    EXPECT_EQ(1u, eventsOf(kCustomDeleting).size());
    EXPECT_EQ(&defaultClickObject, clickObject_get(2, 3));
    EXPECT_EQ(8, window_getClickList(2)->count);
}
