// Inside the link library: the layout of the shared segment and the mapping
// that holds it. Not a public header; other folders include MorvaneIAC.h.
//
// Layout (offsets from the segment start):
//   0                 iac_control   header and the library's own request words
//   kExportedOffset   iac_exported  the data exported under the names of MorvaneIAC.h
//   kTuneOffset       tune_list     IAC_TUNE_SLOTS x IAC_TUNEREC_BYTES
//   kInstOffset       8 instance records of IAC_INST_SLOT_BYTES
//   kPoolOffset       8 effect buffer pools of IAC_EFFECT_POOL_FLOATS floats
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "iac/MorvaneIAC.h"

namespace iac_internal {

constexpr uint32_t kMagic = 0x4D564941;  // "MVIA"
constexpr uint32_t kLayoutVersion = 1;
constexpr uint32_t kPage = 4096;

constexpr uint32_t roundUp(uint32_t n, uint32_t to) { return (n + to - 1) / to * to; }

struct iac_header {
    std::atomic<uint32_t> magic;  // written last when the segment is created
    uint32_t layoutVersion;
    uint32_t totalBytes;
    uint32_t headerBytes;
};

// What the library keeps per instance besides the exported data.
struct iac_instanceControl {
    std::atomic<int32_t> ownerPid;        // process that signed the instance in, 0 free
    std::atomic<int32_t> repatchCount;    // repatch requests not yet taken
    std::atomic<int32_t> repatchFlags;    // their flags or-ed together
    std::atomic<int32_t> effectBufCount;  // effect-buffer requests not yet taken
    std::atomic<int32_t> wantedProgram;   // program the plug-in side asks for, -1 none
    std::atomic<int32_t> editorProgram;   // program chosen in the editor, -1 none
    int32_t reserved[2];
};

struct iac_control {
    iac_header header;
    std::atomic<int32_t> editorPid;      // signed-in editor, 0 none
    std::atomic<int32_t> windowRequest;  // (instance << 8) | window, 0 none
    std::atomic<int32_t> bankRequest;    // 1: a plug-in asked for the bank in iac_bankFilePath
    std::atomic<uint32_t> namesGeneration;
    iac_instanceControl inst[IAC_INSTANCES];
};

struct iac_exported {
    int plugIsOnline[IAC_INSTANCES];
    iac_changedRec changed[IAC_INSTANCES];
    iac_bankInfo lastBanks[IAC_LAST_BANKS];
    char bankFilePath[IAC_PATH_BYTES];
    char bankName[IAC_BANK_NAME_BYTES];
    int morvaneIsOnline;
    int32_t appVersion;
    int32_t plugVersion;
    int32_t editInstance;
    float SR;
    float SR_user;
    int16_t bufferSize;
    int16_t bufferSizeUser;
    int16_t vectorSize;
    int16_t vectorSizeUser;
    float vectorSizef;
    double bufferMicroscale;
    float SRRatioUp;
    float SRRatioDown;
    float SRFilterOffset;
    float gFloatOne;
    float envDefaultOut;
    int32_t g_effect_useMaxBuf;
    char presetNames[IAC_PRESETS][IAC_PRESET_NAME_CHARS + 2];
    char publishedBankName[IAC_BANK_NAME_BYTES];
};

constexpr uint32_t kExportedOffset = roundUp(sizeof(iac_control), kPage);
constexpr uint32_t kTuneOffset = roundUp(kExportedOffset + sizeof(iac_exported), kPage);
constexpr uint32_t kInstOffset = roundUp(kTuneOffset + IAC_TUNE_SLOTS * IAC_TUNEREC_BYTES, kPage);
constexpr uint32_t kPoolOffset = kInstOffset + IAC_INSTANCES * IAC_INST_SLOT_BYTES;
constexpr uint32_t kPoolBytes = roundUp(IAC_EFFECT_POOL_FLOATS * sizeof(float), kPage);
constexpr uint32_t kTotalBytes = kPoolOffset + IAC_INSTANCES * kPoolBytes;
// The part of the segment that holds state worth carrying from private memory
// into a newly created segment (the pools are scratch).
constexpr uint32_t kStateBytes = kPoolOffset;

static_assert(kInstOffset % kPage == 0 && kPoolOffset % kPage == 0, "page-aligned areas");
static_assert(IAC_INST_SLOT_BYTES % kPage == 0, "instance slots keep page alignment");

// Base of the mapping; the first call reserves it and attaches to the
// segment named by the environment (or the per-user default) if it exists.
unsigned char* base();
inline iac_control* control() { return reinterpret_cast<iac_control*>(base()); }
inline iac_exported* exported() { return reinterpret_cast<iac_exported*>(base() + kExportedOffset); }
inline unsigned char* instBytes(int i) { return base() + kInstOffset + uint32_t(i) * IAC_INST_SLOT_BYTES; }

// Attaches to the named segment, creating it when `create` is set and it does
// not exist. 1 when attached; 0 when absent (not created) or refused (message
// on stderr).
int attach(bool create);
// Clears the editor and instance claims of processes that no longer exist.
void clearStaleClaims();
// 1 for a process id that belongs to a living process.
bool processAlive(int32_t pid);
inline bool validInstance(int i) { return i >= 0 && i < IAC_INSTANCES; }

// Copies at most maxChars characters of src (null: none) into dst and fills
// the rest of dst with zeros, so that dst is always terminated.
void copyTerminated(char* dst, size_t dstBytes, const char* src, size_t maxChars);
// The plug-in side asks for a program (0..127): it becomes the instance's
// wanted program and the change notice is set. 1, or 0 when refused.
int requestProgram(int instance, int program);

// Word access on instance record header words (shared with the audio code).
int16_t loadShort(int instance, uint32_t offset);
void storeShort(int instance, uint32_t offset, int16_t value);

}  // namespace iac_internal
