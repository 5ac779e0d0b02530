// libFuzzer target over the bank reader: every input is read as a bank
// file, the first preset read is selected into an instrument, and the bank
// is written back out. Nothing may crash, leak or read outside its buffers.
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "bank/bank.h"
#include "iac/MorvaneIAC.h"

namespace {
int quiet(const char*, const char*, int) { return bankAnswer_ok; }

struct fuzzSetup {
    std::string input, output;
    instRec* inst;
    fuzzSetup()
    {
        iac_setSegmentName("/morvane-fuzz-%p");
        dsp_globals_init();
        file_init(kFileBufSize);
        bank_setMessageProc(quiet);
        std::string base = "/tmp/morvane-fuzz-" + std::to_string(getpid());
        input = base + "-in.glo";
        output = base + "-out.glo";
        inst = iac_getInst(0);
        inst->paused = 1;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static fuzzSetup setup;
    FILE* f = std::fopen(setup.input.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    bankRec* bank = bank_new();
    if (mvnFile_openFromPathName(bank, setup.input.c_str(), nullptr) == mvnOpen_done) {
        for (short slot = 0; slot < kBankSlots; ++slot) {
            if (bank_presetIsDefault(bank, slot))
                continue;
            preset_presetToDsp(bank_getPreset(bank, slot), setup.inst, slot);
            break;
        }
        mvnFile_exportByteOrder(bank, setup.output.c_str(), size & 1);
    }
    bank_delete(bank);
    return 0;
}
