// MorvaneEngine: starts the platform layer (a desktop window, or headless
// with --headless), registers the artwork, menus and accelerators, and runs
// the program. --screenshot-after MS FILE saves the composed screen to FILE
// once MS milliseconds of the session have passed (for a machine without a
// display, where the session runs on a virtual X display).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "program/program.h"
#include "resources/resources.h"
#include "windows/windows.h"

namespace {
const int kScreenWidth = 1024;
const int kScreenHeight = 768;
std::string screenshotFile;

void CALLBACK takeScreenshot(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    platform_composeAndPresent(1);
    if (platform_saveScreenPNG(screenshotFile.c_str()))
        std::printf("MorvaneEngine: screenshot saved to %s\n", screenshotFile.c_str());
    else
        std::fprintf(stderr, "MorvaneEngine: cannot write the screenshot %s\n", screenshotFile.c_str());
    std::fflush(stdout);
}

int usage()
{
    std::fprintf(stderr, "usage: MorvaneEngine [--headless] [--screenshot-after MS FILE]\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    bool headless = false;
    long screenshotMs = -1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--headless")) {
            headless = true;
        } else if (!std::strcmp(argv[i], "--screenshot-after") && i + 2 < argc) {
            char* end = nullptr;
            screenshotMs = std::strtol(argv[i + 1], &end, 10);
            if (*end || screenshotMs < 0) return usage();
            screenshotFile = argv[i + 2];
            i += 2;
        } else {
            return usage();
        }
    }
    if (!platform_init(headless ? PLATFORM_PRESENTER_HEADLESS : PLATFORM_PRESENTER_SDL, kScreenWidth,
                       kScreenHeight)) {
        std::fprintf(stderr,
                     "MorvaneEngine: no display could be opened (run it under Xvfb, or --headless)\n");
        return 1;
    }
    if (!resources_registerAll() || !windows_registerArtwork() || !program_registerResources()) {
        std::fprintf(stderr, "MorvaneEngine: the artwork could not be made\n");
        platform_shutdown();
        return 1;
    }
    if (screenshotMs >= 0) SetTimer(nullptr, 0, static_cast<UINT>(screenshotMs), takeScreenshot);
    char cmdLine[] = "";
    int result = WinMain(platform_instance(), nullptr, cmdLine, SW_SHOW);
    platform_shutdown();
    return result;
}
