// The Waveform window (toolkit window 4) and its two editors: it edits the
// eight user waves of the current instrument (gInst), one at a time, in the
// time domain (the wave editor, control 22) or as 64 harmonics (the
// spectrum editor, control 25). Every edit is written straight into the
// wave in the instance's shared record, so the plug-in plays it at once.
// Included by windows/windows.h; the window's make, show and update
// functions are declared there with the other windows'.
//
// Index:
//   ids ................ control ids, modes, tools
//   window ............. procedure, show, update, wave list, modes, undo        (wWave.cpp)
//   controls ........... building, sliders, start point, read-out, pop-ups      (wWave_controls.cpp)
//   wave data .......... amplitude, offset, immediate transforms, work buffers   (wWave_transforms.cpp)
//   WAV extraction ..... wavFile_readCycle and "Extract from WAV..."             (wavFile.cpp, wWave_transforms.cpp)
//   wave editor ........ drawing points, drawing, strokes, stretch bounds strip  (wWave_editor.cpp)
//   drawing tools ...... line, half cosine, stretch, DC removal, normalising     (wWave_tools.cpp)
//   spectrum ........... analysis, synthesis, spectrum transforms                (spectrum_editor.cpp)
//   spectrum view ...... drawing and editing the harmonics                      (spectrum_view.cpp)
#pragma once

#include "dsp/dsp.h"
#include "toolkit/toolkit.h"

// ---- ids ------------------------------------------------------------------------------------
enum {
    kWaveMainPanel = 1,      // bitmap 1300, holds everything
    kWaveWavePanel = 2,      // the waveform page
    kWaveSpectrumPanel = 3,  // the spectrum page
    kWaveSliderPanel = 4,    // bitmap 1301, amplitude and offset
    kWaveModeWave = 5,
    kWaveModeSpectrum = 6,
    kWaveAmpSlider = 7,
    kWaveOffsetSlider = 8,
    kWaveToolLine = 9,
    kWaveToolHalfCosine = 10,
    kWaveToolStretch = 11,
    kSpectrumToolSingle = 12,  // holds the pressed harmonic for the whole drag
    kSpectrumToolPaint = 13,   // paints across harmonics
    kWaveAmpDisplay = 14,
    kWaveOffsetDisplay = 15,
    kWaveListPopup = 16,
    kWaveTransformPopup = 17,
    kSpectrumTransformPopup = 18,
    kWaveInfo1 = 19,
    kWaveInfo2 = 20,
    kWaveInfo3 = 21,
    kWaveEditor = 22,
    kWaveStartSlider = 23,
    kWaveBounds = 24,
    kSpectrumEditor = 25,
    kWaveObjects = 26
};
// Bitmaps of the window (resources/wave_art.cpp).
enum {
    kWavePanelPict = 1300,
    kWaveSliderPanelPict = 1301,
    kWaveToolPicts = 1316,  // + 8 k: line, half cosine, stretch, single harmonic, paint
    kWaveModeWavePict = 1372,
    kWaveModeSpectrumPict = 1380,
    kWaveSliderPict = 1388,  // track, knob, fill, pressed knob
    kWaveStartPict = 1400    // track, knob, fill, pressed knob
};
// The editors' view: 512 x 257 pixels at 10, 82 of the window.
enum { kWaveEdX = 10, kWaveEdY = 82, kWaveEdWidth = 512, kWaveEdHeight = 257 };
enum { kWaveSamples = 1024, kHarmonics = 64 };

// ---- window (wWave.cpp) ----------------------------------------------------------------------
extern short currentEditWave;  // user wave 0..7 being edited, -1 when none is allocated
extern short currentUndoWave;  // user wave whose undo copy is armed, -1 for none
extern long wWave_mode;        // 0 waveform, 1 spectrum
extern long wWave_waveToolMode;
extern long wWave_spectrumToolMode;
LRESULT CALLBACK wWave_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
short wWave_getCurrentEditWave();
// The data of the wave being edited, null when none.
float* wWave_currentWave();
// Opens the window on user wave index (0..7), just made by "new...".
void wWave_openWithNewWave(short index);
// Enables or disables the editors, the sliders and the pop-ups (the
// transform window keeps them disabled while it is open).
void wWave_enableEditor(int enable);
void wWave_buildWavePopup();
void wWave_setMode(long mode);
void wWave_callback_waveMenu(short id, short menu, short item);
void wWave_callback_modeButtons(short id);
void wWave_callback_waveTools(short id);
void wWave_callback_spectrumTools(short id);
// Undo through the application's undo state (mode 3).
void wWave_prepareUndo();
void wWave_prepareRedo();
void wWave_noUndo();

// ---- controls (wWave_controls.cpp) ------------------------------------------------------------
void wWave_makeParams();
void wWave_callback_sliders(short id);
void wWave_callback_startpointSlider(short id);
void wWave_callback_waveTransformPopup(short id, short menu, short item);
void wWave_callback_spectrumTransformPopup(short id, short menu, short item);
// The mouse read-out: kind 0 waveform, 1 spectrum, 2 start point, 3 empty.
void wWave_trackMouse();
void wWave_updateInfo(long kind);

