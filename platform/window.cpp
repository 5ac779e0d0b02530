// Window classes and window records: create and destroy, show and hide,
// position, size, z-order, hierarchy, window data and hit testing.
// Index: classes; lookup and geometry helpers; creation; destruction;
// window data; visibility and enabling; moving and sizing; coordinates;
// hierarchy; text; system metrics.
#include "platform/internal.h"
#include <algorithm>
#include <cstring>

namespace plat {
void mdiMinimize(HWND h);
void mdiRestore(HWND h);
void mdiChildGone(HWND child);
HWND mdiCreateChild(HWND client, const MDICREATESTRUCTA* mcs);

// ---- classes --------------------------------------------------------------------
ClassRec* findClass(LPCSTR name)
{
    if (!name || IS_INTRESOURCE(name)) return nullptr;
    auto it = st().classes.find(upperCase(name));
    return it == st().classes.end() ? nullptr : it->second.get();
}

void registerBuiltinClass(const char* name, WNDPROC proc, UINT style, int wndExtra, HBRUSH bg, HCURSOR cursor)
{
    auto c = std::make_unique<ClassRec>();
    c->name = name;
    c->proc = proc;
    c->style = style;
    c->wndExtra = wndExtra;
    c->background = bg;
    c->cursor = cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
    c->builtin = true;
    st().classes[upperCase(name)] = std::move(c);
}

// ---- lookup and geometry helpers --------------------------------------------------
WindowRec* win(HWND h)
{
    if (!h) return nullptr;
    auto& m = st().windows;
    auto it = m.find(fromHandle(h));
    return it == m.end() ? nullptr : it->second.get();
}

bool isTopLevel(const WindowRec* w) { return !(w->style & WS_CHILD); }

HWND topLevelOf(HWND h)
{
    WindowRec* w = win(h);
    while (w && (w->style & WS_CHILD) && win(w->parent)) w = win(w->parent);
    return w ? w->handle : nullptr;
}

bool isReallyVisible(HWND h)
{
    for (WindowRec* w = win(h); w; w = (w->style & WS_CHILD) ? win(w->parent) : nullptr) {
        if (!(w->style & WS_VISIBLE)) return false;
        if (isTopLevel(w) && w->minimized) return false;
    }
    return win(h) != nullptr;
}

bool isReallyEnabled(HWND h)
{
    for (WindowRec* w = win(h); w; w = (w->style & WS_CHILD) ? win(w->parent) : nullptr)
        if (w->style & WS_DISABLED) return false;
    return win(h) != nullptr;
}

RECT clientInsets(const WindowRec* w)
{
    int b = 0;
    if (w->style & WS_THICKFRAME)
        b = 4;
    else if ((w->style & WS_CAPTION) == WS_CAPTION || (w->style & WS_DLGFRAME) ||
             (w->exStyle & WS_EX_DLGMODALFRAME))
        b = 3;
    else if (w->style & WS_BORDER)
        b = 1;
    if (w->exStyle & WS_EX_CLIENTEDGE) b += 2;
    RECT r{b, b + ncCaptionHeight(w) + ncMenuHeight(w), b, b};
    return r;
}

RECT clientRectInWindow(const WindowRec* w)
{
    RECT in = clientInsets(w);
    int ww = w->rect.right - w->rect.left, wh = w->rect.bottom - w->rect.top;
    RECT r{in.left, in.top, std::max<LONG>(in.left, ww - in.right), std::max<LONG>(in.top, wh - in.bottom)};
    return r;
}

POINT clientOriginOnScreen(HWND h)
{
    POINT p{0, 0};
    WindowRec* w = win(h);
    if (!w) return p;
    RECT in = clientInsets(w);
    p.x = w->rect.left + in.left;
    p.y = w->rect.top + in.top;
    if (!isTopLevel(w)) {
        POINT o = clientOriginOnScreen(w->parent);
        p.x += o.x;
        p.y += o.y;
    }
    return p;
}

RECT windowRectOnScreen(HWND h)
{
    RECT r{0, 0, 0, 0};
    WindowRec* w = win(h);
    if (!w) return r;
    r = w->rect;
    if (!isTopLevel(w)) {
        POINT o = clientOriginOnScreen(w->parent);
        OffsetRect(&r, o.x, o.y);
    }
    return r;
}

void damageWindow(HWND h)
{
    State& s = st();
    WindowRec* w = win(h);
    if (!w || !s.damage) return;
    RECT r = windowRectOnScreen(h);
    for (WindowRec* p = w; !isTopLevel(p) && win(p->parent); p = win(p->parent)) {
        WindowRec* par = win(p->parent);
        RECT c = clientRectInWindow(par);
        RECT pr = windowRectOnScreen(par->handle);
        OffsetRect(&c, pr.left, pr.top);
        IntersectRect(&r, &r, &c);
    }
    if (IsRectEmpty(&r)) return;
    cairo_rectangle_int_t cr{r.left, r.top, r.right - r.left, r.bottom - r.top};
    cairo_region_union_rectangle(s.damage, &cr);
}

void resizeSurface(WindowRec* w)
{
    int ww = std::max<LONG>(1, w->rect.right - w->rect.left);
    int wh = std::max<LONG>(1, w->rect.bottom - w->rect.top);
    if (w->surface && cairo_image_surface_get_width(w->surface) == ww &&
        cairo_image_surface_get_height(w->surface) == wh)
        return;
    cairo_surface_t* ns = cairo_image_surface_create(CAIRO_FORMAT_RGB24, ww, wh);
    cairo_t* cr = cairo_create(ns);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    if (w->surface) {
        cairo_set_source_surface(cr, w->surface, 0, 0);
        cairo_paint(cr);
        cairo_surface_destroy(w->surface);
    }
    cairo_destroy(cr);
    w->surface = ns;
}

static std::vector<HWND>* siblingList(WindowRec* w)
{
    if (isTopLevel(w)) return &st().topLevels;
    WindowRec* p = win(w->parent);
    return p ? &p->children : nullptr;
}

// Brings a window to the top of its siblings; top-level windows keep their
// owned windows above them and stay below the topmost ones.
void zorderToTop(HWND h)
{
    WindowRec* w = win(h);
    if (!w) return;
    std::vector<HWND>* list = siblingList(w);
    if (!list) return;
    auto it = std::find(list->begin(), list->end(), h);
    if (it == list->end()) return;
    list->erase(it);
    if (!isTopLevel(w)) {
        list->push_back(h);
    } else {
        auto pos = list->end();
        if (!(w->exStyle & WS_EX_TOPMOST))
            pos = std::find_if(list->begin(), list->end(), [](HWND o) {
                WindowRec* r = win(o);
                return r && (r->exStyle & WS_EX_TOPMOST);
            });
        list->insert(pos, h);
        std::vector<HWND> owned;
        for (HWND o : *list) {
            WindowRec* r = win(o);
            if (r && r->owner == h) owned.push_back(o);
        }
        for (HWND o : owned) zorderToTop(o);
    }
    damageWindow(h);
}

HWND hitTestWindow(POINT pt, int* hitCode)
{
    State& s = st();
    *hitCode = HTNOWHERE;
    for (auto it = s.topLevels.rbegin(); it != s.topLevels.rend(); ++it) {
        WindowRec* w = win(*it);
        if (!w || !(w->style & WS_VISIBLE) || w->minimized || !PtInRect(&w->rect, pt)) continue;
        HWND cur = w->handle;
        for (;;) {
            int hit = ncHitTest(cur, pt);
            if (hit != HTCLIENT) {
                *hitCode = hit;
                return cur;
            }
            WindowRec* c = win(cur);
            POINT o = clientOriginOnScreen(cur);
            POINT local{pt.x - o.x, pt.y - o.y};
            HWND next = nullptr;
            for (auto ci = c->children.rbegin(); ci != c->children.rend(); ++ci) {
                WindowRec* ch = win(*ci);
                if (!ch || !(ch->style & WS_VISIBLE) || (ch->style & WS_DISABLED)) continue;
                if (upperCase(ch->cls->name) == "STATIC") continue;  // static text lets clicks through
                if (PtInRect(&ch->rect, local)) {
                    next = ch->handle;
                    break;
                }
            }
            if (!next) {
                *hitCode = HTCLIENT;
                return cur;
            }
            cur = next;
        }
    }
    return nullptr;
}

void setWindowRect(HWND h, const RECT& r, bool sendMessages)
{
    WindowRec* w = win(h);
    if (!w) return;
    RECT old = w->rect;
    if (EqualRect(&old, &r)) return;
    if (w->style & WS_VISIBLE) damageWindow(h);
    bool sized = (old.right - old.left) != (r.right - r.left) || (old.bottom - old.top) != (r.bottom - r.top);
    bool moved = old.left != r.left || old.top != r.top;
    w->rect = r;
    if (sized) {
        resizeSurface(w);
        w->ncDirty = true;
        invalidateClient(h, nullptr, true);
    }
    if (w->style & WS_VISIBLE) damageWindow(h);
    if (!sendMessages) return;
    RECT c = clientRectInWindow(w);
    if (moved) SendMessageA(h, WM_MOVE, 0, MAKELPARAM(r.left + c.left, r.top + c.top));
    w = win(h);
    if (w && sized)
        SendMessageA(h, WM_SIZE, w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED,
                     MAKELPARAM(c.right - c.left, c.bottom - c.top));
}

// ---- destruction ------------------------------------------------------------------
void destroyRecursive(HWND h)
{
    State& s = st();
    WindowRec* w = win(h);
    if (!w || w->destroyed) return;
    w->destroyed = true;
    SendMessageA(h, WM_DESTROY, 0, 0);
    w = win(h);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) destroyRecursive(*it);
    SendMessageA(h, WM_NCDESTROY, 0, 0);
    w = win(h);
    if (!w) return;
    timersKillWindow(h);
    if (s.capture == h) s.capture = nullptr;
    if (s.focus == h) s.focus = nullptr;
    if (s.active == h) s.active = nullptr;
    std::vector<HWND>* list = siblingList(w);
    if (list) list->erase(std::remove(list->begin(), list->end(), h), list->end());
    if (w->surface) cairo_surface_destroy(w->surface);
    w->surface = nullptr;
    if (w->update) cairo_region_destroy(w->update);
    w->update = nullptr;
    w->ctrl.reset();
    auto it = s.windows.find(fromHandle(h));
    s.graveyard.push_back(std::move(it->second));
    s.windows.erase(it);
}

}  // namespace plat

