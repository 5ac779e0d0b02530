// The two transform windows (13 waveform transforms, 14 envelope
// transforms): created once at start-up and hidden; the Waveform and
// Envelope windows open them. Their rows are in windowTable.cpp.
#include "windows/editorWindow.h"

void wWaveTrans_makeWindow() { editorWindow_make(windowTable_find(winId_waveTransform)); }
void wEnvTrans_makeWindow() { editorWindow_make(windowTable_find(winId_envTransform)); }

// The transform window's controls and transforms come with the window
// itself; until then choosing a transform shows its empty window.
void wWtrans_show(int show, int) { window_show(winId_waveTransform, show); }
