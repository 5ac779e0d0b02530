// MDI children cycled and closed from the keyboard, activated by command,
// minimised side by side; and the non-client area: hit testing, caption
// buttons pressed and let go, caption drags cancelled or kept on screen.
#include "test_support.h"

namespace {

HWND gMdiClient = nullptr;

LRESULT mdiFrameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CREATE) {
        CLIENTCREATESTRUCT ccs{nullptr, 500};
        gMdiClient = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                     0, 0, h, (HMENU)1, nullptr, &ccs);
        return 0;
    }
    if (msg != WM_SETCURSOR && msg != WM_NCHITTEST) recorded().push_back(Recorded{h, msg, wp, lp});
    return DefFrameProcA(h, gMdiClient, msg, wp, lp);
}

LRESULT mdiChildProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_SETCURSOR && msg != WM_NCHITTEST) recorded().push_back(Recorded{h, msg, wp, lp});
    return DefMDIChildProcA(h, msg, wp, lp);
}

// The program's loop: the MDI keys first, then translation and dispatch.
void pumpLikeTheProgram()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) break;
        if (TranslateMDISysAccel(gMdiClient, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

void ctrlKey(int vk, bool shift = false)
{
    headless_keyDown(VK_CONTROL);
    if (shift) headless_keyDown(VK_SHIFT);
    headless_key(vk);
    if (shift) headless_keyUp(VK_SHIFT);
    headless_keyUp(VK_CONTROL);
    pumpLikeTheProgram();
}

int gTicks = 0;
void releaseAfterTwoTicks(HWND)
{
    if (gTicks >= 2) {
        headless_mouseUp(1);
        return;
    }
    Sleep(10);
    headless_pushIdleAction(releaseAfterTwoTicks);
}

HWND active() { return (HWND)SendMessageA(gMdiClient, WM_MDIGETACTIVE, 0, 0); }

// The hit-test code the default procedure gives a point of the screen.
int hitAt(HWND h, int x, int y) { return (int)SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(x, y)); }

}  // namespace

