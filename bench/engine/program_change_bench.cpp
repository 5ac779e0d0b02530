// Program-change latency: from a plug-in's request through the link to the
// instrument holding the new preset, as the editor's poll handles it,
// beside one preset_presetToDsp of the same preset. Both are measured in
// CPU time of the editor's thread, which leaves out the sleeps and fade
// waits the hand-over prescribes (the repatch pause, the fade hand-shake);
// the wall time of a program change is reported beside it.
#include <benchmark/benchmark.h>

#include <time.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "engine/engine.h"
#include "iac/MorvaneIAC_plug.h"
#include "tests/bank/bank_test_util.h"

namespace {
double threadSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// The editor with a bank whose slots 10 and 11 hold the same full preset
// (8 user waves, 24 envelopes), and instance 0 played by a plug-in thread
// that answers the fade hand-shake and takes the repatch requests.
struct editorWorld {
    std::atomic<bool> stop{false};
    std::thread plugIn;
    editorWorld()
    {
        iac_setSegmentName("/morvane-enginebench-%p");
        iac_mvn_signIn();
        file_init(kFileBufSize);
        dsp_globals_init();
        gBank = bank_new();
        lastEdits_init();
        instRec* work = testInst(5);
        std::mt19937 rng(2024);
        randomInstrument(work, rng, true);
        bank_storeInst(gBank, work, 10);
        bank_storeInst(gBank, work, 11);
        iac_plug_signIn(0, IAC_APP_VERSION);
        iac_plug_goOnline(0);
        plugIn = std::thread([this] {
            while (!stop.load()) {
                iac_plug_answerFade(0);
                iac_plug_takeRepatch(0, nullptr);
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            }
        });
        MorvaneEngine_init();
        MorvaneEngine_idle();
    }
    ~editorWorld()
    {
        stop.store(true);
        plugIn.join();
        iac_plug_signOut(0);
        iac_mvn_signOut();
        iac_unlinkSegment();
    }
};

editorWorld& world()
{
    static editorWorld w;
    return w;
}

void BM_ProgramChangeThroughThePoll(benchmark::State& state)
{
    world();
    instRec* inst = iac_getInst(0);
    short program = 10;
    double wall = 0;
    for (auto _ : state) {
        program = program == 10 ? 11 : 10;
        auto start = std::chrono::steady_clock::now();
        double cpu = threadSeconds();
        iac_plug_askProgram(0, program);
        while (inst->patch.preset != program) MorvaneEngine_idle();
        state.SetIterationTime(threadSeconds() - cpu);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["wall_ms"] = benchmark::Counter(wall * 1e3 / state.iterations());
}
BENCHMARK(BM_ProgramChangeThroughThePoll)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(60);

// With arg 1 each transfer follows a 16 ms pause, as every program change
// follows the previous one's repatch pause: the caches are then as cold as
// the poll finds them.
void BM_PresetToDsp(benchmark::State& state)
{
    world();
    presetRec* preset = bank_getPreset(gBank, 10);
    instRec* inst = testInst(1);
    for (auto _ : state) {
        if (state.range(0)) dsp_sleepMs(16);
        double cpu = threadSeconds();
        preset_presetToDsp(preset, inst, 10);
        state.SetIterationTime(threadSeconds() - cpu);
    }
}
BENCHMARK(BM_PresetToDsp)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(60);
}  // namespace

BENCHMARK_MAIN();
