// The calls of both sides within one process: refusals of bad numbers,
// garbage left in the segment, the fade answer and the published names.
#include "iac_test_util.h"

#include <cstring>

#include "iac/iac_segment.h"

namespace {

int pendingRepatches()
{
    int n = 0;
    for (int i = 0; i < IAC_INSTANCES; ++i) n += iac_plug_takeRepatch(i, nullptr);
    return n;
}

}  // namespace

TEST_F(IacTest, OutOfRangeNumbersAreRefused)
{
    ASSERT_EQ(iac_mvn_signIn(), 1);
    EXPECT_EQ(iac_getInst(-1), iac_getInst(0));
    EXPECT_EQ(iac_getInst(8), iac_getInst(0));
    EXPECT_EQ(iac_getInst(1 << 30), iac_getInst(0));
    EXPECT_NE(iac_getInst(7), iac_getInst(0));
    EXPECT_EQ(iac_getEffectPool(99), iac_getEffectPool(0));
    EXPECT_EQ(iac_getEffectPool(-3), iac_getEffectPool(0));

    iac_mvn_repatch(8, 1);
    iac_mvn_repatch(-1, 1);
    iac_mvn_reinitEffectBuf(8);
    EXPECT_EQ(pendingRepatches(), 0);
    for (int i = 0; i < IAC_INSTANCES; ++i) EXPECT_EQ(iac_plug_takeEffectBufRequest(i), 0);

    iac_mvn_programChange(0, 128);
    iac_mvn_programChange(0, -1);
    iac_mvn_programChange(8, 3);
    EXPECT_EQ(iac_plug_takeEditorProgram(0), -1);
    EXPECT_EQ(iac_changed[0].currentProgram, -1);
    EXPECT_EQ(iac_plug_takeEditorProgram(8), -1);

    iac_plug_programChange(0, -5);
    iac_plug_programChange(0, 200);
    iac_plug_programChange(9, 3);
    EXPECT_EQ(iac_mvn_getUpdateProgram(0, 0), -1);
    EXPECT_EQ(iac_mvn_getUpdateProgram(9, 0), -1);
    EXPECT_EQ(iac_changed[0].changed, 0) << "a refused request raises no notice";

    EXPECT_EQ(iac_plug_signIn(8, 253), -1);
    EXPECT_EQ(iac_plug_signIn(-2, 253), -1);
    EXPECT_EQ(iac_plug_goOnline(3), 0) << "not signed in by this process";
    EXPECT_EQ(iac_plugIsOnline[3], 0);
    EXPECT_EQ(iac_plug_publishProgram(0, 128), 0);
    EXPECT_EQ(iac_plug_publishProgram(0, -2), 0);
    EXPECT_EQ(iac_plug_askProgram(0, 128), 0);
    EXPECT_EQ(iac_plug_askEditorWindow(0, 0), 0);
    EXPECT_EQ(iac_plug_askEditorWindow(0, 8), 0);
    EXPECT_EQ(iac_plug_askEditorWindow(8, 1), 0);
    EXPECT_EQ(iac_app_needOpenWindow(), 0);
    EXPECT_EQ(iac_plug_askBank(nullptr, "x"), 0);
    EXPECT_EQ(iac_plug_askBank("", "x"), 0);
    EXPECT_EQ(iac_plug_askBank(std::string(IAC_PATH_BYTES, 'p').c_str(), "x"), 0);
    EXPECT_EQ(iac_app_didBankChange(0), 0);
    EXPECT_EQ(iac_plug_answerFade(8), 0);
}

