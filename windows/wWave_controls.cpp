// Building the Waveform window's controls, and what the controls that are
// not editors do: the start-point slider, the mouse read-out and the two
// Transform pop-ups. Panel 1 holds the controls of both modes; panel 2 is
// the waveform page (with the slider panel 4) and panel 3 the spectrum page.
#include <cstdio>

#include "windows/windows.h"

namespace {
const short kPopupHeight = 14;
const long kTool = kButtonAtPress | kButtonRadio;

const char* const kWaveTransformItems[] = {"Normalize", "DC Offset", "Offset Phase...", "Invert Phase",
                                           "Reverse",   "Mix...",    "Fractalize...",   "Filter...",
                                           "FM...",     "-",         "Load Wave...",    "Extract from WAV...",
                                           "-",         "Clear"};
const char* const kSpectrumTransformItems[] = {
    "Invert Phase", "Shift Harmonics...", "-",          "Load Wave...", "-",
    "Clear All",    "Clear Amplitudes",   "Clear Phase"};

void addItems(short popup, const char* const* items, int count)
{
    for (int i = 0; i < count; ++i) popup_addItem(popup, static_cast<short>(i + 1), 1, items[i], 0);
}

// An immediate transform that Edit > Undo can take back.
void undoWrapped(void (*transform)())
{
    wWave_prepareUndo();
    transform();
    wWave_prepareRedo();
}

zPoint lastTrackedPos = {-1, -1};
}  // namespace

