// Banks: 128 preset slots sharing one default preset, selection of a slot
// into an instrument, storing an instrument into a slot, and the names
// published to the plug-ins.
#include <cstring>
#include <new>

#include "bank/bank_internal.h"
#include "iac/MorvaneIAC.h"

namespace {
fileWindow bankOwner = nullptr;

bool validSlot(short slot) { return slot >= 0 && slot < kBankSlots; }

void deleteUnlessDefault(bankRec* bank, presetRec* preset)
{
    if (preset && preset != bank->defaultPreset) preset_delete(preset);
}
}  // namespace

void bank_copyText(char* out, size_t size, const char* text)
{
    if (!out || size == 0) return;
    size_t n = text ? strnlen(text, size - 1) : 0;
    if (n) std::memcpy(out, text, n);
    out[n] = 0;
}

void bank_setHWND(fileWindow owner) { bankOwner = owner; }

bankRec* bank_new()
{
    bankRec* bank = new (std::nothrow) bankRec();
    if (!bank) return nullptr;
    bank_init(bank);
    if (!bank->defaultPreset) {
        delete bank;
        return nullptr;
    }
    return bank;
}

void bank_delete(bankRec* bank)
{
    if (!bank) return;
    bank_clearPresets(bank);
    file_close(&bank->file);
    preset_delete(bank->defaultPreset);
    delete bank;
}

void bank_init(bankRec* bank)
{
    if (!bank) return;
    bank->currentPreset = -1;
    bank->dirty = 0;
    bank->readDamaged = 0;
    file_initFileRec(&bank->file, bankOwner);
    bank->defaultPreset = preset_newDefault(0);
    for (int i = 0; i < kBankSlots; ++i) bank->presets[i] = bank->defaultPreset;
}

void bank_clearPresets(bankRec* bank)
{
    if (!bank) return;
    bank->dirty = 0;
    for (int i = 0; i < kBankSlots; ++i) {
        if (!bank->presets[i] || bank->presets[i] == bank->defaultPreset) continue;
        preset_delete(bank->presets[i]);
        bank->presets[i] = bank->defaultPreset;
    }
}

void bank_close(bankRec* bank)
{
    if (!bank) return;
    bank_clearPresets(bank);
    file_close(&bank->file);
    file_initFileRec(&bank->file, bank->file.owner);
    bank->readDamaged = 0;
}

void bank_takeContents(bankRec* bank, bankRec* from)
{
    if (!bank || !from || bank == from) return;
    bank_close(bank);
    for (int i = 0; i < kBankSlots; ++i) {
        presetRec* p = from->presets[i];
        if (!p || p == from->defaultPreset) continue;
        bank->presets[i] = p;
        from->presets[i] = from->defaultPreset;
    }
    bank_copyText(bank->file.path, kFilePathSize, from->file.path);
    bank_copyText(bank->file.title, kFilePathSize, from->file.title);
    bank->readDamaged = from->readDamaged;
    bank_close(from);
}

int bank_addPreset(bankRec* bank, presetRec* preset)
{
    if (!bank || !preset) return 0;
    short slot = preset->patch.preset;
    if (!validSlot(slot)) return 0;
    if (bank->presets[slot] != preset) deleteUnlessDefault(bank, bank->presets[slot]);
    bank->presets[slot] = preset;
    return 1;
}

void bank_selectPreset(bankRec* bank, instRec* inst, short slot)
{
    if (!bank || !inst || !validSlot(slot) || !bank->presets[slot]) return;
    inst_pauseAudio(inst, 1);
    bank->currentPreset = slot;
    preset_presetToDsp(bank->presets[slot], inst, slot);
    storedCC_dumpMIDI(inst);
    inst_buildChains(inst, 1);
    midi_noteMemClear(inst);
    midi_bag_clear(inst);
    bank_notifySelected(inst_getInstanceNumber(inst));
}

void bank_storeInst(bankRec* bank, instRec* inst, short slot)
{
    if (!bank || !inst || !validSlot(slot)) return;
    presetRec* preset = preset_new(slot);
    if (!preset) return;
    deleteUnlessDefault(bank, bank->presets[slot]);
    bank->presets[slot] = nullptr;
    preset_dspToPreset(inst, preset, slot);
    bank->presets[slot] = preset;
}

short bank_currentPreset(bankRec* bank) { return bank ? bank->currentPreset : -1; }

int bank_presetIsDefault(bankRec* bank, short slot)
{
    if (!bank || !validSlot(slot)) return 0;
    return bank->presets[slot] == bank->defaultPreset ? 1 : 0;
}

presetRec* bank_getPreset(bankRec* bank, short slot)
{
    return (bank && validSlot(slot)) ? bank->presets[slot] : nullptr;
}

short bank_presetCount(bankRec* bank)
{
    short n = 0;
    for (short slot = 0; bank && slot < kBankSlots; ++slot)
        n += bank->presets[slot] && bank->presets[slot] != bank->defaultPreset;
    return n;
}

void bank_getPresetName(bankRec* bank, short slot, char* out)
{
    if (!out) return;
    out[0] = 0;
    presetRec* preset = bank_getPreset(bank, slot);
    if (!preset) return;
    std::memcpy(out, preset->patch.name, kPatchNameLen);
    out[kPatchNameLen] = 0;
}

void bank_getName(bankRec* bank, char* out)
{
    if (!out) return;
    const char* path = bank ? bank->file.path : "";
    if (!path[0]) {
        bank_copyText(out, kBankNameMax + 1, "Untitled");
        return;
    }
    const char* name = std::strrchr(path, '/');
    bank_copyText(out, kBankNameMax + 1, name ? name + 1 : path);
}

void bank_setPlugNames(bankRec* bank)
{
    char name[kBankNameMax + 1];
    for (short slot = 0; slot < kBankSlots; ++slot) {
        bank_getPresetName(bank, slot, name);
        iac_setPresetName(slot, name);
    }
    bank_getName(bank, name);
    iac_setBankName(name);
    iac_mvn_bankChanged();
    dsp_sleepMs(48);
}
