// The editor windows: the public door of windows/.
//
// Every editor window is a toolkit window (toolkit/toolkit.h) created once
// at start-up from its row of the window table, shown and hidden, never
// destroyed, and kept in step with the current instrument through three
// functions named after it (schedule, need, update) and the update command
// kCmdUpdateWindow. This folder also holds the
// small windows of the shell (navigators, meter, splash), the pens, brushes
// and cursors the editor windows draw with, and the wave pop-up menus.
//
// Index:
//   window table ............. one row per window                          (windowTable.cpp)
//   update protocol .......... scheduleWindowUpdate .. closeEditorWindows   (windowUpdate.cpp)
//   Window-menu check marks .. menu_checkFrontWindowItem                    (windowUpdate.cpp)
//   edit marks ............... editMarks_*                                  (editMarks.cpp)
//   editor windows ........... wMain_ .. wEnvTrans_ (one file each, built on editorWindow.cpp;
//                              the Waveform, MIDI, Envelope, LFO and Effect windows' own
//                              interfaces in wWave.h, wMidi.h, wEnv.h, wLfo.h and wEffect.h)
//   wave menus ............... waveMenu_*                                   (waveMenu.cpp)
//   navigator ................ wNav_*                                       (navigator.cpp)
//   meter .................... wMeter_*                                     (meter.cpp)
//   splash ................... wSplash_*                                    (splash.cpp)
//   pens, brushes, cursors ... pensAndBrushes_*                             (pensAndBrushes.cpp)
//   artwork .................. windows_registerArtwork                      (artwork.cpp)
#pragma once

#include "engine/engine.h"
#include "toolkit/toolkit.h"
#include "windows/wPatch.h"
#include "windows/wMain.h"
#include "windows/wWave.h"
#include "windows/wMidi.h"
#include "windows/wWtrans.h"
#include "windows/wEnv.h"
#include "windows/wLfo.h"
#include "windows/wEffect.h"

// ---- the window table -----------------------------------------------------------------
// Every toolkit window is one row of gWindowTable (windowTable.cpp); the
// ids, placement records and command ids the rows name are in
// engine/ids.h. The table's order is the order of the update protocol.
// Every list of editor windows the
// program needs (the Window menu, one window at a time, hiding at quit,
// the plug-ins' editor numbers, placing) is read from the table.
// windowKind_dialog: a non-MDI window with a dialog-modal frame owned by
// the MDI client, made with the editor windows, whose client area is the
// row's width x height.
enum { windowKind_editor = 0, windowKind_tool = 1, windowKind_dialog = 2 };
struct windowTableRec {
    short id;               // toolkit window id, winId_*
    short kind;             // windowKind_editor / _dialog: made by editorWindow_make; _tool: by its own file
    const char* className;  // window class, registered once
    const char* title;      // editor windows: "<title>: <patch>" (null: the bank's name, Main)
    short positionId;       // placement record, winPos_*; 0 for none
    short menuCommand;      // the Window-menu command that shows it, cmd_*; 0 for none
    short accelKey;         // the virtual key that sends menuCommand; 0 for none
    const char* menuName;   // its Window-menu item, before the key's name; null for none
    short plugInEditor;     // the plug-in's number for this editor (1..7); 0 for none
    short placeOrder;       // editor windows are placed at start-up 1, 2, ..., the last in front
    WNDPROC proc;           // window procedure; null: the editor windows' common one
    void (*build)();        // makes the controls, with the new window current
    void (*show)(int show);
    // The update protocol (null for windows outside it).
    void (*updateSchedule)();
    int (*needUpdate)();
    void (*update)();  // the answer to kCmdUpdateWindow
    short clickMax;    // click objects and draw entries
    short x, y;        // creation place where the placement record gives
    short width;       // none; the outer size it is made with (the build may
    short height;      // size the window to its panel afterwards)
    // Windows that lay themselves out to any size: their least content size
    // (the client area). Such a window has a sizing border; null: its size
    // is that of what it holds.
    int (*minimumContentSize)(short* width, short* height);
};
extern const windowTableRec gWindowTable[];
extern const int gWindowTableSize;
// The row of a toolkit window id, or of a Window-menu command; null for none.
const windowTableRec* windowTable_find(short windowId);
const windowTableRec* windowTable_findCommand(int command);
// The placement column by window id (the engine's positionIdOf hook).
int windowTable_positionIdOf(int windowId);
// The engine's other window hooks over the table: the id of the editor
// window placed index-th at start-up (0 past the last); 1 for a window with sizing borders, whose
// placement keeps its size; the window of a plug-in editor number (0 none).
int windowTable_editorAt(int index);
int windowTable_keepsSize(int windowId);
int windowTable_windowOfPlugInEditor(int number);
// The text of a row's Window-menu item: "<menu name> \t<key>", e.g.
// "Patch \tF6"; empty for a row without one.
std::string windowTable_menuText(const windowTableRec& row);
// Creates every editor window of the table (once each), in the table's order.
void windows_makeEditorWindows();

