// A window holding every drawing primitive of the artwork, put together
// through the toolkit's own drawing calls, checked at a few pixels and saved
// as a screenshot (toolkit-primitives.png in the test's working folder).
#include "toolkit_fixture.h"
#include <cstring>

enum {
    kPanelMain = 2500,
    kPanelButtons,
    kPanelTracks,
    kPanelKeys,
    kPanelCells,
    kSquareSet = 2510,  // 2510..2513
    kLedSet = 2520,     // 2520..2527 with masks
    kTabSet = 2530,     // two states: 2530.., 2538..
    kRoundSet = 2550,   // 2550..2557 with masks
    kHTrack = 2560,     // 2560..2563
    kVTrack = 2570,     // 2570..2573
    kKeys = 2580,       // 2580..2597
    kCell = 2600,       // 2600, 2601
    kPopupSample = 2610
};

static void paintPopupSample(cairo_t* cr, int w, int h, const void*)
{
    res_paintBackground(cr, 0, 0, w, h);
    cairo_set_source_rgb(cr, 62 / 255.0, 62 / 255.0, 62 / 255.0);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    const resColorRec& text = res_theme().text;
    cairo_set_source_rgb(cr, text.r, text.g, text.b);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
    cairo_stroke(cr);
    res_paintText(cr, 8, 0, w - 30, h, "Sine", 9, text, 0);
    res_paintPopupArrow(cr, w - 15, h / 2 - 2, 10);
}

static void registerPrimitives()
{
    ASSERT_TRUE(res_registerPanel(kPanelMain, 560, 300, "Primitives"));
    ASSERT_TRUE(res_registerPanel(kPanelButtons, 260, 130, "Buttons"));
    ASSERT_TRUE(res_registerPanel(kPanelTracks, 270, 130, "Tracks and knobs"));
    ASSERT_TRUE(res_registerPanel(kPanelKeys, 260, 130, "Keyboard"));
    ASSERT_TRUE(res_registerPanel(kPanelCells, 270, 130, "Cells, number box, pop-up"));
    const char* store[] = {"Store"};
    ASSERT_TRUE(res_registerButtonSet(kSquareSet, 50, 18, 1, kResButtonSquare, store));
    ASSERT_TRUE(res_registerButtonSet(kLedSet, 18, 18, 1, kResButtonLed, nullptr));
    const char* tabs[] = {"Main", "Mod"};
    ASSERT_TRUE(res_registerButtonSet(kTabSet, 44, 16, 2, kResButtonTab, tabs));
    const char* on[] = {"On"};
    ASSERT_TRUE(res_registerButtonSet(kRoundSet, 24, 24, 1, kResButtonRound, on));
    ASSERT_TRUE(res_registerTrackSet(kHTrack, 120, 16, 8, 14, 1, 0));
    ASSERT_TRUE(res_registerTrackSet(kVTrack, 16, 90, 14, 14, 0, 1));
    ASSERT_TRUE(res_registerKeyboardSet(kKeys, 12, 48, 8, 30));
    ASSERT_TRUE(res_registerCellPair(kCell, 60, 14));
    ASSERT_TRUE(res_registerBitmap(kPopupSample, 100, 14, paintPopupSample, nullptr));
}

static void text(HDC hdc, int x, int y, int w, const char* s, UINT format)
{
    RECT r{x, y, x + w, y + 13};
    DrawTextA(hdc, s, (int)strlen(s), &r, format | DT_SINGLELINE | DT_VCENTER);
}

