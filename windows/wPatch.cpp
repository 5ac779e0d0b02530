// The Patch window: an MDI child of class "wPatch_Wnd", toolkit window 2,
// created once at start-up from its row of the window table and hidden or
// shown thereafter. Its procedure hands every message to the toolkit
// first; a touched control (object id above 10) marks the preset dirty, and
// a click asks the Envelope window to refresh its parameter box. The
// update command reloads every control.
#include "windows/editorWindow.h"

#include "resources/resources.h"

void wPatch_makeWindow() { editorWindow_make(windowTable_find(winId_patch)); }

void wPatch_build()
{
    editorWindow_loadArtwork(500, res_registerPatchArt);
    wPatch_makeParams();
    wPatch_updatePatch(1);
    window_sizeToPanel(winId_patch, kPatchBackground);
}

LRESULT CALLBACK wPatch_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short object = window_preProcess(winId_patch, hwnd, msg, wParam, lParam, 0);
    if (object > 10) makePresetDirty();
    LRESULT result;
    if (editorWindow_commonMessage(winId_patch, hwnd, msg, wParam, &result)) return result;
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (object) tellEnvUpdateParambox();
        break;
    default: break;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void wPatch_show(int show)
{
    if (show && g_oneWindowEditor) {
        openOneEditWindow(winId_patch);
        return;
    }
    window_show(winId_patch, show);
}

void wPatch_updateSchedule() { editorWindow_schedule(winId_patch); }

int wPatch_needUpdate() { return editorWindow_needs(winId_patch); }

void wPatch_update()
{
    window_setCurrent(winId_patch);
    editorWindow_clear(winId_patch);
    wPatch_updatePatch(1);
}
