// libFuzzer target over the bank reader: every input is read as a bank
// file, the first preset read is copied into an instrument, and the bank is
// written back out (to /dev/null, in the byte order the input's length
// picks). Nothing may crash, leak or read outside its buffers. Reading only
// the names must find the very presets the whole reader found.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "bank/bank.h"
#include "iac/MorvaneIAC.h"

namespace {
int quiet(const char*, const char*, int) { return bankAnswer_ok; }

struct fuzzSetup {
    std::string input;
    fileRec sink;
    instRec* inst;
    fuzzSetup()
    {
        iac_setSegmentName("/morvane-fuzz-%p");
        dsp_globals_init();
        file_init(kFileBufSize);
        bank_setMessageProc(quiet);
        std::string base = "/tmp/morvane-fuzz-" + std::to_string(getpid());
        input = base + "-in.glo";
        file_initFileRec(&sink, nullptr);
        std::snprintf(sink.path, sizeof sink.path, "/dev/null");
        file_create(&sink);
        inst = iac_getInst(0);
        inst->paused = 1;
    }
    ~fuzzSetup()
    {
        file_close(&sink);
        unlink(input.c_str());
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static fuzzSetup setup;
    FILE* f = std::fopen(setup.input.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    bankRec* bank = bank_new();
    static bankNamesRec names;
    const long named = mvnFile_readNames(setup.input.c_str(), &names);
    const long opened = mvnFile_openFromPathName(bank, setup.input.c_str(), nullptr);
    if ((opened == mvnOpen_done) != (named == 1)) std::abort();
    for (short slot = 0; opened == mvnOpen_done && slot < kBankSlots; ++slot) {
        char name[kPatchNameLen + 1] = {};
        bank_getPresetName(bank, slot, name);
        if (names.used[slot] == (bank_presetIsDefault(bank, slot) != 0)) std::abort();
        if (names.used[slot] && std::strcmp(names.names[slot], name) != 0) std::abort();
    }
    if (opened == mvnOpen_done) {
        for (short slot = 0; slot < kBankSlots; ++slot) {
            if (bank_presetIsDefault(bank, slot)) continue;
            preset_presetToDsp(bank_getPreset(bank, slot), setup.inst, slot);
            break;
        }
        mvnFile_writeBankOrder(&setup.sink, bank, (int)(size & 1), nullptr);
    }
    bank_delete(bank);
    return 0;
}
