// The program started whole, in-process and headless, with morvane-host as
// the plug-in side: the start-up with and without preferences, the start
// bank, the refusals, the splash, the quit with its questions and the quit
// by itself when the last instance goes offline.
#include <chrono>
#include <filesystem>

#include "tests/program/program_fixture.h"

namespace {
class ProgramStart : public ProgramTest {};

std::string bankName()
{
    char name[kBankNameMax + 1] = {};
    bank_getName(gBank, name);
    return name;
}
}  // namespace

TEST_F(ProgramStart, WithoutPreferencesTheFrameAndTheDefaultWindowsAppear)
{
    // The plug-ins run first, so that they see the start bank published.
    hostRun host(segment_, 2);
    ASSERT_TRUE(host.started());
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 1: online"); }, nullptr)) << host.report();
    ASSERT_EQ(start(), 1);
    RECT frame = screenRect(g_hWndFrame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right - frame.left, 1020);
    EXPECT_EQ(frame.bottom - frame.top, 760);
    char title[64] = {};
    GetWindowTextA(g_hWndFrame, title, sizeof title);
    EXPECT_STREQ(title, "Morvane Engine 1.3.2");
    EXPECT_TRUE(shown(winId_main));
    EXPECT_TRUE(shown(winId_navigatorV));
    EXPECT_TRUE(shown(winId_meter));
    EXPECT_TRUE(shown(winId_splash));
    const int hidden[] = {winId_patch,      winId_lfo,           winId_waveform,
                          winId_effect,     winId_midi,          winId_envelope,
                          winId_navigatorH, winId_waveTransform, winId_envTransform};
    for (int id : hidden) EXPECT_FALSE(shown(static_cast<short>(id))) << "window " << id;
    EXPECT_EQ(g_startingUp, 0);
    EXPECT_EQ(g_enableProgramChange, 1);
    EXPECT_EQ(g_oneWindowEditor, 0);
    // The engine's audio settings.
    EXPECT_EQ(bufferSizeUser, 256);
    EXPECT_EQ(vectorSizeUser, 128);
    EXPECT_FLOAT_EQ(SR, 44100.0f);
    // The start bank from the program folder is open and published.
    EXPECT_EQ(std::string(gBank->file.path), pathOf("Factory Presets.glo"));
    EXPECT_GT(bank_presetCount(gBank), 0);
    EXPECT_EQ(bankName(), "Factory Presets.glo");
    EXPECT_TRUE(waitProgram([&] { return host.printed("names published: Factory Presets.glo"); }))
        << host.report();
    // The first idle step names the windows after bank and patch.
    advanceProgram(60);
    char patch[kPatchNameLen + 1] = {};
    inst_patch_getName(gInst, patch);
    EXPECT_EQ(titleOf(winId_main), bankName() + ": " + patch);
    EXPECT_EQ(titleOf(winId_patch), std::string("Patch: ") + patch);
    EXPECT_EQ(titleOf(winId_midi), std::string("Midi Control: ") + patch);
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(ProgramStart, PreferencesPlaceTheFrameAndTheWindowsAndSetTheMenus)
{
    writePrefs({{127, 30, 20, 900, 700, 1}, {129, 40, 50, 0, 0, 1}}, 0, 0, 1);
    ASSERT_EQ(start(), 1);
    RECT frame = screenRect(g_hWndFrame);
    EXPECT_EQ(frame.left, 30);
    EXPECT_EQ(frame.top, 20);
    EXPECT_EQ(frame.right - frame.left, 900);
    EXPECT_EQ(frame.bottom - frame.top, 700);
    EXPECT_TRUE(shown(winId_patch));
    POINT corner = {screenRect(window_getHWND(winId_patch)).left,
                    screenRect(window_getHWND(winId_patch)).top};
    ScreenToClient(g_hWndClient, &corner);
    EXPECT_EQ(corner.x, 40);
    EXPECT_EQ(corner.y, 50);
    EXPECT_EQ(g_enableProgramChange, 0);
    EXPECT_EQ(g_oneWindowEditor, 1);
    EXPECT_EQ(wPatch_getAutoBalanceChannels(), 0);
    EXPECT_FALSE(GetMenuState(g_hMenu_setup, 3002, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(g_hMenu_setup, 3004, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(g_hMenu_window, 7011, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(ProgramStart, AnIncompatiblePlugInVersionIsRefusedWithTheMessage)
{
    iac_plugVersion = 254;
    headless_answerNextPrompt(IDOK);
    EXPECT_EQ(start(), 0);
    PlatformPromptRec box = platform_lastMessageBox();
    EXPECT_EQ(box.count, 1);
    EXPECT_EQ(box.caption, "Morvane Engine");
    EXPECT_EQ(box.text,
              "This version of Morvane Engine is incompatible with the installed version of Morvane "
              "plug-in! Please reinstall Morvane");
    EXPECT_TRUE(box.type & MB_SYSTEMMODAL);
    EXPECT_EQ(iac_appVersion, 253);
    EXPECT_EQ(iac_morvaneIsOnline, 0);
    EXPECT_EQ(g_hWndFrame, nullptr);

    // A plug-in that wrote no version (0) lets the program start.
    iac_plugVersion = 0;
    EXPECT_EQ(start(), 1);
    EXPECT_NE(g_hWndFrame, nullptr);
}

TEST_F(ProgramStart, ASecondCopyStopsAtOnceWithoutAWord)
{
    hostRun host(segment_, 1);
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 0: online"); }, nullptr)) << host.report();
    ASSERT_EQ(start(), 1);
    ASSERT_TRUE(waitProgram([] { return MorvaneEngine_plugIsOnline(0) != 0; }));
    pid_t pid;
    std::string env = "MORVANE_IAC_SEGMENT=" + segment_;
    char* argv[] = {const_cast<char*>("MorvaneEngine"), const_cast<char*>("--headless"), nullptr};
    char* envp[] = {const_cast<char*>(env.c_str()), nullptr};
    ASSERT_EQ(posix_spawn(&pid, MORVANE_ENGINE_PATH, nullptr, nullptr, argv, envp), 0);
    int status = 0;
    EXPECT_TRUE(pollUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, nullptr, 10000));
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // This copy still holds the link and its instance.
    EXPECT_EQ(iac_morvaneIsOnline, 1);
    EXPECT_FALSE(iac_mvn_isAnotherEditorRunning());
    EXPECT_TRUE(waitProgram([] { return MorvaneEngine_plugIsOnline(0) != 0; }));
    EXPECT_FALSE(program_hasQuit());
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(ProgramStart, TheSplashGoesOnTheFirstIdleStepAfterTwoSeconds)
{
    hostRun host(segment_, 1);
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 0: online"); }, nullptr)) << host.report();
    ASSERT_EQ(start(), 1);
    ASSERT_TRUE(waitProgram([] { return MorvaneEngine_plugIsOnline(0) != 0; }));
    DWORD started = g_startTick;
    while (GetTickCount() - started < 1950) advanceProgram(50);
    EXPECT_TRUE(shown(winId_splash));
    advanceProgram(120);
    EXPECT_FALSE(shown(winId_splash));
    EXPECT_TRUE(shown(winId_main));
    // Hidden once: the About command brings it back for good.
    menu_process(nullptr, 6100);
    advanceProgram(500);
    EXPECT_TRUE(shown(winId_splash));
    // A click on it brings the Main window instead.
    headless_clickWindow(window_getHWND(winId_splash));
    pumpProgram();
    EXPECT_FALSE(shown(winId_splash));
    EXPECT_TRUE(shown(winId_main));
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(ProgramStart, QuitAsksItsQuestionsAndWritesThePreferences)
{
    hostRun host(segment_, 1);
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 0: online"); }, nullptr)) << host.report();
    ASSERT_EQ(start(), 1);
    ASSERT_TRUE(waitProgram([] { return MorvaneEngine_plugIsOnline(0) != 0; }));
    host.send("program 0 3");
    ASSERT_TRUE(waitProgram([] { return gInst->patch.preset == 3; })) << host.report();
    menu_process(nullptr, 7000);  // the Patch window shown, to be remembered
    inst_patch_setName(gInst, "my sound");
    makePresetDirty();
    const short slot = 3;

    // Store the edit: Yes; the bank is now dirty and its question is cancelled.
    headless_answerNextPrompt(IDYES);
    headless_answerNextPrompt(IDCANCEL);
    quit();
    EXPECT_FALSE(program_hasQuit());
    EXPECT_FALSE(presetIsDirty());
    char stored[kPatchNameLen + 1] = {};
    bank_getPresetName(gBank, slot, stored);
    EXPECT_STREQ(stored, "my sound");
    EXPECT_TRUE(gBank->dirty);
    PlatformPromptRec box = platform_lastMessageBox();
    EXPECT_EQ(box.text, "Save changes to Factory Presets.glo?");
    EXPECT_FALSE(std::filesystem::exists(pathOf("Morvane 1.3 prefs.ini")));

    // No to the bank; the plug-in still plays, and Cancel keeps the program.
    headless_answerNextPrompt(IDNO);
    headless_answerNextPrompt(IDCANCEL);
    quit();
    EXPECT_FALSE(program_hasQuit());
    box = platform_lastMessageBox();
    EXPECT_EQ(box.text, MORVANE_QUIT_QUESTION);
    EXPECT_EQ(box.caption, MORVANE_FRAME_TITLE);
    EXPECT_EQ(box.type & 0xF, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_TRUE(box.type & MB_DEFBUTTON2);
    EXPECT_TRUE(box.type & MB_ICONEXCLAMATION);

    // OK: the program goes, writing its preferences and signing out.
    headless_answerNextPrompt(IDNO);
    headless_answerNextPrompt(IDOK);
    quit();
    EXPECT_TRUE(program_hasQuit());
    EXPECT_EQ(iac_morvaneIsOnline, 0);
    EXPECT_EQ(headless_unansweredPrompts(), 0);
    // Read back: the Patch window was visible, the frame where it was.
    ASSERT_EQ(file_init(kFileBufSize), 1);
    prefs_open();
    EXPECT_EQ(wPosID_to_winPosRec(129)->visible, 1);
    EXPECT_EQ(wPosID_to_winPosRec(127)->width, 1020);
    EXPECT_EQ(std::string(defaultBank.path), pathOf("Factory Presets.glo"));
    file_cleanup();
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(ProgramStart, TheProgramQuitsByItselfOnceTheLastInstanceGoesOffline)
{
    hostRun host(segment_, 2);
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 1: online"); }, nullptr)) << host.report();
    ASSERT_EQ(start(), 1);
    ASSERT_TRUE(waitProgram([] { return MorvaneEngine_plugIsOnline(1) != 0; }));
    host.send("offline 0");
    ASSERT_TRUE(waitProgram([] { return MorvaneEngine_plugIsOnline(0) == 0; }));
    EXPECT_FALSE(program_hasQuit());
    recordFrameCommands();
    host.send("offline 1");
    // The real loop, until the program ends itself; a watchdog ends a
    // program that never does.
    static std::chrono::steady_clock::time_point deadline;
    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        if (std::chrono::steady_clock::now() > deadline) PostQuitMessage(99);
    });
    int value = program_messageLoop();
    EXPECT_TRUE(program_hasQuit());
    EXPECT_EQ(value, 0);
    EXPECT_EQ(MorvaneEngine_isQuitArmed(), 1);
    EXPECT_EQ(iac_morvaneIsOnline, 0);
    EXPECT_TRUE(std::filesystem::exists(pathOf("Morvane 1.3 prefs.ini")));
    EXPECT_EQ(headless_unansweredPrompts(), 0) << platform_lastMessageBox().text;
    EXPECT_EQ(host.quit(), 0);
}
