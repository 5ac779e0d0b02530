// The drawing primitives of all artwork: backgrounds, framed panels with
// section labels, buttons and their masks, tracks and knobs, keyboard keys,
// matrix and list cells and pop-up arrows, all in the theme's colours.
#include "resources/resources.h"
#include <algorithm>
#include <cmath>

static void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

static void verticalGradient(cairo_t* cr, double y, double h, const resColorRec& top,
                             const resColorRec& bottom)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

static resColorRec mix(const resColorRec& a, const resColorRec& b, double t)
{
    return resColorRec{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A one-pixel bevel: light on the top and left, dark on the bottom and right.
static void bevel(cairo_t* cr, double x, double y, double w, double h, int sunken)
{
    const resThemeRec& t = res_theme();
    cairo_set_line_width(cr, 1);
    res_setColor(cr, sunken ? t.edgeDark : t.edgeLight);
    cairo_move_to(cr, x + 0.5, y + h - 0.5);
    cairo_line_to(cr, x + 0.5, y + 0.5);
    cairo_line_to(cr, x + w - 0.5, y + 0.5);
    cairo_stroke(cr);
    res_setColor(cr, sunken ? t.edgeLight : t.edgeDark);
    cairo_move_to(cr, x + w - 0.5, y + 0.5);
    cairo_line_to(cr, x + w - 0.5, y + h - 0.5);
    cairo_line_to(cr, x + 0.5, y + h - 0.5);
    cairo_stroke(cr);
}

void res_paintBackground(cairo_t* cr, double x, double y, double w, double h)
{
    res_setColor(cr, res_theme().window);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

void res_paintPanel(cairo_t* cr, double x, double y, double w, double h, const char* label)
{
    const resThemeRec& t = res_theme();
    cairo_save(cr);
    verticalGradient(cr, y, h, t.panel, t.panelDark);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    bevel(cr, x, y, w, h, 0);
    // The inner groove that frames the panel's controls.
    double inset = 5;
    if (w > 2 * inset + 4 && h > 2 * inset + 4) {
        bevel(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, 1);
    }
    if (label && *label && w > 30 && h > 16) {
        cairo_select_font_face(cr, res_fontFace(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 10);
        cairo_text_extents_t te;
        cairo_text_extents(cr, label, &te);
        double lw = std::min(te.x_advance + 8, w - 2 * inset - 8);
        res_setColor(cr, t.panel);  // the notch in the groove
        cairo_rectangle(cr, x + inset + 6, y, lw, 12);
        cairo_fill(cr);
        res_paintText(cr, x + inset + 10, y, lw - 4, 11, label, 10, t.label, 0);
    }
    cairo_restore(cr);
}

// The outline of a button look, as a path.
static void buttonShape(cairo_t* cr, double x, double y, double w, double h, int look)
{
    if (look == kResButtonRound || look == kResButtonLed) {
        double d = std::min(w, h);
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + w / 2, y + h / 2, d / 2 - 0.5, 0, 2 * M_PI);
        cairo_close_path(cr);
    } else if (look == kResButtonTab) {
        double r = std::min(4.0, std::min(w, h) / 2);
        cairo_move_to(cr, x, y + h);
        cairo_line_to(cr, x, y + r);
        cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
        cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
        cairo_line_to(cr, x + w, y + h);
        cairo_close_path(cr);
    } else {
        roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 3);
    }
}

void res_paintButton(cairo_t* cr, double x, double y, double w, double h, int look, int state,
                     const char* text)
{
    const resThemeRec& t = res_theme();
    int selected = state == kResSelected || state == kResDisabledSelected;
    int disabled = state == kResDisabled || state == kResDisabledSelected;
    cairo_save(cr);
    resColorRec face = selected ? t.buttonFaceDown : t.buttonFace;
    if (disabled) face = mix(face, t.panelDark, 0.6);
    resColorRec top = mix(face, resColorRec{1, 1, 1}, selected ? 0.05 : 0.15);
    resColorRec bottom = mix(face, resColorRec{0, 0, 0}, 0.25);
    buttonShape(cr, x, y, w, h, look);
    verticalGradient(cr, y, h, selected ? bottom : top, selected ? top : bottom);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    res_setColor(cr, selected && !disabled ? t.accent : t.edgeDark);
    cairo_stroke(cr);
    resColorRec ink = disabled ? t.textDim : (selected ? t.accent : t.text);
    if (look == kResButtonLed) {
        double d = std::min(w, h);
        double r = std::max(1.5, d * 0.18);
        cairo_arc(cr, x + w / 2, y + h / 2, r, 0, 2 * M_PI);
        res_setColor(cr, selected && !disabled ? t.accent : t.accentDark);
        cairo_fill(cr);
    } else if (text && *text) {
        res_paintText(cr, x + 2, y, w - 4, h, text, std::min(10.0, h * 0.6), ink, 1);
    }
    cairo_restore(cr);
}

void res_paintButtonMask(cairo_t* cr, double x, double y, double w, double h, int look)
{
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    buttonShape(cr, x, y, w, h, look);
    cairo_fill(cr);
    cairo_restore(cr);
}

// The groove of a track, horizontal or vertical, centred in the rectangle.
static void groovePath(cairo_t* cr, double x, double y, double w, double h, int horizontal)
{
    double g = 6;
    if (horizontal)
        roundedRect(cr, x + 2, y + (h - g) / 2, w - 4, g, 3);
    else
        roundedRect(cr, x + (w - g) / 2, y + 2, g, h - 4, 3);
}

void res_paintTrack(cairo_t* cr, double x, double y, double w, double h, int horizontal)
{
    const resThemeRec& t = res_theme();
    cairo_save(cr);
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    // Ticks at tenths of the travel.
    res_setColor(cr, t.edgeLight);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i <= 10; i++) {
        if (horizontal) {
            double tx = std::floor(x + 4 + (w - 8) * i / 10.0) + 0.5;
            cairo_move_to(cr, tx, y + 1);
            cairo_line_to(cr, tx, y + (i % 5 == 0 ? 4 : 3));
        } else {
            double ty = std::floor(y + 4 + (h - 8) * i / 10.0) + 0.5;
            cairo_move_to(cr, x + 1, ty);
            cairo_line_to(cr, x + (i % 5 == 0 ? 4 : 3), ty);
        }
    }
    cairo_stroke(cr);
    groovePath(cr, x, y, w, h, horizontal);
    res_setColor(cr, t.track);
    cairo_fill_preserve(cr);
    res_setColor(cr, t.edgeDark);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void res_paintLevelFill(cairo_t* cr, double x, double y, double w, double h)
{
    const resThemeRec& t = res_theme();
    res_paintTrack(cr, x, y, w, h, 1);
    cairo_save(cr);
    groovePath(cr, x, y, w, h, 1);
    cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + w, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, t.accentDark.r, t.accentDark.g, t.accentDark.b);
    cairo_pattern_add_color_stop_rgb(p, 1, t.accent.r, t.accent.g, t.accent.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill(cr);
    cairo_restore(cr);
}

void res_paintSliderKnob(cairo_t* cr, double x, double y, double w, double h, int pressed)
{
    const resThemeRec& t = res_theme();
    cairo_save(cr);
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 2);
    resColorRec body = pressed ? mix(t.knob, t.accent, 0.5) : t.knob;
    verticalGradient(cr, y, h, mix(body, resColorRec{1, 1, 1}, 0.3), mix(body, resColorRec{0, 0, 0}, 0.3));
    cairo_fill_preserve(cr);
    res_setColor(cr, t.edgeDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The index line across the knob's narrow side.
    res_setColor(cr, pressed ? t.text : t.accentDark);
    if (w <= h)
        cairo_rectangle(cr, x + std::floor(w / 2) - 0.5, y + 2, 2, h - 4);
    else
        cairo_rectangle(cr, x + 2, y + std::floor(h / 2) - 0.5, w - 4, 2);
    cairo_fill(cr);
    cairo_restore(cr);
}

void res_paintRoundKnob(cairo_t* cr, double x, double y, double w, double h, int pressed)
{
    const resThemeRec& t = res_theme();
    double d = std::min(w, h), cx = x + w / 2, cy = y + h / 2;
    cairo_save(cr);
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, d / 2 - 0.5, 0, 2 * M_PI);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - d / 5, cy - d / 5, 0, cx, cy, d / 2);
    resColorRec body = pressed ? mix(t.knob, t.accent, 0.5) : t.knob;
    cairo_pattern_add_color_stop_rgb(p, 0, body.r, body.g, body.b);
    resColorRec rim = mix(body, resColorRec{0, 0, 0}, 0.55);
    cairo_pattern_add_color_stop_rgb(p, 1, rim.r, rim.g, rim.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill_preserve(cr);
    res_setColor(cr, t.edgeDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, std::max(1.0, d * 0.14), 0, 2 * M_PI);
    res_setColor(cr, pressed ? t.text : t.accentDark);
    cairo_fill(cr);
    cairo_restore(cr);
}

void res_paintKey(cairo_t* cr, double x, double y, double w, double h, int blackKey, int pressed)
{
    const resThemeRec& t = res_theme();
    cairo_save(cr);
    resColorRec face =
        blackKey ? (pressed ? t.keyBlackDown : t.keyBlack) : (pressed ? t.keyWhiteDown : t.keyWhite);
    cairo_rectangle(cr, x, y, w, h);
    verticalGradient(cr, y, h, mix(face, resColorRec{0, 0, 0}, pressed ? 0.15 : 0.0),
                     mix(face, blackKey ? resColorRec{0.4, 0.4, 0.4} : resColorRec{0, 0, 0}, 0.12));
    cairo_fill(cr);
    cairo_set_line_width(cr, 1);
    res_setColor(cr, t.edgeDark);
    cairo_rectangle(cr, x + 0.5, y - 0.5, w - 1, h);
    cairo_stroke(cr);
    if (!pressed) {  // the key's front edge
        res_setColor(cr, blackKey ? t.edgeLight : mix(face, resColorRec{0, 0, 0}, 0.25));
        cairo_rectangle(cr, x + 1, y + h - (blackKey ? 4 : 3), w - 2, blackKey ? 3 : 2);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void res_paintCell(cairo_t* cr, double x, double y, double w, double h, int selected)
{
    const resThemeRec& t = res_theme();
    cairo_save(cr);
    res_setColor(cr, selected ? t.accentDark : t.field);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1);
    res_setColor(cr, selected ? t.accent : resColorRec{20 / 255.0, 21 / 255.0, 15 / 255.0});
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void res_paintPopupArrow(cairo_t* cr, double x, double y, double width)
{
    cairo_save(cr);
    res_setColor(cr, res_theme().text);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + width, y);
    cairo_line_to(cr, x + width / 2, y + width / 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}
