// Field-by-field descriptions of presets for morvane-bank.
//
// Index: fieldList (formatting), patch and channel modules, LFOs, envelopes,
// waves and note maps, controllers, effects, summary.
#include "tools/morvane-bank/bank_describe.h"

#include <cstdio>
#include <cstring>

namespace {
// The raw text form: one field per line under a name prefix ("oscil[1].").
struct fieldList : presetSink {
    std::vector<presetField> fields;
    std::string prefix;

    void text(const char* name, const std::string& value) { fields.push_back({prefix + name, value}); }
    void num(const char* name, long long v) override { text(name, std::to_string(v)); }
    void real(const char* name, double v) override
    {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.9g", v);
        text(name, buf);
    }
    void realD(const char* name, double v) override { real(name, v); }
    void derived(const char* name, double v) override { real(name, v); }
    void named(const char* name, long long, const char* label, const char* rawName) override
    {
        text(rawName ? rawName : name, label);
    }
    void count(const char* name, const char*, size_t n) override { num(name, (long long)n); }
    void none(const char*) override { text("kind", "none"); }
    void chars(const char* name, const char* field, size_t size) override
    {
        text(name, "\"" + describe_escape(field, size) + "\"");
    }
    // A float array in rows of 16: name[0..15], name[16..31], ...
    void reals(const char* name, const float* v, int n) override
    {
        for (int at = 0; at < n; at += 16) {
            char label[48];
            int last = at + 15 < n ? at + 15 : n - 1;
            std::snprintf(label, sizeof label, "%s[%d..%d]", name, at, last);
            std::string row;
            for (int i = at; i <= last; ++i) {
                char buf[24];
                std::snprintf(buf, sizeof buf, "%s%.9g", i == at ? "" : " ", v[i]);
                row += buf;
            }
            text(label, row);
        }
    }
    void ints(const char* name, const int32_t* v, int n) override
    {
        std::string row;
        for (int i = 0; i < n; ++i) row += (i ? " " : "") + std::to_string(v[i]);
        text(name, row);
    }
    void breakpoints(const envBreakpointRec* bp, int n) override
    {
        for (int b = 0; b < n; ++b) {
            char name[24], value[96];
            std::snprintf(name, sizeof name, "bp[%d]", b);
            std::snprintf(value, sizeof value, "time %.17g level %.9g slope %.9g", bp[b].time, bp[b].level,
                          bp[b].slope);
            text(name, value);
        }
    }
    void enter(const char* group, int index = -1) override
    {
        char buf[48];
        if (index >= 0)
            std::snprintf(buf, sizeof buf, "%s[%d].", group, index);
        else
            std::snprintf(buf, sizeof buf, "%s.", group);
        prefix = buf;
    }
};

void describePatch(presetSink& f, const patchRec& p)
{
    f.enter("patch");
    f.num("preset", p.preset);
    f.chars("name", p.name, kPatchNameLen);
    f.num("poly", p.poly);
    f.real("amp", p.amp);
    f.real("trans", p.trans);
    f.real("pan", p.pan);
    f.realD("retrigRate", p.retrigRate);
    f.real("retrigBeat", p.retrigBeat);
    f.num("microtune", p.microtune);
}

void describeOscil(presetSink& f, const oscil_instRec& o, int i)
{
    f.enter("oscil", i);
    f.num("active", o.active);
    f.named("mode", o.mode, describe_oscMode(o.mode));
    f.num("mainFreqMode", o.mainFreqMode);
    f.num("modFreqMode", o.modFreqMode);
    f.num("mainWaveID", o.mainWaveID);
    f.num("modWaveID", o.modWaveID);
    f.real("mainIncrement", o.mainIncrement);
    f.real("mainPhase", o.mainPhase);
    f.real("mainRatio", o.mainRatio);
    f.real("ampScale", o.ampScale);
    f.real("modRatio", o.modRatio);
    f.real("modPhase", o.modPhase);
    f.real("modIncrement", o.modIncrement);
    f.real("doubleBalance", o.doubleBalance);
    f.real("fmIndex", o.fmIndex);
    f.real("ringmodBalance", o.ringmodBalance);
    f.num("index", o.index);
    f.num("invertPhase", o.invertPhase);
}

void describeMod(presetSink& f, const modInstRec& m, int i)
{
    f.enter("mod", i);
    f.num("active", m.active);
    f.num("index", m.index);
    f.num("mode", m.mode);
    f.num("freqMode", m.freqMode);
    f.real("ratio", m.ratio);
    f.real("increment", m.increment);
    f.num("waveID", m.waveID);
    f.real("balance", m.balance);
}

void describeFilter(presetSink& f, const filterInstRec& r, int i)
{
    f.enter("filter", i);
    f.num("active", r.active);
    f.num("mono", r.mono);
    f.num("index", r.index);
    f.named("mode", r.mode, describe_filterMode(r.mode));
    f.real("freqIndex", r.freqIndex);
    f.derived("freqHz", filterIndexToFreq(r.freqIndex));
    f.real("combDelay", r.combDelay);
    f.real("combFeedback", r.combFeedback);
    f.real("bandpassQ", r.bandpassQ);
    f.real("gain", r.gain);
    f.real("bandwidth", r.bandwidth);
    f.real("combGain", r.combGain);
    f.real("resonance", r.resonance);
}

void describeWaveshape(presetSink& f, const waveshapeInstRec& w)
{
    f.enter("waveshape");
    f.num("active", w.active);
    f.num("mono", w.mono);
    f.num("waveID", w.waveID);
    f.real("inGain", w.inGain);
    f.real("outGain", w.outGain);
    f.real("phase", w.phase);
}

void describeLfo(presetSink& f, const lfoInstRec& l, int i)
{
    f.enter("lfo", i);
    f.num("on", l.on);
    f.num("polyOn", l.polyOn);
    f.num("shOn", l.shOn);
    f.ints("pitchChan", l.pitchChan, 3);
    f.ints("ampChan", l.ampChan, 3);
    f.ints("filterChan", l.filterChan, 4);
    f.ints("modChan", l.modChan, 3);
    f.num("pmUp", l.pmUp);
    f.num("amUp", l.amUp);
    f.num("panUp", l.panUp);
    f.num("filterUp", l.filterUp);
    f.num("modUp", l.modUp);
    f.num("index", l.index);
    f.num("depthCC", l.depthCC);
    f.num("rateCC", l.rateCC);
    f.num("shRateCC", l.shRateCC);
    f.num("retriggerOn", l.retriggerOn);
    f.num("retriggerCC", l.retriggerCC);
    f.real("ccScale1", l.ccScale1);
    f.real("depthRange", l.depthRange);
    f.real("shRateRange", l.shRateRange);
    f.real("ccScale2", l.ccScale2);
    f.real("ccScale3", l.ccScale3);
    f.real("freqScaleRange", l.freqScaleRange);
    f.real("amDepth", l.amDepth);
    f.real("pmDepth", l.pmDepth);
    f.real("panDepth", l.panDepth);
    f.real("filterDepth", l.filterDepth);
    f.real("modDepth", l.modDepth);
    f.real("effectDepth", l.effectDepth);
    f.num("waveID", l.waveID);
    f.real("freq", l.freq);
    f.real("startPhase", l.startPhase);
    f.real("shRate", l.shRate);
    f.real("extra", l.extra);
}

void describeEnv(presetSink& f, const envInstRec& e, int i)
{
    f.enter("env", i);
    f.num("kind", e.kind);
    f.num("shown", e.shown);
    f.num("inUse", e.inUse);
    f.num("spare", e.spare);
    f.num("global", e.global);
    f.num("envMode", e.envMode);
    f.num("param", e.param);
    f.num("channel", e.channel);
    f.num("sustainPoint", e.sustainPoint);
    f.num("releasePoint", e.releasePoint);
    f.num("lastPoint", e.lastPoint);
    f.num("loopStart", e.loopStart);
    f.real("scale1", e.scale1);
    f.real("offset", e.offset);
    f.real("scale2", e.scale2);
    f.real("scale3", e.scale3);
    f.realD("reserved", e.reserved);
    f.real("depth", e.depth);
    f.breakpoints(e.bp, kEnvBreakpoints);
}

void describeWave(presetSink& f, const waveRec& w, int i)
{
    f.enter("wave", i);
    f.num("id", w.id);
    f.num("type", w.type);
    f.num("spareA", w.spareA);
    f.num("spareB", w.spareB);
    f.num("spareC", w.spareC);
    f.chars("name", w.name, kWaveNameLen);
    f.reals("data", w.data, kWaveSize);
}

void describeNotemap(presetSink& f, const notemapRec& m, int i)
{
    f.enter("notemap", i);
    f.num("kind", m.kind);
    f.num("index", m.index);
    f.reals("factor", m.factor, 128);
}

void describeCc(presetSink& f, const ccInstRec& c)
{
    f.enter("cc");
    f.real("bendRange", c.bendRange);
    f.real("bendLag", c.bendLag);
    f.num("panCC", c.panCC);
    f.real("panDepth", c.panDepth);
    f.real("panLag", c.panLag);
    f.num("volCC", c.volCC);
    f.real("volScale", c.volScale);
    f.real("volLag", c.volLag);
    f.ints("filterChanOn", c.filterChanOn, 4);
    f.num("filterCC", c.filterCC);
    f.real("filterDepth", c.filterDepth);
    f.real("filterLag", c.filterLag);
    f.ints("modChanOn", c.modChanOn, 3);
    f.num("modCC", c.modCC);
    f.real("modLag", c.modLag);
    f.real("modDepth", c.modDepth);
    f.num("effectCC", c.effectCC);
    f.real("effectLag", c.effectLag);
    f.real("effectDepth", c.effectDepth);
}

void describeVel(presetSink& f, const velInstRec& v)
{
    for (int d = 0; d < kDestinations; ++d) {
        f.enter("vel", d);
        f.num("kind", v.vel[d].kind);
        f.num("index", v.vel[d].index);
        f.real("sens", v.vel[d].sens);
        f.num("invert", v.vel[d].invert);
    }
}

void describeStoredCC(presetSink& f, const storedCCList& l)
{
    for (int i = 0; i < kStoredCC; ++i) {
        f.enter("storedCC", i);
        f.num("cc", l.rec[i].cc);
        f.num("value", l.rec[i].value);
        f.chars("name", l.rec[i].name, sizeof l.rec[i].name);
    }
}

void describeEffectHeader(presetSink& f, const effectHeader& h)
{
    f.enter("effect");
    f.named("type", h.type, describe_effectKind(h.type), "kind");
    f.num("magic", h.magic);
    f.num("size", h.size);
    f.num("formatA", h.formatA);
    f.num("formatB", h.formatB);
    f.num("timeMode", h.timeMode);
}

void describePipe(presetSink& f, const effectPipeRec& r)
{
    f.num("active", r.active);
    f.real("wet", r.wet);
    f.real("dry", r.dry);
    f.real("pipeSpare1", r.pipeSpare1);
    f.real("pipeSpare2", r.pipeSpare2);
    f.real("masterTime", r.masterTime);
    f.real("feedback", r.feedback);
    f.real("inPos", r.inPos);
    f.reals("outPos", r.outPos, 2);
    f.real("lowpass", r.lowpass);
    f.real("ctlLength", r.ctlLength);
    f.reals("ctlOut", r.ctlOut, 2);
    f.num("ctlInvertLength", r.ctlInvertLength);
    f.ints("ctlOutInvert", r.ctlOutInvert, 2);
}

void describeMulticomb(presetSink& f, const effectMulticombRec& r)
{
    f.num("active", r.active);
    f.real("wet", r.wet);
    f.real("dry", r.dry);
    f.num("count", r.count);
    f.real("masterTime", r.masterTime);
    f.real("masterFeedback", r.masterFeedback);
    f.real("masterLowpass", r.masterLowpass);
    f.ints("combActive", r.combActive, 6);
    f.ints("combCtlInvert", r.combCtlInvert, 6);
    f.reals("combTime", r.combTime, 6);
    f.reals("combFeedback", r.combFeedback, 6);
    f.reals("combGain", r.combGain, 6);
    f.reals("combCtlSens", r.combCtlSens, 6);
    f.reals("combPan", r.combPan, 6);
    f.reals("combLowpass", r.combLowpass, 6);
}

void describeMultitap(presetSink& f, const effectMultitapRec& r)
{
    f.num("active", r.active);
    f.real("wet", r.wet);
    f.real("dry", r.dry);
    f.num("count", r.count);
    f.num("tapFlagA", r.tapFlagA);
    f.num("tapFlagB", r.tapFlagB);
    f.real("masterTime", r.masterTime);
    f.real("feedback", r.feedback);
    f.real("lowpass", r.lowpass);
    f.real("highpass", r.highpass);
    f.num("maxBuf", r.maxBuf);
    f.ints("tapActive", r.tapActive, 3);
    f.ints("tapCtlInvert", r.tapCtlInvert, 3);
    f.reals("tapCtlSens", r.tapCtlSens, 3);
    f.reals("tapTime", r.tapTime, 3);
    f.reals("tapGain", r.tapGain, 3);
    f.reals("tapPan", r.tapPan, 3);
}

void describeEffect(presetSink& f, const effectHeader* e)
{
    if (!e) {
        f.enter("effect");
        f.none("effect");
        return;
    }
    describeEffectHeader(f, *e);
    if (e->type == effectMode_pipe) {
        effectPipeRec r;
        std::memcpy(&r, e, sizeof r);
        describePipe(f, r);
    } else if (e->type == effectMode_multicomb) {
        effectMulticombRec r;
        std::memcpy(&r, e, sizeof r);
        describeMulticomb(f, r);
    } else if (e->type == effectMode_multitap) {
        effectMultitapRec r;
        std::memcpy(&r, e, sizeof r);
        describeMultitap(f, r);
    }
}
}  // namespace

