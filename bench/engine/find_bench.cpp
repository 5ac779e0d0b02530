// Edit > "Find Preset...": gathering the names of ten recent banks of 128
// full presets each (8 user waves and 24 envelopes per preset) from their
// files, and filtering them as a musician types. The dialog must come up at
// once: reading the ten banks and filtering stays within 50 ms.
#include <benchmark/benchmark.h>

#include "engine/engine.h"
#include "tests/bank/bank_test_util.h"

namespace {
struct tenBanks {
    tempFolder dir;
    tenBanks()
    {
        iac_setSegmentName("/morvane-findbench-%p");
        iac_mvn_signIn();
        file_init(kFileBufSize);
        dsp_globals_init();
        gBank = bank_new();
        lastBanks_init();
        instRec* work = testInst(0);
        std::vector<int> slots;
        for (int s = 0; s < kBankSlots; ++s) slots.push_back(s);
        std::mt19937 rng(2024);
        bankRec* bank = bank_new();
        fillRandomBank(bank, work, slots, rng, true);
        for (int b = 0; b < kLastBanks; ++b) {
            std::string path = dir.path("bank " + std::to_string(b) + ".glo");
            mvnFile_saveAs(bank, path.c_str(), nullptr);
            lastBank_add(path.c_str());
        }
        bank_delete(bank);
    }
};

tenBanks& theBanks()
{
    static tenBanks b;
    return b;
}

void BM_ReadTenBanksAndFilter(benchmark::State& state)
{
    theBanks();
    std::vector<findBankRec> banks;
    std::vector<findMatchRec> matches;
    for (auto _ : state) {
        findPresets_read(&banks);
        findPresets_filter(banks, "ndom 1", &matches);
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["banks"] = static_cast<double>(banks.size());
    state.counters["matches"] = static_cast<double>(matches.size());
}
BENCHMARK(BM_ReadTenBanksAndFilter)->Unit(benchmark::kMillisecond);

// One keystroke: filtering the 1280 names already read.
void BM_FilterAsYouType(benchmark::State& state)
{
    theBanks();
    std::vector<findBankRec> banks;
    findPresets_read(&banks);
    std::vector<findMatchRec> matches;
    for (auto _ : state) {
        findPresets_filter(banks, "RANDOM 12", &matches);
        benchmark::DoNotOptimize(matches.data());
    }
}
BENCHMARK(BM_FilterAsYouType)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
