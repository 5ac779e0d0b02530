// The Patch window (toolkit window 2): three oscillator channels side by
// side, each with its oscillator (main and modulating page), filter,
// modulator and level, and below them the waveshaper, the master filter and
// the effect switch. Every control writes into gInst through the instrument
// model's setters. Included by windows/windows.h; the window's make, show,
// update and auto-balance functions are declared there with the others.
//
// Index:
//   ids ................ channel offsets, control ids (o + k), global ids
//   tables ............. oscillator modes, frequency modes, filter modes   (wPatch_tables.cpp)
//   balance ............ levels, auto-balance, "Balance channels"           (wPatch_balance.cpp)
//   refresh ............ updatePatch, enabling, mode configuration          (wPatch_refresh.cpp)
//   actions ............ the controls' callbacks                            (wPatch_actions.cpp)
//   building ........... wPatch_makeParams, wPatch_makeChannel             (wPatch_build.cpp)
//   window ............. procedure, show, update protocol                   (wPatch.cpp)
#pragma once

#include "dsp/dsp.h"
#include "toolkit/toolkit.h"

// ---- ids ----------------------------------------------------------------------------------
// A channel's controls have ids o + k with o = 0, 62, 124; the master
// filter's controls use o = 17 with the k of a channel filter.
enum {
    kPatchChannels = 3,
    kPatchMasterFilter = 3,  // filter index of the master filter
    kPatchMasterFilterOffset = 17,
    kPatchObjects = 186
};
enum {
    kPatchChannelPanel = 2,
    kPatchOscPanel = 3,
    kPatchMainPanel = 4,
    kPatchModPanel = 5,
    kPatchFilterPanel = 6,
    kPatchModulatorPanel = 7,
    kPatchOscOn = 11,
    kPatchMainPage = 12,
    kPatchModPage = 13,
    kPatchFilterOn = 14,
    kPatchModulatorOn = 15,
    kPatchLevelDisplay = 24,
    kPatchLevelSlider = 25,
    kPatchInvert = 26,
    kPatchMainFreq = 27,
    kPatchMainPhase = 28,
    kPatchModAmount = 29,
    kPatchModSpare = 30,
    kPatchModFreq = 31,
    kPatchModPhase = 32,
    kPatchMainWave = 33,
    kPatchModWave = 34,
    kPatchMainFreqMode = 35,
    kPatchModFreqMode = 36,
    kPatchOscMode = 37,
    kPatchFilterSpare = 38,
    kPatchFilterFreq = 39,
    kPatchFilterQ = 40,
    kPatchFilterGain = 41,
    kPatchFilterMode = 42,
    kPatchModulatorFreq = 45,
    kPatchModulatorBalance = 46,
    kPatchModulatorWave = 47,
    kPatchModulatorFreqMode = 48
};
// Global controls (fixed ids).
enum {
    kPatchBackground = 1,
    kPatchWaveshapePanel = 8,
    kPatchMasterPanel = 9,
    kPatchEffectPanel = 10,
    kPatchWaveshapeOn = 16,
    kPatchMasterOn = 17,
    kPatchEffectOn = 18,
    kPatchLitOsc0 = 19,
    kPatchLitAny = 22,
    kPatchLitOsc12 = 23,
    kPatchWaveshapeIn = 50,
    kPatchWaveshapeOut = 51,
    kPatchWaveshapePhase = 52,
    kPatchWaveshapeMono = 53,
    kPatchWaveshapeWave = 54,
    kPatchMasterMono = 60,
    kPatchEffectEdit = 61,
    kPatchEffectType = 49  // the effect type's name
};

short wPatch_channelToGuiOffset(short channel);  // 0, 62, 124; channel 0 outside 0..2
short wPatch_guiToChannel(short id);             // by the ranges below 62, 124, 186; else 0
// The filter a control of a filter section acts on: 3 for the master
// filter's ids 55..59, else the channel of the id.
short wPatch_guiToFilter(short id);
short wPatch_filterToGuiOffset(short filter);  // 17 for the master filter

// ---- tables -------------------------------------------------------------------------------
typedef double (*wPatchIncrementProc)(double value, short delta, short column);

// One configuration of a number box: shown or not, name, range, step rule.
struct wPatchBoxRec {
    int shown;
    const char* name;
    double minimum, maximum;
    wPatchIncrementProc increment;
};

// Number boxes 29 and 32 of an oscillator mode, and which of 27..32 are shown.
struct wPatchOscModeRec {
    int pageButtons;        // the main/modulating page buttons are shown (while on)
    wPatchBoxRec amount;    // k = 29: "balance" or "fm index"
    wPatchBoxRec modPhase;  // k = 32
    int shows[6];           // k = 27, 28, 29, 30, 31, 32
};
// The row of a mode 0..3, or null.
const wPatchOscModeRec* wPatch_oscModeRow(short mode);

