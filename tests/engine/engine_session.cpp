#include "tests/engine/engine_session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

void engineSession_open(engineSession* s, const char* tag)
{
    static int serial = 0;
    s->segment =
        std::string("/morvane-") + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
    ASSERT_EQ(iac_setSegmentName(s->segment.c_str()), 1);
    ASSERT_EQ(iac_mvn_signIn(), 1);
    if (!file_buf) {
        ASSERT_EQ(file_init(kFileBufSize), 1);
    }
    std::string pattern = std::string("/tmp/morvane-") + tag + "-XXXXXX";
    std::vector<char> tmpl(pattern.begin(), pattern.end());
    tmpl.push_back(0);
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    s->folder = tmpl.data();
    prefs_setProgramFolder(s->folder.c_str());
}

void engineSession_startEngine()
{
    gBank = bank_new();
    ASSERT_NE(gBank, nullptr);
    ASSERT_EQ(lastEdits_init(), 1);
    lastBanks_init();
    initWindowPositions();
    makePresetClean();
    g_instanceNumber = 0;
    gInst = iac_getInst(0);
    MorvaneEngine_init();
}

void engineSession_close(engineSession* s)
{
    iac_mvn_signOut();
    iac_unlinkSegment();
    bank_delete(gBank);
    gBank = nullptr;
    gInst = nullptr;
    lastEdits_cleanup();
    engine_setHooks(nullptr);
    bank_setMessageProc(nullptr);
    prefs_setProgramFolder(nullptr);
    std::error_code ec;
    if (!s->folder.empty()) std::filesystem::remove_all(s->folder, ec);
    s->folder.clear();
}

std::string engineSession_makeBankFile(const engineSession& s, const std::string& fileName,
                                       const std::vector<int>& slots, const std::string& name)
{
    bankRec* bank = bank_new();
    // The presets are made in a record of their own: instance 7's, which no
    // plug-in answers a fade for.
    instRec* work = iac_getInst(7);
    work->paused = 1;
    inst_reinit(work);
    for (int slot : slots) {
        inst_patch_setName(work, (name + std::to_string(slot)).c_str());
        bank_storeInst(bank, work, static_cast<short>(slot));
    }
    std::string path = s.folder + "/" + fileName;
    EXPECT_EQ(mvnFile_saveAs(bank, path.c_str(), fileName.c_str()), 1);
    bank_delete(bank);
    return path;
}

std::string patchName(instRec* inst)
{
    char name[kPatchNameLen + 1];
    inst_patch_getName(inst, name);
    name[kPatchNameLen] = 0;
    return name;
}
