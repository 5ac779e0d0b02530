// Click objects: one record per control of a window, looked up by object
// id, with the shared default object standing for "no object"; delete,
// show and move of whatever kind the object is go to the shared operations.
#include "toolkit/toolkit_internal.h"
#include <new>

clickObjectRec defaultClickObject;

void emptyClickProc(short) {}
void custom_defaultEventCallback(short, long, long, long) {}

void clickObject_init(clickObjectRec* obj, short window, short id)
{
    if (!obj) return;
    obj->window = window;
    obj->id = id;
    obj->type = kTypeNone;
    obj->rect = RECT{0, 0, 0, 0};
    obj->visible = 0;
    obj->enabled = 0;
    obj->panel = 0;
    obj->data = nullptr;
    obj->userData = nullptr;
    obj->clickProc = emptyClickProc;
    obj->drawProc = emptyClickProc;
    obj->eventProc = custom_defaultEventCallback;
}

static clickObjectRec** clickObject_slot(short window, short id)
{
    clickListRec* l = window_getClickList(window);
    if (!l || id < 1 || id >= l->count) return nullptr;
    return &l->objects[id];
}

clickObjectRec* clickObject_get(short window, short id)
{
    clickObjectRec** slot = clickObject_slot(window, id);
    return slot ? *slot : &defaultClickObject;
}

clickObjectRec* toolkit_object(short id) { return clickObject_get(g_currentWindow, id); }

clickObjectRec* clickObject_new(short window, short id)
{
    clickObjectRec** slot = clickObject_slot(window, id);
    if (!slot) return &defaultClickObject;
    // A live control of another kind gives up its own record first, so that
    // nothing of it (record, zone) is left behind when its slot is reused.
    if (*slot != &defaultClickObject && (*slot)->type != kTypeNone) clickObject_delete(window, id);
    clickObjectRec* obj = *slot;
    if (obj == &defaultClickObject) {
        obj = new (std::nothrow) clickObjectRec();
        if (!obj) return &defaultClickObject;
        *slot = obj;
    }
    clickObject_init(obj, window, id);
    return obj;
}

void clickObject_delete(short window, short id)
{
    clickObjectRec** slot = clickObject_slot(window, id);
    if (!slot || *slot == &defaultClickObject) return;
    short saved = g_currentWindow;
    g_currentWindow = window;
    control_delete(id, kTypeNone);  // kinds without a record of their own: the object only
    g_currentWindow = saved;
    if (*slot != &defaultClickObject) delete *slot;
    *slot = &defaultClickObject;
}

int clickObject_isVisible(short window, short id) { return clickObject_get(window, id)->visible; }
int clickObject_isEnabled(short window, short id) { return clickObject_get(window, id)->enabled; }

void clickObject_show(short id, int show) { control_show(id, kTypeNone, show); }

void clickObject_move(short id, short x, short y) { control_move(id, kTypeNone, x, y); }

void clickObject_enable(short id, int enable) { control_enable(id, kTypeNone, enable); }

void clickObject_getRect(short id, RECT* rect)
{
    if (rect) *rect = toolkit_object(id)->rect;
}

void clickObject_setRect(short id, RECT* rect)
{
    clickObjectRec* obj = toolkit_object(id);
    if (!rect || obj == &defaultClickObject) return;
    obj->rect = *rect;
    if (obj->visible) {
        obj->visible = 0;
        clickObject_show(id, 1);
    }
}
