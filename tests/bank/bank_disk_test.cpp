// Banks on a real disk: a failed open changes nothing, a damaged file is
// opened, marked and told once, and saves that fail (a missing folder, a
// directory in the way, a size limit, a read-only folder) say why and leave
// the old file byte for byte; links, stale temporary files and the backup.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/bank/bank_test_util.h"

namespace {
struct BankDisk : ::testing::Test {
    void SetUp() override
    {
        work = testInst(0);
        bank = bank_new();
        std::mt19937 rng(31);
        fillRandomBank(bank, work, {1, 4, 7}, rng, false);
        path = dir.path("bank.glo");
        ASSERT_TRUE(mvnFile_saveAs(bank, path.c_str(), "bank.glo"));
        saved = readBytes(path);
        fillRandomBank(bank, work, {9, 10}, rng, true);  // unsaved changes
        bank->dirty = 1;
    }
    void TearDown() override { bank_delete(bank); }
    // Runs body in a forked child and gives its exit status (128 + signal).
    int inChild(const std::function<int()>& body, long fileSizeLimit = 0, bool ignoreXfsz = true)
    {
        pid_t child = fork();
        if (child == 0) {
            signal(SIGXFSZ, ignoreXfsz ? SIG_IGN : SIG_DFL);
            struct rlimit limit = {(rlim_t)fileSizeLimit, (rlim_t)fileSizeLimit};
            if (fileSizeLimit) setrlimit(RLIMIT_FSIZE, &limit);
            _exit(body());
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    }
    instRec* work = nullptr;
    bankRec* bank = nullptr;
    tempFolder dir;
    std::string path;
    std::vector<unsigned char> saved;
};

// A file made of chunks of the saved bank, for damage to be done to it.
std::vector<unsigned char> withChunk(std::vector<unsigned char> bytes, size_t at, const char* type,
                                     int32_t version, int copies)
{
    int32_t head[3] = {chunkType(type[0], type[1], type[2], type[3]), 0, version};
    const unsigned char* h = reinterpret_cast<const unsigned char*>(head);
    for (int i = 0; i < copies; ++i) bytes.insert(bytes.begin() + (long)at, h, h + 12);
    return bytes;
}
}  // namespace

TEST_F(BankDisk, AFailedOpenLeavesTheBankItsFileAndItsPresetsAsTheyWere)
{
    const std::string newer = dir.path("newer.glo"), junk = dir.path("junk.glo");
    writeBytes(newer, withChunk({}, 0, "Clam", 2, 1));
    writeBytes(junk, std::vector<unsigned char>(64, 'x'));
    for (const std::string& other : {newer, junk, dir.path("missing.glo")}) {
        messageLog log;
        EXPECT_EQ(mvnFile_openFromPathName(bank, other.c_str(), nullptr), mvnOpen_failed);
        EXPECT_FALSE(log.messages.empty());
        EXPECT_STREQ(bank->file.path, path.c_str());
        EXPECT_EQ(storedPresets(bank), 5);
        EXPECT_EQ(bank->dirty, 1);
    }
    // Reading its own file again fails the same way once the file is gone.
    std::filesystem::rename(path, dir.path("moved.glo"));
    EXPECT_EQ(mvnFile_revert(bank), mvnOpen_failed);
    EXPECT_EQ(storedPresets(bank), 5);
    std::filesystem::rename(dir.path("moved.glo"), path);
    EXPECT_EQ(mvnFile_revert(bank), mvnOpen_done);
    EXPECT_EQ(storedPresets(bank), 3);
    EXPECT_EQ(bank->dirty, 0);
}

TEST_F(BankDisk, ADamagedFileOpensMarkedAndIsToldOnceWithTheCountRead)
{
    {
        messageLog log;
        bankRec* whole = openBank(path);
        EXPECT_EQ(whole->readDamaged, 0);
        EXPECT_TRUE(log.messages.empty());
        bank_delete(whole);
    }
    // Cut in the middle; then 500 chunks claiming a newer version after the header.
    std::vector<unsigned char> cut(saved.begin(), saved.begin() + (long)saved.size() / 2);
    writeBytes(dir.path("cut.glo"), cut);
    writeBytes(dir.path("crafted.glo"), withChunk(saved, 20, "Clam", 7, 500));
    for (const char* name : {"cut.glo", "crafted.glo"}) {
        SCOPED_TRACE(name);
        messageLog log;
        bankRec* read = openBank(dir.path(name));
        EXPECT_EQ(read->readDamaged, 1);
        ASSERT_FALSE(log.messages.empty());
        const std::string told = std::string(name) + " is damaged: only " +
                                 std::to_string(storedPresets(read)) + " presets could be read from it.";
        EXPECT_EQ(log.messages.back().rfind(told, 0), 0u) << log.messages.back();
        // One box per message, however many chunks repeat it.
        EXPECT_EQ(log.messages.size(), std::string(name) == "cut.glo" ? 1u : 2u);
        // Saved under another name, the bank is whole again.
        ASSERT_TRUE(mvnFile_saveAs(read, dir.path("whole.glo").c_str(), nullptr));
        EXPECT_EQ(read->readDamaged, 0);
        bank_delete(read);
    }
}

TEST_F(BankDisk, FailedSavesGiveTheSystemsReasonAndKeepTheOldFile)
{
    messageLog log;
    std::filesystem::create_directory(dir.path("folder.glo"));
    EXPECT_EQ(mvnFile_saveAs(bank, dir.path("folder.glo").c_str(), nullptr), 0);
    EXPECT_EQ(mvnFile_saveAs(bank, dir.path("none/bank.glo").c_str(), nullptr), 0);
    chmod(path.c_str(), 0444);
    EXPECT_EQ(mvnFile_save(bank), 0);
    chmod(path.c_str(), 0644);
    EXPECT_EQ(log.messages, (std::vector<std::string>{
                                "File Error! Unable to create file. Error 81774\nIs a directory",
                                "File Error! Unable to create file. Error 81774\nNo such file or directory",
                                "This file is locked, please use Save As... to save changes to this bank\n"
                                "Permission denied"}));
    // A file-size limit met half way: the child lives on, says why, and the
    // old file and the folder are as they were.
    int status = inChild(
        [&] {
            messageLog childLog;
            return mvnFile_save(bank) == 0 && childLog.messages.size() == 1 &&
                           childLog.messages[0].rfind("File save failed! Error 517", 0) == 0 &&
                           childLog.messages[0].find("\nFile too large") != std::string::npos
                       ? 0
                       : 1;
        },
        4096);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readBytes(path), saved);
    EXPECT_EQ(filesIn(dir.dir), (std::vector<std::string>{"bank.glo"}));
}

