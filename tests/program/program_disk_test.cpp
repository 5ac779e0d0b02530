// Banks on disk through the File menu of the running program: a failed open
// changes nothing, a damaged bank is told once and Save asks before it
// replaces the file, Revert to Saved, saves under a file-size limit and in a
// read-only folder (forked children of the running program), and importing
// from a file that cannot be read.
#include <csignal>
#include <filesystem>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/bank/bank_test_util.h"
#include "tests/program/program_fixture.h"

namespace {
class ProgramDisk : public RunningProgramTest {
protected:
    void SetUp() override
    {
        RunningProgramTest::SetUp();
        factory = pathOf("Factory Presets.glo");
        saved = readBytes(factory);
        count = bank_presetCount(gBank);
    }
    // An edit stored into the bank (unsaved): slot 100 holds "stored".
    void storeEdit()
    {
        inst_patch_setName(gInst, "stored");
        bank_storeInst(gBank, gInst, 100);
        makeBankDirty();
    }
    int boxes() { return platform_lastMessageBox().count; }
    // The File menu command run in a forked child; its exit status is 0 when
    // check() holds afterwards.
    int inChild(int command, long fileSizeLimit, bool readOnly, const std::function<bool()>& check)
    {
        pid_t child = fork();
        if (child == 0) {
            if (readOnly) dropFilePrivileges();
            struct rlimit limit = {(rlim_t)fileSizeLimit, (rlim_t)fileSizeLimit};
            if (fileSizeLimit) setrlimit(RLIMIT_FSIZE, &limit);
            headless_answerNextPrompt(IDOK);
            menu_process(nullptr, command);
            _exit(check() ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    }
    std::string factory;
    std::vector<unsigned char> saved;
    short count = 0;
};

std::string soundName()
{
    char name[kPatchNameLen + 1] = {};
    inst_patch_getName(gInst, name);
    return name;
}
}  // namespace

TEST_F(ProgramDisk, AFailedOpenLeavesTheBankAndEverySoundAndSaveWritesTheRightFile)
{
    const std::string newer = pathOf("Newer.glo");
    std::vector<unsigned char> header = {'m', 'a', 'l', 'C', 8, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    writeBytes(newer, header);
    storeEdit();
    inst_patch_setName(gInst, "playing");
    const int before = boxes();
    headless_answerNextPrompt(IDNO);  // to "Save changes to ...?"
    headless_answerNextFileDialog(newer);
    menu_process(nullptr, cmd_open);
    EXPECT_EQ(boxes(), before + 3);  // the bank question; newer version; not a valid file
    EXPECT_EQ(platform_lastMessageBox().text, "Open file failed. This is not a valid Morvane file");
    EXPECT_EQ(std::string(gBank->file.path), factory);
    EXPECT_EQ(bank_presetCount(gBank), count + 1);
    EXPECT_EQ(soundName(), "playing");
    EXPECT_EQ(gBank->dirty, 1);
    // Save writes the bank that is open, never the file that failed.
    menu_process(nullptr, cmd_save);
    EXPECT_EQ(readBytes(newer), header);
    EXPECT_EQ(readBytes(pathOf("Factory Presets.glo.bak")), saved);
    bankRec* read = openBank(factory);
    EXPECT_EQ(bank_presetCount(read), count + 1);
    bank_delete(read);
}

TEST_F(ProgramDisk, ADamagedBankIsToldOnceAndSaveAsksBeforeReplacingIt)
{
    const std::string damaged = pathOf("Damaged.glo");
    std::vector<unsigned char> cut(saved.begin(), saved.begin() + (long)saved.size() / 3);
    writeBytes(damaged, cut);
    const int before = boxes();
    headless_answerNextFileDialog(damaged);
    headless_answerNextPrompt(IDOK);
    menu_process(nullptr, cmd_open);
    const short read = bank_presetCount(gBank);
    EXPECT_EQ(boxes(), before + 1);
    EXPECT_EQ(platform_lastMessageBox().text.rfind("Damaged.glo is damaged: only " + std::to_string(read) +
                                                       " presets could be read from it.",
                                                   0),
              0u);
    ASSERT_EQ(std::string(gBank->file.path), damaged);
    EXPECT_GT(read, 0);
    EXPECT_LT(read, count);
    EXPECT_EQ(headless_unansweredPrompts(), 0);

    // Save: Cancel writes nothing; No goes to Save As.
    headless_answerNextPrompt(IDCANCEL);
    menu_process(nullptr, cmd_save);
    EXPECT_EQ(platform_lastMessageBox().text.rfind("Damaged.glo was damaged when it was opened; saving will "
                                                   "replace it with the " +
                                                       std::to_string(read) + " presets that could be read",
                                                   0),
              0u);
    EXPECT_EQ(readBytes(damaged), cut);
    EXPECT_EQ(headless_unansweredPrompts(), 0);
    headless_answerNextPrompt(IDNO);
    headless_answerNextFileDialog(pathOf("Rescued.glo"));
    menu_process(nullptr, cmd_save);
    EXPECT_EQ(readBytes(damaged), cut);
    EXPECT_EQ(std::string(gBank->file.path), pathOf("Rescued.glo"));
    EXPECT_EQ(gBank->readDamaged, 0);
    EXPECT_EQ(headless_unansweredPrompts(), 0);
    // Yes to the bank question of New asks the same before it saves over the
    // damaged file; Cancel there keeps the bank.
    headless_answerNextFileDialog(damaged);
    headless_answerNextPrompt(IDOK);
    menu_process(nullptr, cmd_open);
    storeEdit();
    headless_answerNextPrompt(IDYES);
    headless_answerNextPrompt(IDCANCEL);
    menu_process(nullptr, cmd_new);
    EXPECT_EQ(platform_lastMessageBox().text.rfind("Damaged.glo was damaged when it was opened", 0), 0u);
    EXPECT_EQ(std::string(gBank->file.path), damaged);
    EXPECT_EQ(bank_presetCount(gBank), read + 1);
    EXPECT_EQ(readBytes(damaged), cut);
    EXPECT_EQ(headless_unansweredPrompts(), 0);
}

TEST_F(ProgramDisk, RevertToSavedAsksWhenThereAreChangesAndReadsTheFileAgain)
{
    EXPECT_EQ(menuText(g_hMenu_file, 6), "Revert to Saved");
    EXPECT_EQ(menuText(g_hMenu_file, kFileMenuRecentPosition), "Factory Presets.glo");
    storeEdit();
    headless_answerNextPrompt(IDCANCEL);
    menu_process(nullptr, cmd_revert);
    EXPECT_EQ(platform_lastMessageBox().text,
              "Revert to the saved Factory Presets.glo? The changes made since it was saved will be lost.");
    EXPECT_EQ(bank_presetCount(gBank), count + 1);
    headless_answerNextPrompt(IDOK);
    menu_process(nullptr, cmd_revert);
    EXPECT_EQ(bank_presetCount(gBank), count);
    EXPECT_EQ(gBank->dirty, 0);
    EXPECT_NE(soundName(), "stored");
    // Without changes, no question.
    const int before = boxes();
    menu_process(nullptr, cmd_revert);
    EXPECT_EQ(boxes(), before);
    EXPECT_EQ(headless_unansweredPrompts(), 0);
}

TEST_F(ProgramDisk, SavesUnderAFileSizeLimitAndInAReadOnlyFolder)
{
    storeEdit();
    auto tooLarge = [] {
        return platform_lastMessageBox().text.find("\nFile too large") != std::string::npos;
    };
    // The program ignores the signal: the save fails and says why.
    EXPECT_EQ(inChild(cmd_save, 8192, false, tooLarge), 0);
    EXPECT_EQ(readBytes(factory), saved);
    EXPECT_EQ(filesIn(folder_), (std::vector<std::string>{"Factory Presets.glo"}));
    // A folder that may not be written: the file is written in place.
    chmod(folder_.c_str(), 0555);
    EXPECT_EQ(inChild(cmd_save, 0, true, [] { return gBank->dirty == 0; }), 0);
    chmod(folder_.c_str(), 0755);
    bankRec* read = openBank(factory);
    EXPECT_EQ(bank_presetCount(read), count + 1);
    bank_delete(read);
}

TEST_F(ProgramDisk, ImportingFromAFileThatCannotBeReadTwiceSaysSoTwice)
{
    const std::string junk = pathOf("Junk.glo");
    writeBytes(junk, std::vector<unsigned char>(40, 'x'));
    std::string first;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int before = boxes();
        headless_answerNextFileDialog(junk);
        headless_answerNextPrompt(IDOK);
        menu_process(nullptr, cmd_importPreset);
        EXPECT_EQ(boxes(), before + 1);
        if (attempt == 0) first = platform_lastMessageBox().text;
        EXPECT_EQ(platform_lastMessageBox().text, first);
        EXPECT_EQ(headless_topModal(), nullptr);
    }
    EXPECT_EQ(first, "Open file failed. This is not a valid Morvane file");
    EXPECT_EQ(std::string(gBank->file.path), factory);
    EXPECT_EQ(headless_unansweredPrompts(), 0);
}
