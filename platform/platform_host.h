// Starting the platform layer, choosing its presenter, registering
// resources (bitmaps, cursors, menus, accelerators, dialog templates), and
// the headless presenter's test controls (injected input, running until
// idle, scripted answers to modal prompts, PNG screenshots).
#pragma once
#include "platform/win_types.h"
#include <cairo.h>
#include <functional>
#include <string>
#include <vector>

#define PLATFORM_PRESENTER_HEADLESS 0
#define PLATFORM_PRESENTER_SDL      1

// Starts the layer with the given presenter and screen size; 1 or 0 (for
// example when no display can be opened for the SDL presenter).
int platform_init(int presenterKind, int screenWidth, int screenHeight);
// Destroys every window and object, closes the presenter. Safe to call twice.
void platform_shutdown(void);
int platform_isRunning(void);
int platform_presenterKind(void);
HINSTANCE platform_instance(void);
// Composes the windows onto the screen and hands the changed part to the
// presenter; full = 1 recomposes everything. Returns 1 when something was presented.
int platform_composeAndPresent(int full);
// The composed screen (owned by the layer; valid until shutdown or resize).
cairo_surface_t* platform_screenSurface(void);
int platform_saveScreenPNG(const char* path);
// One window as it appears on screen, with its children.
int platform_saveWindowPNG(HWND hwnd, const char* path);
// A check made on every turn of every message loop, the main one and the
// modal ones of questions and dialogs, as it asks for its next message
// (GetMessageA, WaitMessage): the place for what must reach the program
// even while a question waits for an answer, such as a request to end the
// process. Null removes it; shutting the layer down removes it too.
void platform_setLoopCheck(void (*check)(void));
// Text and background colours of an edit control (a dark-themed field);
// 1, or 0 when hwnd is no edit control.
int platform_setEditColors(HWND edit, COLORREF text, COLORREF background);

// ---- resources, by integer id (MAKEINTRESOURCE) or by name ------------------
// Bitmaps are copied; the caller keeps its surface.
int platform_registerBitmap(LPCSTR nameOrId, cairo_surface_t* surface);
int platform_registerBitmapPixels(LPCSTR nameOrId, int width, int height, const uint32_t* xrgb);
int platform_registerCursor(LPCSTR nameOrId, cairo_surface_t* image, int hotX, int hotY);
int platform_registerIcon(LPCSTR nameOrId, cairo_surface_t* image);

struct MenuTemplateItem {
    std::string text;                     // "-" or empty text with MF_SEPARATOR makes a separator
    UINT id = 0;                          // command id of a string item
    UINT flags = 0;                       // MF_GRAYED, MF_CHECKED, MF_SEPARATOR
    std::vector<MenuTemplateItem> popup;  // non-empty: a sub-menu
};
int platform_registerMenuTemplate(LPCSTR nameOrId, const std::vector<MenuTemplateItem>& bar);
int platform_registerAccelerators(LPCSTR nameOrId, const std::vector<ACCEL>& entries);

// Dialog templates are in pixels of the dialog's client area.
struct DialogItemTemplate {
    std::string className;  // "BUTTON", "STATIC", "LISTBOX", "EDIT", "SCROLLBAR"
    std::string text;
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;  // WS_CHILD | WS_VISIBLE are added
    DWORD exStyle = 0;
};
struct DialogTemplate {
    std::string title;
    int x = 0, y = 0, cx = 200, cy = 100;  // placed centred over the owner unless DS_ABSALIGN
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    std::string fontFace = "Arial";
    int fontHeight = -12;  // as lfHeight
    std::vector<DialogItemTemplate> items;
};
int platform_registerDialogTemplate(LPCSTR nameOrId, const DialogTemplate& tpl);

// ---- the last message box shown (for tests and diagnostics) -------------------
struct PlatformPromptRec {
    std::string caption, text;
    UINT type = 0;
    int answer = 0;
    int count = 0;
};
PlatformPromptRec platform_lastMessageBox(void);

// ---- headless presenter controls (no effect with the SDL presenter) -----------
void headless_mouseMove(int x, int y);
void headless_mouseDown(int button);  // 1 left, 2 middle, 3 right
void headless_mouseUp(int button);
void headless_click(int x, int y, int button = 1);
void headless_doubleClick(int x, int y);
void headless_wheel(int x, int y, int notches);
void headless_keyDown(int vk);
void headless_keyUp(int vk);
void headless_key(int vk);  // down and up
void headless_typeText(const char* text);
void headless_dropFiles(int x, int y, const std::vector<std::string>& paths);
void headless_requestClose(void);  // the user closes the program's window
// Clicks the centre of a window (a control, a button of a dialog...).
void headless_clickWindow(HWND hwnd);
// Dispatches every pending message (with timers already due) until nothing is
// left; returns the number of messages dispatched. Stops at WM_QUIT (kept).
int headless_runUntilIdle(void);
// Moves the virtual clock forward, stopping at every timer due on the way
// and running until idle there, so timers fire in order and on time.
// Returns the number of messages dispatched on the way.
int headless_advanceTime(DWORD ms);
// An action run the next time a loop waits with nothing to do; it receives
// the innermost modal window (message box, dialog, file dialog, menu) or null.
void headless_pushIdleAction(std::function<void(HWND modal)> action);
// Answers the next modal prompt by pressing the control or menu command id.
void headless_answerNextPrompt(int id);
// Answers the next file dialog with a path (empty: cancel).
void headless_answerNextFileDialog(const std::string& path);
HWND headless_topModal(void);
// Prompts that had no scripted answer and were cancelled by the layer.
int headless_unansweredPrompts(void);
// Screen rectangle of a menu item (by command) in the open pop-up menus, or
// of a menu-bar item (by position) of a window; 1 or 0 (also for an item of
// a long menu that is scrolled out of sight).
int platform_menuItemScreenRect(UINT command, RECT* out);
int platform_menuBarItemScreenRect(HWND hwnd, int position, RECT* out);
HCURSOR platform_currentCursor(void);
int platform_cursorShown(void);
