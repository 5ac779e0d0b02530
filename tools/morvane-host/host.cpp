#include "tools/morvane-host/host.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "dsp/dsp.h"
#include "iac/MorvaneIAC.h"
#include "iac/MorvaneIAC_plug.h"

namespace morvane_host {

namespace {
const int32_t kPlugVersion = IAC_APP_VERSION;

bool parseInstance(std::istringstream& in, int* instance)
{
    return static_cast<bool>(in >> *instance) && *instance >= 0 && *instance < IAC_INSTANCES;
}

// A whole word as a number (decimal, or hexadecimal with 0x).
bool parseLong(const std::string& word, long* value)
{
    if (word.empty()) return false;
    char* end = nullptr;
    *value = std::strtol(word.c_str(), &end, 0);
    return *end == '\0';
}

bool parseDouble(const std::string& word, double* value)
{
    if (word.empty()) return false;
    char* end = nullptr;
    *value = std::strtod(word.c_str(), &end);
    return *end == '\0';
}

// The value types of "set": their names and sizes.
struct valueType {
    const char* name;
    unsigned bytes;
};
const valueType kValueTypes[] = {{"char", 1}, {"short", 2}, {"int", 4}, {"float", 4}, {"double", 8}};

// Writes value as the named type at offset of instance's record; the
// bytes written, 0 for an unknown type, a value the type cannot hold, or a
// place outside the record.
unsigned writeRaw(int instance, long offset, const std::string& type, const std::string& text)
{
    const valueType* t = nullptr;
    for (const valueType& v : kValueTypes)
        if (type == v.name) t = &v;
    if (!t || offset < 0 || offset > long(IAC_INST_SLOT_BYTES - t->bytes)) return 0;
    unsigned char bytes[8];
    if (type == "float" || type == "double") {
        double d = 0;
        if (!parseDouble(text, &d)) return 0;
        float f = static_cast<float>(d);
        if (type == "float")
            std::memcpy(bytes, &f, sizeof f);
        else
            std::memcpy(bytes, &d, sizeof d);
    } else {
        long n = 0;
        if (!parseLong(text, &n)) return 0;
        const long lo = t->bytes == 1 ? -128 : t->bytes == 2 ? -32768 : -2147483648L;
        const long hi = t->bytes == 1 ? 255 : t->bytes == 2 ? 65535 : 4294967295L;
        if (n < lo || n > hi) return 0;
        const int8_t c = static_cast<int8_t>(n);
        const int16_t h = static_cast<int16_t>(n);
        const int32_t w = static_cast<int32_t>(n);
        std::memcpy(bytes,
                    t->bytes == 1   ? static_cast<const void*>(&c)
                    : t->bytes == 2 ? static_cast<const void*>(&h)
                                    : static_cast<const void*>(&w),
                    t->bytes);
    }
    std::memcpy(reinterpret_cast<unsigned char*>(iac_getInst(instance)) + offset, bytes, t->bytes);
    return t->bytes;
}

// A new instance's instrument as the plug-in makes it: every module at its
// defaults (inst_reinit), playing (no fade pending, full gain).
void initInstrument(instRec* inst)
{
    // The plug-in makes its own record: no fade hand-shake with itself.
    inst->paused = 1;
    inst_reinit(inst);
    inst->paused = 0;
    inst->pauseReason = 0;
    inst->fadeHandshake = 0;
    inst->fadeGain[0] = inst->fadeGain[1] = 1.0f;
}
}  // namespace

const char* usage()
{
    return "usage: morvane-host [--instances N]\n"
           "Plays the plug-in side of the link for instances 0..N-1 (N 1..8, default 1),\n"
           "brings them online and runs until the command quit, SIGINT or SIGTERM,\n"
           "taking its instances offline as it leaves. End of standard input only\n"
           "stops the reading of commands.\n"
           "Each instance it signs in starts as a plug-in does: its instrument at the\n"
           "defaults of a new instrument, on program 0, published as its current program.\n"
           "It acknowledges fades, takes repatch and effect-buffer requests, follows\n"
           "the editor's program changes and prints one line for each request.\n"
           "Commands, one per line on standard input:\n"
           "  online I          instance I comes online\n"
           "  offline I         instance I goes offline\n"
           "  program I P       a host program change: instance I takes program P as its\n"
           "                    current program and asks the editor to load it\n"
           "  pending I P       instance I leaves program P in its record's pending\n"
           "                    program word (any short; 0..127 is also published)\n"
           "  set I OFF T V     writes value V of type T (char, short, int, float,\n"
           "                    double) at byte offset OFF (decimal or 0x hex) of\n"
           "                    instance I's record, for trials with hostile values\n"
           "  editor I W        instance I asks for editor window W (1..7)\n"
           "  bank PATH         a plug-in asks the editor to open the bank at PATH\n"
           "  names             prints the published bank name and the 128 preset names\n"
           "  banks             prints the published recent banks\n"
           "  snapshot I FILE   writes the raw bytes of instance I's record to FILE\n"
           "  quit              takes the instances offline and leaves\n"
           "The segment is chosen by MORVANE_IAC_SEGMENT (default: one per user).\n";
}

Host::Host(std::FILE* out) : out_(out)
{
    for (int& p : program_) p = -1;
    dsp_globals_initLocal();
}

Host::~Host() { stop(); }

bool Host::ensureSignedIn(int instance)
{
    if (signedIn_[instance]) return true;
    if (iac_plug_signIn(instance, kPlugVersion) != instance) {
        std::fprintf(out_, "instance %d: cannot sign in (taken or link refused)\n", instance);
        return false;
    }
    signedIn_[instance] = true;
    // The tunings are the editor's to publish; when no editor ever did, the
    // plug-in fills them so that its instrument has a pitch table.
    if (tune_list[0].id == 0) tune_init();
    initInstrument(iac_getInst(instance));
    // What the initialisation asked of the plug-in is already done.
    iac_plug_takeRepatch(instance, nullptr);
    iac_plug_takeEffectBufRequest(instance);
    program_[instance] = 0;
    iac_plug_publishProgram(instance, 0);
    return true;
}

int Host::start(int n)
{
    if (n < 1 || n > IAC_INSTANCES) return 0;
    for (int i = 0; i < n; ++i) {
        if (!ensureSignedIn(i)) return 0;
        iac_plug_goOnline(i);
        std::fprintf(out_, "instance %d: online\n", i);
    }
    namesGeneration_ = iac_plug_namesGeneration();
    std::fflush(out_);
    return 1;
}

void Host::poll()
{
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        if (!signedIn_[i]) continue;
        // Fades are answered without a word: they come with every preset load.
        iac_plug_answerFade(i);
        int32_t flag = 0;
        int repatches = iac_plug_takeRepatch(i, &flag);
        if (repatches > 0)
            std::fprintf(out_, "instance %d: repatch (flag %d, %d request%s)\n", i, flag, repatches,
                         repatches == 1 ? "" : "s");
        int buffers = iac_plug_takeEffectBufRequest(i);
        if (buffers > 0) std::fprintf(out_, "instance %d: effect buffers\n", i);
        int program = iac_plug_takeEditorProgram(i);
        if (program >= 0) {
            program_[i] = program;
            iac_plug_publishProgram(i, program);
            std::fprintf(out_, "instance %d: program change %d\n", i, program);
        }
        if (iac_changed[i].lastBanksChanged.exchange(0)) {
            std::fprintf(out_, "instance %d: recent banks published\n", i);
        }
    }
    uint32_t generation = iac_plug_namesGeneration();
    if (generation != namesGeneration_) {
        namesGeneration_ = generation;
        char bank[IAC_BANK_NAME_BYTES];
        iac_plug_getBankName(bank, sizeof bank);
        std::fprintf(out_, "names published: %s\n", bank);
    }
    std::fflush(out_);
}

