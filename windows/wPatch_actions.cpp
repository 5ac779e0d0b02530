// The Patch window's control actions: each callback takes the object id,
// finds the channel (or filter) the id belongs to, writes the value into
// gInst through the instrument model's setters, and pauses the audio or asks
// the plug-in to rebuild its chains where the structure of the sound changes.
#include "windows/windows.h"

namespace {
short kOf(short objectID)
{
    return static_cast<short>(objectID - wPatch_channelToGuiOffset(wPatch_guiToChannel(objectID)));
}

short idOf(short channel, short k) { return static_cast<short>(wPatch_channelToGuiOffset(channel) + k); }

float boxValue(short objectID) { return numbox_getVal(objectID); }
}  // namespace

// ---- channel switches and pages -----------------------------------------------------------

void wPatch_callback_oscOn(short objectID)
{
    short c = wPatch_guiToChannel(objectID);
    inst_pauseAudio(gInst, 0);
    oscil_setActive(gInst, c, button_isSelected(objectID));
    oscil_correctPhase(gInst, c);
    wPatch_updatePatch(0);
    wPatch_slider_balanceOnEnable(gInst);
    wPatch_updateBalanceSliders();
    inst_buildChains(gInst, 0);
}

void wPatch_callback_page(short objectID)
{
    wPatch_oscilSelectMainMod(wPatch_guiToChannel(objectID), kOf(objectID) == kPatchMainPage);
}

void wPatch_callback_filterOn(short objectID)
{
    short c = wPatch_guiToChannel(objectID);
    filter_setActive(gInst, c, button_isSelected(objectID));
    wPatch_enableFilter(c);
    inst_buildChains(gInst, 0);
}

void wPatch_callback_modulatorOn(short objectID)
{
    short c = wPatch_guiToChannel(objectID);
    inst_pauseAudio(gInst, 0);
    mod_setActive(gInst, c, button_isSelected(objectID));
    wPatch_enableMod(c);
    inst_buildChains(gInst, 0);
}

void wPatch_callback_invert(short objectID)
{
    oscil_setInvertPhase(gInst, wPatch_guiToChannel(objectID), button_isSelected(objectID));
}

// ---- oscillator values --------------------------------------------------------------------

void wPatch_callback_oscBox(short objectID)
{
    short c = wPatch_guiToChannel(objectID);
    float v = boxValue(objectID);
    short mode = oscil_getMode(gInst, c);
    switch (kOf(objectID)) {
    case kPatchMainFreq: oscil_setMainFreq(gInst, c, v); break;
    case kPatchMainPhase: oscil_setMainPhase(gInst, c, v); break;
    case kPatchModAmount:
        if (mode == 1 || mode == 3)
            oscil_setBalance(gInst, c, v);
        else if (mode == 2)
            oscil_setFmIndex(gInst, c, v);
        break;
    case kPatchModFreq: oscil_setModFreq(gInst, c, v); break;
    case kPatchModPhase:
        if (mode == 1 || mode == 2) oscil_setModPhase(gInst, c, v);
        break;
    default: break;
    }
}

void wPatch_callback_oscMode(short objectID, short, short item)
{
    short c = wPatch_guiToChannel(objectID);
    short mode = static_cast<short>(item - 1);
    if (!wPatch_oscModeRow(mode)) return;
    oscil_setMode(gInst, c, mode);
    wPatch_oscilSetMode(c, mode);
}

void wPatch_callback_freqMode(short objectID, short, short item)
{
    short c = wPatch_guiToChannel(objectID);
    short mode = wPatch_itemToFreqMode(item);
    if (mode < 0) return;
    switch (kOf(objectID)) {
    case kPatchMainFreqMode:
        oscil_setMainFreqMode(gInst, c, mode);
        wPatch_oscilUpdateFreqMode(c, 1);
        break;
    case kPatchModFreqMode:
        oscil_setModFreqMode(gInst, c, mode);
        wPatch_oscilUpdateFreqMode(c, 0);
        break;
    case kPatchModulatorFreqMode:
        mod_setFreqMode(gInst, c, mode);
        wPatch_modUpdateFreqMode(c);
        break;
    default: break;
    }
}

// ---- waves --------------------------------------------------------------------------------

void wPatch_callback_wave(short objectID, short menu, short item)
{
    // The pop-up's own first item carries the name of the wave in use:
    // choosing it keeps that wave.
    if (menu != kWaveMenuPreset && menu != kWaveMenuFactory) {
        popup_selectItem(objectID, 1);
        return;
    }
    short waveID;
    int isNew = menu == kWaveMenuPreset && item == 1;
    if (isNew) {
        waveID = inst_newPresetWave(gInst);
        if (waveID < 0) {
            alertbox(0, "No more preset waves available.", 0);
            return;
        }
        waveMenu_buildPresetMenu(gInst);
    } else {
        waveID = waveMenu_menuItemToWaveID(item, menu);
    }
    short c = wPatch_guiToChannel(objectID);
    if (objectID == kPatchWaveshapeWave) {
        waveshape_setWaveID(gInst, waveID);
    } else {
        switch (kOf(objectID)) {
        case kPatchMainWave: oscil_setMainWaveID(gInst, c, waveID); break;
        case kPatchModWave: oscil_setModWaveID(gInst, c, waveID); break;
        case kPatchModulatorWave: mod_setWaveID(gInst, c, waveID); break;
        default: return;
        }
    }
    wPatch_setWavePopup(objectID, waveID);
    // The Waveform window opens on the new wave, so it can be drawn at once.
    if (isNew) wWave_openWithNewWave(static_cast<short>(waveID - kWaveUserBaseID));
}

