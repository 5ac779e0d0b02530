// Windows, the message queue, capture, timers and painting, driven through
// the headless presenter.
#include "test_support.h"

TEST_F(PlatformTest, DragKeepsCaptureAndMessageOrder)
{
    HWND a = CreateWindowExA(0, "recorder", "A", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, nullptr,
                             nullptr, nullptr);
    HWND b = CreateWindowExA(0, "recorder", "B", WS_POPUP | WS_VISIBLE, 300, 10, 100, 100, nullptr, nullptr,
                             nullptr, nullptr);
    headless_runUntilIdle();
    recorded().clear();
    // Press in A, drag over B and release there: A holds the capture.
    headless_mouseMove(50, 50);
    headless_mouseDown(1);
    headless_mouseMove(200, 60);
    headless_mouseMove(350, 60);
    headless_mouseUp(1);
    headless_mouseMove(360, 70);  // after the release, B gets the moves again
    headless_runUntilIdle();
    std::vector<UINT> am = messagesOf(a, WM_MOUSEFIRST, WM_MOUSELAST);
    std::vector<UINT> expect{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP};
    EXPECT_EQ(expect, am);
    EXPECT_EQ(std::vector<UINT>{WM_MOUSEMOVE}, messagesOf(b, WM_MOUSEFIRST, WM_MOUSELAST));
    // Coordinates stay relative to A's client area, beyond its right edge.
    for (auto& r : recorded())
        if (r.hwnd == a && r.msg == WM_LBUTTONUP) {
            EXPECT_EQ(340, GET_X_LPARAM(r.lp));
            EXPECT_EQ(50, GET_Y_LPARAM(r.lp));
        }
    EXPECT_EQ(nullptr, GetCapture());
    // A click activated A: it got WM_ACTIVATE before its button-down.
    EXPECT_EQ(a, GetActiveWindow());
}

