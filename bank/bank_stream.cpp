#include "bank/bank_stream.h"

#include <cstdio>
#include <cstring>

namespace {
enum { kWindowBytes = 256 * 1024, kHeaderLimit = kChunkHeaderSize + 1 };
}  // namespace

void bank_typeText(int32_t type, char out[5])
{
    for (int i = 0; i < 4; ++i) {
        char c = static_cast<char>((static_cast<uint32_t>(type) >> (24 - 8 * i)) & 0xFF);
        out[i] = (c >= 32 && c < 127) ? c : '?';
    }
    out[4] = 0;
}

void bank_reportAt(long offset, const char* what, int32_t type)
{
    char text[160], name[5];
    bank_typeText(type, name);
    std::snprintf(text, sizeof text, "at byte %ld: chunk '%s' %s", offset, name, what);
    bank_error(text);
}

chunkStream::chunkStream(fileRec* file) : file_(file), size_(file_getEOF(file)) { file_setPos(file, 0); }

bool chunkStream::refill(long need)
{
    if (window_.empty()) window_.resize(kWindowBytes);
    long left = held_ - at_;
    if (left > 0 && at_ > 0) std::memmove(window_.data(), window_.data() + at_, (size_t)left);
    held_ = left > 0 ? left : 0;
    at_ = 0;
    long fileLeft = size_ - (pos_ + held_);
    long room = (long)window_.size() - held_;
    long want = fileLeft < room ? fileLeft : room;
    if (want > 0 && !file_read(file_, window_.data() + held_, want)) return false;
    held_ += want > 0 ? want : 0;
    return held_ >= need;
}

char* chunkStream::take(long n)
{
    if (held_ - at_ < n && !refill(n)) return nullptr;
    char* at = window_.data() + at_;
    at_ += n;
    pos_ += n;
    return at;
}

bool chunkStream::skip(long n)
{
    if (held_ - at_ >= n) {
        at_ += n;
        pos_ += n;
        return true;
    }
    pos_ += n;
    held_ = at_ = 0;
    return file_setPos(file_, pos_) != 0;
}

chunkStream::result chunkStream::next(chunkRec* header)
{
    *header = chunkRec{};
    body_ = nullptr;
    const long start = pos_;
    if (start >= size_) return chunk_end;
    file_buf->chunkStart = (int32_t)start;
    file_buf->held = 0;
    char block[kHeaderLimit] = {};
    const char* raw = size_ - start < kChunkHeaderSize ? nullptr : take(kChunkHeaderSize);
    if (!raw) {
        char text[96];
        std::snprintf(text, sizeof text, "at byte %ld: the file ends inside a chunk header", start);
        bank_error(text);
        return chunk_damaged;
    }
    std::memcpy(block, raw, kChunkHeaderSize);
    chunkRec& h = file_buf->header;
    unsigned at = 0;
    file_readWriteBuf_long(block, &h.type, &at, kHeaderLimit, 1);
    file_readWriteBuf_long(block, &h.size, &at, kHeaderLimit, 1);
    file_readWriteBuf_long(block, &h.version, &at, kHeaderLimit, 1);
    const long refused = file_getChunkVerifyProc()(&h);

    if (h.size < 0) {
        bank_reportAt(start, "has a negative size; reading stops", h.type);
        return chunk_damaged;
    }
    if ((long long)start + kChunkHeaderSize + h.size > size_) {
        bank_reportAt(start, "runs past the end of the file; reading stops", h.type);
        return chunk_damaged;
    }
    if (refused || h.size > file_buf->capacity) {
        bank_reportAt(start,
                      refused ? "was refused (unknown type or version too new); skipped"
                              : "is larger than 65535 bytes; skipped",
                      h.type);
        return skip(h.size) ? chunk_skipped : chunk_damaged;
    }
    body_ = take(h.size);
    if (!body_) {
        bank_reportAt(start, "could not be read; reading stops", h.type);
        return chunk_damaged;
    }
    file_buf->held = h.size;
    *header = h;
    return chunk_ok;
}
