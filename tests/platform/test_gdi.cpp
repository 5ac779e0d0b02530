// GDI over Cairo: raster operations pixel by pixel, masked and stretched
// blits, rectangle and line pixel rules, clipping, fonts and text alignment.
#include "test_support.h"
#include <cstring>

namespace {

struct MemBitmap {
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    MemBitmap(int w, int h, bool mono = false)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bmp = mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bmp);
    }
    ~MemBitmap()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
};

COLORREF pattern(int x, int y, int seed)
{
    return RGB((x * 37 + y * 11 + seed * 53) & 0xFF, (x * 5 + y * 71 + seed) & 0xFF,
               (x * 93 + y * 3 + seed * 7) & 0xFF);
}

}  // namespace

TEST_F(PlatformTest, RasterOperationsPixelByPixel)
{
    const int W = 7, H = 5;
    struct Op {
        DWORD rop;
        COLORREF (*f)(COLORREF s, COLORREF d);
    };
    const Op ops[] = {
        {SRCCOPY, [](COLORREF s, COLORREF) { return s; }},
        {SRCAND, [](COLORREF s, COLORREF d) { return s & d; }},
        {SRCPAINT, [](COLORREF s, COLORREF d) { return s | d; }},
        {SRCINVERT, [](COLORREF s, COLORREF d) { return s ^ d; }},
        {NOTSRCCOPY, [](COLORREF s, COLORREF) { return ~s & 0xFFFFFF; }},
        {SRCERASE, [](COLORREF s, COLORREF d) { return s & ~d & 0xFFFFFF; }},
        {DSTINVERT, [](COLORREF, COLORREF d) { return ~d & 0xFFFFFF; }},
        {BLACKNESS, [](COLORREF, COLORREF) { return (COLORREF)0; }},
        {WHITENESS, [](COLORREF, COLORREF) { return (COLORREF)0xFFFFFF; }},
        {MERGEPAINT, [](COLORREF s, COLORREF d) { return (~s | d) & 0xFFFFFF; }},
    };
    for (const Op& op : ops) {
        MemBitmap src(W, H), dst(W + 4, H + 4);
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++) SetPixel(src.dc, x, y, pattern(x, y, 1));
        for (int y = 0; y < H + 4; y++)
            for (int x = 0; x < W + 4; x++) SetPixel(dst.dc, x, y, pattern(x, y, 2));
        ASSERT_TRUE(BitBlt(dst.dc, 2, 3, W - 1, H - 1, src.dc, 1, 1, op.rop));
        for (int y = 0; y < H + 4; y++)
            for (int x = 0; x < W + 4; x++) {
                COLORREF d = pattern(x, y, 2);
                bool inside = x >= 2 && x < 2 + W - 1 && y >= 3 && y < 3 + H - 1;
                COLORREF want = inside ? op.f(pattern(x - 2 + 1, y - 3 + 1, 1), d) : d;
                ASSERT_EQ(want, GetPixel(dst.dc, x, y))
                    << "rop " << std::hex << op.rop << " at " << std::dec << x << "," << y;
            }
    }
}

