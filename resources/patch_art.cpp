// The Patch window's artwork: the background (500) that lays out the three
// channel strips and the signal path below them, the section switches, the
// page tabs, the lit wires that show which channels sound, the mono lamps,
// the level track and the frequency-mode glyphs of the pop-ups.
//
// The signal path reads top to bottom and left to right: each strip runs
// OSC > FILTER > MODULATOR > level; the level's wire drops into a bus under
// the strips, the bus drops into the WAVESHAPER, which feeds the MASTER
// FILTER, then the EFFECT, then out. The wires are buttons of the window, so
// they light up in the accent colour while their channels are on.
//
// Index:
//   geometry ........... strip and section places (window coordinates)
//   background ......... paintBackground (500)
//   wires .............. paintWire (580, 588, 600, 608)
//   small pictures ..... invert glyph (616), frequency-mode glyphs (64..67)
//   registration ....... res_registerPatchArt
#include "resources/resources.h"
#include <algorithm>
#include <cmath>

// ---- geometry -----------------------------------------------------------------------------
enum {
    kPatchW = 552,
    kPatchH = 472,  // the window's client area
    kStripW = 175,  // a channel strip's width
    kStripTop = 11,
    kOscH = 95,
    kFilterTop = 99,
    kFilterH = 93,
    kModTop = 195,
    kModH = 93,
    kBottomTop = 352,
    kBottomBottom = 468
};
static const int kStripX[3] = {11, 190, 368};

// Bottom sections: waveshaper, master filter, effect (left and right edges).
static const int kWsLeft = 4, kWsRight = 168, kMfLeft = 176, kMfRight = 350, kFxLeft = 357, kFxRight = 547;

