// Building the Effect window's controls: the main panel over the whole
// client area (its top band holds the on switch, the type and the levels)
// and the three pages below the band, each with its time entry sub-panels
// (seconds, or tempo and beat). Places are window coordinates; the captions
// and frames they sit in are painted by resources/effect_art.cpp.
#include "windows/windows.h"

#include "resources/resources.h"

namespace {
RGBColor themeColor(const resColorRec& c)
{
    RGBColor rgb;
    res_colorBytes(c, &rgb.red, &rgb.green, &rgb.blue);
    return rgb;
}

void toggle(short id, int x, int y, short pict, int selected, clickProcPtr callback)
{
    button_new(id, static_cast<short>(x), static_cast<short>(y), kButtonToggle, pict, "", 1, selected, 1,
               callback);
}

void box(short id, int x, int y, int width, short buttons, short decimals, double value, double minimum,
         double maximum, incrementProcPtr increment, clickProcPtr callback, const char* name)
{
    numbox_new(id, static_cast<short>(x), static_cast<short>(y), static_cast<short>(width), buttons, decimals,
               value, minimum, maximum, increment, callback, name);
}

// The time entry of a page: the mode pop-up, then the seconds panel with its
// box and the tempo panel with the tempo and beat boxes, nested in the page.
// The boxes stand at boxX, boxY; the beat box after the tempo box on the
// same row (beatX) or under it (beatX 0).
struct timeEntryRec {
    short page, popup, secPanel, tempoPanel, timeBox, tempoBox, beatBox;
    short kind;
    int popupX, popupY, boxX, boxY, beatX;
};

void timeEntry(const timeEntryRec& e)
{
    const double maxSec = wEffect_maxSec(e.kind);
    const int beatY = e.beatX ? e.boxY : e.boxY + 18;
    const int beatX = e.beatX ? e.beatX : e.boxX;
    panel_setAutoAdd(e.page);
    popup_new(e.popup, static_cast<short>(e.popupX), static_cast<short>(e.popupY), 62, 12, 0, 0, "time", 1,
              wEffect_callback_timeMode);
    popup_addItem(e.popup, 1, 1, "sec", 0);
    popup_addItem(e.popup, 2, 1, "bpm", 0);
    popup_selectItem(e.popup, 1);
    const short left = static_cast<short>(e.boxX - 40), top = static_cast<short>(e.boxY - 2);
    const short right = static_cast<short>(beatX + 70), bottom = static_cast<short>(beatY + 14);
    panel_setAutoAdd(e.page);
    panel_new(e.secPanel, left, top, right, bottom, kPanelExplicitRect, 0, nullptr);
    box(e.timeBox, e.boxX, e.boxY, 64, 3, 5, 0.1, 0.00001, maxSec,
        maxSec > 1 ? numbox_incPointOne : numbox_incPointZeroOne, wEffect_callback_delay, "sec");
    panel_setAutoAdd(e.page);
    panel_new(e.tempoPanel, left, top, right, bottom, kPanelExplicitRect | kPanelHidden, 0, nullptr);
    box(e.tempoBox, e.boxX, e.boxY, 46, 2, 1, 120, 30, 1000, numbox_defaultIncrement, wEffect_callback_delay,
        "bpm");
    box(e.beatBox, beatX, beatY, 46, 2, 3, 0.5, 0.001, 4, numbox_incBeat2, wEffect_callback_delay, "beat");
    panel_setAutoAdd(e.page);
}

// ---- main panel ---------------------------------------------------------------------------------
void makeMain()
{
    const resThemeRec& t = res_theme();
    panel_setAutoAdd(0);
    panel_new(kEffectMainPanel, 0, 0, 0, 0, 0, kEffectMainPict, nullptr);
    toggle(kEffectActive, 11, 9, kEffectActivePict, 1, wEffect_callback_activeButton);
    popup_new(kEffectType, 134, 20, 87, 12, 0, 0, "type", 1, wEffect_callback_type);
    popup_addItem(kEffectType, effectMode_pipe, 1, "pipe", 0);
    popup_addItem(kEffectType, effectMode_multicomb, 1, "multicomb", 0);
    popup_addItem(kEffectType, effectMode_multitap, 1, "multitap", 0);
    popup_selectItem(kEffectType, effectMode_multicomb);
    const long flags = kDraggyHorizontal | kDraggyWholeTrack | kDraggyHideCursor | kDraggyLevelFill;
    draggy_new(kEffectDry, 278, 14, flags, kEffectLevelPict, 1, wEffect_callback_sliders, 1, 0);
    draggy_new(kEffectWet, 278, 29, flags, kEffectLevelPict, 1, wEffect_callback_sliders, 1, 0);
    display_setDefaultColors(themeColor(t.text), themeColor(t.field));
    display_new(kEffectWetText, 412, 27, 42, "0.0 dB", 0, 0, kDisplayRight, nullptr, nullptr);
    display_new(kEffectDryText, 412, 12, 42, "0.0 dB", 0, 0, kDisplayRight, nullptr, nullptr);
    display_setDefaultColors(themeColor(t.label), themeColor(t.field));
}

// ---- pipe page ----------------------------------------------------------------------------------
void makePipe()
{
    panel_setAutoAdd(0);
    panel_new(kEffectPipePage, 0, kEffectPageTop, 0, 0, kPanelHidden, kEffectPipePict, nullptr);
    box(kPipeFeedback, 100, 134, 64, 2, 3, 0.5, -0.999, 0.999, numbox_incPointZeroOne, wEffect_callback_pipe,
        "feedback");
    box(kPipeLowpass, 100, 152, 64, 3, 0, 22000, 30, 22000, numbox_incHertz, wEffect_callback_pipe,
        "lowpass Hz");
    // The grid of positions, controller amounts and inversions.
    const int posX = 314, ctlX = 386, invX = 452;
    box(kPipeInPos, posX, 94, 46, 2, 4, 0.48, 0, 1, numbox_incPointZeroOne, wEffect_callback_pipe, "");
    for (short n = 0; n < 2; ++n) {
        const int y = 112 + 18 * n;
        box(static_cast<short>(kPipeOutPos1 + n), posX, y, 46, 2, 4, n ? 0.3 : 0.2, 0, 1,
            numbox_incPointZeroOne, wEffect_callback_pipe, "");
        box(static_cast<short>(kPipeCtlOut1 + n), ctlX, y, 46, 2, 3, 1, 0, 1, numbox_incPointZeroOne,
            wEffect_callback_pipe, "");
        toggle(static_cast<short>(kPipeInvertOut1 + n), invX, y - 1, kEffectInvertPict, 0,
               wEffect_callback_pipe);
    }
    box(kPipeCtlLength, ctlX, 152, 46, 2, 3, 1, 0, 1, numbox_incPointZeroOne, wEffect_callback_pipe, "");
    toggle(kPipeInvertLength, invX, 151, kEffectInvertPict, 0, wEffect_callback_pipe);
    custom_new(kPipePicture, 44, 230, 438, 38, wEffect_pipeEvent);
    // A picture, not a control: no zone, no clicks.
    custom_enable(kPipePicture, 0);
    zone_delete(kPipePicture);
    timeEntry({kEffectPipePage, kPipeTimeMode, kPipeSecPanel, kPipeTempoPanel, kPipeTime, kPipeTempo,
               kPipeBeat, kDelayPipe, 100, 76, 100, 94, 0});
}

// ---- multicomb page -----------------------------------------------------------------------------
void makeComb()
{
    panel_setAutoAdd(0);
    panel_new(kEffectCombPage, 0, kEffectPageTop, 0, 0, 0, kEffectCombPict, nullptr);
    box(kCombFeedback, 400, 72, 46, 2, 3, 1, 0.0001, 0.999, numbox_incPointZeroOne, wEffect_callback_comb,
        "feedback");
    box(kCombLowpass, 400, 90, 46, 3, 0, 22000, 30, 22000, numbox_incHertz, wEffect_callback_comb,
        "lowpass Hz");
    for (short k = 0; k < kCombChans; ++k) {
        const short o = static_cast<short>(kCombIdsPerChan * k);
        const int y = 127 + 26 * k;
        panel_setAutoAdd(kEffectCombPage);
        toggle(static_cast<short>(kCombChanOn + o), 10, y, kEffectCombOnPict, 1, wEffect_callback_combOn);
        panel_setAutoAdd(kEffectCombPage);
        panel_new(static_cast<short>(kCombChanPanel + o), 56, static_cast<short>(y - 2), 0, 0, 0,
                  kEffectCombChanPict, nullptr);
        const int by = y + 3;
        box(static_cast<short>(kCombChanTime + o), 64, by, 44, 2, 4, 1, 0.0001, 1, numbox_incPointZeroOne,
            wEffect_callback_comb, "");
        box(static_cast<short>(kCombChanCtlSens + o), 130, by, 44, 2, 3, 1, 0.0001, 1, numbox_incPointZeroOne,
            wEffect_callback_comb, "");
        toggle(static_cast<short>(kCombChanInvert + o), 196, y + 2, kEffectInvertPict, 0,
               wEffect_callback_comb);
        box(static_cast<short>(kCombChanFeedback + o), 226, by, 44, 2, 3, 1, -1, 1, numbox_incPointZeroOne,
            wEffect_callback_comb, "");
        box(static_cast<short>(kCombChanLowpass + o), 292, by, 44, 2, 3, 1, 0.0001, 1, numbox_incPointZeroOne,
            wEffect_callback_comb, "");
        box(static_cast<short>(kCombChanGain + o), 358, by, 44, 2, 1, -6, -96, 0, numbox_incPointOne,
            wEffect_callback_comb, "");
        box(static_cast<short>(kCombChanPan + o), 424, by, 44, 2, 3, 1, 0.0001, 1, numbox_incPointZeroOne,
            wEffect_callback_comb, "");
    }
    timeEntry({kEffectCombPage, kCombTimeMode, kCombSecPanel, kCombTempoPanel, kCombTime, kCombTempo,
               kCombBeat, kDelayComb, 44, 72, 140, 72, 240});
}

// ---- multitap page ------------------------------------------------------------------------------
void makeTap()
{
    panel_setAutoAdd(0);
    panel_new(kEffectTapPage, 0, kEffectPageTop, 0, 0, kPanelHidden, kEffectTapPict, nullptr);
    box(kTapFeedback, 400, 72, 46, 2, 3, 0.5, -0.999, 0.999, numbox_incPointZeroOne, wEffect_callback_tap,
        "feedback");
    box(kTapLowpass, 400, 90, 46, 3, 0, 22000, 30, 22000, numbox_incHertz, wEffect_callback_tap,
        "lowpass Hz");
    for (short k = 0; k < kTaps; ++k) {
        const int y = 150 + 27 * k;
        box(static_cast<short>(kTapTapTime + k), 64, y, 44, 2, 3, 1, 0, 1, numbox_incPointZeroOne,
            wEffect_callback_tap, "");
        box(static_cast<short>(kTapCtlSens + k), 130, y, 44, 2, 3, 1, 0, 1, numbox_incPointZeroOne,
            wEffect_callback_tap, "");
        toggle(static_cast<short>(kTapInvert + k), 196, y - 1, kEffectInvertPict, 0, wEffect_callback_tap);
        box(static_cast<short>(kTapGain + k), 226, y, 44, 2, 1, 0, -96, 0, numbox_incPointOne,
            wEffect_callback_tap, "");
        box(static_cast<short>(kTapPan + k), 292, y, 44, 2, 3, 0.5, 0, 1, numbox_incPointZeroOne,
            wEffect_callback_tap, "");
    }
    timeEntry({kEffectTapPage, kTapTimeMode, kTapSecPanel, kTapTempoPanel, kTapTime, kTapTempo, kTapBeat,
               kDelayTap, 44, 72, 140, 72, 240});
}
}  // namespace

void wEffect_makeParams()
{
    const resThemeRec& t = res_theme();
    panel_enableAutoAdd(1);
    popup_setDefaultColors(themeColor(t.label), themeColor(t.field), themeColor(t.text),
                           themeColor(t.edgeLight));
    popup_setCurrentFontSize(9);
    display_setDefaultColors(themeColor(t.label), themeColor(t.field));
    makeMain();
    makePipe();
    makeComb();
    makeTap();
    panel_setAutoAdd(0);
    panel_enableAutoAdd(0);
    // Built with the multicomb page shown, until the first update.
    wEffect_setMode(effectMode_multicomb);
}
