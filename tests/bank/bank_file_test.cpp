// Bank files: write-then-read in both byte orders, the reader's rules for
// each chunk kind, reopening the current file, and saves that fail without
// touching the old file.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/bank/bank_test_util.h"

namespace {
// A bank file taken apart into its chunks (little-endian files only).
struct rawChunk {
    std::string type;
    int32_t version;
    std::vector<unsigned char> body;
};

std::vector<rawChunk> splitChunks(const std::vector<unsigned char>& bytes)
{
    std::vector<rawChunk> out;
    size_t at = 0;
    while (at + 12 <= bytes.size()) {
        int32_t type, size, version;
        std::memcpy(&type, &bytes[at], 4);
        std::memcpy(&size, &bytes[at + 4], 4);
        std::memcpy(&version, &bytes[at + 8], 4);
        rawChunk c;
        for (int i = 3; i >= 0; --i)
            c.type += static_cast<char>((static_cast<uint32_t>(type) >> (8 * i)) & 0xFF);
        c.version = version;
        c.body.assign(bytes.begin() + (long)at + 12, bytes.begin() + (long)at + 12 + size);
        out.push_back(c);
        at += 12 + (size_t)size;
    }
    return out;
}

std::vector<unsigned char> joinChunks(const std::vector<rawChunk>& chunks)
{
    std::vector<unsigned char> out;
    for (const rawChunk& c : chunks) {
        int32_t head[3] = {chunkType(c.type[0], c.type[1], c.type[2], c.type[3]), (int32_t)c.body.size(),
                           c.version};
        const unsigned char* h = reinterpret_cast<const unsigned char*>(head);
        out.insert(out.end(), h, h + 12);
        out.insert(out.end(), c.body.begin(), c.body.end());
    }
    return out;
}

// Index of the n-th chunk of a type.
size_t findChunk(const std::vector<rawChunk>& chunks, const std::string& type, int n = 0)
{
    for (size_t i = 0; i < chunks.size(); ++i)
        if (chunks[i].type == type && n-- == 0) return i;
    return chunks.size();
}

struct BankFile : ::testing::Test {
    void SetUp() override
    {
        work = testInst(0);
        bank = bank_new();
    }
    void TearDown() override { bank_delete(bank); }
    instRec* work = nullptr;
    bankRec* bank = nullptr;
    tempFolder dir;
};
}  // namespace

TEST_F(BankFile, RandomBanksRoundTripInBothByteOrders)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        bank_clearPresets(bank);
        std::vector<int> slots = {0, 127};
        for (int i = 0; i < 10; ++i) slots.push_back(std::uniform_int_distribution<int>(1, 126)(rng));
        fillRandomBank(bank, work, slots, rng, seed == 3);
        int stored = storedPresets(bank);

        messageLog log;
        std::string native = dir.path("native.glo"), big = dir.path("big.glo"), again = dir.path("again.glo");
        ASSERT_TRUE(mvnFile_exportByteOrder(bank, native.c_str(), 0));
        ASSERT_TRUE(mvnFile_exportByteOrder(bank, big.c_str(), 1));
        EXPECT_EQ(bank->file.path[0], 0);  // an export is a copy

        std::vector<unsigned char> nativeBytes = readBytes(native), bigBytes = readBytes(big);
        ASSERT_EQ(nativeBytes.size(), bigBytes.size());
        EXPECT_NE(nativeBytes, bigBytes);
        EXPECT_EQ(0, std::memcmp(bigBytes.data(), "Clam", 4));
        EXPECT_EQ(0, std::memcmp(nativeBytes.data(), "malC", 4));

        for (const std::string& path : {native, big}) {
            bankRec* read = openBank(path);
            EXPECT_EQ(storedPresets(read), stored);
            EXPECT_EQ(shallWeFlip(), 0);
            ASSERT_TRUE(mvnFile_exportByteOrder(read, again.c_str(), 0));
            EXPECT_EQ(readBytes(again), nativeBytes) << path;
            for (int slot : slots) {
                presetRec* a = bank_getPreset(bank, (short)slot);
                presetRec* b = bank_getPreset(read, (short)slot);
                EXPECT_EQ(0, std::memcmp(a->patch.name, b->patch.name, kPatchNameLen));
                EXPECT_EQ(preset_envCount(a), preset_envCount(b));
                EXPECT_EQ(preset_waveCount(a), preset_waveCount(b));
                EXPECT_EQ(a->effect != nullptr, b->effect != nullptr);
                for (short w = 0; w < preset_waveCount(a); ++w)
                    EXPECT_EQ(0, std::memcmp(a->waves[w].data, b->waves[w].data, sizeof a->waves[w].data));
                for (short e = 0; e < preset_envCount(a); ++e)
                    EXPECT_EQ(0, std::memcmp(a->envs[e].bp, b->envs[e].bp, sizeof a->envs[e].bp));
            }
            bank_delete(read);
        }
        EXPECT_TRUE(log.messages.empty());
    }
}

