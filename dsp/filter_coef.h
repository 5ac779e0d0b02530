// The filters' constant coefficient tables: sixteen tables of 481 floats,
// row i standing for the frequency index i (5 * 2^(i/40) Hz, w = 2*pi*f/44100).
// They are stored one after another in the order below. The plug-in's audio
// code reads all of them; in this program the waveform transforms use the
// one- and two-pole tables to filter a wave.
//
// The data are generated once by dsp/filter_coef_gen.py into
// dsp/filter_coef_globals.cpp (each value computed in double precision and
// rounded once to float), so every build carries exactly the same numbers.
#pragma once
#include <cstddef>

enum { kFilterCoefRows = 481, kFilterCoefTables = 16 };

struct filterCoefRec {
    float lpf1Gain[kFilterCoefRows];  // 1 - e^-w: one-pole lowpass input gain
    float lpf1y1[kFilterCoefRows];    // e^-w: one-pole feedback
    float hpf1Gain[kFilterCoefRows];  // (1 + e^-w) / 2: one-pole highpass gain
    float lpf2y1[kFilterCoefRows];    // 2 e^(-w/sqrt2) cos(w/sqrt2): two-pole feedback 1
    float lpf2y2[kFilterCoefRows];    // -e^(-sqrt2 w): two-pole feedback 2
    float lpf2Gain[kFilterCoefRows];  // 1 - lpf2y1 - lpf2y2: two-pole unity gain at 0 Hz
    float resonX1[kFilterCoefRows];   // -2 cos w: resonator feed-forward
    // Input gain of the two-pole (12 dB) highpass: close to 0.53 over the
    // lower octaves, easing down to 0.119 at the top so that the highpass
    // keeps its level where the poles approach the Nyquist frequency.
    float hpf2Gain[kFilterCoefRows];
    float resonNotchGain[kFilterCoefRows];  // (1 + e^(-w/30)) / 2: notch gain
    float resonNotchY1[kFilterCoefRows];    // (1 + e^(-w/30)) cos w: notch feedback 1
    float resonNotchY2[kFilterCoefRows];    // -e^(-w/30): notch feedback 2
    float resonBandGain[kFilterCoefRows];   // 2 / (1 - e^(-w/30)): band-pass gain
    // Resonance feedback scaling of the 24 dB lowpass: how much of the
    // resonance setting is fed back at each frequency, falling from 1.9 to
    // 0.62 toward the top so that full resonance stays stable.
    float lpf3Res[kFilterCoefRows];
    // Resonance scaling of the 12 dB filters (lowpass, highpass, notch):
    // large at low frequencies, where the poles sit close together, falling
    // geometrically over two decades toward the top.
    float lpf2Res[kFilterCoefRows];
    // The second resonance scaling set of the 12 dB filters, falling faster
    // through the middle rows than lpf2Res.
    float lpf2Res10[kFilterCoefRows];
    // Gain correction of the resonant 12 dB filters: 10 for rows 0 to 120
    // (up to 40 Hz), falling smoothly to 0 by row 320 (1280 Hz), where no
    // correction is needed, and 0 above.
    float lpf2GainAdj[kFilterCoefRows];
};
static_assert(sizeof(filterCoefRec) == sizeof(float) * kFilterCoefRows * kFilterCoefTables,
              "the coefficient tables lie directly after one another");
static_assert(offsetof(filterCoefRec, hpf2Gain) == 7 * sizeof(float) * kFilterCoefRows,
              "coefficient table order");
static_assert(offsetof(filterCoefRec, lpf2GainAdj) == 15 * sizeof(float) * kFilterCoefRows,
              "coefficient table order");

// The tables (filter_coef_globals.cpp).
extern const filterCoefRec filterCoef;

// Kept for the plug-in's interface: the tables are constant data, so neither
// has anything to do.
void filterCoef_resetTables();
void filterCoef_calcTables();
