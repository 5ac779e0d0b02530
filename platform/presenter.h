// The presenter interface: where the composed screen goes and where input
// comes from. Two implementations: SDL2 (a real window) and headless (tests).
#pragma once
#include "platform/win_types.h"
#include <cairo.h>
#include <string>
#include <vector>

namespace plat {

enum InputType {
    IN_MOUSEMOVE,
    IN_BUTTONDOWN,
    IN_BUTTONUP,
    IN_WHEEL,
    IN_KEYDOWN,
    IN_KEYUP,
    IN_TEXT,
    IN_DROPFILES,
    IN_CLOSE,
    IN_RESIZE,
    IN_EXPOSE
};

struct InputEvent {
    InputType type = IN_MOUSEMOVE;
    int x = 0, y = 0;  // screen coords (mouse, drop) or new size (resize)
    int button = 0;    // 1 left, 2 middle, 3 right
    int vk = 0;        // virtual key
    int delta = 0;     // wheel notches, positive away from the user
    std::string text;  // typed text, UTF-8
    std::vector<std::string> files;
};

struct CursorRec;

class Presenter {
public:
    virtual ~Presenter() {}
    virtual int kind() const = 0;
    virtual bool open(int width, int height) = 0;
    // The screen changed inside damage (screen coords).
    virtual void present(cairo_surface_t* screen, const cairo_region_t* damage) = 0;
    // Takes the next pending input event without waiting.
    virtual bool poll(InputEvent* ev) = 0;
    // The queue is empty and nothing is due before timeoutMs (-1: no timer
    // runs); modal is set while a modal prompt runs its loop. A desktop
    // backend waits until input arrives or the time passes. The headless
    // backend has no input to wait for and takes its own step instead: it
    // runs a scripted action, cancels an unanswered prompt, moves its clock
    // to the next timer, or ends the loop when nothing can happen any more.
    virtual void idle(int timeoutMs, bool modal) = 0;
    virtual DWORD ticks() = 0;
    virtual void sleep(DWORD ms) = 0;
    virtual void setCursor(const CursorRec* cursor, bool shown) = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    virtual bool clipboardText(std::string* out) = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual void minimize() = 0;
    virtual void restore() = 0;
    virtual void raise() = 0;
};

Presenter* makeHeadlessPresenter();
Presenter* makeSdlPresenter();

}  // namespace plat
