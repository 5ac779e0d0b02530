// The SDL2 presenter: one desktop window that shows the composed screen,
// turns SDL input (mouse, wheel, keys with modifiers, text, dropped files,
// window events) into the layer's input events, shows cursors, and shares
// the desktop clipboard. It copies only damaged rectangles and blocks in
// the display connection when nothing is due, so an idle program sleeps.
//
// Asking SDL for events costs a dozen system calls even when there are none,
// so while the program is idle the presenter waits on the display's socket
// itself and asks SDL only when the socket has something to read, after its
// own calls that may have read from the socket, after a signal, for a second
// after the last input (input methods answer on other channels) and at
// least every quarter of a second.
#include "platform/internal.h"
#include <SDL.h>
#include <SDL_syswm.h>
#include <errno.h>
#include <poll.h>

namespace plat {

static int vkFromKey(SDL_Keycode k)
{
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return VK_F1 + (k - SDLK_F1);
    switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_TAB: return VK_TAB;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    }
    return 0;
}

static SDL_SystemCursor systemShape(int id)
{
    switch (id) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

class SdlPresenter : public Presenter {
public:
    ~SdlPresenter() override
    {
        for (auto& c : cursors_) SDL_FreeCursor(c.second);
        if (window_) SDL_DestroyWindow(window_);
        if (started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    int kind() const override { return PLATFORM_PRESENTER_SDL; }
    bool open(int width, int height) override
    {
        // The screen is composed in memory and only damaged rectangles are
        // copied, so the window surface is the display's own shared-memory
        // image: asking SDL for a GPU texture instead would load a whole
        // graphics driver stack (a software one on machines without a GPU,
        // tens of megabytes and slower) for nothing. The environment variable
        // of the same name still overrides this.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        started_ = true;
        window_ = SDL_CreateWindow("Morvane Engine", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                   height, SDL_WINDOW_RESIZABLE);
        if (!window_) return false;
        SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
        SDL_StartTextInput();
#if defined(SDL_VIDEO_DRIVER_X11)
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11)
            displayFd_ = ConnectionNumber(info.info.x11.display);
#endif
        mustPump_ = true;
        return true;
    }
    void present(cairo_surface_t* screen, const cairo_region_t* damage) override
    {
        SDL_Surface* ws = SDL_GetWindowSurface(window_);
        if (!ws || !screen) return;
        SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(
            cairo_image_surface_get_data(screen), cairo_image_surface_get_width(screen),
            cairo_image_surface_get_height(screen), 32, cairo_image_surface_get_stride(screen),
            SDL_PIXELFORMAT_RGB888);
        if (!src) return;
        int n = cairo_region_num_rectangles(damage);
        std::vector<SDL_Rect> rects;
        for (int i = 0; i < n; i++) {
            cairo_rectangle_int_t r;
            cairo_region_get_rectangle(damage, i, &r);
            SDL_Rect sr{r.x, r.y, r.width, r.height};
            SDL_Rect dr = sr;
            SDL_BlitSurface(src, &sr, ws, &dr);
            rects.push_back(sr);
        }
        SDL_FreeSurface(src);
        if (!rects.empty()) SDL_UpdateWindowSurfaceRects(window_, rects.data(), (int)rects.size());
        mustPump_ = true;
    }
    bool poll(InputEvent* ev) override
    {
        SDL_Event e;
        if (pending_.empty()) {
            Uint32 now = SDL_GetTicks();
            if (now != lastCheck_) {
                lastCheck_ = now;
                if (pumpDue(now) || displayReadable(0)) pump(now);
            }
        }
        while (pending_.empty() && SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
            translate(e);
        if (pending_.empty()) return false;
        *ev = pending_.front();
        pending_.pop_front();
        return true;
    }
    void idle(int timeoutMs, bool) override
    {
        if (!pending_.empty()) return;
        SDL_Event e;
        if (displayFd_ < 0) {
            int got = timeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeoutMs);
            lastCheck_ = SDL_GetTicks();
            if (got) translate(e);
            return;
        }
        Uint32 now = SDL_GetTicks();
        if (pumpDue(now)) pump(now);
        if (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
            translate(e);
            return;
        }
        // Sleep no longer than the next periodic look at SDL.
        Uint32 sincePump = SDL_GetTicks() - lastPump_;
        int untilPump = sincePump >= kPumpEveryMs ? 0 : (int)(kPumpEveryMs - sincePump);
        if (timeoutMs < 0 || timeoutMs > untilPump) timeoutMs = untilPump;
        if (!displayReadable(timeoutMs)) {
            lastCheck_ = SDL_GetTicks();
            return;
        }
        pump(SDL_GetTicks());
        lastCheck_ = lastPump_;
        if (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) translate(e);
    }
    DWORD ticks() override { return SDL_GetTicks(); }
    void sleep(DWORD ms) override { SDL_Delay(ms); }
    void setCursor(const CursorRec* c, bool shown) override
    {
        SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
        mustPump_ = true;
        if (!c) return;
        SDL_Cursor*& sc = cursors_[c];
        if (!sc) {
            if (c->image && cairo_surface_get_type(c->image) == CAIRO_SURFACE_TYPE_IMAGE) {
                cairo_surface_flush(c->image);
                SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
                    cairo_image_surface_get_data(c->image), cairo_image_surface_get_width(c->image),
                    cairo_image_surface_get_height(c->image), 32, cairo_image_surface_get_stride(c->image),
                    cairo_image_surface_get_format(c->image) == CAIRO_FORMAT_ARGB32 ? SDL_PIXELFORMAT_ARGB8888
                                                                                    : SDL_PIXELFORMAT_RGB888);
                if (s) {
                    sc = SDL_CreateColorCursor(s, c->hotX, c->hotY);
                    SDL_FreeSurface(s);
                }
            }
            if (!sc) sc = SDL_CreateSystemCursor(systemShape(c->systemId));
        }
        if (sc) SDL_SetCursor(sc);
    }
    void setClipboardText(const std::string& text) override
    {
        SDL_SetClipboardText(text.c_str());
        mustPump_ = true;
    }
    bool clipboardText(std::string* out) override
    {
        mustPump_ = true;
        if (!SDL_HasClipboardText()) return false;
        char* t = SDL_GetClipboardText();
        if (!t) return false;
        *out = t;
        SDL_free(t);
        return true;
    }
    // Calls that talk to the display may read events into its queues on the
    // way, so SDL is asked once more before the next sleep.
    void setTitle(const std::string& title) override
    {
        SDL_SetWindowTitle(window_, title.c_str());
        mustPump_ = true;
    }
    void minimize() override
    {
        SDL_MinimizeWindow(window_);
        mustPump_ = true;
    }
    void restore() override
    {
        SDL_RestoreWindow(window_);
        mustPump_ = true;
    }
    void raise() override
    {
        SDL_RaiseWindow(window_);
        mustPump_ = true;
    }

private:
    static constexpr Uint32 kPumpEveryMs = 250;
    static constexpr Uint32 kBusyAfterInputMs = 1000;

    // SDL is asked on every wake-up while input is recent, when something
    // may sit in the display library's queues, and at least every 250 ms.
    bool pumpDue(Uint32 now) const
    {
        return displayFd_ < 0 || mustPump_ || now - lastInput_ < kBusyAfterInputMs ||
               now - lastPump_ >= kPumpEveryMs;
    }
    void pump(Uint32 now)
    {
        size_t before = pending_.size();
        SDL_PumpEvents();
        mustPump_ = false;
        lastPump_ = now;
        if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) || pending_.size() != before) lastInput_ = now;
    }
    // True when the display socket has something to read, or when a signal
    // cut the wait short (SDL turns some signals into events when pumped).
    bool displayReadable(int timeoutMs)
    {
        if (displayFd_ < 0) return true;
        struct pollfd p = {displayFd_, POLLIN, 0};
        int r = ::poll(&p, 1, timeoutMs);
        if (r < 0 && errno == EINTR) return true;
        return r > 0;
    }
    void push(const InputEvent& ev) { pending_.push_back(ev); }
    void translate(const SDL_Event& e)
    {
        InputEvent ev;
        switch (e.type) {
        case SDL_MOUSEMOTION:
            ev.type = IN_MOUSEMOVE;
            ev.x = e.motion.x;
            ev.y = e.motion.y;
            push(ev);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button > 3) break;
            ev.type = e.type == SDL_MOUSEBUTTONDOWN ? IN_BUTTONDOWN : IN_BUTTONUP;
            ev.x = e.button.x;
            ev.y = e.button.y;
            ev.button = e.button.button;
            push(ev);
            break;
        case SDL_MOUSEWHEEL: {
            ev.type = IN_WHEEL;
            SDL_GetMouseState(&ev.x, &ev.y);
            ev.delta = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            if (ev.delta) push(ev);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            ev.type = e.type == SDL_KEYDOWN ? IN_KEYDOWN : IN_KEYUP;
            ev.vk = vkFromKey(e.key.keysym.sym);
            if (ev.vk) push(ev);
            break;
        case SDL_TEXTINPUT:
            ev.type = IN_TEXT;
            ev.text = e.text.text;
            push(ev);
            break;
        case SDL_DROPBEGIN:
            dropping_ = true;
            drop_.clear();
            break;
        case SDL_DROPFILE:
            if (e.drop.file) {
                drop_.push_back(e.drop.file);
                SDL_free(e.drop.file);
            }
            if (!dropping_) flushDrop();
            break;
        case SDL_DROPCOMPLETE:
            dropping_ = false;
            flushDrop();
            break;
        case SDL_QUIT:
            ev.type = IN_CLOSE;
            push(ev);
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                ev.type = IN_RESIZE;
                ev.x = e.window.data1;
                ev.y = e.window.data2;
                push(ev);
            } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                ev.type = IN_EXPOSE;
                push(ev);
            } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                ev.type = IN_CLOSE;
                push(ev);
            }
            break;
        }
    }
    void flushDrop()
    {
        if (drop_.empty()) return;
        InputEvent ev;
        ev.type = IN_DROPFILES;
        int gx, gy, wx, wy;
        SDL_GetGlobalMouseState(&gx, &gy);
        SDL_GetWindowPosition(window_, &wx, &wy);
        ev.x = gx - wx;
        ev.y = gy - wy;
        ev.files = drop_;
        drop_.clear();
        push(ev);
    }

    SDL_Window* window_ = nullptr;
    int displayFd_ = -1;
    bool mustPump_ = true;
    Uint32 lastPump_ = 0;
    Uint32 lastCheck_ = 0;
    Uint32 lastInput_ = 0;
    bool started_ = false;
    bool dropping_ = false;
    std::vector<std::string> drop_;
    std::deque<InputEvent> pending_;
    std::map<const CursorRec*, SDL_Cursor*> cursors_;
};

Presenter* makeSdlPresenter() { return new SdlPresenter(); }

}  // namespace plat