TEST_F(PlatformTest, MaskedBlitShowsPictureWhereMaskIsBlack)
{
    const int W = 8, H = 6;
    MemBitmap window(W, H), picture(W, H), mask(W, H), scratch(W, H), inverse(W, H, true);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            SetPixel(window.dc, x, y, pattern(x, y, 3));
            SetPixel(picture.dc, x, y, pattern(x, y, 4));
            SetPixel(mask.dc, x, y, ((x + y) % 3 == 0) ? RGB(0, 0, 0) : RGB(255, 255, 255));
        }
    // The toolkit's sequence: B = window, P = picture, N = NOT mask (monochrome),
    // P = P AND N, B = B AND mask, B = B OR P.
    BitBlt(scratch.dc, 0, 0, W, H, window.dc, 0, 0, SRCCOPY);
    BitBlt(inverse.dc, 0, 0, W, H, mask.dc, 0, 0, NOTSRCCOPY);
    BitBlt(picture.dc, 0, 0, W, H, inverse.dc, 0, 0, SRCAND);
    BitBlt(scratch.dc, 0, 0, W, H, mask.dc, 0, 0, SRCAND);
    BitBlt(scratch.dc, 0, 0, W, H, picture.dc, 0, 0, SRCPAINT);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            COLORREF want = ((x + y) % 3 == 0) ? pattern(x, y, 4) : pattern(x, y, 3);
            ASSERT_EQ(want, GetPixel(scratch.dc, x, y)) << x << "," << y;
        }
    // Monochrome to colour uses the destination's text and background colours.
    MemBitmap mono(2, 1, true), color(2, 1);
    SetPixel(mono.dc, 0, 0, RGB(0, 0, 0));
    SetPixel(mono.dc, 1, 0, RGB(255, 255, 255));
    SetTextColor(color.dc, RGB(10, 20, 30));
    SetBkColor(color.dc, RGB(200, 100, 50));
    BitBlt(color.dc, 0, 0, 2, 1, mono.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(RGB(10, 20, 30), GetPixel(color.dc, 0, 0));
    EXPECT_EQ(RGB(200, 100, 50), GetPixel(color.dc, 1, 0));
    // Colour to monochrome: the source background colour becomes white.
    SetPixel(color.dc, 0, 0, RGB(1, 2, 3));
    SetBkColor(color.dc, RGB(1, 2, 3));
    BitBlt(mono.dc, 0, 0, 2, 1, color.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(mono.dc, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(mono.dc, 1, 0));
    // A fresh memory DC makes monochrome compatible bitmaps.
    HDC fresh = CreateCompatibleDC(nullptr);
    HBITMAP m = CreateCompatibleBitmap(fresh, 4, 4);
    BITMAP bm;
    ASSERT_EQ((int)sizeof bm, GetObjectA(m, sizeof bm, &bm));
    EXPECT_EQ(1, bm.bmBitsPixel);
    DeleteObject(m);
    DeleteDC(fresh);
}

TEST_F(PlatformTest, StretchBltScalesByNearestPixel)
{
    MemBitmap src(2, 2), dst(6, 4);
    SetPixel(src.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(src.dc, 1, 0, RGB(0, 255, 0));
    SetPixel(src.dc, 0, 1, RGB(0, 0, 255));
    SetPixel(src.dc, 1, 1, RGB(255, 255, 0));
    ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 6, 4, src.dc, 0, 0, 2, 2, SRCCOPY));
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 6; x++)
            EXPECT_EQ(GetPixel(src.dc, x / 3, y / 2), GetPixel(dst.dc, x, y)) << x << "," << y;
    // A negative width mirrors.
    ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 2, 1, src.dc, 1, 0, -2, 1, SRCCOPY));
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(dst.dc, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dst.dc, 1, 0));
}

TEST_F(PlatformTest, RectanglesLinesAndClipping)
{
    MemBitmap b(20, 20);
    RECT all{0, 0, 20, 20};
    FillRect(b.dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT r{2, 2, 6, 5};
    FillRect(b.dc, &r, blue);
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(b.dc, 2, 2));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(b.dc, 5, 4));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(b.dc, 6, 4));  // right edge excluded
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(b.dc, 5, 5));
    FillRect(b.dc, &all, (HBRUSH)(COLOR_WINDOW + 1));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), GetPixel(b.dc, 0, 0));
    // Rectangle: pen outline inside the rectangle, brush inside that.
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ op = SelectObject(b.dc, red);
    HGDIOBJ ob = SelectObject(b.dc, blue);
    Rectangle(b.dc, 10, 10, 15, 14);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(b.dc, 10, 10));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(b.dc, 14, 13));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(b.dc, 11, 11));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(b.dc, 15, 13));
    // A line leaves out its last point.
    MoveToEx(b.dc, 0, 18, nullptr);
    LineTo(b.dc, 5, 18);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(b.dc, 4, 18));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(b.dc, 5, 18));
    // Clipping, saved and restored.
    int saved = SaveDC(b.dc);
    IntersectClipRect(b.dc, 0, 0, 3, 3);
    RECT box;
    EXPECT_EQ(SIMPLEREGION, GetClipBox(b.dc, &box));
    EXPECT_EQ(3, box.right);
    FillRect(b.dc, &all, blue);
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(b.dc, 2, 2));
    RestoreDC(b.dc, saved);
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(b.dc, 3, 3));
    // Viewport origins move drawing; a polygon fills with the brush.
    SetViewportOrgEx(b.dc, 5, 0, nullptr);
    POINT tri[3] = {{0, 0}, {4, 0}, {0, 4}};
    SelectObject(b.dc, GetStockObject(NULL_PEN));
    Polygon(b.dc, tri, 3);
    SetViewportOrgEx(b.dc, 0, 0, nullptr);
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(b.dc, 5, 0));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(b.dc, 6, 1));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(b.dc, 9, 3));
    SelectObject(b.dc, op);
    SelectObject(b.dc, ob);
    DeleteObject(red);
    DeleteObject(blue);
    EXPECT_EQ(96, GetDeviceCaps(b.dc, LOGPIXELSY));
}

