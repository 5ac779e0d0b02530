// The wave as numbers: its amplitude and offset with the two sliders that
// change them, the immediate transforms of the Transform pop-up, "Extract
// from WAV...", and the work buffers that the transform window computes in.
// Every change is written into the wave in the shared record.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "windows/windows.h"

float wWave_currentOffset = 0.0f, wWave_currentOffLimitTop = 1.0f, wWave_currentOffLimitBottom = -1.0f;

namespace {
float wWave_editBuffer[kWaveSamples];
float wWave_untransformedBuffer[kWaveSamples];

float clampUnit(float v) { return v < -1.0f ? -1.0f : (v > 1.0f ? 1.0f : v); }
float flushTiny(float v) { return (v > -1e-9f && v < 1e-9f) ? 0.0f : v; }
int buttonIsDown() { return mouse_getState() == kMousePressed || mouse_getState() == kMouseDragging; }

// The wave as it was when the slider was pressed.
const float* undoCopy() { return gInst ? gInst->waveUndo.data : nullptr; }

// After a change of the whole wave: the editor and the read-outs.
void waveChanged()
{
    waveEd_update(kWaveEditor);
    wWave_updateAmpAndOffset();
}

void showDb(short display, float amp)
{
    double db = ampToDB(amp);
    db = db < -96.0 ? -96.0 : (db > 0.0 ? 0.0 : db);
    char text[32];
    std::snprintf(text, sizeof text, "%2.1f dB", db);
    control_dropNegativeZero(text);
    display_setText(display, text);
}
}  // namespace

// ---- amplitude and offset ------------------------------------------------------------------

float wWave_getAmp(const float* data)
{
    float peak = 0.0f;
    if (data)
        for (int i = 0; i < kWaveSamples; ++i) peak = std::fmax(peak, std::fabs(data[i]));
    return peak;
}

float wWave_getOffset(const float* data)
{
    float top = -1.0f, bottom = 1.0f;
    if (data)
        for (int i = 0; i < kWaveSamples; ++i) {
            top = std::fmax(top, data[i]);
            bottom = std::fmin(bottom, data[i]);
        }
    float offset = (top + bottom) / 2.0f;
    if (std::fabs(offset) < 0.02f) offset = 0.0f;
    wWave_currentOffset = offset;
    wWave_currentOffLimitTop = 1.0f - top;
    wWave_currentOffLimitBottom = -1.0f - bottom;
    return offset;
}

void wWave_setAmp(float amp)
{
    float* wave = wWave_currentWave();
    const float* undo = undoCopy();
    if (!wave || !undo) return;
    amp = amp < 1e-5f ? 1e-5f : (amp > 1.0f ? 1.0f : amp);
    float peak = wWave_getAmp(undo);
    if (peak == 0.0f) return;  // silence has no shape to scale
    for (int i = 0; i < kWaveSamples; ++i) wave[i] = flushTiny(clampUnit(undo[i] * amp / peak));
    waveEd_update(kWaveEditor);
    if (!buttonIsDown()) wWave_updateAmpAndOffset();
}

void wWave_setOffset(float offset)
{
    float* wave = wWave_currentWave();
    const float* undo = undoCopy();
    if (!wave || !undo) return;
    offset = clampUnit(offset);
    // The limits keep every sample within -1..+1.
    float d = offset - wWave_currentOffset;
    if (d < wWave_currentOffLimitBottom) d = wWave_currentOffLimitBottom;
    if (d > wWave_currentOffLimitTop) d = wWave_currentOffLimitTop;
    for (int i = 0; i < kWaveSamples; ++i) wave[i] = flushTiny(clampUnit(undo[i] + d));
    waveEd_update(kWaveEditor);
    if (!buttonIsDown()) wWave_updateAmpAndOffset();
}

void wWave_updateOffset()
{
    float offset = wWave_getOffset(wWave_currentWave());
    draggy_setValH(kWaveOffsetSlider, offset * 0.5f + 0.5f);
    char text[32];
    std::snprintf(text, sizeof text, "%2.2f", offset);
    control_dropNegativeZero(text);
    display_setText(kWaveOffsetDisplay, text);
}

void wWave_updateAmpAndOffset()
{
    const float* wave = wWave_currentWave();
    if (!wave) return;
    short saved = window_getCurrent();
    window_setCurrent(winId_waveform);
    float amp = wWave_getAmp(wave);
    draggy_setValH(kWaveAmpSlider, amp);
    showDb(kWaveAmpDisplay, amp);
    wWave_updateOffset();
    window_setCurrent(saved);
}

