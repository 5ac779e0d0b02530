// Drawing and driving menus: the menu bar of a window, pop-up menu windows,
// and the tracking loop (a nested message loop holding the mouse) behind
// TrackPopupMenu and clicks on the menu bar. Index: layout; drawing; the
// pop-up window class; the tracker; public calls.
#include "platform/internal.h"
#include <algorithm>

namespace plat {

static FontRec* menuFont()
{
    GdiObj* o = gdiOf(st().stock[DEFAULT_GUI_FONT]);
    return o ? o->font.get() : nullptr;
}

static std::string labelPart(const std::string& text, bool shortcut)
{
    size_t tab = text.find('\t');
    std::string part = tab == std::string::npos ? (shortcut ? "" : text)
                                                : (shortcut ? text.substr(tab + 1) : text.substr(0, tab));
    std::string r;
    for (size_t i = 0; i < part.size(); i++) {
        if (part[i] == '&') {
            if (i + 1 < part.size() && part[i + 1] == '&') r += '&', i++;
            continue;
        }
        r += part[i];
    }
    while (!r.empty() && r.back() == ' ' && shortcut) r.pop_back();
    return toUtf8(r.c_str(), -1);
}

// The key of a label: the letter or digit after a single '&', upper-cased
// (0 when the label has none). Only the part before the tab counts.
static int mnemonicOf(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size() && text[i] != '\t'; i++) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            i++;
            continue;
        }
        unsigned char c = (unsigned char)text[i + 1];
        if (c >= 'a' && c <= 'z') c = (unsigned char)(c - 'a' + 'A');
        return ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) ? c : 0;
    }
    return 0;
}

// The first item after position `after` (wrapping round) whose key is vk,
// or -1; *count receives how many items have that key.
static int findMnemonic(MenuRec* m, WPARAM vk, int after, int* count)
{
    int n = m ? (int)m->items.size() : 0, found = -1;
    *count = 0;
    for (int k = 1; k <= n; k++) {
        int i = ((after < 0 ? -1 : after) + k) % n;
        const MenuItem& it = m->items[i];
        if ((it.flags & (MF_SEPARATOR | MF_BITMAP)) || mnemonicOf(it.text) != (int)vk) continue;
        if (found < 0) found = i;
        ++*count;
    }
    return found;
}

