// What the editor windows of this folder share (not part of the door):
// creating a toolkit window as an MDI child or a floating tool window, the
// common window procedure, the per-window update flags and the drawing of a
// plain themed background.
#pragma once

#include "windows/windows.h"

struct editorWindowDesc {
    short id;               // toolkit window id
    const char* className;  // window class, registered once
    const char* title;      // caption before the first naming
    short positionId;       // placement record 127..137, 0 for none
    int x, y;               // used when the placement record has no size
    int width, height;      // outer size when the record gives none
    short clickMax;         // click objects and draw entries
    void (*update)();       // the window's update function (command 8695)
};

// Creates the window described (once) as an MDI child of the toolkit's
// frame client, hidden, attached to the toolkit with its lists, with a
// themed background as object 1 covering the client area. 1 or 0.
int editorWindow_make(const editorWindowDesc* desc);
// A tool window: an MDI child (in client coordinates) when mdiChild is set,
// else a floating window owned by the frame (screen coordinates). Its
// client area is clientW x clientH. Attached to the toolkit, hidden. 1 or 0.
int toolWindow_make(short id, const char* className, int x, int y, int clientW, int clientH, short clickMax,
                    int mdiChild, WNDPROC proc);
// Registers a window class (once) with the arrow cursor and a black
// background. 1 or 0.
int editorWindow_registerClass(const char* className, WNDPROC proc);
// Paints a window's own pictures with registerArt and loads every registered
// picture not loaded yet, unless the picture probeBitmap is already there
// (start-up loaded them).
void editorWindow_loadArtwork(int probeBitmap, int (*registerArt)());
// The per-window update flags of the protocol.
void editorWindow_schedule(short id);
int editorWindow_needs(short id);
void editorWindow_clear(short id);
// The common reaction to the update command: clear the flag and repaint.
void editorWindow_refresh(short id);
// Shows or hides an editor window: through openOneEditWindow when one
// window at a time is on and the window is shown.
void editorWindow_show(short id, int show);
// A procedure for floating windows that cannot be closed: every message to
// the toolkit first, paint and close handled, F10 swallowed.
LRESULT toolWindow_commonProc(short id, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int* handled);
// Fills rect of the current window's device context with a theme colour.
void editorWindow_fillBackground(const RECT* rect, int dark);
