#include <cmath>
#include <cstring>
#include <string>

#include "wtm_test_util.h"

namespace {

// Pitch (a real note number) a tuning gives a note.
double pitchOf(short slot, short note)
{
    return hertzToNote(phaseIncrementToHertz(tune_getIncr(slot, note)));
}
double hertzOf(short slot, short note) { return phaseIncrementToHertz(tune_getIncr(slot, note)); }

std::string nameOf(short slot)
{
    char text[kTuneNameLen + 1] = {};
    tune_getName(slot, text);
    return text;
}

std::string lastError;
void catchError(const char* message) { lastError = message; }

TEST(TuneList, SlotsIdsNamesAndMenu)
{
    ASSERT_EQ(tune_getListSize(), 31);
    struct expected {
        short slot;
        int id;
        const char* name;
    };
    const expected list[] = {{0, 1, "8ve / 12"},        {1, 2, "8ve / 19"},          {2, 3, "8ve / 24"},
                             {27, 4, "8ve / 31"},       {3, 5, "8ve / 43 otone"},    {4, 6, "8ve / 48"},
                             {5, 7, "8ve / 96"},        {6, 8, "harmonic"},          {7, 9, "Vallotti"},
                             {8, 10, "Werckmeister 3"}, {21, 11, "Zalzal"},          {22, 12, "Farabi 1"},
                             {23, 13, "Farabi 2"},      {25, 14, "Pelog + Slendro"}, {28, 15, "Indian"},
                             {26, 16, "balafon"},       {29, 17, "Ionic/Aeolic"},    {30, 18, "Harrison 16"},
                             {31, 19, "pythagorean"},   {9, 20, "mean tone c"},      {10, 21, "mean tone c#"},
                             {11, 22, "mean tone d"},   {12, 23, "mean tone d#"},    {13, 24, "mean tone e"},
                             {14, 25, "mean tone f"},   {15, 26, "mean tone f#"},    {16, 27, "mean tone g"},
                             {17, 28, "mean tone g#"},  {18, 29, "mean tone a"},     {19, 30, "mean tone a#"},
                             {20, 31, "mean tone b"}};
    for (const expected& e : list) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(tune_list[e.slot].id, e.id);
        EXPECT_EQ(nameOf(e.slot), e.name);
        EXPECT_EQ(tune_menuItemToID(static_cast<short>(e.id)), e.slot);
        EXPECT_EQ(tune_idToMenuItem(e.slot), e.id);
    }
    // Slot 24 and 32..63 hold none; the menu maps them to item 1.
    for (short slot : {short(24), short(32), short(63)}) {
        EXPECT_EQ(tune_list[slot].id, 0);
        EXPECT_EQ(tune_idToMenuItem(slot), 1);
    }
    EXPECT_EQ(tune_idToMenuItem(-1), 1);
    EXPECT_EQ(tune_idToMenuItem(64), 1);
    EXPECT_EQ(tune_menuItemToID(0), 0);
    EXPECT_EQ(tune_menuItemToID(32), 0);
    // A slot without a tuning still plays 12-tone equal temperament.
    EXPECT_EQ(0, std::memcmp(tune_list[40].incr, tune_list[0].incr, sizeof tune_list[0].incr));
}

TEST(TuneList, BadTuneIdGoesToTheErrorChannel)
{
    dsp_setErrorProc(catchError);
    lastError.clear();
    char text[kTuneNameLen];
    std::memset(text, 'x', sizeof text);
    tune_getName(24, text);
    EXPECT_EQ(lastError, "bad tune id");
    for (char c : text) EXPECT_EQ(c, 0);
    lastError.clear();
    tune_getName(-3, text);
    EXPECT_EQ(lastError, "bad tune id");
    lastError.clear();
    tune_getName(31, text);
    EXPECT_EQ(lastError, "");
    dsp_setErrorProc(nullptr);
    tune_getName(99, text);  // nobody listening: dropped quietly
}

