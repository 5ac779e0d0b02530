// Leaving on a signal. SIGTERM and SIGHUP (a desktop session ending, a
// kill) only note themselves; the next turn of any message loop, the main
// one or the modal one of a question that is up, ends the program without a
// question: every unsaved thing goes to a recovery file in the program
// folder, the preferences are saved as usual, the link is let go, and the
// process ends by the signal it got. The user's own files are never
// written. The next start names the recovery files it finds.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "program/program.h"

namespace {
volatile sig_atomic_t endSignal = 0;
struct sigaction previousTerm, previousHup;
int catching = 0;
int leaving = 0;
const char kRecoveredEnd[] = ".recovered.glo";

void onEndSignal(int sig) { endSignal = sig; }

bool endsWith(const std::string& text, const char* end)
{
    size_t n = std::strlen(end);
    return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
}

bool exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// The bank's name without its ".glo": "Factory Presets", "Untitled".
std::string baseNameOf(bankRec* bank)
{
    char name[kBankNameMax + 1] = {};
    bank_getName(bank, name);
    std::string base = name;
    std::string lower = base;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (endsWith(lower, ".glo")) base.resize(base.size() - 4);
    return base.empty() ? "Untitled" : base;
}

// "<base>.recovered.glo" in the program folder, or "<base> 2.recovered.glo"
// and on when that name is taken: nothing already there is written over.
std::string freeRecoveryPath(const std::string& base)
{
    std::string folder = prefs_programFolder();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    for (int n = 1; n < 1000; ++n) {
        std::string path = folder + base + (n > 1 ? " " + std::to_string(n) : "") + kRecoveredEnd;
        if (!exists(path)) return path;
    }
    return "";
}

// A copy of bank written to a new recovery file in the machine's byte
// order; the bank keeps its own file. The path written, or "".
std::string writeCopy(bankRec* bank, const std::string& base)
{
    const uint16_t probe = 1;
    unsigned char first;
    std::memcpy(&first, &probe, 1);
    std::string path = freeRecoveryPath(base);
    if (path.empty() || !mvnFile_exportByteOrder(bank, path.c_str(), first == 0)) return "";
    return path;
}

// The first slot holding the default preset, -1 when the bank is full.
short emptySlot(bankRec* bank)
{
    for (short slot = 0; slot < kBankSlots; ++slot)
        if (bank_presetIsDefault(bank, slot)) return slot;
    return -1;
}

[[noreturn]] void leave(int sig)
{
    leaving = 1;
    // Nobody is there to answer: messages of a failing write go to stderr.
    engineHooksRec hooks = *engine_getHooks();
    hooks.messageBox = nullptr;
    engine_setHooks(&hooks);
    program_writeRecovery(nullptr);
    prefs_save();
    if (gInst) inst_pauseAudio(gInst, 0);
    MorvaneEngine_quit();
    program_releaseEndSignals();
    signal(sig, SIG_DFL);
    raise(sig);
    _exit(128 + sig);
}
}  // namespace

void program_catchEndSignals()
{
    endSignal = 0;
    leaving = 0;
    if (!catching) {
        struct sigaction sa;
        std::memset(&sa, 0, sizeof sa);
        sa.sa_handler = onEndSignal;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGTERM, &sa, &previousTerm);
        sigaction(SIGHUP, &sa, &previousHup);
        catching = 1;
    }
    platform_setLoopCheck(program_leaveIfSignalled);
}

void program_releaseEndSignals()
{
    if (!catching) return;
    sigaction(SIGTERM, &previousTerm, nullptr);
    sigaction(SIGHUP, &previousHup, nullptr);
    platform_setLoopCheck(nullptr);
    catching = 0;
}

void program_leaveIfSignalled()
{
    if (endSignal && !leaving) leave(endSignal);
}

int program_writeRecovery(std::vector<std::string>* written)
{
    if (!gBank) return 0;
    compare_restoreEdit();  // an edit set aside for a comparison is what was unsaved
    int count = 0;
    auto note = [&](const std::string& path) {
        if (path.empty()) return;
        ++count;
        if (written) written->push_back(path);
    };
    const std::string base = baseNameOf(gBank);
    int changed = gBank->dirty;
    if (presetIsDirty() && gInst) {
        // The edited sound goes where "Yes" to the store question would put
        // it: its own slot, or the first free one for a sound from none.
        short slot = editState_soundSlot();
        if (slot < 0) slot = emptySlot(gBank);
        if (slot >= 0) {
            bank_storeInst(gBank, gInst, slot);
            changed = 1;
        } else {
            // A full bank and a sound from no slot: the sound alone.
            bankRec* alone = bank_new();
            if (alone) {
                bank_storeInst(alone, gInst, 0);
                note(writeCopy(alone, base));
                bank_delete(alone);
            }
        }
    }
    if (changed) note(writeCopy(gBank, base));
    return count;
}

std::vector<std::string> program_recoveryFiles()
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(prefs_programFolder())) {
        while (dirent* entry = readdir(dir))
            if (endsWith(entry->d_name, kRecoveredEnd)) names.push_back(entry->d_name);
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void program_tellRecoveryFiles()
{
    std::vector<std::string> names = program_recoveryFiles();
    if (names.empty()) return;
    std::string text = "Morvane Engine was stopped with unsaved work, which it kept in recovery files in " +
                       std::string(prefs_programFolder()) + ":\n";
    for (const std::string& name : names) text += name + "\n";
    text += "Open them with Open... in the File menu; move or delete them once done.";
    MessageBoxA(g_hWndFrame, text.c_str(), MORVANE_PROGRAM_NAME, MB_OK | MB_ICONEXCLAMATION);
}
