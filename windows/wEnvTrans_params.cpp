// The controls of the envelope transform window: the description, OK and
// Cancel, and one panel per transform with its boxes. Every box stores its
// value, limited to its range, and runs the transform again at once, so a
// drag is heard as it goes.
//
// Index:
//   layout ........... places in the client area (324 x 300)
//   building ......... wEnvTrans_makeParams
//   panels ........... wEnvTrans_updatePanel: the parameters into the boxes
//   callbacks ........ the boxes
#include <cmath>
#include <cstdio>

#include "resources/resources.h"
#include "windows/editorWindow.h"

namespace {
// ---- layout ------------------------------------------------------------------------------------
const short kBoxX = 236, kBoxWidth = 54;
const short kRowY[6] = {46, 68, 90, 112, 134, 156};
const short kPanelLeft = 132, kPanelTop = 28, kPanelRight = 320, kPanelBottom = 240;

const char* const kDescriptions[4] = {"", "Scale time, amp and slope of selected envelopes.",
                                      "Set duration of selected envelopes based on release point.",
                                      "Generate a series of attack/release pulses."};

double limit(double v, double lo, double hi) { return !(v >= lo) ? lo : (v > hi ? hi : v); }

void boxChanged(short id);

void box(short id, short row, short buttons, short decimals, double value, double lo, double hi,
         incrementProcPtr increment, const char* name)
{
    numbox_new(id, kBoxX, kRowY[row], kBoxWidth, buttons, decimals, value, lo, hi, increment, boxChanged,
               name);
}

void panel(short id)
{
    panel_setAutoAdd(kEnvTransMainPanel);
    panel_new(id, kPanelLeft, kPanelTop, kPanelRight, kPanelBottom, kPanelExplicitRect | kPanelHidden, 0,
              nullptr);
}

// What Set Duration aims at, and whether the seconds or the tempo say it.
void showTarget()
{
    char text[64];
    double target = wEnvTrans_setDurTarget(setDur_tempoBased, setDur_seconds, setDur_bpm, setDur_beats);
    std::snprintf(text, sizeof text, "release at %.3f s (%s)", target,
                  setDur_tempoBased ? "tempo" : "seconds");
    display_setText(kEnvTransTarget, text);
}
}  // namespace

// ---- building ------------------------------------------------------------------------------------
void wEnvTrans_makeParams()
{
    panel_enableAutoAdd(1);
    panel_new(kEnvTransMainPanel, 0, 0, 0, 0, 0, kResEnvTransPanel, nullptr);
    display_setDefaultColors(RGBColor{251, 251, 216}, RGBColor{0, 0, 0});
    display_currentSize = 10;
    display_new(kEnvTransDescription, 5, 7, 313, "", 0, 0, kDisplayCentre, nullptr, nullptr);
    button_new(kEnvTransOk, 177, 270, 0, kResEnvTransOk, "", 1, 0, 1, wEnvTrans_callback_okCancel);
    button_new(kEnvTransCancel, 76, 274, 0, kResEnvTransCancel, "", 1, 0, 1, wEnvTrans_callback_okCancel);
    display_currentSize = 9;

    panel(kEnvTransScalePanel);
    box(kEnvTransTimeScale, 0, 3, 3, scale_time, 0, 100, numbox_incPointZeroOne, "time scale");
    box(kEnvTransAmpScale, 1, 3, 3, scale_amp, 0, 1, numbox_incPointZeroOne, "amp scale");
    box(kEnvTransAmpOffset, 2, 3, 3, scale_ampOffset, 0, 1, numbox_incPointZeroOne, "amp offset");
    box(kEnvTransSlopeScale, 3, 3, 3, scale_slope, 0, 100, numbox_incPointZeroOne, "slope scale");

    panel(kEnvTransSetDurPanel);
    box(kEnvTransSeconds, 0, 3, 3, setDur_seconds, 0.001, 1000, numbox_incPointZeroOne, "seconds");
    box(kEnvTransSetDurBpm, 1, 2, 2, setDur_bpm, 20, 1000, numbox_incPointOne, "bpm");
    box(kEnvTransSetDurBeats, 2, 3, 4, setDur_beats, 0.03125, 16, numbox_incBeat, "beats");
    display_new(kEnvTransTarget, kPanelLeft + 10, kRowY[4], kPanelRight - kPanelLeft - 20, "", 0, 0,
                kDisplayLeft, nullptr, nullptr);
    clickObject_get(winId_envTransform, kEnvTransTarget)->enabled = 0;

    panel(kEnvTransGenARPanel);
    box(kEnvTransGenARBpm, 0, 2, 2, genAR_bpm, 20, 1000, numbox_incPointOne, "bpm");
    box(kEnvTransBeatDur, 1, 3, 4, genAR_beatDur, 0.03125, 16, numbox_incBeat, "beat duration");
    box(kEnvTransNumBeats, 2, 1, 0, genAR_numBeats, 1, 32, numbox_defaultIncrement, "# of beats");
    box(kEnvTransAttack, 3, 3, 3, genAR_attackTime, 0, 1, numbox_incPointZeroOne, "attack time");
    box(kEnvTransMinAmp, 4, 3, 3, genAR_minAmp, 0, 1, numbox_incPointZeroOne, "min amp");
    box(kEnvTransGenARSlope, 5, 3, 3, genAR_slope, 0.001, 100, numbox_incPointZeroOne, "slope");

    panel_setAutoAdd(kEnvTransMainPanel);
    panel_enableAutoAdd(0);
}

