// Screenshots of the Main window and its dialogs, written to
// mainwin-screens/ in the test's working folder for a person to look at;
// the tests check that the window has the size of its panels and that the
// pictures and texts really reached the screen.
#include <cstring>
#include <filesystem>

#include "tests/windows/mainwin_fixture.h"

namespace {
class MainWindowScreens : public MainWindowTest {};

COLORREF pixelOf(int x, int y)
{
    HWND hwnd = window_getHWND(winId_main);
    HDC hdc = GetDC(hwnd);
    COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(hwnd, hdc);
    return c;
}

// Pixels of a client rect that differ from the one at its top-left corner.
int inkIn(int left, int top, int right, int bottom)
{
    COLORREF base = pixelOf(left, top);
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += pixelOf(x, y) != base;
    return n;
}
// The performance row reached the screen: the keyboard, hold, sustain and
// the bend wheel each show their pictures.
void expectPerformanceRowDrawn(const char* shot)
{
    window_setCurrent(winId_main);
    for (short id : {short(mainId_keyboard), short(mainId_hold), short(mainId_sustain), short(mainId_bend)}) {
        RECT r;
        clickObject_getRect(id, &r);
        EXPECT_TRUE(clickObject_isVisible(winId_main, id)) << shot << ": control " << id;
        const int area = (r.right - r.left) * (r.bottom - r.top);
        EXPECT_GT(area, 0) << shot << ": control " << id;
        EXPECT_GT(inkIn(r.left, r.top, r.right, r.bottom), area / 10) << shot << ": control " << id;
    }
}
}  // namespace

TEST_F(MainWindowScreens, EveryPanelLayout)
{
    std::vector<int> slots;
    for (int s = 0; s < 40; s += 3) slots.push_back(s);
    openBank(makeBankFile("Screens.glo", slots, "Warm Analog Pad "));
    wMain_setPreset(3);
    idleStep();
    window_setCurrent(winId_main);

    // Three stored controllers (the defaults): one row above the keyboard.
    RECT client;
    GetClientRect(window_getHWND(winId_main), &client);
    RECT top, rows1;
    getPictRect(129, &top);
    getPictRect(130, &rows1);
    EXPECT_EQ(client.right, top.right);
    EXPECT_EQ(client.bottom, top.bottom + rows1.bottom);
    // Names too long for a cell are shortened to fit it.
    EXPECT_EQ(matrixText(3), "3 Warm Analog Pa..");
    EXPECT_EQ(matrixText(4), "4 default");
    EXPECT_EQ(displayText(mainId_number), "3");
    EXPECT_EQ(displayText(mainId_sliderName1 + 1), "cc 7");
    // The name and number texts and a matrix cell text are on screen.
    EXPECT_GT(inkIn(42, 30, 200, 44), 20);
    EXPECT_GT(inkIn(10, 52 + 3 * 14 + 1, 100, 52 + 4 * 14 - 1), 20);
    screenshot("main-one-row");
    expectPerformanceRowDrawn("main-one-row");

    // Nine stored controllers: three rows, the keyboard below them.
    storedCCList* list = inst_getStoredCC(gInst);
    const char* names[] = {"Mod", "Breath", "Foot", "Expr", "Cutoff", "Reso"};
    for (int k = 0; k < 6; ++k) storedCC_addToList(list, 70 + k, 20 * k, names[k]);
    wMain_updateSchedule();
    idleStep();
    RECT rows3;
    getPictRect(132, &rows3);
    GetClientRect(window_getHWND(winId_main), &client);
    EXPECT_EQ(client.bottom, top.bottom + rows3.bottom);
    EXPECT_EQ(displayText(mainId_sliderName1 + 8), "Reso 75");
    screenshot("main-three-rows");
    expectPerformanceRowDrawn("main-three-rows");
    // A name lies on the slider row's picture, not on a plate of the window
    // colour: around its text it looks as the window does without it.
    for (short k = 0; k < kMainSliders; ++k) {
        const short id = static_cast<short>(mainId_sliderName1 + k);
        RECT r;
        clickObject_getRect(id, &r);
        const POINT corners[] = {{r.left, r.top}, {r.left, r.bottom - 1}, {r.right - 1, r.top}};
        COLORREF bare[3];
        display_show(id, 0);
        idleStep();
        window_setCurrent(winId_main);
        for (int c = 0; c < 3; ++c) bare[c] = pixelOf(corners[c].x, corners[c].y);
        display_show(id, 1);
        idleStep();
        window_setCurrent(winId_main);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(pixelOf(corners[c].x, corners[c].y), bare[c]) << "slider name " << k << " corner " << c;
    }

    // Keys held, sustain on, the wheel bent, a tuning chosen.
    window_setCurrent(winId_main);
    kbdRec* kbd = kbd_get(mainId_keyboard);
    for (short note : {48, 52, 55, 61}) kbd_selectKey(mainId_keyboard, kbd_findKey(kbd, note), 1, 0);
    wMain_playSustain(1);
    wMain_playBend(110);
    wMain_updateSliders();
    wMain_selectTuning(3);
    wMain_updateParams();
    screenshot("main-playing");
    expectPerformanceRowDrawn("main-playing");
    wMain_centreBend();

    // The bottom panel hidden: only the top part is left.
    clickObject(mainId_showBottom);
    GetClientRect(window_getHWND(winId_main), &client);
    EXPECT_EQ(client.bottom, top.bottom);
    screenshot("main-no-keys");
}

TEST_F(MainWindowScreens, StoreAndImportDialogs)
{
    std::string importPath = makeBankFile("Other.glo", {0, 1, 2, 5}, "Imported Brass ");
    openBank(makeBankFile("Mine.glo", {0, 1}, "My Lead "));
    std::string storePath, importShot;
    headless_pushIdleAction([&](HWND dlg) {
        ASSERT_NE(dlg, nullptr);
        storePath = std::filesystem::current_path().string() + "/mainwin-screens/store-dialog.png";
        platform_composeAndPresent(1);
        EXPECT_EQ(platform_saveWindowPNG(dlg, storePath.c_str()), 1);
        headless_clickWindow(GetDlgItem(dlg, storeItem_done));
    });
    std::filesystem::create_directories(std::filesystem::current_path().string() + "/mainwin-screens");
    storeTo_openDialog();
    // The import dialog over a real file.
    static std::string s_path;
    s_path = importPath;
    file_setOpenDialogProc([](const fileDialogRec*, fileWindow, char* path, char* title) -> long {
        std::strcpy(path, s_path.c_str());
        std::strcpy(title, "Other.glo");
        return 1;
    });
    headless_pushIdleAction([&](HWND dlg) {
        ASSERT_NE(dlg, nullptr);
        importShot = std::filesystem::current_path().string() + "/mainwin-screens/import-dialog.png";
        platform_composeAndPresent(1);
        EXPECT_EQ(platform_saveWindowPNG(dlg, importShot.c_str()), 1);
        headless_clickWindow(GetDlgItem(dlg, importItem_done));
    });
    import_openDialog();
    EXPECT_FALSE(storePath.empty());
    EXPECT_FALSE(importShot.empty());
}
