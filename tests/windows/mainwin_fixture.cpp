#include "tests/windows/mainwin_fixture.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "resources/resources.h"

namespace {
HWND s_client = nullptr;
HWND s_frame = nullptr;

LRESULT CALLBACK frameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(h, s_client, msg, wp, lp);
}

// Questions go to real message boxes of the platform, so that tests answer
// them as a user would.
int messageBox(const char* text, const char* caption, unsigned style)
{
    return MessageBoxA(s_frame, text, caption, style);
}
int bankMessage(const char* text, const char* caption, int buttons)
{
    return MessageBoxA(s_frame, text, caption, static_cast<UINT>(buttons));
}

void installHooks()
{
    engineHooksRec hooks = {};
    hooks.messageBox = messageBox;
    hooks.scheduleRedraw = scheduleWindowUpdate;
    hooks.scheduleMatrixUpdate = wMain_updateMatrixSchedule;
    hooks.historyPopupClear = wMain_historyPopupClear;
    hooks.historyPopupAppend = wMain_historyPopupAppend;
    engine_setHooks(&hooks);
    bank_setMessageProc(bankMessage);
}
}  // namespace

void MainWindowTest::SetUp()
{
    engineSession_open(&session_, "mainwin");
    if (HasFatalFailure()) return;

    ASSERT_EQ(platform_init(PLATFORM_PRESENTER_HEADLESS, 1024, 768), 1);
    ASSERT_EQ(resources_registerAll(), 1);
    dsp_globals_init();
    initBrambix();
    loadBitmaps(platform_instance());
    pensAndBrushes_init();

    WNDCLASSA fc = {};
    fc.lpfnWndProc = frameProc;
    fc.lpszClassName = "mainwinTestFrame";
    fc.hbrBackground = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
    RegisterClassA(&fc);
    frame_ = CreateWindowExA(0, "mainwinTestFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024,
                             768, nullptr, nullptr, platform_instance(), nullptr);
    CLIENTCREATESTRUCT ccs = {nullptr, 1000};
    RECT fr;
    GetClientRect(frame_, &fr);
    client_ = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                              fr.right, fr.bottom, frame_, nullptr, platform_instance(), &ccs);
    s_client = client_;
    s_frame = frame_;
    window_setFrameHWND(client_);
    alert_init(frame_);
    installHooks();

    engineSession_startEngine();
    if (HasFatalFailure()) return;
    // Nobody answers a fade while no plug-in runs.
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        iac_getInst(i)->paused = 1;
        inst_reinit(iac_getInst(i));
    }
    wMain_makeWindow();
    ASSERT_NE(window_getHWND(winId_main), nullptr);
    idleStep();
}

void MainWindowTest::TearDown()
{
    host_.reset();
    import_cleanup();
    brambixCleanup();
    pensAndBrushes_cleanup();
    platform_shutdown();
    s_client = s_frame = nullptr;
    file_setOpenDialogProc(nullptr);
    engineSession_close(&session_);
}

void MainWindowTest::startHost(int instances)
{
    // The plug-in last played program 0: the poll loads it when the instance comes online.
    iac_mvn_programChange(0, 0);
    host_.reset(new hostRun(session_.segment, instances));
    ASSERT_TRUE(host_->started());
    ASSERT_TRUE(waitFor([] { return MorvaneEngine_plugIsOnline(0) != 0; })) << host_->report();
    ASSERT_TRUE(waitFor([] { return gInst->patch.preset == 0 && !wMain_needUpdate(); })) << host_->report();
}

void MainWindowTest::idleStep()
{
    headless_runUntilIdle();
    updateWindows();
    MorvaneEngine_idle();
    headless_runUntilIdle();
}

bool MainWindowTest::waitFor(const std::function<bool()>& done, int ms)
{
    return pollUntil(
        done, [this] { idleStep(); }, ms);
}

POINT MainWindowTest::screenOf(int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window_getHWND(winId_main), &p);
    return p;
}

void MainWindowTest::clickAt(int x, int y)
{
    POINT p = screenOf(x, y);
    headless_click(p.x, p.y);
    headless_runUntilIdle();
}

void MainWindowTest::doubleClickAt(int x, int y)
{
    POINT p = screenOf(x, y);
    headless_doubleClick(p.x, p.y);
    headless_runUntilIdle();
}

POINT MainWindowTest::centreOf(short id)
{
    RECT r;
    window_setCurrent(winId_main);
    clickObject_getRect(id, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MainWindowTest::pressKey(int vk)
{
    SetFocus(window_getHWND(winId_main));
    headless_key(vk);
    headless_runUntilIdle();
}

void MainWindowTest::openBank(const std::string& path)
{
    fileApp_openBankFromPathName(gBank, path.c_str(), "");
    idleStep();
}

std::string MainWindowTest::screenshot(const std::string& name)
{
    std::string dir = std::filesystem::current_path().string() + "/mainwin-screens";
    std::filesystem::create_directories(dir);
    std::string path = dir + "/" + name + ".png";
    headless_runUntilIdle();
    platform_composeAndPresent(1);
    EXPECT_EQ(platform_saveWindowPNG(window_getHWND(winId_main), path.c_str()), 1);
    return path;
}

std::string matrixText(short cell)
{
    window_setCurrent(winId_main);
    matrixRec* m = matrix_get(mainId_matrix);
    if (!m || cell < 0 || cell >= m->count) return "";
    return m->items[cell].text;
}

std::string displayText(short id)
{
    window_setCurrent(winId_main);
    char text[256];
    display_getText(id, text, 254);
    return text;
}

std::vector<std::string> midiEvents(instRec* inst)
{
    std::vector<std::string> out;
    midiRec* midi = inst_getMidi(inst);
    for (int i = 0; i < midi->count && i < kMidiEvents; ++i)
        out.push_back(std::to_string(midi->events[i].status) + " " + std::to_string(midi->events[i].data1) +
                      " " + std::to_string(midi->events[i].data2));
    return out;
}
