// Filter conversions and the mode-dependent setters and getters.
#include <cerrno>
#include <cmath>
#include <cstring>

#include "osc_filter_util.h"

using oscTest::freshInst;

TEST(FilterConversion, FrequencyIndexAndCombDelay)
{
    EXPECT_EQ(filterFreqToIndex(5.0), 0.0);
    EXPECT_NEAR(filterFreqToIndex(440.0), 258.4, 0.05);
    EXPECT_EQ(filterFreqToIndex(20480.0), 480.0);
    EXPECT_EQ(filterFreqToIndex(2.0), 0.0);
    EXPECT_EQ(filterFreqToIndex(0.0), 0.0);
    EXPECT_EQ(filterFreqToIndex(1e9), 480.0);
    errno = 0;
    EXPECT_TRUE(std::isnan(filterFreqToIndex(-1.0)));
    EXPECT_EQ(errno, 33);

    EXPECT_EQ(filterIndexToFreq(0.0), 5.0);
    EXPECT_EQ(filterIndexToFreq(480.0), 20480.0);
    EXPECT_EQ(filterIndexToFreq(-10.0), 5.0);
    EXPECT_EQ(filterIndexToFreq(900.0), 20480.0);
    for (double hz : {5.0, 31.0, 440.0, 2008.5, 9999.0, 20480.0})
        EXPECT_NEAR(filterIndexToFreq(filterFreqToIndex(hz)) / hz, 1.0, 1e-6) << hz;

    EXPECT_NEAR(filterHzToCombFreq(220.0), 200.4545454, 1e-6);
    EXPECT_EQ(filterHzToCombFreq(3.0), 2046.0);  // 3 Hz counts as 5: 8820 samples, limited
    EXPECT_EQ(filterHzToCombFreq(-50.0), 2046.0);
    EXPECT_EQ(filterHzToCombFreq(50000.0), 1.0);
    EXPECT_NEAR(filterCombFreqToHz(2046.0), 21.5542522, 1e-6);
    EXPECT_EQ(filterCombFreqToHz(1.0), 44100.0);
    EXPECT_TRUE(std::isinf(filterCombFreqToHz(1e-40)));  // subnormal counts as zero
    for (double hz : {25.0, 220.0, 1000.0, 44100.0})
        EXPECT_NEAR(filterCombFreqToHz(filterHzToCombFreq(hz)), hz, 1e-9 * hz);
}

TEST(Filter, SetModeClearsEveryVoiceAndTakesOnlyRealModes)
{
    instRec* inst = freshInst();
    for (short f = 0; f < kFilters; ++f)
        for (short v = 0; v < kVoices; v += 21) {
            inst_getFilterVoice(inst, f, v)->memory[7] = 0.5f;
            inst_getFilterVoice(inst, f, v)->state = 0;
        }
    filter_setMode(inst, 1, 7);
    EXPECT_EQ(filter_getMode(inst, 1), filterMode_lpf24);
    for (short f = 0; f < kFilters; ++f)
        for (short v = 0; v < kVoices; v += 21) {
            EXPECT_EQ(inst_getFilterVoice(inst, f, v)->memory[7], 0.0f);
            EXPECT_EQ(inst_getFilterVoice(inst, f, v)->state, 1);
        }
    for (short mode : {0, 8, 11, 12, -1}) {
        filter_setMode(inst, 1, mode);
        EXPECT_EQ(filter_getMode(inst, 1), filterMode_lpf24) << mode;
    }
    for (short mode : {1, 2, 3, 4, 5, 6, 9, 10}) {
        filter_setMode(inst, 1, mode);
        EXPECT_EQ(filter_getMode(inst, 1), mode);
    }
    EXPECT_EQ(filter_getMode(nullptr, 1), 0);
}

