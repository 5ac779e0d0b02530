// The mapping of the shared segment: reserving its address range, attaching
// to or creating the named POSIX shared-memory object, checking its header,
// and the private memory used while no segment is attached.
//
// The address range is reserved once, when the library is first used, so the
// references exported under the names of MorvaneIAC.h stay bound to the same
// addresses; attaching or switching segments maps over that range.
#include "iac/iac_segment.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace iac_internal {
namespace {

struct MapState {
    unsigned char* mem = nullptr;
    std::string name;
    bool shared = false;   // attached to the named segment
    bool refused = false;  // the last attempt met a segment we must not use
};

MapState& st()
{
    static MapState s;
    return s;
}

void message(const char* what, const std::string& name)
{
    std::fprintf(stderr, "MorvaneIAC: shared segment \"%s\": %s\n", name.c_str(), what);
}

void sleepMs(long ms)
{
    timespec t{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&t, nullptr);
}

// Default values of a new segment (the memory is zero on entry).
void initFresh(unsigned char* mem)
{
    auto* c = reinterpret_cast<iac_control*>(mem);
    c->header.layoutVersion = kLayoutVersion;
    c->header.totalBytes = kTotalBytes;
    c->header.headerBytes = sizeof(iac_control);
    for (auto& ic : c->inst) {
        ic.wantedProgram.store(-1);
        ic.editorProgram.store(-1);
    }

    auto* e = reinterpret_cast<iac_exported*>(mem + kExportedOffset);
    for (auto& ch : e->changed) {
        ch.currentProgram.store(-1);
        for (auto& sl : ch.sliders) sl.cc = -2;
    }
    for (auto& b : e->lastBanks) b.priority = -1;
    e->SR = 44100.0f;
    e->SR_user = 44100.0f;
    e->bufferSize = 256;
    e->bufferSizeUser = 256;
    e->vectorSize = 128;
    e->vectorSizeUser = 128;
    e->vectorSizef = 128.0f / 44100.0f;
    e->bufferMicroscale = 44100.0 / 256.0 * 1e-6 * 1.02;
    e->SRRatioUp = 1.0f;
    e->SRRatioDown = 1.0f;
    e->SRFilterOffset = 0.0f;
    e->gFloatOne = 1.0f;
    e->envDefaultOut = 0.0f;
    e->g_effect_useMaxBuf = 1;

    // Each record carries its own number, and no program change is pending
    // in a record nobody has written yet.
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        unsigned char* rec = mem + kInstOffset + uint32_t(i) * IAC_INST_SLOT_BYTES;
        const int16_t number = int16_t(i), none = -1;
        std::memcpy(rec + 0x36, &number, sizeof number);
        std::memcpy(rec + 0x0E, &none, sizeof none);
    }
    c->header.magic.store(kMagic, std::memory_order_release);
}

// Replaces whatever is mapped with fresh private memory.
void goPrivate()
{
    MapState& s = st();
    void* p = mmap(s.mem, kTotalBytes, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | (s.mem ? MAP_FIXED : 0), -1, 0);
    if (p == MAP_FAILED) {
        std::perror("MorvaneIAC: cannot reserve memory for the link");
        std::abort();
    }
    s.mem = static_cast<unsigned char*>(p);
    s.shared = false;
    initFresh(s.mem);
}

bool mapOver(int fd)
{
    MapState& s = st();
    void* p = mmap(s.mem, kTotalBytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_FIXED, fd, 0);
    if (p == MAP_FAILED) {
        message(std::strerror(errno), s.name);
        goPrivate();
        return false;
    }
    s.shared = true;
    return true;
}

enum class Attach { attached, absent, refused };

Attach refuse(const char* why)
{
    message(why, st().name);
    st().refused = true;
    return Attach::refused;
}

Attach attachExisting(int fd)
{
    struct stat sb {};
    if (fstat(fd, &sb) != 0) return refuse(std::strerror(errno));
    if (sb.st_uid != geteuid() || (sb.st_mode & 077) != 0)
        return refuse("belongs to another user or is open to others; not used");

    // A segment being created by another process gets its size first and its
    // magic last: wait a little for both.
    unsigned char head[16] = {};
    uint32_t magic = 0;
    for (int wait = 0; wait < 400; ++wait) {
        if (fstat(fd, &sb) == 0 && sb.st_size >= off_t(sizeof head) &&
            pread(fd, head, sizeof head, 0) == ssize_t(sizeof head)) {
            std::memcpy(&magic, head, 4);
            if (magic != 0) break;
        }
        sleepMs(5);
    }
    uint32_t version = 0, total = 0, headerBytes = 0;
    std::memcpy(&version, head + 4, 4);
    std::memcpy(&total, head + 8, 4);
    std::memcpy(&headerBytes, head + 12, 4);
    if (magic != kMagic || version != kLayoutVersion || total != kTotalBytes ||
        headerBytes != sizeof(iac_control) || sb.st_size != off_t(kTotalBytes)) {
        char why[200];
        std::snprintf(why, sizeof why,
                      "wrong header (magic 0x%08X, layout %u, %u bytes; this library uses "
                      "0x%08X, layout %u, %u bytes); the segment is not used",
                      magic, version, total, kMagic, kLayoutVersion, kTotalBytes);
        return refuse(why);
    }
    return mapOver(fd) ? Attach::attached : Attach::refused;
}

