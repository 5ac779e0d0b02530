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

void windowSession_settle(short windowId)
{
    headless_runUntilIdle();
    window_setCurrent(windowId);
}

POINT windowSession_screen(short windowId, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window_getHWND(windowId), &p);
    return p;
}

void windowSession_clickAt(short windowId, int x, int y, int button)
{
    POINT p = windowSession_screen(windowId, x, y);
    headless_click(p.x, p.y, button);
    windowSession_settle(windowId);
}

void windowSession_doubleClickAt(short windowId, int x, int y)
{
    POINT p = windowSession_screen(windowId, x, y);
    headless_doubleClick(p.x, p.y);
    windowSession_settle(windowId);
}

void windowSession_clickObject(short windowId, short objectId)
{
    RECT r;
    window_setCurrent(windowId);
    clickObject_getRect(objectId, &r);
    windowSession_clickAt(windowId, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void windowSession_drag(short windowId, const std::vector<POINT>& path)
{
    if (path.empty()) return;
    POINT p = windowSession_screen(windowId, path[0].x, path[0].y);
    headless_mouseMove(p.x, p.y);
    headless_mouseDown(1);
    for (size_t i = 1; i < path.size(); ++i) {
        POINT q = windowSession_screen(windowId, path[i].x, path[i].y);
        headless_mouseMove(q.x, q.y);
    }
    headless_mouseUp(1);
    windowSession_settle(windowId);
}

void windowSession_choose(short windowId, short popup, int command)
{
    headless_pushIdleAction([command](HWND) { windowSession_clickMenuItem(static_cast<UINT>(command)); });
    windowSession_clickObject(windowId, popup);
}

void windowSession_typeInto(short windowId, short box, const char* text)
{
    window_setCurrent(windowId);
    numboxRec* n = numbox_get(box);
    if (!n) return;
    const RECT r = n->valueRect;
    windowSession_clickAt(windowId, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    headless_typeText(text);
    headless_key(VK_RETURN);
    windowSession_settle(windowId);
}

int windowSession_shot(short windowId, const std::string& path)
{
    windowSession_settle(windowId);
    platform_composeAndPresent(1);
    return platform_saveWindowPNG(window_getHWND(windowId), path.c_str()) == 1 ? 1 : 0;
}

COLORREF windowSession_pixel(short windowId, int x, int y)
{
    HWND hwnd = window_getHWND(windowId);
    HDC hdc = GetDC(hwnd);
    COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(hwnd, hdc);
    return c;
}
