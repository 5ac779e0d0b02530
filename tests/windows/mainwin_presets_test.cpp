// Storing, importing and exporting presets through the Main window's
// dialogs: the preset lists and their move to the next empty slot, the
// overwrite question (and the clean preset after Cancel), import auditions
// in the current instrument and "Done", and the names on the clipboard.
#include <cstring>

#include "tests/windows/mainwin_fixture.h"

namespace {
class MainWindowPresets : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        presetNum = 0;
        importPresetNum = 0;
    }
};

short selectionOf(HWND dlg, int list)
{
    return static_cast<short>(SendDlgItemMessageA(dlg, list, LB_GETCURSEL, 0, 0));
}

std::string lineOf(HWND dlg, int list, int line)
{
    char text[128] = "";
    SendDlgItemMessageA(dlg, list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
    return text;
}

// Clicks a line of a list box of a dialog (once, or twice for a double click).
void clickLine(HWND dlg, int list, int line, bool twice = false)
{
    HWND box = GetDlgItem(dlg, list);
    SendMessageA(box, LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
    RECT r;
    SendMessageA(box, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(box, &p);
    if (twice)
        headless_doubleClick(p.x, p.y);
    else
        headless_click(p.x, p.y);
}

void pressItem(HWND dlg, int id) { headless_clickWindow(GetDlgItem(dlg, id)); }

std::string s_importPath;
long chooseImportFile(const fileDialogRec*, fileWindow, char* path, char* title)
{
    std::strcpy(path, s_importPath.c_str());
    std::strcpy(title, "Other.glo");
    return 1;
}
}  // namespace

TEST_F(MainWindowPresets, StoringIntoAnEmptySlotAsksNothing)
{
    openBank(makeBankFile("Mine.glo", {0, 1, 3}, "Mine "));
    inst_patch_setName(gInst, "Fresh");
    makePresetDirty();
    gBank->dirty = 0;
    int boxes = platform_lastMessageBox().count;
    headless_pushIdleAction([&](HWND dlg) {
        ASSERT_NE(dlg, nullptr);
        char text[64];
        GetDlgItemTextA(dlg, storeItem_text, text, sizeof text);
        EXPECT_STREQ(text, "Store  \"Mine 0\" to...");
        EXPECT_EQ(lineOf(dlg, storeItem_list, 1), "1 Mine 1");
        EXPECT_EQ(SendDlgItemMessageA(dlg, storeItem_list, LB_GETCOUNT, 0, 0), 128);
        // From slot 0 the selection moved on to the first empty slot.
        EXPECT_EQ(selectionOf(dlg, storeItem_list), 2);
        pressItem(dlg, storeItem_store);
    });
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ(lineOf(dlg, storeItem_list, 2), "2 Fresh");
        // Slot 3 is taken: the next empty one is 4.
        EXPECT_EQ(selectionOf(dlg, storeItem_list), 4);
        // A double click stores too.
        clickLine(dlg, storeItem_list, 6, true);
    });
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ(lineOf(dlg, storeItem_list, 6), "6 Fresh");
        pressItem(dlg, storeItem_done);
    });
    clickObject(mainId_store2);
    EXPECT_EQ(platform_lastMessageBox().count, boxes);
    char name[kPatchNameLen + 1];
    bank_getPresetName(gBank, 2, name);
    EXPECT_STREQ(name, "Fresh");
    bank_getPresetName(gBank, 6, name);
    EXPECT_STREQ(name, "Fresh");
    EXPECT_EQ(gBank->dirty, 1);
    EXPECT_FALSE(presetIsDirty());
    idleStep();
    EXPECT_EQ(matrixText(2), "2 Fresh");
}

