// Reading and writing banks for the commands of morvane-bank: every message
// and silent notice of the editor's reader and writer is collected as a
// reason to print, and nothing is shown in a box.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "bank/bank.h"

struct bankDeleter {
    void operator()(bankRec* b) const { bank_delete(b); }
};
typedef std::unique_ptr<bankRec, bankDeleter> bankHandle;

// A bank read from a file, with every message and notice the reader gave.
struct loadedBank {
    bankHandle bank;
    long result = mvnOpen_failed;
    std::vector<std::string> problems;
    bool bigEndian = false;  // the byte order the file was written in
};

loadedBank bankLoad_read(const std::string& path);
// 1 when the bank could be read (perhaps with damage); else says why on err.
bool bankLoad_ok(const loadedBank& lb, const std::string& path, std::ostream& err);
// Writes the bank to path in the given byte order through the editor's safe
// writer (temporary file, rename; the old file kept as ".bak"). On failure
// the reasons go to err and the old file is as it was. 1 or 0.
int bankLoad_write(bankRec* bank, const std::string& path, bool bigEndian, std::ostream& err);
// A slot argument: decimal digits only, 0..127; else -1.
int bankLoad_slot(const std::string& text);
std::string bankLoad_presetName(bankRec* bank, short slot);
