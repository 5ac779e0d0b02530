// The scroll bar control with a parent that scrolls the way a program does:
// positions clamped by range and page, a held page area that stops at the
// pointer, arrows that repeat only while pointed at, thumb drags beyond the
// ends and over large ranges, and a lost capture ending the scroll.
#include "test_support.h"

namespace {

struct ScrollLog {
    std::vector<int> codes;
    std::vector<int> trackInfo;  // SIF_TRACKPOS read back during SB_THUMBTRACK
    int line = 1, page = 10;
};
ScrollLog* gLog = nullptr;

// Moves the bar as the codes ask, like the program's windows do.
LRESULT scrollingParent(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if ((msg == WM_VSCROLL || msg == WM_HSCROLL) && gLog) {
        HWND bar = (HWND)lp;
        int code = LOWORD(wp);
        gLog->codes.push_back(code);
        int pos = GetScrollPos(bar, SB_CTL);
        switch (code) {
        case SB_LINEUP: pos -= gLog->line; break;
        case SB_LINEDOWN: pos += gLog->line; break;
        case SB_PAGEUP: pos -= gLog->page; break;
        case SB_PAGEDOWN: pos += gLog->page; break;
        case SB_THUMBTRACK: {
            SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(bar, SB_CTL, &si);
            gLog->trackInfo.push_back(si.nTrackPos);
            pos = si.nTrackPos;
            break;
        }
        default: return 0;
        }
        SetScrollPos(bar, SB_CTL, pos, TRUE);
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

int count(const std::vector<int>& v, int code) { return (int)std::count(v.begin(), v.end(), code); }

}  // namespace

class ScrollBarTest : public PlatformTest {
protected:
    ScrollLog log;
    HWND parent = nullptr, bar = nullptr;
    void SetUp() override
    {
        PlatformTest::SetUp();
        gLog = &log;
        registerProc("scroller", scrollingParent);
        parent = CreateWindowExA(0, "scroller", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr,
                                 nullptr, nullptr);
        // 16 x 216: two 16-pixel arrows and a 184-pixel track.
        bar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 100, 0, 16, 216, parent,
                              (HMENU)3, nullptr, nullptr);
        ASSERT_TRUE(bar);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
        SetScrollInfo(bar, SB_CTL, &si, TRUE);
        headless_runUntilIdle();
    }
    void TearDown() override
    {
        gLog = nullptr;
        PlatformTest::TearDown();
    }
    int thumbTop()
    {
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(bar, SB_CTL, &si);
        int span = 216 - 32;
        int len = std::max(8, span * (int)si.nPage / (si.nMax - si.nMin + 1));
        return 16 + (span - len) * (si.nPos - si.nMin) / std::max(1, si.nMax - si.nMin - ((int)si.nPage - 1));
    }
};

TEST_F(ScrollBarTest, PositionIsClampedByRangeAndPage)
{
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    // The last position shows the last page: max - page + 1.
    EXPECT_EQ(0, SetScrollPos(bar, SB_CTL, 500, TRUE));  // returns the old position
    EXPECT_EQ(91, GetScrollPos(bar, SB_CTL));
    EXPECT_EQ(91, SetScrollPos(bar, SB_CTL, -5, TRUE));
    EXPECT_EQ(0, GetScrollPos(bar, SB_CTL));
    si.fMask = SIF_POS;
    si.nPos = 95;
    EXPECT_EQ(91, SetScrollInfo(bar, SB_CTL, &si, TRUE));
    // A smaller range pulls the position in.
    SetScrollRange(bar, SB_CTL, 0, 50, TRUE);
    EXPECT_EQ(41, GetScrollPos(bar, SB_CTL));
    int mn = -1, mx = -1;
    EXPECT_TRUE(GetScrollRange(bar, SB_CTL, &mn, &mx));
    EXPECT_EQ(0, mn);
    EXPECT_EQ(50, mx);
    // A reversed range is taken as empty at its minimum.
    SetScrollRange(bar, SB_CTL, 10, 5, TRUE);
    GetScrollRange(bar, SB_CTL, &mn, &mx);
    EXPECT_EQ(10, mn);
    EXPECT_EQ(10, mx);
    EXPECT_EQ(10, GetScrollPos(bar, SB_CTL));
    // A page bigger than the range is cut to it.
    si = SCROLLINFO{sizeof si, SIF_RANGE | SIF_PAGE, 0, 20, 1000, 0, 0};
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
    si.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &si);
    EXPECT_EQ(21u, si.nPage);
    EXPECT_EQ(0, si.nPos);
    // Negative ranges work the same way.
    si = SCROLLINFO{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, -50, 50, 1, 70, 0};
    EXPECT_EQ(50, SetScrollInfo(bar, SB_CTL, &si, TRUE));
    SetScrollPos(bar, SB_CTL, -80, TRUE);
    EXPECT_EQ(-50, GetScrollPos(bar, SB_CTL));
    // Only the fields asked for are read back.
    SCROLLINFO part{sizeof part, SIF_POS, 7, 7, 7, 0, 7};
    GetScrollInfo(bar, SB_CTL, &part);
    EXPECT_EQ(-50, part.nPos);
    EXPECT_EQ(7, part.nMin);
    EXPECT_EQ(7u, part.nPage);
    // Windows other than scroll bars have none; null pointers are refused.
    EXPECT_EQ(0, SetScrollPos(parent, SB_VERT, 5, TRUE));
    EXPECT_EQ(0, GetScrollPos(parent, SB_VERT));
    EXPECT_FALSE(GetScrollInfo(parent, SB_VERT, &si));
    EXPECT_FALSE(SetScrollRange(bar, SB_VERT, 0, 5, TRUE));  // a control answers to SB_CTL only
    EXPECT_FALSE(GetScrollInfo(bar, SB_CTL, nullptr));
    EXPECT_EQ(-50, SetScrollInfo(bar, SB_CTL, nullptr, TRUE));
}

