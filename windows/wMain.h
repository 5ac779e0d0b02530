// The Main window (window 1) and the preset dialogs it owns: what the rest
// of the program and the tests reach beyond the update protocol that
// windows.h declares for every window.
//
// Index:
//   globals and control ids
//   actions .............. what each control does to the instrument and the
//                          instances, without the controls (wMain_actions.cpp)
//   window ............... class, procedure, creation, protocol (wMain.cpp); matrix,
//                          parameters, bottom panel, bend wheel, callbacks (wMain_win.cpp)
//   store and import ..... preset lists and storing in bank terms (presetStore.cpp),
//                          the two dialogs (storeTo.cpp, importPreset.cpp)
//   organising ........... the matrix's pop-up menu, drops and the rename
//                          dialog (presetOrganise.cpp)
//   find ................. the "Find Preset..." dialog (findPreset.cpp)
#pragma once

#include <cstddef>

#include "engine/engine.h"
#include "platform/platform.h"

// ---- globals and control ids -------------------------------------------------------
enum { kMainSliders = 9, kMainMatrixCells = 16, kMainPageSize = 16, kMainSliderNameChars = 8 };

extern int update_wMain;
extern int updateMatrix;
extern short presetMatrixSize;
extern short presetMatrixOffset;
extern short currentSliderPanel;
extern int bottomPanelVisible;
extern short bottomPanelOffset;
extern storedCCRec* sliderCCRecList[kMainSliders];

enum {
    mainId_background = 1,
    mainId_bottomPanel = 2,
    mainId_performance = 3,
    mainId_sliderPanel1 = 4,  // 4, 5, 6: one, two, three rows
    mainId_sliderRow1 = 7,    // 7, 8, 9
    mainId_matrix = 11,
    mainId_patch = 12,
    mainId_waveform = 13,
    mainId_envelope = 14,
    mainId_lfo = 15,
    mainId_effect = 16,
    mainId_midi = 17,
    mainId_panic = 18,
    mainId_page0 = 19,  // 19..26
    mainId_store = 29,
    mainId_store2 = 30,
    mainId_edits = 31,
    mainId_showBottom = 32,
    mainId_hold = 33,
    mainId_sustain = 34,
    mainId_bend = 35,
    mainId_tuning = 36,
    mainId_name = 37,
    mainId_number = 38,
    mainId_poly = 39,
    mainId_dB = 40,
    mainId_pan = 41,
    mainId_transpose = 42,
    mainId_keyboard = 43,
    mainId_slider1 = 44,      // 44..52
    mainId_sliderName1 = 53,  // 53..61
    mainId_instance0 = 62,    // 62..69
    mainId_editedMark = 70,   // "*" beside the name while the sound has unstored edits
    mainId_storedMark = 71    // "/ stored" after it while the stored sound plays for a comparison
};

// Shows or clears the edited mark beside the preset name (only on a change):
// 0 none, 1 "*", 2 "* / stored" (the stored sound plays in place of the edit).
void wMain_showEditedMark(int edited);

