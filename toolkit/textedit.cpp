// The in-place text editor: a single-line edit control laid over a display
// or a number box, in the theme's field colours. Return validates, Tab moves
// along the displays' chain of tab targets, Escape cancels (the previous text
// stays), and any click in the window commits (window_processClick), as does
// hiding the window.
#include "resources/resources.h"
#include "toolkit/toolkit_internal.h"
#include <cstring>

// The window whose open editor is the edit control hwnd, 0 if none.
static short textEdit_windowOf(HWND hwnd)
{
    for (short id = 1; id <= kWindowMax; id++) {
        windowRec* w = window_get(id);
        if (w->textEdit.open && w->textEdit.hwnd == hwnd) return id;
    }
    return 0;
}

// Lays an edit control over rect with text, aligned by style, in the font,
// subclassed by textEdit_proc, focused and with characters 0..selectTo selected.
static void textEdit_create(short id, validateProcPtr validate, const char* text, RECT rect, DWORD align,
                            short fontID, int selectTo)
{
    textEdit_validate();  // one editor per window: the open one is committed first
    windowRec* w = window_get(g_currentWindow);
    if (!w || !w->hwnd) return;
    HWND edit = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | align, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, w->hwnd, nullptr,
                                platform_instance(), nullptr);
    if (!edit) return;
    textEditRec* te = &w->textEdit;
    te->id = id;
    te->validate = validate ? validate : textEdit_validateDefault;
    te->open = 1;
    te->hwnd = edit;
    HFONT font = font_getHFONT(fontID);
    if (font) SendMessageA(edit, WM_SETFONT, (WPARAM)font, 0);
    unsigned char r, g, b, fr, fg, fb;
    res_colorBytes(res_theme().text, &r, &g, &b);
    res_colorBytes(res_theme().field, &fr, &fg, &fb);
    platform_setEditColors(edit, RGB(r, g, b), RGB(fr, fg, fb));
    // The edit control's own procedure is kept in its user data for textEdit_proc.
    LONG_PTR own = SetWindowLongPtrA(edit, GWLP_WNDPROC, (LONG_PTR)textEdit_proc);
    SetWindowLongPtrA(edit, GWLP_USERDATA, own);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, selectTo);
}

void textEdit_open(short id, validateProcPtr validate)
{
    displayRec* d = display_get(id);
    if (!d) return;
    DWORD align = d->format == kDisplayCentre ? ES_CENTER : d->format == kDisplayRight ? ES_RIGHT : ES_LEFT;
    const RECT& r = d->obj->rect;
    RECT at{r.left - 4, r.top, r.right + 4, r.bottom};
    textEdit_create(id, validate, d->text, at, align, d->fontID, 256);
}

void textEdit_openNumbox(short id, validateProcPtr validate)
{
    numboxRec* n = numbox_get(id);
    if (!n) return;
    char text[40] = {0};
    numbox_getValueString(n, text);
    const RECT& v = n->valueRect;
    RECT at{n->obj->rect.left, n->obj->rect.top, n->obj->rect.left + (v.right - v.left),
            n->obj->rect.top + (v.bottom - v.top)};
    textEdit_create(id, validate, text, at, ES_RIGHT, n->fontID, 16);
}

void textEdit_getText(char* out)
{
    if (!out) return;
    out[0] = 0;
    textEditRec* te = window_getTextEdit(g_currentWindow);
    if (te && te->open && te->hwnd) GetWindowTextA(te->hwnd, out, 257);
}

void textEdit_tab(void)
{
    textEditRec* te = window_getTextEdit(g_currentWindow);
    if (!te || !te->open) return;
    short editing = te->id;
    // Tab follows displays only; a number box's edit stays where it is.
    if (toolkit_object(editing)->type != kTypeDisplay) return;
    displayRec* d = display_get(editing);
    if (!d) return;
    short target = d->tabTarget;
    for (int step = 0; step < 8 && target != 0 && target != editing; step++) {
        if (toolkit_object(target)->type != kTypeDisplay) return;
        displayRec* next = display_get(target);
        if (!next) return;
        if (next->obj->visible && next->obj->enabled) {
            textEdit_open(target, next->validate);
            return;
        }
        target = next->tabTarget;
    }
}

// Ends an open edit of the current window without taking its text: the
// object is drawn again as it was.
void textEdit_cancel(void)
{
    textEditRec* te = window_getTextEdit(g_currentWindow);
    if (!te || !te->open) return;
    HWND edit = te->hwnd;
    clickObjectRec* obj = clickObject_get(g_currentWindow, te->id);
    textEditRec_init(te);
    if (edit) DestroyWindow(edit);
    if (obj != &defaultClickObject) invalRect(&obj->rect);
}

LRESULT textEdit_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC own = (WNDPROC)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    if (msg == WM_KEYDOWN && (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        short window = textEdit_windowOf(hwnd);
        if (window) {
            short saved = g_currentWindow;
            window_setCurrent(window);
            if (wParam == VK_TAB)
                textEdit_tab();
            else if (wParam == VK_ESCAPE)
                textEdit_cancel();
            else
                textEdit_validate();
            window_setCurrent(saved);
        }
        // The editor may be gone now; nothing is left to pass the key to.
        if (!IsWindow(hwnd)) return 0;
    }
    // No beep, no stray character.
    if (msg == WM_CHAR && (wParam == '\t' || wParam == '\r' || wParam == 27)) return 0;
    return own ? CallWindowProcA(own, hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
}