TEST(Filter, FrequencyByMode)
{
    instRec* inst = freshInst();
    filterInstRec* rec = inst_getFilterInst(inst, 2);
    EXPECT_NEAR(filter_getFreq(inst, 2), 2008.5, 0.1);

    filter_setFreq(inst, 2, 2.0);
    EXPECT_EQ(rec->freqIndex, 0.0f);
    EXPECT_EQ(filter_getFreq(inst, 2), 5.0);
    filter_setFreq(inst, 2, 30000.0);
    EXPECT_EQ(rec->freqIndex, 480.0f);
    EXPECT_EQ(filter_getFreq(inst, 2), 20480.0);
    filter_setFreq(inst, 2, -5.0);  // no index for it: the field keeps its value
    EXPECT_EQ(rec->freqIndex, 480.0f);
    EXPECT_NEAR(rec->combDelay, 200.45454, 1e-4);

    filter_setMode(inst, 2, filterMode_comb);
    filter_setFreq(inst, 2, 3.0);
    EXPECT_EQ(rec->combDelay, 2046.0f);
    EXPECT_NEAR(filter_getFreq(inst, 2), 21.55, 0.01);
    filter_setFreq(inst, 2, 50000.0);
    EXPECT_EQ(rec->combDelay, 1.0f);
    EXPECT_EQ(filter_getFreq(inst, 2), 44100.0);
    EXPECT_EQ(rec->freqIndex, 480.0f);

    // A stored 11 works as a notch; an unknown stored mode reads 440 Hz.
    rec->mode = filterMode_notchOld;
    filter_setFreq(inst, 2, 440.0);
    EXPECT_NEAR(rec->freqIndex, 258.4, 0.05);
    rec->mode = 8;
    filter_setFreq(inst, 2, 1000.0);
    EXPECT_NEAR(rec->freqIndex, 258.4, 0.05);
    EXPECT_EQ(filter_getFreq(inst, 2), 440.0);
}

TEST(Filter, GainQAndBandwidthOnlyWhereTheModeUsesThem)
{
    instRec* inst = freshInst();
    filterInstRec* rec = inst_getFilterInst(inst, 0);

    for (short mode : {filterMode_lpf6, filterMode_hpf6}) {
        filter_setMode(inst, 0, mode);
        filter_setGain(inst, 0, -6.0);
        filter_setQ(inst, 0, 0.8);
        filter_setBandwidth(inst, 0, 3.0);
        EXPECT_EQ(rec->gain, 1.0f);
        EXPECT_EQ(rec->combGain, 1.0f);
        EXPECT_EQ(rec->resonance, 0.0f);
        EXPECT_EQ(rec->bandwidth, 1.0f);
        EXPECT_NEAR(filter_getGain(inst, 0), -159.4525, 1e-3);
        EXPECT_EQ(filter_getQ(inst, 0), 0.0);
        EXPECT_EQ(filter_getBandwidth(inst, 0), 1.0);
    }

    filter_setMode(inst, 0, filterMode_lpf12);
    filter_setGain(inst, 0, -6.0);
    EXPECT_FLOAT_EQ(rec->gain, 0.5f);
    EXPECT_NEAR(filter_getGain(inst, 0), -6.0, 1e-5);
    filter_setQ(inst, 0, 0.8);
    EXPECT_FLOAT_EQ(rec->resonance, 0.8f);
    filter_setBandwidth(inst, 0, 3.0);
    EXPECT_FLOAT_EQ(rec->bandwidth, 3.0f);

    filter_setMode(inst, 0, filterMode_bpf);
    filter_setQ(inst, 0, 250.0);  // no clamp
    EXPECT_FLOAT_EQ(rec->bandpassQ, 250.0f);
    EXPECT_FLOAT_EQ(rec->resonance, 0.8f);
    EXPECT_EQ(filter_getQ(inst, 0), 250.0);

    filter_setMode(inst, 0, filterMode_comb);
    filter_setGain(inst, 0, 12.0);
    EXPECT_FLOAT_EQ(rec->combGain, 4.0f);
    EXPECT_FLOAT_EQ(rec->gain, 0.5f);
    filter_setQ(inst, 0, -0.99);
    EXPECT_FLOAT_EQ(rec->combFeedback, -0.99f);
    filter_setBandwidth(inst, 0, 0.5);
    EXPECT_FLOAT_EQ(rec->bandwidth, 0.5f);
    EXPECT_NEAR(filter_getGain(inst, 0), 12.0, 1e-5);

    rec->mode = filterMode_notchOld;
    filter_setQ(inst, 0, 0.25);
    EXPECT_FLOAT_EQ(rec->resonance, 0.25f);
    EXPECT_NEAR(filter_getGain(inst, 0), -6.0, 1e-5);

    filter_setQ(inst, 0, NAN);
    EXPECT_FLOAT_EQ(rec->resonance, 0.25f);
}

