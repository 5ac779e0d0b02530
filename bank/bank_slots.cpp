// Slot operations of the librarian: copy, swap, rename and empty slots of a
// bank. They work on the presets the bank holds; a preset's number always
// names the slot it sits in, so a saved file puts it back there.
#include "bank/bank_internal.h"

namespace {
bool validSlot(short slot) { return slot >= 0 && slot < kBankSlots; }

bool usable(const bankRec* bank, short slot)
{
    return bank && validSlot(slot) && bank->presets[slot] && bank->defaultPreset;
}

bool isDefault(const bankRec* bank, short slot) { return bank->presets[slot] == bank->defaultPreset; }

// Puts preset into the slot (or empties it for null), freeing what it held.
void replaceSlot(bankRec* bank, short slot, presetRec* preset)
{
    presetRec* old = bank->presets[slot];
    bank->presets[slot] = preset ? preset : bank->defaultPreset;
    if (old && old != bank->defaultPreset && old != bank->presets[slot]) preset_delete(old);
    bank->dirty = 1;
}
}  // namespace

int bank_copyPreset(bankRec* dst, short dstSlot, bankRec* src, short srcSlot)
{
    if (!usable(dst, dstSlot) || !usable(src, srcSlot)) return 0;
    if (dst == src && dstSlot == srcSlot) return 1;
    if (isDefault(src, srcSlot)) {
        replaceSlot(dst, dstSlot, nullptr);
        return 1;
    }
    presetRec* copy = preset_newCopy(src->presets[srcSlot], dstSlot);
    if (!copy) return 0;
    replaceSlot(dst, dstSlot, copy);
    return 1;
}

int bank_swapPresets(bankRec* bank, short a, short b)
{
    if (!usable(bank, a) || !usable(bank, b)) return 0;
    if (a == b) return 1;
    presetRec* first = bank->presets[a];
    bank->presets[a] = bank->presets[b];
    bank->presets[b] = first;
    // The shared default keeps its own number; it stands for every empty slot.
    if (!isDefault(bank, a)) bank->presets[a]->patch.preset = a;
    if (!isDefault(bank, b)) bank->presets[b]->patch.preset = b;
    bank->dirty = 1;
    return 1;
}

int bank_renamePreset(bankRec* bank, short slot, const char* name)
{
    if (!usable(bank, slot)) return 0;
    if (isDefault(bank, slot)) {
        // Renaming the shared default would rename every empty slot.
        presetRec* named = preset_newCopy(bank->defaultPreset, slot);
        if (!named) return 0;
        patch_setName(&named->patch, name ? name : "");
        replaceSlot(bank, slot, named);
        return 1;
    }
    patch_setName(&bank->presets[slot]->patch, name ? name : "");
    bank->dirty = 1;
    return 1;
}

int bank_initPreset(bankRec* bank, short slot)
{
    if (!usable(bank, slot)) return 0;
    replaceSlot(bank, slot, nullptr);
    return 1;
}
