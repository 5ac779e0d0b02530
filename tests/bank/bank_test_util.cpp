#include "tests/bank/bank_test_util.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <linux/capability.h>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
messageLog* current = nullptr;

int recordMessage(const char* text, const char*, int)
{
    if (current) current->messages.push_back(text);
    return bankAnswer_ok;
}

void recordError(const char* text)
{
    if (current) current->errors.push_back(text);
}

float uniform(std::mt19937& rng, float lo, float hi)
{
    return std::uniform_real_distribution<float>(lo, hi)(rng);
}

int pick(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

void randomEnvelope(instRec* inst, short slot, std::mt19937& rng)
{
    short channel = slot < kOscils ? slot : (short)pick(rng, 0, 2);
    short param = slot < kOscils ? (short)envParam_amp : (short)pick(rng, 2, 12);
    env_loadDefault(inst, slot, channel, param);
    envInstRec* env = inst_getEnvInst(inst, slot);
    env->shown = 1;
    env->inUse = 1;
    env->envMode = (int16_t)pick(rng, envMode_release, envMode_retrigger);
    env->lastPoint = (int16_t)pick(rng, 1, kEnvBreakpoints - 1);
    env->sustainPoint = (int16_t)pick(rng, 0, env->lastPoint);
    env->releasePoint = env->sustainPoint;
    env->loopStart = (int16_t)pick(rng, 0, env->sustainPoint);
    env->depth = uniform(rng, 0.0f, 1.0f);
    for (short b = 0; b <= env->lastPoint; ++b)
        env_setBpParams(&env->bp[b], uniform(rng, 1.0f, 88200.0f), uniform(rng, 0.0f, 1.0f),
                        uniform(rng, 0.1f, 4.0f));
}

void randomWave(instRec* inst, std::mt19937& rng)
{
    short id = inst_newPresetWave(inst);
    if (id < 0) return;
    float* data = wave_getWaveDataFromID(inst, id);
    float a = uniform(rng, 0.1f, 1.0f), b = uniform(rng, 0.0f, 0.5f);
    int h = pick(rng, 2, 9);
    for (int i = 0; i < kWaveSize; ++i) {
        float t = 6.2831853f * i / kWaveSize;
        data[i] = a * std::sin(t) + b * std::sin(h * t) + uniform(rng, -0.01f, 0.01f);
    }
}

void randomEffect(instRec* inst, std::mt19937& rng)
{
    short mode = (short)pick(rng, effectMode_none, effectMode_multitap);
    effect_setMode(inst, mode);
    if (mode == effectMode_none) return;
    effect_setActive(inst, pick(rng, 0, 1));
    effect_setWetBalance(inst, uniform(rng, 0.0f, 1.0f));
    effect_setDryBalance(inst, uniform(rng, 0.0f, 1.0f));
    if (mode == effectMode_pipe) {
        effect_pipe_setMasterTime(inst, uniform(rng, 0.01f, 0.5f));
        effect_pipe_setFeedback(inst, uniform(rng, -0.9f, 0.9f));
        effect_pipe_setLowpass(inst, uniform(rng, 200.0f, 15000.0f));
        effect_pipe_setOutPos(inst, 1, uniform(rng, 0.0f, 1.0f));
    } else if (mode == effectMode_multicomb) {
        effect_comb_setMasterTime(inst, uniform(rng, 0.01f, 0.5f));
        for (short c = 0; c < 6; ++c) {
            effect_comb_setActive(inst, c, pick(rng, 0, 1));
            effect_comb_setChanTime(inst, c, uniform(rng, 0.1f, 1.0f));
            effect_comb_setChanPan(inst, c, uniform(rng, 0.0f, 0.99f));
        }
    } else {
        effect_tap_setMasterTime(inst, uniform(rng, 0.01f, 0.5f));
        for (short t = 0; t < 3; ++t) {
            effect_tap_setTapTime(inst, t, uniform(rng, 0.1f, 1.0f));
            effect_tap_setPan(inst, t, uniform(rng, 0.01f, 0.99f));
        }
    }
}
}  // namespace

