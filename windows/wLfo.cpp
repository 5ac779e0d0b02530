// The LFO window: an MDI child of class "wLfo_Wnd", toolkit window 3,
// created once at start-up from its row of the window table and hidden or
// shown thereafter. This file holds its life cycle, the show rules of a
// column, the update protocol and what every control does.
#include <cstring>

#include "windows/editorWindow.h"

#include "resources/resources.h"

int update_wLfo = 0;

namespace {
// Makes the LFO window current for the life of the scope.
struct currentScope {
    short saved;
    currentScope() : saved(window_getCurrent()) { window_setCurrent(winId_lfo); }
    ~currentScope() { window_setCurrent(saved); }
};

// The controller button whose controller is being chosen: its LFO, slot and id.
short setCCLfo = 0, setCCParam = 0, setCCButton = 0;

typedef void (*depthSetter)(instRec*, short, double);
typedef double (*depthGetter)(instRec*, short);
const depthSetter kDepthSet[kLfoDepths] = {inst_lfo_setPMDepth,     inst_lfo_setAMDepth,
                                           inst_lfo_setModDepth,    inst_lfo_setFilterDepth,
                                           inst_lfo_setEffectDepth, inst_lfo_setPanDepth};
const depthGetter kDepthGet[kLfoDepths] = {inst_lfo_getPMDepth,     inst_lfo_getAMDepth,
                                           inst_lfo_getModDepth,    inst_lfo_getFilterDepth,
                                           inst_lfo_getEffectDepth, inst_lfo_getPanDepth};
const depthSetter kRangeSet[kLfoRanges] = {inst_lfo_setDepthRange, inst_lfo_setFreqScaleRange,
                                           inst_lfo_setSHRateRange};
const depthGetter kRangeGet[kLfoRanges] = {inst_lfo_getDepthRange, inst_lfo_getFreqScaleRange,
                                           inst_lfo_getSHRateRange};
typedef void (*flagSetter)(instRec*, short, int);
typedef int (*flagGetter)(instRec*, short);
const flagSetter kInvertSet[4] = {inst_lfo_setPMUp, inst_lfo_setAMUp, inst_lfo_setModUp,
                                  inst_lfo_setFilterUp};
const flagGetter kInvertGet[4] = {inst_lfo_getPMUp, inst_lfo_getAMUp, inst_lfo_getModUp,
                                  inst_lfo_getFilterUp};
typedef void (*chanSetter)(instRec*, short, short, int);
typedef int (*chanGetter)(instRec*, short, short);
// The channel rows: first id, channel count, setter, getter.
struct chanRow {
    short first, count;
    chanSetter set;
    chanGetter get;
};
const chanRow kChanRows[4] = {{kLfoPitchChan1, 3, inst_lfo_setPitchChan, inst_lfo_getPitchChan},
                              {kLfoAmpChan1, 3, inst_lfo_setAmpChan, inst_lfo_getAmpChan},
                              {kLfoModChan1, 3, inst_lfo_setModChan, inst_lfo_getModChan},
                              {kLfoFilterChan1, 4, inst_lfo_setFilterChan, inst_lfo_getFilterChan}};

short at(short lfo, short n) { return static_cast<short>(wLfo_lfoToGUIOffset(lfo) + n); }
short local(short id) { return static_cast<short>(id - wLfo_lfoToGUIOffset(wLfo_guiToLfo(id))); }

// Shows or hides a button, remembered by the panels so that showing its
// column again brings it back as it should be.
void buttonShowInPanels(short id, short panel, int show)
{
    window_updateObjectVisibility(id, show);
    button_show(id, show && clickObject_isVisible(window_getCurrent(), panel));
}

void ccButtonText(short id, short cc)
{
    char name[kCCNameSize];
    wMidi_ccName_get(cc, name);
    button_setText(id, name);
}
}  // namespace

short wLfo_lfoToGUIOffset(short lfo) { return static_cast<short>(kLfoIdsPerColumn * lfo); }

short wLfo_guiToLfo(short id)
{
    if (id < kLfoIdsPerColumn) return 0;
    if (id < 2 * kLfoIdsPerColumn) return 1;
    if (id < 3 * kLfoIdsPerColumn) return 2;
    return 0;
}

// ---- life cycle ---------------------------------------------------------------------------------

void wLfo_makeWindow() { editorWindow_make(windowTable_find(winId_lfo)); }

// The row's build, with the window current: its artwork and three columns.
void wLfo_build()
{
    editorWindow_loadArtwork(kLfoOnPict, res_registerLfoArt);
    setCCLfo = setCCParam = setCCButton = 0;
    wLfo_makeParams();
}

