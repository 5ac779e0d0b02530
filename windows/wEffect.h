// The Effect window (toolkit window 5): the master effect of the current
// instrument (gInst). A main panel with the on switch, the effect type and
// the dry and wet levels, over one page per type: pipe, multicomb and
// multitap. Delay times are entered in seconds or as tempo and beat. Every
// control writes through the effect model's setters straight into the
// shared record. Included by windows/windows.h; the window's make, show and
// update functions are declared there with the other windows'.
//
// Index:
//   ids ................ control ids, bitmaps, geometry
//   window ............. procedure, update, type, levels, on switch   (wEffect.cpp)
//   delay entry ........ seconds, tempo and beat of the three kinds   (wEffect_tempo.cpp)
//   pages .............. the pages' actions and updates               (wEffect_pages.cpp)
//   pipe picture ....... the bar and the position markers             (wEffect_pipe.cpp)
//   controls ........... building the window                          (wEffect_win.cpp)
#pragma once

#include "dsp/dsp.h"
#include "toolkit/toolkit.h"

// ---- ids ------------------------------------------------------------------------------------
enum {
    kEffectMainPanel = 1,  // bitmap 1000: the whole client area
    kEffectPipePage = 2,   // bitmap 1003
    kEffectCombPage = 3,   // bitmap 1001
    kEffectTapPage = 4,    // bitmap 1002
    kEffectActive = 5,
    kEffectType = 6,
    kEffectWet = 7,
    kEffectDry = 8,
    kEffectWetText = 9,
    kEffectDryText = 10,
    // pipe
    kPipeSecPanel = 11,
    kPipeTempoPanel = 12,
    kPipeTimeMode = 13,
    kPipeTime = 14,
    kPipeTempo = 15,
    kPipeBeat = 16,
    kPipeCtlLength = 17,
    kPipeFeedback = 18,
    kPipeLowpass = 19,
    kPipeOutPos1 = 20,  // outputs 0 and 1
    kPipeInPos = 22,
    kPipeCtlOut1 = 23,  // outputs 0 and 1
    kPipeInvertLength = 25,
    kPipeInvertOut1 = 26,  // outputs 0 and 1
    kPipePicture = 28,
    // multicomb: masters, then per comb k the ids below plus 9 k
    kCombSecPanel = 29,
    kCombTempoPanel = 30,
    kCombTimeMode = 31,
    kCombTime = 33,
    kCombTempo = 34,
    kCombBeat = 35,
    kCombFeedback = 36,
    kCombLowpass = 37,
    kCombChanPanel = 38,
    kCombChanOn = 39,
    kCombChanTime = 40,
    kCombChanCtlSens = 41,
    kCombChanInvert = 42,
    kCombChanFeedback = 43,
    kCombChanLowpass = 44,
    kCombChanGain = 45,
    kCombChanPan = 46,
    kCombIdsPerChan = 9,
    kCombChans = 6,
    // multitap: masters, then per tap k the ids below plus k
    kTapSecPanel = 93,
    kTapTempoPanel = 94,
    kTapTimeMode = 95,
    kTapTime = 96,
    kTapTempo = 97,
    kTapBeat = 98,
    kTapLowpass = 99,
    kTapTapTime = 101,
    kTapCtlSens = 104,
    kTapInvert = 107,
    kTapGain = 110,
    kTapPan = 113,
    kTapFeedback = 116,
    kTaps = 3,
    kEffectObjects = 117
};
// Bitmaps (resources/effect_art.cpp; 472 is the routing switches' invert
// switch, 1388 the Waveform window's level track).
enum {
    kEffectMainPict = 1000,
    kEffectCombPict = 1001,
    kEffectTapPict = 1002,
    kEffectPipePict = 1003,
    kEffectCombChanPict = 1004,
    kEffectActivePict = 1016,
    kEffectCombOnPict = 1032,
    kEffectInMarkPict = 1048,
    kEffectOut1MarkPict = 1049,
    kEffectOut2MarkPict = 1050,
    kEffectInvertPict = 472,
    kEffectLevelPict = 1388
};
// The client area, the pages' top, and the pipe picture's frame: the bar
// from x 54 to 477 at y 250, the markers at x = 51 + 423 p.
enum {
    kEffectWidth = 488,
    kEffectHeight = 288,
    kEffectPageTop = 55,
    kPipeBarLeft = 54,
    kPipeBarLength = 423,
    kPipeBarY = 250,
    kPipeMarkOffset = 3
};
// Delay kinds of the tempo entry.
enum { kDelayPipe = 1, kDelayComb = 2, kDelayTap = 3 };