Attach createNew(int fd)
{
    MapState& s = st();
    fchmod(fd, 0600);
    if (ftruncate(fd, kTotalBytes) != 0) {
        message(std::strerror(errno), s.name);
        shm_unlink(s.name.c_str());
        return Attach::refused;
    }
    void* p = mmap(nullptr, kStateBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED) {
        message(std::strerror(errno), s.name);
        shm_unlink(s.name.c_str());
        return Attach::refused;
    }
    // The private memory this process worked on becomes the new segment, so
    // what it already wrote is kept. The header goes in last so that no one
    // attaches to a half-copied segment.
    auto* fresh = static_cast<unsigned char*>(p);
    const size_t head = sizeof(iac_header);
    std::memcpy(fresh + head, s.mem + head, kStateBytes - head);
    auto* h = reinterpret_cast<iac_header*>(fresh);
    h->layoutVersion = kLayoutVersion;
    h->totalBytes = kTotalBytes;
    h->headerBytes = sizeof(iac_control);
    h->magic.store(kMagic, std::memory_order_release);
    munmap(p, kStateBytes);
    return mapOver(fd) ? Attach::attached : Attach::refused;
}

Attach attachNamed(bool create)
{
    MapState& s = st();
    s.refused = false;
    for (int tries = 0; tries < 3; ++tries) {
        int fd = shm_open(s.name.c_str(), O_RDWR, 0);
        if (fd >= 0) {
            Attach r = attachExisting(fd);
            close(fd);
            if (r == Attach::attached) clearStaleClaims();
            return r;
        }
        if (errno != ENOENT) return refuse(std::strerror(errno));
        if (!create) return Attach::absent;
        fd = shm_open(s.name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;  // someone else was quicker: attach to theirs
            return refuse(std::strerror(errno));
        }
        Attach r = createNew(fd);
        close(fd);
        return r;
    }
    return refuse("cannot be opened or created");
}

// "/name" with "%p" replaced by the process id; "" when not a usable name.
std::string expandName(const char* name)
{
    if (!name) return {};
    std::string out;
    for (const char* c = name; *c; ++c) {
        if (c[0] == '%' && c[1] == 'p') {
            out += std::to_string(getpid());
            ++c;
        } else {
            out += *c;
        }
    }
    if (out.size() < 2 || out.size() > NAME_MAX || out[0] != '/' || out.find('/', 1) != std::string::npos)
        return {};
    return out;
}

std::string defaultName()
{
    const char* env = std::getenv("MORVANE_IAC_SEGMENT");
    if (env && *env) {
        std::string n = expandName(env);
        if (!n.empty()) return n;
        std::fprintf(stderr,
                     "MorvaneIAC: MORVANE_IAC_SEGMENT \"%s\" is not a segment name "
                     "(\"/name\"); the default is used\n",
                     env);
    }
    return "/morvane-iac-" + std::to_string(geteuid());
}

bool startUp()
{
    goPrivate();
    st().name = defaultName();
    attachNamed(false);
    return true;
}

}  // namespace

unsigned char* base()
{
    static const bool ready = startUp();
    (void)ready;
    return st().mem;
}

int attach(bool create)
{
    base();
    if (st().shared) return 1;
    return attachNamed(create) == Attach::attached ? 1 : 0;
}

bool processAlive(int32_t pid) { return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM); }

void clearStaleClaims()
{
    iac_control* c = reinterpret_cast<iac_control*>(st().mem);
    iac_exported* e = reinterpret_cast<iac_exported*>(st().mem + kExportedOffset);
    int32_t pid = c->editorPid.load();
    if (pid != 0 && !processAlive(pid) && c->editorPid.compare_exchange_strong(pid, 0))
        e->morvaneIsOnline = 0;
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        pid = c->inst[i].ownerPid.load();
        if (pid != 0 && !processAlive(pid) && c->inst[i].ownerPid.compare_exchange_strong(pid, 0)) {
            __atomic_store_n(&e->plugIsOnline[i], 0, __ATOMIC_RELEASE);
            e->changed[i].changed.store(1);
        }
    }
}

int16_t loadShort(int instance, uint32_t offset)
{
    return __atomic_load_n(reinterpret_cast<int16_t*>(instBytes(instance) + offset), __ATOMIC_ACQUIRE);
}

void storeShort(int instance, uint32_t offset, int16_t value)
{
    __atomic_store_n(reinterpret_cast<int16_t*>(instBytes(instance) + offset), value, __ATOMIC_RELEASE);
}

}  // namespace iac_internal

using namespace iac_internal;

int iac_setSegmentName(const char* name)
{
    base();
    std::string n = expandName(name);
    if (n.empty()) {
        std::fprintf(stderr, "MorvaneIAC: \"%s\" is not a segment name (\"/name\")\n",
                     name ? name : "(null)");
        return 0;
    }
    MapState& s = st();
    if (n == s.name && s.shared) return 1;
    s.name = n;
    goPrivate();
    return attachNamed(false) == Attach::refused ? 0 : 1;
}

const char* iac_getSegmentName(void)
{
    base();
    return st().name.c_str();
}

int iac_isSegmentShared(void)
{
    base();
    return st().shared ? 1 : 0;
}

int iac_unlinkSegment(void)
{
    base();
    return shm_unlink(st().name.c_str()) == 0 ? 1 : 0;
}
