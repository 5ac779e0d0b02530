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
