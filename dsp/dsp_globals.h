// Start-up of the engine library, the silent error channel of the instrument
// model, and two helpers shared by the stored forms of its records.
#pragma once
#include <cstdint>

struct fileRec;

// Builds the built-in wave list and the shared tuning list, resets
// g_instanceNumber and points the prefetch hooks at noPrefetch. Called once
// at start-up; returns 1.
int dsp_globals_init();
// The tables of this process alone (the built-in wave list, the velocity
// curves, the prefetch hooks), without touching the shared tuning list:
// what a plug-in side process needs before it initialises an instrument
// (inst_reinit). Returns 1.
int dsp_globals_initLocal();
// Nothing to release.
void dsp_globals_cleanup();

// Internal messages ("bad tune id") go to a silent channel that the toolkit
// shows only when error display is on. The toolkit installs its receiver
// here; until then (and after a null) messages are dropped.
typedef void (*dspErrorProc)(const char* message);
void dsp_setErrorProc(dspErrorProc proc);
void dsp_error(const char* message);

// A preset's list of records stored as one chunk: an int16 count, then the
// first min(count, maxHeld) records. Each list module describes its records
// here; dsp_readWriteList does the rest for both directions.
struct dspListForm {
    int32_t chunk;  // chunk type
    short version;
    short maxHeld;              // records one chunk holds at most
    unsigned storedBytes;       // bytes of one stored record
    unsigned recordSize;        // sizeof the record in memory
    void* (*newList)(short n);  // allocation; null on failure
    long (*readWrite)(char* buf, void* rec, unsigned* pos, unsigned max, int reading);
    void (*flip)(void* rec);  // byte swap after reading
};
// Writing stores *list / *count (count written as it is, records up to
// maxHeld). Reading, with the body in buf: the count is swapped at once when
// the file has the other byte order, a negative count is 0 and one above
// maxHeld is cut to the records the chunk can hold; a body shorter than
// that or a failed allocation returns 0 and changes nothing; otherwise a new
// list is read (every record swapped as needed) and stored in *list /
// *count (null / 0 for an empty chunk).
int dsp_readWriteList(fileRec* file, void** list, short* count, void* buffer, int reading,
                      const dspListForm& form);
