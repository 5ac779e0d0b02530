// Drawing, bitmaps and fonts: the bitmap store, every way of putting a
// bitmap on screen (checked pixel by pixel), masked composition and hit
// tests, the font store and its size rule, rectangles.
#include "toolkit_fixture.h"

static const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                      kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

TEST_F(ToolkitTest, BitmapStoreLooksUpByResourceId)
{
    ASSERT_NE(nullptr, g_bitmapList);
    EXPECT_EQ(kBitmapSlots, g_bitmapList->count);
    EXPECT_NE(nullptr, bitmap_get(900));  // the program's generic set is loaded
    EXPECT_NE(nullptr, bitmap_get(910));
    EXPECT_EQ(nullptr, bitmap_get(kTestMissing));
    EXPECT_EQ(nullptr, bitmap_get(-1));
    EXPECT_EQ(nullptr, bitmap_get(kBitmapSlots));
    RECT r;
    bitmap_getRect(kTestRed, &r);
    EXPECT_EQ(10, r.right);
    EXPECT_EQ(8, r.bottom);
    EXPECT_EQ(kTestRed, getPictRect(kTestRed, &r));
    EXPECT_EQ(0, getPictRect(kTestMissing, &r));
    EXPECT_EQ(0, r.right);
    EXPECT_EQ(0, r.bottom);
    // Loading a missing resource reports once per run, and only when enabled.
    g_error_enable = 1;
    int before = platform_lastMessageBox().count;
    bitmap_load(kTestMissing, g_bitmapList, platform_instance());
    bitmap_load(kTestMissing + 0, g_bitmapList, platform_instance());
    bitmap_load(-5, g_bitmapList, platform_instance());
    EXPECT_LE(platform_lastMessageBox().count, before + 1);
    bitmap_delete(kTestGreen, g_bitmapList);
    EXPECT_EQ(nullptr, bitmap_get(kTestGreen));
    bitmap_load(kTestGreen, g_bitmapList, platform_instance());
    EXPECT_NE(nullptr, bitmap_get(kTestGreen));
    // A store of no slots holds nothing and refuses every id.
    bitmapListRec* empty = bitmaps_makeList(0);
    ASSERT_NE(nullptr, empty);
    bitmap_load(5, empty, platform_instance());
    bitmaps_deleteList(empty);
}

TEST_F(ToolkitTest, BitmapDrawingCallsPutThePixelsWhereAsked)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    bitmap_draw(kTestRed, 5, 6);
    EXPECT_EQ(kRed, pixelAt(2, 5, 6));
    EXPECT_EQ(kRed, pixelAt(2, 14, 13));
    EXPECT_NE(kRed, pixelAt(2, 15, 13));
    EXPECT_NE(kRed, pixelAt(2, 14, 14));
    // Stretched: 4 x 4 quarters to 40 x 20.
    bitmap_drawStretch(kTestQuad, 50, 10, 90, 30);
    EXPECT_EQ(kRed, pixelAt(2, 52, 12));
    EXPECT_EQ(kGreen, pixelAt(2, 88, 12));
    EXPECT_EQ(kBlue, pixelAt(2, 52, 28));
    EXPECT_EQ(kWhite, pixelAt(2, 88, 28));
    // A sub-rectangle: the bottom-right quarter only.
    RECT dest{100, 10, 102, 12};
    bitmap_drawRectOffset(kTestQuad, &dest, 2, 2);
    EXPECT_EQ(kWhite, pixelAt(2, 100, 10));
    EXPECT_EQ(kWhite, pixelAt(2, 101, 11));
    EXPECT_NE(kWhite, pixelAt(2, 102, 11));
    // Into another context.
    HDC win = GetDC(window_getHWND(2));
    HDC mem = CreateCompatibleDC(win);
    HBITMAP target = CreateCompatibleBitmap(win, 20, 20);
    HGDIOBJ old = SelectObject(mem, target);
    bitmap_drawOffscreen(kTestBlue, 3, 4, mem);
    EXPECT_EQ(kBlue, GetPixel(mem, 3, 4));
    EXPECT_EQ(kBlue, GetPixel(mem, 12, 11));
    SelectObject(mem, old);
    DeleteObject(target);
    DeleteDC(mem);
    ReleaseDC(window_getHWND(2), win);
    // Missing bitmaps draw nothing.
    COLORREF under = pixelAt(2, 150, 50);
    bitmap_draw(kTestMissing, 150, 50);
    bitmap_drawStretch(kTestMissing, 150, 50, 160, 60);
    EXPECT_EQ(under, pixelAt(2, 150, 50));
    EXPECT_EQ(0, window_get(2)->dcCount);  // every borrowed context went back
}

