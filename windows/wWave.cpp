// The Waveform window: an MDI child of class "wWave_Wnd", toolkit window 4,
// created once at start-up from its row of the window table
// (windowTable.cpp) and hidden or shown thereafter. It edits one of
// the current instrument's user waves at a time, in the waveform page (wave
// editor and tools, amplitude and offset) or the spectrum page (harmonics).
// This file holds the window's life cycle, the update protocol, the wave
// list, the modes and tools, and the wave undo through the Edit menu.
#include "windows/editorWindow.h"

#include "resources/resources.h"

short currentEditWave = -1;
short currentUndoWave = -1;
long wWave_mode = 0;
long wWave_waveToolMode = kWaveToolHalfCosine;
long wWave_spectrumToolMode = kSpectrumToolPaint;

namespace {
// Makes the Waveform window current for the life of the scope.
struct currentScope {
    short saved;
    currentScope() : saved(window_getCurrent()) { window_setCurrent(winId_waveform); }
    ~currentScope() { window_setCurrent(saved); }
};

// Redraws both editors from the current wave, the spectrum analysed anew.
void refreshEditors()
{
    waveEd_update(kWaveEditor);
    spectrum_calculate(kSpectrumEditor);
    spectrum_update(kSpectrumEditor);
}

// Removes every item of the wave list: item numbers are slot numbers, so
// the list can hold items above its item count.
void clearWaveList()
{
    popupRec* p = popup_get(kWaveListPopup);
    if (!p || !p->menu) return;
    for (int i = GetMenuItemCount(p->menu) - 1; i >= 0; --i)
        RemoveMenu(p->menu, static_cast<UINT>(i), MF_BYPOSITION);
}
}  // namespace

// ---- life cycle ---------------------------------------------------------------------------------

void wWave_makeWindow() { editorWindow_make(windowTable_find(winId_waveform)); }

// The row's build, with the window current: its artwork and controls.
void wWave_build()
{
    editorWindow_loadArtwork(kWavePanelPict, res_registerWaveArt);
    wWave_makeParams();
}

