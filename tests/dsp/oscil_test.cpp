// Oscillator, modulator and waveshaper setters and getters: clamps, units,
// frequency and oscillator modes, phase alignment and copying.
#include <cmath>
#include <cstring>

#include "osc_filter_util.h"
#include "platform/verify.h"

using oscTest::freshInst;

TEST(Oscil, FrequencyModesWriteOnlyTheirOwnField)
{
    instRec* inst = freshInst();
    oscil_instRec* rec = inst_getOscilInst(inst, 1);
    const float start = rec->mainIncrement;

    oscil_setMainFreq(inst, 1, 7.0f);  // transpose: semitones
    EXPECT_NEAR(rec->mainRatio, 1.4983071, 1e-6);
    EXPECT_EQ(rec->mainIncrement, start);
    EXPECT_NEAR(oscil_getMainFreq(inst, 1), 7.0f, 1e-5);

    oscil_setMainFreqMode(inst, 1, freqMode_hertz);  // not converted: the old 220 Hz shows
    EXPECT_NEAR(oscil_getMainFreq(inst, 1), 220.0f, 1e-3);
    oscil_setMainFreq(inst, 1, 440.0f);
    EXPECT_NEAR(rec->mainIncrement, 440.0 * 1024.0 / 44100.0, 1e-5);
    EXPECT_NEAR(rec->mainRatio, 1.4983071, 1e-6);

    oscil_setMainFreqMode(inst, 1, freqMode_note);
    oscil_setMainFreq(inst, 1, 57.0f);
    EXPECT_NEAR(rec->mainIncrement, noteToPhaseIncrement(57.0), 1e-5);
    EXPECT_NEAR(oscil_getMainFreq(inst, 1), 57.0f, 1e-4);

    oscil_setMainFreqMode(inst, 1, freqMode_ratio);
    oscil_setMainFreq(inst, 1, 0.5f);
    EXPECT_FLOAT_EQ(oscil_getMainFreq(inst, 1), 0.5f);

    oscil_setMainFreqMode(inst, 1, 4);
    oscil_setMainFreqMode(inst, 1, -1);
    EXPECT_EQ(oscil_getMainFreqMode(inst, 1), freqMode_ratio);

    // The mod wave has its own fields and mode.
    oscil_setModFreqMode(inst, 1, freqMode_hertz);
    oscil_setModFreq(inst, 1, 100.0f);
    EXPECT_NEAR(rec->modIncrement, 100.0 * 1024.0 / 44100.0, 1e-5);
    EXPECT_NEAR(oscil_getModFreq(inst, 1), 100.0f, 1e-3);
    EXPECT_FLOAT_EQ(rec->modRatio, 1.0f);
    EXPECT_FLOAT_EQ(rec->mainRatio, 0.5f);

    oscil_setMainFreq(inst, 1, NAN);  // ignored
    EXPECT_FLOAT_EQ(rec->mainRatio, 0.5f);
}

TEST(Oscil, ClampsAndUnitConversions)
{
    instRec* inst = freshInst();
    oscil_instRec* rec = inst_getOscilInst(inst, 0);

    oscil_setAmpScale(inst, 0, 5.0f);
    EXPECT_EQ(rec->ampScale, 1.0f);
    oscil_setAmpScale(inst, 0, 5e-10f);
    EXPECT_EQ(rec->ampScale, 0.0f);
    oscil_setAmpScale(inst, 0, -2.0f);
    EXPECT_EQ(rec->ampScale, 0.0f);
    oscil_setAmpScale(inst, 0, 0.3f);
    EXPECT_FLOAT_EQ(oscil_getAmpScale(inst, 0), 0.3f);

    oscil_setFmIndex(inst, 0, -3.0f);
    EXPECT_EQ(rec->fmIndex, 0.0f);
    oscil_setFmIndex(inst, 0, 1.0f);
    EXPECT_NEAR(rec->fmIndex, 162.97466, 1e-4);
    oscil_setFmIndex(inst, 0, 2.5f);
    EXPECT_NEAR(oscil_getFmIndex(inst, 0), 2.5f, 1e-6);

    oscil_setMainPhase(inst, 0, 1.25f);
    EXPECT_EQ(rec->mainPhase, 256.0f);
    EXPECT_FLOAT_EQ(oscil_getMainPhase(inst, 0), 0.25f);
    oscil_setMainPhase(inst, 0, -0.25f);
    EXPECT_EQ(rec->mainPhase, -256.0f);
    EXPECT_FLOAT_EQ(oscil_getMainPhase(inst, 0), -0.25f);
    oscil_setModPhase(inst, 0, 3.5f);
    EXPECT_EQ(rec->modPhase, 512.0f);
    oscil_setModPhase(inst, 0, INFINITY);  // no phase to take: ignored
    EXPECT_EQ(rec->modPhase, 512.0f);

    // Wave ids are stored widened and read back as their low 16 bits.
    oscil_setMainWaveID(inst, 0, (short)0x7F05);
    EXPECT_EQ(rec->mainWaveID, 0x7F05);
    rec->modWaveID = 0x12345;
    EXPECT_EQ(oscil_getModWaveID(inst, 0), 0x2345);

    // A channel out of range addresses channel 0.
    oscil_setInvertPhase(inst, 7, 1);
    EXPECT_EQ(rec->invertPhase, 1);
    EXPECT_EQ(oscil_getInvertPhase(inst, -2), 1);
}

