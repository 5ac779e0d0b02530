// The Main window (window 1): its window procedure, its build (made from
// its row of the window table), showing, and its part in the update
// protocol. The controls, their callbacks and the window's own updates
// are in wMain_win.cpp.
#include "resources/resources.h"
#include "windows/editorWindow.h"
#include "windows/windows.h"
#include "windows/wMain.h"

int update_wMain = 0;

namespace {
// Arrow keys step through the presets: a column of four sideways, one slot up and down.
short presetStepOfKey(WPARAM key)
{
    switch (key) {
    case VK_LEFT: return -4;
    case VK_RIGHT: return 4;
    case VK_UP: return -1;
    case VK_DOWN: return 1;
    default: return 0;
    }
}

// One of the shell's update commands, between the toolkit's manual pre- and post-processing.
void runCommand(void (*action)())
{
    window_setCurrent(winId_main);
    window_manualPreProcess(winId_main);
    action();
    window_manualPostProcess(winId_main);
}
}  // namespace

LRESULT CALLBACK wMain_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONDOWN && window_getHWND(winId_main) == hwnd) {
        // Touching the tuning, the name or a number box edits the preset.
        zPoint pt = {static_cast<short>(HIWORD(lParam)), static_cast<short>(LOWORD(lParam))};
        short object = zone_pointToZoneID(winId_main, &pt);
        if (object >= mainId_tuning && object <= mainId_transpose) makePresetDirty();
    }
    if (window_getHWND(winId_main) == hwnd) window_preProcess(winId_main, hwnd, msg, wParam, lParam, 0);
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kCmdUpdateWindow: runCommand(wMain_update); return 0;
        case kCmdUpdateKbd: runCommand(wMain_updateKeyboard); return 0;
        case kCmdUpdateSliders: runCommand(wMain_updateSliders); return 0;
        default: break;
        }
        break;
    case WM_KEYDOWN:
        if (short step = presetStepOfKey(wParam)) {
            window_setCurrent(winId_main);
            wMain_incrementPreset(step);
            return 0;
        }
        break;
    case WM_CLOSE:
        // The window is kept for the whole run: closing only hides it.
        wMain_show(0);
        return 0;
    default: break;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void wMain_makeWindow() { editorWindow_make(windowTable_find(winId_main)); }

void wMain_build()
{
    editorWindow_loadArtwork(129, res_registerMainWindowArt);
    if (wMain_windowBgBrush)
        SetClassLongPtrA(window_getHWND(winId_main), GCLP_HBRBACKGROUND,
                         reinterpret_cast<LONG_PTR>(wMain_windowBgBrush));
    // The size follows the panels.
    wMain_makeParams();
    wMain_updateSchedule();
}

void wMain_show(int show)
{
    if (!window_getHWND(winId_main)) return;
    short saved = window_getCurrent();
    window_setCurrent(winId_main);
    if (show && update_wMain) wMain_update();
    window_show(winId_main, show);
    if (show && IsIconic(window_getHWND(winId_main))) ShowWindow(window_getHWND(winId_main), SW_RESTORE);
    if (!show) window_setCurrent(saved);
    menu_checkFrontWindowItem();
}

void wMain_updateSchedule()
{
    update_wMain = 1;
    gWindowIsDirty = 1;
}

int wMain_needUpdate() { return update_wMain; }

void wMain_updateMatrixSchedule() { updateMatrix = 1; }
