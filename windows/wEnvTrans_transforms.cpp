// The envelope transforms' settings and the three transforms, each over one
// envelope from its saved record into its edit copy. Times are samples at
// 44100 Hz; a value that is not a number is taken as the low end of its
// range, so a damaged record never turns into one the plug-in cannot play.
#include <cmath>

#include "windows/editorWindow.h"

// ---- parameters ------------------------------------------------------------------------------
double scale_time = 1.0;
double scale_amp = 1.0;
double scale_ampOffset = 0.0;
double scale_slope = 1.0;
double setDur_seconds = 1.0;
double setDur_bpm = 120.0;
double setDur_beats = 4.0;
int setDur_tempoBased = 0;
double genAR_bpm = 120.0;
double genAR_beatDur = 0.5;
int genAR_numBeats = 8;
double genAR_attackTime = 0.01;
double genAR_minAmp = 0.0;
double genAR_slope = 0.5;
short wEnvTrans_mode = kEnvTransScale;

namespace {
double limit(double v, double lo, double hi) { return !(v >= lo) ? lo : (v > hi ? hi : v); }
double atLeast(double v, double lo) { return v >= lo ? v : lo; }
}  // namespace

// ---- transforms --------------------------------------------------------------------------------
void wEnvTrans_scaleEnv(const envInstRec* from, envInstRec* to, double time, double amp, double offset,
                        double slope)
{
    *to = *from;
    to->depth = static_cast<float>(limit(from->depth * amp + offset, 0.0001, 1.0));
    const short last = envEd_lastPoint(from);
    for (short k = 0; k <= last; ++k) {
        const envBreakpointRec& f = from->bp[k];
        envBreakpointRec& t = to->bp[k];
        t.level = static_cast<float>(limit(f.level * amp + offset, 0.0001, 1.0));
        t.slope = static_cast<float>(limit(f.slope * slope, 0.0001, 100.0));
        t.time = atLeast(f.time * time, 10.0);
    }
}

double wEnvTrans_setDurTarget(int tempoBased, double seconds, double bpm, double beats)
{
    if (tempoBased) return 60.0 / limit(bpm, 1.0, 1000.0) * limit(beats, 0.01, 10000.0);
    return limit(seconds, 0.01, 10000.0);
}

int wEnvTrans_setDurEnv(const envInstRec* from, envInstRec* to, double target)
{
    *to = *from;
    const short last = envEd_lastPoint(from);
    short start = from->envMode == envMode_loop && from->loopStart > 0 ? from->loopStart : 0;
    short release = from->releasePoint > last ? last : from->releasePoint;
    double length = 0.0;
    for (short k = start; k <= release; ++k) length += from->bp[k].time;
    length /= kEnvRate;
    // Nothing to measure (a release point before the start, zero times): left as it is.
    if (!(length > 0.0) || !std::isfinite(length)) return 0;
    const double factor = target / length;
    for (short k = 0; k <= last; ++k) to->bp[k].time = atLeast(from->bp[k].time * factor, 1.0);
    return 1;
}

void wEnvTrans_genAREnv(const envInstRec* from, envInstRec* to, double bpm, double beatDur, int numBeats,
                        double attack, double minAmp, double slope)
{
    *to = *from;
    bpm = limit(bpm, 1.0, 1000.0);
    beatDur = limit(beatDur, 0.01, 10000.0);
    attack = limit(attack, 0.0001, 0.999);
    const float low = static_cast<float>(limit(minAmp, 0.000001, 0.999));
    const float curve = static_cast<float>(limit(slope, 0.0001, 100.0));
    const short n = static_cast<short>(numBeats < 1 ? 1 : (numBeats > 32 ? 32 : numBeats));
    const double pulse = 60.0 / bpm * beatDur * kEnvRate;
    const double a = atLeast(attack * pulse, 1.0), r = atLeast((1.0 - attack) * pulse, 1.0);
    for (short j = 0; j < n; ++j) {
        env_setBpParams(&to->bp[2 * j], a, 1.0f, curve);
        env_setBpParams(&to->bp[2 * j + 1], r, low, curve);
    }
    env_setBpParams(&to->bp[2 * n], r, low, curve);
    to->lastPoint = static_cast<int16_t>(2 * n);
    to->sustainPoint = to->releasePoint = static_cast<int16_t>(2 * n - 1);
    // The loop start stays below the sustain point, as the Envelope window keeps it.
    if (to->loopStart >= to->sustainPoint)
        to->loopStart = static_cast<int16_t>(to->sustainPoint - 1 > 0 ? to->sustainPoint - 1 : 0);
    to->depth = low;
}