TEST_F(IacTest, RequestsAreTakenOnceAndMerged)
{
    ASSERT_EQ(iac_mvn_signIn(), 1);
    iac_mvn_repatch(2, 0);
    iac_mvn_repatch(2, 1);
    int32_t flag = -7;
    EXPECT_EQ(iac_plug_takeRepatch(2, &flag), 2);
    EXPECT_EQ(flag, 1) << "the flags of both requests";
    EXPECT_EQ(iac_plug_takeRepatch(2, &flag), 0);

    iac_mvn_reinitEffectBuf(5);
    EXPECT_EQ(iac_plug_takeEffectBufRequest(5), 1);
    EXPECT_EQ(iac_plug_takeEffectBufRequest(5), 0);

    iac_mvn_programChange(4, 17);
    EXPECT_EQ(iac_changed[4].currentProgram, 17);
    EXPECT_EQ(iac_plug_takeEditorProgram(4), 17);
    EXPECT_EQ(iac_plug_takeEditorProgram(4), -1);

    iac_plug_programChange(6, 33);
    EXPECT_EQ(iac_changed[6].changed, 1);
    EXPECT_EQ(iac_mvn_getUpdateProgram(6, 33), 33) << "the caller decides what to do with an equal one";
    EXPECT_EQ(iac_mvn_getUpdateProgram(6, 33), -1);

    ASSERT_EQ(iac_plug_askEditorWindow(5, 7), 1);
    editInstance = 0;
    EXPECT_EQ(iac_app_needOpenWindow(), 7);
    EXPECT_EQ(editInstance, 5);
    EXPECT_EQ(iac_app_needOpenWindow(), 0);

    ASSERT_EQ(iac_plug_askBank("/banks/Pads.glo", "Pads"), 1);
    EXPECT_EQ(iac_app_didBankChange(1), 1) << "looking keeps the request";
    EXPECT_EQ(iac_app_didBankChange(0), 1);
    EXPECT_EQ(iac_app_didBankChange(0), 0);
    EXPECT_STREQ(iac_bankFilePath, "/banks/Pads.glo");
    EXPECT_STREQ(iac_bankName, "Pads");
}

TEST_F(IacTest, GarbageInTheSegmentIsRefused)
{
    using namespace iac_internal;
    ASSERT_EQ(iac_mvn_signIn(), 1);
    iac_control* c = control();  // the library's own words, as a plug-in could spoil them

    c->windowRequest = 0x7FFF0909;
    EXPECT_EQ(iac_app_needOpenWindow(), 0);
    c->windowRequest = (9 << 8) | 3;  // instance 9
    EXPECT_EQ(iac_app_needOpenWindow(), 0);
    c->inst[1].wantedProgram = 500;
    EXPECT_EQ(iac_mvn_getUpdateProgram(1, 0), -1);
    c->inst[1].editorProgram = -77;
    EXPECT_EQ(iac_plug_takeEditorProgram(1), -1);
    c->inst[1].repatchCount = -4;
    EXPECT_EQ(iac_plug_takeRepatch(1, nullptr), 0);
    c->inst[1].effectBufCount = -4;
    EXPECT_EQ(iac_plug_takeEffectBufRequest(1), 0);

    // Unterminated strings written by a plug-in end inside their fields.
    ASSERT_EQ(iac_plug_askBank("/x.glo", "x"), 1);
    std::memset(iac_bankFilePath, 'A', sizeof iac_bankFilePath);
    std::memset(iac_bankName, 'B', sizeof iac_bankName);
    EXPECT_EQ(iac_app_didBankChange(0), 1);
    EXPECT_EQ(std::strlen(iac_bankFilePath), size_t(IAC_PATH_BYTES - 1));
    EXPECT_EQ(std::strlen(iac_bankName), size_t(IAC_BANK_NAME_BYTES - 1));

    std::memset(&iac_lastBanks[4], 'C', sizeof iac_lastBanks[4]);
    iac_lastBanks[4].priority = 2;
    iac_bankInfo got{};
    EXPECT_EQ(iac_plug_getRecentBank(4, &got), 1);
    EXPECT_EQ(std::strlen(got.fileName), size_t(IAC_PATH_BYTES - 1));
    EXPECT_EQ(std::strlen(got.path), size_t(IAC_PATH_BYTES - 1));
    EXPECT_EQ(got.priority, 2);
}

