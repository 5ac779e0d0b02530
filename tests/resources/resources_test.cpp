// The artwork: every registered picture loads with its size, button sets
// keep their id layout with masks that follow the shape, each primitive
// stays inside the rectangle it is given (neighbouring controls are drawn
// next to each other), and the theme keeps text readable.
#include "resources/resources.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <set>

#include "platform/platform.h"

namespace {
class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, platform_init(PLATFORM_PRESENTER_HEADLESS, 640, 480)); }
    void TearDown() override { platform_shutdown(); }
};

struct bitmapSize {
    long w = 0, h = 0;
};

bitmapSize sizeOf(int id)
{
    bitmapSize size;
    HBITMAP b = LoadBitmapA(platform_instance(), MAKEINTRESOURCE(id));
    if (!b) return size;
    BITMAP info;
    if (GetObjectA(b, sizeof info, &info)) {
        size.w = info.bmWidth;
        size.h = info.bmHeight;
    }
    DeleteObject(b);
    return size;
}

COLORREF pixelOf(int id, int x, int y)
{
    HBITMAP b = LoadBitmapA(platform_instance(), MAKEINTRESOURCE(id));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(b);
    return c;
}

// Paints with one primitive into the middle of a larger surface filled
// with a colour no artwork uses, and counts the pixels changed outside the
// rectangle given (a one-pixel allowance for antialiased edges).
template <typename Paint> int pixelsOutside(int w, int h, Paint paint)
{
    const int margin = 12;
    const int W = w + 2 * margin, H = h + 2 * margin;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1.0, 0.0, 1.0);
    cairo_paint(cr);
    paint(cr, double(margin), double(margin), double(w), double(h));
    cairo_destroy(cr);
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    int changed = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            bool inside = x >= margin - 1 && x < margin + w + 1 && y >= margin - 1 && y < margin + h + 1;
            if (inside) continue;
            uint32_t px;
            std::memcpy(&px, data + y * stride + 4 * x, 4);
            changed += (px & 0xFFFFFF) != 0xFF00FF;
        }
    cairo_surface_destroy(s);
    return changed;
}

double luminance(const resColorRec& c)
{
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
}

double contrast(const resColorRec& a, const resColorRec& b)
{
    double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
}  // namespace

TEST_F(ResourcesTest, EveryRegisteredPictureLoadsOnceWithItsSize)
{
    ASSERT_EQ(1, resources_registerAll());
    ASSERT_EQ(1, res_registerMainWindowArt());
    ASSERT_EQ(1, res_registerPatchArt());
    ASSERT_EQ(1, res_registerGalleryArt());
    const std::vector<int>& ids = resources_bitmapIds();
    ASSERT_GT(ids.size(), 200u);
    std::set<int> seen;
    for (int id : ids) {
        EXPECT_TRUE(seen.insert(id).second) << "listed twice: " << id;
        bitmapSize s = sizeOf(id);
        EXPECT_GT(s.w, 0) << id;
        EXPECT_GT(s.h, 0) << id;
    }
    // Registering again replaces pictures without listing them twice.
    size_t before = ids.size();
    ASSERT_EQ(1, res_registerGalleryArt());
    EXPECT_EQ(before, resources_bitmapIds().size());
    // Requests that cannot make a picture are refused.
    EXPECT_EQ(0, res_registerPanel(70000, 10, 10, nullptr));
    EXPECT_EQ(0, res_registerPanel(3000, 0, 10, nullptr));
    EXPECT_EQ(0, res_registerPanel(3000, 10, -4, nullptr));
    EXPECT_EQ(0, res_registerBitmap(3000, 10, 10, nullptr, nullptr));
    EXPECT_EQ(0, sizeOf(3000).w);
}

TEST_F(ResourcesTest, ButtonSetsKeepTheirLayoutAndMasksFollowTheShape)
{
    const char* texts[] = {"One", "Two"};
    ASSERT_EQ(1, res_registerButtonSet(3000, 40, 20, 2, kResButtonRound, texts));
    ASSERT_EQ(1, res_registerButtonSet(3100, 40, 20, 1, kResButtonSquare, nullptr));
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 8; ++k) {
            bitmapSize size = sizeOf(3000 + 8 * s + k);
            EXPECT_EQ(40, size.w) << s << " " << k;
            EXPECT_EQ(20, size.h) << s << " " << k;
        }
    // A square look has no masks.
    EXPECT_EQ(40, sizeOf(3100 + 3).w);
    EXPECT_EQ(0, sizeOf(3100 + 4).w);
    // The round mask is black in the middle and white in the corners, so the
    // window behind shows around the button.
    EXPECT_EQ(RGB(0, 0, 0), pixelOf(3004, 20, 10));
    EXPECT_EQ(RGB(255, 255, 255), pixelOf(3004, 0, 0));
    EXPECT_EQ(RGB(255, 255, 255), pixelOf(3004, 39, 19));
    // Normal, selected and disabled pictures can be told apart.
    EXPECT_NE(pixelOf(3000, 20, 10), pixelOf(3001, 20, 10));
    bool differs = false;
    for (int x = 4; x < 36 && !differs; ++x)
        for (int y = 4; y < 16 && !differs; ++y) differs = pixelOf(3000, x, y) != pixelOf(3002, x, y);
    EXPECT_TRUE(differs) << "a disabled button looks like an enabled one";
}

