// The list box control: the LB_ messages on items and selection, sorting and
// searching, keyboard and mouse selection in the three selection modes, the
// built-in scroll bar and the wheel, and the notifications to the parent.
#include "test_support.h"
#include <cstring>

namespace {

std::vector<std::string> itemsOf(HWND list)
{
    std::vector<std::string> v;
    int n = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
        char buf[128];
        SendMessageA(list, LB_GETTEXT, (WPARAM)i, (LPARAM)buf);
        v.push_back(buf);
    }
    return v;
}

std::vector<int> selectedOf(HWND list)
{
    int items[64];
    int n = (int)SendMessageA(list, LB_GETSELITEMS, 64, (LPARAM)items);
    return n < 0 ? std::vector<int>{} : std::vector<int>(items, items + n);
}

int notices(HWND parent, int code)
{
    int n = 0;
    for (auto& r : recorded())
        if (r.hwnd == parent && r.msg == WM_COMMAND && HIWORD(r.wp) == code) n++;
    return n;
}

void pressKeys(std::initializer_list<int> vks)
{
    for (int vk : vks) headless_key(vk);
    headless_runUntilIdle();
}

}  // namespace

class ListBoxTest : public PlatformTest {
protected:
    HWND parent = nullptr;
    // A list box 160 x 100 side by side with the others (by id) in a parent at
    // the screen's origin.
    HWND makeList(DWORD style, int count, int id = 9)
    {
        if (!parent)
            parent = CreateWindowExA(0, "recorder", "P", WS_POPUP | WS_VISIBLE, 0, 0, 800, 300, nullptr,
                                     nullptr, nullptr, nullptr);
        HWND l = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | style, 10 + 170 * ((id - 9) % 4),
                                 10 + 120 * ((id - 9) / 4), 160, 100, parent, (HMENU)(intptr_t)id, nullptr,
                                 nullptr);
        EXPECT_TRUE(l);
        for (int i = 0; i < count; i++)
            SendMessageA(l, LB_ADDSTRING, 0, (LPARAM)("item " + std::to_string(i)).c_str());
        return l;
    }
    POINT lineCentre(HWND list, int line)
    {
        RECT r;
        EXPECT_EQ(0, SendMessageA(list, LB_GETITEMRECT, (WPARAM)line, (LPARAM)&r));
        POINT p{40, (r.top + r.bottom) / 2};
        ClientToScreen(list, &p);
        return p;
    }
    void clickLine(HWND list, int line, int modifier = 0)
    {
        POINT p = lineCentre(list, line);
        if (modifier) headless_keyDown(modifier);
        headless_click(p.x, p.y);
        if (modifier) headless_keyUp(modifier);
        headless_runUntilIdle();
        headless_advanceTime(600);  // the next click is not a double click
    }
    int rowsOf(HWND list)
    {
        RECT r;
        GetClientRect(list, &r);
        return r.bottom / (int)SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    }
};