TEST_F(BankFile, HeaderAndTailAloneOpenAsAnEmptyBank)
{
    std::string path = dir.path("empty-bank.glo");
    ASSERT_TRUE(mvnFile_saveAs(bank, path.c_str(), nullptr));
    EXPECT_EQ(splitChunks(readBytes(path)).size(), 2u);
    long result = 0;
    bankRec* read = openBank(path, &result);
    EXPECT_EQ(result, mvnOpen_done);
    EXPECT_EQ(storedPresets(read), 0);
    bank_delete(read);
}

TEST_F(BankFile, ReaderKeepsTheFirstListAndTheFirstEffect)
{
    std::mt19937 rng(11);
    fillRandomBank(bank, work, {0}, rng, false);
    presetRec* src = bank_getPreset(bank, 0);
    src->effect.reset(effect_newHandle(effectMode_pipe));
    preset_newEnvList(src, 2);
    env_initEnvInstRec(&src->envs[0], envParam_amp);
    env_initEnvInstRec(&src->envs[1], envParam_amp);
    presetRec* other = preset_new(1);
    other->effect.reset(effect_newHandle(effectMode_multitap));
    preset_newEnvList(other, 5);
    for (envInstRec& e : other->envs) env_initEnvInstRec(&e, envParam_amp);
    bank_addPreset(bank, other);
    std::string path = dir.path("lists.glo");
    ASSERT_TRUE(mvnFile_saveAs(bank, path.c_str(), nullptr));

    // Copy preset 1's envelope list and effect into preset 0, after its own.
    std::vector<rawChunk> chunks = splitChunks(readBytes(path));
    rawChunk env5 = chunks[findChunk(chunks, "env ", 1)];
    rawChunk mtap = chunks[findChunk(chunks, "mTap")];
    size_t pipe = findChunk(chunks, "pipe");
    ASSERT_LT(pipe, chunks.size());
    chunks.insert(chunks.begin() + (long)pipe + 1, {env5, mtap});
    writeBytes(path, joinChunks(chunks));

    bankRec* read = openBank(path);
    presetRec* p = bank_getPreset(read, 0);
    EXPECT_EQ(preset_envCount(p), 2);
    ASSERT_NE(p->effect, nullptr);
    EXPECT_EQ(p->effect->type, effectMode_pipe);
    EXPECT_EQ(preset_envCount(bank_getPreset(read, 1)), 5);
    bank_delete(read);
}

TEST_F(BankFile, OscillatorChunkWithIndexThreeIsIgnored)
{
    presetRec* p = preset_new(4);
    p->oscil[2].mode = oscMode_ringmod;
    bank_addPreset(bank, p);
    std::string path = dir.path("index.glo");
    ASSERT_TRUE(mvnFile_saveAs(bank, path.c_str(), nullptr));
    std::vector<rawChunk> chunks = splitChunks(readBytes(path));
    rawChunk& third = chunks[findChunk(chunks, "ocil", 2)];
    int32_t index = 3;
    std::memcpy(&third.body[60], &index, 4);  // slot 16: the channel index
    writeBytes(path, joinChunks(chunks));
    messageLog log;
    bankRec* read = openBank(path);
    EXPECT_EQ(bank_getPreset(read, 4)->oscil[2].mode, oscMode_single);
    EXPECT_TRUE(log.errorContains("index out of range"));
    bank_delete(read);
}

