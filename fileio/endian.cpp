// Byte-order mode and the byte-swapping routines.
#include "fileio/fileio.h"

#include <algorithm>

static long flipMe = 0;

void endian_nativeMode() { flipMe = 0; }

void endian_invertMode() { flipMe = flipMe ? 0 : 1; }

long shallWeFlip() { return flipMe; }

static void reverseBytes(void* value, int n)
{
    if (!value) return;
    unsigned char* b = static_cast<unsigned char*>(value);
    std::reverse(b, b + n);
}

void flipShort(void* value) { reverseBytes(value, 2); }
void flipLong(void* value) { reverseBytes(value, 4); }
void flipFloat(void* value) { reverseBytes(value, 4); }
void flipDouble(void* value) { reverseBytes(value, 8); }
