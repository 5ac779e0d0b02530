// Building the MIDI window's controls: the page buttons on the strip panel
// (1), then each page on its own panel: controllers (2), velocity (3) and
// note maps (4). Controls join the page panel created just before them.
#include "windows/windows.h"

const char* const wMidi_mapItemNames[kDestinations] = {"oscil amp 1",
                                                       "oscil amp 2",
                                                       "oscil amp 3",
                                                       "oscil fm index/balance 1",
                                                       "oscil fm index/balance 2",
                                                       "oscil fm index/balance 3",
                                                       "filter freq 1",
                                                       "filter freq 2",
                                                       "filter freq 3",
                                                       "filter freq master"};

void wMidi_mapOfItem(short item, short* group, short* index)
{
    if (item < 1 || item > kDestinations) return;
    int g = item <= 3 ? 1 : (item <= 6 ? 2 : 3);
    int i = item <= 3 ? item - 1 : (item <= 6 ? item - 4 : item - 7);
    *group = static_cast<short>(g);
    *index = static_cast<short>(i);
}

namespace {
const short kRowY[6] = {68, 113, 157, 201, 245, 289};
const double kDepthMax[kMidiDepthBoxes] = {72, 100, 99.99, 100, 100};
const short kVelX[4] = {70, 158, 247, 338};
const short kInvertX[4] = {133, 222, 311, 401};
const short kVelRowY[3] = {66, 109, 152};

void page1()
{
    panel_setAutoAdd(0);
    panel_new(kMidiPage1Panel, 0, 0, 0, 0, 0, kMidiPanelPict, nullptr);
    for (short k = 0; k < kMidiDepthBoxes; ++k)
        numbox_new(static_cast<short>(kMidiDepthBox1 + k), 153, kRowY[k], 42, 2, 2, 0, 0, kDepthMax[k],
                   nullptr, wMidi_callback_depth, "");
    for (short k = 0; k < kMidiLagBoxes; ++k)
        numbox_new(static_cast<short>(kMidiLagBox1 + k), 235, kRowY[k], 29, 2, 0, 0, 0, 999, numbox_bigExpo,
                   wMidi_callback_lag, "");
    const short chanX[3] = {296, 313, 330};
    for (short c = 0; c < 3; ++c) {
        short pict = static_cast<short>(kMidiChanPict + 8 * c);
        button_new(static_cast<short>(kMidiModChan1 + c), chanX[c], 111, kButtonToggle, pict, "", 1, 1, 1,
                   wMidi_callback_chan);
        button_new(static_cast<short>(kMidiFilterChan1 + c), chanX[c], 140, kButtonToggle, pict, "", 1, 1, 1,
                   wMidi_callback_chan);
    }
    button_new(kMidiFilterChan1 + 3, 295, 160, kButtonToggle, kMidiMasterPict, "", 1, 1, 1,
               wMidi_callback_chan);
    const short buttonY[kMidiCCButtons] = {113, 156, 199, 242, 285};
    for (short k = 0; k < kMidiCCButtons; ++k)
        button_new(static_cast<short>(kMidiCCButton1 + k), 15, buttonY[k], 0, kMidiCCButtonPict,
                   "I don't work yet", 1, 0, 1, wMidi_callback_ccButton);
}

void page2()
{
    panel_setAutoAdd(0);
    panel_new(kMidiPage2Panel, 0, 0, 0, 0, kPanelHidden, kMidiPanelPict + 1, nullptr);
    for (int k = 0; k < kMidiVelPairs; ++k) {
        int row = k < 3 ? 0 : (k < 6 ? 1 : 2);
        int column = k < 6 ? k % 3 : k - 6;
        short box = static_cast<short>(kMidiVelBox1 + k);
        numbox_new(box, kVelX[column], kVelRowY[row], 42, 2, 2, 0, 0, k == 3 ? 100 : 99.999, nullptr,
                   wMidi_callback_velBox, "");
        button_new(static_cast<short>(kMidiVelInvert1 + k), kInvertX[column],
                   static_cast<short>(kVelRowY[row] - 1), kButtonToggle, kMidiInvertPict, "", 1, 0, 1,
                   wMidi_callback_velInvert);
    }
}

void page3()
{
    panel_setAutoAdd(0);
    panel_new(kMidiPage3Panel, 0, 0, 0, 0, kPanelHidden, kMidiPanelPict + 2, nullptr);
    popup_new(kMidiMapPopup, 51, 51, 140, 14, 0, 0, "", 1, wMidi_callback_mapPopup);
    for (short item = 1; item <= kDestinations; ++item)
        popup_addItem(kMidiMapPopup, item, 1, wMidi_mapItemNames[item - 1], 0);
    popup_selectItem(kMidiMapPopup, 1);
    wMidi_notemap_new(kMidiMapEditor, kMidiMapX, kMidiMapY);
    button_new(kMidiKbdSwitch, 200, 49, kButtonToggle, kMidiKbdSwitchPict, "", 1, 1, 1,
               wMidi_callback_kbdSwitch);
    numbox_new(kMidiNoteBox, 270, 56, 30, 1, 0, 60, 0, 128, nullptr, wMidi_callback_noteBox, "note#");
    numbox_new(kMidiValueBox, 333, 53, 47, 2, 3, 0, 0, 100, nullptr, wMidi_callback_valueBox, "%");
}
}  // namespace

void wMidi_makeParams()
{
    panel_enableAutoAdd(1);
    popup_setCurrentFontSize(9);
    // The strip of page buttons.
    panel_new(kMidiStripPanel, 0, 0, 500, 36, kPanelExplicitRect, 0, nullptr);
    const short pageX[3] = {17, 138, 220};
    for (short page = 0; page < 3; ++page)
        button_new(static_cast<short>(kMidiPageButton1 + page), pageX[page], 9, kButtonAtPress | kButtonRadio,
                   static_cast<short>(kMidiPageButtonPict + 8 * page), "", 1, page == 0, 1,
                   wMidi_callback_page);
    page1();
    page2();
    page3();
    panel_setAutoAdd(0);
    panel_enableAutoAdd(0);
}
