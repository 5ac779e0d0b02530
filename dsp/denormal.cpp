#include "dsp/denormal.h"

#include <cstdint>
#include <cstring>

float denormal_flush(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & 0x7F800000u) == 0 ? 0.0f : value;
}

void thisBufferWantsToBeNormal(float* values, short count)
{
    if (!values || count < 1) return;
    for (short i = 0; i < count; ++i) values[i] = denormal_flush(values[i]);
}