TEST_F(PlatformTest, PeekMessageFiltersByWindowAndRange)
{
    HWND a = CreateWindowExA(0, "recorder", "A", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND b = CreateWindowExA(0, "recorder", "B", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    PostMessageA(a, WM_USER + 1, 1, 0);
    PostMessageA(b, WM_USER + 2, 2, 0);
    PostMessageA(a, WM_USER + 3, 3, 0);
    PostMessageA(nullptr, WM_USER + 4, 4, 0);
    MSG m;
    // Window filter, no removal: the same message twice.
    ASSERT_TRUE(PeekMessageA(&m, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ((UINT)WM_USER + 2, m.message);
    ASSERT_TRUE(PeekMessageA(&m, b, 0, 0, PM_REMOVE));
    EXPECT_EQ((WPARAM)2, m.wParam);
    EXPECT_FALSE(PeekMessageA(&m, b, 0, 0, PM_REMOVE));
    // Range filter skips WM_USER+1 but keeps it in the queue.
    ASSERT_TRUE(PeekMessageA(&m, a, WM_USER + 2, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ((WPARAM)3, m.wParam);
    ASSERT_TRUE(PeekMessageA(&m, (HWND)-1, 0, 0, PM_REMOVE));  // thread messages only
    EXPECT_EQ((WPARAM)4, m.wParam);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ((WPARAM)1, m.wParam);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
    // Quit comes after everything else, with its code.
    PostQuitMessage(7);
    PostMessageA(a, WM_USER + 5, 5, 0);
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ((UINT)WM_USER + 5, m.message);
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ((WPARAM)7, m.wParam);
    // Messages for a destroyed window are dropped.
    PostMessageA(a, WM_USER + 6, 6, 0);
    DestroyWindow(a);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
    EXPECT_FALSE(PostMessageA(a, WM_USER, 0, 0));
}

static std::vector<std::string> timerLog;
static void timerCallback(HWND, UINT, UINT_PTR id, DWORD) { timerLog.push_back("cb" + std::to_string(id)); }

static LRESULT timerWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER) timerLog.push_back("w" + std::to_string(wp));
    return DefWindowProcA(h, msg, wp, lp);
}

TEST_F(PlatformTest, TimersFireInOrderOfDueTime)
{
    registerProc("timerwin", timerWindowProc);
    HWND h = CreateWindowExA(0, "timerwin", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    timerLog.clear();
    EXPECT_NE(0u, SetTimer(h, 1, 30, nullptr));
    EXPECT_NE(0u, SetTimer(h, 2, 10, nullptr));
    UINT_PTR free = SetTimer(nullptr, 0, 20, timerCallback);
    EXPECT_NE(0u, free);
    headless_advanceTime(9);
    EXPECT_TRUE(timerLog.empty());
    headless_advanceTime(26);  // 35 ms: 10, 20, 20(2nd), 30
    std::vector<std::string> expect{"w2", "w2", "cb" + std::to_string(free), "w1", "w2"};
    EXPECT_EQ(expect, timerLog);
    // Setting an existing timer again restarts it; killing stops it.
    timerLog.clear();
    EXPECT_TRUE(KillTimer(h, 2));
    EXPECT_FALSE(KillTimer(h, 2));
    EXPECT_TRUE(KillTimer(nullptr, free));
    SetTimer(h, 1, 50, nullptr);
    headless_advanceTime(49);
    EXPECT_TRUE(timerLog.empty());
    headless_advanceTime(1);
    EXPECT_EQ(std::vector<std::string>{"w1"}, timerLog);
    // A destroyed window's timers go with it.
    DestroyWindow(h);
    timerLog.clear();
    headless_advanceTime(200);
    EXPECT_TRUE(timerLog.empty());
    DWORD t0 = GetTickCount();
    Sleep(16);
    EXPECT_EQ(t0 + 16, GetTickCount());
}

static int paintCount;
static RECT lastPaint;
static LRESULT paintProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        paintCount++;
        lastPaint = ps.rcPaint;
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT all{0, 0, 1000, 1000};
        FillRect(dc, &all, red);  // only the update region is painted
        DeleteObject(red);
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

TEST_F(PlatformTest, PaintingFollowsTheUpdateRegion)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = paintProc;
    wc.lpszClassName = "painter";
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RegisterClassA(&wc);
    HWND h = CreateWindowExA(0, "painter", "", WS_POPUP, 0, 0, 100, 80, nullptr, nullptr, nullptr, nullptr);
    paintCount = 0;
    headless_runUntilIdle();
    EXPECT_EQ(0, paintCount);  // hidden: no WM_PAINT
    ShowWindow(h, SW_SHOW);
    headless_runUntilIdle();
    EXPECT_EQ(1, paintCount);
    HDC wdc = GetDC(h);
    RECT whole{0, 0, 100, 80};
    FillRect(wdc, &whole, (HBRUSH)GetStockObject(WHITE_BRUSH));
    ReleaseDC(h, wdc);
    RECT r{10, 10, 20, 20};
    InvalidateRect(h, &r, FALSE);
    RECT r2{30, 5, 40, 12};
    InvalidateRect(h, &r2, FALSE);
    RECT u;
    EXPECT_TRUE(GetUpdateRect(h, &u, FALSE));
    headless_runUntilIdle();
    EXPECT_EQ(2, paintCount);
    EXPECT_EQ(10, lastPaint.left);
    EXPECT_EQ(5, lastPaint.top);
    EXPECT_EQ(40, lastPaint.right);
    EXPECT_EQ(20, lastPaint.bottom);
    EXPECT_FALSE(GetUpdateRect(h, &u, FALSE));
    // Painted inside the two rectangles only.
    HDC dc = GetDC(h);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 15, 15));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 35, 8));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 25, 15));
    EXPECT_EQ(CLR_INVALID, GetPixel(dc, 100, 10));  // outside the client area
    ReleaseDC(h, dc);
    // UpdateWindow paints at once.
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    EXPECT_EQ(3, paintCount);
}

static WNDPROC oldProc;
static int subclassSaw;
static LRESULT subclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_USER + 9) subclassSaw++;
    return CallWindowProcA(oldProc, h, msg, wp, lp);
}

