// Starting the subsystems inside the frame's creation: the file dialogs,
// the instrument model, the toolkit, the instances, the banks, the wave
// menus, the bitmaps, the engine's audio settings and every editor window.
#include "program/program.h"

#include <cstring>

#include "windows/windows.h"

namespace {
// Bank files in both dialogs, with a way out to every file.
const char kBankFilter[] = "Morvane Banks (*.glo)\0*.glo\0All Files (*.*)\0*.*\0";

// The desktop's open-file dialog behind the file layer's description.
long openFileDialog(const fileDialogRec* desc, fileWindow owner, char* path, char* title)
{
    OPENFILENAMEA ofn = {};
    path[0] = 0;
    title[0] = 0;
    program_describeFileDialog(&ofn, desc, static_cast<HWND>(owner ? owner : desc->owner), path, title);
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | (desc->hideReadOnly ? OFN_HIDEREADONLY : 0);
    return GetOpenFileNameA(&ofn) ? 1 : 0;
}
}  // namespace

void program_describeFileDialog(OPENFILENAMEA* ofn, const fileDialogRec* desc, HWND owner, char* path,
                                char* title)
{
    ofn->lStructSize = sizeof *ofn;
    ofn->hwndOwner = owner;
    ofn->hInstance = static_cast<HINSTANCE>(desc->instance);
    ofn->lpstrFilter = desc->filter;
    ofn->nFilterIndex = 1;
    ofn->lpstrFile = path;
    ofn->nMaxFile = kFilePathSize;
    ofn->lpstrFileTitle = title;
    ofn->nMaxFileTitle = kFilePathSize;
    ofn->lpstrDefExt = desc->defaultExt;
}

void initFile(HWND frame, HINSTANCE instance)
{
    file_winDialogsInit(frame, instance, kBankFilter, kBankFilter);
    file_setOpenDialogProc(openFileDialog);
    file_setChunkVerifyProc(chunk_verify_mvn);
}

void audio_init()
{
    bufferSizeUser = 256;
    vectorSizeUser = 128;
    audio_setInternalBufferSize(256);
    audio_setVectorSize(vectorSizeUser);
    SR_user = 44100.0f;
    audio_setSR(44100.0f);
    bufferSizeUser = 256;
}

int initApp(HINSTANCE instance)
{
    dsp_globals_init();
    initBrambix();
    pensAndBrushes_init();
    g_oneWindowEditor = 0;
    g_enableProgramChange = 1;
    wPatch_setAutoBalanceChannels(1);
    MorvaneEngine_init();
    gInst = iac_getInst(0);
    if (!gInst) return 0;
    if (gBank) bank_delete(gBank);
    gBank = bank_new();
    if (!gBank) return 0;
    if (!lastEdits_init()) return 0;
    waveMenu_init();
    // The controller and note names every window shows.
    wMidi_ccName_init();
    wMidi_noteName_init();
    loadBitmaps(instance);
    window_setFrameHWND(g_hWndClient);
    audio_init();
    gWindowIsDirty = 0;
    windows_makeEditorWindows();
    MorvaneEngine_init();
    mainTimer = timer_new(winId_main, 1, mainTimerCallback, 1.0, 20);
    return 1;
}
