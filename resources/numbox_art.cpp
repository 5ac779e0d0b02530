// The number-box pieces: step-button columns (coarse, fine, finer), the
// pressed column, and the sunken value field's ends and middle.
#include "resources/resources.h"
#include <cmath>

static const int kPieceHeight = 13;  // the value rect and the buttons are 13 pixels high
static const int kColumnWidth = 7;

struct stepArg {
    int columns, disabled, pressed;
};

// One step column at x: an up and a down arrow, brighter for coarser steps.
static void paintColumn(cairo_t* cr, double x, int column, int disabled, int pressed)
{
    const resThemeRec& t = res_theme();
    resColorRec face = pressed ? t.buttonFaceDown : t.buttonFace;
    res_setColor(cr, face);
    cairo_rectangle(cr, x, 0, kColumnWidth, kPieceHeight);
    cairo_fill(cr);
    res_setColor(cr, t.edgeDark);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x + kColumnWidth - 0.5, 0);
    cairo_line_to(cr, x + kColumnWidth - 0.5, kPieceHeight);
    cairo_stroke(cr);
    double fade = column * 0.22;
    resColorRec ink = disabled ? t.textDim : (pressed ? t.accent : t.text);
    cairo_set_source_rgb(cr, ink.r - (ink.r - face.r) * fade, ink.g - (ink.g - face.g) * fade,
                         ink.b - (ink.b - face.b) * fade);
    double cx = x + 3;
    cairo_move_to(cr, cx - 2.5, 5);
    cairo_line_to(cr, cx + 2.5, 5);
    cairo_line_to(cr, cx, 2);
    cairo_close_path(cr);
    cairo_move_to(cr, cx - 2.5, 8);
    cairo_line_to(cr, cx + 2.5, 8);
    cairo_line_to(cr, cx, 11);
    cairo_close_path(cr);
    cairo_fill(cr);
}

static void paintSteps(cairo_t* cr, int w, int, const void* arg)
{
    const stepArg* a = (const stepArg*)arg;
    res_setColor(cr, res_theme().edgeDark);
    cairo_rectangle(cr, 0, 0, w, kPieceHeight);
    cairo_fill(cr);
    for (int c = 0; c < a->columns; c++) paintColumn(cr, c * kColumnWidth, c, a->disabled, a->pressed);
}

// The field: sunken, darker at the top edge.
static void paintField(cairo_t* cr, int w, int, const void* arg)
{
    const resThemeRec& t = res_theme();
    int piece = *(const int*)arg;  // 0 left, 1 left pressed, 2 middle, 3 right
    res_setColor(cr, t.field);
    cairo_rectangle(cr, 0, 0, w, kPieceHeight);
    cairo_fill(cr);
    res_setColor(cr, t.edgeDark);
    cairo_rectangle(cr, 0, 0, w, 1);
    cairo_fill(cr);
    res_setColor(cr, t.edgeLight);
    cairo_rectangle(cr, 0, kPieceHeight - 1, w, 1);
    cairo_fill(cr);
    if (piece == 0 || piece == 1) {
        res_setColor(cr, piece == 1 ? t.accent : t.edgeDark);
        cairo_rectangle(cr, 0, 0, 1, kPieceHeight);
        cairo_fill(cr);
    } else if (piece == 3) {
        res_setColor(cr, t.edgeLight);
        cairo_rectangle(cr, w - 1, 0, 1, kPieceHeight);
        cairo_fill(cr);
    }
}

int res_registerNumboxSet(int base)
{
    int ok = 1;
    for (int c = 1; c <= 3; c++) {
        stepArg normal{c, 0, 0}, disabled{c, 1, 0};
        int w = 1 + kColumnWidth * c;  // 8, 15, 22
        ok &= res_registerBitmap(base + c - 1, w, kPieceHeight, paintSteps, &normal);
        ok &= res_registerBitmap(base + 3 + c, w, kPieceHeight, paintSteps, &disabled);
    }
    stepArg pressed{1, 0, 1};
    ok &= res_registerBitmap(base + 3, kColumnWidth, kPieceHeight, paintSteps, &pressed);
    static const int left = 0, leftPressed = 1, middle = 2, right = 3;
    ok &= res_registerBitmap(base + 7, 3, kPieceHeight, paintField, &left);
    ok &= res_registerBitmap(base + 8, 3, kPieceHeight, paintField, &leftPressed);
    ok &= res_registerBitmap(base + 9, 1, kPieceHeight, paintField, &middle);
    ok &= res_registerBitmap(base + 10, 1, kPieceHeight, paintField, &right);
    return ok;
}

int resources_registerAll(void)
{
    int ok = res_registerNumboxSet(900);
    ok &= resources_registerCursors();
    return ok;
}