TEST(Oscil, BalanceFollowsTheMode)
{
    instRec* inst = freshInst();
    oscil_instRec* rec = inst_getOscilInst(inst, 2);

    for (short mode : {oscMode_single, oscMode_fm}) {
        oscil_setMode(inst, 2, mode);
        oscil_setBalance(inst, 2, 0.2f);
        EXPECT_FLOAT_EQ(rec->doubleBalance, 0.5f);
        EXPECT_FLOAT_EQ(rec->ringmodBalance, 1.0f);
        EXPECT_FLOAT_EQ(oscil_getBalance(inst, 2), 1.0f);
    }
    oscil_setMode(inst, 2, oscMode_double);
    oscil_setBalance(inst, 2, 1.5f);
    EXPECT_FLOAT_EQ(rec->doubleBalance, 1.0f);
    oscil_setBalance(inst, 2, 5e-10f);
    EXPECT_EQ(rec->doubleBalance, 0.0f);
    oscil_setBalance(inst, 2, 0.3f);
    EXPECT_FLOAT_EQ(oscil_getBalance(inst, 2), 0.3f);
    EXPECT_FLOAT_EQ(rec->ringmodBalance, 1.0f);

    oscil_setMode(inst, 2, oscMode_ringmod);
    oscil_setBalance(inst, 2, 0.7f);
    EXPECT_FLOAT_EQ(rec->ringmodBalance, 0.7f);
    EXPECT_FLOAT_EQ(rec->doubleBalance, 0.3f);
    EXPECT_FLOAT_EQ(oscil_getBalance(inst, 2), 0.7f);

    oscil_setMode(inst, 2, 4);
    EXPECT_EQ(oscil_getMode(inst, 2), oscMode_ringmod);
}

TEST(Oscil, GettersWithoutAnInstrumentGiveDefaults)
{
    EXPECT_EQ(oscil_getMainFreq(nullptr, 0), 1.0f);
    EXPECT_EQ(oscil_getModFreq(nullptr, 0), 1.0f);
    EXPECT_EQ(oscil_getBalance(nullptr, 0), 1.0f);
    EXPECT_EQ(oscil_getFmIndex(nullptr, 0), 1.0f);
    EXPECT_EQ(oscil_getMainPhase(nullptr, 0), 0.0f);
    EXPECT_EQ(oscil_getAmpScale(nullptr, 0), 0.0f);
    EXPECT_EQ(oscil_getActive(nullptr, 0), 0);
    EXPECT_EQ(oscil_getMainWaveID(nullptr, 0), 0);
    oscil_setMainFreq(nullptr, 0, 3.0f);  // no crash
    EXPECT_EQ(mod_getFreq(nullptr, 0), 1.0);
    EXPECT_EQ(mod_getBalance(nullptr, 0), 1.0);
    EXPECT_EQ(mod_getActive(nullptr, 0), 0);
    EXPECT_EQ(waveshape_getInGain(nullptr), 0.0);
    EXPECT_EQ(waveshape_getActive(nullptr), 0);
}

