// The program's artwork: one dark theme, the drawing primitives every
// window's bitmaps are made of, and their registration with the platform
// layer under integer resource ids. This is the folder's public header.
//
// Index:
//   theme ............. the colours and the type face of all artwork
//   primitives ........ paint into a cairo context at a rectangle
//   bitmap sets ........ paint and register one id or a family of ids
//   program set ........ the generic controls' bitmaps and the cursors
#pragma once
#include <cairo.h>
#include <vector>

// ---- theme -------------------------------------------------------------------------------
struct resColorRec {
    double r, g, b;  // 0..1
};

struct resThemeRec {
    resColorRec window;      // behind everything
    resColorRec panel;       // face of a framed panel
    resColorRec panelDark;   // lower end of the panel's shading
    resColorRec edgeLight;   // upper-left bevel
    resColorRec edgeDark;    // lower-right bevel
    resColorRec label;       // section labels and captions
    resColorRec text;        // values and item texts (cream)
    resColorRec textDim;     // disabled text and glyphs
    resColorRec accent;      // selection, lit LEDs, knob caps (teal)
    resColorRec accentDark;  // selected cell background, unlit LEDs
    resColorRec field;       // number-box and display fields
    resColorRec buttonFace;
    resColorRec buttonFaceDown;
    resColorRec track;  // slider grooves
    resColorRec knob;   // slider knob body
    resColorRec keyWhite, keyWhiteDown, keyBlack, keyBlackDown;
};

const resThemeRec& res_theme(void);
const char* res_fontFace(void);  // the one face of all artwork text
void res_setColor(cairo_t* cr, const resColorRec& c);
// A theme colour as 8-bit components (for the toolkit's RGBColor values).
void res_colorBytes(const resColorRec& c, unsigned char* r, unsigned char* g, unsigned char* b);

// ---- primitives: each paints inside x, y, w, h of the context -----------------------------------
// Looks of a button face.
enum { kResButtonSquare = 0, kResButtonRound = 1, kResButtonLed = 2, kResButtonTab = 3 };
// States of a painted element.
enum { kResNormal = 0, kResSelected = 1, kResDisabled = 2, kResDisabledSelected = 3 };

void res_paintBackground(cairo_t* cr, double x, double y, double w, double h);
// A bevelled panel; with a label, a section caption sits in a notch of its top edge.
void res_paintPanel(cairo_t* cr, double x, double y, double w, double h, const char* label);
void res_paintButton(cairo_t* cr, double x, double y, double w, double h, int look, int state,
                     const char* text);
// The mask of a button look: black where the button is, white elsewhere.
void res_paintButtonMask(cairo_t* cr, double x, double y, double w, double h, int look);
void res_paintTrack(cairo_t* cr, double x, double y, double w, double h, int horizontal);
void res_paintLevelFill(cairo_t* cr, double x, double y, double w, double h);
void res_paintSliderKnob(cairo_t* cr, double x, double y, double w, double h, int pressed);
void res_paintRoundKnob(cairo_t* cr, double x, double y, double w, double h, int pressed);
void res_paintKey(cairo_t* cr, double x, double y, double w, double h, int blackKey, int pressed);
void res_paintCell(cairo_t* cr, double x, double y, double w, double h, int selected);
// A downward pop-up arrow whose top edge is width wide.
void res_paintPopupArrow(cairo_t* cr, double x, double y, double width);
void res_paintText(cairo_t* cr, double x, double y, double w, double h, const char* text, double size,
                   const resColorRec& color, int align);  // align 0 left, 1 centre, 2 right

// ---- bitmap sets: paint and register under resource ids ---------------------------------------
// The painter of one bitmap of w x h pixels, with the caller's argument.
typedef void (*resPainter)(cairo_t* cr, int w, int h, const void* arg);
// Paints and registers bitmap id; 1 or 0.
int res_registerBitmap(int id, int w, int h, resPainter paint, const void* arg);
// A framed panel with an optional section label.
int res_registerPanel(int id, int w, int h, const char* label);
// Button pictures: for each state s, base + 8 s + 0 normal, 1 selected,
// 2 disabled, 3 disabled and selected, and for round and LED looks their
// masks at + 4 .. + 7. texts gives one label per state (null: none).
int res_registerButtonSet(int base, int w, int h, int states, int look, const char* const* texts);
// A draggy set: track, + 1 knob, + 2 level fill, + 3 pressed knob. A round
// knob when roundKnob is set, else a slider knob across the track.
int res_registerTrackSet(int track, int trackW, int trackH, int knobW, int knobH, int horizontal,
                         int roundKnob);
