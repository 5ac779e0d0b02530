// The Main window's bottom panel: the slider backgrounds for one, two or
// three rows of controller sliders with their editable names, and the
// performance row with hold, sustain, the bend wheel and the keyboard.
//
// Index:
//   layout ............... rows, sliders, performance row
//   building ............. wMain_makeBottomControls
//   updates .............. wMain_updateBottomPanel .. wMain_updateKeyboard
//   bend wheel ........... wMain_bender_*
//   callbacks ............ sliders, names, hold, sustain, keyboard, the panel switch
#include <cmath>
#include <cstdio>

#include "resources/resources.h"
#include "windows/windows.h"
#include "windows/wMain.h"
#include "windows/wMain_internal.h"

short currentSliderPanel = mainId_sliderPanel1 + 1;
int bottomPanelVisible = 1;
storedCCRec* sliderCCRecList[kMainSliders] = {};

namespace {
// ---- layout ---------------------------------------------------------------------------------
enum {
    kWidth = 640,
    kRowHeight = 20,
    kSliderNameWidth = 58,
    kSliderNameGap = 62,
    kPerformanceHeight = 58,
    kHoldX = 10,
    kHoldY = 8,
    kSustainY = 30,
    kBendX = 78,
    kBendY = 5,
    kKeyboardX = 112,
    kKeyboardY = 5,
    kLowestNote = 24,
    kOctaves = 6
};
const short kRowY[3] = {15, 37, 58};
const short kSliderX[3] = {69, 275, 484};
const float kSliderLag = 0.38f;
const float kSliderMouseScale = 1.0f;

short sliderIndexOf(short id, short first)
{
    short k = static_cast<short>(id - first);
    return (k >= 0 && k < kMainSliders) ? k : -1;
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

// Puts the stored values, or with live the instrument's last values, of the
// controllers on their sliders.
void setSliderValues(int live)
{
    for (short k = 0; k < kMainSliders; ++k) {
        storedCCRec* rec = sliderCCRecList[k];
        if (!rec) continue;
        double value = live ? midi_getCCVal(gInst, static_cast<short>(rec->cc)) : rec->value;
        draggy_setVal(static_cast<short>(mainId_slider1 + k), static_cast<float>(value / 127.0), 0);
    }
}
}  // namespace

void wMain_showItem(short id, int show)
{
    clickObjectRec* obj = clickObject_get(winId_main, id);
    if (obj->panel == 0 || clickObject_isVisible(winId_main, obj->panel)) clickObject_show(id, show);
    window_updateObjectVisibility(id, show);
}

// ---- building ---------------------------------------------------------------------------------
void wMain_makeBottomControls()
{
    const short top = bottomPanelOffset;
    RECT largest;
    getPictRect(132, &largest);
    panel_new(mainId_bottomPanel, 0, top, kWidth, static_cast<short>(top + largest.bottom - largest.top),
              kPanelExplicitRect, 0, nullptr);
    for (short k = 0; k < 3; ++k) {
        short id = static_cast<short>(mainId_sliderPanel1 + k);
        panel_new(id, 0, top, 0, 0, id == currentSliderPanel ? 0 : kPanelHidden, static_cast<short>(130 + k),
                  nullptr);
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
        short slider = static_cast<short>(mainId_slider1 + k),
              name = static_cast<short>(mainId_sliderName1 + k);
        draggy_new(slider, x, static_cast<short>(y + 2), kDraggyHorizontal, kResMainSlider, 1,
                   wMain_callback_slider, 0, 0);
        char label[16];
        std::snprintf(label, sizeof label, "cc %d", k + 1);
        display_new(name, static_cast<short>(x - kSliderNameGap), static_cast<short>(y + 3), kSliderNameWidth,
                    label, 0, kDisplayEditable, kDisplayRight, wMain_callback_sliderName, nullptr);
        panel_addObject(row, slider);
        panel_addObject(row, name);
    }
    draggy_setLag(lag);
    draggy_setMouseScale(scale);

    RECT rows;
    getPictRect(static_cast<short>(130 + currentSliderPanel - mainId_sliderPanel1), &rows);
    short py = static_cast<short>(top + rows.bottom - rows.top - kPerformanceHeight);
    panel_new(mainId_performance, 0, py, kWidth, static_cast<short>(py + kPerformanceHeight),
              kPanelExplicitRect, 0, nullptr);
    panel_addObject(mainId_bottomPanel, mainId_performance);
    button_new(mainId_hold, kHoldX, static_cast<short>(py + kHoldY), kButtonToggle, kResMainHold, "", 1, 0, 1,
               wMain_callback_hold);
    button_new(mainId_sustain, kHoldX, static_cast<short>(py + kSustainY), kButtonToggle, kResMainSustain, "",
               1, 0, 1, wMain_callback_sustain);
    RECT wheel;
    getPictRect(2248, &wheel);
    custom_new(mainId_bend, kBendX, static_cast<short>(py + kBendY),
               static_cast<short>(wheel.right - wheel.left), static_cast<short>(wheel.bottom - wheel.top),
               wMain_bender_processEvents);
    kbd_new(mainId_keyboard, kKeyboardX, static_cast<short>(py + kKeyboardY), kLowestNote, kOctaves, 0,
            kResMainKeyboard, wMain_callback_kbd);
    for (short id : {mainId_hold, mainId_sustain, mainId_bend, mainId_keyboard})
        panel_addObject(mainId_performance, id);
}

// ---- bottom panel ---------------------------------------------------------------------------------------

void wMain_updateBottomPanel()
{
    mainScope scope;
    if (!scope.ok() || !gInst) return;
    storedCCRec* recs[kMainSliders] = {};
    int n = wMain_collectSliderRecs(gInst, recs);
    for (short k = 0; k < kMainSliders; ++k) {
        sliderCCRecList[k] = k < n ? recs[k] : nullptr;
        char label[40] = "";
        if (sliderCCRecList[k]) wMain_sliderLabel(sliderCCRecList[k], label, sizeof label);
        display_setText(static_cast<short>(mainId_sliderName1 + k), label);
        wMain_showItem(static_cast<short>(mainId_slider1 + k), k < n);
        wMain_showItem(static_cast<short>(mainId_sliderName1 + k), k < n);
    }
    setSliderValues(0);
    wMain_selectSliderPanel(wMain_sliderPanelFor(n));
    wMain_updateSliders();
}

void wMain_selectSliderPanel(short panel)
{
    mainScope scope;
    if (!scope.ok() || panel < mainId_sliderPanel1 || panel > mainId_sliderPanel1 + 2) return;
    currentSliderPanel = panel;
    int rows = panel - mainId_sliderPanel1 + 1;
    for (short k = 0; k < 3; ++k) {
        wMain_showItem(static_cast<short>(mainId_sliderPanel1 + k), mainId_sliderPanel1 + k == panel);
        wMain_showItem(static_cast<short>(mainId_sliderRow1 + k), k < rows);
    }
    chainSliderNames(rows);
    // The performance row sits at the bottom of the slider background.
    RECT bottom;
    clickObject_getRect(panel, &bottom);
    panel_move(mainId_performance, 0, static_cast<short>(bottom.bottom - kPerformanceHeight));
    if (bottomPanelVisible) window_sizeToPanel(winId_main, panel);
}

void wMain_showBottomPanel(int show)
{
    mainScope scope;
    if (!scope.ok()) return;
    bottomPanelVisible = show ? 1 : 0;
    panel_show(mainId_bottomPanel, bottomPanelVisible);
    window_sizeToPanel(winId_main,
                       bottomPanelVisible ? currentSliderPanel : static_cast<short>(mainId_background));
    button_select(mainId_showBottom, bottomPanelVisible);
}

void wMain_updateSliders()
{
    mainScope scope;
    if (!scope.ok() || !gInst) return;
    setSliderValues(1);
    button_select(mainId_sustain, midi_getCCVal(gInst, 64) >= 1);
    custom_draw(mainId_bend);
}

void wMain_updateKeyboard()
{
    mainScope scope;
    if (!scope.ok() || !gInst) return;
    button_select(mainId_sustain, midi_getCCVal(gInst, 64) >= 1);
    if (!midi_bag_changed(gInst)) return;
    midi_bag_startCheck(gInst);
    kbdRec* kbd = kbd_get(mainId_keyboard);
    // The walk reports notes above its start; note 0 lies below the keyboard anyway.
    short note = 0, velocity = 0;
    for (int n = 0; n < 74 && midi_bag_nextNoteChanged(gInst, &note, &velocity); ++n) {
        short key = kbd_findKey(kbd, note);
        if (key >= 0) kbd_selectKey(mainId_keyboard, key, velocity > 0, 0);
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
    // The wheel shows the bend as a share of the bend range, -1 .. 1.
    double share = 0;
    float range = gInst ? cc_getBendRange(gInst) : 0;
    if (gInst && range > 0) share = inst_getMidi(gInst)->bendSemitones / range;
    share = share < -1 ? -1 : (share > 1 ? 1 : share);
    int h = r.bottom - r.top, rh = ridge.bottom - ridge.top;
    int travel = h / 2 - rh / 2 - 3;
    int y = r.top + h / 2 - rh / 2 - static_cast<int>(std::lround(share * travel));
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

void wMain_callback_triButton(short id) { wMain_showBottomPanel(button_isSelected(id)); }

void wMain_callback_slider(short id)
{
    short k = sliderIndexOf(id, mainId_slider1);
    if (k >= 0 && sliderCCRecList[k])
        wMain_playSlider(static_cast<short>(sliderCCRecList[k]->cc), draggy_getValH(id));
}

void wMain_callback_sliderName(short id)
{
    short k = sliderIndexOf(id, mainId_sliderName1);
    if (k < 0 || !sliderCCRecList[k]) return;
    char text[kStoredCCNameLen + 1];
    display_getText(id, text, kStoredCCNameLen + 1);
    wMain_renameSlider(static_cast<short>(sliderCCRecList[k]->cc), text);
}

void wMain_callback_sustain(short id) { wMain_playSustain(button_isSelected(id)); }

void wMain_callback_hold(short id) { kbd_setHold(mainId_keyboard, button_isSelected(id)); }

void wMain_callback_kbd(short, short note, int on) { wMain_playKey(note, on); }
