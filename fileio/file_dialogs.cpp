// Open-file dialog: the descriptions of the open and save dialogs, and the
// call into the desktop layer's dialog, which installs itself through
// file_setOpenDialogProc. Without it no dialog can be shown and the calls
// answer 0 (cancelled).
#include "fileio/fileio.h"

#include <cstring>

static fileDialogRec openDialog = {};
static fileDialogRec saveDialog = {};
static fileOpenDialogProc openDialogProc = nullptr;

void file_setOpenDialogProc(fileOpenDialogProc proc) { openDialogProc = proc; }

// Copies a double-null-terminated filter list, cutting it at a pair boundary
// when it does not fit so the copy always ends in two zero bytes.
static void copyFilter(char* dst, size_t dstSize, const char* src)
{
    std::memset(dst, 0, dstSize);
    if (!src) return;
    size_t used = 0;
    while (*src) {
        size_t name = std::strlen(src) + 1;
        size_t pattern = std::strlen(src + name) + 1;
        if (src[name] == 0 || used + name + pattern + 1 > dstSize) break;
        std::memcpy(dst + used, src, name + pattern);
        used += name + pattern;
        src += name + pattern;
    }
}

static void describe(fileDialogRec* d, fileWindow owner, fileInstance instance, const char* filter)
{
    d->owner = owner;
    d->instance = instance;
    copyFilter(d->filter, sizeof d->filter, filter);
    std::strcpy(d->defaultExt, "glo");
    d->createPrompt = 0;
    d->hideReadOnly = 0;
}

void file_winDialogsInit(fileWindow owner, fileInstance instance, const char* openFilter,
                         const char* saveFilter)
{
    describe(&openDialog, owner, instance, openFilter);
    openDialog.createPrompt = 1;
    openDialog.hideReadOnly = 1;
    describe(&saveDialog, owner, instance, saveFilter);
}

const fileDialogRec* file_getOpenDialog() { return &openDialog; }

const fileDialogRec* file_getSaveDialog() { return &saveDialog; }

long PopFileOpenDlg(fileWindow owner, char* path, char* title)
{
    if (!openDialogProc || !path || !title) return 0;
    char chosenPath[kFilePathSize] = {};
    char chosenTitle[kFilePathSize] = {};
    if (!openDialogProc(&openDialog, owner, chosenPath, chosenTitle)) return 0;
    chosenPath[kFilePathSize - 1] = 0;
    chosenTitle[kFilePathSize - 1] = 0;
    std::memcpy(path, chosenPath, kFilePathSize);
    std::memcpy(title, chosenTitle, kFilePathSize);
    return 1;
}

long file_openDialog(fileRec* f)
{
    if (!f) return 0;
    return PopFileOpenDlg(f->owner, f->path, f->title) ? 1 : 0;
}
