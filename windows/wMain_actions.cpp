// What the Main window's controls do to the current instrument and the
// instances, apart from the controls themselves: program selection and
// stepping, the patch's level, polyphony, pan, transposition, tuning and
// name, the controller sliders and their labels, sustain, the on-screen
// keyboard and the bend wheel.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "windows/windows.h"
#include "windows/wMain.h"

namespace {
// The MIDI status bytes the window sends.
enum { kStatusNoteOn = 144, kStatusBend = 224 };
enum { kKeyVelocity = 75, kSustainCC = 64, kBendCentre = 64 };
// Pixels of wheel travel from the centre to either end of the bend range.
const int kBendTravel = 32;

bool validSlot(int slot) { return slot >= 0 && slot < kBankSlots; }

// The patch name of the instrument, terminated.
void patchName(instRec* inst, char* out)
{
    inst_patch_getName(inst, out);
    out[kPatchNameLen] = 0;
}
}  // namespace

// ---- programs ---------------------------------------------------------------------------------

short wMain_currentPreset() { return gInst ? gInst->patch.preset : -1; }

short wMain_stepTarget(short current, short delta)
{
    int target = current + delta;
    return validSlot(target) ? static_cast<short>(target) : -1;
}

short wMain_pageOffsetOf(short slot)
{
    if (slot < 0) return 0;
    if (slot >= kBankSlots) slot = kBankSlots - 1;
    return static_cast<short>(slot - slot % kMainPageSize);
}

short wMain_matrixCellToSlot(short cell)
{
    if (cell < 0 || cell >= presetMatrixSize) return -1;
    int slot = presetMatrixOffset + cell;
    if (!validSlot(slot) || slot == wMain_currentPreset()) return -1;
    return static_cast<short>(slot);
}

void wMain_presetCellText(bankRec* bank, short slot, char* out, size_t size)
{
    char name[kPatchNameLen + 1];
    std::memset(name, 0, sizeof name);
    bank_getPresetName(bank, slot, name);
    std::snprintf(out, size, "%d %s", slot, name);
}

void wMain_setPreset(short slot)
{
    if (!validSlot(slot) || !gInst) return;
    lastEdits_add();
    bank_selectPreset(gBank, gInst, slot);
    makePresetClean();
    scheduleWindowUpdate();
    copy_setMode(0);
    undo_setMode(0);
    iac_mvn_programChange(static_cast<int>(MorvaneEngine_getCurrentInstance()), slot);
}

// ---- patch values --------------------------------------------------------------------------------

void wMain_presetNameForDisplay(char* out)
{
    patchName(gInst, out);
    if (std::strcmp(out, "default") == 0) {
        std::strcpy(out, "untitled");
        inst_patch_setName(gInst, out);
    }
}

void wMain_renamePreset(const char* text)
{
    char name[kPatchNameLen + 1];
    std::memset(name, 0, sizeof name);
    if (text) std::strncpy(name, text, kPatchNameLen);
    inst_patch_setName(gInst, name);
    updateWindowNames();
}

void wMain_setPoly(double value)
{
    inst_patch_setPoly(gInst, static_cast<short>(value));
    // The output gain is the level shared among the voices: it follows.
    inst_adjustOutAmp(gInst);
    wMeter_resetPeak();
}

void wMain_setDB(double dB)
{
    inst_patch_setAmp(gInst, static_cast<float>(dBToAmp(dB)));
    inst_adjustOutAmp(gInst);
    wMeter_resetPeak();
}

void wMain_setPan(double pan)
{
    inst_patch_setPan(gInst, static_cast<float>(pan));
    wMeter_resetPeak();
}

void wMain_setTranspose(double semitones) { inst_patch_setTrans(gInst, static_cast<float>(semitones)); }

void wMain_selectTuning(short item)
{
    if (!gInst || item < 1 || item > tune_getListSize()) return;
    tune_selectFromPopup(gInst, nullptr, item);
    makeBankDirty();
}

