#include "tests/engine/engine_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {
desktopRecord record;

int messageBox(const char* text, const char* caption, unsigned style)
{
    record.messages.push_back({text, caption, style});
    if (!record.answers.empty()) {
        int answer = record.answers.front();
        record.answers.pop_front();
        return answer;
    }
    unsigned buttons = style & 0xF;
    return buttons == engineMB_yesNo || buttons == engineMB_yesNoCancel ? engineID_yes : engineID_ok;
}

void error(const char* text) { record.errors.push_back(text); }

menuItemModel* findItem(int menu, int id)
{
    for (menuItemModel& m : record.menus[menu])
        if (m.id == id)
            return &m;
    return nullptr;
}

void menuDeleteAt(int menu, int position)
{
    auto& items = record.menus[menu];
    if (position >= 0 && position < (int)items.size())
        items.erase(items.begin() + position);
}
void menuAppend(int menu, int id, const char* text) { record.menus[menu].push_back({id, text}); }
void menuSetText(int menu, int id, const char* text)
{
    if (menuItemModel* m = findItem(menu, id))
        m->text = text;
}
void menuEnable(int menu, int id, int enabled)
{
    if (menuItemModel* m = findItem(menu, id))
        m->enabled = enabled != 0;
}
void menuCheck(int menu, int id, int checked)
{
    if (menuItemModel* m = findItem(menu, id))
        m->checked = checked != 0;
}
void drawBar() { ++record.drawBars; }
void frame(int action) { record.frameActions.push_back(action); }
void showWindow(int id, int show) { record.shown.push_back({id, show}); }
void moveWindow(int id, int x, int y, int w, int h) { record.moved.push_back({id, x, y, w, h, 0}); }
int getWindowPlace(int id, winPosRec* out)
{
    if (id < 0 || id >= 16 || !record.placeKnown[id])
        return 0;
    *out = record.places[id];
    return 1;
}
void redraw() { ++record.redraws; }
void matrix() { ++record.matrixUpdates; }
void popupClear() { record.history.clear(); }
void popupAppend(int, const char* name) { record.history.push_back(name); }
void undoEnvelope(int redo) { record.editorCalls.push_back(redo ? "redo envelope" : "undo envelope"); }
void undoWave(int redo) { record.editorCalls.push_back(redo ? "redo wave" : "undo wave"); }
void copyEnvelope() { record.editorCalls.push_back("copy envelope"); }
void pasteEnvelope() { record.editorCalls.push_back("paste envelope"); }
void autoBalance(int on) { record.editorCalls.push_back(on ? "balance on" : "balance off"); }
}  // namespace

int desktopRecord::closes() const
{
    int n = 0;
    for (int a : frameActions)
        n += a == engineFrame_close;
    return n;
}

const menuItemModel* desktopRecord::item(int menu, int id) const
{
    for (const menuItemModel& m : menus[menu])
        if (m.id == id)
            return &m;
    return nullptr;
}

desktopRecord& desktop() { return record; }

void installRecordingHooks()
{
    record = desktopRecord{};
    // The File menu's fixed part: twelve entries before the recent banks.
    const int fileIds[kFileMenuRecentPosition] = {1000, 0, 1001, 1003, 1004, 1005, 0, 1007, 1008, 0, 1009, 0};
    for (int id : fileIds)
        record.menus[engineMenu_file].push_back({id, id ? "item" : "-"});
    for (int id : {int(cmd_undo), 0, int(cmd_cut), int(cmd_copy), int(cmd_paste), 0, 2006})
        record.menus[engineMenu_edit].push_back({id, "item"});
    for (int id : {int(cmd_enablePgmChg), int(cmd_autoBalance)})
        record.menus[engineMenu_setup].push_back({id, "item"});
    record.menus[engineMenu_window].push_back({cmd_oneWindow, "item"});
    engineHooksRec hooks = {};
    hooks.messageBox = messageBox;
    hooks.error = error;
    hooks.menuDeleteAt = menuDeleteAt;
    hooks.menuAppend = menuAppend;
    hooks.menuSetText = menuSetText;
    hooks.menuEnable = menuEnable;
    hooks.menuCheck = menuCheck;
    hooks.menuDrawBar = drawBar;
    hooks.frame = frame;
    hooks.showWindow = showWindow;
    hooks.moveWindow = moveWindow;
    hooks.getWindowPlace = getWindowPlace;
    hooks.scheduleRedraw = redraw;
    hooks.scheduleMatrixUpdate = matrix;
    hooks.historyPopupClear = popupClear;
    hooks.historyPopupAppend = popupAppend;
    hooks.undoEnvelope = undoEnvelope;
    hooks.undoWave = undoWave;
    hooks.copyEnvelope = copyEnvelope;
    hooks.pasteEnvelope = pasteEnvelope;
    hooks.setAutoBalanceChannels = autoBalance;
    engine_setHooks(&hooks);
}

void EngineTest::SetUp()
{
    static int serial = 0;
    segment_ = "/morvane-enginetest-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
    ASSERT_EQ(iac_setSegmentName(segment_.c_str()), 1);
    ASSERT_EQ(iac_mvn_signIn(), 1);
    if (!file_buf) {
        ASSERT_EQ(file_init(kFileBufSize), 1);
    }
    dsp_globals_init();
    char tmpl[] = "/tmp/morvane-engine-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    folder_ = tmpl;
    prefs_setProgramFolder(folder_.c_str());
    installRecordingHooks();
    gBank = bank_new();
    ASSERT_NE(gBank, nullptr);
    ASSERT_EQ(lastEdits_init(), 1);
    lastBanks_init();
    initWindowPositions();
    makePresetClean();
    g_instanceNumber = 0;
    gInst = iac_getInst(0);
    MorvaneEngine_init();
    desktop().frameActions.clear();
}

void EngineTest::TearDown()
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
    std::filesystem::remove_all(folder_, ec);
}

std::string EngineTest::makeBankFile(const std::string& fileName, const std::vector<int>& slots,
                                     const std::string& name)
{
    bankRec* bank = bank_new();
    // The presets are made in a record of their own: instance 7's.
    instRec* work = iac_getInst(7);
    work->paused = 1;  // nobody answers a fade for instance 7
    inst_reinit(work);
    for (int slot : slots) {
        inst_patch_setName(work, (name + std::to_string(slot)).c_str());
        bank_storeInst(bank, work, static_cast<short>(slot));
    }
    std::string path = pathOf(fileName);
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