TEST_F(ScrollBarTest, HeldPageAreaStopsAtThePointerAndArrowsRepeatOnlyWhenPointedAt)
{
    // Hold the track below the thumb: pages repeat until the thumb reaches the pointer.
    headless_mouseMove(108, 150);
    headless_mouseDown(1);
    headless_advanceTime(3000);
    headless_mouseUp(1);
    headless_runUntilIdle();
    int pos = GetScrollPos(bar, SB_CTL);
    EXPECT_EQ(pos / 10, count(log.codes, SB_PAGEDOWN));
    EXPECT_GE(pos, 50);
    int top = thumbTop();
    EXPECT_LE(top, 150);
    EXPECT_GT(top + 18, 150 - 20);  // the thumb got to the pointer (within one page)
    EXPECT_EQ(1, count(log.codes, SB_ENDSCROLL));
    EXPECT_EQ(SB_ENDSCROLL, log.codes.back());
    // The same above the thumb, going up.
    log.codes.clear();
    headless_mouseMove(108, 30);
    headless_mouseDown(1);
    headless_advanceTime(3000);
    headless_mouseUp(1);
    headless_runUntilIdle();
    EXPECT_GE(count(log.codes, SB_PAGEUP), 1);
    EXPECT_LE(thumbTop(), 30);
    // An arrow held while the pointer leaves it (sideways, off the bar) stops
    // repeating, and starts again when the pointer comes back.
    SetScrollPos(bar, SB_CTL, 50, TRUE);
    log.codes.clear();
    headless_mouseMove(108, 208);
    headless_mouseDown(1);
    headless_advanceTime(600);
    int whileOn = count(log.codes, SB_LINEDOWN);
    EXPECT_GE(whileOn, 3);
    headless_mouseMove(200, 208);
    headless_advanceTime(600);
    EXPECT_EQ(whileOn, count(log.codes, SB_LINEDOWN));
    headless_mouseMove(108, 208);
    headless_advanceTime(300);
    EXPECT_GT(count(log.codes, SB_LINEDOWN), whileOn);
    headless_mouseUp(1);
    headless_runUntilIdle();
    int total = count(log.codes, SB_LINEDOWN);
    headless_advanceTime(1000);
    EXPECT_EQ(total, count(log.codes, SB_LINEDOWN));  // nothing after the release
    EXPECT_EQ(50 + total, GetScrollPos(bar, SB_CTL));
    // Losing the capture ends the scroll at once and stops the repeats.
    log.codes.clear();
    headless_mouseMove(108, 4);
    headless_mouseDown(1);
    headless_runUntilIdle();
    EXPECT_EQ(bar, GetCapture());
    SetCapture(parent);
    EXPECT_EQ(SB_ENDSCROLL, log.codes.back());
    int ups = count(log.codes, SB_LINEUP);
    headless_advanceTime(1000);
    EXPECT_EQ(ups, count(log.codes, SB_LINEUP));
    ReleaseCapture();
    headless_mouseUp(1);
    headless_runUntilIdle();
}

