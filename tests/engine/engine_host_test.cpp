// The engine's poll against morvane-host running as a real second process:
// instances coming online, program changes both ways, plug-in requests for
// banks and editor windows, the quit when the last instance leaves, and
// the recent banks and names the plug-ins are shown.
#include "tests/engine/engine_fixture.h"
#include "tests/engine/host_process.h"

namespace {
void poll() { MorvaneEngine_idle(); }

class EngineWithHost : public EngineTest {};
}  // namespace

TEST_F(EngineWithHost, InstanceComingOnlineGetsItsProgramFromTheOpenBank)
{
    std::string path = makeBankFile("Pads.glo", {3, 7, 20});
    hostRun host(session_.segment, 1);
    ASSERT_TRUE(host.started());
    ASSERT_TRUE(pollUntil([] { return MorvaneEngine_plugIsOnline(0) != 0; }, poll));

    fileApp_openBankFromPathName(gBank, path.c_str(), "");
    EXPECT_STREQ(gBank->file.path, path.c_str());
    EXPECT_TRUE(pollUntil([&] { return host.printed("names published: Pads.glo"); }, poll)) << host.report();
    EXPECT_TRUE(pollUntil([&] { return host.printed("instance 0: recent banks published"); }, poll))
        << host.report();

    // Instance 2's plug-in, new, starts on program 0 and gets it.
    // While it is offline the editor chooses program 7 for it; when it comes
    // online again the poll loads program 7 of the open bank into its record.
    host.send("online 2");
    ASSERT_TRUE(pollUntil([] { return MorvaneEngine_plugIsOnline(2) != 0; }, poll)) << host.report();
    EXPECT_EQ(iac_getInst(2)->patch.preset, 0);
    host.send("offline 2");
    ASSERT_TRUE(pollUntil([] { return !MorvaneEngine_plugIsOnline(2); }, poll));
    iac_mvn_programChange(2, 7);
    ASSERT_TRUE(pollUntil([&] { return host.printed("instance 2: program change 7"); }, poll))
        << host.report();
    host.send("online 2");
    EXPECT_TRUE(pollUntil([] { return patchName(iac_getInst(2)) == "Sound 7"; }, poll)) << host.report();
    EXPECT_EQ(iac_getInst(2)->patch.preset, 7);
    EXPECT_TRUE(MorvaneEngine_plugIsOnline(2));
    // Loading it went through the fade hand-shake and a repatch of that instance.
    EXPECT_TRUE(pollUntil([&] { return host.printed("instance 2: repatch"); }, poll)) << host.report();

    // Going offline and online again reloads the same program, although
    // the record already holds it.
    host.send("offline 2");
    ASSERT_TRUE(pollUntil([] { return !MorvaneEngine_plugIsOnline(2); }, poll));
    inst_patch_setName(iac_getInst(2), "changed meanwhile");
    host.send("online 2");
    EXPECT_TRUE(pollUntil([] { return patchName(iac_getInst(2)) == "Sound 7"; }, poll)) << host.report();
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(EngineWithHost, ProgramChangesAreFollowedInBothDirections)
{
    std::string path = makeBankFile("Keys.glo", {3, 5, 9});
    fileApp_openBankFromPathName(gBank, path.c_str(), "");
    hostRun host(session_.segment, 2);
    ASSERT_TRUE(pollUntil([] { return MorvaneEngine_plugIsOnline(1) != 0; }, poll));

    // A host program change for the current instance, with the edited sound
    // going into the history first.
    makePresetDirty();
    inst_patch_setName(gInst, "my edit");
    host.send("program 0 5");
    ASSERT_TRUE(pollUntil([] { return patchName(gInst) == "Sound 5"; }, poll)) << host.report();
    EXPECT_EQ(gInst->patch.preset, 5);
    EXPECT_FALSE(presetIsDirty());
    EXPECT_EQ(copy_getMode(), 0);
    ASSERT_EQ(lastEdits_count(), 1);
    EXPECT_EQ(desktop().history, std::vector<std::string>{"my edit"});
    // The stored controllers reached the instrument and the plug-in's sliders.
    EXPECT_EQ(midi_getCCVal(gInst, 7), 127);
    EXPECT_EQ(iac_changed[0].ccPlayed.load(), 1);
    EXPECT_EQ(iac_changed[0].sliders[0].cc, 1);
    EXPECT_EQ(iac_changed[0].slidersChanged.load(), 1);

    // A program change of another instance leaves the edit state alone.
    host.send("program 1 9");
    ASSERT_TRUE(pollUntil([] { return patchName(iac_getInst(1)) == "Sound 9"; }, poll)) << host.report();
    EXPECT_EQ(lastEdits_count(), 1);

    // A program change left in the record's pending word is forwarded.
    iac_getInst(1)->pendingProgram = 3;
    ASSERT_TRUE(pollUntil([] { return patchName(iac_getInst(1)) == "Sound 3"; }, poll)) << host.report();
    EXPECT_EQ(iac_getInst(1)->pendingProgram, -1);

    // A program chosen in the editor reaches the host, which follows it.
    iac_mvn_programChange(1, 9);
    EXPECT_TRUE(pollUntil([&] { return host.printed("instance 1: program change 9"); }, poll))
        << host.report();
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(EngineWithHost, TheLastInstanceGoingOfflineArmsTheQuitOnce)
{
    hostRun host(session_.segment, 2);
    // The first poll already finds the instances online.
    ASSERT_TRUE(pollUntil([] { return iac_plugIsOnline[0] && iac_plugIsOnline[1]; }, nullptr));
    EXPECT_EQ(MorvaneEngine_idle(), 1);
    host.send("offline 0");
    ASSERT_TRUE(pollUntil([] { return !MorvaneEngine_plugIsOnline(0); }, poll));
    EXPECT_EQ(desktop().closes(), 0);

    host.send("offline 1");
    ASSERT_TRUE(pollUntil([] { return desktop().closes() > 0; }, poll));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(MorvaneEngine_idle(), 0);
    EXPECT_EQ(desktop().closes(), 1);
    EXPECT_EQ(desktop().frameActions, (std::vector<int>{engineFrame_minimise, engineFrame_restore,
                                                        engineFrame_foreground, engineFrame_close}));
    EXPECT_TRUE(MorvaneEngine_isQuitArmed());

    // The user cancelled the quit: nothing more until an instance comes
    // online and the last one leaves again.
    host.send("online 1");
    ASSERT_TRUE(pollUntil([] { return !MorvaneEngine_isQuitArmed(); }, poll));
    EXPECT_EQ(desktop().closes(), 1);
    host.send("offline 1");
    ASSERT_TRUE(pollUntil([] { return desktop().closes() == 2; }, poll));
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(EngineWithHost, AnEditSurvivesItsInstanceGoingOffline)
{
    std::string path = makeBankFile("Keys.glo", {3, 5});
    fileApp_openBankFromPathName(gBank, path.c_str(), "");
    hostRun host(session_.segment, 2);
    ASSERT_TRUE(pollUntil([] { return MorvaneEngine_plugIsOnline(1) != 0; }, poll));
    host.send("program 0 3");
    ASSERT_TRUE(pollUntil([] { return patchName(gInst) == "Sound 3"; }, poll)) << host.report();

    // The sound of slot 3 is edited, then its plug-in goes offline (the
    // poll marks the record for a reload), then the last one leaves and the
    // quit asks: "Yes" stores the edit into slot 3 and the bank is dirty.
    inst_patch_setName(gInst, "my edit");
    makePresetDirty();
    host.send("offline 0");
    ASSERT_TRUE(pollUntil([] { return !MorvaneEngine_plugIsOnline(0); }, poll));
    EXPECT_EQ(gInst->patch.preset, -1);
    host.send("offline 1");
    ASSERT_TRUE(pollUntil([] { return desktop().closes() > 0; }, poll));
    desktop().answers = {engineID_yes};
    askStorePreset();
    char name[kPatchNameLen + 1];
    bank_getPresetName(gBank, 3, name);
    EXPECT_STREQ(name, "my edit");
    EXPECT_EQ(gBank->dirty, 1);
    EXPECT_EQ(mvnFile_askSaveChangesToBank(gBank), engineID_yes);

    // Clean when the instance left, edited afterwards, stored on an
    // instance switch: still its own slot.
    host.send("online 0");
    host.send("online 1");
    host.send("program 0 5");
    ASSERT_TRUE(
        pollUntil([] { return patchName(gInst) == "Sound 5" && MorvaneEngine_plugIsOnline(1); }, poll))
        << host.report();
    host.send("offline 0");
    ASSERT_TRUE(pollUntil([] { return !MorvaneEngine_plugIsOnline(0); }, poll));
    inst_patch_setName(gInst, "edited offline");
    makePresetDirty();
    desktop().answers = {engineID_yes};
    MorvaneEngine_setCurrentInstance(1);
    bank_getPresetName(gBank, 5, name);
    EXPECT_STREQ(name, "edited offline");
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(EngineWithHost, WithoutAnyInstanceTheFirstPollClosesTheProgram)
{
    EXPECT_EQ(MorvaneEngine_idle(), 0);
    EXPECT_EQ(desktop().closes(), 1);
    EXPECT_EQ(MorvaneEngine_idle(), 0);
    EXPECT_EQ(desktop().closes(), 1);
}

TEST_F(EngineWithHost, PlugInRequestsForBanksAndEditorWindows)
{
    std::string strings = makeBankFile("Strings.glo", {0, 4});
    hostRun host(session_.segment, 2);
    ASSERT_TRUE(pollUntil([] { return MorvaneEngine_plugIsOnline(1) != 0; }, poll));

    host.send("bank " + strings);
    ASSERT_TRUE(pollUntil([&] { return std::string(gBank->file.path) == strings; }, poll)) << host.report();
    // A handled request leaves no path behind in the segment.
    EXPECT_STREQ(iac_bankFilePath, "");
    EXPECT_STREQ(iac_bankName, "");
    EXPECT_TRUE(pollUntil([&] { return host.printed("names published: Strings.glo"); }, poll));
    host.send("names");
    EXPECT_TRUE(pollUntil([&] { return host.printed("4 Sound 4"); }, poll)) << host.report();
    host.send("banks");
    EXPECT_TRUE(pollUntil([&] { return host.printed("0 0 Strings.glo " + strings); }, poll)) << host.report();

    // The plug-in asks again for the bank that is open: it stays open with
    // the unsaved preset it holds, and no question is asked.
    inst_patch_setName(gInst, "unsaved");
    bank_storeInst(gBank, gInst, 9);
    makeBankDirty();
    size_t questions = desktop().messages.size();
    host.send("bank " + strings);
    ASSERT_TRUE(pollUntil([&] { return host.count("names published: Strings.glo") == 2; }, poll));
    EXPECT_STREQ(gBank->file.path, strings.c_str());
    EXPECT_FALSE(bank_presetIsDefault(gBank, 9));
    EXPECT_EQ(gBank->dirty, 1);
    EXPECT_EQ(desktop().messages.size(), questions);

    // An editor request switches to the asking instance and shows the window:
    // the plug-in's 4 is the Envelope window.
    host.send("editor 1 4");
    ASSERT_TRUE(pollUntil([] { return MorvaneEngine_getCurrentInstance() == 1; }, poll)) << host.report();
    EXPECT_EQ(gInst, iac_getInst(1));
    ASSERT_FALSE(desktop().shown.empty());
    EXPECT_EQ(desktop().shown.back(), std::make_pair(static_cast<int>(winId_envelope), 1));
    EXPECT_EQ(host.quit(), 0);
}

TEST_F(EngineWithHost, WhateverThePlugInWritesThePollStaysInRange)
{
    hostRun host(session_.segment, 1);
    ASSERT_TRUE(pollUntil([] { return MorvaneEngine_plugIsOnline(0) != 0; }, poll));
    // Pending program words out of range are cleared and dropped.
    for (int16_t word : {int16_t(128), int16_t(32767), int16_t(-2), int16_t(-32768)}) {
        iac_getInst(0)->pendingProgram = word;
        MorvaneEngine_idle();
        EXPECT_TRUE(iac_getInst(0)->pendingProgram == -1 || word < -1) << word;
    }
    // Current programs and instance numbers out of range.
    for (int k = 0; k < IAC_INSTANCES; ++k) iac_changed[k].currentProgram.store(100000 * (k + 1));
    MorvaneEngine_reloadAllInstances();
    editInstance = 4711;
    MorvaneEngine_openEditWindow(2);
    EXPECT_EQ(MorvaneEngine_getCurrentInstance(), 0);
    // A stored-controller list full of noise gives sliders in range.
    instRec* inst = iac_getInst(0);
    unsigned char* raw = reinterpret_cast<unsigned char*>(&inst->storedCC);
    for (size_t k = 0; k < sizeof inst->storedCC; ++k) raw[k] = static_cast<unsigned char>(k * 151 + 7);
    inst->storedCC.rec[2].cc = 5;
    MorvaneEngine_updateAllSliders(0);
    for (const iac_sliderRec& s : iac_changed[0].sliders) {
        EXPECT_GE(s.cc, -2);
        EXPECT_LE(s.cc, 127);
        EXPECT_GE(s.value, 0);
        EXPECT_LE(s.value, 127);
    }
    EXPECT_EQ(iac_changed[0].sliders[0].cc, 5);
    // Shared flags set for every instance at once.
    for (int k = 0; k < IAC_INSTANCES; ++k) iac_changed[k].changed.store(1);
    EXPECT_EQ(MorvaneEngine_idle(), 1);
    EXPECT_EQ(host.quit(), 0);
}
