// The Envelope window's artwork: the header panel (1500) with the tempo
// section and the name field, the frame of the envelope list (1502 head,
// 1503 top, 1504 side, 1505 bottom) and its lines (1508, 1509 selected),
// the breakpoint panel (1506), the mode panel (1507) and the buttons:
// slide (1516), new envelope (1524), autoscale (1532) and grid (1540).
//
// Index:
//   geometry ........... sizes and places (window coordinates)
//   header ............. paintHeader (1500)
//   list frame ......... paintListPiece (1502..1505)
//   panels ............. paintBpPanel (1506), paintModePanel (1507)
//   registration ....... res_registerEnvArt
#include "resources/resources.h"

// ---- geometry -------------------------------------------------------------------------------
enum {
    kHeaderW = 2048,  // wide enough for any window width
    kHeaderH = 98,
    kColumnW = 135,
    kListHeadW = 146,
    kPieceH = 13,
    kSideH = 64,  // stretched to the window's height
    kBpPanelX = 305,
    kBpPanelY = 48,
    kBpPanelW = 370,
    kBpPanelH = 38,
    kModePanelX = 319,
    kModePanelY = 13,
    kModePanelW = 250,
    kModePanelH = 31,
    kLineW = 124,
    kLineH = 14
};

namespace {
void field(cairo_t* cr, double x, double y, double w, double h)
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
    cairo_stroke(cr);
}

// A small envelope glyph: attack, decay, sustain, release.
void glyph(cairo_t* cr, double x, double y, double w, double h)
{
    const resThemeRec& t = res_theme();
    cairo_set_line_width(cr, 1.5);
    res_setColor(cr, t.accent);
    cairo_move_to(cr, x, y + h);
    cairo_line_to(cr, x + w * 0.15, y);
    cairo_curve_to(cr, x + w * 0.25, y + h * 0.35, x + w * 0.3, y + h * 0.4, x + w * 0.45, y + h * 0.4);
    cairo_line_to(cr, x + w * 0.75, y + h * 0.4);
    cairo_curve_to(cr, x + w * 0.85, y + h * 0.45, x + w * 0.9, y + h * 0.9, x + w, y + h);
    cairo_stroke(cr);
}

// ---- header -----------------------------------------------------------------------------------
void paintHeader(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    // Tempo section: bpm and beats boxes, autoscale under them.
    res_paintPanel(cr, 4, 8, 126, 78, "tempo");
    res_paintText(cr, 10, 29, 28, 14, "bpm", 9, t.label, 0);
    res_paintText(cr, 10, 46, 28, 14, "beats", 9, t.label, 0);
    // The selected envelope's name, with a glyph before it.
    glyph(cr, 140, 24, 30, 16);
    field(cr, 142, 5, 90, 15);
    res_paintText(cr, 176, 27, 60, 12, "selected", 8, t.textDim, 0);
    res_paintText(cr, 176, 39, 60, 12, "envelope", 8, t.textDim, 0);
    // The switches' labels beside their lamps, and what they do.
    res_paintText(cr, 32, 67, 70, 14, "autoscale", 9, t.label, 0);
    res_paintText(cr, 156, 65, 50, 14, "slide", 9, t.label, 0);
    res_paintText(cr, 235, 65, 50, 14, "grid", 9, t.label, 0);
    res_paintText(cr, 138, 81, 80, 12, "off: lock", 8, t.textDim, 0);
    res_paintText(cr, 217, 81, 80, 12, "ctrl: snap", 8, t.textDim, 0);
}

// ---- list frame -------------------------------------------------------------------------------
struct pieceArg {
    int kind;  // 0 head, 1 top, 2 side, 3 bottom
};

