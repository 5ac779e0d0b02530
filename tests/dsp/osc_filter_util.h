// Shared by the oscillator, modulator, waveshaper and filter tests: a fresh
// instrument on private memory, and a chunk file harness that writes a chunk,
// builds the same chunk in the other byte order and reads either back.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "dsp/dsp.h"
#include "fileio/fileio.h"
#include "iac/MorvaneIAC.h"

namespace oscTest {

// Instance 0 of a private segment, reset. Marked paused first so that the
// reset does not wait for a plug-in to answer the fade hand-shake.
inline instRec* freshInst()
{
    static bool named = iac_setSegmentName("/morvane-osc-filter-test-%p") == 1;
    EXPECT_TRUE(named);
    instRec* inst = iac_getInst(0);
    inst->paused = 1;
    inst_reinit(inst);
    return inst;
}

// One 4-byte slot of a chunk body as the test expects it: 'f' float, 'l'
// 32-bit integer, 's' 16-bit integer at the start of the slot, 'b' one flag
// byte at the start of the slot. The rest of a slot is zero.
struct Slot {
    char kind;
    uint32_t bits;
};

inline Slot f(float v)
{
    uint32_t b;
    std::memcpy(&b, &v, 4);
    return {'f', b};
}
inline Slot l(int32_t v) { return {'l', (uint32_t)v}; }
inline Slot s(int16_t v) { return {'s', (uint16_t)v}; }
inline Slot b(int v) { return {'b', (uint32_t)(v != 0)}; }

// The body the slots stand for, in this machine's byte order or swapped.
inline std::vector<unsigned char> bodyOf(const std::vector<Slot>& slots, bool swapped)
{
    std::vector<unsigned char> body(slots.size() * 4, 0);
    for (size_t i = 0; i < slots.size(); ++i) {
        unsigned char* at = &body[i * 4];
        const Slot& slot = slots[i];
        if (slot.kind == 'b') {
            at[0] = (unsigned char)slot.bits;
            continue;
        }
        size_t n = slot.kind == 's' ? 2 : 4;
        if (n == 2) {
            uint16_t v = (uint16_t)slot.bits;
            std::memcpy(at, &v, 2);
        } else {
            std::memcpy(at, &slot.bits, 4);
        }
        if (swapped)
            for (size_t k = 0; k < n / 2; ++k) std::swap(at[k], at[n - 1 - k]);
    }
    return body;
}

inline long acceptAll(chunkRec*) { return 0; }
// As the bank reader's hook does for a file of the other byte order: swap
// the header into this machine's order (chunk_flip swaps only in invert mode).
inline long acceptAndFlip(chunkRec* header)
{
    chunk_flip(header);
    return 0;
}

class ChunkFile : public ::testing::Test {
protected:
    std::string path;

    void SetUp() override
    {
        ASSERT_EQ(file_init(0xFFFF), 1);
        file_setChunkVerifyProc(acceptAll);
        endian_nativeMode();
        char tmpl[] = "/tmp/morvane-oscf-XXXXXX";
        int fd = mkstemp(tmpl);
        ASSERT_GE(fd, 0);
        close(fd);
        path = tmpl;
    }
    void TearDown() override
    {
        endian_nativeMode();
        file_setChunkVerifyProc(nullptr);
        file_cleanup();
        std::remove(path.c_str());
    }

    bool openFile(fileRec* file, bool create)
    {
        file_initFileRec(file, nullptr);
        std::snprintf(file->path, sizeof file->path, "%s", path.c_str());
        return (create ? file_create(file) : file_open(file, 0)) == 1;
    }

    // Runs a writer on a freshly created file, with a chunk buffer full of
    // junk (the writer must zero its padding); returns the file's bytes.
    std::vector<unsigned char> writeWith(const std::function<int(fileRec*, void*)>& writer)
    {
        fileRec file;
        EXPECT_TRUE(openFile(&file, true));
        std::vector<char> buffer(0xFFFF, (char)0xEE);
        EXPECT_EQ(writer(&file, buffer.data()), 1);
        file_close(&file);
        return load();
    }

    std::vector<unsigned char> load()
    {
        std::vector<unsigned char> bytes;
        FILE* fp = std::fopen(path.c_str(), "rb");
        for (int c; fp && (c = std::fgetc(fp)) != EOF;) bytes.push_back((unsigned char)c);
        if (fp) std::fclose(fp);
        return bytes;
    }

    void store(const std::vector<unsigned char>& bytes)
    {
        FILE* fp = std::fopen(path.c_str(), "wb");
        ASSERT_NE(fp, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), fp);
        std::fclose(fp);
    }

    // A whole chunk: header (type, size, version 10) and body, in this
    // machine's order or swapped.
    static std::vector<unsigned char> chunkOf(int32_t type, const std::vector<unsigned char>& body,
                                              bool swapped)
    {
        std::vector<unsigned char> bytes(12);
        int32_t head[3] = {type, (int32_t)body.size(), 10};
        std::memcpy(bytes.data(), head, 12);
        if (swapped)
            for (int w = 0; w < 3; ++w) std::reverse(bytes.begin() + w * 4, bytes.begin() + w * 4 + 4);
        bytes.insert(bytes.end(), body.begin(), body.end());
        return bytes;
    }

    // Reads the chunk held in the file through the reader, in invert mode
    // when swapped; the reader's result.
    int readWith(bool swapped, const std::function<int(fileRec*, void*)>& reader)
    {
        fileRec file;
        EXPECT_TRUE(openFile(&file, false));
        endian_nativeMode();
        if (swapped) {
            endian_invertMode();
            file_setChunkVerifyProc(acceptAndFlip);
        }
        chunkRec header;
        int ok = 0;
        if (file_readChunk(&file, &header) == 1) ok = reader(&file, file_getBufferData());
        file_close(&file);
        file_setChunkVerifyProc(acceptAll);
        endian_nativeMode();
        return ok;
    }
};

}  // namespace oscTest
