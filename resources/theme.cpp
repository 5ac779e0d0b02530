// The theme: dark grey surfaces, cream text, teal for what is selected or
// lit; and text drawing in the one face of the artwork.
#include "resources/resources.h"
#include <cstring>

const resThemeRec& res_theme(void)
{
    static const resThemeRec theme = {
        {0.110, 0.122, 0.137},  // window
        {0.196, 0.212, 0.231},  // panel
        {0.153, 0.165, 0.180},  // panelDark
        {0.345, 0.369, 0.396},  // edgeLight
        {0.055, 0.063, 0.071},  // edgeDark
        {0.780, 0.820, 0.840},  // label
        {0.984, 0.984, 0.847},  // text (251, 251, 216)
        {0.455, 0.475, 0.490},  // textDim
        {0.439, 0.878, 0.835},  // accent (112, 224, 213)
        {0.008, 0.251, 0.227},  // accentDark (2, 64, 58)
        {0.067, 0.075, 0.086},  // field
        {0.275, 0.294, 0.318},  // buttonFace
        {0.118, 0.329, 0.310},  // buttonFaceDown
        {0.047, 0.055, 0.063},  // track
        {0.706, 0.729, 0.749},  // knob
        {0.906, 0.902, 0.859},  // keyWhite
        {0.553, 0.847, 0.812},  // keyWhiteDown
        {0.110, 0.114, 0.125},  // keyBlack
        {0.165, 0.478, 0.451},  // keyBlackDown
    };
    return theme;
}

const char* res_fontFace(void) { return "Liberation Sans"; }

void res_setColor(cairo_t* cr, const resColorRec& c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

void res_colorBytes(const resColorRec& c, unsigned char* r, unsigned char* g, unsigned char* b)
{
    *r = (unsigned char)(c.r * 255 + 0.5);
    *g = (unsigned char)(c.g * 255 + 0.5);
    *b = (unsigned char)(c.b * 255 + 0.5);
}

void res_paintText(cairo_t* cr, double x, double y, double w, double h, const char* text, double size,
                   const resColorRec& color, int align)
{
    if (!text || !*text) return;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_select_font_face(cr, res_fontFace(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t te;
    cairo_text_extents(cr, text, &te);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    double tx = x - te.x_bearing;
    if (align == 1) tx = x + (w - te.x_advance) / 2;
    if (align == 2) tx = x + w - te.x_advance;
    double baseline = y + (h + fe.ascent - fe.descent) / 2;
    res_setColor(cr, color);
    cairo_move_to(cr, tx, baseline);
    cairo_show_text(cr, text);
    cairo_restore(cr);
}
