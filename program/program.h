// The program itself (the MorvaneEngine executable): start-up in order,
// the frame window and its message handling, the message loop, the idle
// step and the periodic timer, the menus and their commands, the audio
// settings and the orderly quit. The public door of program/, the top
// layer: it builds on the windows (windows/windows.h), the engine
// (engine/engine.h) and everything below, and nothing includes it but the
// executable's entry point, the tests and the benchmarks.
//
// Index:
//   globals ............. frame, client, menus, start tick        (main.cpp)
//   start and loop ...... WinMain, program_start, program_dispatch (main.cpp)
//   frame ............... frame_WndProc and its creation step     (frame.cpp)
//   subsystems .......... initFile, initApp, audio_init           (startup.cpp)
//   periodic ............ idle, mainTimerCallback                 (idle.cpp)
//   quit ................ quit                                    (quit.cpp)
//   signals ............. leaving on SIGTERM/SIGHUP, recovery files (recovery.cpp)
//   menus ............... menu_process and the four processors    (menu.cpp)
//   files ............... open, save and save-as commands          (menuFile.cpp)
//   resources ........... "MVNMENU", "MVNACCEL"                    (menuResources.cpp)
#pragma once

#include <string>
#include <vector>

#include "engine/engine.h"
#include "platform/platform.h"
#include "toolkit/toolkit.h"

enum {
    kProgramVersion = 253,
    kFrameTimerId = 1300,
    kFrameTimerMs = 50,
    kSplashMs = 2000,
    kStartSleepMs = 500
};
#define MORVANE_PROGRAM_NAME "Morvane Engine"
#define MORVANE_INCOMPATIBLE_TEXT                                                                            \
    "This version of Morvane Engine is incompatible with the installed version of Morvane plug-in! Please "  \
    "reinstall Morvane"
#define MORVANE_QUIT_QUESTION                                                                                \
    "The Morvane plug-in requires Morvane Engine to function. The Morvane plug-in is still active. "         \
    "Are you sure you want to quit?"

// ---- globals ----------------------------------------------------------------------
extern HINSTANCE g_hInst;
extern HWND g_hWndFrame;
extern HWND g_hWndClient;
extern HMENU g_hMenu, g_hMenu_file, g_hMenu_edit, g_hMenu_setup, g_hMenu_window;
extern HACCEL g_hAccel;
extern const char* g_cmdLine;
extern DWORD g_startTick;
extern timerRec* mainTimer;

// ---- start and loop -----------------------------------------------------------------
// The whole program: start, message loop, quit value (0 when start stops early).
int WinMain(HINSTANCE instance, HINSTANCE previous, char* cmdLine, int show);
// Start-up up to the message loop: 1 when the frame runs, 0 when the start
// stopped (another copy, incompatible plug-in, no buffer, no window).
int program_start(HINSTANCE instance, HINSTANCE previous, char* cmdLine, int show);
// One turn of the message loop for msg: the client's MDI accelerators, the
// frame's accelerators, else translate and dispatch.
void program_dispatch(MSG* msg);
// Runs the loop until the quit message or the orderly quit; its value.
int program_messageLoop();
// 1 once quit() went through to the end (the program is over).
int program_hasQuit();

// ---- frame ------------------------------------------------------------------------------
LRESULT CALLBACK frame_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Told once the first screen of a start-up was composed (measurements).
void program_setFirstFrameObserver(void (*observer)());
// The desktop hooks of the engine, pointed at the frame, its menus and the windows.
void program_connectHooks();
// The hooks reading the preferences needs before the frame exists: the
// screen's size and the window table's placement records, so that places
// out of the screen are mended before the frame is made at its own.
void program_connectPlacementHooks();

// ---- subsystems -----------------------------------------------------------------------------
void initFile(HWND frame, HINSTANCE instance);
// Fills a file dialog's request from the file layer's description of it
// (filter, default extension) with the buffers for path and title.
void program_describeFileDialog(OPENFILENAMEA* ofn, const fileDialogRec* desc, HWND owner, char* path,
                                char* title);
int initApp(HINSTANCE instance);
void audio_init();

// ---- periodic -------------------------------------------------------------------------------
void idle();
void mainTimerCallback(short id, void* timer);
// Makes the splash's two seconds count again (a new start).
void idle_reset();

// ---- quit -----------------------------------------------------------------------------------
void quit();
// Lets a new start quit again.
void quit_reset();

// ---- leaving on a signal ---------------------------------------------------------------
// From the start until the quit, SIGTERM and SIGHUP end the program at the
// next turn of any message loop (a question that is up included): the
// unsaved bank and edited sound go to recovery files, the preferences are
// saved, the link is let go, and the process ends by the signal.
void program_catchEndSignals();
void program_releaseEndSignals();
// The loop check: leaves when one of the signals came.
void program_leaveIfSignalled();
// Writes what is unsaved, as "Yes" to the store and bank questions would,
// but to new files "<bank name>.recovered.glo" (" 2", " 3"... before the end
// when the name is taken) in the program folder; their paths are added to
// written. The number of files written (0 when nothing was unsaved).
int program_writeRecovery(std::vector<std::string>* written);
// The recovery files in the program folder, by name; and the start's
// message naming them (nothing when there are none).
std::vector<std::string> program_recoveryFiles();
void program_tellRecoveryFiles();

// ---- menus ----------------------------------------------------------------------------------
long menu_process(HWND hwnd, long id);
long menu_processFile(short id);
long menu_processEdit(short id);
long menu_processSetup(short id);
long menu_processWindow(short id);
// The File commands that need a dialog or the writer.
void menuFile_open();
void menuFile_save();
void menuFile_saveAs();
// "Revert to Saved": the bank read again from its file, after a question
// when there are unsaved changes; a failed read keeps everything as it was.
void menuFile_revert();
// Saves the bank to its file, or through the save dialog when it has none;
// a bank that was read with damage is saved over its file only after a
// question that offers Save As instead. 1 when it was saved.
int program_saveBank();
// The bank question's Save As (the engine's saveBankAs hook): the save
// dialog, the bank written under the name given and added to the recent
// banks; 0 when the dialog was cancelled or the save failed.
int program_saveBankAs(bankRec* bank);
// The same for any bank (the engine's hook): gBank as above, another to its file.
int program_saveBankOf(bankRec* bank);

// ---- resources ------------------------------------------------------------------------------
// Registers "MVNMENU" and "MVNACCEL" with the platform layer; 1 or 0.
int program_registerResources();
// The removals made from the menu bar at start-up.
void program_trimMenus();