void wWave_makeParams()
{
    panel_enableAutoAdd(1);
    draggy_setLag(0.32f);
    popup_setDefaultColors(RGBColor{198, 198, 198}, RGBColor{22, 16, 49}, RGBColor{250, 250, 215},
                           RGBColor{66, 85, 92});
    popup_setCurrentFontSize(9);

    panel_new(kWaveMainPanel, 0, 0, 0, 0, 0, kWavePanelPict, nullptr);
    popup_new(kWaveListPopup, 36, 43, 77, kPopupHeight, 0, 0, "wave", 1, wWave_callback_waveMenu);
    button_new(kWaveModeWave, 8, 9, kTool, kWaveModeWavePict, "", 1, 1, 1, wWave_callback_modeButtons);
    button_new(kWaveModeSpectrum, 73, 9, kTool, kWaveModeSpectrumPict, "", 1, 0, 1,
               wWave_callback_modeButtons);
    display_setDefaultColors(RGBColor{255, 255, 255}, RGBColor{0, 0, 0});
    display_currentSize = 8;
    const short infoX[3] = {16, 100, 184};
    for (short k = 0; k < 3; ++k)
        display_new(static_cast<short>(kWaveInfo1 + k), infoX[k], 345, 82, "", 0, 0, kDisplayLeft, nullptr,
                    nullptr);

    // The waveform page: sliders, start point and stretch bounds, editor, tools.
    panel_setAutoAdd(kWaveMainPanel);
    panel_new(kWaveWavePanel, 0, 0, kWaveEdX * 2 + kWaveEdWidth + 1, kWaveEdY + kWaveEdHeight,
              kPanelExplicitRect, 0, nullptr);
    panel_setAutoAdd(kWaveWavePanel);
    panel_new(kWaveSliderPanel, 296, 27, 0, 0, 0, kWaveSliderPanelPict, nullptr);
    draggy_new(kWaveAmpSlider, 336, 31, kDraggyHorizontal | kDraggyLevelFill, kWaveSliderPict, 1,
               wWave_callback_sliders, 1.0f, 0.0f);
    draggy_new(kWaveOffsetSlider, 336, 46, kDraggyHorizontal, kWaveSliderPict, 1, wWave_callback_sliders,
               0.5f, 0.0f);
    display_setDefaultColors(RGBColor{251, 251, 216}, RGBColor{0, 0, 0});
    display_currentSize = 9;
    display_new(kWaveAmpDisplay, 468, 28, 42, "0.0 dB", 0, 0, kDisplayRight, nullptr, nullptr);
    display_new(kWaveOffsetDisplay, 469, 44, 32, "0.00", 0, 0, kDisplayRight, nullptr, nullptr);
    panel_setAutoAdd(kWaveWavePanel);
    draggy_new(kWaveStartSlider, 0, 67, kDraggyHorizontal | kDraggyJump | kDraggyWholeTrack, kWaveStartPict,
               1, wWave_callback_startpointSlider, 0.0f, 0.0f);
    waveBounds_new(kWaveBounds, 0, 67);
    waveEd_new(kWaveEditor, kWaveEdX, kWaveEdY);
    button_new(kWaveToolLine, 204, 16, kTool, kWaveToolPicts, "", 1, 0, 1, wWave_callback_waveTools);
    button_new(kWaveToolHalfCosine, 226, 16, kTool, kWaveToolPicts + 8, "", 1, 0, 1,
               wWave_callback_waveTools);
    button_new(kWaveToolStretch, 248, 16, kTool, kWaveToolPicts + 16, "", 1, 0, 1, wWave_callback_waveTools);
    popup_new(kWaveTransformPopup, 171, 43, 80, kPopupHeight, kPopupTitleInside, 0, "Transform", 1,
              wWave_callback_waveTransformPopup);
    addItems(kWaveTransformPopup, kWaveTransformItems, 14);

    // The spectrum page.
    panel_setAutoAdd(kWaveMainPanel);
    panel_new(kWaveSpectrumPanel, 0, 0, kWaveEdX * 2 + kWaveEdWidth + 1, kWaveEdY + kWaveEdHeight,
              kPanelExplicitRect, 0, nullptr);
    spectrum_new(kSpectrumEditor, kWaveEdX, kWaveEdY);
    button_new(kSpectrumToolSingle, 204, 16, kTool, kWaveToolPicts + 24, "", 1, 0, 1,
               wWave_callback_spectrumTools);
    button_new(kSpectrumToolPaint, 226, 16, kTool, kWaveToolPicts + 32, "", 1, 0, 1,
               wWave_callback_spectrumTools);
    popup_new(kSpectrumTransformPopup, 171, 43, 80, kPopupHeight, kPopupTitleInside, 0, "Transform", 1,
              wWave_callback_spectrumTransformPopup);
    addItems(kSpectrumTransformPopup, kSpectrumTransformItems, 8);
    panel_setAutoAdd(kWaveMainPanel);
    panel_enableAutoAdd(0);

    window_sizeToPanel(winId_waveform, kWaveMainPanel);
    wWave_buildWavePopup();
    wWave_setMode(0);
    // The tools start as half cosine and painting; the callbacks ignore the
    // tool already chosen, so the state is set directly.
    wWave_waveToolMode = 0;
    wWave_callback_waveTools(kWaveToolHalfCosine);
    wWave_spectrumToolMode = 0;
    wWave_callback_spectrumTools(kSpectrumToolPaint);
    wWave_updateAmpAndOffset();
}

// ---- start point ------------------------------------------------------------------------------

void wWave_callback_startpointSlider(short id)
{
    float v = draggy_getValH(id);
    waveEd_setWaveStartIndex(static_cast<short>(v * kWaveSamples));
    waveEd_draw(kWaveEditor);
    wWave_updateInfo(2);
}

// ---- read-out ---------------------------------------------------------------------------------

void wWave_trackMouse()
{
    short saved = window_getCurrent();
    window_setCurrent(winId_waveform);
    RECT r;
    custom_getRect(kWaveEditor, &r);
    zPoint pos;
    mouse_getPos(&pos);
    if (pos.h != lastTrackedPos.h || pos.v != lastTrackedPos.v) {
        POINT p{pos.h, pos.v};
        if (PtInRect(&r, p)) {
            wWave_updateInfo(wWave_mode);
        } else if (wWave_mode == 0) {
            wWave_updateInfo(3);
        } else {
            spectrum_updateSelectHarmonic(0);  // the pointer left the harmonics
        }
        lastTrackedPos = pos;
    }
    window_setCurrent(saved);
}

