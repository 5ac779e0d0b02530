// platform-demo: shows the platform layer's demo in a desktop window, or,
// with --headless, composes it once without a display. --screenshot FILE
// saves the composed screen at the end; --quit-after MS ends a windowed run
// by itself (for smoke tests on a virtual display).
#include "tools/platform-demo/demo.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
            fprintf(stderr, "usage: platform-demo [--headless] [--screenshot FILE] [--quit-after MS]\n");
            return 2;
        }
    }
    if (!platform_init(headless ? PLATFORM_PRESENTER_HEADLESS : PLATFORM_PRESENTER_SDL, 1020, 760)) {
        fprintf(stderr, "platform-demo: no display could be opened (try --headless)\n");
        return 1;
    }
    DemoRec demo;
    if (!demo_create(&demo)) {
        fprintf(stderr, "platform-demo: the windows could not be created\n");
        platform_shutdown();
        return 1;
    }
    int code = 0;
    if (headless) {
        headless_runUntilIdle();
    } else {
        if (quitAfter > 0) SetTimer(nullptr, 0, (UINT)quitAfter, quitTimer);
        code = demo_run(&demo);
    }
    if (shot && !platform_saveScreenPNG(shot)) {
        fprintf(stderr, "platform-demo: cannot write %s\n", shot);
        code = 1;
    }
    platform_shutdown();
    return code;
}
