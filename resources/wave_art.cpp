// The Waveform window's artwork: the main panel (1300) that frames the
// editors' view and the read-out line, the amplitude and offset panel
// (1301), the drawing-tool buttons with a glyph of what each tool draws
// (1316 line, 1324 half cosine, 1332 stretch, 1340 single harmonic, 1348
// paint), the mode tabs (1372, 1380), the sliders (1388) and the start-point
// strip whose pointer marks the anchor sample above the view (1400).
//
// Index:
//   geometry ........... places in the window (client coordinates)
//   panels ............. paintMain (1300), paintSliders (1301)
//   tool glyphs ........ paintTool and one drawing per tool
//   start-point strip .. paintStartTrack, paintStartKnob
//   registration ....... res_registerWaveArt
#include "resources/resources.h"
#include <cmath>

// ---- geometry -------------------------------------------------------------------------------
enum {
    kWaveW = 533,
    kWaveH = 366,
    kViewX = 10,
    kViewY = 82,
    kViewW = 512,
    kViewH = 257,
    kInfoY = 343,
    kSliderPanelW = 222,
    kSliderPanelH = 34,
    kStripY = 67,
    kStripH = 15,
    kToolSize = 20,
    kPointerW = 20
};

// ---- panels -----------------------------------------------------------------------------------
static void recess(cairo_t* cr, double x, double y, double w, double h)
{
    const resThemeRec& t = res_theme();
    res_setColor(cr, t.field);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1);
    res_setColor(cr, t.edgeDark);
    cairo_move_to(cr, x - 0.5, y + h);
    cairo_line_to(cr, x - 0.5, y - 0.5);
    cairo_line_to(cr, x + w, y - 0.5);
    cairo_stroke(cr);
    res_setColor(cr, t.edgeLight);
    cairo_move_to(cr, x + w + 0.5, y - 0.5);
    cairo_line_to(cr, x + w + 0.5, y + h + 0.5);
    cairo_line_to(cr, x - 0.5, y + h + 0.5);
    cairo_stroke(cr);
}

static void paintMain(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    // The tool row's caption and the strip above the view.
    res_paintText(cr, 204, 3, 64, 12, "tools", 8, t.textDim, 0);
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, 0, kStripY, w, kStripH);
    cairo_fill(cr);
    recess(cr, kViewX, kViewY, kViewW, kViewH);
    recess(cr, kViewX, kInfoY, kViewW, 17);
}

static void paintSliders(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    res_paintText(cr, 5, 2, 36, 14, "amp", 9, t.label, 0);
    res_paintText(cr, 5, 17, 36, 14, "offset", 9, t.label, 0);
}

// ---- tool glyphs ----------------------------------------------------------------------------------
struct toolArg {
    int tool;  // 0 line, 1 half cosine, 2 stretch, 3 single harmonic, 4 paint
    int state;
};

static void glyphLine(cairo_t* cr, double s)
{
    cairo_move_to(cr, 4, s - 5);
    cairo_line_to(cr, s / 2, 5);
    cairo_line_to(cr, s - 4, s - 8);
    cairo_stroke(cr);
}

static void glyphHalfCosine(cairo_t* cr, double s)
{
    cairo_move_to(cr, 4, s - 5);
    cairo_curve_to(cr, s / 2, s - 5, s / 2, 5, s - 4, 5);
    cairo_stroke(cr);
}