TEST_F(MainWindowPresets, AfterStoreToTheInstrumentPlaysTheNewSlot)
{
    openBank(makeBankFile("Mine.glo", {0, 1}, "Mine "));
    wMain_setPreset(1);
    inst_patch_setName(gInst, "Variation");
    makePresetDirty();
    headless_pushIdleAction([](HWND dlg) {
        clickLine(dlg, storeItem_list, 5);
        pressItem(dlg, storeItem_store);
    });
    headless_pushIdleAction([](HWND dlg) { pressItem(dlg, storeItem_done); });
    clickObject(mainId_store2);
    // Slot 5 is now the instance's program: number, highlight and plug-in.
    EXPECT_EQ(gInst->patch.preset, 5);
    EXPECT_EQ(iac_changed[0].currentProgram.load(), 5);
    idleStep();
    EXPECT_EQ(displayText(mainId_number), "5");
    window_setCurrent(winId_main);
    EXPECT_EQ(matrix_getSelection(mainId_matrix), 5);

    // A later edit stored through the question goes into slot 5; the
    // original in slot 1 is kept.
    inst_patch_setName(gInst, "Variation 2");
    makePresetDirty();
    headless_answerNextPrompt(IDYES);
    askStorePreset();
    char name[kPatchNameLen + 1];
    bank_getPresetName(gBank, 5, name);
    EXPECT_STREQ(name, "Variation 2");
    bank_getPresetName(gBank, 1, name);
    EXPECT_STREQ(name, "Mine 1");
}

TEST_F(MainWindowPresets, StoringIntoAUsedSlotAsksAndCancelStillCleans)
{
    openBank(makeBankFile("Mine.glo", {0, 1}, "Mine "));
    inst_patch_setName(gInst, "Edited");
    // Store into slot 1 with the Store button, answering the question.
    auto storeIntoSlot1 = [this](int answer, const char* lineAfter) {
        makePresetDirty();
        headless_pushIdleAction([](HWND dlg) {
            clickLine(dlg, storeItem_list, 1);
            pressItem(dlg, storeItem_store);
        });
        headless_answerNextPrompt(answer);
        headless_pushIdleAction([lineAfter](HWND dlg) {
            EXPECT_EQ(lineOf(dlg, storeItem_list, 1), lineAfter);
            pressItem(dlg, storeItem_done);
        });
        clickObject(mainId_store);
    };
    storeIntoSlot1(IDCANCEL, "1 Mine 1");
    PlatformPromptRec box = platform_lastMessageBox();
    EXPECT_EQ(box.text, "Are you sure you want to overwrite Mine 1?");
    EXPECT_EQ(box.caption, "Morvane");
    EXPECT_EQ(box.type & 0xF, static_cast<UINT>(MB_OKCANCEL));
    char name[kPatchNameLen + 1];
    bank_getPresetName(gBank, 1, name);
    EXPECT_STREQ(name, "Mine 1");
    EXPECT_FALSE(presetIsDirty());

    // OK overwrites.
    storeIntoSlot1(IDOK, "1 Edited");
    bank_getPresetName(gBank, 1, name);
    EXPECT_STREQ(name, "Edited");
    EXPECT_FALSE(presetIsDirty());
}

TEST_F(MainWindowPresets, ImportAuditionsInTheInstrumentAndDoneRestoresTheProgram)
{
    s_importPath = makeBankFile("Other.glo", {0, 2, 5}, "Brass ");
    openBank(makeBankFile("Mine.glo", {0, 1}, "Mine "));
    startHost();
    wMain_setPreset(1);
    ASSERT_EQ(patchName(gInst), "Mine 1");
    file_setOpenDialogProc(chooseImportFile);
    int published = host_->count("names published");

    std::string auditioned, afterPick;
    headless_pushIdleAction([&](HWND dlg) {
        ASSERT_NE(dlg, nullptr);
        // The import list starts at slot 0, which plays at once.
        EXPECT_EQ(lineOf(dlg, importItem_importList, 5), "5 Brass 5");
        EXPECT_EQ(selectionOf(dlg, importItem_importList), 0);
        auditioned = patchName(gInst);
        EXPECT_EQ(selectionOf(dlg, importItem_bankList), 2);  // the first empty slot of the current bank
        clickLine(dlg, importItem_importList, 5);
    });
    headless_pushIdleAction([&](HWND dlg) {
        afterPick = patchName(gInst);
        // Stored into slot 3 of the current bank: empty, so no question.
        clickLine(dlg, importItem_bankList, 3);
        pressItem(dlg, importItem_store);
    });
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ(lineOf(dlg, importItem_bankList, 3), "3 Brass 5");
        EXPECT_EQ(selectionOf(dlg, importItem_bankList), 4);
        pressItem(dlg, importItem_done);
    });
    int boxes = platform_lastMessageBox().count;
    makePresetClean();
    import_openDialog();
    EXPECT_EQ(auditioned, "Brass 0");
    EXPECT_EQ(afterPick, "Brass 5");
    EXPECT_EQ(platform_lastMessageBox().count, boxes);
    char name[kPatchNameLen + 1];
    bank_getPresetName(gBank, 3, name);
    EXPECT_STREQ(name, "Brass 5");
    EXPECT_EQ(gBank->dirty, 1);
    // "Done": the instrument plays its own program again, the import bank is
    // closed and the names are published.
    EXPECT_EQ(patchName(gInst), "Mine 1");
    EXPECT_EQ(gInst->patch.preset, 1);
    EXPECT_EQ(bank_presetCount(importBank), 0);
    EXPECT_TRUE(waitFor([&] { return host_->count("names published") > published; })) << host_->report();
}