// ---- update protocol ----------------------------------------------------------------
extern int gWindowIsDirty;  // some window asked for an update
extern int updateNames;     // the title bars must be rewritten (1 at start)
// Schedules Main, Patch, LFO, Effect, MIDI, Waveform and Envelope, and the titles.
void scheduleWindowUpdate();
// One idle step: the titles when asked, then at most one window's update.
void updateWindows();
// Sends the update command to a window (made current first); nothing
// for a window without a native handle.
void sendUpdateMessage(short windowId);
void tellUpdateKbd();
void tellUpdateSliders();
void tellEnvUpdateParambox();
void tellAnimatePipe();
void updateWindowNames();
void updateOneWindowName(short windowId, const char* first, const char* second);
// Shows window id and hides the other editor windows of the table.
void openOneEditWindow(short windowId);
void closeEditorWindows();
// Shows an editor window by toolkit id through its show function (1..7);
// a window shown is restored when minimised and brought to the front.
// Every Window-menu command and navigator button goes through it.
void showEditorWindow(short windowId, int show);
// The smallest outer size showing all of a toolkit window's content (the
// engine's getContentSize hook); 0 for a window without content yet.
int windows_contentSize(int windowId, int* width, int* height);
// 1 for an F10 key-down, which the program's windows swallow (it would
// otherwise enter the menu bar).
int isF10KeyDown(UINT msg, WPARAM wParam);
// Checks the Window-menu item of the front window, unchecks 7000..7009 otherwise.
void menu_checkFrontWindowItem();
// The Window-menu item of a toolkit window, 0 for none.
int windowMenuItemOf(short windowId);

// ---- edit marks ------------------------------------------------------------------------
// Brings the Main window's edited mark and the frame's title in line with
// the dirty flags (called by updateWindows on every idle step).
void editMarks_update();
// The frame's title: the program's name and version, followed by
// " - <bank name> *" while the bank has unsaved changes.
void editMarks_frameTitle(char* out, size_t size);

// ---- editor windows ------------------------------------------------------------------
// Each: makeWindow creates it from its table row (once), show shows or
// hides it (through openOneEditWindow in one-window mode), updateSchedule
// / needUpdate / update take part in the update protocol.
void wMain_makeWindow();
void wMain_show(int show);
void wMain_updateSchedule();
int wMain_needUpdate();
void wMain_update();
void wMain_updateMatrixSchedule();
void wMain_historyPopupClear();
void wMain_historyPopupAppend(int item, const char* name);

void wPatch_makeWindow();
void wPatch_show(int show);
void wPatch_updateSchedule();
int wPatch_needUpdate();
void wPatch_update();
void wPatch_setAutoBalanceChannels(int on);
int wPatch_getAutoBalanceChannels();
void wPatch_balanceChannels();

void wLfo_makeWindow();
void wLfo_show(int show);
void wLfo_updateSchedule();
int wLfo_needUpdate();
void wLfo_update();

void wWave_makeWindow();
void wWave_show(int show);
void wWave_updateSchedule();
int wWave_needUpdate();
void wWave_update();
// Edit > Undo and Redo of the last wave edit (undo mode 3).
void wWave_undoWave(int redo);

void wEffect_makeWindow();
void wEffect_show(int show);
void wEffect_updateSchedule();
int wEffect_needUpdate();
void wEffect_update();
// 1 while the effect window shows the pipe display that the timer animates.
int wEffect_pipeIsVisible();

