// The two transform windows (13 waveform transforms, 14 envelope
// transforms): created once at start-up and hidden; the Waveform and
// Envelope windows open them.
#include "windows/editorWindow.h"

namespace {
const editorWindowDesc kWave = {
    winId_waveTransform, "wWaveTrans_Wnd", "Transform", 0, 200, 120, 420, 300, 31, nullptr};
const editorWindowDesc kEnv = {
    winId_envTransform, "wEnvTrans_Wnd", "Transform", 0, 220, 140, 360, 240, 21, nullptr};
}  // namespace

void wWaveTrans_makeWindow() { editorWindow_make(&kWave); }
void wEnvTrans_makeWindow() { editorWindow_make(&kEnv); }
