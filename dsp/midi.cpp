#include "dsp/midi.h"

#include <cstring>

#include "dsp/inst.h"

void midi_clearBuffer(midiRec* midi) {
    if (!midi) return;
    std::memset(midi->events, 0, sizeof midi->events);
    midi->count = 0;
}

void midi_noteMemClear(instRec* inst) {
    if (!inst) return;
    for (auto& n : inst->midi.noteMem) n = -1;
}
