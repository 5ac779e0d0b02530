#include "dsp/oscil_chunk.h"

unsigned oscil_chunkLimit(int reading) {
    if (!reading) return kFileBufSize;
    if (!file_buf || file_buf->held <= 0) return 0;
    return (unsigned)file_buf->held + 1u;
}

long oscil_chunkMoveFlag(char* buf, int32_t* field, unsigned* pos, unsigned max, long reading) {
    // A set flag is written as 1, so that a flag whose low byte happens to be
    // zero (256, say) is not saved as off.
    char byte = reading ? 0 : (char)(*field != 0);
    if (!file_readWriteBuf_char(buf, &byte, pos, max, reading)) return 0;
    if (reading) *field = (unsigned char)byte;
    return 1;
}

int oscil_chunkWrite(fileRec* file, int32_t type, char* body, unsigned length) {
    chunkRec header;
    chunk_formatChunkHeader(&header, type, (long)length, kModuleChunkVersion);
    return file_writeChunk(file, &header, body) ? 1 : 0;
}
