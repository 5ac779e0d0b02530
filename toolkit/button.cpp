// The button (type 1): a bitmap button with normal, selected and disabled
// pictures per state, optional masks that shape it, optional text; it acts
// as momentary, toggle, radio or multi-state button, at the press or at the
// release, and a release outside it undoes the press.
#include "toolkit/toolkit_internal.h"
#include <cstring>
#include <new>

buttonRec* button_get(short id) { return (buttonRec*)control_data(id, kTypeButton); }

static void button_updatePicture(buttonRec* b)
{
    int k = 8 * b->state + (b->selected ? 1 : 0) + (b->obj->enabled ? 0 : 2);
    b->currentPict = b->picts[k];
}

// The mask of the current picture, or the normal picture's mask.
static short button_currentMask(const buttonRec* b)
{
    if (!b->hasMask) return 0;
    int k = 8 * b->state + (b->selected ? 1 : 0) + (b->obj->enabled ? 0 : 2);
    return b->picts[k + 4] ? b->picts[k + 4] : b->picts[4];
}

static void button_zone(clickObjectRec* obj)
{
    buttonRec* b = (buttonRec*)obj->data;
    control_updateZone(obj, kCursorArrowOn, obj->rect, button_currentMask(b));
}

void button_updateZone(short id)
{
    buttonRec* b = button_get(id);
    if (b) button_zone(b->obj);
}

// The picture follows the enabling; the drawing is the shared code's.
static void button_changed(clickObjectRec* obj, int what)
{
    if (what == kControlEnabled) button_updatePicture((buttonRec*)obj->data);
}

static void button_release(clickObjectRec* obj)
{
    buttonRec* b = (buttonRec*)obj->data;
    delete[] b->picts;
    delete b;
}

const controlKindRec button_kind = {kTypeButton, kCursorArrowOn, 0,       1,
                                    nullptr,     button_zone,    nullptr, button_changed,
                                    nullptr,     button_release};

void button_draw(short id)
{
    buttonRec* b = button_get(id);
    if (!b || !b->obj->visible || !window_getVisible(g_currentWindow)) return;
    const RECT& r = b->obj->rect;
    if (b->hasMask)
        drawPictMask(b->currentPict, button_currentMask(b), (short)r.left, (short)r.top);
    else
        bitmap_draw(b->currentPict, (short)r.left, (short)r.top);
    if (b->textLength > 0) {
        LONG half = (r.bottom - r.top) / 2;
        RECT band{r.left, r.top + (half - 7), r.right, r.bottom - (half - 5)};
        control_drawText(b->text, &band, b->fontID, b->textRGB, DT_CENTER);
    }
}

void button_new(short id, short x, short y, long flags, short basePict, const char* text, int enabled,
                int selected, short states, clickProcPtr callback)
{
    if (states < 1) states = 1;
    buttonRec* b = new (std::nothrow) buttonRec();
    short* picts = new (std::nothrow) short[8 * states];
    clickObjectRec* obj = (b && picts) ? control_newObject(id, kTypeButton) : nullptr;
    if (!obj) {
        delete b;
        delete[] picts;
        return;
    }
    for (int k = 0; k < 8 * states; k++) picts[k] = bitmap_get(basePict + k) ? (short)(basePict + k) : 0;
    b->states = states;
    b->state = 0;
    b->picts = picts;
    b->hasMask = picts[4] != 0;
    b->flags = flags;
    b->obj = obj;
    b->callback = callback ? callback : emptyClickProc;
    b->selected = selected ? 1 : 0;
    b->font = button_currentFont;
    b->fontSize = button_currentFontSize;
    b->fontID = font_new(b->font, b->fontSize);
    b->one = 1;
    b->textRGB = button_currentRGB;
    b->textLength = (short)control_copyText(b->text, text, sizeof b->text);
    RECT r;
    bitmap_getRect(basePict, &r);  // empty when the base picture is missing
    OffsetRect(&r, x, y);
    obj->enabled = enabled ? 1 : 0;
    button_updatePicture(b);
    control_attach(obj, kTypeButton, r, b, button_process, button_draw, !(flags & kButtonHidden), enabled);
    panel_autoAddObject(id);
}

void button_delete(short id) { control_delete(id, kTypeButton); }

// Picture, zone and drawing after a change of state, selection or enabling.
static void button_refresh(short id, buttonRec* b)
{
    button_updatePicture(b);
    button_updateZone(id);
    button_draw(id);
}

void button_select(short id, int selected)
{
    buttonRec* b = button_get(id);
    if (!b) return;
    b->selected = selected ? 1 : 0;
    button_refresh(id, b);
}

void button_enable(short id, int enabled) { control_enable(id, kTypeButton, enabled); }

void button_selectEnable(short id, int selected, int enabled)
{
    buttonRec* b = button_get(id);
    if (!b) return;
    b->selected = selected ? 1 : 0;
    b->obj->enabled = enabled ? 1 : 0;
    button_refresh(id, b);
}

int button_isSelected(short id)
{
    buttonRec* b = button_get(id);
    return b ? b->selected : 0;
}

int button_isVisible(short id)
{
    buttonRec* b = button_get(id);
    return b ? b->obj->visible : 0;
}

short button_getState(short id)
{
    buttonRec* b = button_get(id);
    return b ? b->state : 0;
}

void button_setState(short id, short state)
{
    buttonRec* b = button_get(id);
    if (!b || state < 0 || state >= b->states) return;
    b->state = state;
    button_refresh(id, b);
}

void button_show(short id, int show) { control_show(id, kTypeButton, show); }

void button_move(short id, short x, short y) { control_move(id, kTypeButton, x, y); }

void button_setText(short id, const char* text)
{
    buttonRec* b = button_get(id);
    if (!b) return;
    b->textLength = (short)control_copyText(b->text, text, sizeof b->text);
    invalRect(&b->obj->rect);
}

// ---- the click ------------------------------------------------------------------------------

struct buttonPressRec {
    buttonRec* b;
    int initial, target;
    int wasInside;
};

static int button_pressStep(short id, trackStateRec* s, void* arg)
{
    buttonPressRec* p = (buttonPressRec*)arg;
    if (s->inside == p->wasInside) return 1;
    p->wasInside = s->inside;
    p->b->selected = s->inside ? p->target : p->initial;
    button_updatePicture(p->b);
    button_draw(id);
    return !(p->b->flags & kButtonAtPress);
}

void button_process(short id)
{
    buttonRec* b = button_get(id);
    if (!b || g_mouse.state != kMousePressed) return;
    if ((b->flags & kButtonRadio) && b->selected) return;
    buttonPressRec p{b, b->selected, !b->selected, -1};
    int inside = control_track(id, 48, button_pressStep, &p);
    if ((b->flags & kButtonMultiState) && b->selected) b->state = (short)((b->state + 1) % b->states);
    if (!(b->flags & (kButtonToggle | kButtonRadio))) {
        if (!b->selected) window_stopEvent();  // released outside: the click is not reported
        b->selected = 0;
    }
    button_refresh(id, b);
    resetClicks();
    if (inside) b->callback(id);
}
