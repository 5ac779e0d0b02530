// The Main window's controls: building them, bringing them up to date from
// the current instrument (preset matrix, patch values, controller sliders,
// keyboard, instance buttons), the bottom panel, the bend wheel and every
// control's callback.
//
// Index:
//   layout ............... positions of the controls (the wells in picture 129 match)
//   helpers .............. window scope, colours, visibility inside panels
//   building ............. wMain_makeParams
//   preset matrix ........ wMain_incrementPreset .. wMain_presetMatrixUpdatePreset
//   updates .............. wMain_update, wMain_updateParams, wMain_instance_update
//   bottom panel ......... wMain_updateBottomPanel .. wMain_updateKeyboard
//   bend wheel ........... wMain_bender_*
//   callbacks ............ wMain_callback_*
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "resources/resources.h"
#include "windows/windows.h"
#include "windows/wMain.h"

int updateMatrix = 1;
short presetMatrixSize = kMainMatrixCells;
short presetMatrixOffset = 0;
short currentSliderPanel = mainId_sliderPanel1 + 1;
int bottomPanelVisible = 1;
short bottomPanelOffset = 0;
storedCCRec* sliderCCRecList[kMainSliders] = {};

namespace {
// ---- layout ---------------------------------------------------------------------------------
enum {
    kWidth = 640,
    kInstanceX = 30, kInstanceY = 4, kInstanceStep = 21,
    kNumberX = 8, kNameX = 40, kNameRowY = 30, kNumberWidth = 26, kNameWidth = 216,
    kStore2X = 264, kStore2Y = 28,
    kMatrixX = 8, kMatrixY = 52, kCellWidth = 100, kCellHeight = 14,
    kPageX = 8, kPageY = 112, kPageStep = 51,
    kTuningX = 56, kLowRowY = 137, kTuningWidth = 140,
    kEditsX = 206, kEditsWidth = 112,
    kStoreX = 330, kStoreY = 136,
    kNumboxX = 500, kNumboxWidth = 56, kNumboxY = 64, kNumboxStep = 22,
    kSideButtonX = 586, kPanicY = 64, kKeysY = 130,
    kRowY0 = 15, kRowHeight = 20,
    kSliderNameWidth = 58, kSliderNameGap = 62,
    kPerformanceHeight = 58,
    kHoldX = 10, kHoldY = 8, kSustainY = 30,
    kBendX = 78, kBendY = 5,
    kKeyboardX = 112, kKeyboardY = 5, kLowestNote = 24, kOctaves = 6
};
const short kRowY[3] = {15, 37, 58};
const short kSliderX[3] = {69, 275, 484};
const float kSliderLag = 0.38f;
const float kSliderMouseScale = 1.0f;

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
// Makes window 1 current while it exists and puts the previous window back.
class mainScope {
public:
    mainScope() : saved_(window_getCurrent()), ok_(window_getHWND(winId_main) != nullptr)
    {
        if (ok_)
            window_setCurrent(winId_main);
    }
    ~mainScope()
    {
        if (ok_)
            window_setCurrent(saved_);
    }
    bool ok() const { return ok_; }

private:
    short saved_;
    bool ok_;
};

RGBColor themeColor(const resColorRec& c)
{
    RGBColor rgb;
    res_colorBytes(c, &rgb.red, &rgb.green, &rgb.blue);
    return rgb;
}

// Shows or hides an object of a panel: at once when its panel is on
// screen, else only in what the panel will show again.
void showItem(short id, int show)
{
    clickObjectRec* obj = clickObject_get(winId_main, id);
    if (obj->panel == 0 || clickObject_isVisible(winId_main, obj->panel))
        clickObject_show(id, show);
    window_updateObjectVisibility(id, show);
}

short sliderIndexOf(short id, short first)
{
    short k = static_cast<short>(id - first);
    return (k >= 0 && k < kMainSliders) ? k : -1;
}

// Shortens text, ending it in "..", until it fits width pixels in the font
// (list id), so that a long name never runs into the next matrix column.
void fitText(char* text, int width, short fontID)
{
    HDC hdc = window_getHDC(winId_main);
    if (!hdc)
        return;
    int saved = SaveDC(hdc);
    font_select(fontID, hdc);
    auto fits = [hdc, width](const std::string& t) {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(hdc, t.c_str(), static_cast<int>(t.size()), &size);
        return size.cx <= width;
    };
    std::string full = text;
    if (!fits(full)) {
        size_t keep = full.size();
        while (keep > 0 && !fits(full.substr(0, keep) + ".."))
            --keep;
        std::strcpy(text, keep > 0 ? (full.substr(0, keep) + "..").c_str() : "");
    }
    RestoreDC(hdc, saved);
    window_freeHDC(winId_main, hdc);
}

void fitCellText(char* text)
{
    if (matrixRec* m = matrix_get(mainId_matrix))
        fitText(text, m->cellWidth - 3, m->fontID);
}

// The preset shown last by an update; a new one brings its page forward.
short lastShownPreset = -2;
short lastMatrixOffset = -1;

// ---- building ---------------------------------------------------------------------------------
void makeTopControls()
{
    const resThemeRec& t = res_theme();
    panel_new(mainId_background, 0, 0, 0, 0, 0, 129, nullptr);
    RECT top;
    getPictRect(129, &top);
    bottomPanelOffset = static_cast<short>(top.bottom - top.top);

    for (short i = 0; i < 8; ++i)
        button_new(static_cast<short>(mainId_instance0 + i), static_cast<short>(kInstanceX + kInstanceStep * i),
                   kInstanceY, kButtonRadio, static_cast<short>(1600 + 8 * i), "", 0, 0, 1,
                   wMain_callback_instanceButton);
    for (const editorButton& b : kEditorButtons)
        button_new(b.id, b.x, b.y, 0, b.pict, "", 1, 0, 1, wMain_callback_openEditWindows);
    button_new(mainId_panic, kSideButtonX, kPanicY, 0, kResMainPanic, "", 1, 0, 1, wMain_callback_panic);
    button_new(mainId_showBottom, kSideButtonX, kKeysY, kButtonToggle, kResMainKeys, "", 1, bottomPanelVisible, 1,
               wMain_callback_triButton);
    button_new(mainId_store, kStoreX, kStoreY, 0, kResMainStoreTo, "", 1, 0, 1, wMain_callback_store);
    button_new(mainId_store2, kStore2X, kStore2Y, 0, kResMainStore, "", 1, 0, 1, wMain_callback_store);
    for (short k = 0; k < 8; ++k)
        button_new(static_cast<short>(mainId_page0 + k), static_cast<short>(kPageX + kPageStep * k), kPageY,
                   kButtonRadio, static_cast<short>(kResMainPageButtons + 8 * k), "", 1, k == 0, 1,
                   wMain_callback_matrixRangeButtons);
    matrix_new(mainId_matrix, kMatrixX, kMatrixY, kCellWidth, kCellHeight, 4, 4, presetMatrixSize, 0, kResMainCell,
               wMain_callback_matrix);

    // Number-box names in the label colour, values in the toolkit's cream.
    display_setDefaultColors(themeColor(t.label), themeColor(t.field));
    const short y = kNumboxY;
    numbox_new(mainId_poly, kNumboxX, y, kNumboxWidth, 1, 0, 8, 1, 64, numbox_defaultIncrement, wMain_callback_polyNumbox,
               "poly");
    numbox_new(mainId_dB, kNumboxX, y + kNumboxStep, kNumboxWidth, 2, 1, 0, -103, 24, numbox_incPointOne,
               wMain_callback_dBNumbox, "dB");
    numbox_new(mainId_pan, kNumboxX, y + 2 * kNumboxStep, kNumboxWidth, 2, 3, 0.5, 0, 1, numbox_incPointZeroOne,
               wMain_callback_panNumbox, "pan");
    numbox_new(mainId_transpose, kNumboxX, y + 3 * kNumboxStep, kNumboxWidth, 3, 3, 0, -72, 72,
               numbox_defaultIncrement, wMain_callback_transposeNumbox, "transpose");

    display_setDefaultColors(themeColor(t.text), themeColor(t.field));
    display_new(mainId_number, kNumberX, kNameRowY, kNumberWidth, "0", 0, 0, kDisplayCentre, nullptr, nullptr);
    display_new(mainId_name, kNameX, kNameRowY, kNameWidth, "", 0, kDisplayEditable, kDisplayLeft,
                wMain_callback_presetName, nullptr);
    // Their texts are repainted over the background picture.
    panel_addObject(mainId_background, mainId_number);
    panel_addObject(mainId_background, mainId_name);

    popup_setDefaultColors(themeColor(t.label), themeColor(t.field), themeColor(t.text), themeColor(t.edgeLight));
    popup_new(mainId_tuning, kTuningX, kLowRowY, kTuningWidth, 14, 0, 0, "tuning", 1, wMain_callback_tunePopup);
    popup_new(mainId_edits, kEditsX, kLowRowY, kEditsWidth, 14, kPopupTitleInside, 0, " edits...", 1,
              wMain_callback_editsPopup);
    wMain_buildTunePopup();
}

void makeBottomControls()
{
    const short top = bottomPanelOffset;
    RECT largest;
    getPictRect(132, &largest);
    panel_new(mainId_bottomPanel, 0, top, kWidth, static_cast<short>(top + largest.bottom - largest.top),
              kPanelExplicitRect, 0, nullptr);
    for (short k = 0; k < 3; ++k) {
        short id = static_cast<short>(mainId_sliderPanel1 + k);
        panel_new(id, 0, top, 0, 0, id == currentSliderPanel ? 0 : kPanelHidden, static_cast<short>(130 + k), nullptr);
        panel_addObject(mainId_bottomPanel, id);
    }
    for (short r = 0; r < 3; ++r) {
        short row = static_cast<short>(mainId_sliderRow1 + r);
        short y = static_cast<short>(top + kRowY[r]);
        panel_new(row, 0, y, kWidth, static_cast<short>(y + kRowHeight), kPanelExplicitRect, 0, nullptr);
        panel_addObject(mainId_bottomPanel, row);
    }

    float lag = draggy_lag, scale = draggy_mouseScale;
    draggy_setLag(kSliderLag);
    draggy_setMouseScale(kSliderMouseScale);
    for (short k = 0; k < kMainSliders; ++k) {
        short row = static_cast<short>(mainId_sliderRow1 + k / 3);
        short x = kSliderX[k % 3], y = static_cast<short>(top + kRowY[k / 3]);
        short slider = static_cast<short>(mainId_slider1 + k), name = static_cast<short>(mainId_sliderName1 + k);
        draggy_new(slider, x, static_cast<short>(y + 2), kDraggyHorizontal, kResMainSlider, 1, wMain_callback_slider, 0,
                   0);
        char label[16];
        std::snprintf(label, sizeof label, "cc %d", k + 1);
        display_new(name, static_cast<short>(x - kSliderNameGap), static_cast<short>(y + 3), kSliderNameWidth, label, 0,
                    kDisplayEditable, kDisplayRight, wMain_callback_sliderName, nullptr);
        panel_addObject(row, slider);
        panel_addObject(row, name);
    }
    draggy_setLag(lag);
    draggy_setMouseScale(scale);

    RECT rows;
    getPictRect(static_cast<short>(130 + currentSliderPanel - mainId_sliderPanel1), &rows);
    short py = static_cast<short>(top + rows.bottom - rows.top - kPerformanceHeight);
    panel_new(mainId_performance, 0, py, kWidth, static_cast<short>(py + kPerformanceHeight), kPanelExplicitRect, 0,
              nullptr);
    panel_addObject(mainId_bottomPanel, mainId_performance);
    button_new(mainId_hold, kHoldX, static_cast<short>(py + kHoldY), kButtonToggle, kResMainHold, "", 1, 0, 1,
               wMain_callback_hold);
    button_new(mainId_sustain, kHoldX, static_cast<short>(py + kSustainY), kButtonToggle, kResMainSustain, "", 1, 0, 1,
               wMain_callback_sustain);
    RECT wheel;
    getPictRect(2248, &wheel);
    custom_new(mainId_bend, kBendX, static_cast<short>(py + kBendY), static_cast<short>(wheel.right - wheel.left),
               static_cast<short>(wheel.bottom - wheel.top), wMain_bender_processEvents);
    kbd_new(mainId_keyboard, kKeyboardX, static_cast<short>(py + kKeyboardY), kLowestNote, kOctaves, 0,
            kResMainKeyboard, wMain_callback_kbd);
    for (short id : {mainId_hold, mainId_sustain, mainId_bend, mainId_keyboard})
        panel_addObject(mainId_performance, id);
}

// The Tab chain of the shown name displays, row after row.
void chainSliderNames(int rows)
{
    int shown = 3 * rows;
    for (int k = 0; k < kMainSliders; ++k) {
        short target = k + 1 < shown ? static_cast<short>(mainId_sliderName1 + k + 1) : 0;
        display_setTabTarget(static_cast<short>(mainId_sliderName1 + k), k < shown ? target : 0);
    }
}

// Puts the stored controller values on the sliders and redraws the wheel.
void setSliderValues(int live)
{
    for (short k = 0; k < kMainSliders; ++k) {
        storedCCRec* rec = sliderCCRecList[k];
        if (!rec)
            continue;
        double value = live ? midi_getCCVal(gInst, static_cast<short>(rec->cc)) : rec->value;
        draggy_setVal(static_cast<short>(mainId_slider1 + k), static_cast<float>(value / 127.0), 0);
    }
}
}  // namespace

