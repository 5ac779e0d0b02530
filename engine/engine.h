// The application shell's engine: the public door of engine/.
//
// It ties the editor to the plug-in instances (the poll), keeps the edit
// state (dirty flags, questions, undo and copy modes, the ring of recent
// edits), the recent banks with their File-menu items, the window
// placement records and the preferences file, and opens banks for the shell.
//
// Everything that needs the desktop (message boxes, menus, windows, the
// toolkit's silent error channel, redraw scheduling, the editor windows'
// undo and copy) goes through one table of hooks that the frame installs
// (engine_setHooks); a hook left null is skipped. Tests install their own
// hooks to observe the shell.
//
// Index:
//   hooks            engineHooksRec, engine_setHooks, engine_message   (engine_hooks.cpp)
//   desktop          engine_connectDesktop: the hooks over platform/    (desktop.cpp)
//   shell globals    gInst, gBank, setup values                         (setup.cpp)
//   instances        MorvaneEngine_* poll and current instance          (instances.cpp)
//   sliders          slider records, playCC                             (sliders.cpp)
//   edit state       dirty flags, questions, undo, copy                 (editState.cpp)
//   recent edits     lastEdits_*                                        (lastEdits.cpp)
//   comparing        compare_*: the edit against the stored sound       (compare.cpp)
//   organising       bankEdit_*: copy, paste, swap, rename, initialise  (bankEdits.cpp)
//   opening banks    fileApp_openBankFromPathName                       (fileApp.cpp)
//   recent banks     lastBank_*, lastBanks_*                            (lastBanks.cpp)
//   finding presets  findPresets_*: names of the open and recent banks  (findPresets.cpp)
//   window placement winPosRec, positions and defaults                  (winPos.cpp)
//   preferences      prefs_* and the chunks of the preferences file     (prefs.cpp, prefs_chunks.cpp)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bank/bank.h"
#include "dsp/dsp.h"
#include "fileio/fileio.h"
#include "engine/ids.h"
#include "iac/MorvaneIAC.h"

// ---- names and numbers ------------------------------------------------------
// Caption of the frame and of the questions that carry it.
#define MORVANE_FRAME_TITLE     "Morvane Engine 1.3.2"
#define MORVANE_PREFS_FILE_NAME "Morvane 1.3 prefs.ini"

// Message box styles and answers (the desktop's numbers).
enum {
    engineMB_ok = 0x0,
    engineMB_okCancel = 0x1,
    engineMB_yesNoCancel = 0x3,
    engineMB_yesNo = 0x4,
    engineMB_iconExclamation = 0x30,
    engineMB_defButton2 = 0x100,
    engineMB_systemModal = 0x1000,
    engineMB_setForeground = 0x10000
};
enum { engineID_ok = 1, engineID_cancel = 2, engineID_yes = 6, engineID_no = 7 };

// Sub-menus of the frame's menu bar, by position.
enum { engineMenu_file = 0, engineMenu_edit = 1, engineMenu_setup = 2, engineMenu_window = 3 };

// The File menu's fixed items end at this position; the recent banks follow.
enum { kFileMenuRecentPosition = 13 };

// What the poll asks of the frame.
enum { engineFrame_minimise = 1, engineFrame_restore = 2, engineFrame_foreground = 3, engineFrame_close = 4 };

// ---- window placement records -------------------------------------------------
// One window's remembered placement (six longs, as stored in the preferences).
struct winPosRec {
    int32_t id;     // position id 127..137
    int32_t x, y;   // editor windows: MDI-client coordinates; frame, navigators: screen
    int32_t width;  // 0: the window keeps its own size
    int32_t height;
    int32_t visible;
};
enum { kWinPosFirst = winPos_frame, kWinPosLast = winPos_meter, kWinPosCount = 11 };

