// The Envelope window: created once at start-up from its row of the window
// table (windowTable.cpp), hidden, and kept in step through the update
// protocol. Its controls come with the Envelope window's own work; until then
// it shows its themed background.
#include "windows/editorWindow.h"

void wEnv_makeWindow() { editorWindow_make(windowTable_find(winId_envelope)); }
void wEnv_show(int show) { editorWindow_show(winId_envelope, show); }
void wEnv_updateSchedule() { editorWindow_schedule(winId_envelope); }
int wEnv_needUpdate() { return editorWindow_needs(winId_envelope); }
void wEnv_update() { editorWindow_refresh(winId_envelope); }
// Undo, copy and paste of envelopes come with the envelope editor.
void wEnv_undoEnvelope(int) {}
void wEnv_copyEnvelope() {}
void wEnv_pasteEnvelope() {}
