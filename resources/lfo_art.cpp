// The LFO window's artwork: one column of the window with the captions of
// its sections (400), the same column as an LFO that is off (401), the on
// switch (408), the S/H (448), retrigger (456) and one-for-all-voices (464)
// switches, and the controller button without text (480; the window writes
// the controller's name). The routing switches 416..440 and 472 are the
// MIDI window's.
//
// Index:
//   geometry ........... places in a column (column coordinates)
//   columns ............ 400 and 401
//   registration ....... res_registerLfoArt
#include "resources/resources.h"

// ---- geometry -------------------------------------------------------------------------------
enum { kColumnW = 205, kColumnH = 466 };

// ---- columns ----------------------------------------------------------------------------------
static void caption(cairo_t* cr, double x, double y, double w, const char* text)
{
    res_paintText(cr, x, y, w, 11, text, 8.5, res_theme().label, 0);
}

// A thin rule across the column, parting its sections.
static void rule(cairo_t* cr, double y)
{
    const resThemeRec& t = res_theme();
    cairo_set_line_width(cr, 1);
    res_setColor(cr, t.edgeDark);
    cairo_move_to(cr, 8, y + 0.5);
    cairo_line_to(cr, kColumnW - 8, y + 0.5);
    cairo_stroke(cr);
    res_setColor(cr, t.edgeLight);
    cairo_move_to(cr, 8, y + 1.5);
    cairo_line_to(cr, kColumnW - 8, y + 1.5);
    cairo_stroke(cr);
}

static void paintOn(cairo_t* cr, int w, int h, const void*)
{
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    rule(cr, 82);
    caption(cr, 25, 98, 100, "pitch");
    caption(cr, 150, 98, 50, "st");
    caption(cr, 25, 138, 100, "amp");
    caption(cr, 150, 138, 50, "%");
    caption(cr, 25, 178, 100, "modulation");
    caption(cr, 150, 178, 50, "%");
    caption(cr, 150, 204, 50, "%");
    caption(cr, 25, 205, 100, "filter");
    caption(cr, 25, 258, 80, "effect %");
    caption(cr, 110, 258, 80, "pan %");
    rule(cr, 300);
    caption(cr, 15, 308, 110, "controllers");
    caption(cr, 126, 308, 70, "range %");
    caption(cr, 15, 324, 110, "depth");
    caption(cr, 15, 361, 110, "rate");
    caption(cr, 15, 399, 110, "S/H rate");
}

static void paintOff(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, 8, 34, w - 16, h - 42);
    cairo_fill(cr);
    res_paintText(cr, 0, h / 2 - 20, w, 40, "off", 26, t.textDim, 1);
}

// ---- registration ------------------------------------------------------------------------------------
int res_registerLfoArt(void)
{
    int ok = res_registerBitmap(400, kColumnW, kColumnH, paintOn, nullptr);
    ok &= res_registerBitmap(401, kColumnW, kColumnH, paintOff, nullptr);
    static const char* const on[] = {"on"};
    ok &= res_registerButtonSet(408, 28, 16, 1, kResButtonSquare, on);
    static const char* const sh[] = {"S/H"};
    ok &= res_registerButtonSet(448, 36, 16, 1, kResButtonSquare, sh);
    static const char* const retrigger[] = {"retrigger"};
    ok &= res_registerButtonSet(456, 70, 16, 1, kResButtonSquare, retrigger);
    static const char* const global[] = {"global"};
    ok &= res_registerButtonSet(464, 46, 16, 1, kResButtonSquare, global);
    ok &= res_registerButtonSet(480, 96, 16, 1, kResButtonSquare, nullptr);
    ok &= res_registerRoutingSwitches();
    return ok;
}
