// Banks and presets: the public door of bank/.
//
// A bank is 128 preset slots sharing one default preset; a preset is a
// self-contained copy of everything that defines a sound (fixed module
// records inline, variable lists in standard containers). This header also
// declares the bank file reader and writer (the file format itself is
// documented in bank/bank_format.h, included here) and the small message interface
// through which everything here talks to the user.
//
// Index:
//   messages      bank_setMessageProc, bank_setErrorProc          (bank_messages.cpp)
//   presetRec     preset_new .. preset_dspToPreset                 (preset.cpp, preset_transfer.cpp)
//   bankRec       bank_new .. bank_setPlugNames                    (bank.cpp)
//   slots         bank_copyPreset .. bank_initPreset               (bank_slots.cpp)
//   reading       chunk_verify_mvn, mvnFile_open ..                (bank_verify.cpp, bank_read.cpp)
//   names only    mvnFile_readNames                                (bank_names.cpp)
//   writing       mvnFile_save, mvnFile_saveAs, mvnFile_writeBank  (bank_write.cpp)
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "bank/bank_format.h"
#include "dsp/dsp.h"
#include "fileio/fileio.h"

// ---- messages -------------------------------------------------------------
// Every message for the user goes through one procedure; the desktop layer
// installs its message box, tests and tools install their own. Buttons and
// answers use the desktop's numbers: 0 OK, 3 Yes/No/Cancel; answers 1 OK,
// 6 Yes, 7 No, 2 Cancel. Without a procedure a message goes to stderr and
// the answer is OK. Internal notices ("bad chunk type") go to the silent
// error channel, which drops them unless a procedure is installed.
enum { bankButtons_ok = 0, bankButtons_yesNoCancel = 3 };
enum { bankAnswer_ok = 1, bankAnswer_cancel = 2, bankAnswer_yes = 6, bankAnswer_no = 7 };
typedef int (*bankMessageProc)(const char* text, const char* caption, int buttons);
typedef void (*bankErrorProc)(const char* text);
void bank_setMessageProc(bankMessageProc proc);  // null: the stderr default
void bank_setErrorProc(bankErrorProc proc);      // null: silent
bankMessageProc bank_getMessageProc();           // to put a swapped procedure back
bankErrorProc bank_getErrorProc();
int bank_message(const char* text, int buttons);  // caption "Morvane"
void bank_error(const char* text);
// Between begin and end (one open of a file), a message with buttons OK that
// was shown already is not shown again: a crafted file cannot raise a box
// per chunk. Groups do not nest; end forgets what was shown.
void bank_beginMessageGroup();
void bank_endMessageGroup();

// Told after a preset was selected into an instrument, with the instance
// number of that instrument; the shell refreshes its controller sliders.
typedef void (*bankSelectNotifyProc)(int instance);
void bank_setSelectNotifyProc(bankSelectNotifyProc proc);

// ---- presets ----------------------------------------------------------------
enum { kBankSlots = 128, kPresetEnvMax = kEnvSlots, kBankNameMax = 64 };

struct effectDeleter {
    void operator()(effectHeader* e) const { effect_deleteHandle(e); }
};
typedef std::unique_ptr<effectHeader, effectDeleter> effectHandle;

struct presetRec {
    patchRec patch;
    int oscilCount;  // 3
    oscil_instRec oscil[kOscils];
    int filterCount;  // 4
    filterInstRec filter[kFilters];
    int modCount;  // 3
    modInstRec mod[kOscils];
    waveshapeInstRec waveshape;
    int hasEffect;        // 1 when an effect was read from a file
    effectHandle effect;  // kind 1..3 record, or null
    ccInstRec cc;         // only the controller fields are used
    velInstRec vel;
    storedCCList storedCC;
    std::vector<notemapRec> notemaps;
    int lfoCount;  // 3
    lfoInstRec lfo[kLfos];
    std::vector<envInstRec> envs;  // at most 24
    std::vector<waveRec> waves;
};

presetRec* preset_new(short number);         // null when memory runs out
presetRec* preset_newDefault(short number);  // with the three amplitude envelopes
void preset_init(presetRec* preset, short number);
void preset_initAmpEnv(presetRec* preset);
void preset_delete(presetRec* preset);
// A deep copy of from (lists and effect record included) whose patch
// preset number is number; null when memory runs out.
presetRec* preset_newCopy(const presetRec* from, short number);
// Replace a list by n zeroed records (envelopes: at most 24); n < 1 or no
// memory leaves the list empty and gives 0, else 1.
int preset_newNotemapList(presetRec* preset, short n);
int preset_newEnvList(presetRec* preset, short n);
int preset_newWaveList(presetRec* preset, short n);
short preset_envCount(const presetRec* preset);
short preset_waveCount(const presetRec* preset);
short preset_notemapCount(const presetRec* preset);
// preset -> instrument (the instrument is left paused) and back.
void preset_presetToDsp(presetRec* preset, instRec* inst, short number);
void preset_dspToPreset(instRec* inst, presetRec* preset, short number);

// ---- banks ------------------------------------------------------------------
struct bankRec {
    short currentPreset;             // -1 after init
    presetRec* presets[kBankSlots];  // never null once a default exists
    presetRec* defaultPreset;        // shared by every empty slot
    int dirty;
    fileRec file;     // path and title of the bank's file
    int readDamaged;  // 1 when that file was read with damage (a save over it loses what was not read)
};

