// Refreshing the Patch window from gInst: the whole window or only what an
// oscillator switch changed, the enabling of the sections (a section is
// shown only while its unit and its oscillator are on), the number boxes
// of each oscillator, frequency and filter mode, and the level sliders.
#include <cstring>

#include "windows/windows.h"

namespace {
// The on/off states last shown, to refresh only what changed (-1: never shown).
int lastOscOn[kPatchChannels] = {-1, -1, -1};
int lastAnyOn = -1;

short offsetOf(short channel) { return wPatch_channelToGuiOffset(channel); }

short id(short channel, short k) { return static_cast<short>(offsetOf(channel) + k); }

// Shows a panel only while its parent panel is visible; the parent
// remembers the wanted state for when it is shown again.
void showSection(short panel, int show) { wPatch_showInPanels(panel, show); }
}  // namespace

void wPatch_showInPanels(short objectID, int show)
{
    clickObjectRec* obj = clickObject_get(g_currentWindow, objectID);
    if (!obj || obj->type == kTypeNone) return;
    window_updateObjectVisibility(objectID, show);
    if (obj->panel && !clickObject_isVisible(g_currentWindow, obj->panel)) show = 0;
    if (clickObject_isVisible(g_currentWindow, objectID) != (show != 0)) clickObject_show(objectID, show);
}

void wPatch_configureBox(short boxID, const wPatchBoxRec* row, double value)
{
    if (!row) return;
    if (row->shown)
        numbox_setNameIncrementRangeValue(boxID, row->name, row->increment, static_cast<float>(row->minimum),
                                          static_cast<float>(row->maximum), static_cast<float>(value));
    numbox_showInPanels(boxID, row->shown);
}

void wPatch_setWavePopup(short popupID, short waveID)
{
    char name[kWaveNameLen + 1];
    std::memset(name, 0, sizeof name);
    wave_getName(gInst, waveID, name);
    name[kWaveNameLen] = 0;
    popup_renameItem(popupID, 1, name);
    popup_selectItem(popupID, 1);
}

// ---- oscillator ---------------------------------------------------------------------------

void wPatch_oscilSelectMainMod(short channel, int mainPage)
{
    int on = oscil_getActive(gInst, channel);
    int pages = on && oscil_getMode(gInst, channel) != 0;
    button_show(id(channel, kPatchMainPage), pages);
    button_show(id(channel, kPatchModPage), pages);
    button_select(id(channel, kPatchMainPage), mainPage ? 1 : 0);
    button_select(id(channel, kPatchModPage), mainPage ? 0 : 1);
    showSection(id(channel, kPatchMainPanel), mainPage ? 1 : 0);
    showSection(id(channel, kPatchModPanel), mainPage ? 0 : 1);
}

void wPatch_oscilUpdateFreqMode(short channel, int mainWave)
{
    short mode = mainWave ? oscil_getMainFreqMode(gInst, channel) : oscil_getModFreqMode(gInst, channel);
    double value = mainWave ? oscil_getMainFreq(gInst, channel) : oscil_getModFreq(gInst, channel);
    popup_selectItem(id(channel, mainWave ? kPatchMainFreqMode : kPatchModFreqMode),
                     wPatch_freqModeToItem(mode));
    wPatch_configureBox(id(channel, mainWave ? kPatchMainFreq : kPatchModFreq), wPatch_freqModeRow(mode),
                        value);
}

void wPatch_oscilSetMode(short channel, short mode)
{
    const wPatchOscModeRec* row = wPatch_oscModeRow(mode);
    if (!row) return;
    wPatch_oscilSelectMainMod(channel, 1);
    popup_selectItem(id(channel, kPatchOscMode), static_cast<short>(mode + 1));
    double amount = mode == 2 ? oscil_getFmIndex(gInst, channel) : oscil_getBalance(gInst, channel);
    wPatch_configureBox(id(channel, kPatchModAmount), &row->amount, amount);
    wPatch_configureBox(id(channel, kPatchModPhase), &row->modPhase, oscil_getModPhase(gInst, channel));
    for (short k = kPatchMainFreq; k <= kPatchModPhase; ++k)
        numbox_showInPanels(id(channel, k), row->shows[k - kPatchMainFreq]);
    numbox_setVal(id(channel, kPatchMainFreq), oscil_getMainFreq(gInst, channel));
    numbox_setVal(id(channel, kPatchMainPhase), oscil_getMainPhase(gInst, channel));
    if (mode != 0) numbox_setVal(id(channel, kPatchModFreq), oscil_getModFreq(gInst, channel));
}

