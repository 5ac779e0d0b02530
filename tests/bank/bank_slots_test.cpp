// Copying, swapping, renaming and emptying slots of a bank.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/bank/bank_test_util.h"

namespace {
template <typename T> bool sameBytes(const T& a, const T& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

template <typename T> bool sameList(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

// Every stored field but the preset number, and separate lists and effect.
void expectSameSound(const presetRec* a, const presetRec* b)
{
    ASSERT_TRUE(a && b);
    patchRec pa = a->patch, pb = b->patch;
    pa.preset = pb.preset = 0;
    EXPECT_TRUE(sameBytes(pa, pb));
    EXPECT_TRUE(sameBytes(a->oscil, b->oscil) && sameBytes(a->filter, b->filter) &&
                sameBytes(a->mod, b->mod));
    EXPECT_TRUE(sameBytes(a->waveshape, b->waveshape) && sameBytes(a->lfo, b->lfo));
    EXPECT_TRUE(sameBytes(a->cc, b->cc) && sameBytes(a->vel, b->vel) && sameBytes(a->storedCC, b->storedCC));
    EXPECT_TRUE(sameList(a->envs, b->envs) && sameList(a->waves, b->waves) &&
                sameList(a->notemaps, b->notemaps));
    EXPECT_EQ(a->hasEffect, b->hasEffect);
    ASSERT_EQ(a->effect == nullptr, b->effect == nullptr);
    if (a->effect) {
        EXPECT_NE(a->effect.get(), b->effect.get());
        EXPECT_EQ(std::memcmp(a->effect.get(), b->effect.get(), (size_t)a->effect->size), 0);
    }
}

std::string nameOf(bankRec* bank, short slot)
{
    char name[kPatchNameLen + 1];
    bank_getPresetName(bank, slot, name);
    return name;
}
}  // namespace

// A copy is deep, lands under its new number, survives a save and a read,
// and an empty source empties the destination.
TEST(BankSlots, CopyIsDeepAndFollowsTheDestinationSlot)
{
    tempFolder dir;
    std::mt19937 rng(5);
    bankRec* src = bank_new();
    bankRec* dst = bank_new();
    fillRandomBank(src, testInst(0), {3, 9, 20}, rng, true);
    fillRandomBank(dst, testInst(1), {7}, rng, false);
    for (short s : {3, 9, 20}) {
        ASSERT_EQ(bank_copyPreset(dst, (short)(s + 100), src, s), 1);
        expectSameSound(bank_getPreset(src, s), bank_getPreset(dst, (short)(s + 100)));
        EXPECT_EQ(bank_getPreset(dst, (short)(s + 100))->patch.preset, s + 100);
    }
    EXPECT_EQ(dst->dirty, 1);
    EXPECT_EQ(src->dirty, 0);
    // The copy owns its lists: changing the source leaves it alone.
    presetRec* copy = bank_getPreset(dst, 103);
    bank_getPreset(src, 3)->envs[0].depth += 1.0f;
    EXPECT_NE(copy->envs[0].depth, bank_getPreset(src, 3)->envs[0].depth);
    bank_getPreset(src, 3)->envs[0].depth -= 1.0f;

    std::string path = dir.path("dst.glo");
    ASSERT_EQ(mvnFile_saveAs(dst, path.c_str(), nullptr), 1);
    bankRec* back = openBank(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(storedPresets(back), 4);
    for (short s : {3, 9, 20}) EXPECT_EQ(nameOf(back, (short)(s + 100)), nameOf(src, s));
    std::string again = dir.path("again.glo");
    ASSERT_EQ(mvnFile_saveAs(back, again.c_str(), nullptr), 1);
    EXPECT_EQ(readBytes(again), readBytes(path));

    // Within one bank, onto itself, and from an empty slot.
    ASSERT_EQ(bank_copyPreset(src, 50, src, 9), 1);
    expectSameSound(bank_getPreset(src, 9), bank_getPreset(src, 50));
    src->dirty = 0;
    EXPECT_EQ(bank_copyPreset(src, 9, src, 9), 1);
    EXPECT_EQ(src->dirty, 0);
    ASSERT_EQ(bank_copyPreset(dst, 7, src, 60), 1);
    EXPECT_EQ(bank_presetIsDefault(dst, 7), 1);
    bank_delete(back);
    bank_delete(dst);
    bank_delete(src);
}

TEST(BankSlots, SwapRenameAndInitialiseKeepNumbersAndTheDefaultIntact)
{
    std::mt19937 rng(9);
    bankRec* bank = bank_new();
    fillRandomBank(bank, testInst(0), {1, 2}, rng, false);
    presetRec* one = bank_getPreset(bank, 1);
    presetRec* two = bank_getPreset(bank, 2);
    ASSERT_EQ(bank_swapPresets(bank, 1, 2), 1);
    EXPECT_EQ(bank_getPreset(bank, 1), two);
    EXPECT_EQ(bank_getPreset(bank, 2), one);
    EXPECT_EQ(one->patch.preset, 2);
    EXPECT_EQ(two->patch.preset, 1);
    // With an empty slot: the preset moves, the shared default keeps number 0.
    ASSERT_EQ(bank_swapPresets(bank, 2, 90), 1);
    EXPECT_EQ(bank_getPreset(bank, 90), one);
    EXPECT_EQ(one->patch.preset, 90);
    EXPECT_EQ(bank_presetIsDefault(bank, 2), 1);
    EXPECT_EQ(bank->defaultPreset->patch.preset, 0);
    EXPECT_EQ(bank->dirty, 1);

    // Names are cut to what a preset holds; renaming an empty slot fills
    // only that slot.
    ASSERT_EQ(bank_renamePreset(bank, 90, "A name that is much longer than thirty-four characters"), 1);
    EXPECT_EQ(nameOf(bank, 90), "A name that is much longer than th");
    ASSERT_EQ(bank_renamePreset(bank, 40, "Fresh"), 1);
    EXPECT_EQ(bank_presetIsDefault(bank, 40), 0);
    EXPECT_EQ(nameOf(bank, 40), "Fresh");
    EXPECT_EQ(bank_getPreset(bank, 40)->patch.preset, 40);
    EXPECT_EQ(nameOf(bank, 41), "default");
    presetRec* fresh = preset_newDefault(40);
    patch_setName(&fresh->patch, "Fresh");
    expectSameSound(fresh, bank_getPreset(bank, 40));
    preset_delete(fresh);
    EXPECT_EQ(bank_renamePreset(bank, 1, nullptr), 1);
    EXPECT_EQ(nameOf(bank, 1), "");

    ASSERT_EQ(bank_initPreset(bank, 90), 1);
    EXPECT_EQ(bank_presetIsDefault(bank, 90), 1);
    EXPECT_EQ(bank_initPreset(bank, 90), 1);
    EXPECT_EQ(bank_presetCount(bank), 2);

    // Bad slots and banks change nothing.
    bank->dirty = 0;
    presetRec* held = bank_getPreset(bank, 1);
    EXPECT_EQ(bank_swapPresets(bank, 1, 128), 0);
    EXPECT_EQ(bank_swapPresets(bank, -1, 1), 0);
    EXPECT_EQ(bank_copyPreset(bank, 1, bank, 200), 0);
    EXPECT_EQ(bank_copyPreset(bank, -3, bank, 1), 0);
    EXPECT_EQ(bank_copyPreset(nullptr, 1, bank, 1), 0);
    EXPECT_EQ(bank_renamePreset(bank, 128, "x"), 0);
    EXPECT_EQ(bank_initPreset(bank, -1), 0);
    EXPECT_EQ(bank_initPreset(nullptr, 1), 0);
    EXPECT_EQ(bank_getPreset(bank, 1), held);
    EXPECT_EQ(bank_presetCount(bank), 2);
    EXPECT_EQ(bank->dirty, 0);
    bank_delete(bank);
}