class MdiTest : public PlatformTest {
protected:
    HWND frame = nullptr;
    void SetUp() override
    {
        PlatformTest::SetUp();
        registerProc("mdiFrame", mdiFrameProc);
        WNDCLASSA wc{};
        wc.lpfnWndProc = mdiChildProc;
        wc.lpszClassName = "mdiKid";
        wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
        RegisterClassA(&wc);
        frame = CreateWindowExA(0, "mdiFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                                0, 780, 580, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(frame);
        ASSERT_TRUE(gMdiClient);
    }
    HWND child(const char* title, int x, int y)
    {
        return CreateMDIWindowA("mdiKid", title, WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
                                200, 150, gMdiClient, nullptr, 0);
    }
};

TEST_F(MdiTest, KeyboardCyclesBothWaysAndClosesTheActiveChild)
{
    HWND a = child("A", 10, 10), b = child("B", 60, 40), c = child("C", 110, 70);
    ASSERT_TRUE(a && b && c);
    headless_runUntilIdle();
    EXPECT_EQ(c, active());
    // Ctrl+F6 goes through all of them and comes back.
    std::vector<HWND> forward;
    for (int i = 0; i < 3; i++) {
        ctrlKey(VK_F6);
        forward.push_back(active());
    }
    EXPECT_EQ((std::vector<HWND>{a, b, c}), forward);
    // Ctrl+Shift+F6 goes the other way through all of them, not back and forth
    // between two.
    std::vector<HWND> back;
    for (int i = 0; i < 3; i++) {
        ctrlKey(VK_F6, true);
        back.push_back(active());
    }
    EXPECT_EQ((std::vector<HWND>{b, a, c}), back);
    // Ctrl+Tab is the same as Ctrl+F6; the active child has the focus.
    ctrlKey(VK_TAB);
    EXPECT_EQ(a, active());
    EXPECT_EQ(a, GetFocus());
    // F6 alone, or with Alt, is not for the client.
    headless_key(VK_F6);
    pumpLikeTheProgram();
    headless_keyDown(VK_MENU);
    ctrlKey(VK_F6);
    headless_keyUp(VK_MENU);
    pumpLikeTheProgram();
    EXPECT_EQ(a, active());
    // A hidden child is skipped.
    ShowWindow(b, SW_HIDE);
    EXPECT_EQ(a, active());
    ctrlKey(VK_F6);
    EXPECT_EQ(c, active());
    ctrlKey(VK_F6);
    EXPECT_EQ(a, active());
    ShowWindow(b, SW_SHOW);
    // Ctrl+F4 closes the active child (the default child procedure destroys
    // it) and another one becomes active.
    ctrlKey(VK_F4);
    EXPECT_FALSE(IsWindow(a));
    HWND now = active();
    EXPECT_TRUE(now == b || now == c);
    ctrlKey(VK_F4);
    ctrlKey(VK_F4);
    EXPECT_FALSE(IsWindow(b));
    EXPECT_FALSE(IsWindow(c));
    EXPECT_EQ(nullptr, active());
    // With nothing left the keys are harmless.
    ctrlKey(VK_F4);
    ctrlKey(VK_F6);
    EXPECT_TRUE(IsWindow(frame));
}

TEST_F(MdiTest, CommandsMessagesAndActivationNotices)
{
    HWND a = child("A", 10, 10), b = child("B", 60, 40);
    headless_runUntilIdle();
    EXPECT_EQ(500, GetDlgCtrlID(a));
    EXPECT_EQ(501, GetDlgCtrlID(b));
    // The frame's default procedure turns a child's command id into activation.
    recorded().clear();
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(500, 0), 0);
    EXPECT_EQ(a, active());
    // Both children were told, in order: the old one first, with both handles.
    std::vector<std::pair<HWND, LPARAM>> notes;
    for (auto& r : recorded())
        if (r.msg == WM_MDIACTIVATE) {
            EXPECT_EQ((WPARAM)b, r.wp);
            notes.push_back({r.hwnd, r.lp});
        }
    EXPECT_EQ((std::vector<std::pair<HWND, LPARAM>>{{b, (LPARAM)a}, {a, (LPARAM)a}}), notes);
    // Activating the active one again tells nobody.
    recorded().clear();
    SendMessageA(gMdiClient, WM_MDIACTIVATE, (WPARAM)a, 0);
    EXPECT_TRUE(messagesOf(a, WM_MDIACTIVATE, WM_MDIACTIVATE).empty());
    // Messages about windows that are not its children are ignored by the client.
    HWND stray =
        CreateWindowExA(0, "recorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(gMdiClient, WM_MDIACTIVATE, (WPARAM)stray, 0);
    SendMessageA(gMdiClient, WM_MDIDESTROY, (WPARAM)stray, 0);
    SendMessageA(gMdiClient, WM_MDIACTIVATE, (WPARAM)(uintptr_t)0xDEAD, 0);
    EXPECT_TRUE(IsWindow(stray));
    EXPECT_EQ(a, active());
    // A command id that is no child falls through to the frame.
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(599, 0), 0);
    EXPECT_EQ(a, active());
    // WM_MDIDESTROY destroys; the other child becomes active and gets the focus.
    SendMessageA(gMdiClient, WM_MDIDESTROY, (WPARAM)a, 0);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(b, active());
    EXPECT_EQ(b, GetFocus());
    // A new child without a place or size gets a default one inside the client.
    HWND d = CreateMDIWindowA("mdiKid", "D", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, gMdiClient, nullptr, 0);
    ASSERT_TRUE(d);
    RECT dr, cr;
    GetWindowRect(d, &dr);
    GetWindowRect(gMdiClient, &cr);
    EXPECT_GT(dr.right - dr.left, 100);
    EXPECT_LE(dr.right, cr.right);
    EXPECT_LE(dr.bottom, cr.bottom);
    EXPECT_EQ(d, active());
    // A child created hidden is not made active.
    HWND e = CreateMDIWindowA("mdiKid", "E", 0, 0, 0, 100, 100, gMdiClient, nullptr, 0);
    ASSERT_TRUE(e);
    EXPECT_EQ(d, active());
    // Creating in a window that is no MDI client fails cleanly.
    EXPECT_EQ(nullptr, CreateMDIWindowA("mdiKid", "X", WS_VISIBLE, 0, 0, 50, 50, frame, nullptr, 0));
    EXPECT_EQ(nullptr, CreateWindowExA(WS_EX_MDICHILD, "mdiKid", "X", WS_VISIBLE, 0, 0, 50, 50, frame,
                                       nullptr, nullptr, nullptr));
}

