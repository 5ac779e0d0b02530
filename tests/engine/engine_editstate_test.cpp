// The edit state: questions before a sound or a bank is replaced, undo and
// copy modes with their Edit-menu items, the ring of recent edits, and the
// shell's bank open with its question.
#include "tests/engine/engine_fixture.h"

namespace {
class EditState : public EngineTest {
protected:
    const menuItemModel& editItem(int id) const { return *desktop().item(engineMenu_edit, id); }
};
}  // namespace

TEST_F(EditState, StoringTheEditedSoundAsksFirst)
{
    EXPECT_EQ(askStorePreset(), 1);
    EXPECT_TRUE(desktop().messages.empty());  // a clean preset asks nothing

    inst_patch_setName(gInst, "Warm Pad");
    gInst->patch.preset = 12;
    makePresetDirty();
    desktop().answers = {engineID_no};
    EXPECT_EQ(askStorePreset(), 1);
    ASSERT_EQ(desktop().messages.size(), 1u);
    EXPECT_EQ(desktop().messages[0].text, "Do you want to store changes to preset \"Warm Pad\"?");
    EXPECT_EQ(desktop().messages[0].caption, MORVANE_FRAME_TITLE);
    EXPECT_EQ(desktop().messages[0].style, unsigned(engineMB_yesNo | engineMB_iconExclamation));
    EXPECT_FALSE(presetIsDirty());
    EXPECT_TRUE(bank_presetIsDefault(gBank, 12));
    EXPECT_EQ(gBank->dirty, 0);

    makePresetDirty();
    desktop().answers = {engineID_yes};
    askStorePreset();
    EXPECT_FALSE(presetIsDirty());
    EXPECT_FALSE(bank_presetIsDefault(gBank, 12));
    EXPECT_EQ(gBank->dirty, 1);
    char name[kPatchNameLen + 1];
    bank_getPresetName(gBank, 12, name);
    EXPECT_STREQ(name, "Warm Pad");

    // The poll marks an instance that goes offline or online with preset
    // number -1; an edit of its sound still belongs to slot 12 and "Yes"
    // stores it there, with the bank marked for the bank question.
    gBank->dirty = 0;
    inst_patch_setName(gInst, "Edited later");
    makePresetDirty();
    gInst->patch.preset = -1;
    desktop().answers = {engineID_yes};
    askStorePreset();
    bank_getPresetName(gBank, 12, name);
    EXPECT_STREQ(name, "Edited later");
    EXPECT_EQ(gBank->dirty, 1);
    EXPECT_EQ(editState_soundSlot(), 12);

    // A sound that never came from a slot cannot be stored; the bank stays
    // as it was.
    editState_forgetSlots();
    gBank->dirty = 0;
    makePresetDirty();
    desktop().answers = {engineID_yes};
    askStorePreset();
    EXPECT_EQ(gBank->dirty, 0);
    EXPECT_EQ(editState_soundSlot(), -1);
}

TEST_F(EditState, SwitchingInstanceRecordsAndAsks)
{
    inst_patch_setName(gInst, "Edited");
    makePresetDirty();
    desktop().answers = {engineID_no};
    EXPECT_EQ(MorvaneEngine_setCurrentInstance(5), 1);
    EXPECT_EQ(MorvaneEngine_getCurrentInstance(), 5);
    EXPECT_EQ(gInst, iac_getInst(5));
    EXPECT_EQ(lastEdits_count(), 1);
    EXPECT_EQ(desktop().history, std::vector<std::string>{"Edited"});
    EXPECT_EQ(desktop().messages.size(), 1u);
    EXPECT_GT(desktop().redraws, 0);

    // Invalid or current instances change nothing.
    int redraws = desktop().redraws;
    for (long i : {-1L, 8L, 5L, 1000L}) MorvaneEngine_setCurrentInstance(i);
    EXPECT_EQ(MorvaneEngine_getCurrentInstance(), 5);
    EXPECT_EQ(desktop().redraws, redraws);

    // An editor request with a window number outside 1..7 brings the frame
    // forward and switches instance but opens nothing.
    editInstance = 2;
    desktop().shown.clear();
    MorvaneEngine_openEditWindow(9);
    EXPECT_EQ(MorvaneEngine_getCurrentInstance(), 2);
    EXPECT_TRUE(desktop().shown.empty());
    EXPECT_EQ(desktop().frameActions,
              (std::vector<int>{engineFrame_minimise, engineFrame_restore, engineFrame_foreground}));
}