using namespace plat;

// ---- classes (public) -----------------------------------------------------------------
ATOM RegisterClassExA(const WNDCLASSEXA* wc)
{
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc) return 0;
    std::string key = upperCase(wc->lpszClassName);
    State& s = st();
    auto it = s.classes.find(key);
    if (it != s.classes.end() && !it->second->builtin) return 0;
    auto c = std::make_unique<ClassRec>();
    c->name = wc->lpszClassName;
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->wndExtra = std::max(0, wc->cbWndExtra);
    c->inst = wc->hInstance;
    c->icon = wc->hIcon;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    s.classes[key] = std::move(c);
    static ATOM next = 0xC000;
    return ++next;
}

ATOM RegisterClassA(const WNDCLASSA* wc)
{
    if (!wc) return 0;
    WNDCLASSEXA ex{sizeof(WNDCLASSEXA), wc->style,        wc->lpfnWndProc,   wc->cbClsExtra,
                   wc->cbWndExtra,      wc->hInstance,    wc->hIcon,         wc->hCursor,
                   wc->hbrBackground,   wc->lpszMenuName, wc->lpszClassName, nullptr};
    return RegisterClassExA(&ex);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE)
{
    ClassRec* c = findClass(className);
    if (!c || c->builtin) return FALSE;
    for (auto& w : st().windows)
        if (w.second->cls == c) return FALSE;
    st().classes.erase(upperCase(className));
    return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR className, WNDCLASSA* out)
{
    ClassRec* c = findClass(className);
    if (!c || !out) return FALSE;
    out->style = c->style;
    out->lpfnWndProc = c->proc;
    out->cbClsExtra = 0;
    out->cbWndExtra = c->wndExtra;
    out->hInstance = c->inst;
    out->hIcon = c->icon;
    out->hCursor = c->cursor;
    out->hbrBackground = c->background;
    out->lpszMenuName = nullptr;
    out->lpszClassName = className;
    return TRUE;
}

