// The "Transform waveform" window (toolkit window 13): one parameterised
// transform of the wave being edited in the Waveform window, computed live
// from the wave as it was when the window opened (the untransformed buffer)
// into the edit buffer and written into the wave after every change, so the
// plug-in plays it while a box is dragged. OK keeps the result, Cancel
// restores the frozen wave. Included by windows/windows.h.
//
// Index:
//   parameters ......... the transforms' settings, kept between uses      (wWtrans_transforms.cpp)
//   transforms ......... plain functions over 1024-sample buffers         (wWtrans_transforms.cpp)
//   filter tables ...... the six 481-entry coefficient tables             (wWtrans_transforms.cpp)
//   window ............. make, show, modes, OK and Cancel, the procedure  (wWtrans.cpp)
//   controls ........... the seven panels and their callbacks             (wWtrans_params.cpp)
#pragma once

#include "toolkit/toolkit.h"

// ---- parameters ------------------------------------------------------------------------------
extern float phaseOffset_offset;  // -1..1
extern float mix_ampA, mix_ampB;  // 0..1, a + b = 1 after a typed level
extern short waveID;              // wave B of Mix, the modulator of FM, the wave to load
extern int mix_phaseInvert;
extern float mix_phaseOffset;     // -1..1
extern float mix_freqRatio;       // 1..32, whole
extern short fract_iterations;    // 2..8
extern float fract_displacement;  // 0.001..1
extern double fract_ampScale;     // 0..1
extern short filter_mode;         // 1 lowpass 1st order, 2 lowpass 2nd order, 3 highpass 1st order
extern float filter_freq;         // 0.001..0.99
extern float fm_modIndex;         // 0..32
extern float fm_modFreq;          // 1..32, whole
extern float fm_modPhase;         // -1..1
extern float fm_carrierFreq;      // 1..32, whole
extern short wWtrans_shift;       // -64..64
// Transform kinds (wWtrans_mode).
enum {
    kWtransPhase = 1,
    kWtransMix = 2,
    kWtransFractalize = 3,
    kWtransFilter = 4,
    kWtransFM = 5,
    kWtransLoadWave = 6,
    kWtransShiftHarmonics = 7,
    kWtransLoadSpectrum = 8
};
extern short wWtrans_mode;

// ---- transforms: u the source, e the result, 1024 samples each ----------------------------------
// e[i] = u[(s + i) mod 1024], s = trunc(o * 1024) with o one turn of offset in 0..1.
void wWtrans_phaseData(const float* u, float* e, float offset);
// e = w * ampB + u * ampA, w wave b read with interpolation from the phase
// offset on, freqRatio samples further per sample, negated when invert.
void wWtrans_mixData(const float* u, const float* b, float* e, float ampA, float ampB, int invert,
                     float phaseOffset, float freqRatio);
// Self-similar copies of u squeezed into ever smaller segments (2^(n-1) at
// level n), scaled by ampScale per level, normalised to a peak of 0.98.
void wWtrans_fractalizeData(const float* u, float* e, short iterations, float displacement, double ampScale);
// The filter run over u as one cycle of a periodic signal, then DC removed
// and normalised; returns the frequency used (limited to 0.001..0.99).
float wWtrans_filterData(const float* u, float* e, short mode, float freq);
// u (the carrier) read at i * carrierFreq moved by the modulator m (read
// without interpolation at modFreq per sample from modPhase) times
// index * 1024 / 2pi.
void wWtrans_fmData(const float* u, const float* m, float* e, float index, float modFreq, float modPhase,
                    float carrierFreq);
// The same over the untransformed and edit buffers of the Waveform window
// and the parameters above.
void fractalize(const float* u, float* e);
// The data of wave id in the current instrument, or a silent cycle.
const float* wWtrans_waveData(short id);

// ---- filter tables: index n stands for 5 * 2^(n/40) Hz at 44100 Hz -------------------------------
enum { kWtransFilterSteps = 481 };
extern float lpf1Gain[kWtransFilterSteps], lpf1y1[kWtransFilterSteps], hpf1Gain[kWtransFilterSteps];
extern float lpf2Gain[kWtransFilterSteps], lpf2y1[kWtransFilterSteps], lpf2y2[kWtransFilterSteps];
// Fills the six tables (once; later calls do nothing).
void wWtrans_initFilterTables();

// ---- window (wWtrans.cpp) ------------------------------------------------------------------------
// Control ids: panels 1 (background) and 2..8 (one per kind, load wave
// shared by kinds 6 and 8), OK 9, Cancel 10, the title 11, parameters 12..30.
enum {
    kWtransMainPanel = 1,
    kWtransOk = 9,
    kWtransCancel = 10,
    kWtransTitle = 11,
    kWtransPhaseOffset = 12,
    kWtransMixDbA = 13,
    kWtransMixDbB = 14,
    kWtransMixWave = 15,
    kWtransMixInvert = 16,
    kWtransMixPhase = 17,
    kWtransMixRatio = 18,
    kWtransFractIterations = 19,
    kWtransFractDisplacement = 20,
    kWtransFractSlope = 21,
    kWtransFilterMode = 22,
    kWtransFilterFreq = 23,
    kWtransFmWave = 24,
    kWtransFmIndex = 25,
    kWtransFmModFreq = 26,
    kWtransFmModPhase = 27,
    kWtransFmCarrier = 28,
    kWtransLoadWaveWave = 29,
    kWtransShift = 30,
    kWtransObjects = 32
};
// The panel (2..8) of a transform kind, 0 for none.
short wWtrans_panelOfKind(short kind);
LRESULT CALLBACK wWtrans_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void wWtrans_setMode(short kind);
// Runs the current kind's transform from the untransformed buffer into the
// edit buffer and the wave.
void wWtrans_transform();
void wWtrans_updateWave();
void wWtrans_undoWave();
void wWtrans_callback_okCancelButtons(short id);

// ---- controls (wWtrans_params.cpp) --------------------------------------------------------------
void wWtrans_makeParams();
void wWtrans_updatePanel(short kind);
void wWtrans_processWavePopup(short popup, short menu, short item);
