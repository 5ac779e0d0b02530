// Helpers shared by the source files of bank/ (not part of its door).
#pragma once

#include <vector>

#include "bank/bank.h"

// Tells the shell that a preset went into the instrument of this instance.
void bank_notifySelected(int instance);

// Copies text into a fixed field of size bytes, always zero-terminated.
void bank_copyText(char* out, size_t size, const char* text);

// The whole bank file rendered into memory (as mvnFile_writeBankOrder writes
// it); 0 and the failed chunk's message number in *failCode on failure.
long bank_renderFile(bankRec* bank, int otherByteOrder, std::vector<char>* image, int* failCode);
