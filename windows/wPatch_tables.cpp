// The Patch window's tables: control id offsets of the channels, the number
// boxes of each oscillator mode, the ranges of each frequency mode, the
// filter menu and the boxes of each filter mode.
#include "windows/windows.h"

// ---- ids --------------------------------------------------------------------------------

short wPatch_channelToGuiOffset(short channel)
{
    static const short offsets[kPatchChannels] = {0, 62, 124};
    return (channel >= 0 && channel < kPatchChannels) ? offsets[channel] : 0;
}

short wPatch_guiToChannel(short id)
{
    if (id < 0) return 0;
    if (id < 62) return 0;
    if (id < 124) return 1;
    if (id < kPatchObjects) return 2;
    return 0;
}

short wPatch_guiToFilter(short id)
{
    short k = static_cast<short>(id - kPatchMasterFilterOffset);
    if (k >= kPatchFilterSpare && k <= kPatchFilterMode) return kPatchMasterFilter;
    return wPatch_guiToChannel(id);
}

short wPatch_filterToGuiOffset(short filter)
{
    return filter == kPatchMasterFilter ? static_cast<short>(kPatchMasterFilterOffset)
                                        : wPatch_channelToGuiOffset(filter);
}

// ---- oscillator modes -------------------------------------------------------------------

const char* const wPatch_oscModeNames[4] = {"single", "double", "fm", "ringmod"};

namespace {
const wPatchBoxRec kHidden = {0, "", 0.0, 1.0, numbox_defaultIncrement};
const wPatchBoxRec kBalance = {1, "balance", 0.0, 1.0, numbox_incPointZeroOne};
const wPatchBoxRec kFmIndex = {1, "fm index", 0.0, 32.0, numbox_incPointOne};
const wPatchBoxRec kModPhase = {1, "phase", -1.0, 1.0, numbox_incPointZeroOne};

//                                  page  k = 29     k = 32      27 28 29 30 31 32
const wPatchOscModeRec kOscModes[4] = {
    {0, kHidden, kHidden, {1, 1, 0, 0, 0, 0}},     // single
    {1, kBalance, kModPhase, {1, 1, 1, 0, 1, 1}},  // double
    {1, kFmIndex, kModPhase, {1, 1, 1, 0, 1, 1}},  // fm
    {1, kBalance, kHidden, {1, 1, 1, 0, 1, 0}},    // ringmod
};

// ---- frequency modes ----------------------------------------------------------------------
const wPatchBoxRec kFreqModes[4] = {
    {1, "", -64.0, 64.0, numbox_defaultIncrement},   // transpose, semitones
    {1, "", 0.0001, 32.0, numbox_defaultIncrement},  // ratio
    {1, "", 0.0, 128.0, numbox_defaultIncrement},    // fixed note
    {1, "", 0.0001, 22000.0, numbox_incHertz},       // fixed frequency, hertz
};
const short kFreqItemToMode[5] = {-1, 0, 1, 3, 2};
const short kFreqModeToItem[4] = {1, 2, 4, 3};

// ---- filter modes -------------------------------------------------------------------------
const short kFilterItemToMode[9] = {0, 1, 2, 3, 4, 5, 6, 9, 10};

const wPatchBoxRec kRes = {1, "res", 0.0, 1.0, numbox_incPointZeroOne};
const wPatchBoxRec kLowGain = {1, "dB", -48.0, 0.0, numbox_incPointOne};
const wPatchFilterModeRec kFilterOnePole = {kHidden, kHidden, 0};
const wPatchFilterModeRec kFilterLowpass = {kRes, kLowGain, 0};
const wPatchFilterModeRec kFilterHighpass12 = {kRes, kHidden, 0};
const wPatchFilterModeRec kFilterBandpass = {
    {1, "Q", 0.1, 1000.0, numbox_defaultIncrement}, {1, "dB", -48.0, 36.0, numbox_incPointOne}, 0};
const wPatchFilterModeRec kFilterNotch = {kRes, {1, "b-width", 0.01, 8.0, numbox_incPointOne}, 1};
const wPatchFilterModeRec kFilterComb = {
    {1, "feedback", -0.99, 0.99, numbox_incPointZeroOne}, {1, "dB", -48.0, 12.0, numbox_incPointOne}, 0};
// A stored mode 11 reads like a notch for its resonance; its gain box
// writes the gain, as the filter's accessors do in that mode.
const wPatchFilterModeRec kFilterEleven = {kRes, kLowGain, 0};
}  // namespace

const wPatchOscModeRec* wPatch_oscModeRow(short mode)
{
    return (mode >= 0 && mode < 4) ? &kOscModes[mode] : nullptr;
}

const wPatchBoxRec* wPatch_freqModeRow(short freqMode)
{
    return (freqMode >= 0 && freqMode < 4) ? &kFreqModes[freqMode] : nullptr;
}

short wPatch_freqModeToItem(short freqMode)
{
    return (freqMode >= 0 && freqMode < 4) ? kFreqModeToItem[freqMode] : 0;
}

short wPatch_itemToFreqMode(short item) { return (item >= 1 && item <= 4) ? kFreqItemToMode[item] : -1; }

const char* const wPatch_filterItemNames[8] = {"lpf -6dB",  "lpf -12dB", "lpf -24dB", "hpf -6dB",
                                               "hpf -12dB", "bpf",       "notch",     "comb"};

short wPatch_filterItemToMode(short item) { return (item >= 1 && item <= 8) ? kFilterItemToMode[item] : 0; }

short wPatch_filterModeToItem(short mode)
{
    if (mode == 11) mode = 9;
    for (short item = 1; item <= 8; ++item)
        if (kFilterItemToMode[item] == mode) return item;
    return 0;
}

const wPatchFilterModeRec* wPatch_filterModeRow(short mode)
{
    switch (mode) {
    case 1:
    case 4: return &kFilterOnePole;
    case 2:
    case 3: return &kFilterLowpass;
    case 5: return &kFilterHighpass12;
    case 6: return &kFilterBandpass;
    case 9: return &kFilterNotch;
    case 10: return &kFilterComb;
    case 11: return &kFilterEleven;
    default: return nullptr;
    }
}
