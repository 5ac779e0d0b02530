// Menus, pop-up menus driven by injected clicks, the menu bar, accelerators.
#include "test_support.h"

static RECT itemRect(UINT cmd)
{
    RECT r{0, 0, 0, 0};
    EXPECT_TRUE(platform_menuItemScreenRect(cmd, &r)) << "menu item " << cmd << " not open";
    return r;
}

static void clickItem(UINT cmd)
{
    RECT r = itemRect(cmd);
    headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TEST_F(PlatformTest, MenuItemsAreEditedByPositionAndCommand)
{
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 6000, "No Audio");
    HMENU m = CreatePopupMenu();
    AppendMenuA(m, MF_POPUP, (UINT_PTR)sub, "Audio Port");
    AppendMenuA(m, MF_STRING, 3001, "Audio Setup");
    AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m, MF_STRING | MF_CHECKED, 3002, "Enable Pgm change");
    EXPECT_EQ(4, GetMenuItemCount(m));
    EXPECT_EQ(sub, GetSubMenu(m, 0));
    EXPECT_EQ((UINT)-1, GetMenuItemID(m, 0));
    EXPECT_EQ(3001u, GetMenuItemID(m, 1));
    EXPECT_EQ((UINT)MF_CHECKED, GetMenuState(m, 3002, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ((DWORD)MF_CHECKED, CheckMenuItem(m, 3002, MF_UNCHECKED));
    EXPECT_EQ(0u, GetMenuState(m, 3002, MF_BYCOMMAND) & MF_CHECKED);
    // Commands inside sub-menus are found too.
    EXPECT_EQ(0, EnableMenuItem(m, 6000, MF_GRAYED));
    EXPECT_EQ((UINT)MF_GRAYED, GetMenuState(sub, 6000, MF_BYCOMMAND) & MF_GRAYED);
    ModifyMenuA(m, 3002, MF_BYCOMMAND | MF_STRING, 3002, "Renamed");
    char buf[32];
    GetMenuStringA(m, 3002, buf, sizeof buf, MF_BYCOMMAND);
    EXPECT_STREQ("Renamed", buf);
    // Remove by position, then by a command that is gone: the second fails.
    EXPECT_TRUE(RemoveMenu(m, 1, MF_BYPOSITION));
    EXPECT_FALSE(RemoveMenu(m, 3001, MF_BYCOMMAND));
    EXPECT_EQ(3, GetMenuItemCount(m));
    EXPECT_EQ(-1, EnableMenuItem(m, 9999, MF_GRAYED));
    EXPECT_TRUE(DeleteMenu(m, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(sub));  // deleting destroys the sub-menu
    InsertMenuA(m, 0, MF_BYPOSITION | MF_STRING, 42, "First");
    EXPECT_EQ(42u, GetMenuItemID(m, 0));
    DestroyMenu(m);
    EXPECT_FALSE(IsMenu(m));
}

TEST_F(PlatformTest, TrackPopupMenuReturnsTheClickedCommand)
{
    HWND owner = CreateWindowExA(0, "recorder", "O", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                 nullptr, nullptr);
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 21, "deep");
    HMENU m = CreatePopupMenu();
    AppendMenuA(m, MF_STRING, 11, "one");
    AppendMenuA(m, MF_STRING | MF_GRAYED, 12, "grey");
    AppendMenuA(m, MF_POPUP, (UINT_PTR)sub, "more");
    headless_mouseMove(50, 50);
    headless_runUntilIdle();
    headless_pushIdleAction([](HWND) { clickItem(11); });
    EXPECT_EQ(11, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    // A greyed item does nothing; Escape then closes with 0.
    headless_pushIdleAction([](HWND) { clickItem(12); });
    headless_pushIdleAction([](HWND) { headless_key(VK_ESCAPE); });
    EXPECT_EQ(0, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    // Hovering a sub-menu item opens it; its item can be chosen.
    headless_pushIdleAction([m](HWND) {
        RECT r = itemRect((UINT)(uintptr_t)GetSubMenu(m, 2));
        headless_mouseMove(r.left + 5, (r.top + r.bottom) / 2);
    });
    headless_pushIdleAction([](HWND) { clickItem(21); });
    EXPECT_EQ(21, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    // A click outside chooses nothing; without TPM_RETURNCMD the choice is posted.
    headless_pushIdleAction([](HWND) { headless_click(390, 290); });
    EXPECT_EQ(0, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    headless_pushIdleAction([](HWND) { clickItem(11); });
    EXPECT_TRUE(TrackPopupMenu(m, 0, 50, 50, 0, owner, nullptr));
    recorded().clear();
    headless_runUntilIdle();
    bool got = false;
    for (auto& r : recorded())
        if (r.hwnd == owner && r.msg == WM_COMMAND && LOWORD(r.wp) == 11) got = true;
    EXPECT_TRUE(got);
    // With nothing scripted, the layer closes the menu instead of hanging.
    int before = headless_unansweredPrompts();
    EXPECT_EQ(0, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    EXPECT_EQ(before + 1, headless_unansweredPrompts());
    DestroyMenu(m);
}

TEST_F(PlatformTest, MenuBarAndAcceleratorsSendCommands)
{
    std::vector<MenuTemplateItem> bar = {
        {"&File", 0, 0, {{"&New \tCtrl+N", 1000, 0, {}}, {"-", 0, 0, {}}, {"&Quit \tCtrl+Q", 1009, 0, {}}}},
        {"Window", 0, 0, {{"Patch \tF6", 7000, 0, {}}, {"Record \tF3", 7007, MF_GRAYED, {}}}},
    };
    ASSERT_TRUE(platform_registerMenuTemplate("MVNMENU", bar));
    ASSERT_TRUE(platform_registerAccelerators(
        "MVNACCEL", {{FCONTROL, 'N' - 'A' + 1, 1000}, {FVIRTKEY, VK_F6, 7000}, {FVIRTKEY, VK_F3, 7007}}));
    HMENU menu = LoadMenuA(nullptr, "MVNMENU");
    ASSERT_TRUE(menu);
    EXPECT_EQ(3, GetMenuItemCount(GetSubMenu(menu, 0)));
    HWND frame = CreateWindowExA(0, "recorder", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400,
                                 nullptr, menu, nullptr, nullptr);
    HACCEL acc = LoadAcceleratorsA(nullptr, "MVNACCEL");
    ASSERT_TRUE(acc);
    SetFocus(frame);
    headless_runUntilIdle();
    recorded().clear();
    headless_keyDown(VK_CONTROL);
    headless_key('N');
    headless_keyUp(VK_CONTROL);
    headless_key(VK_F6);
    headless_key(VK_F3);  // greyed in the menu: no command
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (!TranslateAcceleratorA(frame, acc, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    std::vector<WPARAM> cmds;
    for (auto& r : recorded())
        if (r.msg == WM_COMMAND) cmds.push_back(r.wp);
    EXPECT_EQ((std::vector<WPARAM>{MAKEWPARAM(1000, 1), MAKEWPARAM(7000, 1)}), cmds);
    // Menu bar: click "Window", then "Patch".
    RECT item;
    ASSERT_TRUE(platform_menuBarItemScreenRect(frame, 1, &item));
    headless_click((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    headless_pushIdleAction([](HWND) { clickItem(7000); });
    recorded().clear();
    headless_runUntilIdle();
    cmds.clear();
    for (auto& r : recorded())
        if (r.msg == WM_COMMAND) cmds.push_back(r.wp);
    EXPECT_EQ(std::vector<WPARAM>{MAKEWPARAM(7000, 0)}, cmds);
    DestroyAcceleratorTable(acc);
}