// Draws what no single bitmap shows: masked buttons, a keyboard octave,
// cells with their texts and an assembled number box.
static void drawComposite(short, long event, long, long)
{
    if (event != kCustomDraw) return;
    drawPictMask(kLedSet, kLedSet + 4, 20, 68);
    drawPictMask(kLedSet + 1, kLedSet + 5, 44, 68);
    drawPictMask(kRoundSet, kRoundSet + 4, 74, 65);
    drawPictMask(kRoundSet + 1, kRoundSet + 5, 104, 65);
    drawPictMask(kRoundSet + 2, kRoundSet + 6, 134, 65);
    // Tracks: a level bar with its fill left of the knob, and a vertical track.
    bitmap_draw(kHTrack, 292, 40);
    RECT fill{292, 40, 292 + 78, 56};
    bitmap_drawRectOffset(kHTrack + 2, &fill, 0, 0);
    bitmap_draw(kHTrack + 1, 292 + 74, 41);
    bitmap_draw(kHTrack, 292, 70);
    bitmap_draw(kHTrack + 3, 292 + 30, 71);
    bitmap_draw(kVTrack, 480, 32);
    bitmap_draw(kVTrack + 1, 481, 60);
    bitmap_draw(kVTrack, 510, 32);
    bitmap_draw(kVTrack + 3, 511, 90);
    // One octave and the top C: white keys side by side, black keys on top.
    int x0 = 22, y0 = 190;
    static const int whitePict[7] = {0, 2, 4, 6, 8, 10, 12};
    for (int k = 0; k < 7; k++) bitmap_draw(kKeys + whitePict[k] + (k == 2 ? 1 : 0), x0 + 12 * k, y0);
    bitmap_draw(kKeys + 16, x0 + 84, y0);
    static const int blackX[5] = {7, 21, 43, 56, 69};
    for (int k = 0; k < 5; k++) bitmap_draw(kKeys + 14 + (k == 3 ? 1 : 0), x0 + blackX[k], y0);
    // Cells of a matrix, one selected, with their texts.
    HDC hdc = window_getHDC(g_currentWindow);
    short font = font_new(1, 9);
    font_select(font, hdc);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, rgbColor_toCOLORREF(g_matrix_textRGB));
    const char* names[6] = {"Init", "Bright Pad", "Glass Bell", "Low Drone", "Pluck", "Sweep"};
    for (int i = 0; i < 6; i++) {
        int cx = 292 + (i / 3) * 62, cy = 182 + (i % 3) * 15;
        bitmap_draw(kCell + (i == 1 ? 1 : 0), cx, cy);
        text(hdc, cx + 1, cy, 60, names[i], DT_LEFT);
    }
    // A number box: name, field (left end, stretched middle, right end), step buttons.
    int nx = 330, ny = 240, width = 64;
    bitmap_draw(g_numboxPictID + 7, nx + 3, ny - 1);
    bitmap_drawStretch(g_numboxPictID + 9, nx + 6, ny - 1, nx + width - 1, ny + 12);
    bitmap_draw(g_numboxPictID + 10, nx + width - 1, ny - 1);
    bitmap_draw(g_numboxPictID + 2, nx + width + 1, ny - 1);
    SetTextColor(hdc, rgbColor_toCOLORREF(g_numboxTextRGB));
    text(hdc, nx + 6, ny - 1, width - 8, "440.00", DT_RIGHT);
    SetTextColor(hdc, rgbColor_toCOLORREF(g_matrix_textRGB));
    text(hdc, nx - 6 * 4 - 2, ny - 1, 6 * 4, "freq", DT_RIGHT);
    bitmap_draw(g_numboxPictID + 8, nx + 3, ny + 19);
    bitmap_drawStretch(g_numboxPictID + 9, nx + 6, ny + 19, nx + width - 1, ny + 32);
    bitmap_draw(g_numboxPictID + 10, nx + width - 1, ny + 19);
    bitmap_draw(g_numboxPictID + 4, nx + width + 1, ny + 19);
    bitmap_draw(g_numboxPictID + 3, nx + width + 1, ny + 19);
    SetTextColor(hdc, rgbColor_toCOLORREF(g_numboxTextRGB));
    text(hdc, nx + 6, ny + 19, width - 8, "-12.5", DT_RIGHT);
    window_freeHDC(g_currentWindow, hdc);
}

