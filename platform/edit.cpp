// The single-line edit control: left, centred or right aligned text, a
// selection with an anchor and a blinking caret, typing, deleting, arrow keys
// with Shift, mouse selection, clipboard commands, and the EN_ notifications.
// Tab and Return are not used by the control, so a subclass can take them.
#include "platform/internal.h"
#include <algorithm>
#include <cstring>

namespace plat {

struct EditData : ControlData {
    int anchor = 0, caret = 0;
    int scroll = 0;
    size_t limit = 30000;
    bool dragging = false;
    bool caretOn = true;
    bool colored = false;  // text and background chosen by the owner
    COLORREF text = RGB(0, 0, 0), background = RGB(255, 255, 255);
};
static const UINT_PTR kBlinkTimer = 0xED17;

static EditData* editData(HWND h)
{
    WindowRec* w = win(h);
    return w ? dynamic_cast<EditData*>(w->ctrl.get()) : nullptr;
}

static FontRec* editFont(WindowRec* w)
{
    GdiObj* o = gdiOf(w->font ? w->font : defaultGuiFont());
    return o && o->kind == GDI_FONT ? o->font.get() : gdiOf(defaultGuiFont())->font.get();
}

static int prefixWidth(WindowRec* w, int i) { return textWidth(editFont(w), toUtf8(w->text.c_str(), i)); }

// Centred and right-aligned text is placed by its alignment while it fits;
// text wider than the box scrolls like left-aligned text, so the caret and
// what is typed stay in view.
static bool alignedFits(HWND h, WindowRec* w)
{
    if ((w->style & 3) == ES_LEFT) return false;
    RECT r;
    GetClientRect(h, &r);
    return prefixWidth(w, (int)w->text.size()) <= (int)r.right - 4;
}

static int textLeft(HWND h, WindowRec* w, EditData* d)
{
    RECT r;
    GetClientRect(h, &r);
    int tw = prefixWidth(w, (int)w->text.size());
    DWORD align = w->style & 3;
    if (alignedFits(h, w) && align == ES_CENTER) return std::max(2, ((int)r.right - tw) / 2);
    if (alignedFits(h, w)) return std::max(2, (int)r.right - 2 - tw);
    return 2 - d->scroll;
}

static void keepCaretVisible(HWND h, WindowRec* w, EditData* d)
{
    if (alignedFits(h, w)) {
        d->scroll = 0;
        return;
    }
    RECT r;
    GetClientRect(h, &r);
    int x = prefixWidth(w, d->caret);
    if (x - d->scroll > r.right - 4) d->scroll = x - (r.right - 4);
    if (x - d->scroll < 0) d->scroll = x;
    d->scroll = std::max(0, d->scroll);
}

static int hitChar(HWND h, WindowRec* w, EditData* d, int x)
{
    int left = textLeft(h, w, d);
    int n = (int)w->text.size(), best = 0, bestDist = 1 << 30;
    for (int i = 0; i <= n; i++) {
        int dist = std::abs(left + prefixWidth(w, i) - x);
        if (dist < bestDist) {
            bestDist = dist;
            best = i;
        }
    }
    return best;
}

static void changed(HWND h, WindowRec* w, EditData* d)
{
    keepCaretVisible(h, w, d);
    d->caretOn = true;
    InvalidateRect(h, nullptr, FALSE);
    SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, EN_CHANGE), (LPARAM)h);
}

static void replaceSel(HWND h, WindowRec* w, EditData* d, const std::string& s)
{
    int a = std::min(d->anchor, d->caret), b = std::max(d->anchor, d->caret);
    std::string add = s;
    size_t room = d->limit > w->text.size() - (b - a) ? d->limit - (w->text.size() - (b - a)) : 0;
    if (add.size() > room) add.resize(room);
    if (add.empty() && a == b) return;
    w->text.replace(a, b - a, add);
    d->caret = d->anchor = a + (int)add.size();
    changed(h, w, d);
}

