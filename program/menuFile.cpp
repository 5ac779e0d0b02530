// The File commands that go through a dialog or the bank writer: Open...,
// Save and Save As..., and the Save As behind the bank question for a bank
// that never had a file.
#include "program/program.h"

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
    return mvnFile_save(gBank) ? 1 : 0;
}

void menuFile_open()
{
    if (!gBank || !fileApp_bankQuestion(gBank)) return;
    fileRec chosen;
    file_initFileRec(&chosen, g_hWndFrame);
    // Cancelling the dialog leaves the bank and every instrument as they are.
    if (!file_openDialog(&chosen)) return;
    long result = mvnFile_openFromPathName(gBank, chosen.path, chosen.title);
    if (result == mvnOpen_alreadyOpen) return;
    MorvaneEngine_reloadAllInstances();
    engine_scheduleMatrixUpdate();
    scheduleWindowUpdate();
    bank_setPlugNames(gBank);
    copy_setMode(0);
    if (result == mvnOpen_done) lastBank_add(gBank->file.path);
}

void menuFile_save()
{
    if (program_saveBank()) afterSave();
}

void menuFile_saveAs()
{
    if (saveAs(gBank)) afterSave();
}
