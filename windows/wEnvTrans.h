// The envelope transforms (toolkit window 14, class "wEnvTrans_Wnd") and
// the "New Envelope" dialog, the Envelope window's two companions.
// The transform window scales, re-times or regenerates the envelopes chosen
// in its list: all 24 envelopes are saved when it opens, every change of a
// box or of the list computes the transform anew from the saved envelopes
// and writes all 24 into the instance's shared record, so the plug-in plays
// the preview at once. OK keeps it, Cancel puts back the saved envelopes
// byte for byte. Included by windows/wEnv.h.
//
// Index:
//   parameters ......... the transforms' settings, kept until the program ends (wEnvTrans_transforms.cpp)
//   transforms ......... one envelope from its saved record                   (wEnvTrans_transforms.cpp)
//   window ............. show, modes, list, dump and restore, OK and Cancel   (wEnvTrans.cpp)
//   controls ........... the three panels and their boxes                     (wEnvTrans_params.cpp)
//   New Envelope ....... modules, free parameters, creating                   (wNewEnv_win.cpp)
#pragma once

#include "dsp/dsp.h"
#include "toolkit/toolkit.h"

// ---- parameters ------------------------------------------------------------------------------
extern double scale_time;        // 0..100
extern double scale_amp;         // 0..1
extern double scale_ampOffset;   // 0..1
extern double scale_slope;       // 0..100
extern double setDur_seconds;    // 0.001..1000
extern double setDur_bpm;        // 20..1000
extern double setDur_beats;      // 0.03125..16
extern int setDur_tempoBased;    // the target is bpm and beats rather than seconds
extern double genAR_bpm;         // 20..1000
extern double genAR_beatDur;     // 0.03125..16 beats per pulse
extern int genAR_numBeats;       // 1..32 pulses
extern double genAR_attackTime;  // 0..1 of a pulse
extern double genAR_minAmp;      // 0..1
extern double genAR_slope;       // 0.001..100
enum { kEnvTransScale = 1, kEnvTransSetDur = 2, kEnvTransGenAR = 3 };
extern short wEnvTrans_mode;
// The envelopes as the window found them, and the transformed copies last
// written into the instrument.
extern envInstRec envInstOrig[kEnvSlots], envInstEdit[kEnvSlots];

// ---- transforms: to becomes from, transformed (from and to may not overlap) -------------------
// Levels and the start level times amp plus offset (0.0001..1), slopes
// times slope (0.0001..100), times times time (at least 10 samples).
void wEnvTrans_scaleEnv(const envInstRec* from, envInstRec* to, double time, double amp, double offset,
                        double slope);
// The target length in seconds of Set Duration: seconds (0.01..10000), or
// with tempoBased 60 / bpm (1..1000) * beats (0.01..10000).
double wEnvTrans_setDurTarget(int tempoBased, double seconds, double bpm, double beats);
// Every breakpoint time scaled so that the envelope lasts target seconds
// from its start (its loop start in "Loop" mode) to its release point (at
// least 1 sample each). 0, with to an unchanged copy, when that part has
// no length to scale.
int wEnvTrans_setDurEnv(const envInstRec* from, envInstRec* to, double target);
// numBeats attack/release pulses of 60 / bpm * beatDur seconds each: 2n + 1
// breakpoints, sustain and release at 2n - 1, the start level at minAmp.
void wEnvTrans_genAREnv(const envInstRec* from, envInstRec* to, double bpm, double beatDur, int numBeats,
                        double attack, double minAmp, double slope);

// ---- window (wEnvTrans.cpp) ----------------------------------------------------------------------
// Control ids: the background 1, one panel per kind 2..4, OK 5, Cancel 6,
// the description 7, the boxes 8..20 and the target read-out of Set Duration 21.
enum {
    kEnvTransMainPanel = 1,
    kEnvTransScalePanel = 2,
    kEnvTransSetDurPanel = 3,
    kEnvTransGenARPanel = 4,
    kEnvTransOk = 5,
    kEnvTransCancel = 6,
    kEnvTransDescription = 7,
    kEnvTransTimeScale = 8,
    kEnvTransAmpScale = 9,
    kEnvTransAmpOffset = 10,
    kEnvTransSlopeScale = 11,
    kEnvTransSeconds = 12,
    kEnvTransSetDurBpm = 13,
    kEnvTransSetDurBeats = 14,
    kEnvTransGenARBpm = 15,
    kEnvTransBeatDur = 16,
    kEnvTransNumBeats = 17,
    kEnvTransAttack = 18,
    kEnvTransMinAmp = 19,
    kEnvTransGenARSlope = 20,
    kEnvTransTarget = 21,
    kEnvTransObjects = 24
};
// The child id of the envelope list box.
enum { kEnvTransList = 100 };
LRESULT CALLBACK wEnvTrans_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void wEnvTrans_build();
HWND wEnvTrans_listBox();
void wEnvTrans_setMode(short kind);
// The list in envIdList order, then the envelopes the Envelope window shows selected.
void wEnvTrans_fillList();
void wEnvTrans_selectVisible();
int wEnvtrans_shallWeEditThisEnv(short index);
void wEnvTrans_loadAllEnvToBuffer();
// Runs the current kind from the saved envelopes and dumps the result.
void wEnvTrans_transform();
void wEnvTrans_dumpAllEditEnv();
void wEnvTrans_restoreOrigEnv();
void wEnvTrans_callback_okCancel(short id);
// 1 while the window is open on the current instrument's envelopes.
int wEnvTrans_isOpen();
// When the instrument no longer holds what the window last wrote (another
// preset, another instance), the window closes and leaves the envelopes alone.
void wEnvTrans_checkStillOpen();

// ---- controls (wEnvTrans_params.cpp) -------------------------------------------------------------
void wEnvTrans_makeParams();
// The parameters of a kind into its boxes, with its description.
void wEnvTrans_updatePanel(short kind);

// ---- New Envelope (wNewEnv_win.cpp) ---------------------------------------------------------------
enum { newEnvItem_modules = 32, newEnvItem_params = 33, newEnvItem_create = 34, newEnvItem_cancel = 35 };
enum { kNewEnvModuleOscil = 1, kNewEnvModuleFilter = 2, kNewEnvModuleMod = 3 };
struct newEnvItemRec {
    short kind;  // kNewEnvModule*
    short channel;
};
extern newEnvItemRec moduleItems[10];
extern short moduleItemCount;
extern short paramItems[10];
extern short paramItemCount;
void wNewEnv_registerTemplate();
void wNewEnv_buildModuleList(HWND dlg);
void wNewEnv_buildParamList(HWND dlg);
// 1 when no envelope has param on chan.
int wNewEnv_paramIsFree(short param, short chan);
// Creates the envelope chosen in the dialog; the slot, or -1 (none chosen, or no slot free).
short wNewEnv_create(HWND dlg);
