#include "dsp/wave.h"

#include <cmath>
#include <cstring>

#include "dsp/denormal.h"

float sineTable[kWaveSize];

void fillTableSine(float* t) {
    if (!t) return;
    for (int i = 0; i < kWaveSize; ++i) t[i] = (float)std::sin(i * 0.006135923151542969);
}

void waveRecInit(waveRec* rec, short slot, short list, short type, const float* data,
                 const char* name) {
    if (!rec) return;
    rec->id = (int16_t)((list << 8) + slot);
    rec->type = type;
    std::memset(rec->name, 0, sizeof rec->name);
    if (name) std::strncpy(rec->name, name, sizeof rec->name);
    rec->spareA = rec->spareB = 0;
    rec->spareC = 0;
    std::memset(rec->unused, 0, sizeof rec->unused);
    if (data)
        std::memmove(rec->data, data, sizeof rec->data);
    else
        std::memset(rec->data, 0, sizeof rec->data);
    thisBufferWantsToBeNormal(rec->data, kWaveSize);
}
