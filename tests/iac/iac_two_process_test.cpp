// The link across two real processes: a forked child plays one side, the
// test process the other. Each side attaches to the segment by name on its
// own (the fork happens before either signs in). A child reports the first
// step that failed as its exit status.
#include "iac_test_util.h"

#include <cstring>

namespace {

// A plug-in's wait: while waiting it answers fades as its audio code would.
bool plugWait(int instance, const std::function<bool()>& done)
{
    return waitFor([&] {
        iac_plug_answerFade(instance);
        return done();
    });
}

// The editor's fade-out as the instrument model does it: word 1, then at most
// 16 waits of 16 ms for an answer. True when answered.
bool editorFadeOut(int instance)
{
    setRecordShort(instance, IAC_INST_FADE_WORD, 1);
    for (int i = 0; i < 16; ++i) {
        usleep(16000);
        if (recordShort(instance, IAC_INST_FADE_WORD) != 1) return true;
    }
    setRecordShort(instance, IAC_INST_FADE_WORD, 0);
    return false;
}

// The plug-in side of the first test.
int plugInChild()
{
    const int me = iac_plug_signIn(-1, 253);
    if (me != 0) return 10;
    if (iac_plug_publishProgram(me, 5) != 1) return 11;
    if (iac_plug_goOnline(me) != 1) return 12;
    int32_t flag = 0;
    if (!plugWait(me, [&] { return iac_plug_takeRepatch(me, &flag) > 0; })) return 13;
    if (flag != 1) return 14;
    if (!plugWait(me, [&] { return iac_plug_takeEffectBufRequest(me) == 1; })) return 15;
    if (iac_plug_askProgram(me, 9) != 1) return 16;
    if (!plugWait(me, [&] { return iac_plug_takeEditorProgram(me) == 12; })) return 17;
    if (iac_plug_askEditorWindow(me, 3) != 1) return 18;
    if (iac_plug_askBank("/banks/Leads.glo", "Leads") != 1) return 19;
    if (!plugWait(me, [&] { return iac_plug_namesGeneration() == 1; })) return 20;
    char name[40];
    if (!iac_plug_getPresetName(9, name, sizeof name) || std::strcmp(name, "Brass") != 0) return 21;
    iac_plug_signOut(me);
    return 0;
}

}  // namespace

TEST_F(IacTest, EditorFollowsAPlugInInAnotherProcess)
{
    const pid_t child = startChild(plugInChild);
    ASSERT_EQ(iac_mvn_signIn(), 1);
    EXPECT_EQ(iac_mvn_isAnotherEditorRunning(), 0);

    // The instance comes online and asks for its published program.
    ASSERT_TRUE(waitFor([] { return iac_plugIsOnline[0] != 0; }));
    EXPECT_EQ(iac_changed[0].changed.exchange(0), 1);
    EXPECT_EQ(iac_plugVersion, 253);
    EXPECT_EQ(recordShort(0, IAC_INST_NUMBER_WORD), 0);
    EXPECT_EQ(iac_mvn_getUpdateProgram(0, -1), 5);
    EXPECT_EQ(iac_mvn_getUpdateProgram(0, 5), -1);

    EXPECT_TRUE(editorFadeOut(0)) << "the plug-in answers the fade";
    iac_mvn_repatch(0, 1);
    iac_mvn_reinitEffectBuf(0);

    // The plug-in asks for program 9; the editor chooses 12 in return.
    ASSERT_TRUE(waitFor([] { return iac_changed[0].changed != 0; }));
    iac_changed[0].changed = 0;
    EXPECT_EQ(iac_mvn_getUpdateProgram(0, 5), 9);
    iac_mvn_programChange(0, 12);

    ASSERT_TRUE(waitFor([] { return iac_app_didBankChange(1) != 0; }));
    EXPECT_EQ(iac_app_needOpenWindow(), 3);
    EXPECT_EQ(editInstance, 0);
    EXPECT_EQ(iac_app_didBankChange(0), 1);
    EXPECT_STREQ(iac_bankFilePath, "/banks/Leads.glo");
    EXPECT_STREQ(iac_bankName, "Leads");

    iac_setPresetName(9, "Brass");
    iac_mvn_bankChanged();
    EXPECT_TRUE(waitFor([] { return iac_plugIsOnline[0] == 0; })) << "signed out";
    EXPECT_EQ(childStatus(child), 0);
}

