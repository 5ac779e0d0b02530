// The ring of the last ten edited sounds, kept as presets of a bank of its
// own and offered in the Main window's history pop-up, newest first.
#include "engine/engine.h"

namespace {
bankRec* lastEditsBank = nullptr;
int lastEdit_items = 0;
int lastEdit_nextIndex = 0;

// History slot of pop-up item 1..count: the newest is the slot before the
// next index.
int slotOfItem(int item)
{
    int slot = lastEdit_nextIndex - item;
    if (slot < 0) slot += kLastEdits;
    return slot;
}
}  // namespace

int lastEdits_init()
{
    compare_cleanup();
    bankEdit_cleanup();
    if (!lastEditsBank) lastEditsBank = bank_new();
    lastEdit_items = 0;
    lastEdit_nextIndex = 0;
    if (lastEditsBank) bank_clearPresets(lastEditsBank);
    return lastEditsBank ? 1 : 0;
}

void lastEdits_cleanup()
{
    compare_cleanup();
    bankEdit_cleanup();
    bank_delete(lastEditsBank);
    lastEditsBank = nullptr;
    lastEdit_items = 0;
    lastEdit_nextIndex = 0;
}

int lastEdits_count() { return lastEdit_items; }
int lastEdits_nextIndex() { return lastEdit_nextIndex; }
bankRec* lastEdits_bank() { return lastEditsBank; }

void lastEdits_addPreset(presetRec* snapshot)
{
    if (!snapshot) return;
    if (!lastEditsBank) {
        preset_delete(snapshot);
        return;
    }
    snapshot->patch.preset = static_cast<short>(lastEdit_nextIndex);
    if (!bank_addPreset(lastEditsBank, snapshot)) {
        preset_delete(snapshot);
        return;
    }
    if (lastEdit_items < kLastEdits) ++lastEdit_items;
    lastEdit_nextIndex = (lastEdit_nextIndex + 1) % kLastEdits;
    lastEdits_rebuildPopup();
}

void lastEdits_add()
{
    // An edit set aside for a comparison is the edit that is recorded.
    compare_restoreEdit();
    if (!presetIsDirty() || !gInst || !lastEditsBank) return;
    if (lastEdit_items < kLastEdits) ++lastEdit_items;
    bank_storeInst(lastEditsBank, gInst, static_cast<short>(lastEdit_nextIndex));
    lastEdit_nextIndex = (lastEdit_nextIndex + 1) % kLastEdits;
    lastEdits_rebuildPopup();
}

void lastEdits_rebuildPopup()
{
    const engineHooksRec* h = engine_getHooks();
    if (h->historyPopupClear) h->historyPopupClear();
    char name[kPatchNameLen + 1];
    for (int item = 1; item <= lastEdit_items; ++item) {
        bank_getPresetName(lastEditsBank, static_cast<short>(slotOfItem(item)), name);
        if (h->historyPopupAppend) h->historyPopupAppend(item, name);
    }
}

void lastEdits_menuToStoredEdit(short item)
{
    if (!gInst || !lastEditsBank || item < 1 || item > lastEdit_items) return;
    int slot = slotOfItem(item);
    if (slot < 0 || slot >= kLastEdits) return;
    compare_restoreEdit();
    short keep = gInst->patch.preset;
    // An unstored edit that the restored one replaces joins the history,
    // after the choice was taken out of it (the ring may be full).
    presetRec* replaced = nullptr;
    if (presetIsDirty()) {
        replaced = preset_new(0);
        if (replaced) preset_dspToPreset(gInst, replaced, 0);
    }
    bank_selectPreset(lastEditsBank, gInst, static_cast<short>(slot));
    gInst->patch.preset = keep;
    if (replaced) lastEdits_addPreset(replaced);
    // The restored sound is an edit that no slot holds yet.
    makePresetDirty();
    engine_scheduleRedraw();
}
