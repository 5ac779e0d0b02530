// The window update protocol: windows ask for an update through their
// schedule functions and the idle step refreshes one of them at a time;
// the title bars follow the bank and the patch; the commands the shell
// sends to the windows; one editor window at a time; and the Window
// menu's check mark for the front window.
#include <cstdio>
#include <cstring>

#include "windows/editorWindow.h"

int gWindowIsDirty = 0;
int updateNames = 1;

namespace {
// The editor windows that one-window mode and "Close all" hide: every
// editor window of the table but Main.
void hideEditorWindowsBut(short keep)
{
    for (const windowTableRec* row = gWindowTable; row < gWindowTable + gWindowTableSize; ++row)
        if (row->kind == windowKind_editor && row->id != winId_main && row->id != keep)
            window_show(row->id, 0);
}

void sendCommand(short windowId, int command, int makeCurrent)
{
    HWND hwnd = window_getHWND(windowId);
    if (!hwnd) return;
    if (makeCurrent) window_setCurrent(windowId);
    SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

void checkWindowItem(int id, int checked)
{
    const engineHooksRec* h = engine_getHooks();
    if (h->menuCheck) h->menuCheck(engineMenu_window, id, checked);
}
}  // namespace

void scheduleWindowUpdate()
{
    // Main, Patch, LFO, Effect, MIDI, Waveform, Envelope: the table's order.
    for (int k = 0; k < gWindowTableSize; ++k)
        if (gWindowTable[k].updateSchedule) gWindowTable[k].updateSchedule();
    updateNames = 1;
}

void updateWindows()
{
    editMarks_update();
    if (updateNames) updateWindowNames();
    if (!gWindowIsDirty) return;
    for (int k = 0; k < gWindowTableSize; ++k) {
        const windowTableRec& row = gWindowTable[k];
        if (row.needUpdate && row.needUpdate()) {
            sendUpdateMessage(row.id);
            return;
        }
    }
    gWindowIsDirty = 0;
}

void sendUpdateMessage(short windowId) { sendCommand(windowId, kCmdUpdateWindow, 1); }
void tellUpdateKbd() { sendCommand(winId_main, kCmdUpdateKbd, 0); }
void tellUpdateSliders() { sendCommand(winId_main, kCmdUpdateSliders, 0); }
void tellEnvUpdateParambox() { sendCommand(winId_envelope, kCmdEnvUpdateParambox, 1); }
void tellAnimatePipe() { sendCommand(winId_effect, kCmdAnimatePipe, 0); }

void updateOneWindowName(short windowId, const char* first, const char* second)
{
    char title[2 * 256 + 4];
    std::snprintf(title, sizeof title, "%s: %s", first ? first : "", second ? second : "");
    window_setName(windowId, title);
}

void updateWindowNames()
{
    char patchName[256];
    char bankName[256];
    std::memset(patchName, 0, sizeof patchName);
    std::memset(bankName, 0, sizeof bankName);
    if (gInst) inst_patch_getName(gInst, patchName);
    patchName[kPatchNameLen] = 0;
    if (gBank) bank_getName(gBank, bankName);
    bankName[kBankNameMax] = 0;
    // Every window of the update protocol: "<title>: <patch>", the Main
    // window "<bank>: <patch>".
    for (int k = 0; k < gWindowTableSize; ++k) {
        const windowTableRec& row = gWindowTable[k];
        if (row.updateSchedule) updateOneWindowName(row.id, row.title ? row.title : bankName, patchName);
    }
    updateNames = 0;
}

void openOneEditWindow(short windowId)
{
    window_show(windowId, 1);
    hideEditorWindowsBut(windowId);
    menu_checkFrontWindowItem();
}

void closeEditorWindows()
{
    hideEditorWindowsBut(0);
    menu_checkFrontWindowItem();
}

void showEditorWindow(short windowId, int show)
{
    const windowTableRec* row = windowTable_find(windowId);
    if (row && row->show)
        row->show(show);
    else
        window_show(windowId, show);
    // In one-window mode too, the window asked for comes up in front,
    // never left minimised.
    if (show) editorWindow_bringToFront(windowId);
}

int windowMenuItemOf(short windowId)
{
    const windowTableRec* row = windowTable_find(windowId);
    return row ? row->menuCommand : 0;
}

void menu_checkFrontWindowItem()
{
    // The Window menu's own range, then any window whose command lies outside it.
    int front = windowMenuItemOf(window_getFrontWindow());
    for (int id = cmd_windowPatch; id <= cmd_windowMain; ++id) checkWindowItem(id, id == front);
    for (int k = 0; k < gWindowTableSize; ++k) {
        int id = gWindowTable[k].menuCommand;
        if (id && (id < cmd_windowPatch || id > cmd_windowMain)) checkWindowItem(id, id == front);
    }
}
