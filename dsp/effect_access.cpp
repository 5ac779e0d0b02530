// Parameter accessors of the three effect records, used by the effect window.
//
// Setters clamp to each field's range and convert display units (seconds,
// hertz, decibels) to the stored ones (samples at 44100 Hz, frequency
// indices, linear gains); getters convert back. A comb index outside 0..5 or
// a tap index outside 0..2 is ignored by setters; getters then return the
// field's neutral value. The pipe's two-element fields take index 0 or 1.
#include "dsp/conversion.h"
#include "dsp/effect.h"
#include "dsp/filter.h"
#include "dsp/inst.h"

namespace {

const double kSamplesPerSec = 44100.0;
const double kSecPerSample = 2.2675736961451248e-05;
const double kMaxDelaySamples = 32767.0;
const double kMinDelaySamples = 1e-05;
const double kTapMinSec = 1e-05;
const double kLowpassMinHz = 30.0;
const double kLowpassMaxHz = 22000.0;
const double kMaxPan = 0.9999;
const short kCombs = 6;
const short kTaps = 3;

// Limits v to lo..hi; a value that is not a number becomes lo.
double clampTo(double v, double lo, double hi)
{
    if (!(v >= lo)) return lo;
    return v > hi ? hi : v;
}

template <typename T> T* element(T* array, short i, short count)
{
    return (array && i >= 0 && i < count) ? array + i : nullptr;
}

double getReal(const float* field, double fallback) { return field ? *field : fallback; }

void setReal(float* field, double v, double lo, double hi)
{
    if (field) *field = static_cast<float>(clampTo(v, lo, hi));
}

int getFlag(const int32_t* field) { return field ? *field : 0; }

void setFlag(int32_t* field, int on)
{
    if (field) *field = on;
}

double getSeconds(const float* field) { return field ? *field * kSecPerSample : 0.0; }

void setDelaySeconds(float* field, double sec)
{
    setReal(field, sec * kSamplesPerSec, kMinDelaySamples, kMaxDelaySamples);
}

double getHertz(const float* field) { return field ? filterIndexToFreq(*field) : 0.0; }

void setHertz(float* field, double hz)
{
    if (field) *field = static_cast<float>(filterFreqToIndex(clampTo(hz, kLowpassMinHz, kLowpassMaxHz)));
}

double getDB(const float* field) { return field ? ampToDB(*field) : 0.0; }

// Decibels to a linear gain of at most 1 (anything above 0 dB stores 1.0).
void setDB(float* field, double dB) { setReal(field, dBToAmp(dB), 0.0, 1.0); }

effectPipeRec* pipeOf(instRec* inst) { return inst ? inst_getEffectPipe(inst) : nullptr; }

effectMulticombRec* combOf(instRec* inst) { return inst ? inst_getEffectMulticomb(inst) : nullptr; }

effectMultitapRec* tapOf(instRec* inst) { return inst ? inst_getEffectMultitap(inst) : nullptr; }

// Pipe outputs: getters read element 1 for any index but 0, setters take
// only 0 and 1.
template <typename T> T* pipeOutForGet(T* pair, short i) { return pair ? pair + (i == 0 ? 0 : 1) : nullptr; }

}  // namespace

#define PIPE(field)       (pipeOf(inst) ? &pipeOf(inst)->field : nullptr)
#define PIPE_ARR(field)   (pipeOf(inst) ? pipeOf(inst)->field : nullptr)
#define COMB(field)       (combOf(inst) ? &combOf(inst)->field : nullptr)
#define COMB_AT(field, c) element(combOf(inst) ? combOf(inst)->field : nullptr, c, kCombs)
#define TAP(field)        (tapOf(inst) ? &tapOf(inst)->field : nullptr)
#define TAP_AT(field, t)  element(tapOf(inst) ? tapOf(inst)->field : nullptr, t, kTaps)

// ---- pipe ---------------------------------------------------------------------

