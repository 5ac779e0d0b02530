// morvane-factory-bank FOLDER: writes "Factory Presets.glo" into FOLDER,
// every preset made from its recipe with the instrument model's setters and
// stored with the editor's own store and save.
#include <cstdio>
#include <string>

#include "bank/bank.h"
#include "iac/MorvaneIAC.h"
#include "tools/factory-bank/factory_presets.h"
#include "tools/factory-bank/factory_voice.h"

int factory_fillBank(bankRec* bank, instRec* inst)
{
    int stored = 0;
    for (int k = 0; k < kFactoryPresetCount && k < kBankSlots; ++k) {
        const factoryPreset& p = kFactoryPresets[k];
        voice_begin(inst, p.name, p.poly);
        p.build(inst);
        bank_storeInst(bank, inst, (short)k);
        ++stored;
    }
    return stored;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: morvane-factory-bank FOLDER\n");
        return 2;
    }
    // A private segment: the generator never meets a running editor.
    iac_setSegmentName("/morvane-factory-%p");
    dsp_globals_init();
    file_init(kFileBufSize);
    instRec* inst = iac_getInst(0);
    inst->paused = 1;  // nobody plays it: no fade hand-shake to wait for

    bankRec* bank = bank_new();
    int stored = bank ? factory_fillBank(bank, inst) : 0;
    std::string path = std::string(argv[1]) + "/Factory Presets.glo";
    long saved = bank && mvnFile_saveAs(bank, path.c_str(), "Factory Presets.glo");
    bank_delete(bank);
    file_cleanup();
    if (!saved) {
        std::fprintf(stderr, "morvane-factory-bank: could not write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s: %d presets\n", path.c_str(), stored);
    return 0;
}
