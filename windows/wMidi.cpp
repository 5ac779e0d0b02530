// The MIDI window: an MDI child of class "wMidi_Wnd", toolkit window 6,
// created once at start-up from its row of the window table and hidden or
// shown thereafter. This file holds its life cycle, the three pages, the
// update protocol and what the controls of the first two pages and the
// note map page's boxes do.
#include <cmath>

#include "windows/editorWindow.h"

#include "resources/resources.h"

short wMidi_mode = 1;
short wMidi_mapGroup = 1;
short wMidi_mapIndex = 0;
short wMidi_currentNote = 60;
short wMidi_ccButton = 0;
int wMidi_kbdSwitch = 1;

namespace {
// Makes the MIDI window current for the life of the scope.
struct currentScope {
    short saved;
    currentScope() : saved(window_getCurrent()) { window_setCurrent(winId_midi); }
    ~currentScope() { window_setCurrent(saved); }
};

// Controller slots of the buttons 31..35: modulation, filter, effect, pan, volume.
const short kButtonSlots[kMidiCCButtons] = {ccWhich_mod, ccWhich_filter, ccWhich_effect, ccWhich_pan,
                                            ccWhich_vol};

typedef void (*depthSetter)(instRec*, float);
typedef float (*depthGetter)(instRec*);
const depthSetter kDepthSet[kMidiDepthBoxes] = {cc_setBendRange, cc_setModDepth, cc_setFilterDepth,
                                                cc_setEffectDepth, cc_setPanDepth};
const depthGetter kDepthGet[kMidiDepthBoxes] = {cc_getBendRange, cc_getModDepth, cc_getFilterDepth,
                                                cc_getEffectDepth, cc_getPanDepth};
const depthSetter kLagSet[kMidiLagBoxes] = {cc_setBendLag,   cc_setModLag, cc_setFilterLag,
                                            cc_setEffectLag, cc_setPanLag, cc_setVolLag};
const depthGetter kLagGet[kMidiLagBoxes] = {cc_getBendLag,   cc_getModLag, cc_getFilterLag,
                                            cc_getEffectLag, cc_getPanLag, cc_getVolLag};
}  // namespace

// ---- life cycle ---------------------------------------------------------------------------------

void wMidi_makeWindow() { editorWindow_make(windowTable_find(winId_midi)); }

// The row's build, with the window current: its artwork, controls and first page.
void wMidi_build()
{
    editorWindow_loadArtwork(kMidiPanelPict, res_registerMidiArt);
    // The window starts on the first note map (the pop-up's first item) at note 60.
    wMidi_mapGroup = 1;
    wMidi_mapIndex = 0;
    wMidi_currentNote = 60;
    wMidi_kbdSwitch = 1;
    wMidi_ccButton = 0;
    wMidi_makeParams();
    wMidi_setMode(1);
}

