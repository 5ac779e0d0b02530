// Modal dialogs built from templates: creation of the dialog window and its
// controls, the dialog procedure and its defaults, keyboard navigation (Tab,
// Return for the default button, Escape for Cancel), the modal loop with
// its owner disabled, and the dialog item helpers.
#include "platform/internal.h"
#include <cstring>

namespace plat {

struct DialogData : ControlData {
    DLGPROC proc = nullptr;
    bool ended = false;
    INT_PTR result = 0;
    HWND lastFocus = nullptr;
    HFONT font = nullptr;
    bool cancelTried = false;
    ~DialogData() override
    {
        if (font) DeleteObject(font);
    }
};

static DialogData* dialogData(HWND h)
{
    WindowRec* w = win(h);
    return w ? dynamic_cast<DialogData*>(w->ctrl.get()) : nullptr;
}

bool dialogEnded(HWND dlg, INT_PTR* result)
{
    DialogData* d = dialogData(dlg);
    if (!d) return true;
    if (result) *result = d->result;
    return d->ended;
}

static bool canFocus(HWND c)
{
    WindowRec* w = win(c);
    return w && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) && (w->style & WS_TABSTOP);
}

static HWND firstTabStop(HWND dlg)
{
    WindowRec* w = win(dlg);
    if (!w) return nullptr;
    for (HWND c : w->children)
        if (canFocus(c)) return c;
    for (HWND c : w->children)
        if (win(c) && upperCase(win(c)->cls->name) != "STATIC" && (win(c)->style & WS_VISIBLE)) return c;
    return nullptr;
}

static HWND nextTabStop(HWND dlg, HWND from, bool back)
{
    WindowRec* w = win(dlg);
    if (!w || w->children.empty()) return nullptr;
    int n = (int)w->children.size();
    int at = -1;
    for (int i = 0; i < n; i++)
        if (w->children[i] == from) at = i;
    for (int k = 1; k <= n; k++) {
        int i = ((at < 0 ? (back ? 0 : -1) : at) + (back ? -k : k) + 2 * n) % n;
        if (canFocus(w->children[i])) return w->children[i];
    }
    return nullptr;
}

static HWND defaultButton(HWND dlg)
{
    WindowRec* w = win(dlg);
    if (!w) return nullptr;
    for (HWND c : w->children) {
        WindowRec* cw = win(c);
        if (cw && upperCase(cw->cls->name) == "BUTTON" && (cw->style & 0xF) == BS_DEFPUSHBUTTON) return c;
    }
    return nullptr;
}

static void focusControl(HWND c)
{
    SetFocus(c);
    if (SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(c, EM_SETSEL, 0, -1);
}

void dialogPressButton(HWND dlg, int id)
{
    HWND c = GetDlgItem(dlg, id);
    if (c && upperCase(win(c)->cls->name) == "BUTTON")
        SendMessageA(c, BM_CLICK, 0, 0);
    else
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)c);
}

LRESULT dialogClassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    DialogData* d = dialogData(h);
    if (d && d->proc) {
        INT_PTR r = d->proc(h, msg, wp, lp);
        if (r)
            return msg == WM_INITDIALOG
                       ? r
                       : (GetWindowLongPtrA(h, DWLP_MSGRESULT) ? GetWindowLongPtrA(h, DWLP_MSGRESULT) : r);
    }
    return DefDlgProcA(h, msg, wp, lp);
}

