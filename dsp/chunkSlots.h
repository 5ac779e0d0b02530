// Slot-by-slot marshalling of a record's fields into a chunk body and back.
//
// A chunk body is a row of 4-byte slots (8 for a double): an int16 or a flag
// takes the first bytes of its slot, the rest is padding. One cursor serves
// both directions, so writer and reader walk the same list of fields; a third
// kind of cursor walks the same list to byte-swap the stored numeric fields
// (flags are single bytes and are never swapped). The first slot that does
// not fit stops every later one and leaves ok at 0.
#pragma once
#include <cstdint>

#include "fileio/fileio.h"

struct chunkSlots {
    char* buf;
    unsigned pos;
    unsigned max;  // a body uses at most max - 1 bytes
    long reading;
    int flipping;  // swap fields in place instead of moving them
    int ok;
};

// A cursor at the start of buffer. Writing, the limit is the chunk buffer's
// 65535 bytes. Reading, it is the length of the body held in the shared chunk
// buffer, so a short body fails instead of reading stale bytes.
chunkSlots chunkSlots_begin(void* buffer, int reading);
// A cursor that byte-swaps every numeric field it is given.
chunkSlots chunkSlots_beginFlip();

void chunkSlots_flag(chunkSlots* c, int32_t* value);  // one byte: 0 or 1
void chunkSlots_short(chunkSlots* c, int16_t* value);
void chunkSlots_long(chunkSlots* c, int32_t* value);
void chunkSlots_float(chunkSlots* c, float* value);
void chunkSlots_double(chunkSlots* c, double* value);

// A run of bytes whose stored layout equals its layout in memory (moved as
// one block; the caller byte-swaps its fields itself).
void chunkSlots_block(chunkSlots* c, void* value, unsigned size);

// Writes the gathered body as one chunk of the given type, version 10.
// 1 when the chunk was written; 0 (nothing written) when the body did not fit.
int chunkSlots_writeChunk(fileRec* file, chunkSlots* c, int32_t type);
