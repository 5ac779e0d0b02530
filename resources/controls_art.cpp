// Artwork of the toolkit's controls beyond the generic sets: wave glyphs
// for pop-up bitmap items, a two-axis pad for draggies, list lines, and the
// complete set of the toolkit gallery (section panels, buttons of every
// kind, tracks, cells, a keyboard and glyphs).
#include "resources/resources.h"
#include <algorithm>
#include <cmath>

// ---- wave glyphs -----------------------------------------------------------------------------

// The glyph's curve at x in 0..1, as -1..1.
static double glyphValue(int glyph, double x)
{
    switch (glyph) {
    case kResGlyphSine: return std::sin(2 * M_PI * x);
    case kResGlyphTriangle: return x < 0.25 ? 4 * x : x < 0.75 ? 2 - 4 * x : 4 * x - 4;
    case kResGlyphSaw: return 1 - 2 * x;
    case kResGlyphSquare: return x < 0.5 ? 0.8 : -0.8;
    case kResGlyphPulse: return x < 0.2 ? 0.8 : -0.8;
    default: {  // noise: a fixed scatter, the same on every run
        unsigned v = (unsigned)(x * 24) * 2654435761u;
        return ((v >> 24) / 127.5 - 1.0) * 0.9;
    }
    }
}

void res_paintGlyph(cairo_t* cr, double x, double y, double w, double h, int glyph)
{
    const resThemeRec& t = res_theme();
    cairo_save(cr);
    // The noise curve turns sharply: mitred corners would poke out of the
    // glyph into the pop-up item beside it, so corners are bevelled and the
    // drawing is clipped to the glyph.
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL);
    res_setColor(cr, t.field);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    res_setColor(cr, t.edgeDark);  // the zero line
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x + 1, y + std::floor(h / 2) + 0.5);
    cairo_line_to(cr, x + w - 1, y + std::floor(h / 2) + 0.5);
    cairo_stroke(cr);
    res_setColor(cr, t.accent);
    cairo_set_line_width(cr, 1.4);
    int steps = glyph == kResGlyphNoise ? 24 : 48;
    for (int i = 0; i <= steps; i++) {
        double fx = (double)i / steps;
        double px = x + 2 + fx * (w - 4),
               py = y + h / 2 - glyphValue(glyph, std::min(fx, 0.9999)) * (h / 2 - 2);
        if (i == 0)
            cairo_move_to(cr, px, py);
        else
            cairo_line_to(cr, px, py);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

struct glyphArg {
    int glyph;
};

static void paintGlyph(cairo_t* cr, int w, int h, const void* arg)
{
    res_paintGlyph(cr, 0, 0, w, h, ((const glyphArg*)arg)->glyph);
}

int res_registerGlyphSet(int base, int w, int h)
{
    int ok = 1;
    for (int g = 0; g < kResGlyphCount; g++) {
        glyphArg a{g};
        ok &= res_registerBitmap(base + g, w, h, paintGlyph, &a);
    }
    return ok;
}

// ---- the pad -------------------------------------------------------------------------------------

void res_paintPad(cairo_t* cr, double x, double y, double w, double h)
{
    const resThemeRec& t = res_theme();
    cairo_save(cr);
    res_setColor(cr, t.track);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1);
    res_setColor(cr, t.panelDark);  // a grid of quarters
    for (int i = 1; i < 4; i++) {
        double gx = std::floor(x + w * i / 4) + 0.5, gy = std::floor(y + h * i / 4) + 0.5;
        cairo_move_to(cr, gx, y + 1);
        cairo_line_to(cr, gx, y + h - 1);
        cairo_move_to(cr, x + 1, gy);
        cairo_line_to(cr, x + w - 1, gy);
    }
    cairo_stroke(cr);
    res_setColor(cr, t.edgeDark);
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

static void paintPad(cairo_t* cr, int w, int h, const void*) { res_paintPad(cr, 0, 0, w, h); }

static void paintRoundKnob(cairo_t* cr, int w, int h, const void* arg)
{
    res_paintRoundKnob(cr, 0, 0, w, h, *(const int*)arg);
}

int res_registerPadSet(int track, int w, int h, int knob)
{
    static const int up = 0, down = 1;
    int ok = res_registerBitmap(track, w, h, paintPad, nullptr);
    ok &= res_registerBitmap(track + 1, knob, knob, paintRoundKnob, &up);
    ok &= res_registerBitmap(track + 2, w, h, paintPad, nullptr);
    ok &= res_registerBitmap(track + 3, knob, knob, paintRoundKnob, &down);
    return ok;
}

// ---- the gallery's set -----------------------------------------------------------------------------

int res_registerGalleryArt(void)
{
    struct panelDef {
        int id, w, h;
        const char* label;
    };
    static const panelDef panels[] = {
        {kResGalleryPanelNumbox, 250, 130, "Number boxes"}, {kResGalleryPanelDraggy, 250, 130, "Draggies"},
        {kResGalleryPanelPopup, 176, 130, "Pop-ups"},       {kResGalleryPanelButton, 250, 120, "Buttons"},
        {kResGalleryPanelDisplay, 250, 120, "Displays"},    {kResGalleryPanelMatrix, 176, 120, "Matrix"},
        {kResGalleryPanelList, 160, 134, "List"},           {kResGalleryPanelPanels, 524, 134, "Panels"},
        {kResGalleryPanelInner, 330, 92, "Inner panel"},    {kResGalleryPanelKeyboard, 692, 100, "Keyboard"},
    };
    int ok = 1;
    for (const panelDef& p : panels) ok &= res_registerPanel(p.id, p.w, p.h, p.label);
    const char* store[] = {"Store"};
    ok &= res_registerButtonSet(kResGalleryStore, 50, 18, 1, kResButtonSquare, store);
    ok &= res_registerButtonSet(kResGalleryLed, 18, 18, 1, kResButtonLed, nullptr);
    const char* tabs[3][1] = {{"Osc 1"}, {"Osc 2"}, {"Osc 3"}};
    for (int k = 0; k < 3; k++)
        ok &= res_registerButtonSet(kResGalleryTab + 8 * k, 44, 16, 1, kResButtonTab, tabs[k]);
    const char* waves[] = {"Sine", "Saw", "Square"};
    ok &= res_registerButtonSet(kResGalleryMulti, 54, 18, 3, kResButtonSquare, waves);
    ok &= res_registerButtonSet(kResGalleryRound, 24, 24, 1, kResButtonRound, nullptr);
    ok &= res_registerButtonSet(kResGalleryPlain, 60, 18, 1, kResButtonSquare, nullptr);
    ok &= res_registerTrackSet(kResGalleryLevel, 140, 16, 8, 14, 1, 0);
    ok &= res_registerTrackSet(kResGalleryFader, 18, 90, 16, 10, 0, 0);
    ok &= res_registerPadSet(kResGalleryPad, 70, 70, 14);
    ok &= res_registerTrackSet(kResGalleryWheel, 18, 70, 16, 10, 0, 0);
    ok &= res_registerCellPair(kResGalleryCell, 50, 14);
    ok &= res_registerCellPair(kResGalleryLine, 138, 14);
    ok &= res_registerKeyboardSet(kResGalleryKeys, 12, 56, 8, 34);
    ok &= res_registerGlyphSet(kResGalleryGlyphs, 30, 10);
    return ok;
}
