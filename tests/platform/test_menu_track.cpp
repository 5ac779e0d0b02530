// Menu tracking driven the way a user drives it: the arrow keys, Return and
// Escape in pop-up menus and along the menu bar, pressing on the bar and
// releasing over an item, the pop-up notices to the owner, and pop-ups kept
// on the screen without covering the menu they come from.
#include "test_support.h"

namespace {

bool openRect(UINT cmd, RECT* r) { return platform_menuItemScreenRect(cmd, r) != 0; }

bool isOpen(UINT cmd)
{
    RECT r;
    return openRect(cmd, &r);
}

void keysThen(std::initializer_list<int> vks)
{
    for (int vk : vks) headless_key(vk);
}

// one, ---, grey (greyed), more > {deep, deeper}, last
HMENU makeMenu(HMENU* subOut)
{
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 21, "deep");
    AppendMenuA(sub, MF_STRING, 22, "deeper");
    HMENU m = CreatePopupMenu();
    AppendMenuA(m, MF_STRING, 11, "one");
    AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m, MF_STRING | MF_GRAYED, 12, "grey");
    AppendMenuA(m, MF_POPUP, (UINT_PTR)sub, "more");
    AppendMenuA(m, MF_STRING, 13, "last");
    if (subOut) *subOut = sub;
    return m;
}

}  // namespace

