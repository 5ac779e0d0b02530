// The nine controller sliders each plug-in shows, mirrored from the stored
// controllers of its instrument, and the controller values played into an
// instrument from here.
#include <cstdio>
#include <cstring>

#include "engine/engine.h"

namespace {
bool validInstance(long i) { return i >= 0 && i < IAC_INSTANCES; }

int clamp7(long v) { return v < 0 ? 0 : (v > 127 ? 127 : static_cast<int>(v)); }

// The instance whose shared record inst is, or -1 for a record elsewhere.
int instanceOf(const instRec* inst)
{
    for (int i = 0; i < IAC_INSTANCES; ++i)
        if (iac_getInst(i) == inst) return i;
    return -1;
}

// "%s %d", "cc %d", "%s AT" or "AT"; the stored name has 16 characters at
// most and need not be terminated.
void sliderLabel(const storedCCRec& r, char* out, size_t size)
{
    char name[kStoredCCNameLen + 1];
    std::memcpy(name, r.name, kStoredCCNameLen);
    name[kStoredCCNameLen] = 0;
    if (r.cc < 0)
        std::snprintf(out, size, name[0] ? "%s AT" : "AT", name);
    else if (name[0])
        std::snprintf(out, size, "%s %d", name, static_cast<int>(r.cc));
    else
        std::snprintf(out, size, "cc %d", static_cast<int>(r.cc));
}
}  // namespace

void MorvaneEngine_updateOneSlider(long instance, long slot, long cc, long value, const char* label)
{
    if (!validInstance(instance) || slot < 0 || slot >= IAC_SLIDERS || cc > 127) return;
    iac_changedRec& notices = iac_changed[instance];
    iac_sliderRec& s = notices.sliders[slot];
    s.cc = static_cast<int32_t>(cc);
    s.value = clamp7(value);
    // The label field holds 16 characters without a terminator when full.
    size_t n = label ? strnlen(label, IAC_SLIDER_LABEL_CHARS) : 0;
    std::memset(s.label, 0, sizeof s.label);
    if (n) std::memcpy(s.label, label, n);
    s.changed = 1;
    s.zero = 0;
    notices.slidersChanged.store(1);
}

void MorvaneEngine_updateAllSliders(long instance)
{
    if (!validInstance(instance)) return;
    storedCCList* list = inst_getStoredCC(iac_getInst(static_cast<int>(instance)));
    if (!list) return;
    char label[40];
    long slot = 0;
    for (storedCCRec* r = storedCC_getNextCC(list, -1); r && slot < IAC_SLIDERS;
         r = storedCC_getNextCC(list, r->cc)) {
        sliderLabel(*r, label, sizeof label);
        MorvaneEngine_updateOneSlider(instance, slot++, r->cc, r->value, label);
    }
    storedCCRec* touch = storedCC_getRecFromCC(list, -1);
    if (touch && slot < IAC_SLIDERS) {
        sliderLabel(*touch, label, sizeof label);
        MorvaneEngine_updateOneSlider(instance, slot++, -1, touch->value, label);
    }
    for (; slot < IAC_SLIDERS; ++slot) MorvaneEngine_updateOneSlider(instance, slot, -2, 0, "");
}

void MorvaneEngine_playCC(instRec* inst, short cc, short value)
{
    if (!inst || cc < -1 || cc > 127) return;
    // The notice goes to the plug-in whose instrument played the value.
    int instance = instanceOf(inst);
    if (instance < 0) instance = static_cast<int>(g_instanceNumber);
    if (validInstance(instance)) {
        iac_changed[instance].ccPlayed.store(1);
        iac_changed[instance].plugNotice.store(1);
    }
    unsigned char packet[kMidiPacketBytes];
    if (cc == -1) {
        packet[0] = 208;
        packet[1] = static_cast<unsigned char>(clamp7(value));
        packet[2] = 0;
        midi_processAftertouch(inst, packet);
    } else {
        packet[0] = 176;
        packet[1] = static_cast<unsigned char>(cc);
        packet[2] = static_cast<unsigned char>(clamp7(value));
        midi_processCc(inst, packet);
    }
}