TEST(Tunings, EqualDivisionsKeepNote60At60)
{
    for (short slot : {short(0), short(1), short(2), short(27), short(3), short(4), short(5)})
        EXPECT_NEAR(pitchOf(slot, 60), 60.0, 1e-6) << slot;
    // 12-tone: note 69 runs at about 10.2168 positions per sample.
    EXPECT_NEAR(tune_getIncr(0, 69), 10.2168, 1e-4);
    EXPECT_NEAR(tune_getIncr(0, 69), noteToPhaseIncrement(69), 1e-9);
    // 19 steps make an octave.
    EXPECT_NEAR(pitchOf(1, 79), 72.0, 1e-5);
    EXPECT_NEAR(hertzOf(1, 79) / hertzOf(1, 60), 2.0, 1e-5);
    // 24 steps: a quarter tone each.
    EXPECT_NEAR(pitchOf(2, 61) - pitchOf(2, 60), 0.5, 1e-6);
    // 96: steps of an eighth tone from pitch 52.5 at note 0.
    EXPECT_NEAR(pitchOf(5, 0), 52.5, 1e-6);
    EXPECT_NEAR(pitchOf(5, 1), 52.625, 1e-6);
    // 12: the start would be below 0 for a reference above 60 and is raised.
    tuneRec low;
    equalTune(&low, 60.0, 72, 12);
    EXPECT_NEAR(hertzToNote(phaseIncrementToHertz(low.incr[0])), 0.0, 1e-6);
    EXPECT_NEAR(hertzToNote(phaseIncrementToHertz(low.incr[60])), 60.0, 1e-6);
}

TEST(Tunings, HarmonicSeries)
{
    EXPECT_NEAR(hertzOf(6, 36), 32.70, 0.01);
    EXPECT_NEAR(hertzOf(6, 37), 65.41, 0.01);
    EXPECT_NEAR(hertzOf(6, 38), 98.11, 0.01);
    EXPECT_NEAR(hertzOf(6, 37) / hertzOf(6, 36), 2.0, 1e-12);
    EXPECT_NEAR(hertzOf(6, 40) / hertzOf(6, 36), 5.0, 1e-12);
    // Below note 36 the scratch record still held "8ve / 96".
    for (short n = 0; n < 36; ++n) EXPECT_EQ(tune_getIncr(6, n), tune_getIncr(5, n)) << n;
}

TEST(Tunings, TwelveNotePatterns)
{
    // Pythagorean fifths are 3:2, its major third 81:64.
    EXPECT_NEAR(hertzOf(31, 67) / hertzOf(31, 60), 1.5, 1e-6);
    EXPECT_NEAR(hertzOf(31, 62) / hertzOf(31, 55), 1.5, 1e-6);
    EXPECT_NEAR(hertzOf(31, 64) / hertzOf(31, 60), 81.0 / 64.0, 1e-6);
    // Meantone: the major third is a pure 5:4 (c-e).
    EXPECT_NEAR(hertzOf(9, 64) / hertzOf(9, 60), 1.25, 1e-4);
    // "mean tone d": note 2 at pitch 2.1026; note 1 an octave below note 13.
    EXPECT_NEAR(pitchOf(11, 2), 2.1026, 1e-6);
    EXPECT_DOUBLE_EQ(tune_getIncr(11, 1), 0.5 * tune_getIncr(11, 13));
    // The top notes are written an octave above those below them.
    for (short slot : {short(7), short(8), short(20), short(31)})
        for (short n = 116; n < 128; ++n)
            EXPECT_DOUBLE_EQ(tune_getIncr(slot, n), 2.0 * tune_getIncr(slot, n - 12));
    // Every octave repeats (a-a in Vallotti and Werckmeister, both pure 9 = 0).
    EXPECT_NEAR(pitchOf(7, 69), 69.0, 1e-6);
    EXPECT_NEAR(pitchOf(8, 69), 69.0, 1e-6);
    EXPECT_NEAR(pitchOf(8, 65), 65.0978, 1e-6);
}

