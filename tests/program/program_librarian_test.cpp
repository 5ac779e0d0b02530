// The librarian in the running program, as a musician meets it: Edit >
// "Find Preset..." across the open bank and the recent banks, and Edit >
// "Compare with Stored" switching between an edit and the stored sound.
#include <filesystem>
#include <fstream>
#include <utility>

#include "tests/bank/bank_test_util.h"
#include "tests/program/program_fixture.h"

namespace {
class ProgramLibrarian : public RunningProgramTest {
protected:
    // A bank file in the program folder holding the named presets.
    std::string makeBank(const std::string& file, const std::vector<std::pair<int, std::string>>& presets)
    {
        bankRec* bank = bank_new();
        instRec* work = iac_getInst(7);
        work->paused = 1;  // no plug-in answers for instance 7
        inst_reinit(work);
        for (const auto& p : presets) {
            inst_patch_setName(work, p.second.c_str());
            bank_storeInst(bank, work, static_cast<short>(p.first));
        }
        EXPECT_EQ(mvnFile_saveAs(bank, pathOf(file).c_str(), file.c_str()), 1);
        bank_delete(bank);
        return pathOf(file);
    }
    // Ctrl + a letter through the loop.
    void ctrlKey(char letter)
    {
        headless_keyDown(VK_CONTROL);
        headless_key(letter);
        headless_keyUp(VK_CONTROL);
        pumpProgram();
        advanceProgram(60);  // an idle step shows the marks
    }
    // A point of the Main window's client area on the screen.
    POINT mainPoint(int x, int y)
    {
        POINT p = {x, y};
        ClientToScreen(window_getHWND(winId_main), &p);
        return p;
    }
    // Types a value into a number box of the Main window (its in-place editor).
    void typeIntoNumbox(short id, const char* text)
    {
        window_setCurrent(winId_main);
        numboxRec* box = numbox_get(id);
        ASSERT_NE(box, nullptr);
        POINT p = mainPoint((box->valueRect.left + box->valueRect.right) / 2,
                            (box->valueRect.top + box->valueRect.bottom) / 2);
        headless_click(p.x, p.y);
        headless_typeText(text);
        headless_key(VK_RETURN);
        advanceProgram(60);
    }
    // Edit > item, through the menu bar.
    void editMenu(UINT command)
    {
        RECT bar;
        ASSERT_TRUE(platform_menuBarItemScreenRect(g_hWndFrame, 1, &bar));
        headless_pushIdleAction([command](HWND) {
            RECT r;
            if (platform_menuItemScreenRect(command, &r))
                headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        });
        headless_click((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
        advanceProgram(60);
    }
    UINT editState(UINT command) { return GetMenuState(g_hMenu_edit, command, MF_BYCOMMAND); }
    // The instrument's sound in its stored form: the bank file of it alone.
    std::vector<unsigned char> storedForm(instRec* inst)
    {
        bankRec* bank = bank_new();
        bank_storeInst(bank, inst, 0);
        std::string path = pathOf("form.glo");
        EXPECT_EQ(mvnFile_saveAs(bank, path.c_str(), "form.glo"), 1);
        bank_delete(bank);
        return readBytes(path);
    }
    std::string soundName()
    {
        char name[kPatchNameLen + 1] = {};
        inst_patch_getName(gInst, name);
        return name;
    }
};

std::vector<std::string> listLines(HWND dlg, int list)
{
    std::vector<std::string> lines;
    LRESULT n = SendDlgItemMessageA(dlg, list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char text[160] = "";
        SendDlgItemMessageA(dlg, list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        lines.push_back(text);
    }
    return lines;
}

int lineIndex(const std::vector<std::string>& lines, const std::string& line)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line) return static_cast<int>(i);
    return -1;
}

std::string dialogText(HWND dlg, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

std::string screenPath(const std::string& name)
{
    std::string dir = std::filesystem::current_path().string() + "/program-screens";
    std::filesystem::create_directories(dir);
    return dir + "/" + name + ".png";
}
}  // namespace

TEST_F(ProgramLibrarian, FindListsMatchesOfEveryReadableBankAndSelectsThem)
{
    std::string keys = makeBank("Keys.glo", {{3, "Warm Bass"}, {5, "Marimba"}});
    std::string leads = makeBank("Leads.glo", {{7, "Bass Lead"}, {9, "Saw Pad"}});
    // A bank cut short inside its second preset keeps its first; a file that
    // is no bank and one that is gone are left out, all without a word.
    std::string damaged = makeBank("Damaged.glo", {{1, "Deep Bass"}, {2, "Choir Bass"}});
    std::vector<unsigned char> bytes = readBytes(damaged);
    bytes.resize(bytes.size() * 3 / 4);
    writeBytes(damaged, bytes);
    writeBytes(pathOf("Garbage.glo"), std::vector<unsigned char>(300, 'x'));
    for (const std::string& p : {pathOf("Gone.glo"), pathOf("Garbage.glo"), damaged, leads, keys})
        lastBank_add(p.c_str());
    // The open bank is searched as it is in memory: a rename not yet saved counts.
    std::snprintf(bank_getPreset(gBank, 20)->patch.name, kPatchNameLen, "Bass Whistle");
    gBank->dirty = 1;
    const int boxes = platform_lastMessageBox().count;

    headless_pushIdleAction([&](HWND dlg) {
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(listLines(dlg, findItem_list).size(), 39u + 2 + 2 + 1);  // every preset before typing
        headless_typeText("BASS");
    });
    std::vector<std::string> lines;
    headless_pushIdleAction([&](HWND dlg) {
        lines = listLines(dlg, findItem_list);
        EXPECT_EQ(dialogText(dlg, findItem_count), std::to_string(lines.size()) + " presets");
        EXPECT_EQ(platform_saveWindowPNG(dlg, screenPath("find-preset-bass").c_str()), 1);
        headless_typeText(" l");
    });
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ(listLines(dlg, findItem_list), std::vector<std::string>{"7 Bass Lead  -  Leads.glo"});
        EXPECT_EQ(dialogText(dlg, findItem_count), "1 preset");
        headless_key(VK_RETURN);  // the first line is chosen
    });
    headless_answerNextPrompt(IDNO);  // "Save changes to Factory Presets.glo?"
    ctrlKey('F');
    // Open bank first, then the recent banks newest first; slot order within.
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "13 Sub Bass  -  Factory Presets.glo", "14 Pluck Bass  -  Factory Presets.glo",
                         "15 FM Bass  -  Factory Presets.glo", "16 Wobble Bass  -  Factory Presets.glo",
                         "20 Bass Whistle  -  Factory Presets.glo", "3 Warm Bass  -  Keys.glo",
                         "7 Bass Lead  -  Leads.glo", "1 Deep Bass  -  Damaged.glo"}));
    EXPECT_EQ(platform_lastMessageBox().count, boxes + 1);
    EXPECT_EQ(platform_lastMessageBox().text, "Save changes to Factory Presets.glo?");
    EXPECT_TRUE(mvnFile_isCurrentFile(gBank, leads.c_str()));
    EXPECT_EQ(gInst->patch.preset, 7);
    EXPECT_EQ(soundName(), "Bass Lead");
    EXPECT_EQ(headless_unansweredPrompts(), 0);

    // A double click on a preset of another bank: its bank opens, the clean
    // one without a question; Escape leaves everything as it was.
    headless_pushIdleAction([&](HWND) { headless_key(VK_ESCAPE); });
    ctrlKey('F');
    EXPECT_TRUE(mvnFile_isCurrentFile(gBank, leads.c_str()));
    headless_pushIdleAction([&](HWND) { headless_typeText("mari"); });
    headless_pushIdleAction([&](HWND dlg) {
        std::vector<std::string> found = listLines(dlg, findItem_list);
        int line = lineIndex(found, "5 Marimba  -  Keys.glo");
        ASSERT_GE(line, 0);
        RECT r;
        HWND box = GetDlgItem(dlg, findItem_list);
        SendMessageA(box, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(box, &p);
        headless_doubleClick(p.x, p.y);
    });
    ctrlKey('F');
    EXPECT_TRUE(mvnFile_isCurrentFile(gBank, keys.c_str()));
    EXPECT_EQ(gInst->patch.preset, 5);
    EXPECT_EQ(soundName(), "Marimba");

    // A preset of the open bank is selected into the instance; the bank,
    // even with unsaved changes, stays as it is and nothing is asked.
    gBank->dirty = 1;
    const int before = platform_lastMessageBox().count;
    headless_pushIdleAction([&](HWND) { headless_typeText("warm"); });
    headless_pushIdleAction([&](HWND) { headless_key(VK_RETURN); });
    ctrlKey('F');
    EXPECT_EQ(platform_lastMessageBox().count, before);
    EXPECT_EQ(gBank->dirty, 1);
    EXPECT_EQ(gInst->patch.preset, 3);
    EXPECT_EQ(soundName(), "Warm Bass");
    EXPECT_TRUE(waitProgram([] { return iac_changed[0].currentProgram.load() == 3; }));
}