TEST_F(ToolkitTest, ScreenshotOfEveryPrimitive)
{
    registerPrimitives();
    for (int id : resources_bitmapIds()) bitmap_load(id, g_bitmapList, platform_instance());
    HWND h = makeWindow(1, 20, 20, 560, 300, 40);
    window_setName(1, "Toolkit primitives");
    window_setCurrent(1);
    pic_new(1, 0, 0, kPicNoZone, kPanelMain, 1, nullptr);
    pic_new(2, 10, 20, kPicNoZone, kPanelButtons, 1, nullptr);
    pic_new(3, 280, 20, kPicNoZone, kPanelTracks, 1, nullptr);
    pic_new(4, 10, 160, kPicNoZone, kPanelKeys, 1, nullptr);
    pic_new(5, 280, 160, kPicNoZone, kPanelCells, 1, nullptr);
    for (int k = 0; k < 4; k++)
        pic_new((short)(6 + k), (short)(20 + 58 * k), 36, 0, (short)(kSquareSet + k), 1, nullptr);
    pic_new(10, 20, 100, 0, kTabSet, 1, nullptr);
    pic_new(11, 66, 100, 0, kTabSet + 9, 1, nullptr);
    pic_new(12, 112, 100, 0, kTabSet + 2, 1, nullptr);
    pic_new(13, 292, 110, 0, kPopupSample, 1, nullptr);
    custom_new(20, 0, 0, 560, 300, drawComposite);
    window_updateDrawList(1);
    InvalidateRect(h, nullptr, FALSE);
    headless_runUntilIdle();
    ASSERT_EQ(1, platform_saveWindowPNG(h, "toolkit-primitives.png"));

    // The artwork is where it was put, in the theme's colours.
    unsigned char r, g, b;
    res_colorBytes(res_theme().accentDark, &r, &g, &b);
    EXPECT_EQ(RGB(r, g, b), pixelAt(1, 292 + 56, 182 + 15 + 7));  // the selected cell, right of its text
    // The C key below the black keys shows its own picture; the E key its pressed one.
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bitmap_get(kKeys));
    EXPECT_EQ(GetPixel(mem, 3, 40), pixelAt(1, 22 + 3, 190 + 40));
    SelectObject(mem, bitmap_get(kKeys + 5));
    EXPECT_EQ(GetPixel(mem, 3, 40), pixelAt(1, 22 + 24 + 3, 190 + 40));
    EXPECT_NE(pixelAt(1, 22 + 3, 190 + 40), pixelAt(1, 22 + 24 + 3, 190 + 40));
    res_colorBytes(res_theme().keyWhite, &r, &g, &b);
    COLORREF top = pixelAt(1, 22 + 3, 190 + 1);  // the key's top takes the theme's colour
    EXPECT_NEAR(r, GetRValue(top), 3);
    EXPECT_NEAR(b, GetBValue(top), 3);
    // Through a mask, the panel stays around the round button's corner.
    COLORREF corner = pixelAt(1, 74, 65);
    COLORREF panelNear = pixelAt(1, 72, 65);
    EXPECT_EQ(panelNear, corner);
    // Masks are pure black and white, so hit tests and composition agree.
    HBITMAP mask = bitmap_get(kLedSet + 4);
    ASSERT_NE(nullptr, mask);
    old = SelectObject(mem, mask);
    for (int y = 0; y < 18; y++)
        for (int x = 0; x < 18; x++) {
            COLORREF c = GetPixel(mem, x, y);
            ASSERT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 255)) << x << "," << y;
        }
    SelectObject(mem, old);
    DeleteDC(mem);
    zPoint centre;
    centre.h = 9, centre.v = 9;
    EXPECT_TRUE(pointInBitmap(kLedSet + 4, &centre));
    zPoint outside;
    outside.h = 0, outside.v = 0;
    EXPECT_FALSE(pointInBitmap(kLedSet + 4, &outside));
}

TEST_F(ToolkitTest, ArtworkSetsFollowTheControlsNumbering)
{
    // Number-box pieces: three step-button widths, a 7-pixel pressed column,
    // 13 pixels high throughout.
    RECT r;
    const int widths[11] = {8, 15, 22, 7, 8, 15, 22, 3, 3, 1, 1};
    for (int k = 0; k <= 10; k++) {
        ASSERT_EQ(900 + k, getPictRect((short)(900 + k), &r)) << k;
        EXPECT_EQ(widths[k], r.right) << k;
        EXPECT_EQ(13, r.bottom) << k;
    }
    // Button sets: masks only for shaped looks; states at steps of 8.
    ASSERT_TRUE(res_registerButtonSet(2700, 20, 20, 3, kResButtonRound, nullptr));
    ASSERT_TRUE(res_registerButtonSet(2730, 20, 12, 1, kResButtonSquare, nullptr));
    ASSERT_TRUE(res_registerKeyboardSet(2740, 12, 40, 8, 26));
    ASSERT_TRUE(res_registerTrackSet(2760, 100, 12, 6, 10, 1, 0));
    for (int id : resources_bitmapIds()) bitmap_load(id, g_bitmapList, platform_instance());
    for (int s = 0; s < 3; s++)
        for (int k = 0; k < 8; k++) EXPECT_NE(nullptr, bitmap_get(2700 + 8 * s + k)) << s << k;
    EXPECT_EQ(nullptr, bitmap_get(2700 + 24));
    EXPECT_NE(nullptr, bitmap_get(2733));
    EXPECT_EQ(nullptr, bitmap_get(2734));  // a square button has no mask
    for (int k = 0; k < 18; k++) EXPECT_NE(nullptr, bitmap_get(2740 + k)) << k;
    getPictRect(2740 + 14, &r);
    EXPECT_EQ(8, r.right);
    EXPECT_EQ(26, r.bottom);
    getPictRect(2761, &r);
    EXPECT_EQ(6, r.right);
    getPictRect(2762, &r);  // the level fill has the track's size
    EXPECT_EQ(100, r.right);
    // Bad requests register nothing.
    EXPECT_EQ(0, res_registerBitmap(-1, 10, 10, nullptr, nullptr));
    EXPECT_EQ(0, res_registerPanel(2790, 0, 10, "x"));
    // The program's cursors are real shapes, not the arrow.
    for (const char* name : {"caretCur", "upDownCur", "arrowOnCur"})
        EXPECT_NE(nullptr, LoadCursorA(platform_instance(), name)) << name;
    for (int id = 143; id <= 150; id++)
        EXPECT_NE(nullptr, LoadCursorA(platform_instance(), MAKEINTRESOURCE(id))) << id;
}