// ---- actions ----------------------------------------------------------------------------
// The current preset number: the patch preset number of the current instrument.
short wMain_currentPreset();
// current + delta when that lies in 0..127, else -1.
short wMain_stepTarget(short current, short delta);
// The page offset (a multiple of 16) that shows slot.
short wMain_pageOffsetOf(short slot);
// The slot a matrix cell click selects: offset + cell, or -1 when that is
// outside 0..127 or already the current preset.
short wMain_matrixCellToSlot(short cell);
// "%d %s": the slot number and its preset name in bank.
void wMain_presetCellText(bankRec* bank, short slot, char* out, size_t size);
// Selects slot into the current instrument as a program change of the user
// (history, bank select, clean, updates, copy and undo modes, the plug-in told).
void wMain_setPreset(short slot);
// The patch name shown: "default" is shown, and stored, as "untitled".
void wMain_presetNameForDisplay(char* out);
// The name display was edited: the patch name from up to 34 bytes, titles rewritten.
void wMain_renamePreset(const char* text);
void wMain_setPoly(double value);
void wMain_setDB(double dB);
void wMain_setPan(double pan);
void wMain_setTranspose(double semitones);
// Tuning pop-up item 1..tune_getListSize(): tunes the instrument, the bank changes.
void wMain_selectTuning(short item);
// The pop-up text of tuning item 1..n (16 bytes).
void wMain_tuningItemName(short item, char* out);
// "%s AT", "AT", "%s %d" or "cc %d" for a stored controller.
void wMain_sliderLabel(const storedCCRec* rec, char* out, size_t size);
// The stored name of a typed slider label: its first 8 characters, less up
// to four trailing digits (never the first character) and then one
// trailing blank. out holds 17 bytes.
void wMain_stripSliderName(const char* text, char* out);
// Renames the stored controller cc of the current instrument from a typed label.
void wMain_renameSlider(short cc, const char* text);
// The instrument's stored controllers in controller order, at most nine;
// returns how many.
int wMain_collectSliderRecs(instRec* inst, storedCCRec** out);
// The slider background for a number of stored controllers: 4, 5 or 6.
short wMain_sliderPanelFor(int records);
// A slider moved to value (0..1): value x 127 to the plug-in and the instrument.
void wMain_playSlider(short cc, double value);
// Controller 64 with 127 or 0, to the instrument and the plug-in.
void wMain_playSustain(int on);
// A key of the on-screen keyboard: note-on with velocity 75, or 0 on release,
// into the instrument's MIDI buffer. Notes outside 0..127 are ignored.
void wMain_playKey(short note, int on);
// The bend wheel: the MIDI bend value (0..127, centre 64) for a pointer that
// moved dy pixels up from where the click began.
short wMain_bendFromDistance(int dy);
void wMain_playBend(short value);
// Back to the centre: value 64, bend factor 1.
void wMain_centreBend();

// ---- window -------------------------------------------------------------------------------
// Builds every control of window 1 (the window is current).
void wMain_makeParams();
// Steps the current preset by delta (arrow keys) and shows its page.
void wMain_incrementPreset(short delta);
// Selects the page button of slot's page and shows that page.
void wMain_presetMatrixSetRange(short slot);
// Selects the current preset's cell; rewrites the texts when asked or when
// the page changed since the last call.
void wMain_presetMatrixUpdate(int rewriteTexts);
void wMain_presetMatrixUpdatePreset(short slot);
void wMain_updateParams();
void wMain_updateBottomPanel();
void wMain_selectSliderPanel(short panel);
void wMain_showBottomPanel(int show);
void wMain_updateSliders();
void wMain_updateKeyboard();
void wMain_instance_update();
void wMain_buildTunePopup();
void wMain_bender_new();
void wMain_bender_draw(short id);
void wMain_bender_click(short id);
void wMain_bender_processEvents(short id, long event, long a, long b);
void wMain_callback_instanceButton(short id);
void wMain_callback_openEditWindows(short id);
void wMain_callback_triButton(short id);
void wMain_callback_matrix(short id);
void wMain_callback_matrixRangeButtons(short id);
void wMain_callback_presetName(short id);
void wMain_callback_polyNumbox(short id);
void wMain_callback_dBNumbox(short id);
void wMain_callback_panNumbox(short id);
void wMain_callback_transposeNumbox(short id);
void wMain_callback_tunePopup(short id, short menu, short item);
void wMain_callback_editsPopup(short id, short menu, short item);
void wMain_callback_store(short id);
void wMain_callback_panic(short id);
void wMain_callback_slider(short id);
void wMain_callback_sliderName(short id);
void wMain_callback_sustain(short id);
void wMain_callback_hold(short id);
void wMain_callback_kbd(short id, short note, int on);

