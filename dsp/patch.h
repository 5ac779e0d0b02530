// The patch record: preset number, polyphony, amplitude, transposition, pan,
// retrigger, tuning and name of one instrument or preset.
#pragma once
#include <cstddef>
#include <cstdint>

struct fileRec;
struct instRec;

enum { kPatchNameLen = 34 };

#pragma pack(push, 4)
// 128 bytes; the stored fields come first, the rest is not used here.
struct patchRec {
    int16_t preset;  // -1..127
    int16_t poly;    // 1..64
    float amp;       // linear, 0..16
    float trans;     // frequency ratio
    float pan;       // 0..1
    double retrigRate;
    float retrigBeat;
    int32_t notStored;
    int16_t microtune;  // slot in the shared tuning list
    char name[kPatchNameLen];
    uint8_t unused[60];
};
static_assert(offsetof(patchRec, retrigRate) == 16, "patchRec layout");
static_assert(offsetof(patchRec, microtune) == 32, "patchRec layout");
static_assert(offsetof(patchRec, name) == 34, "patchRec layout");
static_assert(sizeof(patchRec) == 128, "patchRec is 128 bytes");
#pragma pack(pop)

void patch_initPatchRec(patchRec* p, short preset);
void patch_clone(void* inst, const patchRec* src, patchRec* dst, short preset);
int patch_readWritePatch(fileRec* file, patchRec* p, void* buffer, int reading);
void patch_flipPatchRec(patchRec* p);

void patch_setPreset(patchRec* p, short preset);
void patch_setPoly(patchRec* p, short poly);
short patch_getPoly(const patchRec* p);
void patch_setAmp(patchRec* p, float amp);
float patch_getAmp(const patchRec* p);
void patch_setTrans(patchRec* p, float semitones);
float patch_getTrans(const patchRec* p);
void patch_setPan(patchRec* p, float pan);
float patch_getPan(const patchRec* p);
void patch_setMicrotune(patchRec* p, short slot);
void patch_setName(patchRec* p, const char* name);
void patch_getName(const patchRec* p, char* name);
void patch_setRetrigRate(patchRec* p, double rate);
void patch_setRetrigBeat(patchRec* p, float beat);