#if MORVANE_CONTRACTS_ACTIVE
// A record to fill is always the caller's own: a null one is a fault of ours
// and stops the checked build, where the getters above stay quiet.
TEST(Oscil, InitialisingANullRecordStopsTheCheckedBuild)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(mod_initInstRec(nullptr, 0), "mod\\.cpp:[0-9]+: contract broken: rec");
    EXPECT_DEATH(env_initEnvInstRec(nullptr, 0), "contract broken: env");
}
#endif

TEST(Oscil, CorrectPhaseAlignsOrStopsVoicesUpToThePolyphony)
{
    instRec* inst = freshInst();
    inst_getPatch(inst)->poly = 4;
    oscil_setActive(inst, 0, 0);
    oscil_setActive(inst, 1, 1);
    oscil_setActive(inst, 2, 1);
    for (short v = 0; v < kVoices; ++v) {
        inst_getOscilVoice(inst, 1, v)->mainPhase = 100.0f + v;
        inst_getOscilVoice(inst, 1, v)->modPhase = 200.0f + v;
        inst_getOscilVoice(inst, 2, v)->mainPhase = 300.0f + v;
        inst_getOscilVoice(inst, 0, v)->state = 5;
    }

    // Channel 0 comes on: it takes channel 1's phases, the first other active one.
    oscil_setActive(inst, 0, 1);
    oscil_correctPhase(inst, 0);
    for (short v = 0; v < 4; ++v) {
        EXPECT_EQ(inst_getOscilVoice(inst, 0, v)->mainPhase, 100.0f + v);
        EXPECT_EQ(inst_getOscilVoice(inst, 0, v)->modPhase, 200.0f + v);
    }
    EXPECT_EQ(inst_getOscilVoice(inst, 0, 4)->mainPhase, 0.0f);

    // Channel 0 goes off: its voices' state words are cleared up to the polyphony.
    oscil_setActive(inst, 0, 0);
    oscil_correctPhase(inst, 0);
    EXPECT_EQ(inst_getOscilVoice(inst, 0, 3)->state, 0);
    EXPECT_EQ(inst_getOscilVoice(inst, 0, 4)->state, 5);

    // Alone, a channel coming on copies nothing.
    oscil_setActive(inst, 1, 0);
    oscil_setActive(inst, 2, 0);
    oscil_setActive(inst, 0, 1);
    inst_getOscilVoice(inst, 0, 0)->mainPhase = 42.0f;
    oscil_correctPhase(inst, 0);
    EXPECT_EQ(inst_getOscilVoice(inst, 0, 0)->mainPhase, 42.0f);
    EXPECT_EQ(inst_anOscilIsOn(inst), 1);
}

TEST(Oscil, CloneCopiesStoredFieldsAndSetsTheIndex)
{
    instRec* inst = freshInst();
    oscil_instRec from;
    oscil_initInstRec(nullptr, &from, 0);
    from.mode = oscMode_ringmod;
    from.mainRatio = 3.0f;
    from.fmIndex = 55.0f;
    from.modWaveID = 0x7F02;
    from.active = 1;
    uint32_t denormalBits = 0x00000123;
    std::memcpy(&from.ampScale, &denormalBits, 4);

    oscil_instRec* to = inst_getOscilInst(inst, 2);
    to->work1 = 99;  // the audio code's word survives the copy into the instrument
    oscil_cloneInst(inst, &from, to, 2, 1);
    EXPECT_EQ(to->mode, oscMode_ringmod);
    EXPECT_EQ(to->mainRatio, 3.0f);
    EXPECT_EQ(to->fmIndex, 55.0f);
    EXPECT_EQ(to->modWaveID, 0x7F02);
    EXPECT_EQ(to->active, 1);
    EXPECT_EQ(to->index, 2);
    EXPECT_EQ(to->work1, 99);
    uint32_t ampBits;
    std::memcpy(&ampBits, &to->ampScale, 4);
    EXPECT_EQ(ampBits, 0u);  // a subnormal amp scale arrives as exactly 0

    // Toward a preset: a plain copy.
    oscil_instRec preset;
    oscil_initInstRec(nullptr, &preset, 0);
    oscil_cloneInst(inst, to, &preset, 1, 0);
    EXPECT_EQ(preset.mode, oscMode_ringmod);
    EXPECT_EQ(preset.index, 1);

    // Channel 3 does not exist: nothing is copied.
    oscil_instRec untouched = preset;
    oscil_cloneInst(inst, &from, &preset, 3, 0);
    EXPECT_EQ(std::memcmp(&untouched, &preset, sizeof preset), 0);
    oscil_cloneInst(inst, nullptr, &preset, 0, 0);
    EXPECT_EQ(std::memcmp(&untouched, &preset, sizeof preset), 0);
}