// ---- hooks --------------------------------------------------------------------
struct engineHooksRec {
    // A message box with the given MB style; answers engineID_*. Without it
    // the text goes to stderr and the answer is the first button.
    int (*messageBox)(const char* text, const char* caption, unsigned style);
    // The toolkit's silent error channel (dropped without it).
    void (*error)(const char* text);
    // Menus (menu: engineMenu_*; items by command id unless a position).
    void (*menuDeleteAt)(int menu, int position);
    void (*menuAppend)(int menu, int id, const char* text);
    void (*menuSetText)(int menu, int id, const char* text);
    void (*menuEnable)(int menu, int id, int enabled);
    void (*menuCheck)(int menu, int id, int checked);
    void (*menuDrawBar)(void);
    // The frame: engineFrame_* actions.
    void (*frame)(int action);
    // Windows by toolkit id (winId_frame for the frame).
    void (*showWindow)(int windowId, int show);
    void (*moveWindow)(int windowId, int x, int y, int width, int height);
    // Current placement of a window, in the coordinates winPosRec uses, with
    // its outer size; 0 when the window does not exist.
    int (*getWindowPlace)(int windowId, winPosRec* out);
    // The placement record (winPos_*) of a toolkit window, 0 for none: the
    // window table's placement column. Without it only the frame is placed.
    int (*positionIdOf)(int windowId);
    // The editor windows in the order start-up places them, the last ending
    // in front: the id of the index-th, 0 past the last (the window table's
    // place-order column). Without it no editor window is placed.
    int (*editorWindowAt)(int index);
    // 1 when a window's placement keeps its size (it has sizing borders).
    int (*keepsSize)(int windowId);
    // The window a plug-in's editor number shows (1 Main, 2 Patch, 3
    // Waveform, 4 Envelope, 5 LFO, 6 MIDI, 7 Effect); 0 for none.
    int (*windowOfPlugInEditor)(int number);
    // The area a window's title bar must stay within, in the coordinates of
    // its placement: the screen for the frame and the navigators, the
    // frame's client area for the others. 1 with its size, 0 while unknown.
    int (*getPlacementArea)(int windowId, int* width, int* height);
    // The smallest outer size that shows all of a window's content; 1 with
    // it, 0 while unknown (no such window, nothing in it yet).
    int (*getContentSize)(int windowId, int* width, int* height);
    // Redraws: every editor window; the Main window's preset matrix.
    void (*scheduleRedraw)(void);
    void (*scheduleMatrixUpdate)(void);
    // The history pop-up of the Main window.
    void (*historyPopupClear)(void);
    void (*historyPopupAppend)(int item, const char* name);
    // Editor windows' parts of the edit state.
    void (*undoEnvelope)(int redo);
    void (*undoWave)(int redo);
    void (*copyEnvelope)(void);
    void (*pasteEnvelope)(void);
    void (*setAutoBalanceChannels)(int on);
    // Saves a bank that never had a file under a name the user gives (the
    // save dialog); 1 when it was saved, 0 when cancelled or failed.
    int (*saveBankAs)(bankRec* bank);
    // The program's whole save of a bank (a bank without a file through the
    // save dialog, one read with damage after a question); 1 when saved.
    // Without it the bank is written to its own file.
    int (*saveBank)(bankRec* bank);
};
// Copies the table (null clears every hook).
void engine_setHooks(const engineHooksRec* hooks);
// Fills the hooks the platform layer serves: message boxes owned by the
// frame, the sub-menus 0..3 of the menu bar, the frame's actions, and the
// windows found by toolkit id through windowOf (null: no such window yet).
// The other hooks stay as they were.
struct HWND__;
struct HMENU__;
void engine_connectDesktop(HWND__* frame, HMENU__* menuBar, HWND__* (*windowOf)(int toolkitId));
const engineHooksRec* engine_getHooks();
// The silent channel alone (kept with the rest of the table).
void engine_setErrorProc(void (*proc)(const char* text));
// Shows a message through the hook; returns the answer.
int engine_message(const char* text, const char* caption, unsigned style);
void engine_error(const char* text);
void engine_scheduleRedraw();
void engine_scheduleMatrixUpdate();

// ---- shell globals --------------------------------------------------------------
extern instRec* gInst;  // record of the current instance
extern bankRec* gBank;  // the current bank
extern int g_enableProgramChange;
extern int g_oneWindowEditor;
extern int g_startingUp;
void setup_setEnablePgmChg(int on);
void setup_setAutoBalanceChannels(int on);
void setup_setOneWindowEditing(int on);
void setup_loadedPrefs();
// The setup values as they are before any preferences were read.
void setup_resetToDefaults();
// Applies the setup values read from the preferences (once they were read).
void setup_doStuffFromPrefs();
int setup_getAutoBalanceChannels();
int setup_getPrefsLoaded();