HWND dialogCreate(const DialogTemplate& tpl, HWND owner, DLGPROC proc, LPARAM param, HINSTANCE inst)
{
    State& s = st();
    DWORD style = (tpl.style | WS_POPUP) & ~(WS_VISIBLE | WS_CHILD);
    DWORD ex = (tpl.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0;
    RECT r{0, 0, tpl.cx, tpl.cy};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = tpl.x, y = tpl.y;
    if (!(tpl.style & DS_ABSALIGN)) {
        RECT area{0, 0, s.screenW, s.screenH};
        HWND top = topLevelOf(owner);
        if (top && isReallyVisible(top)) GetWindowRect(top, &area);
        x = area.left + (area.right - area.left - w) / 2;
        y = area.top + (area.bottom - area.top - h) / 2;
        x = std::max(0, std::min(x, s.screenW - w));
        y = std::max(0, std::min(y, s.screenH - h));
    }
    HWND dlg =
        CreateWindowExA(ex, "#32770", tpl.title.c_str(), style, x, y, w, h, owner, nullptr, inst, nullptr);
    WindowRec* dw = win(dlg);
    if (!dw) return nullptr;
    auto data = std::make_unique<DialogData>();
    data->proc = proc;
    LOGFONTA lf{};
    lf.lfHeight = tpl.fontHeight;
    snprintf(lf.lfFaceName, LF_FACESIZE, "%s", tpl.fontFace.c_str());
    data->font = CreateFontIndirectA(&lf);
    HFONT font = data->font;
    dw->ctrl = std::move(data);
    dw->font = font;
    SetWindowLongPtrA(dlg, DWLP_DLGPROC, (LONG_PTR)proc);
    for (const DialogItemTemplate& it : tpl.items) {
        HWND c = CreateWindowExA(it.exStyle, it.className.c_str(), it.text.c_str(),
                                 WS_CHILD | WS_VISIBLE | it.style, it.x, it.y, it.cx, it.cy, dlg,
                                 (HMENU)(intptr_t)it.id, inst, nullptr);
        if (c) SendMessageA(c, WM_SETFONT, (WPARAM)font, 0);
    }
    HWND first = firstTabStop(dlg);
    if (dialogClassProc(dlg, WM_INITDIALOG, (WPARAM)first, param) && win(first))
        dialogData(dlg)->lastFocus = first;
    else if (win(dlg) && GetFocus() && IsChild(dlg, GetFocus()))
        dialogData(dlg)->lastFocus = GetFocus();
    return win(dlg) ? dlg : nullptr;
}

// Runs a created dialog until EndDialog; its owner (or, without one, every
// other top-level window) is disabled meanwhile. Destroys the dialog.
INT_PTR dialogRunModal(HWND dlg, HWND owner, ModalRec modal)
{
    State& s = st();
    std::vector<HWND> disabled;
    HWND ownerTop = topLevelOf(owner);
    if (ownerTop) {
        if (IsWindowEnabled(ownerTop)) disabled.push_back(ownerTop);
    } else {
        for (HWND t : s.topLevels)
            if (t != dlg && IsWindowEnabled(t) && IsWindowVisible(t)) disabled.push_back(t);
    }
    if (s.capture) ReleaseCapture();
    if (!dialogEnded(dlg, nullptr)) {
        ShowWindow(dlg, SW_SHOW);
        DialogData* d = dialogData(dlg);
        if (d && win(d->lastFocus)) focusControl(d->lastFocus);
    }
    for (HWND t : disabled) EnableWindow(t, FALSE);
    modal.hwnd = dlg;
    modalLoop(modal, [](HWND d) { return dialogEnded(d, nullptr); });
    INT_PTR result = IDCANCEL;
    dialogEnded(dlg, &result);
    for (HWND t : disabled) EnableWindow(t, TRUE);
    DestroyWindow(dlg);
    if (win(ownerTop) && isReallyVisible(ownerTop)) activateTopLevel(ownerTop, WA_ACTIVE);
    return result;
}

ModalRec dialogModalRec(HWND dlg)
{
    ModalRec m;
    m.hwnd = dlg;
    m.cancel = [dlg]() {
        DialogData* d = dialogData(dlg);
        if (!d) return;
        if (d->cancelTried) {  // the dialog ignored its close request: end it
            EndDialog(dlg, IDCANCEL);
            return;
        }
        d->cancelTried = true;
        SendMessageA(dlg, WM_CLOSE, 0, 0);
    };
    m.answer = [dlg](int id) { dialogPressButton(dlg, id); };
    return m;
}

}  // namespace plat

using namespace plat;

