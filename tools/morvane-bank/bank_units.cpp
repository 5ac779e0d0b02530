// A preset as a musician reads it: the editor's own units (decibels at 6 dB
// per doubling, semitones, note names with C-2 as note 0, hertz, seconds at
// the 44100 Hz reference rate), switched-off modules in one line, only the
// breakpoints an envelope uses.
//
// Index: formatting, patch, channels (oscillators, modulators, filters,
// waveshaper), LFOs, envelopes, lists, controllers, effect.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "tools/morvane-bank/bank_describe.h"

namespace {
const double kSecPerSample = 1.0 / 44100.0;

// ---- formatting ---------------------------------------------------------------------
struct view {
    std::vector<presetField> fields;
    std::string prefix;

    void line(const char* name, const char* format, ...) __attribute__((format(printf, 3, 4)))
    {
        char value[160];
        va_list args;
        va_start(args, format);
        std::vsnprintf(value, sizeof value, format, args);
        va_end(args);
        fields.push_back({prefix.empty() ? name : (*name ? prefix + "." + name : prefix), value});
    }
    void group(const char* name, int number = 0)
    {
        prefix = number > 0 ? std::string(name) + std::to_string(number) : name;
    }
};

std::string dB(double amp)
{
    if (!(amp > 0.0)) return "-inf dB";
    double db = ampToDB(amp);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f dB", std::fabs(db) < 0.05 ? 0.0 : db);
    return buf;
}

std::string seconds(double samples)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4g s", samples * kSecPerSample);
    return buf;
}

std::string hertz(double hz)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, hz < 100.0 ? "%.2f Hz" : "%.1f Hz", hz);
    return buf;
}

std::string noteName(double note)
{
    if (!std::isfinite(note)) return "no note";
    static const char* const names[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    long n = std::lround(note);
    int cents = (int)std::lround((note - (double)n) * 100.0);
    char buf[48];
    int pc = (int)(((n % 12) + 12) % 12);
    long octave = (n - pc) / 12 - 2;
    if (cents != 0)
        std::snprintf(buf, sizeof buf, "%s%ld %+d cents", names[pc], octave, cents);
    else
        std::snprintf(buf, sizeof buf, "%s%ld", names[pc], octave);
    return buf;
}

// A frequency in the unit its mode sets it in.
std::string pitch(int mode, float ratio, float increment)
{
    char buf[64];
    switch (mode) {
    case freqMode_transpose:
        std::snprintf(buf, sizeof buf, "%+.2f semitones", ratioToTranspose(ratio));
        break;
    case freqMode_ratio: std::snprintf(buf, sizeof buf, "ratio %.4g", ratio); break;
    case freqMode_note: return "note " + noteName(hertzToNote(phaseIncrementToHertz(increment)));
    case freqMode_hertz: return "fixed " + hertz(phaseIncrementToHertz(increment));
    default: std::snprintf(buf, sizeof buf, "unknown mode %d", mode); break;
    }
    return buf;
}

std::string waveName(const presetRec* p, int id)
{
    char buf[80];
    if (id / 256 == kWaveListUser) {
        for (const waveRec& w : p->waves)
            if (w.id == id) {
                std::snprintf(buf, sizeof buf, "user %d \"%s\"", id % 256 + 1,
                              describe_escape(w.name, kWaveNameLen).c_str());
                return buf;
            }
        std::snprintf(buf, sizeof buf, "user %d (missing)", id % 256 + 1);
        return buf;
    }
    static int made = wave_initWavelist();
    (void)made;
    if (id >= 0 && id < kBuiltinWaves && wavelist[id].type == waveType_builtin)
        std::snprintf(buf, sizeof buf, "\"%s\"", describe_escape(wavelist[id].name, kWaveNameLen).c_str());
    else
        std::snprintf(buf, sizeof buf, "unknown wave %d", id);
    return buf;
}

std::string channels(const int32_t* on, int n, bool master)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        if (on[i])
            s += (s.empty() ? "" : ",") + (master && i == 3 ? std::string("M") : std::to_string(i + 1));
    return s.empty() ? "none" : s;
}

// ---- patch and channels -----------------------------------------------------------------
void patch(view& v, const patchRec& p)
{
    v.group("patch");
    v.line("name", "\"%s\"", describe_escape(p.name, kPatchNameLen).c_str());
    v.line("voices", "%d", p.poly);
    v.line("volume", "%s", dB(p.amp).c_str());
    v.line("transpose", "%+.2f semitones", ratioToTranspose(p.trans));
    v.line("pan", "%.2f", p.pan);
    v.line("retrigger", "%s, %g beats", seconds(p.retrigRate).c_str(), p.retrigBeat);
    v.line("tuning", "%d", p.microtune);
}

