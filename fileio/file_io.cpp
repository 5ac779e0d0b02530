// The file handle over POSIX calls, the shared chunk buffer and the
// marshalling routines.
#include "fileio/fileio.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

fileBuf* file_buf = nullptr;

// --- shared buffer -----------------------------------------------------------

fileBuf* file_newBuf(long size)
{
    if (size < 0 || size > INT32_MAX) return nullptr;
    fileBuf* buf = new (std::nothrow) fileBuf{};
    if (!buf) return nullptr;
    // One spare byte so that an empty area still has an address.
    buf->data = new (std::nothrow) char[static_cast<size_t>(size) + 1]();
    if (!buf->data) {
        delete buf;
        return nullptr;
    }
    buf->capacity = static_cast<int32_t>(size);
    return buf;
}

void file_deleteBuf(fileBuf* buf)
{
    if (!buf) return;
    delete[] buf->data;
    delete buf;
}

long file_init(long size)
{
    file_cleanup();
    file_buf = file_newBuf(size);
    return file_buf ? 1 : 0;
}

void file_cleanup()
{
    file_deleteBuf(file_buf);
    file_buf = nullptr;
}

char* file_getBufferData() { return file_buf ? file_buf->data : nullptr; }

static void resetSharedBuf(bool chunkStartToo)
{
    if (!file_buf) return;
    file_buf->held = 0;
    file_buf->header = chunkRec{};
    if (chunkStartToo) file_buf->chunkStart = 0;
}

// --- file handle ---------------------------------------------------------------

void file_initFileRec(fileRec* f, fileWindow owner)
{
    if (!f) return;
    std::memset(f, 0, sizeof *f);
    f->owner = owner;
    f->handle = -1;
}

static bool isOpen(const fileRec* f) { return f && f->handle >= 0; }

// Opens path with flags, closing whatever the record still held so that a
// reused record never leaks a descriptor.
static long openPath(fileRec* f, int flags)
{
    if (!f) return 0;
    if (isOpen(f)) ::close(f->handle);
    f->handle = -1;
    f->path[kFilePathSize - 1] = 0;
    if (f->path[0] == 0) return 0;
    int fd;
    do {
        fd = ::open(f->path, flags | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return 0;
    f->handle = fd;
    return 1;
}

long file_create(fileRec* f) { return openPath(f, O_WRONLY | O_CREAT | O_TRUNC); }

long file_open(fileRec* f, unsigned long)
{
    if (!f) return 0;
    resetSharedBuf(true);
    return openPath(f, O_RDONLY);
}

long file_close(fileRec* f)
{
    if (!f) return 0;
    if (isOpen(f)) ::close(f->handle);
    file_initFileRec(f, f->owner);
    resetSharedBuf(false);
    return 1;
}

long file_setPos(fileRec* f, long pos)
{
    if (!isOpen(f) || pos < 0) return 0;
    return ::lseek(f->handle, static_cast<off_t>(pos), SEEK_SET) == static_cast<off_t>(pos) ? 1 : 0;
}

long file_getPos(fileRec* f)
{
    if (!isOpen(f)) return -1;
    off_t pos = ::lseek(f->handle, 0, SEEK_CUR);
    return pos < 0 ? -1 : static_cast<long>(pos);
}

long file_getEOF(fileRec* f)
{
    if (!isOpen(f)) return 0;
    struct stat st;
    if (::fstat(f->handle, &st) != 0) return 0;
    return static_cast<long>(st.st_size);
}

long file_reachedTheEnd(fileRec* f)
{
    if (!isOpen(f)) return 1;
    long pos = file_getPos(f);
    return (pos < 0 || pos >= file_getEOF(f)) ? 1 : 0;
}

// Reads all n bytes; reaching the end of the file first is a failure, so a
// truncated file is never taken for a complete one.
long file_read(fileRec* f, void* data, long n)
{
    if (!isOpen(f) || !data || n < 0) return 0;
    char* at = static_cast<char*>(data);
    long left = n;
    while (left > 0) {
        ssize_t got = ::read(f->handle, at, static_cast<size_t>(left));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return 0;
        at += got;
        left -= got;
    }
    return 1;
}

// Writes all n bytes, going on after partial writes.
long file_write(fileRec* f, const void* data, long n)
{
    if (!isOpen(f) || !data || n < 0) return 0;
    const char* at = static_cast<const char*>(data);
    long left = n;
    while (left > 0) {
        ssize_t put = ::write(f->handle, at, static_cast<size_t>(left));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return 0;
        at += put;
        left -= put;
    }
    return 1;
}

// --- marshalling -------------------------------------------------------------

long file_readWriteBuf(char* buf, void* value, unsigned size, unsigned advance, unsigned* pos, unsigned max,
                       long reading)
{
    if (!buf || !value || !pos) return 0;
    // The slot must hold the copied bytes as well as the advance; computed
    // wide so that a huge position cannot wrap around.
    unsigned long long slot = advance > size ? advance : size;
    if (static_cast<unsigned long long>(*pos) + slot >= max) return 0;
    char* at = buf + *pos;
    if (reading) {
        std::memcpy(value, at, size);
    } else {
        std::memcpy(at, value, size);
        if (advance > size) std::memset(at + size, 0, advance - size);
    }
    *pos += advance;
    return 1;
}

long file_readWriteBuf_char(char* buf, char* value, unsigned* pos, unsigned max, long reading)
{
    return file_readWriteBuf(buf, value, 1, 4, pos, max, reading);
}

long file_readWriteBuf_flag(char* buf, int32_t* flag, unsigned* pos, unsigned max, long reading)
{
    if (!flag) return 0;
    char byte = (!reading && *flag) ? 1 : 0;
    if (!file_readWriteBuf_char(buf, &byte, pos, max, reading)) return 0;
    if (reading) *flag = static_cast<unsigned char>(byte);
    return 1;
}

unsigned file_bodyLimit(long reading)
{
    if (!reading) return kFileBufSize;
    if (!file_buf || file_buf->held <= 0) return 0;
    return static_cast<unsigned>(file_buf->held) + 1u;
}

long file_readWriteBuf_short(char* buf, int16_t* value, unsigned* pos, unsigned max, long reading)
{
    return file_readWriteBuf(buf, value, 2, 4, pos, max, reading);
}

long file_readWriteBuf_long(char* buf, int32_t* value, unsigned* pos, unsigned max, long reading)
{
    return file_readWriteBuf(buf, value, 4, 4, pos, max, reading);
}

long file_readWriteBuf_float(char* buf, float* value, unsigned* pos, unsigned max, long reading)
{
    return file_readWriteBuf(buf, value, 4, 4, pos, max, reading);
}

long file_readWriteBuf_double(char* buf, double* value, unsigned* pos, unsigned max, long reading)
{
    return file_readWriteBuf(buf, value, 8, 8, pos, max, reading);
}