TEST_F(PlatformTest, SubclassingAndWindowData)
{
    HWND parent = CreateWindowExA(0, "recorder", "P", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 30, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "recorder", "C", WS_CHILD | WS_VISIBLE, 5, 6, 50, 40, parent, (HMENU)77,
                                 nullptr, nullptr);
    ASSERT_TRUE(child);
    EXPECT_EQ(77, GetDlgCtrlID(child));
    EXPECT_EQ(parent, GetParent(child));
    EXPECT_TRUE(IsChild(parent, child));
    oldProc = (WNDPROC)SetWindowLongPtrA(child, GWLP_WNDPROC, (LONG_PTR)subclassProc);
    EXPECT_EQ((WNDPROC)recordingProc, oldProc);
    recorded().clear();
    SendMessageA(child, WM_USER + 9, 0, 0);
    EXPECT_EQ(1, subclassSaw);
    EXPECT_EQ(std::vector<UINT>{WM_USER + 9}, messagesOf(child));
    SetWindowLongPtrA(child, GWLP_USERDATA, 1234);
    EXPECT_EQ(1234, GetWindowLongPtrA(child, GWLP_USERDATA));
    // Geometry: client origin of the child on screen.
    POINT p{0, 0};
    ClientToScreen(child, &p);
    POINT q{0, 0};
    ClientToScreen(parent, &q);
    EXPECT_EQ(q.x + 5, p.x);
    EXPECT_EQ(q.y + 6, p.y);
    ScreenToClient(child, &p);
    EXPECT_EQ(0, p.x);
    RECT wr, cr;
    GetWindowRect(parent, &wr);
    GetClientRect(parent, &cr);
    EXPECT_EQ(300, wr.right - wr.left);
    EXPECT_LT(cr.right, 300);
    RECT adj{0, 0, cr.right, cr.bottom};
    AdjustWindowRect(&adj, WS_OVERLAPPEDWINDOW, FALSE);
    EXPECT_EQ(300, adj.right - adj.left);
    EXPECT_EQ(200, adj.bottom - adj.top);
    // Text through messages.
    SetWindowTextA(parent, "Title");
    char buf[3];
    EXPECT_EQ(2, GetWindowTextA(parent, buf, sizeof buf));
    EXPECT_STREQ("Ti", buf);
    // Destroying the parent destroys the child, children get WM_DESTROY after the parent.
    recorded().clear();
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));
    std::vector<std::pair<HWND, UINT>> order;
    for (auto& r : recorded())
        if (r.msg == WM_DESTROY || r.msg == WM_NCDESTROY) order.push_back({r.hwnd, r.msg});
    ASSERT_EQ(4u, order.size());
    EXPECT_EQ(parent, order[0].first);
    EXPECT_EQ((UINT)WM_DESTROY, order[0].second);
    EXPECT_EQ(parent, order[3].first);
    EXPECT_EQ((UINT)WM_NCDESTROY, order[3].second);
    // Stale handles are refused safely.
    EXPECT_EQ(0, SendMessageA(child, WM_USER, 0, 0));
    EXPECT_FALSE(ShowWindow(child, SW_SHOW));
    EXPECT_EQ(nullptr, GetDC(parent));
}

TEST_F(PlatformTest, KeyboardGoesToFocusAndTranslatesCharacters)
{
    HWND a = CreateWindowExA(0, "recorder", "A", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                             nullptr, nullptr);
    HWND c = CreateWindowExA(0, "recorder", "C", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, a, nullptr, nullptr,
                             nullptr);
    SetFocus(c);
    EXPECT_EQ(c, GetFocus());
    recorded().clear();
    headless_key(VK_RETURN);
    headless_keyDown(VK_CONTROL);
    headless_key('N');
    headless_keyUp(VK_CONTROL);
    headless_typeText("x");
    headless_key(VK_F10);
    headless_runUntilIdle();
    std::vector<UINT> keys = messagesOf(c, WM_KEYFIRST, WM_KEYLAST);
    std::vector<UINT> expect{WM_KEYDOWN, WM_CHAR,  WM_KEYUP, WM_KEYDOWN,    WM_KEYDOWN, WM_CHAR,
                             WM_KEYUP,   WM_KEYUP, WM_CHAR,  WM_SYSKEYDOWN, WM_SYSKEYUP};
    EXPECT_EQ(expect, keys);
    std::vector<WPARAM> chars;
    for (auto& r : recorded())
        if (r.hwnd == c && r.msg == WM_CHAR) chars.push_back(r.wp);
    EXPECT_EQ((std::vector<WPARAM>{13, 14, 'x'}), chars);
    EXPECT_EQ(0, GetKeyState(VK_CONTROL) & 0x8000);
}
