// Test support for banks and bank files: observed messages, temporary
// folders, instruments in the test's private segment, and instruments filled
// with random but valid settings through the model's own setters.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "bank/bank.h"

// Every message and silent error raised while an observer lives.
struct messageLog {
    messageLog();
    ~messageLog();
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    bool saw(const std::string& text) const;  // a message equal to text
    bool errorContains(const std::string& part) const;
    void clear();
};

// A fresh folder under the system temporary folder, removed with its content.
struct tempFolder {
    tempFolder();
    ~tempFolder();
    std::string path(const std::string& name) const;
    std::string dir;
};

// Instance i reset to its initial values, marked paused so that no fade
// hand-shake waits for a plug-in that is not there.
instRec* testInst(int i);

// Settings of every module drawn from rng through the setters. With full,
// the instrument holds all 8 user waves and all 24 envelopes.
void randomInstrument(instRec* inst, std::mt19937& rng, bool full);
// A bank whose slots hold random presets (stored from a random instrument
// with a name "random <slot>"); slots not in the list stay default.
void fillRandomBank(bankRec* bank, instRec* work, const std::vector<int>& slots, std::mt19937& rng,
                    bool full);

std::vector<unsigned char> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);
// Number of slots that do not hold the default preset.
int storedPresets(bankRec* bank);
// A bank read from path through mvnFile_openFromPathName (caller deletes).
bankRec* openBank(const std::string& path, long* result = nullptr);

// For a forked child: the permission checks of an ordinary user, also when
// the tests run as root (the capabilities that pass over them are dropped),
// so a folder without write permission is one for real.
void dropFilePrivileges();
// The regular files of a folder, sorted by name.
std::vector<std::string> filesIn(const std::string& folder);
// Runs a program as a child process, with an optional file-size limit
// (bytes, 0 none) and SIGXFSZ at its default; its stderr is returned in err.
// The exit status, or 128 + the signal that ended it.
int runProgram(const std::vector<std::string>& argv, long fileSizeLimit, std::string* err);