TEST_F(ToolkitTest, MaskedDrawingKeepsTheWindowWhereTheMaskIsWhite)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    bitmap_draw(kTestBlue, 20, 20);  // what the window shows before
    drawPictMask(kTestRed, kTestMask, 20, 20);
    EXPECT_EQ(kRed, pixelAt(2, 20, 20));  // mask black: the picture
    EXPECT_EQ(kRed, pixelAt(2, 24, 27));
    EXPECT_EQ(kBlue, pixelAt(2, 25, 20));  // mask white: the window stays
    EXPECT_EQ(kBlue, pixelAt(2, 29, 27));
    // A missing mask falls back to plain drawing; a missing picture draws nothing.
    bitmap_draw(kTestBlue, 60, 20);
    drawPictMask(kTestGreen, kTestMissing, 60, 20);
    EXPECT_EQ(kGreen, pixelAt(2, 69, 27));
    drawPictMask(kTestMissing, kTestMask, 60, 20);
    EXPECT_EQ(kGreen, pixelAt(2, 61, 21));
    EXPECT_EQ(0, window_get(2)->dcCount);
}

TEST_F(ToolkitTest, PointInBitmapWantsADarkPixelWithinTheEdges)
{
    zPoint p;
    p.h = 0, p.v = 0;
    EXPECT_TRUE(pointInBitmap(kTestMask, &p));
    p.h = 4, p.v = 7;
    EXPECT_TRUE(pointInBitmap(kTestMask, &p));
    p.h = 5, p.v = 3;
    EXPECT_FALSE(pointInBitmap(kTestMask, &p));  // white half
    p.h = 3, p.v = 8;
    EXPECT_TRUE(pointInBitmap(kTestMask, &p));  // bottom edge included
    p.h = 3, p.v = 9;
    EXPECT_FALSE(pointInBitmap(kTestMask, &p));
    p.h = -1, p.v = 2;
    EXPECT_FALSE(pointInBitmap(kTestMask, &p));
    p.h = 2, p.v = 2;
    EXPECT_FALSE(pointInBitmap(kTestRedish, &p));  // red 127: not dark
    EXPECT_TRUE(pointInBitmap(kTestDark, &p));     // red 126: dark
    EXPECT_FALSE(pointInBitmap(kTestMissing, &p));
}

TEST_F(ToolkitTest, MaskedZonesTakeClicksOnlyOnDarkPixels)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    custom_new(3, 10, 10, 40, 40, recordingEventProc);  // a lower object below
    custom_new(4, 20, 20, 10, 8, recordingEventProc);
    ASSERT_EQ(4, zone_new(4, kCursorArrowOn, 20, 20, 30, 28, kTestMask));
    zPoint p;
    p.h = 22, p.v = 22;
    EXPECT_EQ(4, zone_pointToZoneID(2, &p));
    p.h = 27, p.v = 22;  // over the mask's white half: the object below takes it
    EXPECT_EQ(3, zone_pointToZoneID(2, &p));
    clickAt(2, 27, 22);
    clickAt(2, 21, 27);
    std::vector<EventRec> clicks = eventsOf(kCustomClick);
    ASSERT_EQ(2u, clicks.size());
    EXPECT_EQ(3, clicks[0].id);
    EXPECT_EQ(4, clicks[1].id);
    // zone_new refuses ids past the zone list; zone_delete clears.
    EXPECT_EQ(0, zone_new(40, 0, 0, 0, 5, 5, 0));
    zone_delete(4);
    p.h = 22, p.v = 22;
    EXPECT_EQ(3, zone_pointToZoneID(2, &p));
}

