// The tables of controller names and note names, built once at start-up
// and read wherever the program shows a controller or a note.
#include <cstdio>
#include <cstring>

#include "windows/windows.h"

namespace {
char ccNames[128][kCCNameSize];
int ccNamesBuilt = 0;
char noteNames[128][kNoteNameSize];
int noteNamesBuilt = 0;

// The controllers with a name of their own; the rest are "undefined".
const char* baseName(int cc)
{
    switch (cc) {
    case 0: return "bank select";
    case 1: return "mod wheel";
    case 2: return "breath ctl";
    case 3: return "old DX7 touch";
    case 4: return "foot ctl";
    case 5: return "porta time";
    case 6: return "data entry";
    case 7: return "volume";
    case 8: return "balance";
    case 10: return "pan";
    case 11: return "expression";
    case 64: return "sustain pedal";
    case 65: return "portamento pedal";
    case 66: return "sostenuto pedal";
    case 67: return "soft pedal";
    case 69: return "hold pedal 2";
    case 91: return "ext fx depth";
    case 92: return "tremolo depth";
    case 93: return "chorus depth";
    case 94: return "celeste depth";
    case 95: return "phaser depth";
    case 96: return "data +";
    case 97: return "data -";
    case 98: return "NR LSB";
    case 99: return "NR MSB";
    case 100: return "reg LSB";
    case 101: return "reg MSB";
    case 121: return "reset all cntls";
    case 122: return "local control";
    case 123: return "all notes off!";
    case 124: return "omni off";
    case 125: return "omni on";
    case 126: return "mono on";
    case 127: return "poly on";
    default: return nullptr;
    }
}
}  // namespace

void wMidi_ccName_init()
{
    for (int cc = 0; cc < 128; ++cc) {
        char text[64];
        const char* name = baseName(cc);
        // 32..40, 42 and 43 are the low bytes of 0..8, 10 and 11.
        const char* high = (cc >= 32 && cc <= 43 && cc != 41) ? baseName(cc - 32) : nullptr;
        if (high)
            std::snprintf(text, sizeof text, "(%d) %s LSB", cc, high);
        else
            std::snprintf(text, sizeof text, "(%d) %s", cc, name ? name : "undefined");
        std::memset(ccNames[cc], 0, kCCNameSize);
        std::memcpy(ccNames[cc], text, strnlen(text, kCCNameChars));
    }
    ccNamesBuilt = 1;
}

void wMidi_ccName_get(short cc, char* out)
{
    if (!out) return;
    std::memset(out, 0, kCCNameSize);
    if (cc == -1)
        std::strcpy(out, "aftertouch");
    else if (cc >= 0 && cc <= 127 && ccNamesBuilt)
        std::memcpy(out, ccNames[cc], kCCNameSize);
}

void wMidi_noteName_init()
{
    static const char letters[12] = {'C', 'C', 'D', 'D', 'E', 'F', 'F', 'G', 'G', 'A', 'A', 'B'};
    static const int sharp[12] = {0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};
    for (int n = 0; n < 128; ++n) {
        std::memset(noteNames[n], 0, kNoteNameSize);
        std::snprintf(noteNames[n], kNoteNameSize, "%c%c%d", letters[n % 12], sharp[n % 12] ? '#' : ' ',
                      n / 12 - 2);
    }
    noteNamesBuilt = 1;
}

void wMidi_noteName_get(short note, char* out, int withNumber)
{
    if (!out) return;
    std::memset(out, 0, kNoteNameSize);
    if (note < 0 || note > 127 || !noteNamesBuilt) return;
    if (withNumber) {
        char text[48];
        std::snprintf(text, sizeof text, "%s (%d)", noteNames[note], note);
        std::memcpy(out, text, strnlen(text, kNoteNameSize - 1));
    } else
        std::memcpy(out, noteNames[note], kNoteNameSize);
}
