// The bank file format (".glo") in one place: the chunk types, the version
// rule, the byte-order rule and the body of every chunk. Included by
// bank/bank.h; the writers and readers of the bodies live beside their
// records in dsp/ (the name of each is given below), the container in fileio/.
//
// [container] ----------------------------------------------------------------------
// A file is a row of chunks. Each chunk is a 12-byte header, then its body:
//     int32 type     four characters, the first in the most significant byte
//     int32 size     body bytes, not counting the header
//     int32 version
// A body is a row of slots. A float or int32 fills a 4-byte slot, a double an
// 8-byte one; an int16 takes the first 2 bytes of a 4-byte slot and a flag
// the first byte (written as 1 when set); the rest of a slot is written as
// zeros and ignored on reading. Text fields are copied as they are, not
// necessarily zero-terminated. A body is at most 65534 bytes.
//
// [order] --------------------------------------------------------------------------
//     "Clam"                          header chunk, once, first
//     for each slot holding a stored preset, in slot order:
//       "ptch"                        starts a preset; its preset number is its slot
//       "ocil" x3, "mod " x3, "filt" x4, "wshp", "lfo " x3,
//       "env " (when it has envelopes), "Wave" (user waves), "Ntmp" (note maps),
//       "cc  ", "vel ", "stCC", then "pipe", "mCmb" or "mTap" (its effect, if any)
//       "pEnd"                        ends the preset (empty body)
//     "tail"                          ends the file (empty body)
// The reader takes module chunks in any order while a preset is open and
// skips any it does not know. A preset goes to the slot its "ptch" names
// (0..127, else it is dropped); a later preset for the same slot replaces
// an earlier one. A preset not closed by "pEnd" or "tail" is dropped. Of
// "env ", "Wave", "Ntmp" and of the effect chunks, the first of a preset wins.
//
// [versions] -----------------------------------------------------------------------
// "Clam" is written with version 1 and a file whose "Clam" version is 2 or
// more is refused (made by a newer program). Every other chunk is written
// with kChunkVersion (10, fileio/fileio.h); a module chunk above it is
// skipped as too new. "pEnd" and "tail" are not checked.
//
// [byte order] ---------------------------------------------------------------------
// Headers and bodies are in one byte order for the whole file: the writer's
// own (little-endian here) or, exported, big-endian. The first header tells
// which: read in this machine's order, a big-endian file's first type comes
// out as "malC", the reversed "Clam"; the reader then swaps every header and
// every numeric field of every body after it (int16 over 2 bytes, int32 and
// float over 4, double over 8; flags and text are never swapped).
//
// [bodies] -------------------------------------------------------------------------
// "Clam"  int32 count of presets; int32 0. Not read back.               8 bytes
// "ptch"  patch_readWritePatch: int16 preset; int16 poly; float amp, trans,
//         pan; double retrigRate; float retrigBeat; int16 microtune; 34
//         bytes name                                                    70 bytes
// "ocil"  oscil_readWriteOscilInst, one per channel: float mainIncrement,
//         mainPhase, mainRatio, ampScale, modRatio, modPhase, modIncrement,
//         doubleBalance, fmIndex, ringmodBalance; int32 mode, mainFreqMode,
//         modFreqMode, mainWaveID, modWaveID, index, invertPhase; flag
//         active                                                        72 bytes
// "mod "  mod_readWriteModInst: flag active; int16 index, mode (index first),
//         freqMode; float ratio, increment; int16 waveID; float balance 32 bytes
// "filt"  filter_readWriteFilterInst, index 3 the master filter: flag active,
//         mono; int16 index, mode; float freqIndex, combDelay, combFeedback,
//         bandpassQ, gain, bandwidth, combGain, resonance                48 bytes
// "wshp"  waveshape_readWriteWaveshapeInst: flag mono, active; int16 waveID;
//         float inGain, outGain, phase                                  24 bytes
// "lfo "  lfo_readWriteLfoInst: flag on, polyOn, shOn; for each channel c:
//         flag pitchChan[c], ampChan[c], modChan[c]; flag filterChan[0..3];
//         flag pmUp, amUp, panUp, filterUp, modUp; int16 index, depthCC,
//         rateCC, shRateCC, retriggerOn, retriggerCC; float ccScale1,
//         depthRange, shRateRange, ccScale2, ccScale3, freqScaleRange,
//         amDepth, pmDepth, panDepth, filterDepth, modDepth, effectDepth;
//         int16 waveID; float freq, startPhase, shRate, extra           176 bytes
// "env "  env_readWriteEnvList: int16 count (at most 24 read); per envelope:
//         int16 kind; flag shown, inUse, spare, global; int16 envMode, param,
//         channel, sustainPoint, releasePoint, lastPoint, loopStart; float
//         scale1, offset, scale2, scale3; double reserved; float depth; all
//         68 breakpoints as double time, float level, float slope
//                                                         4 + 1164 per envelope
// "Wave"  wave_readWriteWaveList: int16 count (at most 10 read); per wave:
//         int16 id, type, spareA, spareB; 32 bytes name; int32 spareC; 1024
//         float data                                          4 + 4148 per wave
// "Ntmp"  notemap_readWriteNotemapList: int16 count (at most 10 read); per
//         map: int32 kind, index; 128 float factor               4 + 520 per map
// "cc  "  cc_readWriteCcInst: float bendRange, bendLag; int16 panCC; float
//         panDepth, panLag; int16 volCC; float volScale, volLag; flag
//         filterChanOn[0..3]; int16 filterCC; float filterDepth, filterLag;
//         flag modChanOn[0..2]; int16 modCC; float modLag, modDepth; int16
//         effectCC; float effectLag, effectDepth                        96 bytes
// "vel "  vel_readWriteVelInst: per destination (10): int32 kind, index;
//         float sens; int32 invert                                     160 bytes
// "stCC"  storedCC_readWritestoredCCList: int32 count (0..9); per record:
//         int32 cc, value; 16 bytes name                   4 + 24 per record
// effect  effect_readWritePipe / Multicomb / Multitap, after a common header
//         int16 magic; int32 size; int16 type, formatA, formatB, timeMode:
//   "pipe"  flag active; float wet, dry, pipeSpare1, pipeSpare2, masterTime,
//           feedback, inPos, outPos[0..1], lowpass, ctlLength, ctlOut[0..1];
//           flag ctlInvertLength, ctlOutInvert[0..1]
//   "mCmb"  flag active; float wet, dry; int16 count; float masterTime,
//           masterFeedback, masterLowpass; per comb (6): flag combActive,
//           combCtlInvert; float combTime, combFeedback, combGain,
//           combCtlSens, combPan, combLowpass
//   "mTap"  flag active; float wet, dry; int16 count; flag tapFlagA,
//           tapFlagB; float masterTime, feedback, lowpass, highpass; int32
//           maxBuf; per tap (3): flag tapActive, tapCtlInvert; float
//           tapCtlSens, tapTime, tapGain, tapPan
#pragma once

