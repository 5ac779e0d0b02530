#include "fileio_fixture.h"

#include <unistd.h>

namespace {

const int32_t kPtch = chunkType('p', 't', 'c', 'h');
const int32_t kTail = chunkType('t', 'a', 'i', 'l');

// Writes chunks of the given body sizes; body bytes count up from `seed`.
void writeChunks(fileRec* f, const std::vector<int>& sizes, int seed = 1)
{
    file_setChunkVerifyProc(acceptAll);
    ASSERT_EQ(file_create(f), 1);
    for (size_t i = 0; i < sizes.size(); ++i) {
        std::vector<char> body(sizes[i] + 1);
        for (int b = 0; b < sizes[i]; ++b) body[b] = static_cast<char>(seed + b);
        chunkRec h;
        chunk_formatChunkHeader(&h, kPtch, sizes[i], static_cast<short>(i + 1));
        ASSERT_EQ(file_writeChunk(f, &h, body.data()), 1);
    }
    file_close(f);
}

TEST_F(FileIoTest, ChunkTypesAndHeaderFormatting)
{
    EXPECT_EQ(kPtch, 0x70746368);
    EXPECT_EQ(chunkType('C', 'l', 'a', 'm'), 0x436C616D);
    chunkRec h;
    chunk_formatChunkHeader(&h, kPtch, 20, -3);
    EXPECT_EQ(h.type, kPtch);
    EXPECT_EQ(h.size, 20);
    EXPECT_EQ(h.version, -3);  // widened with its sign
    chunk_formatChunkHeader(nullptr, kPtch, 1, 1);
}

TEST_F(FileIoTest, DefaultHookRejectsEverything)
{
    chunkRec h{kPtch, 4, 1};
    EXPECT_EQ(chunkVerifDefault(&h), 1);
    EXPECT_EQ(file_getChunkVerifyProc(), &chunkVerifDefault);

    fileRec f = recordFor("default.bin");
    ASSERT_EQ(file_create(&f), 1);
    EXPECT_EQ(file_writeChunk(&f, &h, (void*)"abcd"), 0);
    EXPECT_EQ(file_getEOF(&f), 0);  // nothing was written
    file_close(&f);

    f = recordFor("good.bin");
    writeChunks(&f, {4});
    file_setChunkVerifyProc(nullptr);  // back to the default
    f = recordFor("good.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    chunkRec got{1, 2, 3};
    EXPECT_EQ(file_readChunk(&f, &got), 0);
    EXPECT_EQ(got.type, 0);  // caller's header cleared
    EXPECT_EQ(file_buf->held, 0);
    EXPECT_EQ(file_buf->header.size, 4);  // the header was still read
    file_close(&f);
}

TEST_F(FileIoTest, WrittenChunksReadBackWithLayout)
{
    fileRec f = recordFor("chunks.bin");
    writeChunks(&f, {20, 0, 7});
    f = recordFor("chunks.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    EXPECT_EQ(file_getEOF(&f), 3 * 12 + 20 + 0 + 7);

    // The header on disk is type, size, version in machine order.
    char raw[12];
    ASSERT_EQ(file_read(&f, raw, 12), 1);
    int32_t v[3];
    std::memcpy(v, raw, 12);
    EXPECT_EQ(v[0], kPtch);
    EXPECT_EQ(v[1], 20);
    EXPECT_EQ(v[2], 1);

    ASSERT_EQ(file_setPos(&f, 0), 1);
    chunkRec h;
    ASSERT_EQ(file_readChunk(&f, &h), 1);
    EXPECT_EQ(h.type, kPtch);
    EXPECT_EQ(h.size, 20);
    EXPECT_EQ(h.version, 1);
    EXPECT_EQ(file_buf->held, 20);
    EXPECT_EQ(file_buf->chunkStart, 0);
    EXPECT_EQ(file_getBufferData()[0], 1);
    EXPECT_EQ(file_getBufferData()[19], 20);

    // Next chunk: chunk start + 12 + 20, whatever was consumed meanwhile.
    ASSERT_EQ(file_setPos(&f, 5), 1);
    ASSERT_EQ(file_readNextChunk(&f, &h), 1);
    EXPECT_EQ(file_buf->chunkStart, 32);
    EXPECT_EQ(h.size, 0);  // a bare header
    EXPECT_EQ(h.version, 2);
    EXPECT_EQ(file_buf->held, 0);
    EXPECT_EQ(file_getPos(&f), 44);

    ASSERT_EQ(file_readNextChunk(&f, &h), 1);
    EXPECT_EQ(file_buf->chunkStart, 44);
    EXPECT_EQ(h.size, 7);
    EXPECT_EQ(h.version, 3);
    EXPECT_EQ(file_reachedTheEnd(&f), 1);
    EXPECT_EQ(file_readNextChunk(&f, &h), 0);  // nothing after the last chunk
    file_close(&f);
}

TEST_F(FileIoTest, RejectedChunkIsSkippedByNextChunk)
{
    fileRec f = recordFor("skip.bin");
    writeChunks(&f, {8, 4});
    // Reject version 1 only.
    file_setChunkVerifyProc([](chunkRec* h) -> long { return h->version == 1; });
    f = recordFor("skip.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    chunkRec h;
    EXPECT_EQ(file_readChunk(&f, &h), 0);
    ASSERT_EQ(file_readNextChunk(&f, &h), 1);
    EXPECT_EQ(h.version, 2);
    EXPECT_EQ(file_buf->chunkStart, 20);
    file_close(&f);
}

TEST_F(FileIoTest, WriteChunkRefusesBadArguments)
{
    file_setChunkVerifyProc(acceptAll);
    fileRec f = recordFor("bad.bin");
    chunkRec h;
    chunk_formatChunkHeader(&h, kPtch, 4, 1);
    EXPECT_EQ(file_writeChunk(nullptr, &h, (void*)"abcd"), 0);
    ASSERT_EQ(file_create(&f), 1);
    EXPECT_EQ(file_writeChunk(&f, &h, nullptr), 0);  // body size > 0, no body
    chunk_formatChunkHeader(&h, kTail, 0, 1);
    EXPECT_EQ(file_writeChunk(&f, &h, nullptr), 1);  // a bare header needs none
    EXPECT_EQ(file_getEOF(&f), 12);
    file_close(&f);
    EXPECT_EQ(file_writeChunk(&f, &h, nullptr), 0);  // closed file
}

TEST_F(FileIoTest, TruncatedFilesAreNeverReadAsChunks)
{
    fileRec f = recordFor("whole.bin");
    writeChunks(&f, {100}, 7);
    std::string whole = dir_ + "/whole.bin";
    chunkRec h;

    // A full chunk leaves its bytes in the shared buffer ...
    f = recordFor("whole.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    ASSERT_EQ(file_readChunk(&f, &h), 1);
    file_close(&f);

    // ... so a body cut short must fail rather than reuse those stale bytes.
    ASSERT_EQ(truncate(whole.c_str(), 12 + 60), 0);
    f = recordFor("whole.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    EXPECT_EQ(file_readChunk(&f, &h), 0);
    EXPECT_EQ(h.type, 0);
    EXPECT_EQ(file_buf->held, 0);
    file_close(&f);

    // A header cut short fails as well.
    ASSERT_EQ(truncate(whole.c_str(), 7), 0);
    f = recordFor("whole.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    EXPECT_EQ(file_readChunk(&f, &h), 0);
    file_close(&f);

    // So does an empty file.
    ASSERT_EQ(truncate(whole.c_str(), 0), 0);
    f = recordFor("whole.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    EXPECT_EQ(file_readChunk(&f, &h), 0);
    file_close(&f);
}

TEST_F(FileIoTest, TruncatedSecondChunkStopsTheWalk)
{
    fileRec f = recordFor("two.bin");
    writeChunks(&f, {16, 16});
    ASSERT_EQ(truncate((dir_ + "/two.bin").c_str(), 28 + 12 + 10), 0);
    f = recordFor("two.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    chunkRec h;
    ASSERT_EQ(file_readChunk(&f, &h), 1);
    EXPECT_EQ(file_readNextChunk(&f, &h), 0);
    file_close(&f);
}

TEST_F(FileIoTest, OversizedAndNegativeBodiesAreRefused)
{
    fileRec f = recordFor("big.bin");
    ASSERT_EQ(file_create(&f), 1);
    // Headers written by hand: a negative body size, then one above capacity.
    int32_t headers[6] = {kPtch, -20, 1, kPtch, 0x10000, 1};
    ASSERT_EQ(file_write(&f, headers, sizeof headers), 1);
    file_close(&f);

    file_setChunkVerifyProc(acceptAll);
    f = recordFor("big.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    chunkRec h;
    EXPECT_EQ(file_readChunk(&f, &h), 0);  // -20 compares as a huge size
    EXPECT_EQ(file_buf->held, 0);
    EXPECT_EQ(file_readNextChunk(&f, &h), 0);  // 0 + 12 - 20 is before the file
    EXPECT_EQ(file_getPos(&f), 12);            // and no seek happened
    EXPECT_EQ(file_readChunk(&f, &h), 0);      // 65536 bytes do not fit
    EXPECT_EQ(file_buf->held, 0);
    file_close(&f);
}

TEST_F(FileIoTest, ReadingNeedsTheSharedBuffer)
{
    fileRec f = recordFor("nobuf.bin");
    writeChunks(&f, {4});
    f = recordFor("nobuf.bin");
    ASSERT_EQ(file_open(&f, 0), 1);
    file_cleanup();
    chunkRec h;
    EXPECT_EQ(file_readChunk(&f, &h), 0);
    EXPECT_EQ(file_readNextChunk(&f, &h), 0);
    EXPECT_EQ(file_readChunk(nullptr, &h), 0);
    file_close(&f);
}

}  // namespace
