// The edit state on screen: a mark beside the preset name in the Main
// window while the edited sound has unstored changes, and the frame's title
// naming the bank with a mark while the bank has unsaved changes. Both
// follow the dirty flags, looked at on every idle step, and are redrawn
// only when what they show changes.
#include <cstdio>
#include <cstring>

#include "windows/windows.h"

namespace {
enum { kTitleSize = sizeof(MORVANE_FRAME_TITLE) + kBankNameMax + 8 };
}

void editMarks_frameTitle(char* out, size_t size)
{
    if (!out || size == 0) return;
    if (!gBank || !gBank->dirty) {
        std::snprintf(out, size, "%s", MORVANE_FRAME_TITLE);
        return;
    }
    char bank[kBankNameMax + 1];
    bank_getName(gBank, bank);
    bank[kBankNameMax] = 0;
    std::snprintf(out, size, "%s - %s *", MORVANE_FRAME_TITLE, bank);
}

void editMarks_update()
{
    wMain_showEditedMark(!presetIsDirty() ? 0 : (compare_isActive() ? 2 : 1));
    compare_updateMenu();
    bankEdit_updateUndo();
    HWND client = window_getFrameHWND();
    HWND frame = client ? GetParent(client) : nullptr;
    if (!frame) return;
    char title[kTitleSize];
    char shown[kTitleSize] = "";
    editMarks_frameTitle(title, sizeof title);
    GetWindowTextA(frame, shown, sizeof shown);
    if (std::strcmp(title, shown) != 0) SetWindowTextA(frame, title);
}
