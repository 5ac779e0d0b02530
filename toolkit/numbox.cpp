// The number box (type 6): a value field with a name on its left and one to
// three step-button columns on its right. Dragging in a column changes the
// value by that column's step rule, always from the value at the press;
// clicking the field opens the in-place text editor.
#include "toolkit/toolkit_internal.h"
#include <cstring>
#include <new>

numboxRec* numbox_get(short id) { return (numboxRec*)control_data(id, kTypeNumbox); }

static double clampValue(const numboxRec* n, double v)
{
    if (v < n->minimum) return n->minimum;
    if (v > n->maximum) return n->maximum;
    return v;
}

// The three rects from the field's top-left x, y and its width.
static void numbox_place(numboxRec* n, short x, short y, short width)
{
    static const short buttonWidths[4] = {0, 8, 15, 22};
    n->valueRect = RECT{x + 3, y - 1, x + width, y + 12};
    n->buttonRect = RECT{x + width + 1, y - 1, x + width + 1 + buttonWidths[n->buttons], y + 12};
    LONG nameWidth = n->fontID == kFontFree ? 0 : 6 * (long)strlen(n->name) + 2;
    n->nameRect = RECT{x - nameWidth, y - 1, x, y + 12};
    n->obj->rect = RECT{x, y, x + width, y + 12};
}

// Everything the box covers: name, field and buttons.
static RECT numbox_area(const numboxRec* n)
{
    RECT r;
    UnionRect(&r, &n->nameRect, &n->valueRect);
    UnionRect(&r, &r, &n->buttonRect);
    return r;
}

// The zone covers the field and the buttons.
static void numbox_zone(clickObjectRec* obj)
{
    const numboxRec* n = (const numboxRec*)obj->data;
    RECT r{n->valueRect.left, n->buttonRect.top, n->buttonRect.right, n->buttonRect.bottom};
    control_updateZone(obj, kCursorUpDown, r, 0);
}

static void numbox_areaOf(const clickObjectRec* obj, RECT* out)
{
    *out = numbox_area((const numboxRec*)obj->data);
}

static void numbox_offset(clickObjectRec* obj, LONG dx, LONG dy)
{
    numboxRec* n = (numboxRec*)obj->data;
    OffsetRect(&n->valueRect, dx, dy);
    OffsetRect(&n->buttonRect, dx, dy);
    OffsetRect(&n->nameRect, dx, dy);
}

static void numbox_release(clickObjectRec* obj) { delete (numboxRec*)obj->data; }

const controlKindRec numbox_kind = {kTypeNumbox, kCursorUpDown, 0,       1,       numbox_areaOf,
                                    numbox_zone, numbox_offset, nullptr, nullptr, numbox_release};

static int numbox_canDraw(const numboxRec* n)
{
    return n->obj->visible && window_getVisible(g_currentWindow);
}

static void numbox_drawField(numboxRec* n)
{
    const RECT& r = n->valueRect;
    short b = n->pictID;
    bitmap_draw(n->pressed ? b + 8 : b + 7, (short)r.left, (short)r.top);
    bitmap_drawStretch(b + 9, (short)(r.left + 3), (short)r.top, (short)(r.right - 1), (short)r.bottom);
    bitmap_draw(b + 10, (short)(r.right - 1), (short)r.top);
    char text[40] = {0};
    numbox_getValueString(n, text);
    RECT t{r.left + 3, r.top, r.right - 1, r.bottom};
    control_drawText(text, &t, n->fontID, n->valueRGB, DT_RIGHT);
}

static void numbox_drawButtons(numboxRec* n)
{
    short pict = (short)(n->pictID + n->buttons - 1 + (n->obj->enabled ? 0 : 4));
    bitmap_draw(pict, (short)n->buttonRect.left, (short)n->buttonRect.top);
}

void numbox_draw(short id)
{
    numboxRec* n = numbox_get(id);
    if (!n || !numbox_canDraw(n)) return;
    numbox_drawField(n);
    numbox_drawButtons(n);
    control_drawBackdrop(n->obj, &n->nameRect);
    control_drawText(n->name, &n->nameRect, n->fontID, n->nameRGB, DT_RIGHT);
}

void numbox_new(short id, short x, short y, short width, short buttons, short decimals, double value,
                double minimum, double maximum, incrementProcPtr increment, clickProcPtr callback,
                const char* name)
{
    numboxRec* n = new (std::nothrow) numboxRec();
    if (!n) return;
    clickObjectRec* obj = control_newObject(id, kTypeNumbox);
    if (!obj) {
        delete n;
        return;
    }
    n->pressed = 0;
    n->decimals = decimals;
    n->buttons = (buttons >= 1 && buttons <= 3) ? buttons : 1;
    n->pictID = g_numboxPictID;
    n->font = display_currentFont;
    n->fontID = font_new(n->font, 9);
    if (n->fontID == kFontFree) error("brambix numbox: couln't load font");
    n->nameRGB = display_currentColor;
    n->valueRGB = g_numboxTextRGB;
    n->minimum = minimum;
    n->maximum = maximum;
    n->obj = obj;
    n->increment = increment ? increment : numbox_defaultIncrement;
    n->callback = callback ? callback : emptyClickProc;
    control_copyText(n->name, name, sizeof n->name);
    n->value = clampValue(n, value);
    numbox_place(n, x, y, width);
    control_attach(obj, kTypeNumbox, RECT{x, y, x + width, y + 12}, n, numbox_process, numbox_draw, 1, 1);
    panel_autoAddObject(id);
}