// ---- wave data (wWave_transforms.cpp) -----------------------------------------------------------
extern float wWave_currentOffset, wWave_currentOffLimitTop, wWave_currentOffLimitBottom;
// Largest |sample| of 1024.
float wWave_getAmp(const float* data);
// Offset (max + min) / 2, 0 within 0.02; sets the current offset and how far
// it may still move up and down.
float wWave_getOffset(const float* data);
// Both scale or shift the undo copy of the wave into the wave, so a whole
// drag is relative to the wave as it was at the press.
void wWave_setAmp(float amp);
void wWave_setOffset(float offset);
void wWave_updateOffset();
void wWave_updateAmpAndOffset();
void wWave_transform_normalize();
void wWave_transform_dcOffset();
void wWave_transform_invertPhase();
void wWave_transform_reverse();
void wWave_transform_clear();
void wWave_transform_importWav();
// The work buffers of the transform window: it computes into the edit
// buffer from the untransformed copy of the wave and writes the result back.
// The copies do nothing without a current wave.
float* wWave_getEditBuffer();
float* wWave_getUntransformedBuffer();
void wWave_waveToUntransformedBuffer();
void wWave_untransformedBufferToWave();
void wWave_editBufferToWave();

// ---- WAV extraction (wavFile.cpp) -----------------------------------------------------------------
// Outcome of reading a WAV file, one per message of "Extract from WAV...".
enum {
    kWavOk = 0,
    kWavOpenFailed = 18334,
    kWavNoRiff = 18335,
    kWavNoFormat = 18336,
    kWavShortFormat = 18337,
    kWavAscendFailed = 18338,
    kWavNoData = 18339,
    kWavUnsupported = 1
};
// Reads one cycle from the start of a WAV file's data into cycle (1024
// floats): 16-bit (or wider, by its top 16 bits) PCM, mono or stereo (the
// left channel), each sample / 32767 limited to +-0.99, a file shorter than
// 1024 frames stretched over the cycle and sloping to 0 at its end. The
// file is closed on every path and cycle is written only on success.
int wavFile_readCycle(const char* path, float* cycle);
// The message box text of an outcome (null for kWavOk).
const char* wavFile_message(int outcome);

// ---- wave editor (wWave_editor.cpp) ------------------------------------------------------------------
extern short waveStartIndex;  // anchor of the line and half-cosine tools
extern float waveStartAmp;    // value under the pointer when a stroke begins
extern short waveStretchBoundsL, waveStretchBoundsR;
extern int waveEdDragging;
void waveEd_new(short id, short x, short y);
void waveEd_draw(short id);
void waveEd_buildDrawPoints(short id);
void waveEd_update(short id);
void waveEd_click(short id);
void waveEd_setCurrentTool(short buttonId);
void waveEd_setWaveStartIndex(short index);
short waveEd_getStartIndex();
// The drawing point k (0..511) of the current view, y in window coordinates.
POINT waveEd_getDrawPoint(short k);
void waveBounds_new(short id, short x, short y);
void waveBounds_show(short id, int show);
void waveBounds_draw(short id);
void waveBounds_click(short id);

// ---- drawing tools (wWave_tools.cpp) ------------------------------------------------------------------
// tool(source, destination, index, value) over 1024 floats: the destination
// is the source with the tool's stroke from the anchor (waveStartIndex, or
// the stretch bounds) to index reaching value.
typedef void (*waveToolProc)(const float* src, float* dst, short index, float value);
void waveEd_line(const float* src, float* dst, short index, float value);
void waveEd_halfCosine(const float* src, float* dst, short index, float value);
void waveEd_stretch(const float* src, float* dst, short index, float value);
// Peak 0.995 (a silent buffer stays silent), then subnormals flushed.
void waveEd_normalizeData(float* data);
// Removes the mean, then normalises.
void waveEd_dcOffsetData(float* data);

// ---- spectrum (spectrum_editor.cpp) ----------------------------------------------------------------------
struct harmonicRec {
    double amp;
    double phase;  // a component amp * sin(k theta + phase)
};
extern harmonicRec harmonics[kHarmonics];
extern harmonicRec untransHarmonics[kHarmonics];
extern float hiFreqWave[kWaveSamples];  // what the 64 harmonics leave out
extern float tempWave[kWaveSamples];
// Analyses 1024 samples into 64 harmonics (amplitudes not normalised).
void spectrum_analyze(const float* wave, harmonicRec* out);
void spectrum_calculate(short id);
void spectrum_normalize();
void spectrum_getBrite();
void spectrum_synthesize(float* out, int addResidual);
void spectrum_invertPhase();
void spectrum_clearAmpAndOrPhase(int amps, int phases);
// Harmonic k takes untransHarmonics k - n; the ones without a source are 0.
void spectrum_shiftHarmonics(short n);
void spectrum_spectrumToUntransformedBuffer();
// Harmonic k is 1..64; other numbers give 0.
double spectrum_getHarmonicAmp(short k);
double spectrum_getHarmonicPhase(short k);

// ---- spectrum view (spectrum_view.cpp) ---------------------------------------------------------------------
extern short harmonic_pixAmp[kHarmonics];    // top of the bar below the band's top, 0..128
extern short harmonic_pixPhase[kHarmonics];  // phase mark, 0..126
void spectrum_new(short id, short x, short y);
void spectrum_create(short id);
void spectrum_update(short id);
// Draws harmonic (1..64), or all of them for -1; flag 1 draws the
// background of the whole view first.
void spectrum_draw(short id, short harmonic, int flag);
void spectrum_pixUpdate();
void spectrum_click(short id);
void spectrum_setCurrentTool(short buttonId);
short spectrum_getCurrentHarmonic();
void spectrum_updateSelectHarmonic(short k);
// After a change of harmonics: synthesise into the wave, redraw, read-out.
void spectrum_afterChange();