void wMain_makeParams()
{
    // A new window shows everything afresh.
    lastShownPreset = -2;
    lastMatrixOffset = -1;
    updateMatrix = 1;
    makeTopControls();
    makeBottomControls();
    wMain_showBottomPanel(bottomPanelVisible);
}

// ---- preset matrix -------------------------------------------------------------------------------

void wMain_incrementPreset(short delta)
{
    short target = wMain_stepTarget(wMain_currentPreset(), delta);
    if (target < 0)
        return;
    wMain_setPreset(target);
    mainScope scope;
    if (scope.ok())
        wMain_presetMatrixSetRange(target);
}

void wMain_presetMatrixSetRange(short slot)
{
    mainScope scope;
    if (!scope.ok())
        return;
    for (short k = 0; k < 8; ++k)
        button_select(static_cast<short>(mainId_page0 + k), slot >= kMainPageSize * k && slot < kMainPageSize * (k + 1));
    presetMatrixOffset = wMain_pageOffsetOf(slot);
    wMain_presetMatrixUpdate(0);
}

void wMain_presetMatrixUpdate(int rewriteTexts)
{
    mainScope scope;
    if (!scope.ok())
        return;
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
        if (slot == current)
            matrix_select(mainId_matrix, cell);
    }
    updateMatrix = 0;
}

