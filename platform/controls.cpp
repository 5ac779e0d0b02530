// Push buttons and static text, the icons of message boxes, the shared
// 3-D frame drawing, and the registration of every built-in control class.
#include "platform/internal.h"
#include <cmath>

namespace plat {
LRESULT listboxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
LRESULT editProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
LRESULT scrollbarProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
LRESULT dialogClassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

HFONT defaultGuiFont() { return (HFONT)GetStockObject(DEFAULT_GUI_FONT); }

void draw3dRect(DCRec* dc, RECT r, bool sunken)
{
    uint32_t light = colorToPixel(GetSysColor(COLOR_BTNHIGHLIGHT)),
             dark = colorToPixel(GetSysColor(COLOR_BTNSHADOW));
    uint32_t tl = sunken ? dark : light, br = sunken ? light : dark;
    POINT a = dcToDevice(dc, r.left, r.top), b = dcToDevice(dc, r.right, r.bottom);
    fillDeviceRect(dc, RECT{a.x, a.y, b.x, a.y + 1}, tl);
    fillDeviceRect(dc, RECT{a.x, a.y, a.x + 1, b.y}, tl);
    fillDeviceRect(dc, RECT{a.x, b.y - 1, b.x, b.y}, br);
    fillDeviceRect(dc, RECT{b.x - 1, a.y, b.x, b.y}, br);
}

void drawIcon(cairo_t* cr, int kind, double x, double y, double size)
{
    double cx = x + size / 2, cy = y + size / 2, r = size / 2 - 1;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    const char* glyph = "i";
    if (kind == 3) {  // exclamation: a yellow triangle
        cairo_move_to(cr, cx, y + 1);
        cairo_line_to(cr, x + size - 1, y + size - 2);
        cairo_line_to(cr, x + 1, y + size - 2);
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, 0.98, 0.8, 0.1);
        glyph = "!";
    } else {
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        if (kind == 1)
            cairo_set_source_rgb(cr, 0.85, 0.15, 0.15), glyph = "X";
        else
            cairo_set_source_rgb(cr, 0.15, 0.4, 0.85), glyph = kind == 2 ? "?" : "i";
    }
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size * 0.6);
    cairo_text_extents_t te;
    cairo_text_extents(cr, glyph, &te);
    cairo_set_source_rgb(cr, kind == 3 ? 0 : 1, kind == 3 ? 0 : 1, kind == 3 ? 0 : 1);
    cairo_move_to(cr, cx - te.width / 2 - te.x_bearing,
                  cy + (kind == 3 ? size * 0.12 : 0) - te.height / 2 - te.y_bearing);
    cairo_show_text(cr, glyph);
    cairo_restore(cr);
}

static HFONT fontOf(HWND h)
{
    WindowRec* w = win(h);
    return w && w->font ? w->font : defaultGuiFont();
}

// ---- push buttons ---------------------------------------------------------------
struct ButtonData : ControlData {
    bool pressed = false;
    bool tracking = false;
};

static ButtonData* buttonData(HWND h)
{
    WindowRec* w = win(h);
    return w ? dynamic_cast<ButtonData*>(w->ctrl.get()) : nullptr;
}

static void buttonClick(HWND h)
{
    WindowRec* w = win(h);
    if (!w || (w->style & WS_DISABLED)) return;
    SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, BN_CLICKED), (LPARAM)h);
}

