#include "fileio_fixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

const int32_t kClam = chunkType('C', 'l', 'a', 'm');
const int32_t kSmpl = chunkType('s', 'm', 'p', 'l');

TEST(ByteOrder, ModeAndFlipRoutines)
{
    endian_nativeMode();
    EXPECT_EQ(shallWeFlip(), 0);
    endian_invertMode();
    EXPECT_EQ(shallWeFlip(), 1);
    endian_invertMode();
    EXPECT_EQ(shallWeFlip(), 0);
    endian_invertMode();
    endian_nativeMode();
    EXPECT_EQ(shallWeFlip(), 0);

    // The flip routines swap whatever the mode.
    int16_t s = 0x0102;
    flipShort(&s);
    EXPECT_EQ(s, 0x0201);
    int32_t l = 0x01020304;
    flipLong(&l);
    EXPECT_EQ(l, 0x04030201);
    float f = 1.0f;  // 0x3F800000
    flipFloat(&f);
    uint32_t fbits;
    std::memcpy(&fbits, &f, 4);
    EXPECT_EQ(fbits, 0x0000803Fu);
    flipFloat(&f);
    EXPECT_EQ(f, 1.0f);
    double d = 2.0;  // 0x4000000000000000
    flipDouble(&d);
    uint64_t dbits;
    std::memcpy(&dbits, &d, 8);
    EXPECT_EQ(dbits, 0x40ull);
    flipDouble(nullptr);

    // chunk_flip swaps only in invert mode.
    chunkRec h{kClam, 12, 1};
    chunk_flip(&h);
    EXPECT_EQ(h.type, kClam);
    endian_invertMode();
    chunk_flip(&h);
    EXPECT_EQ(h.type, 0x6D616C43);
    EXPECT_EQ(h.size, 12 << 24);
    EXPECT_EQ(h.version, 1 << 24);
    chunk_flip(nullptr);
    endian_nativeMode();
}

// A record with one field of every marshalled kind, stored the way every
// module stores its record: one list of calls for both directions.
struct sampleRec {
    char c;
    int16_t s;
    int32_t l;
    float f;
    double d;
    char name[8];
};

long sample_readWrite(fileRec* file, sampleRec* r, void* buffer, int reading)
{
    char* buf = static_cast<char*>(buffer);
    unsigned pos = 0;
    file_readWriteBuf_char(buf, &r->c, &pos, 0xFFFF, reading);
    file_readWriteBuf_short(buf, &r->s, &pos, 0xFFFF, reading);
    file_readWriteBuf_long(buf, &r->l, &pos, 0xFFFF, reading);
    file_readWriteBuf_float(buf, &r->f, &pos, 0xFFFF, reading);
    file_readWriteBuf_double(buf, &r->d, &pos, 0xFFFF, reading);
    file_readWriteBuf(buf, r->name, 8, 8, &pos, 0xFFFF, reading);
    if (reading) {
        if (shallWeFlip()) {
            flipShort(&r->s);
            flipLong(&r->l);
            flipFloat(&r->f);
            flipDouble(&r->d);
        }
        return 1;
    }
    chunkRec h;
    chunk_formatChunkHeader(&h, kSmpl, pos, 10);
    return file_writeChunk(file, &h, buf);
}

// Accepts "Clam" and "smpl"; on a header that only makes sense reversed,
// switches to invert mode, as a bank reader does on its first chunk.
long detectOrder(chunkRec* h)
{
    int32_t before = h->type;
    chunk_flip(h);
    if (h->type == kClam || h->type == kSmpl) return 0;
    int32_t reversed = before;
    flipLong(&reversed);
    if (reversed == kClam) {
        endian_invertMode();
        chunk_flip(h);
        return 0;
    }
    return 1;
}