void wWave_updateInfo(long kind)
{
    short saved = window_getCurrent();
    window_setCurrent(winId_waveform);
    RECT r;
    custom_getRect(kWaveEditor, &r);
    zPoint pos;
    mouse_getPos(&pos);
    char a[64] = "", b[64] = "", c[64] = "";
    switch (kind) {
    case 0: {
        long x = pos.h - r.left, y = r.bottom - pos.v;
        x = x < 0 ? 0 : (x > long(kWaveEdWidth) ? long(kWaveEdWidth) : x);
        y = y < 0 ? 0 : (y > long(kWaveEdHeight) ? long(kWaveEdHeight) : y);
        double v = y / 128.0 - 1.0;
        v = v < -1.0 ? -1.0 : (v > 1.0 ? 1.0 : v);
        std::snprintf(a, sizeof a, "h = %2.4f", x / 512.0);
        std::snprintf(b, sizeof b, "v = %2.4f", v);
        break;
    }
    case 1: {
        short k = spectrum_getCurrentHarmonic();
        if (k == 0) {
            long column = (pos.h - r.left) / 8 + 1;
            k = static_cast<short>(column < 1 ? 1 : (column > long(kHarmonics) ? long(kHarmonics) : column));
        }
        std::snprintf(a, sizeof a, "harmonic = %d", k);
        std::snprintf(b, sizeof b, "amp = %2.4f", spectrum_getHarmonicAmp(k));
        std::snprintf(c, sizeof c, "phase = %2.4f", spectrum_getHarmonicPhase(k));
        if (mouse_getState() != kMousePressed && mouse_getState() != kMouseDragging)
            spectrum_updateSelectHarmonic(k);
        break;
    }
    case 2: std::snprintf(a, sizeof a, "h = %2.4f", waveEd_getStartIndex() / 1024.0); break;
    case 3: break;
    default: window_setCurrent(saved); return;
    }
    for (char* text : {a, b, c}) control_dropNegativeZero(text);
    display_setText(kWaveInfo1, a);
    display_setText(kWaveInfo2, b);
    display_setText(kWaveInfo3, c);
    window_setCurrent(saved);
}

// ---- Transform pop-ups ------------------------------------------------------------------------
// The items that ask for parameters open the transform window (wWtrans_show).

void wWave_callback_waveTransformPopup(short, short, short item)
{
    if (!wWave_currentWave()) return;
    switch (item) {
    case 1: undoWrapped(wWave_transform_normalize); break;
    case 2: undoWrapped(wWave_transform_dcOffset); break;
    case 3: wWtrans_show(1, 1); break;
    case 4: undoWrapped(wWave_transform_invertPhase); break;
    case 5: undoWrapped(wWave_transform_reverse); break;
    case 6: wWtrans_show(1, 2); break;
    case 7: wWtrans_show(1, 3); break;
    case 8: wWtrans_show(1, 4); break;
    case 9: wWtrans_show(1, 5); break;
    case 11: wWtrans_show(1, 6); break;
    case 12: wWave_transform_importWav(); break;
    case 14: undoWrapped(wWave_transform_clear); break;
    default: break;
    }
}

void wWave_callback_spectrumTransformPopup(short, short, short item)
{
    if (!wWave_currentWave()) return;
    switch (item) {
    case 1: spectrum_invertPhase(); break;
    case 2: wWtrans_show(1, 7); break;
    case 4: wWtrans_show(1, 8); break;
    case 6: spectrum_clearAmpAndOrPhase(1, 1); break;
    case 7: spectrum_clearAmpAndOrPhase(1, 0); break;
    case 8: spectrum_clearAmpAndOrPhase(0, 1); break;
    default: break;
    }
}
