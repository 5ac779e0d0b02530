// The program's entry: start-up in order up to the frame, and the message
// loop with the client's and the frame's accelerators.
#include "program/program.h"

#include <csignal>

#include "windows/windows.h"

HINSTANCE g_hInst = nullptr;
HWND g_hWndFrame = nullptr;
HWND g_hWndClient = nullptr;
HMENU g_hMenu = nullptr, g_hMenu_file = nullptr, g_hMenu_edit = nullptr, g_hMenu_setup = nullptr,
      g_hMenu_window = nullptr;
HACCEL g_hAccel = nullptr;
const char* g_cmdLine = "";
DWORD g_startTick = 0;
timerRec* mainTimer = nullptr;

namespace {
const char* kFrameClass = "mvnFrameClass";
const DWORD kFrameStyle = 0x02CF0010;  // overlapped window, clip children

// Another editor holds the link: its online word is set and its process lives.
// A word left behind by an editor that died does not keep the program out.
int anotherCopyRuns() { return iac_morvaneIsOnline != 0 && iac_mvn_isAnotherEditorRunning(); }

int registerFrameClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = frame_WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCE(32));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = kFrameClass;
    return RegisterClassA(&wc) != 0;
}
}  // namespace

int program_start(HINSTANCE instance, HINSTANCE previous, char* cmdLine, int show)
{
    g_cmdLine = cmdLine ? cmdLine : "";
    // A write past the file-size limit fails and is reported like any other
    // failed save, instead of the signal ending the program.
    signal(SIGXFSZ, SIG_IGN);
    if (anotherCopyRuns()) return 0;
    iac_appVersion = kProgramVersion;
    if (iac_plugVersion > 0 && iac_plugVersion != kProgramVersion) {
        MessageBoxA(nullptr, MORVANE_INCOMPATIBLE_TEXT, MORVANE_PROGRAM_NAME, MB_OK | MB_SYSTEMMODAL);
        return 0;
    }
    // A refused link (a damaged segment, another editor signing in first)
    // leaves nothing to edit.
    if (!iac_mvn_signIn()) return 0;
    g_startingUp = 1;
    g_hInst = instance;
    if (!file_init(kFileBufSize)) {
        iac_mvn_signOut();
        return 0;
    }
    g_hMenu = g_hMenu_file = g_hMenu_edit = g_hMenu_setup = g_hMenu_window = nullptr;
    program_connectPlacementHooks();
    prefs_open();
    idle_reset();
    quit_reset();
    if (!previous && !registerFrameClass(instance)) {
        file_cleanup();
        iac_mvn_signOut();
        return 0;
    }
    // The frame at its remembered place; the creation step starts everything.
    const winPosRec* place = wPosID_to_winPosRec(kWinPosFirst);
    program_catchEndSignals();
    HWND frame = CreateWindowExA(0, kFrameClass, MORVANE_FRAME_TITLE, kFrameStyle, place->x, place->y,
                                 place->width, place->height, nullptr, nullptr, instance, nullptr);
    if (!frame) {
        program_releaseEndSignals();
        g_startingUp = 0;
        file_cleanup();
        iac_mvn_signOut();
        return 0;
    }
    bank_setHWND(frame);
    ShowWindow(frame, show);
    UpdateWindow(frame);
    g_hAccel = LoadAcceleratorsA(instance, "MVNACCEL");
    // Work kept when the program was last ended by a signal.
    program_tellRecoveryFiles();
    return 1;
}

void program_dispatch(MSG* msg)
{
    if (g_hWndClient && TranslateMDISysAccel(g_hWndClient, msg)) return;
    if (g_hAccel && g_hWndFrame && TranslateAcceleratorA(g_hWndFrame, g_hAccel, msg)) return;
    TranslateMessage(msg);
    DispatchMessageA(msg);
}

int program_messageLoop()
{
    MSG msg = {};
    while (!program_hasQuit() && GetMessageA(&msg, nullptr, 0, 0)) program_dispatch(&msg);
    return program_hasQuit() ? 0 : static_cast<int>(msg.wParam);
}

int WinMain(HINSTANCE instance, HINSTANCE previous, char* cmdLine, int show)
{
    if (!program_start(instance, previous, cmdLine, show)) return 0;
    return program_messageLoop();
}
