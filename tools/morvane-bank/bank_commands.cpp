// The reading commands of morvane-bank (list, show, search, check, convert,
// diff) and the command line. Results go to out, messages to err; the exit
// status is 0 for success, 1 when nothing was found or a command was
// refused, 2 for bad usage or a file that cannot be read.
#include "tools/morvane-bank/bank_commands.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>

#include "tools/morvane-bank/bank_describe.h"
#include "tools/morvane-bank/bank_load.h"

#ifndef MORVANE_VERSION
#define MORVANE_VERSION "unknown"
#endif

namespace {
const char* const kUsage =
    "usage: morvane-bank COMMAND ARGUMENTS\n"
    "\n"
    "Reading:\n"
    "  list BANK                      one line per stored preset: slot, name, summary\n"
    "  show [--raw|--json] BANK SLOT  a preset in hertz, seconds, dB and note names;\n"
    "                                 --raw: every stored value; --json: one JSON object\n"
    "  search PATTERN BANK...         presets whose name contains PATTERN (any case):\n"
    "                                 BANK<TAB>SLOT<TAB>NAME\n"
    "  check BANK                     reads the whole file and reports every problem\n"
    "  diff A B                       slots and fields that differ\n"
    "  convert [--force] --big-endian|--little-endian IN OUT\n"
    "                                 writes IN to OUT in that byte order\n"
    "Editing in place (the old file is kept as BANK.bak):\n"
    "  copy SRC SLOT DST SLOT [--force]  copies a preset; DST is created when missing\n"
    "  swap BANK SLOT SLOT            exchanges two slots\n"
    "  rename BANK SLOT NAME          names a preset (at most 34 characters)\n"
    "  clear BANK SLOT                empties a slot\n"
    "  --force: overwrite a stored preset, or write over a bank read with damage\n"
    "\n"
    "  -h, --help                     this text\n"
    "  --version                      the version\n"
    "\n"
    "SLOT is a number from 0 to 127. Exit status: 0 done, 1 nothing found or\n"
    "refused, 2 bad usage or a file that cannot be read.\n";

// Header walk independent of the reader: the file starts with "Clam" (in
// either byte order), ends right after a "tail" chunk, and no two presets
// claim one slot.
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
    auto word = [&](size_t at, int size) {
        uint32_t v = 0;
        for (int i = 0; i < size; ++i) v |= (uint32_t)bytes[at + (big ? size - 1 - i : i)] << (8 * i);
        return v;
    };
    std::map<int, size_t> presetAt;  // slot -> offset of its "ptch" chunk
    size_t at = 0, lastStart = 0;
    bool tail = false;
    while (at + 12 <= bytes.size()) {
        int32_t size = (int32_t)word(at + 4, 4);
        if (size < 0 || at + 12 + (size_t)size > bytes.size()) return;  // damage the reader reports
        uint32_t type = word(at, 4);
        if (type == (uint32_t)kBankChunkPtch && size >= 2) {
            int slot = (int16_t)word(at + 12, 2);
            auto seen = presetAt.find(slot);
            if (seen != presetAt.end())
                problems.push_back("two presets claim slot " + std::to_string(slot) + " (chunks at byte " +
                                   std::to_string(seen->second) + " and " + std::to_string(at) +
                                   "); the later one is kept");
            presetAt[slot] = at;
        }
        lastStart = at;
        at += 12 + (size_t)size;
        if (type == (uint32_t)kBankChunkTail) {
            tail = true;
            break;
        }
    }
    if (tail && at < bytes.size())
        problems.push_back(std::to_string(bytes.size() - at) + " bytes after the \"tail\" chunk");
    else if (!tail && at == bytes.size() && word(lastStart, 4) != (uint32_t)kBankChunkTail)
        problems.push_back("the file does not end with a \"tail\" chunk");
}

std::string lower(std::string s)
{
    for (char& c : s) c = (char)std::tolower((unsigned char)c);
    return s;
}

int usageError(const std::string& why, std::ostream& err)
{
    err << "morvane-bank: " << why << "\n"
        << "Try 'morvane-bank --help'.\n";
    return 2;
}
}  // namespace