TEST_F(MdiTest, MinimisedChildrenTakeFreeSlotsAndRestore)
{
    HWND a = child("A", 10, 10), b = child("B", 60, 40), c = child("C", 110, 70);
    headless_runUntilIdle();
    RECT ra0, rc0;
    GetWindowRect(a, &ra0);
    GetWindowRect(c, &rc0);
    ShowWindow(a, SW_MINIMIZE);
    ShowWindow(b, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(a));
    EXPECT_TRUE(IsIconic(b));
    RECT ra, rb, client;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    GetWindowRect(gMdiClient, &client);
    // Side by side along the bottom of the client, as caption strips.
    EXPECT_EQ(client.bottom, ra.bottom);
    EXPECT_EQ(ra.top, rb.top);
    EXPECT_EQ(ra.right, rb.left);
    EXPECT_LT(ra.bottom - ra.top, 40);
    // Restoring brings back the old place and size.
    ShowWindow(a, SW_RESTORE);
    RECT back;
    GetWindowRect(a, &back);
    EXPECT_TRUE(EqualRect(&ra0, &back));
    // A child minimised next takes the free slot, not one already in use.
    ShowWindow(c, SW_MINIMIZE);
    RECT rc;
    GetWindowRect(c, &rc);
    RECT overlap;
    EXPECT_FALSE(IntersectRect(&overlap, &rc, &rb)) << "two minimised children on the same place";
    EXPECT_EQ(ra.left, rc.left);
    // The minimise box of a minimised child restores it.
    RECT w;
    GetWindowRect(c, &w);
    headless_click(w.right - 3 - 2 - 16 - 2 - 8, w.top + 3 + 10);
    headless_runUntilIdle();
    EXPECT_FALSE(IsIconic(c));
    GetWindowRect(c, &w);
    EXPECT_TRUE(EqualRect(&rc0, &w));
    // A minimised child's size message says so.
    recorded().clear();
    ShowWindow(c, SW_MINIMIZE);
    bool sawMinimised = false;
    for (auto& r : recorded())
        if (r.hwnd == c && r.msg == WM_SIZE && r.wp == SIZE_MINIMIZED) sawMinimised = true;
    EXPECT_TRUE(sawMinimised);
    // WM_MDIRESTORE of a window that is not minimised changes nothing.
    RECT before, after;
    GetWindowRect(a, &before);
    SendMessageA(gMdiClient, WM_MDIRESTORE, (WPARAM)a, 0);
    GetWindowRect(a, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(MdiTest, NonClientHitTestingAndCaptionButtons)
{
    HWND top =
        CreateWindowExA(0, "recorder", "T", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE,
                        100, 100, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 1, "File");
    HWND withMenu = CreateWindowExA(0, "recorder", "M", WS_POPUP | WS_CAPTION | WS_VISIBLE, 450, 100, 300,
                                    200, nullptr, bar, nullptr, nullptr);
    HWND tool =
        CreateWindowExA(WS_EX_TOOLWINDOW, "recorder", "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                        100, 350, 200, 100, nullptr, nullptr, nullptr, nullptr);
    HWND bare = CreateWindowExA(0, "recorder", "", WS_POPUP | WS_CAPTION | WS_MINIMIZEBOX | WS_VISIBLE, 450,
                                350, 200, 100, nullptr, nullptr, nullptr, nullptr);
    // A 3-pixel frame, a 20-pixel caption with 16-pixel boxes at its right end.
    EXPECT_EQ(HTBORDER, hitAt(top, 101, 150));
    EXPECT_EQ(HTCAPTION, hitAt(top, 150, 110));
    EXPECT_EQ(HTCLOSE, hitAt(top, 400 - 3 - 2 - 8, 113));
    EXPECT_EQ(HTMINBUTTON, hitAt(top, 400 - 3 - 2 - 16 - 2 - 8, 113));
    EXPECT_EQ(HTCAPTION, hitAt(top, 400 - 3 - 2 - 16 - 2 - 16 - 4, 113));
    EXPECT_EQ(HTCLIENT, hitAt(top, 250, 200));
    EXPECT_EQ(HTNOWHERE, hitAt(top, 99, 150));
    EXPECT_EQ(HTNOWHERE, hitAt(top, 400, 150));
    // The menu bar lies under the caption.
    EXPECT_EQ(HTMENU, hitAt(withMenu, 500, 100 + 3 + 20 + 5));
    EXPECT_EQ(HTCLIENT, hitAt(withMenu, 500, 100 + 3 + 20 + 20 + 5));
    EXPECT_EQ(HTCAPTION, hitAt(withMenu, 750 - 3 - 5, 110));  // no system menu: no close box
    // A tool window's caption is lower.
    EXPECT_EQ(HTCAPTION, hitAt(tool, 150, 350 + 3 + 14));
    EXPECT_EQ(HTCLIENT, hitAt(tool, 150, 350 + 3 + 17));
    EXPECT_EQ(HTCLOSE, hitAt(tool, 300 - 3 - 2 - 6, 350 + 3 + 8));
    // Without a system menu the minimise box takes the close box's place.
    EXPECT_EQ(HTMINBUTTON, hitAt(bare, 650 - 3 - 2 - 8, 350 + 3 + 10));
    // The same answers route the mouse: a click on the caption is non-client.
    recorded().clear();
    headless_click(150, 110);
    headless_runUntilIdle();
    std::vector<UINT> nc = messagesOf(top, WM_NCMOUSEMOVE, WM_NCLBUTTONUP);
    ASSERT_FALSE(nc.empty());
    EXPECT_NE(nc.end(), std::find(nc.begin(), nc.end(), (UINT)WM_NCLBUTTONDOWN));
    EXPECT_TRUE(messagesOf(top, WM_LBUTTONDOWN, WM_LBUTTONDOWN).empty());

    // Pressing the close box and letting go elsewhere does nothing.
    POINT closeBox{400 - 3 - 2 - 8, 113};
    recorded().clear();
    headless_mouseMove(closeBox.x, closeBox.y);
    headless_mouseDown(1);
    headless_mouseMove(200, 200);
    headless_mouseUp(1);
    headless_runUntilIdle();
    EXPECT_TRUE(IsWindow(top));
    EXPECT_TRUE(messagesOf(top, WM_SYSCOMMAND, WM_SYSCOMMAND).empty());
    EXPECT_EQ(nullptr, GetCapture());
    // Out and back in before letting go: it closes.
    headless_mouseMove(closeBox.x, closeBox.y);
    headless_mouseDown(1);
    headless_mouseMove(200, 200);
    headless_mouseMove(closeBox.x, closeBox.y + 1);
    headless_mouseUp(1);
    headless_runUntilIdle();
    EXPECT_FALSE(IsWindow(top));
    // The minimise box of a top-level window minimises it; its hit test says nowhere then.
    headless_click(650 - 3 - 2 - 8, 350 + 3 + 10);
    headless_runUntilIdle();
    EXPECT_TRUE(IsIconic(bare));
    EXPECT_NE(bare, WindowFromPoint(POINT{550, 400}));
    ShowWindow(bare, SW_RESTORE);
    EXPECT_FALSE(IsIconic(bare));
}

TEST_F(MdiTest, CaptionDragsAreCancelledByEscapeAndKeptInReach)
{
    HWND top = CreateWindowExA(0, "recorder", "T", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100,
                               300, 200, nullptr, nullptr, nullptr, nullptr);
    headless_runUntilIdle();
    RECT r0;
    GetWindowRect(top, &r0);
    // Escape during a drag puts the window back.
    headless_mouseMove(150, 110);
    headless_mouseDown(1);
    headless_mouseMove(250, 210);
    headless_keyDown(VK_ESCAPE);
    headless_mouseUp(1);
    headless_keyUp(VK_ESCAPE);
    headless_runUntilIdle();
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_TRUE(EqualRect(&r0, &r));
    EXPECT_EQ(nullptr, GetCapture());
    // A top-level window cannot be dragged above the screen, nor out of reach
    // at the right.
    headless_mouseMove(150, 110);
    headless_mouseDown(1);
    headless_mouseMove(150, -300);
    headless_mouseUp(1);
    headless_runUntilIdle();
    GetWindowRect(top, &r);
    EXPECT_EQ(0, r.top);
    headless_mouseMove(150, 10);
    headless_mouseDown(1);
    headless_mouseMove(5000, 10);
    headless_mouseUp(1);
    headless_runUntilIdle();
    GetWindowRect(top, &r);
    EXPECT_LE(r.left, 800 - 40);
    EXPECT_EQ(300, r.right - r.left);
    // An MDI child stays below the client's top edge.
    HWND a = child("A", 50, 50);
    headless_runUntilIdle();
    RECT ca, cl;
    GetWindowRect(a, &ca);
    GetWindowRect(gMdiClient, &cl);
    headless_mouseMove(ca.left + 40, ca.top + 10);
    headless_mouseDown(1);
    headless_mouseMove(ca.left + 60, ca.top - 400);
    headless_mouseUp(1);
    headless_runUntilIdle();
    GetWindowRect(a, &ca);
    EXPECT_EQ(cl.top, ca.top);
    // Timers keep running while a caption is held: the button goes up only
    // after the timer has fired twice.
    gTicks = 0;
    SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { gTicks++; });
    headless_mouseMove(ca.left + 40, ca.top + 10);
    headless_mouseDown(1);
    headless_pushIdleAction(releaseAfterTwoTicks);
    headless_runUntilIdle();
    EXPECT_GE(gTicks, 2);
    EXPECT_EQ(nullptr, GetCapture());
}

namespace {
LRESULT sizerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_GETMINMAXINFO) {
        reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = POINT{160, 120};
        return 0;
    }
    if (msg == WM_SIZE) recorded().push_back(Recorded{h, msg, wp, lp});
    return DefWindowProcA(h, msg, wp, lp);
}

void dragFrom(POINT from, POINT to)
{
    headless_mouseMove(from.x, from.y);
    headless_mouseDown(1);
    headless_mouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
    headless_mouseMove(to.x, to.y);
    headless_mouseUp(1);
    headless_runUntilIdle();
}
}  // namespace

