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

// The owner hears of every change.
static void custom_changed(clickObjectRec* obj, int what)
{
    if (what == kControlShown)
        custom_event(obj, kCustomShown, obj->visible, 0);
    else if (what == kControlMoved)
        custom_event(obj, kCustomMoved, obj->rect.left, obj->rect.top);
    else if (what == kControlEnabled)
        custom_event(obj, kCustomEnabled, obj->enabled, 0);
}

static void custom_release(clickObjectRec* obj) { custom_event(obj, kCustomDeleting, 0, 0); }

// A disabled custom control keeps its zone: a click on it is its own (the
// dispatch reports its type and calls no procedure), never the panel's below.
static void custom_zone(clickObjectRec* obj)
{
    if (obj->visible)
        zone_newRect(obj->id, kCursorArrowOn, obj->rect, 0);
    else
        zone_delete(obj->id);
}

static void custom_rightClick(clickObjectRec* obj)
{
    if (obj->eventProc) obj->eventProc(obj->id, kCustomRightClick, g_mouse.pos.h, g_mouse.pos.v);
}

const controlKindRec custom_kind = {
    kTypeCustom,    kCursorArrowOn,   0, 0, nullptr, custom_zone, nullptr, custom_changed, nullptr,
    custom_release, custom_rightClick};

void custom_updateZone(short id)
{
    clickObjectRec* obj = custom_get(id);
    if (obj) custom_zone(obj);
}

void custom_new(short id, short left, short top, short width, short height, eventProcPtr eventProc)
{
    if (g_currentWindow < 1 || g_currentWindow > kWindowMax) return;
    clickObjectRec* obj = clickObject_new(g_currentWindow, id);
    if (obj == &defaultClickObject) return;
    if (eventProc) obj->eventProc = eventProc;
    obj->rect = RECT{left, top, left + width, top + height};
    obj->type = kTypeCustom;
    custom_create(id);
    control_attach(obj, kTypeCustom, obj->rect, nullptr, custom_click, custom_draw, 1, 1);
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

void custom_show(short id, int show) { control_show(id, kTypeCustom, show); }

void custom_move(short id, short x, short y) { control_move(id, kTypeCustom, x, y); }

void custom_enable(short id, int enable) { control_enable(id, kTypeCustom, enable); }

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

void custom_delete(short id) { control_delete(id, kTypeCustom); }
