// The instrument's MIDI state: event buffer, note memory, controller values,
// pressure, bend and the bag of changed notes.
#include "dsp/midi.h"

#include <cmath>
#include <cstring>

#include "dsp/inst.h"
#include "dsp/lfo.h"
#include "dsp/voice.h"

namespace {
short clamp7(int v) { return static_cast<short>(v < 0 ? 0 : (v > 127 ? 127 : v)); }
}  // namespace

// --- event buffer and note memory ----------------------------------------------

void midi_clearBuffer(midiRec* midi)
{
    if (!midi) return;
    std::memset(midi->events, 0, sizeof midi->events);
    midi->count = 0;
}

void midi_addToBuffer(midiRec* midi, short status, short data1, short data2, short extra, long time)
{
    if (!midi || midi->count < 0 || midi->count >= kMidiEvents) return;
    midiEventRec* e = &midi->events[midi->count];
    e->time = static_cast<int32_t>(time);
    e->status = status;
    e->data1 = data1;
    e->data2 = data2;
    e->extra = extra;
    e->pending = 1;
    ++midi->count;
}

void midi_noteMemClear(instRec* inst)
{
    if (!inst) return;
    for (auto& n : inst->midi.noteMem) n = -1;
}

// --- controllers, pressure, bend ---------------------------------------------

void midi_playCC(instRec* inst, short cc, short value, short channel)
{
    if (!inst || cc < -1 || cc > 127 || channel < 0 || channel > 15) return;
    unsigned char packet[kMidiPacketBytes];
    if (cc == -1) {
        packet[0] = static_cast<unsigned char>(0xD0 + channel);
        packet[1] = static_cast<unsigned char>(clamp7(value));
        packet[2] = 0;
        midi_processAftertouch(inst, packet);
    } else {
        packet[0] = static_cast<unsigned char>(0xB0 + channel);
        packet[1] = static_cast<unsigned char>(cc);
        packet[2] = static_cast<unsigned char>(clamp7(value));
        midi_processCc(inst, packet);
    }
}

void midi_processCc(instRec* inst, const unsigned char* packet)
{
    if (!inst || !packet) return;
    short cc = clamp7(packet[1]);
    short value = clamp7(packet[2]);
    inst->midi.ccValue[cc] = value;
    if (cc == 64) inst->midi.sustain = value;
    lfo_processRetrigCC(inst, cc, value);
    if (cc == 123) voice_alloffRelease(inst);
    midi_cc_flagUpdate(inst);
}

void midi_processAftertouch(instRec* inst, const unsigned char* packet)
{
    if (inst && packet) inst->midi.aftertouch = clamp7(packet[1]);
}

void midi_processBend(instRec* inst, const unsigned char* packet)
{
    if (!inst || !packet) return;
    int b = clamp7(packet[2]);
    if (b == 127) b = 128;  // full deflection reaches the range exactly
    float semitones = inst->cc.bendRange * 0.015625f * static_cast<float>(b - 64);
    inst->cc.bendTarget = std::pow(2.0f, semitones * 0.0833333358f);
    inst->midi.bendSemitones = semitones;
    inst->midi.bendRaw = static_cast<int16_t>(b);
    midi_cc_flagUpdate(inst);
}

short midi_getCCVal(instRec* inst, short cc)
{
    if (!inst) return 0;
    if (cc >= 0 && cc <= 127) return inst->midi.ccValue[cc];
    return cc == -1 ? inst->midi.aftertouch : 0;
}

short midi_getChannel(instRec* inst) { return inst ? inst->midi.channel : 0; }

void midi_cc_flagUpdate(instRec* inst)
{
    if (inst) inst->midi.ccUpdate = 1;
}

int midi_cc_needUpdate(instRec* inst)
{
    if (!inst) return 0;
    int flag = inst->midi.ccUpdate;
    inst->midi.ccUpdate = 0;
    return flag;
}

// --- the bag of changed notes -----------------------------------------------------

void midi_bag_clear(instRec* inst)
{
    if (!inst) return;
    midiRec* m = &inst->midi;
    m->bagAllChanged = 1;
    m->bagChanged = 1;
    for (int n = 0; n < 128; ++n) {
        if (m->bagOn[n]) {
            m->bagWasOn[n] = 1;
            m->bagNoteChanged[n] = 1;
        }
        m->bagOn[n] = 0;
    }
}

int midi_bag_nextNoteChanged(instRec* inst, short* note, short* velocity)
{
    if (!inst || !note || *note < 0 || *note > 127) return 0;
    midiRec* m = &inst->midi;
    for (int n = *note + 1; n < 128; ++n) {
        if (!m->bagNoteChanged[n]) continue;
        m->bagNoteChanged[n] = 0;
        *note = static_cast<short>(n);
        if (velocity) *velocity = m->bagOn[n] ? 127 : 0;
        return 1;
    }
    *note = 127;
    return 0;
}

int midi_bag_changed(instRec* inst) { return inst ? inst->midi.bagChanged : 0; }

void midi_bag_startCheck(instRec* inst)
{
    if (inst) inst->midi.bagChanged = 0;
}
