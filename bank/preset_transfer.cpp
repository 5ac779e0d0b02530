// The transfer of a preset into an instrument (a program is selected) and of
// an instrument into a preset (the user stores). Both run module by module in
// a fixed order: later steps rely on earlier ones (the effect after the
// re-initialisation, the stored controllers replayed last).
#include "bank/bank_internal.h"

namespace {
// The user wave slot an identifier names, or -1.
int userWaveSlot(int16_t id)
{
    int slot = id - kWaveUserBaseID;
    return (slot >= 0 && slot < kPresetWaves) ? slot : -1;
}

// Waves go back to the slot their identifier names, so that oscillators,
// modulators, the waveshaper and LFOs that use them by identifier find them
// again even when the stored waves were not in consecutive slots. A wave
// whose identifier names no free slot takes the lowest slot left, and its
// identifier follows the slot.
void loadWaves(presetRec* preset, instRec* inst)
{
    const int n = preset->waves.size() < kPresetWaves ? (int)preset->waves.size() : kPresetWaves;
    int slotOf[kPresetWaves];
    bool taken[kPresetWaves] = {};
    for (int i = 0; i < n; ++i) {
        int slot = userWaveSlot(preset->waves[i].id);
        slotOf[i] = (slot >= 0 && !taken[slot]) ? slot : -1;
        if (slotOf[i] >= 0) taken[slotOf[i]] = true;
    }
    for (int i = 0; i < n; ++i) {
        if (slotOf[i] >= 0) continue;
        int slot = 0;
        while (taken[slot]) ++slot;
        slotOf[i] = slot;
        taken[slot] = true;
    }
    for (int i = 0; i < n; ++i) {
        waveRec* to = inst_getPresetWave(inst, (short)slotOf[i]);
        wave_clone(inst, &preset->waves[i], to, (short)slotOf[i], 1);
        to->id = (int16_t)(kWaveUserBaseID + slotOf[i]);
    }
}
}  // namespace

void preset_presetToDsp(presetRec* preset, instRec* inst, short number)
{
    if (!preset || !inst) return;
    inst_reinit(inst);
    patch_clone(inst, &preset->patch, inst_getPatch(inst), number);

    for (short i = 0; i < kOscils; ++i)
        oscil_cloneInst(inst, &preset->oscil[i], inst_getOscilInst(inst, i), i, 1);
    for (short i = 0; i < kFilters; ++i)
        filter_cloneInst(inst, &preset->filter[i], inst_getFilterInst(inst, i), i, 1);
    for (short i = 0; i < kOscils; ++i) mod_cloneInst(inst, &preset->mod[i], inst_getModInst(inst, i), i, 1);
    waveshape_cloneInst(inst, &preset->waveshape, inst_getWaveshapeInst(inst), 0, 1);

    inst_initEffect(inst);
    if (preset->effect) effect_clone(inst, preset->effect.get(), nullptr, 1);

    cc_clone(inst, &preset->cc, inst_getCcInstRec(inst), 0, 1);
    vel_cloneInst(inst, &preset->vel, inst_getVel(inst), 1);
    storedCC_copyList(&preset->storedCC, inst_getStoredCC(inst));

    short maps = preset_notemapCount(preset);
    if (maps > 0) notemap_loadToDsp(inst, preset->notemaps.data(), maps);

    for (short i = 0; i < kLfos; ++i) lfo_cloneInst(inst, &preset->lfo[i], inst_getLfoInst(inst, i), i, 1);

    short envs = preset_envCount(preset);
    for (short i = 0; i < envs && i < kEnvSlots; ++i)
        env_clone(inst, &preset->envs[i], inst_getEnvInst(inst, i), i, 1);
    env_makeNormal(inst);

    if (!preset->waves.empty()) loadWaves(preset, inst);

    storedCC_dumpMIDI(inst);
}

void preset_dspToPreset(instRec* inst, presetRec* preset, short number)
{
    if (!inst || !preset) return;
    patch_clone(inst, inst_getPatch(inst), &preset->patch, number);

    for (short i = 0; i < kOscils; ++i)
        oscil_cloneInst(inst, inst_getOscilInst(inst, i), &preset->oscil[i], i, 0);
    for (short i = 0; i < kFilters; ++i)
        filter_cloneInst(inst, inst_getFilterInst(inst, i), &preset->filter[i], i, 0);
    for (short i = 0; i < kOscils; ++i) mod_cloneInst(inst, inst_getModInst(inst, i), &preset->mod[i], i, 0);
    waveshape_cloneInst(inst, inst_getWaveshapeInst(inst), &preset->waveshape, 0, 0);

    preset->effect.reset();
    preset->hasEffect = 0;
    if (effectHeader* current = effect_getCurrentPtr(inst)) {
        effectHandle record(effect_newHandle(effect_getMode(inst)));
        if (record && effect_clone(inst, current, record.get(), 0)) {
            preset->effect = std::move(record);
            preset->hasEffect = 1;
        }
    }

    cc_clone(inst, inst_getCcInstRec(inst), &preset->cc, 0, 0);
    vel_cloneInst(inst, inst_getVel(inst), &preset->vel, 0);
    storedCC_copyList(inst_getStoredCC(inst), &preset->storedCC);

    if (preset_newNotemapList(preset, notemap_count(inst))) {
        short got = notemap_storeToPreset(inst, preset->notemaps.data(), preset_notemapCount(preset));
        preset->notemaps.resize(got > 0 ? (size_t)got : 0u);
    }

    for (short i = 0; i < kLfos; ++i) lfo_cloneInst(inst, inst_getLfoInst(inst, i), &preset->lfo[i], i, 0);

    if (preset_newEnvList(preset, env_count(inst))) {
        short got = env_storeToPreset(inst, preset->envs.data(), preset_envCount(preset));
        preset->envs.resize(got > 0 ? (size_t)got : 0u);
    }
    if (preset_newWaveList(preset, wave_count(inst))) {
        short got = wave_storeToPreset(inst, preset->waves.data(), preset_waveCount(preset));
        preset->waves.resize(got > 0 ? (size_t)got : 0u);
    }
}
