// The MIDI window's artwork: one panel per page (1200 controllers, 1201
// velocity, 1202 note maps) with the captions of its rows and columns, the
// fill under a note map's values (1203), the page tabs (1216, 1224, 1232),
// the note-keyboard switch (1240), the controller button without text (the
// window writes the controller's name, 1248), the channel switches (416,
// 424, 432), the master filter switch (440) and the velocity invert switch
// (472).
//
// Index:
//   geometry ........... places in the window (client coordinates)
//   panels ............. the three pages
//   map fill ........... 1203
//   registration ....... res_registerMidiArt, res_registerRoutingSwitches
#include "resources/resources.h"
#include <cstdio>

// ---- geometry -------------------------------------------------------------------------------
enum {
    kPage1W = 372,
    kPage1H = 312,
    kPage2W = 438,
    kPage2H = 180,
    kPage3W = 458,
    kPage3H = 306,
    kMapX = 14,
    kMapY = 95,
    kMapW = 384,
    kMapH = 200,
    kStripH = 34
};

// ---- panels -----------------------------------------------------------------------------------
static void caption(cairo_t* cr, double x, double y, double w, const char* text, int align)
{
    res_paintText(cr, x, y, w, 12, text, 8.5, res_theme().label, align);
}

static void unit(cairo_t* cr, double x, double y, double w, const char* text)
{
    res_paintText(cr, x, y, w, 12, text, 8, res_theme().textDim, 0);
}

// The panel with the band of page tabs along its top.
static void pageFrame(cairo_t* cr, int w, int h)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, 2, 2, w - 4, kStripH - 2);
    cairo_fill(cr);
    res_setColor(cr, t.edgeDark);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 2, kStripH + 0.5);
    cairo_line_to(cr, w - 2, kStripH + 0.5);
    cairo_stroke(cr);
}

static void paintControllers(cairo_t* cr, int w, int h, const void*)
{
    pageFrame(cr, w, h);
    caption(cr, 15, 44, 120, "controller", 0);
    caption(cr, 150, 44, 70, "depth", 0);
    caption(cr, 232, 44, 50, "lag", 0);
    caption(cr, 292, 44, 76, "acts on", 0);
    static const char* const rows[6] = {"pitch bend", "modulation", "filter", "effect", "pan", "volume"};
    static const int rowY[6] = {68, 113, 157, 201, 245, 289};
    for (int k = 0; k < 6; ++k) {
        // The pitch bend has no controller button: its caption takes the place.
        caption(cr, 15, k == 0 ? rowY[k] : rowY[k] - 14, 130, rows[k], 0);
        if (k < 5) unit(cr, 212, rowY[k], 22, k == 0 ? "st" : "%");
    }
    unit(cr, 296, 98, 60, "oscil 1 2 3");
    unit(cr, 296, 127, 60, "filter 1 2 3");
}

static void paintVelocity(cairo_t* cr, int w, int h, const void*)
{
    pageFrame(cr, w, h);
    caption(cr, 8, 40, 300, "velocity sensitivity %   (inv: the curve falls)", 0);
    static const char* const rows[3] = {"amp", "fm/bal", "filter"};
    static const int rowY[3] = {66, 109, 152};
    static const int boxX[4] = {70, 158, 247, 338};
    for (int r = 0; r < 3; ++r) {
        caption(cr, 8, rowY[r], 58, rows[r], 0);
        for (int c = 0; c < (r == 2 ? 4 : 3); ++c) {
            char text[32];
            if (r == 2 && c == 3)
                snprintf(text, sizeof text, "master");
            else
                snprintf(text, sizeof text, "%s %d", r == 2 ? "filter" : "oscil", c + 1);
            unit(cr, boxX[c] + 3, rowY[r] - 14, 70, text);
        }
    }
}

static void paintNoteMaps(cairo_t* cr, int w, int h, const void*)
{
    pageFrame(cr, w, h);
    caption(cr, 14, 52, 36, "map", 0);
    // The labels' black band above the map and the value column beside it.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_rectangle(cr, kMapX, 77, 445 - kMapX, 12);
    cairo_rectangle(cr, kMapX, kMapY, kMapW, kMapH);
    cairo_rectangle(cr, 409, 89, 445 - 409, kMapY + kMapH - 89);
    cairo_fill(cr);
    // Octave ticks under the map, at every C.
    const resThemeRec& t = res_theme();
    res_setColor(cr, t.edgeLight);
    cairo_set_line_width(cr, 1);
    for (int note = 0; note < 128; note += 12) {
        double x = kMapX + 3 * note + 0.5;
        cairo_move_to(cr, x, kMapY + kMapH + 1);
        cairo_line_to(cr, x, kMapY + kMapH + 5);
    }
    cairo_stroke(cr);
}

// ---- map fill -------------------------------------------------------------------------------------
// Bright at the top of a column, deep at its foot.
static void paintMapFill(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(p, 0, t.accent.r, t.accent.g, t.accent.b);
    cairo_pattern_add_color_stop_rgb(p, 1, t.accentDark.r, t.accentDark.g, t.accentDark.b);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // A darker right edge parts the columns.
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_rectangle(cr, w - 1, 0, 1, h);
    cairo_fill(cr);
}

// ---- registration ------------------------------------------------------------------------------------
int res_registerMidiArt(void)
{
    int ok = res_registerBitmap(1200, kPage1W, kPage1H, paintControllers, nullptr);
    ok &= res_registerBitmap(1201, kPage2W, kPage2H, paintVelocity, nullptr);
    ok &= res_registerBitmap(1202, kPage3W, kPage3H, paintNoteMaps, nullptr);
    ok &= res_registerBitmap(1203, 3, kMapH, paintMapFill, nullptr);
    static const char* const controllers[] = {"controllers"};
    static const char* const velocity[] = {"velocity"};
    static const char* const maps[] = {"note maps"};
    ok &= res_registerButtonSet(1216, 110, 18, 1, kResButtonTab, controllers);
    ok &= res_registerButtonSet(1224, 76, 18, 1, kResButtonTab, velocity);
    ok &= res_registerButtonSet(1232, 84, 18, 1, kResButtonTab, maps);
    static const char* const keys[] = {"keys"};
    ok &= res_registerButtonSet(1240, 34, 16, 1, kResButtonSquare, keys);
    ok &= res_registerButtonSet(1248, 124, 16, 1, kResButtonSquare, nullptr);
    ok &= res_registerRoutingSwitches();
    return ok;
}

// Shared with the LFO window, whichever of the two is built first.
int res_registerRoutingSwitches(void)
{
    static const char* const chan[3][1] = {{"1"}, {"2"}, {"3"}};
    int ok = 1;
    for (int c = 0; c < 3; ++c)
        ok &= res_registerButtonSet(416 + 8 * c, 15, 15, 1, kResButtonSquare, chan[c]);
    static const char* const master[] = {"master"};
    ok &= res_registerButtonSet(440, 50, 15, 1, kResButtonSquare, master);
    static const char* const invert[] = {"inv"};
    ok &= res_registerButtonSet(472, 22, 14, 1, kResButtonSquare, invert);
    return ok;
}
