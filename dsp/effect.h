// The effect unit: pipe, multi-comb or multi-tap delay. The instrument holds
// one parameter record per mode, so switching modes keeps the others, plus
// the unit's working state (mode, on/off, routine, delay buffers).
//
// Index
//   records        effectHeader, effectPipeRec, effectMulticombRec,
//                  effectMultitapRec, effectDspRec
//   init, buffers  effect_init..., effect_setUpBuffers, effect_newBuf (effect.cpp)
//   mode, state    effect_setMode .. effect_clone                    (effect_mode.cpp)
//   parameters     effect_pipe_..., effect_comb_..., effect_tap_...  (effect_access.cpp)
//   stored form    "pipe", "mCmb", "mTap", flips                     (effect_file.cpp)
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"
#include "fileio/fileio.h"

struct instRec;
struct chunkSlots;

enum { effectMode_none = 0, effectMode_pipe = 1, effectMode_multicomb = 2, effectMode_multitap = 3 };
enum { kEffectMaxBufInInst = 481024 };
// How the effect window presents times: in seconds or by tempo and beat.
enum { effectTime_seconds = 1, effectTime_tempo = 2 };

constexpr int32_t kChunkPipe = chunkType('p', 'i', 'p', 'e');
constexpr int32_t kChunkMulticomb = chunkType('m', 'C', 'm', 'b');
constexpr int32_t kChunkMultitap = chunkType('m', 'T', 'a', 'p');

#pragma pack(push, 4)
// The first part of every effect record, 24 bytes.
struct effectHeader {
    int16_t magic;     // 0x6374 "ct"
    int16_t type;      // effect mode 1..3
    int16_t formatA;   // 1
    int16_t formatB;   // 5
    int16_t timeMode;  // 1 or 2
    int16_t pad;
    int32_t size;      // 192 pipe, 384 others
    float tempo;       // not stored
    float tempoSpare;  // not stored
};
static_assert(sizeof(effectHeader) == 24, "effectHeader is 24 bytes");

struct effectPipeRec {
    effectHeader header;
    int32_t active;
    float wet;
    float dry;
    float pipeSpare1;
    float pipeSpare2;
    float masterTime;  // samples, 1e-5..32767
    float feedback;    // -0.999..0.999
    float inPos;
    float outPos[2];
    float lowpass;  // frequency index
    float ctlLength;
    float ctlOut[2];
    int32_t ctlInvertLength;
    int32_t ctlOutInvert[2];
    uint8_t unused[100];
};
static_assert(sizeof(effectPipeRec) == 192, "effectPipeRec is 192 bytes");

struct effectMulticombRec {
    effectHeader header;
    int32_t active;
    float wet;
    float dry;
    int16_t count;
    int16_t pad;
    float masterTime;  // samples
    float masterFeedback;
    float masterLowpass;  // frequency index
    int32_t combActive[6];
    int32_t combCtlInvert[6];
    float combTime[6];  // relative to masterTime
    float combFeedback[6];
    float combGain[6];  // linear
    float combCtlSens[6];
    float combPan[6];
    float combLowpass[6];  // relative to masterLowpass
    uint8_t unused[140];
};
static_assert(sizeof(effectMulticombRec) == 384, "effectMulticombRec is 384 bytes");

struct effectMultitapRec {
    effectHeader header;
    int32_t active;
    float wet;
    float dry;
    int16_t count;
    int16_t pad;
    int32_t tapFlagA;
    int32_t tapFlagB;
    float feedback;
    float lowpass;     // frequency index
    float highpass;    // frequency index
    int32_t maxBuf;    // samples
    float masterTime;  // samples
    int32_t tapActive[3];
    int32_t tapCtlInvert[3];
    float tapCtlSens[3];
    float tapTime[3];  // relative to masterTime
    float tapGain[3];  // linear
    float tapPan[3];
    uint8_t unused[244];
};
static_assert(sizeof(effectMultitapRec) == 384, "effectMultitapRec is 384 bytes");