TEST_F(IacTest, FadeAnswerEndsTheHandShake)
{
    const int16_t fadeOut = 1, fadeIn = 2;
    setRecordShort(3, IAC_INST_FADE_WORD, fadeOut);
    EXPECT_EQ(iac_plug_answerFade(3), 1);
    EXPECT_EQ(recordShort(3, IAC_INST_FADE_WORD), 0);
    EXPECT_EQ(recordFloat(3, IAC_INST_FADE_GAIN_A), 0.0f);
    EXPECT_EQ(recordFloat(3, IAC_INST_FADE_GAIN_B), 0.0f);

    setRecordShort(3, IAC_INST_FADE_WORD, fadeIn);
    EXPECT_EQ(iac_plug_answerFade(3), 2);
    EXPECT_EQ(recordShort(3, IAC_INST_FADE_WORD), 0);
    EXPECT_EQ(recordFloat(3, IAC_INST_FADE_GAIN_A), 1.0f);

    EXPECT_EQ(iac_plug_answerFade(3), 0) << "nothing pending";
    setRecordShort(3, IAC_INST_FADE_WORD, 7);
    EXPECT_EQ(iac_plug_answerFade(3), 0) << "an unknown word is left alone";
    EXPECT_EQ(recordShort(3, IAC_INST_FADE_WORD), 7);
}

TEST_F(IacTest, NamesArePublishedForThePlugIns)
{
    ASSERT_EQ(iac_mvn_signIn(), 1);
    const uint32_t before = iac_plug_namesGeneration();
    for (int slot = 0; slot < IAC_PRESETS; ++slot)
        iac_setPresetName(slot, ("Preset " + std::to_string(slot)).c_str());
    iac_setPresetName(5, std::string(40, 'n').c_str());
    iac_setPresetName(6, nullptr);
    iac_setPresetName(128, "outside");
    iac_setPresetName(-1, "outside");
    iac_setBankName("Factory Presets");
    EXPECT_EQ(iac_plug_namesGeneration(), before) << "not complete before bankChanged";
    iac_mvn_bankChanged();
    EXPECT_EQ(iac_plug_namesGeneration(), before + 1);

    char name[64];
    ASSERT_EQ(iac_plug_getPresetName(0, name, sizeof name), 1);
    EXPECT_STREQ(name, "Preset 0");
    ASSERT_EQ(iac_plug_getPresetName(127, name, sizeof name), 1);
    EXPECT_STREQ(name, "Preset 127");
    ASSERT_EQ(iac_plug_getPresetName(5, name, sizeof name), 1);
    EXPECT_EQ(std::string(name), std::string(IAC_PRESET_NAME_CHARS, 'n'));
    ASSERT_EQ(iac_plug_getPresetName(6, name, sizeof name), 1);
    EXPECT_STREQ(name, "");
    char tiny[4];
    ASSERT_EQ(iac_plug_getPresetName(127, tiny, sizeof tiny), 1);
    EXPECT_STREQ(tiny, "Pre");
    EXPECT_EQ(iac_plug_getPresetName(128, name, sizeof name), 0);
    EXPECT_EQ(iac_plug_getPresetName(0, nullptr, 10), 0);
    ASSERT_EQ(iac_plug_getBankName(name, sizeof name), 1);
    EXPECT_STREQ(name, "Factory Presets");

    // Recent banks as the editor writes them: file name, path, priority.
    std::strcpy(iac_lastBanks[0].fileName, "Pads.glo");
    std::strcpy(iac_lastBanks[0].path, "/banks/Pads.glo");
    iac_lastBanks[0].priority = 0;
    iac_bankInfo got{};
    EXPECT_EQ(iac_plug_getRecentBank(0, &got), 1);
    EXPECT_STREQ(got.fileName, "Pads.glo");
    EXPECT_STREQ(got.path, "/banks/Pads.glo");
    EXPECT_EQ(iac_plug_getRecentBank(1, &got), 0) << "empty entry";
    EXPECT_EQ(got.priority, -1);
    EXPECT_EQ(iac_plug_getRecentBank(10, &got), 0);
    EXPECT_EQ(iac_plug_getRecentBank(0, nullptr), 0);
}
