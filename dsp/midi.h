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
    int16_t ccValue[128];  // last value of each controller
    int16_t channel;
    int16_t aftertouch;
    float bendSemitones;
    int16_t bendRaw;
    int16_t sustain;
    int32_t ccUpdate;  // controller-update flag
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

// A MIDI packet as the processing functions take it: three bytes, status
// then the two data bytes.
enum { kMidiPacketBytes = 3 };

// --- event buffer and note memory ----------------------------------------------
void midi_clearBuffer(midiRec* midi);
// Appends an event (pending flag 1) while fewer than 16 are held; a full
// buffer ignores the call.
void midi_addToBuffer(midiRec* midi, short status, short data1, short data2, short extra, long time);
void midi_noteMemClear(instRec* inst);

// --- controllers, pressure, bend ---------------------------------------------
// Ignored unless -1 <= cc <= 127 and 0 <= channel <= 15; value clamped to
// 0..127. cc -1 plays channel pressure, any other a control change.
void midi_playCC(instRec* inst, short cc, short value, short channel);
// Control change: number and value clamped to 0..127; keeps the value (64
// also as the sustain), lets the LFOs see it, 123 releases every voice,
// flags a controller update.
void midi_processCc(instRec* inst, const unsigned char* packet);
// Channel pressure: keeps data1 clamped to 0..127.
void midi_processAftertouch(instRec* inst, const unsigned char* packet);
// Pitch bend from the high data byte (127 counts as 128): bend target ratio
// 2^(semitones / 12) with semitones = bendRange * (b - 64) / 64.
void midi_processBend(instRec* inst, const unsigned char* packet);
// Last value of controller 0..127, the aftertouch for -1, else 0.
short midi_getCCVal(instRec* inst, short cc);
short midi_getChannel(instRec* inst);
void midi_cc_flagUpdate(instRec* inst);
// Returns the controller-update flag and clears it.
int midi_cc_needUpdate(instRec* inst);

// --- the bag of changed notes -----------------------------------------------------
// Marks every note that is on as was-on and changed, clears every on state,
// and sets the all-changed and changed flags.
void midi_bag_clear(instRec* inst);
// From note + 1 upward, the next note marked changed: clears the mark, sets
// note to it and velocity to 127 if it is on or 0 if off, returns 1. None:
// note = 127, returns 0. A note outside 0..127 returns 0 at once.
int midi_bag_nextNoteChanged(instRec* inst, short* note, short* velocity);
int midi_bag_changed(instRec* inst);
void midi_bag_startCheck(instRec* inst);
