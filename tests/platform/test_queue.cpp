// The order in which the queue hands out messages (posted, input, quit,
// paint, timers), what PeekMessage leaves in place, how input becomes
// messages (moves merged, double clicks, key flags, disabled windows, the
// wheel), and a request to close the program.
#include "test_support.h"

namespace {

std::vector<UINT> drainOrder(HWND h)
{
    std::vector<UINT> order;
    MSG m;
    for (int guard = 0; guard < 50 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); guard++) {
        if (m.hwnd == h || m.message == WM_QUIT) order.push_back(m.message);
        if (m.message == WM_QUIT) break;
        DispatchMessageA(&m);
    }
    return order;
}

LRESULT dblProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) { return recordingProc(h, msg, wp, lp); }

}  // namespace

TEST_F(PlatformTest, QueueHandsOutPostedThenInputThenQuitPaintAndTimers)
{
    HWND h = CreateWindowExA(0, "recorder", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                             nullptr, nullptr);
    headless_runUntilIdle();
    // Everything pending at once: a due timer, an update region, input, posts.
    SetTimer(h, 1, 10, nullptr);
    Sleep(20);
    InvalidateRect(h, nullptr, FALSE);
    headless_click(50, 50);
    PostMessageA(h, WM_USER + 1, 0, 0);
    PostMessageA(h, WM_USER + 2, 0, 0);
    std::vector<UINT> expect{WM_USER + 1,  WM_USER + 2, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                             WM_LBUTTONUP, WM_PAINT,    WM_TIMER};
    EXPECT_EQ(expect, drainOrder(h));
    // A sent message is handled at once, ahead of everything posted.
    PostMessageA(h, WM_USER + 3, 0, 0);
    recorded().clear();
    SendMessageA(h, WM_USER + 4, 0, 0);
    EXPECT_EQ(std::vector<UINT>{WM_USER + 4}, messagesOf(h, WM_USER, WM_USER + 10));
    headless_runUntilIdle();
    EXPECT_EQ((std::vector<UINT>{WM_USER + 4, WM_USER + 3}), messagesOf(h, WM_USER, WM_USER + 10));
    // Quit waits for the posted messages but comes before paint and timers.
    Sleep(20);
    InvalidateRect(h, nullptr, FALSE);
    PostQuitMessage(3);
    PostMessageA(h, WM_USER + 5, 0, 0);
    MSG m;
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ((UINT)WM_USER + 5, m.message);
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ((UINT)WM_QUIT, m.message);
    EXPECT_EQ((WPARAM)3, m.wParam);
    // Quit is handed out once; then the paint, then the timer.
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ((UINT)WM_PAINT, m.message);
    // A paint message stays until the window is painted (validated).
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ((UINT)WM_PAINT, m.message);
    DispatchMessageA(&m);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ((UINT)WM_TIMER, m.message);
    EXPECT_EQ((WPARAM)1, m.wParam);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    // Filtered for thread messages, a window's paint and timer stay hidden.
    InvalidateRect(h, nullptr, FALSE);
    Sleep(20);
    EXPECT_FALSE(PeekMessageA(&m, (HWND)-1, 0, 0, PM_REMOVE));
    EXPECT_TRUE(PeekMessageA(&m, h, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    // Posting time: GetMessageTime is the time the message was posted.
    headless_runUntilIdle();
    DWORD posted = GetTickCount();
    PostMessageA(h, WM_USER + 6, 0, 0);
    Sleep(50);
    ASSERT_TRUE(GetMessageA(&m, h, WM_USER + 6, WM_USER + 6));
    EXPECT_EQ(posted, GetMessageTime());
    EXPECT_EQ(posted, m.time);
}

TEST_F(PlatformTest, TimersAreNotQueuedUpAndPeekingDoesNotRestartThem)
{
    HWND a = CreateWindowExA(0, "recorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND b = CreateWindowExA(0, "recorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetTimer(a, 7, 10, nullptr);
    // Ten periods pass without a message loop: one WM_TIMER, not ten.
    Sleep(100);
    MSG m;
    int timers = 0;
    while (PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) timers++;
    EXPECT_EQ(1, timers);
    // Looking without removing leaves the timer due; removing restarts it.
    Sleep(10);
    EXPECT_TRUE(PeekMessageA(&m, a, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageA(&m, a, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_FALSE(PeekMessageA(&m, b, WM_TIMER, WM_TIMER, PM_REMOVE));  // another window's filter
    EXPECT_TRUE(PeekMessageA(&m, a, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&m, a, WM_TIMER, WM_TIMER, PM_REMOVE));
    // Very short intervals are raised to 10 ms.
    SetTimer(b, 1, 1, nullptr);
    Sleep(5);
    EXPECT_FALSE(PeekMessageA(&m, b, WM_TIMER, WM_TIMER, PM_REMOVE));
    Sleep(5);
    EXPECT_TRUE(PeekMessageA(&m, b, WM_TIMER, WM_TIMER, PM_REMOVE));
    // A timer killed while due is not delivered.
    Sleep(10);
    KillTimer(b, 1);
    EXPECT_FALSE(PeekMessageA(&m, b, WM_TIMER, WM_TIMER, PM_REMOVE));
    // Timers need a living window.
    DestroyWindow(b);
    EXPECT_EQ(0u, SetTimer(b, 1, 10, nullptr));
    EXPECT_FALSE(KillTimer(b, 1));
}

TEST_F(PlatformTest, InputBecomesMessagesWithMergedMovesAndDoubleClicks)
{
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = dblProc;
    wc.lpszClassName = "dblrec";
    RegisterClassA(&wc);
    HWND d = CreateWindowExA(0, "dblrec", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                             nullptr, nullptr);
    HWND plain = CreateWindowExA(0, "recorder", "", WS_POPUP | WS_VISIBLE, 300, 0, 200, 200, nullptr, nullptr,
                                 nullptr, nullptr);
    headless_runUntilIdle();
    // Moves waiting in the queue merge into the last one; a button keeps its place.
    recorded().clear();
    headless_mouseMove(10, 10);
    headless_mouseMove(20, 20);
    headless_mouseDown(1);
    headless_mouseMove(30, 30);
    headless_mouseMove(40, 45);
    headless_mouseUp(1);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE));  // takes in all the input
    headless_runUntilIdle();
    EXPECT_EQ((std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}),
              messagesOf(d, WM_MOUSEFIRST, WM_MOUSELAST));
    for (auto& r : recorded())
        if (r.hwnd == d && r.msg == WM_MOUSEMOVE && (r.wp & MK_LBUTTON)) {
            EXPECT_EQ(40, GET_X_LPARAM(r.lp));
            EXPECT_EQ(45, GET_Y_LPARAM(r.lp));
        }
    // Two clicks close in time and place make a double click, for classes that ask.
    auto clicks = [&](HWND h, int x, int y, int x2, int y2, DWORD gap) {
        headless_advanceTime(1000);
        recorded().clear();
        headless_click(x, y);
        headless_runUntilIdle();
        headless_advanceTime(gap);
        headless_click(x2, y2);
        headless_runUntilIdle();
        return messagesOf(h, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK);
    };
    std::vector<UINT> dbl{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    std::vector<UINT> two{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP};
    EXPECT_EQ(dbl, clicks(d, 50, 50, 52, 53, 200));
    EXPECT_EQ(two, clicks(d, 50, 50, 50, 50, 600));        // too slow
    EXPECT_EQ(two, clicks(d, 50, 50, 56, 50, 100));        // too far
    EXPECT_EQ(two, clicks(plain, 350, 50, 350, 50, 100));  // the class did not ask
    // A third quick click starts over: a plain press.
    headless_advanceTime(1000);
    recorded().clear();
    headless_doubleClick(60, 60);
    headless_click(60, 60);
    headless_runUntilIdle();
    std::vector<UINT> presses;
    for (UINT x : messagesOf(d, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK))
        if (x != WM_LBUTTONUP) presses.push_back(x);
    EXPECT_EQ((std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}), presses);
    // The right button reports its own messages with its key flag.
    recorded().clear();
    headless_click(70, 70, 3);
    headless_runUntilIdle();
    EXPECT_EQ((std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP}), messagesOf(d, WM_RBUTTONDOWN, WM_RBUTTONUP));
    for (auto& r : recorded()) {
        if (r.hwnd == d && r.msg == WM_RBUTTONDOWN) {
            EXPECT_TRUE(r.wp & MK_RBUTTON);
        }
    }
    // A disabled window gets no mouse input.
    EnableWindow(plain, FALSE);
    recorded().clear();
    headless_click(350, 50);
    headless_runUntilIdle();
    EXPECT_TRUE(messagesOf(plain, WM_MOUSEFIRST, WM_MOUSELAST).empty());
}

TEST_F(PlatformTest, KeyFlagsWheelAndDisabledWindows)
{
    HWND top = CreateWindowExA(0, "recorder", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                               nullptr, nullptr);
    HWND kid = CreateWindowExA(0, "recorder", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top, nullptr,
                               nullptr, nullptr);
    SetFocus(kid);
    headless_runUntilIdle();
    recorded().clear();
    // A held key repeats with the previous-state bit; the release has both top bits.
    headless_keyDown('A');
    headless_keyDown('A');
    headless_keyUp('A');
    headless_runUntilIdle();
    std::vector<LPARAM> lps;
    for (auto& r : recorded())
        if (r.hwnd == kid && (r.msg == WM_KEYDOWN || r.msg == WM_KEYUP)) lps.push_back(r.lp);
    ASSERT_EQ(3u, lps.size());
    EXPECT_EQ(0, lps[0] & (1 << 30));
    EXPECT_NE(0, lps[1] & (1 << 30));
    EXPECT_EQ((LPARAM)0xC0000000, lps[2] & (LPARAM)0xC0000000);
    // With Alt held, keys are system keys carrying the context bit.
    recorded().clear();
    headless_keyDown(VK_MENU);
    headless_key('X');
    headless_keyUp(VK_MENU);
    headless_runUntilIdle();
    EXPECT_EQ((std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP}),
              messagesOf(kid, WM_KEYFIRST, WM_KEYLAST));
    for (auto& r : recorded()) {
        if (r.hwnd == kid && r.msg == WM_SYSKEYDOWN && r.wp == 'X') {
            EXPECT_NE(0, r.lp & (1 << 29));
        }
    }
    // Every press flips a key's toggle bit.
    short before = GetKeyState(VK_INSERT) & 1;
    headless_key(VK_INSERT);
    headless_runUntilIdle();
    EXPECT_NE(before, GetKeyState(VK_INSERT) & 1);
    EXPECT_EQ(0, GetAsyncKeyState(VK_INSERT));
    EXPECT_EQ(0, GetKeyState(-1));
    EXPECT_EQ(0, GetKeyState(300));
    // The wheel goes to the focus and, by default, on to its parent.
    recorded().clear();
    headless_wheel(100, 100, -2);
    headless_runUntilIdle();
    int seen = 0;
    for (auto& r : recorded())
        if (r.msg == WM_MOUSEWHEEL) {
            EXPECT_EQ(-240, GET_WHEEL_DELTA_WPARAM(r.wp));
            seen |= r.hwnd == kid ? 1 : r.hwnd == top ? 2 : 4;
        }
    EXPECT_EQ(3, seen);
    // A disabled top-level window gets no keys, characters or wheel.
    EnableWindow(top, FALSE);
    recorded().clear();
    headless_key('B');
    headless_typeText("b");
    headless_wheel(100, 100, 1);
    headless_runUntilIdle();
    EXPECT_TRUE(messagesOf(kid, WM_KEYFIRST, WM_KEYLAST).empty());
    EXPECT_TRUE(messagesOf(top, WM_KEYFIRST, WM_KEYLAST).empty());
    EXPECT_TRUE(messagesOf(kid, WM_MOUSEWHEEL, WM_MOUSEWHEEL).empty());
    EXPECT_EQ(nullptr, GetFocus());  // disabling took the focus away
    EnableWindow(top, TRUE);
    SetFocus(kid);
    // SetFocus refuses a window that is gone or disabled.
    HWND off = CreateWindowExA(0, "recorder", "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 70, 10, 50, 50, top,
                               nullptr, nullptr, nullptr);
    EXPECT_EQ(nullptr, SetFocus(off));
    EXPECT_EQ(kid, GetFocus());
    DestroyWindow(kid);
    EXPECT_EQ(nullptr, GetFocus());
    EXPECT_EQ(nullptr, SetFocus(kid));
}

TEST_F(PlatformTest, RequestToCloseReachesTheMainWindowUnlessAModalHoldsIt)
{
    HWND main = CreateWindowExA(0, "recorder", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
    HWND owned = CreateWindowExA(0, "recorder", "Tool", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, main,
                                 nullptr, nullptr, nullptr);
    headless_runUntilIdle();
    // While the main window is disabled (a modal prompt is up) the request is ignored.
    EnableWindow(main, FALSE);
    headless_requestClose();
    headless_runUntilIdle();
    EXPECT_TRUE(IsWindow(main));
    EnableWindow(main, TRUE);
    // Otherwise it gets a close command; by default that destroys it and its owned windows.
    recorded().clear();
    headless_requestClose();
    headless_runUntilIdle();
    bool gotClose = false;
    for (auto& r : recorded())
        if (r.hwnd == main && r.msg == WM_SYSCOMMAND && (r.wp & 0xFFF0) == SC_CLOSE) gotClose = true;
    EXPECT_TRUE(gotClose);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(IsWindow(owned));
    // With no window left the program is asked to quit.
    headless_requestClose();
    MSG m;
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ((UINT)WM_QUIT, m.message);
}
