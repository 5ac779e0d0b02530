// Organising the bank from the Main window's preset matrix: the pop-up menu
// of a right click on a cell ("Copy", "Paste", "Swap with Current",
// "Rename...", "Initialize"), the "Rename Preset" dialog, and a cell dragged
// onto another (a swap, or a copy with Ctrl held at the drop). The changes
// themselves are the engine's bankEdit_* commands.
#include <cstring>
#include <string>

#include "windows/windows.h"
#include "windows/wMain.h"

namespace {
std::string s_renameFrom;  // the name the dialog starts from
std::string s_renameTo;    // the name typed, once OK was pressed

short slotOfCell(short cell)
{
    int slot = presetMatrixOffset + cell;
    return cell >= 0 && cell < presetMatrixSize && slot >= 0 && slot < kBankSlots ? static_cast<short>(slot)
                                                                                  : -1;
}

// After a change: the cells, the name and number shown and the window
// titles say what the bank and the instance hold now.
void showChange()
{
    window_setCurrent(winId_main);
    wMain_presetMatrixUpdate(1);
    updateWindowNames();
    scheduleWindowUpdate();
}

void appendItem(HMENU menu, UINT command, const char* text, bool enabled)
{
    AppendMenuA(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), command, text);
}

INT_PTR CALLBACK renameProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        std::string label = "Rename \"" + s_renameFrom + "\" to:";
        SetDlgItemTextA(dlg, renameItem_label, label.c_str());
        SendDlgItemMessageA(dlg, renameItem_name, EM_LIMITTEXT, kPatchNameLen, 0);
        SetDlgItemTextA(dlg, renameItem_name, s_renameFrom.c_str());
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            char name[kPatchNameLen + 1] = "";
            GetDlgItemTextA(dlg, renameItem_name, name, sizeof name);
            s_renameTo = name;
            EndDialog(dlg, IDOK);
            return TRUE;
        }
        case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
        default: break;
        }
        break;
    default: break;
    }
    return FALSE;
}

void registerRenameTemplate()
{
    DialogTemplate rename;
    rename.title = "Rename Preset";
    rename.cx = 330;
    rename.cy = 104;
    rename.items = {
        {"STATIC", "", renameItem_label, 12, 10, 306, 16, SS_LEFT | SS_NOPREFIX, 0},
        {"EDIT", "", renameItem_name, 12, 32, 306, 22, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
        {"BUTTON", "OK", IDOK, 144, 68, 82, 24, WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
        {"BUTTON", "Cancel", IDCANCEL, 236, 68, 82, 24, WS_TABSTOP, 0}};
    platform_registerDialogTemplate("k_dlog_renamePreset", rename);
}
}  // namespace

int presetRename_askName(short slot, char* out)
{
    char name[kPatchNameLen + 1] = {};
    bank_getPresetName(gBank, slot, name);
    s_renameFrom = name;
    s_renameTo.clear();
    registerRenameTemplate();
    INT_PTR result =
        DialogBoxParamA(platform_instance(), "k_dlog_renamePreset", presetDialogs_owner(), renameProc, 0);
    if (result != IDOK) return 0;
    std::memset(out, 0, kPatchNameLen + 1);
    std::strncpy(out, s_renameTo.c_str(), kPatchNameLen);
    return 1;
}

void wMain_doSlotCommand(short slot, int command)
{
    int done = 0;
    switch (command) {
    case cmd_slotCopy: bankEdit_copy(slot); return;
    case cmd_slotPaste: done = bankEdit_paste(slot); break;
    case cmd_slotSwapWithCurrent: done = bankEdit_swap(slot, wMain_currentPreset()); break;
    case cmd_slotRename: {
        char name[kPatchNameLen + 1];
        if (presetRename_askName(slot, name)) done = bankEdit_rename(slot, name);
        break;
    }
    case cmd_slotInitialize: done = bankEdit_initialize(slot); break;
    default: return;
    }
    if (done) showChange();
}

void wMain_callback_matrixMenu(short id, short cell)
{
    short slot = slotOfCell(cell);
    if (slot < 0 || !gBank) return;
    short current = wMain_currentPreset();
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    appendItem(menu, cmd_slotCopy, "Copy", true);
    appendItem(menu, cmd_slotPaste, "Paste", bankEdit_hasCopy() != 0);
    appendItem(menu, cmd_slotSwapWithCurrent, "Swap with Current", current >= 0 && current != slot);
    appendItem(menu, cmd_slotRename, "Rename...", true);
    appendItem(menu, cmd_slotInitialize, "Initialize", !bank_presetIsDefault(gBank, slot));
    // The cell the menu acts on stays framed while the menu is up, and
    // while the question or dialog of the command chosen is.
    matrix_markCell(id, cell);
    POINT at;
    GetCursorPos(&at);
    int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x,
                                 at.y, 0, window_getHWND(winId_main), nullptr);
    DestroyMenu(menu);
    window_setCurrent(winId_main);
    wMain_doSlotCommand(slot, command);
    window_setCurrent(winId_main);
    matrix_markCell(id, -1);
}

void wMain_callback_matrixDrop(short, short from, short to, int copy)
{
    short a = slotOfCell(from), b = slotOfCell(to);
    if (a < 0 || b < 0) return;
    if (copy ? bankEdit_copyOnto(a, b) : bankEdit_swap(a, b)) showChange();
}
