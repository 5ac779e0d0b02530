// Readable descriptions of presets: every stored field as a name and a text,
// in file order, the same fields as one JSON object, a musician's view in
// hertz, seconds, decibels and note names, and a one-line summary. Used by
// morvane-bank's show, diff, list and search commands.
#pragma once

#include <string>
#include <vector>

#include "bank/bank.h"

struct presetField {
    std::string name;
    std::string value;
};

// Receives the stored fields of a preset in file order. enter starts a group
// ("oscil", 1) or a single record ("patch", -1). Floats come through real,
// doubles through realD; derived values are not stored (a JSON record leaves
// them out); named is an enumeration with its label; count is the length of
// a list (name for the text form, group for JSON); none is a missing effect.
struct presetSink {
    virtual ~presetSink() = default;
    virtual void enter(const char* group, int index = -1) = 0;
    virtual void num(const char* name, long long v) = 0;
    virtual void real(const char* name, double v) = 0;
    virtual void realD(const char* name, double v) = 0;
    virtual void derived(const char* name, double v) = 0;
    virtual void named(const char* name, long long v, const char* label, const char* rawName = nullptr) = 0;
    virtual void count(const char* name, const char* group, size_t n) = 0;
    virtual void none(const char* group) = 0;
    virtual void chars(const char* name, const char* field, size_t size) = 0;
    virtual void reals(const char* name, const float* v, int n) = 0;
    virtual void ints(const char* name, const int32_t* v, int n) = 0;
    virtual void breakpoints(const envBreakpointRec* bp, int n) = 0;
};

// Walks every stored field of the preset into sink.
void describe_walk(const presetRec* preset, presetSink& sink);
// Every stored field of the preset. Floats are written with nine significant
// digits, so two presets whose texts agree hold the same stored values.
std::vector<presetField> describe_preset(const presetRec* preset);
// The whole preset as one JSON object (field names as in the records); floats
// read back to the same float, doubles to the same double; a value that is
// not a number or infinite is written as null.
std::string describe_json(const presetRec* preset, int slot, bool isDefault);
// The preset as a musician reads it: levels in dB, pitches in semitones,
// ratios, note names or Hz as each is set, times in seconds, cutoffs in Hz;
// switched-off modules in one line, unused breakpoints left out.
std::vector<presetField> describe_musician(const presetRec* preset);
// Channels in use, filters, envelope, wave and LFO counts and the effect.
std::string describe_summary(const presetRec* preset);
// The name of a filter mode, oscillator mode or effect kind.
const char* describe_filterMode(int mode);
const char* describe_oscMode(int mode);
const char* describe_effectKind(int kind);
// A fixed text field (up to size bytes or its first zero) with quotes,
// backslashes and bytes outside printable ASCII as \xNN.
std::string describe_escape(const char* field, size_t size);