void oscil(view& v, const presetRec* p, int i)
{
    const oscil_instRec& o = p->oscil[i];
    v.group("osc", i + 1);
    if (!o.active) {
        v.line("", "off");
        return;
    }
    v.line("mode", "%s", describe_oscMode(o.mode));
    v.line("level", "%s", dB(o.ampScale).c_str());
    v.line("pitch", "%s", pitch(o.mainFreqMode, o.mainRatio, o.mainIncrement).c_str());
    v.line("wave", "%s", waveName(p, o.mainWaveID).c_str());
    if (o.mainPhase != 0.0f) v.line("phase", "%.3f cycles", o.mainPhase / 1024.0);
    if (o.mode != oscMode_single) {
        v.line("modPitch", "%s", pitch(o.modFreqMode, o.modRatio, o.modIncrement).c_str());
        v.line("modWave", "%s", waveName(p, o.modWaveID).c_str());
        if (o.modPhase != 0.0f) v.line("modPhase", "%.3f cycles", o.modPhase / 1024.0);
    }
    if (o.mode == oscMode_double) v.line("balance", "%.3f", o.doubleBalance);
    if (o.mode == oscMode_fm) v.line("fmIndex", "%.3f", o.fmIndex * 0.006135923151546361);
    if (o.mode == oscMode_ringmod) v.line("balance", "%.3f", o.ringmodBalance);
    if (o.invertPhase) v.line("invertPhase", "yes");
}

void mod(view& v, const presetRec* p, int i)
{
    const modInstRec& m = p->mod[i];
    v.group("mod", i + 1);
    if (!m.active) {
        v.line("", "off");
        return;
    }
    v.line("pitch", "%s", pitch(m.freqMode, m.ratio, m.increment).c_str());
    v.line("wave", "%s", waveName(p, m.waveID).c_str());
    v.line("balance", "%.3f", m.balance);
}

void filter(view& v, const filterInstRec& f, int i)
{
    v.group(i == 3 ? "filterM" : "filter", i == 3 ? 0 : i + 1);
    if (!f.active) {
        v.line("", "off");
        return;
    }
    int mode = f.mode;
    v.line("type", "%s", describe_filterMode(mode));
    bool comb = mode == filterMode_comb;
    v.line("cutoff", "%s",
           hertz(comb ? filterCombFreqToHz(f.combDelay) : filterIndexToFreq(f.freqIndex)).c_str());
    bool firstOrder = mode == filterMode_lpf6 || mode == filterMode_hpf6;
    if (comb) {
        v.line("feedback", "%.3f", f.combFeedback);
        v.line("gain", "%s", dB(f.combGain).c_str());
    } else if (mode == filterMode_bpf) {
        v.line("Q", "%.3f", f.bandpassQ);
    } else if (!firstOrder) {
        v.line("resonance", "%.3f", f.resonance);
        v.line("gain", "%s", dB(f.gain).c_str());
        v.line("bandwidth", "%.3f", f.bandwidth);
    }
    if (i == 3) v.line("voices", "%s", f.mono ? "mono" : "poly");
}

void waveshaper(view& v, const presetRec* p)
{
    const waveshapeInstRec& w = p->waveshape;
    v.group("waveshaper");
    if (!w.active) {
        v.line("", "off");
        return;
    }
    v.line("wave", "%s", waveName(p, w.waveID).c_str());
    v.line("in", "%s", dB(w.inGain).c_str());
    v.line("out", "%s", dB(w.outGain).c_str());
    v.line("phase", "%.3f", w.phase);
    v.line("voices", "%s", w.mono ? "mono" : "poly");
}

// ---- LFOs -----------------------------------------------------------------------------
void lfo(view& v, const presetRec* p, int i)
{
    const lfoInstRec& l = p->lfo[i];
    v.group("lfo", i + 1);
    if (!l.on) {
        v.line("", "off");
        return;
    }
    v.line("rate", "%.4g s", l.freq);
    v.line("wave", "%s", waveName(p, l.waveID).c_str());
    v.line("voices", "%s", l.polyOn ? "each voice" : "whole instrument");
    if (l.startPhase != 0.0f) v.line("phase", "%.3f", l.startPhase);
    if (l.shOn) v.line("sampleAndHold", "%.4g s", l.shRate);
    auto route = [&](const char* name, float depth, const int32_t* on, int n, int up, bool master) {
        if (depth == 0.0f) return;
        v.line(name, "%.3f on %s%s", depth, channels(on, n, master).c_str(), up ? "" : ", inverted");
    };
    route("pitch", l.pmDepth, l.pitchChan, 3, l.pmUp, false);
    route("amp", l.amDepth, l.ampChan, 3, l.amUp, false);
    route("filter", l.filterDepth, l.filterChan, 4, l.filterUp, true);
    route("mod", l.modDepth, l.modChan, 3, l.modUp, false);
    if (l.panDepth != 0.0f) v.line("pan", "%.3f%s", l.panDepth, l.panUp ? "" : ", inverted");
    if (l.effectDepth != 0.0f) v.line("effect", "%.3f", l.effectDepth);
    if (l.retriggerOn) v.line("retrigger", "CC %d", l.retriggerCC);
}

