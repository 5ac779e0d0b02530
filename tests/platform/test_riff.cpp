// RIFF reading: walking the chunks of a file in order, LIST chunks and the
// bounds of a parent chunk, odd sizes and their pad bytes, and files that
// are damaged in the ways a broken or hostile WAV file can be.
#include "test_support.h"
#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

std::string le32(uint32_t v)
{
    return std::string{(char)(v & 0xFF), (char)((v >> 8) & 0xFF), (char)((v >> 16) & 0xFF), (char)(v >> 24)};
}
std::string chunk(const std::string& id, const std::string& body, bool pad = true)
{
    std::string s = id + le32((uint32_t)body.size()) + body;
    if (pad && (body.size() & 1)) s += '\0';
    return s;
}
std::string idOf(FOURCC f)
{
    return std::string{(char)(f & 0xFF), (char)((f >> 8) & 0xFF), (char)((f >> 16) & 0xFF), (char)(f >> 24)};
}

struct RiffFile {
    std::string path;
    explicit RiffFile(const std::string& bytes)
    {
        char tpl[] = "/tmp/platform-riff-XXXXXX";
        int fd = mkstemp(tpl);
        path = tpl;
        if (fd >= 0) close(fd);
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~RiffFile() { unlink(path.c_str()); }
    HMMIO open() const { return mmioOpenA((LPSTR)path.c_str(), nullptr, MMIO_READ); }
};

// The ids of the chunks directly inside parent, in file order, each visited
// by descending without a search and ascending again.
std::vector<std::string> walk(HMMIO h, const MMCKINFO& parent)
{
    std::vector<std::string> ids;
    mmioSeek(h, (LONG)parent.dwDataOffset + 4, SEEK_SET);
    for (int guard = 0; guard < 64; guard++) {
        MMCKINFO ck{};
        if (mmioDescend(h, &ck, &parent, 0) != 0) break;
        ids.push_back(idOf(ck.ckid));
        if (mmioAscend(h, &ck, 0) != 0) break;
    }
    return ids;
}

}  // namespace