void wMain_presetMatrixUpdatePreset(short slot)
{
    mainScope scope;
    int cell = slot - presetMatrixOffset;
    if (!scope.ok() || cell < 0 || cell > 33)
        return;
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
    if (!scope.ok())
        return;
    // A new program brings its page forward.
    short current = wMain_currentPreset();
    if (current != lastShownPreset && current >= 0 && current < kBankSlots)
        wMain_presetMatrixSetRange(current);
    lastShownPreset = current;
    wMain_presetMatrixUpdate(updateMatrix);
    wMain_updateParams();
    wMain_updateBottomPanel();
    wMeter_reset();
    wMain_instance_update();
}

void wMain_updateParams()
{
    mainScope scope;
    if (!scope.ok() || !gInst)
        return;
    char text[kPatchNameLen + 16];
    std::snprintf(text, sizeof text, "%d", wMain_currentPreset());
    display_setText(mainId_number, text);
    wMain_presetNameForDisplay(text);
    display_setText(mainId_name, text);
    // A level a hair below 0 dB is shown as 0.0, not -0.0.
    double dB = ampToDB(inst_patch_getAmp(gInst));
    numbox_setVal(mainId_dB, static_cast<float>(std::fabs(dB) < 0.05 ? 0.0 : dB));
    numbox_setVal(mainId_pan, inst_patch_getPan(gInst));
    numbox_setVal(mainId_transpose, inst_patch_getTrans(gInst));
    numbox_setVal(mainId_poly, inst_patch_getPoly(gInst));
    popup_selectItem(mainId_tuning, tune_getSelectedMenuItem(gInst));
}

