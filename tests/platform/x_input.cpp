#include "x_input.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>

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
