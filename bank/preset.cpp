// Presets: creation with their initial values, the variable lists and
// deletion. The transfer to and from an instrument is in preset_transfer.cpp.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

#include "bank/bank_internal.h"

presetRec* preset_new(short number)
{
    presetRec* preset = new (std::nothrow) presetRec();
    if (preset) preset_init(preset, number);
    return preset;
}

presetRec* preset_newDefault(short number)
{
    presetRec* preset = preset_new(number);
    if (preset) preset_initAmpEnv(preset);
    return preset;
}

void preset_init(presetRec* preset, short number)
{
    if (!preset) return;
    patch_initPatchRec(&preset->patch, number);
    preset->oscilCount = kOscils;
    for (short i = 0; i < kOscils; ++i) oscil_initInstRec(nullptr, &preset->oscil[i], i);
    preset->filterCount = kFilters;
    for (short i = 0; i < kFilters; ++i) filter_initInstRec(&preset->filter[i], i);
    preset->modCount = kOscils;
    for (short i = 0; i < kOscils; ++i) mod_initInstRec(&preset->mod[i], i);
    waveshape_initInstRec(&preset->waveshape);
    preset->hasEffect = 0;
    preset->effect.reset();
    cc_initCCInstRec(&preset->cc);
    vel_initVelInstRec(&preset->vel);
    storedCC_initList(&preset->storedCC);
    preset->notemaps.clear();
    preset->lfoCount = kLfos;
    for (short i = 0; i < kLfos; ++i) lfo_initInstRec(&preset->lfo[i], i);
    preset->envs.clear();
    preset->waves.clear();

    // A new preset sounds: the first channel is on, the master filter runs
    // mono, and only the first LFO is on, for the whole instrument.
    preset->oscil[0].active = 1;
    preset->filter[3].mono = 1;
    for (short i = 0; i < kLfos; ++i) {
        preset->lfo[i].on = (i == 0) ? 1 : 0;
        preset->lfo[i].polyOn = 0;
    }
}

// The default preset's three amplitude envelopes, one per channel; only the
// first channel's is shown.
void preset_initAmpEnv(presetRec* preset)
{
    if (!preset || !preset_newEnvList(preset, kOscils)) return;
    for (short i = 0; i < kOscils; ++i) {
        envInstRec* env = &preset->envs[i];
        env_initEnvInstRec(env, envParam_amp);
        env->channel = i;
        env->inUse = 1;
    }
    preset->envs[0].shown = 1;
}

void preset_delete(presetRec* preset) { delete preset; }

presetRec* preset_newCopy(const presetRec* from, short number)
{
    if (!from) return nullptr;
    presetRec* copy = new (std::nothrow) presetRec();
    if (!copy) return nullptr;
    try {
        copy->patch = from->patch;
        copy->oscilCount = from->oscilCount;
        std::copy(std::begin(from->oscil), std::end(from->oscil), copy->oscil);
        copy->filterCount = from->filterCount;
        std::copy(std::begin(from->filter), std::end(from->filter), copy->filter);
        copy->modCount = from->modCount;
        std::copy(std::begin(from->mod), std::end(from->mod), copy->mod);
        copy->waveshape = from->waveshape;
        copy->cc = from->cc;
        copy->vel = from->vel;
        copy->storedCC = from->storedCC;
        copy->notemaps = from->notemaps;
        copy->lfoCount = from->lfoCount;
        std::copy(std::begin(from->lfo), std::end(from->lfo), copy->lfo);
        copy->envs = from->envs;
        copy->waves = from->waves;
    } catch (const std::bad_alloc&) {
        delete copy;
        return nullptr;
    }
    copy->hasEffect = from->hasEffect;
    if (const effectHeader* e = from->effect.get()) {
        size_t size = 0;
        switch (e->type) {
        case effectMode_pipe: size = sizeof(effectPipeRec); break;
        case effectMode_multicomb: size = sizeof(effectMulticombRec); break;
        case effectMode_multitap: size = sizeof(effectMultitapRec); break;
        default: break;
        }
        effectHandle record(size ? effect_newHandle(e->type) : nullptr);
        if (!record) {
            delete copy;
            return nullptr;
        }
        std::memcpy(static_cast<void*>(record.get()), e, size);
        copy->effect = std::move(record);
    }
    copy->patch.preset = number;
    return copy;
}

namespace {
// Replaces a list by n value-initialised (zeroed) records.
template <typename T> int newList(std::vector<T>& list, short n, short limit)
{
    list.clear();
    if (n < 1) return 0;
    if (n > limit) n = limit;
    try {
        list.resize(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
        list.clear();
        return 0;
    }
    return 1;
}
}  // namespace

int preset_newNotemapList(presetRec* preset, short n)
{
    return preset ? newList(preset->notemaps, n, INT16_MAX) : 0;
}

int preset_newEnvList(presetRec* preset, short n)
{
    return preset ? newList(preset->envs, n, kPresetEnvMax) : 0;
}

int preset_newWaveList(presetRec* preset, short n)
{
    return preset ? newList(preset->waves, n, INT16_MAX) : 0;
}

short preset_envCount(const presetRec* preset)
{
    return preset ? static_cast<short>(preset->envs.size()) : 0;
}

short preset_waveCount(const presetRec* preset)
{
    return preset ? static_cast<short>(preset->waves.size()) : 0;
}

short preset_notemapCount(const presetRec* preset)
{
    return preset ? static_cast<short>(preset->notemaps.size()) : 0;
}
