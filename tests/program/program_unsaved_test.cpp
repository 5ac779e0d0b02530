// Unsaved work in the running program: the bank question's "Yes" for a bank
// that never had a file runs Save As for every command that replaces the
// bank, and cancelling it cancels the command; a program ended by SIGHUP or
// SIGTERM, also while a question is up, keeps its unsaved work in recovery
// files that the next start names.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "tests/program/program_fixture.h"

namespace {
class ProgramUnsaved : public RunningProgramTest {
protected:
    // A new "Untitled" bank holding one stored sound, unsaved.
    void untitledWithSound(const char* name)
    {
        gBank->dirty = 0;
        menu_process(nullptr, 1000);
        ASSERT_EQ(gBank->file.path[0], 0);
        inst_patch_setName(gInst, name);
        bank_storeInst(gBank, gInst, 2);
        makeBankDirty();
    }
    // The name in slot 2 of the bank file at path ("" when it cannot be read).
    std::string slot2Of(const std::string& path)
    {
        bankRec* bank = bank_new();
        std::string name;
        if (mvnFile_openFromPathName(bank, path.c_str(), "") == mvnOpen_done) name = presetName(bank);
        bank_delete(bank);
        return name;
    }
    std::string presetName(bankRec* bank)
    {
        char name[kPatchNameLen + 1] = {};
        bank_getPresetName(bank, 2, name);
        return name;
    }
    // The command was cancelled: the untitled bank is as it was.
    void expectKept(const char* name)
    {
        EXPECT_EQ(gBank->file.path[0], 0);
        EXPECT_TRUE(gBank->dirty);
        EXPECT_EQ(presetName(gBank), name);
        EXPECT_EQ(headless_unansweredPrompts(), 0);
        EXPECT_EQ(headless_topModal(), nullptr);
    }
};
}  // namespace

TEST_F(ProgramUnsaved, YesToTheBankQuestionSavesAnUntitledBankThroughSaveAs)
{
    std::filesystem::copy_file(pathOf("Factory Presets.glo"), pathOf("Other.glo"));

    // New: Save As cancelled keeps everything; a name given saves it there,
    // in the recent banks, and New goes on.
    untitledWithSound("first");
    headless_answerNextPrompt(IDYES);
    headless_answerNextFileDialog("");
    menu_process(nullptr, 1000);
    expectKept("first");
    EXPECT_EQ(platform_lastMessageBox().text, "Save changes to Untitled?");
    headless_answerNextPrompt(IDYES);
    headless_answerNextFileDialog(pathOf("First.glo"));
    menu_process(nullptr, 1000);
    EXPECT_EQ(slot2Of(pathOf("First.glo")), "first");
    EXPECT_EQ(bank_presetCount(gBank), 0);
    EXPECT_FALSE(gBank->dirty);
    EXPECT_EQ(menuText(g_hMenu_file, kFileMenuRecentPosition), "First.glo");

    // Open...: cancelled before its own dialog, or saved and then opened.
    untitledWithSound("second");
    headless_answerNextPrompt(IDYES);
    headless_answerNextFileDialog("");
    menu_process(nullptr, 1001);
    expectKept("second");
    headless_answerNextPrompt(IDYES);
    headless_answerNextFileDialog(pathOf("Second.glo"));
    headless_answerNextFileDialog(pathOf("Other.glo"));
    menu_process(nullptr, 1001);
    EXPECT_EQ(slot2Of(pathOf("Second.glo")), "second");
    EXPECT_EQ(std::string(gBank->file.path), pathOf("Other.glo"));

    // A recent bank and a dropped file: cancelled with the Save As.
    untitledWithSound("third");
    headless_answerNextPrompt(IDYES);
    headless_answerNextFileDialog("");
    menu_process(nullptr, 1120);
    expectKept("third");
    headless_answerNextPrompt(IDYES);
    headless_answerNextFileDialog("");
    RECT frame = screenRect(g_hWndFrame);
    headless_dropFiles(frame.left + 500, frame.top + 400, {pathOf("Other.glo")});
    pumpProgram();
    expectKept("third");
    // A dropped file after a Save As.
    headless_answerNextPrompt(IDYES);
    headless_answerNextFileDialog(pathOf("Third.glo"));
    headless_dropFiles(frame.left + 500, frame.top + 400, {pathOf("Other.glo")});
    pumpProgram();
    EXPECT_EQ(slot2Of(pathOf("Third.glo")), "third");
    EXPECT_EQ(std::string(gBank->file.path), pathOf("Other.glo"));

    // A plug-in asks for a bank: the same question and Save As on the poll.
    untitledWithSound("fourth");
    headless_answerNextPrompt(IDYES);
    headless_answerNextFileDialog(pathOf("Fourth.glo"));
    host_->send("bank " + pathOf("Other.glo"));
    ASSERT_TRUE(waitProgram([&] { return std::string(gBank->file.path) == pathOf("Other.glo"); }))
        << host_->report();
    EXPECT_EQ(slot2Of(pathOf("Fourth.glo")), "fourth");
    // Quitting saves the same way.
    untitledWithSound("fifth");
    headless_answerNextPrompt(IDYES);
    headless_answerNextFileDialog(pathOf("Fifth.glo"));
    headless_answerNextPrompt(IDOK);
    quit();
    EXPECT_TRUE(program_hasQuit());
    EXPECT_EQ(slot2Of(pathOf("Fifth.glo")), "fifth");
    EXPECT_EQ(headless_unansweredPrompts(), 0);
}

