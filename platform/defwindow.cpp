// The default window procedure: non-client mouse handling, system commands,
// closing, erasing, painting, window text, cursors and activation defaults.
#include "platform/internal.h"
#include <cstring>
#include <cstdlib>
#include <algorithm>
#include <cstring>

using namespace plat;

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    State& s = st();
    WindowRec* w = win(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE: return TRUE;
    case WM_NCHITTEST: return ncHitTest(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCLBUTTONDOWN:
        return ncLButtonDown(hwnd, (int)wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessageA(hwnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
        }
        return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_ERASEBKGND: {
        if (!w->cls->background) return 0;
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect((HDC)wParam, &r, w->cls->background);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETTEXT:
        w->text = lParam ? (const char*)lParam : "";
        w->ncDirty = true;
        damageWindow(hwnd);
        if (s.presenter && isTopLevel(w) && !w->owner && s.active == hwnd) s.presenter->setTitle(w->text);
        return TRUE;
    case WM_GETTEXT: {
        if (!lParam || wParam == 0) return 0;
        size_t n = std::min(w->text.size(), (size_t)wParam - 1);
        memcpy((char*)lParam, w->text.data(), n);
        ((char*)lParam)[n] = 0;
        return (LRESULT)n;
    }
    case WM_GETTEXTLENGTH: return (LRESULT)w->text.size();
    case WM_SETCURSOR: {
        if (!isTopLevel(w) && SendMessageA(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
        if ((HWND)wParam != hwnd) return FALSE;
        if (LOWORD(lParam) == HTCLIENT) {
            if (w->cls->cursor) SetCursor(w->cls->cursor);
            return TRUE;
        }
        HCURSOR sizing = ncSizingCursor(LOWORD(lParam));
        SetCursor(sizing ? sizing : LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
    }
    case WM_MOUSEACTIVATE:
        if (!isTopLevel(w)) {
            LRESULT r = SendMessageA(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r) return r;
        }
        return MA_ACTIVATE;
    case WM_MOUSEWHEEL:
        if (!isTopLevel(w)) return SendMessageA(w->parent, msg, wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !w->minimized) {
            HWND f = s.focus;
            if (!f || (f != hwnd && !IsChild(hwnd, f))) SetFocus(hwnd);
        }
        return 0;
    case WM_CANCELMODE:
        if (s.capture == hwnd) ReleaseCapture();
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (s.keyDown[VK_MENU]))
            PostMessageA(topLevelOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        // Alt with a letter opens the menu-bar item that letter marks.
        else if (s.keyDown[VK_MENU] && !s.keyDown[VK_CONTROL]) {
            HWND top = topLevelOf(hwnd);
            int item = menuBarMnemonicItem(top, wParam);
            if (item >= 0 && IsWindowEnabled(top))
                trackMenu(win(top)->menu, kTrackFromKeyboard, 0, 0, top, top, item);
        }
        return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_SETFONT:
        w->font = (HFONT)wParam;
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return (LRESULT)w->font;
    }
    return 0;
}