void wWave_callback_sliders(short id)
{
    static int dragging = 0;
    // The press: the first call of a drag (the first step of the drag may
    // still see the pressed state).
    int pressed = mouse_getState() == kMousePressed && !dragging;
    if (pressed && wWave_currentWave()) {
        // The wave at the press, which the whole drag is relative to; the
        // drag can be undone through the Edit menu.
        wWave_prepareUndo();
        wWave_getOffset(wWave_currentWave());
        dragging = 1;
    }
    if (id == kWaveAmpSlider) {
        float v = draggy_getValH(id);
        showDb(kWaveAmpDisplay, v);
        wWave_setAmp(v);
    } else if (id == kWaveOffsetSlider) {
        float x = draggy_getValH(id) * 2.0f - 1.0f;
        if (std::fabs(x) < 0.01f) x = 0.0f;
        char text[32];
        std::snprintf(text, sizeof text, "%6.2f", x);
        control_dropNegativeZero(text);
        display_setText(kWaveOffsetDisplay, text);
        wWave_setOffset(x);
    }
    if (dragging && !buttonIsDown()) {
        dragging = 0;
        wWave_prepareRedo();
    }
}

// ---- immediate transforms ------------------------------------------------------------------------
// Each takes the wave's undo copy first; the Transform pop-up also arms the
// Edit menu's undo around it.

void wWave_transform_normalize()
{
    float* wave = wWave_currentWave();
    if (!wave) return;
    wave_prepareUndo(gInst, currentEditWave);
    waveEd_normalizeData(wave);
    waveChanged();
}

void wWave_transform_dcOffset()
{
    float* wave = wWave_currentWave();
    if (!wave) return;
    wave_prepareUndo(gInst, currentEditWave);
    waveEd_dcOffsetData(wave);
    waveChanged();
}

void wWave_transform_invertPhase()
{
    float* wave = wWave_currentWave();
    if (!wave) return;
    wave_prepareUndo(gInst, currentEditWave);
    for (int i = 0; i < kWaveSamples; ++i) wave[i] = -wave[i];
    thisBufferWantsToBeNormal(wave, kWaveSamples);  // no -0.0 reaches the plug-in
    waveChanged();
}

void wWave_transform_reverse()
{
    float* wave = wWave_currentWave();
    if (!wave) return;
    wave_prepareUndo(gInst, currentEditWave);
    float scratch[kWaveSamples];
    std::memcpy(scratch, wave, sizeof scratch);
    for (int i = 0; i < kWaveSamples; ++i) wave[i] = scratch[kWaveSamples - 1 - i];
    waveChanged();
}

void wWave_transform_clear()
{
    float* wave = wWave_currentWave();
    if (!wave) return;
    wave_prepareUndo(gInst, currentEditWave);
    std::memset(wave, 0, sizeof(float) * kWaveSamples);
    waveChanged();
}

// One cycle from the start of a WAV file's data. The file is read whole
// before the wave is touched, so a bad file leaves the wave as it was; a
// good one can be undone through the Edit menu.
void wWave_transform_importWav()
{
    float* wave = wWave_currentWave();
    if (!wave) return;
    HWND owner = window_getHWND(winId_waveform);
    char name[260] = {0}, title[260] = {0};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "Wave Files (*.WAV)\0*.wav\0";
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrDefExt = "wav";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&ofn)) return;
    float cycle[kWaveSamples];
    int outcome = wavFile_readCycle(name, cycle);
    if (outcome != kWavOk) {
        MessageBoxA(owner, wavFile_message(outcome), "Morvane", MB_OK);
        return;
    }
    waveEd_dcOffsetData(cycle);
    wave = wWave_currentWave();
    if (!wave) return;
    wWave_prepareUndo();
    std::memcpy(wave, cycle, sizeof cycle);
    wWave_prepareRedo();
    waveChanged();
}

// ---- work buffers of the transform window ---------------------------------------------------------

float* wWave_getEditBuffer() { return wWave_editBuffer; }

float* wWave_getUntransformedBuffer() { return wWave_untransformedBuffer; }

void wWave_waveToUntransformedBuffer()
{
    if (const float* wave = wWave_currentWave())
        std::memcpy(wWave_untransformedBuffer, wave, sizeof(float) * kWaveSamples);
}

void wWave_untransformedBufferToWave()
{
    if (float* wave = wWave_currentWave())
        std::memcpy(wave, wWave_untransformedBuffer, sizeof(float) * kWaveSamples);
}

void wWave_editBufferToWave()
{
    if (float* wave = wWave_currentWave()) std::memcpy(wave, wWave_editBuffer, sizeof(float) * kWaveSamples);
}
