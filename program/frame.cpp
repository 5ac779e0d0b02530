// The frame window: its creation step (client, subsystems, menus, the
// small windows, the start bank, the idle timer) and its message handling,
// and the engine's desktop hooks pointed at it.
#include "program/program.h"

#include "windows/windows.h"

namespace {
void (*firstFrameObserver)() = nullptr;
const int kClientId = 1;
const UINT kFirstChildId = 300;

HWND windowOfToolkitId(int id) { return window_getHWND(static_cast<short>(id)); }

void showWindowHook(int id, int show) { showEditorWindow(static_cast<short>(id), show); }

// The creation step; 0 stops the frame from being made.
int createFrame(HWND frame, const CREATESTRUCTA* create)
{
    HINSTANCE instance = create ? create->hInstance : g_hInst;
    g_hWndFrame = frame;
    alert_init(frame);
    DragAcceptFiles(frame, TRUE);
    CLIENTCREATESTRUCT ccs = {nullptr, kFirstChildId};
    g_hWndClient =
        CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 10, 10, 980, 700,
                        frame, reinterpret_cast<HMENU>(static_cast<intptr_t>(kClientId)), instance, &ccs);
    if (!g_hWndClient) return 0;
    initFile(frame, instance);
    program_connectHooks();
    if (!initApp(instance)) return 0;
    g_hMenu = LoadMenuA(instance, "MVNMENU");
    SetMenu(frame, g_hMenu);
    g_hMenu_file = GetSubMenu(g_hMenu, engineMenu_file);
    g_hMenu_edit = GetSubMenu(g_hMenu, engineMenu_edit);
    g_hMenu_setup = GetSubMenu(g_hMenu, engineMenu_setup);
    g_hMenu_window = GetSubMenu(g_hMenu, engineMenu_window);
    program_trimMenus();
    program_connectHooks();
    // The windows exist now: the remembered placement moves and shows them.
    positionWindows();

    wSplash_makeWindow();
    window_show(winId_splash, 1);
    wNav_makeWindow();
    wMeter_makeWindow();
    lastBanks_updateFileMenu();
    setup_doStuffFromPrefs();
    // The frame with the splash is on the screen while the start-up waits
    // and opens its bank.
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    platform_composeAndPresent(0);
    if (firstFrameObserver) firstFrameObserver();
    Sleep(kStartSleepMs);
    // A bank a plug-in asks for is opened by the first poll instead; a path
    // without a request (left in the segment by an older editor) is none.
    if (!iac_app_didBankChange(1)) lastBanks_openDefault();
    g_startTick = GetTickCount();
    SetTimer(frame, kFrameTimerId, kFrameTimerMs, nullptr);
    g_startingUp = 0;
    return 1;
}

void openDroppedFile(HDROP drop)
{
    char path[MAX_PATH + 1] = {};
    if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0 && DragQueryFileA(drop, 0, path, MAX_PATH) > 0)
        fileApp_openBankFromPathName(gBank, path, "");
    DragFinish(drop);
}
}  // namespace

void program_setFirstFrameObserver(void (*observer)()) { firstFrameObserver = observer; }

void program_connectPlacementHooks()
{
    engine_connectDesktop(nullptr, nullptr, nullptr);
    engineHooksRec hooks = *engine_getHooks();
    hooks.positionIdOf = windowTable_positionIdOf;
    hooks.editorWindowAt = windowTable_editorAt;
    hooks.keepsSize = windowTable_keepsSize;
    hooks.windowOfPlugInEditor = windowTable_windowOfPlugInEditor;
    engine_setHooks(&hooks);
}

void program_connectHooks()
{
    engine_connectDesktop(g_hWndFrame, g_hMenu, windowOfToolkitId);
    engineHooksRec hooks = *engine_getHooks();
    hooks.error = error;
    hooks.showWindow = showWindowHook;
    hooks.positionIdOf = windowTable_positionIdOf;
    hooks.editorWindowAt = windowTable_editorAt;
    hooks.keepsSize = windowTable_keepsSize;
    hooks.windowOfPlugInEditor = windowTable_windowOfPlugInEditor;
    hooks.getContentSize = windows_contentSize;
    hooks.scheduleRedraw = scheduleWindowUpdate;
    hooks.scheduleMatrixUpdate = wMain_updateMatrixSchedule;
    hooks.saveBank = program_saveBankOf;
    hooks.historyPopupClear = wMain_historyPopupClear;
    hooks.historyPopupAppend = wMain_historyPopupAppend;
    hooks.undoEnvelope = wEnv_undoEnvelope;
    hooks.undoWave = wWave_undoWave;
    hooks.copyEnvelope = wEnv_copyEnvelope;
    hooks.pasteEnvelope = wEnv_pasteEnvelope;
    hooks.setAutoBalanceChannels = wPatch_setAutoBalanceChannels;
    hooks.saveBankAs = program_saveBankAs;
    engine_setHooks(&hooks);
}

LRESULT CALLBACK frame_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (program_hasQuit()) return DefFrameProcA(hwnd, g_hWndClient, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE: return createFrame(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam)) ? 0 : -1;
    case WM_DESTROY:
    case WM_CLOSE: quit(); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (isF10KeyDown(msg, wParam)) return 0;
        break;
    case WM_COMMAND: menu_process(nullptr, LOWORD(wParam)); break;
    case WM_TIMER: idle(); return 0;
    case WM_DROPFILES: openDroppedFile(reinterpret_cast<HDROP>(wParam)); return 0;
    default: break;
    }
    return DefFrameProcA(hwnd, g_hWndClient, msg, wParam, lParam);
}
