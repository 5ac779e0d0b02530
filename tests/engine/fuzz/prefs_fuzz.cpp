// libFuzzer target over the preferences reader: every input is the
// preferences file of a private program folder; it is read as at start-up,
// then written back as at quit and read once more. Nothing may crash, leak
// or read outside its buffers, and the settings read must stay in range.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "engine/engine.h"

namespace {
struct fuzzSetup {
    std::string folder;
    std::string prefs;
    fuzzSetup()
    {
        iac_setSegmentName("/morvane-prefsfuzz-%p");
        dsp_globals_init();
        file_init(kFileBufSize);
        char tmpl[] = "/tmp/morvane-prefsfuzz-XXXXXX";
        folder = mkdtemp(tmpl) ? tmpl : "/tmp";
        prefs_setProgramFolder(folder.c_str());
        prefs = prefs_getPrefsFilePath();
    }
    ~fuzzSetup()
    {
        unlink(prefs.c_str());
        rmdir(folder.c_str());
    }
};

// Every path read must end inside its record.
void checkRanges()
{
    for (int i = 0; i < kLastBanks; ++i)
        if (!std::memchr(lastBanks[i].path, 0, sizeof lastBanks[i].path)) std::abort();
    if (!std::memchr(defaultBank.path, 0, sizeof defaultBank.path)) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static fuzzSetup setup;
    FILE* f = std::fopen(setup.prefs.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    prefs_open();
    checkRanges();
    prefs_save();
    prefs_open();
    checkRanges();
    return 0;
}
