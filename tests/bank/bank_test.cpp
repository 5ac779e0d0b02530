// Banks and presets in memory: initial values, slots, naming, the transfer
// between a preset and an instrument, and the names published to plug-ins.
#include <gtest/gtest.h>

#include <cstring>

#include "iac/MorvaneIAC_plug.h"
#include "tests/bank/bank_test_util.h"

TEST(Preset, NewPresetAndDefaultPresetHoldTheirInitialValues)
{
    presetRec* p = preset_new(7);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->patch.preset, 7);
    EXPECT_STREQ(std::string(p->patch.name, strnlen(p->patch.name, kPatchNameLen)).c_str(), "default");
    EXPECT_EQ(p->oscil[0].active, 1);
    EXPECT_EQ(p->oscil[1].active, 0);
    EXPECT_EQ(p->filter[3].mono, 1);
    EXPECT_EQ(p->lfo[0].on, 1);
    EXPECT_EQ(p->lfo[1].on, 0);
    EXPECT_EQ(p->lfo[2].on, 0);
    for (const lfoInstRec& l : p->lfo) EXPECT_EQ(l.polyOn, 0);
    EXPECT_EQ(p->effect, nullptr);
    EXPECT_TRUE(p->envs.empty() && p->waves.empty() && p->notemaps.empty());
    EXPECT_EQ(p->storedCC.count, kStoredCC);
    preset_delete(p);

    presetRec* d = preset_newDefault(0);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(preset_envCount(d), 3);
    for (short i = 0; i < 3; ++i) {
        EXPECT_EQ(d->envs[i].param, envParam_amp);
        EXPECT_EQ(d->envs[i].channel, i);
        EXPECT_EQ(d->envs[i].inUse, 1);
        EXPECT_EQ(d->envs[i].shown, i == 0 ? 1 : 0);
    }
    preset_delete(d);
}

TEST(Preset, ListAllocationsLimitAndRefuse)
{
    presetRec* p = preset_new(0);
    EXPECT_EQ(preset_newEnvList(p, 30), 1);
    EXPECT_EQ(preset_envCount(p), 24);
    EXPECT_EQ(preset_newEnvList(p, 0), 0);
    EXPECT_EQ(preset_envCount(p), 0);
    EXPECT_EQ(preset_newWaveList(p, -2), 0);
    EXPECT_EQ(preset_waveCount(p), 0);
    EXPECT_EQ(preset_newNotemapList(p, 4), 1);
    EXPECT_EQ(preset_notemapCount(p), 4);
    preset_delete(p);
}

TEST(Bank, NewBankIsAllDefaultAndNamedUntitled)
{
    bankRec* bank = bank_new();
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(bank_currentPreset(bank), -1);
    char name[kBankNameMax + 1];
    for (short s = 0; s < kBankSlots; ++s) {
        EXPECT_EQ(bank_presetIsDefault(bank, s), 1);
        bank_getPresetName(bank, s, name);
        EXPECT_STREQ(name, "default");
    }
    bank_getPresetName(bank, 128, name);
    EXPECT_STREQ(name, "");
    bank_getPresetName(bank, -1, name);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(bank_presetIsDefault(bank, 128), 0);
    bank_getName(bank, name);
    EXPECT_STREQ(name, "Untitled");
    std::strcpy(bank->file.path, "/some/folder/My Strings.glo");
    bank_getName(bank, name);
    EXPECT_STREQ(name, "My Strings.glo");
    bank_delete(bank);
}

TEST(Bank, AddPresetUsesThePresetNumberAndReplaces)
{
    bankRec* bank = bank_new();
    presetRec* a = preset_new(9);
    presetRec* b = preset_new(9);
    patch_setName(&b->patch, "second");
    EXPECT_EQ(bank_addPreset(bank, a), 1);
    EXPECT_EQ(bank_addPreset(bank, b), 1);  // a is deleted (ASan would see a leak otherwise)
    char name[40];
    bank_getPresetName(bank, 9, name);
    EXPECT_STREQ(name, "second");
    presetRec* out = preset_new(128);
    EXPECT_EQ(bank_addPreset(bank, out), 0);  // refused, still ours
    out->patch.preset = -1;
    EXPECT_EQ(bank_addPreset(bank, out), 0);
    preset_delete(out);
    EXPECT_EQ(storedPresets(bank), 1);
    bank_clearPresets(bank);
    EXPECT_EQ(storedPresets(bank), 0);
    bank_delete(bank);
}

TEST(Bank, StoreThenSelectReproducesThePreset)
{
    bankRec* bank = bank_new();
    instRec* a = testInst(0);
    std::mt19937 rng(5);
    randomInstrument(a, rng, false);
    patch_setName(inst_getPatch(a), "stored five");
    oscil_setMode(a, 1, oscMode_fm);
    filter_setFreq(a, 2, 1234.0);
    bank_storeInst(bank, a, 5);
    bank_storeInst(bank, a, 128);  // ignored
    EXPECT_EQ(bank_presetIsDefault(bank, 5), 0);
    EXPECT_EQ(storedPresets(bank), 1);

    instRec* b = testInst(1);
    bank_selectPreset(bank, b, 5);
    EXPECT_EQ(bank_currentPreset(bank), 5);
    EXPECT_EQ(inst_getPatch(b)->preset, 5);
    char name[kPatchNameLen + 1] = {};
    inst_patch_getName(b, name);
    EXPECT_STREQ(name, "stored five");
    EXPECT_EQ(oscil_getMode(b, 1), oscMode_fm);
    EXPECT_NEAR(filter_getFreq(b, 2), 1234.0, 1.0);
    for (short i = 0; i < kOscils; ++i) {
        EXPECT_EQ(0, std::memcmp(&a->oscil[i].mainIncrement, &b->oscil[i].mainIncrement, 76)) << i;
        EXPECT_EQ(a->mod[i].waveID, b->mod[i].waveID);
    }
    EXPECT_EQ(env_count(a), env_count(b));
    EXPECT_EQ(wave_count(a), wave_count(b));
    EXPECT_EQ(effect_getMode(a), effect_getMode(b));
    EXPECT_EQ(0, std::memcmp(inst_getLfoInst(a, 0), inst_getLfoInst(b, 0), 84));
    for (short w = 0; w < kPresetWaves; ++w)
        EXPECT_EQ(0, std::memcmp(a->presetWave[w].data, b->presetWave[w].data, sizeof(float) * kWaveSize));
    bank_delete(bank);
}