TEST(Tunings, RatioScalesAndHarrison)
{
    // Zalzal: the fifth (degree 7) is 1.5 times the octave start.
    EXPECT_NEAR(hertzOf(21, 67) / hertzOf(21, 60), 1.5, 1e-6);
    EXPECT_NEAR(hertzOf(21, 60), noteToHertz(60), 1e-3);
    // Indian: degree 4 is 3.66 semitones up, degree 3 0.93.
    EXPECT_NEAR(pitchOf(28, 64) - 60.0, 3.66, 1e-5);
    EXPECT_NEAR(pitchOf(28, 63) - 60.0, 0.93, 1e-5);
    EXPECT_DOUBLE_EQ(tune_getIncr(26, 127), 2.0 * tune_getIncr(26, 115));
    // Harrison 16.
    EXPECT_NEAR(pitchOf(30, 0), 14.6687, 1e-6);
    EXPECT_NEAR(pitchOf(30, 11), 22.8827, 1e-6);
    EXPECT_NEAR(pitchOf(30, 12), 24.0, 1e-6);
    EXPECT_NEAR(pitchOf(30, 28), 36.0, 1e-6);
    EXPECT_NEAR(pitchOf(30, 59), 58.8827, 1e-6);
    EXPECT_NEAR(pitchOf(30, 60), 60.0, 1e-6);
    EXPECT_NEAR(pitchOf(30, 127), 108.0 + 2.311, 1e-6);
    // Every tuning rises from note to note, but for the scales whose degrees
    // repeat or cross (balafon, Pelog + Slendro, Indian) and "harmonic",
    // whose series starts below the notes left from "8ve / 96".
    for (short slot = 0; slot < 32; ++slot) {
        if (slot == 6 || slot == 24 || slot == 25 || slot == 26 || slot == 28) continue;
        for (short n = 1; n < 128; ++n)
            EXPECT_GT(tune_getIncr(slot, n), tune_getIncr(slot, n - 1)) << slot << " " << n;
    }
}

TEST(TuneSelection, SetRetunesVoicesAndRefusesEmptySlots)
{
    instRec* inst = wtm::freshInst();
    inst_patch_setTrans(inst, 12.0f);
    inst->voicesInUse = 3;
    inst->voice[0].note = 60;
    inst->voice[1].note = -1;  // free: keeps its increment
    inst->voice[1].frequency = 7.0f;
    inst->voice[2].note = 69;
    inst->voice[5].note = 60;  // not in use
    inst->voice[5].frequency = 3.0f;
    tune_set(inst, 1);
    EXPECT_EQ(inst->patch.microtune, 1);
    EXPECT_EQ(inst->extra.tuneIncr.get(), tune_getIncrTable(1));
    EXPECT_FLOAT_EQ(inst->voice[0].frequency, static_cast<float>(2.0 * tune_getIncr(1, 60)));
    EXPECT_FLOAT_EQ(inst->voice[2].frequency, static_cast<float>(2.0 * tune_getIncr(1, 69)));
    EXPECT_EQ(inst->voice[1].frequency, 7.0f);
    EXPECT_EQ(inst->voice[5].frequency, 3.0f);
    EXPECT_EQ(tune_getSelectedMenuItem(inst), 2);

    float before = inst->voice[0].frequency;
    tune_set(inst, 24);
    tune_set(inst, 40);
    tune_set(inst, -1);
    EXPECT_EQ(inst->patch.microtune, 1);
    EXPECT_EQ(inst->voice[0].frequency, before);

    tune_selectFromPopup(inst, nullptr, 19);
    EXPECT_EQ(inst->patch.microtune, 31);
    tune_selectFromPopup(inst, nullptr, 32);
    tune_selectFromPopup(inst, nullptr, 0);
    EXPECT_EQ(inst->patch.microtune, 31);
    tune_set(nullptr, 3);
}

TEST(TuneSelection, IndexNamingNoTuningFallsBackToSlot0)
{
    for (short slot : {short(24), short(-7), short(64), short(32000)}) {
        EXPECT_EQ(tune_getIncrTable(slot), tune_getIncrTable(0)) << slot;
        EXPECT_EQ(tune_getIncr(slot, 69), tune_getIncr(0, 69));
    }
    EXPECT_EQ(tune_getIncr(0, 128), 0.0);
    EXPECT_EQ(tune_getIncr(0, -1), 0.0);
    instRec* inst = wtm::freshInst();
    inst->patch.microtune = 24;  // as a damaged bank file could leave it
    EXPECT_EQ(tune_getSelectedMenuItem(inst), 1);
}

TEST(TuneList, NewAndNameRules)
{
    short before = tune_getListSize();
    tuneRec scratch;
    std::memset(&scratch, 0, sizeof scratch);
    equalTune(&scratch, 60.0, 60, 5);
    tune_new(64, 40, &scratch, "out");
    tune_new(50, 0, &scratch, "no id");
    EXPECT_EQ(tune_getListSize(), before);
    EXPECT_EQ(tune_list[50].id, 0);
    tuneRec named;
    nameThatTune(&named, "a very long tuning name");
    EXPECT_EQ(0, std::memcmp(named.name, "a very long tuni", kTuneNameLen));
}

}  // namespace