static RECT inkBox(HDC dc, int w, int h)
{
    RECT r{w, h, -1, -1};
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (GetRValue(GetPixel(dc, x, y)) < 128) {
                r.left = std::min<LONG>(r.left, x);
                r.right = std::max<LONG>(r.right, x + 1);
                r.top = std::min<LONG>(r.top, y);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

TEST_F(PlatformTest, FontsResolveAndTextAligns)
{
    const int W = 200, H = 30;
    MemBitmap b(W, H);
    LOGFONTA lf{};
    lf.lfHeight = -14;
    strcpy(lf.lfFaceName, "Arial");
    HFONT f = CreateFontIndirectA(&lf);
    HGDIOBJ of = SelectObject(b.dc, f);
    char face[64];
    GetTextFaceA(b.dc, sizeof face, face);
    EXPECT_STREQ("Liberation Sans", face);
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(b.dc, &tm));
    EXPECT_GE(tm.tmHeight, 14);
    EXPECT_LE(tm.tmHeight, 18);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    SIZE sz;
    GetTextExtentPoint32A(b.dc, "Hello", 5, &sz);
    SIZE sz2;
    GetTextExtentPoint32A(b.dc, "HelloHello", 10, &sz2);
    EXPECT_NEAR(2 * sz.cx, sz2.cx, 1);
    RECT all{0, 0, W, H};
    SetBkMode(b.dc, TRANSPARENT);
    RECT box{20, 0, 180, H};
    UINT formats[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (int i = 0; i < 3; i++) {
        FillRect(b.dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
        DrawTextA(b.dc, "Hello", -1, &box, formats[i] | DT_SINGLELINE | DT_VCENTER);
        RECT ink = inkBox(b.dc, W, H);
        ASSERT_GT(ink.right, ink.left);
        if (i == 0) {
            EXPECT_NEAR(20, ink.left, 2);
        }
        if (i == 1) {
            EXPECT_NEAR(100, (ink.left + ink.right) / 2, 2);
        }
        if (i == 2) {
            EXPECT_NEAR(180, ink.right, 2);
        }
        EXPECT_NEAR(H / 2, (ink.top + ink.bottom) / 2, 3);
        EXPECT_LE(ink.right - ink.left, sz.cx);
    }
    // DT_CALCRECT measures without drawing; the '&' prefix is not drawn.
    RECT calc{0, 0, 0, 0};
    int hgt = DrawTextA(b.dc, "&Hello", -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(tm.tmHeight, hgt);
    EXPECT_EQ(sz.cx, calc.right);
    // Opaque TextOut fills the text cell with the background colour.
    FillRect(b.dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetBkMode(b.dc, OPAQUE);
    SetBkColor(b.dc, RGB(0, 255, 0));
    TextOutA(b.dc, 5, 2, "Hi", 2);
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(b.dc, 5, 2));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(b.dc, 4, 2));
    SelectObject(b.dc, of);
    DeleteObject(f);
    // Text with bytes of another code page is drawn, not refused.
    EXPECT_TRUE(TextOutA(b.dc, 0, 0, "caf\xe9", 4));
}