double effect_pipe_getMasterTime(instRec* inst) { return getSeconds(PIPE(masterTime)); }
void effect_pipe_setMasterTime(instRec* inst, double sec) { setDelaySeconds(PIPE(masterTime), sec); }
double effect_pipe_getFeedback(instRec* inst) { return getReal(PIPE(feedback), 0.0); }
void effect_pipe_setFeedback(instRec* inst, double v) { setReal(PIPE(feedback), v, -0.999, 0.999); }
double effect_pipe_getInPos(instRec* inst) { return getReal(PIPE(inPos), 0.0); }
void effect_pipe_setInPos(instRec* inst, double v) { setReal(PIPE(inPos), v, 0.0, 1.0); }
double effect_pipe_getLowpass(instRec* inst) { return getHertz(PIPE(lowpass)); }
void effect_pipe_setLowpass(instRec* inst, double hz) { setHertz(PIPE(lowpass), hz); }
double effect_pipe_getCtlLength(instRec* inst) { return getReal(PIPE(ctlLength), 0.0); }
void effect_pipe_setCtlLength(instRec* inst, double v) { setReal(PIPE(ctlLength), v, 0.0, 1.0); }
int effect_pipe_getCtlInvertLength(instRec* inst) { return getFlag(PIPE(ctlInvertLength)); }
void effect_pipe_setCtlInvertLength(instRec* inst, int on) { setFlag(PIPE(ctlInvertLength), on); }

double effect_pipe_getOutPos(instRec* inst, short i)
{
    return getReal(pipeOutForGet(PIPE_ARR(outPos), i), 0.0);
}
void effect_pipe_setOutPos(instRec* inst, short i, double v)
{
    setReal(element(PIPE_ARR(outPos), i, 2), v, 0.0, 1.0);
}
double effect_pipe_getCtlOut(instRec* inst, short i)
{
    return getReal(pipeOutForGet(PIPE_ARR(ctlOut), i), 0.0);
}
void effect_pipe_setCtlOut(instRec* inst, short i, double v)
{
    setReal(element(PIPE_ARR(ctlOut), i, 2), v, 0.0, 1.0);
}
int effect_pipe_getCtlOutInvert(instRec* inst, short i)
{
    return getFlag(pipeOutForGet(PIPE_ARR(ctlOutInvert), i));
}
void effect_pipe_setCtlOutInvert(instRec* inst, short i, int on)
{
    setFlag(element(PIPE_ARR(ctlOutInvert), i, 2), on);
}

// ---- multicomb ----------------------------------------------------------------

double effect_comb_getMasterTime(instRec* inst) { return getSeconds(COMB(masterTime)); }
void effect_comb_setMasterTime(instRec* inst, double sec) { setDelaySeconds(COMB(masterTime), sec); }
double effect_comb_getMasterFeedback(instRec* inst) { return getReal(COMB(masterFeedback), 0.0); }
void effect_comb_setMasterFeedback(instRec* inst, double v) { setReal(COMB(masterFeedback), v, 0.0, 0.999); }
double effect_comb_getMasterLowpass(instRec* inst) { return getHertz(COMB(masterLowpass)); }
void effect_comb_setMasterLowpass(instRec* inst, double hz) { setHertz(COMB(masterLowpass), hz); }

