// What the windows of this folder share (not part of the door): creating
// a window from its table row, as an editor window (MDI child) or a tool
// window, the per-window update flags, showing, and the drawing of a plain
// themed background.
#pragma once

#include "windows/windows.h"

// Creates the editor window of a table row (once) as an MDI child of the
// toolkit's frame client, hidden, at its placement record's position (or
// the row's) with the row's size, attached to the toolkit with the row's list sizes; runs the
// row's build with the window current, then shows it when its placement
// record says so. 1 or 0.
int editorWindow_make(const windowTableRec* row);
// A tool window of a table row: an MDI child (in client coordinates) when
// mdiChild is set, else a floating window owned by the frame (screen
// coordinates). Its client area is clientW x clientH. Attached to the
// toolkit, hidden. 1 or 0.
int toolWindow_make(const windowTableRec* row, int x, int y, int clientW, int clientH, int mdiChild);
// The build of a window whose controls are still to come: a themed
// background as object 1 covering the client area.
void editorWindow_buildPlaceholder();
// Registers a window class (once) with the program's icon, the arrow
// cursor and a black background. 1 or 0.
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
// Restores a shown window that is minimised and brings it in front of
// the others; nothing for a hidden window.
void editorWindow_bringToFront(short id);
// What every editor window's procedure does alike: the Window menu's check
// on activation, no painting of its own, closing by hiding, the update
// command running the window's update, F10 left to the menu bar. Returns 1
// when the message is fully handled (the window returns *result), 0 when
// the window goes on with it.
int editorWindow_commonMessage(short id, HWND hwnd, UINT msg, WPARAM wParam, LRESULT* result);
// A procedure for floating windows that cannot be closed: every message to
// the toolkit first, paint and close handled, F10 swallowed.
LRESULT toolWindow_commonProc(short id, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int* handled);
// The messages that the transform windows (dialog rows) answer alike, after
// the toolkit saw them: paint, the close box that does nothing, Return that
// shows button okButton pressed for 160 ms and then calls ok with it, F10.
// 1 when the message was answered (the procedure returns 0), else 0.
int dialogWindow_commonMessage(short id, short okButton, clickProcPtr ok, HWND hwnd, UINT msg, WPARAM wParam);
// Fills rect of the current window's device context with a theme colour.
void editorWindow_fillBackground(const RECT* rect, int dark);

// The window procedures of the table's rows that have their own.
LRESULT CALLBACK wMain_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK wNav_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK wMeter_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK wSplash_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The builds of the Main, Patch, Waveform, MIDI, waveform transform, LFO and Effect windows: their
// artwork, controls and first state.
void wMain_build();
void wPatch_build();
void wWave_build();
void wMidi_build();
void wWtrans_build();
void wLfo_build();
void wEffect_build();
