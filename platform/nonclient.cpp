// Non-client parts of windows: borders, caption with title, close and
// minimise boxes, the menu bar; their hit testing, painting, and the
// caption drag and caption-button tracking loops.
#include "platform/internal.h"
#include <algorithm>
#include <functional>

namespace plat {
bool mdiIsActiveChild(HWND h);

int ncCaptionHeight(const WindowRec* w)
{
    if ((w->style & WS_CAPTION) != WS_CAPTION) return 0;
    return (w->exStyle & WS_EX_TOOLWINDOW) ? 16 : 20;
}

int ncMenuHeight(const WindowRec* w) { return (!(w->style & WS_CHILD) && w->menu) ? 20 : 0; }

static RECT captionRect(const WindowRec* w)
{
    RECT in = clientInsets(w);
    int b = in.left - ((w->exStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
    int ww = w->rect.right - w->rect.left;
    return RECT{b, b, ww - b, b + ncCaptionHeight(w)};
}

RECT ncButtonRect(const WindowRec* w, int hit)
{
    RECT c = captionRect(w);
    int size = c.bottom - c.top - 4;
    RECT close{c.right - 2 - size, c.top + 2, c.right - 2, c.top + 2 + size};
    if (hit == HTCLOSE) return (w->style & WS_SYSMENU) ? close : RECT{0, 0, 0, 0};
    if (hit == HTMINBUTTON && (w->style & WS_MINIMIZEBOX)) {
        RECT m = close;
        int shift = (w->style & WS_SYSMENU) ? size + 2 : 0;
        OffsetRect(&m, -shift, 0);
        return m;
    }
    return RECT{0, 0, 0, 0};
}

static bool isActiveLooking(const WindowRec* w)
{
    if (w->isMdiChild) return mdiIsActiveChild(w->handle);
    return st().active == w->handle;
}

int ncHitTest(HWND h, POINT pt)
{
    WindowRec* w = win(h);
    if (!w) return HTNOWHERE;
    RECT r = windowRectOnScreen(h);
    if (!PtInRect(&r, pt)) return HTNOWHERE;
    POINT local{pt.x - r.left, pt.y - r.top};
    RECT client = clientRectInWindow(w);
    if (PtInRect(&client, local)) return HTCLIENT;
    RECT cap = captionRect(w);
    if (ncCaptionHeight(w) && PtInRect(&cap, local)) {
        RECT b = ncButtonRect(w, HTCLOSE);
        if (PtInRect(&b, local)) return HTCLOSE;
        b = ncButtonRect(w, HTMINBUTTON);
        if (PtInRect(&b, local)) return HTMINBUTTON;
        return HTCAPTION;
    }
    if (ncMenuHeight(w) && local.y >= cap.bottom && local.y < cap.bottom + ncMenuHeight(w)) return HTMENU;
    if ((w->style & WS_THICKFRAME) && !w->minimized) {
        // A sizing border: its sides, and its corners a little way along.
        const int corner = 12, ww = r.right - r.left, wh = r.bottom - r.top;
        bool left = local.x < client.left, right = local.x >= client.right;
        bool top = local.y < cap.top, bottom = local.y >= client.bottom;
        bool nearLeft = local.x < corner, nearRight = local.x >= ww - corner;
        bool nearTop = local.y < corner, nearBottom = local.y >= wh - corner;
        if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    return HTBORDER;
}

bool ncIsSizingHit(int hit) { return hit >= HTLEFT && hit <= HTBOTTOMRIGHT; }

HCURSOR ncSizingCursor(int hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT: return LoadCursorA(nullptr, IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM: return LoadCursorA(nullptr, IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return LoadCursorA(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return LoadCursorA(nullptr, IDC_SIZENESW);
    }
    return nullptr;
}

static void setRgb(cairo_t* cr, int r, int g, int b)
{
    cairo_set_source_rgb(cr, r / 255.0, g / 255.0, b / 255.0);
}

static void fillRect(cairo_t* cr, const RECT& r)
{
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_fill(cr);
}

static FontRec* captionFont(bool small)
{
    static std::shared_ptr<FontRec> big, tiny;
    std::shared_ptr<FontRec>& f = small ? tiny : big;
    if (!f) {
        LOGFONTA lf{};
        lf.lfHeight = small ? -11 : -12;
        lf.lfWeight = FW_BOLD;
        snprintf(lf.lfFaceName, LF_FACESIZE, "Arial");
        f = fontCreate(lf);
    }
    return f.get();
}

static void drawCaptionButton(cairo_t* cr, const RECT& b, int kind, bool pressed, bool minimized)
{
    if (IsRectEmpty(&b)) return;
    setRgb(cr, pressed ? 160 : 212, pressed ? 160 : 208, pressed ? 160 : 200);
    fillRect(cr, b);
    setRgb(cr, 64, 64, 64);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, b.left + 0.5, b.top + 0.5, b.right - b.left - 1, b.bottom - b.top - 1);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 2);
    double l = b.left + 4, t = b.top + 4, r = b.right - 4, bo = b.bottom - 4;
    if (kind == HTCLOSE) {
        cairo_move_to(cr, l, t);
        cairo_line_to(cr, r, bo);
        cairo_move_to(cr, r, t);
        cairo_line_to(cr, l, bo);
    } else if (minimized) {
        cairo_rectangle(cr, l + 1, t + 1, r - l - 2, bo - t - 2);
    } else {
        cairo_move_to(cr, l, bo - 1);
        cairo_line_to(cr, r, bo - 1);
    }
    cairo_stroke(cr);
}

void ncPaint(HWND h)
{
    WindowRec* w = win(h);
    if (!w || !w->surface) return;
    w->ncDirty = false;
    RECT in = clientInsets(w);
    if (in.left == 0 && in.top == 0 && in.right == 0 && in.bottom == 0) return;
    int ww = w->rect.right - w->rect.left, wh = w->rect.bottom - w->rect.top;
    RECT client = clientRectInWindow(w);
    cairo_t* cr = cairo_create(w->surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    // Frame: everything outside the client area.
    cairo_rectangle(cr, 0, 0, ww, wh);
    cairo_rectangle(cr, client.left, client.top, client.right - client.left, client.bottom - client.top);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setRgb(cr, 212, 208, 200);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_line_width(cr, 1);
    setRgb(cr, 64, 64, 64);
    cairo_rectangle(cr, 0.5, 0.5, ww - 1, wh - 1);
    cairo_stroke(cr);
    if (w->exStyle & WS_EX_CLIENTEDGE) {
        setRgb(cr, 128, 128, 128);
        cairo_rectangle(cr, client.left - 1.5, client.top - 1.5, client.right - client.left + 3,
                        client.bottom - client.top + 3);
        cairo_stroke(cr);
    }
    int capH = ncCaptionHeight(w);
    if (capH) {
        RECT cap = captionRect(w);
        bool active = isActiveLooking(w);
        if (active)
            setRgb(cr, 44, 92, 140);
        else
            setRgb(cr, 150, 160, 172);
        fillRect(cr, cap);
        bool small = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
        FontRec* f = captionFont(small);
        int textRight = cap.right - 4;
        RECT mb = ncButtonRect(w, HTMINBUTTON), cb = ncButtonRect(w, HTCLOSE);
        if (!IsRectEmpty(&mb))
            textRight = mb.left - 2;
        else if (!IsRectEmpty(&cb))
            textRight = cb.left - 2;
        cairo_save(cr);
        cairo_rectangle(cr, cap.left, cap.top, std::max<LONG>(0, textRight - cap.left), capH);
        cairo_clip(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
        double base = cap.top + (capH - (f->ascent + f->descent)) / 2.0 + f->ascent;
        drawTextRun(cr, f, cap.left + 5, (int)base, toUtf8(w->text.c_str(), -1),
                    active ? RGB(255, 255, 255) : RGB(232, 232, 232));
        cairo_restore(cr);
        drawCaptionButton(cr, cb, HTCLOSE, w->ncPressed == HTCLOSE, false);
        drawCaptionButton(cr, mb, HTMINBUTTON, w->ncPressed == HTMINBUTTON, w->minimized);
    }
    if (ncMenuHeight(w)) {
        RECT cap = captionRect(w);
        RECT bar{cap.left, cap.bottom, cap.right, cap.bottom + ncMenuHeight(w)};
        menuDrawBar(h, cr, bar);
    }
    cairo_destroy(cr);
}

// The loop every non-client drag shares: each mouse move hands the
// offset from the press to place, which returns the window's new rect; the
// button going up ends it where it is, Escape puts the window back. Other
// input is swallowed; everything else (timers, paints) is dispatched.
template <typename Place> static void trackFrameDrag(HWND h, POINT start, Place place)
{
    State& s = st();
    WindowRec* w = win(h);
    if (!w) return;
    const RECT r0 = w->rect;
    SetCapture(h);
    MSG m;
    while (GetCapture() == h) {
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage((int)m.wParam);
            break;
        }
        if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
            w = win(h);
            if (!w) break;
            RECT r = place(r0, s.cursorPos.x - start.x, s.cursorPos.y - start.y);
            if (!EqualRect(&r, &w->rect)) setWindowRect(h, r, true);
        } else if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) {
            break;
        } else if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
            setWindowRect(h, r0, true);
            break;
        } else if ((m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
                   (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) ||
                   (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCRBUTTONUP)) {
            continue;
        } else {
            DispatchMessageA(&m);
        }
    }
    if (GetCapture() == h) ReleaseCapture();
}

// A caption drag: the window moves with the mouse, a top-level window kept
// within reach on the screen, an MDI child below its client's top edge.
static void dragCaption(HWND h, POINT start)
{
    WindowRec* w = win(h);
    if (!w) return;
    const bool topLevel = isTopLevel(w);
    trackFrameDrag(h, start, [topLevel](RECT r, int dx, int dy) {
        const State& s = st();
        OffsetRect(&r, dx, dy);
        if (topLevel) {
            int width = r.right - r.left;
            int nx = std::max<int>(-(width - 40), std::min<int>(r.left, s.screenW - 40));
            int ny = std::max<int>(0, std::min<int>(r.top, s.screenH - 20));
            OffsetRect(&r, nx - r.left, ny - r.top);
        } else {
            int ny = std::max<int>(0, r.top);
            OffsetRect(&r, 0, ny - r.top);
        }
        return r;
    });
}

// A sizing border drag: the edges it names move with the mouse, never
// making the window smaller than it asks for in WM_GETMINMAXINFO (or than
// its frame), nor larger than it allows.
static void dragBorder(HWND h, int hit, POINT start)
{
    WindowRec* w = win(h);
    if (!w) return;
    RECT in = clientInsets(w);
    MINMAXINFO mm{};
    mm.ptMinTrackSize = POINT{in.left + in.right + 40, in.top + in.bottom + 10};
    mm.ptMaxTrackSize = POINT{32767, 32767};
    SendMessageA(h, WM_GETMINMAXINFO, 0, (LPARAM)&mm);
    const int minW = std::max<int>(mm.ptMinTrackSize.x, in.left + in.right + 1);
    const int minH = std::max<int>(mm.ptMinTrackSize.y, in.top + in.bottom + 1);
    const int maxW = std::max<int>(minW, mm.ptMaxTrackSize.x),
              maxH = std::max<int>(minH, mm.ptMaxTrackSize.y);
    const bool moveLeft = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
    const bool moveRight = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
    const bool moveTop = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
    const bool moveBottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
    trackFrameDrag(h, start, [=](RECT r0, int dx, int dy) {
        RECT r = r0;
        if (moveLeft) r.left = std::min<int>(r0.right - minW, std::max<int>(r0.right - maxW, r0.left + dx));
        if (moveRight) r.right = std::max<int>(r0.left + minW, std::min<int>(r0.left + maxW, r0.right + dx));
        if (moveTop) r.top = std::min<int>(r0.bottom - minH, std::max<int>(r0.bottom - maxH, r0.top + dy));
        if (moveBottom) r.bottom = std::max<int>(r0.top + minH, std::min<int>(r0.top + maxH, r0.bottom + dy));
        return r;
    });
}

// Presses a caption button until the mouse button goes up; 1 when released over it.
static bool trackCaptionButton(HWND h, int hit)
{
    State& s = st();
    WindowRec* w = win(h);
    if (!w) return false;
    SetCapture(h);
    bool inside = true;
    w->ncPressed = hit;
    w->ncDirty = true;
    damageWindow(h);
    MSG m;
    while (GetCapture() == h) {
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage((int)m.wParam);
            break;
        }
        w = win(h);
        if (!w) return false;
        bool isUp = m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP;
        bool isMouse = (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
                       (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCRBUTTONUP);
        if (isMouse) {
            inside = ncHitTest(h, s.cursorPos) == hit;
            int want = inside ? hit : 0;
            if (w->ncPressed != want) {
                w->ncPressed = want;
                w->ncDirty = true;
                damageWindow(h);
            }
            if (isUp) break;
            continue;
        }
        if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) continue;
        DispatchMessageA(&m);
    }
    if (GetCapture() == h) ReleaseCapture();
    w = win(h);
    if (w) {
        w->ncPressed = 0;
        w->ncDirty = true;
        damageWindow(h);
    }
    return inside;
}

LRESULT ncLButtonDown(HWND h, int hit, POINT pt)
{
    WindowRec* w = win(h);
    if (!w) return 0;
    switch (hit) {
    case HTCAPTION: dragCaption(h, pt); break;
    default:
        if (ncIsSizingHit(hit)) dragBorder(h, hit, pt);
        break;
    case HTCLOSE:
        if (trackCaptionButton(h, HTCLOSE)) SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case HTMINBUTTON:
        if (trackCaptionButton(h, HTMINBUTTON)) {
            w = win(h);
            if (w) SendMessageA(h, WM_SYSCOMMAND, w->minimized ? SC_RESTORE : SC_MINIMIZE, 0);
        }
        break;
    case HTMENU: {
        std::vector<RECT> items;
        menuBarLayout(h, &items);
        RECT wr = windowRectOnScreen(h);
        POINT local{pt.x - wr.left, pt.y - wr.top};
        for (size_t i = 0; i < items.size(); i++)
            if (PtInRect(&items[i], local)) {
                trackMenu(w->menu, 0, 0, 0, h, h, (int)i);
                break;
            }
        break;
    }
    }
    return 0;
}

}  // namespace plat
