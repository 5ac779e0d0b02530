// The artwork of the shell's small windows, painted in the toolkit's theme
// and registered under their bitmap ids: the splash picture (5), the
// navigator panels (1800, 1801), its window buttons (1808 .. 1864, each
// normal, selected, disabled, disabled-selected) and form switches (1872,
// 1880), and the meter's panel (1932) and lit bar (1933).
#include <cmath>

#include "resources/resources.h"
#include "windows/windows.h"

namespace {
enum { kNavButton = 45, kNavSwitch = 24 };

// The glyph of each navigator button.
enum { glyphMain, glyphPatch, glyphWave, glyphEffect, glyphEnv, glyphLfo, glyphMidi };

struct navArt {
    int glyph;
    const char* label;
    int state;
};

void line(cairo_t* cr, double x0, double y0, double x1, double y1)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
}

// A glyph inside x, y, w, h, stroked in the current colour.
void paintGlyph(cairo_t* cr, int glyph, double x, double y, double w, double h)
{
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double mid = y + h / 2;
    switch (glyph) {
    case glyphMain:  // a keyboard octave
        cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
        for (int k = 1; k < 5; ++k) line(cr, x + w * k / 5, y, x + w * k / 5, y + h);
        cairo_stroke(cr);
        for (int k : {1, 2, 4}) cairo_rectangle(cr, x + w * k / 5 - 2, y, 4, h * 0.6);
        cairo_fill(cr);
        return;
    case glyphPatch:  // three oscillators into one line
        for (int k = 0; k < 3; ++k) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, x + 3.5, y + 2.5 + k * (h - 5) / 2, 2.5, 0, 2 * M_PI);
        }
        line(cr, x + 6, y + 2.5, x + w - 6, mid);
        line(cr, x + 6, mid, x + w - 6, mid);
        line(cr, x + 6, y + h - 2.5, x + w - 6, mid);
        cairo_stroke(cr);
        cairo_rectangle(cr, x + w - 6, mid - 3, 6, 6);
        cairo_fill(cr);
        return;
    case glyphWave:  // one cycle of a sine
    case glyphLfo:   // a slow triangle
        for (int i = 0; i <= 40; ++i) {
            double t = i / 40.0;
            double v = glyph == glyphWave ? std::sin(2 * M_PI * t)
                                          : (t < 0.25   ? 4 * t
                                             : t < 0.75 ? 2 - 4 * t
                                                        : 4 * t - 4);
            double px = x + t * w, py = mid - v * (h / 2 - 1);
            if (i == 0)
                cairo_move_to(cr, px, py);
            else
                cairo_line_to(cr, px, py);
        }
        cairo_stroke(cr);
        return;
    case glyphEffect:  // a decaying train of echoes
        for (int k = 0; k < 5; ++k) {
            double bar = (h - 2) * std::pow(0.7, k);
            line(cr, x + 2 + k * (w - 4) / 4, y + h - 1, x + 2 + k * (w - 4) / 4, y + h - 1 - bar);
        }
        cairo_stroke(cr);
        return;
    case glyphEnv:  // attack, decay, sustain, release
        cairo_move_to(cr, x, y + h - 1);
        cairo_line_to(cr, x + w * 0.2, y + 1);
        cairo_line_to(cr, x + w * 0.4, y + h * 0.45);
        cairo_line_to(cr, x + w * 0.75, y + h * 0.45);
        cairo_line_to(cr, x + w, y + h - 1);
        cairo_stroke(cr);
        return;
    case glyphMidi:  // a five-pin socket
        cairo_arc(cr, x + w / 2, mid, h / 2 - 0.5, 0, 2 * M_PI);
        cairo_stroke(cr);
        for (int k = 0; k < 5; ++k) {
            double a = M_PI * (0.95 + k * 0.275);
            cairo_new_sub_path(cr);
            cairo_arc(cr, x + w / 2 + std::cos(a) * h * 0.3, mid + std::sin(a) * h * 0.3, 1.3, 0, 2 * M_PI);
        }
        cairo_fill(cr);
        return;
    default: return;
    }
}

void paintNavButton(cairo_t* cr, int w, int h, const void* arg)
{
    const navArt* a = static_cast<const navArt*>(arg);
    res_paintBackground(cr, 0, 0, w, h);
    res_paintButton(cr, 0, 0, w, h, kResButtonSquare, a->state, nullptr);
    const resThemeRec& t = res_theme();
    const bool selected = a->state == kResSelected || a->state == kResDisabledSelected;
    const bool disabled = a->state >= kResDisabled;
    const resColorRec& ink = disabled ? t.textDim : (selected ? t.accent : t.text);
    res_setColor(cr, ink);
    paintGlyph(cr, a->glyph, 10, 7, w - 20, 16);
    res_paintText(cr, 1, h - 18, w - 2, 14, a->label, 9, ink, 1);
}

