// Message boxes, template dialogs with list boxes, the edit control and its
// Tab/Return subclassing, scroll bars, and a modal loop inside a tracking loop.
#include "test_support.h"
#include <cstring>

static void clickItemOf(HWND dlg, int id) { headless_clickWindow(GetDlgItem(dlg, id)); }

TEST_F(PlatformTest, MessageBoxesAnswerByScriptOrClick)
{
    HWND owner = CreateWindowExA(0, "recorder", "O", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400,
                                 nullptr, nullptr, nullptr, nullptr);
    headless_answerNextPrompt(IDNO);
    EXPECT_EQ(IDNO,
              MessageBoxA(owner, "Save changes to bank?", "Morvane", MB_YESNOCANCEL | MB_ICONEXCLAMATION));
    PlatformPromptRec p = platform_lastMessageBox();
    EXPECT_EQ("Morvane", p.caption);
    EXPECT_EQ("Save changes to bank?", p.text);
    EXPECT_EQ((UINT)(MB_YESNOCANCEL | MB_ICONEXCLAMATION), p.type);
    // Clicking the button; the owner is disabled while the box is up.
    bool ownerDisabled = false;
    headless_pushIdleAction([&](HWND box) {
        ownerDisabled = !IsWindowEnabled(owner);
        clickItemOf(box, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, MessageBoxA(owner, "Sure?", "Morvane", MB_OKCANCEL | MB_DEFBUTTON2));
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    // Return presses the default button.
    headless_pushIdleAction([](HWND) { headless_key(VK_RETURN); });
    EXPECT_EQ(IDCANCEL, MessageBoxA(owner, "Default is Cancel", "Morvane", MB_OKCANCEL | MB_DEFBUTTON2));
    headless_pushIdleAction([](HWND) { headless_key(VK_RETURN); });
    EXPECT_EQ(IDYES, MessageBoxA(nullptr, "Default is Yes", nullptr, MB_YESNO));
    EXPECT_EQ("Error", platform_lastMessageBox().caption);
    // Escape in an OK box answers OK; an unanswered box is closed by the layer.
    headless_pushIdleAction([](HWND) { headless_key(VK_ESCAPE); });
    EXPECT_EQ(IDOK, MessageBoxA(owner, "File not found! Error: 8221", "Morvane", MB_OK));
    int before = headless_unansweredPrompts();
    EXPECT_EQ(IDCANCEL, MessageBoxA(owner, "Nobody answers", "Morvane", MB_YESNOCANCEL));
    EXPECT_EQ(before + 1, headless_unansweredPrompts());
}

static std::vector<std::string> dlgLog;
static INT_PTR CALLBACK storeProc(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(dlg, 32);
        for (int i = 0; i < 20; i++)
            SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)(std::to_string(i) + " default").c_str());
        SendMessageA(list, LB_SETSEL, TRUE, 3);
        SetDlgItemTextA(dlg, 35, "Store to...");
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == 32 && HIWORD(wp) == LBN_SELCHANGE) dlgLog.push_back("sel");
        if (LOWORD(wp) == 32 && HIWORD(wp) == LBN_DBLCLK) dlgLog.push_back("dbl");
        if (LOWORD(wp) == 34) {
            int items[32];
            int n = (int)SendDlgItemMessageA(dlg, 32, LB_GETSELITEMS, 32, (LPARAM)items);
            std::string s = "store";
            for (int i = 0; i < n; i++) s += " " + std::to_string(items[i]);
            dlgLog.push_back(s);
        }
        if (LOWORD(wp) == 33) EndDialog(dlg, 33);
        if (LOWORD(wp) == IDCANCEL) EndDialog(dlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

TEST_F(PlatformTest, TemplateDialogWithExtendedSelectionList)
{
    DialogTemplate t;
    t.title = "Store to...";
    t.cx = 300;
    t.cy = 260;
    t.items = {{"STATIC", "", 35, 10, 10, 280, 16, SS_LEFT, 0},
               {"LISTBOX", "", 32, 10, 30, 200, 180,
                WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL, 0},
               {"BUTTON", "Done", 33, 220, 30, 70, 24, WS_TABSTOP, 0},
               {"BUTTON", "Store", 34, 220, 60, 70, 24, WS_TABSTOP | BS_DEFPUSHBUTTON, 0}};
    ASSERT_TRUE(platform_registerDialogTemplate("k_dlog_storeTo", t));
    HWND owner = CreateWindowExA(0, "recorder", "O", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 500,
                                 nullptr, nullptr, nullptr, nullptr);
    dlgLog.clear();
    auto clickLine = [](HWND dlg, int line) {
        HWND list = GetDlgItem(dlg, 32);
        RECT r;
        SendMessageA(list, LB_GETITEMRECT, (WPARAM)line, (LPARAM)&r);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(list, &p);
        return p;
    };
    headless_pushIdleAction([&](HWND dlg) {
        ASSERT_TRUE(dlg);
        char title[64];
        GetWindowTextA(dlg, title, sizeof title);
        EXPECT_STREQ("Store to...", title);
        EXPECT_EQ(1, SendDlgItemMessageA(dlg, 32, LB_GETSELCOUNT, 0, 0));
        POINT a = clickLine(dlg, 1), b = clickLine(dlg, 4), c = clickLine(dlg, 6);
        headless_click(a.x, a.y);  // select 1 only
        headless_keyDown(VK_SHIFT);
        headless_click(b.x, b.y);  // 1..4
        headless_keyUp(VK_SHIFT);
        headless_keyDown(VK_CONTROL);
        headless_click(c.x, c.y);  // plus 6
        headless_keyUp(VK_CONTROL);
    });
    headless_pushIdleAction([](HWND dlg) { clickItemOf(dlg, 34); });
    headless_pushIdleAction([](HWND dlg) { clickItemOf(dlg, 33); });
    EXPECT_EQ(33, DialogBoxParamA(nullptr, "k_dlog_storeTo", owner, storeProc, 0));
    ASSERT_GE(dlgLog.size(), 4u);
    EXPECT_EQ("sel", dlgLog[0]);
    EXPECT_EQ("store 1 2 3 4 6", dlgLog.back());
    EXPECT_FALSE(IsWindow(headless_topModal()));
    EXPECT_EQ(-1, DialogBoxParamA(nullptr, "no such dialog", owner, storeProc, 0));
    // Single selection: keyboard moves the selection; a double click notifies.
    dlgLog.clear();
    t.items[1].style = WS_BORDER | WS_TABSTOP | LBS_NOTIFY;
    platform_registerDialogTemplate(MAKEINTRESOURCE(200), t);
    headless_pushIdleAction([&](HWND dlg) {
        HWND list = GetDlgItem(dlg, 32);
        SendMessageA(list, LB_SETCURSEL, 2, 0);
        SetFocus(list);
        headless_key(VK_DOWN);
        POINT p = clickLine(dlg, 5);
        headless_doubleClick(p.x, p.y);
    });
    headless_pushIdleAction([](HWND dlg) {
        EXPECT_EQ(5, SendDlgItemMessageA(dlg, 32, LB_GETCURSEL, 0, 0));
        headless_key(VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, DialogBoxParamA(nullptr, MAKEINTRESOURCE(200), owner, storeProc, 0));
    EXPECT_EQ((std::vector<std::string>{"sel", "sel", "dbl"}), dlgLog);
}

static WNDPROC editOld;
static std::vector<WPARAM> editKeys;
static LRESULT editSubclass(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_KEYDOWN && (wp == VK_TAB || wp == VK_RETURN)) editKeys.push_back(wp);
    return CallWindowProcA(editOld, h, msg, wp, lp);
}

static int inkCentre(HWND h)
{
    HDC dc = GetDC(h);
    RECT r;
    GetClientRect(h, &r);
    long sum = 0, n = 0;
    for (int y = 0; y < r.bottom; y++)
        for (int x = 0; x < r.right; x++)
            if (GetRValue(GetPixel(dc, x, y)) < 100) sum += x, n++;
    ReleaseDC(h, dc);
    return n ? (int)(sum / n) : -1;
}

TEST_F(PlatformTest, EditControlTypesSelectsAndLetsSubclassTakeTabAndReturn)
{
    HWND parent = CreateWindowExA(0, "recorder", "P", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND edit = CreateWindowExA(0, "edit", "hello", WS_CHILD | WS_VISIBLE | ES_LEFT, 10, 10, 200, 20, parent,
                                (HMENU)5, nullptr, nullptr);
    ASSERT_TRUE(edit);
    editOld = (WNDPROC)SetWindowLongPtrA(edit, GWLP_WNDPROC, (LONG_PTR)editSubclass);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, 256);
    DWORD a = 0, b = 0;
    SendMessageA(edit, EM_GETSEL, (WPARAM)&a, (LPARAM)&b);
    EXPECT_EQ(0u, a);
    EXPECT_EQ(5u, b);
    headless_key(VK_END);
    headless_key(VK_LEFT);
    headless_key(VK_LEFT);
    headless_typeText("X");
    headless_key(VK_BACK);
    headless_typeText("Y");
    headless_key(VK_TAB);
    headless_key(VK_RETURN);
    headless_runUntilIdle();
    char buf[64];
    GetWindowTextA(edit, buf, sizeof buf);
    EXPECT_STREQ("helYlo", buf);
    EXPECT_EQ((std::vector<WPARAM>{VK_TAB, VK_RETURN}), editKeys);
    // Shift+Home selects back to the start; typing replaces the selection.
    headless_keyDown(VK_SHIFT);
    headless_key(VK_HOME);
    headless_keyUp(VK_SHIFT);
    headless_typeText("Z");
    headless_runUntilIdle();
    GetWindowTextA(edit, buf, sizeof buf);
    EXPECT_STREQ("Zlo", buf);
    // EN_CHANGE reached the parent.
    bool changed = false;
    for (auto& r : recorded())
        if (r.hwnd == parent && r.msg == WM_COMMAND && HIWORD(r.wp) == EN_CHANGE && LOWORD(r.wp) == 5)
            changed = true;
    EXPECT_TRUE(changed);
    // Alignment: the same text drawn left and right.
    SetFocus(parent);
    SetWindowTextA(edit, "ABC");
    headless_runUntilIdle();
    int left = inkCentre(edit);
    HWND right = CreateWindowExA(0, "edit", "ABC", WS_CHILD | WS_VISIBLE | ES_RIGHT, 10, 40, 200, 20, parent,
                                 (HMENU)6, nullptr, nullptr);
    HWND centre = CreateWindowExA(0, "edit", "ABC", WS_CHILD | WS_VISIBLE | ES_CENTER, 10, 70, 200, 20,
                                  parent, (HMENU)7, nullptr, nullptr);
    headless_runUntilIdle();
    EXPECT_LT(left, 40);
    EXPECT_GT(inkCentre(right), 160);
    EXPECT_NEAR(100, inkCentre(centre), 6);
    // A click places the caret: clicking at the far left then typing inserts first.
    headless_clickWindow(right);
    headless_runUntilIdle();
    EXPECT_EQ(right, GetFocus());
}

static std::vector<std::pair<int, int>> scrolls;
static LRESULT scrollParent(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_HSCROLL) scrolls.push_back({LOWORD(wp), (short)HIWORD(wp)});
    return DefWindowProcA(h, msg, wp, lp);
}

TEST_F(PlatformTest, ScrollBarReportsCodesAndRepeats)
{
    registerProc("scrollparent", scrollParent);
    HWND p = CreateWindowExA(0, "scrollparent", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr,
                             nullptr, nullptr);
    HWND sb = CreateWindowExA(0, "scrollbar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 216, 16, p,
                              (HMENU)1, nullptr, nullptr);
    SetScrollRange(sb, SB_CTL, 0, 8000, TRUE);
    SetScrollPos(sb, SB_CTL, 0, TRUE);
    EXPECT_EQ(0, GetScrollPos(sb, SB_CTL));
    scrolls.clear();
    headless_click(208, 8);  // right arrow
    headless_runUntilIdle();
    EXPECT_EQ((std::vector<std::pair<int, int>>{{SB_LINERIGHT, 0}, {SB_ENDSCROLL, 0}}), scrolls);
    // Held down: repeats after a pause.
    scrolls.clear();
    headless_mouseMove(208, 8);
    headless_mouseDown(1);
    headless_advanceTime(500);
    headless_mouseUp(1);
    headless_runUntilIdle();
    int lines = (int)std::count(scrolls.begin(), scrolls.end(), std::make_pair((int)SB_LINERIGHT, 0));
    EXPECT_GE(lines, 3);
    EXPECT_EQ(SB_ENDSCROLL, scrolls.back().first);
    // The position moves only when the parent sets it; then the thumb drags.
    EXPECT_EQ(0, GetScrollPos(sb, SB_CTL));
    scrolls.clear();
    headless_mouseMove(24, 8);
    headless_mouseDown(1);
    headless_mouseMove(110, 8);
    headless_mouseUp(1);
    headless_runUntilIdle();
    ASSERT_GE(scrolls.size(), 3u);
    EXPECT_EQ(SB_THUMBTRACK, scrolls[0].first);
    EXPECT_GT(scrolls[0].second, 3000);
    EXPECT_EQ(SB_THUMBPOSITION, scrolls[scrolls.size() - 2].first);
    EXPECT_EQ(scrolls[0].second, scrolls[scrolls.size() - 2].second);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    EXPECT_TRUE(GetScrollInfo(sb, SB_CTL, &si));
    EXPECT_EQ(8000, si.nMax);
    EXPECT_EQ(0, SetScrollPos(p, SB_HORZ, 5, TRUE));  // windows have no built-in bars
}

static int trackResult = 0;
static bool trackEnded = false;
static int ticks = 0;
static void tickProc(HWND, UINT, UINT_PTR, DWORD) { ticks++; }
static LRESULT trackerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_LBUTTONDOWN) {
        SetCapture(h);
        DWORD start = GetTickCount();
        bool asked = false;
        for (int guard = 0; guard < 10000; guard++) {
            MSG m;
            if (PeekMessageA(&m, h, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) && m.message == WM_LBUTTONUP) {
                trackEnded = true;
                break;
            }
            Sleep(16);
            while (PeekMessageA(&m, (HWND)-1, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageA(&m);
            if (!asked && GetTickCount() - start > 50) {
                asked = true;
                trackResult = MessageBoxA(h, "Inside a drag", "Morvane", MB_OKCANCEL);
            }
        }
        ReleaseCapture();
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

TEST_F(PlatformTest, ModalLoopNestedInTrackingLoop)
{
    registerProc("tracker", trackerProc);
    HWND h = CreateWindowExA(0, "tracker", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_TRUE(h);
    SetTimer(nullptr, 0, 20, tickProc);
    trackEnded = false;
    ticks = 0;
    headless_pushIdleAction([](HWND box) {
        ASSERT_TRUE(box);
        clickItemOf(box, IDOK);
        headless_mouseMove(50, 50);  // back in the drag, the button goes up
        headless_mouseUp(1);
    });
    headless_mouseMove(50, 50);
    headless_mouseDown(1);
    headless_runUntilIdle();
    EXPECT_EQ(IDOK, trackResult);
    EXPECT_TRUE(trackEnded);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(nullptr, headless_topModal());
}