// Keyboard keys from base p: white keys C..B at p, p + 2, .. p + 12, the
// black key at p + 14, the top C at p + 16, each with its pressed picture at + 1.
int res_registerKeyboardSet(int base, int whiteW, int whiteH, int blackW, int blackH);
// A matrix or list cell at id and its selected version at id + 1.
int res_registerCellPair(int id, int w, int h);
// Number-box pieces from base b: b .. b + 2 step buttons of 1, 2, 3
// columns, b + 3 a pressed column, b + 4 .. b + 6 disabled step buttons,
// b + 7 / b + 8 the field's left end (pressed), b + 9 its middle, b + 10 its right end.
int res_registerNumboxSet(int base);

// ---- the program set -----------------------------------------------------------------------
// Registers the generic controls' bitmaps (number-box pieces 900..910) and
// the cursors ("caretCur", "upDownCur", "arrowOnCur", 143..150). Needs the
// platform layer started; 1 or 0.
int resources_registerAll(void);
int resources_registerCursors(void);
// Every bitmap id registered so far, in registration order, without repeats.
const std::vector<int>& resources_bitmapIds(void);

// ---- the Main window's set ------------------------------------------------------------------
// Bitmap ids of the Main window besides its backgrounds (129 top, 130..132
// one, two or three controller rows above the performance row), the
// instance buttons (1600 + 8 i) and the bend wheel (2248).
enum {
    kResMainEditorButtons = 2100,  // + 8 k: Patch, Waveform, Effect, LFO, Envelope, MIDI
    kResMainPageButtons = 2148,    // + 8 k: pages 0..7
    kResMainStore = 2212,
    kResMainStoreTo = 2220,
    kResMainPanic = 2228,
    kResMainKeys = 2236,
    kResMainBendRidge = 2249,
    kResMainHold = 2252,
    kResMainSustain = 2260,
    kResMainCell = 2268,     // and + 1 selected
    kResMainSlider = 2270,   // track, knob, fill, pressed knob
    kResMainKeyboard = 2274  // .. + 17
};
// Paints and registers the Main window's bitmaps; 1 or 0.
int res_registerMainWindowArt(void);

// ---- the Patch window's artwork ----------------------------------------------------------------
// Background 500, switches 508..575, wires 580..611, invert 616, edit 624,
// mono lamps 632, level track 640..643, frequency-mode glyphs 64..67. 1 or 0.
int res_registerPatchArt(void);

// ---- the Waveform window's artwork ---------------------------------------------------------------
// Main panel 1300, slider panel 1301, tool buttons 1316 + 8 k (line, half
// cosine, stretch, single harmonic, paint), mode tabs 1372 and 1380, the
// amplitude and offset sliders 1388..1391 and the start-point slider
// 1400..1403. 1 or 0.
int res_registerWaveArt(void);

// ---- the MIDI window's artwork -------------------------------------------------------------------
// Page panels 1200..1202, the note map fill 1203, page tabs 1216, 1224,
// 1232, the note-keyboard switch 1240, the controller button 1248 (its text
// written by the window), channel switches 416, 424, 432, the master filter
// switch 440 and the invert switch 472. 1 or 0.
int res_registerMidiArt(void);
// The channel switches 416, 424, 432, the master filter switch 440 and the
// invert switch 472, shared by the MIDI and LFO windows. 1 or 0.
int res_registerRoutingSwitches(void);

// ---- the LFO window's artwork --------------------------------------------------------------------
// The column with its captions 400, the "off" picture 401, the on switch
// 408, S/H 448, retrigger 456, one-for-all-voices 464, the controller
// button 480 (its text written by the window), and the routing switches
// above. 1 or 0.
int res_registerLfoArt(void);

