// Menu commands: the dispatch by id range and the File, Edit, Setup and
// Window commands, with the Window menu's check marks.
#include "engine/program.h"

#include "windows/windows.h"

namespace {
void checkItem(int menu, int id, int checked)
{
    const engineHooksRec* h = engine_getHooks();
    if (h->menuCheck) h->menuCheck(menu, id, checked);
}

// After a bank was replaced or closed: every online instance plays from it,
// the windows show it and the plug-ins see its names.
void afterBankChange()
{
    MorvaneEngine_reloadAllInstances();
    engine_scheduleMatrixUpdate();
    scheduleWindowUpdate();
    bank_setPlugNames(gBank);
    copy_setMode(0);
}
}  // namespace

long menu_process(HWND, long id)
{
    if (id < 1000 || id >= 8000) return 0;
    short command = static_cast<short>(id);
    if (id <= 1999)
        menu_processFile(command);
    else if (id <= 2006)
        menu_processEdit(command);
    else if (id <= 6002)
        menu_processSetup(command);
    else
        menu_processWindow(command);
    return 1;
}

long menu_processFile(short id)
{
    switch (id) {
    case 1000:  // New
    case 1003:  // Close
        if (!fileApp_bankQuestion(gBank)) return 1;
        bank_close(gBank);
        afterBankChange();
        return 1;
    case 1001: menuFile_open(); return 1;
    case 1004: menuFile_save(); return 1;
    case 1005: menuFile_saveAs(); return 1;
    case 1006: error("I don't work yet"); return 1;
    case 1007: import_openDialog(); return 1;
    case 1008: exportPresetNames(gBank); return 1;
    case 1009: quit(); return 1;
    default: break;
    }
    if (id >= cmd_firstRecentBank && id <= cmd_lastRecentBank) {
        if (!fileApp_bankQuestion(gBank)) return 1;
        lastBanks_openFromMenu(id);
        MorvaneEngine_reloadAllInstances();
        copy_setMode(0);
    }
    return 1;
}

long menu_processEdit(short id)
{
    switch (id) {
    case cmd_undo: undo_processUndo(); break;
    case cmd_copy: copy_processCopy(); break;
    case cmd_paste: copy_processPaste(); break;
    case 2006: wPatch_balanceChannels(); break;
    default: break;  // Cut, 2004 and 2005 do nothing
    }
    return 1;
}

long menu_processSetup(short id)
{
    switch (id) {
    case 3001: error("not available in Morvane Engine"); break;
    case cmd_enablePgmChg:
        if (gInst) gInst->pendingProgram = -1;
        g_enableProgramChange = !g_enableProgramChange;
        setup_setEnablePgmChg(g_enableProgramChange);
        checkItem(engineMenu_setup, cmd_enablePgmChg, g_enableProgramChange);
        break;
    case cmd_autoBalance: {
        int on = !wPatch_getAutoBalanceChannels();
        wPatch_setAutoBalanceChannels(on);
        setup_setAutoBalanceChannels(on);
        checkItem(engineMenu_setup, cmd_autoBalance, wPatch_getAutoBalanceChannels());
        break;
    }
    default: break;  // 3003 and the audio ports do nothing
    }
    return 1;
}

long menu_processWindow(short id)
{
    switch (id) {
    case 6100: window_show(winId_splash, 1); break;
    case cmd_windowPatch: wPatch_show(1); break;
    case cmd_windowWaveform: wWave_show(1); break;
    case cmd_windowEffect: wEffect_show(1); break;
    case cmd_windowEnvelope: wEnv_show(1); break;
    case cmd_windowLfo: wLfo_show(1); break;
    case cmd_windowMidi: wMidi_show(1); break;
    case cmd_windowMain: wMain_show(1); break;
    case cmd_windowNavigator: wNav_toggleShow(); break;
    case cmd_windowRecord: window_show(winId_record, 1); break;
    case cmd_windowCloseAll: closeEditorWindows(); break;
    case cmd_oneWindow:
        openOneEditWindow(window_getFrontWindow());
        g_oneWindowEditor = !g_oneWindowEditor;
        setup_setOneWindowEditing(g_oneWindowEditor);
        checkItem(engineMenu_window, cmd_oneWindow, g_oneWindowEditor);
        break;
    default: break;
    }
    menu_checkFrontWindowItem();
    return 1;
}