messageLog::messageLog()
{
    current = this;
    bank_setMessageProc(recordMessage);
    bank_setErrorProc(recordError);
}

messageLog::~messageLog()
{
    bank_setMessageProc(nullptr);
    bank_setErrorProc(nullptr);
    current = nullptr;
}

bool messageLog::saw(const std::string& text) const
{
    for (const std::string& m : messages)
        if (m == text) return true;
    return false;
}

bool messageLog::errorContains(const std::string& part) const
{
    for (const std::string& e : errors)
        if (e.find(part) != std::string::npos) return true;
    return false;
}

void messageLog::clear()
{
    messages.clear();
    errors.clear();
}

tempFolder::tempFolder()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "morvane-bank-XXXXXX").string();
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back(0);
    dir = mkdtemp(name.data()) ? name.data() : "";
}

tempFolder::~tempFolder()
{
    if (dir.empty()) return;
    std::error_code ec;
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(dir, ec);
}

std::string tempFolder::path(const std::string& name) const { return dir + "/" + name; }

instRec* testInst(int i)
{
    if (!file_buf) file_init(kFileBufSize);
    instRec* inst = iac_getInst(i);
    inst->paused = 1;
    inst->fadeHandshake = 0;
    inst->instanceNumber = (int16_t)i;
    inst_reinit(inst);
    notemap_initInst(inst);
    storedCC_initList(inst_getStoredCC(inst));
    return inst;
}

void randomInstrument(instRec* inst, std::mt19937& rng, bool full)
{
    inst_patch_setPoly(inst, (short)pick(rng, 1, 64));
    patch_setAmp(inst_getPatch(inst), uniform(rng, 0.1f, 4.0f));
    patch_setTrans(inst_getPatch(inst), (float)pick(rng, -24, 24));
    patch_setPan(inst_getPatch(inst), uniform(rng, 0.0f, 1.0f));
    patch_setRetrigBeat(inst_getPatch(inst), (float)pick(rng, 1, 16));

    int waves = full ? kPresetWaves : pick(rng, 0, 3);
    for (int w = 0; w < waves; ++w) randomWave(inst, rng);

    for (short ch = 0; ch < kOscils; ++ch) {
        oscil_setMode(inst, ch, (short)pick(rng, 0, 3));
        oscil_setMainFreqMode(inst, ch, (short)pick(rng, 0, 1));
        oscil_setMainFreq(inst, ch, (float)pick(rng, -12, 12));
        oscil_setAmpScale(inst, ch, uniform(rng, 0.0f, 1.0f));
        oscil_setBalance(inst, ch, uniform(rng, 0.0f, 1.0f));
        oscil_setFmIndex(inst, ch, uniform(rng, 0.0f, 8.0f));
        oscil_setMainWaveID(inst, ch, (short)pick(rng, 0, 40));
        oscil_setInvertPhase(inst, ch, pick(rng, 0, 1));
        inst_getOscilInst(inst, ch)->active = pick(rng, 0, 1);
        mod_setWaveID(inst, ch, (short)pick(rng, 0, 40));
        mod_setBalance(inst, ch, uniform(rng, 0.0f, 1.0f));
        inst_getModInst(inst, ch)->active = pick(rng, 0, 1);
    }
    for (short f = 0; f < kFilters; ++f) {
        filter_setMode(inst, f, (short)pick(rng, 1, 6));
        filter_setFreq(inst, f, uniform(rng, 50.0f, 12000.0f));
        filter_setQ(inst, f, uniform(rng, 0.5f, 8.0f));
        inst_getFilterInst(inst, f)->active = pick(rng, 0, 1);
    }
    waveshape_setWaveID(inst, (short)pick(rng, 0, 40));
    waveshape_setInGain(inst, uniform(rng, -12.0f, 12.0f));
    inst_getWaveshapeInst(inst)->active = pick(rng, 0, 1);

    for (short l = 0; l < kLfos; ++l) {
        inst_lfo_setOn(inst, l, pick(rng, 0, 1));
        inst_lfo_setFreq(inst, l, uniform(rng, 0.05f, 12.0f));
        inst_lfo_setPMDepth(inst, l, uniform(rng, 0.0f, 1.0f));
        inst_lfo_setFilterDepth(inst, l, uniform(rng, 0.0f, 1.0f));
        inst_lfo_setWaveID(inst, l, (short)pick(rng, 0, 40));
        inst_lfo_setCCNum(inst, l, lfoCC_depth, (short)pick(rng, -1, 127));
    }

    int envs = full ? kEnvSlots : pick(rng, 1, 6);
    for (short slot = 0; slot < envs; ++slot)
        randomEnvelope(inst, full ? slot : (short)(slot < 3 ? slot : kEnvSlots - slot), rng);

    randomEffect(inst, rng);
    cc_setBendRange(inst, (float)pick(rng, 0, 24));
    cc_setModDepth(inst, uniform(rng, 0.0f, 100.0f));
    cc_setCCNum(inst, ccWhich_filter, (short)pick(rng, -1, 127));
    vel_setVelSens(inst, 1, (short)pick(rng, 0, 2), uniform(rng, 0.0f, 99.0f));
    vel_setInvert(inst, 3, (short)pick(rng, 0, 3), pick(rng, 0, 1));
    storedCC_addToList(inst_getStoredCC(inst), pick(rng, 11, 120), pick(rng, 0, 127), "random");
    if (pick(rng, 0, 1)) {
        float* map = notemap_getData(inst, 3, (short)pick(rng, 0, 3));
        for (int n = 0; n < 128; ++n) map[n] = uniform(rng, 0.0f, 1.0f);
    }
}