int GetClassNameA(HWND hwnd, LPSTR buf, int max)
{
    WindowRec* w = win(hwnd);
    if (!w || !buf || max <= 0) return 0;
    int n = (int)std::min<size_t>(w->cls->name.size(), (size_t)max - 1);
    memcpy(buf, w->cls->name.data(), n);
    buf[n] = 0;
    return n;
}

// ---- creation -------------------------------------------------------------------------
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE inst, LPVOID param)
{
    State& s = st();
    if (!s.running) return nullptr;
    ClassRec* c = findClass(className);
    if (!c) return nullptr;
    if (exStyle & WS_EX_MDICHILD) {
        WindowRec* client = win(parent);
        if (!client || !client->isMdiClient) return nullptr;
        MDICREATESTRUCTA mcs{className, title, inst, x, y, width, height, style, (LPARAM)param};
        return mdiCreateChild(parent, &mcs);
    }
    bool child = (style & WS_CHILD) != 0;
    if (child && !win(parent)) return nullptr;
    if (!child && parent && !win(parent)) parent = nullptr;

    auto rec = std::make_unique<WindowRec>();
    WindowRec* w = rec.get();
    HWND h = toHandle<HWND>(newHandleId());
    w->handle = h;
    w->cls = c;
    w->proc = c->proc;
    w->text = title && !IS_INTRESOURCE(title) ? title : "";
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->inst = inst;
    w->extra.assign(c->wndExtra, 0);
    if (child) {
        w->parent = parent;
        w->id = (LONG_PTR)(uintptr_t)menuOrId;
    } else {
        w->owner = parent ? topLevelOf(parent) : nullptr;
        w->menu = menuOrId && menuOf(menuOrId) ? menuOrId : nullptr;
    }
    static int cascade = 0;
    if (x == CW_USEDEFAULT) {
        x = child ? 0 : 40 + 24 * (cascade % 8);
        y = child ? 0 : 40 + 24 * (cascade % 8);
        cascade++;
    }
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : 480;
        height = child ? 0 : 360;
    }
    w->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
    s.windows[fromHandle(h)] = std::move(rec);
    if (child)
        win(parent)->children.push_back(h);
    else {
        s.topLevels.push_back(h);
        zorderToTop(h);
    }
    resizeSurface(w);

    CREATESTRUCTA cs{param, inst, menuOrId,    parent, height,    width,
                     y,     x,    (LONG)style, title,  className, exStyle};
    if (!SendMessageA(h, WM_NCCREATE, 0, (LPARAM)&cs)) {
        destroyRecursive(h);
        return nullptr;
    }
    if (!win(h)) return nullptr;
    if (SendMessageA(h, WM_CREATE, 0, (LPARAM)&cs) == -1) {
        destroyRecursive(h);
        return nullptr;
    }
    w = win(h);
    if (!w) return nullptr;
    RECT cr = clientRectInWindow(w);
    SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cr.right - cr.left, cr.bottom - cr.top));
    SendMessageA(h, WM_MOVE, 0, MAKELPARAM(w->rect.left + cr.left, w->rect.top + cr.top));
    invalidateClient(h, nullptr, true);
    if (win(h) && (style & WS_VISIBLE)) ShowWindow(h, SW_SHOW);
    return win(h) ? h : nullptr;
}

