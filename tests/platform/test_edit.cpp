// The single-line edit control driven by injected keys and mouse: caret
// movement and selection, deleting, the text limit, clipboard commands,
// read-only boxes, focus notifications, the blinking caret, and keeping the
// caret in view when the text is wider than the box.
#include "test_support.h"
#include <cstring>

namespace {

std::string textOf(HWND h)
{
    char b[512];
    GetWindowTextA(h, b, sizeof b);
    return b;
}

std::pair<int, int> selOf(HWND h)
{
    DWORD a = 99, b = 99;
    SendMessageA(h, EM_GETSEL, (WPARAM)&a, (LPARAM)&b);
    return {(int)a, (int)b};
}

void press(std::initializer_list<int> vks)
{
    for (int vk : vks) headless_key(vk);
    headless_runUntilIdle();
}

void chord(int modifier, int vk)
{
    headless_keyDown(modifier);
    headless_key(vk);
    headless_keyUp(modifier);
    headless_runUntilIdle();
}

void type(const char* s)
{
    headless_typeText(s);
    headless_runUntilIdle();
}

int notifications(HWND parent, int id, int code)
{
    int n = 0;
    for (auto& r : recorded())
        if (r.hwnd == parent && r.msg == WM_COMMAND && LOWORD(r.wp) == id && HIWORD(r.wp) == code) n++;
    return n;
}

std::vector<COLORREF> snapshot(HWND h)
{
    RECT r;
    GetClientRect(h, &r);
    std::vector<COLORREF> v;
    HDC dc = GetDC(h);
    for (int y = 0; y < r.bottom; y++)
        for (int x = 0; x < r.right; x++) v.push_back(GetPixel(dc, x, y));
    ReleaseDC(h, dc);
    return v;
}

// The caret blinks: the columns that change over one blink period are the
// caret's. Returns its x in client coordinates, or -1 when it is not in view.
int caretColumn(HWND h)
{
    headless_runUntilIdle();
    RECT r;
    GetClientRect(h, &r);
    std::vector<COLORREF> a = snapshot(h);
    headless_advanceTime(530);
    std::vector<COLORREF> b = snapshot(h);
    int lo = -1, hi = -1;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i] != b[i]) {
            int x = (int)(i % r.right);
            if (lo < 0 || x < lo) lo = x;
            if (x > hi) hi = x;
        }
    EXPECT_EQ(lo, hi) << "more than one column blinks";
    return lo;
}

int textWidthIn(HWND edit, const char* s)
{
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE sz{0, 0};
    GetTextExtentPoint32A(dc, s, (int)strlen(s), &sz);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    return sz.cx;
}

POINT screenOf(HWND h, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
}

}  // namespace

class EditTest : public PlatformTest {
protected:
    HWND parent = nullptr;
    HWND makeEdit(const char* text, DWORD style = ES_LEFT | ES_AUTOHSCROLL, int width = 200, int id = 5)
    {
        if (!parent)
            parent = CreateWindowExA(0, "recorder", "P", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr,
                                     nullptr, nullptr, nullptr);
        HWND e = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | style, 10, 10 + 30 * (id - 5),
                                 width, 20, parent, (HMENU)(intptr_t)id, nullptr, nullptr);
        EXPECT_TRUE(e);
        return e;
    }
};

