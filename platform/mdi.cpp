// The MDI client and its child windows: creation, activation (with
// WM_MDIACTIVATE to both windows), minimising to a caption strip at the
// bottom of the client, restoring, hiding, closing; and the default frame
// and child procedures.
#include "platform/internal.h"
#include <algorithm>

namespace plat {

static const int kIconWidth = 160;

bool mdiIsActiveChild(HWND h)
{
    WindowRec* w = win(h);
    WindowRec* c = w ? win(w->parent) : nullptr;
    return c && c->isMdiClient && c->mdiActive == h;
}

HWND mdiChildOf(HWND h)
{
    for (WindowRec* w = win(h); w && !isTopLevel(w); w = win(w->parent))
        if (w->isMdiChild) return w->handle;
    return nullptr;
}

static void mdiActivate(HWND client, HWND child)
{
    WindowRec* c = win(client);
    if (!c || !c->isMdiClient) return;
    HWND old = c->mdiActive;
    if (old == child) {
        if (child) zorderToTop(child);
        return;
    }
    c->mdiActive = child;
    if (WindowRec* o = win(old)) {
        o->ncDirty = true;
        damageWindow(old);
        SendMessageA(old, WM_MDIACTIVATE, (WPARAM)old, (LPARAM)child);
    }
    if (WindowRec* n = win(child)) {
        zorderToTop(child);
        n->ncDirty = true;
        damageWindow(child);
        SendMessageA(child, WM_MDIACTIVATE, (WPARAM)old, (LPARAM)child);
        State& s = st();
        if (win(child) && s.active == topLevelOf(client) &&
            (!s.focus || !(s.focus == child || IsChild(child, s.focus))))
            SetFocus(child);
    }
}

// The next visible child from the top of the z-order becomes active.
static void activateNext(HWND client, HWND except)
{
    WindowRec* c = win(client);
    if (!c) return;
    for (auto it = c->children.rbegin(); it != c->children.rend(); ++it) {
        WindowRec* w = win(*it);
        if (*it != except && w && w->isMdiChild && (w->style & WS_VISIBLE)) {
            mdiActivate(client, *it);
            return;
        }
    }
    mdiActivate(client, nullptr);
}

void mdiChildGone(HWND child)
{
    WindowRec* w = win(child);
    WindowRec* c = w ? win(w->parent) : nullptr;
    if (c && c->mdiActive == child) activateNext(c->handle, child);
}

void mdiMinimize(HWND h)
{
    WindowRec* w = win(h);
    WindowRec* c = w ? win(w->parent) : nullptr;
    if (!w || !c || w->minimized) return;
    w->restoreRect = w->rect;
    w->minimized = true;
    w->style |= WS_MINIMIZE;
    RECT cr;
    GetClientRect(c->handle, &cr);
    RECT in = clientInsets(w);
    int height = in.top - ncMenuHeight(w) + in.bottom;
    int perRow = std::max(1, (int)cr.right / kIconWidth);
    // The first slot no other minimised child sits in (one restored in between
    // leaves a gap that is filled first).
    std::vector<bool> used;
    for (HWND k : c->children) {
        WindowRec* o = win(k);
        if (k == h || !o || !o->minimized || height <= 0) continue;
        int col = o->rect.left / kIconWidth, row = (cr.bottom - o->rect.bottom) / height;
        if (col < 0 || col >= perRow || row < 0 || o->rect.left != col * kIconWidth ||
            o->rect.bottom != cr.bottom - height * row)
            continue;
        size_t i = (size_t)row * perRow + col;
        if (used.size() <= i) used.resize(i + 1, false);
        used[i] = true;
    }
    int slots = 0;
    while (slots < (int)used.size() && used[slots]) slots++;
    int x = (slots % perRow) * kIconWidth, y = cr.bottom - height * (1 + slots / perRow);
    setWindowRect(h, RECT{x, y, x + kIconWidth, y + height}, true);
}

void mdiRestore(HWND h)
{
    WindowRec* w = win(h);
    if (!w || !w->minimized) return;
    w->minimized = false;
    w->style &= ~WS_MINIMIZE;
    setWindowRect(h, w->restoreRect, true);
}

HWND mdiCreateChild(HWND client, const MDICREATESTRUCTA* mcs)
{
    WindowRec* c = win(client);
    if (!c || !c->isMdiClient || !mcs) return nullptr;
    DWORD style = mcs->style | WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION;
    int x = mcs->x, y = mcs->y, cx = mcs->cx, cy = mcs->cy;
    if (x == CW_USEDEFAULT) {
        int n = (int)c->children.size();
        x = 20 * (n % 10);
        y = 20 * (n % 10);
    }
    if (cx == CW_USEDEFAULT || cx <= 0) {
        RECT r;
        GetClientRect(client, &r);
        cx = std::max(100, (int)r.right * 3 / 4);
        cy = std::max(80, (int)r.bottom * 3 / 4);
    }
    int id = (int)c->mdiFirstChild + c->mdiNextId++;
    MDICREATESTRUCTA copy = *mcs;
    HWND h = CreateWindowExA(0, mcs->szClass, mcs->szTitle, style & ~WS_VISIBLE, x, y, cx, cy, client,
                             (HMENU)(intptr_t)id, mcs->hOwner, &copy);
    WindowRec* w = win(h);
    if (!w) return nullptr;
    w->isMdiChild = true;
    w->exStyle |= WS_EX_MDICHILD;
    if (mcs->style & WS_VISIBLE) {
        ShowWindow(h, SW_SHOW);
        mdiActivate(client, h);
    }
    return win(h) ? h : nullptr;
}

static LRESULT mdiClientProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRec* w = win(h);
    switch (msg) {
    case WM_CREATE: {
        w->isMdiClient = true;
        const CREATESTRUCTA* cs = (const CREATESTRUCTA*)lp;
        if (cs && cs->lpCreateParams)
            w->mdiFirstChild = ((const CLIENTCREATESTRUCT*)cs->lpCreateParams)->idFirstChild;
        return 0;
    }
    case WM_MDICREATE: return (LRESULT)mdiCreateChild(h, (const MDICREATESTRUCTA*)lp);
    case WM_MDIDESTROY:
        if (win((HWND)wp) && win((HWND)wp)->parent == h) DestroyWindow((HWND)wp);
        return 0;
    case WM_MDIACTIVATE: {
        HWND child = (HWND)wp;
        WindowRec* cw = win(child);
        if (cw && cw->parent == h && cw->isMdiChild) mdiActivate(h, child);
        return 0;
    }
    case WM_MDIGETACTIVE:
        if (lp) *(BOOL*)lp = FALSE;
        return (LRESULT)(win(w->mdiActive) ? w->mdiActive : nullptr);
    case WM_MDIRESTORE:
        if (win((HWND)wp)) ShowWindow((HWND)wp, SW_RESTORE);
        return 0;
    case WM_MDINEXT: {
        std::vector<HWND> vis;
        for (HWND k : w->children)
            if (win(k) && win(k)->isMdiChild && (win(k)->style & WS_VISIBLE)) vis.push_back(k);
        if (vis.size() > 1 && lp) {
            // Backwards: the top child goes to the bottom and the one under it
            // becomes active, so repeating goes through every child.
            HWND top = vis.back();
            w->children.erase(std::remove(w->children.begin(), w->children.end(), top), w->children.end());
            w->children.insert(w->children.begin(), top);
            damageWindow(top);
            mdiActivate(h, vis[vis.size() - 2]);
        } else if (vis.size() > 1) {
            mdiActivate(h, vis.front());
        }
        return 0;
    }
    case WM_SETFOCUS:
        if (win(w->mdiActive)) SetFocus(w->mdiActive);
        return 0;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(h, &r);
        FillRect((HDC)wp, &r, GetSysColorBrush(COLOR_APPWORKSPACE));
        return 1;
    }
    }
    return DefWindowProcA(h, msg, wp, lp);
}

