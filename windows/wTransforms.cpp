// The envelope transform window (14): created once at start-up and
// hidden; the Envelope window opens it. Its row is in windowTable.cpp (the
// waveform transform window has its own files, wWtrans*.cpp).
#include "windows/editorWindow.h"

void wEnvTrans_makeWindow() { editorWindow_make(windowTable_find(winId_envTransform)); }
