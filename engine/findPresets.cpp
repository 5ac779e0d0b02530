// Finding a sound by name: the preset names of the open bank and of every
// recent bank, gathered once when the search starts, and the matches of a
// typed pattern among them (case-insensitive, anywhere in the name).
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "engine/engine.h"

namespace {
// The names of the slots that hold a preset of their own.
void collectNames(bankRec* bank, findBankRec* out)
{
    char name[kPatchNameLen + 1];
    for (short slot = 0; slot < kBankSlots; ++slot) {
        if (bank_presetIsDefault(bank, slot)) continue;
        std::memset(name, 0, sizeof name);
        bank_getPresetName(bank, slot, name);
        out->presets.push_back(findPresetRec{slot, name});
    }
}

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// pattern (already lower case) anywhere in name, ignoring case.
bool containsLower(const std::string& name, const std::string& pattern)
{
    if (pattern.empty()) return true;
    if (pattern.size() > name.size()) return false;
    for (size_t at = 0; at + pattern.size() <= name.size(); ++at) {
        size_t k = 0;
        while (k < pattern.size() && lower(name[at + k]) == pattern[k]) ++k;
        if (k == pattern.size()) return true;
    }
    return false;
}
}  // namespace

int findPresets_readFile(const char* path, findBankRec* out)
{
    if (!out) return 0;
    // Only the names are read: the dialog must come up at once, however
    // many waves and envelopes the recent banks hold.
    std::unique_ptr<bankNamesRec> names(new (std::nothrow) bankNamesRec());
    if (!names || !mvnFile_readNames(path, names.get())) return 0;
    const char* slash = std::strrchr(path, '/');
    out->path = path;
    out->name = slash ? slash + 1 : path;
    out->isOpen = false;
    out->presets.clear();
    for (short slot = 0; slot < kBankSlots; ++slot)
        if (names->used[slot]) out->presets.push_back(findPresetRec{slot, names->names[slot]});
    return 1;
}

void findPresets_read(std::vector<findBankRec>* banks)
{
    if (!banks) return;
    banks->clear();
    if (gBank) {
        findBankRec open;
        char name[kBankNameMax + 1];
        bank_getName(gBank, name);
        open.path = gBank->file.path;
        open.name = name;
        open.isOpen = true;
        collectNames(gBank, &open);
        banks->push_back(std::move(open));
    }
    // The recent banks, newest first; the open bank's own file is read from
    // memory above, with its unsaved changes.
    for (int priority = 0; priority < kLastBanks; ++priority) {
        int slot = lastBanks_getFromPriority(priority);
        if (slot < 0 || !lastBanks[slot].path[0]) continue;
        char path[kFilePathSize];
        prefs_resolvePath(lastBanks[slot].path, path, sizeof path);
        if (gBank && mvnFile_isCurrentFile(gBank, path)) continue;
        findBankRec other;
        if (findPresets_readFile(path, &other)) banks->push_back(std::move(other));
    }
}

void findPresets_filter(const std::vector<findBankRec>& banks, const char* pattern,
                        std::vector<findMatchRec>* out)
{
    if (!out) return;
    out->clear();
    std::string lowered = pattern ? pattern : "";
    for (char& c : lowered) c = lower(c);
    for (size_t b = 0; b < banks.size(); ++b)
        for (size_t p = 0; p < banks[b].presets.size(); ++p)
            if (containsLower(banks[b].presets[p].name, lowered))
                out->push_back(findMatchRec{static_cast<int>(b), static_cast<int>(p)});
}

void findPresets_lineText(const findBankRec& bank, const findPresetRec& preset, char* out, size_t size)
{
    if (out && size)
        std::snprintf(out, size, "%d %s  -  %s", preset.slot, preset.name.c_str(), bank.name.c_str());
}
