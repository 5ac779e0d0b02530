// What every editor window's tests and benchmarks start from: instance 0's
// record on a private link segment, the platform with the program's
// resources and artwork, and a frame with its MDI client that the editor
// windows are children of. The pens, the wave menus and the controller and
// note names the windows draw with are made too.
#pragma once

#include <string>
#include <vector>

#include "windows/windows.h"

struct windowSession {
    std::string segment;
    HWND frame = nullptr;
    HWND client = nullptr;  // the frame's MDI client
};

// Signs in on a segment named after tag, the process and a serial, makes
// instance 0 current and paused (no plug-in answers the fade hand-shake),
// and starts the platform with presenter on a screen of width x height.
// Returns 1, or 0 with what was started undone.
int windowSession_open(windowSession* s, const char* tag, int presenter = PLATFORM_PRESENTER_HEADLESS,
                       int width = 1024, int height = 768);
// Undoes it all and clears the engine's hooks.
void windowSession_close(windowSession* s);
// Clicks a command of a pop-up menu that is open, where it is on screen.
void windowSession_clickMenuItem(UINT command);

// Input to one toolkit window through the headless presenter, at points of
// its client area. Each runs the loop until idle and makes the window
// current again (a click may have made another window current).
void windowSession_settle(short windowId);
POINT windowSession_screen(short windowId, int x, int y);
void windowSession_clickAt(short windowId, int x, int y, int button = 1);
void windowSession_doubleClickAt(short windowId, int x, int y);
// A click in the middle of a click object of the window.
void windowSession_clickObject(short windowId, short objectId);
// Button 1 pressed at the path's first point, moved along it, released.
void windowSession_drag(short windowId, const std::vector<POINT>& path);
// A command of a pop-up control, chosen from its menu where it shows.
void windowSession_choose(short windowId, short popup, int command);
// A click in a number box's value, the text typed and Return.
void windowSession_typeInto(short windowId, short box, const char* text);
// The window composed as the screen shows it (pending paints first),
// saved as a PNG at path; 1 or 0.
int windowSession_shot(short windowId, const std::string& path);
// A pixel of the window's client area as last drawn.
COLORREF windowSession_pixel(short windowId, int x, int y);
