// Building the Patch window's controls: the window-wide settings, the
// global controls (background, section switches, lit wires, waveshaper,
// master filter, effect) and the three channel panels. Controls join the
// panel created just before them (auto-add); the nesting of the sections is
// set by choosing the auto-add panel before each section panel.
#include "windows/windows.h"

namespace {
// Places within a channel panel, which is built at 0, 0 and then moved.
const short kStripX[kPatchChannels] = {11, 190, 368};
const short kStripY = 11;
const short kStripW = 175, kStripH = 335;
const short kBoxWidth = 70, kFilterBoxWidth = 64, kPopupWidth = 78, kFreqPopupWidth = 46, kPopupHeight = 12;

// Section panels have no picture: their rects are given.
void sectionPanel(short objectID, short left, short top, short right, short bottom, int hidden)
{
    panel_new(objectID, left, top, right, bottom, kPanelExplicitRect | (hidden ? kPanelHidden : 0), 0,
              nullptr);
}

void toggle(short objectID, short x, short y, short pict, clickProcPtr callback)
{
    button_new(objectID, x, y, kButtonToggle, pict, "", 1, 0, 1, callback);
}

// The wave choice pop-up: "sine", then the user waves and the built-in
// waves in their sub-menus.
void wavePopup(short objectID, short x, short y)
{
    popup_new(objectID, x, y, kPopupWidth, kPopupHeight, 0, 0, "wave", 1, wPatch_callback_wave);
    waveMenu_buildPopup(objectID);
    popup_setOpenCallback(objectID, wPatch_openWavePopup);
}

// A frequency-mode pop-up: four bitmap items, no title, no arrow.
void freqModePopup(short objectID, short x, short y)
{
    static const char* const names[4] = {"transpose", "ratio", "fixed frequency", "fixed note"};
    popup_new(objectID, x, y, kFreqPopupWidth, kPopupHeight,
              2 | kPopupNoArrow | kPopupBitmaps | kPopupTitleInside, 0, "", 1, wPatch_callback_freqMode);
    for (short item = 1; item <= 4; ++item)
        popup_addItem(objectID, item, 1, names[item - 1], static_cast<short>(63 + item));
}

void filterSection(short o, popupProcPtr modeCallback)
{
    short x = static_cast<short>(o == kPatchMasterFilterOffset ? 258 : 70);
    short top = static_cast<short>(o == kPatchMasterFilterOffset ? 395 : 125);
    short modeX = static_cast<short>(o == kPatchMasterFilterOffset ? 267 : 75);
    short modeY = static_cast<short>(o == kPatchMasterFilterOffset ? 395 : 124);
    short w = kFilterBoxWidth;
    popup_new(static_cast<short>(o + kPatchFilterMode), modeX, modeY, kPopupWidth, kPopupHeight, 0, 0, "mode",
              1, modeCallback);
    for (short item = 1; item <= 8; ++item)
        popup_addItem(static_cast<short>(o + kPatchFilterMode), item, 1, wPatch_filterItemNames[item - 1], 0);
    numbox_new(static_cast<short>(o + kPatchFilterSpare), x, top, w, 3, 3, 0, 0, 1, nullptr, emptyClickProc,
               "");
    numbox_showInPanels(static_cast<short>(o + kPatchFilterSpare), 0);
    numbox_new(static_cast<short>(o + kPatchFilterFreq), x, static_cast<short>(top + 18), w, 3, 3, 2008.5, 20,
               22000, numbox_incHertz, wPatch_callback_filterBox, "Hz");
    numbox_new(static_cast<short>(o + kPatchFilterQ), x, static_cast<short>(top + 36), w, 3, 4, 0, -0.99,
               0.99, numbox_incPointZeroOne, wPatch_callback_filterBox, "feedback");
    numbox_new(static_cast<short>(o + kPatchFilterGain), x, static_cast<short>(top + 54), w, 2, 4, 0, -48, 0,
               numbox_incPointOne, wPatch_callback_filterBox, "dB");
}
}  // namespace

