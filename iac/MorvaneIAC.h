// MorvaneIAC: the link between the editor and the plug-in instances.
//
// Everything here lives in one POSIX shared-memory segment per user, mapped by
// the library when it is loaded. The exported data are C++ references bound
// into that segment, so they read and write as ordinary variables:
//     SR = 44100.0f;   if (iac_plugIsOnline[3]) ...;   tune_list[5]
// The segment is looked up when the library loads (name from the environment
// variable MORVANE_IAC_SEGMENT, else "/morvane-iac-<uid>"); when it does not
// exist yet the process works on private memory that the first sign-in
// (editor or plug-in side) publishes as the new segment. A segment whose
// header does not match this library is refused with a message on stderr and
// never reinterpreted; the process then keeps its private memory and every
// sign-in returns 0.
//
// This header is the editor's side. The plug-in side's calls are in
// iac/MorvaneIAC_plug.h.
//
// Index of this header: limits and sizes; shared records (iac_sliderRec,
// iac_changedRec, iac_bankInfo); exported data; segment choice; offsets and
// record access; editor calls.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

// ---- limits and sizes -------------------------------------------------------

#define IAC_INSTANCES          8                    // plug-in instances 0..7
#define IAC_INST_SLOT_BYTES    0x56000              // bytes reserved for each instance record
#define IAC_TUNE_SLOTS         64                   // entries of tune_list
#define IAC_TUNEREC_BYTES      1044                 // bytes of one tuneRec
#define IAC_EFFECT_POOL_FLOATS (3 * 481024 + 1024)  // effect buffer pool per instance
#define IAC_LAST_BANKS         10                   // entries of iac_lastBanks
#define IAC_PATH_BYTES         260                  // iac_bankFilePath, paths in iac_bankInfo
#define IAC_BANK_NAME_BYTES    260                  // iac_bankName and the published bank name
#define IAC_PRESETS            128                  // published preset names 0..127
#define IAC_PRESET_NAME_CHARS  34                   // longest published preset name
#define IAC_SLIDERS            9                    // slider records per instance
#define IAC_SLIDER_LABEL_CHARS 16                   // slider label field
#define IAC_APP_VERSION        253                  // version word of this editor

static_assert(std::atomic<int32_t>::is_always_lock_free, "shared notices need lock-free 32-bit atomics");

// ---- shared records ---------------------------------------------------------

#pragma pack(push, 4)

// One controller slider shown by the plug-in's own panel (36 bytes).
struct iac_sliderRec {
    int32_t cc;                          // +0  controller number; -1 aftertouch, -2 empty
    int32_t value;                       // +4  0..127
    int32_t changed;                     // +8  set to 1 when the editor rewrites the slider
    int32_t zero;                        // +12 set to 0 with every rewrite
    int32_t reserved;                    // +16
    char label[IAC_SLIDER_LABEL_CHARS];  // +20 not necessarily terminated at 16 chars
};

// Per-instance notices (372 bytes). The ints two processes race on are atomics.
struct iac_changedRec {
    std::atomic<int32_t> changed;           // +0  instance changed: set by the plug-in, cleared by the poll
    std::atomic<int32_t> plugNotice;        // +4  1: a controller was played here or the recent banks changed
    int32_t reserved8[4];                   // +8
    std::atomic<int32_t> lastBanksChanged;  // +24 1: the recent-bank list changed
    int32_t reserved28;                     // +28
    std::atomic<int32_t> currentProgram;    // +32 the instance's current program, -1 none
    std::atomic<int32_t> slidersChanged;    // +36 1: slider labels changed
    std::atomic<int32_t> ccPlayed;          // +40 1: a controller was played
    int32_t reserved44;                     // +44
    iac_sliderRec sliders[IAC_SLIDERS];     // +48
};

// One recent bank published to the plug-ins (524 bytes).
struct iac_bankInfo {
    char fileName[IAC_PATH_BYTES];  // +0   title part of the path (at most 23 characters)
    char path[IAC_PATH_BYTES];      // +260 full path
    int32_t priority;               // +520 0 = most recent, -1 = empty entry
};

#pragma pack(pop)

static_assert(sizeof(iac_sliderRec) == 36, "slider record is 36 bytes");
static_assert(offsetof(iac_sliderRec, cc) == 0, "slider controller at +0");
static_assert(offsetof(iac_sliderRec, value) == 4, "slider value at +4");
static_assert(offsetof(iac_sliderRec, changed) == 8, "slider changed at +8");
static_assert(offsetof(iac_sliderRec, zero) == 12, "slider zero word at +12");
static_assert(offsetof(iac_sliderRec, label) == 20, "slider label at +20");
static_assert(sizeof(iac_changedRec) == 372, "iac_changedRec is 372 bytes");
static_assert(offsetof(iac_changedRec, changed) == 0, "changed at +0");
static_assert(offsetof(iac_changedRec, plugNotice) == 4, "notice at +4");
static_assert(offsetof(iac_changedRec, lastBanksChanged) == 24, "recent banks changed at +24");
static_assert(offsetof(iac_changedRec, currentProgram) == 32, "current program at +32");
static_assert(offsetof(iac_changedRec, slidersChanged) == 36, "sliders changed at +36");
static_assert(offsetof(iac_changedRec, ccPlayed) == 40, "controller played at +40");
static_assert(offsetof(iac_changedRec, sliders) == 48, "slider records from +48");
static_assert(sizeof(iac_bankInfo) == 524, "iac_bankInfo is 524 bytes");
static_assert(offsetof(iac_bankInfo, path) == 260, "bank path at +260");
static_assert(offsetof(iac_bankInfo, priority) == 520, "bank priority at +520");