void mdiRegister() { registerBuiltinClass("MDICLIENT", mdiClientProc, 0, 0, nullptr, nullptr); }

}  // namespace plat

using namespace plat;

LRESULT DefFrameProcA(HWND frame, HWND client, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRec* c = win(client);
    switch (msg) {
    case WM_SIZE:
        if (c && !IsIconic(frame)) {
            RECT r;
            GetClientRect(frame, &r);
            MoveWindow(client, 0, 0, r.right, r.bottom, TRUE);
        }
        return 0;
    case WM_SETFOCUS:
        if (c) SetFocus(win(c->mdiActive) ? c->mdiActive : client);
        return 0;
    case WM_COMMAND:
        if (c && LOWORD(wp) >= c->mdiFirstChild && c->mdiFirstChild) {
            for (HWND k : c->children)
                if (win(k) && win(k)->id == (LONG_PTR)LOWORD(wp)) {
                    SendMessageA(client, WM_MDIACTIVATE, (WPARAM)k, 0);
                    return 0;
                }
        }
        break;
    }
    return DefWindowProcA(frame, msg, wp, lp);
}

LRESULT DefMDIChildProcA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRec* w = win(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_CLOSE: SendMessageA(w->parent, WM_MDIDESTROY, (WPARAM)hwnd, 0); return 0;
    case WM_SETFOCUS:
        if (!mdiIsActiveChild(hwnd) && win(w->parent))
            SendMessageA(w->parent, WM_MDIACTIVATE, (WPARAM)hwnd, 0);
        return 0;
    case WM_CHILDACTIVATE:
        if (win(w->parent)) SendMessageA(w->parent, WM_MDIACTIVATE, (WPARAM)hwnd, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND CreateMDIWindowA(LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width, int height,
                      HWND client, HINSTANCE inst, LPARAM lParam)
{
    MDICREATESTRUCTA mcs{className, title, inst, x, y, width, height, style, lParam};
    return mdiCreateChild(client, &mcs);
}

BOOL TranslateMDISysAccel(HWND client, LPMSG msg)
{
    State& s = st();
    WindowRec* c = win(client);
    if (!c || !c->isMdiClient || !msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    if (!s.keyDown[VK_CONTROL] || s.keyDown[VK_MENU]) return FALSE;
    if (msg->wParam == VK_F4 && win(c->mdiActive)) {
        SendMessageA(c->mdiActive, WM_SYSCOMMAND, SC_CLOSE, 0);
        return TRUE;
    }
    if (msg->wParam == VK_F6 || msg->wParam == VK_TAB) {
        SendMessageA(client, WM_MDINEXT, 0, s.keyDown[VK_SHIFT] ? 1 : 0);
        return TRUE;
    }
    return FALSE;
}
