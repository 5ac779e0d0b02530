// The engine's hooks carried out by the platform layer (headless): the File
// menu's recent banks, the Edit menu's undo and copy items, the questions
// as message boxes owned by the frame, window placement and the close the
// poll sends.
#include "platform/platform.h"
#include "tests/engine/engine_fixture.h"

namespace {
int framesClosed = 0;
HWND patchWindow = nullptr;

LRESULT frameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CLOSE) {
        ++framesClosed;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND lookup(int id) { return id == winId_patch ? patchWindow : nullptr; }

class Desktop : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ASSERT_EQ(platform_init(PLATFORM_PRESENTER_HEADLESS, 1280, 900), 1);
        WNDCLASSA wc{};
        wc.lpfnWndProc = frameProc;
        wc.lpszClassName = "engineTestFrame";
        RegisterClassA(&wc);
        bar = CreateMenu();
        const char* titles[4] = {"&File", "&Edit", "Setup", "Window"};
        for (int k = 0; k < 4; ++k) {
            menus[k] = CreatePopupMenu();
            AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menus[k]), titles[k]);
        }
        // The File menu's fixed part, twelve entries, the last a separator.
        const UINT fileIds[kFileMenuRecentPosition] = {1000, 0,    1001, 1003, 1004, 1005, 1002,
                                                       0,    1007, 1008, 0,    1009, 0};
        for (UINT id : fileIds)
            AppendMenuA(menus[0], id ? MF_STRING : MF_SEPARATOR, id, id ? "item" : nullptr);
        for (UINT id : {2000u, 2001u, 2002u, 2003u}) AppendMenuA(menus[1], MF_STRING, id, "item");
        frame = CreateWindowExA(0, "engineTestFrame", MORVANE_FRAME_TITLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                30, 40, 900, 700, nullptr, bar, nullptr, nullptr);
        ASSERT_NE(frame, nullptr);
        patchWindow = CreateWindowExA(0, "engineTestFrame", "Patch", WS_CHILD | WS_VISIBLE, 5, 5, 200, 100,
                                      frame, nullptr, nullptr, nullptr);
        framesClosed = 0;
        engine_connectDesktop(frame, bar, lookup);
    }
    void TearDown() override
    {
        platform_shutdown();
        EngineTest::TearDown();
    }
    std::string text(int menu, UINT id)
    {
        char buf[300] = {};
        GetMenuStringA(menus[menu], id, buf, sizeof buf, MF_BYCOMMAND);
        return buf;
    }
    HMENU bar = nullptr;
    HMENU menus[4] = {};
    HWND frame = nullptr;
};
}  // namespace

TEST_F(Desktop, RecentBanksAndEditItemsInTheRealMenus)
{
    for (int n = 1; n <= 3; ++n) lastBank_add(("/banks/B" + std::to_string(n) + ".glo").c_str());
    lastBank_add("/banks/B2.glo");
    ASSERT_EQ(GetMenuItemCount(menus[0]), kFileMenuRecentPosition + 3);
    EXPECT_EQ(GetMenuItemID(menus[0], 13), 1120u);
    EXPECT_EQ(GetMenuItemID(menus[0], 15), 1122u);
    EXPECT_EQ(text(0, 1120), "B2.glo");
    EXPECT_EQ(text(0, 1121), "B3.glo");
    EXPECT_EQ(text(0, 1122), "B1.glo");
    EXPECT_EQ(GetMenuItemID(menus[0], 11), 1009u);  // the fixed part is untouched

    undo_setMode(0);
    EXPECT_EQ(text(1, 2000), "Undo \tCtrl+Z");
    EXPECT_TRUE(GetMenuState(menus[1], 2000, MF_BYCOMMAND) & MF_GRAYED);
    undo_setMode(3);
    undo_processUndo();
    EXPECT_EQ(text(1, 2000), "Redo Waveform Edit \tCtrl+Z");
    EXPECT_FALSE(GetMenuState(menus[1], 2000, MF_BYCOMMAND) & MF_GRAYED);
    copy_setMode(1);
    EXPECT_TRUE(GetMenuState(menus[1], 2001, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(menus[1], 2003, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(Desktop, QuestionsPlacementAndTheClose)
{
    gBank->dirty = 1;
    headless_answerNextPrompt(IDCANCEL);
    EXPECT_EQ(mvnFile_askSaveChangesToBank(gBank), engineID_cancel);
    PlatformPromptRec box = platform_lastMessageBox();
    EXPECT_EQ(box.text, "Save changes to Untitled?");
    EXPECT_EQ(box.caption, "Morvane");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONEXCLAMATION));

    // The Patch window's record follows the window; moving applies it back.
    getOneWindowPosition(winId_patch, 1);
    const winPosRec* rec = wPosID_to_winPosRec(129);
    EXPECT_EQ(rec->width, 200);
    EXPECT_EQ(rec->visible, 1);
    setWindowCoordinate(129, 0, 50);
    setWindowCoordinate(129, 1, 60);
    setWindowCoordinate(129, 2, 0);
    positionWindows();
    getOneWindowPosition(winId_patch, 1);
    EXPECT_EQ(getWindowCoordinate(129, 0), 50);
    EXPECT_EQ(getWindowCoordinate(129, 1), 60);
    EXPECT_EQ(getWindowCoordinate(129, 2), 200);  // 0 kept the window's size
    EXPECT_EQ(getWindowCoordinate(129, 3), 100);

    // With no plug-in online the poll closes the frame, once.
    MorvaneEngine_idle();
    MorvaneEngine_idle();
    EXPECT_EQ(framesClosed, 1);
    EXPECT_TRUE(IsWindowVisible(frame));
}
