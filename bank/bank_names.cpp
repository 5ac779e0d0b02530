// Reading only the preset names of a bank file, for finding a sound by name
// across many banks at once: the chunks are walked as the bank reader walks
// them (the same verification, the same rules for where a preset starts and
// ends), but only the patch chunks are read. Every other body is passed
// over by its size without being read, so a bank full of waves and
// envelopes costs a few small reads per preset. Nothing is shown: a file
// that is no bank gives 0, a damaged one the presets closed before the damage.
#include <cstring>

#include <unistd.h>

#include "bank/bank_internal.h"

namespace {
enum { kBlock = 2048, kMaxChunks = 16000 };

// A few kilobytes of the file around the place being read.
class sparseReader {
public:
    explicit sparseReader(fileRec* file) : file_(file), size_(file_getEOF(file)) {}
    long size() const { return size_; }
    // n bytes at pos (n <= kBlock), or null past the end.
    const char* at(long pos, long n)
    {
        if (n < 0 || n > kBlock || pos < 0 || pos + n > size_) return nullptr;
        if (pos < start_ || pos + n > start_ + held_) {
            long want = size_ - pos < kBlock ? size_ - pos : static_cast<long>(kBlock);
            if (pread(file_->handle, block_, static_cast<size_t>(want), pos) != want) return nullptr;
            start_ = pos;
            held_ = want;
        }
        return block_ + (pos - start_);
    }

private:
    fileRec* file_;
    long size_;
    long start_ = 0;
    long held_ = 0;
    char block_[kBlock];
};

// The header at pos, verified; 0 when the file ends inside it.
int readHeader(sparseReader& in, long pos, chunkRec* h, long* refused)
{
    const char* raw = in.at(pos, kChunkHeaderSize);
    if (!raw) return 0;
    char block[kChunkHeaderSize + 1] = {};
    std::memcpy(block, raw, kChunkHeaderSize);
    unsigned at = 0;
    *h = chunkRec{};
    file_readWriteBuf_long(block, &h->type, &at, kChunkHeaderSize + 1, 1);
    file_readWriteBuf_long(block, &h->size, &at, kChunkHeaderSize + 1, 1);
    file_readWriteBuf_long(block, &h->version, &at, kChunkHeaderSize + 1, 1);
    *refused = file_getChunkVerifyProc()(h);
    return 1;
}

int quiet(const char*, const char*, int) { return bankAnswer_ok; }

long walk(fileRec* file, bankNamesRec* out)
{
    sparseReader in(file);
    chunkRec h{};
    long refused = 0;
    chunk_verify_mvnExpectFirst(1);
    int first = readHeader(in, 0, &h, &refused);
    chunk_verify_mvnExpectFirst(0);
    if (!first || refused || h.size < 0 || kChunkHeaderSize + (long long)h.size > in.size() ||
        h.size > file_buf->capacity)
        return 0;

    bool building = false;  // a patch chunk opened a preset not yet closed
    patchRec patch{};
    long pos = 0;
    for (int i = 0; i < kMaxChunks; ++i) {
        // Chunks the reader skips: refused ones and those beyond its chunk buffer.
        if (!refused && h.size <= file_buf->capacity) {
            if (h.type == kBankChunkClam) building = false;
            if ((h.type == kBankChunkPtch || h.type == kBankChunkPEnd || h.type == kBankChunkTail) &&
                building) {
                if (patch.preset >= 0 && patch.preset < kBankSlots) {
                    out->used[patch.preset] = true;
                    std::memcpy(out->names[patch.preset], patch.name, kPatchNameLen);
                    out->names[patch.preset][kPatchNameLen] = 0;
                }
                building = false;
            }
            if (h.type == kBankChunkPtch) {
                // The patch record lies at the start of the body; a longer
                // body is read only as far as the record goes.
                const long held = h.size < kBlock ? static_cast<long>(h.size) : static_cast<long>(kBlock);
                const char* body = in.at(pos + kChunkHeaderSize, held);
                char copy[kBlock + 1] = {};
                if (body) std::memcpy(copy, body, static_cast<size_t>(held));
                file_buf->held = static_cast<int32_t>(held);
                patch = patchRec{};
                building = body && patch_readWritePatch(file, &patch, copy, 1);
            }
            if (h.type == kBankChunkTail) break;
        }
        pos += kChunkHeaderSize + h.size;
        if (pos >= in.size()) break;
        if (!readHeader(in, pos, &h, &refused) || h.size < 0 ||
            pos + kChunkHeaderSize + (long long)h.size > in.size())
            break;  // damage ends the walk; what was closed stays
    }
    return 1;
}
}  // namespace

long mvnFile_readNames(const char* path, bankNamesRec* out)
{
    if (!out) return 0;
    *out = bankNamesRec{};
    if (!path || !path[0] || std::strlen(path) >= kFilePathSize) return 0;
    if (!file_buf && !file_init(kFileBufSize)) return 0;
    fileRec file;
    file_initFileRec(&file, nullptr);
    bank_copyText(file.path, sizeof file.path, path);
    if (!file_open(&file, 0)) return 0;
    chunkVerifyProc saved = file_getChunkVerifyProc();
    endian_nativeMode();
    file_setChunkVerifyProc(chunk_verify_mvn);
    // The verifier speaks of refused chunks and newer versions: not here.
    bankMessageProc messages = bank_getMessageProc();
    bankErrorProc errors = bank_getErrorProc();
    bank_setMessageProc(quiet);
    bank_setErrorProc(nullptr);
    long result = walk(&file, out);
    bank_setMessageProc(messages);
    bank_setErrorProc(errors);
    endian_nativeMode();
    file_setChunkVerifyProc(saved);
    file_close(&file);
    return result;
}