TEST_F(ListBoxTest, ItemsSortingSearchingAndBadIndexes)
{
    HWND l = makeList(LBS_SORT | LBS_NOTIFY, 0);
    for (const char* s : {"pad", "Bass", "lead", "Arp", "bell"}) SendMessageA(l, LB_ADDSTRING, 0, (LPARAM)s);
    // Sorted without regard to case; inserting into a sorted list sorts too.
    EXPECT_EQ((std::vector<std::string>{"Arp", "Bass", "bell", "lead", "pad"}), itemsOf(l));
    EXPECT_EQ(3, SendMessageA(l, LB_INSERTSTRING, 0, (LPARAM) "Brass"));
    EXPECT_EQ(6, SendMessageA(l, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(5, SendMessageA(l, LB_GETTEXTLEN, 3, 0));
    // Searching: by prefix from after a start index, wrapping around; exact
    // ignores case but not length.
    EXPECT_EQ(1, SendMessageA(l, LB_FINDSTRING, (WPARAM)-1, (LPARAM) "b"));
    EXPECT_EQ(2, SendMessageA(l, LB_FINDSTRING, 1, (LPARAM) "b"));
    EXPECT_EQ(3, SendMessageA(l, LB_FINDSTRING, 2, (LPARAM) "b"));
    EXPECT_EQ(1, SendMessageA(l, LB_FINDSTRING, 3, (LPARAM) "b"));  // wrapped
    EXPECT_EQ(LB_ERR, SendMessageA(l, LB_FINDSTRING, (WPARAM)-1, (LPARAM) "x"));
    EXPECT_EQ(4, SendMessageA(l, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "LEAD"));
    EXPECT_EQ(LB_ERR, SendMessageA(l, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "lea"));
    EXPECT_EQ(LB_ERR, SendMessageA(l, LB_FINDSTRING, 0, 0));
    // Selecting by string; item data travels with its item.
    EXPECT_EQ(4, SendMessageA(l, LB_SELECTSTRING, (WPARAM)-1, (LPARAM) "le"));
    EXPECT_EQ(4, SendMessageA(l, LB_GETCURSEL, 0, 0));
    SendMessageA(l, LB_SETITEMDATA, 4, 4444);
    SendMessageA(l, LB_SETITEMDATA, 5, 5555);
    // Deleting above the selection moves it with its item; deleting it clears it.
    EXPECT_EQ(5, SendMessageA(l, LB_DELETESTRING, 0, 0));
    EXPECT_EQ(3, SendMessageA(l, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(4444, SendMessageA(l, LB_GETITEMDATA, 3, 0));
    EXPECT_EQ(5555, SendMessageA(l, LB_GETITEMDATA, 4, 0));
    EXPECT_EQ(1, SendMessageA(l, LB_GETSEL, 3, 0));
    EXPECT_EQ(0, SendMessageA(l, LB_GETSEL, 2, 0));
    EXPECT_EQ(4, SendMessageA(l, LB_DELETESTRING, 3, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(l, LB_GETCURSEL, 0, 0));
    // Inserting above the selection in an unsorted list moves it down.
    HWND u = makeList(0, 3, 10);
    SendMessageA(u, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(0, SendMessageA(u, LB_INSERTSTRING, 0, (LPARAM) "first"));
    EXPECT_EQ(1, SendMessageA(u, LB_INSERTSTRING, 1, (LPARAM) "second"));
    EXPECT_EQ(3, SendMessageA(u, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(5, SendMessageA(u, LB_INSERTSTRING, 5, (LPARAM) "last"));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_INSERTSTRING, 9, (LPARAM) "beyond"));
    EXPECT_EQ((std::vector<std::string>{"first", "second", "item 0", "item 1", "item 2", "last"}),
              itemsOf(u));
    // Bad indexes are refused with LB_ERR, never a crash.
    char buf[64] = "unchanged";
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETTEXT, 6, (LPARAM)buf));
    EXPECT_STREQ("unchanged", buf);
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETTEXT, (WPARAM)-1, (LPARAM)buf));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETTEXTLEN, 6, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_DELETESTRING, 6, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_SETITEMDATA, 6, 1));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETITEMDATA, (WPARAM)-1, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_SETCARETINDEX, 6, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_SETTOPINDEX, 6, 0));
    RECT r;
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETITEMRECT, 6, (LPARAM)&r));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_SETITEMHEIGHT, 0, 0));
    // Setting the selection out of range clears it.
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_SETCURSEL, (WPARAM)-1, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETCURSEL, 0, 0));
    // Multi-selection messages are refused by a single-selection list.
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_SETSEL, TRUE, 1));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETSELITEMS, 4, (LPARAM)buf));
    // Resetting empties it; the empty list still answers.
    SendMessageA(u, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(0, SendMessageA(u, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_FINDSTRING, (WPARAM)-1, (LPARAM) "item"));
    SetFocus(u);
    pressKeys({VK_DOWN, VK_END, VK_SPACE});
    EXPECT_EQ(LB_ERR, SendMessageA(u, LB_GETCURSEL, 0, 0));
}