void paintListPiece(cairo_t* cr, int w, int h, const void* arg)
{
    const resThemeRec& t = res_theme();
    int kind = static_cast<const pieceArg*>(arg)->kind;
    res_setColor(cr, t.panel);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    // The list's well: 6 pixels in from the left, up to the column's edge.
    const double l = 6, r = kColumnW - 3;
    res_setColor(cr, t.field);
    if (kind == 1) {
        cairo_rectangle(cr, l, h - 2, r - l, 2);
        cairo_fill(cr);
        res_paintText(cr, 8, 0, 120, h - 2, "envelopes", 8, t.label, 0);
    } else if (kind == 2) {
        cairo_rectangle(cr, l, 0, r - l, h);
        cairo_fill(cr);
    } else if (kind == 3) {
        cairo_rectangle(cr, l, 0, r - l, 3);
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 1);
    if (kind >= 1) {
        res_setColor(cr, t.edgeDark);
        cairo_move_to(cr, l - 0.5, kind == 1 ? h - 2 : 0);
        cairo_line_to(cr, l - 0.5, kind == 3 ? 3 : h);
        cairo_stroke(cr);
        res_setColor(cr, t.edgeLight);
        cairo_move_to(cr, r + 0.5, kind == 1 ? h - 2 : 0);
        cairo_line_to(cr, r + 0.5, kind == 3 ? 3 : h);
        cairo_stroke(cr);
        if (kind == 3) {
            cairo_move_to(cr, l - 0.5, 3.5);
            cairo_line_to(cr, r + 0.5, 3.5);
            cairo_stroke(cr);
        }
    }
    // The column's right edge against the level ruler.
    res_setColor(cr, t.panelDark);
    cairo_rectangle(cr, w - 1, 0, 1, h);
    cairo_fill(cr);
    if (kind == 0) {
        res_setColor(cr, t.edgeDark);
        cairo_rectangle(cr, 0, h - 1, w, 1);
        cairo_fill(cr);
    }
}

// ---- panels -----------------------------------------------------------------------------------
void paintBpPanel(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    // Labels left of the boxes (box positions minus the panel's origin).
    res_paintText(cr, 4, 0, 38, 14, "length", 9, t.label, 2);
    res_paintText(cr, 4, 16, 38, 14, "position", 9, t.label, 2);
    res_paintText(cr, 128, 0, 36, 14, "level", 9, t.label, 2);
    res_paintText(cr, 250, 0, 38, 14, "slope", 9, t.label, 2);
    res_paintText(cr, 250, 17, 110, 12, "breakpoint", 8, t.textDim, 0);
}

void paintModePanel(cairo_t* cr, int w, int h, const void*)
{
    const resThemeRec& t = res_theme();
    res_paintPanel(cr, 0, 0, w, h, nullptr);
    res_paintText(cr, 3, 3, 27, 14, "mode", 9, t.label, 0);
}
}  // namespace

// ---- registration ------------------------------------------------------------------------------------
int res_registerEnvArt(void)
{
    int ok = res_registerBitmap(1500, kHeaderW, kHeaderH, paintHeader, nullptr);
    static const pieceArg head{0}, top{1}, side{2}, bottom{3};
    ok &= res_registerBitmap(1502, kListHeadW, kPieceH, paintListPiece, &head);
    ok &= res_registerBitmap(1503, kColumnW, kPieceH, paintListPiece, &top);
    ok &= res_registerBitmap(1504, kColumnW, kSideH, paintListPiece, &side);
    ok &= res_registerBitmap(1505, kColumnW, kPieceH, paintListPiece, &bottom);
    ok &= res_registerBitmap(1506, kBpPanelW, kBpPanelH, paintBpPanel, nullptr);
    ok &= res_registerBitmap(1507, kModePanelW, kModePanelH, paintModePanel, nullptr);
    ok &= res_registerCellPair(1508, kLineW, kLineH);
    static const char* const add[] = {"new envelope"};
    ok &= res_registerButtonSet(1516, 16, 15, 1, kResButtonLed, nullptr);
    ok &= res_registerButtonSet(1524, 84, 13, 1, kResButtonSquare, add);
    ok &= res_registerButtonSet(1532, 16, 15, 1, kResButtonLed, nullptr);
    ok &= res_registerButtonSet(1540, 16, 15, 1, kResButtonLed, nullptr);
    return ok;
}
