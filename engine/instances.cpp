// Instance management: the current instance and the poll of the plug-ins'
// shared state. A plug-in may write anything into the shared data, so every
// instance number, program number and flag read from it is checked before
// it is used.
#include <cstdio>

#include "engine/engine.h"

namespace {
int plugIsOnline[IAC_INSTANCES] = {};
int quitArmed = 0;
int firstPoll = 1;

bool validInstance(long i) { return i >= 0 && i < IAC_INSTANCES; }
bool validProgram(long p) { return p >= 0 && p < kBankSlots; }

int sharedOnline(int i) { return __atomic_load_n(&iac_plugIsOnline[i], __ATOMIC_ACQUIRE) != 0; }

void frameAction(int action)
{
    const engineHooksRec* h = engine_getHooks();
    if (h->frame) h->frame(action);
}

void bringFrameForward()
{
    frameAction(engineFrame_minimise);
    frameAction(engineFrame_restore);
    frameAction(engineFrame_foreground);
}

void onPresetSelected(int instance) { MorvaneEngine_updateAllSliders(instance); }

int bankMessage(const char* text, const char* caption, int buttons)
{
    return engine_message(text, caption, static_cast<unsigned>(buttons));
}

// Step 4 of the poll: a program change the plug-in left in its record is
// forwarded to the link and the word cleared.
void forwardPendingProgram(int i)
{
    instRec* inst = iac_getInst(i);
    volatile int16_t* word = &inst->pendingProgram;
    int16_t pending = *word;
    if (pending <= -1) return;
    *word = -1;
    if (validProgram(pending)) iac_plug_programChange(i, pending);
}

// Step 5.3: the program the instance wants is loaded and its stored
// controllers played. With "Enable Pgm change" unchecked the plug-ins'
// program changes are taken and dropped; an instance that has just come
// online still gets its sound.
void followProgram(int i, instRec* inst, bool cameOnline)
{
    int p = iac_mvn_getUpdateProgram(i, inst->patch.preset);
    if (!validProgram(p) || p == inst->patch.preset) return;
    if (!g_enableProgramChange && !cameOnline) return;
    const bool current = i == g_instanceNumber;
    // The edited sound goes into the history before it is replaced.
    if (current) lastEdits_add();
    bank_selectPreset(gBank, inst, static_cast<short>(p));
    if (current) {
        copy_setMode(0);
        undo_setMode(0);
        makePresetClean();
        engine_scheduleRedraw();
    }
    storedCC_dumpMIDI(inst);
    for (const storedCCRec& r : inst->storedCC.rec) {
        if (r.cc < -1 || r.cc > 127) continue;
        MorvaneEngine_playCC(inst, static_cast<short>(r.cc), static_cast<short>(r.value));
        midi_playCC(inst, static_cast<short>(r.cc), static_cast<short>(r.value), midi_getChannel(inst));
    }
}

void handleChange(int i)
{
    if (!iac_changed[i].changed.exchange(0)) return;
    instRec* inst = iac_getInst(i);
    int online = sharedOnline(i);
    bool cameOnline = false;
    if (online != plugIsOnline[i]) {
        plugIsOnline[i] = online;
        engine_scheduleRedraw();
        // The sound stays in the record until the reload: its slot is kept
        // for the question about storing it.
        editState_noteSlot(i, inst->patch.preset);
        inst->patch.preset = -1;
        if (online) {
            quitArmed = 0;
            cameOnline = true;
            // The recent banks were published before this instance was
            // seen: it is told that they are there.
            iac_changed[i].plugNotice.store(1);
            iac_changed[i].lastBanksChanged.store(1);
        }
    }
    followProgram(i, inst, cameOnline);
}

// An instance that was online before this editor signed in (the editor
// started late, or restarted) is treated as changed, so that the first poll
// brings it in and loads its program: the notices it raised when it came
// online were taken by an earlier editor or never raised at all. A program
// it already asked for is kept; otherwise its published current program is
// asked for again.
void takeInInstancesAlreadyOnline()
{
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        if (!sharedOnline(i)) continue;
        int wanted = iac_mvn_getUpdateProgram(i, -1);
        if (!validProgram(wanted)) wanted = iac_changed[i].currentProgram.load();
        if (validProgram(wanted)) iac_plug_programChange(i, wanted);
        iac_changed[i].changed.store(1);
    }
}
}  // namespace

