// The Effect window's artwork: the whole client area with the top band of
// the on switch, type and levels (1000), the multicomb page (1001), the
// multitap page (1002), the pipe page (1003), a comb's row (1004), the on
// switch (1016), a comb's switch (1032) and the pipe picture's markers:
// input (1048), outputs 1 and 2 (1049, 1050). The pages are painted in
// page coordinates: a page's top is the window's y 55. The invert switch
// (472) and the level track (1388) are the MIDI and Waveform windows'.
//
// Index:
//   geometry ........... the window, the pages, the columns of the rows
//   main band .......... 1000
//   pages .............. 1003 pipe, 1001 multicomb, 1002 multitap, 1004 row
//   markers ............ 1048..1050
//   registration ....... res_registerEffectArt
#include "resources/resources.h"

// ---- geometry -----------------------------------------------------------------------------
enum { kWinW = 488, kWinH = 288, kPageTop = 55, kPageH = kWinH - kPageTop, kRowW = 430, kRowH = 22 };
// Columns of a comb or tap row (window x of each box, its width with the step buttons).
static const int kColX[7] = {64, 130, 196, 226, 292, 358, 424};
static const int kColW[7] = {59, 59, 22, 59, 59, 59, 59};

static void caption(cairo_t* cr, double x, double y, double w, const char* text, int align)
{
    res_paintText(cr, x, y, w, 11, text, 8.5, res_theme().label, align);
}

static void hint(cairo_t* cr, double x, double y, double w, const char* text, int align)
{
    res_paintText(cr, x, y, w, 11, text, 8, res_theme().textDim, align);
}

// A window y as a page y.
static double py(double windowY) { return windowY - kPageTop; }

// ---- main band ------------------------------------------------------------------------------
static void paintMain(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintBackground(cr, 0, 0, w, h);
    res_paintPanel(cr, 2, 2, w - 4, 50, nullptr);
    caption(cr, 236, 13, 38, "dry", 2);
    caption(cr, 236, 28, 38, "wet", 2);
    // Below the band a page is shown; without an effect type, this says so.
    hint(cr, 0, kPageTop + kPageH / 2 - 6, w, "choose an effect type", 1);
    (void)t;
}

// ---- pages ----------------------------------------------------------------------------------
// The band of master controls of the multicomb and multitap pages.
static void masterBand(cairo_t* cr, int w) { res_paintPanel(cr, 6, py(60), w - 12, 48, "master"); }

// Captions over the columns of the rows, at window y.
static void columnCaptions(cairo_t* cr, double y, const char* const* names, const int* columns, int count)
{
    for (int k = 0; k < count; k++) {
        int c = columns[k];
        caption(cr, kColX[c] - 4, py(y), kColW[c] + 8, names[k], 1);
    }
}

static void paintPipe(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintBackground(cr, 0, 0, w, h);
    res_paintPanel(cr, 6, py(60), 232, 120, "delay");
    res_paintPanel(cr, 244, py(60), w - 250, 120, "along the pipe");
    caption(cr, 310, py(78), 66, "position", 1);
    caption(cr, 382, py(78), 66, "controller", 1);
    caption(cr, 442, py(78), 40, "invert", 1);
    caption(cr, 246, py(94), 62, "input", 2);
    caption(cr, 246, py(112), 62, "output 1", 2);
    caption(cr, 246, py(130), 62, "output 2", 2);
    caption(cr, 246, py(152), 62, "length", 2);
    hint(cr, 310, py(152), 66, "= time", 1);
    res_paintPanel(cr, 0, py(186), w, 98, "pipe");
    hint(cr, 20, py(206), w - 40,
         "input above, outputs 1 and 2 below; lit from the left as far as the feedback reaches", 1);
    // The well the picture is drawn in (the control covers it while shown).
    res_setColor(cr, t.window);
    cairo_rectangle(cr, 44, py(230), 438, 38);
    cairo_fill(cr);
    hint(cr, 44, py(244), 438, "drawn while the pipe effect is on", 1);
    hint(cr, 44, py(268), 40, "start", 0);
    hint(cr, 440, py(268), 38, "end", 2);
}

