// The ten most recently used banks, ranked by priority (0 the newest), the
// bank to open at start, their File-menu items (ids 1120..1129) and their
// publication to the plug-ins.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine.h"

lastBankRec lastBanks[kLastBanks];
lastBankRec defaultBank;
int menuIndexToListItem[kLastBanks];

namespace {
const char* const kFactoryBank = "Factory Presets.glo";
enum { kIacFileNameChars = 23 };

bool used(int slot) { return lastBanks[slot].priority >= 0; }

void setPath(lastBankRec* rec, const char* path)
{
    std::memset(rec->path, 0, sizeof rec->path);
    std::snprintf(rec->path, sizeof rec->path, "%s", path ? path : "");
}

const char* fileTitle(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

// The folder part of a path, resolved against the program folder ("/a/b"
// for "/a/b/Pads.glo").
std::string folderOf(const char* path)
{
    char resolved[kFilePathSize];
    prefs_resolvePath(path, resolved, sizeof resolved);
    std::string folder(resolved, fileTitle(resolved) - resolved);
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

// The last `depth` folders of a folder ("a/b" for depth 2 of "/x/a/b"),
// the whole folder once depth reaches its start.
std::string folderTail(const std::string& folder, int depth)
{
    size_t at = folder.size();
    for (int k = 0; k < depth; ++k) {
        size_t slash = at == 0 ? std::string::npos : folder.rfind('/', at - 1);
        if (slash == std::string::npos || slash == 0) return folder;
        at = slash;
    }
    return folder.substr(at + 1);
}
}  // namespace

void lastBanks_menuText(int slot, char* text, unsigned size)
{
    if (!text || size == 0) return;
    text[0] = 0;
    if (slot < 0 || slot >= kLastBanks || !used(slot)) return;
    const char* path = lastBanks[slot].path;
    const char* title = fileTitle(path);
    std::vector<std::string> others;  // folders of the other entries of that name
    for (int k = 0; k < kLastBanks; ++k)
        if (k != slot && used(k) && std::strcmp(fileTitle(lastBanks[k].path), title) == 0)
            others.push_back(folderOf(lastBanks[k].path));
    if (others.empty()) {
        std::snprintf(text, size, "%s", title);
        return;
    }
    // As many folders as it takes to tell this entry from every other of
    // that name (the whole folder at most).
    const std::string folder = folderOf(path);
    std::string tail;
    for (int depth = 1;; ++depth) {
        tail = folderTail(folder, depth);
        bool clash = false;
        for (const std::string& other : others) clash = clash || folderTail(other, depth) == tail;
        if (!clash || tail == folder) break;
    }
    std::snprintf(text, size, "%s (%s)", title, tail.c_str());
}

void lastBanks_initRec(lastBankRec* rec)
{
    if (!rec) return;
    std::memset(rec->path, 0, sizeof rec->path);
    rec->priority = -1;
}

void lastBanks_init()
{
    for (lastBankRec& rec : lastBanks) lastBanks_initRec(&rec);
    lastBanks_initRec(&defaultBank);
    setPath(&defaultBank, kFactoryBank);
    defaultBank.priority = kStartBankPriority;
    lastBanks_clearMenuMap();
}

void lastBanks_setDefault(const char* path)
{
    setPath(&defaultBank, path);
    defaultBank.priority = kStartBankPriority;
}

int lastBank_itsAlreadyInTheList(const char* path)
{
    if (!path || !path[0]) return -1;
    for (int slot = 0; slot < kLastBanks; ++slot)
        if (used(slot) && std::strcmp(lastBanks[slot].path, path) == 0) return slot;
    return -1;
}

int lastBank_findNext()
{
    for (int slot = 0; slot < kLastBanks; ++slot)
        if (!used(slot)) return slot;
    for (int slot = 0; slot < kLastBanks; ++slot) {
        if (lastBanks[slot].priority >= kLastBanks - 1) {
            lastBanks_initRec(&lastBanks[slot]);
            return slot;
        }
    }
    return 0;
}

void lastBank_addToList(int slot, const char* path)
{
    if (slot < 0 || slot >= kLastBanks) return;
    for (int k = 0; k < kLastBanks; ++k)
        if (used(k)) ++lastBanks[k].priority;
    setPath(&lastBanks[slot], path);
    lastBanks[slot].priority = 0;
}

void lastBank_setTopOfTheList(int slot)
{
    if (slot < 0 || slot >= kLastBanks || !used(slot)) return;
    const int was = lastBanks[slot].priority;
    for (int k = 0; k < kLastBanks; ++k)
        if (used(k) && lastBanks[k].priority < was) ++lastBanks[k].priority;
    lastBanks[slot].priority = 0;
}

void lastBank_cleanUpList()
{
    for (int slot = 0; slot < kLastBanks; ++slot) {
        if (!used(slot)) continue;
        for (int later = slot + 1; later < kLastBanks; ++later)
            if (lastBanks[later].priority == lastBanks[slot].priority) lastBanks_initRec(&lastBanks[later]);
    }
}

void lastBank_add(const char* path)
{
    if (!path || !path[0]) return;
    lastBanks_setDefault(path);
    int slot = lastBank_itsAlreadyInTheList(defaultBank.path);
    if (slot < 0)
        lastBank_addToList(lastBank_findNext(), defaultBank.path);
    else
        lastBank_setTopOfTheList(slot);
    lastBank_cleanUpList();
    lastBanks_updateFileMenu();
}

int lastBanks_getFromPriority(int priority)
{
    if (priority < 0) return -1;
    for (int slot = 0; slot < kLastBanks; ++slot)
        if (lastBanks[slot].priority == priority) return slot;
    return -1;
}

// ---- File menu ------------------------------------------------------------------
void lastBanks_clearMenuMap()
{
    for (int& slot : menuIndexToListItem) slot = -1;
}

void lastBanks_addToMenuMap(int index, int slot)
{
    if (index >= 0 && index < kLastBanks) menuIndexToListItem[index] = slot;
}

void lastBanks_addToMenu(int slot, int id)
{
    const engineHooksRec* h = engine_getHooks();
    if (!h->menuAppend || slot < 0 || slot >= kLastBanks) return;
    char text[2 * kFilePathSize];
    lastBanks_menuText(slot, text, sizeof text);
    h->menuAppend(engineMenu_file, id, text);
}

int lastBanks_menuToList(int id)
{
    if (id < cmd_firstRecentBank || id > cmd_lastRecentBank) return -1;
    return menuIndexToListItem[id - cmd_firstRecentBank];
}

void lastBanks_updateFileMenu()
{
    const engineHooksRec* h = engine_getHooks();
    lastBanks_clearMenuMap();
    for (int k = 0; k < kLastBanks; ++k)
        if (h->menuDeleteAt) h->menuDeleteAt(engineMenu_file, kFileMenuRecentPosition);
    int index = 0;
    for (int priority = 0; priority < kLastBanks; ++priority) {
        int slot = lastBanks_getFromPriority(priority);
        if (slot < 0) continue;
        lastBanks_addToMenu(slot, cmd_firstRecentBank + index);
        lastBanks_addToMenuMap(index, slot);
        ++index;
    }
    if (h->menuDrawBar) h->menuDrawBar();
    MorvaneEngine_updateLastBanks();
}

int lastBanks_openFromMenu(int id)
{
    int slot = lastBanks_menuToList(id);
    if (slot < 0 || slot >= kLastBanks || !used(slot) || !gBank) return 0;
    // The path is kept: the list is rebuilt during the open.
    char path[kFilePathSize];
    std::snprintf(path, sizeof path, "%s", lastBanks[slot].path);
    char resolved[kFilePathSize];
    prefs_resolvePath(path, resolved, sizeof resolved);
    // The bank's own file is read again; a failed open leaves the bank as it was.
    long result = mvnFile_isCurrentFile(gBank, resolved)
                      ? mvnFile_revert(gBank)
                      : mvnFile_openFromPathName(gBank, resolved, fileTitle(resolved));
    if (result == mvnOpen_done) {
        lastBank_add(path);
        if (gInst) bank_selectPreset(gBank, gInst, bank_currentPreset(gBank));
        engine_scheduleMatrixUpdate();
        engine_scheduleRedraw();
        bank_setPlugNames(gBank);
        lastBanks_setDefault(path);
        return 1;
    }
    engine_message("Open file failed, error 77315", MORVANE_FRAME_TITLE, engineMB_ok);
    return 0;
}

void lastBanks_openDefault()
{
    if (!defaultBank.path[0]) return;
    char path[kFilePathSize];
    prefs_resolvePath(defaultBank.path, path, sizeof path);
    fileApp_openBankFromPathName(gBank, path, "");
}

// ---- publication --------------------------------------------------------------
void lastBank_copyToIACList(int slot, iac_bankInfo* info)
{
    if (!info || slot < 0 || slot >= kLastBanks) return;
    const lastBankRec& rec = lastBanks[slot];
    std::memset(info, 0, sizeof *info);
    std::snprintf(info->fileName, sizeof info->fileName, "%.*s", static_cast<int>(kIacFileNameChars),
                  fileTitle(rec.path));
    std::snprintf(info->path, sizeof info->path, "%s", rec.path);
    info->priority = rec.priority;
}

void MorvaneEngine_updateLastBanks()
{
    for (iac_bankInfo& info : iac_lastBanks) {
        std::memset(&info, 0, sizeof info);
        info.priority = -1;
    }
    for (int priority = 0; priority < kLastBanks; ++priority) {
        int slot = lastBanks_getFromPriority(priority);
        if (slot >= 0) lastBank_copyToIACList(slot, &iac_lastBanks[priority]);
    }
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        if (!MorvaneEngine_plugIsOnline(i)) continue;
        iac_changed[i].plugNotice.store(1);
        iac_changed[i].lastBanksChanged.store(1);
    }
}
