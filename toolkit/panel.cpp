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

static void panel_updateZone(panelRec* p) { control_updateZone(p->obj, kCursorArrow, p->obj->rect, 0); }

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
    control_attach(obj, kTypePanel, r, p, panel_process, panel_draw);
    obj->visible = !(flags & kPanelHidden);
    panel_updateZone(p);
    window_updateDrawList(g_currentWindow);
    // Nested only where asked; then it takes the controls after it.
    if (s_nestAsked) panel_autoAddObject(id);
    panel_setAutoAdd(id);
    s_nestAsked = 0;
}

void panel_delete(short id)
{
    panelRec* p = panel_get(id);
    if (!p) return;
    if (gAutoAdd_panel == id && gAutoAdd_window == g_currentWindow) gAutoAdd_panel = 0;
    // Items that survive their panel belong to no panel any more.
    for (short i = 0; i < p->count; i++) {
        clickObjectRec* item = toolkit_object(p->items[i].id);
        if (item->panel == id) item->panel = 0;
    }
    control_detach(p->obj);
    delete p;
}

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

void panel_show(short id, int show)
{
    panelRec* p = panel_get(id);
    if (!p || (p->obj->visible != 0) == (show != 0)) return;
    if (!show) {
        for (short i = 0; i < p->count; i++)
            p->items[i].visible = clickObject_isVisible(g_currentWindow, p->items[i].id);
    } else if (p->pict && window_getVisible(g_currentWindow)) {
        bitmap_draw(p->pict, (short)p->obj->rect.left, (short)p->obj->rect.top);
        validRect(&p->obj->rect);
    }
    for (short i = 0; i < p->count; i++) clickObject_show(p->items[i].id, p->items[i].visible && show);
    p->obj->visible = show ? 1 : 0;
    window_updateDrawList(g_currentWindow);
    panel_updateZone(p);
    if (!show && p->pict) invalRect(&p->obj->rect);
}

void panel_move(short id, short x, short y)
{
    panelRec* p = panel_get(id);
    if (!p) return;
    RECT& r = p->obj->rect;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    LONG dx = x - r.left, dy = y - r.top;
    invalRect(&r);
    for (short i = 0; i < p->count; i++) {
        RECT ir;
        clickObject_getRect(p->items[i].id, &ir);
        clickObject_move(p->items[i].id, (short)(ir.left + dx), (short)(ir.top + dy));
    }
    OffsetRect(&r, dx, dy);
    invalRect(&r);
    panel_updateZone(p);
}

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
