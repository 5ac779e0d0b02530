// What the Main window's controls do to the instrument, checked without
// the controls: preset stepping at the ends of the bank, slider labels and
// the names stored from them, the slider backgrounds, the patch values,
// the keyboard's and the wheel's MIDI.
#include <cmath>
#include <cstring>

#include "tests/windows/mainwin_fixture.h"

namespace {
class MainWindowActions : public MainWindowTest {};
}  // namespace

TEST_F(MainWindowActions, PresetStepsStayInsideTheBank)
{
    EXPECT_EQ(wMain_stepTarget(0, -1), -1);                                   // Up on slot 0
    for (short s = 0; s < 4; ++s) EXPECT_EQ(wMain_stepTarget(s, -4), -1);     // Left in the first column
    EXPECT_EQ(wMain_stepTarget(127, 1), -1);                                  // Down on 127
    for (short s = 124; s < 128; ++s) EXPECT_EQ(wMain_stepTarget(s, 4), -1);  // Right in the last column
    EXPECT_EQ(wMain_stepTarget(4, -4), 0);
    EXPECT_EQ(wMain_stepTarget(126, 1), 127);
    EXPECT_EQ(wMain_pageOffsetOf(0), 0);
    EXPECT_EQ(wMain_pageOffsetOf(15), 0);
    EXPECT_EQ(wMain_pageOffsetOf(16), 16);
    EXPECT_EQ(wMain_pageOffsetOf(127), 112);

    // A matrix cell selects offset + cell, but not the current preset.
    gInst->patch.preset = 18;
    presetMatrixOffset = 16;
    EXPECT_EQ(wMain_matrixCellToSlot(2), -1);
    EXPECT_EQ(wMain_matrixCellToSlot(3), 19);
    EXPECT_EQ(wMain_matrixCellToSlot(16), -1);
    presetMatrixOffset = 112;
    EXPECT_EQ(wMain_matrixCellToSlot(15), 127);
}

TEST_F(MainWindowActions, SliderLabelsAndTheNamesTheyStore)
{
    storedCCRec rec = {};
    rec.cc = 7;
    char label[40];
    wMain_sliderLabel(&rec, label, sizeof label);
    EXPECT_STREQ(label, "cc 7");
    std::strcpy(rec.name, "Volume");
    wMain_sliderLabel(&rec, label, sizeof label);
    EXPECT_STREQ(label, "Volume 7");
    rec.cc = -1;
    wMain_sliderLabel(&rec, label, sizeof label);
    EXPECT_STREQ(label, "Volume AT");
    rec.name[0] = 0;
    wMain_sliderLabel(&rec, label, sizeof label);
    EXPECT_STREQ(label, "AT");

    char name[kStoredCCNameLen + 1];
    const char* cases[][2] = {
        {"Breath 71", "Breath"},  // the number the label shows is not stored
        {"w 12345", "w 1"},       // four digits at most, then no blank ends the name
        {"7", "7"},               // never the first character
        {"12345", "1"},
        {"Foot ", "Foot"},
        {"Mod", "Mod"},
        {"Modulation 1", "Modulati"},  // a label holds 8 characters
        {"Cutoff 74", "Cutoff"},       // "Cutoff 7": its digit goes, then the blank
        {"", ""},
    };
    for (auto& c : cases) {
        wMain_stripSliderName(c[0], name);
        EXPECT_STREQ(name, c[1]) << c[0];
    }

    // Renaming from a typed label reaches the instrument and the plug-in's label.
    wMain_renameSlider(7, "Level 7");
    storedCCRec* seven = storedCC_getRecFromCC(inst_getStoredCC(gInst), 7);
    ASSERT_NE(seven, nullptr);
    EXPECT_STREQ(seven->name, "Level");
    EXPECT_STREQ(iac_changed[0].sliders[1].label, "Level 7");
}

