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
    if (reading) {
        // file_readWriteBuf refuses a slot that ends exactly at max, so a
        // body of held bytes is walked with a limit of held + 1.
        c.max = (file_buf && file_buf->held > 0) ? static_cast<unsigned>(file_buf->held) + 1u : 0u;
    } else {
        c.max = kChunkWriteLimit;
    }
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
    if (!c->ok || c->flipping)
        return;
    // A flag is stored as one byte; any non-zero value is kept as 1 so that
    // a set flag never reads back as clear.
    char byte = (!c->reading && *value) ? 1 : 0;
    if (!file_readWriteBuf_char(c->buf, &byte, &c->pos, c->max, c->reading)) {
        c->ok = 0;
        return;
    }
    if (c->reading)
        *value = static_cast<unsigned char>(byte);
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
    if (!c->ok)
        return 0;
    chunkRec header;
    chunk_formatChunkHeader(&header, type, static_cast<long>(c->pos), kChunkVersion);
    return file_writeChunk(file, &header, c->buf) ? 1 : 0;
}
