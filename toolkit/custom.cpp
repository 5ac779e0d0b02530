// The custom control (type 10): a click object whose event procedure does
// all the work, told of drawing, clicks, creation, deletion, moves, showing
// and enabling.
#include "toolkit/toolkit_internal.h"

static clickObjectRec* custom_get(short id)
{
    clickObjectRec* obj = toolkit_object(id);
    return obj->type == kTypeCustom ? obj : nullptr;
}

static void custom_event(clickObjectRec* obj, long event, long a, long b)
{
    if (obj->eventProc) obj->eventProc(obj->id, event, a, b);
}

void custom_updateZone(short id)
{
    clickObjectRec* obj = custom_get(id);
    if (obj && obj->visible && obj->enabled) zone_newRect(id, kCursorArrowOn, obj->rect, 0);
}

void custom_new(short id, short left, short top, short width, short height, eventProcPtr eventProc)
{
    if (g_currentWindow < 1 || g_currentWindow > kWindowMax) return;
    clickObjectRec* obj = clickObject_new(g_currentWindow, id);
    if (obj == &defaultClickObject) return;
    if (eventProc) obj->eventProc = eventProc;
    obj->rect = RECT{left, top, left + width, top + height};
    obj->type = kTypeCustom;
    obj->visible = 1;
    obj->enabled = 1;
    obj->clickProc = custom_click;
    obj->drawProc = custom_draw;
    custom_create(id);
    custom_show(id, 1);
    panel_autoAddObject(id);
}

void custom_click(short id)
{
    clickObjectRec* obj = custom_get(id);
    if (obj && obj->enabled) custom_event(obj, kCustomClick, 0, 0);
}

void custom_draw(short id)
{
    clickObjectRec* obj = custom_get(id);
    if (obj && obj->visible && window_getVisible(g_currentWindow)) custom_event(obj, kCustomDraw, 0, 0);
}

void custom_create(short id)
{
    clickObjectRec* obj = custom_get(id);
    if (obj) custom_event(obj, kCustomCreated, 0, 0);
}

void custom_show(short id, int show)
{
    clickObjectRec* obj = custom_get(id);
    if (!obj) return;
    int was = obj->visible;
    obj->visible = show ? 1 : 0;
    if (obj->visible && obj->enabled)
        custom_updateZone(id);
    else
        zone_delete(id);
    if (was && !obj->visible) invalRect(&obj->rect);
    // The draw list is rebuilt before the next paint, so that the control is
    // painted once shown and left out once hidden.
    toolkit_drawListChanged(g_currentWindow);
    custom_event(obj, kCustomShown, obj->visible, 0);
}

void custom_move(short id, short x, short y)
{
    clickObjectRec* obj = custom_get(id);
    if (!obj) return;
    if (obj->visible) invalRect(&obj->rect);
    OffsetRect(&obj->rect, x - obj->rect.left, y - obj->rect.top);
    custom_updateZone(id);
    custom_event(obj, kCustomMoved, x, y);
    if (obj->visible) custom_draw(id);
}

void custom_enable(short id, int enable)
{
    clickObjectRec* obj = custom_get(id);
    if (!obj) return;
    obj->enabled = enable ? 1 : 0;
    // A control created disabled has no zone yet: enabling gives it one.
    if (obj->enabled) custom_updateZone(id);
    custom_event(obj, kCustomEnabled, obj->enabled, 0);
}

void custom_resize(short id, short width, short height)
{
    clickObjectRec* obj = custom_get(id);
    if (!obj) return;
    obj->rect.right = obj->rect.left + width;
    obj->rect.bottom = obj->rect.top + height;
    custom_updateZone(id);
    if (obj->visible) invalRect(&obj->rect);
}

void custom_moveResizeV(short id, short top, short height)
{
    clickObjectRec* obj = custom_get(id);
    if (!obj) return;
    obj->rect.top = top;
    obj->rect.bottom = top + height;
    custom_updateZone(id);
    if (obj->visible) invalRect(&obj->rect);
}

void custom_setUserData(short id, void* data)
{
    clickObjectRec* obj = custom_get(id);
    if (obj && !obj->userData) obj->userData = data;
}

void* custom_getUserData(short id)
{
    clickObjectRec* obj = custom_get(id);
    return obj ? obj->userData : nullptr;
}

void custom_getRect(short id, RECT* rect)
{
    clickObjectRec* obj = custom_get(id);
    if (rect) *rect = obj ? obj->rect : RECT{0, 0, 0, 0};
}

int custom_getVisible(short id)
{
    clickObjectRec* obj = custom_get(id);
    return obj ? obj->visible : 0;
}

void custom_delete(short id)
{
    clickObjectRec* obj = custom_get(id);
    if (!obj) return;
    custom_event(obj, kCustomDeleting, 0, 0);
    zone_delete(id);
    invalRect(&obj->rect);
    clickObject_init(obj, obj->window, obj->id);
    window_updateDrawList(g_currentWindow);
}
