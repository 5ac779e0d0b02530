// The orderly quit: the questions (store the edited sound, save the bank,
// leave while plug-ins still run), then the preferences, the link, the
// windows and every subsystem in turn, and the quit message.
#include "program/program.h"

#include "windows/windows.h"

namespace {
int quitDone = 0;
int quitting = 0;  // a quit is asking its questions
}  // namespace

int program_hasQuit() { return quitDone; }

void quit_reset()
{
    quitDone = 0;
    quitting = 0;
}

void quit()
{
    if (quitDone || quitting) return;
    quitting = 1;
    askStorePreset();
    if (!fileApp_bankQuestion(gBank)) {
        quitting = 0;
        return;
    }
    if (MorvaneEngine_areAnyPluginsOn()) {
        int sure = MessageBoxA(g_hWndFrame, MORVANE_QUIT_QUESTION, MORVANE_FRAME_TITLE,
                               MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
        if (sure == IDCANCEL) {
            quitting = 0;
            return;
        }
    }
    prefs_save();
    if (gInst) inst_pauseAudio(gInst, 0);
    MorvaneEngine_quit();
    if (g_hWndFrame) KillTimer(g_hWndFrame, kFrameTimerId);

    for (int k = 0; k < gWindowTableSize; ++k)
        if (gWindowTable[k].kind == windowKind_editor) window_show(gWindowTable[k].id, 0);
    midiWin_sayGoodbye();
    dsp_globals_cleanup();
    brambixCleanup();
    pensAndBrushes_cleanup();
    waveMenu_cleanup();
    lastEdits_cleanup();
    bank_delete(gBank);
    gBank = nullptr;
    file_cleanup();
    mainTimer = nullptr;
    program_releaseEndSignals();
    quitDone = 1;
    quitting = 0;
    PostQuitMessage(0);
}
