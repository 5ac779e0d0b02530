// The list of factory presets: a name, a polyphony and a recipe that sets up
// an instrument (starting from the default sound) to sound like the name.
#pragma once

#include "dsp/dsp.h"

struct factoryPreset {
    const char* name;
    short poly;
    void (*build)(instRec* inst);
};

extern const factoryPreset kFactoryPresets[];
extern const int kFactoryPresetCount;

// Fills a bank with every factory preset, slot 0 upward, using inst as the
// work instrument. The number of presets stored.
struct bankRec;
int factory_fillBank(bankRec* bank, instRec* inst);
