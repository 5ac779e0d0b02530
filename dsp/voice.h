// Voices and voice allocation.
#pragma once
#include <cstddef>
#include <cstdint>

struct instRec;

#pragma pack(push, 4)
// 52 bytes.
struct voiceRec {
    int32_t state;
    int16_t note;  // -1 when free or releasing
    int16_t gate;  // gate level
    int16_t words[4];
    float frequency;  // running phase increment
    uint8_t unspecified[8];
    int32_t int28;
    int32_t int32;
    uint8_t unspecified2[4];
    int16_t short40;
    int16_t pad;
    float float44;
    int32_t int48;
};
static_assert(offsetof(voiceRec, frequency) == 16, "voiceRec layout");
static_assert(offsetof(voiceRec, int28) == 28, "voiceRec layout");
static_assert(offsetof(voiceRec, short40) == 40, "voiceRec layout");
static_assert(offsetof(voiceRec, int48) == 48, "voiceRec layout");
static_assert(sizeof(voiceRec) == 52, "voiceRec is 52 bytes");

// A list of voices: a count and up to 65 voice numbers, 132 bytes.
struct voiceListRec {
    int16_t count;
    int16_t voice[65];
};
static_assert(sizeof(voiceListRec) == 132, "voiceListRec is 132 bytes");

// 704 bytes. List 0 holds the free voices, 1 the releasing, 2 and 3 the
// playing ones (by envelope state).
struct voiceAllocationRec {
    voiceListRec list[4];
    int16_t position[65];  // each voice's position in its current list
    int16_t minusOne[16];
    uint8_t unused[14];
};
static_assert(offsetof(voiceAllocationRec, position) == 528, "voiceAllocationRec layout");
static_assert(offsetof(voiceAllocationRec, minusOne) == 658, "voiceAllocationRec layout");
static_assert(sizeof(voiceAllocationRec) == 704, "voiceAllocationRec is 704 bytes");
#pragma pack(pop)

void voice_initVoiceRec(instRec* inst, voiceRec* v);
void voice_initVoiceAllocationRec(instRec* inst, voiceAllocationRec* a);
float voice_calcFreq(instRec* inst, short note);
// 1 when the voice sounds a note (0..127) whose pitch follows the patch's
// transposition and tuning; a free or releasing voice (note -1) has none
// and keeps the increment it has, so a release tail keeps its pitch.
int voice_hasNote(const voiceRec* voice);
void voice_release(instRec* inst, short voice);
void voice_alloffRelease(instRec* inst);
short voice_howManyArePlaying(instRec* inst);
void voice_updateState(instRec* inst, short voice);