void wMain_instance_update()
{
    mainScope scope;
    if (!scope.ok())
        return;
    long current = MorvaneEngine_getCurrentInstance();
    for (short i = 0; i < 8; ++i)
        button_selectEnable(static_cast<short>(mainId_instance0 + i), i == current, MorvaneEngine_plugIsOnline(i) != 0);
}

void wMain_buildTunePopup()
{
    mainScope scope;
    if (!scope.ok())
        return;
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
    if (scope.ok())
        popup_clear(mainId_edits);
}

void wMain_historyPopupAppend(int item, const char* name)
{
    mainScope scope;
    if (scope.ok())
        popup_addItem(mainId_edits, static_cast<short>(item), 1, name, 0);
}

// ---- bottom panel ---------------------------------------------------------------------------------------

void wMain_updateBottomPanel()
{
    mainScope scope;
    if (!scope.ok() || !gInst)
        return;
    storedCCRec* recs[kMainSliders] = {};
    int n = wMain_collectSliderRecs(gInst, recs);
    for (short k = 0; k < kMainSliders; ++k) {
        sliderCCRecList[k] = k < n ? recs[k] : nullptr;
        char label[40] = "";
        if (sliderCCRecList[k])
            wMain_sliderLabel(sliderCCRecList[k], label, sizeof label);
        display_setText(static_cast<short>(mainId_sliderName1 + k), label);
        showItem(static_cast<short>(mainId_slider1 + k), k < n);
        showItem(static_cast<short>(mainId_sliderName1 + k), k < n);
    }
    setSliderValues(0);
    wMain_selectSliderPanel(wMain_sliderPanelFor(n));
    wMain_updateSliders();
}

