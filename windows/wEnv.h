// The Envelope window (toolkit window 7): the envelopes of the current
// instrument (gInst) as stacked strips on one time axis. Breakpoints are
// added, deleted and dragged with the mouse, the loop-start and sustain
// markers moved, times, levels and slopes typed into the breakpoint panel;
// both axes zoom and scroll, and a tempo grid can be drawn and snapped to.
// Every edit is written straight into the envelope in the instance's shared
// record, so the plug-in plays it at once. Included by windows/windows.h;
// the window's make, show and update functions are declared there.
//
// Index:
//   ids ................ control ids, bitmaps, geometry
//   window ............. procedure, scroll bars, layout, controls            (wEnv_win.cpp)
//   logic .............. update, list, selection, boxes, tempo, undo, copy    (wEnv.cpp)
//   strips ............. state, time <-> pixel, drawing, hit rectangles      (env_draw.cpp)
//   editing ............ clicks, drags, markers, adding and deleting         (env_edit.cpp)
//   rulers ............. time and level rulers, zooming, scrolling           (env_scales.cpp)
#pragma once

#include "dsp/dsp.h"
#include "toolkit/toolkit.h"
#include "windows/wEnvTrans.h"

// ---- ids ------------------------------------------------------------------------------------
enum {
    kEnvEmptyArea = 1,    // below the strips
    kEnvHeaderPanel = 3,  // bitmap 1500
    kEnvBpPanel = 4,      // bitmap 1506, the breakpoint boxes
    kEnvModePanel = 5,    // bitmap 1507, mode and transforms
    kEnvFirstStrip = 6,   // strips 6..21
    kEnvLastStrip = 21,
    kEnvListFrameTop = 22,
    kEnvListFrameSide = 23,
    kEnvListFrameBottom = 24,
    kEnvListFrameHead = 25,
    kEnvNewButton = 26,
    kEnvAutoscale = 27,
    kEnvSlide = 28,
    kEnvGrid = 29,
    kEnvBpm = 30,
    kEnvBeats = 31,
    kEnvTimeBox = 32,   // segment length, seconds
    kEnvPosBox = 33,    // position, seconds
    kEnvLevelBox = 34,  // level 0..1
    kEnvParamBox = 35,  // level in the destination's unit
    kEnvSlopeBox = 36,
    kEnvModePopup = 37,
    kEnvTransformPopup = 38,
    kEnvNameDisplay = 39,
    kEnvTimeRuler = 40,
    kEnvLevelRuler = 41,
    kEnvList = 42,
    kEnvObjects = 43
};
enum { kEnvStrips = 16 };
// Bitmaps of the window (resources/env_art.cpp).
enum {
    kEnvHeaderPict = 1500,
    kEnvListHeadPict = 1502,
    kEnvListTopPict = 1503,
    kEnvListSidePict = 1504,
    kEnvListBottomPict = 1505,
    kEnvBpPanelPict = 1506,
    kEnvModePanelPict = 1507,
    kEnvListLinePict = 1508,  // and 1509 selected
    kEnvSlidePict = 1516,
    kEnvNewPict = 1524,
    kEnvAutoscalePict = 1532,
    kEnvGridPict = 1540
};
// Geometry: strips start at x 146, y 115; the scroll bars are 15 pixels.
enum {
    kEnvStripLeft = 146,
    kEnvStripTop = 115,
    kEnvRulerTop = 98,
    kEnvBar = 15,
    kEnvHeaderHeight = 98,
    kEnvColumnWidth = 135
};
// Breakpoint selection values besides 0..67.
enum { kEnvBpStart = -1, kEnvBpNone = -2 };
const double kEnvRate = 44100.0;  // samples per second of breakpoint times

// ---- window (wEnv_win.cpp) -----------------------------------------------------------------------
LRESULT CALLBACK wEnv_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void wEnv_build();
void wEnv_makeParams();
// Lays out the list frame, the strips, the time ruler and the empty area
// for the window's client size.
void wEnv_resize();
void wEnv_resizeDisplayArea();
HWND wEnv_hScrollBar();
HWND wEnv_vScrollBar();
// The scroll bars follow the view (start time, strip stack).
void wEnv_updateScrollBars();

