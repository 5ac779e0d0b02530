// Menu records: menu bars and pop-up menus with string, separator, bitmap and
// sub-menu items; enabling, checking, renaming, inserting, removing and
// deleting by position or by command; loading menus from templates.
#include "platform/internal.h"
#include <cstring>

namespace plat {

MenuRec* menuOf(HMENU h)
{
    if (!h) return nullptr;
    auto& m = st().menus;
    auto it = m.find(fromHandle(h));
    return it == m.end() ? nullptr : it->second.get();
}

static HMENU newMenu(bool bar)
{
    if (!st().running) return nullptr;
    HMENU h = toHandle<HMENU>(newHandleId());
    auto m = std::make_unique<MenuRec>();
    m->isBar = bar;
    st().menus[fromHandle(h)] = std::move(m);
    return h;
}

int menuFindCommand(HMENU m, UINT cmd, HMENU* owner, int* pos)
{
    MenuRec* r = menuOf(m);
    if (!r) return 0;
    for (size_t i = 0; i < r->items.size(); i++) {
        const MenuItem& it = r->items[i];
        if (!(it.flags & MF_POPUP) && !(it.flags & MF_SEPARATOR) && it.id == cmd) {
            *owner = m;
            *pos = (int)i;
            return 1;
        }
    }
    for (size_t i = 0; i < r->items.size(); i++)
        if ((r->items[i].flags & MF_POPUP) && menuFindCommand(r->items[i].popup, cmd, owner, pos)) return 1;
    for (size_t i = 0; i < r->items.size(); i++)  // a sub-menu item named by its handle
        if ((r->items[i].flags & MF_POPUP) && fromHandle(r->items[i].popup) == cmd) {
            *owner = m;
            *pos = (int)i;
            return 1;
        }
    return 0;
}

static MenuItem* findItem(HMENU m, UINT item, UINT flags, HMENU* owner = nullptr, int* index = nullptr)
{
    MenuRec* r = menuOf(m);
    if (!r) return nullptr;
    HMENU o = m;
    int pos = -1;
    if (flags & MF_BYPOSITION) {
        if (item >= r->items.size()) return nullptr;
        pos = (int)item;
    } else if (!menuFindCommand(m, item, &o, &pos)) {
        return nullptr;
    }
    if (owner) *owner = o;
    if (index) *index = pos;
    return &menuOf(o)->items[pos];
}

bool menuCommandGrayed(HMENU m, UINT cmd)
{
    MenuItem* it = findItem(m, cmd, MF_BYCOMMAND);
    return it && (it->flags & (MF_GRAYED | MF_DISABLED));
}

static MenuItem makeItem(UINT flags, UINT_PTR idOrPopup, LPCSTR text)
{
    MenuItem it;
    it.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP | MF_BITMAP);
    if (flags & MF_POPUP)
        it.popup = (HMENU)idOrPopup;
    else
        it.id = (UINT)idOrPopup;
    if (flags & MF_BITMAP)
        it.bitmap = (HBITMAP)text;
    else if (text && !IS_INTRESOURCE(text) && !(flags & MF_SEPARATOR))
        it.text = text;
    return it;
}

static void barChanged(HMENU m)
{
    for (auto& w : st().windows)
        if (w.second->menu == m) {
            w.second->ncDirty = true;
            damageWindow(w.second->handle);
        }
}

HMENU menuFromTemplate(const std::vector<MenuTemplateItem>& items, bool bar)
{
    HMENU m = newMenu(bar);
    for (const MenuTemplateItem& t : items) {
        if (!t.popup.empty()) {
            AppendMenuA(m, MF_POPUP | (t.flags & (MF_GRAYED | MF_DISABLED)),
                        (UINT_PTR)menuFromTemplate(t.popup, false), t.text.c_str());
        } else if ((t.flags & MF_SEPARATOR) || (t.text == "-" && t.id == 0)) {
            AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(m, MF_STRING | (t.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED)), t.id,
                        t.text.c_str());
        }
    }
    return m;
}

}  // namespace plat

using namespace plat;

HMENU CreateMenu(void) { return newMenu(true); }
HMENU CreatePopupMenu(void) { return newMenu(false); }
BOOL IsMenu(HMENU menu) { return menuOf(menu) ? TRUE : FALSE; }

