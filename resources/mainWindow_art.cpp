// The Main window's artwork in the theme: the top background (129) with the
// preset field and the number-box well, the three slider backgrounds (130,
// 131, 132: one, two or three controller rows above the performance row),
// the instance buttons (1600 + 8 i),
// the editor-window, page, store, panic, keys, hold and sustain buttons,
// the preset matrix cell, the controller slider, the keyboard keys, and the
// pitch-bend wheel (2248) with its ridge.
//
// The wells painted into 129 sit where the window places the preset
// number and name displays and the number boxes; kMain* below and the
// window's own layout agree on them.
#include "resources/resources.h"
#include <cmath>
#include <cstdio>

namespace {
enum {
    kMainWidth = 640,
    kMainTopHeight = 160,
    kSliderRowsHeight1 = 40,  // one row of controllers, rows start at 15
    kSliderRowsHeight2 = 62,
    kSliderRowsHeight3 = 83,
    kPerfHeight = 58,
    kBendW = 24,
    kBendH = 48
};

void paintTop(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    // "inst" before the eight instance buttons.
    res_paintText(cr, 6, 4, 23, 18, "inst", 9, t.label, 0);
    // The preset number and name well.
    res_setColor(cr, t.field);
    cairo_rectangle(cr, 6, 27, 254, 20);
    cairo_fill(cr);
    res_setColor(cr, t.edgeDark);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 6.5, 27.5, 253, 19);
    cairo_stroke(cr);
    res_setColor(cr, t.edgeLight);
    cairo_move_to(cr, 35.5, 29);
    cairo_line_to(cr, 35.5, 45);
    cairo_stroke(cr);
    // The well around the number boxes, panic and the keys switch.
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, 420, 60, 216, 94);
    cairo_fill(cr);
    res_setColor(cr, t.edgeDark);
    cairo_rectangle(cr, 420.5, 60.5, 215, 93);
    cairo_stroke(cr);
}

// A slider background: the controller rows, then the performance row.
void paintSliders(cairo_t* cr, int w, int h, const void* arg)
{
    const resThemeRec& t = res_theme();
    int rows = *(const int*)arg;
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    res_paintText(cr, 10, 0, 120, 12, rows == 1 ? "controller" : "controllers", 9, t.label, 0);
    // A faint line between the rows.
    res_setColor(cr, t.edgeDark);
    cairo_set_line_width(cr, 1);
    for (int r = 1; r < rows; r++) {
        double y = 14 + 22 * r - 1.5;
        cairo_move_to(cr, 10, y);
        cairo_line_to(cr, w - 10, y);
    }
    // The performance row below the controllers.
    double perf = h - kPerfHeight - 0.5;
    cairo_move_to(cr, 6, perf);
    cairo_line_to(cr, w - 6, perf);
    cairo_stroke(cr);
    res_setColor(cr, t.edgeLight);
    cairo_move_to(cr, 6, perf + 1);
    cairo_line_to(cr, w - 6, perf + 1);
    cairo_stroke(cr);
}

// The bend wheel's housing: a slot with the wheel's shaded drum.
void paintBend(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_setColor(cr, t.edgeDark);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 2, 0, h - 2);
    cairo_pattern_add_color_stop_rgb(p, 0, t.track.r, t.track.g, t.track.b);
    cairo_pattern_add_color_stop_rgb(p, 0.5, t.buttonFace.r, t.buttonFace.g, t.buttonFace.b);
    cairo_pattern_add_color_stop_rgb(p, 1, t.track.r, t.track.g, t.track.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_rectangle(cr, 3, 2, w - 6, h - 4);
    cairo_fill(cr);
    // The centre mark on both sides of the slot.
    res_setColor(cr, t.textDim);
    cairo_rectangle(cr, 0, h / 2 - 1, 2, 2);
    cairo_rectangle(cr, w - 2, h / 2 - 1, 2, 2);
    cairo_fill(cr);
}

// The ridge across the wheel that shows its position.
void paintRidge(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_setColor(cr, t.accent);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    res_setColor(cr, t.accentDark);
    cairo_rectangle(cr, 0, h - 1, w, 1);
    cairo_fill(cr);
}
}  // namespace

int res_registerMainWindowArt(void)
{
    static const int one = 1, two = 2, three = 3;
    int ok = res_registerBitmap(129, kMainWidth, kMainTopHeight, paintTop, nullptr);
    ok &= res_registerBitmap(130, kMainWidth, kSliderRowsHeight1 + kPerfHeight, paintSliders, &one);
    ok &= res_registerBitmap(131, kMainWidth, kSliderRowsHeight2 + kPerfHeight, paintSliders, &two);
    ok &= res_registerBitmap(132, kMainWidth, kSliderRowsHeight3 + kPerfHeight, paintSliders, &three);

    // Instances 0..7 are labelled 1..8.
    for (int i = 0; i < 8; i++) {
        char label[4];
        std::snprintf(label, sizeof label, "%d", i + 1);
        const char* texts[1] = {label};
        ok &= res_registerButtonSet(1600 + 8 * i, 19, 18, 1, kResButtonSquare, texts);
    }
    // The editor-window buttons: Patch, Waveform, Effect (top row), LFO,
    // Envelope, MIDI (bottom row).
    static const char* const editors[6] = {"Patch", "Waveform", "Effect", "LFO", "Envelope", "MIDI"};
    static const int editorWidths[6] = {76, 64, 64, 70, 64, 64};
    for (int k = 0; k < 6; k++)
        ok &= res_registerButtonSet(kResMainEditorButtons + 8 * k, editorWidths[k], 21, 1, kResButtonSquare,
                                    &editors[k]);
    // Page buttons: the slot range each page shows.
    for (int k = 0; k < 8; k++) {
        char label[12];
        std::snprintf(label, sizeof label, "%d-%d", 16 * k, 16 * k + 15);
        const char* texts[1] = {label};
        ok &= res_registerButtonSet(kResMainPageButtons + 8 * k, 48, 16, 1, kResButtonTab, texts);
    }
    static const char* const store[1] = {"Store"};
    static const char* const storeTo[1] = {"Store to..."};
    static const char* const panic[1] = {"Panic"};
    static const char* const keys[1] = {"Keys"};
    static const char* const hold[1] = {"Hold"};
    static const char* const sustain[1] = {"Sustain"};
    ok &= res_registerButtonSet(kResMainStore, 52, 18, 1, kResButtonSquare, store);
    ok &= res_registerButtonSet(kResMainStoreTo, 70, 18, 1, kResButtonSquare, storeTo);
    ok &= res_registerButtonSet(kResMainPanic, 48, 18, 1, kResButtonSquare, panic);
    ok &= res_registerButtonSet(kResMainKeys, 48, 18, 1, kResButtonSquare, keys);
    ok &= res_registerButtonSet(kResMainHold, 58, 18, 1, kResButtonSquare, hold);
    ok &= res_registerButtonSet(kResMainSustain, 58, 18, 1, kResButtonSquare, sustain);
    ok &= res_registerCellPair(kResMainCell, 100, 14);
    ok &= res_registerTrackSet(kResMainSlider, 140, 16, 8, 14, 1, 0);
    ok &= res_registerKeyboardSet(kResMainKeyboard, 12, 48, 8, 30);
    ok &= res_registerBitmap(2248, kBendW, kBendH, paintBend, nullptr);
    ok &= res_registerBitmap(kResMainBendRidge, kBendW - 6, 4, paintRidge, nullptr);
    return ok;
}
