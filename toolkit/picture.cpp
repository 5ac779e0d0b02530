// The picture control (type 3): one of a list of bitmaps, plain or
// stretched to its rectangle, optionally clickable.
#include "toolkit/toolkit_internal.h"
#include <new>

static picRec* pic_get(short id)
{
    clickObjectRec* obj = toolkit_object(id);
    if (obj->type != kTypePicture || !obj->data) return nullptr;
    return (picRec*)obj->data;
}

short* pic_makePictList(short firstPict, short count)
{
    if (count < 1) count = 1;
    short* list = new (std::nothrow) short[count];
    if (!list) return nullptr;
    for (short k = 0; k < count; k++)
        list[k] = bitmap_get(firstPict + k) ? (short)(firstPict + k) : firstPict;
    return list;
}

void pic_deletePicList(short* list) { delete[] list; }

static void pic_zone(clickObjectRec* obj)
{
    if (((picRec*)obj->data)->flags & kPicNoZone)
        zone_delete(obj->id);
    else
        control_updateZone(obj, kCursorArrowOn, obj->rect, 0);
}

static void pic_release(clickObjectRec* obj)
{
    picRec* p = (picRec*)obj->data;
    pic_deletePicList(p->list);
    delete p;
}

const controlKindRec picture_kind = {kTypePicture, kCursorArrowOn, 0,       1,       nullptr,
                                     pic_zone,     nullptr,        nullptr, nullptr, pic_release};

static void pic_create(short id, RECT rect, long flags, short firstPict, short count, clickProcPtr callback)
{
    if (g_currentWindow < 1 || g_currentWindow > kWindowMax) return;
    if (toolkit_object(id)->type != kTypeNone) return;  // never over a live control
    if (!bitmap_get(firstPict)) return;
    if (count < 1) count = 1;
    picRec* p = new (std::nothrow) picRec();
    if (!p) return;
    p->list = pic_makePictList(firstPict, count);
    if (!p->list) {
        delete p;
        return;
    }
    clickObjectRec* obj = clickObject_new(g_currentWindow, id);
    if (obj == &defaultClickObject) {
        pic_deletePicList(p->list);
        delete p;
        return;
    }
    p->count = count;
    p->current = 0;
    p->currentPict = p->list[0];
    p->flags = flags;
    p->obj = obj;
    p->callback = callback ? callback : emptyClickProc;
    control_attach(obj, kTypePicture, rect, p, pic_process, pic_draw, !(flags & kPicHidden), 1);
    panel_autoAddObject(id);
}

void pic_new(short id, short x, short y, long flags, short firstPict, short count, clickProcPtr callback)
{
    RECT r;
    bitmap_getRect(firstPict, &r);
    OffsetRect(&r, x, y);
    pic_create(id, r, flags & ~(long)kPicStretch, firstPict, count, callback);
}

void pic_newStretch(short id, short x, short y, short width, short height, long flags, short firstPict,
                    short count, clickProcPtr callback)
{
    RECT r{x, y, x + width, y + height};
    pic_create(id, r, flags | kPicStretch, firstPict, count, callback);
}

void pic_process(short id)
{
    picRec* p = pic_get(id);
    if (!p || g_mouse.state != kMousePressed) return;
    p->callback(id);
    resetClicks();
}

void pic_draw(short id)
{
    picRec* p = pic_get(id);
    if (!p || !p->obj->visible || !window_getVisible(g_currentWindow)) return;
    RECT r = p->obj->rect;
    if (p->flags & kPicStretch)
        bitmap_drawStretch(p->currentPict, (short)r.left, (short)r.top, (short)r.right, (short)r.bottom);
    else
        bitmap_draw(p->currentPict, (short)r.left, (short)r.top);
}

// Showing also takes the entry of the list the record chose: a shown picture
// whose entry changed is drawn again.
void pic_show(short id, int show)
{
    if (picRec* p = pic_get(id)) {
        if (p->current < 0 || p->current >= p->count) p->current = 0;
        short pict = p->list[p->current];
        if (pict != p->currentPict) {
            p->currentPict = pict;
            if (p->obj->visible && show) {
                invalRect(&p->obj->rect);
                pic_draw(id);
            }
        }
    }
    control_show(id, kTypePicture, show);
}

void pic_move(short id, short x, short y) { control_move(id, kTypePicture, x, y); }

void pic_setSize(short id, short width, short height)
{
    picRec* p = pic_get(id);
    if (!p) return;
    RECT& r = p->obj->rect;
    invalRect(&r);
    r.right = r.left + width;
    r.bottom = r.top + height;
    pic_zone(p->obj);  // the zone follows the new size
    invalRect(&r);
}

void pic_delete(short id) { control_delete(id, kTypePicture); }
