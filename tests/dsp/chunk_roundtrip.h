// Test support for the stored forms of the envelope, LFO and effect records:
// a fresh instrument in the test's private shared segment, chunk files in a
// temporary directory, and a byte swapper that turns a natively written chunk
// into the other byte order from an independent description of its slots.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dsp/dsp.h"
#include "fileio/fileio.h"
#include "iac/MorvaneIAC.h"

// Instance i reset to its initial values without waiting for a plug-in to
// answer the fade hand-shake (a record that is already paused is not faded).
inline instRec* freshInst(int i = 0)
{
    instRec* inst = iac_getInst(i);
    inst->paused = 1;
    inst->fadeHandshake = 0;
    inst->instanceNumber = static_cast<int16_t>(i);
    inst_reinit(inst);
    inst->paused = 0;
    return inst;
}

// Slot layout of a chunk body, one letter per slot: 'f' a flag (one byte,
// never swapped), 's' an int16 (two bytes swapped), 'l' an int32 or float
// (four bytes), 'd' a double (eight bytes).
inline std::string repeatLayout(const std::string& part, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i) s += part;
    return s;
}

inline size_t layoutBytes(const std::string& layout)
{
    size_t n = 0;
    for (char k : layout) n += (k == 'd') ? 8 : 4;
    return n;
}

// Reverses the bytes of the three header longs and of every numeric slot
// of the body described by layout.
inline void swapChunk(std::vector<unsigned char>& bytes, const std::string& layout)
{
    auto rev = [&](size_t at, size_t n) {
        for (size_t i = 0; i < n / 2; ++i) std::swap(bytes[at + i], bytes[at + n - 1 - i]);
    };
    for (size_t h = 0; h < 12; h += 4) rev(h, 4);
    size_t at = 12;
    for (char k : layout) {
        switch (k) {
        case 's':
            rev(at, 2);
            at += 4;
            break;
        case 'l':
            rev(at, 4);
            at += 4;
            break;
        case 'd':
            rev(at, 8);
            at += 8;
            break;
        default: at += 4; break;
        }
    }
}

inline long acceptFlipped(chunkRec* h)
{
    chunk_flip(h);  // swaps only in invert mode
    return 0;
}

class ChunkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "envfx-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back(0);
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        dir_ = name.data();
        endian_nativeMode();
        ASSERT_EQ(file_init(kFileBufSize), 1);
        file_setChunkVerifyProc(acceptFlipped);
    }

    void TearDown() override
    {
        file_setChunkVerifyProc(nullptr);
        file_cleanup();
        endian_nativeMode();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    fileRec fileFor(const char* name)
    {
        fileRec f;
        file_initFileRec(&f, nullptr);
        std::snprintf(f.path, sizeof f.path, "%s/%s", dir_.c_str(), name);
        return f;
    }

    // Runs a writer (reading = 0) into a new file and returns the file's bytes.
    std::vector<unsigned char> writeChunk(const std::function<int(fileRec*, void*)>& writer)
    {
        fileRec f = fileFor("out.glo");
        EXPECT_EQ(file_create(&f), 1);
        // A dirty buffer shows whether the writer leaves padding bytes behind.
        std::vector<char> buffer(kFileBufSize, static_cast<char>(0xEE));
        EXPECT_EQ(writer(&f, buffer.data()), 1);
        const std::string path = f.path;  // closing clears the record
        file_close(&f);
        std::vector<unsigned char> bytes;
        if (FILE* in = std::fopen(path.c_str(), "rb")) {
            int c;
            while ((c = std::fgetc(in)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
            std::fclose(in);
        }
        return bytes;
    }

    // Reads the first chunk of bytes (in invert mode when swapped) and hands
    // its body to reader (reading = 1); returns the reader's result.
    int readChunk(const std::vector<unsigned char>& bytes, bool swapped,
                  const std::function<int(fileRec*, void*)>& reader)
    {
        fileRec f = fileFor("in.glo");
        if (FILE* out = std::fopen(f.path, "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            std::fclose(out);
        }
        endian_nativeMode();
        if (swapped) endian_invertMode();
        EXPECT_EQ(file_open(&f, 0), 1);
        // A dirty data area shows whether a reader looks past the body.
        std::memset(file_getBufferData(), 0x5A, kFileBufSize);
        chunkRec h;
        int result = file_readChunk(&f, &h) ? reader(&f, file_getBufferData()) : -1;
        file_close(&f);
        endian_nativeMode();
        return result;
    }

    static int32_t bodySize(const std::vector<unsigned char>& bytes)
    {
        int32_t n = -1;
        if (bytes.size() >= 12) std::memcpy(&n, bytes.data() + 4, 4);
        return n;
    }

    static int32_t chunkTypeOf(const std::vector<unsigned char>& bytes)
    {
        int32_t t = 0;
        if (bytes.size() >= 12) std::memcpy(&t, bytes.data(), 4);
        return t;
    }

    // Cuts the body to n bytes, header included in the count of the result.
    static std::vector<unsigned char> shortened(std::vector<unsigned char> bytes, int32_t n)
    {
        bytes.resize(12 + n);
        std::memcpy(bytes.data() + 4, &n, 4);
        return bytes;
    }

    std::string dir_;
};
