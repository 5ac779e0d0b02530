// The Main window (window 1): its window class and procedure, creation,
// showing, and its part in the update protocol. The controls, their
// callbacks and the window's own updates are in wMain_win.cpp.
#include "resources/resources.h"
#include "windows/editorWindow.h"
#include "windows/windows.h"
#include "windows/wMain.h"

int update_wMain = 0;

namespace {
const char* const kClassName = "wMain_Wnd";
enum { kPositionId = 128, kDefaultX = 0, kDefaultY = 0, kClickMax = 72 };

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

int registerClass()
{
    WNDCLASSA known;
    if (GetClassInfoA(platform_instance(), kClassName, &known)) return 1;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = wMain_WndProc;
    wc.hInstance = platform_instance();
    wc.hIcon = LoadIconA(platform_instance(), MAKEINTRESOURCE(32));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground =
        wMain_windowBgBrush ? wMain_windowBgBrush : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}
}  // namespace

void wMain_makeWindow()
{
    if (window_getHWND(winId_main)) return;
    HWND client = window_getFrameHWND();
    if (!client || !registerClass()) return;
    editorWindow_loadArtwork(129, res_registerMainWindowArt);
    int x = kDefaultX, y = kDefaultY;
    if (const winPosRec* rec = wPosID_to_winPosRec(kPositionId)) {
        x = rec->x;
        y = rec->y;
    }
    // The size follows the panels once they exist.
    HWND hwnd = CreateMDIWindowA(kClassName, "Untitled", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 660,
                                 420, client, platform_instance(), 0);
    if (!hwnd) return;
    if (!window_brambixize(winId_main, hwnd, kClickMax, kClickMax)) {
        DestroyWindow(hwnd);
        return;
    }
    window_setCurrent(winId_main);
    wMain_makeParams();
    window_postBrambixize(winId_main);
    wMain_updateSchedule();
    wMain_show(1);
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