TEST_F(IacTest, PlugInFollowsAnEditorInAnotherProcess)
{
    const pid_t child = startChild([] {
        iac_appVersion = IAC_APP_VERSION;
        if (iac_mvn_signIn() != 1) return 10;
        if (!waitFor([] { return iac_plugIsOnline[2] != 0; })) return 11;
        iac_changed[2].changed = 0;
        if (!editorFadeOut(2)) return 12;
        iac_mvn_repatch(2, 0);
        iac_mvn_programChange(2, 4);
        iac_setPresetName(4, "Strings");
        iac_setBankName("Orchestra");
        std::strcpy(iac_lastBanks[0].fileName, "Orchestra.glo");
        std::strcpy(iac_lastBanks[0].path, "/banks/Orchestra.glo");
        iac_lastBanks[0].priority = 0;
        iac_changed[2].lastBanksChanged = 1;
        iac_mvn_bankChanged();
        // Leave without signing out, as a crashed editor would.
        if (!waitFor([] { return iac_plugIsOnline[2] == 0; })) return 13;
        return 0;
    });

    ASSERT_EQ(iac_plug_signIn(2, 253), 2);
    ASSERT_EQ(iac_plug_goOnline(2), 1);
    ASSERT_TRUE(plugWait(2, [] { return iac_plug_isEditorOnline() != 0; }));
    int32_t flag = -1;
    ASSERT_TRUE(plugWait(2, [&] { return iac_plug_takeRepatch(2, &flag) > 0; }));
    EXPECT_EQ(flag, 0);
    EXPECT_TRUE(plugWait(2, [] { return iac_plug_takeEditorProgram(2) == 4; }));
    EXPECT_EQ(iac_appVersion, IAC_APP_VERSION);
    ASSERT_TRUE(waitFor([] { return iac_plug_namesGeneration() == 1; }));
    char text[64];
    ASSERT_EQ(iac_plug_getPresetName(4, text, sizeof text), 1);
    EXPECT_STREQ(text, "Strings");
    ASSERT_EQ(iac_plug_getBankName(text, sizeof text), 1);
    EXPECT_STREQ(text, "Orchestra");
    EXPECT_EQ(iac_changed[2].lastBanksChanged.exchange(0), 1);
    iac_bankInfo bank{};
    ASSERT_EQ(iac_plug_getRecentBank(0, &bank), 1);
    EXPECT_STREQ(bank.path, "/banks/Orchestra.glo");

    iac_plug_goOffline(2);
    EXPECT_EQ(childStatus(child), 0);

    // The editor is gone without signing out: its claim is stale, not live.
    EXPECT_EQ(iac_plug_isEditorOnline(), 1);
    EXPECT_EQ(iac_mvn_isAnotherEditorRunning(), 0);
    EXPECT_EQ(iac_mvn_signIn(), 1) << "a new editor may take over";
    iac_plug_signOut(2);
}

TEST_F(IacTest, ClaimsOfLivingProcessesHoldAndDeadOnesAreCleared)
{
    int toChild[2], toParent[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t child = startChild([&] {
        char c = 0;
        const bool ok = iac_mvn_signIn() == 1 && iac_plug_signIn(0, 253) == 0 && iac_plug_goOnline(0) == 1;
        c = ok ? 'y' : 'n';
        if (write(toParent[1], &c, 1) != 1) return 2;
        if (read(toChild[0], &c, 1) != 1) return 3;  // hold the claims until told
        return ok ? 0 : 1;
    });
    char c = 0;
    ASSERT_EQ(read(toParent[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(iac_mvn_signIn(), 0) << "another editor is signed in";
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("another editor"), std::string::npos) << said;
    EXPECT_EQ(iac_mvn_isAnotherEditorRunning(), 1);
    EXPECT_EQ(iac_plug_signIn(0, 253), -1) << "instance 0 is taken";
    EXPECT_EQ(iac_plug_signIn(-1, 253), 1);
    EXPECT_EQ(iac_plug_goOnline(0), 0) << "not this process's instance";
    iac_plug_signOut(0);
    EXPECT_EQ(iac_plugIsOnline[0], 1) << "only the owner signs an instance out";

    ASSERT_EQ(write(toChild[1], &c, 1), 1);
    EXPECT_EQ(childStatus(child), 0);

    // The child died holding instance 0 online and the editor claim.
    iac_changed[0].changed = 0;
    ASSERT_EQ(iac_mvn_signIn(), 1);
    EXPECT_EQ(iac_plugIsOnline[0], 0) << "the dead plug-in's instance went offline";
    EXPECT_EQ(iac_changed[0].changed, 1) << "and the poll is told";
    EXPECT_EQ(iac_plug_signIn(0, 253), 0) << "the dead claim is taken over";
    iac_plug_signOut(0);
    iac_plug_signOut(1);
    for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) close(fd);
}