TEST_F(BankDisk, AReadOnlyFolderWithAWritableFileIsWrittenInPlace)
{
    chmod(dir.dir.c_str(), 0555);
    // Too large for the limit: reported, and the old bytes stay.
    int status = inChild(
        [&] {
            dropFilePrivileges();
            messageLog childLog;
            return mvnFile_save(bank) == 0 && childLog.messages.size() == 1 &&
                           childLog.messages[0] ==
                               "File Error! Can't write file. Error: 52236\nFile too large"
                       ? 0
                       : 1;
        },
        (long)saved.size() + 100);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readBytes(path), saved);
    status = inChild([&] {
        dropFilePrivileges();
        return mvnFile_save(bank) == 1 ? 0 : 1;
    });
    chmod(dir.dir.c_str(), 0755);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(filesIn(dir.dir), (std::vector<std::string>{"bank.glo"}));
    bankRec* read = openBank(path);
    EXPECT_EQ(storedPresets(read), 5);
    EXPECT_EQ(read->readDamaged, 0);
    bank_delete(read);
}

TEST_F(BankDisk, LinksStaleTemporaryFilesAndTheBackup)
{
    // The bank's path is a link to a file in another folder.
    const std::string real = dir.path("real");
    std::filesystem::create_directory(real);
    std::filesystem::rename(path, real + "/bank.glo");
    std::filesystem::create_symlink("real/bank.glo", path);
    // A save killed by the size limit leaves its temporary file there; the
    // file of a live process does not count as stale.
    EXPECT_EQ(inChild([&] { return (int)mvnFile_save(bank); }, 4096, false), 128 + SIGXFSZ);
    ASSERT_EQ(filesIn(real).size(), 2u);
    pid_t live = fork();
    if (live == 0) {
        pause();
        _exit(0);
    }
    const std::string held = ".morvane-save-" + std::to_string(live) + "-abcdef";
    writeBytes(real + "/" + held, {1, 2, 3});

    // The link stays a link, the file it names is replaced, its old bytes
    // are kept beside it, and the stale file is gone.
    ASSERT_EQ(mvnFile_save(bank), 1);
    kill(live, SIGKILL);
    waitpid(live, nullptr, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(filesIn(dir.dir), (std::vector<std::string>{"bank.glo"}));
    EXPECT_EQ(filesIn(real), (std::vector<std::string>{held, "bank.glo", "bank.glo.bak"}));
    EXPECT_EQ(readBytes(real + "/bank.glo.bak"), saved);
    // One generation: the next save keeps the file it replaces.
    std::vector<unsigned char> second = readBytes(path);
    ASSERT_EQ(mvnFile_save(bank), 1);
    EXPECT_EQ(readBytes(real + "/bank.glo.bak"), second);
    bankRec* read = openBank(path);
    EXPECT_EQ(storedPresets(read), 5);
    bank_delete(read);
}