void Host::printNames()
{
    char text[IAC_BANK_NAME_BYTES];
    iac_plug_getBankName(text, sizeof text);
    std::fprintf(out_, "bank: %s\n", text);
    for (int slot = 0; slot < IAC_PRESETS; ++slot) {
        iac_plug_getPresetName(slot, text, sizeof text);
        std::fprintf(out_, "%d %s\n", slot, text);
    }
}

void Host::printBanks()
{
    for (int k = 0; k < IAC_LAST_BANKS; ++k) {
        iac_bankInfo info;
        if (iac_plug_getRecentBank(k, &info))
            std::fprintf(out_, "%d %d %s %s\n", k, info.priority, info.fileName, info.path);
    }
}

int Host::snapshot(int instance, const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    size_t n = std::fwrite(iac_getInst(instance), 1, IAC_INST_SLOT_BYTES, f);
    int ok = std::fclose(f) == 0 && n == IAC_INST_SLOT_BYTES;
    return ok;
}

int Host::command(const std::string& line)
{
    std::istringstream in(line);
    std::string word;
    if (!(in >> word)) return 1;
    int instance = 0;
    if (word == "quit") return 0;
    if (word == "online" || word == "offline") {
        if (!parseInstance(in, &instance)) {
            std::fprintf(out_, "%s: instance 0..7 expected\n", word.c_str());
        } else if (word == "online") {
            if (ensureSignedIn(instance) && iac_plug_goOnline(instance))
                std::fprintf(out_, "instance %d: online\n", instance);
        } else if (signedIn_[instance] && iac_plug_goOffline(instance)) {
            std::fprintf(out_, "instance %d: offline\n", instance);
        }
    } else if (word == "program") {
        int program = -1;
        if (!parseInstance(in, &instance) || !(in >> program) || program < 0 || program > 127) {
            std::fprintf(out_, "program: instance 0..7 and program 0..127 expected\n");
        } else if (ensureSignedIn(instance) && iac_plug_askProgram(instance, program)) {
            program_[instance] = program;
            iac_plug_publishProgram(instance, program);
            std::fprintf(out_, "instance %d: asks for program %d\n", instance, program);
        }
    } else if (word == "pending") {
        long program = 0;
        std::string text;
        if (!parseInstance(in, &instance) || !(in >> text) || !parseLong(text, &program) ||
            program < -32768 || program > 32767) {
            std::fprintf(out_, "pending: instance 0..7 and a program word expected\n");
        } else if (ensureSignedIn(instance)) {
            if (program >= 0 && program < IAC_PRESETS) {
                program_[instance] = int(program);
                iac_plug_publishProgram(instance, int(program));
            }
            iac_getInst(instance)->pendingProgram = static_cast<int16_t>(program);
            std::fprintf(out_, "instance %d: pending program %ld\n", instance, program);
        }
    } else if (word == "set") {
        std::string offsetText, type, value;
        long offset = -1;
        unsigned bytes = 0;
        if (parseInstance(in, &instance) && (in >> offsetText >> type >> value) &&
            parseLong(offsetText, &offset))
            bytes = writeRaw(instance, offset, type, value);
        if (bytes == 0)
            std::fprintf(out_, "set: instance 0..7, an offset inside the record, a type (char, short, int, "
                               "float, double) and a value it holds expected\n");
        else
            std::fprintf(out_, "instance %d: %s %s written at %ld\n", instance, type.c_str(), value.c_str(),
                         offset);
    } else if (word == "editor") {
        int window = 0;
        if (!parseInstance(in, &instance) || !(in >> window) || window < 1 || window > 7)
            std::fprintf(out_, "editor: instance 0..7 and window 1..7 expected\n");
        else if (iac_plug_askEditorWindow(instance, window))
            std::fprintf(out_, "instance %d: asks for editor window %d\n", instance, window);
    } else if (word == "bank") {
        std::string path;
        std::getline(in >> std::ws, path);
        const char* slash = std::strrchr(path.c_str(), '/');
        std::string name = slash ? slash + 1 : path;
        if (path.empty() || !iac_plug_askBank(path.c_str(), name.c_str()))
            std::fprintf(out_, "bank: a path expected\n");
        else
            std::fprintf(out_, "asks for bank %s\n", path.c_str());
    } else if (word == "names") {
        printNames();
    } else if (word == "banks") {
        printBanks();
    } else if (word == "snapshot") {
        std::string path;
        if (!parseInstance(in, &instance) || !(in >> path))
            std::fprintf(out_, "snapshot: instance 0..7 and a file expected\n");
        else if (snapshot(instance, path))
            std::fprintf(out_, "instance %d: snapshot written to %s\n", instance, path.c_str());
        else
            std::fprintf(out_, "instance %d: cannot write %s\n", instance, path.c_str());
    } else {
        std::fprintf(out_, "unknown command: %s (see --help)\n", word.c_str());
    }
    std::fflush(out_);
    return 1;
}

void Host::stop()
{
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        if (!signedIn_[i]) continue;
        iac_plug_goOffline(i);
        iac_plug_signOut(i);
        signedIn_[i] = false;
        std::fprintf(out_, "instance %d: offline\n", i);
    }
    std::fflush(out_);
}

}  // namespace morvane_host
