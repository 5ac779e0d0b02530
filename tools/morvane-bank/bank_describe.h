// Readable descriptions of presets: every stored field as a name and a text,
// in file order, and a one-line summary. Used by morvane-bank's show, diff
// and list commands.
#pragma once

#include <string>
#include <vector>

#include "bank/bank.h"

struct presetField {
    std::string name;
    std::string value;
};

// Every stored field of the preset. Floats are written with nine significant
// digits, so two presets whose texts agree hold the same stored values.
std::vector<presetField> describe_preset(const presetRec* preset);
// Channels in use, filters, envelope, wave and LFO counts and the effect.
std::string describe_summary(const presetRec* preset);
// The name of a filter mode, oscillator mode or effect kind.
const char* describe_filterMode(int mode);
const char* describe_oscMode(int mode);
const char* describe_effectKind(int kind);