TEST_F(BankFile, PresetNeverClosedIsNotAdded)
{
    std::mt19937 rng(12);
    fillRandomBank(bank, work, {2, 3}, rng, false);
    std::string path = dir.path("open.glo");
    ASSERT_TRUE(mvnFile_saveAs(bank, path.c_str(), nullptr));
    std::vector<rawChunk> chunks = splitChunks(readBytes(path));
    chunks.pop_back();  // "tail"
    chunks.pop_back();  // the last "pEnd"
    writeBytes(path, joinChunks(chunks));
    bankRec* read = openBank(path);
    EXPECT_EQ(bank_presetIsDefault(read, 2), 0);
    EXPECT_EQ(bank_presetIsDefault(read, 3), 1);
    bank_delete(read);
}

TEST_F(BankFile, ReopeningTheCurrentFileLeavesTheBankOpenAndUnchanged)
{
    std::mt19937 rng(13);
    fillRandomBank(bank, work, {1}, rng, false);
    std::string path = dir.path("current.glo");
    ASSERT_TRUE(mvnFile_saveAs(bank, path.c_str(), "current.glo"));
    EXPECT_STREQ(bank->file.path, path.c_str());
    EXPECT_EQ(bank->dirty, 0);
    bank_storeInst(bank, work, 9);  // an unsaved change
    bank->dirty = 1;

    EXPECT_TRUE(mvnFile_isCurrentFile(bank, path.c_str()));
    EXPECT_EQ(mvnFile_openFromPathName(bank, path.c_str(), "current.glo"), mvnOpen_alreadyOpen);
    std::string spelledOtherwise = dir.dir + "/./current.glo";
    EXPECT_EQ(mvnFile_openFromPathName(bank, spelledOtherwise.c_str(), nullptr), mvnOpen_alreadyOpen);
    EXPECT_EQ(bank_presetIsDefault(bank, 9), 0);
    EXPECT_EQ(bank->dirty, 1);

    // Another file is a real open: the bank is replaced.
    std::string other = dir.path("other.glo");
    bankRec* empty = bank_new();
    ASSERT_TRUE(mvnFile_saveAs(empty, other.c_str(), nullptr));
    bank_delete(empty);
    EXPECT_EQ(mvnFile_openFromPathName(bank, other.c_str(), nullptr), mvnOpen_done);
    EXPECT_EQ(storedPresets(bank), 0);
    char name[kBankNameMax + 1];
    bank_getName(bank, name);
    EXPECT_STREQ(name, "other.glo");
}

TEST_F(BankFile, MissingAndForeignFilesGiveTheirMessages)
{
    messageLog log;
    long result = -1;
    bankRec* read = openBank(dir.path("nothing-here.glo"), &result);
    EXPECT_EQ(result, mvnOpen_failed);
    EXPECT_TRUE(log.saw("File not found! Error: 8221"));
    bank_delete(read);
    EXPECT_EQ(mvnFile_open(nullptr), 0);
}

TEST_F(BankFile, SaveWritesThroughATemporaryFileAndClearsDirty)
{
    std::mt19937 rng(14);
    fillRandomBank(bank, work, {0, 5}, rng, false);
    std::string path = dir.path("saved.glo");
    messageLog log;
    EXPECT_EQ(mvnFile_save(bank), 0);  // no file yet
    EXPECT_TRUE(log.saw("file error: 18834. The file was not saved"));
    bank->dirty = 1;
    ASSERT_TRUE(mvnFile_saveAs(bank, path.c_str(), nullptr));
    EXPECT_EQ(bank->dirty, 0);
    EXPECT_STREQ(bank->file.title, "saved.glo");
    bank_storeInst(bank, work, 6);
    ASSERT_TRUE(mvnFile_save(bank));
    bankRec* read = openBank(path);
    EXPECT_EQ(storedPresets(read), 3);
    bank_delete(read);
    // No temporary file left behind; the file the save replaced is the backup.
    EXPECT_EQ(filesIn(dir.dir), (std::vector<std::string>{"saved.glo", "saved.glo.bak"}));
}

