#include "dsp/oscil_chunk.h"

int oscil_chunkWrite(fileRec* file, int32_t type, char* body, unsigned length)
{
    chunkRec header;
    chunk_formatChunkHeader(&header, type, (long)length, kChunkVersion);
    return file_writeChunk(file, &header, body) ? 1 : 0;
}