void wMain_selectSliderPanel(short panel)
{
    mainScope scope;
    if (!scope.ok() || panel < mainId_sliderPanel1 || panel > mainId_sliderPanel1 + 2)
        return;
    currentSliderPanel = panel;
    int rows = panel - mainId_sliderPanel1 + 1;
    for (short k = 0; k < 3; ++k) {
        showItem(static_cast<short>(mainId_sliderPanel1 + k), mainId_sliderPanel1 + k == panel);
        showItem(static_cast<short>(mainId_sliderRow1 + k), k < rows);
    }
    chainSliderNames(rows);
    // The performance row sits at the bottom of the slider background.
    RECT bottom;
    clickObject_getRect(panel, &bottom);
    panel_move(mainId_performance, 0, static_cast<short>(bottom.bottom - kPerformanceHeight));
    if (bottomPanelVisible)
        window_sizeToPanel(winId_main, panel);
}

void wMain_showBottomPanel(int show)
{
    mainScope scope;
    if (!scope.ok())
        return;
    bottomPanelVisible = show ? 1 : 0;
    panel_show(mainId_bottomPanel, bottomPanelVisible);
    window_sizeToPanel(winId_main, bottomPanelVisible ? currentSliderPanel : static_cast<short>(mainId_background));
    button_select(mainId_showBottom, bottomPanelVisible);
}

void wMain_updateSliders()
{
    mainScope scope;
    if (!scope.ok() || !gInst)
        return;
    setSliderValues(1);
    button_select(mainId_sustain, midi_getCCVal(gInst, 64) >= 1);
    custom_draw(mainId_bend);
}

void wMain_updateKeyboard()
{
    mainScope scope;
    if (!scope.ok() || !gInst)
        return;
    button_select(mainId_sustain, midi_getCCVal(gInst, 64) >= 1);
    if (!midi_bag_changed(gInst))
        return;
    midi_bag_startCheck(gInst);
    kbdRec* kbd = kbd_get(mainId_keyboard);
    // The walk reports notes above its start; note 0 lies below the keyboard anyway.
    short note = 0, velocity = 0;
    for (int n = 0; n < 74 && midi_bag_nextNoteChanged(gInst, &note, &velocity); ++n) {
        short key = kbd_findKey(kbd, note);
        if (key >= 0)
            kbd_selectKey(mainId_keyboard, key, velocity > 0, 0);
    }
}

