// The menu registry (128 pop-up menus by id), the alert box and the silent
// error channel.
#include "toolkit/toolkit_internal.h"
#include <cstring>

HMENU menu_list[kMenuMax];
HMENU menu_defaultHMenu = nullptr;
HWND alertMotherHWND = nullptr;
char g_error[260];
int g_error_enable = 0;

void menu_init(void)
{
    menu_defaultHMenu = CreatePopupMenu();
    for (int i = 0; i < kMenuMax; i++) menu_list[i] = menu_defaultHMenu;
}

void menu_cleanup(void)
{
    for (int i = 0; i < kMenuMax; i++) {
        if (menu_list[i] && menu_list[i] != menu_defaultHMenu) DestroyMenu(menu_list[i]);
        menu_list[i] = nullptr;
    }
    if (menu_defaultHMenu) DestroyMenu(menu_defaultHMenu);
    menu_defaultHMenu = nullptr;
}

HMENU menu_getHMenu(short menuID)
{
    if (menuID < 0 || menuID >= kMenuMax) return menu_defaultHMenu;
    return menu_list[menuID];
}

void menu_new(short menuID, int, const char*)
{
    if (menuID < 0 || menuID >= kMenuMax) return;
    if (menu_list[menuID] == menu_defaultHMenu) menu_list[menuID] = CreatePopupMenu();
}

void menu_addItem(short menuID, short item, int, const char* text)
{
    HMENU m = menu_getHMenu(menuID);
    if (!m || m == menu_defaultHMenu) return;
    if (text && text[0] == '-')
        AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
    else
        AppendMenuA(m, MF_STRING, (UINT_PTR)(menuID * 256 + item), text ? text : "");
}

void menu_enableItem(short menuID, short commandID, int enable)
{
    HMENU m = menu_getHMenu(menuID);
    if (m)
        EnableMenuItem(m, (UINT)(unsigned short)commandID, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void menu_clear(short menuID)
{
    HMENU m = menu_getHMenu(menuID);
    if (!m || m == menu_defaultHMenu) return;
    for (int pos = GetMenuItemCount(m) - 1; pos >= 0; pos--) RemoveMenu(m, (UINT)pos, MF_BYPOSITION);
}

void alert_init(HWND owner) { alertMotherHWND = owner; }

int alertbox(UINT type, const char* text, UINT extra)
{
    return MessageBoxA(alertMotherHWND, text ? text : "", "", type + extra);
}

void error_init(void)
{
    memset(g_error, 0, sizeof g_error);
    g_error_enable = 0;
}

void error(const char* text)
{
    if (!g_error_enable || !text) return;
    strncpy(g_error, text, 256);
    g_error[256] = 0;
    alertbox(0, text, 0);
}
