// What the Waveform window's tests share: the window made headless on a
// private link segment, with a frame and its MDI client, and helpers that
// drive it through injected mouse events (clicks, drags, pop-up items).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/window_session.h"

// The folder of the kept WAV files (tests/windows/wav).
std::string wavPath(const char* name);

class WaveWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A new user wave (as "new..." makes it) holding data, opened in the window.
    short newWave(const float* data);
    float* wave(short slot) { return gInst->presetWave[slot].data; }
    POINT screen(int x, int y);
    // Client coordinates of sample index with value v in the wave editor.
    POINT editorPoint(int index, float v);
    void clickAt(int x, int y);
    void clickObject(short id);
    // Presses at the first point, moves through the others, releases at the last.
    void drag(const std::vector<POINT>& path);
    // Opens a pop-up of the window with a click and chooses an item (its command).
    void choose(short popup, int command);
    // The same for an item that opens the file dialog, answered with path.
    void chooseFile(short popup, int command, const std::string& path);
    std::string shot(const char* name);
    windowSession session_;
};
