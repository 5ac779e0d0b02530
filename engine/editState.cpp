// The edit state: dirty flags of the edited preset and of the bank, the slot
// each instance's sound came from, the two questions asked before a sound or
// a bank is replaced, and the undo and copy modes with their Edit-menu items
// (undo mode 4 takes back a change of the bank's slots, engine/bankEdits.cpp).
#include <cstdio>

#include "engine/engine.h"

namespace {
int presetDirty = 0;
// Per instance, the bank slot its sound was last seen to come from. The poll
// marks an instance that goes offline or online with preset number -1 (so
// that its program is reloaded); the sound itself stays, and so does the
// slot it belongs to.
short soundSlot[IAC_INSTANCES] = {-1, -1, -1, -1, -1, -1, -1, -1};
short undoMode = 0;
int redo = 0;
short copyMode = 0;

void menuText(int id, const char* text)
{
    const engineHooksRec* h = engine_getHooks();
    if (h->menuSetText) h->menuSetText(engineMenu_edit, id, text);
}

void menuEnable(int id, int enabled)
{
    const engineHooksRec* h = engine_getHooks();
    if (h->menuEnable) h->menuEnable(engineMenu_edit, id, enabled);
}
}  // namespace

void makeBankDirty()
{
    if (gBank) gBank->dirty = 1;
}

int presetIsDirty() { return presetDirty; }
void makePresetClean() { presetDirty = 0; }

void makePresetDirty()
{
    // A change while the stored sound plays for a comparison makes it the edit.
    compare_changedWhileStored();
    presetDirty = 1;
    if (gInst) editState_noteSlot(g_instanceNumber, gInst->patch.preset);
}

void editState_noteSlot(long instance, short slot)
{
    if (instance >= 0 && instance < IAC_INSTANCES && slot >= 0 && slot < kBankSlots)
        soundSlot[instance] = slot;
}

void editState_forgetSlots()
{
    for (short& slot : soundSlot) slot = -1;
}

void editState_slotsSwapped(short a, short b)
{
    for (short& slot : soundSlot)
        if (slot == a || slot == b) slot = slot == a ? b : a;
}

short editState_soundSlot()
{
    if (!gInst) return -1;
    short slot = gInst->patch.preset;
    if (slot >= 0 && slot < kBankSlots) return slot;
    long i = g_instanceNumber;
    return i >= 0 && i < IAC_INSTANCES ? soundSlot[i] : -1;
}

int mvnFile_askSaveChangesToBank(bankRec* bank)
{
    if (!bank || !bank->dirty) return engineID_no;
    char name[kBankNameMax + 1];
    bank_getName(bank, name);
    char text[kBankNameMax + 32];
    std::snprintf(text, sizeof text, "Save changes to %s?", name);
    return engine_message(text, "Morvane", engineMB_yesNoCancel | engineMB_iconExclamation);
}

int fileApp_bankQuestion(bankRec* bank)
{
    switch (mvnFile_askSaveChangesToBank(bank)) {
    case engineID_cancel: return 0;
    case engineID_yes: {
        // A bank that never had a file is given one by the user; cancelling
        // that choice cancels the command. A save that failed has shown its
        // message; the bank is kept either way.
        const engineHooksRec* h = engine_getHooks();
        if (!bank->file.path[0] && h->saveBankAs) return h->saveBankAs(bank) ? 1 : 0;
        if (h->saveBank) return h->saveBank(bank) ? 1 : 0;
        return mvnFile_save(bank) ? 1 : 0;
    }
    default: return 1;
    }
}

int askStorePreset()
{
    compare_restoreEdit();  // the question is about the edit, not the stored sound
    if (!presetDirty || !gInst) return 1;
    char name[kPatchNameLen + 1];
    inst_patch_getName(gInst, name);
    name[kPatchNameLen] = 0;
    char text[kPatchNameLen + 48];
    std::snprintf(text, sizeof text, "Do you want to store changes to preset \"%s\"?", name);
    int answer = engine_message(text, MORVANE_FRAME_TITLE, engineMB_yesNo | engineMB_iconExclamation);
    makePresetClean();
    if (answer == engineID_yes) {
        // The slot the sound came from, also when the poll has since marked
        // the instance for a reload. A sound that never came from a slot
        // cannot be stored there; the bank stays clean.
        short slot = editState_soundSlot();
        if (slot >= 0 && slot < kBankSlots) {
            bank_storeInst(gBank, gInst, slot);
            makeBankDirty();
        }
    }
    return 1;
}

// ---- undo ---------------------------------------------------------------------
void undo_setMode(short mode)
{
    if (mode >= 0 && mode <= 4) undoMode = mode;
    redo = 0;
    undo_updateMenu();
}

short undo_getMode() { return undoMode; }
int undo_getRedo() { return redo; }

void undo_processUndo()
{
    const engineHooksRec* h = engine_getHooks();
    if (undoMode == 2) {
        if (h->undoEnvelope) h->undoEnvelope(redo);
        redo = !redo;
    } else if (undoMode == 3) {
        if (h->undoWave) h->undoWave(redo);
        redo = !redo;
    } else if (undoMode == 4) {
        // A bank that changed meanwhile leaves nothing to undo.
        if (bankEdit_undo())
            redo = !redo;
        else
            undoMode = 0;
    }
    undo_updateMenu();
}

void undo_updateMenu()
{
    switch (undoMode) {
    case 0:
        menuText(cmd_undo, "Undo \tCtrl+Z");
        menuEnable(cmd_undo, 0);
        break;
    case 2:
        menuEnable(cmd_undo, 1);
        menuText(cmd_undo, redo ? "Redo Envelope Edit \tCtrl+Z" : "Undo Envelope Edit \tCtrl+Z");
        break;
    case 3:
        menuEnable(cmd_undo, 1);
        menuText(cmd_undo, redo ? "Redo Waveform Edit \tCtrl+Z" : "Undo Waveform Edit \tCtrl+Z");
        break;
    case 4:
        menuEnable(cmd_undo, 1);
        menuText(cmd_undo, redo ? "Redo Bank Edit \tCtrl+Z" : "Undo Bank Edit \tCtrl+Z");
        break;
    default: break;
    }
}

// ---- copy and paste ------------------------------------------------------------
void copy_setMode(short mode)
{
    if (mode >= 0 && mode <= 2) copyMode = mode;
    copy_setUpMenu();
}

short copy_getMode() { return copyMode; }

void copy_setUpMenu()
{
    if (copyMode == 0) {
        menuEnable(cmd_cut, 0);
        menuEnable(cmd_copy, 0);
        menuEnable(cmd_paste, 0);
    } else if (copyMode == 1) {
        menuEnable(cmd_cut, 0);
        menuEnable(cmd_copy, 1);
        menuEnable(cmd_paste, 1);
    }
}

void copy_processCopy()
{
    const engineHooksRec* h = engine_getHooks();
    if (copyMode == 1 && h->copyEnvelope) h->copyEnvelope();
}

void copy_processPaste()
{
    const engineHooksRec* h = engine_getHooks();
    if (copyMode == 1 && h->pasteEnvelope) h->pasteEnvelope();
}

void copy_reset() {}