static void glyphStretch(cairo_t* cr, double s)
{
    cairo_move_to(cr, 3, s - 6);
    cairo_line_to(cr, 5, s - 6);
    cairo_curve_to(cr, 8, s - 6, 8, 5, s / 2, 5);
    cairo_curve_to(cr, s - 8, 5, s - 8, s - 6, s - 5, s - 6);
    cairo_line_to(cr, s - 3, s - 6);
    cairo_stroke(cr);
    double dashes[] = {1.5, 1.5};
    cairo_set_dash(cr, dashes, 2, 0);
    cairo_move_to(cr, 5, 3);
    cairo_line_to(cr, 5, s - 3);
    cairo_move_to(cr, s - 5, 3);
    cairo_line_to(cr, s - 5, s - 3);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

static void glyphBars(cairo_t* cr, double s, int single)
{
    static const double heights[4] = {11, 7, 9, 4};
    for (int i = 0; i < 4; ++i) {
        double x = 4 + i * 3.5, top = s - 4 - heights[i];
        cairo_rectangle(cr, x, top, 2.5, heights[i]);
        if (single && i != 2) {
            cairo_save(cr);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            cairo_restore(cr);
        } else {
            cairo_fill(cr);
        }
    }
    if (!single) {
        // The brush stroke across the bar tops.
        cairo_move_to(cr, 3, 6);
        cairo_line_to(cr, s - 3, 10);
        cairo_stroke(cr);
    }
}

static void paintTool(cairo_t* cr, int w, int h, const void* arg)
{
    const toolArg* a = (const toolArg*)arg;
    const resThemeRec& t = res_theme();
    res_paintBackground(cr, 0, 0, w, h);
    res_paintButton(cr, 0, 0, w, h, kResButtonSquare, a->state, nullptr);
    int selected = a->state == kResSelected || a->state == kResDisabledSelected;
    res_setColor(cr, a->state >= kResDisabled ? t.textDim : (selected ? t.accent : t.text));
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    double s = w;
    switch (a->tool) {
    case 0: glyphLine(cr, s); break;
    case 1: glyphHalfCosine(cr, s); break;
    case 2: glyphStretch(cr, s); break;
    case 3: glyphBars(cr, s, 1); break;
    default: glyphBars(cr, s, 0); break;
    }
}

// ---- start-point strip ------------------------------------------------------------------------------
// Ticks every eighth of the cycle, over the view's columns.
static void paintStartTrack(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    res_setColor(cr, t.edgeLight);
    cairo_set_line_width(cr, 1);
    for (int k = 0; k <= 8; ++k) {
        double x = kViewX + k * 64 + 0.5;
        cairo_move_to(cr, x, h - (k % 4 == 0 ? 7 : 4));
        cairo_line_to(cr, x, h);
    }
    cairo_stroke(cr);
}

// A pointer whose tip marks the anchor sample.
static void paintStartKnob(cairo_t* cr, int w, int h, const void* arg)
{
    const resThemeRec& t = res_theme();
    int pressed = *(const int*)arg;
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    res_setColor(cr, pressed ? t.text : t.accent);
    cairo_move_to(cr, w / 2.0 - 6, 1);
    cairo_line_to(cr, w / 2.0 + 6, 1);
    cairo_line_to(cr, w / 2.0, h);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// ---- registration ------------------------------------------------------------------------------------
int res_registerWaveArt(void)
{
    int ok = res_registerBitmap(1300, kWaveW, kWaveH, paintMain, nullptr);
    ok &= res_registerBitmap(1301, kSliderPanelW, kSliderPanelH, paintSliders, nullptr);
    for (int tool = 0; tool < 5; ++tool)
        for (int state = 0; state < 4; ++state) {
            toolArg a{tool, state};
            ok &= res_registerBitmap(1316 + 8 * tool + state, kToolSize, kToolSize, paintTool, &a);
        }
    static const char* const wave[] = {"wave"};
    static const char* const spectrum[] = {"spectrum"};
    ok &= res_registerButtonSet(1372, 62, 18, 1, kResButtonTab, wave);
    ok &= res_registerButtonSet(1380, 62, 18, 1, kResButtonTab, spectrum);
    ok &= res_registerTrackSet(1388, 128, 12, 8, 12, 1, 0);
    static const int normal = 0, pressed = 1;
    ok &= res_registerBitmap(1400, kWaveW, kStripH, paintStartTrack, nullptr);
    ok &= res_registerBitmap(1401, kPointerW, kStripH, paintStartKnob, &normal);
    ok &= res_registerBitmap(1402, kWaveW, kStripH, paintStartTrack, nullptr);
    ok &= res_registerBitmap(1403, kPointerW, kStripH, paintStartKnob, &pressed);
    return ok;
}
