// The list box control: single, multiple (LBS_MULTIPLESEL) and extended
// (LBS_EXTENDEDSEL) selection, sorting, item data, keyboard and mouse
// selection with drag, a built-in vertical scroll bar (WS_VSCROLL), and the
// LBN_SELCHANGE / LBN_DBLCLK notifications of LBS_NOTIFY list boxes.
#include "platform/internal.h"
#include <algorithm>
#include <cstring>
#include <strings.h>

namespace plat {

struct ListData : ControlData {
    struct Item {
        std::string text;
        bool sel = false;
        LPARAM data = 0;
    };
    std::vector<Item> items;
    int cur = -1, caret = 0, top = 0, anchor = 0, itemH = 16;
    bool dragging = false;
    int thumbGrab = -1;  // pointer offset inside the thumb while it is dragged
};

static const int kBar = 16;

static ListData* listData(HWND h)
{
    WindowRec* w = win(h);
    return w ? dynamic_cast<ListData*>(w->ctrl.get()) : nullptr;
}

static bool isMulti(WindowRec* w) { return (w->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

static int rows(HWND h, ListData* d)
{
    RECT r;
    GetClientRect(h, &r);
    return std::max(1, (int)r.bottom / std::max(1, d->itemH));
}

static bool hasBar(HWND h, ListData* d)
{
    WindowRec* w = win(h);
    return (w->style & WS_VSCROLL) && (int)d->items.size() > rows(h, d);
}

static void clampTop(HWND h, ListData* d)
{
    int maxTop = std::max(0, (int)d->items.size() - rows(h, d));
    d->top = std::max(0, std::min(d->top, maxTop));
}

static void ensureVisible(HWND h, ListData* d, int i)
{
    if (i < 0) return;
    if (i < d->top) d->top = i;
    if (i >= d->top + rows(h, d)) d->top = i - rows(h, d) + 1;
    clampTop(h, d);
}

static void notify(HWND h, int code)
{
    WindowRec* w = win(h);
    if (w && (w->style & LBS_NOTIFY)) SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), (LPARAM)h);
}

static bool setOnly(ListData* d, int first, int last)
{  // selects first..last, nothing else
    bool changed = false;
    if (first > last) std::swap(first, last);
    for (int i = 0; i < (int)d->items.size(); i++) {
        bool want = i >= first && i <= last;
        if (d->items[i].sel != want) changed = true;
        d->items[i].sel = want;
    }
    return changed;
}

struct BarGeom {
    int rows, span, thumbH, thumbY, height;
};

static BarGeom barGeometry(HWND h, ListData* d)
{
    RECT r;
    GetClientRect(h, &r);
    BarGeom g;
    int n = (int)d->items.size();
    g.rows = rows(h, d);
    g.height = r.bottom;
    g.span = std::max(1, (int)r.bottom - 2 * kBar);
    g.thumbH = std::max(8, g.span * g.rows / std::max(1, n));
    g.thumbY = kBar + (g.span - g.thumbH) * d->top / std::max(1, n - g.rows);
    return g;
}

static void paintList(HWND h, ListData* d)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(h, &ps);
    RECT r;
    GetClientRect(h, &r);
    WindowRec* w = win(h);
    FillRect(hdc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
    HGDIOBJ of = SelectObject(hdc, w->font ? w->font : defaultGuiFont());
    SetBkMode(hdc, TRANSPARENT);
    bool bar = hasBar(h, d);
    int width = r.right - (bar ? kBar : 0);
    bool multi = isMulti(w);
    for (int i = d->top, y = 0; i < (int)d->items.size() && y < r.bottom; i++, y += d->itemH) {
        RECT ir{0, y, width, y + d->itemH};
        bool sel = multi ? d->items[i].sel : i == d->cur;
        if (sel) FillRect(hdc, &ir, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, (w->style & WS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT)
                          : sel                    ? RGB(255, 255, 255)
                                                   : RGB(0, 0, 0));
        RECT tr{2, y, width - 2, y + d->itemH};
        DrawTextA(hdc, d->items[i].text.c_str(), -1, &tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (multi && i == d->caret && GetFocus() == h) FrameRect(hdc, &ir, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    if (bar) {
        RECT track{width, 0, r.right, r.bottom};
        FillRect(hdc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
        BarGeom g = barGeometry(h, d);
        RECT up{width, 0, r.right, kBar}, down{width, r.bottom - kBar, r.right, r.bottom},
            thumb{width, g.thumbY, r.right, g.thumbY + g.thumbH};
        for (RECT* b : {&up, &down, &thumb}) {
            FillRect(hdc, b, GetSysColorBrush(COLOR_BTNFACE));
            draw3dRect(dcOf(hdc), *b, false);
        }
    }
    SelectObject(hdc, of);
    EndPaint(h, &ps);
}

// A press on the built-in scroll bar: arrows step, the track pages, the thumb drags.
static void barPress(HWND h, ListData* d, int y)
{
    BarGeom g = barGeometry(h, d);
    if (y < kBar)
        d->top--;
    else if (y >= g.height - kBar)
        d->top++;
    else if (y < g.thumbY)
        d->top -= g.rows;
    else if (y >= g.thumbY + g.thumbH)
        d->top += g.rows;
    else {
        d->thumbGrab = y - g.thumbY;
        SetCapture(h);
    }
    clampTop(h, d);
    InvalidateRect(h, nullptr, FALSE);
}

static void barDrag(HWND h, ListData* d, int y)
{
    BarGeom g = barGeometry(h, d);
    int travel = g.span - g.thumbH;
    d->top = travel > 0 ? (y - d->thumbGrab - kBar) * ((int)d->items.size() - g.rows) / travel : 0;
    clampTop(h, d);
    InvalidateRect(h, nullptr, FALSE);
}

static void press(HWND h, ListData* d, int idx, bool dbl)
{
    WindowRec* w = win(h);
    bool changed = false;
    if (w->style & LBS_EXTENDEDSEL) {
        if (GetKeyState(VK_CONTROL) < 0) {
            d->items[idx].sel = !d->items[idx].sel;
            d->anchor = idx;
            changed = true;
        } else if (GetKeyState(VK_SHIFT) < 0) {
            changed = setOnly(d, d->anchor, idx);
        } else {
            changed = setOnly(d, idx, idx);
            d->anchor = idx;
        }
        d->dragging = true;
    } else if (w->style & LBS_MULTIPLESEL) {
        if (!dbl) {
            d->items[idx].sel = !d->items[idx].sel;
            changed = true;
        }
    } else {
        changed = d->cur != idx;
        d->cur = idx;
        d->dragging = true;
    }
    d->caret = idx;
    if (d->dragging) SetCapture(h);
    InvalidateRect(h, nullptr, FALSE);
    if (changed) notify(h, LBN_SELCHANGE);
    if (dbl && win(h)) notify(h, LBN_DBLCLK);
}

static void dragTo(HWND h, ListData* d, int y)
{
    WindowRec* w = win(h);
    if (d->items.empty()) return;
    if (y < 0 && d->top > 0) d->top--;
    RECT r;
    GetClientRect(h, &r);
    if (y >= r.bottom && d->top + rows(h, d) < (int)d->items.size()) d->top++;
    int idx = std::max(0, std::min((int)d->items.size() - 1, d->top + (y < 0 ? 0 : y / d->itemH)));
    bool changed;
    if (w->style & LBS_EXTENDEDSEL)
        changed = setOnly(d, d->anchor, idx);
    else {
        changed = d->cur != idx;
        d->cur = idx;
    }
    d->caret = idx;
    if (changed) {
        InvalidateRect(h, nullptr, FALSE);
        notify(h, LBN_SELCHANGE);
    }
}

static void keyMove(HWND h, ListData* d, WPARAM vk)
{
    WindowRec* w = win(h);
    int n = (int)d->items.size();
    if (n == 0) return;
    int c = d->caret;
    switch (vk) {
    case VK_UP: c--; break;
    case VK_DOWN: c++; break;
    case VK_HOME: c = 0; break;
    case VK_END: c = n - 1; break;
    case VK_PRIOR: c -= rows(h, d); break;
    case VK_NEXT: c += rows(h, d); break;
    case VK_SPACE:
        if (w->style & LBS_MULTIPLESEL) {
            d->items[c].sel = !d->items[c].sel;
            InvalidateRect(h, nullptr, FALSE);
            notify(h, LBN_SELCHANGE);
        }
        return;
    default: return;
    }
    c = std::max(0, std::min(n - 1, c));
    d->caret = c;
    bool changed = false;
    if (w->style & LBS_EXTENDEDSEL) {
        if (GetKeyState(VK_SHIFT) < 0)
            changed = setOnly(d, d->anchor, c);
        else {
            changed = setOnly(d, c, c);
            d->anchor = c;
        }
    } else if (!(w->style & LBS_MULTIPLESEL)) {
        changed = d->cur != c;
        d->cur = c;
    }
    ensureVisible(h, d, c);
    InvalidateRect(h, nullptr, FALSE);
    if (changed) notify(h, LBN_SELCHANGE);
}

static int insertAt(HWND h, ListData* d, int index, const char* text)
{
    WindowRec* w = win(h);
    ListData::Item it;
    it.text = text ? text : "";
    if (index < 0 || index > (int)d->items.size()) index = (int)d->items.size();
    if (w->style & LBS_SORT) {
        index = 0;
        while (index < (int)d->items.size() && strcasecmp(d->items[index].text.c_str(), it.text.c_str()) <= 0)
            index++;
    }
    d->items.insert(d->items.begin() + index, it);
    if (d->cur >= index) d->cur++;
    // The caret and the anchor stay on the lines they were on.
    if (d->items.size() > 1) {
        if (d->caret >= index) d->caret++;
        if (d->anchor >= index) d->anchor++;
    }
    InvalidateRect(h, nullptr, FALSE);
    return index;
}

static int findString(ListData* d, int start, const char* s, bool exact)
{
    int n = (int)d->items.size();
    if (!s || n == 0) return LB_ERR;
    size_t len = strlen(s);
    for (int k = 1; k <= n; k++) {
        int i = ((start < 0 ? -1 : start) + k) % n;
        const std::string& t = d->items[i].text;
        if (exact ? strcasecmp(t.c_str(), s) == 0 : strncasecmp(t.c_str(), s, len) == 0) return i;
    }
    return LB_ERR;
}

LRESULT listboxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRec* w = win(h);
    if (!w) return 0;
    if (!w->ctrl) {
        auto d = std::make_unique<ListData>();
        FontRec* f = gdiOf(defaultGuiFont())->font.get();
        d->itemH = f->ascent + f->descent + 2;
        w->ctrl = std::move(d);
    }
    ListData* d = listData(h);
    int n = (int)d->items.size();
    bool multi = isMulti(w);
    auto valid = [&](WPARAM i) { return (int)i >= 0 && (int)i < n; };
    switch (msg) {
    case WM_PAINT: paintList(h, d); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT: {
        w->font = (HFONT)wp;
        GdiObj* o = gdiOf((HGDIOBJ)wp);
        if (o && o->kind == GDI_FONT) d->itemH = o->font->ascent + o->font->descent + 2;
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(h, nullptr, FALSE);
        notify(h, msg == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        SetFocus(h);
        int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
        RECT r;
        GetClientRect(h, &r);
        if (hasBar(h, d) && x >= r.right - kBar) {
            barPress(h, d, y);
            return 0;
        }
        int idx = d->top + y / d->itemH;
        if (idx >= 0 && idx < n) press(h, d, idx, msg == WM_LBUTTONDBLCLK);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (d->thumbGrab >= 0)
            barDrag(h, d, GET_Y_LPARAM(lp));
        else if (d->dragging)
            dragTo(h, d, GET_Y_LPARAM(lp));
        return 0;
    case WM_LBUTTONUP:
        d->dragging = false;
        d->thumbGrab = -1;
        if (GetCapture() == h) ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        d->dragging = false;
        d->thumbGrab = -1;
        return 0;
    case WM_MOUSEWHEEL:
        d->top -= 3 * GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
        clampTop(h, d);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN: keyMove(h, d, wp); return 0;
    case LB_ADDSTRING: return insertAt(h, d, -1, (const char*)lp);
    case LB_INSERTSTRING:
        if ((int)wp > n) return LB_ERR;
        return insertAt(h, d, (int)wp, (const char*)lp);
    case LB_DELETESTRING:
        if (!valid(wp)) return LB_ERR;
        d->items.erase(d->items.begin() + wp);
        if (d->cur == (int)wp)
            d->cur = -1;
        else if (d->cur > (int)wp)
            d->cur--;
        // The caret and the anchor follow their lines and stay on the list.
        if (d->caret > (int)wp) d->caret--;
        if (d->anchor > (int)wp) d->anchor--;
        d->caret = std::max(0, std::min(d->caret, n - 2));
        d->anchor = std::max(0, std::min(d->anchor, n - 2));
        clampTop(h, d);
        InvalidateRect(h, nullptr, FALSE);
        return (LRESULT)d->items.size();
    case LB_RESETCONTENT:
        d->items.clear();
        d->cur = -1;
        d->top = d->caret = d->anchor = 0;
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case LB_GETCOUNT: return n;
    case LB_GETTEXT:
        if (!valid(wp) || !lp) return LB_ERR;
        memcpy((char*)lp, d->items[wp].text.c_str(), d->items[wp].text.size() + 1);
        return (LRESULT)d->items[wp].text.size();
    case LB_GETTEXTLEN: return valid(wp) ? (LRESULT)d->items[wp].text.size() : LB_ERR;
    case LB_SETCURSEL:
        if (multi) return LB_ERR;
        if (!valid(wp)) {
            d->cur = -1;
            InvalidateRect(h, nullptr, FALSE);
            return LB_ERR;
        }
        d->cur = d->caret = (int)wp;
        ensureVisible(h, d, d->cur);
        InvalidateRect(h, nullptr, FALSE);
        return (LRESULT)wp;
    case LB_GETCURSEL:
        if (multi) return n ? d->caret : LB_ERR;
        return d->cur >= 0 ? d->cur : LB_ERR;
    case LB_SETSEL:
        if (!multi) return LB_ERR;
        if ((int)lp == -1) {
            for (auto& it : d->items) it.sel = wp != 0;
        } else if ((int)lp >= 0 && (int)lp < n) {
            d->items[lp].sel = wp != 0;
            d->caret = (int)lp;
        } else {
            return LB_ERR;
        }
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case LB_GETSEL:
        if (!valid(wp)) return LB_ERR;
        return multi ? (d->items[wp].sel ? 1 : 0) : ((int)wp == d->cur ? 1 : 0);
    case LB_GETSELCOUNT:
        if (!multi) return LB_ERR;
        return std::count_if(d->items.begin(), d->items.end(), [](const ListData::Item& i) { return i.sel; });
    case LB_GETSELITEMS: {
        if (!multi) return LB_ERR;
        int k = 0;
        for (int i = 0; i < n && k < (int)wp; i++)
            if (d->items[i].sel && lp) ((int*)lp)[k++] = i;
        return k;
    }
    case LB_SELITEMRANGE:
    case LB_SELITEMRANGEEX: {
        if (!multi) return LB_ERR;
        int first = msg == LB_SELITEMRANGE ? LOWORD(lp) : (int)wp,
            last = msg == LB_SELITEMRANGE ? HIWORD(lp) : (int)lp;
        bool sel = msg == LB_SELITEMRANGE ? wp != 0 : first <= last;
        if (first > last) std::swap(first, last);
        for (int i = std::max(0, first); i <= last && i < n; i++) d->items[i].sel = sel;
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case LB_SETTOPINDEX:
        if (!valid(wp) && n) return LB_ERR;
        d->top = (int)wp;
        clampTop(h, d);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case LB_GETTOPINDEX: return d->top;
    case LB_GETITEMDATA: return valid(wp) ? d->items[wp].data : LB_ERR;
    case LB_SETITEMDATA:
        if (!valid(wp)) return LB_ERR;
        d->items[wp].data = lp;
        return 0;
    case LB_FINDSTRING: return findString(d, (int)wp, (const char*)lp, false);
    case LB_FINDSTRINGEXACT: return findString(d, (int)wp, (const char*)lp, true);
    case LB_SELECTSTRING: {
        int i = findString(d, (int)wp, (const char*)lp, false);
        if (i == LB_ERR || multi) return LB_ERR;
        return listboxProc(h, LB_SETCURSEL, (WPARAM)i, 0);
    }
    case LB_GETITEMRECT:
        if (!valid(wp) || !lp) return LB_ERR;
        {
            // In client coordinates, as wide as the lines are drawn: the client
            // area left of the scroll bar when the list shows one.
            RECT c;
            GetClientRect(h, &c);
            LONG right = c.right - (hasBar(h, d) ? kBar : 0);
            *(RECT*)lp =
                RECT{0, (LONG)((wp - d->top) * d->itemH), right, (LONG)((wp - d->top + 1) * d->itemH)};
            return 0;
        }
    case LB_GETITEMHEIGHT: return d->itemH;
    case LB_SETITEMHEIGHT:
        if (LOWORD(lp) == 0 || LOWORD(lp) > 255) return LB_ERR;
        d->itemH = LOWORD(lp);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case LB_SETCARETINDEX:
        if (!valid(wp)) return LB_ERR;
        d->caret = (int)wp;
        ensureVisible(h, d, d->caret);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case LB_GETCARETINDEX: return d->caret;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace plat
