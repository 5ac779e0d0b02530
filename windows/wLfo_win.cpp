// Building the LFO window's controls: three columns side by side, each a
// panel (1) holding the LFO's controls on the picture 400 (2), the "off"
// picture 401 (3) and the on switch (9) over both. Places are given in
// column coordinates; a column sits at x = 205 x lfo.
#include "windows/wLfo.h"
#include "windows/windows.h"

namespace {
short s_x = 0;     // left edge of the column being built
short s_base = 0;  // its id offset

short id(short n) { return static_cast<short>(s_base + n); }
short cx(int x) { return static_cast<short>(s_x + x); }

void toggle(short n, int x, int y, short pict, int selected, clickProcPtr callback)
{
    button_new(id(n), cx(x), static_cast<short>(y), kButtonToggle, pict, "", 1, selected, 1, callback);
}

void box(short n, int x, int y, int width, short decimals, double value, double minimum, double maximum,
         const char* name)
{
    numbox_new(id(n), cx(x), static_cast<short>(y), static_cast<short>(width), 1, decimals, value, minimum,
               maximum, nullptr, wLfo_callback_box, name);
}

void ccButton(short n, int x, int y, const char* text)
{
    button_new(id(n), cx(x), static_cast<short>(y), 0, kLfoCCButtonPict, text, 1, 0, 1,
               wLfo_callback_ccButton);
}

// The rows of routing switches with their invert switch and depth box.
void routingRows()
{
    const short rowY[4] = {111, 151, 191, 216};
    const short firstChan[4] = {kLfoPitchChan1, kLfoAmpChan1, kLfoModChan1, kLfoFilterChan1};
    const double depthMax[4] = {72, 100, 100, 99.99};
    for (short r = 0; r < 4; ++r) {
        for (short c = 0; c < 3; ++c)
            toggle(static_cast<short>(firstChan[r] + c), 25 + 17 * c, rowY[r],
                   static_cast<short>(kLfoChanPict + 8 * c), 1, wLfo_callback_chan);
        if (r == 3) toggle(kLfoFilterChan1 + 3, 76, rowY[r], kLfoMasterPict, 1, wLfo_callback_chan);
        toggle(static_cast<short>(kLfoInvert1 + r), 128, rowY[r], kLfoInvertPict, 0, wLfo_callback_invert);
        box(static_cast<short>(kLfoDepthBox1 + r), 154, rowY[r] + 1, 38, r == 0 ? 3 : 2, 0, 0, depthMax[r],
            "");
    }
    box(kLfoDepthBox1 + 4, 25, 272, 42, 2, 0, 0, 100, "");
    box(kLfoDepthBox1 + 5, 110, 272, 42, 2, 0, 0, 100, "");
}
}  // namespace

void wLfo_makePanel(short lfo)
{
    s_x = static_cast<short>(kLfoColumnWidth * lfo);
    s_base = wLfo_lfoToGUIOffset(lfo);
    panel_setAutoAdd(0);
    panel_new(id(kLfoColumnPanel), s_x, 0, static_cast<short>(s_x + kLfoColumnWidth), kLfoHeight,
              kPanelExplicitRect, 0, nullptr);
    panel_new(id(kLfoOnPanel), s_x, 0, 0, 0, 0, kLfoOnPict, nullptr);
    toggle(kLfoPolyToggle, 37, 9, kLfoPolyPict, 1, wLfo_callback_poly);
    popup_new(id(kLfoWavePopup), cx(108), 20, 78, 12, 0, 0, "wave", 1, wLfo_callback_wavePopup);
    waveMenu_buildPopup(id(kLfoWavePopup));
    popup_setOpenCallback(id(kLfoWavePopup), wLfo_openWavePopup);
    box(kLfoPhaseBox, 42, 37, 36, 3, 0, 0, 1, "phase");
    box(kLfoRateBox, 119, 37, 48, 4, 1, 0.001, 999.999, "sec");
    toggle(kLfoSHToggle, 19, 57, kLfoSHPict, 0, wLfo_callback_sh);
    box(kLfoSHRateBox, 119, 60, 48, 4, 0.1, 0.001, 999.999, "S/H sec");
    routingRows();
    ccButton(kLfoCCButton1, 15, 337, "(1) mod wheel");
    ccButton(kLfoCCButton1 + 1, 15, 374, "(4) foot ctl");
    ccButton(kLfoCCButton1 + 2, 15, 412, "(4) foot ctl");
    toggle(kLfoRetrigToggle, 115, 437, kLfoRetrigPict, 0, wLfo_callback_retrigger);
    ccButton(kLfoRetrigCCButton, 16, 438, "(72) undefined");
    const short rangeY[kLfoRanges] = {337, 374, 412};
    for (short k = 0; k < kLfoRanges; ++k)
        box(static_cast<short>(kLfoRangeBox1 + k), 126, rangeY[k] + 1, 36, 2, 0, 0, 100, "");
    // The "off" picture, and the on switch over both pictures.
    panel_setAutoAdd(id(kLfoColumnPanel));
    panel_new(id(kLfoOffPanel), s_x, 0, 0, 0, kPanelHidden, kLfoOffPict, nullptr);
    panel_setAutoAdd(id(kLfoColumnPanel));
    toggle(kLfoOnToggle, 6, 9, kLfoOnTogglePict, 1, wLfo_callback_on);
}

void wLfo_makeParams()
{
    panel_enableAutoAdd(1);
    popup_setCurrentFontSize(9);
    for (short lfo = 0; lfo < kLfoColumns; ++lfo) wLfo_makePanel(lfo);
    panel_setAutoAdd(0);
    panel_enableAutoAdd(0);
    // LFO 0 on, the others off, until the first update.
    for (short lfo = 0; lfo < kLfoColumns; ++lfo) wLfo_showLfo(lfo, lfo == 0);
    wLfo_activateSH(0, 0);
    wLfo_activateRetrigger(0, 0);
    window_sizeToPanel(winId_lfo, id(kLfoColumnPanel));
}