TEST_F(EditTest, ArrowsHomeEndAndShiftMoveTheCaretAndSelection)
{
    HWND e = makeEdit("hello world");
    SetFocus(e);
    // EM_SETSEL with an end past the text (or negative) stops at the text's end.
    SendMessageA(e, EM_SETSEL, 0, -1);
    EXPECT_EQ(std::make_pair(0, 11), selOf(e));
    EXPECT_EQ(MAKELONG(0, 11), (DWORD)SendMessageA(e, EM_GETSEL, 0, 0));
    // Right with a selection collapses it to its end, Left to its start.
    press({VK_RIGHT});
    EXPECT_EQ(std::make_pair(11, 11), selOf(e));
    type("!");
    EXPECT_EQ("hello world!", textOf(e));
    SendMessageA(e, EM_SETSEL, 2, 7);
    press({VK_LEFT});
    EXPECT_EQ(std::make_pair(2, 2), selOf(e));
    press({VK_LEFT, VK_LEFT, VK_LEFT});  // stops at 0
    EXPECT_EQ(std::make_pair(0, 0), selOf(e));
    // Shift+Right grows from the anchor, Shift+Left shrinks back over it.
    headless_keyDown(VK_SHIFT);
    press({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT});
    EXPECT_EQ(std::make_pair(0, 5), selOf(e));
    press({VK_LEFT, VK_LEFT});
    EXPECT_EQ(std::make_pair(0, 3), selOf(e));
    press({VK_END});
    EXPECT_EQ(std::make_pair(0, 12), selOf(e));
    headless_keyUp(VK_SHIFT);
    headless_runUntilIdle();
    // From the middle, Shift+Home selects back to the start (the anchor stays).
    SendMessageA(e, EM_SETSEL, 6, 6);
    chord(VK_SHIFT, VK_HOME);
    EXPECT_EQ(std::make_pair(0, 6), selOf(e));
    chord(VK_SHIFT, VK_END);
    EXPECT_EQ(std::make_pair(6, 12), selOf(e));
    // A reversed EM_SETSEL is reported in order; typing replaces it.
    SendMessageA(e, EM_SETSEL, 5, 0);
    EXPECT_EQ(std::make_pair(0, 5), selOf(e));
    type("HELLO");
    EXPECT_EQ("HELLO world!", textOf(e));
    // Start past the end is clamped too; -1 as the start removes the selection
    // and keeps the caret where it is.
    SendMessageA(e, EM_SETSEL, 100, 200);
    EXPECT_EQ(std::make_pair(12, 12), selOf(e));
    SendMessageA(e, EM_SETSEL, 0, 4);
    SendMessageA(e, EM_SETSEL, (WPARAM)-1, 0);
    EXPECT_EQ(std::make_pair(4, 4), selOf(e));
    // Home and End without Shift drop the selection.
    SendMessageA(e, EM_SETSEL, 3, 8);
    press({VK_HOME});
    EXPECT_EQ(std::make_pair(0, 0), selOf(e));
    SendMessageA(e, EM_SETSEL, 3, 8);
    press({VK_END});
    EXPECT_EQ(std::make_pair(12, 12), selOf(e));
    // Keys the control does not use change nothing.
    press({VK_UP, VK_DOWN, VK_F2});
    EXPECT_EQ(std::make_pair(12, 12), selOf(e));
    EXPECT_EQ("HELLO world!", textOf(e));
}

TEST_F(EditTest, BackspaceDeleteReplaceAndChangeNotifications)
{
    HWND e = makeEdit("abc");
    SetFocus(e);
    headless_runUntilIdle();
    recorded().clear();
    // Nothing to delete at either end: no change, no notification.
    press({VK_HOME, VK_BACK});
    press({VK_END, VK_DELETE});
    EXPECT_EQ("abc", textOf(e));
    EXPECT_EQ(0, notifications(parent, 5, EN_CHANGE));
    press({VK_BACK});
    EXPECT_EQ("ab", textOf(e));
    press({VK_HOME, VK_DELETE});
    EXPECT_EQ("b", textOf(e));
    EXPECT_EQ(std::make_pair(0, 0), selOf(e));
    EXPECT_EQ(2, notifications(parent, 5, EN_CHANGE));
    // Backspace and Delete remove a selection whole.
    SetWindowTextA(e, "one two three");
    EXPECT_EQ(std::make_pair(0, 0), selOf(e));  // new text: caret at the start
    SendMessageA(e, EM_SETSEL, 3, 7);
    press({VK_BACK});
    EXPECT_EQ("one three", textOf(e));
    EXPECT_EQ(std::make_pair(3, 3), selOf(e));
    SendMessageA(e, EM_SETSEL, 3, 9);
    press({VK_DELETE});
    EXPECT_EQ("one", textOf(e));
    // EM_REPLACESEL inserts at the caret and leaves it after the insertion.
    SendMessageA(e, EM_SETSEL, 1, 1);
    SendMessageA(e, EM_REPLACESEL, 0, (LPARAM) "--");
    EXPECT_EQ("o--ne", textOf(e));
    EXPECT_EQ(std::make_pair(3, 3), selOf(e));
    SendMessageA(e, EM_SETSEL, 0, 3);
    SendMessageA(e, EM_REPLACESEL, 0, 0);  // no text: deletes the selection
    EXPECT_EQ("ne", textOf(e));
    // Control characters typed (other than the editing chords) are not inserted.
    recorded().clear();
    PostMessageA(e, WM_CHAR, 7, 0);
    PostMessageA(e, WM_CHAR, 127, 0);
    headless_runUntilIdle();
    EXPECT_EQ("ne", textOf(e));
    EXPECT_EQ(0, notifications(parent, 5, EN_CHANGE));
    // A Latin-1 character typed as UTF-8 is one character of the text.
    press({VK_END});
    type("\xC3\xA9!");
    EXPECT_EQ("ne\xE9!", textOf(e));
    press({VK_LEFT, VK_BACK});
    EXPECT_EQ("ne!", textOf(e));
    EXPECT_EQ(3, notifications(parent, 5, EN_CHANGE));
}

