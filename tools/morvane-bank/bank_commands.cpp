// The commands of morvane-bank, built on the editor's own bank reader and
// writer. Messages that the editor would show in a box and the reader's
// silent notices are collected and printed as the reasons of a command.
#include "tools/morvane-bank/bank_commands.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "tools/morvane-bank/bank_describe.h"

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

struct bankDeleter {
    void operator()(bankRec* b) const { bank_delete(b); }
};
typedef std::unique_ptr<bankRec, bankDeleter> bankHandle;

// A bank read from a file, with every message and notice the reader gave.
struct loadedBank {
    bankHandle bank;
    long result = mvnOpen_failed;
    std::vector<std::string> problems;
};

loadedBank load(const std::string& path)
{
    loadedBank lb;
    if (!file_buf) file_init(kFileBufSize);
    collected = &lb.problems;
    bank_setMessageProc(collectMessage);
    bank_setErrorProc(collectError);
    lb.bank.reset(bank_new());
    if (lb.bank) lb.result = mvnFile_openFromPathName(lb.bank.get(), path.c_str(), nullptr);
    bank_setMessageProc(nullptr);
    bank_setErrorProc(nullptr);
    collected = nullptr;
    return lb;
}

bool loadedOk(const loadedBank& lb, const std::string& path, std::ostream& err)
{
    if (lb.bank && lb.result == mvnOpen_done) return true;
    err << path << ": cannot be read as a bank\n";
    for (const std::string& p : lb.problems) err << "  " << p << "\n";
    return false;
}

std::string presetName(bankRec* bank, short slot)
{
    char name[kPatchNameLen + 1];
    bank_getPresetName(bank, slot, name);
    return name;
}

// Header walk independent of the reader: the file starts with "Clam" (in
// either byte order) and ends right after a "tail" chunk.
void checkFrame(const std::string& path, std::vector<std::string>& problems)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    if (bytes.size() < 12) return;  // the reader has said so already
    bool big = std::memcmp(bytes.data(), "Clam", 4) == 0;
    bool little = std::memcmp(bytes.data(), "malC", 4) == 0;
    if (!big && !little) {
        problems.push_back("the file does not start with a \"Clam\" header chunk");
        return;
    }
    auto word = [&](size_t at) {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= (uint32_t)bytes[at + (big ? 3 - i : i)] << (8 * i);
        return v;
    };
    size_t at = 0, lastStart = 0;
    while (at + 12 <= bytes.size()) {
        int32_t size = (int32_t)word(at + 4);
        if (size < 0 || at + 12 + (size_t)size > bytes.size()) return;  // damage the reader reports
        lastStart = at;
        at += 12 + (size_t)size;
    }
    if (at != bytes.size()) return;
    if (word(lastStart) != (uint32_t)kBankChunkTail)
        problems.push_back("the file does not end with a \"tail\" chunk");
}
}  // namespace

int bankCmd_list(const std::string& file, std::ostream& out, std::ostream& err)
{
    loadedBank lb = load(file);
    if (!loadedOk(lb, file, err)) return 1;
    for (short slot = 0; slot < kBankSlots; ++slot) {
        if (bank_presetIsDefault(lb.bank.get(), slot)) continue;
        char line[80];
        std::snprintf(line, sizeof line, "%3d  %-34s  ", slot, presetName(lb.bank.get(), slot).c_str());
        out << line << describe_summary(bank_getPreset(lb.bank.get(), slot)) << "\n";
    }
    for (const std::string& p : lb.problems) err << "warning: " << p << "\n";
    return 0;
}

int bankCmd_show(const std::string& file, int slot, std::ostream& out, std::ostream& err)
{
    if (slot < 0 || slot >= kBankSlots) {
        err << "slot " << slot << " is outside 0..127\n";
        return 1;
    }
    loadedBank lb = load(file);
    if (!loadedOk(lb, file, err)) return 1;
    if (bank_presetIsDefault(lb.bank.get(), (short)slot))
        out << "# slot " << slot << " holds the default preset\n";
    for (const presetField& f : describe_preset(bank_getPreset(lb.bank.get(), (short)slot)))
        out << f.name << " = " << f.value << "\n";
    return 0;
}

int bankCmd_check(const std::string& file, std::ostream& out, std::ostream& err)
{
    loadedBank lb = load(file);
    std::vector<std::string> problems = lb.problems;
    if (lb.result == mvnOpen_done) checkFrame(file, problems);
    if (lb.result != mvnOpen_done && problems.empty()) problems.push_back("the file could not be read");
    if (problems.empty()) {
        out << file << ": OK, " << bank_presetCount(lb.bank.get()) << " presets\n";
        return 0;
    }
    err << file << ": " << problems.size() << " problem(s)\n";
    for (const std::string& p : problems) err << "  " << p << "\n";
    return 1;
}

