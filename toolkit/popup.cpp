// The pop-up (type 9): a labelled box showing the current item of a menu,
// which opens the menu when clicked. Items are texts or bitmaps; registry
// menus can hang under items as sub-menus, and the callback gets the menu
// and the item of the chosen command.
#include "toolkit/toolkit_internal.h"
#include <cstring>
#include <new>

popupRec* popup_get(short id) { return (popupRec*)control_data(id, kTypePopup); }

void popup_defaultCallback(short id, short, short item) { popup_selectItem(id, item); }

// The title beside (or inside) the box.
static void popup_placeTitle(popupRec* p, const RECT& box)
{
    if (p->flags & kPopupTitleInside) {
        p->titleRect = box;
        if (!(p->flags & kPopupNoArrow)) p->titleRect.right -= 17;
    } else {
        LONG w = 6 * (LONG)strlen(p->title);
        p->titleRect = RECT{box.left - w - 6, box.top, box.left - 3, box.bottom};
    }
}

void popup_new(short id, short x, short y, short width, short height, long flags, short, const char* title,
               int enabled, popupProcPtr callback)
{
    popupRec* p = new (std::nothrow) popupRec();
    if (!p) return;
    clickObjectRec* obj = control_newObject(id, kTypePopup);
    HMENU menu = obj ? CreatePopupMenu() : nullptr;
    if (!menu) {
        delete p;
        return;
    }
    p->flags = flags;
    p->obj = obj;
    p->callback = callback ? callback : popup_defaultCallback;
    p->font = popup_currentFont;
    p->size = popup_currentFontSize;
    control_copyText(p->title, title, sizeof p->title);
    p->titleRGB = popup_defaultTitleRGB;
    p->bodyRGB = popup_defaultBodyRGB;
    p->frameRGB = popup_defaultFrameRGB;
    p->itemTextRGB = popup_defaultItemTextRGB;
    p->menu = menu;
    p->hwnd = window_getHWND(g_currentWindow);
    p->fontID = font_new(p->font, p->size);
    p->current = 0;
    for (short& b : p->itemBitmaps) b = 0;
    int textHeight = control_fontHeight(p->fontID);
    if (textHeight <= 0) textHeight = height > 0 ? height : 12;
    RECT box{x, y, x + width, y + textHeight};
    popup_placeTitle(p, box);
    control_attach(obj, kTypePopup, box, p, popup_process, popup_draw, !(flags & kPopupHidden), enabled);
    panel_autoAddObject(id);
}

// Registry menus hung under items belong to the registry: they are taken
// off before the pop-up's own menu goes, so they are not destroyed with it.
static void popup_detachSubMenus(HMENU menu)
{
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; i--)
        if (GetSubMenu(menu, i)) RemoveMenu(menu, (UINT)i, MF_BYPOSITION);
}

static void popup_release(clickObjectRec* obj)
{
    popupRec* p = (popupRec*)obj->data;
    popup_detachSubMenus(p->menu);
    DestroyMenu(p->menu);
    delete p;
}

// The box and its title.
static void popup_area(const clickObjectRec* obj, RECT* out)
{
    UnionRect(out, &obj->rect, &((const popupRec*)obj->data)->titleRect);
}

static void popup_offset(clickObjectRec* obj, LONG dx, LONG dy)
{
    OffsetRect(&((popupRec*)obj->data)->titleRect, dx, dy);
}

const controlKindRec popup_kind = {kTypePopup, kCursorArrowOn, 0,       1,       popup_area,
                                   nullptr,    popup_offset,   nullptr, nullptr, popup_release};

void popup_delete(short id) { control_delete(id, kTypePopup); }

