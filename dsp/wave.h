// Wavetables: single cycles of 1024 floats, named by a 16-bit identifier
// (high byte the list: 0 built-in, 0x7f the instrument's user waves).
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct instRec;

enum { kWaveListBuiltin = 0, kWaveListUser = 0x7f, kWaveUserBaseID = 0x7f00 };
enum { waveType_free = 0, waveType_builtin = 1, waveType_user = 2 };

#pragma pack(push, 4)
// 4192 bytes.
struct waveRec {
    float data[kWaveSize];
    int16_t id;        // (list << 8) + slot
    int16_t type;      // 0 free, 1 built-in, 2 user wave in use
    int16_t spareA;
    int16_t spareB;
    int32_t spareC;
    char name[32];     // zero-padded, not always zero-terminated
    uint8_t unused[52];
};
static_assert(offsetof(waveRec, type) == 0x1002, "waveRec in-use word at 0x1002");
static_assert(offsetof(waveRec, name) == 0x100C, "waveRec layout");
static_assert(sizeof(waveRec) == 4192, "waveRec is 4192 bytes");
#pragma pack(pop)

// One sine cycle, filled at start-up.
extern float sineTable[kWaveSize];
void fillTableSine(float* t);
void waveRecInit(waveRec* rec, short slot, short list, short type, const float* data,
                 const char* name);