// ---- panels --------------------------------------------------------------------------------------
void wEnvTrans_updatePanel(short kind)
{
    if (kind < kEnvTransScale || kind > kEnvTransGenAR) return;
    display_setText(kEnvTransDescription, kDescriptions[kind]);
    switch (kind) {
    case kEnvTransScale:
        numbox_setVal(kEnvTransTimeScale, static_cast<float>(scale_time));
        numbox_setVal(kEnvTransAmpScale, static_cast<float>(scale_amp));
        numbox_setVal(kEnvTransAmpOffset, static_cast<float>(scale_ampOffset));
        numbox_setVal(kEnvTransSlopeScale, static_cast<float>(scale_slope));
        break;
    case kEnvTransSetDur:
        numbox_setVal(kEnvTransSeconds, static_cast<float>(setDur_seconds));
        numbox_setVal(kEnvTransSetDurBpm, static_cast<float>(setDur_bpm));
        numbox_setVal(kEnvTransSetDurBeats, static_cast<float>(setDur_beats));
        showTarget();
        break;
    default:
        numbox_setVal(kEnvTransGenARBpm, static_cast<float>(genAR_bpm));
        numbox_setVal(kEnvTransBeatDur, static_cast<float>(genAR_beatDur));
        numbox_setVal(kEnvTransNumBeats, static_cast<float>(genAR_numBeats));
        numbox_setVal(kEnvTransAttack, static_cast<float>(genAR_attackTime));
        numbox_setVal(kEnvTransMinAmp, static_cast<float>(genAR_minAmp));
        numbox_setVal(kEnvTransGenARSlope, static_cast<float>(genAR_slope));
        break;
    }
}

// ---- callbacks -------------------------------------------------------------------------------------
namespace {
void boxChanged(short id)
{
    const numboxRec* n = numbox_get(id);
    if (!n) return;
    const double v = n->value;
    switch (id) {
    case kEnvTransTimeScale: scale_time = limit(v, 0, 100); break;
    case kEnvTransAmpScale: scale_amp = limit(v, 0, 1); break;
    case kEnvTransAmpOffset: scale_ampOffset = limit(v, 0, 1); break;
    case kEnvTransSlopeScale: scale_slope = limit(v, 0, 100); break;
    case kEnvTransSeconds:
        setDur_seconds = limit(v, 0.001, 1000);
        setDur_tempoBased = 0;
        break;
    case kEnvTransSetDurBpm:
        setDur_bpm = limit(v, 20, 1000);
        setDur_tempoBased = 1;
        break;
    case kEnvTransSetDurBeats:
        setDur_beats = limit(v, 0.03125, 16);
        setDur_tempoBased = 1;
        break;
    case kEnvTransGenARBpm: genAR_bpm = limit(v, 20, 1000); break;
    case kEnvTransBeatDur: genAR_beatDur = limit(v, 0.03125, 16); break;
    case kEnvTransNumBeats:
        genAR_numBeats = static_cast<int>(limit(std::floor(v + 0.5), 1, 32));
        numbox_setVal(id, static_cast<float>(genAR_numBeats));
        break;
    case kEnvTransAttack: genAR_attackTime = limit(v, 0, 1); break;
    case kEnvTransMinAmp: genAR_minAmp = limit(v, 0, 1); break;
    case kEnvTransGenARSlope: genAR_slope = limit(v, 0.001, 100); break;
    default: return;
    }
    if (id >= kEnvTransSeconds && id <= kEnvTransSetDurBeats) showTarget();
    wEnvTrans_transform();
}
}  // namespace