// ---- instances ---------------------------------------------------------------------
// Clears the online copies, marks every instance that is online already as
// changed (so that the next poll takes it in and loads its program),
// installs the bank's select notice and message bridges, makes instance 0
// current.
void MorvaneEngine_init();
long MorvaneEngine_getCurrentInstance();
long MorvaneEngine_setCurrentInstance(long i);  // always 1
// One poll; 1 when some instance is online.
int MorvaneEngine_idle();
int MorvaneEngine_areAnyPluginsOn();
void MorvaneEngine_reloadAllInstances();
void MorvaneEngine_openEditWindow(int which);
void MorvaneEngine_quit();
// 1 once the poll has sent the close for the last instance going offline.
int MorvaneEngine_isQuitArmed();
// The program's own copy of an instance's online flag, as the poll last saw it.
int MorvaneEngine_plugIsOnline(int i);

// ---- sliders ------------------------------------------------------------------------
void MorvaneEngine_updateOneSlider(long instance, long slot, long cc, long value, const char* label);
void MorvaneEngine_updateAllSliders(long instance);
void MorvaneEngine_playCC(instRec* inst, short cc, short value);
void MorvaneEngine_updateLastBanks();

// ---- edit state ---------------------------------------------------------------------
// 7 (No) for a clean bank, else the answer to "Save changes to %s?".
int mvnFile_askSaveChangesToBank(bankRec* bank);
// The bank question of commands that replace or close the bank: 0 to stop
// (Cancel, or a Yes whose save failed or was cancelled), 1 to go on. Yes
// saves a bank that never had a file through the saveBankAs hook.
int fileApp_bankQuestion(bankRec* bank);
int askStorePreset();  // always 1
void makeBankDirty();
int presetIsDirty();
void makePresetClean();
void makePresetDirty();
// The slot of gBank that the current instance's sound comes from: its patch
// preset number, or, while the poll has set that to -1 for a reload, the slot
// last noted for the instance; -1 when there is none.
short editState_soundSlot();
// Notes slot (when it is one) as the one the instance's sound comes from.
void editState_noteSlot(long instance, short slot);
void editState_forgetSlots();
// The presets of slots a and b changed places: the slots noted follow them.
void editState_slotsSwapped(short a, short b);
void undo_setMode(short mode);
void undo_processUndo();
void undo_updateMenu();
short undo_getMode();
int undo_getRedo();
void copy_setMode(short mode);
void copy_processCopy();
void copy_processPaste();
void copy_setUpMenu();
void copy_reset();
short copy_getMode();

// ---- recent edits ---------------------------------------------------------------------
enum { kLastEdits = 10 };
int lastEdits_init();  // 1, or 0 when the history bank cannot be had
void lastEdits_cleanup();
void lastEdits_add();
void lastEdits_rebuildPopup();
void lastEdits_menuToStoredEdit(short item);
// Puts a snapshot of an edit into the next history slot; the history takes
// the preset (it is freed when there is no history).
void lastEdits_addPreset(presetRec* snapshot);
int lastEdits_count();
int lastEdits_nextIndex();
bankRec* lastEdits_bank();

// ---- comparing with the stored sound --------------------------------------------------------
// Edit > "Compare with Stored": the current instance switches from its
// unstored edit to the preset its slot holds in the open bank, and back.
// While the stored sound plays the edit waits in a bank of its own; the
// preset stays dirty (the edit is still unstored). Whatever acts on the
// edited sound (the history, the store question, storing, an instance
// switch, a reload) puts the edit back first; a change made while the
// stored sound plays (makePresetDirty) ends the comparison with that sound
// as the new edit, the edit set aside going into the history.
int compare_isActive();   // 1 while the stored sound plays in place of the edit
int compare_isOffered();  // 1 when the command can be given: an unstored edit of a slot, or a comparison
int compare_toggle();     // switches; 1 when it did
void compare_restoreEdit();
void compare_changedWhileStored();
// Enables and checks the Edit menu's item (only when that changes).
void compare_updateMenu();
void compare_cleanup();