static bool isMnemonicKey(WPARAM vk) { return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'); }

static void setColor(cairo_t* cr, COLORREF c)
{
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// ---- layout -----------------------------------------------------------------------
static int itemHeight(const MenuItem& it)
{
    if (it.flags & MF_SEPARATOR) return 8;
    if ((it.flags & MF_BITMAP) && gdiOf(it.bitmap)) return std::max(20, gdiOf(it.bitmap)->bitmap.height + 4);
    return 20;
}

static SIZE popupLayout(MenuRec* m, std::vector<RECT>* rects)
{
    FontRec* f = menuFont();
    int textW = 0, keyW = 0, h = 2;
    for (const MenuItem& it : m->items) {
        if ((it.flags & MF_BITMAP) && gdiOf(it.bitmap))
            textW = std::max(textW, (int)gdiOf(it.bitmap)->bitmap.width);
        else if (!(it.flags & MF_SEPARATOR)) {
            textW = std::max(textW, textWidth(f, labelPart(it.text, false)));
            keyW = std::max(keyW, textWidth(f, labelPart(it.text, true)));
        }
    }
    int width = std::max(100, 24 + textW + (keyW ? 24 + keyW : 0) + 24);
    rects->clear();
    for (const MenuItem& it : m->items) {
        int ih = itemHeight(it);
        rects->push_back(RECT{2, h, width - 2, h + ih});
        h += ih;
    }
    return SIZE{width, h + 2};
}

void menuBarLayout(HWND h, std::vector<RECT>* items)
{
    items->clear();
    WindowRec* w = win(h);
    MenuRec* m = w ? menuOf(w->menu) : nullptr;
    if (!m || !ncMenuHeight(w)) return;
    RECT in = clientInsets(w);
    int b = in.left - ((w->exStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
    int top = b + ncCaptionHeight(w);
    int x = b + 2;
    FontRec* f = menuFont();
    for (const MenuItem& it : m->items) {
        int iw = textWidth(f, labelPart(it.text, false)) + 16;
        items->push_back(RECT{x, top, x + iw, top + ncMenuHeight(w)});
        x += iw;
    }
}

// ---- drawing ------------------------------------------------------------------------
// Underlines the letter a label's '&' marks, in a label drawn at x on the
// baseline base; nothing when the label has no key.
static void drawKeyUnderline(cairo_t* cr, FontRec* f, double x, double base, const std::string& text,
                             COLORREF c)
{
    size_t tab = text.find('\t');
    std::string label = tab == std::string::npos ? text : text.substr(0, tab);
    for (size_t i = 0; i + 1 < label.size(); i++) {
        if (label[i] != '&') continue;
        if (label[i + 1] == '&') {
            i++;
            continue;
        }
        int before = textWidth(f, labelPart(label.substr(0, i), false));
        int through = textWidth(f, labelPart(label.substr(0, i + 2), false));
        setColor(cr, c);
        cairo_rectangle(cr, x + before, base + 2, std::max(1, through - before), 1);
        cairo_fill(cr);
        return;
    }
}

static std::map<HWND, int>& barHot()
{
    static std::map<HWND, int> m;
    return m;
}

void menuDrawBar(HWND h, cairo_t* cr, const RECT& bar)
{
    WindowRec* w = win(h);
    MenuRec* m = w ? menuOf(w->menu) : nullptr;
    setColor(cr, GetSysColor(COLOR_MENU));
    cairo_rectangle(cr, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top);
    cairo_fill(cr);
    if (!m) return;
    std::vector<RECT> items;
    menuBarLayout(h, &items);
    FontRec* f = menuFont();
    int hot = barHot().count(h) ? barHot()[h] : -1;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    for (size_t i = 0; i < items.size(); i++) {
        const RECT& r = items[i];
        bool grey = m->items[i].flags & (MF_GRAYED | MF_DISABLED);
        if ((int)i == hot) {
            setColor(cr, GetSysColor(COLOR_HIGHLIGHT));
            cairo_rectangle(cr, r.left, r.top + 1, r.right - r.left, r.bottom - r.top - 2);
            cairo_fill(cr);
        }
        COLORREF c = (int)i == hot ? RGB(255, 255, 255) : grey ? RGB(128, 128, 128) : RGB(0, 0, 0);
        double base = r.top + (r.bottom - r.top - f->ascent - f->descent) / 2 + f->ascent;
        drawTextRun(cr, f, r.left + 8, base, labelPart(m->items[i].text, false), c);
        drawKeyUnderline(cr, f, r.left + 8, base, m->items[i].text, c);
    }
    cairo_restore(cr);
}

// A menu taller than the screen shows part of its items between two arrow
// bands and scrolls: the content rects are laid out as if it all fitted,
// offset is how far the content is scrolled up, view is the height of the
// band between the arrows (0: the whole menu fits, no arrows).
struct MenuWndData : ControlData {
    HMENU menu = nullptr;
    int hot = -1;
    std::vector<RECT> rects;
    int offset = 0;
    int view = 0;
    int contentHeight = 0;
};
const int kArrowBand = 14;
const UINT kScrollTimer = 1;
const UINT kScrollEveryMs = 50;

static MenuWndData* menuData(HWND h)
{
    WindowRec* w = win(h);
    return w ? dynamic_cast<MenuWndData*>(w->ctrl.get()) : nullptr;
}

// Where item i is shown in the menu window's client area.
static RECT shownRect(const MenuWndData* d, int i)
{
    RECT r = d->rects[i];
    if (d->view) OffsetRect(&r, 0, kArrowBand - 2 - d->offset);
    return r;
}

// The band between the arrows (the whole client area when nothing scrolls).
static RECT viewRect(HWND h, const MenuWndData* d)
{
    RECT c;
    GetClientRect(h, &c);
    if (d->view) {
        c.top = kArrowBand;
        c.bottom = kArrowBand + d->view;
    }
    return c;
}

// An item the user can see whole (and so point at).
static bool itemShown(HWND h, const MenuWndData* d, int i)
{
    if (i < 0 || i >= (int)d->rects.size()) return false;
    RECT r = shownRect(d, i), v = viewRect(h, d);
    return r.top >= v.top && r.bottom <= v.bottom;
}

static int maxOffset(const MenuWndData* d) { return d->view ? std::max(0, d->contentHeight - d->view) : 0; }

// -1 over the upper arrow, 1 over the lower one, 0 elsewhere.
static int arrowAt(HWND h, const MenuWndData* d, POINT client)
{
    if (!d->view) return 0;
    RECT c;
    GetClientRect(h, &c);
    if (client.x < c.left || client.x >= c.right) return 0;
    if (client.y >= 0 && client.y < kArrowBand) return -1;
    if (client.y >= kArrowBand + d->view && client.y < c.bottom) return 1;
    return 0;
}

static void scrollTo(HWND h, int offset)
{
    MenuWndData* d = menuData(h);
    if (!d || !d->view) return;
    offset = std::max(0, std::min(offset, maxOffset(d)));
    if (offset == d->offset) return;
    d->offset = offset;
    InvalidateRect(h, nullptr, FALSE);
}

// One step is an item's usual height.
static void scrollBy(HWND h, int steps)
{
    MenuWndData* d = menuData(h);
    if (d) scrollTo(h, d->offset + steps * 20);
}

// Scrolls the least that shows item i whole.
static void scrollToItem(HWND h, int i)
{
    MenuWndData* d = menuData(h);
    if (!d || !d->view || i < 0 || i >= (int)d->rects.size()) return;
    RECT r = shownRect(d, i), v = viewRect(h, d);
    if (r.top < v.top)
        scrollTo(h, d->offset - (v.top - r.top));
    else if (r.bottom > v.bottom)
        scrollTo(h, d->offset + (r.bottom - v.bottom));
}

// The arrows of a scrolling menu, grey at the end that cannot scroll further.
static void drawArrows(cairo_t* cr, HWND h, const MenuWndData* d)
{
    RECT c;
    GetClientRect(h, &c);
    double mx = (c.left + c.right) / 2.0;
    for (int dir : {-1, 1}) {
        bool live = dir < 0 ? d->offset > 0 : d->offset < maxOffset(d);
        setColor(cr, live ? RGB(0, 0, 0) : RGB(160, 160, 160));
        double my = dir < 0 ? kArrowBand / 2.0 : kArrowBand + d->view + kArrowBand / 2.0;
        cairo_move_to(cr, mx - 5, my - 2.5 * dir);
        cairo_line_to(cr, mx + 5, my - 2.5 * dir);
        cairo_line_to(cr, mx, my + 2.5 * dir);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

static void drawPopup(HWND h, HDC hdc)
{
    MenuWndData* d = menuData(h);
    DCRec* dc = dcOf(hdc);
    MenuRec* m = d ? menuOf(d->menu) : nullptr;
    if (!m || !dc) return;
    cairo_t* cr = dcCairo(dc);
    RECT c;
    GetClientRect(h, &c);
    setColor(cr, GetSysColor(COLOR_MENU));
    cairo_paint(cr);
    FontRec* f = menuFont();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    if (d->view) {
        drawArrows(cr, h, d);
        RECT v = viewRect(h, d);
        cairo_rectangle(cr, v.left, v.top, v.right - v.left, v.bottom - v.top);
        cairo_clip(cr);
    }
    for (size_t i = 0; i < m->items.size() && i < d->rects.size(); i++) {
        const MenuItem& it = m->items[i];
        const RECT r = shownRect(d, (int)i);
        if (r.bottom <= 0 || r.top >= c.bottom) continue;
        if (it.flags & MF_SEPARATOR) {
            setColor(cr, RGB(160, 160, 160));
            cairo_rectangle(cr, r.left + 4, (r.top + r.bottom) / 2, r.right - r.left - 8, 1);
            cairo_fill(cr);
            continue;
        }
        bool hot = (int)i == d->hot;
        bool grey = it.flags & (MF_GRAYED | MF_DISABLED);
        if (hot) {
            setColor(cr, GetSysColor(COLOR_HIGHLIGHT));
            cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
            cairo_fill(cr);
        }
        COLORREF tc = grey ? RGB(128, 128, 128) : hot ? RGB(255, 255, 255) : RGB(0, 0, 0);
        if (it.flags & MF_CHECKED) {
            setColor(cr, tc);
            cairo_set_line_width(cr, 2);
            double my = (r.top + r.bottom) / 2.0;
            cairo_move_to(cr, r.left + 6, my);
            cairo_line_to(cr, r.left + 10, my + 4);
            cairo_line_to(cr, r.left + 17, my - 5);
            cairo_stroke(cr);
        }
        GdiObj* bm = (it.flags & MF_BITMAP) ? gdiOf(it.bitmap) : nullptr;
        if (bm && bm->kind == GDI_BITMAP) {
            cairo_set_source_surface(cr, bm->bitmap.surface, r.left + 22, r.top + 2);
            cairo_paint_with_alpha(cr, grey ? 0.4 : 1.0);
        } else {
            double base = r.top + (r.bottom - r.top - f->ascent - f->descent) / 2 + f->ascent;
            drawTextRun(cr, f, r.left + 22, base, labelPart(it.text, false), tc);
            drawKeyUnderline(cr, f, r.left + 22, base, it.text, tc);
            std::string key = labelPart(it.text, true);
            if (!key.empty()) drawTextRun(cr, f, r.right - 16 - textWidth(f, key), base, key, tc);
        }
        if (it.flags & MF_POPUP) {
            setColor(cr, tc);
            double my = (r.top + r.bottom) / 2.0;
            cairo_move_to(cr, r.right - 10, my - 4);
            cairo_line_to(cr, r.right - 6, my);
            cairo_line_to(cr, r.right - 10, my + 4);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
    }
    cairo_destroy(cr);
}

static LRESULT menuWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        drawPopup(h, dc);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_TIMER:
        // While the pointer rests on an arrow the menu keeps scrolling.
        if (wp == kScrollTimer) {
            MenuWndData* d = menuData(h);
            POINT p = st().cursorPos;
            ScreenToClient(h, &p);
            int dir = d ? arrowAt(h, d, p) : 0;
            if (dir)
                scrollBy(h, dir);
            else
                KillTimer(h, kScrollTimer);
        }
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

void menuTrackRegister() { registerBuiltinClass("#32768", menuWndProc, 0, 0, nullptr, nullptr); }

// ---- the tracker ---------------------------------------------------------------------
struct Level {
    HMENU menu;
    HWND wnd;
};
struct Tracker {
    HWND owner = nullptr;
    HWND bar = nullptr;
    int barItem = -1;
    UINT flags = 0;
    std::vector<Level> levels;
    bool done = false;
    UINT result = 0;
    bool armed = false;  // the button-up of the click that opened the menu chooses nothing
    POINT start{0, 0};
};
static std::vector<Tracker*>& trackers()
{
    static std::vector<Tracker*> t;
    return t;
}

// parentLeft: the left edge of the menu a sub-menu comes from (-1 for the
// first level); a sub-menu with no room at the right opens at its left.
static HWND openPopup(Tracker& t, HMENU menu, int x, int y, int parentLeft, int alignFlags)
{
    MenuRec* m = menuOf(menu);
    if (!m) return nullptr;
    if (t.owner && !(t.flags & TPM_NONOTIFY))
        SendMessageA(t.owner, WM_INITMENUPOPUP, (WPARAM)menu, (LPARAM)t.levels.size());
    std::vector<RECT> rects;
    SIZE sz = popupLayout(m, &rects);
    int w = sz.cx + 2, h = sz.cy + 2;
    if ((alignFlags & TPM_CENTERALIGN) == TPM_CENTERALIGN)
        x -= w / 2;
    else if (alignFlags & TPM_RIGHTALIGN)
        x -= w;
    if (alignFlags & TPM_BOTTOMALIGN)
        y -= h;
    else if (alignFlags & TPM_VCENTERALIGN)
        y -= h / 2;
    State& s = st();
    if (x + w > s.screenW) x = parentLeft >= 0 ? std::max(0, parentLeft - w + 3) : s.screenW - w;
    if (x < 0) x = 0;
    // Taller than the screen: as tall as the screen, scrolling between arrows.
    int view = 0;
    if (h > s.screenH && s.screenH > 4 * kArrowBand) {
        h = s.screenH;
        view = h - 2 - 2 * kArrowBand;
    }
    if (y + h > s.screenH) y = std::max(0, s.screenH - h);
    if (y < 0) y = 0;
    HWND wnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "#32768", "", WS_POPUP | WS_BORDER, x, y, w,
                               h, nullptr, nullptr, nullptr, nullptr);
    if (!wnd) return nullptr;
    auto d = std::make_unique<MenuWndData>();
    d->menu = menu;
    d->rects = rects;
    d->view = view;
    d->contentHeight = sz.cy - 4;
    win(wnd)->ctrl = std::move(d);
    ShowWindow(wnd, SW_SHOWNA);
    t.levels.push_back(Level{menu, wnd});
    if (!st().modals.empty()) st().modals.back().hwnd = wnd;
    return wnd;
}

static void closeFrom(Tracker& t, size_t level)
{
    while (t.levels.size() > level) {
        DestroyWindow(t.levels.back().wnd);
        t.levels.pop_back();
    }
    if (!st().modals.empty()) st().modals.back().hwnd = t.levels.empty() ? nullptr : t.levels.back().wnd;
}

static void setHot(HWND wnd, int hot)
{
    MenuWndData* d = menuData(wnd);
    if (!d || d->hot == hot) return;
    d->hot = hot;
    InvalidateRect(wnd, nullptr, FALSE);
}

static int itemAt(HWND wnd, POINT screen)
{
    MenuWndData* d = menuData(wnd);
    if (!d) return -1;
    POINT p = screen;
    ScreenToClient(wnd, &p);
    RECT v = viewRect(wnd, d);
    if (!PtInRect(&v, p)) return -1;
    for (size_t i = 0; i < d->rects.size(); i++) {
        RECT r = shownRect(d, (int)i);
        if (PtInRect(&r, p)) return (int)i;
    }
    return -1;
}

static const MenuItem* itemOf(HMENU m, int i)
{
    MenuRec* r = menuOf(m);
    return r && i >= 0 && i < (int)r->items.size() ? &r->items[i] : nullptr;
}

static void openSubmenu(Tracker& t, size_t level, int item)
{
    const MenuItem* it = itemOf(t.levels[level].menu, item);
    closeFrom(t, level + 1);
    if (!it || !(it->flags & MF_POPUP) || (it->flags & (MF_GRAYED | MF_DISABLED))) return;
    RECT wr;
    GetWindowRect(t.levels[level].wnd, &wr);
    RECT ir = shownRect(menuData(t.levels[level].wnd), item);
    openPopup(t, it->popup, wr.right - 3, wr.top + ir.top, wr.left, 0);
}

static int barItemAt(Tracker& t, POINT screen)
{
    if (!t.bar) return -1;
    std::vector<RECT> items;
    menuBarLayout(t.bar, &items);
    RECT wr = windowRectOnScreen(t.bar);
    for (size_t i = 0; i < items.size(); i++) {
        RECT r = items[i];
        OffsetRect(&r, wr.left, wr.top);
        if (PtInRect(&r, screen)) return (int)i;
    }
    return -1;
}

static void openBarItem(Tracker& t, int item)
{
    closeFrom(t, 0);
    t.barItem = item;
    barHot()[t.bar] = item;
    if (WindowRec* w = win(t.bar)) {
        w->ncDirty = true;
        damageWindow(t.bar);
    }
    const MenuItem* it = itemOf(win(t.bar)->menu, item);
    if (!it || !(it->flags & MF_POPUP) || (it->flags & (MF_GRAYED | MF_DISABLED))) return;
    std::vector<RECT> items;
    menuBarLayout(t.bar, &items);
    RECT wr = windowRectOnScreen(t.bar);
    openPopup(t, it->popup, wr.left + items[item].left, wr.top + items[item].bottom, -1, 0);
}

static void choose(Tracker& t, const MenuItem* it)
{
    if (!it || (it->flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR | MF_POPUP))) return;
    t.result = it->id;
    t.done = true;
}

static void handleMouse(Tracker& t, const MSG& m)
{
    State& s = st();
    POINT pt = s.cursorPos;
    int level = -1;
    for (int i = (int)t.levels.size() - 1; i >= 0; i--) {
        RECT r;
        GetWindowRect(t.levels[i].wnd, &r);
        if (PtInRect(&r, pt)) {
            level = i;
            break;
        }
    }
    if (m.message == WM_MOUSEWHEEL) {
        // The wheel scrolls the menu under the pointer (else the innermost);
        // the sub-menus it opened close, as they no longer sit by their items.
        if (level < 0) level = (int)t.levels.size() - 1;
        if (level < 0) return;
        closeFrom(t, (size_t)level + 1);
        setHot(t.levels[level].wnd, -1);
        scrollBy(t.levels[level].wnd, -3 * GET_WHEEL_DELTA_WPARAM(m.wParam) / WHEEL_DELTA);
        return;
    }
    bool down = m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN || m.message == WM_NCLBUTTONDOWN ||
                m.message == WM_NCRBUTTONDOWN || m.message == WM_LBUTTONDBLCLK;
    bool up = m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP || m.message == WM_NCLBUTTONUP ||
              m.message == WM_NCRBUTTONUP;
    if ((m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) &&
        (pt.x != t.start.x || pt.y != t.start.y))
        t.armed = true;
    if (down && level >= 0) t.armed = true;
    if (up && !t.armed) return;
    int bi = level < 0 ? barItemAt(t, pt) : -1;
    if (level < 0) {
        if (bi >= 0 && bi != t.barItem && (m.message == WM_MOUSEMOVE || down)) {
            openBarItem(t, bi);
            return;
        }
        if (down) {
            t.done = true;
            t.result = 0;
        }
        if (up && t.bar && bi == t.barItem && bi >= 0) {
            const MenuItem* it = itemOf(win(t.bar)->menu, bi);
            if (it && !(it->flags & MF_POPUP)) choose(t, it);
        }
        if (!t.levels.empty()) setHot(t.levels.back().wnd, -1);
        return;
    }
    HWND wnd = t.levels[level].wnd;
    POINT cp = pt;
    ScreenToClient(wnd, &cp);
    if (int dir = arrowAt(wnd, menuData(wnd), cp)) {
        // On an arrow: a press scrolls a step, resting there keeps scrolling.
        closeFrom(t, (size_t)level + 1);
        setHot(wnd, -1);
        if (down) scrollBy(wnd, dir);
        SetTimer(wnd, kScrollTimer, kScrollEveryMs, nullptr);
        return;
    }
    int item = itemAt(t.levels[level].wnd, pt);
    const MenuItem* it = itemOf(t.levels[level].menu, item);
    if (it && (it->flags & MF_SEPARATOR)) item = -1, it = nullptr;
    if (m.message == WM_MOUSEMOVE || down) {
        if (menuData(t.levels[level].wnd)->hot != item) {
            setHot(t.levels[level].wnd, item);
            openSubmenu(t, level, item);
        }
    }
    if (up && it) choose(t, it);
}

// Opened from the keyboard, a menu shows its first item highlighted.
static void highlightFirst(Tracker& t)
{
    if (t.levels.empty()) return;
    MenuRec* m = menuOf(t.levels.back().menu);
    if (!m) return;
    for (size_t i = 0; i < m->items.size(); i++)
        if (!(m->items[i].flags & MF_SEPARATOR)) {
            setHot(t.levels.back().wnd, (int)i);
            return;
        }
}

// A letter or digit: the item it marks in the open menu is highlighted and,
// when no other item shares the key, chosen (a sub-menu opens). With no
// such item in the menu, a menu-bar item with the key opens instead.
static void handleMnemonic(Tracker& t, WPARAM vk)
{
    int count = 0;
    if (!t.levels.empty()) {
        Level& lv = t.levels.back();
        MenuWndData* d = menuData(lv.wnd);
        int i = findMnemonic(menuOf(lv.menu), vk, d ? d->hot : -1, &count);
        if (i >= 0) {
            setHot(lv.wnd, i);
            scrollToItem(lv.wnd, i);
            if (count > 1) return;
            const MenuItem* it = itemOf(lv.menu, i);
            if (it && (it->flags & MF_POPUP)) {
                openSubmenu(t, t.levels.size() - 1, i);
                highlightFirst(t);
            } else {
                choose(t, it);
            }
            return;
        }
    }
    if (!t.bar) return;
    int i = findMnemonic(menuOf(win(t.bar)->menu), vk, t.barItem, &count);
    if (i < 0) return;
    openBarItem(t, i);
    highlightFirst(t);
}

static void handleKey(Tracker& t, WPARAM vk)
{
    if (isMnemonicKey(vk)) {
        handleMnemonic(t, vk);
        return;
    }
    if (t.levels.empty()) {
        if (vk == VK_ESCAPE) t.done = true;
        return;
    }
    Level& lv = t.levels.back();
    MenuWndData* d = menuData(lv.wnd);
    MenuRec* m = menuOf(lv.menu);
    if (!d || !m) return;
    int n = (int)m->items.size();
    switch (vk) {
    case VK_ESCAPE:
        if (t.levels.size() > 1)
            closeFrom(t, t.levels.size() - 1);
        else
            t.done = true;
        break;
    case VK_UP:
    case VK_DOWN: {
        int step = vk == VK_DOWN ? 1 : -1;
        // With nothing highlighted, Down goes to the first item and Up to the last.
        int i = d->hot >= 0 ? d->hot : (step > 0 ? -1 : 0);
        for (int k = 0; k < n; k++) {
            i = (i + step + n) % n;
            if (!(m->items[i].flags & MF_SEPARATOR)) break;
        }
        setHot(lv.wnd, i);
        scrollToItem(lv.wnd, i);
        break;
    }
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT: {
        // The first or last item, or a page of the shown items up or down,
        // stopping at the ends.
        int page = d->view ? std::max(1, d->view / 20 - 1) : n;
        int i = vk == VK_HOME    ? 0
                : vk == VK_END   ? n - 1
                : vk == VK_PRIOR ? std::max(0, d->hot - page)
                                 : std::min(n - 1, d->hot + page);
        int step = vk == VK_HOME || vk == VK_NEXT ? 1 : -1;
        if (vk == VK_NEXT && d->hot < 0) i = std::min(n - 1, page - 1);
        while (i >= 0 && i < n && (m->items[i].flags & MF_SEPARATOR)) i += step;
        if (i < 0 || i >= n) break;
        setHot(lv.wnd, i);
        scrollToItem(lv.wnd, i);
        break;
    }
    case VK_RIGHT: {
        const MenuItem* it = itemOf(lv.menu, d->hot);
        if (it && (it->flags & MF_POPUP))
            openSubmenu(t, t.levels.size() - 1, d->hot);
        else if (t.bar) {
            openBarItem(t, (t.barItem + 1) % std::max(1, GetMenuItemCount(win(t.bar)->menu)));
            highlightFirst(t);
        }
        break;
    }
    case VK_LEFT:
        if (t.levels.size() > 1)
            closeFrom(t, t.levels.size() - 1);
        else if (t.bar) {
            int count = std::max(1, GetMenuItemCount(win(t.bar)->menu));
            openBarItem(t, (t.barItem - 1 + count) % count);
            highlightFirst(t);
        }
        break;
    case VK_RETURN: {
        const MenuItem* it = itemOf(lv.menu, d->hot);
        if (it && (it->flags & MF_POPUP))
            openSubmenu(t, t.levels.size() - 1, d->hot);
        else
            choose(t, it);
        break;
    }
    }
}

static bool commandIsOpen(Tracker& t, UINT cmd)
{
    for (Level& l : t.levels) {
        HMENU owner;
        int pos;
        if (menuFindCommand(l.menu, cmd, &owner, &pos)) return !menuCommandGrayed(l.menu, cmd);
    }
    if (t.bar) {
        HMENU owner;
        int pos;
        if (menuFindCommand(win(t.bar)->menu, cmd, &owner, &pos))
            return !menuCommandGrayed(win(t.bar)->menu, cmd);
    }
    return false;
}

UINT trackMenu(HMENU menu, UINT flags, int x, int y, HWND owner, HWND barWindow, int barItem)
{
    State& s = st();
    Tracker t;
    t.owner = owner;
    t.bar = barWindow;
    t.flags = flags;
    t.start = s.cursorPos;
    ModalRec modal;
    modal.cancel = [&t]() {
        t.done = true;
        t.result = 0;
    };
    modal.answer = [&t](int id) {
        t.done = true;
        t.result = commandIsOpen(t, (UINT)id) ? (UINT)id : 0;
    };
    if (s.capture) ReleaseCapture();
    s.modals.push_back(modal);
    trackers().push_back(&t);
    if (barWindow) {
        openBarItem(t, barItem);
        if (flags & kTrackFromKeyboard) highlightFirst(t);
    } else {
        openPopup(t, menu, x, y, -1, flags);
    }
    MSG m;
    while (!t.done) {
        HWND grab = t.levels.empty() ? barWindow : t.levels[0].wnd;
        if (grab && GetCapture() != grab) SetCapture(grab);
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage((int)m.wParam);
            break;
        }
        bool mouse = (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
                     (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCRBUTTONUP);
        if (mouse)
            handleMouse(t, m);
        else if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN)
            handleKey(t, m.wParam);
        else if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST)
            continue;
        else
            DispatchMessageA(&m);
    }
    closeFrom(t, 0);
    trackers().pop_back();
    s.modals.pop_back();
    if (GetCapture()) ReleaseCapture();
    if (barWindow) {
        barHot().erase(barWindow);
        if (WindowRec* w = win(barWindow)) {
            w->ncDirty = true;
            damageWindow(barWindow);
        }
        if (t.result) PostMessageA(barWindow, WM_COMMAND, MAKEWPARAM(t.result, 0), 0);
    }
    return t.result;
}

int menuBarMnemonicItem(HWND h, WPARAM vk)
{
    WindowRec* w = win(h);
    if (!w || !isMnemonicKey(vk)) return -1;
    int count = 0;
    return findMnemonic(menuOf(w->menu), vk, -1, &count);
}

}  // namespace plat

using namespace plat;

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    if (!menuOf(menu) || !st().running) return 0;
    UINT cmd = trackMenu(menu, flags, x, y, owner, nullptr, -1);
    if (flags & TPM_RETURNCMD) return (BOOL)cmd;
    if (cmd && win(owner)) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
    return cmd ? TRUE : FALSE;
}

int platform_menuItemScreenRect(UINT command, RECT* out)
{
    if (!out || trackers().empty()) return 0;
    Tracker& t = *trackers().back();
    for (Level& l : t.levels) {
        MenuRec* m = menuOf(l.menu);
        MenuWndData* d = menuData(l.wnd);
        if (!m || !d) continue;
        for (size_t i = 0; i < m->items.size() && i < d->rects.size(); i++) {
            const MenuItem& it = m->items[i];
            bool match = (it.flags & MF_POPUP) ? fromHandle(it.popup) == command
                                               : (!(it.flags & MF_SEPARATOR) && it.id == command);
            if (!match) continue;
            if (!itemShown(l.wnd, d, (int)i)) return 0;  // scrolled out of sight
            RECT r = shownRect(d, (int)i);
            POINT o = clientOriginOnScreen(l.wnd);
            OffsetRect(&r, o.x, o.y);
            *out = r;
            return 1;
        }
    }
    return 0;
}

int platform_menuBarItemScreenRect(HWND hwnd, int position, RECT* out)
{
    std::vector<RECT> items;
    menuBarLayout(hwnd, &items);
    if (!out || position < 0 || position >= (int)items.size()) return 0;
    RECT wr = windowRectOnScreen(hwnd);
    *out = items[position];
    OffsetRect(out, wr.left, wr.top);
    return 1;
}
