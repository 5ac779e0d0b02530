// Chunk headers, the verification hook and reading and writing of whole
// chunks through the shared chunk buffer.
#include "fileio/fileio.h"

static chunkVerifyProc verifyProc = chunkVerifDefault;

long chunkVerifDefault(chunkRec*) { return 1; }

void file_setChunkVerifyProc(chunkVerifyProc proc) { verifyProc = proc ? proc : chunkVerifDefault; }

chunkVerifyProc file_getChunkVerifyProc() { return verifyProc; }

void chunk_formatChunkHeader(chunkRec* header, long type, long size, short version)
{
    if (!header) return;
    header->type = static_cast<int32_t>(type);
    header->size = static_cast<int32_t>(size);
    header->version = version;
}

void chunk_flip(chunkRec* header)
{
    if (!header || !shallWeFlip()) return;
    flipLong(&header->type);
    flipLong(&header->size);
    flipLong(&header->version);
}

// The header block is marshalled with one spare byte beyond its 12 bytes:
// a marshalling call needs its slot to end strictly before the limit, so a
// limit of exactly 12 would drop the version.
enum { kHeaderLimit = kChunkHeaderSize + 1 };

static void moveHeader(char* block, chunkRec* header, long reading)
{
    unsigned pos = 0;
    file_readWriteBuf_long(block, &header->type, &pos, kHeaderLimit, reading);
    file_readWriteBuf_long(block, &header->size, &pos, kHeaderLimit, reading);
    file_readWriteBuf_long(block, &header->version, &pos, kHeaderLimit, reading);
}

long file_writeChunk(fileRec* f, chunkRec* header, void* body)
{
    if (!f || !header) return 0;
    if (header->size > 0 && !body) return 0;
    if (verifyProc(header) != 0) return 0;
    char block[kHeaderLimit] = {};
    moveHeader(block, header, 0);
    if (!file_write(f, block, kChunkHeaderSize)) return 0;
    if (header->size > 0 && !file_write(f, body, header->size)) return 0;
    return 1;
}

long file_readChunk(fileRec* f, chunkRec* header)
{
    if (!f || !file_buf) return 0;
    if (header) *header = chunkRec{};
    long start = file_getPos(f);
    if (start < 0 || start > INT32_MAX) return 0;
    file_buf->chunkStart = static_cast<int32_t>(start);
    file_buf->held = 0;

    char block[kHeaderLimit] = {};
    if (!file_read(f, block, kChunkHeaderSize)) return 0;
    moveHeader(block, &file_buf->header, 1);

    if (verifyProc(&file_buf->header) != 0) return 0;
    const chunkRec& h = file_buf->header;
    if (static_cast<uint32_t>(h.size) > static_cast<uint32_t>(file_buf->capacity)) return 0;
    if (h.size > 0 && !file_read(f, file_buf->data, h.size)) return 0;

    if (header) *header = h;
    file_buf->held = h.size;
    return 1;
}

long file_readNextChunk(fileRec* f, chunkRec* header)
{
    if (!f || !file_buf) return 0;
    long long next = static_cast<long long>(file_buf->chunkStart) + kChunkHeaderSize + file_buf->header.size;
    if (next < 0 || next > INT32_MAX) return 0;
    if (!file_setPos(f, static_cast<long>(next))) return 0;
    return file_readChunk(f, header);
}
