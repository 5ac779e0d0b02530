// What the "Store to..." and "Import preset..." dialogs share: the preset
// list boxes with their move to the next empty slot, storing the edited
// instrument into a slot of the current bank with the overwrite question,
// the two dialog templates and their owner.
#include <cstdio>

#include "windows/windows.h"
#include "windows/wMain.h"

short presetNum = 0;

short presetList_nextEmptySlot(bankRec* bank, short from)
{
    short start = (from >= 0 && from < kBankSlots) ? from : 0;
    for (short slot = start; slot < kBankSlots; ++slot)
        if (bank_presetIsDefault(bank, slot)) return slot;
    return from;
}

void presetList_fill(HWND list, bankRec* bank, short selection)
{
    if (!list) return;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    char line[kPatchNameLen + 16];
    for (short slot = 0; slot < kBankSlots; ++slot) {
        wMain_presetCellText(bank, slot, line, sizeof line);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

void presetList_selectNextEmpty(HWND dlg, int list)
{
    presetNum = presetList_nextEmptySlot(gBank, presetNum);
    SendDlgItemMessageA(dlg, list, LB_SETCURSEL, static_cast<WPARAM>(presetNum), 0);
}

void presetList_buildCurrent(HWND dlg, int list)
{
    presetList_fill(GetDlgItem(dlg, list), gBank, presetNum);
    presetList_selectNextEmpty(dlg, list);
}

int presetList_storeSelected(HWND dlg, int list)
{
    presetNum = static_cast<short>(SendDlgItemMessageA(dlg, list, LB_GETCURSEL, 0, 0));
    if (!presetStore_storeInst(presetNum)) return 0;
    presetList_buildCurrent(dlg, list);
    return 1;
}

int presetStore_storeInst(short slot)
{
    if (slot < 0 || slot >= kBankSlots || !gBank || !gInst) return 0;
    if (!bank_presetIsDefault(gBank, slot)) {
        char name[kPatchNameLen + 1];
        bank_getPresetName(gBank, slot, name);
        char text[kPatchNameLen + 48];
        std::snprintf(text, sizeof text, "Are you sure you want to overwrite %s?", name);
        if (engine_message(text, "Morvane", engineMB_okCancel) != engineID_ok) return 0;
    }
    bank_storeInst(gBank, gInst, slot);
    wMain_updateMatrixSchedule();
    scheduleWindowUpdate();
    makeBankDirty();
    return 1;
}

HWND presetDialogs_owner()
{
    if (HWND main = window_getHWND(winId_main)) return main;
    return window_getFrameHWND();
}

void presetDialogs_registerTemplates()
{
    const DWORD list = WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    DialogTemplate store;
    store.title = "Store to...";
    store.cx = 360;
    store.cy = 352;
    store.items = {{"STATIC", "", storeItem_text, 12, 10, 336, 16, SS_LEFT | SS_NOPREFIX, 0},
                   {"LISTBOX", "", storeItem_list, 12, 32, 240, 308, list, 0},
                   {"BUTTON", "Done", storeItem_done, 266, 32, 82, 24, WS_TABSTOP, 0},
                   {"BUTTON", "Store", storeItem_store, 266, 64, 82, 24, WS_TABSTOP | BS_DEFPUSHBUTTON, 0}};
    DialogTemplate import;
    import.title = "Import preset...";
    import.cx = 610;
    import.cy = 352;
    import.items = {{"STATIC", "", importItem_fromText, 12, 10, 240, 16, SS_LEFT | SS_NOPREFIX, 0},
                    {"LISTBOX", "", importItem_importList, 12, 32, 240, 308, list, 0},
                    {"STATIC", "", importItem_toText, 264, 10, 240, 16, SS_LEFT | SS_NOPREFIX, 0},
                    {"LISTBOX", "", importItem_bankList, 264, 32, 240, 308, list, 0},
                    {"BUTTON", "Open bank...", importItem_openBank, 516, 32, 82, 24, WS_TABSTOP, 0},
                    {"BUTTON", "Done", importItem_done, 516, 64, 82, 24, WS_TABSTOP, 0},
                    { "BUTTON",
                      "Store",
                      importItem_store,
                      516,
                      96,
                      82,
                      24,
                      WS_TABSTOP | BS_DEFPUSHBUTTON,
                      0 }};
    platform_registerDialogTemplate("k_dlog_storeTo", store);
    platform_registerDialogTemplate("k_dlog_import", import);
}