// Range and step rule of a frequency box in a frequency mode 0..3 (null outside).
const wPatchBoxRec* wPatch_freqModeRow(short freqMode);
// Pop-up item (1..4) of a frequency mode and back: 1 -> 0, 2 -> 1, 3 -> 3, 4 -> 2.
short wPatch_freqModeToItem(short freqMode);  // 0 for an unknown mode
short wPatch_itemToFreqMode(short item);      // -1 for an unknown item

// The filter menu: item 1..8 <-> modes 1..6, 9, 10 (a stored 11 reads as 9).
short wPatch_filterItemToMode(short item);  // 0 for an unknown item
short wPatch_filterModeToItem(short mode);  // 0 for an unknown mode
extern const char* const wPatch_filterItemNames[8];
// Boxes k = 40 and k = 41 of a filter mode (null for an unknown mode).
struct wPatchFilterModeRec {
    wPatchBoxRec q;       // k = 40: resonance, Q or feedback
    wPatchBoxRec gain;    // k = 41: gain or bandwidth
    int gainIsBandwidth;  // k = 41 writes the bandwidth
};
const wPatchFilterModeRec* wPatch_filterModeRow(short mode);
extern const char* const wPatch_oscModeNames[4];

// ---- balance ------------------------------------------------------------------------------
extern int autoBalanceChannels;        // 1 at start; set by the preferences
extern float balanceSliderBaseAmp[3];  // level x active channels at the last move
// A level kept within 2^-16 of 0 and 1.
float wPatch_clampLevel(double level);
// The level of a slider position h (h squared, clamped) and back (square root).
float wPatch_sliderToLevel(double h);
float wPatch_levelToSlider(double level);
// Channels whose oscillator is on.
short wPatch_activeChannels(instRec* inst);
// A slider moved to level a on channel: the level is stored and, with
// auto-balance, the other active channels share the rest. The channels
// whose levels changed are marked in changed[3] (may be null).
void wPatch_balanceSetLevel(instRec* inst, short channel, double level, int changed[3]);
// The other active channels rescaled after channel moved to level a.
void wPatch_slider_balanceOnDrag(instRec* inst, short channel, double level, int changed[3]);
// An oscillator was switched: the active channels share the base levels.
void wPatch_slider_balanceOnEnable(instRec* inst);
// Sliders and decibel displays from the levels of gInst.
void wPatch_updateBalanceSliders();
void wPatch_setBalanceSliderVal(short channel, double level);
// The decibel text of a level ("%1.1f dB").
void wPatch_levelText(double level, char* out, int size);

// ---- refresh ------------------------------------------------------------------------------
void wPatch_updatePatch(int force);
void wPatch_updateParamsOscil(short channel);
void wPatch_updateParamsFilter(short filter);
void wPatch_updateParamsMod(short channel);
void wPatch_updateParamsWaveshape();
void wPatch_enableOscil(short channel);
void wPatch_enableFilter(short channel);
void wPatch_enableMod(short channel);
void wPatch_enableWaveshape();
void wPatch_enableMasterFilter();
// The effect switch and section, with the name of the effect type; works
// on the Patch window whichever window is current.
void wPatch_enableEffect();
void wPatch_filterEnableMono();
void wPatch_oscilSelectMainMod(short channel, int mainPage);
void wPatch_oscilSetMode(short channel, short mode);
void wPatch_oscilUpdateFreqMode(short channel, int mainWave);
void wPatch_modUpdateFreqMode(short channel);
void wPatch_filterSetMode(short filter, short mode);
// Item 1 of a wave pop-up takes the wave's name and is selected.
void wPatch_setWavePopup(short id, short waveID);
// Shows or hides a control and records it in the panels that hold it.
void wPatch_showInPanels(short id, int show);
// Configures a number box from a table row and sets its value.
void wPatch_configureBox(short id, const wPatchBoxRec* row, double value);

// ---- actions (callbacks of the controls) ----------------------------------------------------
void wPatch_callback_oscOn(short id);
void wPatch_callback_page(short id);
void wPatch_callback_filterOn(short id);
void wPatch_callback_modulatorOn(short id);
void wPatch_callback_invert(short id);
void wPatch_callback_oscBox(short id);
void wPatch_callback_oscMode(short id, short menu, short item);
void wPatch_callback_freqMode(short id, short menu, short item);
void wPatch_callback_wave(short id, short menu, short item);
// As a wave pop-up opens: the wave it stands for is marked in the wave menus.
void wPatch_openWavePopup(short id);
void wPatch_callback_filterBox(short id);
void wPatch_callback_filterMode(short id, short menu, short item);
void wPatch_callback_modulatorBox(short id);
void wPatch_callback_level(short id);
void wPatch_callback_globalSwitch(short id);
void wPatch_callback_waveshapeBox(short id);
void wPatch_callback_effectEdit(short id);

// ---- building ---------------------------------------------------------------------------------
void wPatch_makeParams();
void wPatch_makeChannel(short channel);

// ---- window -------------------------------------------------------------------------------------
LRESULT CALLBACK wPatch_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
