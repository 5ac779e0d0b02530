// The window table: one row per toolkit window, and the lookups over it.
//
// Where an editor window is declared:
//   1. engine/ids.h: its toolkit id (winId_*), placement record (winPos_*,
//      with its default in engine/winPos.cpp) and Window-menu command
//      (cmd_window*). The seven editor windows have theirs already.
//   2. This table: its row (class, title, placement, menu command and
//      accelerator, procedure, build, show and update functions, list size,
//      creation rectangle). Creation, the Window menu's dispatch and check
//      marks, the accelerators, the update protocol, the title bars and the
//      placement all read the row.
//   3. Its own files, windows/wXxx*.cpp, with its own header for what the
//      row and the other windows call (the door, windows/windows.h, declares
//      only what other folders reach).
// Orders that the program fixes for all editor windows at once (hiding in
// one-window mode and at quit, applying and saving placements, the
// plug-in's editor numbers, the navigator's buttons) list them by id where
// they are used.
#include "resources/resources.h"
#include "windows/editorWindow.h"

// clang-format off
// Each row: id, kind, class, title, placement, menu command, key;
//           procedure, build, show, schedule, need, update;
//           click objects, x, y, width, height[, minimum content size].
const windowTableRec gWindowTable[] = {
    {winId_main, windowKind_editor, "wMain_Wnd", nullptr, winPos_main, cmd_windowMain, VK_F5,
     wMain_WndProc, wMain_build, wMain_show, wMain_updateSchedule, wMain_needUpdate, wMain_update,
     72, 0, 0, 660, 420},
    {winId_patch, windowKind_editor, "wPatch_Wnd", "Patch", winPos_patch, cmd_windowPatch, VK_F6,
     wPatch_WndProc, wPatch_build, wPatch_show, wPatch_updateSchedule, wPatch_needUpdate, wPatch_update,
     kPatchObjects, 89, 104, 560, 500},
    {winId_lfo, windowKind_editor, "wLfo_Wnd", "LFO", winPos_lfo, cmd_windowLfo, VK_F11,
     wLfo_WndProc, wLfo_build, wLfo_show, wLfo_updateSchedule, wLfo_needUpdate, wLfo_update,
     kLfoObjects, 146, 201, 615, 466},
    {winId_effect, windowKind_editor, "wEffect_Wnd", "Effect", winPos_effect, cmd_windowEffect, VK_F8,
     wEffect_WndProc, wEffect_build, wEffect_show, wEffect_updateSchedule, wEffect_needUpdate, wEffect_update,
     kEffectObjects, 254, 138, 500, 320},
    {winId_midi, windowKind_editor, "wMidi_Wnd", "Midi Control", winPos_midi, cmd_windowMidi, VK_F12,
     wMidi_WndProc, wMidi_build, wMidi_show, wMidi_updateSchedule, wMidi_needUpdate, wMidi_update,
     kMidiObjects, 128, 226, 433, 179},
    {winId_waveform, windowKind_editor, "wWave_Wnd", "Waveform", winPos_waveform, cmd_windowWaveform, VK_F7,
     wWave_WndProc, wWave_build, wWave_show, wWave_updateSchedule, wWave_needUpdate, wWave_update,
     kWaveObjects, 179, 115, 533, 364},
    {winId_envelope, windowKind_editor, "wEnv_Wnd", "Envelope", winPos_envelope, cmd_windowEnvelope, VK_F9,
     wEnv_WndProc, wEnv_build, wEnv_show, wEnv_updateSchedule, wEnv_needUpdate, wEnv_update,
     kEnvObjects, 118, 100, 820, 552, wEnv_minimumContentSize},
    {winId_waveTransform, windowKind_dialog, "wWtrans_Wnd", "Transform waveform", 0, 0, 0,
     wWtrans_WndProc, wWtrans_build, nullptr, nullptr, nullptr, nullptr,
     kWtransObjects, 200, 200, 250, 280},
    {winId_envTransform, windowKind_dialog, "wEnvTrans_Wnd", "Transform waveform", 0, 0, 0,
     wEnvTrans_WndProc, wEnvTrans_build, nullptr, nullptr, nullptr, nullptr,
     kEnvTransObjects, 200, 200, kResEnvTransWidth, kResEnvTransHeight},
    // The shell's tool windows, made by their own files (navigator.cpp,
    // meter.cpp, splash.cpp) at their artwork's size.
    {winId_navigatorV, windowKind_tool, "wNavV_Wnd", "", winPos_navigatorV, 0, 0,
     wNav_WndProc, nullptr, nullptr, nullptr, nullptr, nullptr,
     12, 0, 64, 0, 0},
    {winId_navigatorH, windowKind_tool, "wNavH_Wnd", "", winPos_navigatorH, 0, 0,
     wNav_WndProc, nullptr, nullptr, nullptr, nullptr, nullptr,
     12, -4, 600, 0, 0},
    {winId_meter, windowKind_tool, "wMeter_Wnd", "", winPos_meter, 0, 0,
     wMeter_WndProc, nullptr, nullptr, nullptr, nullptr, nullptr,
     6, 750, 52, 0, 0},
    {winId_splash, windowKind_tool, "wSplash", "", 0, 0, 0,
     wSplash_WndProc, nullptr, nullptr, nullptr, nullptr, nullptr,
     8, 188, 69, 436, 379},
};
// clang-format on
const int gWindowTableSize = static_cast<int>(sizeof gWindowTable / sizeof gWindowTable[0]);

const windowTableRec* windowTable_find(short windowId)
{
    for (const windowTableRec& row : gWindowTable)
        if (row.id == windowId) return &row;
    return nullptr;
}

const windowTableRec* windowTable_findCommand(int command)
{
    if (command == 0) return nullptr;
    for (const windowTableRec& row : gWindowTable)
        if (row.menuCommand == command) return &row;
    return nullptr;
}

int windowTable_positionIdOf(int windowId)
{
    const windowTableRec* row = windowTable_find(static_cast<short>(windowId));
    return row ? row->positionId : 0;
}

void windows_makeEditorWindows()
{
    for (const windowTableRec& row : gWindowTable)
        if (row.kind == windowKind_editor || row.kind == windowKind_dialog) editorWindow_make(&row);
}