TEST_F(ListBoxTest, SingleSelectionFollowsKeysClicksAndScrolls)
{
    HWND l = makeList(LBS_NOTIFY | WS_VSCROLL, 30);
    int rows = rowsOf(l);
    ASSERT_GE(rows, 4);
    ASSERT_LT(rows, 30);
    SetFocus(l);
    headless_runUntilIdle();
    recorded().clear();
    // Down from nothing selects the first line (the caret starts there).
    pressKeys({VK_DOWN});
    EXPECT_EQ(1, SendMessageA(l, LB_GETCURSEL, 0, 0));
    pressKeys({VK_UP, VK_UP});
    EXPECT_EQ(0, SendMessageA(l, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(2, notices(parent, LBN_SELCHANGE));  // the second Up changed nothing
    // Page Down moves by a page and scrolls the line into view at the bottom.
    pressKeys({VK_NEXT});
    EXPECT_EQ(rows, SendMessageA(l, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(1, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    pressKeys({VK_END});
    EXPECT_EQ(29, SendMessageA(l, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(30 - rows, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    pressKeys({VK_PRIOR});
    EXPECT_EQ(29 - rows, SendMessageA(l, LB_GETCURSEL, 0, 0));
    pressKeys({VK_HOME});
    EXPECT_EQ(0, SendMessageA(l, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    // LB_SETCURSEL scrolls the selection into view, and does not notify.
    recorded().clear();
    SendMessageA(l, LB_SETCURSEL, 20, 0);
    EXPECT_EQ(20 - rows + 1, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    EXPECT_EQ(0, notices(parent, LBN_SELCHANGE));
    // A click on a line selects it: the line under the pointer, given the scroll.
    SendMessageA(l, LB_SETTOPINDEX, 10, 0);
    EXPECT_EQ(10, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    clickLine(l, 12);
    EXPECT_EQ(12, SendMessageA(l, LB_GETCURSEL, 0, 0));
    char buf[32];
    SendMessageA(l, LB_GETTEXT, 12, (LPARAM)buf);
    EXPECT_STREQ("item 12", buf);
    // Clicking the selected line again does not notify again.
    recorded().clear();
    clickLine(l, 12);
    EXPECT_EQ(0, notices(parent, LBN_SELCHANGE));
    // Dragging with the button down moves the selection; below the box it scrolls.
    POINT a = lineCentre(l, 11);
    headless_mouseMove(a.x, a.y);
    headless_mouseDown(1);
    POINT below = lineCentre(l, 10 + rows - 1);
    headless_mouseMove(below.x, below.y);
    headless_runUntilIdle();
    EXPECT_EQ(10 + rows - 1, SendMessageA(l, LB_GETCURSEL, 0, 0));
    headless_mouseMove(below.x, below.y + 40);
    headless_runUntilIdle();
    EXPECT_EQ(11, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    headless_mouseUp(1);
    headless_runUntilIdle();
    EXPECT_EQ(nullptr, GetCapture());
    // The wheel scrolls three lines a notch and stops at the ends.
    SendMessageA(l, LB_SETTOPINDEX, 5, 0);
    POINT c = lineCentre(l, 6);
    headless_wheel(c.x, c.y, -1);
    headless_runUntilIdle();
    EXPECT_EQ(8, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    headless_wheel(c.x, c.y, 5);
    headless_runUntilIdle();
    EXPECT_EQ(0, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    headless_wheel(c.x, c.y, -40);
    headless_runUntilIdle();
    EXPECT_EQ(30 - rows, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    // A double click selects and notifies both.
    SendMessageA(l, LB_SETTOPINDEX, 0, 0);
    recorded().clear();
    POINT d = lineCentre(l, 2);
    headless_doubleClick(d.x, d.y);
    headless_runUntilIdle();
    EXPECT_EQ(2, SendMessageA(l, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(1, notices(parent, LBN_SELCHANGE));
    EXPECT_EQ(1, notices(parent, LBN_DBLCLK));
    // A click below the last item of a short list selects nothing.
    HWND s = makeList(LBS_NOTIFY, 2, 11);
    RECT sr;
    GetClientRect(s, &sr);
    POINT empty{40, sr.bottom - 3};
    ClientToScreen(s, &empty);
    headless_click(empty.x, empty.y);
    headless_runUntilIdle();
    EXPECT_EQ(LB_ERR, SendMessageA(s, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(s, GetFocus());
}

TEST_F(ListBoxTest, BuiltInScrollBarStepsPagesAndDrags)
{
    HWND l = makeList(WS_VSCROLL, 40);
    // Item rectangles end at the scroll bar, not at the window's edge.
    RECT item, client;
    SendMessageA(l, LB_GETITEMRECT, 0, (LPARAM)&item);
    GetClientRect(l, &client);
    EXPECT_LT(item.right, client.right - 8);
    EXPECT_GT(item.right, client.right - 30);
    int rows = rowsOf(l);
    headless_runUntilIdle();
    RECT cr;
    GetClientRect(l, &cr);
    auto at = [&](int y) {
        POINT p{cr.right - 8, y};
        ClientToScreen(l, &p);
        return p;
    };
    auto clickAt = [&](int y) {
        POINT p = at(y);
        headless_click(p.x, p.y);
        headless_runUntilIdle();
        headless_advanceTime(600);
    };
    // Arrows step a line; they stop at the ends.
    clickAt(cr.bottom - 4);
    EXPECT_EQ(1, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    clickAt(4);
    clickAt(4);
    EXPECT_EQ(0, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    // The track below the thumb pages down; above it pages up.
    clickAt(cr.bottom - 20);
    EXPECT_EQ(rows, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    clickAt(18);
    EXPECT_EQ(0, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    // Clicking the bar changes the view, not the selection.
    EXPECT_EQ(LB_ERR, SendMessageA(l, LB_GETCURSEL, 0, 0));
    // Dragging the thumb to the bottom shows the last page, and back to the top.
    int thumbY = 16 + 2;
    POINT p = at(thumbY);
    headless_mouseMove(p.x, p.y);
    headless_mouseDown(1);
    headless_mouseMove(p.x, p.y + 400);
    headless_runUntilIdle();
    EXPECT_EQ(40 - rows, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    headless_mouseMove(p.x, p.y - 400);
    headless_mouseUp(1);
    headless_runUntilIdle();
    EXPECT_EQ(0, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    EXPECT_EQ(nullptr, GetCapture());
    // Moving afterwards does not drag.
    headless_mouseMove(p.x, p.y + 60);
    headless_runUntilIdle();
    EXPECT_EQ(0, SendMessageA(l, LB_GETTOPINDEX, 0, 0));
    // Without WS_VSCROLL (or with few items) the right edge is an ordinary line.
    HWND plain = makeList(0, 40, 12);
    POINT q{cr.right - 4, 4};
    ClientToScreen(plain, &q);
    headless_click(q.x, q.y);
    headless_runUntilIdle();
    EXPECT_EQ(0, SendMessageA(plain, LB_GETCURSEL, 0, 0));
}

TEST_F(ListBoxTest, MultipleAndExtendedSelection)
{
    HWND m = makeList(LBS_MULTIPLESEL | LBS_NOTIFY, 8);
    headless_runUntilIdle();
    recorded().clear();
    // Each click toggles its line.
    clickLine(m, 1);
    clickLine(m, 3);
    clickLine(m, 1);
    EXPECT_EQ(std::vector<int>{3}, selectedOf(m));
    EXPECT_EQ(3, notices(parent, LBN_SELCHANGE));
    // The arrows move the focus rectangle only; Space toggles under it.
    pressKeys({VK_DOWN, VK_SPACE, VK_DOWN, VK_DOWN, VK_SPACE});
    EXPECT_EQ((std::vector<int>{2, 3, 4}), selectedOf(m));
    EXPECT_EQ(4, SendMessageA(m, LB_GETCARETINDEX, 0, 0));
    EXPECT_EQ(4, SendMessageA(m, LB_GETCURSEL, 0, 0));  // the caret, for multi-selection lists
    EXPECT_EQ(3, SendMessageA(m, LB_GETSELCOUNT, 0, 0));
    // LB_GETSELITEMS fills no more than asked.
    int two[2] = {-1, -1};
    EXPECT_EQ(2, SendMessageA(m, LB_GETSELITEMS, 2, (LPARAM)two));
    EXPECT_EQ(2, two[0]);
    EXPECT_EQ(3, two[1]);
    // Ranges, the whole list, and single items by message.
    SendMessageA(m, LB_SELITEMRANGE, FALSE, MAKELPARAM(0, 3));
    EXPECT_EQ(std::vector<int>{4}, selectedOf(m));
    SendMessageA(m, LB_SELITEMRANGEEX, 7, 5);  // reversed: deselects
    SendMessageA(m, LB_SELITEMRANGEEX, 5, 6);
    EXPECT_EQ((std::vector<int>{4, 5, 6}), selectedOf(m));
    SendMessageA(m, LB_SETSEL, TRUE, -1);
    EXPECT_EQ(8, SendMessageA(m, LB_GETSELCOUNT, 0, 0));
    SendMessageA(m, LB_SETSEL, FALSE, -1);
    EXPECT_EQ(0, SendMessageA(m, LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ(LB_ERR, SendMessageA(m, LB_SETSEL, TRUE, 8));
    EXPECT_EQ(LB_ERR, SendMessageA(m, LB_SETCURSEL, 2, 0));
    // Deleting the last line under the caret, then pressing keys, stays safe.
    SendMessageA(m, LB_SETSEL, TRUE, 7);
    EXPECT_EQ(7, SendMessageA(m, LB_GETCARETINDEX, 0, 0));
    SendMessageA(m, LB_DELETESTRING, 7, 0);
    SendMessageA(m, LB_DELETESTRING, 6, 0);
    SetFocus(m);
    pressKeys({VK_SPACE});
    EXPECT_LT(SendMessageA(m, LB_GETCARETINDEX, 0, 0), 6);
    EXPECT_LT(SendMessageA(m, LB_GETCURSEL, 0, 0), 6);
    for (int i : selectedOf(m)) EXPECT_LT(i, 6);
    pressKeys({VK_UP});
    EXPECT_EQ(4, SendMessageA(m, LB_GETCARETINDEX, 0, 0));
    // Lines inserted above the caret push it down with its line; below, not.
    SendMessageA(m, LB_INSERTSTRING, 1, (LPARAM) "new one");
    EXPECT_EQ(5, SendMessageA(m, LB_GETCARETINDEX, 0, 0));
    SendMessageA(m, LB_INSERTSTRING, 6, (LPARAM) "new two");
    EXPECT_EQ(5, SendMessageA(m, LB_GETCARETINDEX, 0, 0));

    // Extended: a click selects one; Shift extends from the anchor; Ctrl toggles
    // and moves the anchor; Shift+arrows extend from it.
    HWND x = makeList(LBS_EXTENDEDSEL | LBS_NOTIFY, 10, 13);
    clickLine(x, 1);
    clickLine(x, 4, VK_SHIFT);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), selectedOf(x));
    clickLine(x, 0, VK_SHIFT);  // from the same anchor, the other way
    EXPECT_EQ((std::vector<int>{0, 1}), selectedOf(x));
    clickLine(x, 3, VK_CONTROL);
    EXPECT_EQ((std::vector<int>{0, 1, 3}), selectedOf(x));
    clickLine(x, 0, VK_CONTROL);
    EXPECT_EQ((std::vector<int>{1, 3}), selectedOf(x));
    headless_keyDown(VK_SHIFT);
    pressKeys({VK_DOWN, VK_DOWN});
    headless_keyUp(VK_SHIFT);
    headless_runUntilIdle();
    EXPECT_EQ((std::vector<int>{0, 1, 2}), selectedOf(x));
    pressKeys({VK_END});
    EXPECT_EQ(std::vector<int>{9}, selectedOf(x));
    // Dragging selects the lines between the press and the pointer.
    SendMessageA(x, LB_SETTOPINDEX, 0, 0);
    POINT a = lineCentre(x, 1), b = lineCentre(x, 4);
    headless_mouseMove(a.x, a.y);
    headless_mouseDown(1);
    headless_mouseMove(b.x, b.y);
    headless_mouseUp(1);
    headless_runUntilIdle();
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), selectedOf(x));
    // Focus notices reach a LBS_NOTIFY parent: both lists are told each time.
    recorded().clear();
    SetFocus(m);
    SetFocus(x);
    EXPECT_EQ(2, notices(parent, LBN_SETFOCUS));
    EXPECT_EQ(2, notices(parent, LBN_KILLFOCUS));
}
