// What the Main window's two control files share: making window 1 current
// for a while, showing objects inside panels, and building the bottom panel.
#pragma once

#include "windows/windows.h"

// Makes window 1 current while it exists and puts the previous window back.
class mainScope {
public:
    mainScope() : saved_(window_getCurrent()), ok_(window_getHWND(winId_main) != nullptr)
    {
        if (ok_) window_setCurrent(winId_main);
    }
    ~mainScope()
    {
        if (ok_) window_setCurrent(saved_);
    }
    bool ok() const { return ok_; }

private:
    short saved_;
    bool ok_;
};

// Shows or hides an object of a panel of window 1: at once when its panel
// is on screen, else only in what the panel will show again.
void wMain_showItem(short id, int show);
// Builds the bottom panel: slider backgrounds and rows, sliders and their
// names, hold, sustain, the bend wheel and the keyboard.
void wMain_makeBottomControls();
