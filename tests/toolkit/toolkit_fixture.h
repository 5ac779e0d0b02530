// Shared fixture of the toolkit tests: a headless platform with an MDI
// frame, the program's artwork and a few test bitmaps registered, the
// toolkit started, and helpers to attach windows and to read their pixels.
#pragma once
#include "platform/platform.h"
#include "resources/resources.h"
#include "toolkit/toolkit.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Test bitmaps, registered by the fixture under these ids.
enum {
    kTestRed = 2400,     // 10 x 8, pure red
    kTestGreen = 2401,   // 10 x 8, pure green
    kTestBlue = 2402,    // 10 x 8, pure blue
    kTestMask = 2410,    // 10 x 8: black left half, white right half
    kTestQuad = 2420,    // 4 x 4: four 2 x 2 quarters red, green, blue, white
    kTestRedish = 2430,  // 6 x 6, red component 127 (outside a mask)
    kTestDark = 2431,    // 6 x 6, red component 126 (inside a mask)
    kTestMissing = 2499  // never registered
};

// One custom-control event as the event procedure saw it.
struct EventRec {
    short window, id;
    long event, a, b;
};
std::vector<EventRec>& events();
// An event procedure that records what it receives.
void recordingEventProc(short id, long event, long a, long b);
// Only the events of one kind.
std::vector<EventRec> eventsOf(long event);

class ToolkitTest : public ::testing::Test {
protected:
    HWND frame = nullptr, client = nullptr;
    void SetUp() override;
    void TearDown() override;
    // Creates an MDI child whose procedure hands messages to the toolkit under
    // id, attaches it with clickMax objects, and shows it. Client area w x h
    // at x, y of the MDI client.
    HWND makeWindow(short id, int x, int y, int w, int h, short clickMax = 32, int show = 1);
    // The screen position of a point of a window's client area.
    POINT screenPoint(short id, int x, int y);
    // Presses and releases the left button at a client point of window id.
    void clickAt(short id, int x, int y, int button = 1);
    // A pixel of a window's client area as it is on its backing surface.
    COLORREF pixelAt(short id, int x, int y);
};
