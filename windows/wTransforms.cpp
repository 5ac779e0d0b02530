// The envelope transform window (14): created once at start-up and
// hidden; the Envelope window opens it. Its row is in windowTable.cpp (the
// waveform transform window has its own files, wWtrans*.cpp).
#include "windows/editorWindow.h"

void wEnvTrans_makeWindow() { editorWindow_make(windowTable_find(winId_envTransform)); }

// The envelope transforms' window opens on its kind once it has its
// controls; until then choosing a transform shows its empty window.
void wEnvTrans_show(int show, int) { window_show(winId_envTransform, show); }

// The "New Envelope" dialog comes with the envelope transforms; until then
// the "new envelope" button leaves the envelopes as they are.
void wNewEnv_openDialog() {}
