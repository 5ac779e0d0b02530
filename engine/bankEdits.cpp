// Organising the open bank from the Main window's preset matrix: copying a
// slot's preset into the editor's preset clipboard and pasting it, swapping
// two slots, copying one slot onto another, renaming and emptying a slot,
// and one level of undo of the last of these. They work on the bank's own
// records; the instances keep the sounds they play: after a swap an
// instance's preset number follows its preset, and an instance whose slot
// got another preset keeps its sound as an edit of that slot.
#include <cstdio>
#include <cstring>

#include "engine/engine.h"

namespace {
bankRec* clipBank = nullptr;  // slot 0: the preset copied
int clipFilled = 0;

// The last change, for Edit > Undo: a swap of slots a and b is undone by
// swapping them again; any other change of slot a by exchanging the slot's
// record with the one kept in slot 0 of undoBank.
enum { undo_none = 0, undo_swap = 1, undo_replace = 2, undo_rename = 3 };
bankRec* undoBank = nullptr;
int undoKind = undo_none;
short undoA = -1, undoB = -1;
int undoDirty = 0;                     // the edited mark of the current instance that an exchange puts back
presetRec* undoSeen[kBankSlots] = {};  // the bank's records right after the change
char undoPath[kFilePathSize] = {};     // and its file

bool validSlot(short slot) { return slot >= 0 && slot < kBankSlots; }

bool ready(short slot) { return gBank && validSlot(slot) && bank_getPreset(gBank, slot); }

std::string presetName(bankRec* bank, short slot)
{
    char name[kPatchNameLen + 1] = {};
    bank_getPresetName(bank, slot, name);
    return name;
}

// Yes/No; a slot holding the default preset is overwritten without a word.
bool mayOverwrite(short slot, const char* question)
{
    if (bank_presetIsDefault(gBank, slot)) return true;
    return engine_message(question, MORVANE_FRAME_TITLE, engineMB_yesNo | engineMB_iconExclamation) ==
           engineID_yes;
}

bool ensureBank(bankRec** bank)
{
    if (!*bank) *bank = bank_new();
    return *bank != nullptr;
}

void rememberBank()
{
    std::memcpy(undoSeen, gBank->presets, sizeof undoSeen);
    std::memcpy(undoPath, gBank->file.path, sizeof undoPath);
}

// The undo is still about this bank as it was left: no other bank opened,
// nothing stored or read into any slot since.
bool bankUnchanged()
{
    return gBank && std::memcmp(undoSeen, gBank->presets, sizeof undoSeen) == 0 &&
           std::memcmp(undoPath, gBank->file.path, sizeof undoPath) == 0;
}

// The instances the editor has: the online ones and the current one.
instRec* knownInstance(int i)
{
    return i == g_instanceNumber || MorvaneEngine_plugIsOnline(i) ? iac_getInst(i) : nullptr;
}

// The instance whose sound belongs to slot: its preset number, or for the
// current one also the slot noted while the poll reloads it.
bool playsSlot(int i, short slot)
{
    instRec* inst = knownInstance(i);
    if (!inst) return false;
    if (i == g_instanceNumber) return editState_soundSlot() == slot;
    return inst->patch.preset == slot;
}

// Every change and every undo ends here: the bank is edited, the matrix and
// the windows show it, the plug-ins get the names.
void published()
{
    makeBankDirty();
    engine_scheduleMatrixUpdate();
    engine_scheduleRedraw();
    bank_setPlugNames(gBank);
    rememberBank();
}

// A new change: Edit > Undo offers it.
void changed(int kind, short a, short b)
{
    published();
    undoKind = kind;
    undoA = a;
    undoB = b;
    undo_setMode(4);
}

// The instances follow their presets to the slots they moved to; the
// plug-ins are told their new program numbers.
void followSwap(short a, short b)
{
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        instRec* inst = knownInstance(i);
        if (!inst || (inst->patch.preset != a && inst->patch.preset != b)) continue;
        short now = inst->patch.preset == a ? b : a;
        inst->patch.preset = now;
        if (MorvaneEngine_plugIsOnline(i)) iac_mvn_programChange(i, now);
    }
    editState_slotsSwapped(a, b);
    if (gBank->currentPreset == a || gBank->currentPreset == b)
        gBank->currentPreset = gBank->currentPreset == a ? b : a;
}

// Slot a's record is set aside for the undo before a change.
bool keepForUndo(short slot)
{
    if (!ensureBank(&undoBank)) return false;
    return bank_copyPreset(undoBank, 0, gBank, slot) != 0;
}

// Slot now holds another preset: the current instance, when it plays the
// slot, keeps its sound as an edit of it. The edited mark it had is what an
// undo puts back.
void replaced(short slot)
{
    undoDirty = presetIsDirty();
    if (playsSlot(static_cast<int>(g_instanceNumber), slot)) makePresetDirty();
    changed(undo_replace, slot, -1);
}

// Puts the given record (slot 0 of from) into slot; 1 when done. An empty
// slot emptied changes nothing.
int overwrite(short slot, bankRec* from)
{
    if (bank_presetIsDefault(gBank, slot) && bank_presetIsDefault(from, 0)) return 0;
    if (!keepForUndo(slot) || !bank_copyPreset(gBank, slot, from, 0)) return 0;
    replaced(slot);
    return 1;
}