namespace {
// The name in a slot of the bank file at path ("" when it cannot be read).
std::string slotName(const std::string& path, short slot)
{
    bankRec* bank = bank_new();
    char name[kPatchNameLen + 1] = {};
    if (mvnFile_openFromPathName(bank, path.c_str(), "") == mvnOpen_done)
        bank_getPresetName(bank, slot, name);
    bank_delete(bank);
    return name;
}

class ProgramSignals : public ProgramTest {
protected:
    // The program in a process of its own, started on the test's segment and
    // folder once the host's instance is online; prepare() sets up its work
    // and questions. When its loop (or the question that is up) waits for
    // the user, the process reports ready ('L' in the main loop, 'Q' in the
    // "still active" question) and sig is sent to it. Its wait status, or
    // -1 when it never got ready.
    int endChild(const std::function<void()>& prepare, char ready, int sig)
    {
        int fds[2];
        if (pipe(fds) != 0) return -1;
        std::fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            static int out;
            out = fds[1];
            auto report = [](char c) { (void)!write(out, &c, 1); };
            // A start after an ending signal names its recovery files.
            if (!program_recoveryFiles().empty()) headless_answerNextPrompt(IDOK);
            if (start() != 1 || !waitProgram([] { return MorvaneEngine_plugIsOnline(0) != 0; })) {
                report('F');
                _exit(1);
            }
            prepare();
            headless_pushIdleAction([report](HWND modal) {
                // Waits for the signal as a sleeping loop does, without
                // missing one sent as soon as ready is read.
                sigset_t ends, before;
                sigemptyset(&ends);
                sigaddset(&ends, SIGTERM);
                sigaddset(&ends, SIGHUP);
                sigprocmask(SIG_BLOCK, &ends, &before);
                report(!modal ? 'L' : platform_lastMessageBox().text == MORVANE_QUIT_QUESTION ? 'Q' : 'M');
                sigsuspend(&before);
                sigprocmask(SIG_SETMASK, &before, nullptr);
            });
            program_messageLoop();
            report('E');
            _exit(2);
        }
        close(fds[1]);
        char got = 0;
        struct pollfd p = {fds[0], POLLIN, 0};
        if (poll(&p, 1, 30000) == 1 && read(fds[0], &got, 1) != 1) got = 0;
        close(fds[0]);
        EXPECT_EQ(got, ready);
        kill(pid, got == ready ? sig : SIGKILL);
        int status = 0;
        if (!pollUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, nullptr, 20000)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        return got == ready ? status : -1;
    }
};
}  // namespace

TEST_F(ProgramSignals, AnEndingSignalKeepsUnsavedWorkInRecoveryFilesThatTheNextStartNames)
{
    hostRun host(segment_, 1);
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 0: online"); }, nullptr)) << host.report();
    const std::string mine = fileBytes(pathOf("Factory Presets.glo"));
    const std::string firstFile = pathOf("Factory Presets.recovered.glo");
    const std::string secondFile = pathOf("Factory Presets 2.recovered.glo");

    // SIGHUP in the main loop, with a sound stored into slot 5 and an edit
    // of the sound from slot 0 (the host's program) not stored.
    int status = endChild(
        [] {
            inst_patch_setName(gInst, "stored sound");
            bank_storeInst(gBank, gInst, 5);
            makeBankDirty();
            inst_patch_setName(gInst, "edited sound");
            makePresetDirty();
        },
        'L', SIGHUP);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGHUP);
    EXPECT_EQ(slotName(firstFile, 5), "stored sound");
    EXPECT_EQ(slotName(firstFile, 0), "edited sound");
    EXPECT_EQ(slotName(firstFile, 1), slotName(pathOf("Factory Presets.glo"), 1));
    EXPECT_EQ(fileBytes(pathOf("Factory Presets.glo")), mine);
    EXPECT_TRUE(std::filesystem::exists(pathOf("Morvane 1.3 prefs.ini")));
    const std::string firstBytes = fileBytes(firstFile);

    // SIGTERM while "still active" is up: the edit was stored by "Yes", the
    // bank not saved by "No"; the name already taken is left alone.
    std::filesystem::remove(pathOf("Morvane 1.3 prefs.ini"));
    status = endChild(
        [] {
            inst_patch_setName(gInst, "quit sound");
            makePresetDirty();
            headless_answerNextPrompt(IDYES);
            headless_answerNextPrompt(IDNO);
            PostMessageA(g_hWndFrame, WM_COMMAND, 1009, 0);
        },
        'Q', SIGTERM);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_EQ(slotName(secondFile, 0), "quit sound");
    EXPECT_EQ(fileBytes(firstFile), firstBytes);
    EXPECT_EQ(fileBytes(pathOf("Factory Presets.glo")), mine);
    EXPECT_TRUE(std::filesystem::exists(pathOf("Morvane 1.3 prefs.ini")));

    // The next start says where they are; a clean bank leaves nothing new.
    headless_answerNextPrompt(IDOK);
    ASSERT_EQ(start(), 1);
    const std::string text = platform_lastMessageBox().text;
    EXPECT_NE(text.find(folder_), std::string::npos) << text;
    EXPECT_NE(text.find("Factory Presets.recovered.glo"), std::string::npos) << text;
    EXPECT_NE(text.find("Factory Presets 2.recovered.glo"), std::string::npos) << text;
    EXPECT_EQ(headless_unansweredPrompts(), 0);
    EXPECT_EQ(program_writeRecovery(nullptr), 0);
    EXPECT_EQ(program_recoveryFiles().size(), 2u);
    EXPECT_EQ(host.quit(), 0);
}
