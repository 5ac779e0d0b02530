// Building blocks for factory presets: each call sets one part of a sound
// through the instrument model's own setters, in the units a sound designer
// thinks in (semitones, seconds, hertz, percent).
#pragma once

#include "dsp/dsp.h"

// Built-in waves by name (identifiers of the built-in list).
enum {
    wave_sine = 0,
    wave_triangle = 1,
    wave_saw = 2,
    wave_sawSoft = 4,
    wave_sawSmooth = 6,
    wave_square = 7,
    wave_squareSoft = 9,
    wave_organ1 = 11,
    wave_organ2 = 12,
    wave_organ3 = 13,
    wave_organ4 = 14,
    wave_voxFem1 = 15,
    wave_voxFem2 = 16,
    wave_woodwind1 = 17,
    wave_woodwind2 = 18,
    wave_softTrump = 19,
    wave_bass = 20,
    wave_sawish = 21,
    wave_midbuzz = 22,
    wave_hibuzz = 24,
    wave_additive1 = 25,
    wave_additive2 = 26,
    wave_inharmonic1 = 27,
    wave_inharmonic2 = 28,
    wave_inharmonic3 = 29,
    wave_fracNoise = 30,
    wave_stairstep = 31,
    wave_brokenSpeaker = 32,
    wave_noise = 33,
    wave_triPointy = 36,
    wave_fifth = 37,
    wave_majTriad = 38,
    wave_bigChord = 40
};

// Filter destinations of envelopes (the envelope's param kinds).
enum { envTo_pitch = 2, envTo_fmIndex = 7, envTo_filterFreq = 9 };

// Starts from the default sound: channel 1 on with a sine, its amplitude
// envelope, nothing else; every LFO off.
void voice_begin(instRec* inst, const char* name, short poly);

// A channel playing one wave, transposed by semitones, at a level 0..1.
void voice_osc(instRec* inst, short ch, short wave, float semitones, float level);
// Two waves on one channel, the second detuned by cents, mixed by balance 0..1.
void voice_double(instRec* inst, short ch, short wave, short wave2, float cents, float balance);
// Frequency modulation: the modulating wave at ratio times the note, depth index.
void voice_fm(instRec* inst, short ch, short modWave, float ratio, float index);
// Ring modulation with a second wave at ratio times the note.
void voice_ringmod(instRec* inst, short ch, short modWave, float ratio, float balance);

// Amplitude envelope of a channel: attack, decay to sustain (0..1), release.
void voice_adsr(instRec* inst, short ch, float attackSec, float decaySec, float sustain, float releaseSec);
// A percussive amplitude envelope: attack, then a decay to silence; the
// release is the same decay.
void voice_decay(instRec* inst, short ch, float attackSec, float decaySec);
// A shaped envelope on another destination of a channel (envTo_...):
// from start to peak in attackSec, then to sustain in decaySec.
void voice_mod_env(instRec* inst, short ch, short to, float start, float peak, float attackSec, float sustain,
                   float decaySec);

// Filter 0..2 (a channel's) or 3 (master): mode, cutoff, Q.
void voice_filter(instRec* inst, short f, short mode, float hz, float q);
// Brighter notes for harder keys: how much velocity controls the channel's
// level (percent) and, through the filter velocity curve, its filter.
void voice_velocity(instRec* inst, short ch, float ampPercent, float filterPercent);

// LFO 0..2 as vibrato (period seconds, semitones), tremolo (percent) or a
// filter sweep (depth), routed to every channel.
void voice_vibrato(instRec* inst, short lfo, float periodSec, float semitones, float delayPhase);
void voice_tremolo(instRec* inst, short lfo, float periodSec, float percent);
void voice_filterSweep(instRec* inst, short lfo, short wave, float periodSec, float depth);
// Sample-and-hold: random steps of the filter every holdSec seconds.
void voice_sampleHold(instRec* inst, short lfo, float holdSec, float depth);

// Effects: an echo, a bank of six combs (a small room or chorus-like
// shimmer), three delay taps spread across the stereo field.
void voice_echo(instRec* inst, float seconds, float feedback, float wet);
void voice_combs(instRec* inst, float seconds, float feedback, float wet);
void voice_taps(instRec* inst, float seconds, float feedback, float wet);

// A user wave made of harmonics (amplitudes of partials 1..n); returns its
// identifier for the channel setters, -1 when the eight slots are taken.
short voice_additiveWave(instRec* inst, const float* partials, int n, const char* name);
// Stored controllers the preset sends when it is loaded (mod wheel etc.).
void voice_controller(instRec* inst, int cc, int value, const char* name);
// Mod wheel (controller 1) depth on the filters, in percent.
void voice_wheelToFilter(instRec* inst, float percent);
// Overall level and pan of the sound.
void voice_level(instRec* inst, float amp, float pan);
