// The Main window (window 1): created once at start-up and kept in step
// through the update protocol. Its controls (instances, preset matrix,
// performance controls, keyboard) come with the Main window's own work;
// until then it shows its themed background and its title.
#include "windows/editorWindow.h"

namespace {
const editorWindowDesc kDesc = {winId_main, "wMain_Wnd", "Main", 128, 65, 0, 644, 158, 71, wMain_update};
}

void wMain_makeWindow() { editorWindow_make(&kDesc); }
void wMain_show(int show) { editorWindow_show(winId_main, show); }
void wMain_updateSchedule() { editorWindow_schedule(winId_main); }
int wMain_needUpdate() { return editorWindow_needs(winId_main); }
void wMain_update() { editorWindow_refresh(winId_main); }
// The preset matrix is part of the window's own update.
void wMain_updateMatrixSchedule() { wMain_updateSchedule(); }
// The history pop-up arrives with the window's controls; nothing to fill yet.
void wMain_historyPopupClear() {}
void wMain_historyPopupAppend(int, const char*) {}
// The import dialog is owned by the Main window and arrives with it.
void import_openDialog() {}
