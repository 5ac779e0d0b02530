// MorvaneIAC, the plug-in side: what a plug-in instance (or the host
// simulator) calls to take part in the link. The exported data and the
// segment choice of iac/MorvaneIAC.h are shared by both sides.
//
// A plug-in instance signs in for an instance number, goes online, publishes
// its current program, and on its own schedule takes the requests the editor
// left for it (repatch, effect buffers, program chosen in the editor) and
// answers the fade hand-shake in its instance record. Every call checks its
// instance number and answers 0 / -1 for one outside 0..7.
#pragma once

#include <cstddef>
#include <cstdint>

#include "iac/MorvaneIAC.h"

// Header words of an instance record that the link touches on the plug-in's
// behalf (the record itself is declared by the instrument model).
#define IAC_INST_PROGRAM_WORD 0x0E  // short: pending program change, -1 none
#define IAC_INST_FADE_WORD    0x1C  // short: 1 fade-out asked, 2 fade-in asked, 0 idle
#define IAC_INST_FADE_GAIN_A  0x20  // float
#define IAC_INST_FADE_GAIN_B  0x24  // float
#define IAC_INST_NUMBER_WORD  0x36  // short: the instance number

// Claims an instance: `wanted` 0..7, or -1 for the first free one. Writes
// plugVersion to iac_plugVersion and the number into the record. Returns the
// instance number, or -1 (all taken, number taken, or segment refused).
int iac_plug_signIn(int wanted, int32_t plugVersion);
// Goes offline and frees the instance (only the process that signed it in).
void iac_plug_signOut(int instance);
// Sets iac_plugIsOnline and the change notice; going online also asks for the
// published current program so that the editor loads it. 1 or 0.
int iac_plug_goOnline(int instance);
int iac_plug_goOffline(int instance);
// Publishes the instance's current program (-1..127). 1 or 0.
int iac_plug_publishProgram(int instance, int program);
// Asks the editor to load a program (0..127) into the instance. 1 or 0.
int iac_plug_askProgram(int instance, int program);
// Asks the editor to open window `which` (1..7) for the instance. 1 or 0.
int iac_plug_askEditorWindow(int instance, int which);
// Asks the editor to open a bank. 1, or 0 for a missing or over-long path.
int iac_plug_askBank(const char* path, const char* name);

// Answers a pending fade hand-shake: the fade gains take their end values and
// the word returns to 0. Returns 1 (fade-out answered), 2 (fade-in) or 0.
int iac_plug_answerFade(int instance);
// Takes the repatch requests: their number (0 none) and, in *flag when not
// null, the flags of all of them or-ed together.
int iac_plug_takeRepatch(int instance, int32_t* flag);
// Takes the effect-buffer requests: their number (0 none).
int iac_plug_takeEffectBufRequest(int instance);
// Takes the program the user chose in the editor, -1 for none.
int iac_plug_takeEditorProgram(int instance);

// 1 while an editor is signed in.
int iac_plug_isEditorOnline(void);
// Grows by one each time the editor completes a set of published names.
uint32_t iac_plug_namesGeneration(void);
// Copies a published preset name (always terminated). 1, or 0 for a bad slot.
int iac_plug_getPresetName(int slot, char* out, size_t outBytes);
// Copies the published bank name (always terminated). 1 or 0.
int iac_plug_getBankName(char* out, size_t outBytes);
// Copies recent bank k (0..9) with terminated strings. 1 when the entry holds
// a bank, 0 for an empty entry or a bad k.
int iac_plug_getRecentBank(int k, iac_bankInfo* out);