static resColorRec mixColor(const resColorRec& a, const resColorRec& b, double t)
{
    return resColorRec{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A right-pointing or down-pointing filled arrow head centred at x, y.
static void arrowHead(cairo_t* cr, double x, double y, double size, int down, const resColorRec& c)
{
    res_setColor(cr, c);
    if (down) {
        cairo_move_to(cr, x - size, y - size / 2);
        cairo_line_to(cr, x + size, y - size / 2);
        cairo_line_to(cr, x, y + size / 2 + 1);
    } else {
        cairo_move_to(cr, x - size / 2, y - size);
        cairo_line_to(cr, x - size / 2, y + size);
        cairo_line_to(cr, x + size / 2 + 1, y);
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

// A section box: a framed panel without a label (its switch button is the label).
static void sectionBox(cairo_t* cr, double x, double y, double w, double h)
{
    res_paintPanel(cr, x, y, w, h, nullptr);
}

// ---- background ---------------------------------------------------------------------------
static void paintStrip(cairo_t* cr, int channel)
{
    const resThemeRec& t = res_theme();
    double x = kStripX[channel], y = kStripTop;
    sectionBox(cr, x, y, kStripW, kOscH);
    sectionBox(cr, x, y + kFilterTop, kStripW, kFilterH);
    sectionBox(cr, x, y + kModTop, kStripW, kModH);
    // The channel number beside the OSC switch, large enough to read across the room.
    char digit[2] = {(char)('1' + channel), 0};
    res_paintText(cr, x + 62, y + 1, 22, 18, digit, 15, t.accent, 1);
    // Flow arrows across the gaps between the sections, and into the level row.
    resColorRec flow = mixColor(t.textDim, t.accent, 0.35);
    arrowHead(cr, x + kStripW - 12, y + kOscH + 2, 5, 1, flow);
    arrowHead(cr, x + kStripW - 12, y + kModTop - 1, 5, 1, flow);
    arrowHead(cr, x + kStripW - 12, y + kModTop + kModH + 3, 5, 1, flow);
    // The level row: a caption under the track, left of the decibel display.
    res_paintText(cr, x + 20, y + 316, 60, 12, "level", 9, t.label, 0);
}

static void paintBottom(cairo_t* cr)
{
    const resThemeRec& t = res_theme();
    int h = kBottomBottom - kBottomTop;
    sectionBox(cr, kWsLeft, kBottomTop, kWsRight - kWsLeft, h);
    sectionBox(cr, kMfLeft, kBottomTop, kMfRight - kMfLeft, h);
    sectionBox(cr, kFxLeft, kBottomTop, kFxRight - kFxLeft, h);
    resColorRec flow = mixColor(t.textDim, t.accent, 0.35);
    // Waveshaper > master filter > effect.
    arrowHead(cr, (kWsRight + kMfLeft) / 2.0, 410, 5, 0, flow);
    arrowHead(cr, (kMfRight + kFxLeft) / 2.0, 410, 5, 0, flow);
    // Captions of the mono lamps (the lamps themselves are buttons at 45, 398 and 224, 395).
    res_paintText(cr, 12, 398, 31, 12, "mono", 9, t.label, 2);
    res_paintText(cr, 190, 395, 32, 12, "mono", 9, t.label, 2);
    // The effect section: what the switch controls and where the sound leaves.
    res_paintText(cr, 368, 422, 32, 12, "type", 9, t.label, 2);
    res_paintText(cr, 470, 450, 56, 12, "out", 10, t.label, 2);
    arrowHead(cr, 533, 456, 5, 0, t.accent);
}

static void paintBackground(cairo_t* cr, int w, int h, const void*)
{
    res_paintBackground(cr, 0, 0, w, h);
    for (int c = 0; c < 3; c++) paintStrip(cr, c);
    paintBottom(cr);
}

// ---- wires --------------------------------------------------------------------------------
// Which wire a bitmap shows, and its state (0 off, 1 on, 2 disabled off, 3 disabled on).
enum { kWireChannel = 0, kWireCorner = 1, kWireBus = 2 };
struct wireArg {
    int shape, state;
};

static const int kWireThick = 3;

static void paintWire(cairo_t* cr, int w, int h, const void* arg)
{
    const wireArg* a = (const wireArg*)arg;
    const resThemeRec& t = res_theme();
    res_paintBackground(cr, 0, 0, w, h);
    int lit = a->state == kResSelected || a->state == kResDisabledSelected;
    resColorRec c = lit ? t.accent : mixColor(t.edgeLight, t.window, 0.2);
    res_setColor(cr, c);
    switch (a->shape) {
    case kWireChannel:  // from the level track's left end, left and down to the bus
        cairo_rectangle(cr, 0, 7, w, kWireThick);
        cairo_rectangle(cr, 0, 7, kWireThick, h - 7);
        break;
    case kWireCorner:  // the bus turning down into the waveshaper
        cairo_rectangle(cr, 0, 0, w, kWireThick);
        cairo_rectangle(cr, 0, 0, kWireThick, h);
        break;
    default:  // the bus under the strips
        cairo_rectangle(cr, 0, 0, w, kWireThick);
        break;
    }
    cairo_fill(cr);
}

static int registerWire(int base, int w, int h, int shape)
{
    int ok = 1;
    for (int s = 0; s < 4; s++) {
        wireArg a{shape, s};
        ok &= res_registerBitmap(base + s, w, h, paintWire, &a);
    }
    return ok;
}

// ---- small pictures -----------------------------------------------------------------------
// The phase-invert switch: a small button with the slashed-circle sign.
static void paintInvert(cairo_t* cr, int w, int h, const void* arg)
{
    int state = *(const int*)arg;
    const resThemeRec& t = res_theme();
    res_paintButton(cr, 0, 0, w, h, kResButtonSquare, state, nullptr);
    int selected = state == kResSelected || state == kResDisabledSelected;
    resColorRec ink = state >= kResDisabled ? t.textDim : (selected ? t.accent : t.text);
    res_setColor(cr, ink);
    cairo_set_line_width(cr, 1.2);
    double cx = w / 2.0, cy = h / 2.0, r = std::min(w, h) / 2.0 - 2.5;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_move_to(cr, cx - r - 1, cy + r + 1);
    cairo_line_to(cr, cx + r + 1, cy - r - 1);
    cairo_stroke(cr);
}

// The frequency-mode glyphs shown inside the pop-up box (body 22, 16, 49).
static void paintFreqMode(cairo_t* cr, int w, int h, const void* arg)
{
    cairo_set_source_rgb(cr, 22 / 255.0, 16 / 255.0, 49 / 255.0);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    res_paintText(cr, 0, 0, w, h, (const char*)arg, 8.5, resColorRec{250 / 255.0, 250 / 255.0, 215 / 255.0},
                  0);
}

// ---- registration -------------------------------------------------------------------------
int res_registerPatchArt(void)
{
    int ok = res_registerBitmap(500, kPatchW, kPatchH, paintBackground, nullptr);
    static const char* const osc[] = {"OSC"};
    static const char* const filter[] = {"FILTER"};
    static const char* const mod[] = {"MODULATOR"};
    static const char* const mainPage[] = {"main"};
    static const char* const modPage[] = {"mod"};
    static const char* const shaper[] = {"WAVESHAPER"};
    static const char* const master[] = {"MASTER FILTER"};
    static const char* const effect[] = {"EFFECT"};
    static const char* const edit[] = {"edit..."};
    ok &= res_registerButtonSet(508, 60, 18, 1, kResButtonSquare, osc);
    ok &= res_registerButtonSet(516, 38, 15, 1, kResButtonTab, modPage);
    ok &= res_registerButtonSet(532, 38, 16, 1, kResButtonTab, mainPage);
    ok &= res_registerButtonSet(540, 70, 18, 1, kResButtonSquare, filter);
    ok &= res_registerButtonSet(548, 84, 18, 1, kResButtonSquare, mod);
    ok &= res_registerButtonSet(556, 100, 18, 1, kResButtonSquare, shaper);
    ok &= res_registerButtonSet(564, 110, 18, 1, kResButtonSquare, master);
    ok &= res_registerButtonSet(572, 80, 18, 1, kResButtonSquare, effect);
    ok &= res_registerButtonSet(624, 64, 18, 1, kResButtonSquare, edit);
    ok &= res_registerButtonSet(632, 12, 12, 1, kResButtonLed, nullptr);
    ok &= registerWire(580, 21, 29, kWireChannel);
    ok &= registerWire(588, 21, 29, kWireChannel);
    ok &= registerWire(600, 16, 18, kWireCorner);
    ok &= registerWire(608, 346, 3, kWireBus);
    for (int s = 0; s < 4; s++) ok &= res_registerBitmap(616 + s, 14, 12, paintInvert, &s);
    ok &= res_registerTrackSet(640, 136, 14, 9, 14, 1, 0);
    static const char* const freqModes[4] = {"semi", "ratio", "Hz", "note"};
    for (int i = 0; i < 4; i++) ok &= res_registerBitmap(64 + i, 34, 9, paintFreqMode, freqModes[i]);
    return ok;
}
