// Test support for the wave, tuning and MIDI-control tests: a private shared
// segment with the engine globals started once, fresh instruments, and chunk
// round trips through a real file in native and in the other byte order
// (the body swapped slot by slot from an independent description).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "dsp/dsp.h"
#include "fileio/fileio.h"
#include "iac/MorvaneIAC.h"

namespace wtm {

inline long acceptChunk(chunkRec*) { return 0; }

// Started once per test program: private segment, chunk buffer, globals.
class Environment : public ::testing::Environment {
public:
    void SetUp() override
    {
        iac_setSegmentName("/wtm-test-%p");
        file_init(kFileBufSize);
        file_setChunkVerifyProc(acceptChunk);
        dsp_globals_init();
    }
    void TearDown() override
    {
        file_cleanup();
        iac_unlinkSegment();
    }
};

// Instance i reset to its initial values (already marked paused, so the
// reset does not wait for a plug-in to answer the fade hand-shake).
inline instRec* freshInst(int i = 0)
{
    instRec* inst = iac_getInst(i);
    inst->paused = 1;
    inst->fadeHandshake = 0;
    inst_reinit(inst);
    inst->paused = 0;
    return inst;
}

// Slot layout of a chunk body, one letter per 4-byte slot: 's' int16 (first
// two bytes swapped), 'l' int32 or float (four bytes swapped), 'f' flag and
// 'b' raw bytes (never swapped).
inline std::string repeat(const std::string& part, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i) s += part;
    return s;
}

inline void swapBody(std::vector<unsigned char>& bytes, const std::string& layout)
{
    size_t at = 12;
    for (char k : layout) {
        if (k == 's') std::swap(bytes[at], bytes[at + 1]);
        if (k == 'l') {
            std::swap(bytes[at], bytes[at + 3]);
            std::swap(bytes[at + 1], bytes[at + 2]);
        }
        at += 4;
    }
}

// A temporary chunk file in the test's directory.
class ChunkFile {
public:
    ChunkFile() : path_("wtm_chunk_" + std::to_string(getpid()) + ".bin") {}
    ~ChunkFile() { std::remove(path_.c_str()); }

    // Writes one chunk with the given writer; returns the writer's result.
    int write(const std::function<int(fileRec*, void*)>& writer)
    {
        fileRec f;
        file_initFileRec(&f, nullptr);
        std::snprintf(f.path, sizeof f.path, "%s", path_.c_str());
        if (!file_create(&f)) return 0;
        int ok = writer(&f, file_getBufferData());
        file_close(&f);
        return ok;
    }

    std::vector<unsigned char> bytes() const
    {
        std::vector<unsigned char> out;
        FILE* f = std::fopen(path_.c_str(), "rb");
        if (!f) return out;
        int c;
        while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
        return out;
    }

    void setBytes(const std::vector<unsigned char>& b)
    {
        FILE* f = std::fopen(path_.c_str(), "wb");
        if (!f) return;
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }

    // Loads the chunk into file_buf and runs the reader on its body, in
    // invert mode when flipped.
    int read(const std::function<int(fileRec*, void*)>& reader, bool flipped)
    {
        fileRec f;
        file_initFileRec(&f, nullptr);
        std::snprintf(f.path, sizeof f.path, "%s", path_.c_str());
        endian_nativeMode();
        chunkRec header;
        if (!file_open(&f, 0) || !file_readChunk(&f, &header)) {
            file_close(&f);
            return -1;
        }
        if (flipped) endian_invertMode();
        int ok = reader(&f, file_getBufferData());
        endian_nativeMode();
        file_close(&f);
        return ok;
    }

    // Swaps the body of the written chunk into the other byte order.
    void swap(const std::string& layout)
    {
        std::vector<unsigned char> b = bytes();
        swapBody(b, layout);
        setBytes(b);
    }

    // Cuts the body to n bytes (a damaged file), fixing the header's size.
    void truncateBody(size_t n)
    {
        std::vector<unsigned char> b = bytes();
        b.resize(12 + n);
        int32_t size = static_cast<int32_t>(n);
        std::memcpy(&b[4], &size, 4);
        setBytes(b);
    }

    // Body size and version from the header as written (native order).
    int32_t bodySize() const { return headerField(4); }
    int32_t version() const { return headerField(8); }
    int32_t type() const { return headerField(0); }

private:
    int32_t headerField(size_t at) const
    {
        std::vector<unsigned char> b = bytes();
        int32_t v = 0;
        if (b.size() >= at + 4) std::memcpy(&v, &b[at], 4);
        return v;
    }
    std::string path_;
};

}  // namespace wtm

namespace wtm {
inline ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new Environment);
}  // namespace wtm
