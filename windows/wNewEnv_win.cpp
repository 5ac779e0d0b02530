// The "New Envelope" dialog ("k_dlog_newEnv"), opened by the Envelope
// window's new-envelope button: a list of the sound's modules (the active
// oscillators, each followed by its active filter and modulator, then the
// active master filter) and, for the module chosen, the parameters that no
// envelope drives yet. "Create" or a double click on a parameter adds an
// envelope for it; "Cancel" leaves the sound as it is.
#include <cstdio>

#include "windows/editorWindow.h"

newEnvItemRec moduleItems[10];
short moduleItemCount = 0;
short paramItems[10];
short paramItemCount = 0;

namespace {
// The module line chosen last time, chosen again at the next opening.
short lastModuleLine = 0;
// The envelope slot the dialog made, -1 for none.
short created = -1;

void addParam(HWND list, short param, short chan, const char* name)
{
    if (paramItemCount >= 10 || !wNewEnv_paramIsFree(param, chan)) return;
    paramItems[paramItemCount++] = param;
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

void addModule(HWND list, short kind, short chan, const char* name)
{
    if (moduleItemCount >= 10) return;
    moduleItems[moduleItemCount++] = newEnvItemRec{kind, chan};
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

INT_PTR CALLBACK wNewEnvProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: wNewEnv_buildModuleList(dlg); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case newEnvItem_modules:
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                LRESULT line = SendDlgItemMessageA(dlg, newEnvItem_modules, LB_GETCURSEL, 0, 0);
                if (line >= 0) lastModuleLine = static_cast<short>(line);
                wNewEnv_buildParamList(dlg);
            }
            return TRUE;
        case newEnvItem_params:
            if (HIWORD(wParam) == LBN_DBLCLK) created = wNewEnv_create(dlg);
            return TRUE;
        case newEnvItem_create: created = wNewEnv_create(dlg); return TRUE;
        case newEnvItem_cancel:
        case IDCANCEL: EndDialog(dlg, newEnvItem_cancel); return TRUE;
        default: break;
        }
        break;
    default: break;
    }
    return FALSE;
}
}  // namespace

void wNewEnv_registerTemplate()
{
    const DWORD list = WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    DialogTemplate t;
    t.title = "New Envelope";
    t.cx = 316;
    t.cy = 212;
    t.items = {{"STATIC", "module", 0, 12, 10, 130, 16, SS_LEFT | SS_NOPREFIX, 0},
               {"LISTBOX", "", newEnvItem_modules, 12, 28, 130, 140, list, 0},
               {"STATIC", "parameter", 0, 154, 10, 150, 16, SS_LEFT | SS_NOPREFIX, 0},
               {"LISTBOX", "", newEnvItem_params, 154, 28, 150, 140, list, 0},
               {"BUTTON", "Cancel", newEnvItem_cancel, 140, 178, 76, 24, WS_TABSTOP, 0},
               {"BUTTON", "Create", newEnvItem_create, 228, 178, 76, 24, WS_TABSTOP | BS_DEFPUSHBUTTON, 0}};
    platform_registerDialogTemplate("k_dlog_newEnv", t);
}

int wNewEnv_paramIsFree(short param, short chan)
{
    if (!gInst) return 0;
    for (short i = 0; i < kEnvSlots; ++i) {
        const envInstRec* env = inst_getEnvInst(gInst, i);
        if (env->param == param && env->channel == chan) return 0;
    }
    return 1;
}

void wNewEnv_buildModuleList(HWND dlg)
{
    HWND list = GetDlgItem(dlg, newEnvItem_modules);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    moduleItemCount = 0;
    char name[24];
    for (short c = 0; c < 3 && gInst; ++c) {
        if (!oscil_getActive(gInst, c)) continue;
        std::snprintf(name, sizeof name, "oscil %d", c + 1);
        addModule(list, kNewEnvModuleOscil, c, name);
        if (filter_getActive(gInst, c)) {
            std::snprintf(name, sizeof name, "filter %d", c + 1);
            addModule(list, kNewEnvModuleFilter, c, name);
        }
        if (mod_getActive(gInst, c)) {
            std::snprintf(name, sizeof name, "mod %d", c + 1);
            addModule(list, kNewEnvModuleMod, c, name);
        }
    }
    if (gInst && filter_getActive(gInst, 3)) addModule(list, kNewEnvModuleFilter, 3, "master filter");
    if (lastModuleLine >= moduleItemCount) lastModuleLine = 0;
    if (moduleItemCount > 0) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(lastModuleLine), 0);
    wNewEnv_buildParamList(dlg);
}

void wNewEnv_buildParamList(HWND dlg)
{
    HWND list = GetDlgItem(dlg, newEnvItem_params);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    paramItemCount = 0;
    LRESULT line = SendDlgItemMessageA(dlg, newEnvItem_modules, LB_GETCURSEL, 0, 0);
    if (line < 0 || line >= moduleItemCount || !gInst) return;
    const newEnvItemRec& m = moduleItems[line];
    switch (m.kind) {
    case kNewEnvModuleOscil:
        addParam(list, 2, m.channel, "main pitch");
        if (oscil_getMode(gInst, m.channel) != 0) {
            addParam(list, 5, m.channel, "mod pitch");
            addParam(list, 7, m.channel, "mod index/balance");
        }
        break;
    case kNewEnvModuleFilter: addParam(list, 9, m.channel, "filter freq"); break;
    case kNewEnvModuleMod:
        addParam(list, 13, m.channel, "mod pitch");
        addParam(list, 14, m.channel, "mod balance");
        break;
    default: break;
    }
}

short wNewEnv_create(HWND dlg)
{
    LRESULT module = SendDlgItemMessageA(dlg, newEnvItem_modules, LB_GETCURSEL, 0, 0);
    LRESULT param = SendDlgItemMessageA(dlg, newEnvItem_params, LB_GETCURSEL, 0, 0);
    short slot = -1;
    if (gInst && module >= 0 && module < moduleItemCount && param >= 0 && param < paramItemCount) {
        slot = env_new(gInst, moduleItems[module].channel, paramItems[param]);
        if (slot < 0)
            MessageBoxA(GetParent(window_getFrameHWND()),
                        "Can't allocate any more envelopes, max limit reached.", "Morvane", MB_OK);
    }
    EndDialog(dlg, newEnvItem_create);
    return slot;
}

short wNewEnv_openDialog()
{
    created = -1;
    wNewEnv_registerTemplate();
    HWND owner = window_getHWND(winId_envelope);
    DialogBoxParamA(platform_instance(), "k_dlog_newEnv", owner ? owner : window_getFrameHWND(), wNewEnvProc,
                    0);
    return created;
}