int bankCmd_convert(const std::string& in, const std::string& outFile, int bigEndian, int force,
                    std::ostream& out, std::ostream& err)
{
    loadedBank lb = load(in);
    if (!loadedOk(lb, in, err)) return 1;
    // Written over itself, a damaged file would lose what could not be read.
    if (lb.bank->readDamaged && !force && mvnFile_isCurrentFile(lb.bank.get(), outFile.c_str())) {
        err << in << ": read with damage, only " << bank_presetCount(lb.bank.get())
            << " presets could be read; not overwritten (--force replaces it with them)\n";
        for (const std::string& p : lb.problems) err << "  " << p << "\n";
        return 1;
    }
    std::vector<std::string> problems;
    collected = &problems;
    bank_setMessageProc(collectMessage);
    long written = mvnFile_exportByteOrder(lb.bank.get(), outFile.c_str(), bigEndian);
    bank_setMessageProc(nullptr);
    collected = nullptr;
    if (!written) {
        err << outFile << ": not written\n";
        for (const std::string& p : problems) err << "  " << p << "\n";
        return 1;
    }
    out << outFile << ": " << bank_presetCount(lb.bank.get()) << " presets, "
        << (bigEndian ? "big-endian" : "little-endian") << "\n";
    for (const std::string& p : lb.problems) err << "warning: " << p << "\n";
    return lb.problems.empty() ? 0 : 1;
}

int bankCmd_diff(const std::string& a, const std::string& b, std::ostream& out, std::ostream& err)
{
    loadedBank la = load(a), lb = load(b);
    if (!loadedOk(la, a, err) || !loadedOk(lb, b, err)) return 2;
    int differing = 0;
    for (short slot = 0; slot < kBankSlots; ++slot) {
        bool defA = bank_presetIsDefault(la.bank.get(), slot) != 0;
        bool defB = bank_presetIsDefault(lb.bank.get(), slot) != 0;
        if (defA && defB) continue;
        std::string head = "slot " + std::to_string(slot) + " (" + presetName(la.bank.get(), slot) + " / " +
                           presetName(lb.bank.get(), slot) + ")";
        if (defA != defB) {
            out << head << ": " << (defA ? "empty in A" : "empty in B") << "\n";
            ++differing;
            continue;
        }
        std::vector<presetField> fa = describe_preset(bank_getPreset(la.bank.get(), slot));
        std::vector<presetField> fb = describe_preset(bank_getPreset(lb.bank.get(), slot));
        std::map<std::string, std::string> inB;
        for (const presetField& f : fb) inB[f.name] = f.value;
        std::vector<std::string> lines;
        for (const presetField& f : fa) {
            auto it = inB.find(f.name);
            if (it == inB.end())
                lines.push_back("  " + f.name + ": " + f.value + " -> (absent)");
            else if (it->second != f.value)
                lines.push_back("  " + f.name + ": " + f.value + " -> " + it->second);
            if (it != inB.end()) inB.erase(it);
        }
        for (const presetField& f : fb)
            if (inB.count(f.name)) lines.push_back("  " + f.name + ": (absent) -> " + f.value);
        if (lines.empty()) continue;
        ++differing;
        out << head << ": " << lines.size() << " field(s) differ\n";
        for (const std::string& l : lines) out << l << "\n";
    }
    if (differing == 0) out << "no differences\n";
    return differing ? 1 : 0;
}

int bankCmd_main(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "list") return bankCmd_list(args[1], out, err);
    if (args.size() == 3 && args[0] == "show") {
        char* end = nullptr;
        long slot = std::strtol(args[2].c_str(), &end, 10);
        if (end && *end == 0 && !args[2].empty()) return bankCmd_show(args[1], (int)slot, out, err);
    }
    if (args.size() == 2 && args[0] == "check") return bankCmd_check(args[1], out, err);
    if (args.size() >= 4 && args[0] == "convert") {
        bool force = args[1] == "--force";
        if (force) args.erase(args.begin() + 1);
        if (args.size() == 4 && (args[1] == "--big-endian" || args[1] == "--little-endian"))
            return bankCmd_convert(args[2], args[3], args[1] == "--big-endian", force, out, err);
    }
    if (args.size() == 3 && args[0] == "diff") return bankCmd_diff(args[1], args[2], out, err);
    err << "usage: morvane-bank list FILE\n"
           "       morvane-bank show FILE SLOT\n"
           "       morvane-bank check FILE\n"
           "       morvane-bank convert [--force] --big-endian|--little-endian IN OUT\n"
           "       morvane-bank diff A B\n";
    return 2;
}
