// Slider records mirrored from the stored controllers, and controllers
// played into an instrument.
#include <cstring>

#include "tests/engine/engine_fixture.h"

namespace {
class Sliders : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        list = inst_getStoredCC(iac_getInst(3));
        storedCC_initList(list);
        for (auto& r : list->rec) storedCC_init(&r);
    }
    std::string label(int slot) const
    {
        const char* l = iac_changed[3].sliders[slot].label;
        return std::string(l, strnlen(l, IAC_SLIDER_LABEL_CHARS));
    }
    storedCCList* list = nullptr;
};
}  // namespace

TEST_F(Sliders, TwelveStoredControllersShowTheNineLowest)
{
    // Offered in a shuffled order; the list keeps the first nine, and the
    // sliders show them in controller order.
    const int offered[12] = {74, 2, 91, 7, 64, 1, 11, 93, 10, 71, 5, 3};
    for (int cc : offered) storedCC_addToList(list, cc, cc + 1, cc == 7 ? "Volume" : "");
    MorvaneEngine_updateAllSliders(3);
    const int shown[9] = {1, 2, 7, 10, 11, 64, 74, 91, 93};
    for (int slot = 0; slot < 9; ++slot) {
        EXPECT_EQ(iac_changed[3].sliders[slot].cc, shown[slot]) << slot;
        EXPECT_EQ(iac_changed[3].sliders[slot].value, shown[slot] + 1) << slot;
        EXPECT_EQ(iac_changed[3].sliders[slot].changed, 1);
        EXPECT_EQ(iac_changed[3].sliders[slot].zero, 0);
    }
    EXPECT_EQ(label(0), "cc 1");
    EXPECT_EQ(label(2), "Volume 7");
    EXPECT_EQ(iac_changed[3].slidersChanged.load(), 1);
}

TEST_F(Sliders, AftertouchTakesTheNextSlotAndTheRestAreEmpty)
{
    storedCC_addToList(list, 10, 64, "Pan");
    storedCC_addToList(list, -1, 90, "");
    storedCC_addToList(list, 0, 3, "Bank");
    MorvaneEngine_updateAllSliders(3);
    EXPECT_EQ(iac_changed[3].sliders[0].cc, 0);
    EXPECT_EQ(label(0), "Bank 0");
    EXPECT_EQ(label(1), "Pan 10");
    EXPECT_EQ(iac_changed[3].sliders[2].cc, -1);
    EXPECT_EQ(iac_changed[3].sliders[2].value, 90);
    EXPECT_EQ(label(2), "AT");
    for (int slot = 3; slot < 9; ++slot) {
        EXPECT_EQ(iac_changed[3].sliders[slot].cc, -2);
        EXPECT_EQ(iac_changed[3].sliders[slot].value, 0);
        EXPECT_EQ(label(slot), "");
    }
    storedCC_renameInList(list, -1, "Pressure");
    MorvaneEngine_updateAllSliders(3);
    EXPECT_EQ(label(2), "Pressure AT");

    // Eight controllers and the aftertouch entry fill all nine slots.
    for (auto& r : list->rec) storedCC_init(&r);
    for (int cc = 20; cc < 29; ++cc) storedCC_addToList(list, cc, 1, "");
    list->rec[4].cc = -1;
    MorvaneEngine_updateAllSliders(3);
    EXPECT_EQ(iac_changed[3].sliders[7].cc, 28);
    EXPECT_EQ(iac_changed[3].sliders[8].cc, -1);
}

TEST_F(Sliders, OneSliderIsCheckedAndLabelsKeepSixteenCharacters)
{
    // A sixteen-character name makes a label longer than the field: it is
    // cut at 16 characters with no terminator.
    storedCC_addToList(list, 74, 200, "Filter Cutoff XY");
    MorvaneEngine_updateAllSliders(3);
    EXPECT_EQ(label(0), "Filter Cutoff XY");
    EXPECT_EQ(iac_changed[3].sliders[0].value, 127);

    iac_changed[3].slidersChanged.store(0);
    iac_sliderRec before = iac_changed[3].sliders[8];
    for (long slot : {-1L, 9L, 1000L}) MorvaneEngine_updateOneSlider(3, slot, 5, 5, "x");
    MorvaneEngine_updateOneSlider(3, 8, 128, 5, "x");
    for (long instance : {-1L, 8L}) MorvaneEngine_updateOneSlider(instance, 0, 5, 5, "x");
    MorvaneEngine_updateAllSliders(8);
    EXPECT_EQ(std::memcmp(&before, &iac_changed[3].sliders[8], sizeof before), 0);
    EXPECT_EQ(iac_changed[3].slidersChanged.load(), 0);

    MorvaneEngine_updateOneSlider(3, 8, 42, -5, nullptr);
    EXPECT_EQ(iac_changed[3].sliders[8].cc, 42);
    EXPECT_EQ(iac_changed[3].sliders[8].value, 0);
    EXPECT_EQ(label(8), "");
    EXPECT_EQ(iac_changed[3].slidersChanged.load(), 1);
}

TEST_F(Sliders, PlayedControllersReachTheInstrumentAndItsPlugIn)
{
    instRec* inst = iac_getInst(3);
    iac_changed[3].ccPlayed.store(0);
    iac_changed[3].plugNotice.store(0);
    iac_changed[0].ccPlayed.store(0);
    MorvaneEngine_playCC(inst, 74, 300);
    EXPECT_EQ(midi_getCCVal(inst, 74), 127);
    EXPECT_EQ(iac_changed[3].ccPlayed.load(), 1);
    EXPECT_EQ(iac_changed[3].plugNotice.load(), 1);
    EXPECT_EQ(iac_changed[0].ccPlayed.load(), 0);
    MorvaneEngine_playCC(inst, -1, 55);
    EXPECT_EQ(midi_getCCVal(inst, -1), 55);
    MorvaneEngine_playCC(inst, 64, 100);
    EXPECT_EQ(inst_getMidi(inst)->sustain, 100);
    // Controller numbers that fit no MIDI packet are refused.
    MorvaneEngine_playCC(inst, 128, 1);
    MorvaneEngine_playCC(inst, -2, 1);
    MorvaneEngine_playCC(nullptr, 7, 1);
    EXPECT_EQ(midi_getCCVal(inst, 0), 0);
}
