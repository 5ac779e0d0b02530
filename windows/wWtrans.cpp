// The "Transform waveform" window: a non-MDI window with a dialog-modal
// frame (toolkit window 13, class "wWtrans_Wnd"), created once from its row
// of the window table and shown by the Waveform window's Transform pop-ups.
// While it is open the Waveform window's editors are disabled; every change
// of a parameter runs the transform from the wave as it was at the opening
// (the untransformed buffer) into the edit buffer and writes it into the
// wave, so the plug-in plays it at once. OK keeps the result (Edit > Undo
// can still take it back), Cancel restores the wave bit for bit.
#include <algorithm>

#include "windows/editorWindow.h"

#include "resources/resources.h"

namespace {
// The wave the window was opened on; a change of instrument or wave while
// it is open (the waves were reloaded) leaves the new wave alone.
instRec* openInst = nullptr;
short openWave = -1;

int stillOnOpenWave()
{
    return openWave >= 0 && gInst == openInst && currentEditWave == openWave && currentUndoWave == openWave &&
           wWave_currentWave() != nullptr;
}

// Makes a window current for the life of the scope.
struct currentScope {
    short saved;
    explicit currentScope(short id) : saved(window_getCurrent()) { window_setCurrent(id); }
    ~currentScope() { window_setCurrent(saved); }
};

// The wave editor and the amplitude and offset read-outs of window 4.
void redrawWave()
{
    currentScope scope(winId_waveform);
    waveEd_update(kWaveEditor);
    wWave_updateAmpAndOffset();
}

// The spectrum of window 4 analysed anew from the wave, and drawn.
void redrawSpectrum()
{
    currentScope scope(winId_waveform);
    spectrum_calculate(kSpectrumEditor);
    spectrum_update(kSpectrumEditor);
}
}  // namespace

void wWaveTrans_makeWindow() { editorWindow_make(windowTable_find(winId_waveTransform)); }

void wWtrans_build()
{
    editorWindow_loadArtwork(616, res_registerPatchArt);  // the invert switch
    editorWindow_loadArtwork(kResWtransPanel, res_registerWaveTransformArt);
    wWtrans_makeParams();
}

short wWtrans_panelOfKind(short kind)
{
    if (kind == kWtransLoadSpectrum) return 7;  // shares the load-wave panel
    return kind >= kWtransPhase && kind <= kWtransShiftHarmonics ? static_cast<short>(kind + 1) : 0;
}

LRESULT CALLBACK wWtrans_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short object = window_preProcess(winId_waveTransform, hwnd, msg, wParam, lParam, 0);
    if (object >= kWtransPhaseOffset) makePresetDirty();
    if (dialogWindow_commonMessage(winId_waveTransform, kWtransOk, wWtrans_callback_okCancelButtons, hwnd,
                                   msg, wParam))
        return 0;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void wWtrans_show(int show, int kind)
{
    if (!window_getHWND(winId_waveTransform)) return;
    if (show && (!wWave_currentWave() || !wWtrans_panelOfKind(static_cast<short>(kind)))) return;
    wWave_enableEditor(!show);
    if (show) {
        wWave_prepareUndo();
        wWave_waveToUntransformedBuffer();
        openInst = gInst;
        openWave = currentEditWave;
        waveMenu_buildPresetMenu(gInst);
        window_setCurrent(winId_waveTransform);
        wWtrans_setMode(static_cast<short>(kind));
    } else {
        openWave = -1;
    }
    window_show(winId_waveTransform, show);
    if (show)
        SetFocus(window_getHWND(winId_waveTransform));  // Return acts as OK at once
    else
        window_setCurrent(winId_waveform);
}

void wWtrans_setMode(short kind)
{
    short panel = wWtrans_panelOfKind(kind);
    if (!panel) return;
    currentScope scope(winId_waveTransform);
    wWtrans_mode = kind;
    if (kind == kWtransShiftHarmonics) {
        // Shifts start from the spectrum as it is, unshifted.
        wWtrans_shift = 0;
        {
            currentScope wave(winId_waveform);
            spectrum_calculate(kSpectrumEditor);
        }
        spectrum_spectrumToUntransformedBuffer();
    }
    wWtrans_updatePanel(kind);
    for (short p = 2; p <= 8; ++p) panel_show(p, p == panel);
    wWtrans_transform();
}

namespace {
// The data of wave id; the wave being transformed is read as it was at the
// opening, so that mixing or modulating it with itself does not feed back.
const float* sourceWave(short id, const float* u)
{
    return id == kWaveUserBaseID + currentEditWave ? u : wWtrans_waveData(id);
}
}  // namespace

void wWtrans_transform()
{
    if (!stillOnOpenWave()) return;
    const float* u = wWave_getUntransformedBuffer();
    float* e = wWave_getEditBuffer();
    switch (wWtrans_mode) {
    case kWtransPhase: wWtrans_phaseData(u, e, phaseOffset_offset); break;
    case kWtransMix:
        wWtrans_mixData(u, sourceWave(waveID, u), e, mix_ampA, mix_ampB, mix_phaseInvert, mix_phaseOffset,
                        mix_freqRatio);
        break;
    case kWtransFractalize: fractalize(u, e); break;
    case kWtransFilter: filter_freq = wWtrans_filterData(u, e, filter_mode, filter_freq); break;
    case kWtransFM:
        wWtrans_fmData(u, sourceWave(waveID, u), e, fm_modIndex, fm_modFreq, fm_modPhase, fm_carrierFreq);
        break;
    case kWtransLoadWave:
    case kWtransLoadSpectrum:
        std::copy(sourceWave(waveID, u), sourceWave(waveID, u) + kWaveSamples, e);
        break;
    case kWtransShiftHarmonics: {
        // The spectrum editor synthesises the wave itself.
        currentScope scope(winId_waveform);
        spectrum_shiftHarmonics(wWtrans_shift);
        redrawWave();
        return;
    }
    default: return;
    }
    wWtrans_updateWave();
    if (wWtrans_mode == kWtransLoadSpectrum) redrawSpectrum();
}

void wWtrans_updateWave()
{
    if (!stillOnOpenWave()) return;
    wWave_editBufferToWave();
    redrawWave();
}

void wWtrans_undoWave()
{
    if (!stillOnOpenWave()) return;
    wWave_untransformedBufferToWave();
    redrawWave();
}

void wWtrans_callback_okCancelButtons(short id)
{
    if (id != kWtransOk && id != kWtransCancel) return;
    if (id == kWtransOk) {
        if (stillOnOpenWave()) wWave_prepareRedo();
    } else {
        wWtrans_undoWave();
        if (stillOnOpenWave()) wWave_noUndo();
    }
    wWtrans_show(0, 0);
    redrawSpectrum();
}