// ---- window (wEffect.cpp) --------------------------------------------------------------------
extern int update_wEffect;
extern int g_pipeIsVisible;
LRESULT CALLBACK wEffect_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Type 1..3: selects the pop-up item, shows that page (hiding the others),
// sizes the window to its main panel, loads the levels and the pipe picture's state.
void wEffect_setMode(short mode);
// The sliders and read-outs from the stored dry and wet levels.
void wEffect_updateBalanceSliders();
// A level's read-out: "%2.1f dB", an integer when within 0.199 dB of one.
void wEffect_levelText(double level, char* out, int size);
// The picture shows while the effect is on, its type is pipe and the window is shown.
void wEffect_updatePipeAnimationState();
void wEffect_callback_activeButton(short id);
void wEffect_callback_type(short id, short menu, short item);
void wEffect_callback_sliders(short id);

// ---- delay entry (wEffect_tempo.cpp) -----------------------------------------------------------
double wEffect_tempoFromBeatAndSec(double beat, double sec);
double wEffect_beatFromTempoAndSec(double tempo, double sec);
double wEffect_getSecFromTempoAndBeat(double tempo, double beat, double maxSec);
double wEffect_getTempoMin(double beat, double maxSec);
double wEffect_getBeatMax(double tempo, double maxSec);
// The longest master time of a kind: 0.743015873 s for pipe and multicomb, 10 s for multitap.
double wEffect_maxSec(short kind);
// A time typed in seconds, a tempo, a beat: each moves the other boxes and
// their limits and stores the master time and the tempo.
void wEffect_setDelay(short kind, double sec);
void wEffect_setTempo(short kind, double tempo);
void wEffect_setBeat(short kind, double beat);
// The tempo and beat boxes from the stored master time and tempo.
void wEffect_updateTempo(short kind);
// Time mode 1 (seconds) or 2 (tempo and beat): the pop-up, the panel shown
// and, when store is set, the record's time mode.
void wEffect_setTimeMode(short kind, short mode, int store);
void wEffect_pipe_setMasterTimeMode(short mode, int store);
void wEffect_comb_setMasterTimeMode(short mode, int store);
void wEffect_tap_setMasterTimeMode(short mode, int store);
// The time mode kept in a kind's own record (seconds unless tempo).
short wEffect_storedTimeMode(short kind);
void wEffect_callback_timeMode(short id, short menu, short item);
void wEffect_callback_delay(short id);

// ---- pages (wEffect_pages.cpp) ------------------------------------------------------------------
short wEffect_guiIDToCombChan(short id);
void wEffect_updatePipe();
void wEffect_updateMulticomb();
void wEffect_updateMultitap();
// Shows or hides comb k's controls, with its switch.
void wEffect_showCombChan(short chan, int on);
void wEffect_callback_pipe(short id);
void wEffect_callback_comb(short id);
void wEffect_callback_combOn(short id);
void wEffect_callback_tap(short id);

// ---- pipe picture (wEffect_pipe.cpp) -------------------------------------------------------------
// The x of a position p (0..1) on the bar, the split of the lit part for a
// signed value v (-1..1).
int wEffect_pipeMarkX(double p);
int wEffect_pipeSplitX(double v);
// Draws the picture again when what it shows changed (or always when forced).
void wEffect_animatePipe(int force);
void wEffect_pipeEvent(short id, long event, long a, long b);

// ---- controls (wEffect_win.cpp) -------------------------------------------------------------------
void wEffect_makeParams();
