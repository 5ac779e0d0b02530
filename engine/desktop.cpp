// The desktop hooks carried out by the platform layer: message boxes owned
// by the frame, the frame's four menus, the frame's own actions, and the
// placement of the windows a lookup finds by toolkit id.
#include "engine/engine.h"
#include "platform/platform.h"

namespace {
HWND frameWnd = nullptr;
HMENU menuBar = nullptr;
HWND (*windowOf)(int toolkitId) = nullptr;

HWND windowById(int id)
{
    if (id == winId_frame) return frameWnd;
    return windowOf ? windowOf(id) : nullptr;
}

HMENU subMenu(int menu) { return menuBar ? GetSubMenu(menuBar, menu) : nullptr; }

int messageBox(const char* text, const char* caption, unsigned style)
{
    return MessageBoxA(frameWnd, text, caption, style);
}

void menuDeleteAt(int menu, int position)
{
    if (HMENU m = subMenu(menu)) DeleteMenu(m, static_cast<UINT>(position), MF_BYPOSITION);
}

void menuAppend(int menu, int id, const char* text)
{
    if (HMENU m = subMenu(menu)) AppendMenuA(m, MF_STRING, static_cast<UINT_PTR>(id), text);
}

void menuSetText(int menu, int id, const char* text)
{
    HMENU m = subMenu(menu);
    if (!m) return;
    // The text changes, the grey and check states stay.
    UINT state = GetMenuState(m, static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED);
    ModifyMenuA(m, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING | state, static_cast<UINT_PTR>(id), text);
}

void menuEnable(int menu, int id, int enabled)
{
    if (HMENU m = subMenu(menu))
        EnableMenuItem(m, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void menuCheck(int menu, int id, int checked)
{
    if (HMENU m = subMenu(menu))
        CheckMenuItem(m, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void menuDrawBar()
{
    if (frameWnd) DrawMenuBar(frameWnd);
}

void frameAction(int action)
{
    if (!frameWnd) return;
    switch (action) {
    case engineFrame_minimise: ShowWindow(frameWnd, SW_SHOWMINIMIZED); break;
    case engineFrame_restore: ShowWindow(frameWnd, SW_RESTORE); break;
    case engineFrame_foreground: SetForegroundWindow(frameWnd); break;
    case engineFrame_close: SendMessageA(frameWnd, WM_CLOSE, 0, 0); break;
    default: break;
    }
}

void showWindow(int id, int show)
{
    if (HWND w = windowById(id)) ShowWindow(w, show ? SW_SHOW : SW_HIDE);
}

void moveWindow(int id, int x, int y, int width, int height)
{
    HWND w = windowById(id);
    if (w && IsIconic(w)) {
        // A minimised window is placed restored, shown or hidden as it was.
        bool visible = IsWindowVisible(w) != 0;
        ShowWindow(w, SW_RESTORE);
        if (!visible) ShowWindow(w, SW_HIDE);
    }
    RECT now;
    if (!w || !GetWindowRect(w, &now)) return;
    // Width and height 0: the window keeps its own size.
    if (width <= 0 || height <= 0) {
        width = now.right - now.left;
        height = now.bottom - now.top;
    }
    MoveWindow(w, x, y, width, height, TRUE);
}

// The frame and the navigators are placed on the screen, the others in
// the frame's client area (which the MDI client fills).
bool onScreen(int id) { return id == winId_frame || id == winId_navigatorV || id == winId_navigatorH; }

int getPlacementArea(int id, int* width, int* height)
{
    if (onScreen(id)) {
        *width = GetSystemMetrics(SM_CXSCREEN);
        *height = GetSystemMetrics(SM_CYSCREEN);
        return *width > 0 && *height > 0;
    }
    RECT r;
    if (!frameWnd || IsIconic(frameWnd) || !GetClientRect(frameWnd, &r)) return 0;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return *width > 0 && *height > 0;
}

int getWindowPlace(int id, winPosRec* out)
{
    HWND w = windowById(id);
    RECT r;
    if (!w || !out || !GetWindowRect(w, &r)) return 0;
    POINT corner = {r.left, r.top};
    // Editor windows are placed within the MDI client; the frame and the
    // navigators on the screen.
    HWND parent = GetParent(w);
    if (!onScreen(id) && parent) ScreenToClient(parent, &corner);
    wPosRec_set(out, 0, corner.x, corner.y, r.right - r.left, r.bottom - r.top, IsWindowVisible(w) ? 1 : 0);
    return 1;
}
}  // namespace

void engine_connectDesktop(HWND__* frame, HMENU__* bar, HWND__* (*lookup)(int toolkitId))
{
    frameWnd = frame;
    menuBar = bar;
    windowOf = lookup;
    engineHooksRec hooks = *engine_getHooks();
    hooks.messageBox = messageBox;
    hooks.menuDeleteAt = menuDeleteAt;
    hooks.menuAppend = menuAppend;
    hooks.menuSetText = menuSetText;
    hooks.menuEnable = menuEnable;
    hooks.menuCheck = menuCheck;
    hooks.menuDrawBar = menuDrawBar;
    hooks.frame = frameAction;
    hooks.showWindow = showWindow;
    hooks.moveWindow = moveWindow;
    hooks.getWindowPlace = getWindowPlace;
    hooks.getPlacementArea = getPlacementArea;
    engine_setHooks(&hooks);
}