// ---- organising the open bank ---------------------------------------------------------------
// The slot commands of the Main window's preset matrix, on gBank's own
// records (nothing is taken from an instrument). Each change marks the bank
// dirty, schedules the matrix and the windows, publishes the names to the
// plug-ins and becomes what Edit > Undo (undo mode 4) takes back. A
// comparison with the stored sound ends first. Putting a preset into a slot
// that holds one, or emptying it, asks first ("Replace "A" with "B"?",
// "Initialize "A"?"); No changes nothing. The instances keep the sounds they
// play: after a swap their preset numbers follow their presets (the
// plug-ins are told), and the current instance, when its slot got another
// preset, keeps its sound as an unstored edit of that slot. Each gives 1
// when the bank changed.
int bankEdit_copy(short slot);  // the slot's record into the preset clipboard
int bankEdit_hasCopy();
int bankEdit_paste(short slot);
int bankEdit_copyOnto(short from, short to);
int bankEdit_swap(short a, short b);
// The name is cut to the 34 characters a preset holds; the instances that
// show the slot's name (not one edited) take the new one.
int bankEdit_rename(short slot, const char* name);
int bankEdit_initialize(short slot);
// Takes back the last change, or (called again) makes it again; 0 and
// nothing done when the bank was replaced or a slot written since.
int bankEdit_undo();
// Greys Edit > Undo once the bank edit it offers can no longer be undone
// (run on every idle step).
void bankEdit_updateUndo();
void bankEdit_cleanup();

// ---- opening banks -----------------------------------------------------------------------
// The shell's open: bank question, open, reload, recent banks, names
// published, copy mode reset. Reopening the bank's current file keeps it
// open and unchanged. Always 1.
long fileApp_openBankFromPathName(bankRec* bank, const char* path, const char* title);

// ---- recent banks ------------------------------------------------------------------------
enum { kLastBanks = 10, kStartBankPriority = 777 };
struct lastBankRec {
    char path[kFilePathSize];
    int32_t priority;  // 0 most recent, larger older, -1 empty; 777 the start bank
};
extern lastBankRec lastBanks[kLastBanks];
extern lastBankRec defaultBank;
extern int menuIndexToListItem[kLastBanks];
void lastBanks_init();
void lastBanks_initRec(lastBankRec* rec);
void lastBank_add(const char* path);
int lastBank_findNext();
int lastBank_itsAlreadyInTheList(const char* path);  // slot, or -1
void lastBank_addToList(int slot, const char* path);
void lastBank_setTopOfTheList(int slot);
void lastBank_cleanUpList();
int lastBanks_getFromPriority(int priority);  // slot, or -1
void lastBanks_updateFileMenu();
void lastBanks_addToMenu(int slot, int id);
// The File-menu text of a recent bank: its file name, followed by as much
// of its folder as tells it apart when other entries share the name
// ("Pads.glo (Old/Pads)"); "" for an empty slot.
void lastBanks_menuText(int slot, char* text, unsigned size);
void lastBanks_clearMenuMap();
void lastBanks_addToMenuMap(int index, int slot);
int lastBanks_menuToList(int id);  // slot, or -1
// 1 when the bank was opened; a failed open leaves the bank as it was.
int lastBanks_openFromMenu(int id);
void lastBanks_openDefault();
void lastBank_copyToIACList(int slot, iac_bankInfo* info);
// Stores path (cut to the field) as the bank to open at start.
void lastBanks_setDefault(const char* path);

// ---- finding presets --------------------------------------------------------------------
// Edit > "Find Preset...": the presets of the open bank (from memory, unsaved
// changes included) and of every recent bank (from their files, newest
// first; a file that cannot be read is left out without a word). Slots
// holding the default preset are not listed.
struct findPresetRec {
    short slot;
    std::string name;
};
struct findBankRec {
    std::string path;  // the bank's file ("" for an open bank that has none)
    std::string name;  // its file name, as bank_getName gives it
    bool isOpen = false;
    std::vector<findPresetRec> presets;  // in slot order
};
struct findMatchRec {
    int bank;    // index into the banks searched
    int preset;  // index into that bank's presets
};
void findPresets_read(std::vector<findBankRec>* banks);
// One bank file's presets; 0 (and nothing shown) when it cannot be read.
int findPresets_readFile(const char* path, findBankRec* out);
// The presets whose name holds pattern, ignoring case; every preset for an
// empty pattern. In the order of the banks, then of the slots.
void findPresets_filter(const std::vector<findBankRec>& banks, const char* pattern,
                        std::vector<findMatchRec>* out);
// The list line of a match: "<slot> <name>  -  <bank>".
void findPresets_lineText(const findBankRec& bank, const findPresetRec& preset, char* out, size_t size);