TEST_F(ResourcesTest, PrimitivesStayInsideTheirRectangle)
{
    for (int w : {6, 24, 61}) {
        for (int h : {5, 17, 40}) {
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
            EXPECT_EQ(0, pixelsOutside(w, h, res_paintBackground));
            EXPECT_EQ(0, pixelsOutside(w, h, [](cairo_t* cr, double x, double y, double pw, double ph) {
                          res_paintPanel(cr, x, y, pw, ph, "Filter");
                      }));
            for (int look : {kResButtonSquare, kResButtonRound, kResButtonLed, kResButtonTab})
                for (int state : {kResNormal, kResSelected, kResDisabled, kResDisabledSelected})
                    EXPECT_EQ(0, pixelsOutside(w, h,
                                               [&](cairo_t* cr, double x, double y, double pw, double ph) {
                                                   res_paintButton(cr, x, y, pw, ph, look, state, "Waveform");
                                               }))
                        << "look " << look << " state " << state;
            EXPECT_EQ(0, pixelsOutside(w, h, [](cairo_t* cr, double x, double y, double pw, double ph) {
                          res_paintTrack(cr, x, y, pw, ph, 1);
                          res_paintTrack(cr, x, y, pw, ph, 0);
                      }));
            EXPECT_EQ(0, pixelsOutside(w, h, res_paintLevelFill));
            for (int pressed : {0, 1}) {
                EXPECT_EQ(0, pixelsOutside(w, h, [&](cairo_t* cr, double x, double y, double pw, double ph) {
                              res_paintSliderKnob(cr, x, y, pw, ph, pressed);
                              res_paintRoundKnob(cr, x, y, pw, ph, pressed);
                              res_paintKey(cr, x, y, pw, ph, 0, pressed);
                              res_paintKey(cr, x, y, pw, ph, 1, pressed);
                              res_paintCell(cr, x, y, pw, ph, pressed);
                          }));
            }
            for (int g = 0; g < kResGlyphCount; ++g)
                EXPECT_EQ(0, pixelsOutside(w, h,
                                           [&](cairo_t* cr, double x, double y, double pw, double ph) {
                                               res_paintGlyph(cr, x, y, pw, ph, g);
                                           }))
                    << "glyph " << g;
            EXPECT_EQ(0, pixelsOutside(w, h, [](cairo_t* cr, double x, double y, double pw, double ph) {
                          res_paintText(cr, x, y, pw, ph, "A long label that does not fit", 12,
                                        res_theme().text, 1);
                      }));
        }
    }
}

TEST_F(ResourcesTest, TheThemeKeepsTextReadable)
{
    const resThemeRec& t = res_theme();
    // Values, labels and item texts on every surface they are drawn on.
    EXPECT_GE(contrast(t.text, t.field), 4.5);
    EXPECT_GE(contrast(t.text, t.panel), 4.5);
    EXPECT_GE(contrast(t.text, t.buttonFace), 4.5);
    EXPECT_GE(contrast(t.text, t.buttonFaceDown), 4.5);
    EXPECT_GE(contrast(t.text, t.accentDark), 4.5);
    EXPECT_GE(contrast(t.label, t.panel), 4.5);
    EXPECT_GE(contrast(t.label, t.window), 4.5);
    EXPECT_GE(contrast(t.accent, t.field), 4.5);
    // Disabled text is still legible but clearly dimmer than enabled text.
    EXPECT_GE(contrast(t.textDim, t.panel), 2.0);
    EXPECT_LT(luminance(t.textDim), 0.5 * luminance(t.text));
    // Keys, lit and pressed, stand apart from each other.
    EXPECT_GE(contrast(t.keyWhite, t.keyBlack), 4.5);
    EXPECT_GT(contrast(t.keyWhite, t.keyWhiteDown), 1.1);
    EXPECT_GT(contrast(t.keyBlack, t.keyBlackDown), 1.1);
    // The byte form used by the controls rounds to the nearest step.
    unsigned char r, g, b;
    res_colorBytes(t.text, &r, &g, &b);
    EXPECT_EQ(251, r);
    EXPECT_EQ(251, g);
    EXPECT_EQ(216, b);
}
