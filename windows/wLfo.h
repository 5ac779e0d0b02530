// The LFO window (toolkit window 3): the three LFOs of the current
// instrument (gInst) side by side, one column of 205 pixels each, whose
// control ids are those of the first column plus 47 per LFO. Every control
// writes through the LFO model's setters straight into the shared record.
// Included by windows/windows.h; the window's make, show and update
// functions are declared there with the other windows'.
//
// Index:
//   ids ................ control ids of a column, bitmaps
//   window ............. procedure, show rules, update, actions   (wLfo.cpp)
//   controls ........... building the columns                      (wLfo_win.cpp)
#pragma once

#include "dsp/dsp.h"
#include "toolkit/toolkit.h"

// ---- ids (of the first column; add wLfo_lfoToGUIOffset(lfo)) ------------------------------------
enum {
    kLfoColumnPanel = 1,  // holds the two below
    kLfoOnPanel = 2,      // bitmap 400: the LFO's controls
    kLfoOffPanel = 3,     // bitmap 401: the "off" picture
    kLfoOnToggle = 9,
    kLfoSHToggle = 10,
    kLfoPolyToggle = 11,
    kLfoWavePopup = 12,
    kLfoInvert1 = 13,         // pitch, amp, modulation, filter
    kLfoPitchChan1 = 17,      // channels 0..2
    kLfoAmpChan1 = 20,        // channels 0..2
    kLfoModChan1 = 23,        // channels 0..2
    kLfoFilterChan1 = 26,     // filters 0..2 and 3, the master
    kLfoCCButton1 = 30,       // depth, rate, S/H rate controllers
    kLfoRetrigToggle = 33,    //
    kLfoRetrigCCButton = 34,  // retrigger-rate controller
    kLfoDepthBox1 = 35,       // pitch, amp, modulation, filter, effect, pan
    kLfoRangeBox1 = 41,       // depth, rate, S/H rate controller ranges
    kLfoRateBox = 44,
    kLfoSHRateBox = 45,
    kLfoPhaseBox = 46,
    kLfoIdsPerColumn = 47,
    kLfoObjects = 141
};
enum { kLfoColumns = 3, kLfoColumnWidth = 205, kLfoHeight = 466, kLfoDepths = 6, kLfoRanges = 3 };
// Bitmaps of the window (resources/lfo_art.cpp; 416..440 and 472 are shared
// with the MIDI window).
enum {
    kLfoOnPict = 400,
    kLfoOffPict = 401,
    kLfoOnTogglePict = 408,
    kLfoChanPict = 416,  // + 8 k: channel 1, 2, 3
    kLfoMasterPict = 440,
    kLfoSHPict = 448,
    kLfoRetrigPict = 456,
    kLfoPolyPict = 464,
    kLfoInvertPict = 472,
    kLfoCCButtonPict = 480
};

// ---- window (wLfo.cpp) ---------------------------------------------------------------------------
extern int update_wLfo;
short wLfo_lfoToGUIOffset(short lfo);
short wLfo_guiToLfo(short id);
LRESULT CALLBACK wLfo_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// On: the LFO's controls (panel 2); off: the "off" picture (panel 3).
void wLfo_showLfo(short lfo, int on);
// The S/H rate box shows only while S/H (and the LFO) is on.
void wLfo_activateSH(short lfo, int on);
// The retrigger-rate controller button shows only while retrigger is on.
void wLfo_activateRetrigger(short lfo, int on);
// Item 1 of a wave pop-up takes the wave's name.
void wLfo_setWavePopup(short id, short waveID);
// The chooser's answer for the remembered button: -1..127 assigns, anything
// else (a cancelled chooser) changes nothing.
void wLfo_ccCallback(short cc);
void wLfo_callback_on(short id);
void wLfo_callback_sh(short id);
void wLfo_callback_poly(short id);
void wLfo_callback_retrigger(short id);
void wLfo_callback_invert(short id);
void wLfo_callback_chan(short id);
void wLfo_callback_box(short id);
void wLfo_callback_ccButton(short id);
void wLfo_callback_wavePopup(short id, short menu, short item);
// Marks the LFO's wave in the shared wave menus as the pop-up opens.
void wLfo_openWavePopup(short id);

// ---- controls (wLfo_win.cpp) ---------------------------------------------------------------------
void wLfo_makeParams();
void wLfo_makePanel(short lfo);
