// Window placement in the running program: places out of reach mended on
// reading and "Reset Window Positions", no window smaller than its content
// on a first start, minimised windows brought back in front by the Window
// menu and the navigator, and the navigator and the meter remembered
// across runs.
#include <filesystem>

#include "tests/program/program_fixture.h"

namespace {
// Chooses a command of a menu of the frame's menu bar with the mouse.
void chooseMenu(int barPosition, UINT command)
{
    RECT bar;
    ASSERT_TRUE(platform_menuBarItemScreenRect(g_hWndFrame, barPosition, &bar));
    bool found = false;
    headless_pushIdleAction([&](HWND) {
        RECT r;
        found = platform_menuItemScreenRect(command, &r) != 0;
        if (found)
            headless_click(r.left + 10, (r.top + r.bottom) / 2);
        else
            headless_key(VK_ESCAPE);
    });
    headless_click((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
    pumpProgram();
    pumpProgram();
    EXPECT_TRUE(found) << "no item " << command;
}

void chooseWindowMenu(UINT command) { chooseMenu(engineMenu_window, command); }

// Drags a window by its title bar (an editor window brought to the front first).
void dragCaption(short windowId, int dx, int dy)
{
    if (int command = windowMenuItemOf(windowId)) chooseWindowMenu(static_cast<UINT>(command));
    RECT r = screenRect(window_getHWND(windowId));
    int x = r.left + 20, y = r.top + 8;
    headless_mouseMove(x, y);
    headless_mouseDown(1);
    headless_mouseMove(x + dx / 2, y + dy / 2);
    headless_mouseMove(x + dx, y + dy);
    headless_mouseUp(1);
    pumpProgram();
}

// The minimise box of an editor window (left of its close box).
void minimise(short windowId)
{
    RECT r = screenRect(window_getHWND(windowId));
    headless_click(r.right - 3 - 2 - 16 - 2 - 8, r.top + 3 + 10);
    pumpProgram();
}

// Top-left corner of a window inside the frame's client area.
POINT placeInClient(short windowId)
{
    RECT r = screenRect(window_getHWND(windowId));
    POINT p = {r.left, r.top};
    ScreenToClient(g_hWndClient, &p);
    return p;
}

POINT placeOnScreen(short windowId)
{
    RECT r = screenRect(window_getHWND(windowId));
    return {r.left, r.top};
}

bool inFront(short windowId)
{
    HWND hwnd = window_getHWND(windowId);
    return !IsIconic(hwnd) && IsWindowVisible(hwnd) &&
           reinterpret_cast<HWND>(SendMessageA(g_hWndClient, WM_MDIGETACTIVE, 0, 0)) == hwnd;
}

// Every visible object of the window lies inside its client area.
void expectContentShown(short windowId)
{
    short width = 0, height = 0;
    ASSERT_EQ(windowId == winId_envelope ? wEnv_minimumContentSize(&width, &height)
                                         : window_getContentSize(windowId, &width, &height),
              1)
        << windowId;
    RECT client;
    GetClientRect(window_getHWND(windowId), &client);
    EXPECT_GE(client.right, width) << "window " << windowId;
    EXPECT_GE(client.bottom, height) << "window " << windowId;
}

std::string screenshotOf(short windowId, const std::string& name)
{
    std::string dir = std::filesystem::current_path().string() + "/program-screens";
    std::filesystem::create_directories(dir);
    std::string path = dir + "/" + name + ".png";
    pumpProgram();
    platform_composeAndPresent(1);
    EXPECT_EQ(platform_saveWindowPNG(window_getHWND(windowId), path.c_str()), 1);
    return path;
}

// The program started on its preferences with one plug-in online (which
// keeps it running).
class ProgramPlacement : public ProgramTest {
protected:
    int startWithPlugIn()
    {
        host_ = std::make_unique<hostRun>(segment_, 1);
        if (!pollUntil([&] { return host_->printed("instance 0: online"); }, nullptr)) return 0;
        if (start() != 1) return 0;
        return waitProgram([] { return MorvaneEngine_plugIsOnline(0) != 0; }) ? 1 : 0;
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        host_.reset();
    }
    std::unique_ptr<hostRun> host_;
};
class ProgramPlacementRunning : public RunningProgramTest {};
}  // namespace

TEST_F(ProgramPlacement, PlacesOutOfReachFallBackToTheDefaultsAndResetPutsEveryWindowBack)
{
    // A damaged file: no frame size, windows far outside, a size below the content.
    writePrefs({{127, 2000, 1500, 0, 0, 1},
                {129, 40000, 40000, 0, 0, 1},
                {131, -3000, 50, 0, 0, 0},
                {130, 100, 80, 30, 20, 1},
                {135, 5000, 5000, 0, 0, 1},
                {137, 40000, -40, 0, 0, 1}},
               1, 1, 0);
    ASSERT_EQ(startWithPlugIn(), 1);
    RECT frame = screenRect(g_hWndFrame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right - frame.left, 1020);
    EXPECT_EQ(frame.bottom - frame.top, 760);
    // Back at their defaults, shown or hidden as the file said.
    EXPECT_TRUE(shown(winId_patch));
    EXPECT_EQ(placeInClient(winId_patch).x, 89);
    EXPECT_EQ(placeInClient(winId_patch).y, 104);
    EXPECT_FALSE(shown(winId_waveform));
    EXPECT_EQ(placeInClient(winId_waveform).x, 179);
    EXPECT_TRUE(shown(winId_envelope));
    EXPECT_EQ(placeInClient(winId_envelope).x, 118);
    expectContentShown(winId_envelope);
    EXPECT_TRUE(shown(winId_navigatorV));
    EXPECT_EQ(placeOnScreen(winId_navigatorV).x, -8);
    EXPECT_EQ(placeOnScreen(winId_navigatorV).y, 55);
    EXPECT_EQ(placeInClient(winId_meter).x, 724);
    EXPECT_EQ(placeInClient(winId_meter).y, 40);
    // The mended places are what the next run finds.
    ASSERT_EQ(restart(), 1);
    EXPECT_EQ(screenRect(g_hWndFrame).right, 1020);
    EXPECT_EQ(placeInClient(winId_patch).x, 89);
    EXPECT_EQ(placeOnScreen(winId_navigatorV).y, 55);
    advanceProgram(2100);  // the splash has gone

    // The last item of the Window menu puts every window back.
    int items = GetMenuItemCount(g_hMenu_window);
    EXPECT_EQ(menuText(g_hMenu_window, items - 1), "Reset Window Positions");
    EXPECT_EQ(GetMenuItemID(g_hMenu_window, items - 1), static_cast<UINT>(cmd_resetWindowPositions));
    dragCaption(winId_patch, 150, 90);
    dragCaption(winId_envelope, -60, 120);
    dragCaption(winId_navigatorV, 300, 40);
    dragCaption(winId_meter, -200, 300);
    MoveWindow(g_hWndFrame, 20, 30, 900, 700, TRUE);
    ASSERT_NE(placeInClient(winId_patch).x, 89);
    ASSERT_NE(placeOnScreen(winId_navigatorV).x, -8);
    minimise(winId_envelope);
    ASSERT_TRUE(IsIconic(window_getHWND(winId_envelope)));
    chooseWindowMenu(cmd_resetWindowPositions);
    frame = screenRect(g_hWndFrame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.right - frame.left, 1020);
    EXPECT_EQ(placeInClient(winId_patch).x, 89);
    EXPECT_EQ(placeInClient(winId_patch).y, 104);
    EXPECT_EQ(placeInClient(winId_envelope).x, 118);
    EXPECT_EQ(placeInClient(winId_envelope).y, 100);
    EXPECT_FALSE(IsIconic(window_getHWND(winId_envelope)));
    EXPECT_EQ(placeOnScreen(winId_navigatorV).x, -8);
    EXPECT_EQ(placeInClient(winId_meter).x, 724);
    EXPECT_EQ(placeInClient(winId_main).x, 65);
    EXPECT_EQ(placeInClient(winId_main).y, 0);
    // Nothing shown or hidden by it, and no window smaller than its content.
    EXPECT_TRUE(shown(winId_patch));
    EXPECT_TRUE(shown(winId_envelope));
    EXPECT_FALSE(shown(winId_waveform));
    for (short id : {winId_main, winId_patch, winId_envelope}) expectContentShown(id);
    screenshotOf(winId_patch, "patch-after-reset");
}

TEST_F(ProgramPlacement, OnAFirstStartNoWindowIsSmallerThanItsContent)
{
    ASSERT_EQ(startWithPlugIn(), 1);
    advanceProgram(2100);  // the splash has gone
    for (int k = 0; k < gWindowTableSize; ++k) {
        const windowTableRec& row = gWindowTable[k];
        if (!row.menuCommand) continue;
        chooseWindowMenu(row.menuCommand);
        ASSERT_TRUE(shown(row.id)) << row.id;
        expectContentShown(row.id);
    }
    // The Patch window's bottom row (waveshaper phase, master filter dB) in full.
    chooseWindowMenu(cmd_windowPatch);
    RECT client, phase;
    GetClientRect(window_getHWND(winId_patch), &client);
    window_setCurrent(winId_patch);
    clickObject_getRect(kPatchWaveshapePhase, &phase);
    EXPECT_LE(phase.bottom, client.bottom);
    screenshotOf(winId_patch, "patch-first-start");
}

TEST_F(ProgramPlacementRunning, MinimisedWindowsComeBackInFrontFromTheWindowMenuAndTheNavigator)
{
    advanceProgram(2100);
    // Every window of the Window menu, with one window at a time off and on.
    for (int oneWindow = 0; oneWindow < 2; ++oneWindow) {
        for (int k = 0; k < gWindowTableSize; ++k) {
            const windowTableRec& row = gWindowTable[k];
            if (!row.menuCommand) continue;
            chooseWindowMenu(row.menuCommand);
            minimise(row.id);
            ASSERT_TRUE(IsIconic(window_getHWND(row.id))) << row.id;
            chooseWindowMenu(cmd_windowMain == row.menuCommand ? cmd_windowPatch : cmd_windowMain);
            chooseWindowMenu(row.menuCommand);
            EXPECT_TRUE(inFront(row.id)) << "window " << row.id << ", one window " << oneWindow;
            EXPECT_EQ(window_getFrontWindow(), row.id);
        }
        chooseWindowMenu(cmd_oneWindow);
    }
    chooseWindowMenu(cmd_oneWindow);
    // The accelerator of the Patch window.
    chooseWindowMenu(cmd_windowPatch);
    minimise(winId_patch);
    pressKey(VK_F6);
    EXPECT_TRUE(inFront(winId_patch));

    // Every button of the navigator.
    const struct {
        short window;
        int y;
    } buttons[] = {{winId_main, 45},      {winId_patch, 94}, {winId_waveform, 143}, {winId_effect, 192},
                   {winId_envelope, 241}, {winId_lfo, 290},  {winId_midi, 339}};
    for (const auto& b : buttons) {
        chooseWindowMenu(windowMenuItemOf(b.window));
        minimise(b.window);
        ASSERT_TRUE(IsIconic(window_getHWND(b.window))) << b.window;
        POINT p = {7 + 22, b.y + 22};
        ClientToScreen(window_getHWND(winId_navigatorV), &p);
        headless_click(p.x, p.y);
        pumpProgram();
        EXPECT_TRUE(inFront(b.window)) << "navigator button for window " << b.window;
    }
    screenshotOf(winId_main, "main-restored-from-navigator");
}

TEST_F(ProgramPlacementRunning, TheNavigatorAndTheMeterKeepVisibilityAndPlaceAcrossRuns)
{
    advanceProgram(2100);
    dragCaption(winId_meter, -120, 200);
    dragCaption(winId_navigatorV, 200, 30);
    POINT meter = placeInClient(winId_meter);
    POINT navigator = placeOnScreen(winId_navigatorV);
    ASSERT_NE(meter.x, 724);
    ASSERT_NE(navigator.x, -8);
    chooseWindowMenu(cmd_windowNavigator);
    ASSERT_FALSE(shown(winId_navigatorV));

    ASSERT_EQ(restart(), 1);
    advanceProgram(2100);
    EXPECT_FALSE(shown(winId_navigatorV));
    EXPECT_FALSE(shown(winId_navigatorH));
    EXPECT_TRUE(shown(winId_meter));
    EXPECT_EQ(placeInClient(winId_meter).x, meter.x);
    EXPECT_EQ(placeInClient(winId_meter).y, meter.y);
    // Shown again, the navigator is where it was moved to.
    chooseWindowMenu(cmd_windowNavigator);
    EXPECT_TRUE(shown(winId_navigatorV));
    EXPECT_EQ(placeOnScreen(winId_navigatorV).x, navigator.x);
    EXPECT_EQ(placeOnScreen(winId_navigatorV).y, navigator.y);

    // The horizontal form, moved, comes back as it was left.
    POINT toggle = {19 + 12, 11 + 12};
    ClientToScreen(window_getHWND(winId_navigatorV), &toggle);
    headless_click(toggle.x, toggle.y);
    pumpProgram();
    ASSERT_TRUE(shown(winId_navigatorH));
    dragCaption(winId_navigatorH, 60, -100);
    POINT horizontal = placeOnScreen(winId_navigatorH);
    ASSERT_EQ(restart(), 1);
    advanceProgram(2100);
    EXPECT_TRUE(shown(winId_navigatorH));
    EXPECT_FALSE(shown(winId_navigatorV));
    EXPECT_EQ(placeOnScreen(winId_navigatorH).x, horizontal.x);
    EXPECT_EQ(placeOnScreen(winId_navigatorH).y, horizontal.y);
    // Hiding it from there hides both forms; showing brings the vertical one.
    chooseWindowMenu(cmd_windowNavigator);
    EXPECT_FALSE(shown(winId_navigatorH));
    chooseWindowMenu(cmd_windowNavigator);
    EXPECT_TRUE(shown(winId_navigatorV));
}