void bank_setHWND(fileWindow owner);
bankRec* bank_new();              // null when memory runs out
void bank_delete(bankRec* bank);  // frees every preset and the bank
void bank_init(bankRec* bank);
void bank_clearPresets(bankRec* bank);
void bank_close(bankRec* bank);
// Replaces the presets, file record and damage mark of bank by those of
// from, which is left closed; the current preset and the owner stay.
void bank_takeContents(bankRec* bank, bankRec* from);
// 1 when the bank took the preset (slot from its patch preset number, 0..127);
// 0 when the number is out of range, and the caller still owns the preset.
int bank_addPreset(bankRec* bank, presetRec* preset);
void bank_selectPreset(bankRec* bank, instRec* inst, short slot);
void bank_storeInst(bankRec* bank, instRec* inst, short slot);
short bank_currentPreset(bankRec* bank);
int bank_presetIsDefault(bankRec* bank, short slot);
presetRec* bank_getPreset(bankRec* bank, short slot);           // null for a bad slot
short bank_presetCount(bankRec* bank);                          // slots not holding the default
void bank_getPresetName(bankRec* bank, short slot, char* out);  // out: 35 bytes
void bank_getName(bankRec* bank, char* out);                    // out: 65 bytes
void bank_setPlugNames(bankRec* bank);
// Slot operations on the bank's own presets (nothing is re-derived from an
// instrument). Each gives 1 and marks the bank dirty, or 0 and changes
// nothing for a null bank, a slot outside 0..127 or no memory. A slot that
// holds the default preset counts as empty: copying it empties the
// destination. Preset numbers follow the slots the presets end up in.
int bank_copyPreset(bankRec* dst, short dstSlot, bankRec* src, short srcSlot);  // src may be dst
int bank_swapPresets(bankRec* bank, short a, short b);
// The name is cut to the 34 characters a preset holds; naming an empty slot
// stores a default preset of that name there.
int bank_renamePreset(bankRec* bank, short slot, const char* name);
// Empties the slot: it holds the default preset again.
int bank_initPreset(bankRec* bank, short slot);

// ---- reading bank files ---------------------------------------------------------
// The chunk types, versions and bodies of bank files: bank/bank_format.h.

// The verification hook for bank files: 0 accept, 1 unknown type, 2 version
// too new. Byte order is detected on the first chunk of a file only.
long chunk_verify_mvn(chunkRec* header);
// With 1, the next header checked is taken as the first one of a file (the
// only one that may switch the byte order); 0 clears that.
void chunk_verify_mvnExpectFirst(int expect);

// Results of opening a bank file.
enum { mvnOpen_failed = 0, mvnOpen_done = 1, mvnOpen_alreadyOpen = 2 };
// Reads the file named in the bank's record into the bank. A file read with
// damage (a chunk refused or unreadable, a preset lost, a size running past
// the end, no "tail") is still opened: the bank is marked readDamaged and
// one message says how many presets could be read. Each message is shown at
// most once per open.
long mvnFile_open(bankRec* bank);
long mvnFile_readChunk(fileRec* file, bankRec* bank, presetRec* unused, chunkRec* header, char* scratch);
// mvnOpen_alreadyOpen (nothing done, the bank stays open and unchanged) when
// path names the bank's current file; else reads the file into a new bank
// and, only when that succeeded, the bank takes its presets, path and title.
// A failed open leaves the bank exactly as it was.
long mvnFile_openFromPathName(bankRec* bank, const char* path, const char* title);
long mvnFile_openDialog(bankRec* bank);
// Reads the bank's own file again (Revert to Saved), with the same rule: on
// failure the bank stays as it was.
long mvnFile_revert(bankRec* bank);
// 1 when path names the file the bank was read from or saved to.
int mvnFile_isCurrentFile(bankRec* bank, const char* path);

// ---- the names of a bank file, without its presets ----------------------------------
struct bankNamesRec {
    bool used[kBankSlots];                      // the file holds a preset for the slot
    char names[kBankSlots][kPatchNameLen + 1];  // its name, terminated
};
// Reads only the patch chunks of the file at path, walking the others by
// their sizes, with the reader's rules for where a preset starts, ends and
// goes. 1 when the file is a bank (a damaged one gives the presets closed
// before the damage), 0 when it cannot be opened or is not a bank. Nothing
// is shown, nothing is reported on the silent channel.
long mvnFile_readNames(const char* path, bankNamesRec* out);

// ---- writing bank files -----------------------------------------------------------
// Writes every non-default preset to the bank's own file (Save) or to path
// (Save As; on success the bank takes path and title). The file is written
// to a temporary file in the same folder, synced, and renamed over the old
// one only when all of it was written; the old file is kept beside it as
// "<name>.bak" and the folder is synced after the rename. A path that is a
// symbolic link saves the file it points to. When the folder may not be
// written but the file may, the bank is rendered in memory first and then
// written over the file in place. Any failure shows one message (the
// program's text, and the system's reason on a second line) and leaves the
// old file as it was. Leftover temporary files of ours that no live save
// holds are removed first. 1 or 0; a successful save clears the dirty flag
// and the damage mark.
long mvnFile_save(bankRec* bank);
long mvnFile_saveAs(bankRec* bank, const char* path, const char* title);
// Writes a copy of the bank to path in big-endian (bigEndian 1) or
// little-endian order, through the same temporary-file rename as a save; the
// bank keeps its own file and dirty flag. 1 or 0.
long mvnFile_exportByteOrder(bankRec* bank, const char* path, int bigEndian);
// The chunks of a bank in order, to an open file; 0 and the message number of
// the failed chunk (51780..51792, or 18834 when no buffer could be had) in
// *failCode when a write fails. The Order variant writes the other byte
// order than the machine's when otherByteOrder is 1.
long mvnFile_writeBank(fileRec* file, bankRec* bank, int* failCode);
long mvnFile_writeBankOrder(fileRec* file, bankRec* bank, int otherByteOrder, int* failCode);
