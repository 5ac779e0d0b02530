// Envelopes: 24 breakpoint envelopes per instrument; slots 0..2 are the
// amplitude envelopes of the three channels.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct instRec;

#pragma pack(push, 4)
// One breakpoint, 16 bytes: the segment ending here lasts `time` samples and
// runs from the previous level to `level` as a0 + (a1 - a0) * t^slope.
struct envBreakpointRec {
    double time;
    float level;
    float slope;
};
static_assert(sizeof(envBreakpointRec) == 16, "envBreakpointRec is 16 bytes");

// One envelope slot, 1152 bytes (the double sits at offset 52 under 4-byte
// packing; the breakpoints start at 64).
struct envInstRec {
    int16_t kind;          // always 1
    int16_t pad1;
    int32_t shown;         // set when an envelope is created; "active" to voices
    int32_t inUse;         // slot occupied
    int32_t spare;
    int32_t global;        // shared by all voices
    int16_t envMode;       // 1 Release, 2 Sustain, 3 Loop, 4 Retrigger
    int16_t param;         // destination kind, 0 = none, 1 = oscillator amp
    int16_t channel;
    int16_t sustainPoint;
    int16_t releasePoint;
    int16_t lastPoint;     // breakpoint count - 1
    int16_t loopStart;
    int16_t pad2;
    float scale1;
    float offset;
    float scale2;
    float scale3;
    double reserved;
    float depth;           // start level at time 0
    envBreakpointRec bp[kEnvBreakpoints];
};
static_assert(offsetof(envInstRec, shown) == 4, "envInstRec layout");
static_assert(offsetof(envInstRec, reserved) == 52, "envInstRec double at 52");
static_assert(offsetof(envInstRec, bp) == 64, "envInstRec breakpoints at 64");
static_assert(sizeof(envInstRec) == 1152, "envInstRec is 1152 bytes");

// Per envelope slot and voice, 64 bytes.
struct envVoiceRec {
    int16_t voice;
    int16_t env;
    int16_t curBp;
    int16_t state;         // 0 idle, 1 released (higher values: audio code)
    int16_t nextBp;
    int16_t pad;
    int32_t time;          // time within the segment
    float startValue;      // start value of the segment
    shmPtr<float> out;     // the envelope's current output
    float levelScale;
    float one;
    float zero;
    uint8_t unused[28];
};
static_assert(offsetof(envVoiceRec, state) == 6, "envVoiceRec state at 6");
static_assert(sizeof(envVoiceRec) == 64, "envVoiceRec is 64 bytes");
#pragma pack(pop)

void env_initEnvInstRec(envInstRec* env, short param);
void env_initEnvVoiceRec(instRec* inst, short env, short voice);
void env_release(instRec* inst, envInstRec* env, envVoiceRec* voiceState, int notify);
void env_releaseVoice(instRec* inst, short voice, int notify);
