// Chunked file I/O: the public door of fileio/.
//
// Every file the program keeps is a flat sequence of chunks: a 12-byte header
// (type, body size, version; three 32-bit signed values) followed by exactly
// body-size bytes. Record bodies are built with the marshalling routines, one
// routine serving both directions so writer and reader cannot disagree.
//
// Index:
//   records        fileRec, chunkRec, fileBuf, file_buf
//   file handle    file_initFileRec .. file_write          (file_io.cpp)
//   marshalling    file_readWriteBuf and typed variants    (file_io.cpp)
//   chunks         verification hook, header, read/write   (file_chunk.cpp)
//   byte order     endian_*, shallWeFlip, flip*            (endian.cpp)
//   dialogs        file_openDialog, PopFileOpenDlg, hook   (file_dialogs.cpp)
#pragma once

#include <cstdint>

// Owner window and application instance of the desktop layer. The file layer
// only keeps and passes them on, so they are opaque here; the desktop layer's
// window handle converts to fileWindow implicitly.
typedef void* fileWindow;
typedef void* fileInstance;

enum { kFilePathSize = 260 };

struct fileRec {
    fileWindow owner;           // kept across file_close
    int handle;                 // -1 when not open
    char path[kFilePathSize];   // full path of the file
    char title[kFilePathSize];  // file name part, filled by the open dialog
};

// Chunk header as it is held in memory; on disk the same three values in
// this order, 12 bytes.
struct chunkRec {
    int32_t type;  // four characters, the first in the most significant byte
    int32_t size;  // body size in bytes, not counting the header
    int32_t version;
};

// The version written into every chunk header of a bank file (but its
// "Clam" header chunk), and the highest version a reader takes.
enum { kChunkVersion = 10 };

// Builds a chunk type from four characters: chunkType('p','t','c','h').
constexpr int32_t chunkType(char a, char b, char c, char d)
{
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                (static_cast<uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                (static_cast<uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                static_cast<uint32_t>(static_cast<unsigned char>(d)));
}

enum { kChunkHeaderSize = 12, kFileBufSize = 0xFFFF };

struct fileBuf {
    int32_t capacity;    // size of the data area
    int32_t held;        // length of the chunk body now in the data area
    int32_t chunkStart;  // file position of the header of the chunk last read
    chunkRec header;     // copy of the header of the chunk last read
    char* data;          // the data area (capacity bytes)
};

// The one shared chunk buffer, created by file_init.
extern fileBuf* file_buf;

// --- shared buffer -------------------------------------------------------
long file_init(long size);  // 1, or 0 when memory runs out
void file_cleanup();
fileBuf* file_newBuf(long size);  // null on failure
void file_deleteBuf(fileBuf* buf);
char* file_getBufferData();  // data area of file_buf (null if none)

// --- file handle ---------------------------------------------------------
void file_initFileRec(fileRec* f, fileWindow owner);
long file_create(fileRec* f);                      // create or truncate path for writing
long file_open(fileRec* f, unsigned long unused);  // open path for reading
long file_close(fileRec* f);
long file_setPos(fileRec* f, long pos);                 // 1 only when the new position is pos
long file_getPos(fileRec* f);                           // -1 when not open
long file_getEOF(fileRec* f);                           // file size, 0 on failure
long file_reachedTheEnd(fileRec* f);                    // 1 at or past the end, and for null
long file_read(fileRec* f, void* data, long n);         // 1 only when all n bytes were read
long file_write(fileRec* f, const void* data, long n);  // 1 only when all n were written

// --- marshalling ---------------------------------------------------------
// Moves size bytes between buf + *pos and value (into value when reading is
// non-zero), then advances *pos by advance. Fails, changing nothing, when
// *pos + advance >= max: a body uses at most max - 1 bytes. When writing, the
// bytes of the slot beyond size are zeroed so output is deterministic.
long file_readWriteBuf(char* buf, void* value, unsigned size, unsigned advance, unsigned* pos, unsigned max,
                       long reading);
long file_readWriteBuf_char(char* buf, char* value, unsigned* pos, unsigned max, long reading);
long file_readWriteBuf_short(char* buf, int16_t* value, unsigned* pos, unsigned max, long reading);
long file_readWriteBuf_long(char* buf, int32_t* value, unsigned* pos, unsigned max, long reading);
long file_readWriteBuf_float(char* buf, float* value, unsigned* pos, unsigned max, long reading);
long file_readWriteBuf_double(char* buf, double* value, unsigned* pos, unsigned max, long reading);
// A flag: one byte at the start of a 4-byte slot. A set flag is written as
// 1, so a value whose low byte is zero (256, say) is not saved as off;
// reading stores the byte's value into the whole field.
long file_readWriteBuf_flag(char* buf, int32_t* flag, unsigned* pos, unsigned max, long reading);
// The limit to marshal a chunk body with: when writing, the size of the
// shared buffer; when reading, the body length file_buf really holds plus
// one (a slot may not end at the limit), so that a short body makes the
// marshalling call fail instead of reading stale bytes. 0 with nothing held.
unsigned file_bodyLimit(long reading);

// --- chunks ----------------------------------------------------------------
// The verification hook answers 0 to accept a header, non-zero to reject it.
// It may byte-swap the header and switch the byte-order mode.
typedef long (*chunkVerifyProc)(chunkRec*);
void file_setChunkVerifyProc(chunkVerifyProc proc);  // null installs the default
chunkVerifyProc file_getChunkVerifyProc();           // to restore a swapped hook
long chunkVerifDefault(chunkRec* header);            // rejects every chunk

void chunk_formatChunkHeader(chunkRec* header, long type, long size, short version);
void chunk_flip(chunkRec* header);  // swaps only in invert mode
long file_writeChunk(fileRec* f, chunkRec* header, void* body);
long file_readChunk(fileRec* f, chunkRec* header);  // body lands in file_buf
long file_readNextChunk(fileRec* f, chunkRec* header);

// --- byte order -------------------------------------------------------------
// One process-wide mode: 0 = native (no swapping), 1 = invert.
void endian_nativeMode();
void endian_invertMode();  // toggles the mode
long shallWeFlip();
void flipShort(void* value);   // reverse 2 bytes in place, whatever the mode
void flipLong(void* value);    // reverse 4 bytes
void flipFloat(void* value);   // reverse 4 bytes
void flipDouble(void* value);  // reverse 8 bytes

// --- open-file dialog -------------------------------------------------------
// Description of a file dialog, prepared by file_winDialogsInit. Filters are
// double-null-terminated lists of name/pattern pairs.
struct fileDialogRec {
    fileWindow owner;
    fileInstance instance;
    char filter[512];
    char defaultExt[8];
    long createPrompt;
    long hideReadOnly;
};

// Shows the dialog described by desc for owner; on acceptance fills path and
// title (kFilePathSize bytes each) and returns non-zero.
typedef long (*fileOpenDialogProc)(const fileDialogRec* desc, fileWindow owner, char* path, char* title);
void file_setOpenDialogProc(fileOpenDialogProc proc);  // installed by the desktop layer
void file_winDialogsInit(fileWindow owner, fileInstance instance, const char* openFilter,
                         const char* saveFilter);
const fileDialogRec* file_getOpenDialog();
const fileDialogRec* file_getSaveDialog();
long PopFileOpenDlg(fileWindow owner, char* path, char* title);  // 0 without a dialog
long file_openDialog(fileRec* f);