// The instances showing the slot's name take the new one; an instance
// whose name was edited keeps it.
void renameInstances(short slot, const char* was, const char* now)
{
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        instRec* inst = knownInstance(i);
        if (!inst || !playsSlot(i, slot)) continue;
        char name[kPatchNameLen + 1] = {};
        inst_patch_getName(inst, name);
        if (std::strncmp(name, was, kPatchNameLen) == 0) inst_patch_setName(inst, now);
    }
}
}  // namespace

int bankEdit_copy(short slot)
{
    if (!ready(slot) || !ensureBank(&clipBank)) return 0;
    if (!bank_copyPreset(clipBank, 0, gBank, slot)) return 0;
    clipFilled = 1;
    return 1;
}

int bankEdit_hasCopy() { return clipFilled; }

int bankEdit_paste(short slot)
{
    if (!clipFilled || !ready(slot)) return 0;
    compare_restoreEdit();
    char text[2 * kPatchNameLen + 32];
    std::snprintf(text, sizeof text, "Replace \"%s\" with \"%s\"?", presetName(gBank, slot).c_str(),
                  presetName(clipBank, 0).c_str());
    if (!mayOverwrite(slot, text)) return 0;
    return overwrite(slot, clipBank);
}

int bankEdit_copyOnto(short from, short to)
{
    if (!ready(from) || !ready(to) || from == to) return 0;
    compare_restoreEdit();
    char text[2 * kPatchNameLen + 32];
    std::snprintf(text, sizeof text, "Replace \"%s\" with \"%s\"?", presetName(gBank, to).c_str(),
                  presetName(gBank, from).c_str());
    if (!mayOverwrite(to, text)) return 0;
    // Through a bank of its own, so that the record taken is the one read
    // before the target is touched.
    bankRec* source = bank_new();
    int done = source && bank_copyPreset(source, 0, gBank, from) && overwrite(to, source);
    bank_delete(source);
    return done;
}

int bankEdit_swap(short a, short b)
{
    if (!ready(a) || !ready(b) || a == b) return 0;
    if (bank_presetIsDefault(gBank, a) && bank_presetIsDefault(gBank, b)) return 0;
    compare_restoreEdit();
    if (!bank_swapPresets(gBank, a, b)) return 0;
    followSwap(a, b);
    changed(undo_swap, a, b);
    return 1;
}

int bankEdit_rename(short slot, const char* name)
{
    if (!ready(slot) || !name) return 0;
    compare_restoreEdit();
    char now[kPatchNameLen + 1] = {};
    std::strncpy(now, name, kPatchNameLen);
    const std::string was = presetName(gBank, slot);
    if (was == now) return 0;
    if (!keepForUndo(slot) || !bank_renamePreset(gBank, slot, now)) return 0;
    renameInstances(slot, was.c_str(), now);
    undoDirty = presetIsDirty();
    changed(undo_rename, slot, -1);
    return 1;
}

int bankEdit_initialize(short slot)
{
    if (!ready(slot) || bank_presetIsDefault(gBank, slot)) return 0;
    compare_restoreEdit();
    char text[kPatchNameLen + 24];
    std::snprintf(text, sizeof text, "Initialize \"%s\"?", presetName(gBank, slot).c_str());
    if (!mayOverwrite(slot, text) || !keepForUndo(slot) || !bank_initPreset(gBank, slot)) return 0;
    replaced(slot);
    return 1;
}

void bankEdit_updateUndo()
{
    // A bank replaced, or a slot written, since the change leaves nothing
    // for Edit > Undo to take back: the item greys at once.
    if (undo_getMode() == 4 && !bankUnchanged()) undo_setMode(0);
}

int bankEdit_undo()
{
    if (undoKind == undo_none || !bankUnchanged()) {
        undoKind = undo_none;
        return 0;
    }
    compare_restoreEdit();
    if (undoKind == undo_swap) {
        if (!bank_swapPresets(gBank, undoA, undoB)) return 0;
        followSwap(undoA, undoB);
        published();
        return 1;
    }
    // The record in the slot and the one set aside change places.
    bankRec* swapBank = bank_new();
    bool done = swapBank && bank_copyPreset(swapBank, 0, gBank, undoA) &&
                bank_copyPreset(gBank, undoA, undoBank, 0) && bank_copyPreset(undoBank, 0, swapBank, 0);
    bank_delete(swapBank);
    if (!done) return 0;
    const int dirtyNow = presetIsDirty();
    if (undoKind == undo_rename)
        renameInstances(undoA, presetName(undoBank, 0).c_str(), presetName(gBank, undoA).c_str());
    if (playsSlot(static_cast<int>(g_instanceNumber), undoA)) {
        if (undoDirty)
            makePresetDirty();
        else
            makePresetClean();
    }
    undoDirty = dirtyNow;
    published();
    return 1;
}

void bankEdit_cleanup()
{
    bank_delete(clipBank);
    bank_delete(undoBank);
    clipBank = undoBank = nullptr;
    clipFilled = 0;
    undoKind = undo_none;
}