BOOL IsWindow(HWND hwnd) { return win(hwnd) != nullptr; }

static void activateAnotherThan(HWND gone)
{
    State& s = st();
    if (s.active && s.active != gone && win(s.active)) return;
    HWND owner = nullptr;
    if (WindowRec* g = win(gone)) owner = g->owner;
    if (owner && isReallyVisible(owner) && isReallyEnabled(owner)) {
        activateTopLevel(owner, WA_ACTIVE);
        return;
    }
    for (auto it = s.topLevels.rbegin(); it != s.topLevels.rend(); ++it) {
        WindowRec* w = win(*it);
        if (*it != gone && w && (w->style & WS_VISIBLE) && !w->minimized && !(w->exStyle & WS_EX_TOPMOST) &&
            !(w->style & WS_DISABLED)) {
            activateTopLevel(*it, WA_ACTIVE);
            return;
        }
    }
    s.active = nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    State& s = st();
    WindowRec* w = win(hwnd);
    if (!w || w->destroyed) return FALSE;
    std::vector<HWND> owned;
    for (HWND t : s.topLevels)
        if (win(t) && win(t)->owner == hwnd) owned.push_back(t);
    for (HWND o : owned) DestroyWindow(o);
    w = win(hwnd);
    if (!w) return TRUE;
    bool top = isTopLevel(w);
    bool mdiChild = w->isMdiChild;
    if (w->style & WS_VISIBLE) damageWindow(hwnd);
    if (mdiChild) {
        w->style &= ~WS_VISIBLE;
        mdiChildGone(hwnd);
    }
    bool wasActive = s.active == hwnd;
    if (s.capture && (s.capture == hwnd || IsChild(hwnd, s.capture))) ReleaseCapture();
    if (s.focus && (s.focus == hwnd || IsChild(hwnd, s.focus))) s.focus = nullptr;
    destroyRecursive(hwnd);
    if (top && wasActive) activateAnotherThan(hwnd);
    return TRUE;
}