void wPatch_openWavePopup(short objectID)
{
    short c = wPatch_guiToChannel(objectID);
    short waveID = 0;
    if (objectID == kPatchWaveshapeWave) {
        waveID = waveshape_getWaveID(gInst);
    } else {
        switch (kOf(objectID)) {
        case kPatchMainWave: waveID = oscil_getMainWaveID(gInst, c); break;
        case kPatchModWave: waveID = oscil_getModWaveID(gInst, c); break;
        case kPatchModulatorWave: waveID = mod_getWaveID(gInst, c); break;
        default: return;
        }
    }
    waveMenu_checkWave(objectID, waveID);
}

// ---- filters ------------------------------------------------------------------------------

void wPatch_callback_filterBox(short objectID)
{
    short f = wPatch_guiToFilter(objectID);
    short k = static_cast<short>(objectID - wPatch_filterToGuiOffset(f));
    float v = boxValue(objectID);
    short mode = filter_getMode(gInst, f);
    switch (k) {
    case kPatchFilterFreq: filter_setFreq(gInst, f, v); break;
    case kPatchFilterQ:
        if (mode == 2 || mode == 3 || mode == 5 || mode == 6 || mode == 9 || mode == 10 || mode == 11)
            filter_setQ(gInst, f, v);
        break;
    case kPatchFilterGain:
        if (mode == 9)
            filter_setBandwidth(gInst, f, v);
        else if (mode == 2 || mode == 3 || mode == 6 || mode == 10 || mode == 11)
            filter_setGain(gInst, f, v);
        break;
    default: break;
    }
}

void wPatch_callback_filterMode(short objectID, short, short item)
{
    short f = wPatch_guiToFilter(objectID);
    short mode = wPatch_filterItemToMode(item);
    if (!mode) return;
    filter_setMode(gInst, f, mode);
    inst_buildChains(gInst, 0);
    wPatch_filterSetMode(f, filter_getMode(gInst, f));
}

// ---- modulator ----------------------------------------------------------------------------

void wPatch_callback_modulatorBox(short objectID)
{
    short c = wPatch_guiToChannel(objectID);
    if (kOf(objectID) == kPatchModulatorFreq)
        mod_setFreq(gInst, c, boxValue(objectID));
    else if (kOf(objectID) == kPatchModulatorBalance)
        mod_setBalance(gInst, c, boxValue(objectID));
}

// ---- levels -------------------------------------------------------------------------------

void wPatch_callback_level(short objectID)
{
    short c = wPatch_guiToChannel(objectID);
    int changed[kPatchChannels] = {0, 0, 0};
    wPatch_balanceSetLevel(gInst, c, wPatch_sliderToLevel(draggy_getValH(objectID)), changed);
    for (short other = 0; other < kPatchChannels; ++other) {
        if (!changed[other]) continue;
        if (other == c) {  // the dragged slider stays where the hand put it; only its text follows
            char text[32];
            wPatch_levelText(oscil_getAmpScale(gInst, c), text, sizeof text);
            display_setText(idOf(c, kPatchLevelDisplay), text);
        } else {
            wPatch_setBalanceSliderVal(other, oscil_getAmpScale(gInst, other));
        }
    }
}

// ---- waveshaper, master filter, effect ----------------------------------------------------------

void wPatch_callback_globalSwitch(short objectID)
{
    int on = button_isSelected(objectID);
    switch (objectID) {
    case kPatchWaveshapeOn:
        waveshape_setActive(gInst, on);
        wPatch_enableWaveshape();
        inst_buildChains(gInst, 0);
        break;
    case kPatchMasterOn:
        filter_setActive(gInst, kPatchMasterFilter, on);
        wPatch_enableMasterFilter();
        inst_buildChains(gInst, 0);
        break;
    case kPatchEffectOn:
        inst_pauseAudio(gInst, 1);
        effect_setActive(gInst, on);
        effect_reinitBuf(gInst);
        inst_patchInfoPrepare(gInst);
        inst_resumeAudio(gInst);
        wPatch_enableEffect();
        wEffect_updateSchedule();
        break;
    case kPatchWaveshapeMono:
        inst_pauseAudio(gInst, 0);
        waveshape_setMono(gInst, on);
        filter_setMono(gInst, kPatchMasterFilter, on);
        inst_buildChains(gInst, 0);
        wPatch_filterEnableMono();
        break;
    case kPatchMasterMono:
        inst_pauseAudio(gInst, 0);
        filter_setMono(gInst, kPatchMasterFilter, on);
        inst_buildChains(gInst, 0);
        break;
    default: break;
    }
}

void wPatch_callback_waveshapeBox(short objectID)
{
    float v = boxValue(objectID);
    if (objectID == kPatchWaveshapeIn)
        waveshape_setInGain(gInst, v);
    else if (objectID == kPatchWaveshapeOut)
        waveshape_setOutGain(gInst, v);
    else if (objectID == kPatchWaveshapePhase)
        waveshape_setPhase(gInst, v);
}

void wPatch_callback_effectEdit(short) { wEffect_show(1); }