TEST_F(MainWindowActions, SliderBackgroundFollowsTheStoredControllers)
{
    storedCCList* list = inst_getStoredCC(gInst);
    storedCCRec* recs[kMainSliders];
    // The three defaults: controllers 1, 7 and 10 in order, one row.
    ASSERT_EQ(wMain_collectSliderRecs(gInst, recs), 3);
    EXPECT_EQ(recs[0]->cc, 1);
    EXPECT_EQ(recs[2]->cc, 10);
    EXPECT_EQ(wMain_sliderPanelFor(3), mainId_sliderPanel1);
    EXPECT_EQ(wMain_sliderPanelFor(4), mainId_sliderPanel1 + 1);
    EXPECT_EQ(wMain_sliderPanelFor(6), mainId_sliderPanel1 + 1);
    EXPECT_EQ(wMain_sliderPanelFor(7), mainId_sliderPanel1 + 2);
    EXPECT_EQ(wMain_sliderPanelFor(0), mainId_sliderPanel1);
    // The aftertouch entry comes first, then the controllers upward.
    storedCC_addToList(list, 74, 5, "Cut");
    storedCC_addToList(list, -1, 9, "");
    ASSERT_EQ(wMain_collectSliderRecs(gInst, recs), 5);
    EXPECT_EQ(recs[0]->cc, -1);
    EXPECT_EQ(recs[4]->cc, 74);
    for (int k = 0; k < kStoredCC; ++k) storedCC_init(&list->rec[k]);
    EXPECT_EQ(wMain_collectSliderRecs(gInst, recs), 0);
}

TEST_F(MainWindowActions, PatchValuesAndTheirDerivedValues)
{
    inst_patch_setPoly(gInst, 4);
    wMain_setDB(-6.0);
    EXPECT_NEAR(inst_patch_getAmp(gInst), 0.5f, 1e-6);
    EXPECT_NEAR(gInst->outGain, 0.5f / 4, 1e-6);
    wMain_setPoly(2.9);  // truncated; the output gain follows
    EXPECT_EQ(inst_patch_getPoly(gInst), 2);
    EXPECT_NEAR(gInst->outGain, 0.5f / 2, 1e-6);
    wMain_setPan(0.25);
    EXPECT_NEAR(inst_patch_getPan(gInst), 0.25f, 1e-6);
    wMain_setTranspose(-12.0);
    EXPECT_NEAR(inst_patch_getTrans(gInst), -12.0f, 1e-4);
    EXPECT_NEAR(gInst->patch.trans, 0.5f, 1e-5);  // stored as a frequency ratio
    // "default" is shown, and kept, as "untitled".
    inst_patch_setName(gInst, "default");
    char shown[kPatchNameLen + 1];
    wMain_presetNameForDisplay(shown);
    EXPECT_STREQ(shown, "untitled");
    EXPECT_EQ(patchName(gInst), "untitled");
    wMain_renamePreset("A name longer than the thirty-four bytes of the field");
    EXPECT_EQ(patchName(gInst), std::string("A name longer than the thirty-four").substr(0, kPatchNameLen));
}

TEST_F(MainWindowActions, KeysAndWheelReachTheInstrument)
{
    midi_clearBuffer(inst_getMidi(gInst));
    wMain_playKey(60, 1);
    wMain_playKey(60, 0);
    wMain_playKey(-1, 0);  // a keyboard stopped with no key down
    wMain_playKey(128, 1);
    EXPECT_EQ(midiEvents(gInst), (std::vector<std::string>{"144 60 75", "144 60 0"}));

    EXPECT_EQ(wMain_bendFromDistance(0), 64);
    EXPECT_GT(wMain_bendFromDistance(10), 64);
    EXPECT_LT(wMain_bendFromDistance(-10), 64);
    EXPECT_EQ(wMain_bendFromDistance(500), 127);
    EXPECT_EQ(wMain_bendFromDistance(-500), 0);
    cc_setBendRange(gInst, 2);
    wMain_playBend(127);
    EXPECT_NEAR(gInst->cc.bendTarget, std::pow(2.0f, 2.0f / 12.0f), 1e-5);  // full deflection: the range
    wMain_centreBend();
    EXPECT_EQ(inst_getMidi(gInst)->bendRaw, 64);
    EXPECT_FLOAT_EQ(gInst->cc.bendTarget, 1.0f);

    wMain_playSustain(1);
    EXPECT_EQ(midi_getCCVal(gInst, 64), 127);
    EXPECT_EQ(iac_changed[0].ccPlayed.load(), 1);
    wMain_playSustain(0);
    EXPECT_EQ(midi_getCCVal(gInst, 64), 0);
}
