// The stored form "ptch" of the patch record, in both byte orders.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "dsp/dsp.h"
#include "fileio/fileio.h"

namespace {

// Accepts every chunk; a file of the other byte order has its header swapped
// here, as the bank reader's hook does.
long acceptAll(chunkRec* h)
{
    chunk_flip(h);
    return 0;
}

struct TempDir {
    std::string path;
    TempDir()
    {
        char tmpl[] = "/tmp/morvane-patch-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() { std::system(("rm -rf " + path).c_str()); }
};

patchRec samplePatch()
{
    patchRec p;
    patch_initPatchRec(&p, 17);
    p.poly = 12;
    p.amp = 0.75f;
    patch_setTrans(&p, -7.0f);
    p.pan = 0.3f;
    p.retrigRate = 12345.678;
    p.retrigBeat = 3.5f;
    p.microtune = 27;
    patch_setName(&p, "Glass Pad");
    return p;
}

std::vector<unsigned char> readAll(const std::string& path)
{
    std::vector<unsigned char> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back((unsigned char)c);
    std::fclose(f);
    return bytes;
}

void writeAll(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void swap(std::vector<unsigned char>& b, size_t at, size_t n)
{
    for (size_t i = 0; i < n / 2; ++i) std::swap(b[at + i], b[at + n - 1 - i]);
}

class PatchChunk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(file_init(0xFFFF), 1);
        file_setChunkVerifyProc(acceptAll);
        endian_nativeMode();
    }
    void TearDown() override
    {
        endian_nativeMode();
        file_cleanup();
    }
    std::string writePatch(const patchRec& p)
    {
        std::string path = dir.path + "/p.glo";
        fileRec f;
        file_initFileRec(&f, nullptr);
        std::snprintf(f.path, sizeof f.path, "%s", path.c_str());
        EXPECT_EQ(file_create(&f), 1);
        patchRec copy = p;
        std::vector<char> buffer(0xFFFF, (char)0xEE);
        EXPECT_EQ(patch_readWritePatch(&f, &copy, buffer.data(), 0), 1);
        file_close(&f);
        return path;
    }
    int readPatch(const std::string& path, patchRec* out)
    {
        fileRec f;
        file_initFileRec(&f, nullptr);
        std::snprintf(f.path, sizeof f.path, "%s", path.c_str());
        if (!file_open(&f, 0)) return 0;
        chunkRec h;
        int ok = file_readChunk(&f, &h) && patch_readWritePatch(&f, out, file_getBufferData(), 1);
        file_close(&f);
        return ok;
    }
    TempDir dir;
};

}  // namespace

TEST_F(PatchChunk, BodyIsSeventyBytesAndRoundTrips)
{
    patchRec p = samplePatch();
    std::string path = writePatch(p);
    std::vector<unsigned char> bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 12u + 70u);
    int32_t type, size, version;
    std::memcpy(&type, &bytes[0], 4);
    std::memcpy(&size, &bytes[4], 4);
    std::memcpy(&version, &bytes[8], 4);
    EXPECT_EQ(type, 0x70746368);
    EXPECT_EQ(size, 70);
    EXPECT_EQ(version, 10);
    // Padding of the 16-bit slots is zero, not whatever the buffer held.
    EXPECT_EQ(bytes[12 + 2], 0);
    EXPECT_EQ(bytes[12 + 3], 0);

    patchRec back;
    patch_initPatchRec(&back, 0);
    ASSERT_EQ(readPatch(path, &back), 1);
    EXPECT_EQ(back.preset, 17);
    EXPECT_EQ(back.poly, 12);
    EXPECT_FLOAT_EQ(back.amp, 0.75f);
    EXPECT_FLOAT_EQ(back.trans, p.trans);
    EXPECT_FLOAT_EQ(back.pan, 0.3f);
    EXPECT_DOUBLE_EQ(back.retrigRate, 12345.678);
    EXPECT_FLOAT_EQ(back.retrigBeat, 3.5f);
    EXPECT_EQ(back.microtune, 27);
    EXPECT_STREQ(back.name, "Glass Pad");
}

TEST_F(PatchChunk, ReadsAFileOfTheOtherByteOrder)
{
    patchRec p = samplePatch();
    std::string path = writePatch(p);
    std::vector<unsigned char> b = readAll(path);
    for (size_t at : {0u, 4u, 8u}) swap(b, at, 4);
    swap(b, 12 + 0, 2);  // preset
    swap(b, 12 + 4, 2);  // poly
    for (size_t at : {8u, 12u, 16u}) swap(b, 12 + at, 4);
    swap(b, 12 + 20, 8);  // retrigger rate
    swap(b, 12 + 28, 4);  // retrigger beat
    swap(b, 12 + 32, 2);  // microtune
    writeAll(path, b);

    endian_invertMode();
    patchRec back;
    patch_initPatchRec(&back, 0);
    ASSERT_EQ(readPatch(path, &back), 1);
    EXPECT_EQ(back.preset, 17);
    EXPECT_EQ(back.poly, 12);
    EXPECT_FLOAT_EQ(back.amp, 0.75f);
    EXPECT_DOUBLE_EQ(back.retrigRate, 12345.678);
    EXPECT_EQ(back.microtune, 27);
    EXPECT_STREQ(back.name, "Glass Pad");
}

TEST_F(PatchChunk, ShortBodyIsRefusedWithoutTouchingTheRecord)
{
    patchRec p = samplePatch();
    std::string path = writePatch(p);
    std::vector<unsigned char> b = readAll(path);
    int32_t shortSize = 30;
    std::memcpy(&b[4], &shortSize, 4);
    b.resize(12 + 30);
    writeAll(path, b);

    patchRec back;
    patch_initPatchRec(&back, 3);
    patchRec before = back;
    EXPECT_EQ(readPatch(path, &back), 0);
    EXPECT_EQ(std::memcmp(&before, &back, sizeof back), 0);
    EXPECT_EQ(patch_readWritePatch(nullptr, &back, file_getBufferData(), 1), 0);
}