TEST_F(ProgramLibrarian, ArrowKeysInTheFindFieldMoveThroughTheMatches)
{
    ASSERT_TRUE(waitProgram([] { return gInst->patch.preset == 0; }));
    auto selected = [](HWND dlg) { return SendDlgItemMessageA(dlg, findItem_list, LB_GETCURSEL, 0, 0); };
    headless_pushIdleAction([](HWND) { headless_typeText("bass"); });
    headless_pushIdleAction([](HWND) {
        for (int vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP}) headless_key(vk);
    });
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ(selected(dlg), 2);
        EXPECT_EQ(dialogText(dlg, findItem_text), "bass");  // the keys did not go into the text
        headless_key(VK_NEXT);
    });
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ(selected(dlg), 3);  // the last match
        headless_key(VK_PRIOR);
        headless_key(VK_DOWN);
        headless_key(VK_RETURN);
    });
    ctrlKey('F');
    EXPECT_EQ(gInst->patch.preset, 14);
    EXPECT_EQ(soundName(), "Pluck Bass");
}

TEST_F(ProgramLibrarian, CompareSwitchesToTheStoredSoundAndBackAndAChangeThereKeepsTheEdit)
{
    ASSERT_TRUE(waitProgram([] { return gInst->patch.preset == 0; }));
    advanceProgram(60);
    EXPECT_TRUE(editState(cmd_compareStored) & MF_GRAYED);  // nothing edited yet
    ctrlKey('K');
    EXPECT_FALSE(compare_isActive());

    // An edit: a new transposition and level typed into the Main window.
    typeIntoNumbox(mainId_transpose, "7");
    typeIntoNumbox(mainId_dB, "-6");
    inst_patch_setName(gInst, "Piano Edit");
    const std::vector<unsigned char> edit = storedForm(gInst);
    ASSERT_TRUE(presetIsDirty());
    EXPECT_FALSE(editState(cmd_compareStored) & MF_GRAYED);

    ctrlKey('K');
    ASSERT_TRUE(compare_isActive());
    EXPECT_EQ(soundName(), "Electric Piano");
    EXPECT_NEAR(inst_patch_getTrans(gInst), 0.0f, 1e-4);
    EXPECT_EQ(gInst->patch.preset, 0);
    EXPECT_TRUE(presetIsDirty());  // the edit is still unstored
    EXPECT_TRUE(editState(cmd_compareStored) & MF_CHECKED);
    window_setCurrent(winId_main);
    EXPECT_STREQ(display_get(mainId_editedMark)->text, "*");
    EXPECT_STREQ(display_get(mainId_storedMark)->text, "/ stored");
    platform_composeAndPresent(1);
    EXPECT_EQ(platform_saveWindowPNG(window_getHWND(winId_main), screenPath("compare-stored").c_str()), 1);

    // Back through the Edit menu: the edit exactly as it was.
    editMenu(cmd_compareStored);
    EXPECT_FALSE(compare_isActive());
    EXPECT_EQ(storedForm(gInst), edit);
    EXPECT_EQ(soundName(), "Piano Edit");
    EXPECT_EQ(gInst->patch.preset, 0);
    EXPECT_FALSE(editState(cmd_compareStored) & MF_CHECKED);
    window_setCurrent(winId_main);
    EXPECT_STREQ(display_get(mainId_storedMark)->text, "");

    // A change while the stored sound plays makes it the edit; the edit set
    // aside is the newest of the recent edits.
    const int edits = lastEdits_count();
    ctrlKey('K');
    ASSERT_TRUE(compare_isActive());
    typeIntoNumbox(mainId_pan, "0.25");
    EXPECT_FALSE(compare_isActive());
    EXPECT_TRUE(presetIsDirty());
    EXPECT_EQ(soundName(), "Electric Piano");
    EXPECT_NEAR(inst_patch_getPan(gInst), 0.25f, 1e-4);
    EXPECT_NEAR(inst_patch_getTrans(gInst), 0.0f, 1e-4);
    ASSERT_EQ(lastEdits_count(), edits + 1);
    bankRec* history = lastEdits_bank();
    const short newest = static_cast<short>((lastEdits_nextIndex() + kLastEdits - 1) % kLastEdits);
    instRec* other = iac_getInst(7);
    other->paused = 1;  // no plug-in answers for instance 7
    bank_selectPreset(history, other, newest);
    EXPECT_EQ(storedForm(other), edit);

    // Comparing again and then choosing another program: the history keeps
    // the edit (with its pan), not the stored sound that was playing.
    ctrlKey('K');
    ASSERT_TRUE(compare_isActive());
    window_setCurrent(winId_main);
    RECT cell;
    clickObject_getRect(mainId_matrix, &cell);
    POINT p = mainPoint(cell.left + 10, cell.top + 2 * 14 + 7);  // slot 2
    headless_click(p.x, p.y);
    advanceProgram(60);
    EXPECT_FALSE(compare_isActive());
    EXPECT_EQ(gInst->patch.preset, 2);
    EXPECT_FALSE(presetIsDirty());
    const short last = static_cast<short>((lastEdits_nextIndex() + kLastEdits - 1) % kLastEdits);
    EXPECT_NEAR(bank_getPreset(history, last)->patch.pan, 0.25f, 1e-4);
    EXPECT_TRUE(editState(cmd_compareStored) & MF_GRAYED);
}
