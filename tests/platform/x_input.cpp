#include "x_input.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

PrivateDisplay::PrivateDisplay()
{
    int fds[2];
    if (pipe(fds) != 0) return;
    std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb",       "-displayfd", fd.c_str(), "-screen", "0",
                          "800x600x24", "-nolisten",  "tcp",      nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    int rc = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        pid_ = -1;
        close(fds[0]);
        return;
    }
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) name_ = ":" + number;
}

PrivateDisplay::~PrivateDisplay()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

long long xinput_nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

long long xinput_click(const std::string& display, int x, int y)
{
    Display* d = XOpenDisplay(display.c_str());
    if (!d) return 0;
    int ev, err, major, minor;
    long long at = 0;
    if (XTestQueryExtension(d, &ev, &err, &major, &minor)) {
        XTestFakeMotionEvent(d, -1, x, y, 0);
        XSync(d, False);
        at = xinput_nowMs();
        XTestFakeButtonEvent(d, 1, True, 0);
        XTestFakeButtonEvent(d, 1, False, 0);
        XSync(d, False);
    }
    XCloseDisplay(d);
    return at;
}

// ---- the user ---------------------------------------------------------------------------

static Display* dpy(void* d) { return static_cast<Display*>(d); }

XUser::XUser(const std::string& display)
{
    Display* d = XOpenDisplay(display.c_str());
    display_ = d;
    int ev, err, major, minor;
    test_ = d && XTestQueryExtension(d, &ev, &err, &major, &minor);
}

XUser::~XUser()
{
    if (display_) XCloseDisplay(dpy(display_));
}

bool XUser::ok() const { return test_; }

bool XUser::findWindow(int width, int height, int timeoutMs)
{
    Display* d = dpy(display_);
    if (!d) return false;
    long long end = xinput_nowMs() + timeoutMs;
    do {
        Window root = DefaultRootWindow(d), parent, *kids = nullptr;
        unsigned n = 0;
        window_ = 0;
        if (XQueryTree(d, root, &root, &parent, &kids, &n)) {
            for (unsigned i = 0; i < n && !window_; i++) {
                XWindowAttributes a;
                if (XGetWindowAttributes(d, kids[i], &a) && a.map_state == IsViewable && a.width == width &&
                    a.height == height)
                    window_ = kids[i];
            }
            if (kids) XFree(kids);
        }
        if (window_) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (xinput_nowMs() < end);
    return false;
}

void XUser::moveTo(int x, int y)
{
    Display* d = dpy(display_);
    if (!test_ || !window_) return;
    int rx = 0, ry = 0;
    Window child;
    XTranslateCoordinates(d, window_, DefaultRootWindow(d), x, y, &rx, &ry, &child);
    XTestFakeMotionEvent(d, -1, rx, ry, 0);
    XSync(d, False);
}

void XUser::press()
{
    if (!test_) return;
    XTestFakeButtonEvent(dpy(display_), 1, True, 0);
    XSync(dpy(display_), False);
}

void XUser::release()
{
    if (!test_) return;
    XTestFakeButtonEvent(dpy(display_), 1, False, 0);
    XSync(dpy(display_), False);
}

std::vector<uint32_t> XUser::grab(int x, int y, int width, int height)
{
    std::vector<uint32_t> px;
    if (!display_ || !window_) return px;
    XImage* img =
        XGetImage(dpy(display_), window_, x, y, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (!img) return px;
    px.reserve((size_t)width * height);
    for (int j = 0; j < height; j++)
        for (int i = 0; i < width; i++) px.push_back((uint32_t)(XGetPixel(img, i, j) & 0xFFFFFF));
    XDestroyImage(img);
    return px;
}
