// The "Find Preset..." dialog: a text field over a list of the presets of
// the open bank and of the recent banks whose names hold what is typed. A
// match is chosen with Return, "Select" or a double click (the arrow keys
// move through the matches while the text is typed); the dialog then
// closes and the preset is selected into the current instance, after its
// bank was opened when it is another one.
#include <cstdio>

#include "windows/windows.h"
#include "windows/wMain.h"

namespace {
std::vector<findBankRec> s_banks;
std::vector<findMatchRec> s_matches;
findMatchRec s_chosen = {-1, -1};
WNDPROC s_textProc = nullptr;  // the text field's own procedure

// Up, Down, Page Up and Page Down typed in the text field move the
// selection through the matches, so that any of them is chosen without
// leaving the keyboard; the other keys edit the text.
LRESULT CALLBACK findTextProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam)
{
    int step = 0;
    if (msg == WM_KEYDOWN) {
        switch (wParam) {
        case VK_UP: step = -1; break;
        case VK_DOWN: step = 1; break;
        case VK_PRIOR: step = -10; break;
        case VK_NEXT: step = 10; break;
        default: break;
        }
    }
    if (!step) return CallWindowProcA(s_textProc, edit, msg, wParam, lParam);
    HWND list = GetDlgItem(GetParent(edit), findItem_list);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count <= 0) return 0;
    LRESULT line = SendMessageA(list, LB_GETCURSEL, 0, 0) + step;
    line = line < 0 ? 0 : (line >= count ? count - 1 : line);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    return 0;
}

void refill(HWND dlg)
{
    char pattern[kPatchNameLen + 1] = "";
    GetDlgItemTextA(dlg, findItem_text, pattern, sizeof pattern);
    findPresets_filter(s_banks, pattern, &s_matches);
    HWND list = GetDlgItem(dlg, findItem_list);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    char line[kPatchNameLen + kBankNameMax + 16];
    for (const findMatchRec& m : s_matches) {
        findPresets_lineText(s_banks[m.bank], s_banks[m.bank].presets[m.preset], line, sizeof line);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    char count[48];
    if (s_matches.size() == 1)
        std::snprintf(count, sizeof count, "1 preset");
    else
        std::snprintf(count, sizeof count, "%d presets", static_cast<int>(s_matches.size()));
    SetDlgItemTextA(dlg, findItem_count, count);
    EnableWindow(GetDlgItem(dlg, findItem_select), s_matches.empty() ? FALSE : TRUE);
}

void choose(HWND dlg)
{
    LRESULT line = SendDlgItemMessageA(dlg, findItem_list, LB_GETCURSEL, 0, 0);
    if (line < 0 || line >= static_cast<LRESULT>(s_matches.size())) return;
    s_chosen = s_matches[static_cast<size_t>(line)];
    EndDialog(dlg, findItem_select);
}

// The chosen preset into the current instance; a preset of another bank
// opens that bank first, as File > Open would (with its question).
void selectChosen(const findBankRec& bank, short slot)
{
    if (!bank.isOpen) {
        // Opening the bank reloads the instances; wMain_setPreset below
        // keeps an edit still unstored in the history.
        fileApp_openBankFromPathName(gBank, bank.path.c_str(), bank.name.c_str());
        if (!mvnFile_isCurrentFile(gBank, bank.path.c_str())) return;  // cancelled, or it failed
    } else if (slot == wMain_currentPreset()) {
        // As a click on its matrix cell: the sound playing stays.
        scheduleWindowUpdate();
        return;
    }
    wMain_setPreset(slot);
}
}  // namespace

INT_PTR CALLBACK findPresetProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dlg, findItem_text, EM_LIMITTEXT, kPatchNameLen, 0);
        s_textProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(GetDlgItem(dlg, findItem_text), GWLP_WNDPROC,
                                                                 reinterpret_cast<LONG_PTR>(findTextProc)));
        refill(dlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case findItem_text:
            if (HIWORD(wParam) == EN_CHANGE) refill(dlg);
            return TRUE;
        case findItem_list:
            if (HIWORD(wParam) == LBN_DBLCLK) choose(dlg);
            return TRUE;
        case findItem_select: choose(dlg); return TRUE;
        case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
        default: break;
        }
        break;
    default: break;
    }
    return FALSE;
}

void findPreset_registerTemplate()
{
    DialogTemplate find;
    find.title = "Find Preset...";
    find.cx = 420;
    find.cy = 360;
    const DWORD list = WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    find.items = {{"EDIT", "", findItem_text, 12, 12, 300, 22, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
                  {"LISTBOX", "", findItem_list, 12, 44, 300, 304, list, 0},
                  {"BUTTON", "Select", findItem_select, 326, 12, 82, 24, WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
                  {"BUTTON", "Cancel", IDCANCEL, 326, 44, 82, 24, WS_TABSTOP, 0},
                  {"STATIC", "", findItem_count, 326, 80, 82, 16, SS_LEFT | SS_NOPREFIX, 0}};
    platform_registerDialogTemplate("k_dlog_findPreset", find);
}

void findPreset_openDialog()
{
    findPresets_read(&s_banks);
    s_chosen = findMatchRec{-1, -1};
    findPreset_registerTemplate();
    INT_PTR result =
        DialogBoxParamA(platform_instance(), "k_dlog_findPreset", presetDialogs_owner(), findPresetProc, 0);
    if (result == findItem_select && s_chosen.bank >= 0 && s_chosen.bank < static_cast<int>(s_banks.size())) {
        const findBankRec& bank = s_banks[static_cast<size_t>(s_chosen.bank)];
        if (s_chosen.preset >= 0 && s_chosen.preset < static_cast<int>(bank.presets.size()))
            selectChosen(bank, bank.presets[static_cast<size_t>(s_chosen.preset)].slot);
    }
    s_banks.clear();
    s_matches.clear();
}