const char* describe_filterMode(int mode)
{
    switch (mode) {
    case filterMode_lpf6: return "lpf -6dB";
    case filterMode_lpf12: return "lpf -12dB";
    case filterMode_lpf24: return "lpf -24dB";
    case filterMode_hpf6: return "hpf -6dB";
    case filterMode_hpf12: return "hpf -12dB";
    case filterMode_bpf: return "bpf";
    case filterMode_notch:
    case filterMode_notchOld: return "notch";
    case filterMode_comb: return "comb";
    default: return "unknown";
    }
}

const char* describe_oscMode(int mode)
{
    switch (mode) {
    case oscMode_single: return "single";
    case oscMode_double: return "double";
    case oscMode_fm: return "fm";
    case oscMode_ringmod: return "ringmod";
    default: return "unknown";
    }
}

const char* describe_effectKind(int kind)
{
    switch (kind) {
    case effectMode_pipe: return "pipe";
    case effectMode_multicomb: return "multicomb";
    case effectMode_multitap: return "multitap";
    default: return "none";
    }
}

void describe_walk(const presetRec* p, presetSink& f)
{
    if (!p) return;
    describePatch(f, p->patch);
    for (int i = 0; i < kOscils; ++i) describeOscil(f, p->oscil[i], i);
    for (int i = 0; i < kOscils; ++i) describeMod(f, p->mod[i], i);
    for (int i = 0; i < kFilters; ++i) describeFilter(f, p->filter[i], i);
    describeWaveshape(f, p->waveshape);
    for (int i = 0; i < kLfos; ++i) describeLfo(f, p->lfo[i], i);
    f.enter("lists");
    f.count("envelopes", "env", p->envs.size());
    f.count("waves", "wave", p->waves.size());
    f.count("notemaps", "notemap", p->notemaps.size());
    for (size_t i = 0; i < p->envs.size(); ++i) describeEnv(f, p->envs[i], (int)i);
    for (size_t i = 0; i < p->waves.size(); ++i) describeWave(f, p->waves[i], (int)i);
    for (size_t i = 0; i < p->notemaps.size(); ++i) describeNotemap(f, p->notemaps[i], (int)i);
    describeCc(f, p->cc);
    describeVel(f, p->vel);
    describeStoredCC(f, p->storedCC);
    describeEffect(f, p->effect.get());
}

