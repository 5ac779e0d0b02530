// Tunings: 128 phase increments per tuning, kept in the shared tuning list
// (tune_list, 64 slots, exported by the link library).
//
// Index
//   records      tuneRec, slot numbers
//   generators   equal, harmonic, twelve-note patterns, tune12, Harrison
//   list         tune_init, tune_new, names, menu mapping
//   instrument   tune_set, tune_getIncrTable
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

#pragma pack(push, 4)
// 1044 bytes; the list of 64 of them lives in the shared segment.
struct tuneRec {
    int32_t id;        // menu id 1..31; 0 in a slot that holds none
    char name[16];     // zero-padded
    double incr[128];  // phase increment per note
};
static_assert(offsetof(tuneRec, incr) == 20, "tuneRec layout");
static_assert(sizeof(tuneRec) == 1044, "tuneRec is 1044 bytes");
#pragma pack(pop)

enum { kTuneSlots = 64, kTuneNameLen = 16, kTuneNotes = 128 };

struct instRec;

// Number of tunings in the list, 31 after tune_init.
extern int16_t g_tuningsAllocated;

// --- generators ---------------------------------------------------------------
// Each writes incr[n] = freqToPhaseIncrement(noteToHertz(p)) for the notes it
// covers, p being the pitch (a real note number) that note n sounds at.
// Notes 0..127 from start + n * step, step = 12 / divisions in single
// precision, start = base - ref * step (at least 0).
void equalTune(tuneRec* rec, double base, short ref, short divisions);
// Notes first..127 at the frequency of note base times 1, 1 + step, ...;
// notes below first are left as they are.
void harmonicTune(tuneRec* rec, double base, short first, double step);
// Twelve-note patterns from key (0..11) upward; every note is written.
void meanTune(tuneRec* rec, short key);
void vallottiTune(tuneRec* rec, short key);
void werckmeisterIIITune(tuneRec* rec, short key);
void pythagoreanTune(tuneRec* rec, short key);
// Per octave o = 0, 12, ..., 108: note o at noteToHertz(o), note o + k at
// ratio[k - 1] times it (k = 1..11); notes 120..127 an octave above 108..115.
void tune12(tuneRec* rec, const float (&ratio)[11]);
// Sixteen pitches in each 12 semitones; note 12 sounds at pitch 24.
void harrison16Tune(tuneRec* rec);

// --- list -----------------------------------------------------------------------
// Fills tune_list: 31 tunings in their fixed slots; returns 1.
int tune_init();
// Ignored unless 0 <= slot < 64 and id >= 1: copies the 128 increments of
// from (a generator's record) into the slot, sets id and name, counts one
// more tuning.
void tune_new(short slot, int id, const tuneRec* from, const char* name);
// Sets the name, 16 characters at most (zero-padded).
void nameThatTune(tuneRec* rec, const char* name);
short tune_getListSize();
// Slot of the tuning with that menu id; 0 when none has it.
short tune_menuItemToID(short item);
// Menu id of the tuning in a slot; 1 for a slot that holds none.
short tune_idToMenuItem(short slot);
// Clears 16 bytes of text and copies the slot's name, at most 15
// characters so the text always ends in a zero. A slot that holds no
// tuning reports "bad tune id" on the silent error channel and leaves text
// empty.
void tune_getName(short slot, char* text);

// --- instrument -------------------------------------------------------------------
// Slot 0's table for any slot that holds no tuning (a damaged file or a
// bad value in the shared record never indexes outside the list).
// The table sits in a 4-byte packed record, so the pointer may be only
// 4-byte aligned: keep it (shmPtr) or read it with memcpy, or use
// tune_getIncr, which reads one entry safely.
const double* tune_getIncrTable(short slot);
// incr[note] of the slot's tuning (slot 0 for a slot that holds none); 0.0
// for a note outside 0..127.
double tune_getIncr(short slot, short note);
short tune_getSelectedMenuItem(instRec* inst);
// For 1 <= item <= g_tuningsAllocated: tune_set with the item's slot.
void tune_selectFromPopup(instRec* inst, void* popup, short item);
// Ignored unless the slot holds a tuning: stores the slot and its table in
// the instrument and retunes the voices in use (those holding a note).
void tune_set(instRec* inst, short slot);
