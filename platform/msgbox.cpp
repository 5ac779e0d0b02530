// Message boxes: a dialog laid out at run time from the text, the caption,
// the buttons (OK, OK/Cancel, Yes/No, Yes/No/Cancel, ...), the icon and the
// default button of the type, shown modally and answered by the button id.
#include "platform/internal.h"
#include <algorithm>

namespace plat {

static INT_PTR msgboxProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0);
        if (def) SetFocus(GetDlgItem(dlg, LOWORD(def)));
        return FALSE;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        int id = LOWORD(wp);
        if (GetDlgItem(dlg, id)) {
            EndDialog(dlg, id);
        } else if (id == IDCANCEL) {  // Escape or the close box
            UINT type = (UINT)GetWindowLongPtrA(dlg, DWLP_USER) & 0xF;
            if (type == MB_OK) EndDialog(dlg, IDOK);
        }
        return TRUE;
    }
    return FALSE;
}

}  // namespace plat

using namespace plat;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    State& s = st();
    if (!s.running) return 0;
    std::string body = text ? text : "";
    std::string title = caption ? caption : "Error";
    struct Btn {
        int id;
        const char* label;
    };
    static const Btn kOk[] = {{IDOK, "OK"}}, kOkCancel[] = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}},
                     kAbort[] = {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}},
                     kYesNoCancel[] = {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}},
                     kYesNo[] = {{IDYES, "&Yes"}, {IDNO, "&No"}},
                     kRetry[] = {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    const Btn* table = kOk;
    size_t count = 1;
    switch (type & 0xF) {
    case MB_OKCANCEL: table = kOkCancel, count = 2; break;
    case MB_ABORTRETRYIGNORE: table = kAbort, count = 3; break;
    case MB_YESNOCANCEL: table = kYesNoCancel, count = 3; break;
    case MB_YESNO: table = kYesNo, count = 2; break;
    case MB_RETRYCANCEL: table = kRetry, count = 2; break;
    }
    std::vector<Btn> buttons(table, table + count);
    size_t def = std::min<size_t>((type >> 8) & 0xF, buttons.size() - 1);
    int icon = (int)((type >> 4) & 0xF);
    if (icon > 4) icon = 0;
    s.lastPrompt.caption = title;
    s.lastPrompt.text = body;
    s.lastPrompt.type = type;
    s.lastPrompt.count++;

    // Measure the text with the dialog font, wrapping at 360 pixels.
    HDC screen = GetDC(nullptr);
    HGDIOBJ of = SelectObject(screen, defaultGuiFont());
    RECT tr{0, 0, 360, 0};
    DrawTextA(screen, body.c_str(), -1, &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(screen, of);
    ReleaseDC(nullptr, screen);
    const int margin = 14, bw = 75, bh = 23, gap = 8;
    int textX = margin + (icon ? 32 + margin : 0);
    int textW = std::max<int>(tr.right, 40), textH = std::max<int>(tr.bottom, icon ? 32 : 0);
    int buttonsW = (int)buttons.size() * bw + ((int)buttons.size() - 1) * gap;
    int cw = std::max({textX + textW + margin, buttonsW + 2 * margin, 180});
    int ch = margin + textH + margin + bh + margin;
    DialogTemplate tpl;
    tpl.title = title;
    tpl.cx = cw;
    tpl.cy = ch;
    tpl.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | ((type & 0xF) == MB_YESNO ? 0 : WS_SYSMENU);
    if (icon)
        tpl.items.push_back(
            DialogItemTemplate{"STATIC", std::to_string(icon), -1, margin, margin, 32, 32, SS_ICON, 0});
    tpl.items.push_back(DialogItemTemplate{"STATIC", body, 0xFFFF, textX,
                                           margin + (textH - (int)tr.bottom) / 2, textW, (int)tr.bottom,
                                           SS_LEFT | SS_NOPREFIX, 0});
    int bx = (cw - buttonsW) / 2;
    for (size_t i = 0; i < buttons.size(); i++) {
        DWORD style = WS_TABSTOP | (i == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        tpl.items.push_back(DialogItemTemplate{"BUTTON", buttons[i].label, buttons[i].id,
                                               bx + (int)i * (bw + gap), ch - margin - bh, bw, bh, style, 0});
    }
    HWND dlg = dialogCreate(tpl, owner, msgboxProc, (LPARAM)type, nullptr);
    if (!dlg) return 0;
    if ((type & MB_SETFOREGROUND) && s.presenter) s.presenter->raise();
    int result = (int)dialogRunModal(dlg, owner, dialogModalRec(dlg));
    s.lastPrompt.answer = result;
    return result;
}
