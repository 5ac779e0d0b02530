// Organising the bank from the Main window's preset matrix in the running
// program: the right-click menu of a cell (copy, paste, swap with the
// current preset, rename, initialise, with their questions), cells dragged
// onto others (a swap, a copy with Ctrl) with the marks shown while the
// button is held, the instances following their presets, the names the
// plug-ins see, Edit > Undo and the question at quitting.
#include <filesystem>

#include "iac/MorvaneIAC_plug.h"
#include "tests/bank/bank_test_util.h"
#include "tests/program/program_fixture.h"

namespace {
std::function<void()> s_duringDrag;  // what the test looks at while the button is held
void dragTimer(short, void* timer)
{
    timer_stop(static_cast<timerRec*>(timer));
    if (s_duringDrag) s_duringDrag();
}

std::string screenPath(const std::string& name)
{
    std::string dir = std::filesystem::current_path().string() + "/program-screens";
    std::filesystem::create_directories(dir);
    return dir + "/" + name + ".png";
}

class ProgramOrganise : public RunningProgramTest {
protected:
    void SetUp() override
    {
        RunningProgramTest::SetUp();
        ASSERT_TRUE(waitProgram([] { return gInst->patch.preset == 0; }));
        advanceProgram(2100);  // the splash goes
        ASSERT_FALSE(shown(winId_splash));
    }
    // The screen point of a slot's cell on the page shown.
    POINT cellPoint(short slot)
    {
        window_setCurrent(winId_main);
        RECT r;
        clickObject_getRect(mainId_matrix, &r);
        const int cell = slot - presetMatrixOffset;
        EXPECT_TRUE(cell >= 0 && cell < 16) << "slot " << slot << " is not on the page shown";
        POINT p = {r.left + (cell / 4) * 100 + 50, r.top + (cell % 4) * 14 + 7};
        ClientToScreen(window_getHWND(winId_main), &p);
        return p;
    }
    void ctrlKey(char letter)
    {
        headless_keyDown(VK_CONTROL);
        headless_key(letter);
        headless_keyUp(VK_CONTROL);
        pumpProgram();
        advanceProgram(60);
    }
    // A right click on a slot's cell and a click on an item of its menu;
    // answer (IDYES, IDNO) is given to the question that follows, dialog
    // is run in the dialog that follows.
    void slotMenu(short slot, UINT command, int answer = 0, std::function<void(HWND)> dialog = nullptr)
    {
        headless_pushIdleAction([command](HWND) { clickMenuItem(command); });
        if (answer) headless_answerNextPrompt(answer);
        if (dialog) headless_pushIdleAction(dialog);
        POINT p = cellPoint(slot);
        headless_click(p.x, p.y, 3);
        advanceProgram(60);
    }
    // Press on one cell, move through the others, release on the last.
    void drag(std::initializer_list<short> slots, bool ctrl = false)
    {
        auto s = slots.begin();
        POINT p = cellPoint(*s);
        headless_mouseMove(p.x, p.y);
        headless_mouseDown(1);
        if (ctrl) headless_keyDown(VK_CONTROL);
        for (++s; s != slots.end(); ++s) {
            p = cellPoint(*s);
            headless_mouseMove(p.x, p.y);
        }
        headless_mouseUp(1);
        if (ctrl) headless_keyUp(VK_CONTROL);
        pumpProgram();
        advanceProgram(60);
    }
    // A slot's record as the bank keeps it: the bank file of it alone, in slot 0.
    std::vector<unsigned char> record(short slot)
    {
        bankRec* one = bank_new();
        EXPECT_EQ(bank_copyPreset(one, 0, gBank, slot), 1);
        std::string path = pathOf("record.glo");
        EXPECT_EQ(mvnFile_saveAs(one, path.c_str(), "record.glo"), 1);
        bank_delete(one);
        return readBytes(path);
    }
    // The instrument's sound in its stored form.
    std::vector<unsigned char> sound()
    {
        bankRec* one = bank_new();
        bank_storeInst(one, gInst, 0);
        std::string path = pathOf("sound.glo");
        EXPECT_EQ(mvnFile_saveAs(one, path.c_str(), "sound.glo"), 1);
        bank_delete(one);
        return readBytes(path);
    }
    std::string name(short slot)
    {
        char text[kPatchNameLen + 1] = {};
        bank_getPresetName(gBank, slot, text);
        return text;
    }
    std::string published(short slot)
    {
        char text[IAC_PRESET_NAME_CHARS + 1] = {};
        iac_plug_getPresetName(slot, text, sizeof text);
        return text;
    }
    std::string cell(short slot)
    {
        window_setCurrent(winId_main);
        return matrix_get(mainId_matrix)->items[slot - presetMatrixOffset].text;
    }
    // A click on the page button of slot's page.
    void showPage(short slot)
    {
        window_setCurrent(winId_main);
        RECT r;
        clickObject_getRect(static_cast<short>(mainId_page0 + slot / 16), &r);
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(window_getHWND(winId_main), &p);
        headless_click(p.x, p.y);
        advanceProgram(60);
    }
    int boxes() { return platform_lastMessageBox().count; }
    std::string lastQuestion() { return platform_lastMessageBox().text; }
    static void clickMenuItem(UINT command)
    {
        RECT r;
        if (platform_menuItemScreenRect(command, &r))
            headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};
}  // namespace

TEST_F(ProgramOrganise, TheCellMenuCopiesPastesRenamesAndInitialisesAfterAsking)
{
    // Nothing copied yet: "Paste" is greyed (a click leaves the menu up);
    // so is "Swap with Current" on the current preset's cell.
    for (short slot : {short(5), short(0)}) {
        UINT grey = slot == 5 ? cmd_slotPaste : cmd_slotSwapWithCurrent;
        headless_pushIdleAction([&, grey](HWND) {
            EXPECT_EQ(platform_saveScreenPNG(screenPath("organise-menu-" + std::to_string(grey)).c_str()), 1);
            clickMenuItem(grey);
        });
        headless_pushIdleAction([](HWND menu) {
            EXPECT_NE(menu, nullptr);  // still open
            headless_key(VK_ESCAPE);
        });
        POINT p = cellPoint(slot);
        headless_click(p.x, p.y, 3);
        advanceProgram(60);
    }
    EXPECT_EQ(gBank->dirty, 0);
    const std::vector<unsigned char> marimba = record(8), musicBox = record(5);

    // Copy, then paste into an empty slot: nothing is asked.
    const uint32_t generation = iac_plug_namesGeneration();
    const int asked = boxes();
    slotMenu(8, cmd_slotCopy);
    EXPECT_EQ(bankEdit_hasCopy(), 1);
    showPage(39);
    EXPECT_EQ(presetMatrixOffset, 32);
    slotMenu(39, cmd_slotPaste);
    EXPECT_EQ(boxes(), asked);
    EXPECT_EQ(record(39), marimba);
    EXPECT_EQ(bank_getPreset(gBank, 39)->patch.preset, 39);
    EXPECT_EQ(cell(39), "39 Marimba");
    EXPECT_EQ(published(39), "Marimba");
    EXPECT_NE(iac_plug_namesGeneration(), generation);
    EXPECT_EQ(gBank->dirty, 1);
    showPage(0);

    // Over a stored preset only after Yes.
    slotMenu(5, cmd_slotPaste, IDNO);
    EXPECT_EQ(lastQuestion(), "Replace \"Music Box\" with \"Marimba\"?");
    EXPECT_EQ(record(5), musicBox);
    slotMenu(5, cmd_slotPaste, IDYES);
    EXPECT_EQ(record(5), marimba);

    // Rename: the dialog starts from the name and keeps the bank's 34 characters.
    slotMenu(5, cmd_slotRename, 0, [](HWND dlg) {
        char label[64] = "";
        GetDlgItemTextA(dlg, renameItem_label, label, sizeof label);
        EXPECT_STREQ(label, "Rename \"Marimba\" to:");
        headless_typeText("Mallets of the Deep Blue Sea and the Sky Above");
        headless_key(VK_RETURN);
    });
    EXPECT_EQ(name(5), "Mallets of the Deep Blue Sea and t");
    EXPECT_EQ(published(5), "Mallets of the Deep Blue Sea and t");
    slotMenu(5, cmd_slotRename, 0, [](HWND) { headless_key(VK_ESCAPE); });
    EXPECT_EQ(name(5), "Mallets of the Deep Blue Sea and t");

    // Initialise asks by name; No keeps the preset.
    slotMenu(5, cmd_slotInitialize, IDNO);
    EXPECT_EQ(lastQuestion(), "Initialize \"Mallets of the Deep Blue Sea and t\"?");
    EXPECT_FALSE(bank_presetIsDefault(gBank, 5));
    slotMenu(5, cmd_slotInitialize, IDYES);
    EXPECT_TRUE(bank_presetIsDefault(gBank, 5));
    EXPECT_EQ(published(5), name(5));

    // The current preset's slot emptied: the instance keeps its sound, now
    // an unstored edit of that slot; Undo puts the preset back and the edit
    // mark goes, Redo empties it again.
    const std::vector<unsigned char> piano = record(0), playing = sound();
    ASSERT_FALSE(presetIsDirty());
    slotMenu(0, cmd_slotInitialize, IDYES);
    EXPECT_TRUE(bank_presetIsDefault(gBank, 0));
    EXPECT_EQ(sound(), playing);
    EXPECT_EQ(gInst->patch.preset, 0);
    EXPECT_TRUE(presetIsDirty());
    ctrlKey('Z');
    EXPECT_EQ(record(0), piano);
    EXPECT_FALSE(presetIsDirty());
    EXPECT_EQ(published(0), "Electric Piano");
    char undo[64] = "";
    GetMenuStringA(g_hMenu_edit, cmd_undo, undo, sizeof undo, MF_BYCOMMAND);
    EXPECT_STREQ(undo, "Redo Bank Edit \tCtrl+Z");
    ctrlKey('Z');
    EXPECT_TRUE(bank_presetIsDefault(gBank, 0));
    EXPECT_TRUE(presetIsDirty());

    // The clipboard outlives the bank: pasted into a new one.
    makePresetClean();
    headless_answerNextPrompt(IDNO);  // "Save changes to Factory Presets.glo?"
    ctrlKey('N');
    ASSERT_EQ(bank_presetCount(gBank), 0);
    // The bank the change was made in is gone: nothing left to undo.
    advanceProgram(60);
    EXPECT_TRUE(GetMenuState(g_hMenu_edit, cmd_undo, MF_BYCOMMAND) & MF_GRAYED);
    slotMenu(3, cmd_slotPaste);
    EXPECT_EQ(record(3), marimba);

    // The bank is edited: quitting asks to save it (Cancel stays).
    headless_answerNextPrompt(IDCANCEL);
    headless_keyDown(VK_CONTROL);
    headless_key('Q');
    headless_keyUp(VK_CONTROL);
    pumpProgram();
    EXPECT_EQ(lastQuestion(), "Save changes to Untitled?");
    EXPECT_FALSE(program_hasQuit());
    EXPECT_EQ(headless_unansweredPrompts(), 0);
}

TEST_F(ProgramOrganise, DraggingACellSwapsOrCopiesItAndTheInstanceFollowsItsPreset)
{
    // An unstored edit of slot 0 that no slot operation may lose.
    inst_patch_setTrans(gInst, 7.0f);
    makePresetDirty();
    const std::vector<unsigned char> edit = sound(), piano = record(0), bells = record(6);

    drag({0, 1, 6});
    EXPECT_EQ(record(0), bells);
    EXPECT_EQ(record(6), piano);
    EXPECT_EQ(bank_getPreset(gBank, 6)->patch.preset, 6);
    EXPECT_EQ(gInst->patch.preset, 6);
    EXPECT_EQ(sound(), edit);
    EXPECT_TRUE(presetIsDirty());
    EXPECT_EQ(cell(0), "0 Glass Bells");
    EXPECT_EQ(cell(6), "6 Electric Piano");
    EXPECT_EQ(published(0), "Glass Bells");
    EXPECT_EQ(published(6), "Electric Piano");
    EXPECT_EQ(gBank->dirty, 1);
    window_setCurrent(winId_main);
    EXPECT_EQ(matrix_getSelection(mainId_matrix), 6);
    EXPECT_TRUE(waitProgram([&] { return host_->printed("instance 0: program change 6"); }));
    EXPECT_EQ(iac_changed[0].currentProgram.load(), 6);

    // "Swap with Current" from the menu: the instance follows again.
    const std::vector<unsigned char> organ = record(2);
    slotMenu(2, cmd_slotSwapWithCurrent);
    EXPECT_EQ(record(2), piano);
    EXPECT_EQ(record(6), organ);
    EXPECT_EQ(gInst->patch.preset, 2);
    EXPECT_EQ(sound(), edit);

    // Ctrl held: the marks show a copy onto the cell under the pointer
    // while the button is down; the drop asks before overwriting.
    const std::vector<unsigned char> harpsichord = record(3), marimba = record(8);
    window_setCurrent(winId_main);
    matrixRec* m = matrix_get(mainId_matrix);
    for (int answer : {IDNO, IDYES}) {
        POINT from = cellPoint(3), to = cellPoint(8);
        headless_mouseMove(from.x, from.y);
        headless_mouseDown(1);
        headless_keyDown(VK_CONTROL);
        headless_mouseMove(to.x, to.y);
        s_duringDrag = [&] {
            EXPECT_EQ(m->dropTarget, 8);
            EXPECT_EQ(m->dropCopy, 1);
            if (answer == IDYES) {
                platform_composeAndPresent(1);
                EXPECT_EQ(platform_saveWindowPNG(window_getHWND(winId_main),
                                                 screenPath("organise-drag-copy").c_str()),
                          1);
            }
            headless_mouseUp(1);
            headless_keyUp(VK_CONTROL);
        };
        window_setCurrent(winId_main);
        timer_new(winId_main, 77, dragTimer, 0.2, 1);
        headless_answerNextPrompt(answer);
        pumpProgram();
        advanceProgram(60);
        EXPECT_EQ(lastQuestion(), "Replace \"Marimba\" with \"Harpsichord\"?");
        EXPECT_EQ(record(8), answer == IDYES ? harpsichord : marimba);
        EXPECT_EQ(m->dropTarget, -1);  // the marks are gone
    }
    EXPECT_EQ(record(3), harpsichord);
    s_duringDrag = nullptr;

    // A swap's marks: both cells; then the drop swaps.
    s_duringDrag = [&] {
        EXPECT_EQ(m->dropTarget, 13);
        EXPECT_EQ(m->dropCopy, 0);
        platform_composeAndPresent(1);
        EXPECT_EQ(
            platform_saveWindowPNG(window_getHWND(winId_main), screenPath("organise-drag-swap").c_str()), 1);
        headless_mouseUp(1);
    };
    POINT from = cellPoint(12), to = cellPoint(13);
    headless_mouseMove(from.x, from.y);
    headless_mouseDown(1);
    headless_mouseMove(to.x, to.y);
    timer_new(winId_main, 77, dragTimer, 0.2, 1);
    pumpProgram();
    advanceProgram(60);
    s_duringDrag = nullptr;
    EXPECT_EQ(name(12), "Sub Bass");
    EXPECT_EQ(name(13), "Ring Mod Bells");
    // Undo takes back the last change, the swap of 12 and 13.
    ctrlKey('Z');
    EXPECT_EQ(name(12), "Ring Mod Bells");
    EXPECT_EQ(name(13), "Sub Bass");

    // Leaving the cell and coming back, or letting go outside the matrix,
    // does nothing; a plain click still selects the preset.
    const int edits = lastEdits_count();
    drag({4, 5, 4});
    RECT r;
    window_setCurrent(winId_main);
    clickObject_getRect(mainId_matrix, &r);
    POINT outside = {r.right + 40, r.top};
    ClientToScreen(window_getHWND(winId_main), &outside);
    POINT p = cellPoint(4);
    headless_mouseMove(p.x, p.y);
    headless_mouseDown(1);
    headless_mouseMove(outside.x, outside.y);
    headless_mouseUp(1);
    pumpProgram();
    EXPECT_EQ(gInst->patch.preset, 2);
    EXPECT_EQ(name(4), "Clavinet");
    drag({4});
    EXPECT_EQ(gInst->patch.preset, 4);
    EXPECT_EQ(lastEdits_count(), edits + 1);  // the edit went into the recent edits, as before
}

TEST_F(ProgramOrganise, ThePlayingSlotOverwrittenComparesTheSoundKeptWithTheNewPreset)
{
    const std::vector<unsigned char> playing = sound();
    slotMenu(8, cmd_slotCopy);
    slotMenu(0, cmd_slotPaste, IDYES);
    ASSERT_TRUE(presetIsDirty());
    ctrlKey('K');
    ASSERT_TRUE(compare_isActive());
    window_setCurrent(winId_main);
    EXPECT_STREQ(display_get(mainId_name)->text, "Marimba");
    EXPECT_STREQ(display_get(mainId_storedMark)->text, "/ stored");
    // The marks moved with the shorter name ("Marimba * / stored"): what was
    // drawn step by step is what a full repaint draws.
    HWND main = window_getHWND(winId_main);
    advanceProgram(100);
    platform_composeAndPresent(1);
    ASSERT_EQ(platform_saveWindowPNG(main, pathOf("drawn.png").c_str()), 1);
    InvalidateRect(main, nullptr, TRUE);
    pumpProgram();
    platform_composeAndPresent(1);
    ASSERT_EQ(platform_saveWindowPNG(main, pathOf("repainted.png").c_str()), 1);
    EXPECT_TRUE(readBytes(pathOf("drawn.png")) == readBytes(pathOf("repainted.png")));
    ctrlKey('K');
    EXPECT_EQ(sound(), playing);
    EXPECT_TRUE(presetIsDirty());
}