void wPatch_updateParamsOscil(short channel)
{
    wPatch_oscilUpdateFreqMode(channel, 1);
    wPatch_oscilUpdateFreqMode(channel, 0);
    wPatch_oscilSetMode(channel, oscil_getMode(gInst, channel));
    wPatch_setWavePopup(id(channel, kPatchMainWave), oscil_getMainWaveID(gInst, channel));
    wPatch_setWavePopup(id(channel, kPatchModWave), oscil_getModWaveID(gInst, channel));
    button_select(id(channel, kPatchInvert), oscil_getInvertPhase(gInst, channel) ? 1 : 0);
}

void wPatch_enableOscil(short channel)
{
    int on = oscil_getActive(gInst, channel) ? 1 : 0;
    button_select(id(channel, kPatchOscOn), on);
    showSection(id(channel, kPatchOscPanel), on);
    wPatch_oscilSelectMainMod(channel, button_isSelected(id(channel, kPatchMainPage)));
}

// ---- filters ------------------------------------------------------------------------------

void wPatch_filterSetMode(short filter, short mode)
{
    const wPatchFilterModeRec* row = wPatch_filterModeRow(mode);
    short o = wPatch_filterToGuiOffset(filter);
    popup_selectItem(static_cast<short>(o + kPatchFilterMode), wPatch_filterModeToItem(mode));
    numbox_setVal(static_cast<short>(o + kPatchFilterFreq),
                  static_cast<float>(filter_getFreq(gInst, filter)));
    if (!row) return;
    wPatch_configureBox(static_cast<short>(o + kPatchFilterQ), &row->q, filter_getQ(gInst, filter));
    double second = row->gainIsBandwidth ? filter_getBandwidth(gInst, filter) : filter_getGain(gInst, filter);
    wPatch_configureBox(static_cast<short>(o + kPatchFilterGain), &row->gain, second);
}

void wPatch_updateParamsFilter(short filter) { wPatch_filterSetMode(filter, filter_getMode(gInst, filter)); }

void wPatch_enableFilter(short channel)
{
    int on = oscil_getActive(gInst, channel) ? 1 : 0;
    int active = filter_getActive(gInst, channel) ? 1 : 0;
    button_selectEnable(id(channel, kPatchFilterOn), active, on);
    showSection(id(channel, kPatchFilterPanel), active && on);
}

// ---- modulators ---------------------------------------------------------------------------

void wPatch_modUpdateFreqMode(short channel)
{
    short mode = mod_getFreqMode(gInst, channel);
    popup_selectItem(id(channel, kPatchModulatorFreqMode), wPatch_freqModeToItem(mode));
    const wPatchBoxRec* row = wPatch_freqModeRow(mode);
    if (row)
        wPatch_configureBox(id(channel, kPatchModulatorFreq), row, mod_getFreq(gInst, channel));
    else
        numbox_setVal(id(channel, kPatchModulatorFreq), static_cast<float>(mod_getFreq(gInst, channel)));
}

void wPatch_updateParamsMod(short channel)
{
    wPatch_modUpdateFreqMode(channel);
    numbox_setVal(id(channel, kPatchModulatorBalance), static_cast<float>(mod_getBalance(gInst, channel)));
    wPatch_setWavePopup(id(channel, kPatchModulatorWave), mod_getWaveID(gInst, channel));
}

void wPatch_enableMod(short channel)
{
    int on = oscil_getActive(gInst, channel) ? 1 : 0;
    int active = mod_getActive(gInst, channel) ? 1 : 0;
    button_selectEnable(id(channel, kPatchModulatorOn), active, on);
    showSection(id(channel, kPatchModulatorPanel), active && on);
}

// ---- waveshaper, master filter, effect ----------------------------------------------------------

void wPatch_updateParamsWaveshape()
{
    wPatch_setWavePopup(kPatchWaveshapeWave, waveshape_getWaveID(gInst));
    button_select(kPatchWaveshapeMono, waveshape_getMono(gInst) ? 1 : 0);
    numbox_setVal(kPatchWaveshapeIn, static_cast<float>(waveshape_getInGain(gInst)));
    numbox_setVal(kPatchWaveshapeOut, static_cast<float>(waveshape_getOutGain(gInst)));
    numbox_setVal(kPatchWaveshapePhase, static_cast<float>(waveshape_getPhase(gInst)));
}

