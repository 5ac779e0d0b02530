// The operations every control kind shares, written once: creation's last
// step, show, move, enable and delete. What really differs between the
// kinds (what they paint beyond their rect, their zone, their own rects,
// what they do after a change, how their record goes) comes from each
// kind's controlKindRec.
//
// Invalidation follows one rule: only a real change of state repaints;
// hiding invalidates what the control painted, showing what it will paint,
// a move both, and enabling or disabling a shown control its area. A
// control shown, moved or enabled is also drawn at once, so that it shows
// during a drag too, when no paint comes until the button is released.
#include "toolkit/toolkit_internal.h"

const controlKindRec* control_kind(short type)
{
    static const controlKindRec* const kinds[] = {nullptr,      &button_kind,  &panel_kind,  &picture_kind,
                                                  &draggy_kind, &display_kind, &numbox_kind, &matrix_kind,
                                                  &kbd_kind,    &popup_kind,   &custom_kind, &list_kind};
    if (type < 1 || type >= (short)(sizeof kinds / sizeof kinds[0])) return nullptr;
    MORVANE_VERIFY(kinds[type]->type == type);
    return kinds[type];
}

// The object of the current window when it is a control of the kind (any
// kind when type is kTypeNone), else null.
static clickObjectRec* control_objectOf(short id, short type)
{
    clickObjectRec* obj = toolkit_object(id);
    const controlKindRec* kind = control_kind(obj->type);
    if (obj == &defaultClickObject || !kind || (kind->ownRecord && !obj->data)) return nullptr;
    // Our own code names the kind it means: a live control of another kind
    // under the id is a mix-up of ids.
    MORVANE_VERIFY(type == kTypeNone || obj->type == type);
    if (type != kTypeNone && obj->type != type) return nullptr;
    return obj;
}

void control_area(const clickObjectRec* obj, RECT* out)
{
    const controlKindRec* kind = control_kind(obj->type);
    if (kind && kind->area)
        kind->area(obj, out);
    else
        *out = obj->rect;
}

static void control_invalidateArea(const clickObjectRec* obj)
{
    RECT area;
    control_area(obj, &area);
    invalRect(&area);
}

void control_syncZone(clickObjectRec* obj)
{
    const controlKindRec* kind = control_kind(obj->type);
    if (!kind) return;
    if (kind->updateZone)
        kind->updateZone(obj);
    else
        control_updateZone(obj, kind->cursor, obj->rect, 0);
}

static void control_drawNow(clickObjectRec* obj)
{
    if (obj->visible && obj->drawProc) obj->drawProc(obj->id);
}

void control_attach(clickObjectRec* obj, short type, RECT rect, void* data, clickProcPtr click,
                    clickProcPtr draw, int visible, int enabled)
{
    obj->type = type;
    obj->rect = rect;
    obj->visible = visible ? 1 : 0;
    obj->enabled = enabled ? 1 : 0;
    obj->panel = 0;
    obj->data = data;
    obj->clickProc = click ? click : emptyClickProc;
    obj->drawProc = draw ? draw : emptyClickProc;
    control_syncZone(obj);
    window_updateDrawList(g_currentWindow);
    if (!obj->visible) return;
    control_invalidateArea(obj);
    const controlKindRec* kind = control_kind(type);
    if (kind && kind->changed) kind->changed(obj, kControlShown);
}

void control_show(short id, short type, int show)
{
    clickObjectRec* obj = control_objectOf(id, type);
    if (!obj) return;
    const controlKindRec* kind = control_kind(obj->type);
    show = show ? 1 : 0;
    if (obj->visible == show) {
        control_syncZone(obj);
        return;
    }
    obj->visible = show;
    control_syncZone(obj);
    window_updateDrawList(g_currentWindow);
    control_invalidateArea(obj);
    if (kind->changed) kind->changed(obj, kControlShown);
    control_drawNow(obj);
    if (kind->follow) kind->follow(obj, kControlShown, 0, 0);
}

void control_move(short id, short type, short x, short y)
{
    clickObjectRec* obj = control_objectOf(id, type);
    if (!obj) return;
    const controlKindRec* kind = control_kind(obj->type);
    if (kind->staysOnWindow) {
        if (x < 0) x = 0;
        if (y < 0) y = 0;
    }
    LONG dx = x - obj->rect.left, dy = y - obj->rect.top;
    if (!dx && !dy) return;
    if (obj->visible) control_invalidateArea(obj);
    OffsetRect(&obj->rect, dx, dy);
    if (kind->offset) kind->offset(obj, dx, dy);
    control_syncZone(obj);
    if (obj->visible) control_invalidateArea(obj);
    if (kind->changed) kind->changed(obj, kControlMoved);
    control_drawNow(obj);
    if (kind->follow) kind->follow(obj, kControlMoved, dx, dy);
}

void control_enable(short id, short type, int enable)
{
    clickObjectRec* obj = control_objectOf(id, type);
    if (!obj) return;
    const controlKindRec* kind = control_kind(obj->type);
    enable = enable ? 1 : 0;
    if (obj->enabled == enable) {
        control_syncZone(obj);
        return;
    }
    obj->enabled = enable;
    if (kind->changed) kind->changed(obj, kControlEnabled);
    control_syncZone(obj);
    if (obj->visible) control_invalidateArea(obj);
    control_drawNow(obj);
}

void control_delete(short id, short type)
{
    clickObjectRec* obj = control_objectOf(id, type);
    if (!obj) return;
    const controlKindRec* kind = control_kind(obj->type);
    // Invalidated while the kind's record still describes the area.
    if (obj->visible) control_invalidateArea(obj);
    if (kind->release) kind->release(obj);
    control_detach(obj);
}

void control_detach(clickObjectRec* obj)
{
    if (!obj) return;
    zone_delete(obj->id);
    clickObject_init(obj, obj->window, obj->id);
    window_updateDrawList(g_currentWindow);
}
