// The program's start-up and its idle cost:
//  - StartupToFirstFrame: the start-up in-process on the headless presenter
//    (platform, artwork, menus, subsystems, windows, splash) until the first
//    composed screen, which shows the splash before the start-up's 500 ms
//    sleep and the opening of the start bank (target: under 300 ms).
//  - IdleEditor: the real MorvaneEngine process on an X display (a private
//    Xvfb when there is none) with morvane-host keeping two instances
//    online; over ten seconds of doing nothing, the editor's processor time
//    as a share of one core (target: under 0.5 %) and its resident memory
//    (target: under 150 MiB).
#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "program/program.h"
#include "resources/resources.h"
#include "windows/windows.h"

extern char** environ;

namespace {
std::string makeProgramFolder()
{
    char tmpl[] = "/tmp/morvane-bench-XXXXXX";
    if (!mkdtemp(tmpl)) return "";
    std::string folder = tmpl;
    std::filesystem::copy_file(std::string(MORVANE_PROGRAM_DIR_PATH) + "/Factory Presets.glo",
                               folder + "/Factory Presets.glo");
    return folder;
}

void StartupToFirstFrame(benchmark::State& state)
{
    std::string folder = makeProgramFolder();
    std::string segment = "/morvane-bench-start-" + std::to_string(getpid());
    prefs_setProgramFolder(folder.c_str());
    for (auto _ : state) {
        iac_setSegmentName(segment.c_str());
        platform_init(PLATFORM_PRESENTER_HEADLESS, 1024, 768);
        resources_registerAll();
        windows_registerArtwork();
        program_registerResources();
        char cmdLine[] = "";
        // The clock stops at the first composed screen; the rest of the
        // start-up (its sleep, the start bank) runs untimed.
        static benchmark::State* timed;
        timed = &state;
        program_setFirstFrameObserver([] { timed->PauseTiming(); });
        if (!program_start(platform_instance(), nullptr, cmdLine, SW_SHOW)) {
            state.SkipWithError("the program did not start");
            break;
        }
        program_setFirstFrameObserver(nullptr);
        quit();
        platform_shutdown();
        engine_setHooks(nullptr);
        iac_unlinkSegment();
        state.ResumeTiming();
    }
    prefs_setProgramFolder(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
BENCHMARK(StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env)
{
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1, 0);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", 0, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Processor time of a process in seconds, all its threads, -1 when gone.
// The scheduler's own account (nanoseconds) is used where the kernel keeps
// it; the tick counts of /proc/<pid>/stat (10 ms steps) otherwise.
double cpuSeconds(pid_t pid)
{
    const std::string base = "/proc/" + std::to_string(pid);
    std::error_code ec;
    double total = 0;
    int threads = 0;
    for (const auto& task : std::filesystem::directory_iterator(base + "/task", ec)) {
        std::ifstream in(task.path() / "schedstat");
        unsigned long long ns = 0;
        if (!(in >> ns)) break;
        total += ns / 1e9;
        ++threads;
    }
    if (threads > 0) return total;
    std::ifstream in(base + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream rest(text.substr(close + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int k = 3; k <= 15 && rest >> field; ++k) {
        if (k == 14) utime = std::atol(field.c_str());
        if (k == 15) stime = std::atol(field.c_str());
    }
    return double(utime + stime) / sysconf(_SC_CLK_TCK);
}

double residentMiB(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0.0;
}

void stop(pid_t pid, int sig)
{
    if (pid <= 0) return;
    kill(pid, sig);
    for (int k = 0; k < 100; ++k) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

void IdleEditor(benchmark::State& state)
{
    std::string folder = makeProgramFolder();
    const std::string segmentName = "/morvane-bench-idle-" + std::to_string(getpid());
    const std::string segment = "MORVANE_IAC_SEGMENT=" + segmentName;
    pid_t xvfb = -1;
    std::string display = getenv("DISPLAY") ? getenv("DISPLAY") : "";
    if (display.empty()) {
        display = ":" + std::to_string(90 + getpid() % 9);
        xvfb = spawn({"Xvfb", display, "-screen", "0", "1024x768x24"}, {});
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    // The editor runs from a copy of the program folder (its preferences
    // and start bank live beside it).
    std::filesystem::copy_file(MORVANE_ENGINE_PATH, folder + "/MorvaneEngine");
    std::filesystem::copy_file(std::string(MORVANE_PROGRAM_DIR_PATH) + "/libMorvaneIAC.so",
                               folder + "/libMorvaneIAC.so");
    std::vector<std::string> env = {segment, "DISPLAY=" + display, "HOME=" + folder,
                                    "LD_LIBRARY_PATH=" + folder};
    pid_t host = spawn({MORVANE_HOST_PATH, "--instances", "2"}, env);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    pid_t editor = spawn({folder + "/MorvaneEngine"}, env);
    // Past the start-up and the splash.
    std::this_thread::sleep_for(std::chrono::seconds(4));
    double cpuPercent = 0, rss = 0;
    for (auto _ : state) {
        double before = cpuSeconds(editor);
        auto t0 = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        double after = cpuSeconds(editor);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (before < 0 || after < 0) {
            state.SkipWithError("the editor did not stay running");
            break;
        }
        cpuPercent = 100.0 * (after - before) / seconds;
        rss = residentMiB(editor);
    }
    state.counters["cpu_percent_of_one_core"] = cpuPercent;
    state.counters["resident_MiB"] = rss;
    // The plug-ins leave; the editor quits by itself.
    stop(host, SIGTERM);
    stop(editor, SIGTERM);
    stop(xvfb, SIGTERM);
    shm_unlink(segmentName.c_str());
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
BENCHMARK(IdleEditor)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
}  // namespace

BENCHMARK_MAIN();
