// What the Envelope window's tests share: the window made headless on a
// private link segment, with a frame and its MDI client, and helpers that
// drive it through injected mouse and key events (clicks, right clicks,
// drags, typing into number boxes, pop-up items).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/window_session.h"

class EnvWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A new envelope of param on chan (as the "New Envelope" dialog makes
    // it), then the window updated; its slot.
    short newEnvelope(short chan, short param);
    envInstRec* env(short slot) { return inst_getEnvInst(gInst, slot); }
    POINT screen(int x, int y);
    // Window coordinates of the point at t seconds and level a in strip id.
    POINT at(short strip, double t, double a);
    // Window coordinates of breakpoint i (-1 the start level) of the strip's envelope.
    POINT bpPoint(short strip, short i);
    void clickAt(int x, int y);
    void rightClickAt(int x, int y);
    void doubleClickAt(int x, int y);
    void clickObject(short id);
    // Presses at the first point, moves through the others, releases at the last.
    void drag(const std::vector<POINT>& path);
    // Opens a number box's in-place editor with a click and types text, then Return.
    void typeInto(short box, const char* text);
    // Opens a pop-up of the window with a click and chooses an item (its command).
    void choose(short popup, int command);
    std::string shot(const char* name);
    windowSession session_;
};
