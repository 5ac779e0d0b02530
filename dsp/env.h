// Envelopes: 24 breakpoint envelopes per instrument; slots 0..2 are the
// amplitude envelopes of the three channels, every other envelope takes a
// free slot from 3 to 23.
//
// Index
//   records        envBreakpointRec, envInstRec, envVoiceRec
//   slots          env_new .. env_makeNormal                  (env.cpp)
//   release        env_release, env_releaseVoice               (env.cpp)
//   stored form    env_readWriteEnvList, list allocation, flips (env_file.cpp)
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"
#include "fileio/fileio.h"

struct instRec;

// Destination parameter kinds that the envelope code itself tells apart.
enum { envParam_none = 0, envParam_amp = 1 };
// Envelope modes (the envelope window's mode menu).
enum { envMode_release = 1, envMode_sustain = 2, envMode_loop = 3, envMode_retrigger = 4 };

constexpr int32_t kChunkEnv = chunkType('e', 'n', 'v', ' ');

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
    int16_t kind;  // always 1
    int16_t pad1;
    int32_t shown;  // set when an envelope is created; "active" to voices
    int32_t inUse;  // slot occupied
    int32_t spare;
    int32_t global;   // shared by all voices
    int16_t envMode;  // 1 Release, 2 Sustain, 3 Loop, 4 Retrigger
    int16_t param;    // destination kind, 0 = none, 1 = oscillator amp
    int16_t channel;
    int16_t sustainPoint;
    int16_t releasePoint;
    int16_t lastPoint;  // breakpoint count - 1
    int16_t loopStart;
    int16_t pad2;
    float scale1;
    float offset;
    float scale2;
    float scale3;
    double reserved;
    float depth;  // start level at time 0
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
    int16_t state;  // 0 idle, 1 released (higher values: audio code)
    int16_t nextBp;
    int16_t pad;
    int32_t time;       // time within the segment
    float startValue;   // start value of the segment
    shmPtr<float> out;  // the envelope's current output
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

// Takes a slot for a new envelope of param on channel and fills it with the
// default shape (an amplitude envelope always goes to the channel's own slot
// 0..2), then asks for a chain rebuild. The slot, or -1 when none is free.
short env_new(instRec* inst, short channel, short param);
// The highest slot of 3..23 that is not in use, or -1.
short env_findUnused(instRec* inst);
// Number of the 24 slots in use.
short env_count(instRec* inst);
// Initialises a slot for param: amplitude envelopes keep the initial shape,
// any other parameter gets a flat shape at full level.
void env_loadDefault(instRec* inst, short slot, short channel, short param);
void env_setBpParams(envBreakpointRec* bp, double time, float level, float slope);
// Copies a whole envelope; 1, or 0 when either record is missing.
int env_clone(instRec* inst, const envInstRec* from, envInstRec* to, short index, int toInstrument);
// Copies the in-use envelopes, in slot order, into list (count records);
// returns how many were copied.
short env_storeToPreset(instRec* inst, envInstRec* list, short count);

// Starts the release of one envelope voice state; with notify the voice's
// state is updated afterwards.
void env_release(instRec* inst, envInstRec* env, envVoiceRec* voiceState, int notify);
// Note-off: releases the voice's state in every slot with a parameter; a
// global envelope only when no voice is playing any more.
void env_releaseVoice(instRec* inst, short voice, int notify);
// Flushes levels, slopes and start levels below 1e-9 to 0 and raises
// breakpoint times below 0.0001 samples, in all 24 slots.
void env_makeNormal(instRec* inst);

// An envelope list of a preset: count records, at most 24, zeroed. Null for
// a count outside 1..24 or when memory runs out. Free with env_deleteList.
envInstRec* env_newList(short count);
void env_deleteList(envInstRec* list);
// The "env " chunk of an envelope list (count, then the first min(count, 24)
// envelopes). Reading takes the body held in the shared chunk buffer and, on
// success only, replaces *list (the old list is freed with env_deleteList)
// and *count. 1 on success, 0 on failure.
int env_readWriteEnvList(fileRec* file, short* count, envInstRec** list, void* buffer, int reading);
void env_flipEnvInstRec(envInstRec* env);
void env_flipBp(envBreakpointRec* bp);