void popup_addItem(short id, short item, int enabled, const char* text, short bitmapID)
{
    popupRec* p = popup_get(id);
    if (!p) return;
    if (!text) text = "";
    if (bitmapID <= 0) {
        if (text[0] == '-')
            AppendMenuA(p->menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(p->menu, MF_STRING, (UINT_PTR)(unsigned short)item, text);
        return;
    }
    UINT grey = enabled ? MF_ENABLED : MF_GRAYED;
    HBITMAP bmp = bitmap_get(bitmapID);
    if (bmp)
        AppendMenuA(p->menu, MF_BITMAP | grey, (UINT_PTR)(unsigned short)item, (LPCSTR)bmp);
    else
        AppendMenuA(p->menu, MF_STRING | grey, (UINT_PTR)(unsigned short)item, text);
    if (item >= 0 && item < 16) p->itemBitmaps[item] = bitmapID;
}

void popup_renameItem(short id, short item, const char* text)
{
    popupRec* p = popup_get(id);
    if (!p) return;
    UINT state = GetMenuState(p->menu, (UINT)(unsigned short)item, MF_BYCOMMAND);
    if (state == (UINT)-1) return;
    ModifyMenuA(p->menu, (UINT)(unsigned short)item, MF_BYCOMMAND | MF_STRING | (state & MF_GRAYED),
                (UINT_PTR)(unsigned short)item, text ? text : "");
    if (p->current == item) popup_draw(id);
}

void popup_attachSubMenu(short id, short item, short menuID)
{
    popupRec* p = popup_get(id);
    HMENU sub = menu_getHMenu(menuID);
    if (!p || !sub || sub == menu_defaultHMenu) return;
    char text[256] = {0};
    if (!GetMenuStringA(p->menu, (UINT)(unsigned short)item, text, sizeof text, MF_BYCOMMAND)) return;
    ModifyMenuA(p->menu, (UINT)(unsigned short)item, MF_BYCOMMAND | MF_POPUP, (UINT_PTR)sub, text);
}

void popup_clear(short id)
{
    popupRec* p = popup_get(id);
    if (!p) return;
    // The items whose commands are 0 to the item count: separators (command
    // 0) included, and items turned into sub-menus, which have no command of
    // their own, so that a pop-up rebuilt after clearing shows nothing twice.
    // Removed by position: a search by command would reach into the registry
    // menus hung under the items.
    int count = GetMenuItemCount(p->menu);
    for (int i = count - 1; i >= 0; i--) {
        int command = (int)GetMenuItemID(p->menu, i);
        int separator = (GetMenuState(p->menu, (UINT)i, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        if (separator || GetSubMenu(p->menu, i) || (command >= 0 && command <= count))
            RemoveMenu(p->menu, (UINT)i, MF_BYPOSITION);
    }
}

void popup_selectItem(short id, short item)
{
    popupRec* p = popup_get(id);
    if (!p || item < 0) return;
    p->current = item;
    popup_draw(id);
}

short popup_getCurrentItem(short id)
{
    popupRec* p = popup_get(id);
    return p ? p->current : 0;
}

// The zone follows: a pop-up enabled again (or created disabled) can be clicked.
void popup_enable(short id, short, int enabled) { control_enable(id, kTypePopup, enabled); }

void popup_show(short id, int show) { control_show(id, kTypePopup, show); }

void popup_move(short id, short x, short y) { control_move(id, kTypePopup, x, y); }

void popup_draw(short id)
{
    popupRec* p = popup_get(id);
    if (!p || !p->obj->visible || !window_getVisible(g_currentWindow) || !p->menu) return;
    HDC hdc = window_getHDC(g_currentWindow);
    if (!hdc) return;
    const RECT& box = p->obj->rect;
    HBRUSH body = CreateSolidBrush(rgbColor_toCOLORREF(p->bodyRGB));
    HBRUSH frame = CreateSolidBrush(rgbColor_toCOLORREF(p->frameRGB));
    FillRect(hdc, &box, body);
    FrameRect(hdc, &box, frame);
    DeleteObject(body);
    DeleteObject(frame);
    int bitmapItem = (p->flags & kPopupBitmaps) && p->current >= 0 && p->current < 16;
    if (!bitmapItem) {
        if (!(p->flags & kPopupTitleInside)) control_drawBackdrop(p->obj, &p->titleRect);
        control_drawText(p->title, &p->titleRect, p->fontID, p->titleRGB,
                         (p->flags & kPopupTitleInside) ? DT_LEFT : DT_RIGHT);
        if (!(p->flags & kPopupTitleInside)) {
            char text[256] = {0};
            GetMenuStringA(p->menu, (UINT)(unsigned short)p->current, text, sizeof text, MF_BYCOMMAND);
            RECT t{box.left + 8, box.top, box.right - ((p->flags & kPopupNoArrow) ? 6 : 24), box.bottom};
            control_drawText(text, &t, p->fontID, p->itemTextRGB, DT_LEFT | DT_END_ELLIPSIS);
        }
    } else {
        bitmap_draw(p->itemBitmaps[p->current], (short)(p->titleRect.left + 5),
                    (short)(p->titleRect.top + 2));
    }
    if (!(p->flags & kPopupNoArrow)) {
        LONG m = box.top + (box.bottom - box.top + 1) / 2 - 2;
        POINT tri[3] = {{box.right - 15, m}, {box.right - 5, m}, {box.right - 10, m + 5}};
        HBRUSH ink = CreateSolidBrush(rgbColor_toCOLORREF(p->itemTextRGB));
        HPEN pen = CreatePen(PS_SOLID, 1, rgbColor_toCOLORREF(p->itemTextRGB));
        HGDIOBJ oldBrush = SelectObject(hdc, ink), oldPen = SelectObject(hdc, pen);
        Polygon(hdc, tri, 3);
        SelectObject(hdc, oldBrush);
        SelectObject(hdc, oldPen);
        DeleteObject(ink);
        DeleteObject(pen);
    }
    window_freeHDC(g_currentWindow, hdc);
}

void popup_setOpenCallback(short id, clickProcPtr opening)
{
    popupRec* p = popup_get(id);
    if (p) p->opening = opening;
}

void popup_process(short id)
{
    popupRec* p = popup_get(id);
    if (!p || !p->menu) return;
    short window = g_currentWindow;
    if (p->opening) {
        p->opening(id);
        window_setCurrent(window);
        if (popup_get(id) != p) return;
    }
    POINT at{p->obj->rect.left, (p->flags & kPopupTitleInside) ? p->obj->rect.bottom : p->obj->rect.top};
    ClientToScreen(window_getHWND(window), &at);
    int command = TrackPopupMenu(p->menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x,
                                 at.y, 0, p->hwnd, nullptr);
    window_setCurrent(window);
    if (command >= 1) p->callback(id, (short)(command / 256), (short)(command % 256));
    resetClicks();
}