TEST_F(ToolkitTest, FontStoreReusesEntriesAndAppliesTheSizeRule)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    short a = font_new(1, 9);
    ASSERT_NE(kFontFree, a);
    EXPECT_EQ(a, font_new(1, 9));
    EXPECT_EQ(kFontFree, font_new(2, 9));
    ASSERT_NE(nullptr, font_getHFONT(a));
    // Size 9 on a 96 dpi screen: a character height of 10 pixels.
    LOGFONTA lf;
    ASSERT_EQ((int)sizeof lf, GetObjectA(font_getHFONT(a), sizeof lf, &lf));
    EXPECT_EQ(-10, lf.lfHeight);
    EXPECT_STREQ("Arial", lf.lfFaceName);
    // Bold, italic, underline and strike-out bits.
    HDC hdc = window_getHDC(2);
    HFONT styled = EzCreateFont(hdc, "Arial", 12, 0, 1 | 2 | 4 | 8, 1);
    ASSERT_EQ((int)sizeof lf, GetObjectA(styled, sizeof lf, &lf));
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_EQ(1, lf.lfItalic);
    EXPECT_EQ(1, lf.lfUnderline);
    EXPECT_EQ(1, lf.lfStrikeOut);
    EXPECT_EQ(-13, lf.lfHeight);  // 12 x 8 x 96 / 72 = 128 device units
    DeleteObject(styled);
    HFONT wide = EzCreateFont(hdc, "Arial", 12, 24, 0, 1);
    ASSERT_EQ((int)sizeof lf, GetObjectA(wide, sizeof lf, &lf));
    EXPECT_GT(lf.lfWidth, 0);
    DeleteObject(wide);
    window_freeHDC(2, hdc);
    // Fill the table: the 17th size is refused through the error channel.
    for (int size = 10; size < 10 + kFontMax - 1; size++) ASSERT_NE(kFontFree, font_new(1, size));
    g_error_enable = 1;
    EXPECT_EQ(kFontFree, font_new(1, 99));
    EXPECT_EQ("brambix font error: font list full", platform_lastMessageBox().text);
    // Existing entries are still found with a full table.
    EXPECT_EQ(a, font_new(1, 9));
    // Selecting a refused id changes nothing.
    hdc = GetDC(window_getHWND(2));
    HGDIOBJ before = GetCurrentObject(hdc, OBJ_FONT);
    font_select(kFontFree, hdc);
    EXPECT_EQ(before, GetCurrentObject(hdc, OBJ_FONT));
    font_select(a, hdc);
    EXPECT_EQ((HGDIOBJ)font_getHFONT(a), GetCurrentObject(hdc, OBJ_FONT));
    ReleaseDC(window_getHWND(2), hdc);
    font_deleteList();
    EXPECT_EQ(nullptr, font_getHFONT(a));
    // Without a window there is no context to make a font on.
    window_setCurrent(0);
    EXPECT_EQ(0, font_new(1, 11));
}

TEST_F(ToolkitTest, RectInRectTestsCorners)
{
    RECT a{0, 0, 10, 10}, b{10, 10, 20, 20}, c{11, 0, 20, 5}, inner{2, 2, 4, 4};
    EXPECT_TRUE(rectInRect(&a, &b));  // touching corners, edges included
    EXPECT_FALSE(rectInRect(&a, &c));
    EXPECT_TRUE(rectInRect(&a, &inner));  // b inside a
    EXPECT_TRUE(rectInRect(&inner, &a));  // a's corners inside b
    RECT cross1{0, 4, 20, 6}, cross2{8, 0, 10, 20};
    EXPECT_FALSE(rectInRect(&cross1, &cross2));  // crossing without a corner inside
}
