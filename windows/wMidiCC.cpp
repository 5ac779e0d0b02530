// The controller chooser: the modal "Select midi cc" dialog, a list of the
// 129 controller names from "aftertouch" to "(127) poly on". "Select" or a
// double click answers the caller with the chosen controller, "Cancel" (or
// the close box) with -128. The MIDI window's controller buttons use it, and
// so may any window that lets the user pick a controller.
#include "windows/windows.h"

namespace {
// The list entry selected when the dialog opens: the controller + 1.
short chooserSelection = 2;
// The answer, given to the caller once the dialog has gone.
short chooserAnswer = -128;

void finish(HWND dlg, short cc)
{
    chooserAnswer = cc;
    EndDialog(dlg, cc == -128 ? midiCCItem_cancel : midiCCItem_select);
}

void selectChosen(HWND dlg)
{
    LRESULT entry = SendDlgItemMessageA(dlg, midiCCItem_list, LB_GETCURSEL, 0, 0);
    // A list without a selection has nothing to choose.
    if (entry < 0 || entry > 128) return;
    chooserSelection = static_cast<short>(entry);
    finish(dlg, static_cast<short>(entry - 1));
}

INT_PTR CALLBACK chooserProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(dlg, midiCCItem_list);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (short cc = -1; cc <= 127; ++cc) {
            char name[kCCNameSize];
            wMidi_ccName_get(cc, name);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(chooserSelection), 0);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case midiCCItem_list:
            if (HIWORD(wParam) == LBN_DBLCLK) selectChosen(dlg);
            return TRUE;
        case midiCCItem_select: selectChosen(dlg); return TRUE;
        case midiCCItem_cancel:
        case IDCANCEL: finish(dlg, -128); return TRUE;
        default: break;
        }
        break;
    default: break;
    }
    return FALSE;
}
}  // namespace

void wMidiCC_registerTemplate()
{
    DialogTemplate t;
    t.title = "Select midi cc";
    t.cx = 250;
    t.cy = 320;
    t.items = {{"LISTBOX", "", midiCCItem_list, 12, 12, 150, 296,
                WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0},
               {"BUTTON", "Cancel", midiCCItem_cancel, 174, 12, 64, 24, WS_TABSTOP, 0},
               {"BUTTON", "Select", midiCCItem_select, 174, 44, 64, 24, WS_TABSTOP | BS_DEFPUSHBUTTON, 0}};
    platform_registerDialogTemplate("k_dlog_selCC", t);
}

void wMidiCC_open(wMidiCC_callbackProc callback, short initialCC)
{
    if (!callback) return;
    chooserSelection = static_cast<short>(initialCC < -1 || initialCC > 127 ? 0 : initialCC + 1);
    // A dialog that cannot be shown answers like Cancel.
    chooserAnswer = -128;
    wMidiCC_registerTemplate();
    DialogBoxParamA(platform_instance(), "k_dlog_selCC", presetDialogs_owner(), chooserProc, 0);
    callback(chooserAnswer);
}
