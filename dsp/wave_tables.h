// The stored tables of the built-in wave list: constant single cycles of
// 1024 floats. Their values are written at build time by the generator in
// dsp/wave_tables_gen/ (a deterministic program: harmonic recipes and
// fixed-seed noise), compiled into this library from the build tree.
#pragma once

extern const float sawReal[1024];        // falls linearly 0.9801 .. -0.9801
extern const float sawFilt1[1024];       // saw through a low-pass, corner at harmonic 24
extern const float sawFilt2[1024];       // corner at harmonic 8
extern const float sawFilt3[1024];       // corner at harmonic 3
extern const float saw_smooth[1024];     // saw with smoothed corners
extern const float squareReal[1024];     // 0.9801 for the first half, -0.9801 after
extern const float squareFilt1[1024];    // square through a low-pass, corner at harmonic 15
extern const float squareFilt2[1024];    // corner at harmonic 5
extern const float squareFractal[1024];  // squares of a third the period laid over squares
extern const float organ1[1024];         // drawbar registrations
extern const float organ2[1024];
extern const float organ3[1024];
extern const float organ4[1024];
extern const float voxFem1[1024];    // female vowel "a" (formants 850, 1220, 2810 Hz)
extern const float voxFem2[1024];    // female vowel "i" (formants 310, 2790, 3310 Hz)
extern const float woodwind1[1024];  // clarinet: odd harmonics
extern const float woodwind2[1024];  // oboe: strong second to fourth harmonics
extern const float softTrump[1024];  // muted brass
extern const float bass1[1024];
extern const float sawish[1024];
extern const float midbuzz1[1024];       // pulse of 12 equal harmonics
extern const float midbuzz2[1024];       // pulse with its energy around harmonic 9
extern const float hibuzz1[1024];        // narrow pulse of 64 harmonics
extern const float inharmonic1[1024];    // stiff-string partials
extern const float inharmonic2[1024];    // free-bar modes
extern const float inharmonic3[1024];    // drum-membrane modes
extern const float fracNoise[1024];      // 1/f noise
extern const float stairstep[1024];      // runs of 0.98, 0.49, 0, -0.49, -0.98
extern const float brokenSpeaker[1024];  // clipped outward, rattling inward
extern const float waveT_noise1[1024];   // white
extern const float waveT_noise2[1024];   // low-passed
extern const float waveT_noise3[1024];   // band-limited to 48 harmonics
extern const float waveT_triPointy[1024];
extern const float waveT_fifth[1024];      // voices on partials 2 and 3
extern const float waveT_majTriad1[1024];  // partials 4, 5, 6
extern const float waveT_majTriad2[1024];  // partials 3, 4, 5
extern const float waveT_bigChord[1024];   // partials 2, 4, 5, 6, 8, 10, 12, 15