static void paintComb(cairo_t* cr, int w, int h, const void*)
{
    res_paintBackground(cr, 0, 0, w, h);
    masterBand(cr, w);
    static const char* const names[] = {"time", "controller", "inv", "feedback", "lowpass", "gain dB", "pan"};
    static const int columns[] = {0, 1, 2, 3, 4, 5, 6};
    caption(cr, 6, py(112), 44, "comb", 0);
    columnCaptions(cr, 112, names, columns, 7);
    for (int k = 0; k < 6; k++) {
        double y = 127 + 26 * k;
        char digit[2] = {(char)('1' + k), 0};
        res_paintText(cr, 42, py(y), 12, 18, digit, 11, res_theme().accent, 1);
        // Under the row's controls, seen while the comb is off.
        hint(cr, 56, py(y), kRowW, "off", 1);
    }
    hint(cr, 6, py(275), w - 12, "times and lowpasses are fractions of the master's", 1);
}

static void paintTap(cairo_t* cr, int w, int h, const void*)
{
    res_paintBackground(cr, 0, 0, w, h);
    masterBand(cr, w);
    static const char* const names[] = {"time", "controller", "inv", "gain dB", "pan"};
    static const int columns[] = {0, 1, 2, 3, 4};
    caption(cr, 6, py(134), 44, "tap", 0);
    columnCaptions(cr, 134, names, columns, 5);
    for (int k = 0; k < 3; k++) {
        double y = 150 + 27 * k;
        res_paintPanel(cr, 56, py(y - 5), 306, kRowH, nullptr);
        char digit[2] = {(char)('1' + k), 0};
        res_paintText(cr, 42, py(y - 3), 12, 18, digit, 11, res_theme().accent, 1);
    }
    hint(cr, 6, py(240), w - 12, "tap times are fractions of the master time", 1);
}

static void paintRow(cairo_t* cr, int w, int h, const void*) { res_paintPanel(cr, 0, 0, w, h, nullptr); }

// ---- markers --------------------------------------------------------------------------------
struct markerArg {
    int down;  // points down into the pipe (the input) or down out of it
    const char* digit;
    int accent;
};

static void paintMarker(cairo_t* cr, int w, int h, const void* arg)
{
    const markerArg* a = (const markerArg*)arg;
    const resThemeRec& t = res_theme();
    res_setColor(cr, t.window);
    cairo_paint(cr);
    res_setColor(cr, a->accent ? t.accent : t.text);
    // A triangle pointing down, at the bottom (input) or the top (outputs).
    double top = a->down ? h - 6 : 0;
    cairo_move_to(cr, 0, top);
    cairo_line_to(cr, w, top);
    cairo_line_to(cr, w / 2.0, top + 6);
    cairo_close_path(cr);
    cairo_fill(cr);
    if (a->digit) res_paintText(cr, -1, a->down ? 0 : 6, w + 2, 7, a->digit, 7.5, t.text, 1);
}

// ---- registration ---------------------------------------------------------------------------------
int res_registerEffectArt(void)
{
    int ok = res_registerBitmap(1000, kWinW, kWinH, paintMain, nullptr);
    ok &= res_registerBitmap(1001, kWinW, kPageH, paintComb, nullptr);
    ok &= res_registerBitmap(1002, kWinW, kPageH, paintTap, nullptr);
    ok &= res_registerBitmap(1003, kWinW, kPageH, paintPipe, nullptr);
    ok &= res_registerBitmap(1004, kRowW, kRowH, paintRow, nullptr);
    static const char* const on[] = {"ON"};
    ok &= res_registerButtonSet(1016, 84, 34, 1, kResButtonSquare, on);
    static const char* const combOn[] = {"on"};
    ok &= res_registerButtonSet(1032, 28, 18, 1, kResButtonSquare, combOn);
    static const markerArg in = {1, nullptr, 1}, out1 = {0, "1", 0}, out2 = {0, "2", 0};
    ok &= res_registerBitmap(1048, 7, 12, paintMarker, &in);
    ok &= res_registerBitmap(1049, 7, 12, paintMarker, &out1);
    ok &= res_registerBitmap(1050, 7, 12, paintMarker, &out2);
    return ok;
}
