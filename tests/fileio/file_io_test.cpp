#include "fileio_fixture.h"

#include <fstream>
#include <iterator>

namespace {

std::vector<char> slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(FileIoTest, RecordLifecycleKeepsTheOwner)
{
    int ownerWindow = 0;
    fileRec f;
    std::memset(&f, 0x5A, sizeof f);
    file_initFileRec(&f, &ownerWindow);
    EXPECT_EQ(f.owner, &ownerWindow);
    EXPECT_EQ(f.handle, -1);
    EXPECT_EQ(f.path[0], 0);
    EXPECT_EQ(f.title[259], 0);

    std::string path = dir_ + "/a.bin";
    std::strcpy(f.path, path.c_str());
    ASSERT_EQ(file_create(&f), 1);
    EXPECT_GE(f.handle, 0);
    EXPECT_EQ(file_close(&f), 1);
    EXPECT_EQ(f.handle, -1);
    EXPECT_EQ(f.path[0], 0);           // path is cleared ...
    EXPECT_EQ(f.owner, &ownerWindow);  // ... the owner stays
    EXPECT_EQ(file_close(nullptr), 0);
}

TEST_F(FileIoTest, OpenMissingOrUnnamedFileFails)
{
    fileRec f = recordFor("missing.glo");
    EXPECT_EQ(file_open(&f, 0), 0);
    EXPECT_EQ(f.handle, -1);
    fileRec unnamed;
    file_initFileRec(&unnamed, nullptr);
    EXPECT_EQ(file_open(&unnamed, 0), 0);
    EXPECT_EQ(file_create(&unnamed), 0);
    EXPECT_EQ(file_open(nullptr, 0), 0);
}

TEST_F(FileIoTest, WriteReadPositionsAndEnd)
{
    fileRec f = recordFor("data.bin");
    ASSERT_EQ(file_create(&f), 1);
    const char text[] = "0123456789";
    EXPECT_EQ(file_write(&f, text, 10), 1);
    EXPECT_EQ(file_write(&f, text, 0), 1);
    EXPECT_EQ(file_write(&f, nullptr, 4), 0);
    EXPECT_EQ(file_write(&f, text, -1), 0);
    EXPECT_EQ(file_getEOF(&f), 10);
    file_close(&f);

    f = recordFor("data.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    EXPECT_EQ(file_write(&f, text, 3), 0);  // opened for reading only
    EXPECT_EQ(file_getPos(&f), 0);
    EXPECT_EQ(file_reachedTheEnd(&f), 0);
    EXPECT_EQ(file_setPos(&f, 4), 1);
    char got[8] = {};
    EXPECT_EQ(file_read(&f, got, 3), 1);
    EXPECT_STREQ(got, "456");
    EXPECT_EQ(file_getPos(&f), 7);
    EXPECT_EQ(file_setPos(&f, -1), 0);
    EXPECT_EQ(file_getPos(&f), 7);
    EXPECT_EQ(file_setPos(&f, 10), 1);
    EXPECT_EQ(file_reachedTheEnd(&f), 1);
    EXPECT_EQ(file_setPos(&f, 25), 1);  // beyond the end is a valid seek
    EXPECT_EQ(file_reachedTheEnd(&f), 1);
    file_close(&f);

    EXPECT_EQ(file_reachedTheEnd(nullptr), 1);
    EXPECT_EQ(file_reachedTheEnd(&f), 1);  // closed
    EXPECT_EQ(file_getEOF(&f), 0);
    EXPECT_EQ(file_getPos(&f), -1);
    EXPECT_EQ(file_read(&f, got, 1), 0);
}

TEST_F(FileIoTest, ShortReadIsAFailure)
{
    fileRec f = recordFor("short.bin");
    ASSERT_EQ(file_create(&f), 1);
    ASSERT_EQ(file_write(&f, "abcde", 5), 1);
    file_close(&f);

    f = recordFor("short.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    char got[16] = {};
    EXPECT_EQ(file_read(&f, got, 8), 0);  // only 5 bytes are there
    EXPECT_EQ(file_setPos(&f, 5), 1);
    EXPECT_EQ(file_read(&f, got, 1), 0);  // at the end
    EXPECT_EQ(file_setPos(&f, 1), 1);
    EXPECT_EQ(file_read(&f, got, 4), 1);  // exactly what is left
    EXPECT_EQ(std::string(got, 4), "bcde");
    EXPECT_EQ(file_read(&f, got, 0), 1);
    EXPECT_EQ(file_read(&f, got, -3), 0);
    file_close(&f);
}

TEST_F(FileIoTest, CreateTruncatesAndReopeningClosesTheOldHandle)
{
    fileRec f = recordFor("t.bin");
    ASSERT_EQ(file_create(&f), 1);
    ASSERT_EQ(file_write(&f, "long old content", 16), 1);
    int first = f.handle;
    ASSERT_EQ(file_create(&f), 1);  // same record, same path
    EXPECT_EQ(f.handle, first);     // the old descriptor was released
    ASSERT_EQ(file_write(&f, "new", 3), 1);
    file_close(&f);
    std::vector<char> bytes = slurp(dir_ + "/t.bin");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new");
}

TEST_F(FileIoTest, SharedBufferLifecycle)
{
    ASSERT_NE(file_buf, nullptr);
    EXPECT_EQ(file_buf->capacity, 0xFFFF);
    EXPECT_EQ(file_getBufferData(), file_buf->data);
    file_buf->data[0xFFFE] = 1;  // the whole area is usable

    fileBuf* other = file_newBuf(100);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->capacity, 100);
    EXPECT_EQ(other->held, 0);
    EXPECT_EQ(other->chunkStart, 0);
    EXPECT_EQ(other->header.type, 0);
    file_deleteBuf(other);
    file_deleteBuf(nullptr);
    EXPECT_EQ(file_newBuf(-1), nullptr);

    file_cleanup();
    EXPECT_EQ(file_buf, nullptr);
    EXPECT_EQ(file_getBufferData(), nullptr);
    EXPECT_EQ(file_init(-5), 0);
    EXPECT_EQ(file_buf, nullptr);
}

TEST_F(FileIoTest, MarshallingSlotsAndLimits)
{
    char buf[32];
    std::memset(buf, 0x77, sizeof buf);
    unsigned pos = 0;
    char c = 'x';
    int16_t s = -2;
    int32_t l = 0x01020304;
    float fl = 1.5f;
    double d = -0.25;
    EXPECT_EQ(file_readWriteBuf_char(buf, &c, &pos, 0xFFFF, 0), 1);
    EXPECT_EQ(pos, 4u);
    EXPECT_EQ(file_readWriteBuf_short(buf, &s, &pos, 0xFFFF, 0), 1);
    EXPECT_EQ(pos, 8u);
    EXPECT_EQ(file_readWriteBuf_long(buf, &l, &pos, 0xFFFF, 0), 1);
    EXPECT_EQ(pos, 12u);
    EXPECT_EQ(file_readWriteBuf_float(buf, &fl, &pos, 0xFFFF, 0), 1);
    EXPECT_EQ(pos, 16u);
    EXPECT_EQ(file_readWriteBuf_double(buf, &d, &pos, 0xFFFF, 0), 1);
    EXPECT_EQ(pos, 24u);
    // Padding of the char and short slots is zeroed, not left stale.
    EXPECT_EQ(buf[1], 0);
    EXPECT_EQ(buf[3], 0);
    EXPECT_EQ(buf[6], 0);
    EXPECT_EQ(buf[7], 0);
    EXPECT_EQ(buf[24], 0x77);  // nothing written past the last slot

    // The same calls read the values back.
    char c2 = 0;
    int16_t s2 = 0;
    int32_t l2 = 0;
    float f2 = 0;
    double d2 = 0;
    pos = 0;
    EXPECT_EQ(file_readWriteBuf_char(buf, &c2, &pos, 0xFFFF, 1), 1);
    EXPECT_EQ(file_readWriteBuf_short(buf, &s2, &pos, 0xFFFF, 1), 1);
    EXPECT_EQ(file_readWriteBuf_long(buf, &l2, &pos, 0xFFFF, 1), 1);
    EXPECT_EQ(file_readWriteBuf_float(buf, &f2, &pos, 0xFFFF, 1), 1);
    EXPECT_EQ(file_readWriteBuf_double(buf, &d2, &pos, 0xFFFF, 1), 1);
    EXPECT_EQ(c2, 'x');
    EXPECT_EQ(s2, -2);
    EXPECT_EQ(l2, 0x01020304);
    EXPECT_EQ(f2, 1.5f);
    EXPECT_EQ(d2, -0.25);
    EXPECT_EQ(pos, 24u);

    // pos + advance equal to max fails and changes nothing.
    pos = 8;
    l2 = 99;
    EXPECT_EQ(file_readWriteBuf_long(buf, &l2, &pos, 12, 1), 0);
    EXPECT_EQ(pos, 8u);
    EXPECT_EQ(l2, 99);
    EXPECT_EQ(file_readWriteBuf_long(buf, &l2, &pos, 13, 1), 1);
    EXPECT_EQ(pos, 12u);
    pos = 0;
    EXPECT_EQ(file_readWriteBuf_double(buf, &d2, &pos, 8, 1), 0);
    EXPECT_EQ(pos, 0u);

    // A position near the top of the range must not wrap past the limit.
    pos = 0xFFFFFFFEu;
    EXPECT_EQ(file_readWriteBuf_long(buf, &l2, &pos, 0xFFFFFFFFu, 1), 0);
    // A block larger than its advance must still fit below the limit.
    pos = 0;
    char block[16] = {};
    EXPECT_EQ(file_readWriteBuf(buf, block, 16, 4, &pos, 10, 1), 0);
    EXPECT_EQ(file_readWriteBuf(buf, block, 8, 8, &pos, 32, 1), 1);
    EXPECT_EQ(pos, 8u);
    EXPECT_EQ(file_readWriteBuf(nullptr, block, 4, 4, &pos, 32, 1), 0);
    EXPECT_EQ(file_readWriteBuf(buf, nullptr, 4, 4, &pos, 32, 1), 0);
    EXPECT_EQ(file_readWriteBuf(buf, block, 4, 4, nullptr, 32, 1), 0);
}

TEST_F(FileIoTest, FlagsAndTheBodyLimit)
{
    // A set flag is saved as 1 whatever its value, so 256 is not saved as off.
    char buf[8];
    std::memset(buf, 0x55, sizeof buf);
    unsigned pos = 0;
    int32_t on = 256, off = 0, back = -1;
    EXPECT_EQ(file_readWriteBuf_flag(buf, &on, &pos, 0xFFFF, 0), 1);
    EXPECT_EQ(file_readWriteBuf_flag(buf, &off, &pos, 0xFFFF, 0), 1);
    EXPECT_EQ(pos, 8u);
    EXPECT_EQ(buf[0], 1);
    EXPECT_EQ(buf[1], 0);
    EXPECT_EQ(buf[4], 0);
    pos = 0;
    EXPECT_EQ(file_readWriteBuf_flag(buf, &back, &pos, 0xFFFF, 1), 1);
    EXPECT_EQ(back, 1);
    EXPECT_EQ(file_readWriteBuf_flag(buf, &back, &pos, 0xFFFF, 1), 1);
    EXPECT_EQ(back, 0);
    EXPECT_EQ(file_readWriteBuf_flag(buf, nullptr, &pos, 0xFFFF, 1), 0);

    // Writing may fill the buffer; reading stops at the body really held.
    EXPECT_EQ(file_bodyLimit(0), unsigned(kFileBufSize));
    file_buf->held = 0;
    EXPECT_EQ(file_bodyLimit(1), 0u);
    file_buf->held = 8;
    EXPECT_EQ(file_bodyLimit(1), 9u);
    pos = 4;
    EXPECT_EQ(file_readWriteBuf_flag(buf, &back, &pos, file_bodyLimit(1), 1), 1);
    EXPECT_EQ(file_readWriteBuf_flag(buf, &back, &pos, file_bodyLimit(1), 1), 0);  // past the body
    file_cleanup();
    EXPECT_EQ(file_bodyLimit(1), 0u);
}

TEST_F(FileIoTest, RecordWriterStopsWhenTheBufferIsFull)
{
    // Ten longs into a limit of 30 bytes: only those ending below it fit.
    char buf[64] = {};
    unsigned pos = 0;
    int written = 0;
    for (int32_t i = 0; i < 10; ++i) written += file_readWriteBuf_long(buf, &i, &pos, 30, 0);
    EXPECT_EQ(written, 7);
    EXPECT_EQ(pos, 28u);
}

}  // namespace