LRESULT CALLBACK wLfo_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short object = window_preProcess(winId_lfo, hwnd, msg, wParam, lParam, 0);
    // Every control but the column panels edits the preset.
    if (object > 0 && local(object) > kLfoOffPanel) makePresetDirty();
    LRESULT result;
    if (editorWindow_commonMessage(winId_lfo, hwnd, msg, wParam, &result)) return result;
    switch (msg) {
    default: break;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void wLfo_show(int show) { editorWindow_show(winId_lfo, show); }
void wLfo_updateSchedule()
{
    update_wLfo = 1;
    editorWindow_schedule(winId_lfo);
}
int wLfo_needUpdate() { return editorWindow_needs(winId_lfo); }

// ---- show rules ---------------------------------------------------------------------------------

void wLfo_showLfo(short lfo, int on)
{
    if (lfo < 0 || lfo >= kLfoColumns || !window_getHWND(winId_lfo)) return;
    currentScope scope;
    panel_show(at(lfo, on ? kLfoOffPanel : kLfoOnPanel), 0);
    panel_show(at(lfo, on ? kLfoOnPanel : kLfoOffPanel), 1);
    button_select(at(lfo, kLfoOnToggle), on != 0);
    // The picture shown paints over the on switch: the column is drawn again.
    RECT column{kLfoColumnWidth * lfo, 0, kLfoColumnWidth * (lfo + 1), kLfoHeight};
    InvalidateRect(window_getHWND(winId_lfo), &column, FALSE);
}

void wLfo_activateSH(short lfo, int on)
{
    if (lfo < 0 || lfo >= kLfoColumns || !window_getHWND(winId_lfo)) return;
    currentScope scope;
    numbox_showInPanels(at(lfo, kLfoSHRateBox), on != 0);
    button_select(at(lfo, kLfoSHToggle), on != 0);
}

void wLfo_activateRetrigger(short lfo, int on)
{
    if (lfo < 0 || lfo >= kLfoColumns || !window_getHWND(winId_lfo)) return;
    currentScope scope;
    buttonShowInPanels(at(lfo, kLfoRetrigCCButton), at(lfo, kLfoOnPanel), on != 0);
    button_select(at(lfo, kLfoRetrigToggle), on != 0);
}

void wLfo_setWavePopup(short id, short waveID)
{
    char name[kWaveNameLen + 1];
    std::memset(name, 0, sizeof name);
    wave_getName(gInst, waveID, name);
    name[kWaveNameLen] = 0;
    popup_renameItem(id, 1, name);
    popup_selectItem(id, 1);
}

// ---- update -------------------------------------------------------------------------------------

void wLfo_update()
{
    if (!window_getHWND(winId_lfo)) return;
    currentScope scope;
    editorWindow_clear(winId_lfo);
    update_wLfo = 0;
    if (!gInst) return;
    waveMenu_buildPresetMenu(gInst);
    for (short lfo = 0; lfo < kLfoColumns; ++lfo) {
        // Values first, so that a column shown again shows them at once.
        wLfo_setWavePopup(at(lfo, kLfoWavePopup), inst_lfo_getWaveID(gInst, lfo));
        button_select(at(lfo, kLfoPolyToggle), !inst_lfo_getPolyOn(gInst, lfo));
        for (short k = 0; k < 4; ++k)
            button_select(at(lfo, static_cast<short>(kLfoInvert1 + k)), !kInvertGet[k](gInst, lfo));
        for (const chanRow& row : kChanRows)
            for (short c = 0; c < row.count; ++c)
                button_select(at(lfo, static_cast<short>(row.first + c)), row.get(gInst, lfo, c) != 0);
        for (short k = 0; k < kLfoDepths; ++k)
            numbox_setVal(at(lfo, static_cast<short>(kLfoDepthBox1 + k)),
                          static_cast<float>(kDepthGet[k](gInst, lfo)));
        for (short k = 0; k < kLfoRanges; ++k)
            numbox_setVal(at(lfo, static_cast<short>(kLfoRangeBox1 + k)),
                          static_cast<float>(kRangeGet[k](gInst, lfo)));
        numbox_setVal(at(lfo, kLfoRateBox), static_cast<float>(inst_lfo_getFreq(gInst, lfo)));
        numbox_setVal(at(lfo, kLfoPhaseBox), static_cast<float>(inst_lfo_getStartPhase(gInst, lfo)));
        numbox_setVal(at(lfo, kLfoSHRateBox), static_cast<float>(inst_lfo_getSHRate(gInst, lfo)));
        for (short slot = 0; slot < 4; ++slot)
            ccButtonText(at(lfo, static_cast<short>(slot == 3 ? kLfoRetrigCCButton : kLfoCCButton1 + slot)),
                         inst_lfo_getCCNum(gInst, lfo, slot));
        wLfo_activateSH(lfo, inst_lfo_getSHOn(gInst, lfo));
        wLfo_activateRetrigger(lfo, inst_lfo_getRetriggerOn(gInst, lfo));
        wLfo_showLfo(lfo, inst_lfo_getOn(gInst, lfo));
    }
}

// ---- actions ------------------------------------------------------------------------------------

void wLfo_callback_on(short id)
{
    short lfo = wLfo_guiToLfo(id);
    int on = button_isSelected(id);
    if (!gInst) return;
    inst_lfo_setOn(gInst, lfo, on);
    wLfo_showLfo(lfo, on);
    inst_buildChains(gInst, 0);
}

void wLfo_callback_sh(short id)
{
    short lfo = wLfo_guiToLfo(id);
    int on = button_isSelected(id);
    if (!gInst) return;
    inst_lfo_setSHOn(gInst, lfo, on);
    wLfo_activateSH(lfo, on);
}

void wLfo_callback_poly(short id)
{
    if (!gInst) return;
    // Pressed: one LFO for all voices.
    inst_lfo_setPolyOn(gInst, wLfo_guiToLfo(id), !button_isSelected(id));
    inst_buildChains(gInst, 0);
}

void wLfo_callback_retrigger(short id)
{
    short lfo = wLfo_guiToLfo(id);
    int on = button_isSelected(id);
    if (!gInst) return;
    inst_lfo_setRetriggerOn(gInst, lfo, on);
    wLfo_activateRetrigger(lfo, on);
}

void wLfo_callback_invert(short id)
{
    int k = local(id) - kLfoInvert1;
    if (gInst && k >= 0 && k < 4) kInvertSet[k](gInst, wLfo_guiToLfo(id), !button_isSelected(id));
}

void wLfo_callback_chan(short id)
{
    if (!gInst) return;
    short n = local(id);
    for (const chanRow& row : kChanRows)
        if (n >= row.first && n < row.first + row.count) {
            row.set(gInst, wLfo_guiToLfo(id), static_cast<short>(n - row.first), button_isSelected(id));
            inst_buildChains(gInst, 0);
            return;
        }
}

void wLfo_callback_box(short id)
{
    if (!gInst) return;
    short lfo = wLfo_guiToLfo(id);
    short n = local(id);
    double v = numbox_getVal(id);
    if (n >= kLfoDepthBox1 && n < kLfoDepthBox1 + kLfoDepths)
        kDepthSet[n - kLfoDepthBox1](gInst, lfo, v);
    else if (n >= kLfoRangeBox1 && n < kLfoRangeBox1 + kLfoRanges)
        kRangeSet[n - kLfoRangeBox1](gInst, lfo, v);
    else if (n == kLfoRateBox)
        inst_lfo_setFreq(gInst, lfo, v);
    else if (n == kLfoSHRateBox)
        inst_lfo_setSHRate(gInst, lfo, v);
    else if (n == kLfoPhaseBox)
        inst_lfo_setStartPhase(gInst, lfo, v);
}

void wLfo_callback_ccButton(short id)
{
    short n = local(id);
    setCCLfo = wLfo_guiToLfo(id);
    setCCParam = static_cast<short>(n == kLfoRetrigCCButton ? 3 : n - kLfoCCButton1);
    setCCButton = id;
    wMidiCC_open(wLfo_ccCallback, gInst ? inst_lfo_getCCNum(gInst, setCCLfo, setCCParam) : 1);
}

void wLfo_ccCallback(short cc)
{
    if (cc < -1 || cc > 127 || !setCCButton) return;
    currentScope scope;
    ccButtonText(setCCButton, cc);
    if (gInst) inst_lfo_setCCNum(gInst, setCCLfo, setCCParam, cc);
}

void wLfo_openWavePopup(short id) { waveMenu_checkWave(id, inst_lfo_getWaveID(gInst, wLfo_guiToLfo(id))); }

void wLfo_callback_wavePopup(short id, short menu, short item)
{
    if (!gInst) return;
    // The pop-up's own first item carries the name of the wave in use:
    // choosing it keeps that wave.
    if (menu != kWaveMenuPreset && menu != kWaveMenuFactory) {
        popup_selectItem(id, 1);
        return;
    }
    short waveID;
    int isNew = menu == kWaveMenuPreset && item == 1;
    if (isNew) {
        waveID = inst_newPresetWave(gInst);
        if (waveID < 0) {
            alertbox(0, "No more preset waves available.", 0);
            popup_selectItem(id, 1);
            return;
        }
        waveMenu_buildPresetMenu(gInst);
    } else {
        waveID = waveMenu_menuItemToWaveID(item, menu);
    }
    inst_lfo_setWaveID(gInst, wLfo_guiToLfo(id), waveID);
    wLfo_setWavePopup(id, waveID);
    // The Waveform window opens on the new wave, so it can be drawn at once.
    if (isNew) wWave_openWithNewWave(static_cast<short>(waveID & 0xFF));
}
