// A benchmark scene: a 1020 x 760 MDI frame with a menu bar and eight
// child windows that draw with GDI (rectangles, lines, text, a blit).
#pragma once
#include "platform/platform.h"
#include <cstdio>
#include <vector>

inline LRESULT sceneChildProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT r;
        GetClientRect(h, &r);
        FillRect(dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
        HBRUSH b = CreateSolidBrush(RGB(40 + (int)(uintptr_t)h % 200, 120, 200));
        HGDIOBJ ob = SelectObject(dc, b);
        for (int i = 0; i < 6; i++) Rectangle(dc, 10 + i * 40, 10, 45 + i * 40, 60);
        SelectObject(dc, ob);
        DeleteObject(b);
        for (int x = 0; x < r.right; x += 16) {
            MoveToEx(dc, x, 70, nullptr);
            LineTo(dc, x, 120);
        }
        SetBkMode(dc, TRANSPARENT);
        RECT t{10, 130, r.right - 10, 150};
        DrawTextA(dc, "Cutoff 1200 Hz   Resonance 0.40", -1, &t, DT_LEFT | DT_SINGLELINE);
        EndPaint(h, &ps);
        return 0;
    }
    return DefMDIChildProcA(h, msg, wp, lp);
}

inline HWND& sceneClient()
{
    static HWND c;
    return c;
}

inline LRESULT sceneFrameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CREATE) {
        CLIENTCREATESTRUCT ccs{nullptr, 300};
        sceneClient() = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                        0, 10, 10, h, (HMENU)1, nullptr, &ccs);
        return 0;
    }
    return DefFrameProcA(h, sceneClient(), msg, wp, lp);
}

struct Scene {
    HWND frame = nullptr;
    std::vector<HWND> children;
};

inline Scene buildScene()
{
    Scene s;
    WNDCLASSA wc{};
    wc.lpfnWndProc = sceneFrameProc;
    wc.lpszClassName = "sceneFrame";
    RegisterClassA(&wc);
    wc.lpfnWndProc = sceneChildProc;
    wc.lpszClassName = "sceneChild";
    RegisterClassA(&wc);
    HMENU bar = CreateMenu();
    for (const char* t : {"&File", "&Edit", "Setup", "Window", "Help"}) {
        HMENU p = CreatePopupMenu();
        AppendMenuA(p, MF_STRING, 1, "Item");
        AppendMenuA(bar, MF_POPUP, (UINT_PTR)p, t);
    }
    s.frame = CreateWindowExA(0, "sceneFrame", "Morvane Engine 1.3.2",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1020, 760, nullptr,
                              bar, nullptr, nullptr);
    for (int i = 0; i < 8; i++) {
        char title[32];
        snprintf(title, sizeof title, "Editor %d", i + 1);
        s.children.push_back(
            CreateMDIWindowA("sceneChild", title, WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                             20 + (i % 4) * 240, 20 + (i / 4) * 320, 300, 300, sceneClient(), nullptr, 0));
    }
    return s;
}
