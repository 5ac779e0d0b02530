// The program's cursors: white shapes with a black outline, registered by
// name ("caretCur", "upDownCur", "arrowOnCur") and by id (143..150).
#include "resources/resources.h"
#include "platform/platform.h"
#include <cmath>

static const int kCursorSize = 24;

typedef void (*shapePath)(cairo_t* cr);

// The classic pointer with its tip at 1, 1.
static void arrowPath(cairo_t* cr)
{
    cairo_move_to(cr, 1.5, 1.5);
    cairo_line_to(cr, 1.5, 16.5);
    cairo_line_to(cr, 5.5, 12.5);
    cairo_line_to(cr, 8.5, 18.5);
    cairo_line_to(cr, 10.5, 17.5);
    cairo_line_to(cr, 7.5, 11.5);
    cairo_line_to(cr, 12.5, 11.5);
    cairo_close_path(cr);
}

static void caretPath(cairo_t* cr)
{
    cairo_rectangle(cr, 7.5, 2.5, 7, 2);
    cairo_rectangle(cr, 10, 4.5, 2, 13);
    cairo_rectangle(cr, 7.5, 17.5, 7, 2);
}

// A double arrow along one axis through the centre (11, 11).
static void doubleArrow(cairo_t* cr, int vertical)
{
    cairo_save(cr);
    if (!vertical) {
        cairo_translate(cr, 11, 11);
        cairo_rotate(cr, M_PI / 2);
        cairo_translate(cr, -11, -11);
    }
    cairo_move_to(cr, 11, 1.5);
    cairo_line_to(cr, 16.5, 7);
    cairo_line_to(cr, 13, 7);
    cairo_line_to(cr, 13, 15);
    cairo_line_to(cr, 16.5, 15);
    cairo_line_to(cr, 11, 20.5);
    cairo_line_to(cr, 5.5, 15);
    cairo_line_to(cr, 9, 15);
    cairo_line_to(cr, 9, 7);
    cairo_line_to(cr, 5.5, 7);
    cairo_close_path(cr);
    cairo_restore(cr);
}

static void upDownPath(cairo_t* cr)
{
    doubleArrow(cr, 1);
    cairo_rectangle(cr, 4.5, 10, 13, 2);  // the bar a number box is dragged across
}
static void leftRightPath(cairo_t* cr) { doubleArrow(cr, 0); }
static void verticalPath(cairo_t* cr) { doubleArrow(cr, 1); }
static void fourWayPath(cairo_t* cr)
{
    doubleArrow(cr, 1);
    doubleArrow(cr, 0);
}

static void crossPath(cairo_t* cr)
{
    cairo_rectangle(cr, 10, 1.5, 2, 8);
    cairo_rectangle(cr, 10, 12.5, 2, 8);
    cairo_rectangle(cr, 1.5, 10, 8, 2);
    cairo_rectangle(cr, 12.5, 10, 8, 2);
}

static void arrowOnPath(cairo_t* cr)
{
    arrowPath(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 16, 17, 3.5, 0, 2 * M_PI);
}

static void arrowPlusPath(cairo_t* cr)
{
    arrowPath(cr);
    cairo_rectangle(cr, 15, 12.5, 2, 8);
    cairo_rectangle(cr, 12, 15.5, 8, 2);
}

static void arrowMinusPath(cairo_t* cr)
{
    arrowPath(cr);
    cairo_rectangle(cr, 12, 15.5, 8, 2);
}

static void grabPath(cairo_t* cr)
{
    crossPath(cr);
    cairo_rectangle(cr, 7.5, 7.5, 7, 7);
}

static void refusePath(cairo_t* cr)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, 11, 11, 8.5, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 11, 11, 5.5, 0, -2 * M_PI);
    cairo_move_to(cr, 5, 6.5);
    cairo_line_to(cr, 6.5, 5);
    cairo_line_to(cr, 17, 15.5);
    cairo_line_to(cr, 15.5, 17);
    cairo_close_path(cr);
}

static int registerCursor(LPCSTR nameOrId, shapePath shape, int hotX, int hotY, int accentDot)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kCursorSize, kCursorSize);
    cairo_t* cr = cairo_create(s);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    shape(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (accentDot) {  // the "on a control" mark
        const resColorRec& a = res_theme().accent;
        cairo_arc(cr, 16, 17, 2.2, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, a.r, a.g, a.b);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(s);
    int ok = platform_registerCursor(nameOrId, s, hotX, hotY);
    cairo_surface_destroy(s);
    return ok ? 1 : 0;
}

int resources_registerCursors(void)
{
    int ok = registerCursor("caretCur", caretPath, 11, 11, 0);
    ok &= registerCursor("upDownCur", upDownPath, 11, 11, 0);
    ok &= registerCursor("arrowOnCur", arrowOnPath, 1, 1, 1);
    ok &= registerCursor(MAKEINTRESOURCE(143), crossPath, 11, 11, 0);      // place a point
    ok &= registerCursor(MAKEINTRESOURCE(144), fourWayPath, 11, 11, 0);    // move freely
    ok &= registerCursor(MAKEINTRESOURCE(145), leftRightPath, 11, 11, 0);  // move in time
    ok &= registerCursor(MAKEINTRESOURCE(146), verticalPath, 11, 11, 0);   // move in level
    ok &= registerCursor(MAKEINTRESOURCE(147), arrowPlusPath, 1, 1, 0);    // add
    ok &= registerCursor(MAKEINTRESOURCE(148), arrowMinusPath, 1, 1, 0);   // remove
    ok &= registerCursor(MAKEINTRESOURCE(149), grabPath, 11, 11, 0);       // grab a point
    ok &= registerCursor(MAKEINTRESOURCE(150), refusePath, 11, 11, 0);     // not here
    return ok;
}