void wMain_tuningItemName(short item, char* out)
{
    std::memset(out, 0, kTuneNameLen);
    tune_getName(tune_menuItemToID(item), out);
}

// ---- controller sliders ------------------------------------------------------------------------------

void wMain_sliderLabel(const storedCCRec* rec, char* out, size_t size)
{
    char name[kStoredCCNameLen + 1];
    std::memcpy(name, rec->name, kStoredCCNameLen);
    name[kStoredCCNameLen] = 0;
    if (rec->cc < 0)
        std::snprintf(out, size, name[0] ? "%s AT" : "AT", name);
    else if (name[0])
        std::snprintf(out, size, "%s %d", name, static_cast<int>(rec->cc));
    else
        std::snprintf(out, size, "cc %d", static_cast<int>(rec->cc));
}

void wMain_stripSliderName(const char* text, char* out)
{
    std::memset(out, 0, kStoredCCNameLen + 1);
    if (!text) return;
    size_t len = strnlen(text, kMainSliderNameChars);
    std::memcpy(out, text, len);
    for (int digits = 0; digits < 4 && len > 1 && std::isdigit(static_cast<unsigned char>(out[len - 1]));
         ++digits)
        out[--len] = 0;
    if (len > 1 && out[len - 1] == ' ') out[--len] = 0;
}

void wMain_renameSlider(short cc, const char* text)
{
    if (!gInst) return;
    char name[kStoredCCNameLen + 1];
    wMain_stripSliderName(text, name);
    storedCC_renameInList(inst_getStoredCC(gInst), cc, name);
    // The plug-in's slider labels carry the name too.
    MorvaneEngine_updateAllSliders(MorvaneEngine_getCurrentInstance());
    scheduleWindowUpdate();
}

int wMain_collectSliderRecs(instRec* inst, storedCCRec** out)
{
    storedCCList* list = inst_getStoredCC(inst);
    int n = 0;
    if (!list) return 0;
    // From below the aftertouch entry (-1), so that it is listed first.
    for (storedCCRec* r = storedCC_getNextCC(list, -2); r && n < kMainSliders;
         r = storedCC_getNextCC(list, r->cc))
        out[n++] = r;
    return n;
}

short wMain_sliderPanelFor(int records)
{
    if (records <= 3) return mainId_sliderPanel1;
    return records <= 6 ? mainId_sliderPanel1 + 1 : mainId_sliderPanel1 + 2;
}

void wMain_playSlider(short cc, double value)
{
    if (!gInst) return;
    short v = static_cast<short>(value * 127.0);
    MorvaneEngine_playCC(gInst, cc, v);
    midi_playCC(gInst, cc, v, 0);
}

void wMain_playSustain(int on)
{
    if (!gInst) return;
    short v = on ? 127 : 0;
    midi_playCC(gInst, kSustainCC, v, 0);
    MorvaneEngine_playCC(gInst, kSustainCC, v);
}

// ---- keyboard and bend wheel -------------------------------------------------------------------------

void wMain_playKey(short note, int on)
{
    if (!gInst || note < 0 || note > 127) return;
    midi_addToBuffer(inst_getMidi(gInst), kStatusNoteOn, note, on ? kKeyVelocity : 0, 0, 0);
}

short wMain_bendFromDistance(int dy)
{
    int value = kBendCentre + dy * kBendCentre / kBendTravel;
    return static_cast<short>(value < 0 ? 0 : (value > 127 ? 127 : value));
}

void wMain_playBend(short value)
{
    if (!gInst) return;
    unsigned char packet[kMidiPacketBytes] = {
        kStatusBend, 0, static_cast<unsigned char>(value < 0 ? 0 : (value > 127 ? 127 : value))};
    midi_processBend(gInst, packet);
}

void wMain_centreBend() { wMain_playBend(kBendCentre); }
