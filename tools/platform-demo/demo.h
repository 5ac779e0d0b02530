// The platform layer's living example: an MDI frame with a menu bar, two
// child windows drawing with GDI, a pop-up menu, a message box, a list-box
// dialog, an edit control and an open-file dialog.
#pragma once
#include "platform/platform.h"
#include <string>

struct DemoRec {
    HWND frame = nullptr;
    HWND client = nullptr;
    HWND drawing = nullptr;   // child 1: GDI drawing
    HWND controls = nullptr;  // child 2: edit, scroll bar, status text
    HWND edit = nullptr;
    HWND scroll = nullptr;
    HWND status = nullptr;
    HACCEL accel = nullptr;
    std::string lastAction;  // what the last command did, also shown in the status line
};

// Menu commands of the demo.
enum {
    DEMO_OPEN = 100,
    DEMO_QUIT = 101,
    DEMO_POPUP = 200,
    DEMO_MESSAGE = 201,
    DEMO_LIST = 202,
    DEMO_POPUP_RED = 210,
    DEMO_POPUP_GREEN = 211,
    DEMO_POPUP_BLUE = 212,
    DEMO_ABOUT = 300
};

// Registers the demo's resources and classes and creates its windows; 1 or 0.
int demo_create(DemoRec* demo);
// Runs the message loop with the frame's accelerators until quit; returns its code.
int demo_run(DemoRec* demo);
DemoRec* demo_current();
