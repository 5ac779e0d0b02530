// The Waveform window: created once at start-up from its row of the window
// table (windowTable.cpp), hidden, and kept in step through the update
// protocol. Its controls come with the Waveform window's own work; until then
// it shows its themed background.
#include "windows/editorWindow.h"

void wWave_makeWindow() { editorWindow_make(windowTable_find(winId_waveform)); }
void wWave_show(int show) { editorWindow_show(winId_waveform, show); }
void wWave_updateSchedule() { editorWindow_schedule(winId_waveform); }
int wWave_needUpdate() { return editorWindow_needs(winId_waveform); }
void wWave_update() { editorWindow_refresh(winId_waveform); }
// The wave editor's undo comes with its editors.
void wWave_undoWave(int) {}