// Reverses every value of the file written below, giving the file a
// machine of the other byte order would have written.
std::vector<char> swapOrder(std::vector<char> bytes)
{
    auto rev = [&](size_t at, size_t n) { std::reverse(bytes.begin() + at, bytes.begin() + at + n); };
    size_t at = 0;
    for (int chunk = 0; chunk < 2; ++chunk) {
        int32_t size;
        std::memcpy(&size, &bytes[at + 4], 4);
        for (int i = 0; i < 3; ++i) rev(at + 4 * i, 4);
        if (chunk == 1) {
            size_t body = at + 12;
            rev(body + 4, 2);  // short in the first bytes of its slot
            rev(body + 8, 4);
            rev(body + 12, 4);
            rev(body + 16, 8);  // the name block stays as it is
        }
        at += 12 + size;
    }
    return bytes;
}

void readBack(fileRec* f, sampleRec* out, int32_t* clamVersion)
{
    endian_nativeMode();
    file_setChunkVerifyProc(detectOrder);
    ASSERT_EQ(file_open(f, 0), 1);
    chunkRec h;
    ASSERT_EQ(file_readChunk(f, &h), 1);
    EXPECT_EQ(h.type, kClam);
    EXPECT_EQ(h.size, 0);
    *clamVersion = h.version;
    ASSERT_EQ(file_readNextChunk(f, &h), 1);
    EXPECT_EQ(h.type, kSmpl);
    EXPECT_EQ(h.size, 32);
    EXPECT_EQ(h.version, 10);
    EXPECT_EQ(sample_readWrite(f, out, file_getBufferData(), 1), 1);
    EXPECT_EQ(file_reachedTheEnd(f), 1);
    file_close(f);
}

TEST_F(FileIoTest, ChunkFileReadsBackInBothByteOrders)
{
    sampleRec original{'Q', -12345, -123456789, 3.25f, -1.0e-300, "name"};
    char buffer[64];
    std::memset(buffer, 0x55, sizeof buffer);

    file_setChunkVerifyProc(detectOrder);
    fileRec f = recordFor("native.glo");
    ASSERT_EQ(file_create(&f), 1);
    chunkRec clam;
    chunk_formatChunkHeader(&clam, kClam, 0, 1);
    ASSERT_EQ(file_writeChunk(&f, &clam, nullptr), 1);
    ASSERT_EQ(sample_readWrite(&f, &original, buffer, 0), 1);
    file_close(&f);

    std::ifstream in(dir_ + "/native.glo", std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size(), 12u + 12u + 32u);
    {
        std::ofstream out(dir_ + "/swapped.glo", std::ios::binary);
        std::vector<char> swapped = swapOrder(bytes);
        out.write(swapped.data(), static_cast<std::streamsize>(swapped.size()));
    }

    for (const char* name : {"native.glo", "swapped.glo"}) {
        SCOPED_TRACE(name);
        sampleRec got{};
        int32_t version = 0;
        f = recordFor(name);
        readBack(&f, &got, &version);
        EXPECT_EQ(shallWeFlip(), std::string(name) == "swapped.glo" ? 1 : 0);
        EXPECT_EQ(version, 1);
        EXPECT_EQ(got.c, 'Q');
        EXPECT_EQ(got.s, -12345);
        EXPECT_EQ(got.l, -123456789);
        EXPECT_EQ(got.f, 3.25f);
        EXPECT_EQ(got.d, -1.0e-300);
        EXPECT_STREQ(got.name, "name");
    }
}

TEST_F(FileIoTest, ChunkBodiesAreDeterministic)
{
    // Stale bytes in the caller's buffer never reach the file.
    sampleRec r{'a', 1, 2, 3.0f, 4.0, "x"};
    file_setChunkVerifyProc(acceptAll);
    std::vector<std::vector<char>> files;
    for (unsigned char fill : {0x00, 0xFF}) {
        char buffer[64];
        std::memset(buffer, fill, sizeof buffer);
        std::string name = "d" + std::to_string(fill) + ".bin";
        fileRec f = recordFor(name);
        ASSERT_EQ(file_create(&f), 1);
        ASSERT_EQ(sample_readWrite(&f, &r, buffer, 0), 1);
        file_close(&f);
        std::ifstream in(dir_ + "/" + name, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ(files[0], files[1]);
}

}  // namespace
