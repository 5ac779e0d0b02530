// toolkit-gallery: every control of the toolkit in one window, to see and
// try by hand. --headless composes it once without a display; --screenshot
// FILE saves the screen at the end; --quit-after MS ends a windowed run by
// itself (for smoke tests on a virtual display).
#include "tools/toolkit-gallery/gallery.h"
#include "resources/resources.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

static HWND s_client = nullptr;

static LRESULT frameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefFrameProcA(h, s_client, msg, wp, lp);
}

static void quitTimer(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

int main(int argc, char** argv)
{
    bool headless = false;
    const char* shot = nullptr;
    int quitAfter = 0;
    for (int i = 1; i < argc; i++) {
        if (!strcmp(argv[i], "--headless"))
            headless = true;
        else if (!strcmp(argv[i], "--screenshot") && i + 1 < argc)
            shot = argv[++i];
        else if (!strcmp(argv[i], "--quit-after") && i + 1 < argc)
            quitAfter = atoi(argv[++i]);
        else {
            fprintf(stderr, "usage: toolkit-gallery [--headless] [--screenshot FILE] [--quit-after MS]\n");
            return 2;
        }
    }
    int width = kGalleryWidth + 60, height = kGalleryHeight + 90;
    if (!platform_init(headless ? PLATFORM_PRESENTER_HEADLESS : PLATFORM_PRESENTER_SDL, width, height)) {
        fprintf(stderr, "toolkit-gallery: no display could be opened (try --headless)\n");
        return 1;
    }
    resources_registerAll();
    initBrambix();
    if (!gallery_registerArt()) fprintf(stderr, "toolkit-gallery: some artwork could not be made\n");

    WNDCLASSA fc{};
    fc.lpfnWndProc = frameProc;
    fc.lpszClassName = "toolkitGalleryFrame";
    fc.hbrBackground = (HBRUSH)GetStockObject(DKGRAY_BRUSH);
    RegisterClassA(&fc);
    HWND frame = CreateWindowExA(0, "toolkitGalleryFrame", "Morvane Engine toolkit gallery",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                                 platform_instance(), nullptr);
    CLIENTCREATESTRUCT ccs{nullptr, 1000};
    RECT fr;
    GetClientRect(frame, &fr);
    s_client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               fr.right, fr.bottom, frame, nullptr, platform_instance(), &ccs);
    window_setFrameHWND(s_client);
    alert_init(frame);
    int code = 0;
    if (!gallery_open(s_client)) {
        fprintf(stderr, "toolkit-gallery: the window could not be made\n");
        code = 1;
    } else if (headless) {
        headless_runUntilIdle();
    } else {
        if (quitAfter > 0) SetTimer(nullptr, 0, (UINT)quitAfter, quitTimer);
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) {
            if (TranslateMDISysAccel(s_client, &m)) continue;
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        code = (int)m.wParam;
    }
    if (shot && !platform_saveScreenPNG(shot)) {
        fprintf(stderr, "toolkit-gallery: cannot write %s\n", shot);
        code = 1;
    }
    brambixCleanup();
    platform_shutdown();
    return code;
}