TEST(Filter, ActiveAndMonoFlags)
{
    instRec* inst = freshInst();
    EXPECT_EQ(filter_getMono(inst, 3), 1);  // the master filter starts mono
    for (short f = 0; f < 3; ++f) {
        filter_setMono(inst, f, 1);
        EXPECT_EQ(inst_getFilterInst(inst, f)->mono, 0);
        EXPECT_EQ(filter_getMono(inst, f), 0);
    }
    filter_setMono(inst, 3, 0);
    EXPECT_EQ(filter_getMono(inst, 3), 0);

    filter_setActive(inst, 4, 1);  // no filter 4, and not filter 0 either
    filter_setActive(inst, -1, 1);
    EXPECT_EQ(inst_getFilterInst(inst, 0)->active, 0);
    EXPECT_EQ(filter_getActive(inst, 4), 0);
    filter_setActive(inst, 3, 1);
    EXPECT_EQ(filter_getActive(inst, 3), 1);
}

TEST(Filter, CloneTakesAllTwelveFields)
{
    instRec* inst = freshInst();
    filterInstRec from;
    filter_initInstRec(&from, 3);
    from.active = 1;
    from.mode = filterMode_bpf;
    from.freqIndex = 100.0f;
    from.bandpassQ = 8.0f;
    from.resonance = 0.3f;
    inst_getFilterVoice(inst, 2, 9)->memory[0] = 1.0f;

    filterInstRec* to = inst_getFilterInst(inst, 3);
    filter_cloneInst(inst, &from, to, 3, 1);
    EXPECT_EQ(std::memcmp(to, &from, 48), 0);
    EXPECT_EQ(inst_getFilterVoice(inst, 2, 9)->memory[0], 0.0f);  // through filter_setMode

    filterInstRec preset;
    filter_initInstRec(&preset, 0);
    filter_cloneInst(inst, to, &preset, 0, 0);
    EXPECT_EQ(preset.index, 3);  // the index travels with the fields
    EXPECT_EQ(preset.freqIndex, 100.0f);

    filterInstRec same = preset;
    filter_cloneInst(inst, &from, &preset, 4, 0);
    EXPECT_EQ(std::memcmp(&same, &preset, sizeof same), 0);
}

TEST(Filter, CombBufferAndVoiceClearing)
{
    instRec* inst = freshInst();
    filterVoiceRec* voice = inst_getFilterVoice(inst, 1, 5);
    EXPECT_EQ(voice->state, 0);
    voice->memory[15] = 3.0f;
    voice->curIndex = 100.0f;
    filter_clearVoice(voice);
    EXPECT_EQ(voice->state, 1);
    EXPECT_EQ(voice->memory[15], 0.0f);
    EXPECT_EQ(voice->curIndex, 100.0f);  // only state and memory

    thisBufferWantsToBeNormal(voice->memory, 16);
    float values[3] = {1e-42f, -0.0f, 2.0f};
    thisBufferWantsToBeNormal(values, 3);
    uint32_t bits;
    std::memcpy(&bits, &values[1], 4);
    EXPECT_EQ(values[0], 0.0f);
    EXPECT_EQ(bits, 0u);
    EXPECT_EQ(values[2], 2.0f);
}
