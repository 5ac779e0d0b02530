// Menu commands: the dispatch by id range and the File, Edit, Setup and
// Window commands, with the Window menu's check marks.
#include "program/program.h"

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
    if (id < cmd_new || id >= 8000) return 0;
    short command = static_cast<short>(id);
    if (id <= 1999)
        menu_processFile(command);
    else if (id <= cmd_balanceChannels || id == cmd_findPreset || id == cmd_compareStored)
        menu_processEdit(command);
    else if (id <= cmd_audioAsio)
        menu_processSetup(command);
    else
        menu_processWindow(command);
    return 1;
}

long menu_processFile(short id)
{
    switch (id) {
    case cmd_new:
    case cmd_close:
        if (!fileApp_bankQuestion(gBank)) return 1;
        bank_close(gBank);
        afterBankChange();
        return 1;
    case cmd_open: menuFile_open(); return 1;
    case cmd_save: menuFile_save(); return 1;
    case cmd_saveAs: menuFile_saveAs(); return 1;
    case cmd_revert: menuFile_revert(); return 1;
    case cmd_notYet: error("I don't work yet"); return 1;
    case cmd_importPreset: import_openDialog(); return 1;
    case cmd_exportNames: exportPresetNames(gBank); return 1;
    case cmd_quit: quit(); return 1;
    default: break;
    }
    if (id >= cmd_firstRecentBank && id <= cmd_lastRecentBank) {
        if (!fileApp_bankQuestion(gBank)) return 1;
        if (!lastBanks_openFromMenu(id)) return 1;
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
    case cmd_balanceChannels: wPatch_balanceChannels(); break;
    case cmd_findPreset: findPreset_openDialog(); break;
    case cmd_compareStored: compare_toggle(); break;
    default: break;  // Cut, 2004 and 2005 do nothing
    }
    return 1;
}

long menu_processSetup(short id)
{
    switch (id) {
    case cmd_audioSetup: error("not available in Morvane Engine"); break;
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
    case cmd_about: window_show(winId_splash, 1); break;
    case cmd_windowNavigator: wNav_toggleShow(); break;
    case cmd_windowRecord: window_show(winId_record, 1); break;
    case cmd_windowCloseAll: closeEditorWindows(); break;
    case cmd_resetWindowPositions: resetWindowPositions(); break;
    case cmd_oneWindow:
        openOneEditWindow(window_getFrontWindow());
        g_oneWindowEditor = !g_oneWindowEditor;
        setup_setOneWindowEditing(g_oneWindowEditor);
        checkItem(engineMenu_window, cmd_oneWindow, g_oneWindowEditor);
        break;
    default:
        // The editor windows' own commands, from the window table.
        if (const windowTableRec* row = windowTable_findCommand(id)) showEditorWindow(row->id, 1);
        break;
    }
    menu_checkFrontWindowItem();
    return 1;
}