TEST(Bank, SelectOutsideTheSlotsChangesNothingAndDoesNotPause)
{
    bankRec* bank = bank_new();
    instRec* inst = testInst(2);
    inst->paused = 0;
    patch_setName(inst_getPatch(inst), "untouched");
    bank_selectPreset(bank, inst, 128);
    bank_selectPreset(bank, inst, -1);
    EXPECT_EQ(inst->paused, 0);
    EXPECT_EQ(inst->fadeHandshake, 0);
    EXPECT_EQ(bank_currentPreset(bank), -1);
    char name[kPatchNameLen + 1] = {};
    inst_patch_getName(inst, name);
    EXPECT_STREQ(name, "untouched");
    bank_delete(bank);
}

TEST(Bank, SelectTellsTheShellAndClearsNoteMemory)
{
    static int told = -1;
    bank_setSelectNotifyProc([](int instance) { told = instance; });
    bankRec* bank = bank_new();
    instRec* inst = testInst(3);
    inst_getMidi(inst)->noteMem[0] = 60;
    bank_selectPreset(bank, inst, 0);
    EXPECT_EQ(told, 3);
    EXPECT_EQ(inst_getMidi(inst)->noteMem[0], -1);
    EXPECT_EQ(inst->paused, 1);  // left paused; the plug-in was asked to repatch
    bank_setSelectNotifyProc(nullptr);
    bank_delete(bank);
}

TEST(Bank, PresetWithTwelveWavesLoadsEightIntoTheirSlots)
{
    instRec* inst = testInst(0);
    presetRec* p = preset_new(0);
    ASSERT_TRUE(preset_newWaveList(p, 12));
    for (short i = 0; i < 12; ++i) {
        waveRecInit(&p->waves[i], (short)(11 - i), kWaveListUser, waveType_user, nullptr, "w");
        p->waves[i].data[0] = (float)i;
    }
    preset_presetToDsp(p, inst, 0);
    // The first eight carry identifiers of slots 11..4: 4..7 land in their
    // own slots, the others take the free slots 0..3 in list order.
    EXPECT_EQ(wave_count(inst), 8);
    for (short slot = 4; slot < 8; ++slot)
        EXPECT_EQ(inst->presetWave[slot].data[0], (float)(11 - slot)) << slot;
    for (short slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(inst->presetWave[slot].data[0], (float)slot) << slot;
        EXPECT_EQ(inst->presetWave[slot].id, kWaveUserBaseID + slot);
    }
    preset_delete(p);
}

TEST(Bank, WavesStoredFromSparseSlotsComeBackToThoseSlots)
{
    instRec* a = testInst(0);
    for (int i = 0; i < 6; ++i) inst_newPresetWave(a);
    for (short s = 0; s < 6; ++s) a->presetWave[s].data[3] = 10.0f + s;
    a->presetWave[1].type = waveType_free;  // the user deleted waves 1 and 3
    a->presetWave[3].type = waveType_free;
    oscil_setMainWaveID(a, 0, (short)(kWaveUserBaseID + 5));
    bankRec* bank = bank_new();
    bank_storeInst(bank, a, 1);
    instRec* b = testInst(1);
    bank_selectPreset(bank, b, 1);
    EXPECT_EQ(oscil_getMainWaveID(b, 0), kWaveUserBaseID + 5);
    EXPECT_EQ(wave_getType(b, (short)(kWaveUserBaseID + 5)), waveType_user);
    EXPECT_EQ(wave_getWaveDataFromID(b, (short)(kWaveUserBaseID + 5))[3], 15.0f);
    EXPECT_EQ(wave_getType(b, (short)(kWaveUserBaseID + 1)), waveType_free);
    bank_delete(bank);
}

TEST(Bank, PublishesNamesToThePlugIns)
{
    bankRec* bank = bank_new();
    presetRec* p = preset_new(17);
    patch_setName(&p->patch, "Glass Bells");
    bank_addPreset(bank, p);
    std::strcpy(bank->file.path, "/banks/Mine.glo");
    uint32_t before = iac_plug_namesGeneration();
    bank_setPlugNames(bank);
    EXPECT_EQ(iac_plug_namesGeneration(), before + 1);
    char name[64];
    ASSERT_TRUE(iac_plug_getPresetName(17, name, sizeof name));
    EXPECT_STREQ(name, "Glass Bells");
    ASSERT_TRUE(iac_plug_getPresetName(0, name, sizeof name));
    EXPECT_STREQ(name, "default");
    ASSERT_TRUE(iac_plug_getBankName(name, sizeof name));
    EXPECT_STREQ(name, "Mine.glo");
    bank_delete(bank);
}
