// The program's ids, each list in one place: the toolkit window ids, the
// placement records of the preferences file, and the command ids of the
// menus, the accelerators, the dispatch and the messages the shell sends to
// the windows. Included by engine/engine.h; every layer above the engine
// uses these names, never the bare numbers.
#pragma once

// ---- toolkit window ids ---------------------------------------------------------
// What each window is (class, title, placement, menu command, procedure)
// is one row of the window table in windows/windowTable.cpp. The frame is
// not a toolkit window; it is 0 where the shell's hooks take a window id.
enum {
    winId_frame = 0,
    winId_main = 1,
    winId_patch = 2,
    winId_lfo = 3,
    winId_waveform = 4,
    winId_effect = 5,
    winId_midi = 6,
    winId_envelope = 7,
    winId_navigatorV = 9,
    winId_navigatorH = 10,
    winId_meter = 11,
    winId_record = 12,  // has a command (F3) but no window
    winId_waveTransform = 13,
    winId_envTransform = 14,
    winId_splash = 15,
    winId_last = 32  // toolkit window ids run 1..winId_last
};

// ---- placement records ------------------------------------------------------------
// The position ids under which the preferences file keeps a window's place
// (winPosRec); the window table gives each window its record.
enum {
    winPos_frame = 127,
    winPos_main = 128,
    winPos_patch = 129,
    winPos_envelope = 130,
    winPos_waveform = 131,
    winPos_midi = 132,
    winPos_effect = 133,
    winPos_lfo = 134,
    winPos_navigatorV = 135,
    winPos_navigatorH = 136,
    winPos_meter = 137
};

// ---- command ids --------------------------------------------------------------------
// Menu items and accelerators send these to the frame (menu_process);
// the kCmd* ids are WM_COMMAND messages the shell sends to a window.
enum {
    // File
    cmd_new = 1000,
    cmd_open = 1001,
    cmd_revert = 1002,  // "Revert to Saved"
    cmd_close = 1003,
    cmd_save = 1004,
    cmd_saveAs = 1005,
    cmd_notYet = 1006,  // no item; answers "I don't work yet"
    cmd_importPreset = 1007,
    cmd_exportNames = 1008,
    cmd_quit = 1009,
    cmd_firstRecentBank = 1120,
    cmd_lastRecentBank = 1129,
    // Edit
    cmd_undo = 2000,
    cmd_cut = 2001,
    cmd_copy = 2002,
    cmd_paste = 2003,
    cmd_balanceChannels = 2006,
    cmd_findPreset = 2010,     // "Find Preset..." (Ctrl+F)
    cmd_compareStored = 2011,  // "Compare with Stored" (Ctrl+K)
    // Setup
    cmd_audioSetup = 3001,
    cmd_enablePgmChg = 3002,
    cmd_autoBalance = 3004,
    cmd_audioNone = 6000,
    cmd_audioSoundcard = 6001,
    cmd_audioAsio = 6002,
    // Help
    cmd_about = 6100,
    // Window
    cmd_windowPatch = 7000,
    cmd_windowWaveform = 7001,
    cmd_windowEffect = 7002,
    cmd_windowEnvelope = 7003,
    cmd_windowLfo = 7004,
    cmd_windowMidi = 7005,
    cmd_windowNavigator = 7006,
    cmd_windowRecord = 7007,
    cmd_windowMain = 7009,
    cmd_windowCloseAll = 7010,
    cmd_oneWindow = 7011,
    cmd_resetWindowPositions = 7012,
    // Sent to a window (no control behind them)
    kCmdUpdateWindow = 8695,
    kCmdUpdateKbd = 8696,
    kCmdUpdateSliders = 8697,
    kCmdEnvUpdateParambox = 8698,
    kCmdAnimatePipe = 8699,
    // The preset matrix's pop-up menu (answered in place, never sent to the frame)
    cmd_slotCopy = 8100,
    cmd_slotPaste = 8101,
    cmd_slotSwapWithCurrent = 8102,
    cmd_slotRename = 8103,
    cmd_slotInitialize = 8104
};
