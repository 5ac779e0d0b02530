// Reading the chunks of a bank file in order through a read-ahead window.
//
// Each step does what the chunk layer's file_readChunk does (the header into
// file_buf's copy, the verification hook, the held length), but the file is
// read in large blocks, so a whole bank costs a handful of system calls
// instead of several per chunk, and the body is handed out where it lies in
// the window instead of being copied into file_buf's data area. A
// chunk the hook refuses, or one too large for the chunk buffer, is skipped
// when its body lies inside the file; anything else that does not fit the
// file ends the walk. Every problem is reported on the silent error channel
// with its byte offset.
#pragma once

#include <vector>

#include "bank/bank_internal.h"

class chunkStream {
public:
    enum result { chunk_ok, chunk_end, chunk_skipped, chunk_damaged };

    explicit chunkStream(fileRec* file);
    // The next chunk; header is filled on chunk_ok and cleared otherwise.
    // On chunk_ok, body() holds its body (held bytes, as file_buf->held says)
    // until the next call.
    result next(chunkRec* header);
    char* body() { return body_; }
    bool atEnd() const { return pos_ >= size_; }

private:
    char* take(long n);  // n bytes at pos, contiguous in the window; null past the end
    bool skip(long n);
    bool refill(long need);

    fileRec* file_;
    long size_;     // file size
    long pos_ = 0;  // file position of the next unread byte
    std::vector<char> window_;
    long held_ = 0;  // bytes of the window holding file data
    long at_ = 0;    // window offset of pos_
    char* body_ = nullptr;
};

// "ptch" -> text; unprintable characters become '?'.
void bank_typeText(int32_t type, char out[5]);
// Reports a problem with the chunk at offset on the silent error channel.
void bank_reportAt(long offset, const char* what, int32_t type);
