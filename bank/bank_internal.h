// Helpers shared by the source files of bank/ (not part of its door).
#pragma once

#include "bank/bank.h"

// Tells the shell that a preset went into the instrument of this instance.
void bank_notifySelected(int instance);

// Copies text into a fixed field of size bytes, always zero-terminated.
void bank_copyText(char* out, size_t size, const char* text);