int bankCmd_list(const std::string& file, std::ostream& out, std::ostream& err)
{
    loadedBank lb = bankLoad_read(file);
    if (!bankLoad_ok(lb, file, err)) return 2;
    for (short slot = 0; slot < kBankSlots; ++slot) {
        if (bank_presetIsDefault(lb.bank.get(), slot)) continue;
        char line[80];
        std::snprintf(line, sizeof line, "%3d  %-34s  ", slot,
                      bankLoad_presetName(lb.bank.get(), slot).c_str());
        out << line << describe_summary(bank_getPreset(lb.bank.get(), slot)) << "\n";
    }
    for (const std::string& p : lb.problems) err << "warning: " << p << "\n";
    return 0;
}

int bankCmd_show(const std::string& file, int slot, int form, std::ostream& out, std::ostream& err)
{
    if (slot < 0 || slot >= kBankSlots)
        return usageError("slot " + std::to_string(slot) + " is outside 0..127", err);
    loadedBank lb = bankLoad_read(file);
    if (!bankLoad_ok(lb, file, err)) return 2;
    bankRec* bank = lb.bank.get();
    presetRec* preset = bank_getPreset(bank, (short)slot);
    bool empty = bank_presetIsDefault(bank, (short)slot) != 0;
    if (form == showForm_json) {
        out << describe_json(preset, slot, empty);
    } else {
        if (empty) out << "# slot " << slot << " holds the default preset\n";
        for (const presetField& f :
             form == showForm_raw ? describe_preset(preset) : describe_musician(preset))
            out << f.name << " = " << f.value << "\n";
    }
    for (const std::string& p : lb.problems) err << "warning: " << p << "\n";
    return 0;
}

int bankCmd_search(const std::string& pattern, const std::vector<std::string>& files, std::ostream& out,
                   std::ostream& err)
{
    std::string wanted = lower(pattern);
    int found = 0, unreadable = 0;
    for (const std::string& file : files) {
        loadedBank lb = bankLoad_read(file);
        if (!bankLoad_ok(lb, file, err)) {
            ++unreadable;
            continue;
        }
        for (short slot = 0; slot < kBankSlots; ++slot) {
            if (bank_presetIsDefault(lb.bank.get(), slot)) continue;
            std::string name = bankLoad_presetName(lb.bank.get(), slot);
            if (lower(name).find(wanted) == std::string::npos) continue;
            out << file << "\t" << slot << "\t" << describe_escape(name.c_str(), name.size()) << "\n";
            ++found;
        }
    }
    return unreadable ? 2 : (found ? 0 : 1);
}

int bankCmd_check(const std::string& file, std::ostream& out, std::ostream& err)
{
    loadedBank lb = bankLoad_read(file);
    std::vector<std::string> problems = lb.problems;
    if (lb.result == mvnOpen_done) checkFrame(file, problems);
    if (lb.result != mvnOpen_done) {
        if (problems.empty()) problems.push_back("the file could not be read");
        err << file << ": cannot be read as a bank\n";
        for (const std::string& p : problems) err << "  " << p << "\n";
        return 2;
    }
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
    loadedBank lb = bankLoad_read(in);
    if (!bankLoad_ok(lb, in, err)) return 2;
    // Written over itself, a damaged file would lose what could not be read.
    if (lb.bank->readDamaged && !force && mvnFile_isCurrentFile(lb.bank.get(), outFile.c_str())) {
        err << in << ": read with damage, only " << bank_presetCount(lb.bank.get())
            << " presets could be read; not overwritten (--force replaces it with them)\n";
        for (const std::string& p : lb.problems) err << "  " << p << "\n";
        return 1;
    }
    if (!bankLoad_write(lb.bank.get(), outFile, bigEndian != 0, err)) return 1;
    out << outFile << ": " << bank_presetCount(lb.bank.get()) << " presets, "
        << (bigEndian ? "big-endian" : "little-endian") << "\n";
    for (const std::string& p : lb.problems) err << "warning: " << p << "\n";
    return lb.problems.empty() ? 0 : 1;
}

