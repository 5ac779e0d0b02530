#include "tests/windows/window_session.h"

#include <unistd.h>

#include "resources/resources.h"

namespace {
HWND s_client = nullptr;
LRESULT CALLBACK frameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(h, s_client, msg, wp, lp);
}
}  // namespace

int windowSession_open(windowSession* s, const char* tag, int presenter, int width, int height)
{
    static int serial = 0;
    s->segment =
        std::string("/morvane-") + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
    if (!iac_setSegmentName(s->segment.c_str()) || !iac_mvn_signIn()) return 0;
    dsp_globals_init();
    g_instanceNumber = 0;
    gInst = iac_getInst(0);
    if (!gInst || !platform_init(presenter, width, height)) {
        iac_mvn_signOut();
        iac_unlinkSegment();
        return 0;
    }
    inst_reinit(gInst);
    gInst->paused = 1;
    if (!resources_registerAll()) {
        windowSession_close(s);
        return 0;
    }
    initBrambix();
    loadBitmaps(platform_instance());
    WNDCLASSA fc{};
    fc.lpfnWndProc = frameProc;
    fc.lpszClassName = "windowTestFrame";
    RegisterClassA(&fc);
    s->frame = CreateWindowExA(0, "windowTestFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width,
                               height, nullptr, nullptr, platform_instance(), nullptr);
    CLIENTCREATESTRUCT ccs{nullptr, 1000};
    RECT fr;
    GetClientRect(s->frame, &fr);
    s_client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               fr.right, fr.bottom, s->frame, nullptr, platform_instance(), &ccs);
    s->client = s_client;
    window_setFrameHWND(s_client);
    alert_init(s->frame);
    pensAndBrushes_init();
    waveMenu_init();
    wMidi_ccName_init();
    wMidi_noteName_init();
    return 1;
}

void windowSession_close(windowSession* s)
{
    engine_setHooks(nullptr);
    waveMenu_cleanup();
    pensAndBrushes_cleanup();
    brambixCleanup();
    platform_shutdown();
    s_client = nullptr;
    s->frame = s->client = nullptr;
    iac_mvn_signOut();
    iac_unlinkSegment();
}

void windowSession_clickMenuItem(UINT command)
{
    RECT r;
    if (platform_menuItemScreenRect(command, &r))
        headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
