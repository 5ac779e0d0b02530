// The LFO window: created once at start-up, hidden, and kept in step
// through the update protocol. Its controls come with the LFO window's
// own work; until then it shows its themed background.
#include "windows/editorWindow.h"

namespace {
const editorWindowDesc kDesc = {winId_lfo, "wLfo_Wnd", "LFO", 134, 146, 201, 615, 466, 141, wLfo_update};
}

void wLfo_makeWindow() { editorWindow_make(&kDesc); }
void wLfo_show(int show) { editorWindow_show(winId_lfo, show); }
void wLfo_updateSchedule() { editorWindow_schedule(winId_lfo); }
int wLfo_needUpdate() { return editorWindow_needs(winId_lfo); }
void wLfo_update() { editorWindow_refresh(winId_lfo); }
