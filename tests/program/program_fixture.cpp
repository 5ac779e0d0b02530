#include "tests/program/program_fixture.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "resources/resources.h"

namespace {
std::vector<int> commands;
WNDPROC frameProc = nullptr;

LRESULT CALLBACK recordingFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND) commands.push_back(LOWORD(wParam));
    return CallWindowProcA(frameProc, hwnd, msg, wParam, lParam);
}
}  // namespace

namespace {
bool startDesktop()
{
    commands.clear();
    return platform_init(PLATFORM_PRESENTER_HEADLESS, 1024, 768) == 1 && resources_registerAll() == 1 &&
           windows_registerArtwork() == 1 && program_registerResources() == 1;
}

void stopDesktop()
{
    platform_shutdown();
    engine_setHooks(nullptr);
    g_hWndFrame = nullptr;
    g_hWndClient = nullptr;
}
}  // namespace

void ProgramTest::SetUp()
{
    static int serial = 0;
    segment_ = "/morvane-programtest-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
    ASSERT_EQ(iac_setSegmentName(segment_.c_str()), 1);
    char tmpl[] = "/tmp/morvane-program-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    folder_ = tmpl;
    std::filesystem::copy_file(std::string(MORVANE_PROGRAM_DIR_PATH) + "/Factory Presets.glo",
                               pathOf("Factory Presets.glo"));
    prefs_setProgramFolder(folder_.c_str());
    ASSERT_TRUE(startDesktop());
}

int ProgramTest::restart()
{
    if (MorvaneEngine_areAnyPluginsOn()) headless_answerNextPrompt(IDOK);
    quit();
    if (!program_hasQuit() || headless_unansweredPrompts() != 0) return 0;
    stopDesktop();
    if (!startDesktop()) return 0;
    return start();
}

void ProgramTest::TearDown()
{
    if (g_hWndFrame && !program_hasQuit()) {
        // Nothing left to ask: the test's edits and plug-ins are let go.
        makePresetClean();
        if (gBank) gBank->dirty = 0;
        for (int& online : iac_plugIsOnline) online = 0;
        quit();
    }
    stopDesktop();
    iac_mvn_signOut();
    iac_unlinkSegment();
    prefs_setProgramFolder(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

int ProgramTest::start()
{
    char cmdLine[] = "";
    return program_start(platform_instance(), nullptr, cmdLine, SW_SHOW);
}

void ProgramTest::writePrefs(const std::vector<winPosRec>& places, int pgmChg, int autoBalance, int oneWindow)
{
    // The preferences as the program writes them, made by its own writer.
    ASSERT_EQ(file_init(kFileBufSize), 1);
    initWindowPositions();
    lastBanks_init();
    for (const winPosRec& p : places) *wPosID_to_winPosRec(p.id) = p;
    // The windows' placement records come from the window table.
    engineHooksRec hooks = *engine_getHooks();
    hooks.positionIdOf = windowTable_positionIdOf;
    hooks.editorWindowAt = windowTable_editorAt;
    hooks.keepsSize = windowTable_keepsSize;
    engine_setHooks(&hooks);
    int keepPgm = g_enableProgramChange, keepOne = g_oneWindowEditor;
    g_enableProgramChange = pgmChg;
    g_oneWindowEditor = oneWindow;
    setup_setAutoBalanceChannels(autoBalance);
    g_startingUp = 1;  // the records are written as they are, not captured
    prefs_save();
    g_startingUp = 0;
    g_enableProgramChange = keepPgm;
    g_oneWindowEditor = keepOne;
    file_cleanup();
}

void RunningProgramTest::SetUp()
{
    ProgramTest::SetUp();
    host_ = std::make_unique<hostRun>(segment_, 1);
    ASSERT_TRUE(pollUntil([&] { return host_->printed("instance 0: online"); }, nullptr));
    ASSERT_EQ(start(), 1);
    ASSERT_TRUE(waitProgram([] { return MorvaneEngine_plugIsOnline(0) != 0; }));
}

void RunningProgramTest::TearDown()
{
    ProgramTest::TearDown();
    host_.reset();
}

void pumpProgram()
{
    MSG msg;
    while (!program_hasQuit() && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        program_dispatch(&msg);
    }
    platform_composeAndPresent(0);
}

void advanceProgram(int ms)
{
    while (ms > 0 && !program_hasQuit()) {
        int step = ms < 50 ? ms : 50;
        headless_advanceTime(static_cast<DWORD>(step));
        pumpProgram();
        ms -= step;
    }
}

bool waitProgram(const std::function<bool()>& done, int ms)
{
    return pollUntil(
        done, [] { advanceProgram(50); }, ms);
}

void pressKey(int vk)
{
    headless_key(vk);
    pumpProgram();
}

std::vector<int>& frameCommands() { return commands; }

void recordFrameCommands()
{
    commands.clear();
    frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_hWndFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingFrameProc)));
}

std::string menuText(HMENU menu, int position)
{
    char text[128] = {};
    if (GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION) < 0) return "";
    return text;
}

bool shown(short windowId)
{
    HWND hwnd = window_getHWND(windowId);
    return hwnd && IsWindowVisible(hwnd) && window_getVisible(windowId);
}

std::string titleOf(short windowId)
{
    char text[600] = {};
    GetWindowTextA(window_getHWND(windowId), text, sizeof text);
    return text;
}

RECT screenRect(HWND hwnd)
{
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}
