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
struct updateEntry {
    short id;
    void (*schedule)();
    int (*need)();
};
// The order in which windows are asked whether they need an update.
const updateEntry kUpdateOrder[] = {
    {winId_main, wMain_updateSchedule, wMain_needUpdate},
    {winId_patch, wPatch_updateSchedule, wPatch_needUpdate},
    {winId_lfo, wLfo_updateSchedule, wLfo_needUpdate},
    {winId_effect, wEffect_updateSchedule, wEffect_needUpdate},
    {winId_midi, wMidi_updateSchedule, wMidi_needUpdate},
    {winId_waveform, wWave_updateSchedule, wWave_needUpdate},
    {winId_envelope, wEnv_updateSchedule, wEnv_needUpdate},
};

// The editor windows that one-window mode and "Close all" hide, in order.
const short kEditorWindows[] = {winId_patch,    winId_lfo,      winId_midi,
                                winId_envelope, winId_waveform, winId_effect};

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
    for (const updateEntry& e : kUpdateOrder) e.schedule();
    updateNames = 1;
}

void updateWindows()
{
    if (updateNames) updateWindowNames();
    if (!gWindowIsDirty) return;
    for (const updateEntry& e : kUpdateOrder) {
        if (e.need()) {
            sendUpdateMessage(e.id);
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
    updateOneWindowName(winId_main, bankName, patchName);
    updateOneWindowName(winId_patch, "Patch", patchName);
    updateOneWindowName(winId_effect, "Effect", patchName);
    updateOneWindowName(winId_envelope, "Envelope", patchName);
    updateOneWindowName(winId_midi, "Midi Control", patchName);
    updateOneWindowName(winId_lfo, "LFO", patchName);
    updateOneWindowName(winId_waveform, "Waveform", patchName);
    updateNames = 0;
}

void openOneEditWindow(short windowId)
{
    window_show(windowId, 1);
    for (short id : kEditorWindows)
        if (id != windowId) window_show(id, 0);
    menu_checkFrontWindowItem();
}

void closeEditorWindows()
{
    for (short id : kEditorWindows) window_show(id, 0);
    menu_checkFrontWindowItem();
}

void showEditorWindow(short windowId, int show)
{
    switch (windowId) {
    case winId_main: wMain_show(show); break;
    case winId_patch: wPatch_show(show); break;
    case winId_lfo: wLfo_show(show); break;
    case winId_waveform: wWave_show(show); break;
    case winId_effect: wEffect_show(show); break;
    case winId_midi: wMidi_show(show); break;
    case winId_envelope: wEnv_show(show); break;
    default: window_show(windowId, show); break;
    }
}

int windowMenuItemOf(short windowId)
{
    switch (windowId) {
    case winId_main: return cmd_windowMain;
    case winId_patch: return cmd_windowPatch;
    case winId_lfo: return cmd_windowLfo;
    case winId_waveform: return cmd_windowWaveform;
    case winId_effect: return cmd_windowEffect;
    case winId_midi: return cmd_windowMidi;
    case winId_envelope: return cmd_windowEnvelope;
    default: return 0;
    }
}

void menu_checkFrontWindowItem()
{
    int front = windowMenuItemOf(window_getFrontWindow());
    for (int id = cmd_windowPatch; id <= cmd_windowMain; ++id) checkWindowItem(id, id == front);
}
