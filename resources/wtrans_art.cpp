// The "Transform waveform" window's artwork: its background (1410), a
// framed field behind the title and a framed area for the parameters, and
// the OK (1416) and Cancel (1424) buttons. The window's numbers, pop-ups and
// the invert switch use the generic number-box pieces and the Patch
// window's invert glyph (616).
#include "resources/resources.h"

namespace {
void paintBackground(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    res_setColor(cr, t.field);
    cairo_rectangle(cr, 10, 8, w - 20, 18);
    cairo_fill(cr);
    res_paintPanel(cr, 8, 34, w - 16, 204, "parameters");
}
}  // namespace

int res_registerWaveTransformArt(void)
{
    int ok = res_registerBitmap(kResWtransPanel, kResWtransWidth, kResWtransHeight, paintBackground, nullptr);
    static const char* const okText[] = {"OK"};
    static const char* const cancelText[] = {"Cancel"};
    ok &= res_registerButtonSet(kResWtransOk, 64, 22, 1, kResButtonSquare, okText);
    ok &= res_registerButtonSet(kResWtransCancel, 60, 18, 1, kResButtonSquare, cancelText);
    return ok;
}