// ---- window data --------------------------------------------------------------------
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index)
{
    WindowRec* w = win(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWLP_WNDPROC: return (LONG_PTR)w->proc;
    case GWLP_HINSTANCE: return (LONG_PTR)w->inst;
    case GWLP_HWNDPARENT: return (LONG_PTR)(isTopLevel(w) ? w->owner : w->parent);
    case GWLP_ID: return w->id;
    case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
    case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->exStyle;
    case GWLP_USERDATA: return w->userData;
    }
    if (index < 0 || (size_t)index + sizeof(LONG_PTR) > w->extra.size()) return 0;
    LONG_PTR v;
    memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    WindowRec* w = win(hwnd);
    if (!w) return 0;
    LONG_PTR old = GetWindowLongPtrA(hwnd, index);
    switch (index) {
    case GWLP_WNDPROC:
        if (value) w->proc = (WNDPROC)value;
        return old;
    case GWLP_HINSTANCE: w->inst = (HINSTANCE)value; return old;
    case GWLP_ID: w->id = value; return old;
    case GWLP_USERDATA: w->userData = value; return old;
    case GWL_STYLE:
        w->style = (DWORD)value;
        w->ncDirty = true;
        damageWindow(hwnd);
        return old;
    case GWL_EXSTYLE:
        w->exStyle = (DWORD)value;
        w->ncDirty = true;
        return old;
    case GWLP_HWNDPARENT:
        if (isTopLevel(w)) w->owner = topLevelOf((HWND)value);
        return old;
    }
    if (index < 0 || (size_t)index + sizeof(LONG_PTR) > w->extra.size()) return 0;
    memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

ULONG_PTR GetClassLongPtrA(HWND hwnd, int index)
{
    WindowRec* w = win(hwnd);
    if (!w) return 0;
    if (index == GCLP_HCURSOR) return (ULONG_PTR)w->cls->cursor;
    if (index == GCLP_HBRBACKGROUND) return (ULONG_PTR)w->cls->background;
    return 0;
}

ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    WindowRec* w = win(hwnd);
    if (!w) return 0;
    ULONG_PTR old = GetClassLongPtrA(hwnd, index);
    if (index == GCLP_HCURSOR) w->cls->cursor = (HCURSOR)value;
    if (index == GCLP_HBRBACKGROUND) w->cls->background = (HBRUSH)value;
    return old;
}