// Working state of the effect unit inside the instrument, 3456 bytes.
struct effectDspRec {
    int32_t on;
    int32_t paused;
    int32_t mode;           // 0..3
    float half;             // 0.5
    uint32_t routine;       // procedure number of the mode's routine
    shmPtr<float> buf[6];   // delay buffers in the instance's pool
    int32_t readOffset[2];  // 32768 - pipe masterTime
    double combTime[6];     // copies of the comb times
    int16_t word;           // 0
    int16_t pad;
    float lowpassIndex;  // index of 8000 Hz
    float zero;
    float tapTime[3];        // multitap tap times
    int32_t poolSize;        // floats in the pool
    int32_t poolUsed;        // floats handed out
    shmPtr<float> poolBase;  // the pool's first float
    uint8_t unused[3320];
};
static_assert(sizeof(effectDspRec) == 3456, "effectDspRec is 3456 bytes");
#pragma pack(pop)

void effect_initEffectHeader(effectHeader* header, int32_t size, short type, short formatA, short formatB,
                             short timeMode);
void effect_initPipeRec(effectPipeRec* rec);
void effect_initMulticombRec(effectMulticombRec* rec);
void effect_initMultitapRec(effectMultitapRec* rec);
void effect_initDspRec(instRec* inst);

// ---- delay buffers (effect.cpp) ------------------------------------------------
// Tells the plug-in first, then hands the current mode's buffers out of the
// instance's pool: pipe 2 x 32768 floats, multicomb 6 x 32768, multitap 3 x
// maxBuf (shared flag g_effect_useMaxBuf set) or 3 x the master time. A buffer
// that does not fit stays empty.
void effect_setUpBuffers(instRec* inst);
// The next n floats of the pool, or null when they do not fit.
float* effect_newBuf(instRec* inst, long n);
void effect_clearBuf(instRec* inst);
void effect_reinitBuf(instRec* inst);

// ---- mode and state (effect_mode.cpp) --------------------------------------------
// Modes 1..3 select their processing routine; any other value stores mode 0
// and leaves the routine. Always rebuilds the buffers.
void effect_setMode(instRec* inst, short mode);
short effect_getMode(instRec* inst);
void effect_setActive(instRec* inst, int on);
int effect_getActive(instRec* inst);
void effect_pause(instRec* inst);
void effect_resume(instRec* inst);
// The record of the current mode, or null in mode 0.
effectHeader* effect_getCurrentPtr(instRec* inst);
// Tempo and time mode of the current record (120.0 and 0 in mode 0); the
// time mode takes only effectTime_seconds and effectTime_tempo.
double effect_getTempo(instRec* inst);
void effect_setTempo(instRec* inst, double bpm);
short effect_getTimeMode(instRec* inst);
void effect_setTimeMode(instRec* inst, short timeMode);
// Dry and wet balances of the current record, unclamped; 1.0 in mode 0.
double effect_getDryBalance(instRec* inst);
void effect_setDryBalance(instRec* inst, double v);
double effect_getWetBalance(instRec* inst);
void effect_setWetBalance(instRec* inst, double v);

// A new record of a type (1..3) with its initial values, on the heap; null
// for an unknown type or when memory runs out. Free with effect_deleteHandle.
effectHeader* effect_newHandle(short type);
void effect_deleteHandle(effectHeader* handle);
// Copies an effect record, its type taken from from's header. Toward the
// instrument (to unused): the record replaces the instrument's record of
// that type, the effect goes on or off as the record says, a multitap maxBuf
// is limited to 481024 and the mode switches to the type. Toward a preset:
// the instrument's on/off state is saved into its record of that type first;
// to must be a record of the same type. 1, or 0 when nothing was copied.
int effect_clone(instRec* inst, effectHeader* from, effectHeader* to, int toInstrument);

// ---- parameters (effect_access.cpp) ------------------------------------------------
// Times in seconds, lowpass frequencies in hertz, gains in decibels; pipe
// outputs take index 0 or 1, combs 0..5, taps 0..2.
double effect_pipe_getMasterTime(instRec* inst);
void effect_pipe_setMasterTime(instRec* inst, double sec);  // 1e-5..32767 samples
double effect_pipe_getFeedback(instRec* inst);
void effect_pipe_setFeedback(instRec* inst, double v);  // -0.999..0.999
double effect_pipe_getInPos(instRec* inst);
void effect_pipe_setInPos(instRec* inst, double v);  // 0..1
double effect_pipe_getOutPos(instRec* inst, short i);
void effect_pipe_setOutPos(instRec* inst, short i, double v);  // 0..1
double effect_pipe_getLowpass(instRec* inst);
void effect_pipe_setLowpass(instRec* inst, double hz);  // 30..22000 Hz
double effect_pipe_getCtlLength(instRec* inst);
void effect_pipe_setCtlLength(instRec* inst, double v);  // 0..1
int effect_pipe_getCtlInvertLength(instRec* inst);
void effect_pipe_setCtlInvertLength(instRec* inst, int on);
double effect_pipe_getCtlOut(instRec* inst, short i);
void effect_pipe_setCtlOut(instRec* inst, short i, double v);  // 0..1
int effect_pipe_getCtlOutInvert(instRec* inst, short i);
void effect_pipe_setCtlOutInvert(instRec* inst, short i, int on);

