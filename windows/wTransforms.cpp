// The two transform windows (13 waveform transforms, 14 envelope
// transforms): created once at start-up and hidden; the Waveform and
// Envelope windows open them. Their rows are in windowTable.cpp.
#include "windows/editorWindow.h"

void wWaveTrans_makeWindow() { editorWindow_make(windowTable_find(winId_waveTransform)); }
void wEnvTrans_makeWindow() { editorWindow_make(windowTable_find(winId_envTransform)); }
