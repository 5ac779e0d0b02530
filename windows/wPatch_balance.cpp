// Channel levels of the Patch window: the level sliders (level = h squared),
// auto-balance (moving one slider makes the other active channels share the
// rest, switching an oscillator rescales the active channels from their base
// levels) and the "Balance channels" command.
#include <cmath>
#include <cstdio>

#include "windows/windows.h"

int autoBalanceChannels = 1;
float balanceSliderBaseAmp[3] = {1.0f, 1.0f, 1.0f};

namespace {
// A level is never 0 or 1: it stays within 2^-16 of either.
const double kLevelMin = 1.0 / 65536.0;
const double kLevelMax = 1.0 - 1.0 / 65536.0;

void mark(int changed[3], short channel)
{
    if (changed && channel >= 0 && channel < kPatchChannels) changed[channel] = 1;
}
}  // namespace

float wPatch_clampLevel(double level)
{
    if (!(level >= kLevelMin))  // also catches not-a-number
        level = kLevelMin;
    if (level > kLevelMax) level = kLevelMax;
    return static_cast<float>(level);
}

float wPatch_sliderToLevel(double h) { return wPatch_clampLevel(h * h); }

float wPatch_levelToSlider(double level) { return level > 0.0 ? static_cast<float>(std::sqrt(level)) : 0.0f; }

short wPatch_activeChannels(instRec* inst)
{
    short n = 0;
    for (short c = 0; c < kPatchChannels; ++c)
        if (oscil_getActive(inst, c)) ++n;
    return n;
}

void wPatch_levelText(double level, char* out, int size)
{
    std::snprintf(out, static_cast<size_t>(size), "%1.1f dB", ampToDB(level));
    control_dropNegativeZero(out);
}

void wPatch_slider_balanceOnDrag(instRec* inst, short channel, double level, int changed[3])
{
    short n = wPatch_activeChannels(inst);
    double others = 0.0;
    for (short c = 0; c < kPatchChannels; ++c)
        if (c != channel && oscil_getActive(inst, c)) others += oscil_getAmpScale(inst, c);
    if (n < 2 || others == 0.0) return;
    for (short c = 0; c < kPatchChannels; ++c) {
        if (c == channel || !oscil_getActive(inst, c)) continue;
        float a = wPatch_clampLevel(oscil_getAmpScale(inst, c) * (1.0 - level) / others);
        oscil_setAmpScale(inst, c, a);
        balanceSliderBaseAmp[c] = static_cast<float>(n) * a;
        mark(changed, c);
    }
}

void wPatch_balanceSetLevel(instRec* inst, short channel, double level, int changed[3])
{
    if (channel < 0 || channel >= kPatchChannels) return;
    float a = wPatch_clampLevel(level);
    oscil_setAmpScale(inst, channel, a);
    balanceSliderBaseAmp[channel] = static_cast<float>(wPatch_activeChannels(inst)) * a;
    mark(changed, channel);
    if (autoBalanceChannels) wPatch_slider_balanceOnDrag(inst, channel, a, changed);
}

void wPatch_slider_balanceOnEnable(instRec* inst)
{
    if (!autoBalanceChannels || wPatch_activeChannels(inst) < 1) return;
    double total = 0.0;
    for (short c = 0; c < kPatchChannels; ++c)
        if (oscil_getActive(inst, c)) total += balanceSliderBaseAmp[c];
    if (total < 1.0) total = 1.0;
    for (short c = 0; c < kPatchChannels; ++c)
        if (oscil_getActive(inst, c))
            oscil_setAmpScale(inst, c, wPatch_clampLevel(balanceSliderBaseAmp[c] * 1.0 / total));
}

void wPatch_setAutoBalanceChannels(int on) { autoBalanceChannels = on ? 1 : 0; }

int wPatch_getAutoBalanceChannels() { return autoBalanceChannels; }

void wPatch_balanceChannels()
{
    short n = wPatch_activeChannels(gInst);
    if (n > 0)
        for (short c = 0; c < kPatchChannels; ++c)
            if (oscil_getActive(gInst, c)) oscil_setAmpScale(gInst, c, wPatch_clampLevel(1.0 / n));
    wPatch_update();
}
