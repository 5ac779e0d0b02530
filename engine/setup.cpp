// The shell's globals: the current instrument and bank, and the setup
// choices that the preferences carry between runs.
#include "engine/engine.h"

instRec* gInst = nullptr;
bankRec* gBank = nullptr;
int g_enableProgramChange = 1;
int g_oneWindowEditor = 0;
int g_startingUp = 0;

namespace {
int setup_enablePgmChg = 1;
int setup_autoBalanceChannels = 1;
int setup_oneWindowEditing = 0;
int loadedPrefs = 0;

void checkItem(int menu, int id, int checked)
{
    const engineHooksRec* h = engine_getHooks();
    if (h->menuCheck) h->menuCheck(menu, id, checked);
}
}  // namespace

void setup_setEnablePgmChg(int on) { setup_enablePgmChg = on ? 1 : 0; }
void setup_setAutoBalanceChannels(int on) { setup_autoBalanceChannels = on ? 1 : 0; }
void setup_setOneWindowEditing(int on) { setup_oneWindowEditing = on ? 1 : 0; }
void setup_loadedPrefs() { loadedPrefs = 1; }
void setup_resetToDefaults()
{
    setup_enablePgmChg = 1;
    setup_autoBalanceChannels = 1;
    setup_oneWindowEditing = 0;
    loadedPrefs = 0;
}
int setup_getAutoBalanceChannels() { return setup_autoBalanceChannels; }
int setup_getPrefsLoaded() { return loadedPrefs; }

void setup_doStuffFromPrefs()
{
    if (!loadedPrefs) return;
    const engineHooksRec* h = engine_getHooks();
    if (h->setAutoBalanceChannels) h->setAutoBalanceChannels(setup_autoBalanceChannels);
    checkItem(engineMenu_setup, cmd_autoBalance, setup_autoBalanceChannels);
    g_oneWindowEditor = setup_oneWindowEditing;
    checkItem(engineMenu_window, cmd_oneWindow, g_oneWindowEditor);
    g_enableProgramChange = setup_enablePgmChg;
    checkItem(engineMenu_setup, cmd_enablePgmChg, g_enableProgramChange);
}