// ---- envelopes ------------------------------------------------------------------------
std::string envTarget(int param, int chan)
{
    char buf[48];
    int n = chan + 1;
    switch (param) {
    case 1: std::snprintf(buf, sizeof buf, "osc %d amp", n); break;
    case 2: std::snprintf(buf, sizeof buf, "osc %d main pitch", n); break;
    case 3: std::snprintf(buf, sizeof buf, "osc %d main phase", n); break;
    case 4: std::snprintf(buf, sizeof buf, "osc %d mod phase", n); break;
    case 5: std::snprintf(buf, sizeof buf, "osc %d mod pitch", n); break;
    case 6: std::snprintf(buf, sizeof buf, "osc %d mod balance", n); break;
    case 7: std::snprintf(buf, sizeof buf, "osc %d mod index", n); break;
    case 8: std::snprintf(buf, sizeof buf, "osc %d ringmod balance", n); break;
    case 9:
        if (chan == 3)
            std::snprintf(buf, sizeof buf, "master filter freq");
        else
            std::snprintf(buf, sizeof buf, "filter %d freq", n);
        break;
    case 13: std::snprintf(buf, sizeof buf, "mod %d pitch", n); break;
    case 14: std::snprintf(buf, sizeof buf, "mod %d balance", n); break;
    default: std::snprintf(buf, sizeof buf, "parameter %d, channel %d", param, n); break;
    }
    return buf;
}

void envelope(view& v, const envInstRec& e, int i)
{
    static const char* const modes[] = {"release", "sustain", "loop", "retrigger"};
    v.group("env", i + 1);
    v.line("target", "%s", envTarget(e.param, e.channel).c_str());
    v.line("mode", "%s", e.envMode >= 1 && e.envMode <= 4 ? modes[e.envMode - 1] : "unknown");
    bool amp = e.param == envParam_amp;
    auto level = [&](float a) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.3f", a);
        return amp ? dB(a) : std::string(buf);
    };
    v.line("start", "%s", level(e.depth).c_str());
    int last = e.lastPoint < 0 ? -1 : (e.lastPoint >= kEnvBreakpoints ? kEnvBreakpoints - 1 : e.lastPoint);
    for (int b = 0; b <= last; ++b) {
        char name[24];
        std::snprintf(name, sizeof name, "point%d", b + 1);
        v.line(name, "%s to %s, slope %.3g", seconds(e.bp[b].time).c_str(), level(e.bp[b].level).c_str(),
               e.bp[b].slope);
    }
    if (e.envMode == envMode_sustain) v.line("sustain", "point %d", e.sustainPoint + 1);
    if (e.envMode == envMode_loop) v.line("loop", "from point %d", e.loopStart + 1);
    if (e.global) v.line("voices", "shared by all voices");
}

// ---- lists and controllers ------------------------------------------------------------
void lists(view& v, const presetRec* p)
{
    for (size_t i = 0; i < p->waves.size(); ++i) {
        const waveRec& w = p->waves[i];
        v.group("wave", (int)i + 1);
        v.line("", "user %d \"%s\"", w.id % 256 + 1, describe_escape(w.name, kWaveNameLen).c_str());
    }
    static const char* const kinds[] = {"osc amp", "osc mod", "filter freq"};
    for (size_t i = 0; i < p->notemaps.size(); ++i) {
        const notemapRec& m = p->notemaps[i];
        v.group("notemap", (int)i + 1);
        v.line("", "%s %d", m.kind >= 1 && m.kind <= 3 ? kinds[m.kind - 1] : "unknown", m.index + 1);
    }
}

