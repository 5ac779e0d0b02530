// The instrument's MIDI state: last controller values, bend, sustain, a small
// event buffer, the note memory and the "bag" of changed notes.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

struct instRec;

enum { kMidiEvents = 16, kNoteMemory = 11 };

#pragma pack(push, 4)
struct midiEventRec {
    int32_t time;
    int16_t status;
    int16_t data1;
    int16_t data2;
    int16_t extra;
    int32_t pending;
};
static_assert(sizeof(midiEventRec) == 16, "midiEventRec is 16 bytes");

// Spans the event-buffer area and the held-note area of the instrument:
// 3648 bytes, with the note memory at 0x798.
struct midiRec {
    midiEventRec events[kMidiEvents];
    int16_t count;
    int16_t pad1;
    int16_t ccValue[128];     // last value of each controller
    int16_t channel;
    int16_t aftertouch;
    float bendSemitones;
    int16_t bendRaw;
    int16_t sustain;
    int32_t ccUpdate;         // controller-update flag
    uint8_t unused1[0x798 - 532];
    // held-note memory and the bag
    int16_t noteMem[kNoteMemory];  // -1 = empty
    int16_t pad2;
    int32_t bagAllChanged;
    int32_t bagChanged;
    int32_t bagOn[128];
    int32_t bagWasOn[128];
    int32_t bagNoteChanged[128];
    uint8_t unused2[136];
};
static_assert(offsetof(midiRec, ccUpdate) == 528, "midiRec layout");
static_assert(offsetof(midiRec, noteMem) == 0x798, "midiRec note memory at 0x798");
static_assert(sizeof(midiRec) == 0x2229C - 0x21B04 + 0x6A8, "midiRec spans both areas");
#pragma pack(pop)

void midi_clearBuffer(midiRec* midi);
void midi_noteMemClear(instRec* inst);
