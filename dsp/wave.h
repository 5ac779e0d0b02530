// Wavetables: single cycles of 1024 floats, named by a 16-bit identifier
// (high byte the list: 0 built-in, 0x7f the instrument's user waves).
//
// Index
//   records       waveRec, list and type numbers
//   built-in      wavelist, sineTable, the table fillers     (wave.cpp)
//   lookup        identifier -> record, type, name           (wave.cpp)
//   user waves    count, store, clone, undo and redo         (wave.cpp)
//   stored form   chunk "Wave", list allocation, flip        (wave_io.cpp)
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct fileRec;
struct instRec;

enum { kWaveListBuiltin = 0, kWaveListUser = 0x7f, kWaveUserBaseID = 0x7f00 };
enum { kBuiltinWaves = 64, kBuiltinWavesMade = 41, kWaveNameLen = 32 };
// Waves of one "Wave" chunk: a reader takes at most this many.
enum { kWaveChunkMax = 10 };
enum { waveType_free = 0, waveType_builtin = 1, waveType_user = 2 };

#pragma pack(push, 4)
// 4192 bytes.
struct waveRec {
    float data[kWaveSize];
    int16_t id;    // (list << 8) + slot
    int16_t type;  // 0 free, 1 built-in, 2 user wave in use
    int16_t spareA;
    int16_t spareB;
    int32_t spareC;
    char name[32];  // zero-padded, not always zero-terminated
    uint8_t unused[52];
};
static_assert(offsetof(waveRec, type) == 0x1002, "waveRec in-use word at 0x1002");
static_assert(offsetof(waveRec, name) == 0x100C, "waveRec layout");
static_assert(sizeof(waveRec) == 4192, "waveRec is 4192 bytes");
#pragma pack(pop)

// One sine cycle, filled at start-up.
extern float sineTable[kWaveSize];
void fillTableSine(float* t);
void waveRecInit(waveRec* rec, short slot, short list, short type, const float* data, const char* name);

// --- built-in list ----------------------------------------------------------
// The 64 built-in waves; slots 0..40 hold the named waves after
// wave_initWavelist, slots 41..63 stay free copies of the sine.
extern waveRec wavelist[kBuiltinWaves];
int wave_initWavelist();
// Triangle rising from 1/256 at index 0 to 1 at 255, down to -1 at 767, up
// to 0 at 1023.
void fillTableTri(float* t);
// Add eight partials onto what t holds, then scale its largest positive
// value to 0.98.
void fillTableAdditive1(float* t);
void fillTableAdditive2(float* t);

// --- lookup -------------------------------------------------------------------
// Never null: an identifier that names no slot (other list, slot out of
// range, negative) gives built-in slot 0, the sine. A null instrument has no
// user waves.
waveRec* wave_getWaveRecFromID(instRec* inst, short id);
float* wave_getWaveDataFromID(instRec* inst, short id);
short wave_getType(instRec* inst, short id);
// Clears text (kWaveNameLen bytes) and copies the name, at most 31
// characters so the text always ends in a zero.
void wave_getName(instRec* inst, short id, char* text);

// --- user waves ---------------------------------------------------------------
// Number of the instrument's eight user waves in use (type 2).
short wave_count(instRec* inst);
// Copies the user waves in use, in slot order, into list (count records at
// most); returns how many were copied.
short wave_storeToPreset(instRec* inst, waveRec* list, short count);
// Copies the whole record; zero and subnormal samples of the copy become +0.
// index and toInstrument are the common clone arguments and not needed here.
void wave_clone(instRec* inst, const waveRec* from, waveRec* to, short index, int toInstrument);
// n is a user wave 0..7; other numbers are ignored. The undo and redo
// buffers keep whole records; copying back keeps wave n's own identifier.
void wave_prepareUndo(instRec* inst, short n);
void wave_prepareRedo(instRec* inst, short n);
void wave_undo(instRec* inst, short n);
void wave_redo(instRec* inst, short n);

// --- stored form ----------------------------------------------------------------
// A preset's waves: a heap list of count records. wave_newList gives n
// zeroed records (null for n < 1 or no memory); free with wave_deleteList.
waveRec* wave_newList(short n);
void wave_deleteList(waveRec* list);
// Chunk "Wave", version 10: int16 count, then for the first min(count, 10)
// waves: int16 id, type, spareA, spareB; 32 name bytes; int32 spareC; 1024
// floats (4148 bytes a wave).
// Writing stores *list / *count. Reading is called with the chunk body in
// buffer (file_buf's data): it allocates a new list for the waves held
// (a count above 10 is cut to the 10 the chunk can hold, a negative count is
// 0), fills it, swaps every wave read when the file has the other byte
// order, and only then stores the list and the count; a body shorter than
// its count needs, or a failed allocation, returns 0 and changes nothing.
// The caller owns the list it had before (a preset reads only into an empty
// list).
int wave_readWriteWaveList(fileRec* file, waveRec** list, short* count, void* buffer, int reading);
void waveRecFlip(waveRec* rec);
