// Reading and writing banks for morvane-bank, with the editor's messages
// collected instead of shown.
#include "tools/morvane-bank/bank_load.h"

#include <cstring>
#include <fstream>

namespace {
std::vector<std::string>* collected = nullptr;

int collectMessage(const char* text, const char*, int)
{
    if (collected) collected->push_back(text);
    return bankAnswer_ok;
}

void collectError(const char* text)
{
    if (collected) collected->push_back(text);
}

// Collects the messages of the bank module while it lives.
struct collecting {
    explicit collecting(std::vector<std::string>* into, bool errors)
    {
        collected = into;
        bank_setMessageProc(collectMessage);
        if (errors) bank_setErrorProc(collectError);
    }
    ~collecting()
    {
        bank_setMessageProc(nullptr);
        bank_setErrorProc(nullptr);
        collected = nullptr;
    }
};
}  // namespace

loadedBank bankLoad_read(const std::string& path)
{
    loadedBank lb;
    if (!file_buf) file_init(kFileBufSize);
    {
        collecting c(&lb.problems, true);
        lb.bank.reset(bank_new());
        if (lb.bank) lb.result = mvnFile_openFromPathName(lb.bank.get(), path.c_str(), nullptr);
    }
    // A big-endian file shows its header type in reading order.
    char head[4] = {0, 0, 0, 0};
    std::ifstream in(path, std::ios::binary);
    in.read(head, 4);
    lb.bigEndian = std::memcmp(head, "Clam", 4) == 0;
    return lb;
}

bool bankLoad_ok(const loadedBank& lb, const std::string& path, std::ostream& err)
{
    if (lb.bank && lb.result == mvnOpen_done) return true;
    err << path << ": cannot be read as a bank\n";
    for (const std::string& p : lb.problems) err << "  " << p << "\n";
    return false;
}

int bankLoad_write(bankRec* bank, const std::string& path, bool bigEndian, std::ostream& err)
{
    std::vector<std::string> problems;
    long written;
    {
        collecting c(&problems, false);
        written = mvnFile_exportByteOrder(bank, path.c_str(), bigEndian ? 1 : 0);
    }
    if (written) return 1;
    err << path << ": not written\n";
    for (const std::string& p : problems) err << "  " << p << "\n";
    return 0;
}

int bankLoad_slot(const std::string& text)
{
    if (text.empty() || text.size() > 3) return -1;
    int slot = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        slot = slot * 10 + (c - '0');
    }
    return slot < kBankSlots ? slot : -1;
}

std::string bankLoad_presetName(bankRec* bank, short slot)
{
    char name[kPatchNameLen + 1];
    bank_getPresetName(bank, slot, name);
    return name;
}
