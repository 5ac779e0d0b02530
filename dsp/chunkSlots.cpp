// Slot cursor over a chunk body; see chunkSlots.h.
#include "dsp/chunkSlots.h"

chunkSlots chunkSlots_begin(void* buffer, int reading)
{
    chunkSlots c;
    c.buf = static_cast<char*>(buffer);
    c.pos = 0;
    c.reading = reading ? 1 : 0;
    c.flipping = 0;
    c.ok = buffer != nullptr;
    c.max = file_bodyLimit(reading);
    return c;
}

chunkSlots chunkSlots_beginFlip()
{
    chunkSlots c = chunkSlots_begin(nullptr, 0);
    c.flipping = 1;
    c.ok = 1;
    return c;
}

void chunkSlots_flag(chunkSlots* c, int32_t* value)
{
    if (!c->ok || c->flipping) return;
    if (!file_readWriteBuf_flag(c->buf, value, &c->pos, c->max, c->reading)) c->ok = 0;
}

void chunkSlots_short(chunkSlots* c, int16_t* value)
{
    if (c->flipping)
        flipShort(value);
    else if (c->ok && !file_readWriteBuf_short(c->buf, value, &c->pos, c->max, c->reading))
        c->ok = 0;
}

void chunkSlots_long(chunkSlots* c, int32_t* value)
{
    if (c->flipping)
        flipLong(value);
    else if (c->ok && !file_readWriteBuf_long(c->buf, value, &c->pos, c->max, c->reading))
        c->ok = 0;
}

void chunkSlots_float(chunkSlots* c, float* value)
{
    if (c->flipping)
        flipFloat(value);
    else if (c->ok && !file_readWriteBuf_float(c->buf, value, &c->pos, c->max, c->reading))
        c->ok = 0;
}

void chunkSlots_double(chunkSlots* c, double* value)
{
    if (c->flipping)
        flipDouble(value);
    else if (c->ok && !file_readWriteBuf_double(c->buf, value, &c->pos, c->max, c->reading))
        c->ok = 0;
}

void chunkSlots_block(chunkSlots* c, void* value, unsigned size)
{
    if (!c->flipping && c->ok && !file_readWriteBuf(c->buf, value, size, size, &c->pos, c->max, c->reading))
        c->ok = 0;
}

int chunkSlots_writeChunk(fileRec* file, chunkSlots* c, int32_t type)
{
    // A body cut short by the write limit would be refused by every reader.
    if (!c->ok) return 0;
    chunkRec header;
    chunk_formatChunkHeader(&header, type, static_cast<long>(c->pos), kChunkVersion);
    return file_writeChunk(file, &header, c->buf) ? 1 : 0;
}
