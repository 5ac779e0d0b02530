// The "Import preset..." dialog: presets of another bank file are played
// in the current instrument as the user picks them, and stored from the
// instrument into slots of the current bank. "Done" puts the instrument's
// own program back.
#include <cstdio>
#include <cstring>

#include "windows/windows.h"
#include "windows/wMain.h"

bankRec* importBank = nullptr;
short importPresetNum = 0;

namespace {
// The file record of the bank last opened for import.
fileRec importFile;
// The program the instrument played before the import began; "Done"
// selects it again (the current bank's current preset when it had none).
short programBeforeImport = -1;

void setBankText(HWND dlg, int item, const char* format, bankRec* bank)
{
    char name[kBankNameMax + 1];
    bank_getName(bank, name);
    char text[kBankNameMax + 32];
    std::snprintf(text, sizeof text, format, name);
    SetDlgItemTextA(dlg, item, text);
}

// Plays a slot of the import bank in the current instrument.
void auditionImportPreset(short slot)
{
    if (slot >= 0 && slot < kBankSlots) bank_selectPreset(importBank, gInst, slot);
}

// "Done": the import bank is closed and the instrument plays its own program again.
void finishImport()
{
    bank_close(importBank);
    short program = programBeforeImport >= 0 ? programBeforeImport : bank_currentPreset(gBank);
    bank_selectPreset(gBank, gInst, program);
    scheduleWindowUpdate();
    bank_setPlugNames(gBank);
}
}  // namespace

void import_initImportBank()
{
    if (!importBank) importBank = bank_new();
}

void import_cleanup()
{
    bank_delete(importBank);
    importBank = nullptr;
}

int import_openFileDialog()
{
    import_initImportBank();
    long result = mvnFile_openDialog(importBank);
    return result == mvnOpen_done || result == mvnOpen_alreadyOpen;
}

void import_buildPresetList(HWND dlg) { presetList_buildCurrent(dlg, importItem_bankList); }

void import_buildImportPresetList(HWND dlg)
{
    presetList_fill(GetDlgItem(dlg, importItem_importList), importBank, importPresetNum);
}

void import_selectNextDefaultPreset(HWND dlg) { presetList_selectNextEmpty(dlg, importItem_bankList); }

void import_importPreset(HWND dlg) { presetList_storeSelected(dlg, importItem_bankList); }

INT_PTR CALLBACK importProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        setBankText(dlg, importItem_fromText, "Import from %s:", importBank);
        setBankText(dlg, importItem_toText, "Store into %s:", gBank);
        import_buildPresetList(dlg);
        import_buildImportPresetList(dlg);
        // What plays is what the import list shows selected.
        auditionImportPreset(importPresetNum);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case importItem_importList:
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                presetNum =
                    static_cast<short>(SendDlgItemMessageA(dlg, importItem_importList, LB_GETCURSEL, 0, 0));
                importPresetNum = presetNum;
                auditionImportPreset(presetNum);
            }
            return TRUE;
        case importItem_bankList:
            if (HIWORD(wParam) == LBN_DBLCLK) import_importPreset(dlg);
            return TRUE;
        case importItem_store: import_importPreset(dlg); return TRUE;
        case importItem_openBank: EndDialog(dlg, importItem_openBank); return TRUE;
        case importItem_done:
            finishImport();
            EndDialog(dlg, importItem_done);
            return TRUE;
        case IDCANCEL:
            // The close box: only the import bank goes.
            bank_close(importBank);
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        default: break;
        }
        break;
    default: break;
    }
    return FALSE;
}

// The dialog over the bank just opened for import, again for every "Open bank...".
void import_openLast()
{
    presetDialogs_registerTemplates();
    INT_PTR result = importItem_openBank;
    while (result == importItem_openBank) {
        bank_selectPreset(importBank, gInst, bank_currentPreset(importBank));
        importFile = importBank->file;
        result = DialogBoxParamA(platform_instance(), "k_dlog_import", presetDialogs_owner(), importProc, 0);
        // "Open bank..." with no bank chosen ends the import as "Done" does.
        if (result == importItem_openBank && !import_openFileDialog()) {
            finishImport();
            break;
        }
    }
}

void import_openDialog()
{
    if (!gInst || !gBank) return;
    // The auditions replace the edited sound: it may be stored first.
    askStorePreset();
    programBeforeImport = gInst->patch.preset;
    if (!import_openFileDialog()) return;
    import_openLast();
}