TEST_F(PlatformTest, PopupMenuFollowsArrowKeysReturnAndEscape)
{
    HWND owner = CreateWindowExA(0, "recorder", "O", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                 nullptr, nullptr);
    HMENU sub;
    HMENU m = makeMenu(&sub);
    headless_runUntilIdle();
    // Down from nothing is the first item; the separator is skipped; the last
    // Down wraps to the top, so Up lands on the last item.
    headless_pushIdleAction([](HWND) {
        keysThen({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_RETURN});
    });
    EXPECT_EQ(13, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    headless_pushIdleAction([](HWND) { keysThen({VK_DOWN, VK_RETURN}); });
    EXPECT_EQ(11, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    // Return on a greyed item does nothing; the menu stays until Escape.
    bool stillOpen = false;
    headless_pushIdleAction([](HWND) { keysThen({VK_DOWN, VK_DOWN, VK_RETURN}); });
    headless_pushIdleAction([&](HWND) {
        stillOpen = isOpen(11);
        keysThen({VK_ESCAPE});
    });
    EXPECT_EQ(0, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    EXPECT_TRUE(stillOpen);
    // Right (or Return) on a sub-menu item opens it; Down and Return choose there.
    headless_pushIdleAction([](HWND) { keysThen({VK_UP, VK_UP, VK_RIGHT}); });
    headless_pushIdleAction([](HWND) { keysThen({VK_DOWN, VK_DOWN, VK_RETURN}); });
    EXPECT_EQ(22, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    // Escape (or Left) closes the sub-menu only; a second Escape ends.
    bool subOpen = false, subClosedByLeft = false, subClosedByEscape = false, mainKept = false;
    headless_pushIdleAction([](HWND) { keysThen({VK_UP, VK_UP, VK_RETURN}); });
    headless_pushIdleAction([&](HWND) {
        subOpen = isOpen(21);
        keysThen({VK_LEFT});
    });
    headless_pushIdleAction([&](HWND) {
        subClosedByLeft = !isOpen(21);
        keysThen({VK_RIGHT});
    });
    headless_pushIdleAction([&](HWND) { keysThen({VK_ESCAPE}); });
    headless_pushIdleAction([&](HWND) {
        subClosedByEscape = !isOpen(21);
        mainKept = isOpen(11);
        keysThen({VK_ESCAPE});
    });
    EXPECT_EQ(0, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    EXPECT_TRUE(subOpen);
    EXPECT_TRUE(subClosedByLeft);
    EXPECT_TRUE(subClosedByEscape);
    EXPECT_TRUE(mainKept);
    // Return with nothing highlighted chooses nothing.
    headless_pushIdleAction([](HWND) { keysThen({VK_RETURN}); });
    headless_pushIdleAction([](HWND) { keysThen({VK_ESCAPE}); });
    EXPECT_EQ(0, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    // The owner is told before each pop-up opens (with its level), unless asked not to.
    recorded().clear();
    headless_pushIdleAction([](HWND) { keysThen({VK_UP, VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}); });
    EXPECT_EQ(21, TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    std::vector<std::pair<WPARAM, LPARAM>> inits;
    for (auto& r : recorded())
        if (r.hwnd == owner && r.msg == WM_INITMENUPOPUP) inits.push_back({r.wp, r.lp});
    EXPECT_EQ((std::vector<std::pair<WPARAM, LPARAM>>{{(WPARAM)m, 0}, {(WPARAM)sub, 1}}), inits);
    recorded().clear();
    headless_pushIdleAction([](HWND) { keysThen({VK_DOWN, VK_RETURN}); });
    EXPECT_EQ(11, TrackPopupMenu(m, TPM_RETURNCMD | TPM_NONOTIFY, 50, 50, 0, owner, nullptr));
    EXPECT_TRUE(messagesOf(owner, WM_INITMENUPOPUP, WM_INITMENUPOPUP).empty());
    // The menu windows are gone afterwards, and nothing holds the mouse.
    EXPECT_FALSE(isOpen(11));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(nullptr, headless_topModal());
    // A menu that is not one is refused at once.
    EXPECT_EQ(0, TrackPopupMenu((HMENU)(uintptr_t)0xBAD, TPM_RETURNCMD, 50, 50, 0, owner, nullptr));
    DestroyMenu(m);
}

TEST_F(PlatformTest, PopupMenusStayOnScreenAndBesideTheirParent)
{
    HWND owner = CreateWindowExA(0, "recorder", "O", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                 nullptr, nullptr);
    HMENU m = makeMenu(nullptr);
    headless_runUntilIdle();
    RECT first{}, last{}, deep{};
    auto measure = [&](HWND) {
        openRect(11, &first);
        openRect(13, &last);
        headless_key(VK_ESCAPE);
    };
    // Aligned by its left top corner at the point, by default.
    headless_pushIdleAction(measure);
    TrackPopupMenu(m, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
    EXPECT_NEAR(100, first.left, 4);
    EXPECT_NEAR(100, first.top, 4);
    // Right and bottom alignment put the point at the other corner.
    headless_pushIdleAction(measure);
    TrackPopupMenu(m, TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 400, 300, 0, owner, nullptr);
    EXPECT_NEAR(400, first.right, 4);
    EXPECT_NEAR(300, last.bottom, 4);
    EXPECT_LE(first.right, 400);
    EXPECT_LE(last.bottom, 300);
    // Near the bottom right corner the menu is moved onto the screen.
    headless_pushIdleAction(measure);
    TrackPopupMenu(m, TPM_RETURNCMD, 790, 590, 0, owner, nullptr);
    EXPECT_LE(first.right, 800);
    EXPECT_LE(last.bottom, 600);
    EXPECT_GE(first.left, 0);
    // Opens the menu at (x, y), then its sub-menu by keys, and measures both.
    auto openSubMenu = [&](int x, int y) {
        headless_pushIdleAction([](HWND) { keysThen({VK_UP, VK_UP, VK_RIGHT}); });
        headless_pushIdleAction([&](HWND) {
            openRect(11, &first);
            openRect(21, &deep);
            headless_key(VK_ESCAPE);
            headless_key(VK_ESCAPE);
        });
        TrackPopupMenu(m, TPM_RETURNCMD, x, y, 0, owner, nullptr);
    };
    // Its sub-menu, with no room at the right, opens at the left of it
    // instead of over it.
    openSubMenu(790, 100);
    EXPECT_LE(deep.right, first.left + 4) << "the sub-menu covers its parent";
    EXPECT_GE(deep.left, 0);
    // With room, it opens at the right.
    openSubMenu(100, 100);
    EXPECT_GE(deep.left, first.right - 4);
    DestroyMenu(m);
}

TEST_F(PlatformTest, MenuBarByKeyboardAndByPressDragRelease)
{
    std::vector<MenuTemplateItem> bar = {
        {"&File", 0, 0, {{"&New", 1000, 0, {}}, {"&Open", 1001, 0, {}}}},
        {"&Edit", 0, 0, {{"&Undo", 2000, 0, {}}, {"-", 0, MF_SEPARATOR, {}}, {"Cu&t", 2001, 0, {}}}},
        {"Help", 0, 0, {{"About", 6100, 0, {}}}},
    };
    ASSERT_TRUE(platform_registerMenuTemplate("TRACKBAR", bar));
    HMENU menu = LoadMenuA(nullptr, "TRACKBAR");
    HWND frame = CreateWindowExA(0, "recorder", "F", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400,
                                 nullptr, menu, nullptr, nullptr);
    headless_runUntilIdle();
    auto clickBar = [&](int pos) {
        RECT r;
        EXPECT_TRUE(platform_menuBarItemScreenRect(frame, pos, &r));
        headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    auto commands = [&]() {
        std::vector<WPARAM> v;
        for (auto& r : recorded())
            if (r.hwnd == frame && r.msg == WM_COMMAND) v.push_back(LOWORD(r.wp));
        return v;
    };
    // Open File, go right to Edit (which opens with Undo highlighted), down
    // past the separator to Cut.
    bool fileOpen = false, editOpen = false;
    clickBar(0);
    headless_pushIdleAction([&](HWND) {
        fileOpen = isOpen(1000);
        keysThen({VK_RIGHT});
    });
    headless_pushIdleAction([&](HWND) {
        editOpen = isOpen(2000) && !isOpen(1000);
        keysThen({VK_DOWN, VK_RETURN});
    });
    recorded().clear();
    headless_runUntilIdle();
    EXPECT_TRUE(fileOpen);
    EXPECT_TRUE(editOpen);
    EXPECT_EQ(std::vector<WPARAM>{2001}, commands());
    // Left from the first menu wraps round to the last one.
    clickBar(0);
    headless_pushIdleAction([](HWND) { keysThen({VK_LEFT}); });
    headless_pushIdleAction([](HWND) { keysThen({VK_DOWN, VK_RETURN}); });
    recorded().clear();
    headless_runUntilIdle();
    EXPECT_EQ(std::vector<WPARAM>{6100}, commands());
    // Press on the bar, drag down onto an item and let go there: chosen.
    RECT fileItem;
    ASSERT_TRUE(platform_menuBarItemScreenRect(frame, 0, &fileItem));
    headless_mouseMove((fileItem.left + fileItem.right) / 2, (fileItem.top + fileItem.bottom) / 2);
    headless_mouseDown(1);
    headless_pushIdleAction([](HWND) {
        RECT r;
        ASSERT_TRUE(openRect(1001, &r));
        headless_mouseMove(r.left + 10, (r.top + r.bottom) / 2);
        headless_mouseUp(1);
    });
    recorded().clear();
    headless_runUntilIdle();
    EXPECT_EQ(std::vector<WPARAM>{1001}, commands());
    // Sliding along the bar with a menu open opens the menu under the pointer.
    clickBar(0);
    bool slid = false;
    headless_pushIdleAction([&](HWND) {
        RECT r;
        platform_menuBarItemScreenRect(frame, 1, &r);
        headless_mouseMove((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    });
    headless_pushIdleAction([&](HWND) {
        slid = isOpen(2000) && !isOpen(1000);
        RECT r;
        platform_menuBarItemScreenRect(frame, 1, &r);
        headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);  // its own title again: closes
    });
    recorded().clear();
    headless_runUntilIdle();
    EXPECT_TRUE(slid);
    EXPECT_TRUE(commands().empty());
    EXPECT_FALSE(isOpen(2000));
    // Escape closes a bar menu without a command; the frame works on afterwards.
    clickBar(1);
    headless_pushIdleAction([](HWND) { keysThen({VK_ESCAPE}); });
    recorded().clear();
    headless_runUntilIdle();
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(nullptr, headless_topModal());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(PlatformTest, AltWithALetterOpensTheBarMenuAndLettersChooseItems)
{
    std::vector<MenuTemplateItem> bar = {
        {"&File",
         0,
         0,
         {{"&New", 1000, 0, {}},
          {"Save && &Quit", 1001, 0, {}},
          {"Save &As", 1002, 0, {}},
          {"&Options", 0, 0, {{"&Audio", 1100, 0, {}}, {"&MIDI", 1101, 0, {}}}}}},
        {"&Edit",
         0,
         0,
         {{"&Undo", 2000, 0, {}},
          {"-", 0, MF_SEPARATOR, {}},
          {"Cu&t", 2001, 0, {}},
          {"&Copy", 2002, 0, {}},
          {"&Clear", 2003, 0, {}},
          {"&Grey", 2004, MF_GRAYED, {}}}},
        {"Help", 0, 0, {{"About", 6100, 0, {}}}},
    };
    ASSERT_TRUE(platform_registerMenuTemplate("MNEMONICBAR", bar));
    HWND frame = CreateWindowExA(0, "recorder", "F", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400,
                                 nullptr, LoadMenuA(nullptr, "MNEMONICBAR"), nullptr, nullptr);
    // The keys go to a focused child; the frame's bar answers them.
    HWND child = CreateWindowExA(0, "recorder", "c", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, frame, nullptr,
                                 nullptr, nullptr);
    SetFocus(child);
    headless_runUntilIdle();
    auto commands = [&]() {
        std::vector<WPARAM> v;
        for (auto& r : recorded())
            if (r.hwnd == frame && r.msg == WM_COMMAND) v.push_back(LOWORD(r.wp));
        return v;
    };
    // Alt+letter opens a bar menu; the keys that follow run inside it.
    auto altThen = [&](int letter, std::function<void()> inside) {
        headless_keyDown(VK_MENU);
        headless_keyDown(letter);
        headless_pushIdleAction([=](HWND) {
            headless_keyUp(letter);
            headless_keyUp(VK_MENU);
            inside();
        });
        recorded().clear();
        headless_runUntilIdle();
    };
    // Alt+E, then T: Cut.
    bool editOpen = false;
    altThen('E', [&] {
        editOpen = isOpen(2000);
        headless_key('T');
    });
    EXPECT_TRUE(editOpen);
    EXPECT_EQ(std::vector<WPARAM>{2001}, commands());
    EXPECT_EQ(nullptr, headless_topModal());
    // Lower case in the label, "&&" is a plain ampersand: Alt+F, then Q or A.
    altThen('F', [] { headless_key('Q'); });
    EXPECT_EQ(std::vector<WPARAM>{1001}, commands());
    altThen('F', [] { headless_key('A'); });
    EXPECT_EQ(std::vector<WPARAM>{1002}, commands());
    // A letter that marks a sub-menu opens it; its own letters choose there.
    bool deepOpen = false;
    altThen('F', [&] {
        headless_key('O');
        headless_pushIdleAction([&](HWND) {
            deepOpen = isOpen(1101);
            headless_key('M');
        });
    });
    EXPECT_TRUE(deepOpen);
    EXPECT_EQ(std::vector<WPARAM>{1101}, commands());
    // Two items share C: each press moves to the next of them, Return chooses.
    bool stillOpen = false;
    altThen('E', [&] {
        headless_key('C');
        headless_key('C');
        headless_pushIdleAction([&](HWND) {
            stillOpen = isOpen(2002);
            headless_key(VK_RETURN);
        });
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(std::vector<WPARAM>{2003}, commands());
    // A greyed item is highlighted by its letter but not chosen.
    altThen('E', [] {
        headless_key('G');
        headless_key(VK_RETURN);
        headless_pushIdleAction([](HWND) { headless_key(VK_ESCAPE); });
    });
    EXPECT_TRUE(commands().empty());
    // A letter the open menu lacks opens the bar menu it marks.
    altThen('F', [] {
        headless_key('E');
        headless_pushIdleAction([](HWND) { headless_key('U'); });
    });
    EXPECT_EQ(std::vector<WPARAM>{2000}, commands());
    // Letters nothing is marked with open nothing: no menu, no command.
    for (int letter : {'H', 'Z'}) {
        headless_keyDown(VK_MENU);
        headless_key(letter);
        headless_keyUp(VK_MENU);
        recorded().clear();
        headless_runUntilIdle();
        EXPECT_EQ(nullptr, headless_topModal());
        EXPECT_TRUE(commands().empty());
    }
    // A pop-up menu answers letters too.
    HMENU pop = CreatePopupMenu();
    AppendMenuA(pop, MF_STRING, 31, "&Reverse");
    AppendMenuA(pop, MF_STRING, 32, "Re&peat");
    headless_pushIdleAction([](HWND) { headless_key('P'); });
    EXPECT_EQ(32, (int)TrackPopupMenu(pop, TPM_RETURNCMD, 100, 100, 0, frame, nullptr));
    DestroyMenu(pop);
}

TEST_F(PlatformTest, AMenuTallerThanTheScreenScrollsByWheelArrowsAndKeys)
{
    HWND owner = CreateWindowExA(0, "recorder", "O", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                 nullptr, nullptr);
    SetFocus(owner);
    HMENU m = CreatePopupMenu();
    const int kItems = 45;  // 900 pixels of items on a screen 600 high
    for (int i = 0; i < kItems; i++)
        AppendMenuA(m, MF_STRING, 100 + i, ("item " + std::to_string(i)).c_str());
    headless_runUntilIdle();
    auto clickCentre = [](const RECT& r) { headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2); };
    // On the screen, the first item shown and the last out of reach; the
    // wheel brings the last into sight, and it can be chosen.
    RECT menuRect{}, first{}, last{};
    bool lastHidden = false;
    headless_pushIdleAction([&](HWND modal) {
        GetWindowRect(modal, &menuRect);
        openRect(100, &first);
        lastHidden = !openRect(100 + kItems - 1, &last);
        headless_wheel(first.left + 10, first.top + 40, -30);
    });
    headless_pushIdleAction([&](HWND) {
        if (openRect(100 + kItems - 1, &last)) clickCentre(last);
    });
    EXPECT_EQ(100 + kItems - 1, TrackPopupMenu(m, TPM_RETURNCMD, 100, 50, 0, owner, nullptr));
    EXPECT_GE(menuRect.top, 0);
    EXPECT_LE(menuRect.bottom, 600);
    EXPECT_TRUE(lastHidden);
    EXPECT_GE(first.top, menuRect.top + 10) << "the first item sits under the upper arrow";
    // A press on the lower arrow scrolls one step (the first item leaves);
    // resting on it keeps scrolling to the end.
    bool firstGoneAfterPress = false, lastShownAfterRest = false;
    headless_pushIdleAction([&](HWND modal) {
        GetWindowRect(modal, &menuRect);
        headless_mouseMove((menuRect.left + menuRect.right) / 2, menuRect.bottom - 8);
        headless_mouseDown(1);
    });
    headless_pushIdleAction([&](HWND) {
        firstGoneAfterPress = !isOpen(100) && isOpen(101);
        headless_mouseUp(1);
    });
    headless_pushIdleAction([&](HWND) { headless_advanceTime(2000); });
    headless_pushIdleAction([&](HWND) {
        lastShownAfterRest = isOpen(100 + kItems - 1);
        headless_key(VK_ESCAPE);
    });
    EXPECT_EQ(0, TrackPopupMenu(m, TPM_RETURNCMD, 100, 50, 0, owner, nullptr));
    EXPECT_TRUE(firstGoneAfterPress);
    EXPECT_TRUE(lastShownAfterRest);
    // Keys reach every item: End and Home, Down through the list (the menu
    // follows the highlight), Page Down.
    bool followed = false;
    headless_pushIdleAction([](HWND) { keysThen({VK_END, VK_RETURN}); });
    EXPECT_EQ(100 + kItems - 1, TrackPopupMenu(m, TPM_RETURNCMD, 100, 50, 0, owner, nullptr));
    headless_pushIdleAction([](HWND) { keysThen({VK_END, VK_HOME, VK_RETURN}); });
    EXPECT_EQ(100, TrackPopupMenu(m, TPM_RETURNCMD, 100, 50, 0, owner, nullptr));
    headless_pushIdleAction([](HWND) {
        for (int i = 0; i < 40; i++) headless_key(VK_DOWN);
    });
    headless_pushIdleAction([&](HWND) {
        followed = isOpen(139) && !isOpen(100);
        headless_key(VK_RETURN);
    });
    EXPECT_EQ(139, TrackPopupMenu(m, TPM_RETURNCMD, 100, 50, 0, owner, nullptr));
    EXPECT_TRUE(followed);
    headless_pushIdleAction([](HWND) { keysThen({VK_NEXT, VK_NEXT, VK_NEXT, VK_NEXT, VK_RETURN}); });
    EXPECT_EQ(100 + kItems - 1, TrackPopupMenu(m, TPM_RETURNCMD, 100, 50, 0, owner, nullptr));
    DestroyMenu(m);
}