#include <cstdint>

#include "fileio/fileio.h"

// Chunk types of bank files.
constexpr int32_t kBankChunkClam = chunkType('C', 'l', 'a', 'm');
constexpr int32_t kBankChunkPtch = chunkType('p', 't', 'c', 'h');
constexpr int32_t kBankChunkPEnd = chunkType('p', 'E', 'n', 'd');
constexpr int32_t kBankChunkTail = chunkType('t', 'a', 'i', 'l');
constexpr int32_t kBankChunkOcil = chunkType('o', 'c', 'i', 'l');
constexpr int32_t kBankChunkMod = chunkType('m', 'o', 'd', ' ');
constexpr int32_t kBankChunkFilt = chunkType('f', 'i', 'l', 't');
constexpr int32_t kBankChunkWshp = chunkType('w', 's', 'h', 'p');
constexpr int32_t kBankChunkLfo = chunkType('l', 'f', 'o', ' ');
constexpr int32_t kBankChunkEnv = chunkType('e', 'n', 'v', ' ');
constexpr int32_t kBankChunkWave = chunkType('W', 'a', 'v', 'e');
constexpr int32_t kBankChunkNtmp = chunkType('N', 't', 'm', 'p');
constexpr int32_t kBankChunkCc = chunkType('c', 'c', ' ', ' ');
constexpr int32_t kBankChunkVel = chunkType('v', 'e', 'l', ' ');
constexpr int32_t kBankChunkStCC = chunkType('s', 't', 'C', 'C');
constexpr int32_t kBankChunkPipe = chunkType('p', 'i', 'p', 'e');
constexpr int32_t kBankChunkMcmb = chunkType('m', 'C', 'm', 'b');
constexpr int32_t kBankChunkMtap = chunkType('m', 'T', 'a', 'p');

// The "Clam" version written, and the first one refused.
enum { kClamVersion = 1, kClamVersionLimit = 2 };
