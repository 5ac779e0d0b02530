// The plug-in side's calls of the link: claiming an instance, going online,
// asking the editor for programs, windows and banks, and taking the editor's
// requests and names.
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "iac/MorvaneIAC_plug.h"
#include "iac/iac_segment.h"

using namespace iac_internal;

namespace {

// 1 when the calling process signed the instance in.
bool ownedHere(int instance)
{
    return validInstance(instance) && control()->inst[instance].ownerPid.load() == getpid();
}

bool claim(int instance, int32_t self)
{
    std::atomic<int32_t>& owner = control()->inst[instance].ownerPid;
    int32_t seen = owner.load();
    if (seen != 0 && processAlive(seen)) return false;
    return owner.compare_exchange_strong(seen, self);
}

void setOnline(int instance, int online)
{
    __atomic_store_n(&exported()->plugIsOnline[instance], online, __ATOMIC_RELEASE);
    exported()->changed[instance].changed.store(1);
}

void storeFloat(int instance, uint32_t offset, float value)
{
    std::memcpy(instBytes(instance) + offset, &value, sizeof value);
}

}  // namespace

int iac_plug_signIn(int wanted, int32_t plugVersion)
{
    if (wanted < -1 || wanted >= IAC_INSTANCES) return -1;
    if (!attach(true)) {
        std::fprintf(stderr, "MorvaneIAC: the plug-in cannot sign in to the link\n");
        return -1;
    }
    const int32_t self = getpid();
    int got = -1;
    if (wanted >= 0) {
        if (claim(wanted, self)) got = wanted;
    } else {
        for (int i = 0; i < IAC_INSTANCES && got < 0; ++i)
            if (claim(i, self)) got = i;
    }
    if (got < 0) return -1;
    iac_plugVersion = plugVersion;
    storeShort(got, IAC_INST_NUMBER_WORD, int16_t(got));
    return got;
}

void iac_plug_signOut(int instance)
{
    if (!ownedHere(instance)) return;
    setOnline(instance, 0);
    control()->inst[instance].ownerPid.store(0);
}

int iac_plug_goOnline(int instance)
{
    if (!ownedHere(instance)) return 0;
    // The editor loads the instance's current program when it sees it arrive.
    const int32_t program = exported()->changed[instance].currentProgram.load();
    if (program >= 0) requestProgram(instance, program);
    setOnline(instance, 1);
    return 1;
}

int iac_plug_goOffline(int instance)
{
    if (!ownedHere(instance)) return 0;
    setOnline(instance, 0);
    return 1;
}

int iac_plug_publishProgram(int instance, int program)
{
    if (!validInstance(instance) || program < -1 || program >= IAC_PRESETS) return 0;
    exported()->changed[instance].currentProgram.store(program);
    return 1;
}

int iac_plug_askProgram(int instance, int program) { return requestProgram(instance, program); }

int iac_plug_askEditorWindow(int instance, int which)
{
    if (!validInstance(instance) || which < 1 || which > 7) return 0;
    control()->windowRequest.store((instance << 8) | which);
    return 1;
}

int iac_plug_askBank(const char* path, const char* name)
{
    if (!path || path[0] == '\0' || std::strlen(path) >= IAC_PATH_BYTES) return 0;
    iac_exported* e = exported();
    copyTerminated(e->bankFilePath, sizeof e->bankFilePath, path, IAC_PATH_BYTES - 1);
    copyTerminated(e->bankName, sizeof e->bankName, name, IAC_BANK_NAME_BYTES - 1);
    control()->bankRequest.store(1);
    return 1;
}

int iac_plug_answerFade(int instance)
{
    if (!validInstance(instance)) return 0;
    const int16_t word = loadShort(instance, IAC_INST_FADE_WORD);
    if (word != 1 && word != 2) return 0;
    const float end = word == 1 ? 0.0f : 1.0f;
    storeFloat(instance, IAC_INST_FADE_GAIN_A, end);
    storeFloat(instance, IAC_INST_FADE_GAIN_B, end);
    storeShort(instance, IAC_INST_FADE_WORD, 0);
    return word;
}

int iac_plug_takeRepatch(int instance, int32_t* flag)
{
    if (!validInstance(instance)) return 0;
    iac_instanceControl& ic = control()->inst[instance];
    const int32_t count = ic.repatchCount.exchange(0);
    if (count <= 0) return 0;
    const int32_t flags = ic.repatchFlags.exchange(0);
    if (flag) *flag = flags;
    return count;
}

int iac_plug_takeEffectBufRequest(int instance)
{
    if (!validInstance(instance)) return 0;
    const int32_t count = control()->inst[instance].effectBufCount.exchange(0);
    return count > 0 ? count : 0;
}

int iac_plug_takeEditorProgram(int instance)
{
    if (!validInstance(instance)) return -1;
    const int32_t program = control()->inst[instance].editorProgram.exchange(-1);
    return program >= 0 && program < IAC_PRESETS ? program : -1;
}

int iac_plug_isEditorOnline(void)
{
    return __atomic_load_n(&exported()->morvaneIsOnline, __ATOMIC_ACQUIRE) != 0 ? 1 : 0;
}

uint32_t iac_plug_namesGeneration(void) { return control()->namesGeneration.load(); }

int iac_plug_getPresetName(int slot, char* out, size_t outBytes)
{
    if (slot < 0 || slot >= IAC_PRESETS || !out || outBytes == 0) return 0;
    copyTerminated(out, outBytes, exported()->presetNames[slot], IAC_PRESET_NAME_CHARS);
    return 1;
}

int iac_plug_getBankName(char* out, size_t outBytes)
{
    if (!out || outBytes == 0) return 0;
    copyTerminated(out, outBytes, exported()->publishedBankName, IAC_BANK_NAME_BYTES - 1);
    return 1;
}

int iac_plug_getRecentBank(int k, iac_bankInfo* out)
{
    if (k < 0 || k >= IAC_LAST_BANKS || !out) return 0;
    const iac_bankInfo& in = exported()->lastBanks[k];
    copyTerminated(out->fileName, sizeof out->fileName, in.fileName, IAC_PATH_BYTES - 1);
    copyTerminated(out->path, sizeof out->path, in.path, IAC_PATH_BYTES - 1);
    out->priority = in.priority;
    return out->priority >= 0 ? 1 : 0;
}