void numbox_delete(short id) { control_delete(id, kTypeNumbox); }

void numbox_setVal(short id, float value)
{
    numboxRec* n = numbox_get(id);
    if (!n) return;
    n->value = clampValue(n, value);
    if (numbox_canDraw(n)) numbox_drawField(n);
}

float numbox_getVal(short id)
{
    numboxRec* n = numbox_get(id);
    return n ? (float)n->value : 0.00001f;
}

void numbox_setMin(short id, double minimum)
{
    numboxRec* n = numbox_get(id);
    if (!n) return;
    n->minimum = minimum;
    numbox_setVal(id, (float)n->value);
}

void numbox_setMax(short id, double maximum)
{
    numboxRec* n = numbox_get(id);
    if (!n) return;
    n->maximum = maximum;
    numbox_setVal(id, (float)n->value);
}

void numbox_setName(short id, const char* name)
{
    numboxRec* n = numbox_get(id);
    if (!n) return;
    if (n->obj->visible) invalRect(&n->nameRect);
    control_copyText(n->name, name, sizeof n->name);
    const RECT& r = n->obj->rect;
    numbox_place(n, (short)r.left, (short)r.top, (short)(r.right - r.left));
    if (n->obj->visible) invalRect(&n->nameRect);
}

void numbox_setNameIncrementRangeValue(short id, const char* name, incrementProcPtr increment, float minimum,
                                       float maximum, float value)
{
    numboxRec* n = numbox_get(id);
    if (!n) return;
    n->increment = increment ? increment : numbox_defaultIncrement;
    n->minimum = minimum;
    n->maximum = maximum;
    numbox_setName(id, name);
    numbox_setVal(id, value);
}

void numbox_show(short id, int show) { control_show(id, kTypeNumbox, show); }

// Shown only inside a shown panel; the panels remember the choice either way.
void numbox_showInPanels(short id, int show)
{
    numboxRec* n = numbox_get(id);
    if (!n) return;
    window_updateObjectVisibility(id, show);
    if (n->obj->panel && !clickObject_isVisible(g_currentWindow, n->obj->panel)) show = 0;
    numbox_show(id, show);
}

void numbox_move(short id, short x, short y) { control_move(id, kTypeNumbox, x, y); }

void numbox_textValidate(short id, char* text)
{
    numboxRec* n = numbox_get(id);
    if (!n) return;
    double v = 0;
    numbox_stringToVal(text, &v);
    numbox_setVal(id, (float)v);
    n->callback(id);
}

// ---- the drag ---------------------------------------------------------------------------

struct numboxDragRec {
    numboxRec* n;
    short column;
    double startValue;
    short lastDelta;
    double travel;  // pixels moved up since the press, a tenth of each while Shift is held
};

// The column of step buttons under a point (1 to 3).
static short numbox_columnAt(const numboxRec* n, short h)
{
    long dx = h - n->buttonRect.left;
    return (short)(dx <= 8 ? 1 : dx <= 15 ? 2 : 3);
}

static int numbox_dragStep(short id, trackStateRec* s, void* arg)
{
    numboxDragRec* d = (numboxDragRec*)arg;
    int moved = s->last.v - s->pt.v;
    d->travel += toolkit_fineDrag() ? moved / 10.0 : moved;
    short delta = (short)d->travel;
    if (delta != d->lastDelta) {
        d->lastDelta = delta;
        numboxRec* n = d->n;
        n->value = clampValue(n, n->increment(d->startValue, delta, d->column));
        if (numbox_canDraw(n)) numbox_drawField(n);
        n->callback(id);
    }
    return 1;
}

void numbox_process(short id)
{
    numboxRec* n = numbox_get(id);
    if (!n) return;
    zPoint pt = g_mouse.pos;
    mouse_getPos(&pt);
    const RECT& vr = n->valueRect;
    if (pt.h >= vr.left && pt.h <= vr.right && pt.v >= vr.top && pt.v <= vr.bottom) {
        window_prepareUndo(g_currentWindow, id);
        textEdit_openNumbox(id, numbox_textValidate);
        return;
    }
    if (g_mouse.state != kMousePressed) return;
    numboxDragRec d{n, numbox_columnAt(n, pt.h), n->value, 0, 0};
    n->pressed = 1;
    if (numbox_canDraw(n)) {
        numbox_drawField(n);
        bitmap_draw(n->pictID + 3, (short)(n->buttonRect.left + 7 * (d.column - 1)),
                    (short)n->buttonRect.top);
    }
    window_prepareUndo(g_currentWindow, id);
    control_track(id, 16, numbox_dragStep, &d);
    n->pressed = 0;
    numbox_draw(id);
    resetClicks();
}

void numbox_wheel(short id, int notches, const zPoint* pt)
{
    numboxRec* n = numbox_get(id);
    if (!n || !pt || !notches) return;
    short column = pt->h >= n->buttonRect.left ? numbox_columnAt(n, pt->h) : 1;
    window_prepareUndo(g_currentWindow, id);
    n->value = clampValue(n, n->increment(n->value, (short)notches, column));
    if (numbox_canDraw(n)) numbox_drawField(n);
    n->callback(id);
}