// ---- window placement ------------------------------------------------------------------
void initWindowPositions();
short guiID_to_wPosID(short windowId);            // through positionIdOf; 0 for a window without one
winPosRec* wPosID_to_winPosRec(long positionId);  // null outside 127..137
void wPosRec_set(winPosRec* rec, long id, long x, long y, long width, long height, long visible);
void getOneWindowPosition(short windowId, int withSize);
void getWindowPositions();
void getMotherWindowPosition();
void setDefaultWindowPosition(short windowId);
void positionWindows();
// Gives every placement that would leave its window out of reach (the
// title bar outside its area, a size below the frame's minimum or below a
// window's content) the default position and size; the visible flag stays.
// Windows whose area is not known yet are checked by a later call.
// positionWindows starts with it.
void repairWindowPositions();
// Window > "Reset Window Positions": the frame, the editor windows, the
// navigators and the meter back at their default places and sizes (never
// below their content), each left shown or hidden as it is.
void resetWindowPositions();
long getWindowCoordinate(short positionId, short which);  // which: 0 x, 1 y, 2 width, 3 height
void setWindowCoordinate(short positionId, short which, long value);

// ---- preferences ---------------------------------------------------------------------------
// The folder of the preferences file and of the start bank: the
// executable's folder unless a test chose another (null or "" restores it).
void prefs_setProgramFolder(const char* folder);
const char* prefs_programFolder();
// Recomputes the folder and the full path of the preferences file.
void prefs_setPrefsFilePath();
const char* prefs_getPrefsFilePath();
// Joins a relative path onto the program folder (absolute paths as they are).
void prefs_resolvePath(const char* path, char* out, unsigned outSize);
void prefs_open();
void prefs_save();
long prefs_chunkVerify(chunkRec* header);

// Chunk types of the preferences file.
constexpr int32_t kPrefsChunkHeader = chunkType('p', 'H', 'e', 'd');
constexpr int32_t kPrefsChunkWinPos = chunkType('w', 'P', 'o', 'S');
constexpr int32_t kPrefsChunkChanMap = chunkType('c', 'M', 'a', 'p');
constexpr int32_t kPrefsChunkCoefs = chunkType('f', '7', 'b', '0');
constexpr int32_t kPrefsChunkAudio = chunkType('Q', 'd', 'r', 'z');
constexpr int32_t kPrefsChunkAudioPort = chunkType('N', 'M', 'M', 'E');
constexpr int32_t kPrefsChunkMidi = chunkType('m', 'E', 'd', 'E');
constexpr int32_t kPrefsChunkSetup = chunkType('s', 't', 'U', 'p');
constexpr int32_t kPrefsChunkBank = chunkType('z', 'B', 'n', 'k');
constexpr int32_t kPrefsChunkRecorder = chunkType('W', 'r', 'e', 'c');
constexpr int32_t kPrefsChunkLatency = chunkType('l', 'a', 't', 'n');

// Engine settings kept in the preferences file.
enum { kChanMapBytes = 16, kDefaultCoefFloats = 256, kAudioBlockBytes = 256 };
struct prefsAudioRec {  // "Qdrz"
    int32_t driver;
    float rate;
    int32_t bufferSize;
    int32_t inputs;
    int32_t outputs;
    char blocks[3][kAudioBlockBytes];
};
extern uint8_t g_filterCoefOutput[kChanMapBytes];       // "cMap"
extern float g_defaultFilterCoefs[kDefaultCoefFloats];  // "f7b0"
extern prefsAudioRec prefs_audio;                       // "Qdrz"
extern int32_t prefs_audioPort;                         // "NMME"
extern int32_t midiChannel;                             // "mEdE"
extern int32_t midiInDevice;

// One function per chunk type, both directions (reading: the body is in
// file_buf; writing: the chunk is written to file). 1 or 0; a failed read
// changes nothing.
long prefs_readWriteHeaderMessage(fileRec* file, int reading);
long prefs_readWriteWinPosChunk(fileRec* file, void* buffer, long windowId, int reading);
long prefs_writeWinPositions(fileRec* file, void* buffer);
long prefs_readWriteChanMap(fileRec* file, int reading);
long prefs_readWriteDefaultCoefs(fileRec* file, int reading);
long prefs_readWriteAudio(fileRec* file, int version, int reading);
long prefs_readWriteAudioPort(fileRec* file, int reading);
long midi_readWriteMidiPrefsChunk(fileRec* file, int reading);
long prefs_readWriteSetup(fileRec* file, int reading);
long prefs_readLastBank(fileRec* file, void* buffer);
long prefs_writeLastBank(fileRec* file, void* buffer, int slot);  // slot 777: the start bank
long prefs_writeLastBanks(fileRec* file, void* buffer);