static void buttonPaint(HWND h)
{
    WindowRec* w = win(h);
    ButtonData* d = buttonData(h);
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(h, &ps);
    DCRec* dc = dcOf(hdc);
    RECT r;
    GetClientRect(h, &r);
    FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
    bool isDefault = (w->style & 0xF) == BS_DEFPUSHBUTTON;
    RECT face = r;
    if (isDefault) {
        FrameRect(hdc, &face, (HBRUSH)GetStockObject(BLACK_BRUSH));
        InflateRect(&face, -1, -1);
    }
    draw3dRect(dc, face, d && d->pressed);
    HGDIOBJ of = SelectObject(hdc, fontOf(h));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, (w->style & WS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_BTNTEXT));
    RECT t = face;
    if (d && d->pressed) OffsetRect(&t, 1, 1);
    DrawTextA(hdc, w->text.c_str(), -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (GetFocus() == h) {
        RECT f = face;
        InflateRect(&f, -3, -3);
        FrameRect(hdc, &f, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    SelectObject(hdc, of);
    EndPaint(h, &ps);
}

static LRESULT buttonProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRec* w = win(h);
    if (!w) return 0;
    if (!w->ctrl) w->ctrl = std::make_unique<ButtonData>();
    ButtonData* d = buttonData(h);
    auto setPressed = [&](bool p) {
        if (d->pressed != p) {
            d->pressed = p;
            InvalidateRect(h, nullptr, FALSE);
        }
    };
    switch (msg) {
    case WM_PAINT: buttonPaint(h); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(h);
        SetCapture(h);
        d->tracking = true;
        setPressed(true);
        return 0;
    case WM_MOUSEMOVE:
        if (d->tracking) {
            RECT r;
            GetClientRect(h, &r);
            setPressed(PtInRect(&r, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}) != 0);
        }
        return 0;
    case WM_LBUTTONUP: {
        bool click = d->tracking && d->pressed;
        if (GetCapture() == h) ReleaseCapture();
        d->tracking = false;
        setPressed(false);
        if (click) buttonClick(h);
        return 0;
    }
    case WM_CAPTURECHANGED:
        d->tracking = false;
        setPressed(false);
        return 0;
    case WM_KEYDOWN:
        if (wp == VK_SPACE) buttonClick(h);
        return 0;
    case BM_CLICK: buttonClick(h); return 0;
    case BM_SETSTYLE:
        w->style = (w->style & ~0xFFFFu) | (DWORD)(wp & 0xFFFF);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case BM_GETSTATE: return (d->pressed ? BST_PUSHED : 0) | (GetFocus() == h ? BST_FOCUS : 0);
    case BM_SETSTATE: setPressed(wp != 0); return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON |
               ((w->style & 0xF) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcA(h, msg, wp, lp);
        InvalidateRect(h, nullptr, FALSE);
        return r;
    }
    }
    return DefWindowProcA(h, msg, wp, lp);
}

// ---- static text ---------------------------------------------------------------------
static LRESULT staticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRec* w = win(h);
    if (!w) return 0;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(h, &ps);
        RECT r;
        GetClientRect(h, &r);
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DWORD type = w->style & 0x1F;
        if (type == SS_ICON) {
            cairo_t* cr = dcCairo(dcOf(hdc));
            int kind = (int)atoi(w->text.c_str());
            drawIcon(cr, kind, 0, 0, std::min(r.right, r.bottom));
            cairo_destroy(cr);
        } else {
            HGDIOBJ of = SelectObject(hdc, fontOf(h));
            SetBkMode(hdc, TRANSPARENT);
            SetTextColor(hdc, (w->style & WS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT)
                                                       : GetSysColor(COLOR_WINDOWTEXT));
            UINT fmt = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
            if (type != SS_LEFTNOWORDWRAP) fmt |= DT_WORDBREAK;
            if (w->style & SS_NOPREFIX) fmt |= DT_NOPREFIX;
            DrawTextA(hdc, w->text.c_str(), -1, &r, fmt);
            SelectObject(hdc, of);
        }
        EndPaint(h, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_SETTEXT:
    case WM_ENABLE: {
        LRESULT r = DefWindowProcA(h, msg, wp, lp);
        InvalidateRect(h, nullptr, TRUE);
        return msg == WM_SETTEXT ? r : 0;
    }
    }
    return DefWindowProcA(h, msg, wp, lp);
}

void controlsRegister()
{
    registerBuiltinClass("BUTTON", buttonProc, CS_DBLCLKS, 0, nullptr, nullptr);
    registerBuiltinClass("STATIC", staticProc, 0, 0, nullptr, nullptr);
    registerBuiltinClass("LISTBOX", listboxProc, CS_DBLCLKS, 0, nullptr, nullptr);
    registerBuiltinClass("EDIT", editProc, CS_DBLCLKS, 0, nullptr, LoadCursorA(nullptr, IDC_IBEAM));
    registerBuiltinClass("SCROLLBAR", scrollbarProc, 0, 0, nullptr, nullptr);
    registerBuiltinClass("#32770", dialogClassProc, 0, DLGWINDOWEXTRA, GetSysColorBrush(COLOR_BTNFACE),
                         nullptr);
}

}  // namespace plat