// ---- the Effect window's artwork -----------------------------------------------------------------
// The client area with the top band 1000, the pages 1001 multicomb, 1002
// multitap, 1003 pipe, a comb's row 1004, the on switch 1016, a comb's
// switch 1032 and the pipe picture's markers 1048 (input), 1049, 1050
// (outputs 1 and 2). 1 or 0.
int res_registerEffectArt(void);

// ---- the "Transform waveform" window's artwork -------------------------------------------------
// Background 1410 (the client area), OK button 1416, Cancel button 1424.
enum {
    kResWtransPanel = 1410,
    kResWtransOk = 1416,
    kResWtransCancel = 1424,
    kResWtransWidth = 250,
    kResWtransHeight = 280
};
int res_registerWaveTransformArt(void);
// The envelope transform window's background 2300 (its client area), OK
// button 2308, Cancel button 2316.
enum {
    kResEnvTransPanel = 2300,
    kResEnvTransOk = 2308,
    kResEnvTransCancel = 2316,
    kResEnvTransWidth = 324,
    kResEnvTransHeight = 300
};
int res_registerEnvTransformArt(void);

// ---- the Envelope window's artwork --------------------------------------------------------------
// Header panel 1500, list frame 1502..1505 with its lines 1508 (1509
// selected), breakpoint panel 1506, mode panel 1507, buttons slide 1516,
// new envelope 1524, autoscale 1532 and grid 1540. 1 or 0.
int res_registerEnvArt(void);

// ---- the controls' own artwork and the toolkit gallery's set ----------------------------------
// Wave glyphs for pop-up bitmap items.
enum {
    kResGlyphSine = 0,
    kResGlyphTriangle,
    kResGlyphSaw,
    kResGlyphSquare,
    kResGlyphPulse,
    kResGlyphNoise,
    kResGlyphCount
};
void res_paintGlyph(cairo_t* cr, double x, double y, double w, double h, int glyph);
// Glyphs base + kResGlyphSine .. base + kResGlyphNoise, each w x h; 1 or 0.
int res_registerGlyphSet(int base, int w, int h);
// A two-axis pad for draggies: track (w x h), + 1 round knob (knob x knob),
// + 2 the pad again (no fill), + 3 the pressed knob; 1 or 0.
void res_paintPad(cairo_t* cr, double x, double y, double w, double h);
int res_registerPadSet(int track, int w, int h, int knob);
// Bitmap ids of the toolkit gallery (tools/toolkit-gallery). A button reads
// eight pictures per state, so button sets stay eight ids apart.
enum {
    kResGalleryPanelNumbox = 2800,
    kResGalleryPanelDraggy,
    kResGalleryPanelPopup,
    kResGalleryPanelButton,
    kResGalleryPanelDisplay,
    kResGalleryPanelMatrix,
    kResGalleryPanelList,
    kResGalleryPanelPanels,
    kResGalleryPanelInner,
    kResGalleryPanelKeyboard,
    kResGalleryStore = 2810,  // square, 1 state
    kResGalleryLed = 2820,    // LED with masks
    kResGalleryTab = 2830,    // three tabs at + 8 k
    kResGalleryMulti = 2854,  // square, 3 states (Sine, Saw, Square)
    kResGalleryRound = 2878,  // round with masks
    kResGalleryPlain = 2886,  // square without text (the toolkit writes it)
    kResGalleryLevel = 2894,  // horizontal track with level fill
    kResGalleryFader = 2898,  // vertical track
    kResGalleryPad = 2902,    // two-axis pad
    kResGalleryWheel = 2906,  // spring-back wheel
    kResGalleryCell = 2910,   // matrix cell and selected cell
    kResGalleryLine = 2912,   // list line and selected line
    kResGalleryKeys = 2914,   // keyboard, 18 pictures
    kResGalleryGlyphs = 2932  // six wave glyphs
};
// Paints and registers the gallery's bitmaps; 1 or 0.
int res_registerGalleryArt(void);