void wMidi_makeWindow();
void wMidi_show(int show);
void wMidi_updateSchedule();
int wMidi_needUpdate();
void wMidi_update();
void midiWin_sayGoodbye();

void wEnv_makeWindow();
void wEnv_show(int show);
void wEnv_updateSchedule();
int wEnv_needUpdate();
void wEnv_update();
void wEnv_undoEnvelope(int redo);
void wEnv_copyEnvelope();
void wEnv_pasteEnvelope();

void wWaveTrans_makeWindow();
// Shows (1) or hides (0) the "Transform waveform" window on one of its
// transforms (1 offset phase, 2 mix, 3 fractalize, 4 filter, 5 FM, 6 load
// wave, 7 shift harmonics, 8 load wave into the spectrum).
void wWtrans_show(int show, int kind);
void wEnvTrans_makeWindow();

// The File menu's preset tools of the Main window: the import dialog and
// the export of the preset names to the clipboard.
void import_openDialog();
void exportPresetNames(bankRec* bank);

// ---- wave menus ------------------------------------------------------------------------
enum { kWaveMenuFactory = 16, kWaveMenuPreset = 17, kWaveMenuTable = 65 };
extern short* waveMenu_menuToWave;  // factory item 1..64 -> built-in wave id
extern short* waveMenu_waveToMenu;  // built-in wave id -> factory item
extern short waveMenu_items;
void waveMenu_init();
void waveMenu_cleanup();
void waveMenu_buildFactoryMenu();
void waveMenu_buildPresetMenu(instRec* inst);
// Fills a pop-up control of the current window: "sine", "preset" (menu 17)
// and "factory" (menu 16).
void waveMenu_buildPopup(short popupId);
short waveMenu_menuItemToWaveID(short item, short menuId);
// Check-marks the wave in use in the shared menus (and the pop-up's own
// items leading to it), clearing every other mark; called as a wave pop-up opens.
void waveMenu_checkWave(short popupId, short waveID);

// ---- navigator --------------------------------------------------------------------------
void wNav_makeWindow();
void wNav_makeParams(short windowId);
void wNav_show(int show);
void wNav_toggleShow();
void wNav_initToggleState(int on);
int wNav_getToggleState();
void wNav_callback_shiftH(short id);
void wNav_callback_shiftV(short id);
void wNav_callback_windowButtons(short id);

// ---- meter ------------------------------------------------------------------------------
extern float leftPeak, rightPeak, cpuPeak;
void wMeter_makeWindow();
void wMeter_makeParams();
void wMeter_update();
void wMeter_reset();
void wMeter_resetPeak();
void wMeter_draw(short id);
void wMeter_callback_meter(short id, long event, long a, long b);
// Pixel positions of the bar and the peak mark for a level and peak within
// a meter of the given left edge and width (the drawing's arithmetic).
void wMeter_positions(float level, float peak, int left, int width, int* bar, int* peakPos);
// One decay step of a level field: 9 % less, exactly 0 once it is subnormal.
float wMeter_decay(float level);

// ---- splash -----------------------------------------------------------------------------
void wSplash_makeWindow();
// The text the splash window shows: the program's name and version.
const char* wSplash_text();

// ---- pens, brushes and cursors --------------------------------------------------------------
extern HPEN wWave_centerLinePen, wWave_waveLinePen, wWave_bluePen, wWave_spectrumHilitePen,
    wWave_spectrumPhasePen;
extern HPEN wEnv_redPen, wEnv_linePen, wEnv_greenPen, wEnv_gridPen, wEnv_bottomPen;
extern HBRUSH wEnv_hScaleBgBrush, wEnv_windowBgBrush, wEnv_squareBrush, wMain_windowBgBrush,
    wAudio_windowBgBrush, wEffect_pipeOnBrush, wEffect_pipeOffBrush;
extern HCURSOR wEnv_cur_143, wEnv_cur_144, wEnv_cur_145, wEnv_cur_146, wEnv_cur_149, wEnv_cur_150;
void pensAndBrushes_init();
void pensAndBrushes_cleanup();

// ---- artwork ------------------------------------------------------------------------------
// Paints and registers the bitmaps of the splash (5), the navigators
// (1800, 1801, 1808..1880) and the meter (1932, 1933). Needs the platform
// layer started; call before the toolkit loads its bitmaps. 1 or 0.
int windows_registerArtwork();