std::vector<presetField> describe_preset(const presetRec* p)
{
    fieldList f;
    describe_walk(p, f);
    return f.fields;
}

std::string describe_escape(const char* field, size_t size)
{
    std::string s;
    for (size_t i = 0; i < size && field[i]; ++i) {
        unsigned char c = static_cast<unsigned char>(field[i]);
        if (c >= 32 && c < 127 && c != '"' && c != '\\') {
            s += static_cast<char>(c);
        } else {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02x", c);
            s += esc;
        }
    }
    return s;
}

std::string describe_summary(const presetRec* p)
{
    if (!p) return "";
    std::string s = "osc";
    for (int i = 0; i < kOscils; ++i) {
        if (!p->oscil[i].active) continue;
        s += " " + std::to_string(i + 1) + ":" + describe_oscMode(p->oscil[i].mode);
    }
    if (s == "osc") s += " none";
    s += " | filt";
    bool anyFilter = false;
    for (int i = 0; i < kFilters; ++i) {
        if (!p->filter[i].active) continue;
        anyFilter = true;
        s += std::string(" ") + (i == 3 ? "M" : std::to_string(i + 1)) + ":" +
             describe_filterMode(p->filter[i].mode);
    }
    if (!anyFilter) s += " none";
    int lfos = 0;
    for (int i = 0; i < kLfos; ++i) lfos += p->lfo[i].on != 0;
    // Every effect record starts with its header and then the on switch.
    int32_t effectOn = 0;
    if (p->effect)
        std::memcpy(&effectOn, reinterpret_cast<const char*>(p->effect.get()) + sizeof(effectHeader),
                    sizeof effectOn);
    s += " | env " + std::to_string(p->envs.size()) + " | waves " + std::to_string(p->waves.size()) +
         " | lfo " + std::to_string(lfos) + " | fx " +
         (effectOn ? describe_effectKind(p->effect->type) : "off");
    return s;
}