// ---- store and import, in bank terms ------------------------------------------------------
extern short presetNum;        // the slot chosen in the open dialog
extern short importPresetNum;  // first selection of the import list
extern bankRec* importBank;
// The first slot from `from` (0 when outside 0..127) upward that holds the
// default preset; `from` itself when there is none.
short presetList_nextEmptySlot(bankRec* bank, short from);
// Empties the list box, fills it with the bank's 128 lines "%d %s" and
// selects line `selection`.
void presetList_fill(HWND list, bankRec* bank, short selection);
// The current bank's list `list` of a dialog: the selection moves on from
// presetNum to the next empty slot, and presetNum follows it.
void presetList_selectNextEmpty(HWND dlg, int list);
// Fills the current bank's list of a dialog and moves to the next empty slot.
void presetList_buildCurrent(HWND dlg, int list);
// Stores the instrument into the slot selected in the current bank's list
// (presetStore_storeInst) and rebuilds the list; 1 when stored.
int presetList_storeSelected(HWND dlg, int list);
// Stores the current instrument into slot of the current bank; a slot that
// holds a preset is overwritten only after "Are you sure you want to
// overwrite %s?" is answered OK. 1 when stored (the bank is then dirty and
// the matrix and windows are scheduled), 0 otherwise.
int presetStore_storeInst(short slot);
// The control ids of the two dialogs, used by their templates, their
// procedures and the tests.
enum {
    // "k_dlog_storeTo"
    storeItem_list = 32,  // the current bank
    storeItem_done = 33,
    storeItem_store = 34,
    storeItem_text = 35,  // "Store  "<name>" to..."
    // "k_dlog_import"
    importItem_fromText = 32,
    importItem_importList = 33,  // the bank opened for import
    importItem_toText = 34,
    importItem_bankList = 35,  // the current bank
    importItem_openBank = 36,
    importItem_done = 37,
    importItem_store = 38
};
// Registers the dialog templates "k_dlog_storeTo" and "k_dlog_import".
void presetDialogs_registerTemplates();
// The owner of the preset dialogs: the Main window, else the frame.
HWND presetDialogs_owner();

void storeTo_openDialog();
void storeTo_buildPresetList(HWND dlg);
void storeTo_selectNextDefaultPreset(HWND dlg);
void storeTo_storeTo(HWND dlg);
INT_PTR CALLBACK wStoreToProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

void import_initImportBank();
void import_cleanup();
int import_openFileDialog();
void import_openLast();
void import_buildPresetList(HWND dlg);
void import_buildImportPresetList(HWND dlg);
void import_selectNextDefaultPreset(HWND dlg);
void import_importPreset(HWND dlg);
INT_PTR CALLBACK importProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- organising the bank from the matrix ---------------------------------------------------
// A right click on a cell: the pop-up menu of slot commands (cmd_slot*),
// then the command chosen for the cell's slot.
void wMain_callback_matrixMenu(short id, short cell);
// A cell dropped onto another: the two slots swap, or with copy the first
// is copied onto the second.
void wMain_callback_matrixDrop(short id, short from, short to, int copy);
// One slot command on slot (as the pop-up menu gives it).
void wMain_doSlotCommand(short slot, int command);
enum {
    // "k_dlog_renamePreset"
    renameItem_label = 32,  // "Rename "<name>" to:"
    renameItem_name = 33
};
// The "Rename Preset" dialog for slot: 1 with the name typed (at most 34
// characters, out holds 35 bytes) after OK, 0 after Cancel.
int presetRename_askName(short slot, char* out);

// ---- find -------------------------------------------------------------------------------
enum {
    // "k_dlog_findPreset"
    findItem_text = 32,  // what to look for
    findItem_list = 33,  // the matches
    findItem_select = 34,
    findItem_count = 35  // "<n> presets"
};
void findPreset_registerTemplate();
// Edit > "Find Preset...": reads the names, runs the dialog and selects the
// preset chosen (opening its bank first when it is not the open one).
void findPreset_openDialog();
INT_PTR CALLBACK findPresetProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
