// The program's menus and commands after a real start-up: the menu bar
// with the start-up removals, the accelerators, F10, dropped files, the
// File, Setup and Window commands, and a bank saved and opened again.
#include <filesystem>

#include "tests/program/program_fixture.h"

namespace {
class ProgramMenus : public RunningProgramTest {
protected:
    // A bank file of presets named name<slot> in the program folder.
    std::string makeBank(const std::string& file, const std::vector<int>& slots, const std::string& name)
    {
        bankRec* bank = bank_new();
        instRec* work = iac_getInst(7);
        work->paused = 1;  // no plug-in answers for instance 7
        inst_reinit(work);
        for (int slot : slots) {
            inst_patch_setName(work, (name + std::to_string(slot)).c_str());
            bank_storeInst(bank, work, static_cast<short>(slot));
        }
        EXPECT_EQ(mvnFile_saveAs(bank, pathOf(file).c_str(), file.c_str()), 1);
        bank_delete(bank);
        return pathOf(file);
    }
    bool checked(HMENU menu, int id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
};

std::string presetNameOf(instRec* inst)
{
    char name[kPatchNameLen + 1] = {};
    inst_patch_getName(inst, name);
    name[kPatchNameLen] = 0;
    return name;
}

std::string presetName(bankRec* bank, short slot)
{
    char name[kPatchNameLen + 1] = {};
    bank_getPresetName(bank, slot, name);
    return name;
}
}  // namespace

TEST_F(ProgramMenus, TheMenuBarAfterStartUp)
{
    ASSERT_EQ(GetMenuItemCount(g_hMenu), 5);
    EXPECT_EQ(menuText(g_hMenu, 0), "&File");
    EXPECT_EQ(menuText(g_hMenu, 4), "Help");
    // Setup: "Audio Port", a separator, the two switches, both checked.
    ASSERT_EQ(GetMenuItemCount(g_hMenu_setup), 4);
    EXPECT_EQ(menuText(g_hMenu_setup, 0), "Audio Port");
    EXPECT_NE(GetSubMenu(g_hMenu_setup, 0), nullptr);
    EXPECT_TRUE(GetMenuState(g_hMenu_setup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(menuText(g_hMenu_setup, 2), "Enable Pgm change");
    EXPECT_EQ(menuText(g_hMenu_setup, 3), "Auto-balance channels");
    EXPECT_TRUE(checked(g_hMenu_setup, 3002));
    EXPECT_TRUE(checked(g_hMenu_setup, 3004));
    // Window: no "Record"; the rest as listed.
    EXPECT_EQ(GetMenuState(g_hMenu_window, 7007, MF_BYCOMMAND), static_cast<UINT>(-1));
    const std::vector<std::string> windowItems = {"Patch \tF6",
                                                  "Waveform \tF7",
                                                  "Effect \tF8",
                                                  "Envelope \tF9",
                                                  "LFO \tF11",
                                                  "Midi \tF12",
                                                  "",
                                                  "Navigator",
                                                  "",
                                                  "Main \tF5",
                                                  "",
                                                  "Close all edit windows \tF4",
                                                  "One window at a time",
                                                  "",
                                                  "Reset Window Positions"};
    ASSERT_EQ(GetMenuItemCount(g_hMenu_window), static_cast<int>(windowItems.size()));
    for (int k = 0; k < GetMenuItemCount(g_hMenu_window); ++k) {
        const bool separator = GetMenuState(g_hMenu_window, k, MF_BYPOSITION) & MF_SEPARATOR;
        EXPECT_EQ(separator ? std::string() : menuText(g_hMenu_window, k), windowItems[k]) << k;
    }
    EXPECT_EQ(GetMenuItemID(g_hMenu_window, 0), 7000u);
    EXPECT_EQ(GetMenuItemID(g_hMenu_window, 5), 7005u);
    // File: the thirteen fixed items, then the start bank as the recent bank.
    ASSERT_EQ(GetMenuItemCount(g_hMenu_file), 14);
    EXPECT_EQ(menuText(g_hMenu_file, 2), "&Open...\tCtrl+O");
    EXPECT_EQ(menuText(g_hMenu_file, 13), "Factory Presets.glo");
    EXPECT_EQ(GetMenuItemID(g_hMenu_file, 13), 1120u);
}

TEST_F(ProgramMenus, AcceleratorsReachTheFrameAndF10IsSwallowed)
{
    recordFrameCommands();
    pressKey(VK_F3);
    pressKey(VK_F6);
    pressKey(VK_F7);
    pressKey(VK_F5);
    EXPECT_EQ(frameCommands(), (std::vector<int>{7007, 7000, 7001, 7009}));
    EXPECT_TRUE(shown(winId_patch));
    EXPECT_TRUE(shown(winId_waveform));
    // F5 brought the Main window to the front: only its item is checked.
    EXPECT_TRUE(checked(g_hMenu_window, 7009));
    EXPECT_FALSE(checked(g_hMenu_window, 7000));
    EXPECT_FALSE(checked(g_hMenu_window, 7001));

    frameCommands().clear();
    EXPECT_EQ(SendMessageA(g_hWndFrame, WM_KEYDOWN, VK_F10, 0), 0);
    EXPECT_EQ(SendMessageA(g_hWndFrame, WM_SYSKEYDOWN, VK_F10, 0), 0);
    SetFocus(g_hWndFrame);
    pressKey(VK_F10);
    EXPECT_EQ(headless_topModal(), nullptr);
    EXPECT_TRUE(frameCommands().empty());
    EXPECT_FALSE(program_hasQuit());
}

TEST_F(ProgramMenus, EveryEditorWindowsKeyAndMenuItemComeFromItsTableRow)
{
    recordFrameCommands();
    int keyed = 0;
    for (int k = 0; k < gWindowTableSize; ++k) {
        const windowTableRec& row = gWindowTable[k];
        if (!row.accelKey) continue;
        ++keyed;
        SCOPED_TRACE(row.className);
        // The Window menu has the row's item, and its key sends that command.
        EXPECT_NE(GetMenuState(g_hMenu_window, row.menuCommand, MF_BYCOMMAND), static_cast<UINT>(-1));
        frameCommands().clear();
        pressKey(row.accelKey);
        EXPECT_EQ(frameCommands(), std::vector<int>{row.menuCommand});
        // The window is shown in front, and only its item is checked.
        EXPECT_TRUE(shown(row.id));
        EXPECT_EQ(window_getFrontWindow(), row.id);
        for (int j = 0; j < gWindowTableSize; ++j) {
            const int item = gWindowTable[j].menuCommand;
            if (item) {
                EXPECT_EQ(checked(g_hMenu_window, item), j == k) << gWindowTable[j].className;
            }
        }
    }
    EXPECT_EQ(keyed, 7);  // Main, Patch, LFO, Effect, MIDI, Waveform, Envelope
}

TEST_F(ProgramMenus, APlugInsEditorRequestShowsTheWindowOfItsNumber)
{
    // The plug-in numbers its editors 1 Main, 2 Patch, 3 Waveform,
    // 4 Envelope, 5 LFO, 6 MIDI, 7 Effect.
    const short expected[] = {winId_main, winId_patch, winId_waveform, winId_envelope,
                              winId_lfo,  winId_midi,  winId_effect};
    for (int which = 1; which <= 7; ++which) {
        const short id = expected[which - 1];
        if (id != winId_main) window_show(id, 0);
        host_->send("editor 0 " + std::to_string(which));
        EXPECT_TRUE(waitProgram([&] { return shown(id) && window_getFrontWindow() == id; })) << which;
    }
}

TEST_F(ProgramMenus, MenusOpenFromTheKeyboardInAnEditorWindow)
{
    recordFrameCommands();
    SetFocus(window_getHWND(winId_main));
    // Alt+F opens the File menu; S is Save's letter.
    headless_keyDown(VK_MENU);
    headless_keyDown('F');
    bool fileOpen = false;
    headless_pushIdleAction([&](HWND) {
        RECT r;
        fileOpen = platform_menuItemScreenRect(1004, &r) != 0;
        headless_keyUp('F');
        headless_keyUp(VK_MENU);
        headless_key('S');
    });
    pumpProgram();
    pumpProgram();
    EXPECT_TRUE(fileOpen);
    EXPECT_EQ(frameCommands(), (std::vector<int>{1004}));
    EXPECT_EQ(headless_topModal(), nullptr);
    EXPECT_FALSE(program_hasQuit());
}

TEST_F(ProgramMenus, TwoDroppedFilesOpenOnlyTheFirst)
{
    std::string first = makeBank("First.glo", {0, 1}, "First ");
    std::string second = makeBank("Second.glo", {0, 1}, "Second ");
    RECT frame = screenRect(g_hWndFrame);
    headless_dropFiles(frame.left + 500, frame.top + 400, {first, second});
    pumpProgram();
    EXPECT_EQ(std::string(gBank->file.path), first);
    EXPECT_EQ(presetName(gBank, 1), "First 1");
    // The File menu lists it first, the start bank after it.
    EXPECT_EQ(menuText(g_hMenu_file, 13), "First.glo");
    EXPECT_EQ(menuText(g_hMenu_file, 14), "Factory Presets.glo");
    // A recent bank opens from the menu.
    menu_process(nullptr, 1121);
    EXPECT_EQ(std::string(gBank->file.path), pathOf("Factory Presets.glo"));
}

TEST_F(ProgramMenus, SaveAsThenOpenGivesTheSamePresets)
{
    std::vector<std::string> names;
    for (short slot = 0; slot < kBankSlots; ++slot) names.push_back(presetName(gBank, slot));
    const short count = bank_presetCount(gBank);
    ASSERT_GT(count, 0);

    headless_answerNextFileDialog(pathOf("Copy.glo"));
    menu_process(nullptr, 1005);
    ASSERT_EQ(std::string(gBank->file.path), pathOf("Copy.glo"));
    EXPECT_EQ(menuText(g_hMenu_file, 13), "Copy.glo");

    // New: the clean bank closes without a question.
    const int boxes = platform_lastMessageBox().count;
    menu_process(nullptr, 1000);
    EXPECT_EQ(platform_lastMessageBox().count, boxes);
    EXPECT_EQ(bank_presetCount(gBank), 0);
    EXPECT_EQ(gBank->file.path[0], 0);

    // An unstored edit that the opened bank's sound replaces goes into the
    // recent edits, and the sound then playing is not an edit.
    inst_patch_setName(gInst, "my edit");
    makePresetDirty();
    headless_answerNextFileDialog(pathOf("Copy.glo"));
    menu_process(nullptr, 1001);
    ASSERT_EQ(std::string(gBank->file.path), pathOf("Copy.glo"));
    EXPECT_FALSE(presetIsDirty());
    EXPECT_NE(presetNameOf(gInst), "my edit");
    const short newest = static_cast<short>((lastEdits_nextIndex() + kLastEdits - 1) % kLastEdits);
    EXPECT_EQ(presetName(lastEdits_bank(), newest), "my edit");
    EXPECT_EQ(bank_presetCount(gBank), count);
    for (short slot = 0; slot < kBankSlots; ++slot)
        EXPECT_EQ(presetName(gBank, slot), names[slot]) << "slot " << slot;
    // Written again, the bank gives the same bytes: nothing was lost or changed.
    headless_answerNextFileDialog(pathOf("Again.glo"));
    menu_process(nullptr, 1005);
    EXPECT_EQ(fileBytes(pathOf("Again.glo")), fileBytes(pathOf("Copy.glo")));
    EXPECT_FALSE(fileBytes(pathOf("Copy.glo")).empty());

    // A cancelled Open leaves the bank and the instrument alone.
    inst_patch_setName(gInst, "kept");
    headless_answerNextFileDialog("");
    menu_process(nullptr, 1001);
    EXPECT_EQ(std::string(gBank->file.path), pathOf("Again.glo"));
    EXPECT_EQ(presetNameOf(gInst), "kept");
    EXPECT_EQ(headless_unansweredPrompts(), 0);
}

TEST_F(ProgramMenus, SetupCommandsToggleTheirChecks)
{
    gInst->pendingProgram = 5;
    menu_process(nullptr, 3002);
    EXPECT_EQ(gInst->pendingProgram, -1);
    EXPECT_EQ(g_enableProgramChange, 0);
    EXPECT_FALSE(checked(g_hMenu_setup, 3002));
    menu_process(nullptr, 3002);
    EXPECT_EQ(g_enableProgramChange, 1);
    EXPECT_TRUE(checked(g_hMenu_setup, 3002));

    menu_process(nullptr, 3004);
    EXPECT_EQ(wPatch_getAutoBalanceChannels(), 0);
    EXPECT_EQ(setup_getAutoBalanceChannels(), 0);
    EXPECT_FALSE(checked(g_hMenu_setup, 3004));
    menu_process(nullptr, 3004);
    EXPECT_TRUE(checked(g_hMenu_setup, 3004));

    // "Audio Setup" reports through the toolkit's error channel when it shows.
    g_error_enable = 1;
    headless_answerNextPrompt(IDOK);
    menu_process(nullptr, 3001);
    g_error_enable = 0;
    EXPECT_EQ(platform_lastMessageBox().text, "not available in Morvane Engine");
    // Out of every range: nothing dispatched.
    EXPECT_EQ(menu_process(nullptr, 999), 0);
    EXPECT_EQ(menu_process(nullptr, 8000), 0);
    EXPECT_EQ(menu_process(nullptr, 2001), 1);
}

TEST_F(ProgramMenus, WindowCommandsAndOneWindowAtATime)
{
    menu_process(nullptr, 7000);
    menu_process(nullptr, 7003);
    EXPECT_TRUE(shown(winId_patch));
    EXPECT_TRUE(shown(winId_envelope));
    EXPECT_TRUE(checked(g_hMenu_window, 7003));
    EXPECT_FALSE(checked(g_hMenu_window, 7000));

    // One window at a time, applied to the front window (Envelope).
    menu_process(nullptr, 7011);
    EXPECT_EQ(g_oneWindowEditor, 1);
    EXPECT_TRUE(checked(g_hMenu_window, 7011));
    EXPECT_FALSE(shown(winId_patch));
    EXPECT_TRUE(shown(winId_envelope));
    // Now every editor window shown replaces the others; Main stays.
    menu_process(nullptr, 7004);
    EXPECT_TRUE(shown(winId_lfo));
    EXPECT_FALSE(shown(winId_envelope));
    EXPECT_TRUE(shown(winId_main));
    EXPECT_TRUE(checked(g_hMenu_window, 7004));

    menu_process(nullptr, 7010);
    for (short id : {winId_patch, winId_lfo, winId_midi, winId_envelope, winId_waveform, winId_effect})
        EXPECT_FALSE(shown(id));
    EXPECT_TRUE(shown(winId_main));

    // The navigator goes and comes back.
    menu_process(nullptr, 7006);
    EXPECT_FALSE(shown(winId_navigatorV));
    menu_process(nullptr, 7006);
    EXPECT_TRUE(shown(winId_navigatorV));
}
