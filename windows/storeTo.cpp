// The "Store to..." dialog: stores the edited instrument into a slot of the
// current bank chosen from its preset list.
#include <cstdio>

#include "windows/windows.h"
#include "windows/wMain.h"

void storeTo_buildPresetList(HWND dlg) { presetList_buildCurrent(dlg, storeItem_list); }

void storeTo_selectNextDefaultPreset(HWND dlg) { presetList_selectNextEmpty(dlg, storeItem_list); }

void storeTo_storeTo(HWND dlg)
{
    const short slot = static_cast<short>(SendDlgItemMessageA(dlg, storeItem_list, LB_GETCURSEL, 0, 0));
    if (presetList_storeSelected(dlg, storeItem_list) && gInst && gBank) {
        // The instrument now plays the slot it was stored into: the matrix,
        // the number and a later store follow it, and so does the plug-in.
        gInst->patch.preset = slot;
        gBank->currentPreset = slot;
        editState_noteSlot(MorvaneEngine_getCurrentInstance(), slot);
        iac_mvn_programChange(static_cast<int>(MorvaneEngine_getCurrentInstance()), slot);
    }
    // Stored or not, the edit is settled: no question about it later.
    makePresetClean();
}

INT_PTR CALLBACK wStoreToProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        char name[kPatchNameLen + 1];
        bank_getPresetName(gBank, gInst ? gInst->patch.preset : -1, name);
        char text[kPatchNameLen + 24];
        std::snprintf(text, sizeof text, "Store  \"%s\" to...", name);
        SetDlgItemTextA(dlg, storeItem_text, text);
        storeTo_buildPresetList(dlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case storeItem_list:
            if (HIWORD(wParam) == LBN_DBLCLK) storeTo_storeTo(dlg);
            return TRUE;
        case storeItem_store: storeTo_storeTo(dlg); return TRUE;
        case storeItem_done:
        case IDCANCEL: EndDialog(dlg, LOWORD(wParam)); return TRUE;
        default: break;
        }
        break;
    default: break;
    }
    return FALSE;
}

void storeTo_openDialog()
{
    compare_restoreEdit();  // the edit is what gets stored, not the sound it is compared with
    presetDialogs_registerTemplates();
    DialogBoxParamA(platform_instance(), "k_dlog_storeTo", presetDialogs_owner(), wStoreToProc, 0);
}