static std::string selection(WindowRec* w, EditData* d)
{
    int a = std::min(d->anchor, d->caret), b = std::max(d->anchor, d->caret);
    return w->text.substr(a, b - a);
}

static void paintEdit(HWND h, WindowRec* w, EditData* d)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(h, &ps);
    RECT r;
    GetClientRect(h, &r);
    HBRUSH back = d->colored ? CreateSolidBrush(d->background) : (HBRUSH)GetStockObject(WHITE_BRUSH);
    FillRect(hdc, &r, back);
    if (d->colored) DeleteObject(back);
    COLORREF ink = d->colored ? d->text : RGB(0, 0, 0);
    HGDIOBJ of = SelectObject(hdc, w->font ? w->font : defaultGuiFont());
    FontRec* f = editFont(w);
    int top = std::max(0, ((int)r.bottom - f->ascent - f->descent) / 2);
    int left = textLeft(h, w, d);
    bool focused = GetFocus() == h;
    int a = std::min(d->anchor, d->caret), b = std::max(d->anchor, d->caret);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, (w->style & WS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : ink);
    TextOutA(hdc, left, top, w->text.c_str(), (int)w->text.size());
    if (focused && a != b) {
        int xa = left + prefixWidth(w, a), xb = left + prefixWidth(w, b);
        RECT sr{xa, top, xb, top + f->ascent + f->descent};
        FillRect(hdc, &sr, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, RGB(255, 255, 255));
        TextOutA(hdc, xa, top, w->text.c_str() + a, b - a);
    }
    if (focused && d->caretOn) {
        int x = left + prefixWidth(w, d->caret);
        RECT cr{x, top, x + 1, top + f->ascent + f->descent};
        HBRUSH caret = CreateSolidBrush(ink);
        FillRect(hdc, &cr, caret);
        DeleteObject(caret);
    }
    SelectObject(hdc, of);
    EndPaint(h, &ps);
}

static void clipboardCommand(HWND h, WindowRec* w, EditData* d, UINT msg)
{
    bool readOnly = w->style & ES_READONLY;
    if ((msg == WM_COPY || msg == WM_CUT) && d->anchor != d->caret && OpenClipboard(h)) {
        std::string s = selection(w, d);
        HGLOBAL g = GlobalAlloc(GHND, s.size() + 1);
        memcpy(GlobalLock(g), s.c_str(), s.size() + 1);
        GlobalUnlock(g);
        EmptyClipboard();
        SetClipboardData(CF_TEXT, g);
        CloseClipboard();
    }
    if ((msg == WM_CUT || msg == WM_CLEAR) && !readOnly) replaceSel(h, w, d, "");
    if (msg == WM_PASTE && !readOnly && OpenClipboard(h)) {
        HGLOBAL g = GetClipboardData(CF_TEXT);
        const char* p = g ? (const char*)GlobalLock(g) : nullptr;
        if (p) {
            std::string s(p, strnlen(p, GlobalSize(g)));
            GlobalUnlock(g);
            s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }),
                    s.end());
            replaceSel(h, w, d, s);
        }
        CloseClipboard();
    }
}

