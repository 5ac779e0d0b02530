// The instrument model: the instrument record, its modules, conversions,
// tunings and wavetables. Other folders include this header only.
#pragma once

#include "dsp/audioSynth.h"
#include "dsp/cacheManagement.h"
#include "dsp/conversion.h"
#include "dsp/denormal.h"
#include "dsp/dsp_globals.h"
#include "dsp/inst.h"
#include "dsp/tune.h"