// Declared by the instrument model; the link only reserves their room.
struct instRec;
struct tuneRec;

// ---- exported data (all inside the shared segment) --------------------------

extern int (&iac_plugIsOnline)[IAC_INSTANCES];         // non-zero while instance i lives
extern iac_changedRec (&iac_changed)[IAC_INSTANCES];   // per-instance notices
extern iac_bankInfo (&iac_lastBanks)[IAC_LAST_BANKS];  // recent banks for the plug-ins
extern char (&iac_bankFilePath)[IAC_PATH_BYTES];       // bank a plug-in asks to open; "" none
extern char (&iac_bankName)[IAC_BANK_NAME_BYTES];      // its title
extern int& iac_morvaneIsOnline;                       // non-zero while the editor runs
extern int32_t& iac_appVersion;                        // the editor writes IAC_APP_VERSION
extern int32_t& iac_plugVersion;                       // the plug-in's version word
extern int32_t& editInstance;                          // instance whose editor was asked for

extern float& SR;
extern float& SR_user;
extern int16_t& bufferSize;
extern int16_t& bufferSizeUser;
extern int16_t& vectorSize;
extern int16_t& vectorSizeUser;
extern float& vectorSizef;
extern double& bufferMicroscale;
extern float& SRRatioUp;
extern float& SRRatioDown;
extern float& SRFilterOffset;

extern tuneRec* const tune_list;     // IAC_TUNE_SLOTS records of IAC_TUNEREC_BYTES
extern float& gFloatOne;             // 1.0: default modulation source
extern float& envDefaultOut;         // 0.0: default envelope output
extern int32_t& g_effect_useMaxBuf;  // effect buffer mode, 1 at creation

// ---- segment choice ---------------------------------------------------------

// Chooses the segment by name ("/name"; "%p" is replaced by the process id).
// Call before signing in: the process drops what it mapped so far, attaches
// to the named segment if it exists and otherwise works on fresh private
// memory until a sign-in creates it. 1, or 0 for a bad name or a refused segment.
int iac_setSegmentName(const char* name);
// The name in use ("" never).
const char* iac_getSegmentName(void);
// 1 while the process is attached to the named segment (not private memory).
int iac_isSegmentShared(void);
// Removes the segment's name (tests); the current mapping stays usable. 1 or 0.
int iac_unlinkSegment(void);

// ---- offsets and records ----------------------------------------------------

// Pointers inside shared records are 32-bit offsets from the segment start.
typedef uint32_t iac_offset;
void* iac_offsetToPtr(iac_offset offset);     // nullptr for 0 or out of range
iac_offset iac_ptrToOffset(const void* ptr);  // 0 for an address outside the segment
// Bytes of the whole segment.
uint32_t iac_segmentBytes(void);

// The record of instance i; an i outside 0..7 gives instance 0. Never null.
instRec* iac_getInst(int i);
// The effect buffer pool of an instance (IAC_EFFECT_POOL_FLOATS floats);
// an instance outside 0..7 gives instance 0's pool.
float* iac_getEffectPool(int instance);

// ---- editor calls -----------------------------------------------------------

// Attaches (creating the segment if needed) and marks the editor online.
// 0 with a message when the segment is refused or another editor is signed in.
int iac_mvn_signIn(void);
void iac_mvn_signOut(void);
// 1 when an editor process other than this one is signed in and still alive.
int iac_mvn_isAnotherEditorRunning(void);

// Asks the plug-in of an instance to rebuild its processing chains.
void iac_mvn_repatch(int instance, int32_t flag);
// Asks the plug-in of an instance to reallocate its effect buffers.
void iac_mvn_reinitEffectBuf(int instance);
// The user chose a program here: the plug-in is told, and it becomes the
// instance's current program. Programs outside 0..127 are refused.
void iac_mvn_programChange(int instance, int program);
// Forwards a program change the plug-in left in its record: it becomes the
// program the instance wants and the instance's change notice is set.
void iac_plug_programChange(int instance, int program);
// Takes the program the instance wants, or -1 for none. The caller compares it
// with its current program.
int iac_mvn_getUpdateProgram(int instance, int current);
// Takes a plug-in's editor request: 0, or 1..7 (the window), with editInstance
// set to the asking instance.
int iac_app_needOpenWindow(void);
// 1 when a plug-in asked to open the bank in iac_bankFilePath / iac_bankName.
// Called with 0 the request is taken (cleared); non-zero only looks.
int iac_app_didBankChange(int peekOnly);
// The editor has copied the path and name of a taken bank request: both are
// emptied, so that the segment (which outlives every process) carries no
// request into a later start. A request that arrived meanwhile is kept.
void iac_app_bankRequestDone(void);
// Publishes the preset names and the bank name; iac_mvn_bankChanged tells the
// plug-ins that a new set is complete.
void iac_setPresetName(int slot, const char* name);
void iac_setBankName(const char* name);
void iac_mvn_bankChanged(void);
