// The two transform windows' artwork. The "Transform waveform" window: its
// background (1410), a framed field behind the title and a framed area for
// the parameters, and the OK (1416) and Cancel (1424) buttons; its numbers,
// pop-ups and the invert switch use the generic number-box pieces and the
// Patch window's invert glyph (616). The envelope transform window: its
// background (2300) with the description field, a frame around the
// envelope list and one around the parameters, and its OK (2308) and
// Cancel (2316) buttons, drawn alike.
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

void paintEnvBackground(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    res_setColor(cr, t.field);
    cairo_rectangle(cr, 5, 5, w - 11, 18);
    cairo_fill(cr);
    res_paintPanel(cr, 3, 28, 125, 212, "envelopes");
    res_paintPanel(cr, 132, 28, w - 135, 212, "parameters");
}

int registerOkCancel(int okId, int cancelId)
{
    static const char* const okText[] = {"OK"};
    static const char* const cancelText[] = {"Cancel"};
    int ok = res_registerButtonSet(okId, 64, 22, 1, kResButtonSquare, okText);
    ok &= res_registerButtonSet(cancelId, 60, 18, 1, kResButtonSquare, cancelText);
    return ok;
}
}  // namespace

int res_registerWaveTransformArt(void)
{
    int ok = res_registerBitmap(kResWtransPanel, kResWtransWidth, kResWtransHeight, paintBackground, nullptr);
    return ok & registerOkCancel(kResWtransOk, kResWtransCancel);
}

int res_registerEnvTransformArt(void)
{
    int ok = res_registerBitmap(kResEnvTransPanel, kResEnvTransWidth, kResEnvTransHeight, paintEnvBackground,
                                nullptr);
    return ok & registerOkCancel(kResEnvTransOk, kResEnvTransCancel);
}