double effect_comb_getMasterTime(instRec* inst);
void effect_comb_setMasterTime(instRec* inst, double sec);  // 1e-5..32767 samples
double effect_comb_getMasterFeedback(instRec* inst);
void effect_comb_setMasterFeedback(instRec* inst, double v);  // 0..0.999
double effect_comb_getMasterLowpass(instRec* inst);
void effect_comb_setMasterLowpass(instRec* inst, double hz);  // 30..22000 Hz
int effect_comb_getActive(instRec* inst, short c);
void effect_comb_setActive(instRec* inst, short c, int on);
int effect_comb_getCtlInvert(instRec* inst, short c);
void effect_comb_setCtlInvert(instRec* inst, short c, int on);
double effect_comb_getChanTime(instRec* inst, short c);
void effect_comb_setChanTime(instRec* inst, short c, double v);  // 0..1 of the master
double effect_comb_getChanFeedback(instRec* inst, short c);
void effect_comb_setChanFeedback(instRec* inst, short c, double v);  // -1..1
double effect_comb_getChanGain(instRec* inst, short c);
void effect_comb_setChanGain(instRec* inst, short c, double dB);  // linear 0..1
double effect_comb_getChanCtlSens(instRec* inst, short c);
void effect_comb_setChanCtlSens(instRec* inst, short c, double v);  // 0..1
double effect_comb_getChanPan(instRec* inst, short c);
void effect_comb_setChanPan(instRec* inst, short c, double v);  // 0..0.9999
double effect_comb_getChanLowpass(instRec* inst, short c);
void effect_comb_setChanLowpass(instRec* inst, short c, double v);  // 0..1 of the master

double effect_tap_getMasterTime(instRec* inst);
void effect_tap_setMasterTime(instRec* inst, double sec);  // at least 1e-5 s
double effect_tap_getFeedback(instRec* inst);
void effect_tap_setFeedback(instRec* inst, double v);  // -0.999..0.999
double effect_tap_getLowpass(instRec* inst);
void effect_tap_setLowpass(instRec* inst, double hz);  // 30..22000 Hz
int effect_tap_getCtlInvert(instRec* inst, short t);
void effect_tap_setCtlInvert(instRec* inst, short t, int on);
double effect_tap_getCtlSens(instRec* inst, short t);
void effect_tap_setCtlSens(instRec* inst, short t, double v);  // 0..1
double effect_tap_getTapTime(instRec* inst, short t);
void effect_tap_setTapTime(instRec* inst, short t, double v);  // 0..1 of the master
double effect_tap_getGain(instRec* inst, short t);
void effect_tap_setGain(instRec* inst, short t, double dB);  // linear 0..1
double effect_tap_getPan(instRec* inst, short t);
void effect_tap_setPan(instRec* inst, short t, double v);  // 0..0.9999

// ---- stored form (effect_file.cpp) -----------------------------------------------
// One chunk per record, version 10. Reading takes the body held in the shared
// chunk buffer and changes the record only when the whole body was there; the
// header then names the record read into (type and size of the chunk's
// kind), and after "mTap" the tap pans are limited. 1 or 0.
int effect_readWritePipe(fileRec* file, effectPipeRec* rec, void* buffer, int reading);
int effect_readWriteMulticomb(fileRec* file, effectMulticombRec* rec, void* buffer, int reading);
int effect_readWriteMultitap(fileRec* file, effectMultitapRec* rec, void* buffer, int reading);
// The header slots shared by the three chunks (tempo is not stored).
void effect_readWriteHeader(chunkSlots* slots, effectHeader* header);
void effect_flipHeader(effectHeader* header);
void effect_flipPipeRec(effectPipeRec* rec);
void effect_flipMulticombRec(effectMulticombRec* rec);
void effect_flipMultitapRec(effectMultitapRec* rec);
// Limits the tap pans to 1e-05..0.9999; 1, or 0 for a missing record.
int effect_rangeLimitMultitap(effectMultitapRec* rec);