BOOL DestroyMenu(HMENU menu)
{
    MenuRec* r = menuOf(menu);
    if (!r) return FALSE;
    std::vector<HMENU> subs;
    for (auto& it : r->items)
        if (it.flags & MF_POPUP) subs.push_back(it.popup);
    st().menus.erase(fromHandle(menu));
    for (HMENU s : subs) DestroyMenu(s);
    for (auto& w : st().windows)
        if (w.second->menu == menu) w.second->menu = nullptr;
    return TRUE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR item)
{
    MenuRec* r = menuOf(menu);
    if (!r || ((flags & MF_POPUP) && !menuOf((HMENU)idOrPopup))) return FALSE;
    r->items.push_back(makeItem(flags, idOrPopup, item));
    barChanged(menu);
    return TRUE;
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR item)
{
    MenuRec* r = menuOf(menu);
    if (!r || ((flags & MF_POPUP) && !menuOf((HMENU)idOrPopup))) return FALSE;
    HMENU owner = menu;
    int index = (int)r->items.size();
    if (!(flags & MF_BYPOSITION)) {
        if (!findItem(menu, position, flags, &owner, &index)) return FALSE;
    } else if (position < r->items.size()) {
        index = (int)position;
    }
    MenuRec* o = menuOf(owner);
    o->items.insert(o->items.begin() + index, makeItem(flags, idOrPopup, item));
    barChanged(owner);
    return TRUE;
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR item)
{
    HMENU owner;
    int index;
    if (!findItem(menu, position, flags, &owner, &index)) return FALSE;
    if ((flags & MF_POPUP) && !menuOf((HMENU)idOrPopup)) return FALSE;
    menuOf(owner)->items[index] = makeItem(flags & ~MF_BYPOSITION, idOrPopup, item);
    barChanged(owner);
    return TRUE;
}

static BOOL removeItem(HMENU menu, UINT position, UINT flags, bool destroy)
{
    HMENU owner;
    int index;
    if (!findItem(menu, position, flags, &owner, &index)) return FALSE;
    MenuRec* o = menuOf(owner);
    MenuItem it = o->items[index];
    o->items.erase(o->items.begin() + index);
    if (destroy && (it.flags & MF_POPUP)) DestroyMenu(it.popup);
    barChanged(owner);
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, false); }
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, true); }

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable)
{
    HMENU owner;
    MenuItem* it = findItem(menu, item, enable, &owner);
    if (!it) return -1;
    UINT old = it->flags & (MF_GRAYED | MF_DISABLED);
    it->flags = (it->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    barChanged(owner);
    return (BOOL)old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check)
{
    MenuItem* it = findItem(menu, item, check);
    if (!it) return (DWORD)-1;
    DWORD old = it->flags & MF_CHECKED;
    it->flags = (it->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags)
{
    MenuItem* it = findItem(menu, item, flags);
    if (!it) return (UINT)-1;
    UINT f = it->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP | MF_BITMAP);
    if (it->flags & MF_POPUP) {
        MenuRec* sub = menuOf(it->popup);
        f = (f & 0xFF) | ((sub ? (UINT)sub->items.size() : 0) << 8);
    }
    return f;
}

int GetMenuItemCount(HMENU menu)
{
    MenuRec* r = menuOf(menu);
    return r ? (int)r->items.size() : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    MenuRec* r = menuOf(menu);
    if (!r || position < 0 || position >= (int)r->items.size()) return (UINT)-1;
    const MenuItem& it = r->items[position];
    if (it.flags & MF_POPUP) return (UINT)-1;
    return (it.flags & MF_SEPARATOR) ? 0 : it.id;
}

HMENU GetSubMenu(HMENU menu, int position)
{
    MenuRec* r = menuOf(menu);
    if (!r || position < 0 || position >= (int)r->items.size()) return nullptr;
    return (r->items[position].flags & MF_POPUP) ? r->items[position].popup : nullptr;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buf, int max, UINT flags)
{
    MenuItem* it = findItem(menu, item, flags);
    if (!it) return 0;
    if (!buf || max <= 0) return (int)it->text.size();
    int n = (int)std::min<size_t>(it->text.size(), (size_t)max - 1);
    memcpy(buf, it->text.data(), n);
    buf[n] = 0;
    return n;
}

HMENU GetMenu(HWND hwnd)
{
    WindowRec* w = win(hwnd);
    return w && isTopLevel(w) && menuOf(w->menu) ? w->menu : nullptr;
}

BOOL SetMenu(HWND hwnd, HMENU menu)
{
    WindowRec* w = win(hwnd);
    if (!w || !isTopLevel(w) || (menu && !menuOf(menu))) return FALSE;
    if (w->menu == menu) return TRUE;
    w->menu = menu;
    w->ncDirty = true;
    damageWindow(hwnd);
    invalidateClient(hwnd, nullptr, true);
    RECT c = clientRectInWindow(w);
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    return TRUE;
}

BOOL DrawMenuBar(HWND hwnd)
{
    WindowRec* w = win(hwnd);
    if (!w) return FALSE;
    w->ncDirty = true;
    damageWindow(hwnd);
    return TRUE;
}

HMENU LoadMenuA(HINSTANCE, LPCSTR name)
{
    auto it = st().resMenus.find(resourceKey(name));
    if (it == st().resMenus.end()) return nullptr;
    return menuFromTemplate(it->second, true);
}
