// Comparing an edit with the stored sound: the current instance switches
// between the edited sound, set aside in a bank of its own meanwhile, and
// the preset its slot holds in the open bank. Switching back puts the edit
// back as it was; a change made while the stored sound plays makes that
// sound the edit, and the edit set aside joins the recent edits.
#include "engine/engine.h"

namespace {
bankRec* compareBank = nullptr;  // slot 0: the edit set aside
long playingInstance = -1;       // the instance playing the stored sound; -1 when not comparing
short editPreset = -1;           // the edit's patch preset number
short bankCurrent = -1;          // the open bank's current preset before the comparison
short storedSlot = -1;           // the slot whose preset plays
int shownOffered = -1;           // what the Edit menu shows; -1 not yet set
int shownActive = -1;

void updateMenu()
{
    int offered = compare_isOffered(), active = compare_isActive();
    if (offered == shownOffered && active == shownActive) return;
    shownOffered = offered;
    shownActive = active;
    const engineHooksRec* h = engine_getHooks();
    if (h->menuEnable) h->menuEnable(engineMenu_edit, cmd_compareStored, offered);
    if (h->menuCheck) h->menuCheck(engineMenu_edit, cmd_compareStored, active);
}
}  // namespace

int compare_isActive() { return playingInstance >= 0; }

int compare_isOffered()
{
    if (compare_isActive()) return 1;
    short slot = editState_soundSlot();
    return presetIsDirty() && gInst && gBank && slot >= 0 && slot < kBankSlots;
}

int compare_toggle()
{
    if (compare_isActive()) {
        compare_restoreEdit();
        return 1;
    }
    if (!compare_isOffered()) return 0;
    if (!compareBank) compareBank = bank_new();
    if (!compareBank) return 0;
    short slot = editState_soundSlot();
    editPreset = gInst->patch.preset;
    bankCurrent = gBank->currentPreset;
    bank_storeInst(compareBank, gInst, 0);
    bank_selectPreset(gBank, gInst, slot);
    storedSlot = slot;
    playingInstance = g_instanceNumber;
    engine_scheduleRedraw();
    updateMenu();
    return 1;
}

void compare_restoreEdit()
{
    if (!compare_isActive()) return;
    instRec* inst = iac_getInst(static_cast<int>(playingInstance));
    playingInstance = -1;
    if (inst) {
        // A preset number the poll has set meanwhile (-1: reload) is kept.
        short now = inst->patch.preset;
        bank_selectPreset(compareBank, inst, 0);
        inst->patch.preset = now == storedSlot ? editPreset : now;
    }
    if (gBank) gBank->currentPreset = bankCurrent;
    bank_clearPresets(compareBank);
    engine_scheduleRedraw();
    updateMenu();
}

void compare_changedWhileStored()
{
    if (!compare_isActive()) return;
    playingInstance = -1;
    // The edit set aside leaves the comparison's bank for the history.
    presetRec* aside = compareBank->presets[0];
    if (aside && aside != compareBank->defaultPreset) {
        compareBank->presets[0] = compareBank->defaultPreset;
        lastEdits_addPreset(aside);
    }
    updateMenu();
}

void compare_updateMenu() { updateMenu(); }

void compare_cleanup()
{
    playingInstance = -1;
    shownOffered = shownActive = -1;
    bank_delete(compareBank);
    compareBank = nullptr;
}