// ---- logic (wEnv.cpp) ---------------------------------------------------------------------------
extern short currentEditEnv;  // envelope shown in the breakpoint panel, -1 none
extern unsigned short envIdList[kEnvSlots];
extern int autoscale;
extern envInstRec envInstCopy, envInstUndo, envInstRedo;
extern short undoId;
void wEnv_updateEnvList();
void wEnv_displayEnvelopes();
int wEnv_envIsVisible(short index);
void wEnv_updateEnvParams();
void wEnv_updateParamNumbox();
void wEnv_timeBoxes_limit();
void wEnv_prepareUndo();
void wEnv_prepareRedo();
void wEnv_undoCallback(short control);
void wEnv_callback_list(short id);
void wEnv_callback_newButton(short id);
void wEnv_callback_toggles(short id);
void wEnv_callback_bpmNumbox(short id);
void wEnv_callback_beatNumbox(short id);
void wEnv_callback_timeNumbox(short id);
void wEnv_callback_ampNumbox(short id);
void wEnv_callback_paramNumbox(short id);
void wEnv_callback_slopeNumbox(short id);
void wEnv_callback_modePopup(short id, short menu, short item);
void wEnv_callback_transformPopup(short id, short menu, short item);
// Part of the envelope transforms and the "New Envelope" dialog that the
// window calls: the transform window on a kind (1 scale, 2 set duration, 3
// pulses), resetting the selected envelope to the default shape, and the
// dialog that adds an envelope (its slot, or -1 when none was made).
void wEnvTrans_show(int show, int kind);
void wEnvTrans_initialize();
short wNewEnv_openDialog();
// Adds envelope index to the strips shown (its list line selected) and
// selects its strip.
void wEnv_showEnvelope(short index);
// The name of a parameter kind of channel chan ("" for none), at most 23 characters.
void envEd_getName(char* buffer, short param, short chan);
// Level a (0..1) of a parameter in its unit and back (clamped 0..1).
double wEnv_ampToParam(short param, short chan, double a);
double wEnv_paramToAmp(short param, short chan, double value);
double wEnv_getOscilFreq(short mode, double base, double a);
double wEnv_getAmpFromFreq(short mode, double value, double base);
// Step rule of the two time boxes.
double numbox_envTimeIncrement(double value, short delta, short column);
// The tempo grid in the instrument record.
double wEnv_gridLength();  // samples of `beats` beats
float wEnv_gridBeats();

// ---- strips (env_draw.cpp) ----------------------------------------------------------------------------
struct envHitRec {
    RECT rect;
    short index;  // breakpoint index
};
struct envEdRec {
    short envId;    // envelope shown, -1 none
    short top;      // where the strip's level 1 lies (may be above the visible part)
    RECT start;     // the start-level square
    RECT loop;      // the loop-start marker (empty when not drawn)
    RECT sustain;   // the sustain marker (empty when not drawn)
    short squares;  // breakpoint squares built by the last drawing
    envHitRec square[kEnvBreakpoints];
};
extern double envEd_pixPerSec, envEd_pixPerSecCoef, envEd_startTime;
extern long envEd_height;
extern int g_envEd_drawGrid, g_envEd_lock, g_drawEnvName;
extern short g_envEd_selectedEnv, g_envEd_selectedBp, g_envEd_selectedParam, g_envEd_selectedChan;
extern long envEd_vScrollPos;
void envEd_new(short id, short x, short y);
void envEd_delete(short id);
void envEd_resize(short id, short width, short height);
envEdRec* envEd_get(short id);
// The index of the envelope's last breakpoint, kept within 0..67 whatever the record holds.
short envEd_lastPoint(const envInstRec* env);
void envEd_setEnvId(short id, short env);
short envEdGetEnvId(short id);
void envEd_update(short id);
void envEd_draw(short id);
void envEd_drawAll();
void envEd_drawSelected();
double envEd_getBreakpointAbsTime(const envInstRec* env, short i);  // seconds
double envEd_timeToPix(double left, double t);
double envEd_pixToTime(double left, double x);
void envEd_selectEnvelope(short id);
void envEd_selectBreakpoint(short index);
void envEd_updateSelectEnvelope();
envInstRec* envEd_getEnvInstRec();
envBreakpointRec* envEd_getEnvInstSelectedBp();
short envEd_getCurrentId();
short envEd_getCurrentParam();
short envEd_getCurrentChan();
void envEd_setShowGrid(int on);
void envEd_setLockSlide(int lock);
void envEd_enableAll(int enable);

// ---- editing (env_edit.cpp) -------------------------------------------------------------------------
void envEd_click(short id);
void envEd_rightClick(short id, short h, short v);
// The breakpoint (0..67) whose square holds the point, -1 for the start
// square, kEnvBpNone for none.
short envEd_hitBreakpoint(short id, short h, short v);
void envEd_newBreakpoint(short id, envInstRec* env, double seconds, float level);
void envEd_deleteBreakpoint(short id, envInstRec* env, short i);
void envEd_verifyLoopPoint(envInstRec* env);
void envEd_snapToGrid(envInstRec* env, short i);
void envEd_scaleRetrigEnvelopes(instRec* inst, double factor);

// ---- rulers (env_scales.cpp) ---------------------------------------------------------------------------
void envEd_newHScale(short id, short x, short y);
void envEd_newVScale(short id, short x, short y);
void envEd_hScale_draw(short id);
void envEd_vScale_draw(short id);
void envEd_zoomH(double pixPerSec);
void envEd_zoomV(long height, short fromStrip);
void envEd_setStartTime(double seconds);
double envEd_getStartTime();
long envEd_getPixPerSec();
long envEd_getVScrollScale();
void envEd_vScroll(long pos);
// The smallest client area that shows the header up to its breakpoint panel
// and one strip with the scroll bars; 0 before the window is built.
int wEnv_minimumContentSize(short* width, short* height);
// Places the visible strips from y 115 (scrolled by the vertical position).
void envEd_restack();
// The time ruler's tick spacing in pixels for a pixel rate.
double envEd_tickSpacing(double pixPerSec);
