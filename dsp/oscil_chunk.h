// Helpers shared by the stored forms of the oscillator, modulator, waveshaper
// and filter records ("ocil", "mod ", "wshp", "filt"). Each body is a run of
// 4-byte slots built by one marshalling list that serves both directions.
#pragma once
#include <cstdint>
#include <cstring>

#include "fileio/fileio.h"

// Formats the header (type, length, version 10) and writes the chunk; 1 or 0.
int oscil_chunkWrite(fileRec* file, int32_t type, char* body, unsigned length);

// The read-write routine of one record type, both directions. move is the
// record's marshalling list (1 when every slot moved), flip its byte swap,
// settle what a freshly read record goes through before it is handed over
// (flushing subnormal floats, limiting values the audio code indexes with).
// Reading moves the body into a copy and hands it over only when the whole
// body was there, swapped when the file has the other byte order; writing
// zeroes the body area, gathers the record and writes the chunk.
template <typename Rec>
int oscil_chunkReadWrite(fileRec* file, Rec* rec, void* buffer, int reading, int32_t type, unsigned bodySize,
                         int (*move)(char*, Rec*, unsigned, long), void (*flip)(Rec*), void (*settle)(Rec*))
{
    if (!file || !rec || !buffer) return 0;
    char* buf = static_cast<char*>(buffer);
    Rec tmp = *rec;
    if (reading) {
        if (!move(buf, &tmp, file_bodyLimit(1), 1)) return 0;
        if (shallWeFlip()) flip(&tmp);
        settle(&tmp);
        *rec = tmp;
        return 1;
    }
    std::memset(buf, 0, bodySize);
    if (!move(buf, &tmp, file_bodyLimit(0), 0)) return 0;
    return oscil_chunkWrite(file, type, buf, bodySize);
}