// ---- visibility and enabling -------------------------------------------------------------
static void showInternal(HWND h)
{
    WindowRec* w = win(h);
    if (!w || (w->style & WS_VISIBLE)) return;
    SendMessageA(h, WM_SHOWWINDOW, TRUE, 0);
    w = win(h);
    if (!w) return;
    w->style |= WS_VISIBLE;
    w->ncDirty = true;
    invalidateClient(h, nullptr, true);
    damageWindow(h);
}

BOOL ShowWindow(HWND hwnd, int cmd)
{
    State& s = st();
    WindowRec* w = win(hwnd);
    if (!w) return FALSE;
    BOOL was = (w->style & WS_VISIBLE) ? TRUE : FALSE;
    bool top = isTopLevel(w);
    switch (cmd) {
    case SW_HIDE: {
        if (!was) return FALSE;
        SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
        w = win(hwnd);
        if (!w) return was;
        damageWindow(hwnd);
        w->style &= ~WS_VISIBLE;
        if (s.capture && (s.capture == hwnd || IsChild(hwnd, s.capture))) ReleaseCapture();
        if (s.focus && (s.focus == hwnd || IsChild(hwnd, s.focus))) SetFocus(top ? nullptr : w->parent);
        if (w->isMdiChild) mdiChildGone(hwnd);
        if (top && s.active == hwnd) {
            s.active = nullptr;
            activateAnotherThan(hwnd);
        }
        return was;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        showInternal(hwnd);
        if (!win(hwnd) || win(hwnd)->minimized) return was;
        if (w->isMdiChild) {
            mdiMinimize(hwnd);
        } else {
            w->minimized = true;
            w->style |= WS_MINIMIZE;
            damageWindow(hwnd);
            if (!w->owner && s.presenter) s.presenter->minimize();
            if (s.active == hwnd) activateAnotherThan(hwnd);
        }
        return was;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
    case SW_SHOWMAXIMIZED:
        if (w->minimized) {
            if (w->isMdiChild) {
                mdiRestore(hwnd);
            } else {
                w->minimized = false;
                w->style &= ~WS_MINIMIZE;
                damageWindow(hwnd);
                if (!w->owner && s.presenter) s.presenter->restore();
            }
        }
        showInternal(hwnd);
        if (top && win(hwnd)) activateTopLevel(hwnd, WA_ACTIVE);
        return was;
    case SW_SHOW:
        showInternal(hwnd);
        if (top && win(hwnd) && !w->minimized) activateTopLevel(hwnd, WA_ACTIVE);
        return was;
    default:  // SW_SHOWNA, SW_SHOWNOACTIVATE
        showInternal(hwnd);
        return was;
    }
}

BOOL IsWindowVisible(HWND hwnd) { return isReallyVisible(hwnd) ? TRUE : FALSE; }
BOOL IsIconic(HWND hwnd)
{
    WindowRec* w = win(hwnd);
    return w && w->minimized ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    State& s = st();
    WindowRec* w = win(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable)
        w->style &= ~WS_DISABLED;
    else
        w->style |= WS_DISABLED;
    if ((wasDisabled != 0) == (enable == 0)) return wasDisabled;
    if (!enable) {
        if (s.focus && (s.focus == hwnd || IsChild(hwnd, s.focus))) s.focus = nullptr;
        if (s.capture && (s.capture == hwnd || IsChild(hwnd, s.capture))) ReleaseCapture();
    }
    SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    WindowRec* w = win(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

// ---- moving and sizing -----------------------------------------------------------------------
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL)
{
    if (!win(hwnd)) return FALSE;
    setWindowRect(hwnd, RECT{x, y, x + std::max(0, width), y + std::max(0, height)}, true);
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    WindowRec* w = win(hwnd);
    if (!w) return FALSE;
    RECT r = w->rect;
    if (!(flags & SWP_NOMOVE)) OffsetRect(&r, x - r.left, y - r.top);
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(0, cx);
        r.bottom = r.top + std::max(0, cy);
    }
    setWindowRect(hwnd, r, true);
    w = win(hwnd);
    if (!w) return FALSE;
    if (!(flags & SWP_NOZORDER)) {
        if (after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
        if (after == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
        if (after == HWND_BOTTOM) {
            std::vector<HWND>* list = siblingList(w);
            if (list) {
                list->erase(std::remove(list->begin(), list->end(), hwnd), list->end());
                list->insert(list->begin(), hwnd);
                damageWindow(hwnd);
            }
        } else {
            zorderToTop(hwnd);
        }
    }
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    return TRUE;
}

BOOL BringWindowToTop(HWND hwnd)
{
    WindowRec* w = win(hwnd);
    if (!w) return FALSE;
    if (isTopLevel(w))
        activateTopLevel(hwnd, WA_ACTIVE);
    else
        zorderToTop(hwnd);
    return TRUE;
}

// ---- coordinates -------------------------------------------------------------------------------
BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    WindowRec* w = win(hwnd);
    if (!w || !rect) return FALSE;
    RECT c = clientRectInWindow(w);
    *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    if (!win(hwnd) || !rect) return FALSE;
    *rect = windowRectOnScreen(hwnd);
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt)
{
    if (!win(hwnd) || !pt) return FALSE;
    POINT o = clientOriginOnScreen(hwnd);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt)
{
    if (!win(hwnd) || !pt) return FALSE;
    POINT o = clientOriginOnScreen(hwnd);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count)
{
    POINT a = from ? clientOriginOnScreen(from) : POINT{0, 0};
    POINT b = to ? clientOriginOnScreen(to) : POINT{0, 0};
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; pts && i < count; i++) {
        pts[i].x += dx;
        pts[i].y += dy;
    }
    return MAKELONG(dx, dy);
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect) return FALSE;
    WindowRec tmp;
    tmp.style = style;
    tmp.exStyle = exStyle;
    RECT in = clientInsets(&tmp);
    rect->left -= in.left;
    rect->top -= in.top + (menu && !(style & WS_CHILD) ? 20 : 0);
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu)
{
    return AdjustWindowRectEx(rect, style, menu, 0);
}

