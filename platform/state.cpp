// The layer's one state record, handle numbering, start-up and shut-down.
#include "platform/internal.h"
#include <cstring>
#include <cstdlib>
#include <algorithm>
#include <cctype>

namespace plat {

State& st()
{
    static State s;
    return s;
}

uintptr_t newHandleId()
{
    static uintptr_t next = 0x10000;
    next += 0x10;
    return next;
}

std::string upperCase(const std::string& s)
{
    std::string r = s;
    for (char& c : r) c = (char)toupper((unsigned char)c);
    return r;
}

std::string resourceKey(LPCSTR nameOrId)
{
    if (!nameOrId) return "#0";
    if (IS_INTRESOURCE(nameOrId)) return "#" + std::to_string((unsigned)(uintptr_t)nameOrId);
    return upperCase(nameOrId);
}

DWORD nowTicks()
{
    State& s = st();
    return s.presenter ? s.presenter->ticks() : 0;
}

GdiObj::~GdiObj()
{
    if (bitmap.surface) cairo_surface_destroy(bitmap.surface);
    if (region.region) cairo_region_destroy(region.region);
}

}  // namespace plat

using namespace plat;

int platform_init(int presenterKind, int screenWidth, int screenHeight)
{
    State& s = st();
    if (s.running) return 1;
    if (screenWidth < 64 || screenHeight < 64 || screenWidth > 8192 || screenHeight > 8192) return 0;
    Presenter* p = presenterKind == PLATFORM_PRESENTER_SDL ? makeSdlPresenter() : makeHeadlessPresenter();
    if (!p) return 0;
    s.presenter.reset(p);
    if (!p->open(screenWidth, screenHeight)) {
        s.presenter.reset();
        return 0;
    }
    s.running = true;
    s.instance = toHandle<HINSTANCE>(newHandleId());
    screenResize(screenWidth, screenHeight);
    gdiInitStock();
    cursorInitSystem();
    controlsRegister();
    mdiRegister();
    menuTrackRegister();
    return 1;
}

void platform_shutdown(void)
{
    State& s = st();
    if (!s.running) return;
    std::vector<HWND> tops = s.topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) DestroyWindow(*it);
    s.modals.clear();
    s.idleActions.clear();
    s.loopCheck = nullptr;
    s.queue.clear();
    s.timers.clear();
    for (auto& d : s.dcs) dcReleaseAll(d.second.get());
    s.dcs.clear();
    s.windows.clear();
    s.graveyard.clear();
    s.topLevels.clear();
    s.classes.clear();
    s.menus.clear();
    s.accels.clear();
    for (auto& c : s.cursors)
        if (c.second->image) cairo_surface_destroy(c.second->image);
    s.cursors.clear();
    s.gdi.clear();
    for (auto& b : s.resBitmaps) cairo_surface_destroy(b.second.surface);
    s.resBitmaps.clear();
    for (auto& c : s.resCursors)
        if (c.second.image) cairo_surface_destroy(c.second.image);
    s.resCursors.clear();
    s.resMenus.clear();
    s.resAccels.clear();
    s.resDialogs.clear();
    if (s.clipboardText) GlobalFree(s.clipboardText);
    s.clipboardText = nullptr;
    if (s.screen) cairo_surface_destroy(s.screen);
    s.screen = nullptr;
    if (s.damage) cairo_region_destroy(s.damage);
    s.damage = nullptr;
    s.presenter.reset();
    s.capture = s.focus = s.active = nullptr;
    s.quitPending = false;
    s.unanswered = 0;
    s.lastPrompt = PlatformPromptRec();
    s.cursor = nullptr;
    s.cursorCount = 0;
    for (auto& g : s.stock) g = nullptr;
    memset(s.keyDown, 0, sizeof s.keyDown);
    s.running = false;
}

int platform_isRunning(void) { return st().running ? 1 : 0; }
int platform_presenterKind(void) { return st().presenter ? st().presenter->kind() : -1; }
HINSTANCE platform_instance(void) { return st().instance; }
PlatformPromptRec platform_lastMessageBox(void) { return st().lastPrompt; }

// fontconfig keeps the fonts it matched (and Cairo the faces made from them)
// in caches that live as long as the process; sanitizer builds are told not
// to report them as leaks.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