TEST_F(MdiTest, SizingBordersResizeDownToTheWindowsMinimum)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = sizerProc;
    wc.lpszClassName = "sizer";
    RegisterClassA(&wc);
    // A 4-pixel sizing border; a fixed frame has none.
    HWND h = CreateWindowExA(0, "sizer", "S", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE,
                             100, 100, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND fixed = CreateWindowExA(0, "recorder", "F", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 100, 200, 200,
                                 nullptr, nullptr, nullptr, nullptr);
    headless_runUntilIdle();
    EXPECT_EQ(HTLEFT, hitAt(h, 101, 200));
    EXPECT_EQ(HTRIGHT, hitAt(h, 398, 200));
    EXPECT_EQ(HTBOTTOM, hitAt(h, 250, 298));
    EXPECT_EQ(HTTOP, hitAt(h, 250, 101));
    EXPECT_EQ(HTBOTTOMRIGHT, hitAt(h, 398, 295));
    EXPECT_EQ(HTTOPLEFT, hitAt(h, 105, 101));
    EXPECT_EQ(HTBOTTOMLEFT, hitAt(h, 101, 295));
    EXPECT_EQ(HTBORDER, hitAt(fixed, 501, 200));
    // The bottom-right corner follows the mouse; the window hears of its size.
    recorded().clear();
    dragFrom(POINT{398, 298}, POINT{458, 338});
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(460, r.right);
    EXPECT_EQ(340, r.bottom);
    EXPECT_EQ(100, r.left);
    EXPECT_FALSE(messagesOf(h, WM_SIZE, WM_SIZE).empty());
    // The left edge stops at the minimum width; the right edge stays.
    dragFrom(POINT{101, 200}, POINT{450, 200});
    GetWindowRect(h, &r);
    EXPECT_EQ(460, r.right);
    EXPECT_EQ(160, r.right - r.left);
    // The top edge likewise, at the minimum height.
    dragFrom(POINT{r.left + 50, 101}, POINT{r.left + 50, 500});
    GetWindowRect(h, &r);
    EXPECT_EQ(340, r.bottom);
    EXPECT_EQ(120, r.bottom - r.top);
    // Escape during a drag puts the size back.
    RECT before = r;
    headless_mouseMove(r.right - 2, r.bottom - 2);
    headless_mouseDown(1);
    headless_mouseMove(r.right + 100, r.bottom + 100);
    headless_keyDown(VK_ESCAPE);
    headless_mouseUp(1);
    headless_keyUp(VK_ESCAPE);
    headless_runUntilIdle();
    GetWindowRect(h, &r);
    EXPECT_TRUE(EqualRect(&before, &r));
    EXPECT_EQ(nullptr, GetCapture());
}