TEST_F(EditTest, TextLimitClipboardAndReadOnly)
{
    HWND e = makeEdit("");
    SetFocus(e);
    SendMessageA(e, EM_LIMITTEXT, 5, 0);
    type("abcdefgh");
    EXPECT_EQ("abcde", textOf(e));
    // Replacing a selection may use the room it frees, no more.
    SendMessageA(e, EM_SETSEL, 1, 3);
    type("XYZ");
    EXPECT_EQ("aXYde", textOf(e));
    // Ctrl+A selects everything, Ctrl+C copies it.
    chord(VK_CONTROL, 'A');
    EXPECT_EQ(std::make_pair(0, 5), selOf(e));
    chord(VK_CONTROL, 'C');
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL g = GetClipboardData(CF_TEXT);
    ASSERT_TRUE(g);
    EXPECT_STREQ("aXYde", (const char*)GlobalLock(g));
    GlobalUnlock(g);
    CloseClipboard();
    // Ctrl+X cuts a part; Ctrl+V pastes it back elsewhere.
    SendMessageA(e, EM_SETSEL, 3, 5);
    chord(VK_CONTROL, 'X');
    EXPECT_EQ("aXY", textOf(e));
    press({VK_HOME});
    chord(VK_CONTROL, 'V');
    EXPECT_EQ("deaXY", textOf(e));
    // The limit also bounds pasting; line breaks are taken out of pasted text.
    SendMessageA(e, EM_LIMITTEXT, 0, 0);  // 0: no practical limit
    const char multi[] = "1\r\n2\n3";
    HGLOBAL mem = GlobalAlloc(GHND, sizeof multi);
    memcpy(GlobalLock(mem), multi, sizeof multi);
    GlobalUnlock(mem);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
    SendMessageA(e, EM_SETSEL, 0, -1);
    SendMessageA(e, WM_PASTE, 0, 0);
    EXPECT_EQ("123", textOf(e));
    SendMessageA(e, EM_LIMITTEXT, 4, 0);
    press({VK_END});
    SendMessageA(e, WM_PASTE, 0, 0);
    EXPECT_EQ("1231", textOf(e));
    // WM_CLEAR deletes the selection without touching the clipboard.
    SendMessageA(e, EM_SETSEL, 0, 2);
    SendMessageA(e, WM_CLEAR, 0, 0);
    EXPECT_EQ("31", textOf(e));
    SendMessageA(e, EM_SETSEL, 0, -1);
    SendMessageA(e, WM_PASTE, 0, 0);
    EXPECT_EQ("123", textOf(e));
    // Copying with nothing selected leaves the clipboard alone.
    SendMessageA(e, EM_SETSEL, 1, 1);
    SendMessageA(e, WM_COPY, 0, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    g = GetClipboardData(CF_TEXT);
    ASSERT_TRUE(g);
    EXPECT_STREQ(multi, (const char*)GlobalLock(g));
    GlobalUnlock(g);
    CloseClipboard();

    // A read-only box: the caret moves and copying works, nothing edits.
    HWND ro = makeEdit("fixed", ES_LEFT | ES_READONLY, 200, 6);
    SetFocus(ro);
    recorded().clear();
    type("zz");
    press({VK_BACK, VK_HOME, VK_DELETE});
    chord(VK_CONTROL, 'A');
    chord(VK_CONTROL, 'X');
    chord(VK_CONTROL, 'V');
    SendMessageA(ro, WM_CLEAR, 0, 0);
    EXPECT_EQ("fixed", textOf(ro));
    EXPECT_EQ(0, notifications(parent, 6, EN_CHANGE));
    ASSERT_TRUE(OpenClipboard(nullptr));
    g = GetClipboardData(CF_TEXT);
    EXPECT_STREQ("fixed", (const char*)GlobalLock(g));  // the cut copied
    GlobalUnlock(g);
    CloseClipboard();
    press({VK_END});
    chord(VK_SHIFT, VK_LEFT);
    EXPECT_EQ(std::make_pair(4, 5), selOf(ro));
}

TEST_F(EditTest, MousePlacesCaretSelectsByDragAndDoubleClick)
{
    HWND e = makeEdit("hello world");
    HWND other = makeEdit("x", ES_LEFT, 100, 6);
    headless_runUntilIdle();
    recorded().clear();
    // A click gives the focus (the parent is told) and puts the caret at the
    // character boundary nearest the pointer.
    int w5 = textWidthIn(e, "hello");
    POINT p = screenOf(e, 2 + w5 + 1, 10);
    headless_click(p.x, p.y);
    headless_runUntilIdle();
    EXPECT_EQ(e, GetFocus());
    EXPECT_EQ(1, notifications(parent, 5, EN_SETFOCUS));
    EXPECT_EQ(std::make_pair(5, 5), selOf(e));
    type(",");
    EXPECT_EQ("hello, world", textOf(e));
    // Left of the text: the start; right of it: the end.
    p = screenOf(e, 0, 10);
    headless_click(p.x, p.y);
    headless_runUntilIdle();
    EXPECT_EQ(std::make_pair(0, 0), selOf(e));
    p = screenOf(e, 195, 10);
    headless_click(p.x, p.y);
    headless_runUntilIdle();
    EXPECT_EQ(std::make_pair(12, 12), selOf(e));
    // Shift+click extends from the caret.
    p = screenOf(e, 2 + w5 + 1, 10);
    headless_keyDown(VK_SHIFT);
    headless_click(p.x, p.y);
    headless_keyUp(VK_SHIFT);
    headless_runUntilIdle();
    EXPECT_EQ(std::make_pair(5, 12), selOf(e));
    // Dragging selects and keeps the capture until the button goes up, even
    // outside the box.
    headless_advanceTime(600);  // not a double click
    POINT a = screenOf(e, 0, 10), b = screenOf(e, 2 + w5 + 1, 10), c = screenOf(e, 300, 40);
    headless_mouseMove(a.x, a.y);
    headless_mouseDown(1);
    headless_mouseMove(b.x, b.y);
    headless_runUntilIdle();
    EXPECT_EQ(e, GetCapture());
    EXPECT_EQ(std::make_pair(0, 5), selOf(e));
    headless_mouseMove(c.x, c.y);
    headless_mouseUp(1);
    headless_runUntilIdle();
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(std::make_pair(0, 12), selOf(e));
    headless_mouseMove(a.x, a.y);  // moving after the release selects nothing more
    headless_runUntilIdle();
    EXPECT_EQ(std::make_pair(0, 12), selOf(e));
    // A double click selects everything.
    headless_advanceTime(600);
    headless_doubleClick(b.x, b.y);
    headless_runUntilIdle();
    EXPECT_EQ(std::make_pair(0, 12), selOf(e));
    // Clicking another box moves the focus; both are told.
    headless_advanceTime(600);
    recorded().clear();
    headless_clickWindow(other);
    headless_runUntilIdle();
    EXPECT_EQ(other, GetFocus());
    EXPECT_EQ(1, notifications(parent, 5, EN_KILLFOCUS));
    EXPECT_EQ(1, notifications(parent, 6, EN_SETFOCUS));
    // Typing goes to the focused box only.
    type("y");
    EXPECT_EQ("hello, world", textOf(e));
}

TEST_F(EditTest, CaretBlinksOnlyWithFocusAndStaysInView)
{
    HWND e = makeEdit("abc");
    SetFocus(e);
    SendMessageA(e, EM_SETSEL, 3, 3);
    int w3 = textWidthIn(e, "abc");
    EXPECT_NEAR(2 + w3, caretColumn(e), 1);
    press({VK_HOME});
    EXPECT_NEAR(2, caretColumn(e), 1);
    // Without the focus nothing blinks.
    SetFocus(parent);
    EXPECT_EQ(-1, caretColumn(e));
    // A left-aligned box scrolls to keep the caret in view when the text is
    // longer than the box, and back at Home.
    HWND narrow = makeEdit("", ES_LEFT | ES_AUTOHSCROLL, 60, 6);
    SetFocus(narrow);
    type("0123456789012345678901234567890123456789");
    int x = caretColumn(narrow);
    EXPECT_GE(x, 30);
    EXPECT_LT(x, 60);
    press({VK_HOME});
    EXPECT_NEAR(2, caretColumn(narrow), 1);
    // Right-aligned and centred boxes (used to edit numbers and centred
    // displays) keep the caret in view the same way once the text is wider.
    for (DWORD align : {(DWORD)ES_RIGHT, (DWORD)ES_CENTER}) {
        HWND r = makeEdit("", align | ES_AUTOHSCROLL, 60, align == ES_RIGHT ? 7 : 8);
        SetFocus(r);
        type("12");
        int short1 = caretColumn(r);
        if (align == ES_RIGHT)
            EXPECT_NEAR(60 - 2, short1, 2);
        else
            EXPECT_NEAR(30 + textWidthIn(r, "12") / 2, short1, 2);
        type("3456789012345678901234567890");
        x = caretColumn(r);
        EXPECT_GE(x, 30) << "alignment " << align;
        EXPECT_LT(x, 60) << "alignment " << align;
        press({VK_HOME});
        EXPECT_NEAR(2, caretColumn(r), 1) << "alignment " << align;
        // Short again: aligned as before.
        SetWindowTextA(r, "12");
        SendMessageA(r, EM_SETSEL, 2, 2);
        EXPECT_NEAR(short1, caretColumn(r), 1) << "alignment " << align;
    }
}
