// The Patch window: created once at start-up, hidden, and kept in step
// through the update protocol. Its controls come with the Patch window's
// own work; until then it shows its themed background.
#include "windows/editorWindow.h"

namespace {
const editorWindowDesc kDesc = {winId_patch, "wPatch_Wnd", "Patch", 129, 89, 104, 555, 485, 186, wPatch_update};
}

void wPatch_makeWindow() { editorWindow_make(&kDesc); }
void wPatch_show(int show) { editorWindow_show(winId_patch, show); }
void wPatch_updateSchedule() { editorWindow_schedule(winId_patch); }
int wPatch_needUpdate() { return editorWindow_needs(winId_patch); }
void wPatch_update() { editorWindow_refresh(winId_patch); }

namespace {
int autoBalanceChannels = 1;
}
void wPatch_setAutoBalanceChannels(int on) { autoBalanceChannels = on ? 1 : 0; }
int wPatch_getAutoBalanceChannels() { return autoBalanceChannels; }
// Balancing the channels comes with the Patch window's controls.
void wPatch_balanceChannels() {}