void wPatch_makeChannel(short channel)
{
    short o = wPatch_channelToGuiOffset(channel);
    auto id = [o](short k) { return static_cast<short>(o + k); };

    panel_setAutoAdd(kPatchBackground);
    sectionPanel(id(kPatchChannelPanel), 0, 0, kStripW, kStripH, 0);
    toggle(id(kPatchOscOn), 0, 0, 508, wPatch_callback_oscOn);
    button_new(id(kPatchMainPage), 88, 4, kButtonAtPress | kButtonRadio, 532, "", 1, 1, 1,
               wPatch_callback_page);
    button_new(id(kPatchModPage), 127, 5, kButtonAtPress | kButtonRadio, 516, "", 1, 0, 1,
               wPatch_callback_page);
    toggle(id(kPatchFilterOn), 0, 99, 540, wPatch_callback_filterOn);
    toggle(id(kPatchModulatorOn), 0, 195, 548, wPatch_callback_modulatorOn);

    // The oscillator section holds both pages and the level row.
    panel_setAutoAdd(id(kPatchChannelPanel));
    sectionPanel(id(kPatchOscPanel), 0, 22, kStripW, 96, 0);
    draggy_new(id(kPatchLevelSlider), 17, 300,
               kDraggyHorizontal | kDraggyWholeTrack | kDraggyHideCursor | kDraggyPressedKnob, 640, 1,
               wPatch_callback_level, 0, 0);
    display_new(id(kPatchLevelDisplay), 98, 316, 54, "-6.0dB", 0, 0, kDisplayRight, nullptr, nullptr);
    // Also an item of the background, so that a new text is drawn over the background picture.
    panel_addObject(kPatchBackground, id(kPatchLevelDisplay));

    panel_setAutoAdd(id(kPatchOscPanel));
    sectionPanel(id(kPatchMainPanel), 0, 22, kStripW, 96, 0);
    popup_new(id(kPatchOscMode), 75, 28, kPopupWidth, kPopupHeight, 0, 0, "mode", 1, wPatch_callback_oscMode);
    for (short item = 1; item <= 4; ++item)
        popup_addItem(id(kPatchOscMode), item, 1, wPatch_oscModeNames[item - 1], 0);
    wavePopup(id(kPatchMainWave), 75, 45);
    freqModePopup(id(kPatchMainFreqMode), 25, 64);
    toggle(id(kPatchInvert), 30, 81, 616, wPatch_callback_invert);
    numbox_new(id(kPatchMainFreq), 70, 65, kBoxWidth, 3, 4, 0, -64, 64, numbox_defaultIncrement,
               wPatch_callback_oscBox, "");
    numbox_new(id(kPatchMainPhase), 78, 83, 62, 2, 3, 0, -1, 1, numbox_incPointZeroOne,
               wPatch_callback_oscBox, "phase");

    panel_setAutoAdd(id(kPatchOscPanel));
    sectionPanel(id(kPatchModPanel), 0, 22, kStripW, 96, 1);
    wavePopup(id(kPatchModWave), 75, 45);
    freqModePopup(id(kPatchModFreqMode), 25, 64);
    numbox_new(id(kPatchModAmount), 70, 29, kBoxWidth, 3, 4, 0, -64, 64, numbox_defaultIncrement,
               wPatch_callback_oscBox, "balance");
    numbox_new(id(kPatchModSpare), 70, 47, kBoxWidth, 3, 4, 0, -64, 64, nullptr, emptyClickProc, "");
    numbox_showInPanels(id(kPatchModSpare), 0);
    numbox_new(id(kPatchModFreq), 70, 65, kBoxWidth, 3, 4, 0, -64, 64, numbox_defaultIncrement,
               wPatch_callback_oscBox, "");
    numbox_new(id(kPatchModPhase), 70, 83, kBoxWidth, 3, 4, 0, -1, 1, numbox_incPointZeroOne,
               wPatch_callback_oscBox, "balance");

    panel_setAutoAdd(id(kPatchChannelPanel));
    sectionPanel(id(kPatchFilterPanel), 0, 118, kStripW, 192, 0);
    filterSection(o, wPatch_callback_filterMode);

    panel_setAutoAdd(id(kPatchChannelPanel));
    sectionPanel(id(kPatchModulatorPanel), 0, 214, kStripW, 288, 0);
    wavePopup(id(kPatchModulatorWave), 75, 220);
    freqModePopup(id(kPatchModulatorFreqMode), 25, 238);
    numbox_new(id(kPatchModulatorFreq), 70, 239, kBoxWidth, 3, 4, 220, -64, 64, numbox_defaultIncrement,
               wPatch_callback_modulatorBox, "");
    numbox_new(id(kPatchModulatorBalance), 70, 257, kBoxWidth, 2, 3, 1, 0, 1, numbox_incPointZeroOne,
               wPatch_callback_modulatorBox, "balance");

    panel_move(id(kPatchChannelPanel), kStripX[channel < 0 || channel > 2 ? 0 : channel], kStripY);
    panel_setAutoAdd(kPatchBackground);
}