// ---- hierarchy -------------------------------------------------------------------------------------
HWND GetParent(HWND hwnd)
{
    WindowRec* w = win(hwnd);
    if (!w) return nullptr;
    return (w->style & WS_CHILD) ? w->parent : w->owner;
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    WindowRec* w = win(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_OWNER) return isTopLevel(w) ? w->owner : nullptr;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.back();
    if (cmd == GW_HWNDNEXT) {
        std::vector<HWND>* list = siblingList(w);
        if (!list) return nullptr;
        auto it = std::find(list->begin(), list->end(), hwnd);
        return (it == list->end() || it == list->begin()) ? nullptr : *(it - 1);
    }
    return nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    WindowRec* w = win(hwnd);
    while (w && (w->style & WS_CHILD)) {
        if (w->parent == parent) return TRUE;
        w = win(w->parent);
    }
    return FALSE;
}

HWND WindowFromPoint(POINT pt)
{
    int hit;
    return hitTestWindow(pt, &hit);
}

HWND GetDesktopWindow(void) { return nullptr; }

// ---- text ------------------------------------------------------------------------------------------------
BOOL SetWindowTextA(HWND hwnd, LPCSTR text)
{
    if (!win(hwnd)) return FALSE;
    return SendMessageA(hwnd, WM_SETTEXT, 0, (LPARAM)(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buf, int max)
{
    if (!win(hwnd) || !buf || max <= 0) return 0;
    return (int)SendMessageA(hwnd, WM_GETTEXT, (WPARAM)max, (LPARAM)buf);
}

int GetWindowTextLengthA(HWND hwnd)
{
    if (!win(hwnd)) return 0;
    return (int)SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
}

int GetDlgCtrlID(HWND hwnd)
{
    WindowRec* w = win(hwnd);
    return w && !isTopLevel(w) ? (int)w->id : 0;
}

// ---- system metrics ---------------------------------------------------------------------------------------
int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN: return st().screenW;
    case SM_CYSCREEN: return st().screenH;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 20;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CYMENU: return 20;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    }
    return 0;
}
