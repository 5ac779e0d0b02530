// A private X server and input sent to it through its test extension, from
// a connection of its own, as a user would; and the pixels it shows. Kept
// apart from the tests because the X headers' macros collide with the test
// framework's names. Used by the desktop presenter's tests, the live drag
// tests of the toolkit and the drag latency benchmark.
#pragma once
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

// A private Xvfb (800 x 600) for this process; it picks a free display
// number itself. name() is empty when Xvfb could not be started.
class PrivateDisplay {
public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// Moves the pointer to (x, y) and clicks the left button. Returns the time
// (milliseconds of the steady clock) the press was sent, or 0 when the
// display cannot be opened or has no test extension.
long long xinput_click(const std::string& display, int x, int y);
// Milliseconds of the steady clock, the clock xinput_click reports in.
long long xinput_nowMs();

// A user at the display: finds the program's window and works the mouse in
// it, and reads what the window shows on the screen.
class XUser {
public:
    explicit XUser(const std::string& display);
    ~XUser();
    XUser(const XUser&) = delete;
    XUser& operator=(const XUser&) = delete;
    // The display is open and has the test extension.
    bool ok() const;
    // Waits up to timeoutMs for a shown top-level window of this size; true
    // when found. The coordinates below are in that window.
    bool findWindow(int width, int height, int timeoutMs);
    void moveTo(int x, int y);
    void press();
    void release();
    // The pixels (0xRRGGBB) the screen shows in a rectangle of the window.
    std::vector<uint32_t> grab(int x, int y, int width, int height);

private:
    void* display_ = nullptr;
    unsigned long window_ = 0;
    bool test_ = false;
};
