// The Effect window: created once at start-up from its row of the window
// table (windowTable.cpp), hidden, and kept in step through the update
// protocol. Its controls come with the Effect window's own work; until then
// it shows its themed background.
#include "windows/editorWindow.h"

void wEffect_makeWindow() { editorWindow_make(windowTable_find(winId_effect)); }
void wEffect_show(int show) { editorWindow_show(winId_effect, show); }
void wEffect_updateSchedule() { editorWindow_schedule(winId_effect); }
int wEffect_needUpdate() { return editorWindow_needs(winId_effect); }
void wEffect_update() { editorWindow_refresh(winId_effect); }
// The pipe display comes with the window's controls.
int wEffect_pipeIsVisible() { return 0; }
