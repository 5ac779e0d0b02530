#include "dsp/voice.h"

#include <cstring>

#include "dsp/conversion.h"
#include "dsp/inst.h"
#include "dsp/tune.h"

namespace {
// List a voice in a given state belongs to; -1 for none (states 4 and 5).
int listOfState(int state)
{
    switch (state) {
    case 0:
    case 6: return 0;
    case 1: return 1;
    case 2: return 2;
    case 3: return 3;
    default: return -1;
    }
}

bool validVoice(short v) { return v >= 0 && v < kVoices; }

void listRemove(instRec* inst, int list, short v)
{
    voiceAllocationRec* a = &inst->alloc;
    voiceListRec* l = &a->list[list];
    int pos = a->position[v];
    if (l->count > 0) l->count--;
    if (pos < 0) pos = 0;
    for (int i = pos; i < l->count && i + 1 < 65; ++i) {
        l->voice[i] = l->voice[i + 1];
        short moved = l->voice[i];
        if (validVoice(moved)) a->position[moved] = (int16_t)i;
    }
    if (l->count >= 0 && l->count < 65) l->voice[l->count] = -1;
}

void listAppend(instRec* inst, int list, short v)
{
    voiceAllocationRec* a = &inst->alloc;
    voiceListRec* l = &a->list[list];
    int at = l->count;
    if (at < 0) at = 0;
    if (at > 64) at = 64;
    l->voice[at] = v;
    a->position[v] = (int16_t)at;
    if (l->count < inst->voicesInUse) l->count++;
}

// The tuning increment of a note. A tuning index that names no tuning (read
// from a file or written by the plug-in side) falls back to slot 0 rather
// than indexing outside the list. The table sits at a 4-byte boundary in the
// shared list, so its doubles are copied out rather than read in place.
double tuningIncr(instRec* inst, int note)
{
    int slot = inst->patch.microtune;
    if (slot < 0 || slot >= kTuneSlots || tune_list[slot].id < 1) slot = 0;
    double incr;
    std::memcpy(&incr,
                reinterpret_cast<const char*>(&tune_list[slot]) + offsetof(tuneRec, incr) +
                    note * sizeof(double),
                sizeof incr);
    return incr;
}
}  // namespace

void voice_initVoiceRec(instRec*, voiceRec* v)
{
    if (!v) return;
    std::memset(v, 0, sizeof *v);
    v->state = 0;
    v->note = 64;
    v->gate = 64;
    v->frequency = (float)noteToPhaseIncrement(57.0);
    v->float44 = 1.0f;
}

void voice_initVoiceAllocationRec(instRec* inst, voiceAllocationRec* a)
{
    if (!inst || !a) return;
    for (auto& l : a->list) {
        l.count = 0;
        for (auto& e : l.voice) e = -1;
    }
    for (auto& p : a->position) p = 0;
    for (auto& m : a->minusOne) m = -1;
    int n = inst->voicesInUse;
    if (n < 0) n = 0;
    if (n > kVoices) n = kVoices;
    for (int i = 0; i < n; ++i) {
        a->list[0].voice[i] = (int16_t)i;
        a->position[i] = (int16_t)i;
    }
    a->list[0].count = (int16_t)n;
}

float voice_calcFreq(instRec* inst, short note)
{
    if (!inst) return 0.0f;
    if (note < 0) note = 0;
    if (note > 127) note = 127;
    return (float)(inst->patch.trans * tuningIncr(inst, note));
}

int voice_hasNote(const voiceRec* voice) { return voice && voice->note >= 0 && voice->note <= 127 ? 1 : 0; }

void voice_release(instRec* inst, short v)
{
    if (!inst || !validVoice(v)) return;
    voiceRec* voice = &inst->voice[v];
    voice->gate = 0;
    if (inst->midi.sustain > 0) return;
    switch (voice->state) {
    case -2:
    case -1:
    case 0:
    case 1: return;
    case 2: listRemove(inst, 2, v); break;
    case 3: listRemove(inst, 3, v); break;
    default: break;
    }
    listAppend(inst, 1, v);
    voice->state = 1;
    voice->note = -1;
    env_releaseVoice(inst, v, 0);
}

void voice_alloffRelease(instRec* inst)
{
    if (!inst) return;
    for (short v = 0; v < kVoices; ++v)
        if (inst->voice[v].state > 1) voice_release(inst, v);
}

short voice_howManyArePlaying(instRec* inst)
{
    if (!inst) return 0;
    return (short)(inst->alloc.list[1].count + inst->alloc.list[3].count);
}

void voice_updateState(instRec* inst, short v)
{
    if (!inst || !validVoice(v)) return;
    voiceRec* voice = &inst->voice[v];
    if (voice->state == -2) return;
    int oldState = voice->state;
    int newState = 0;
    for (int slot = 0; slot < 3; ++slot) {
        if (inst->env[slot].shown == 0) continue;
        int s = inst->envVoice[slot][v].state;
        if (s > newState) newState = s;
    }
    if (newState == 2 || (oldState == 2 && newState == 3)) return;
    if (newState == 0) newState = 6;
    voice->state = newState;
    if (newState == oldState) return;
    int from = listOfState(oldState);
    int to = listOfState(newState);
    if (from >= 0) listRemove(inst, from, v);
    if (to >= 0) {
        listAppend(inst, to, v);
        if (to == 0 || to == 1) voice->note = -1;
    }
}