LRESULT CALLBACK wMidi_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short object = window_preProcess(winId_midi, hwnd, msg, wParam, lParam, 0);
    if (object > 10) makePresetDirty();
    LRESULT result;
    if (editorWindow_commonMessage(winId_midi, hwnd, msg, wParam, &result)) return result;
    switch (msg) {
    case WM_SIZE:
        // The window's size is its page's: a placement that sizes it
        // otherwise (the remembered one, for instance) is put right.
        if (wParam == SIZE_RESTORED) wMidi_fitToPage(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_MOUSEMOVE:
        window_manualPreProcess(winId_midi);
        wMidi_trackMouse();
        window_manualPostProcess(winId_midi);
        break;
    default: break;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void wMidi_show(int show) { editorWindow_show(winId_midi, show); }
void wMidi_updateSchedule() { editorWindow_schedule(winId_midi); }
int wMidi_needUpdate() { return editorWindow_needs(winId_midi); }
// The MIDI window's farewell at quit: nothing to let go of.
void midiWin_sayGoodbye() {}

// ---- pages --------------------------------------------------------------------------------------

void wMidi_fitToPage(int clientWidth, int clientHeight)
{
    static int fitting = 0;
    if (fitting || !window_getHWND(winId_midi)) return;
    currentScope scope;
    RECT panel;
    clickObject_getRect(static_cast<short>(kMidiPage1Panel + wMidi_mode - 1), &panel);
    if (panel.right <= 0 || (clientWidth == panel.right && clientHeight == panel.bottom)) return;
    fitting = 1;
    window_sizeToPanel(winId_midi, static_cast<short>(kMidiPage1Panel + wMidi_mode - 1));
    fitting = 0;
}

void wMidi_setMode(short mode)
{
    if (mode < 1 || mode > 3) return;
    currentScope scope;
    wMidi_mode = mode;
    for (short page = 1; page <= 3; ++page) {
        if (page == mode) continue;
        button_select(static_cast<short>(kMidiPageButton1 + page - 1), 0);
        panel_show(static_cast<short>(kMidiPage1Panel + page - 1), 0);
    }
    panel_show(static_cast<short>(kMidiPage1Panel + mode - 1), 1);
    button_select(static_cast<short>(kMidiPageButton1 + mode - 1), 1);
    window_sizeToPanel(winId_midi, static_cast<short>(kMidiPage1Panel + mode - 1));
    // Showing a page paints its picture over the page buttons.
    RECT strip{0, 0, 500, 50};
    if (HWND hwnd = window_getHWND(winId_midi)) InvalidateRect(hwnd, &strip, FALSE);
}

void wMidi_callback_page(short id) { wMidi_setMode(static_cast<short>(id - kMidiPageButton1 + 1)); }

// ---- update -------------------------------------------------------------------------------------

void wMidi_update()
{
    if (!window_getHWND(winId_midi)) return;
    currentScope scope;
    editorWindow_clear(winId_midi);
    if (!gInst) return;
    for (short k = 0; k < kMidiDepthBoxes; ++k)
        numbox_setVal(static_cast<short>(kMidiDepthBox1 + k), kDepthGet[k](gInst));
    // Lags read back half a step above the whole number set: the box holds
    // the number as it shows it.
    for (short k = 0; k < kMidiLagBoxes; ++k)
        numbox_setVal(static_cast<short>(kMidiLagBox1 + k), std::trunc(kLagGet[k](gInst)));
    for (short c = 0; c < 3; ++c)
        button_select(static_cast<short>(kMidiModChan1 + c), cc_getModChanOn(gInst, c) != 0);
    for (short f = 0; f < 4; ++f)
        button_select(static_cast<short>(kMidiFilterChan1 + f), cc_getFilterChanOn(gInst, f) != 0);
    wMidi_cc_updateCCButtons();
    for (int k = 0; k < kMidiVelPairs; ++k) {
        int group, index;
        wMidi_velPair(k, &group, &index);
        numbox_setVal(static_cast<short>(kMidiVelBox1 + k), vel_getVelSens(gInst, group, index));
        // A lit button is a reversed curve, as the button's action stores it.
        button_select(static_cast<short>(kMidiVelInvert1 + k), vel_getInvert(gInst, group, index) != 1);
    }
    wMidi_notemap_draw(kMidiMapEditor, -1);
    wMidi_notemap_refreshValueBox();
}

void wMidi_cc_updateCCButtons()
{
    currentScope scope;
    for (short k = 0; k < kMidiCCButtons; ++k) {
        char name[kCCNameSize];
        wMidi_ccName_get(gInst ? cc_getCCNum(gInst, kButtonSlots[k]) : 0, name);
        button_setText(static_cast<short>(kMidiCCButton1 + k), name);
    }
}

// ---- page 1: controllers --------------------------------------------------------------------------

void wMidi_callback_depth(short id)
{
    int k = id - kMidiDepthBox1;
    if (gInst && k >= 0 && k < kMidiDepthBoxes) kDepthSet[k](gInst, numbox_getVal(id));
}

void wMidi_callback_lag(short id)
{
    int k = id - kMidiLagBox1;
    if (gInst && k >= 0 && k < kMidiLagBoxes) kLagSet[k](gInst, std::trunc(numbox_getVal(id)));
}

void wMidi_callback_chan(short id)
{
    if (!gInst) return;
    int on = button_isSelected(id);
    if (id >= kMidiModChan1 && id < kMidiModChan1 + 3)
        cc_setModChanOn(gInst, static_cast<short>(id - kMidiModChan1), on);
    else if (id >= kMidiFilterChan1 && id < kMidiFilterChan1 + 4)
        cc_setFilterChanOn(gInst, static_cast<short>(id - kMidiFilterChan1), on);
}

short wMidi_slotOfButton(short id)
{
    int k = id - kMidiCCButton1;
    return k >= 0 && k < kMidiCCButtons ? kButtonSlots[k] : 0;
}

void wMidi_callback_ccButton(short id)
{
    wMidi_ccButton = id;
    wMidiCC_open(wMidi_ccCallback, 1);
}

void wMidi_ccCallback(short cc)
{
    if (cc < -1 || cc > 127) return;
    short slot = wMidi_slotOfButton(wMidi_ccButton);
    if (!slot) return;
    currentScope scope;
    char name[kCCNameSize];
    wMidi_ccName_get(cc, name);
    button_setText(wMidi_ccButton, name);
    if (gInst) cc_setCCNum(gInst, slot, cc);
}

// ---- page 2: velocity -----------------------------------------------------------------------------

void wMidi_velPair(int k, int* group, int* index)
{
    // 3 oscillator amplitudes, 3 fm index/balance, 4 filter frequencies.
    int g = k < 3 ? 1 : (k < 6 ? 2 : 3);
    int i = k < 3 ? k : (k < 6 ? k - 3 : k - 6);
    if (group) *group = g;
    if (index) *index = i;
}

void wMidi_callback_velBox(short id)
{
    int group, index;
    wMidi_velPair(id - kMidiVelBox1, &group, &index);
    if (gInst) vel_setVelSens(gInst, group, index, numbox_getVal(id));
}

void wMidi_callback_velInvert(short id)
{
    int group, index;
    wMidi_velPair(id - kMidiVelInvert1, &group, &index);
    if (gInst) vel_setInvert(gInst, group, index, !button_isSelected(id));
}

// ---- page 3: note map boxes ------------------------------------------------------------------------

void wMidi_callback_mapPopup(short id, short, short item)
{
    if (item < 1 || item > kDestinations) return;
    wMidi_mapOfItem(item, &wMidi_mapGroup, &wMidi_mapIndex);
    popup_selectItem(id, item);
    wMidi_notemap_draw(kMidiMapEditor, -1);
    wMidi_notemap_refreshValueBox();
}

void wMidi_callback_kbdSwitch(short id) { wMidi_kbdSwitch = button_isSelected(id); }

void wMidi_callback_noteBox(short id)
{
    float v = numbox_getVal(id);
    if (v < 0.0f || v > 127.0f) return;
    wMidi_currentNote = static_cast<short>(std::lround(v));
    wMidi_notemap_refreshValueBox();
}

void wMidi_callback_valueBox(short id)
{
    float v = numbox_getVal(id) * 0.01f;
    if (!wMidi_notemap_store(wMidi_currentNote, v)) return;
    wMidi_notemap_draw(kMidiMapEditor, wMidi_currentNote);
    wMidi_notemap_drawText(kMidiMapEditor, wMidi_currentNote);
}