int effect_comb_getActive(instRec* inst, short c) { return getFlag(COMB_AT(combActive, c)); }
void effect_comb_setActive(instRec* inst, short c, int on) { setFlag(COMB_AT(combActive, c), on); }
int effect_comb_getCtlInvert(instRec* inst, short c) { return getFlag(COMB_AT(combCtlInvert, c)); }
void effect_comb_setCtlInvert(instRec* inst, short c, int on) { setFlag(COMB_AT(combCtlInvert, c), on); }
double effect_comb_getChanTime(instRec* inst, short c) { return getReal(COMB_AT(combTime, c), 1.0); }
void effect_comb_setChanTime(instRec* inst, short c, double v) { setReal(COMB_AT(combTime, c), v, 0.0, 1.0); }
double effect_comb_getChanFeedback(instRec* inst, short c) { return getReal(COMB_AT(combFeedback, c), 1.0); }
void effect_comb_setChanFeedback(instRec* inst, short c, double v)
{
    setReal(COMB_AT(combFeedback, c), v, -1.0, 1.0);
}
double effect_comb_getChanGain(instRec* inst, short c) { return getDB(COMB_AT(combGain, c)); }
void effect_comb_setChanGain(instRec* inst, short c, double dB) { setDB(COMB_AT(combGain, c), dB); }
double effect_comb_getChanCtlSens(instRec* inst, short c) { return getReal(COMB_AT(combCtlSens, c), 1.0); }
void effect_comb_setChanCtlSens(instRec* inst, short c, double v)
{
    setReal(COMB_AT(combCtlSens, c), v, 0.0, 1.0);
}
double effect_comb_getChanPan(instRec* inst, short c) { return getReal(COMB_AT(combPan, c), 1.0); }
void effect_comb_setChanPan(instRec* inst, short c, double v)
{
    setReal(COMB_AT(combPan, c), v, 0.0, kMaxPan);
}
double effect_comb_getChanLowpass(instRec* inst, short c) { return getReal(COMB_AT(combLowpass, c), 1.0); }
void effect_comb_setChanLowpass(instRec* inst, short c, double v)
{
    setReal(COMB_AT(combLowpass, c), v, 0.0, 1.0);
}

// ---- multitap -----------------------------------------------------------------

double effect_tap_getMasterTime(instRec* inst) { return getSeconds(TAP(masterTime)); }

// The multitap delay has no upper limit: its buffers come from the pool and
// a time that does not fit leaves them empty.
void effect_tap_setMasterTime(instRec* inst, double sec)
{
    if (float* field = TAP(masterTime)) {
        if (!(sec >= kTapMinSec)) sec = kTapMinSec;
        *field = static_cast<float>(sec * kSamplesPerSec);
    }
}

double effect_tap_getFeedback(instRec* inst) { return getReal(TAP(feedback), 0.0); }
void effect_tap_setFeedback(instRec* inst, double v) { setReal(TAP(feedback), v, -0.999, 0.999); }
double effect_tap_getLowpass(instRec* inst) { return getHertz(TAP(lowpass)); }
void effect_tap_setLowpass(instRec* inst, double hz) { setHertz(TAP(lowpass), hz); }

int effect_tap_getCtlInvert(instRec* inst, short t) { return getFlag(TAP_AT(tapCtlInvert, t)); }
void effect_tap_setCtlInvert(instRec* inst, short t, int on) { setFlag(TAP_AT(tapCtlInvert, t), on); }
double effect_tap_getCtlSens(instRec* inst, short t) { return getReal(TAP_AT(tapCtlSens, t), 0.0); }
void effect_tap_setCtlSens(instRec* inst, short t, double v) { setReal(TAP_AT(tapCtlSens, t), v, 0.0, 1.0); }
double effect_tap_getTapTime(instRec* inst, short t) { return getReal(TAP_AT(tapTime, t), 0.0); }
void effect_tap_setTapTime(instRec* inst, short t, double v) { setReal(TAP_AT(tapTime, t), v, 0.0, 1.0); }
double effect_tap_getGain(instRec* inst, short t) { return getDB(TAP_AT(tapGain, t)); }
void effect_tap_setGain(instRec* inst, short t, double dB) { setDB(TAP_AT(tapGain, t), dB); }
double effect_tap_getPan(instRec* inst, short t) { return getReal(TAP_AT(tapPan, t), 0.0); }
void effect_tap_setPan(instRec* inst, short t, double v) { setReal(TAP_AT(tapPan, t), v, 0.0, kMaxPan); }
