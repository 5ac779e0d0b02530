// The panel (type 2): a background picture (or a bare rect) that groups
// other controls: they are shown and hidden with it, remembering which of
// them were visible, and move with it. With auto-add on, the controls
// created next join the panel created last. A panel itself joins another
// only when the window asked for it by naming that panel with
// panel_setAutoAdd before creating it, so panels built one after another
// stay side by side instead of nesting each in the one before.
#include "toolkit/toolkit_internal.h"
#include <new>

int gAutoAdd = 0;
short gAutoAdd_panel = 0, gAutoAdd_window = 0;
static int s_nestAsked = 0;  // the auto-add panel was named by the window

panelRec* panel_get(short id) { return (panelRec*)control_data(id, kTypePanel); }

// The items follow the panel: hidden with it (each remembering whether it
// was visible), shown again as they were, moved by as much.
static void panel_follow(clickObjectRec* obj, int what, LONG dx, LONG dy)
{
    panelRec* p = (panelRec*)obj->data;
    if (what == kControlMoved) {
        for (short i = 0; i < p->count; i++) {
            RECT ir;
            clickObject_getRect(p->items[i].id, &ir);
            clickObject_move(p->items[i].id, (short)(ir.left + dx), (short)(ir.top + dy));
        }
        return;
    }
    if (what != kControlShown) return;
    if (!obj->visible)
        for (short i = 0; i < p->count; i++)
            p->items[i].visible = clickObject_isVisible(g_currentWindow, p->items[i].id);
    for (short i = 0; i < p->count; i++)
        clickObject_show(p->items[i].id, p->items[i].visible && obj->visible);
}

// Items that survive their panel belong to no panel any more.
static void panel_release(clickObjectRec* obj)
{
    panelRec* p = (panelRec*)obj->data;
    if (gAutoAdd_panel == obj->id && gAutoAdd_window == g_currentWindow) gAutoAdd_panel = 0;
    for (short i = 0; i < p->count; i++) {
        clickObjectRec* item = toolkit_object(p->items[i].id);
        if (item->panel == obj->id) item->panel = 0;
    }
    delete p;
}

const controlKindRec panel_kind = {kTypePanel,   kCursorArrow, 1, 1, nullptr, nullptr, nullptr, nullptr,
                                   panel_follow, panel_release};

void panel_new(short id, short x, short y, short right, short bottom, long flags, short pict,
               clickProcPtr callback)
{
    panelRec* p = new (std::nothrow) panelRec();
    if (!p) return;
    clickObjectRec* obj = control_newObject(id, kTypePanel);
    if (!obj) {
        delete p;
        return;
    }
    RECT r{x, y, right, bottom};
    p->pict = 0;
    if (!(flags & kPanelExplicitRect) && getPictRect(pict, &r)) {
        p->pict = pict;
        OffsetRect(&r, x, y);
    } else {
        r = RECT{x, y, right, bottom};
    }
    p->flags = flags;
    p->obj = obj;
    p->count = 0;
    p->callback = callback ? callback : emptyClickProc;
    control_attach(obj, kTypePanel, r, p, panel_process, panel_draw, !(flags & kPanelHidden), 1);
    // Nested only where asked; then it takes the controls after it.
    if (s_nestAsked) panel_autoAddObject(id);
    panel_setAutoAdd(id);
    s_nestAsked = 0;
}

void panel_delete(short id) { control_delete(id, kTypePanel); }

void panel_addObject(short panel, short object)
{
    panelRec* p = panel_get(panel);
    if (!p || p->count >= kPanelItemMax || object < 0 || object == panel) return;
    clickObjectRec* obj = toolkit_object(object);
    panelItemRec& item = p->items[p->count++];
    item.id = object;
    item.visible = obj->visible;
    item.enabled = obj->enabled;
    clickObject_show(object, p->obj->visible && item.visible);
    obj->panel = panel;
}

void panel_enableAutoAdd(int on) { gAutoAdd = on ? 1 : 0; }

void panel_setAutoAdd(short panel)
{
    if (gAutoAdd) {
        gAutoAdd_panel = panel;
        gAutoAdd_window = g_currentWindow;
        s_nestAsked = panel >= 1;
    } else {
        s_nestAsked = 0;
        gAutoAdd_panel = 0;
        gAutoAdd_window = 0;
    }
}

int panel_shallWeAutoAdd(void) { return gAutoAdd && gAutoAdd_window == g_currentWindow; }

void panel_autoAddObject(short object)
{
    if (panel_shallWeAutoAdd() && gAutoAdd_panel >= 1 && object >= 1) panel_addObject(gAutoAdd_panel, object);
}

void panel_show(short id, int show) { control_show(id, kTypePanel, show); }

// Never left of or above the window's corner; the items move with it.
void panel_move(short id, short x, short y) { control_move(id, kTypePanel, x, y); }

void panel_updateItemVisibility(short panel, short object, int visible)
{
    panelRec* p = panel_get(panel);
    if (!p) return;
    for (short i = 0; i < p->count; i++)
        if (p->items[i].id == object) p->items[i].visible = visible ? 1 : 0;
}

void window_updateObjectVisibility(short objectID, int visible)
{
    clickListRec* l = window_getClickList(g_currentWindow);
    if (!l) return;
    for (short i = 1; i < l->count; i++)
        if (l->objects[i]->type == kTypePanel) panel_updateItemVisibility(i, objectID, visible);
}

void panel_getPictAndOffset(short panel, short* pict, short* x, short* y)
{
    panelRec* p = panel_get(panel);
    if (!p) return;
    if (pict) *pict = p->pict;
    if (x) *x = (short)(*x - p->obj->rect.left);
    if (y) *y = (short)(*y - p->obj->rect.top);
}

void panel_draw(short id)
{
    panelRec* p = panel_get(id);
    if (!p || !p->pict || !p->obj->visible || !window_getVisible(g_currentWindow)) return;
    bitmap_draw(p->pict, (short)p->obj->rect.left, (short)p->obj->rect.top);
}

void panel_drawAll(short id)
{
    panelRec* p = panel_get(id);
    if (p) invalRect(&p->obj->rect);
}

void panel_process(short id)
{
    panelRec* p = panel_get(id);
    if (!p) return;
    resetClicks();
    p->callback(id);
    resetClicks();
}
