// File > Export Names to Clipboard: the 128 preset names of a bank, one per
// line (CR LF between them), as plain text on the clipboard.
#include <cstring>
#include <string>

#include "windows/windows.h"

void exportPresetNames(bankRec* bank)
{
    if (!bank) return;
    std::string text;
    text.reserve(kBankSlots * (kPatchNameLen + 2));
    for (short slot = 0; slot < kBankSlots; ++slot) {
        char name[kPatchNameLen + 1] = {};
        bank_getPresetName(bank, slot, name);
        name[kPatchNameLen] = 0;
        // An empty name reads "default"; a name of the full 34 characters
        // is written as it is.
        text += name[0] ? name : "default";
        if (slot < kBankSlots - 1) text += "\r\n";
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, text.size() + 1);
    if (!block) return;
    char* data = static_cast<char*>(GlobalLock(block));
    if (!data) {
        GlobalFree(block);
        return;
    }
    std::memcpy(data, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    HWND client = window_getFrameHWND();
    if (!OpenClipboard(client ? GetParent(client) : nullptr)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
}
