// The MIDI window (toolkit window 6): how the current instrument (gInst)
// answers MIDI, on three pages: the controller routings (depths, lags, the
// channels they act on and the controller each listens to), the velocity
// sensitivities, and the note maps (a factor per note for one destination).
// It also holds the controller chooser ("Select midi cc") and the tables of
// controller and note names the program shows. Every value is written
// through the instrument model's setters, straight into the shared record.
// Included by windows/windows.h; the window's make, show and update
// functions are declared there with the other windows'.
//
// Index:
//   ids ................ control ids, bitmaps, pages
//   window ............. procedure, pages, update, control actions   (wMidi.cpp)
//   controls ........... building the three pages                     (wMidi_controls.cpp)
//   note map editor .... drawing, editing, labels, pointer tracking   (wMidi_notemap.cpp)
//   controller chooser . the "Select midi cc" dialog                  (wMidiCC.cpp)
//   names .............. controller and note names                    (wMidi_names.cpp)
#pragma once

#include "dsp/dsp.h"
#include "toolkit/toolkit.h"

// ---- ids ------------------------------------------------------------------------------------
enum {
    kMidiStripPanel = 1,   // holds the page buttons
    kMidiPage1Panel = 2,   // bitmap 1200: controllers
    kMidiPage2Panel = 3,   // bitmap 1201: velocity
    kMidiPage3Panel = 4,   // bitmap 1202: note maps
    kMidiPageButton1 = 5,  // + page - 1
    kMidiMapPopup = 8,
    kMidiKbdSwitch = 9,
    kMidiNoteBox = 10,   // "note#"
    kMidiValueBox = 11,  // "%"
    kMidiMapEditor = 12,
    kMidiDepthBox1 = 13,    // bend range, modulation, filter, effect, pan depth
    kMidiLagBox1 = 18,      // bend, modulation, filter, effect, pan, volume lag
    kMidiModChan1 = 24,     // modulation on channel 0..2
    kMidiFilterChan1 = 27,  // filter routing on filter 0..3 (30: master)
    kMidiCCButton1 = 31,    // controller of modulation, filter, effect, pan, volume
    kMidiVelBox1 = 36,      // ten velocity sensitivities
    kMidiVelInvert1 = 46,   // ten velocity inversions
    kMidiObjects = 56
};
enum { kMidiDepthBoxes = 5, kMidiLagBoxes = 6, kMidiCCButtons = 5, kMidiVelPairs = 10 };
// Bitmaps of the window (resources/midi_art.cpp).
enum {
    kMidiPanelPict = 1200,       // + page - 1
    kMidiMapFillPict = 1203,     // stretched under each note's value
    kMidiPageButtonPict = 1216,  // + 8 (page - 1)
    kMidiKbdSwitchPict = 1240,
    kMidiCCButtonPict = 1248,
    kMidiChanPict = 416,    // + 8 k: channel 1, 2, 3
    kMidiMasterPict = 440,  // the master filter
    kMidiInvertPict = 472
};
// The note map editor: 128 columns of 3 pixels over 200 rows.
enum { kMidiMapX = 14, kMidiMapY = 95, kMidiMapWidth = 384, kMidiMapHeight = 200, kMidiMapColumn = 3 };

// ---- window (wMidi.cpp) ----------------------------------------------------------------------
extern short wMidi_mode;         // page shown, 1..3
extern short wMidi_mapGroup;     // note map shown: kind 1..3
extern short wMidi_mapIndex;     //   and index
extern short wMidi_currentNote;  // the note of the "note#" and "%" boxes
extern short wMidi_ccButton;     // the controller button whose controller is being chosen
extern int wMidi_kbdSwitch;      // the note-keyboard switch (only recorded)
LRESULT CALLBACK wMidi_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Page 1..3: its button selected, its panel shown, the window sized to it.
void wMidi_setMode(short mode);
// Sizes the window to the shown page when its client area is of another size.
void wMidi_fitToPage(int clientWidth, int clientHeight);
// The (kind, index) a velocity box or invert button (0..9) addresses.
void wMidi_velPair(int k, int* group, int* index);
// The controller slot (cc_setCCNum) of controller button 31..35, 0 for none.
short wMidi_slotOfButton(short id);
// Each controller button shows the name of its slot's controller.
void wMidi_cc_updateCCButtons();
// The chooser's answer for the remembered button: -1..127 assigns, anything
// else (a cancelled chooser) changes nothing.
void wMidi_ccCallback(short cc);
void wMidi_callback_page(short id);
void wMidi_callback_depth(short id);
void wMidi_callback_lag(short id);
void wMidi_callback_chan(short id);
void wMidi_callback_ccButton(short id);
void wMidi_callback_velBox(short id);
void wMidi_callback_velInvert(short id);
void wMidi_callback_mapPopup(short id, short menu, short item);
void wMidi_callback_kbdSwitch(short id);
void wMidi_callback_noteBox(short id);
void wMidi_callback_valueBox(short id);

// ---- controls (wMidi_controls.cpp) -------------------------------------------------------------
void wMidi_makeParams();
// The note map items of the pop-up, 1..10, and the (kind, index) of an item.
extern const char* const wMidi_mapItemNames[kDestinations];
void wMidi_mapOfItem(short item, short* group, short* index);

// ---- note map editor (wMidi_notemap.cpp) --------------------------------------------------------
void wMidi_notemap_new(short id, short x, short y);
// The shown map's 128 factors, null when there is none.
float* wMidi_notemap_data();
// Draws note n's column, or every column for -1.
void wMidi_notemap_draw(short id, short note);
void wMidi_notemap_click(short id);
// The two labels of a note (-1: the note under the pointer): its name with
// its number over the map, its value beside the map's right edge.
void wMidi_notemap_drawText(short id, short note);
// Sets box 11 from the current note's factor.
void wMidi_notemap_refreshValueBox();
// While page 3 is shown, the labels follow the pointer over the map.
void wMidi_trackMouse();
// Stores a factor (clamped to 0..1) for a note of the shown map; 1 or 0.
int wMidi_notemap_store(short note, float value);

// ---- controller chooser (wMidiCC.cpp) ---------------------------------------------------------
typedef void (*wMidiCC_callbackProc)(short cc);
enum { midiCCItem_list = 32, midiCCItem_cancel = 33, midiCCItem_select = 34 };
// The modal "Select midi cc" dialog owned by the Main window, on the 129
// names from "aftertouch" (-1) to controller 127 with initialCC selected;
// calls back with the chosen controller, or -128 on Cancel. Nothing
// happens without a callback.
void wMidiCC_open(wMidiCC_callbackProc callback, short initialCC);
void wMidiCC_registerTemplate();

// ---- names (wMidi_names.cpp) --------------------------------------------------------------------
enum { kCCNameSize = 32, kCCNameChars = 16, kNoteNameSize = 16 };
// Build the tables once at start-up; until then the lookups give "".
void wMidi_ccName_init();
void wMidi_noteName_init();
// out (32 bytes): "aftertouch" for -1, "(n) <name>" cut to 16 characters for
// 0..127, else empty.
void wMidi_ccName_get(short cc, char* out);
// out (16 bytes): "C -2" .. "G 8" for 0..127, with withNumber "C 3 (60)";
// else empty.
void wMidi_noteName_get(short note, char* out, int withNumber);
