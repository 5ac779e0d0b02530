// The editor's calls of the link: sign-in, requests to the plug-ins, and the
// polls that take what the plug-ins asked for. Every number read back from
// the segment is checked before it is handed on: a plug-in may have written
// anything there.
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "iac/iac_segment.h"

using namespace iac_internal;

namespace {

bool validProgram(int program) { return program >= 0 && program < IAC_PRESETS; }

}  // namespace

int iac_internal::requestProgram(int instance, int program)
{
    if (!validInstance(instance) || !validProgram(program)) return 0;
    control()->inst[instance].wantedProgram.store(program);
    exported()->changed[instance].changed.store(1);
    return 1;
}

int iac_mvn_signIn(void)
{
    // The editor writes its version word before signing in; when a plug-in
    // created the segment in between, carry the word over.
    const int32_t version = iac_appVersion;
    if (!attach(true)) {
        std::fprintf(stderr, "MorvaneIAC: the editor cannot sign in to the plug-in link\n");
        return 0;
    }
    clearStaleClaims();
    iac_control* c = control();
    const int32_t self = getpid();
    int32_t other = c->editorPid.load();
    if (other != 0 && other != self && processAlive(other)) {
        std::fprintf(stderr, "MorvaneIAC: another editor (process %d) is signed in\n", int(other));
        return 0;
    }
    if (version != 0) iac_appVersion = version;
    c->editorPid.store(self);
    __atomic_store_n(&exported()->morvaneIsOnline, 1, __ATOMIC_RELEASE);
    return 1;
}

void iac_mvn_signOut(void)
{
    iac_control* c = control();
    int32_t self = getpid();
    if (c->editorPid.compare_exchange_strong(self, 0))
        __atomic_store_n(&exported()->morvaneIsOnline, 0, __ATOMIC_RELEASE);
}

int iac_mvn_isAnotherEditorRunning(void)
{
    const int32_t pid = control()->editorPid.load();
    return pid != 0 && pid != getpid() && processAlive(pid) ? 1 : 0;
}

void iac_mvn_repatch(int instance, int32_t flag)
{
    if (!validInstance(instance)) return;
    iac_instanceControl& ic = control()->inst[instance];
    ic.repatchFlags.fetch_or(flag);
    ic.repatchCount.fetch_add(1);
}

void iac_mvn_reinitEffectBuf(int instance)
{
    if (!validInstance(instance)) return;
    control()->inst[instance].effectBufCount.fetch_add(1);
}

void iac_mvn_programChange(int instance, int program)
{
    if (!validInstance(instance) || !validProgram(program)) return;
    control()->inst[instance].editorProgram.store(program);
    exported()->changed[instance].currentProgram.store(program);
}

void iac_plug_programChange(int instance, int program) { requestProgram(instance, program); }

int iac_mvn_getUpdateProgram(int instance, int /*current: the caller compares*/)
{
    if (!validInstance(instance)) return -1;
    const int32_t wanted = control()->inst[instance].wantedProgram.exchange(-1);
    return validProgram(wanted) ? wanted : -1;
}

int iac_app_needOpenWindow(void)
{
    const int32_t request = control()->windowRequest.exchange(0);
    const int which = request & 0xFF;
    const int instance = (request >> 8) & 0xFF;
    if (request >> 16 != 0 || which < 1 || which > 7 || !validInstance(instance)) return 0;
    editInstance = instance;
    return which;
}

int iac_app_didBankChange(int peekOnly)
{
    iac_control* c = control();
    const int32_t asked = peekOnly ? c->bankRequest.load() : c->bankRequest.exchange(0);
    if (asked == 0) return 0;
    // The editor reads the path and name as strings: make sure they end.
    iac_exported* e = exported();
    e->bankFilePath[IAC_PATH_BYTES - 1] = '\0';
    e->bankName[IAC_BANK_NAME_BYTES - 1] = '\0';
    return e->bankFilePath[0] != '\0' ? 1 : 0;
}

void iac_app_bankRequestDone(void)
{
    if (control()->bankRequest.load() != 0) return;
    iac_exported* e = exported();
    std::memset(e->bankFilePath, 0, sizeof e->bankFilePath);
    std::memset(e->bankName, 0, sizeof e->bankName);
}

void iac_setPresetName(int slot, const char* name)
{
    if (!validProgram(slot)) return;
    char* dst = exported()->presetNames[slot];
    copyTerminated(dst, sizeof exported()->presetNames[slot], name, IAC_PRESET_NAME_CHARS);
}

void iac_setBankName(const char* name)
{
    iac_exported* e = exported();
    copyTerminated(e->publishedBankName, sizeof e->publishedBankName, name, IAC_BANK_NAME_BYTES - 1);
}

void iac_mvn_bankChanged(void) { control()->namesGeneration.fetch_add(1); }