TEST_F(BankFile, FailedSavesShowAMessageAndLeaveTheOldFile)
{
    std::mt19937 rng(15);
    fillRandomBank(bank, work, {0}, rng, false);
    std::string path = dir.path("locked.glo");
    ASSERT_TRUE(mvnFile_saveAs(bank, path.c_str(), nullptr));
    std::vector<unsigned char> before = readBytes(path);
    fillRandomBank(bank, work, {1, 2, 3}, rng, true);

    messageLog log;
    chmod(path.c_str(), 0444);
    EXPECT_EQ(mvnFile_save(bank), 0);
    EXPECT_TRUE(log.saw("This file is locked, please use Save As... to save changes to this bank\n"
                        "Permission denied"));
    EXPECT_EQ(readBytes(path), before);
    chmod(path.c_str(), 0644);

    log.clear();
    std::string nowhere = dir.path("no-such-folder/bank.glo");
    EXPECT_EQ(mvnFile_saveAs(bank, nowhere.c_str(), nullptr), 0);
    EXPECT_TRUE(log.saw("File Error! Unable to create file. Error 81774\nNo such file or directory"));
    EXPECT_STREQ(bank->file.path, path.c_str());

    // A disk that fills up in the middle of the file: the child process may
    // write at most 4 KB per file.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        messageLog childLog;
        long saved = mvnFile_save(bank);
        bool told =
            !childLog.messages.empty() && childLog.messages[0].rfind("File save failed! Error 517", 0) == 0;
        _exit(saved == 0 && told ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readBytes(path), before);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.dir)) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST_F(BankFile, VerifierRecognisesTypesVersionsAndByteOrder)
{
    messageLog log;
    endian_nativeMode();
    chunkRec h = {chunkType('o', 'c', 'i', 'l'), 72, 10};
    EXPECT_EQ(chunk_verify_mvn(&h), 0);
    h.version = 11;
    EXPECT_EQ(chunk_verify_mvn(&h), 2);
    h = {chunkType('p', 'E', 'n', 'd'), 0, 99};
    EXPECT_EQ(chunk_verify_mvn(&h), 0);
    h = {chunkType('z', 'z', 'z', 'z'), 0, 99};
    EXPECT_EQ(chunk_verify_mvn(&h), 0);
    h = {chunkType('q', 'q', 'q', 'q'), 0, 0};
    EXPECT_EQ(chunk_verify_mvn(&h), 1);
    EXPECT_TRUE(log.errorContains("bad chunk type"));

    // A byte-reversed header chunk switches the order, but only as the
    // first chunk of a file.
    int32_t size = 8, version = 1;
    flipLong(&size);
    flipLong(&version);
    chunkRec reversed = {chunkType('m', 'a', 'l', 'C'), size, version};
    h = reversed;
    EXPECT_EQ(chunk_verify_mvn(&h), 1);
    EXPECT_EQ(shallWeFlip(), 0);
    h = reversed;
    chunk_verify_mvnExpectFirst(1);
    EXPECT_EQ(chunk_verify_mvn(&h), 0);
    EXPECT_EQ(shallWeFlip(), 1);
    EXPECT_EQ(h.type, chunkType('C', 'l', 'a', 'm'));
    EXPECT_EQ(h.size, 8);
    EXPECT_EQ(h.version, 1);
    endian_nativeMode();
}

TEST_F(BankFile, OpenDialogOpensTheChosenFileAndCancelChangesNothing)
{
    static std::string chosen;
    static bool accept = false;
    file_setOpenDialogProc([](const fileDialogRec*, fileWindow, char* path, char* title) -> long {
        if (!accept) return 0;
        std::snprintf(path, kFilePathSize, "%s", chosen.c_str());
        std::snprintf(title, kFilePathSize, "chosen.glo");
        return 1;
    });
    file_winDialogsInit(nullptr, nullptr, "Morvane Files (*.GLO)\0*.glo\0", "Morvane Files (*.GLO)\0*.glo\0");
    std::mt19937 rng(16);
    fillRandomBank(bank, work, {3}, rng, false);
    chosen = dir.path("chosen.glo");
    ASSERT_TRUE(mvnFile_saveAs(bank, chosen.c_str(), nullptr));
    bankRec* other = bank_new();
    presetRec* keep = preset_new(8);
    bank_addPreset(other, keep);

    accept = false;
    EXPECT_EQ(mvnFile_openDialog(other), mvnOpen_failed);
    EXPECT_EQ(bank_presetIsDefault(other, 8), 0);  // cancelled: nothing closed

    accept = true;
    EXPECT_EQ(mvnFile_openDialog(other), mvnOpen_done);
    EXPECT_EQ(bank_presetIsDefault(other, 8), 1);
    EXPECT_EQ(bank_presetIsDefault(other, 3), 0);
    EXPECT_STREQ(other->file.title, "chosen.glo");
    EXPECT_EQ(mvnFile_openDialog(other), mvnOpen_alreadyOpen);
    bank_delete(other);
    file_setOpenDialogProc(nullptr);
}
