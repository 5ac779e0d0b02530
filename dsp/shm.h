// Helpers for records that live in the memory shared with the plug-in side.
//
// The instrument records are read by the plug-in's audio code in another
// process, so their byte layout is an interface. Two rules follow:
//  - a pointer field is a 32-bit offset from the start of the shared segment
//    (0 = null), so that both processes, whatever address they mapped the
//    segment at, find the same target and the field keeps its 4-byte width;
//  - a procedure field holds a small procedure number (0 = the empty
//    procedure), never a code address.
#pragma once
#include <cstdint>

#include "iac/MorvaneIAC.h"

// A pointer slot of a shared record. Only addresses inside the shared segment
// can be stored; anything else (a record on the heap of one process) reads
// back as null.
template <typename T> struct shmPtr {
    uint32_t offset;

    T* get() const { return static_cast<T*>(iac_offsetToPtr(offset)); }
    void set(const T* p) { offset = p ? iac_ptrToOffset(p) : 0u; }
    bool isNull() const { return offset == 0u; }
};
static_assert(sizeof(shmPtr<float>) == 4, "a shared pointer slot is 32 bits");

// Procedure numbers stored in shared records. The plug-in side maps each
// number to its own routine; this program never calls them.
enum dspProcedure : uint32_t {
    proc_empty = 0,            // chain_emptyLink / no routine
    proc_effectPipe = 1,       // effect_pipe
    proc_effectMulticomb = 2,  // effect_multicomb
    proc_effectMultitap = 3,   // effect_multitap
    proc_noPrefetch = 4        // noPrefetch (cache hooks)
};

// Fixed counts of the instrument.
enum {
    kVoices = 64,
    kOscils = 3,
    kFilters = 4,
    kLfos = 3,
    kEnvSlots = 24,
    kEnvBreakpoints = 68,
    kPresetWaves = 8,
    kChainLinks = 24,
    kWaveSize = 1024
};