int bankCmd_diff(const std::string& a, const std::string& b, std::ostream& out, std::ostream& err)
{
    loadedBank la = bankLoad_read(a), lb = bankLoad_read(b);
    if (!bankLoad_ok(la, a, err) || !bankLoad_ok(lb, b, err)) return 2;
    int differing = 0;
    for (short slot = 0; slot < kBankSlots; ++slot) {
        bool defA = bank_presetIsDefault(la.bank.get(), slot) != 0;
        bool defB = bank_presetIsDefault(lb.bank.get(), slot) != 0;
        if (defA && defB) continue;
        std::string head = "slot " + std::to_string(slot) + " (" + bankLoad_presetName(la.bank.get(), slot) +
                           " / " + bankLoad_presetName(lb.bank.get(), slot) + ")";
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
    // Options may stand anywhere; "--" ends them (a name may start with "-").
    std::vector<std::string> args, options;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (!optionsEnd && a == "--")
            optionsEnd = true;
        else if (!optionsEnd && a.size() > 1 && a[0] == '-' && !std::isdigit((unsigned char)a[1]))
            options.push_back(a);
        else
            args.push_back(a);
    }
    auto has = [&](const char* o) {
        for (const std::string& x : options)
            if (x == o) return true;
        return false;
    };
    if (has("--help") || has("-h")) {
        out << kUsage;
        return 0;
    }
    if (has("--version")) {
        out << "morvane-bank " << MORVANE_VERSION << "\n";
        return 0;
    }
    if (args.empty()) return usageError("no command given", err);
    const std::string cmd = args[0];
    // Each command, its count of arguments after the command and its options.
    struct commandRule {
        const char* name;
        size_t minArgs, maxArgs;
        std::vector<std::string> options;
    };
    const std::vector<commandRule> rules = {
        {"list", 1, 1, {}},
        {"show", 2, 2, {"--raw", "--json"}},
        {"search", 2, 10000, {}},
        {"check", 1, 1, {}},
        {"diff", 2, 2, {}},
        {"convert", 2, 2, {"--force", "--big-endian", "--little-endian"}},
        {"copy", 4, 4, {"--force"}},
        {"swap", 3, 3, {"--force"}},
        {"rename", 3, 3, {"--force"}},
        {"clear", 2, 2, {"--force"}},
    };
    const commandRule* rule = nullptr;
    for (const commandRule& r : rules)
        if (cmd == r.name) rule = &r;
    if (!rule) return usageError("unknown command '" + cmd + "'", err);
    for (const std::string& o : options) {
        bool known = false;
        for (const std::string& k : rule->options) known |= o == k;
        if (!known) return usageError("'" + cmd + "' takes no option '" + o + "'", err);
    }
    size_t n = args.size() - 1;
    if (n < rule->minArgs || n > rule->maxArgs)
        return usageError("wrong number of arguments for '" + cmd + "'", err);
    // Slot arguments: at 2 for show, rename and clear; 2 and 4 for copy; 2 and 3 for swap.
    std::vector<size_t> slotArgs;
    if (cmd == "show" || cmd == "rename" || cmd == "clear") slotArgs = {2};
    if (cmd == "copy") slotArgs = {2, 4};
    if (cmd == "swap") slotArgs = {2, 3};
    std::vector<short> slots;
    for (size_t at : slotArgs) {
        int slot = bankLoad_slot(args[at]);
        if (slot < 0) return usageError("slot '" + args[at] + "' is not a number from 0 to 127", err);
        slots.push_back((short)slot);
    }
    const int force = has("--force") ? 1 : 0;
    if (cmd == "list") return bankCmd_list(args[1], out, err);
    if (cmd == "show") {
        if (has("--raw") && has("--json")) return usageError("'show' takes --raw or --json, not both", err);
        int form = has("--json") ? showForm_json : (has("--raw") ? showForm_raw : showForm_musician);
        return bankCmd_show(args[1], slots[0], form, out, err);
    }
    if (cmd == "search")
        return bankCmd_search(args[1], std::vector<std::string>(args.begin() + 2, args.end()), out, err);
    if (cmd == "check") return bankCmd_check(args[1], out, err);
    if (cmd == "diff") return bankCmd_diff(args[1], args[2], out, err);
    if (cmd == "convert") {
        if (has("--big-endian") == has("--little-endian"))
            return usageError("'convert' takes one of --big-endian and --little-endian", err);
        return bankCmd_convert(args[1], args[2], has("--big-endian"), force, out, err);
    }
    if (cmd == "copy") return bankCmd_copy(args[1], slots[0], args[3], slots[1], force, out, err);
    if (cmd == "swap") return bankCmd_swap(args[1], slots[0], slots[1], force, out, err);
    if (cmd == "rename") return bankCmd_rename(args[1], slots[0], args[3], force, out, err);
    return bankCmd_clear(args[1], slots[0], force, out, err);
}
