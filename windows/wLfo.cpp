// The LFO window: created once at start-up from its row of the window
// table (windowTable.cpp), hidden, and kept in step through the update
// protocol. Its controls come with the LFO window's own work; until then
// it shows its themed background.
#include "windows/editorWindow.h"

void wLfo_makeWindow() { editorWindow_make(windowTable_find(winId_lfo)); }
void wLfo_show(int show) { editorWindow_show(winId_lfo, show); }
void wLfo_updateSchedule() { editorWindow_schedule(winId_lfo); }
int wLfo_needUpdate() { return editorWindow_needs(winId_lfo); }
void wLfo_update() { editorWindow_refresh(winId_lfo); }