TEST_F(EditState, UndoAndCopyModesDriveTheEditMenu)
{
    undo_setMode(0);
    EXPECT_EQ(editItem(cmd_undo).text, "Undo \tCtrl+Z");
    EXPECT_FALSE(editItem(cmd_undo).enabled);

    undo_setMode(2);
    EXPECT_TRUE(editItem(cmd_undo).enabled);
    EXPECT_EQ(editItem(cmd_undo).text, "Undo Envelope Edit \tCtrl+Z");
    undo_processUndo();
    EXPECT_EQ(editItem(cmd_undo).text, "Redo Envelope Edit \tCtrl+Z");
    undo_processUndo();
    EXPECT_EQ(editItem(cmd_undo).text, "Undo Envelope Edit \tCtrl+Z");
    EXPECT_EQ(desktop().editorCalls, (std::vector<std::string>{"undo envelope", "redo envelope"}));

    undo_setMode(3);
    undo_processUndo();
    EXPECT_EQ(editItem(cmd_undo).text, "Redo Waveform Edit \tCtrl+Z");
    EXPECT_EQ(undo_getRedo(), 1);
    undo_setMode(7);  // not a mode: kept, but the redo flag is cleared
    EXPECT_EQ(undo_getMode(), 3);
    EXPECT_EQ(undo_getRedo(), 0);
    EXPECT_EQ(editItem(cmd_undo).text, "Undo Waveform Edit \tCtrl+Z");
    undo_setMode(1);  // mode 1 leaves the item alone
    EXPECT_EQ(editItem(cmd_undo).text, "Undo Waveform Edit \tCtrl+Z");
    desktop().editorCalls.clear();
    undo_processUndo();
    EXPECT_TRUE(desktop().editorCalls.empty());

    copy_setMode(1);
    EXPECT_FALSE(editItem(cmd_cut).enabled);
    EXPECT_TRUE(editItem(cmd_copy).enabled);
    EXPECT_TRUE(editItem(cmd_paste).enabled);
    copy_processCopy();
    copy_processPaste();
    copy_setMode(2);  // no menu change
    EXPECT_TRUE(editItem(cmd_copy).enabled);
    copy_processCopy();
    copy_setMode(0);
    EXPECT_FALSE(editItem(cmd_copy).enabled);
    EXPECT_FALSE(editItem(cmd_paste).enabled);
    copy_setMode(5);
    EXPECT_EQ(copy_getMode(), 0);
    EXPECT_EQ(desktop().editorCalls, (std::vector<std::string>{"copy envelope", "paste envelope"}));
}

TEST_F(EditState, TheHistoryKeepsTheTenNewestEdits)
{
    lastEdits_add();
    EXPECT_EQ(lastEdits_count(), 0);  // nothing edited, nothing kept
    for (int n = 1; n <= 12; ++n) {
        inst_patch_setName(gInst, ("Edit " + std::to_string(n)).c_str());
        makePresetDirty();
        lastEdits_add();
    }
    EXPECT_EQ(lastEdits_count(), 10);
    EXPECT_EQ(lastEdits_nextIndex(), 2);
    ASSERT_EQ(desktop().history.size(), 10u);
    for (int item = 0; item < 10; ++item)
        EXPECT_EQ(desktop().history[item], "Edit " + std::to_string(12 - item));

    // Item 3 is "Edit 10"; the instrument keeps its own preset number.
    gInst->patch.preset = 44;
    lastEdits_menuToStoredEdit(3);
    EXPECT_EQ(patchName(gInst), "Edit 10");
    EXPECT_EQ(gInst->patch.preset, 44);
    lastEdits_menuToStoredEdit(11);
    lastEdits_menuToStoredEdit(0);
    EXPECT_EQ(patchName(gInst), "Edit 10");
}

TEST_F(EditState, TheBankQuestionBeforeAnotherBankIsOpened)
{
    std::string first = makeBankFile("First.glo", {1});
    std::string second = makeBankFile("Second.glo", {2});
    fileApp_openBankFromPathName(gBank, first.c_str(), "");
    EXPECT_TRUE(desktop().messages.empty());  // a clean bank asks nothing
    EXPECT_EQ(mvnFile_askSaveChangesToBank(gBank), engineID_no);

    bank_storeInst(gBank, gInst, 30);
    makeBankDirty();
    desktop().answers = {engineID_cancel};
    fileApp_openBankFromPathName(gBank, second.c_str(), "");
    ASSERT_EQ(desktop().messages.size(), 1u);
    EXPECT_EQ(desktop().messages[0].text, "Save changes to First.glo?");
    EXPECT_EQ(desktop().messages[0].caption, "Morvane");
    EXPECT_EQ(desktop().messages[0].style, unsigned(engineMB_yesNoCancel | engineMB_iconExclamation));
    EXPECT_STREQ(gBank->file.path, first.c_str());  // Cancel: untouched
    EXPECT_FALSE(bank_presetIsDefault(gBank, 30));

    desktop().answers = {engineID_yes};
    copy_setMode(1);
    fileApp_openBankFromPathName(gBank, second.c_str(), "");
    EXPECT_STREQ(gBank->file.path, second.c_str());
    EXPECT_EQ(copy_getMode(), 0);
    // Yes saved the first bank with its new preset.
    fileApp_openBankFromPathName(gBank, first.c_str(), "");
    EXPECT_FALSE(bank_presetIsDefault(gBank, 30));
    EXPECT_EQ(lastBanks[lastBank_itsAlreadyInTheList(first.c_str())].priority, 0);
    EXPECT_EQ(lastBanks[lastBank_itsAlreadyInTheList(second.c_str())].priority, 1);

    // A file that does not open leaves the bank and its file as they were.
    fileApp_openBankFromPathName(gBank, pathOf("Missing.glo").c_str(), "");
    EXPECT_EQ(desktop().messages.back().text, "File not found! Error: 8221");
    EXPECT_STREQ(gBank->file.path, first.c_str());
    EXPECT_FALSE(bank_presetIsDefault(gBank, 30));
}