TEST_F(MainWindowPresets, OpenBankStartsAgainWithAnotherFile)
{
    std::string first = makeBankFile("First.glo", {0}, "Strings ");
    std::string second = makeBankFile("Second.glo", {0, 4}, "Organ ");
    s_importPath = first;
    file_setOpenDialogProc(chooseImportFile);
    std::string firstLine, secondLine, secondTitle;
    headless_pushIdleAction([&](HWND dlg) {
        firstLine = lineOf(dlg, importItem_importList, 0);
        s_importPath = second;
        pressItem(dlg, importItem_openBank);
    });
    headless_pushIdleAction([&](HWND dlg) {
        secondLine = lineOf(dlg, importItem_importList, 4);
        char text[80];
        GetDlgItemTextA(dlg, importItem_fromText, text, sizeof text);
        secondTitle = text;
        // The close box closes the import bank only.
        headless_key(VK_ESCAPE);
    });
    import_openDialog();
    EXPECT_EQ(firstLine, "0 Strings 0");
    EXPECT_EQ(secondLine, "4 Organ 4");
    EXPECT_EQ(secondTitle, "Import from Second.glo:");
    EXPECT_EQ(bank_presetCount(importBank), 0);
    // The audition stays in the instrument.
    EXPECT_EQ(patchName(gInst), "Organ 0");
}

TEST_F(MainWindowPresets, ImportWithNoFileChosenOpensNothing)
{
    file_setOpenDialogProc([](const fileDialogRec*, fileWindow, char*, char*) -> long { return 0; });
    inst_patch_setName(gInst, "Kept");
    int unanswered = headless_unansweredPrompts();
    import_openDialog();
    EXPECT_EQ(headless_unansweredPrompts(), unanswered);
    EXPECT_EQ(patchName(gInst), "Kept");
}

TEST_F(MainWindowPresets, ExportPutsTheNamesOnTheClipboard)
{
    exportPresetNames(gBank);
    std::string expected;
    for (int slot = 0; slot < kBankSlots; ++slot) expected += slot ? "\r\ndefault" : "default";
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    std::string text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(text, expected);

    openBank(makeBankFile("Named.glo", {1, 127}, "Bell "));
    exportPresetNames(gBank);
    ASSERT_TRUE(OpenClipboard(nullptr));
    text = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
    CloseClipboard();
    EXPECT_EQ(text.substr(0, 18), "default\r\nBell 1\r\nd");
    EXPECT_EQ(text.substr(text.size() - 9), "\nBell 127");

    // A name of the full 34 characters is exported as it is.
    const std::string full = "A name of thirty-four characters!!";
    ASSERT_EQ(full.size(), size_t(kPatchNameLen));
    inst_patch_setName(gInst, full.c_str());
    bank_storeInst(gBank, gInst, 0);
    exportPresetNames(gBank);
    ASSERT_TRUE(OpenClipboard(nullptr));
    text = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
    CloseClipboard();
    EXPECT_EQ(text.substr(0, full.size() + 10), full + "\r\nBell 1\r\n");
}