TEST_F(PlatformTest, RiffWalksChunksListsAndPadBytes)
{
    std::string info = chunk("LIST", "INFO" + chunk("INAM", "Piano") + chunk("ICMT", "ok"));
    RiffFile f(chunk("RIFF", "WAVE" + chunk("fmt ", std::string(16, '\x01')) + info + chunk("data", "abc") +
                                 chunk("junk", "")));
    HMMIO h = f.open();
    ASSERT_TRUE(h);
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    ASSERT_EQ(0u, mmioDescend(h, &riff, nullptr, MMIO_FINDRIFF));
    EXPECT_EQ(8u, riff.dwDataOffset);
    // Every chunk in order, odd sizes skipping their pad byte.
    EXPECT_EQ((std::vector<std::string>{"fmt ", "LIST", "data", "junk"}), walk(h, riff));
    // A LIST is found by its type, and searches inside it stay inside it.
    mmioSeek(h, 12, SEEK_SET);
    MMCKINFO list{};
    list.fccType = mmioFOURCC('I', 'N', 'F', 'O');
    ASSERT_EQ(0u, mmioDescend(h, &list, &riff, MMIO_FINDLIST));
    EXPECT_EQ(FOURCC_LIST, list.ckid);
    MMCKINFO name{};
    name.ckid = mmioFOURCC('I', 'N', 'A', 'M');
    ASSERT_EQ(0u, mmioDescend(h, &name, &list, MMIO_FINDCHUNK));
    char buf[16] = {};
    EXPECT_EQ(5, mmioRead(h, buf, 5));
    EXPECT_STREQ("Piano", buf);
    EXPECT_EQ(0u, mmioAscend(h, &name, 0));  // past the pad byte
    MMCKINFO cmt{};
    cmt.ckid = mmioFOURCC('I', 'C', 'M', 'T');
    ASSERT_EQ(0u, mmioDescend(h, &cmt, &list, MMIO_FINDCHUNK));
    EXPECT_EQ(2u, cmt.cksize);
    EXPECT_EQ((std::vector<std::string>{"INAM", "ICMT"}), walk(h, list));
    MMCKINFO data{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    mmioSeek(h, (LONG)list.dwDataOffset + 4, SEEK_SET);
    EXPECT_EQ((MMRESULT)MMIOERR_CHUNKNOTFOUND,
              mmioDescend(h, &data, &list, MMIO_FINDCHUNK));  // after the LIST
    // Ascending from the LIST lands on the next chunk of the RIFF.
    ASSERT_EQ(0u, mmioAscend(h, &list, 0));
    MMCKINFO next{};
    ASSERT_EQ(0u, mmioDescend(h, &next, &riff, 0));
    EXPECT_EQ("data", idOf(next.ckid));
    EXPECT_EQ(3u, next.cksize);
    // A RIFF of another form type is not taken for a WAVE.
    mmioSeek(h, 0, SEEK_SET);
    MMCKINFO avi{};
    avi.fccType = mmioFOURCC('A', 'V', 'I', ' ');
    EXPECT_EQ((MMRESULT)MMIOERR_CHUNKNOTFOUND, mmioDescend(h, &avi, nullptr, MMIO_FINDRIFF));
    // Seeking and reading at the end.
    LONG end = mmioSeek(h, 0, SEEK_END);
    EXPECT_GT(end, 80);
    EXPECT_EQ(end, mmioSeek(h, 0, SEEK_CUR));
    EXPECT_EQ(0, mmioRead(h, buf, 4));
    EXPECT_EQ(-1, mmioSeek(h, -100, SEEK_SET));
    EXPECT_EQ(0u, mmioClose(h, 0));
}

TEST_F(PlatformTest, RiffRefusesDamagedFilesWithoutReadingPastThem)
{
    std::string fmt = chunk("fmt ", std::string(16, '\0'));
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases = {
        {"chunk larger than the file", chunk("RIFF", "WAVE" + std::string("fmt ") + le32(1000) + "short")},
        {"size near 4 GB",
         chunk("RIFF", "WAVE" + std::string("LIST") + le32(0xFFFFFFFFu) + "INFO" + chunk("data", "x"))},
        {"header cut short", chunk("RIFF", "WAVE" + fmt) + "da"},
        {"form type cut short", std::string("RIFF") + le32(2) + "WA"},
        {"RIFF smaller than its form type", std::string("RIFF") + le32(2) + "WAVE" + chunk("data", "xy")},
        {"odd chunk without its pad byte at the end",
         chunk("RIFF", "WAVE" + chunk("fmt ", "abc", false), false)},
        {"many empty chunks", chunk(
                                  "RIFF", "WAVE" +
                                              [] {
                                                  std::string s;
                                                  for (int i = 0; i < 500; i++) s += chunk("zero", "");
                                                  return s;
                                              }())},
        {"empty file", ""},
    };
    for (const Case& c : cases) {
        RiffFile f(c.bytes);
        HMMIO h = f.open();
        ASSERT_TRUE(h) << c.what;
        MMCKINFO riff{};
        riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
        if (mmioDescend(h, &riff, nullptr, MMIO_FINDRIFF) == 0) {
            // Whatever is found lies inside the file; the data chunk is not there.
            std::vector<std::string> ids = walk(h, riff);
            EXPECT_LE(ids.size(), 500u) << c.what;
            MMCKINFO data{};
            data.ckid = mmioFOURCC('d', 'a', 't', 'a');
            mmioSeek(h, 12, SEEK_SET);
            EXPECT_EQ((MMRESULT)MMIOERR_CHUNKNOTFOUND, mmioDescend(h, &data, &riff, MMIO_FINDCHUNK))
                << c.what;
            // A read asked for more than there is returns what there is.
            mmioSeek(h, 12, SEEK_SET);
            std::vector<char> big(4096);
            LONG got = mmioRead(h, big.data(), (LONG)big.size());
            EXPECT_GE(got, 0) << c.what;
            EXPECT_LE((size_t)got + 12, c.bytes.size()) << c.what;
        }
        EXPECT_EQ(0u, mmioClose(h, 0)) << c.what;
    }
    // Bad handles and arguments are refused, never followed.
    char buf[8];
    MMCKINFO ck{};
    EXPECT_EQ((MMRESULT)MMIOERR_CHUNKNOTFOUND, mmioDescend(nullptr, &ck, nullptr, 0));
    EXPECT_NE(0u, mmioAscend(nullptr, &ck, 0));
    EXPECT_EQ(-1, mmioSeek(nullptr, 0, SEEK_SET));
    EXPECT_EQ(-1, mmioRead((HMMIO)(uintptr_t)0x1234, buf, 4));
    RiffFile f(chunk("RIFF", "WAVE" + fmt));
    HMMIO h = f.open();
    ASSERT_TRUE(h);
    EXPECT_EQ((MMRESULT)MMIOERR_CHUNKNOTFOUND, mmioDescend(h, nullptr, nullptr, 0));
    EXPECT_NE(0u, mmioAscend(h, nullptr, 0));
    EXPECT_EQ(-1, mmioRead(h, buf, -1));
    EXPECT_EQ(-1, mmioRead(h, nullptr, 4));
    EXPECT_EQ(0u, mmioClose(h, 0));
    EXPECT_NE(0u, mmioClose(h, 0));  // closed twice: refused
    EXPECT_EQ(-1, mmioRead(h, buf, 4));
    // Writing is not offered; a missing name or file opens nothing.
    EXPECT_EQ(nullptr, mmioOpenA((LPSTR)f.path.c_str(), nullptr, MMIO_WRITE));
    EXPECT_EQ(nullptr, mmioOpenA((LPSTR)f.path.c_str(), nullptr, MMIO_READWRITE));
    EXPECT_EQ(nullptr, mmioOpenA(nullptr, nullptr, MMIO_READ));
    // A folder is no RIFF file: opened or not, nothing is found in it.
    HMMIO dir = mmioOpenA((LPSTR) "/tmp", nullptr, MMIO_READ);
    if (dir) {
        MMCKINFO r{};
        r.fccType = mmioFOURCC('W', 'A', 'V', 'E');
        EXPECT_EQ((MMRESULT)MMIOERR_CHUNKNOTFOUND, mmioDescend(dir, &r, nullptr, MMIO_FINDRIFF));
        EXPECT_LE(mmioRead(dir, buf, 4), 0);
        mmioClose(dir, 0);
    }
}
