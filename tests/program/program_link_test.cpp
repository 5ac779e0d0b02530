// The program and the plug-ins as a user meets them: the host started
// first, the editor started, quit and started again while the plug-ins
// play on, a bank asked for by a plug-in, and "Enable Pgm change".
#include <filesystem>

#include "tests/program/program_fixture.h"

namespace {
class ProgramWithPlugIns : public ProgramTest {};

std::string bankPath() { return gBank ? gBank->file.path : ""; }

std::string patchName(instRec* inst)
{
    char name[kPatchNameLen + 1] = {};
    inst_patch_getName(inst, name);
    return name;
}

bool instanceButtonEnabled(int i) { return clickObject_isEnabled(winId_main, mainId_instance0 + i) != 0; }
}  // namespace

TEST_F(ProgramWithPlugIns, ARestartSeesThePlugInsOnlineWithTheirProgramsAndOpensTheStartBank)
{
    // The host runs first; its second instance is on program 5.
    hostRun host(segment_, 2);
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 1: online"); }, nullptr)) << host.report();
    host.send("program 1 5");
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 1: asks for program 5"); }, nullptr));
    ASSERT_EQ(start(), 1);
    ASSERT_TRUE(waitProgram([] { return iac_getInst(1)->patch.preset == 5; })) << host.report();
    EXPECT_EQ(iac_getInst(0)->patch.preset, 0);

    // A plug-in asks for another bank: it is opened, and the request is gone.
    std::filesystem::copy_file(pathOf("Factory Presets.glo"), pathOf("Other.glo"));
    host.send("bank " + pathOf("Other.glo"));
    ASSERT_TRUE(waitProgram([&] { return bankPath() == pathOf("Other.glo"); })) << host.report();
    EXPECT_STREQ(iac_bankFilePath, "");
    EXPECT_EQ(iac_app_didBankChange(1), 0);

    // The plug-ins play on while the editor is quit and started again; the
    // records are changed behind its back meanwhile.
    const int noticesBefore = host.count("instance 1: recent banks published");
    ASSERT_EQ(restart(), 1);
    inst_patch_setName(iac_getInst(0), "stale");
    inst_patch_setName(iac_getInst(1), "stale");
    // The start bank is the bank last opened, not an empty "Untitled" one.
    EXPECT_EQ(bankPath(), pathOf("Other.glo"));
    EXPECT_GT(bank_presetCount(gBank), 0);
    EXPECT_TRUE(waitProgram([&] { return host.count("names published: Other.glo") >= 2; })) << host.report();
    // The first poll brings both instances in and loads their programs.
    ASSERT_TRUE(waitProgram([] { return MorvaneEngine_plugIsOnline(0) && MorvaneEngine_plugIsOnline(1); }));
    EXPECT_TRUE(waitProgram([] { return patchName(iac_getInst(1)) != "stale"; }));
    EXPECT_EQ(iac_getInst(1)->patch.preset, 5);
    char expected[kPatchNameLen + 1] = {};
    bank_getPresetName(gBank, 5, expected);
    EXPECT_EQ(patchName(iac_getInst(1)), expected);
    EXPECT_EQ(iac_getInst(0)->patch.preset, 0);
    EXPECT_NE(patchName(iac_getInst(0)), "stale");
    // The Main window shows them online; the plug-ins were told of the
    // recent banks again.
    advanceProgram(100);
    EXPECT_TRUE(instanceButtonEnabled(0));
    EXPECT_TRUE(instanceButtonEnabled(1));
    EXPECT_FALSE(instanceButtonEnabled(2));
    EXPECT_TRUE(waitProgram([&] { return host.count("instance 1: recent banks published") > noticesBefore; }))
        << host.report();
    // A reload of all instances reaches both.
    inst_patch_setName(iac_getInst(1), "stale");
    MorvaneEngine_reloadAllInstances();
    EXPECT_EQ(patchName(iac_getInst(1)), expected);
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(ProgramWithPlugIns, EnablePgmChangeDecidesWhetherPlugInProgramChangesAreFollowed)
{
    hostRun host(segment_, 1);
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 0: online"); }, nullptr)) << host.report();
    ASSERT_EQ(start(), 1);
    ASSERT_TRUE(waitProgram([] { return MorvaneEngine_plugIsOnline(0) != 0; }));
    host.send("program 0 3");
    ASSERT_TRUE(waitProgram([] { return gInst->patch.preset == 3; })) << host.report();
    advanceProgram(100);
    const short page = presetMatrixOffset;

    // Unchecked through the Setup menu: program changes from the host and
    // from the record's pending word leave the sound and the Main window.
    SendMessageA(g_hWndFrame, WM_COMMAND, cmd_enablePgmChg, 0);
    ASSERT_EQ(g_enableProgramChange, 0);
    EXPECT_FALSE(GetMenuState(g_hMenu_setup, cmd_enablePgmChg, MF_BYCOMMAND) & MF_CHECKED);
    inst_patch_setName(gInst, "kept");
    host.send("program 0 40");
    ASSERT_TRUE(waitProgram([&] { return host.printed("instance 0: asks for program 40"); }));
    host.send("pending 0 41");
    ASSERT_TRUE(waitProgram([&] { return host.printed("instance 0: pending program 41"); }));
    ASSERT_TRUE(waitProgram([] { return gInst->pendingProgram == -1; })) << host.report();
    advanceProgram(300);
    EXPECT_EQ(gInst->patch.preset, 3);
    EXPECT_EQ(patchName(gInst), "kept");
    EXPECT_EQ(presetMatrixOffset, page);

    // Checked again: the next program change is followed, and the Main
    // window moves to its page.
    SendMessageA(g_hWndFrame, WM_COMMAND, cmd_enablePgmChg, 0);
    ASSERT_EQ(g_enableProgramChange, 1);
    host.send("program 0 40");
    EXPECT_TRUE(waitProgram([] { return gInst->patch.preset == 40; })) << host.report();
    advanceProgram(100);
    EXPECT_NE(patchName(gInst), "kept");
    EXPECT_EQ(presetMatrixOffset, 32);

    // The choice is kept with the other settings across a restart.
    SendMessageA(g_hWndFrame, WM_COMMAND, cmd_enablePgmChg, 0);
    ASSERT_EQ(restart(), 1);
    EXPECT_EQ(g_enableProgramChange, 0);
    EXPECT_FALSE(GetMenuState(g_hMenu_setup, cmd_enablePgmChg, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(host.quit(), 0);
}