TEST(Mod, SettersKeepModeOneAndClampBalance)
{
    instRec* inst = freshInst();
    modInstRec* rec = inst_getModInst(inst, 1);

    mod_setMode(inst, 1, 0);
    EXPECT_EQ(rec->mode, 1);
    mod_setMode(inst, 1, 3);
    EXPECT_EQ(rec->mode, 1);

    EXPECT_EQ(mod_getFreqMode(inst, 1), freqMode_hertz);
    EXPECT_NEAR(mod_getFreq(inst, 1), 220.0, 1e-3);
    mod_setFreq(inst, 1, 55.0);
    EXPECT_NEAR(rec->increment, 55.0 * 1024.0 / 44100.0, 1e-5);
    mod_setFreqMode(inst, 1, freqMode_transpose);
    mod_setFreq(inst, 1, 12.0);
    EXPECT_FLOAT_EQ(rec->ratio, 2.0f);
    EXPECT_NEAR(mod_getFreq(inst, 1), 12.0, 1e-4);

    // The frequency mode is stored as given; an unknown one stores nothing
    // and reads 0.
    mod_setFreqMode(inst, 1, 9);
    EXPECT_EQ(rec->freqMode, 9);
    mod_setFreq(inst, 1, 5.0);
    EXPECT_FLOAT_EQ(rec->ratio, 2.0f);
    EXPECT_EQ(mod_getFreq(inst, 1), 0.0);

    mod_setBalance(inst, 1, 1.7);
    EXPECT_EQ(rec->balance, 1.0f);
    mod_setBalance(inst, 1, -0.2);
    EXPECT_EQ(rec->balance, 0.0f);
    mod_setBalance(inst, 1, 0.4);
    EXPECT_NEAR(mod_getBalance(inst, 1), 0.4, 1e-7);

    mod_setWaveID(inst, 1, (short)0x7F06);
    EXPECT_EQ(mod_getWaveID(inst, 1), (short)0x7F06);
    mod_setActive(inst, 4, 1);  // channel 4 addresses channel 0
    EXPECT_EQ(mod_getActive(inst, 0), 1);

    modInstRec from;
    mod_initInstRec(&from, 0);
    from.freqMode = freqMode_ratio;
    from.ratio = 1.5f;
    modInstRec* to = inst_getModInst(inst, 2);
    mod_cloneInst(inst, &from, to, 2, 1);
    EXPECT_EQ(to->index, 2);
    EXPECT_EQ(to->ratio, 1.5f);
    EXPECT_EQ(to->freqMode, freqMode_ratio);
    modInstRec same = *to;
    mod_cloneInst(inst, &from, to, 3, 1);
    EXPECT_EQ(std::memcmp(&same, to, sizeof same), 0);
}

TEST(Waveshape, GainsInDecibelsAndWholeRecordCopy)
{
    instRec* inst = freshInst();
    waveshapeInstRec* rec = inst_getWaveshapeInst(inst);

    waveshape_setInGain(inst, 6.0);
    EXPECT_FLOAT_EQ(rec->inGain, 2.0f);
    EXPECT_NEAR(waveshape_getInGain(inst), 6.0, 1e-5);
    waveshape_setOutGain(inst, -12.0);
    EXPECT_FLOAT_EQ(rec->outGain, 0.25f);
    EXPECT_NEAR(waveshape_getOutGain(inst), -12.0, 1e-5);
    waveshape_setPhase(inst, 0.125);
    EXPECT_EQ(waveshape_getPhase(inst), 0.125);
    waveshape_setMono(inst, 1);
    waveshape_setActive(inst, 1);
    waveshape_setWaveID(inst, 9);
    EXPECT_EQ(waveshape_getMono(inst), 1);
    EXPECT_EQ(waveshape_getActive(inst), 1);
    EXPECT_EQ(waveshape_getWaveID(inst), 9);

    waveshapeInstRec copy;
    waveshape_initInstRec(&copy);
    waveshape_cloneInst(inst, rec, &copy, 0, 0);
    EXPECT_EQ(std::memcmp(&copy, rec, sizeof copy), 0);
}
