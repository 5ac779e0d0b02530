// Helpers shared by the toolkit's own source files only.
#pragma once
#include "platform/verify.h"
#include "toolkit/toolkit.h"

// Forgets the last click, so the next click is never taken for a double click.
void toolkit_resetClickClock(void);
// Marks the current window's draw list for a rebuild before the next draw.
void toolkit_drawListChanged(short window);
// The object of the current window, or defaultClickObject.
clickObjectRec* toolkit_object(short id);
// Width and height of a bitmap of the store, 0 when it is missing.
int toolkit_bitmapSize(long id, int* width, int* height);
// The wheel on a number box (steps by its rule, in the column under the
// pointer) and on a draggy (a small step); both call the callback as a drag does.
void numbox_wheel(short id, int notches, const zPoint* pt);
void draggy_wheel(short id, int notches);
// The list the user clicked last in a window takes the arrow keys, Page Up
// and Page Down, Home and End; 1 when it took the key.
int list_takeKey(short window, WPARAM vk);
void list_forgetKeys(short window);
// Held during a drag, Shift makes number boxes and draggies ten times finer.
int toolkit_fineDrag(void);

// ---- what differs between control kinds in the shared operations ----------------------

// What a kind is told of after the shared operation changed its object.
enum { kControlShown = 1, kControlMoved = 2, kControlEnabled = 3 };

// One control kind's part in show, move, enable and delete (control_ops.cpp).
// A null hook does nothing, or the default said beside it.
struct controlKindRec {
    short type;
    short cursor;       // the zone's cursor when updateZone is null
    int staysOnWindow;  // a move never takes it left of or above the window's corner
    int ownRecord;      // the object's data is the kind's record: nothing is done without it
    // Everything the control paints; null: its object's rect.
    void (*area)(const clickObjectRec* obj, RECT* out);
    // The zone after a change of state; null: a zone of the cursor over the
    // object's rect while it is visible and enabled.
    void (*updateZone)(clickObjectRec* obj);
    // Moves the kind's own rects (the object's rect is moved already).
    void (*offset)(clickObjectRec* obj, LONG dx, LONG dy);
    // Told of a change (kControlShown, kControlMoved, kControlEnabled)
    // before the control is drawn again.
    void (*changed)(clickObjectRec* obj, int what);
    // Controls that carry others along (panels): they follow a show or a move.
    void (*follow)(clickObjectRec* obj, int what, LONG dx, LONG dy);
    // Frees the kind's record when the control is deleted.
    void (*release)(clickObjectRec* obj);
    // A right click on the control (at g_mouse.pos); null: nothing.
    void (*rightClick)(clickObjectRec* obj);
};

extern const controlKindRec button_kind, panel_kind, picture_kind, draggy_kind, display_kind, numbox_kind,
    matrix_kind, kbd_kind, popup_kind, custom_kind, list_kind;

// The kind record of a control type, null for kTypeNone and unknown types.
const controlKindRec* control_kind(short type);
// Everything the control paints (its kind's area).
void control_area(const clickObjectRec* obj, RECT* out);
// The object's zone after its state changed, as its kind has it.
void control_syncZone(clickObjectRec* obj);
// The shared operations on a control of the current window. type names the
// kind the caller expects (kTypeNone: whatever kind the object is); an id
// that names no control of that kind does nothing. Nothing is invalidated
// or drawn unless the state really changes.
void control_show(short id, short type, int show);
void control_move(short id, short type, short x, short y);
void control_enable(short id, short type, int enable);
void control_delete(short id, short type);
