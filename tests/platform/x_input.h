// Input sent to an X server through its test extension, from a connection
// of its own, as a user would. Kept apart from the tests because the X
// headers' macros collide with the test framework's names.
#pragma once
#include <string>

// Moves the pointer to (x, y) and clicks the left button. Returns the time
// (milliseconds of the steady clock) the press was sent, or 0 when the
// display cannot be opened or has no test extension.
long long xinput_click(const std::string& display, int x, int y);
// Milliseconds of the steady clock, the clock xinput_click reports in.
long long xinput_nowMs();
