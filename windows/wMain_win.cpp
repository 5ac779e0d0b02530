// The Main window's top part: building every control, bringing the preset
// matrix, the patch values and the instance buttons up to date from the
// current instrument, and the callbacks of the top part's controls. The
// bottom panel is in wMain_bottom.cpp.
//
// Index:
//   layout ............... positions of the controls (the wells in picture 129 match)
//   helpers .............. colours, cell texts that fit
//   building ............. wMain_makeParams
//   preset matrix ........ wMain_incrementPreset .. wMain_presetMatrixUpdatePreset
//   updates .............. wMain_update, wMain_updateParams, wMain_instance_update
//   callbacks ............ wMain_callback_* of the top part
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "resources/resources.h"
#include "windows/windows.h"
#include "windows/wMain.h"
#include "windows/wMain_internal.h"

int updateMatrix = 1;
short presetMatrixSize = kMainMatrixCells;
short presetMatrixOffset = 0;
short bottomPanelOffset = 0;

namespace {
// ---- layout ---------------------------------------------------------------------------------
enum {
    kWidth = 640,
    kInstanceX = 30,
    kInstanceY = 4,
    kInstanceStep = 21,
    kNumberX = 8,
    kNameX = 40,
    kNameRowY = 30,
    kNumberWidth = 26,
    kNameWidth = 202,
    kMarkX = 244,  // the edited mark, at the end of the name well
    kMarkWidth = 14,
    kStoredMarkWidth = 50,  // "/ stored"
    kStore2X = 264,
    kStore2Y = 28,
    kMatrixX = 8,
    kMatrixY = 52,
    kCellWidth = 100,
    kCellHeight = 14,
    kPageX = 8,
    kPageY = 112,
    kPageStep = 51,
    kTuningX = 56,
    kLowRowY = 137,
    kTuningWidth = 140,
    kEditsX = 206,
    kEditsWidth = 112,
    kStoreX = 330,
    kStoreY = 136,
    kNumboxX = 500,
    kNumboxWidth = 56,
    kNumboxY = 64,
    kNumboxStep = 22,
    kSideButtonX = 586,
    kPanicY = 64,
    kKeysY = 130
};

// The editor-window buttons: id, position, picture, window.
struct editorButton {
    short id, x, y, pict, window;
};
const editorButton kEditorButtons[6] = {
    {mainId_patch, 414, 10, kResMainEditorButtons, winId_patch},
    {mainId_waveform, 495, 10, kResMainEditorButtons + 8, winId_waveform},
    {mainId_effect, 563, 10, kResMainEditorButtons + 16, winId_effect},
    {mainId_lfo, 421, 35, kResMainEditorButtons + 24, winId_lfo},
    {mainId_envelope, 495, 35, kResMainEditorButtons + 32, winId_envelope},
    {mainId_midi, 563, 35, kResMainEditorButtons + 40, winId_midi},
};

// ---- helpers ----------------------------------------------------------------------------------
RGBColor themeColor(const resColorRec& c)
{
    RGBColor rgb;
    res_colorBytes(c, &rgb.red, &rgb.green, &rgb.blue);
    return rgb;
}

// Width in pixels of text in the font (list id) on window 1's device.
int textWidth(HDC hdc, const std::string& text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// Shortens text, ending it in "..", until it fits width pixels in the font
// (list id), so that a long name never runs into the next matrix column.
void fitText(char* text, int width, short fontID)
{
    HDC hdc = window_getHDC(winId_main);
    if (!hdc) return;
    int saved = SaveDC(hdc);
    font_select(fontID, hdc);
    auto fits = [hdc, width](const std::string& t) { return textWidth(hdc, t) <= width; };
    std::string full = text;
    if (!fits(full)) {
        size_t keep = full.size();
        while (keep > 0 && !fits(full.substr(0, keep) + "..")) --keep;
        std::strcpy(text, keep > 0 ? (full.substr(0, keep) + "..").c_str() : "");
    }
    RestoreDC(hdc, saved);
    window_freeHDC(winId_main, hdc);
}

void fitCellText(char* text)
{
    if (matrixRec* m = matrix_get(mainId_matrix)) fitText(text, m->cellWidth - 3, m->fontID);
}

// Where the edited mark goes: a blank after the name shown, at most at the
// end of the name well (less the room of "/ stored" when that follows).
short markXForName(int stored)
{
    const int limit = stored ? kMarkX - kStoredMarkWidth + 2 : kMarkX;
    displayRec* d = display_get(mainId_name);
    HDC hdc = window_getHDC(winId_main);
    if (!d || !hdc) return static_cast<short>(limit);
    int saved = SaveDC(hdc);
    font_select(d->fontID, hdc);
    int x = kNameX + textWidth(hdc, d->text) + textWidth(hdc, " ") - 3;
    RestoreDC(hdc, saved);
    window_freeHDC(winId_main, hdc);
    return static_cast<short>(std::min(x, limit));
}

// The preset shown last by an update; a new one brings its page forward.
short lastShownPreset = -2;
short lastMatrixOffset = -1;
int shownEditedMark = -1;  // what the mark shows: -1 not yet drawn
short shownMarkX = kMarkX;

// ---- building ---------------------------------------------------------------------------------
void makeTopControls()
{
    const resThemeRec& t = res_theme();
    panel_new(mainId_background, 0, 0, 0, 0, 0, 129, nullptr);
    RECT top;
    getPictRect(129, &top);
    bottomPanelOffset = static_cast<short>(top.bottom - top.top);

    for (short i = 0; i < 8; ++i)
        button_new(static_cast<short>(mainId_instance0 + i),
                   static_cast<short>(kInstanceX + kInstanceStep * i), kInstanceY, kButtonRadio,
                   static_cast<short>(1600 + 8 * i), "", 0, 0, 1, wMain_callback_instanceButton);
    for (const editorButton& b : kEditorButtons)
        button_new(b.id, b.x, b.y, 0, b.pict, "", 1, 0, 1, wMain_callback_openEditWindows);
    button_new(mainId_panic, kSideButtonX, kPanicY, 0, kResMainPanic, "", 1, 0, 1, wMain_callback_panic);
    button_new(mainId_showBottom, kSideButtonX, kKeysY, kButtonToggle, kResMainKeys, "", 1,
               bottomPanelVisible, 1, wMain_callback_triButton);
    button_new(mainId_store, kStoreX, kStoreY, 0, kResMainStoreTo, "", 1, 0, 1, wMain_callback_store);
    button_new(mainId_store2, kStore2X, kStore2Y, 0, kResMainStore, "", 1, 0, 1, wMain_callback_store);
    for (short k = 0; k < 8; ++k)
        button_new(static_cast<short>(mainId_page0 + k), static_cast<short>(kPageX + kPageStep * k), kPageY,
                   kButtonRadio, static_cast<short>(kResMainPageButtons + 8 * k), "", 1, k == 0, 1,
                   wMain_callback_matrixRangeButtons);
    matrix_new(mainId_matrix, kMatrixX, kMatrixY, kCellWidth, kCellHeight, 4, 4, presetMatrixSize, 0,
               kResMainCell, wMain_callback_matrix);

    // Number-box names in the label colour, values in the toolkit's cream.
    display_setDefaultColors(themeColor(t.label), themeColor(t.field));
    const short y = kNumboxY;
    numbox_new(mainId_poly, kNumboxX, y, kNumboxWidth, 1, 0, 8, 1, 64, numbox_defaultIncrement,
               wMain_callback_polyNumbox, "poly");
    numbox_new(mainId_dB, kNumboxX, y + kNumboxStep, kNumboxWidth, 2, 1, 0, -103, 24, numbox_incPointOne,
               wMain_callback_dBNumbox, "dB");
    numbox_new(mainId_pan, kNumboxX, y + 2 * kNumboxStep, kNumboxWidth, 2, 3, 0.5, 0, 1,
               numbox_incPointZeroOne, wMain_callback_panNumbox, "pan");
    numbox_new(mainId_transpose, kNumboxX, y + 3 * kNumboxStep, kNumboxWidth, 3, 3, 0, -72, 72,
               numbox_defaultIncrement, wMain_callback_transposeNumbox, "transpose");

    display_setDefaultColors(themeColor(t.text), themeColor(t.field));
    display_new(mainId_number, kNumberX, kNameRowY, kNumberWidth, "0", 0, 0, kDisplayCentre, nullptr,
                nullptr);
    display_new(mainId_name, kNameX, kNameRowY, kNameWidth, "", 0, kDisplayEditable, kDisplayLeft,
                wMain_callback_presetName, nullptr);
    display_setDefaultColors(themeColor(t.accent), themeColor(t.field));
    display_new(mainId_editedMark, kMarkX, kNameRowY, kMarkWidth, "", 0, 0, kDisplayCentre, nullptr, nullptr);
    display_new(mainId_storedMark, kMarkX + kMarkWidth, kNameRowY, kStoredMarkWidth, "", 0, 0, kDisplayLeft,
                nullptr, nullptr);
    display_show(mainId_storedMark, 0);
    // Their texts are repainted over the background picture.
    panel_addObject(mainId_background, mainId_number);
    panel_addObject(mainId_background, mainId_name);
    panel_addObject(mainId_background, mainId_editedMark);
    panel_addObject(mainId_background, mainId_storedMark);

    popup_setDefaultColors(themeColor(t.label), themeColor(t.field), themeColor(t.text),
                           themeColor(t.edgeLight));
    popup_new(mainId_tuning, kTuningX, kLowRowY, kTuningWidth, 14, 0, 0, "tuning", 1,
              wMain_callback_tunePopup);
    popup_new(mainId_edits, kEditsX, kLowRowY, kEditsWidth, 14, kPopupTitleInside, 0, " edits...", 1,
              wMain_callback_editsPopup);
    wMain_buildTunePopup();
}

}  // namespace

void wMain_makeParams()
{
    // A new window shows everything afresh.
    lastShownPreset = -2;
    lastMatrixOffset = -1;
    shownEditedMark = -1;
    shownMarkX = kMarkX;
    updateMatrix = 1;
    makeTopControls();
    wMain_makeBottomControls();
    wMain_showBottomPanel(bottomPanelVisible);
}

// ---- preset matrix -------------------------------------------------------------------------------

void wMain_incrementPreset(short delta)
{
    short target = wMain_stepTarget(wMain_currentPreset(), delta);
    if (target < 0) return;
    wMain_setPreset(target);
    mainScope scope;
    if (scope.ok()) wMain_presetMatrixSetRange(target);
}

void wMain_presetMatrixSetRange(short slot)
{
    mainScope scope;
    if (!scope.ok()) return;
    for (short k = 0; k < 8; ++k)
        button_select(static_cast<short>(mainId_page0 + k),
                      slot >= kMainPageSize * k && slot < kMainPageSize * (k + 1));
    presetMatrixOffset = wMain_pageOffsetOf(slot);
    wMain_presetMatrixUpdate(0);
}

void wMain_presetMatrixUpdate(int rewriteTexts)
{
    mainScope scope;
    if (!scope.ok()) return;
    int rewrite = rewriteTexts || presetMatrixOffset != lastMatrixOffset;
    lastMatrixOffset = presetMatrixOffset;
    matrix_select(mainId_matrix, -1);
    short current = wMain_currentPreset();
    for (short cell = 0; cell < presetMatrixSize; ++cell) {
        short slot = static_cast<short>(presetMatrixOffset + cell);
        if (rewrite) {
            char text[kPatchNameLen + 16];
            wMain_presetCellText(gBank, slot, text, sizeof text);
            fitCellText(text);
            matrix_setText(mainId_matrix, cell, text);
        }
        if (slot == current) matrix_select(mainId_matrix, cell);
    }
    updateMatrix = 0;
}

void wMain_presetMatrixUpdatePreset(short slot)
{
    mainScope scope;
    int cell = slot - presetMatrixOffset;
    if (!scope.ok() || cell < 0 || cell > 33) return;
    char text[kPatchNameLen + 16];
    wMain_presetCellText(gBank, slot, text, sizeof text);
    fitCellText(text);
    matrix_setText(mainId_matrix, static_cast<short>(cell), text);
}

// ---- updates ----------------------------------------------------------------------------------------

void wMain_update()
{
    mainScope scope;
    update_wMain = 0;
    if (!scope.ok()) return;
    // A new program brings its page forward; texts asked for are rewritten
    // all the same (moving the page clears the request).
    const int rewrite = updateMatrix;
    short current = wMain_currentPreset();
    if (current != lastShownPreset && current >= 0 && current < kBankSlots)
        wMain_presetMatrixSetRange(current);
    lastShownPreset = current;
    wMain_presetMatrixUpdate(rewrite);
    wMain_updateParams();
    wMain_updateBottomPanel();
    wMeter_reset();
    wMain_instance_update();
}

void wMain_updateParams()
{
    mainScope scope;
    if (!scope.ok() || !gInst) return;
    char text[kPatchNameLen + 16];
    std::snprintf(text, sizeof text, "%d", wMain_currentPreset());
    display_setText(mainId_number, text);
    wMain_presetNameForDisplay(text);
    display_setText(mainId_name, text);
    shownEditedMark = -1;  // repainting the name may have covered the mark
    // A level a hair below 0 dB is shown as 0.0, not -0.0.
    double dB = ampToDB(inst_patch_getAmp(gInst));
    numbox_setVal(mainId_dB, static_cast<float>(std::fabs(dB) < 0.05 ? 0.0 : dB));
    numbox_setVal(mainId_pan, inst_patch_getPan(gInst));
    numbox_setVal(mainId_transpose, inst_patch_getTrans(gInst));
    numbox_setVal(mainId_poly, inst_patch_getPoly(gInst));
    popup_selectItem(mainId_tuning, tune_getSelectedMenuItem(gInst));
}

void wMain_showEditedMark(int edited)
{
    if (edited < 0 || edited > 2) edited = 1;
    if (!edited && shownEditedMark == 0) return;
    mainScope scope;
    if (!scope.ok()) return;
    // The mark follows the end of the name ("Marimba *", "Marimba * / stored").
    short x = edited ? markXForName(edited == 2) : shownMarkX;
    if (edited == shownEditedMark && x == shownMarkX) return;
    if (x != shownMarkX) {
        display_setText(mainId_editedMark, "");
        display_move(mainId_editedMark, x, kNameRowY);
        shownMarkX = x;
    }
    // "/ stored" is shown, or hidden, before the name is repainted under it.
    if ((edited == 2) != (shownEditedMark == 2)) {
        if (edited == 2) display_move(mainId_storedMark, static_cast<short>(x + kMarkWidth - 2), kNameRowY);
        display_setText(mainId_storedMark, edited == 2 ? "/ stored" : "");
        display_show(mainId_storedMark, edited == 2);
        if (edited != 2) wMain_updateParams();
    }
    shownEditedMark = edited;
    display_setText(mainId_editedMark, edited ? "*" : "");
    // "/ stored" overlaps the mark's right edge: drawn after it, as a paint
    // draws it, so the mark's backdrop does not cut into its slash.
    if (edited == 2) display_draw(mainId_storedMark);
}

void wMain_instance_update()
{
    mainScope scope;
    if (!scope.ok()) return;
    long current = MorvaneEngine_getCurrentInstance();
    for (short i = 0; i < 8; ++i)
        button_selectEnable(static_cast<short>(mainId_instance0 + i), i == current,
                            MorvaneEngine_plugIsOnline(i) != 0);
}

void wMain_buildTunePopup()
{
    mainScope scope;
    if (!scope.ok()) return;
    popup_clear(mainId_tuning);
    char name[kTuneNameLen + 1];
    for (short item = 1; item <= tune_getListSize(); ++item) {
        wMain_tuningItemName(item, name);
        name[kTuneNameLen] = 0;
        popup_addItem(mainId_tuning, item, 1, name, 0);
    }
}

void wMain_historyPopupClear()
{
    mainScope scope;
    if (scope.ok()) popup_clear(mainId_edits);
}

void wMain_historyPopupAppend(int item, const char* name)
{
    mainScope scope;
    if (scope.ok()) popup_addItem(mainId_edits, static_cast<short>(item), 1, name, 0);
}

// ---- callbacks -------------------------------------------------------------------------------------------------

void wMain_callback_instanceButton(short id) { MorvaneEngine_setCurrentInstance(id - mainId_instance0); }

void wMain_callback_openEditWindows(short id)
{
    for (const editorButton& b : kEditorButtons)
        if (b.id == id) showEditorWindow(b.window, 1);
    menu_checkFrontWindowItem();
}

void wMain_callback_matrix(short id)
{
    short slot = wMain_matrixCellToSlot(matrix_getSelection(id));
    if (slot >= 0)
        wMain_setPreset(slot);
    else
        wMain_presetMatrixUpdate(0);  // the highlight stays on the current preset
}

void wMain_callback_matrixRangeButtons(short id)
{
    wMain_presetMatrixSetRange(static_cast<short>(kMainPageSize * (id - mainId_page0)));
}

void wMain_callback_presetName(short id)
{
    char text[kPatchNameLen + 1];
    display_getText(id, text, kPatchNameLen + 1);
    wMain_renamePreset(text);
    shownEditedMark = -1;
}

void wMain_callback_polyNumbox(short id) { wMain_setPoly(numbox_getVal(id)); }
void wMain_callback_dBNumbox(short id) { wMain_setDB(numbox_getVal(id)); }
void wMain_callback_panNumbox(short id) { wMain_setPan(numbox_getVal(id)); }
void wMain_callback_transposeNumbox(short id) { wMain_setTranspose(numbox_getVal(id)); }

void wMain_callback_tunePopup(short id, short, short item)
{
    wMain_selectTuning(item);
    popup_selectItem(id, tune_getSelectedMenuItem(gInst));
}

void wMain_callback_editsPopup(short, short, short item) { lastEdits_menuToStoredEdit(item); }

// The store itself marks the bank dirty; a dialog left without storing
// leaves the bank as it was.
void wMain_callback_store(short) { storeTo_openDialog(); }

void wMain_callback_panic(short) { inst_alloff(gInst); }