void fillRandomBank(bankRec* bank, instRec* work, const std::vector<int>& slots, std::mt19937& rng, bool full)
{
    for (int slot : slots) {
        work->paused = 1;
        inst_reinit(work);
        notemap_initInst(work);
        storedCC_initList(inst_getStoredCC(work));
        randomInstrument(work, rng, full);
        char name[40];
        std::snprintf(name, sizeof name, "random %d", slot);
        patch_setName(inst_getPatch(work), name);
        bank_storeInst(bank, work, (short)slot);
    }
}

std::vector<unsigned char> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
}

int storedPresets(bankRec* bank)
{
    int n = 0;
    for (short s = 0; s < kBankSlots; ++s) n += !bank_presetIsDefault(bank, s);
    return n;
}

bankRec* openBank(const std::string& path, long* result)
{
    if (!file_buf) file_init(kFileBufSize);
    bankRec* bank = bank_new();
    long r = mvnFile_openFromPathName(bank, path.c_str(), nullptr);
    if (result) *result = r;
    return bank;
}

void dropFilePrivileges()
{
    __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0) return;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        data[cap / 32].effective &= ~(1u << (cap % 32));
    syscall(SYS_capset, &header, data);
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() || entry.is_symlink()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int runProgram(const std::vector<std::string>& argv, long fileSizeLimit, std::string* err)
{
    char errPath[] = "/tmp/morvane-stderr-XXXXXX";
    int errFd = mkstemp(errPath);
    pid_t child = fork();
    if (child == 0) {
        dup2(errFd, 2);
        signal(SIGXFSZ, SIG_DFL);
        if (fileSizeLimit > 0) {
            struct rlimit limit = {(rlim_t)fileSizeLimit, (rlim_t)fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(errFd);
    std::vector<unsigned char> text = readBytes(errPath);
    if (err) err->assign(text.begin(), text.end());
    unlink(errPath);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}
