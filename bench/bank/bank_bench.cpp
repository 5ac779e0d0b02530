// Opening a bank of 128 full presets (8 user waves and 24 envelopes each)
// and selecting every preset into an instrument, beside the floor: reading
// the same file into memory and copying that many bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "tests/bank/bank_test_util.h"

namespace {
struct fullBank {
    tempFolder dir;
    std::string path;
    size_t bytes = 0;
    fullBank()
    {
        iac_setSegmentName("/morvane-bench-%p");
        dsp_globals_init();
        instRec* work = testInst(0);
        bankRec* bank = bank_new();
        std::vector<int> slots;
        for (int s = 0; s < kBankSlots; ++s) slots.push_back(s);
        std::mt19937 rng(2024);
        fillRandomBank(bank, work, slots, rng, true);
        path = dir.path("full.glo");
        mvnFile_saveAs(bank, path.c_str(), nullptr);
        bank_delete(bank);
        bytes = readBytes(path).size();
    }
};

fullBank& theBank()
{
    static fullBank b;
    return b;
}

void BM_ReadFileAndCopy(benchmark::State& state)
{
    fullBank& b = theBank();
    std::vector<char> copy(b.bytes);
    for (auto _ : state) {
        std::ifstream in(b.path, std::ios::binary);
        std::vector<char> data(b.bytes);
        in.read(data.data(), (std::streamsize)data.size());
        std::memcpy(copy.data(), data.data(), data.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)b.bytes);
}

void BM_OpenBank(benchmark::State& state)
{
    fullBank& b = theBank();
    for (auto _ : state) {
        bankRec* bank = openBank(b.path);
        benchmark::DoNotOptimize(bank->presets[127]);
        bank_delete(bank);
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)b.bytes);
}

// Every preset copied into the instrument in turn (preset_presetToDsp); the
// instrument is already paused, as after the first selection.
void BM_OpenAndTransferAll(benchmark::State& state)
{
    fullBank& b = theBank();
    instRec* inst = testInst(1);
    for (auto _ : state) {
        bankRec* bank = openBank(b.path);
        for (short s = 0; s < kBankSlots; ++s) preset_presetToDsp(bank_getPreset(bank, s), inst, s);
        bank_delete(bank);
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)b.bytes);
}

void BM_TransferOnePreset(benchmark::State& state)
{
    fullBank& b = theBank();
    instRec* inst = testInst(1);
    bankRec* bank = openBank(b.path);
    short s = 0;
    for (auto _ : state) {
        preset_presetToDsp(bank_getPreset(bank, s), inst, s);
        s = (short)((s + 1) % kBankSlots);
    }
    bank_delete(bank);
}

// The whole selection as the shell does it, with the 16 ms wait for the
// plug-in's repatch after every preset.
void BM_SelectAllWithRepatch(benchmark::State& state)
{
    fullBank& b = theBank();
    instRec* inst = testInst(1);
    bankRec* bank = openBank(b.path);
    for (auto _ : state)
        for (short s = 0; s < kBankSlots; ++s) bank_selectPreset(bank, inst, s);
    bank_delete(bank);
}

void BM_SaveBank(benchmark::State& state)
{
    fullBank& b = theBank();
    bankRec* bank = openBank(b.path);
    std::string out = b.dir.path("saved.glo");
    for (auto _ : state) mvnFile_saveAs(bank, out.c_str(), nullptr);
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)b.bytes);
    bank_delete(bank);
}
}  // namespace

BENCHMARK(BM_ReadFileAndCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenBank)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndTransferAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferOnePreset)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectAllWithRepatch)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SaveBank)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