LRESULT editProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRec* w = win(h);
    if (!w) return 0;
    if (!w->ctrl) w->ctrl = std::make_unique<EditData>();
    EditData* d = editData(h);
    int n = (int)w->text.size();
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg) {
    case WM_PAINT: paintEdit(h, w, d); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETFOCUS:
        d->caretOn = true;
        SetTimer(h, kBlinkTimer, 530, nullptr);
        InvalidateRect(h, nullptr, FALSE);
        SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, EN_SETFOCUS), (LPARAM)h);
        return 0;
    case WM_KILLFOCUS:
        KillTimer(h, kBlinkTimer);
        InvalidateRect(h, nullptr, FALSE);
        SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, EN_KILLFOCUS), (LPARAM)h);
        return 0;
    case WM_TIMER:
        if (wp == kBlinkTimer) {
            d->caretOn = !d->caretOn;
            InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(h);
        d->caret = hitChar(h, w, d, GET_X_LPARAM(lp));
        if (!shift) d->anchor = d->caret;
        d->dragging = true;
        SetCapture(h);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDBLCLK:
        d->anchor = 0;
        d->caret = n;
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE:
        if (d->dragging) {
            d->caret = hitChar(h, w, d, GET_X_LPARAM(lp));
            keepCaretVisible(h, w, d);
            InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        d->dragging = false;
        if (msg == WM_LBUTTONUP && GetCapture() == h) ReleaseCapture();
        return 0;
    case WM_KEYDOWN: {
        int c = d->caret;
        switch (wp) {
        case VK_LEFT:
            c = (!shift && d->anchor != d->caret) ? std::min(d->anchor, d->caret) : std::max(0, c - 1);
            break;
        case VK_RIGHT:
            c = (!shift && d->anchor != d->caret) ? std::max(d->anchor, d->caret) : std::min(n, c + 1);
            break;
        case VK_HOME: c = 0; break;
        case VK_END: c = n; break;
        case VK_DELETE:
            if (w->style & ES_READONLY) return 0;
            if (d->anchor == d->caret && d->caret < n) d->anchor = d->caret + 1;
            replaceSel(h, w, d, "");
            return 0;
        default: return 0;
        }
        d->caret = c;
        if (!shift) d->anchor = c;
        keepCaretVisible(h, w, d);
        d->caretOn = true;
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case WM_CHAR:
        if (wp == 1) {  // Ctrl+A
            d->anchor = 0;
            d->caret = n;
            InvalidateRect(h, nullptr, FALSE);
        } else if (wp == 3)
            clipboardCommand(h, w, d, WM_COPY);
        else if (wp == 22)
            clipboardCommand(h, w, d, WM_PASTE);
        else if (wp == 24)
            clipboardCommand(h, w, d, WM_CUT);
        else if (w->style & ES_READONLY)
            return 0;
        else if (wp == 8) {
            if (d->anchor == d->caret && d->caret > 0) d->anchor = d->caret - 1;
            replaceSel(h, w, d, "");
        } else if (wp >= 32 && wp != 127 && wp < 256) {
            replaceSel(h, w, d, std::string(1, (char)wp));
        }
        return 0;
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR: clipboardCommand(h, w, d, msg); return 0;
    case EM_SETSEL: {
        int a = (int)wp, b = (int)lp;
        if (a == -1) {
            d->anchor = d->caret;
        } else {
            if (b < 0 || b > n) b = n;
            d->anchor = std::max(0, std::min(a, n));
            d->caret = b;
        }
        keepCaretVisible(h, w, d);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case EM_GETSEL: {
        DWORD a = (DWORD)std::min(d->anchor, d->caret), b = (DWORD)std::max(d->anchor, d->caret);
        if (wp) *(DWORD*)wp = a;
        if (lp) *(DWORD*)lp = b;
        return MAKELONG(a, b);
    }
    case EM_REPLACESEL: replaceSel(h, w, d, lp ? (const char*)lp : ""); return 0;
    case EM_LIMITTEXT: d->limit = wp ? (size_t)wp : 0x7FFFFFFE; return 0;
    case WM_SETTEXT: {
        DefWindowProcA(h, msg, wp, lp);
        d->anchor = d->caret = 0;
        d->scroll = 0;
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    }
    case WM_SETFONT:
        w->font = (HFONT)wp;
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace plat

int platform_setEditColors(HWND edit, COLORREF text, COLORREF background)
{
    plat::EditData* d = plat::editData(edit);
    if (!d) return 0;
    d->colored = true;
    d->text = text;
    d->background = background;
    InvalidateRect(edit, nullptr, FALSE);
    return 1;
}