void wPatch_filterEnableMono()
{
    int any = inst_anOscilIsOn(gInst);
    if (waveshape_getActive(gInst) && waveshape_getMono(gInst) && any) {
        button_selectEnable(kPatchMasterMono, 1, 0);
    } else {
        button_selectEnable(kPatchMasterMono, filter_getMono(gInst, kPatchMasterFilter) ? 1 : 0, 1);
    }
}

void wPatch_enableWaveshape()
{
    int any = inst_anOscilIsOn(gInst);
    int active = waveshape_getActive(gInst) ? 1 : 0;
    button_selectEnable(kPatchWaveshapeOn, active, any);
    showSection(kPatchWaveshapePanel, active && any);
    wPatch_filterEnableMono();
}

void wPatch_enableMasterFilter()
{
    int any = inst_anOscilIsOn(gInst);
    int active = filter_getActive(gInst, kPatchMasterFilter) ? 1 : 0;
    button_selectEnable(kPatchMasterOn, active, any);
    showSection(kPatchMasterPanel, active && any);
    wPatch_filterEnableMono();
}

void wPatch_enableEffect()
{
    if (!gInst || !window_getHWND(winId_patch)) return;
    short previous = window_getCurrent();
    window_setCurrent(winId_patch);
    int any = inst_anOscilIsOn(gInst);
    int active = effect_getActive(gInst) ? 1 : 0;
    button_selectEnable(kPatchEffectOn, active, any);
    static const char* const names[4] = {"none", "pipe", "multicomb", "multitap"};
    short mode = effect_getMode(gInst);
    display_setText(kPatchEffectType, names[mode >= 1 && mode <= 3 ? mode : 0]);
    showSection(kPatchEffectPanel, active && any);
    window_setCurrent(previous);
}

// ---- levels -------------------------------------------------------------------------------

void wPatch_setBalanceSliderVal(short channel, double level)
{
    draggy_setValH(id(channel, kPatchLevelSlider), wPatch_levelToSlider(level));
    char text[32];
    wPatch_levelText(level, text, sizeof text);
    display_setText(id(channel, kPatchLevelDisplay), text);
}

void wPatch_updateBalanceSliders()
{
    for (short c = 0; c < kPatchChannels; ++c) wPatch_setBalanceSliderVal(c, oscil_getAmpScale(gInst, c));
}

// ---- the whole window ---------------------------------------------------------------------

void wPatch_updatePatch(int force)
{
    if (!window_get(winId_patch)) return;
    short previous = window_getCurrent();
    window_setCurrent(winId_patch);
    waveMenu_buildPresetMenu(gInst);
    int any = inst_anOscilIsOn(gInst) ? 1 : 0;
    int anyChanged = any != lastAnyOn;
    for (short c = 0; c < kPatchChannels; ++c) {
        int on = oscil_getActive(gInst, c) ? 1 : 0;
        if (!force && on == lastOscOn[c]) continue;
        wPatch_updateParamsOscil(c);
        wPatch_enableOscil(c);
        wPatch_updateParamsFilter(c);
        wPatch_enableFilter(c);
        wPatch_updateParamsMod(c);
        wPatch_enableMod(c);
        lastOscOn[c] = on;
    }
    if (force) wPatch_updateBalanceSliders();
    int on1 = oscil_getActive(gInst, 1) ? 1 : 0, on2 = oscil_getActive(gInst, 2) ? 1 : 0;
    for (short c = 0; c < kPatchChannels; ++c)
        button_select(static_cast<short>(kPatchLitOsc0 + c), oscil_getActive(gInst, c) ? 1 : 0);
    button_select(kPatchLitAny, any);
    button_select(kPatchLitOsc12, on1 || on2);
    if (force || anyChanged) {
        wPatch_updateParamsWaveshape();
        wPatch_enableWaveshape();
        wPatch_updateParamsFilter(kPatchMasterFilter);
        wPatch_enableMasterFilter();
        wPatch_enableEffect();
        lastAnyOn = any;
    }
    window_setCurrent(previous);
}