LRESULT CALLBACK wWave_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short object = window_preProcess(winId_waveform, hwnd, msg, wParam, lParam, 0);
    if (object >= 7) makePresetDirty();
    LRESULT result;
    if (editorWindow_commonMessage(winId_waveform, hwnd, msg, wParam, &result)) return result;
    switch (msg) {
    case WM_MOUSEMOVE:
        window_manualPreProcess(winId_waveform);
        wWave_trackMouse();
        window_manualPostProcess(winId_waveform);
        break;
    case WM_LBUTTONDOWN: return 0;
    default: break;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void wWave_show(int show)
{
    if (show && wWave_needUpdate()) wWave_update();
    if (show && g_oneWindowEditor) {
        openOneEditWindow(winId_waveform);
        return;
    }
    window_show(winId_waveform, show);
}

void wWave_updateSchedule() { editorWindow_schedule(winId_waveform); }

int wWave_needUpdate() { return editorWindow_needs(winId_waveform); }

void wWave_update()
{
    if (!window_getHWND(winId_waveform)) return;
    currentScope scope;
    editorWindow_clear(winId_waveform);
    // The waves were reloaded: an armed wave undo belongs to waves that are gone.
    wWave_noUndo();
    wWave_buildWavePopup();
    refreshEditors();
    wWave_updateAmpAndOffset();
}

// ---- the wave list ------------------------------------------------------------------------------

short wWave_getCurrentEditWave() { return currentEditWave; }

float* wWave_currentWave()
{
    if (currentEditWave < 0 || currentEditWave >= kPresetWaves || !gInst) return nullptr;
    short id = static_cast<short>(kWaveUserBaseID + currentEditWave);
    if (wave_getType(gInst, id) == waveType_free) return nullptr;
    return wave_getWaveDataFromID(gInst, id);
}

void wWave_buildWavePopup()
{
    currentScope scope;
    clearWaveList();
    short first = -1;
    for (short index = 0; index < kPresetWaves; ++index) {
        short id = static_cast<short>(kWaveUserBaseID + index);
        if (!gInst || wave_getType(gInst, id) == waveType_free) continue;
        char name[256] = {0};
        wave_getName(gInst, id, name);
        popup_addItem(kWaveListPopup, static_cast<short>(index + 1), 1, name, 0);
        if (first < 0) first = index;
    }
    if (first < 0) {
        popup_addItem(kWaveListPopup, 1, 0, "none allocated", 0);
        if (popupRec* p = popup_get(kWaveListPopup)) EnableMenuItem(p->menu, 1, MF_BYCOMMAND | MF_GRAYED);
        popup_selectItem(kWaveListPopup, 1);
    } else {
        // The first wave in use, which is not always slot 0.
        popup_selectItem(kWaveListPopup, static_cast<short>(first + 1));
    }
    currentEditWave = first;
    waveEd_update(kWaveEditor);
}

void wWave_callback_waveMenu(short id, short, short item)
{
    if (item < 1 || item > kPresetWaves) return;
    wWave_noUndo();
    currentEditWave = static_cast<short>(item - 1);
    popup_selectItem(id, item);
    refreshEditors();
    wWave_updateAmpAndOffset();
}

void wWave_openWithNewWave(short index)
{
    if (index < 0 || index >= kPresetWaves || !window_getHWND(winId_waveform)) return;
    waveMenu_buildPresetMenu(gInst);
    {
        currentScope scope;
        editorWindow_clear(winId_waveform);
        wWave_noUndo();
        wWave_buildWavePopup();
        popup_selectItem(kWaveListPopup, static_cast<short>(index + 1));
        currentEditWave = index;
    }
    wWave_show(1);
    currentScope scope;
    refreshEditors();
    wWave_updateAmpAndOffset();
}

void wWave_enableEditor(int enable)
{
    currentScope scope;
    custom_enable(kWaveEditor, enable);
    custom_enable(kSpectrumEditor, enable);
    draggy_enable(kWaveAmpSlider, enable);
    draggy_enable(kWaveOffsetSlider, enable);
    popup_enable(kWaveListPopup, 0, enable);
    popup_enable(kWaveTransformPopup, 0, enable);
    popup_enable(kSpectrumTransformPopup, 0, enable);
}

// ---- modes and tools ---------------------------------------------------------------------------

void wWave_setMode(long mode)
{
    if (mode != 0 && mode != 1) return;
    currentScope scope;
    wWave_mode = mode;
    panel_show(kWaveWavePanel, mode == 0);
    panel_show(kWaveSpectrumPanel, mode == 1);
    button_select(kWaveModeWave, mode == 0);
    button_select(kWaveModeSpectrum, mode == 1);
    spectrum_calculate(kSpectrumEditor);
    if (mode == 1) spectrum_update(kSpectrumEditor);
    wWave_updateInfo(3);
}

void wWave_callback_modeButtons(short id)
{
    if (id == kWaveModeWave) {
        wWave_updateAmpAndOffset();
        wWave_setMode(0);
    } else if (id == kWaveModeSpectrum) {
        wWave_setMode(1);
    }
}

void wWave_callback_waveTools(short id)
{
    if (id < kWaveToolLine || id > kWaveToolStretch) return;
    if (id == wWave_waveToolMode) {
        button_select(id, 1);  // a second press keeps the tool chosen
        return;
    }
    wWave_waveToolMode = id;
    waveEd_setCurrentTool(id);
    for (short b = kWaveToolLine; b <= kWaveToolStretch; ++b) button_select(b, b == id);
    int stretch = id == kWaveToolStretch;
    waveBounds_show(kWaveBounds, stretch);
    draggy_show(kWaveStartSlider, !stretch);
    if (stretch) waveBounds_draw(kWaveBounds);
    waveEd_draw(kWaveEditor);
}

void wWave_callback_spectrumTools(short id)
{
    if (id != kSpectrumToolSingle && id != kSpectrumToolPaint) return;
    if (id == wWave_spectrumToolMode) {
        button_select(id, 1);
        return;
    }
    wWave_spectrumToolMode = id;
    spectrum_setCurrentTool(id);
    button_select(kSpectrumToolSingle, id == kSpectrumToolSingle);
    button_select(kSpectrumToolPaint, id == kSpectrumToolPaint);
}

// ---- undo ----------------------------------------------------------------------------------------

void wWave_prepareUndo()
{
    if (currentEditWave < 0) return;
    currentUndoWave = currentEditWave;
    wave_prepareUndo(gInst, currentUndoWave);
    undo_setMode(3);
}

void wWave_prepareRedo()
{
    if (currentUndoWave >= 0) wave_prepareRedo(gInst, currentUndoWave);
}

// Cancels the wave undo only: an envelope edit's undo stays.
void wWave_noUndo()
{
    if (undo_getMode() == 3) undo_setMode(0);
    currentUndoWave = -1;
}

void wWave_undoWave(int redo)
{
    if (currentUndoWave < 0 || currentUndoWave != currentEditWave) return;
    currentScope scope;
    if (redo)
        wave_redo(gInst, currentUndoWave);
    else
        wave_undo(gInst, currentUndoWave);
    refreshEditors();
    wWave_updateAmpAndOffset();
}
