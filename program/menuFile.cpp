// The File commands that go through a dialog or the bank file layer:
// Open..., Save, Save As... and Revert to Saved, and the save behind the
// bank questions.
#include "program/program.h"

#include <cstdio>
#include <cstring>

#include "windows/windows.h"

namespace {
// After the bank was written: titles, names for the plug-ins, recent banks.
void afterSave()
{
    scheduleWindowUpdate();
    bank_setPlugNames(gBank);
    lastBank_add(gBank->file.path);
}

// The save-file dialog for a bank; 1 with path and title filled.
int askSavePath(const bankRec* bank, char* path, char* title)
{
    const fileDialogRec* desc = file_getSaveDialog();
    std::memset(path, 0, kFilePathSize);
    std::memset(title, 0, kFilePathSize);
    if (bank->file.path[0]) std::memcpy(path, bank->file.path, kFilePathSize - 1);
    OPENFILENAMEA ofn = {};
    program_describeFileDialog(&ofn, desc, g_hWndFrame, path, title);
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameA(&ofn) || !path[0]) return 0;
    if (!title[0]) GetFileTitleA(path, title, kFilePathSize);
    return 1;
}

int saveAs(bankRec* bank)
{
    char path[kFilePathSize];
    char title[kFilePathSize];
    if (!bank || !askSavePath(bank, path, title)) return 0;
    return mvnFile_saveAs(bank, path, title) ? 1 : 0;
}

// After the bank and every instrument were read again from the bank's file.
void afterReload()
{
    MorvaneEngine_reloadAllInstances();
    engine_scheduleMatrixUpdate();
    scheduleWindowUpdate();
    bank_setPlugNames(gBank);
    copy_setMode(0);
}
}  // namespace

int program_saveBankAs(bankRec* bank)
{
    if (!saveAs(bank)) return 0;
    // Found again under the name just given.
    lastBank_add(bank->file.path);
    return 1;
}

int program_saveBank()
{
    if (!gBank) return 0;
    // A bank that never had a file is saved under a name the user gives.
    if (!gBank->file.path[0]) return saveAs(gBank);
    if (gBank->readDamaged) {
        // What could not be read would be lost: Yes replaces the file, No
        // saves under another name, Cancel saves nothing.
        char name[kBankNameMax + 1];
        bank_getName(gBank, name);
        char text[kBankNameMax + 256];
        std::snprintf(text, sizeof text,
                      "%s was damaged when it was opened; saving will replace it with the %d presets that "
                      "could be read.\nReplace it? (No saves the bank under another name with Save As...)",
                      name, bank_presetCount(gBank));
        int answer =
            MessageBoxA(g_hWndFrame, text, "Morvane", MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONEXCLAMATION);
        if (answer == IDNO) return saveAs(gBank);
        if (answer != IDYES) return 0;
    }
    return mvnFile_save(gBank) ? 1 : 0;
}

int program_saveBankOf(bankRec* bank)
{
    if (bank == gBank) return program_saveBank();
    return bank && mvnFile_save(bank) ? 1 : 0;
}

void menuFile_open()
{
    if (!gBank || !fileApp_bankQuestion(gBank)) return;
    fileRec chosen;
    file_initFileRec(&chosen, g_hWndFrame);
    // Cancelling the dialog leaves the bank and every instrument as they are.
    if (!file_openDialog(&chosen)) return;
    // A failed open has said why and left the bank, its file and every
    // instrument as they were.
    if (mvnFile_openFromPathName(gBank, chosen.path, chosen.title) != mvnOpen_done) return;
    afterReload();
    lastBank_add(gBank->file.path);
}

void menuFile_revert()
{
    if (!gBank) return;
    char name[kBankNameMax + 1];
    bank_getName(gBank, name);
    char text[kBankNameMax + 128];
    if (!gBank->file.path[0]) {
        std::snprintf(text, sizeof text, "%s has never been saved: there is no file to revert to.", name);
        MessageBoxA(g_hWndFrame, text, "Morvane", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (gBank->dirty || presetIsDirty()) {
        std::snprintf(text, sizeof text,
                      "Revert to the saved %s? The changes made since it was saved will be lost.", name);
        if (MessageBoxA(g_hWndFrame, text, "Morvane", MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONEXCLAMATION) !=
            IDOK)
            return;
    }
    if (mvnFile_revert(gBank) != mvnOpen_done) return;
    makePresetClean();
    afterReload();
}

void menuFile_save()
{
    if (program_saveBank()) afterSave();
}

void menuFile_saveAs()
{
    if (saveAs(gBank)) afterSave();
}