void wPatch_makeParams()
{
    panel_enableAutoAdd(1);
    draggy_setLag(0.32f);
    display_setDefaultColors(RGBColor{255, 255, 255}, RGBColor{0, 0, 0});
    popup_setDefaultColors(RGBColor{198, 198, 198}, RGBColor{22, 16, 49}, RGBColor{250, 250, 215},
                           RGBColor{66, 85, 92});
    popup_setCurrentFontSize(9);

    panel_new(kPatchBackground, 0, 0, 0, 0, 0, 500, nullptr);
    toggle(kPatchWaveshapeOn, 9, 357, 556, wPatch_callback_globalSwitch);
    toggle(kPatchMasterOn, 179, 365, 564, wPatch_callback_globalSwitch);
    toggle(kPatchEffectOn, 359, 356, 572, wPatch_callback_globalSwitch);
    // The wires that light up while their oscillators sound: 0, 1, 2 from the
    // level rows down to the bus, then the bus into the waveshaper.
    static const short wireX[kPatchChannels] = {7, 186, 365};
    for (short c = 0; c < kPatchChannels; ++c)
        button_new(static_cast<short>(kPatchLitOsc0 + c), wireX[c], 310, kButtonToggle, c == 2 ? 588 : 580,
                   "", 0, 0, 1, nullptr);
    button_new(kPatchLitAny, 7, 339, kButtonToggle, 600, "", 0, 0, 1, nullptr);
    button_new(kPatchLitOsc12, 23, 339, kButtonToggle, 608, "", 0, 0, 1, nullptr);

    panel_setAutoAdd(kPatchBackground);
    sectionPanel(kPatchWaveshapePanel, 5, 380, 168, 468, 0);
    wavePopup(kPatchWaveshapeWave, 88, 395);
    toggle(kPatchWaveshapeMono, 45, 398, 632, wPatch_callback_globalSwitch);
    numbox_new(kPatchWaveshapeIn, 83, 413, kBoxWidth, 2, 2, 0, -48, 12, numbox_incPointOne,
               wPatch_callback_waveshapeBox, "in dB");
    numbox_new(kPatchWaveshapeOut, 83, 431, kBoxWidth, 2, 2, 0, -48, 12, numbox_incPointOne,
               wPatch_callback_waveshapeBox, "out dB");
    numbox_new(kPatchWaveshapePhase, 83, 449, kBoxWidth, 2, 4, 0, -1, 1, numbox_incPointZeroOne,
               wPatch_callback_waveshapeBox, "phase");

    panel_setAutoAdd(kPatchBackground);
    sectionPanel(kPatchMasterPanel, 176, 380, 350, 468, 0);
    toggle(kPatchMasterMono, 224, 395, 632, wPatch_callback_globalSwitch);
    filterSection(kPatchMasterFilterOffset, wPatch_callback_filterMode);

    panel_setAutoAdd(kPatchBackground);
    sectionPanel(kPatchEffectPanel, 357, 380, 547, 468, 0);
    button_new(kPatchEffectEdit, 404, 395, 0, 624, "", 1, 0, 1, wPatch_callback_effectEdit);
    display_new(kPatchEffectType, 404, 423, 100, "multicomb", 0, 0, kDisplayLeft, nullptr, nullptr);

    for (short c = 0; c < kPatchChannels; ++c) wPatch_makeChannel(c);
    // Auto-add ends with this window: the windows built after it (and
    // controls made later in any window) join no Patch panel.
    panel_enableAutoAdd(0);
    panel_setAutoAdd(0);
}
