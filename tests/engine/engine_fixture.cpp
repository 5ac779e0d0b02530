#include "tests/engine/engine_fixture.h"

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
        if (m.id == id) return &m;
    return nullptr;
}

void menuDeleteAt(int menu, int position)
{
    auto& items = record.menus[menu];
    if (position >= 0 && position < (int)items.size()) items.erase(items.begin() + position);
}
void menuAppend(int menu, int id, const char* text) { record.menus[menu].push_back({id, text}); }
void menuSetText(int menu, int id, const char* text)
{
    if (menuItemModel* m = findItem(menu, id)) m->text = text;
}
void menuEnable(int menu, int id, int enabled)
{
    if (menuItemModel* m = findItem(menu, id)) m->enabled = enabled != 0;
}
void menuCheck(int menu, int id, int checked)
{
    if (menuItemModel* m = findItem(menu, id)) m->checked = checked != 0;
}
void drawBar() { ++record.drawBars; }
void frame(int action) { record.frameActions.push_back(action); }
void showWindow(int id, int show) { record.shown.push_back({id, show}); }
void moveWindow(int id, int x, int y, int w, int h) { record.moved.push_back({id, x, y, w, h, 0}); }
int getWindowPlace(int id, winPosRec* out)
{
    if (id < 0 || id >= 16 || !record.placeKnown[id]) return 0;
    *out = record.places[id];
    return 1;
}
// The program's window table gives each window its placement record; the
// engine's tests stand in for it with the same pairs.
int positionIdOf(int id)
{
    switch (id) {
    case winId_main: return winPos_main;
    case winId_patch: return winPos_patch;
    case winId_lfo: return winPos_lfo;
    case winId_waveform: return winPos_waveform;
    case winId_effect: return winPos_effect;
    case winId_midi: return winPos_midi;
    case winId_envelope: return winPos_envelope;
    case winId_navigatorV: return winPos_navigatorV;
    case winId_navigatorH: return winPos_navigatorH;
    case winId_meter: return winPos_meter;
    default: return 0;
    }
}
// Start-up places the editor windows MIDI, Effect, LFO, Envelope,
// Waveform, Patch, Main (in front); the Envelope window keeps its size;
// the plug-in's editor numbers 1..7.
const short kPlaceOrder[] = {winId_midi,     winId_effect, winId_lfo, winId_envelope,
                             winId_waveform, winId_patch,  winId_main};
int editorWindowAt(int index) { return index >= 0 && index < 7 ? kPlaceOrder[index] : 0; }
int keepsSize(int id) { return id == winId_envelope ? 1 : 0; }
int windowOfPlugInEditor(int number)
{
    static const short kEditors[] = {winId_main, winId_patch, winId_waveform, winId_envelope,
                                     winId_lfo,  winId_midi,  winId_effect};
    return number >= 1 && number <= 7 ? kEditors[number - 1] : 0;
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
    for (int a : frameActions) n += a == engineFrame_close;
    return n;
}

const menuItemModel* desktopRecord::item(int menu, int id) const
{
    for (const menuItemModel& m : menus[menu])
        if (m.id == id) return &m;
    return nullptr;
}

desktopRecord& desktop() { return record; }

void installRecordingHooks()
{
    record = desktopRecord{};
    // The File menu's fixed part: twelve entries before the recent banks.
    const int fileIds[kFileMenuRecentPosition] = {1000, 0,    1001, 1003, 1004, 1005, 1002,
                                                  0,    1007, 1008, 0,    1009, 0};
    for (int id : fileIds) record.menus[engineMenu_file].push_back({id, id ? "item" : "-"});
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
    hooks.positionIdOf = positionIdOf;
    hooks.editorWindowAt = editorWindowAt;
    hooks.keepsSize = keepsSize;
    hooks.windowOfPlugInEditor = windowOfPlugInEditor;
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
    engineSession_open(&session_, "enginetest");
    if (HasFatalFailure()) return;
    dsp_globals_init();
    installRecordingHooks();
    engineSession_startEngine();
    desktop().frameActions.clear();
}

void EngineTest::TearDown() { engineSession_close(&session_); }