// ---- bend wheel -------------------------------------------------------------------------------------------

void wMain_bender_new() {}

void wMain_bender_draw(short id)
{
    RECT r;
    custom_getRect(id, &r);
    bitmap_draw(2248, static_cast<short>(r.left), static_cast<short>(r.top));
    RECT ridge;
    getPictRect(kResMainBendRidge, &ridge);
    int bend = gInst ? inst_getMidi(gInst)->bendRaw : 64;
    if (bend < 0 || bend > 128)
        bend = 64;
    int h = r.bottom - r.top, rh = ridge.bottom - ridge.top;
    int travel = h / 2 - rh / 2 - 3;
    int y = r.top + h / 2 - rh / 2 - (bend - 64) * travel / 64;
    bitmap_draw(kResMainBendRidge, static_cast<short>(r.left + 3), static_cast<short>(y));
}

namespace {
int benderStep(short id, trackStateRec* state, void*)
{
    wMain_playBend(wMain_bendFromDistance(state->start.v - state->pt.v));
    wMain_bender_draw(id);
    return 1;
}
}  // namespace

void wMain_bender_click(short id)
{
    control_track(id, 16, benderStep, nullptr);
    resetClicks();
    wMain_centreBend();
    wMain_bender_draw(id);
}

void wMain_bender_processEvents(short id, long event, long, long)
{
    switch (event) {
    case kCustomCreated: wMain_bender_new(); break;
    case kCustomDraw: wMain_bender_draw(id); break;
    case kCustomClick: wMain_bender_click(id); break;
    default: break;
    }
}

// ---- callbacks -------------------------------------------------------------------------------------------------

void wMain_callback_instanceButton(short id) { MorvaneEngine_setCurrentInstance(id - mainId_instance0); }

void wMain_callback_openEditWindows(short id)
{
    for (const editorButton& b : kEditorButtons)
        if (b.id == id)
            showEditorWindow(b.window, 1);
    menu_checkFrontWindowItem();
}

void wMain_callback_triButton(short id) { wMain_showBottomPanel(button_isSelected(id)); }

void wMain_callback_matrix(short id)
{
    short slot = wMain_matrixCellToSlot(matrix_getSelection(id));
    if (slot >= 0)
        wMain_setPreset(slot);
    else
        wMain_presetMatrixUpdate(0);  // the highlight stays on the current preset
}

void wMain_callback_matrixRangeButtons(short id) { wMain_presetMatrixSetRange(static_cast<short>(kMainPageSize * (id - mainId_page0))); }

void wMain_callback_presetName(short id)
{
    char text[kPatchNameLen + 1];
    display_getText(id, text, kPatchNameLen);
    wMain_renamePreset(text);
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

void wMain_callback_store(short)
{
    storeTo_openDialog();
    makeBankDirty();
}

void wMain_callback_panic(short) { inst_alloff(gInst); }

void wMain_callback_slider(short id)
{
    short k = sliderIndexOf(id, mainId_slider1);
    if (k >= 0 && sliderCCRecList[k])
        wMain_playSlider(static_cast<short>(sliderCCRecList[k]->cc), draggy_getValH(id));
}

void wMain_callback_sliderName(short id)
{
    short k = sliderIndexOf(id, mainId_sliderName1);
    if (k < 0 || !sliderCCRecList[k])
        return;
    char text[kStoredCCNameLen + 1];
    display_getText(id, text, kStoredCCNameLen);
    wMain_renameSlider(static_cast<short>(sliderCCRecList[k]->cc), text);
}

void wMain_callback_sustain(short id) { wMain_playSustain(button_isSelected(id)); }

void wMain_callback_hold(short id) { kbd_setHold(mainId_keyboard, button_isSelected(id)); }

void wMain_callback_kbd(short, short note, int on) { wMain_playKey(note, on); }