TEST_F(ScrollBarTest, ThumbDragsClampAtTheEndsAndReportLargePositions)
{
    // Dragged far past the bottom: the last position; past the top: the first.
    int y = thumbTop() + 5;
    headless_mouseMove(108, y);
    headless_mouseDown(1);
    headless_mouseMove(108, y + 1000);
    headless_runUntilIdle();
    ASSERT_FALSE(log.trackInfo.empty());
    EXPECT_EQ(91, log.trackInfo.back());
    headless_mouseMove(108, -500);
    headless_runUntilIdle();
    EXPECT_EQ(0, log.trackInfo.back());
    // Let go outside the bar: the thumb position is reported, then the end.
    headless_mouseMove(250, 100);
    headless_mouseUp(1);
    headless_runUntilIdle();
    ASSERT_GE(log.codes.size(), 2u);
    EXPECT_EQ(SB_THUMBPOSITION, log.codes[log.codes.size() - 2]);
    EXPECT_EQ(SB_ENDSCROLL, log.codes.back());
    EXPECT_EQ(nullptr, GetCapture());
    // Over a range wider than 16 bits the tracked position is still exact.
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 200000, 1000, 0, 0};
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
    log.trackInfo.clear();
    y = thumbTop() + 4;
    headless_mouseMove(108, y);
    headless_mouseDown(1);
    headless_mouseMove(108, y + 1000);
    headless_mouseUp(1);
    headless_runUntilIdle();
    ASSERT_FALSE(log.trackInfo.empty());
    EXPECT_EQ(200000 - 1000 + 1, log.trackInfo.back());
    EXPECT_EQ(199001, GetScrollPos(bar, SB_CTL));
    // A step in the middle of the track is proportional.
    SetScrollPos(bar, SB_CTL, 0, TRUE);
    log.trackInfo.clear();
    y = thumbTop() + 4;
    headless_mouseMove(108, y);
    headless_mouseDown(1);
    headless_mouseMove(108, y + 90);
    headless_mouseUp(1);
    headless_runUntilIdle();
    ASSERT_FALSE(log.trackInfo.empty());
    EXPECT_NEAR(199001.0 * 90 / (184 - 8), log.trackInfo.back(), 1500);
}

TEST_F(ScrollBarTest, TinyAndEmptyBarsAreSafe)
{
    // Too short for its arrows and thumb: clicks anywhere still answer sensibly.
    HWND tiny = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 150, 0, 16, 20, parent,
                                (HMENU)4, nullptr, nullptr);
    SetScrollRange(tiny, SB_CTL, 0, 10, TRUE);
    headless_runUntilIdle();
    for (int y : {0, 5, 9, 10, 15, 19}) {
        log.codes.clear();
        headless_click(158, y);
        headless_runUntilIdle();
        ASSERT_FALSE(log.codes.empty()) << y;
        EXPECT_EQ(y < 10 ? SB_LINEUP : SB_LINEDOWN, log.codes.front()) << y;
    }
    // An empty range: the thumb cannot move, dragging reports the minimum.
    HWND flat = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 250, 200, 16, parent,
                                (HMENU)5, nullptr, nullptr);
    SetScrollRange(flat, SB_CTL, 3, 3, TRUE);
    headless_runUntilIdle();
    log.codes.clear();
    log.trackInfo.clear();
    headless_mouseMove(24, 258);
    headless_mouseDown(1);
    headless_mouseMove(150, 258);
    headless_mouseUp(1);
    headless_runUntilIdle();
    EXPECT_EQ(3, GetScrollPos(flat, SB_CTL));
    for (int t : log.trackInfo) EXPECT_EQ(3, t);
    // A zero-sized bar paints and takes clicks without trouble.
    HWND none = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 250, 250, 0, 0, parent,
                                (HMENU)6, nullptr, nullptr);
    ASSERT_TRUE(none);
    InvalidateRect(none, nullptr, TRUE);
    headless_runUntilIdle();
    SendMessageA(none, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
    SendMessageA(none, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 0));
    SendMessageA(none, WM_LBUTTONUP, 0, MAKELPARAM(5, 0));
    EXPECT_TRUE(IsWindow(none));
    EXPECT_EQ(SB_ENDSCROLL, log.codes.back());
    int p = GetScrollPos(none, SB_CTL);
    EXPECT_TRUE(p >= 0 && p <= 100) << p;
}