void controllers(view& v, const presetRec* p)
{
    const ccInstRec& c = p->cc;
    v.group("controllers");
    v.line("bendRange", "%g semitones", c.bendRange);
    v.line("pan", "CC %d, %.0f%%", c.panCC, c.panDepth * 100.0);
    v.line("volume", "CC %d", c.volCC);
    v.line("filter", "CC %d, %.0f%% on %s", c.filterCC, (1.0 - c.filterDepth) * 100.0,
           channels(c.filterChanOn, 4, true).c_str());
    v.line("mod", "CC %d, %.0f%% on %s", c.modCC, (1.0 - c.modDepth) * 100.0,
           channels(c.modChanOn, 3, false).c_str());
    v.line("effect", "CC %d, %.0f%%", c.effectCC, c.effectDepth * 100.0);
    // Velocity: only the destinations whose curve differs from a new preset's.
    static const char* const kinds[] = {"osc amp", "osc mod", "filter"};
    velInstRec plain;
    vel_initVelInstRec(&plain);
    for (int d = 0; d < kDestinations; ++d) {
        const velRec& r = p->vel.vel[d];
        if (r.sens == plain.vel[d].sens && r.invert == plain.vel[d].invert) continue;
        char name[40];
        std::snprintf(name, sizeof name, "velocity %s %d",
                      r.kind >= 1 && r.kind <= 3 ? kinds[r.kind - 1] : "?", r.index + 1);
        v.line(name, "floor %.2f%s", r.sens, r.invert ? ", inverted" : "");
    }
    for (int i = 0; i < kStoredCC; ++i) {
        const storedCCRec& r = p->storedCC.rec[i];
        if (r.cc < -1) continue;
        std::string label = describe_escape(r.name, sizeof r.name);
        if (!label.empty()) label = " \"" + label + "\"";
        char name[24];
        std::snprintf(name, sizeof name, "send%d", i + 1);
        if (r.cc == -1)
            v.line(name, "aftertouch%s = %d", label.c_str(), r.value);
        else
            v.line(name, "CC %d%s = %d", r.cc, label.c_str(), r.value);
    }
}

// ---- effect ---------------------------------------------------------------------------
void effect(view& v, const effectHeader* e)
{
    v.group("effect");
    if (!e) {
        v.line("", "none");
        return;
    }
    v.line("type", "%s", describe_effectKind(e->type));
    if (e->type == effectMode_pipe) {
        effectPipeRec r;
        std::memcpy(&r, e, sizeof r);
        v.line("on", "%s", r.active ? "yes" : "no");
        v.line("wet", "%.3f", r.wet);
        v.line("dry", "%.3f", r.dry);
        v.line("time", "%s", seconds(r.masterTime).c_str());
        v.line("feedback", "%.3f", r.feedback);
        v.line("lowpass", "%s", hertz(filterIndexToFreq(r.lowpass)).c_str());
        v.line("in", "%.3f", r.inPos);
        v.line("out", "%.3f, %.3f", r.outPos[0], r.outPos[1]);
    } else if (e->type == effectMode_multicomb) {
        effectMulticombRec r;
        std::memcpy(&r, e, sizeof r);
        v.line("on", "%s", r.active ? "yes" : "no");
        v.line("wet", "%.3f", r.wet);
        v.line("dry", "%.3f", r.dry);
        v.line("time", "%s", seconds(r.masterTime).c_str());
        v.line("feedback", "%.3f", r.masterFeedback);
        v.line("lowpass", "%s", hertz(filterIndexToFreq(r.masterLowpass)).c_str());
        for (int c = 0; c < 6; ++c) {
            if (!r.combActive[c]) continue;
            char name[16];
            std::snprintf(name, sizeof name, "comb%d", c + 1);
            v.line(name, "%s, feedback %.3f, %s, pan %.2f", seconds(r.masterTime * r.combTime[c]).c_str(),
                   r.combFeedback[c], dB(r.combGain[c]).c_str(), r.combPan[c]);
        }
    } else if (e->type == effectMode_multitap) {
        effectMultitapRec r;
        std::memcpy(&r, e, sizeof r);
        v.line("on", "%s", r.active ? "yes" : "no");
        v.line("wet", "%.3f", r.wet);
        v.line("dry", "%.3f", r.dry);
        v.line("time", "%s", seconds(r.masterTime).c_str());
        v.line("feedback", "%.3f", r.feedback);
        v.line("lowpass", "%s", hertz(filterIndexToFreq(r.lowpass)).c_str());
        v.line("highpass", "%s", hertz(filterIndexToFreq(r.highpass)).c_str());
        for (int t = 0; t < 3; ++t) {
            if (!r.tapActive[t]) continue;
            char name[16];
            std::snprintf(name, sizeof name, "tap%d", t + 1);
            v.line(name, "%s, %s, pan %.2f", seconds(r.masterTime * r.tapTime[t]).c_str(),
                   dB(r.tapGain[t]).c_str(), r.tapPan[t]);
        }
    }
}
}  // namespace

std::vector<presetField> describe_musician(const presetRec* p)
{
    view v;
    if (!p) return v.fields;
    patch(v, p->patch);
    for (int i = 0; i < kOscils; ++i) oscil(v, p, i);
    for (int i = 0; i < kOscils; ++i) mod(v, p, i);
    for (int i = 0; i < kFilters; ++i) filter(v, p->filter[i], i);
    waveshaper(v, p);
    for (int i = 0; i < kLfos; ++i) lfo(v, p, i);
    for (size_t i = 0; i < p->envs.size(); ++i) envelope(v, p->envs[i], (int)i);
    lists(v, p);
    controllers(v, p);
    effect(v, p->effect.get());
    return v.fields;
}
