// The shell's way of opening a bank file: the bank question, the open, the
// reload of every online instance, the recent banks and the names published
// to the plug-ins.
#include "engine/engine.h"

long fileApp_openBankFromPathName(bankRec* bank, const char* path, const char* title)
{
    if (!bank || !path) return 1;
    // The bank's own file asked again (a plug-in re-sending its bank, a
    // second drop): it stays open as it is, unsaved changes included.
    if (mvnFile_isCurrentFile(bank, path)) {
        lastBank_add(bank->file.path);
    } else {
        if (!fileApp_bankQuestion(bank)) return 1;
        // A failed open has said why and left the bank, its file and every
        // instrument as they were.
        if (mvnFile_openFromPathName(bank, path, title) == mvnOpen_done) {
            dsp_sleepMs(300);
            MorvaneEngine_reloadAllInstances();
            lastBank_add(path);
        }
    }
    engine_scheduleMatrixUpdate();
    engine_scheduleRedraw();
    bank_setPlugNames(bank);
    copy_setMode(0);
    return 1;
}