// The form switch: two arrows turning the strip from one form to the other.
void paintNavSwitch(cairo_t* cr, int w, int h, const void* arg)
{
    const int* state = static_cast<const int*>(arg);
    const int horizontalNow = state[0];
    res_paintBackground(cr, 0, 0, w, h);
    res_paintButton(cr, 0, 0, w, h, kResButtonSquare, state[1], nullptr);
    const resThemeRec& t = res_theme();
    res_setColor(cr, state[1] == kResSelected ? t.accent : t.text);
    cairo_set_line_width(cr, 1.5);
    // An arrow bending from the strip's direction to the other one.
    if (horizontalNow) {
        line(cr, 6, 7, w - 8, 7);
        line(cr, w - 8, 7, w - 8, h - 7);
        cairo_stroke(cr);
        cairo_move_to(cr, w - 12, h - 11);
        cairo_line_to(cr, w - 8, h - 6);
        cairo_line_to(cr, w - 4, h - 11);
    } else {
        line(cr, 7, 6, 7, h - 8);
        line(cr, 7, h - 8, w - 7, h - 8);
        cairo_stroke(cr);
        cairo_move_to(cr, w - 11, h - 12);
        cairo_line_to(cr, w - 6, h - 8);
        cairo_line_to(cr, w - 11, h - 4);
    }
    cairo_stroke(cr);
}

void paintPanel(cairo_t* cr, int w, int h, const void*)
{
    res_paintBackground(cr, 0, 0, w, h);
    res_paintPanel(cr, 1, 1, w - 2, h - 2, nullptr);
}

void paintMeterPanel(cairo_t* cr, int w, int h, const void*)
{
    paintPanel(cr, w, h, nullptr);
    const resThemeRec& t = res_theme();
    res_setColor(cr, t.track);
    cairo_rectangle(cr, 23, 9, 107, 17);
    cairo_fill(cr);
    res_paintText(cr, 8, 6, 12, 10, "L", 9, t.label, 1);
    res_paintText(cr, 8, 17, 12, 10, "R", 9, t.label, 1);
    // A scale under the bars: 0.25, 0.5 and 1 of full level.
    res_setColor(cr, t.textDim);
    cairo_set_line_width(cr, 1);
    for (double level : {0.0625, 0.25, 0.5625, 0.96}) {
        double x = 25 + std::round(103 * std::sqrt(level)) + 0.5;
        line(cr, x, 27, x, 30);
    }
    cairo_stroke(cr);
}

// The lit bar: the theme's accent rising to warm colours near full level.
void paintMeterBar(cairo_t* cr, int w, int h, const void*)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
    const resColorRec& a = res_theme().accent;
    cairo_pattern_add_color_stop_rgb(p, 0.0, a.r * 0.6, a.g * 0.6, a.b * 0.6);
    cairo_pattern_add_color_stop_rgb(p, 0.6, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(p, 0.85, 0.95, 0.85, 0.35);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.95, 0.3, 0.25);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void paintSplash(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(sky, 0, t.panel.r, t.panel.g, t.panel.b);
    cairo_pattern_add_color_stop_rgb(sky, 1, t.window.r, t.window.g, t.window.b);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    // Three detuned waves crossing the picture.
    for (int k = 0; k < 3; ++k) {
        cairo_set_source_rgba(cr, t.accent.r, t.accent.g, t.accent.b, 0.25 + 0.25 * k);
        cairo_set_line_width(cr, 1.0 + k);
        for (int x = 0; x <= w; x += 2) {
            double v = std::sin(x * (0.021 + 0.004 * k) + k) * std::exp(-x / (260.0 + 80 * k));
            double y = 215 + v * (70 - 15 * k);
            if (x == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_stroke(cr);
    }
    res_paintText(cr, 24, 40, w - 48, 64, "Morvane", 52, t.text, 0);
    res_paintText(cr, 28, 104, w - 56, 30, "Engine", 24, t.accent, 0);
    res_paintText(cr, 28, 300, w - 56, 16, "Editor and librarian for the Morvane synthesizer", 11, t.label,
                  0);
    res_setColor(cr, t.edgeLight);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
    cairo_stroke(cr);
}
}  // namespace

int windows_registerArtwork()
{
    int ok = 1;
    static const struct {
        int base, glyph;
        const char* label;
    } kNav[] = {{1808, glyphMain, "Main"},     {1824, glyphPatch, "Patch"}, {1832, glyphWave, "Wave"},
                {1840, glyphEffect, "Effect"}, {1848, glyphEnv, "Env"},     {1856, glyphLfo, "LFO"},
                {1864, glyphMidi, "MIDI"}};
    for (const auto& n : kNav) {
        for (int state = kResNormal; state <= kResDisabledSelected; ++state) {
            navArt art = {n.glyph, n.label, state};
            ok &= res_registerBitmap(n.base + state, kNavButton, kNavButton, paintNavButton, &art);
        }
    }
    for (int state = kResNormal; state <= kResSelected; ++state) {
        int vertical[2] = {0, state};    // 1880: on the vertical strip
        int horizontal[2] = {1, state};  // 1872: on the horizontal strip
        ok &= res_registerBitmap(1880 + state, kNavSwitch, kNavSwitch, paintNavSwitch, vertical);
        ok &= res_registerBitmap(1872 + state, kNavSwitch, kNavSwitch, paintNavSwitch, horizontal);
    }
    ok &= res_registerBitmap(1800, 59, 391, paintPanel, nullptr);
    ok &= res_registerBitmap(1801, 390, 59, paintPanel, nullptr);
    ok &= res_registerBitmap(1932, 145, 34, paintMeterPanel, nullptr);
    ok &= res_registerBitmap(1933, 103, 3, paintMeterBar, nullptr);
    ok &= res_registerBitmap(5, 434, 377, paintSplash, nullptr);
    return ok;
}