void MorvaneEngine_init()
{
    for (int& online : plugIsOnline) online = 0;
    editState_forgetSlots();
    quitArmed = 0;
    firstPoll = 1;
    takeInInstancesAlreadyOnline();
    bank_setSelectNotifyProc(onPresetSelected);
    bank_setMessageProc(bankMessage);
    bank_setErrorProc(engine_error);
    dsp_setErrorProc(engine_error);
    MorvaneEngine_setCurrentInstance(0);
    if (!gInst) gInst = iac_getInst(static_cast<int>(g_instanceNumber));
}

long MorvaneEngine_getCurrentInstance() { return g_instanceNumber; }

long MorvaneEngine_setCurrentInstance(long i)
{
    if (!validInstance(i) || i == g_instanceNumber) return 1;
    lastEdits_add();
    askStorePreset();
    g_instanceNumber = i;
    gInst = iac_getInst(static_cast<int>(i));
    engine_scheduleRedraw();
    return 1;
}

int MorvaneEngine_areAnyPluginsOn()
{
    for (int i = 0; i < IAC_INSTANCES; ++i)
        if (sharedOnline(i)) return 1;
    return 0;
}

int MorvaneEngine_isQuitArmed() { return quitArmed; }

int MorvaneEngine_plugIsOnline(int i) { return validInstance(i) ? plugIsOnline[i] : 0; }

int MorvaneEngine_idle()
{
    if (firstPoll) {
        firstPoll = 0;
        quitArmed = 0;
    }
    MorvaneEngine_openEditWindow(iac_app_needOpenWindow());
    if (iac_app_didBankChange(0)) {
        // Copies: the plug-in may rewrite the shared strings meanwhile.
        char path[IAC_PATH_BYTES];
        char name[IAC_BANK_NAME_BYTES];
        std::snprintf(path, sizeof path, "%.*s", IAC_PATH_BYTES - 1, iac_bankFilePath);
        std::snprintf(name, sizeof name, "%.*s", IAC_BANK_NAME_BYTES - 1, iac_bankName);
        iac_app_bankRequestDone();
        fileApp_openBankFromPathName(gBank, path, name);
    }
    for (int i = 0; i < IAC_INSTANCES; ++i)
        if (sharedOnline(i)) forwardPendingProgram(i);
    for (int i = 0; i < IAC_INSTANCES; ++i) handleChange(i);

    if (MorvaneEngine_areAnyPluginsOn()) return 1;
    if (!quitArmed) {
        quitArmed = 1;
        dsp_sleepMs(10);
        bringFrameForward();
        frameAction(engineFrame_close);
    }
    return 0;
}

void MorvaneEngine_reloadAllInstances()
{
    compare_restoreEdit();  // the comparison was with the bank being replaced
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        if (!plugIsOnline[i]) continue;
        int program = iac_changed[i].currentProgram.load();
        if (!validProgram(program)) continue;
        // The current instance's unstored edit goes into the history before
        // the new bank's sound replaces it, which then is no longer edited.
        const bool current = i == g_instanceNumber;
        if (current) lastEdits_add();
        bank_selectPreset(gBank, iac_getInst(i), static_cast<short>(program));
        if (current) makePresetClean();
    }
}

void MorvaneEngine_openEditWindow(int which)
{
    if (which == 0) return;
    bringFrameForward();
    MorvaneEngine_setCurrentInstance(editInstance);
    // The plug-in numbers its editors; the window table knows which is which.
    const engineHooksRec* h = engine_getHooks();
    int windowId = h->windowOfPlugInEditor ? h->windowOfPlugInEditor(which) : 0;
    if (windowId && h->showWindow) h->showWindow(windowId, 1);
}

void MorvaneEngine_quit() { iac_mvn_signOut(); }
