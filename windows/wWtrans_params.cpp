// The controls of the "Transform waveform" window: the title, OK and
// Cancel, and one panel per transform with its parameters. Every control
// stores its value, limited to the parameter's range, and runs the
// transform again at once (so a drag is heard and seen as it goes).
//
// Index:
//   layout ........... places in the client area (250 x 280)
//   building ......... wWtrans_makeParams, one function per panel
//   panels ........... wWtrans_updatePanel: the parameters into the controls
//   callbacks ........ number boxes, pop-ups, the invert switch
#include <cmath>

#include "windows/editorWindow.h"

#include "resources/resources.h"

namespace {
// ---- layout ---------------------------------------------------------------------------------
const short kBoxX = 122, kBoxWidth = 62, kPopupX = 122, kPopupHeight = 14;
const short kRowY[6] = {52, 74, 96, 118, 140, 162};
const short kPanelLeft = 8, kPanelTop = 34, kPanelRight = 242, kPanelBottom = 238;
const short kInvertLabel = 31;  // the caption beside the invert switch
const double kMinDb = -103.0;

const char* const kTitles[9] = {"",
                                "phase offset waveform",
                                "mix waveforms",
                                "fractalize waveform",
                                "filter waveform",
                                "frequency modulate waveform",
                                "load waveform",
                                "shift harmonics",
                                "load waveform"};
const char* const kFilterModes[3] = {"lowpass 1st order", "lowpass 2nd order", "highpass 1st order"};

float limit(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
float whole(float v, float lo, float hi) { return limit(std::floor(v + 0.5f), lo, hi); }
double dbOf(double amp)
{
    double db = ampToDB(amp);
    return db < kMinDb ? kMinDb : (db > 0.0 ? 0.0 : db);
}
float ampOf(float db) { return limit(static_cast<float>(dBToAmp(db)), 0.0f, 1.0f); }

void boxChanged(short id);
void popupChanged(short id, short menu, short item);
void invertChanged(short id);

void box(short id, short row, short buttons, short decimals, double value, double lo, double hi,
         incrementProcPtr increment, const char* name)
{
    numbox_new(id, kBoxX, kRowY[row], kBoxWidth, buttons, decimals, value, lo, hi, increment, boxChanged,
               name);
}

void popup(short id, short row, short width, const char* title, popupProcPtr callback)
{
    popup_new(id, kPopupX, kRowY[row], width, kPopupHeight, 0, 0, title, 1, callback);
}

void panel(short id)
{
    panel_setAutoAdd(kWtransMainPanel);
    panel_new(id, kPanelLeft, kPanelTop, kPanelRight, kPanelBottom, kPanelExplicitRect | kPanelHidden, 0,
              nullptr);
}

void wavePopupChosen(short id, short menu, short item) { wWtrans_processWavePopup(id, menu, item); }

// Item 1 of a wave pop-up names the wave chosen.
void setWavePopup(short id)
{
    char name[64] = "sine";
    if (gInst) wave_getName(gInst, waveID, name);
    popup_renameItem(id, 1, name);
    popup_selectItem(id, 1);
}
}  // namespace

// ---- building --------------------------------------------------------------------------------

void wWtrans_makeParams()
{
    panel_enableAutoAdd(1);
    popup_setDefaultColors(RGBColor{198, 198, 198}, RGBColor{22, 16, 49}, RGBColor{250, 250, 215},
                           RGBColor{66, 85, 92});
    popup_setCurrentFontSize(9);
    panel_new(kWtransMainPanel, 0, 0, 0, 0, 0, kResWtransPanel, nullptr);
    display_setDefaultColors(RGBColor{251, 251, 216}, RGBColor{0, 0, 0});
    display_currentSize = 10;
    display_new(kWtransTitle, 12, 10, 226, "", 0, 0, kDisplayCentre, nullptr, nullptr);
    button_new(kWtransOk, 142, 251, 0, kResWtransOk, "", 1, 0, 1, wWtrans_callback_okCancelButtons);
    button_new(kWtransCancel, 47, 253, 0, kResWtransCancel, "", 1, 0, 1, wWtrans_callback_okCancelButtons);

    panel(2);
    box(kWtransPhaseOffset, 0, 3, 3, 0, -1, 1, numbox_incPointZeroOne, "phase offset");

    panel(3);
    box(kWtransMixDbA, 0, 2, 1, dbOf(mix_ampA), kMinDb, 0, numbox_incPointOne, "dB wave A");
    box(kWtransMixDbB, 1, 2, 1, dbOf(mix_ampB), kMinDb, 0, numbox_incPointOne, "dB wave B");
    popup(kWtransMixWave, 2, 96, "wave B", wavePopupChosen);
    waveMenu_buildPopup(kWtransMixWave);
    button_new(kWtransMixInvert, kBoxX, kRowY[3], kButtonToggle, 616, "", 1, 0, 1, invertChanged);
    display_currentSize = 9;
    display_new(kInvertLabel, kBoxX + 20, kRowY[3], 80, "invert B", 0, 0, kDisplayLeft, nullptr, nullptr);
    clickObject_get(winId_waveTransform, kInvertLabel)->enabled = 0;
    box(kWtransMixPhase, 4, 3, 3, 0, -1, 1, numbox_incPointZeroOne, "phase offset B");
    box(kWtransMixRatio, 5, 1, 0, 1, 1, 32, numbox_defaultIncrement, "freq ratio B");

    panel(4);
    popup(kWtransFractIterations, 0, 40, "iterations", popupChanged);
    static const char* const counts[7] = {"2", "3", "4", "5", "6", "7", "8"};
    for (short k = 1; k <= 7; ++k) popup_addItem(kWtransFractIterations, k, 1, counts[k - 1], 0);
    box(kWtransFractDisplacement, 1, 3, 3, 0.382, 0.001, 1, numbox_incPointZeroOne, "displacement");
    box(kWtransFractSlope, 2, 2, 1, dbOf(0.5), kMinDb, 0, numbox_incPointOne, "amp slope dB");

    panel(5);
    popup(kWtransFilterMode, 0, 116, "filter mode", popupChanged);
    for (short k = 1; k <= 3; ++k) popup_addItem(kWtransFilterMode, k, 1, kFilterModes[k - 1], 0);
    box(kWtransFilterFreq, 1, 3, 3, 0.5, 0.001, 1, numbox_incPointZeroOne, "frequency");

    panel(6);
    popup(kWtransFmWave, 0, 96, "wave", wavePopupChosen);
    waveMenu_buildPopup(kWtransFmWave);
    box(kWtransFmIndex, 1, 3, 2, 1, 0, 32, numbox_incPointOne, "fm index");
    box(kWtransFmModFreq, 2, 1, 0, 1, 1, 32, numbox_defaultIncrement, "mod frequency");
    box(kWtransFmModPhase, 3, 3, 3, 0, -1, 1, numbox_incPointZeroOne, "mod phase offset");
    box(kWtransFmCarrier, 4, 1, 0, 1, 1, 32, numbox_defaultIncrement, "carrier frequency");

    panel(7);
    popup(kWtransLoadWaveWave, 0, 96, "wave", wavePopupChosen);
    waveMenu_buildPopup(kWtransLoadWaveWave);

    panel(8);
    box(kWtransShift, 0, 1, 0, 0, -64, 64, numbox_defaultIncrement, "shift");

    panel_setAutoAdd(kWtransMainPanel);
    panel_enableAutoAdd(0);
}

// ---- panels: the parameters into the controls -------------------------------------------------

void wWtrans_updatePanel(short kind)
{
    if (kind < kWtransPhase || kind > kWtransLoadSpectrum) return;
    display_setText(kWtransTitle, kTitles[kind]);
    switch (kind) {
    case kWtransPhase: numbox_setVal(kWtransPhaseOffset, phaseOffset_offset); break;
    case kWtransMix:
        numbox_setVal(kWtransMixDbA, static_cast<float>(dbOf(mix_ampA)));
        numbox_setVal(kWtransMixDbB, static_cast<float>(dbOf(mix_ampB)));
        setWavePopup(kWtransMixWave);
        button_select(kWtransMixInvert, mix_phaseInvert);
        numbox_setVal(kWtransMixPhase, mix_phaseOffset);
        numbox_setVal(kWtransMixRatio, mix_freqRatio);
        break;
    case kWtransFractalize:
        popup_selectItem(kWtransFractIterations, static_cast<short>(fract_iterations - 1));
        numbox_setVal(kWtransFractDisplacement, fract_displacement);
        numbox_setVal(kWtransFractSlope, static_cast<float>(dbOf(fract_ampScale)));
        break;
    case kWtransFilter:
        popup_selectItem(kWtransFilterMode, filter_mode);
        numbox_setVal(kWtransFilterFreq, filter_freq);
        break;
    case kWtransFM:
        setWavePopup(kWtransFmWave);
        numbox_setVal(kWtransFmIndex, fm_modIndex);
        numbox_setVal(kWtransFmModFreq, fm_modFreq);
        numbox_setVal(kWtransFmModPhase, fm_modPhase);
        numbox_setVal(kWtransFmCarrier, fm_carrierFreq);
        break;
    case kWtransLoadWave:
    case kWtransLoadSpectrum: setWavePopup(kWtransLoadWaveWave); break;
    case kWtransShiftHarmonics: numbox_setVal(kWtransShift, wWtrans_shift); break;
    default: break;
    }
}

// ---- callbacks ---------------------------------------------------------------------------------

void wWtrans_processWavePopup(short popupId, short menu, short item)
{
    if (menu == kWaveMenuPreset && item == 1) return;  // "new..." is not offered here
    if (menu != kWaveMenuPreset && menu != kWaveMenuFactory) {
        // The pop-up's own first item: the wave it names, or the sine at first.
        if (item != 1) return;
    } else {
        waveID = waveMenu_menuItemToWaveID(item, menu);
    }
    setWavePopup(popupId);
    wWtrans_transform();
}

namespace {
void boxChanged(short id)
{
    float v = numbox_getVal(id);
    switch (id) {
    case kWtransPhaseOffset: phaseOffset_offset = limit(v, -1, 1); break;
    case kWtransMixDbA:
    case kWtransMixDbB: {
        // The two levels add up to 1: the other box follows.
        float amp = ampOf(v);
        mix_ampA = id == kWtransMixDbA ? amp : 1.0f - amp;
        mix_ampB = 1.0f - mix_ampA;
        short other = id == kWtransMixDbA ? kWtransMixDbB : kWtransMixDbA;
        numbox_setVal(other, static_cast<float>(dbOf(other == kWtransMixDbA ? mix_ampA : mix_ampB)));
        break;
    }
    case kWtransMixPhase: mix_phaseOffset = limit(v, -1, 1); break;
    case kWtransMixRatio: numbox_setVal(id, mix_freqRatio = whole(v, 1, 32)); break;
    case kWtransFractDisplacement: fract_displacement = limit(v, 0.001f, 1); break;
    case kWtransFractSlope:
        fract_ampScale = ampOf(v);
        numbox_setVal(id, static_cast<float>(dbOf(fract_ampScale)));
        break;
    case kWtransFilterFreq: filter_freq = limit(v, 0.001f, 0.99f); break;
    case kWtransFmIndex: fm_modIndex = limit(v, 0, 32); break;
    case kWtransFmModFreq: numbox_setVal(id, fm_modFreq = whole(v, 1, 32)); break;
    case kWtransFmModPhase: fm_modPhase = limit(v, -1, 1); break;
    case kWtransFmCarrier: numbox_setVal(id, fm_carrierFreq = whole(v, 1, 32)); break;
    case kWtransShift: {
        wWtrans_shift = static_cast<short>(limit(std::trunc(v), -64, 64));
        numbox_setVal(id, wWtrans_shift);
        break;
    }
    default: return;
    }
    wWtrans_transform();
    // The filter keeps its frequency within 0.001..0.99: the box shows what is used.
    if (id == kWtransFilterFreq) numbox_setVal(id, filter_freq);
}

void popupChanged(short id, short, short item)
{
    if (id == kWtransFractIterations && item >= 1 && item <= 7) {
        fract_iterations = static_cast<short>(item + 1);
    } else if (id == kWtransFilterMode && item >= 1 && item <= 3) {
        filter_mode = item;
    } else {
        return;
    }
    popup_selectItem(id, item);
    wWtrans_transform();
}

void invertChanged(short id)
{
    mix_phaseInvert = button_isSelected(id) ? 1 : 0;
    wWtrans_transform();
}
}  // namespace
