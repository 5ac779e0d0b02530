// The engine's state for one test, shared by the engine's and the windows'
// fixtures: a private link segment signed in, the shared chunk buffer, a
// temporary program folder, and (once the caller has installed its desktop
// hooks) a fresh bank with its history and instance 0 current.
#pragma once

#include <string>
#include <vector>

#include "engine/engine.h"

struct engineSession {
    std::string segment;
    std::string folder;
};

// Signs in on a segment named after tag, the process and a serial, makes
// the chunk buffer and the program folder. Reports failures to the test.
void engineSession_open(engineSession* s, const char* tag);
// The bank, the last edits and banks, window places, a clean preset,
// instance 0 current, and the engine's own start.
void engineSession_startEngine();
// Undoes both, removes the program folder and clears the hooks.
void engineSession_close(engineSession* s);

// Writes a bank file into the program folder whose listed slots hold
// presets named name<slot>; returns its path.
std::string engineSession_makeBankFile(const engineSession& s, const std::string& fileName,
                                       const std::vector<int>& slots, const std::string& name);

// The patch name of an instrument as a string.
std::string patchName(instRec* inst);