LRESULT DefDlgProcA(HWND dlg, UINT msg, WPARAM wp, LPARAM lp)
{
    DialogData* d = dialogData(dlg);
    switch (msg) {
    case WM_CLOSE:
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDCANCEL));
        return 0;
    case WM_SETFOCUS: {
        HWND f = d && win(d->lastFocus) ? d->lastFocus : firstTabStop(dlg);
        if (f) SetFocus(f);
        return 0;
    }
    case WM_ACTIVATE:
        if (d && LOWORD(wp) == WA_INACTIVE && GetFocus() && IsChild(dlg, GetFocus()))
            d->lastFocus = GetFocus();
        if (LOWORD(wp) != WA_INACTIVE) {
            HWND f = d && win(d->lastFocus) ? d->lastFocus : firstTabStop(dlg);
            if (f)
                SetFocus(f);
            else
                SetFocus(dlg);
        }
        return 0;
    case DM_GETDEFID: {
        HWND b = defaultButton(dlg);
        return b ? MAKELRESULT(GetDlgCtrlID(b), DC_HASDEFID) : 0;
    }
    }
    return DefWindowProcA(dlg, msg, wp, lp);
}

INT_PTR DialogBoxParamA(HINSTANCE inst, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param)
{
    auto it = st().resDialogs.find(resourceKey(templateName));
    if (it == st().resDialogs.end()) return -1;
    DialogTemplate tpl = it->second;
    HWND dlg = dialogCreate(tpl, owner, proc, param, inst);
    if (!dlg) return -1;
    return dialogRunModal(dlg, owner, dialogModalRec(dlg));
}

BOOL EndDialog(HWND dlg, INT_PTR result)
{
    DialogData* d = dialogData(dlg);
    if (!d) return FALSE;
    d->ended = true;
    d->result = result;
    return TRUE;
}

HWND GetDlgItem(HWND dlg, int id)
{
    WindowRec* w = win(dlg);
    if (!w) return nullptr;
    for (HWND c : w->children)
        if (win(c) && win(c)->id == id) return c;
    return nullptr;
}

BOOL SetDlgItemTextA(HWND dlg, int id, LPCSTR text)
{
    HWND c = GetDlgItem(dlg, id);
    return c ? SetWindowTextA(c, text) : FALSE;
}

UINT GetDlgItemTextA(HWND dlg, int id, LPSTR buf, int max)
{
    HWND c = GetDlgItem(dlg, id);
    if (!c) {
        if (buf && max > 0) buf[0] = 0;
        return 0;
    }
    return (UINT)GetWindowTextA(c, buf, max);
}

LRESULT SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND c = GetDlgItem(dlg, id);
    return c ? SendMessageA(c, msg, wp, lp) : 0;
}

BOOL IsDialogMessageA(HWND dlg, LPMSG msg)
{
    if (!msg || !win(dlg) || !msg->hwnd || (msg->hwnd != dlg && !IsChild(dlg, msg->hwnd))) return FALSE;
    HWND target = msg->hwnd;
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = SendMessageA(target, WM_GETDLGCODE, msg->wParam, (LPARAM)msg);
        switch (msg->wParam) {
        case VK_TAB:
            if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) break;
            if (HWND next = nextTabStop(dlg, GetFocus(), GetKeyState(VK_SHIFT) < 0)) focusControl(next);
            return TRUE;
        case VK_RETURN: {
            if (code & DLGC_WANTALLKEYS) break;
            HWND f = GetFocus();
            int id = IDOK;
            if (f && win(f) && upperCase(win(f)->cls->name) == "BUTTON")
                id = GetDlgCtrlID(f);
            else if (LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0))
                id = LOWORD(def);
            HWND b = GetDlgItem(dlg, id);
            if (b && !IsWindowEnabled(b)) return TRUE;
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)b);
            return TRUE;
        }
        case VK_ESCAPE:
            if (code & DLGC_WANTALLKEYS) break;
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         (LPARAM)GetDlgItem(dlg, IDCANCEL));
            return TRUE;
        }
    }
    if (msg->message == WM_CHAR && (msg->wParam == 9 || msg->wParam == 13 || msg->wParam == 27)) {
        if (!(SendMessageA(target, WM_GETDLGCODE, msg->wParam, (LPARAM)msg) & DLGC_WANTALLKEYS)) return TRUE;
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
