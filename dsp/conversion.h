// Conversions between the instrument model's internal units and musical units.
//
// Amplitude is a linear factor; decibels follow 6 dB per doubling of
// amplitude. A note is a real MIDI note number, note 0 = 8.175798 Hz. A phase
// increment counts positions of a 1024-entry wave table per sample at the
// fixed reference rate of 44100 Hz (never the running rate of the plug-in).
// All functions are pure; none clamps its input.
#pragma once

// Writes value into text with 0 to 6 decimals. With 0 decimals the value is
// truncated toward zero to a 32-bit integer; any other count of decimals
// leaves text untouched. text must hold the longest text the format can
// produce (sign, 39 integer digits, point, six decimals and the terminator).
void floatToString(char* text, float value, short decimals);

double ampToDB(double amp);                 // 6 * log2(amp); exact 0 reads as 1e-8
double dBToAmp(double dB);                  // 2^(dB/6)
double noteToHertz(double note);            // 8.175798 * 1.0594630964^note
double noteToPhaseIncrement(double note);   // freqToPhaseIncrement(noteToHertz(note))
double hertzToNote(double hertz);           // inverse of noteToHertz
double transposeToRatio(double semitones);  // 2^(semitones/12)
double ratioToTranspose(double ratio);      // 12 * log2(ratio)
double freqToPhaseIncrement(double hertz);  // hertz * 1024 / 44100
double phaseIncrementToHertz(double inc);   // inc * 44100 / 1024
