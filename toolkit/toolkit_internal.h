// Helpers shared by the toolkit's own source files only.
#pragma once
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
