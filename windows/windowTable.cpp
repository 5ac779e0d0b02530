// The window table: one row per toolkit window, and the lookups over it.
//
// Where an editor window is declared:
//   1. engine/ids.h: the names of its toolkit id (winId_*), of its
//      placement record (winPos_*, whose default place is the record's
//      line in engine/winPos.cpp; the preferences file keeps it) and of its
//      Window-menu command (cmd_*).
//   2. This table: its row (class, title, placement, menu command, key and
//      item text, the plug-in's editor number, the order start-up places it
//      in, procedure, build, show and update functions, list size, creation
//      rectangle, least content size). Creation, the Window menu and its
//      check marks, the accelerators, the update protocol, the title bars,
//      one window at a time, hiding at quit, the plug-ins' editor requests
//      and the placement all read the row.
//   3. Its own files, windows/wXxx*.cpp, with its own header for what the
//      row and the other windows call, included here; the door,
//      windows/windows.h, includes it only when other folders reach it.
// A button that opens it from the Main window or the navigators is part
// of those windows' artwork and is added there when wanted.
#include <string>

#include "resources/resources.h"
#include "windows/editorWindow.h"

// clang-format off
// Each row: id, kind, class, title, placement, menu command, key, menu name,
//           plug-in editor number, place order; procedure, build, show, schedule, need, update;
//           click objects, x, y, width, height[, minimum content size].
const windowTableRec gWindowTable[] = {
    {winId_main, windowKind_editor, "wMain_Wnd", nullptr, winPos_main, cmd_windowMain, VK_F5, "Main", 1, 7,
     wMain_WndProc, wMain_build, wMain_show, wMain_updateSchedule, wMain_needUpdate, wMain_update,
     72, 0, 0, 660, 420},
    {winId_patch, windowKind_editor, "wPatch_Wnd", "Patch", winPos_patch, cmd_windowPatch, VK_F6, "Patch", 2, 6,
     wPatch_WndProc, wPatch_build, wPatch_show, wPatch_updateSchedule, wPatch_needUpdate, wPatch_update,
     kPatchObjects, 89, 104, 560, 500},
    {winId_lfo, windowKind_editor, "wLfo_Wnd", "LFO", winPos_lfo, cmd_windowLfo, VK_F11, "LFO", 5, 3,
     wLfo_WndProc, wLfo_build, wLfo_show, wLfo_updateSchedule, wLfo_needUpdate, wLfo_update,
     kLfoObjects, 146, 201, 615, 466},
    {winId_effect, windowKind_editor, "wEffect_Wnd", "Effect", winPos_effect, cmd_windowEffect, VK_F8, "Effect", 7, 2,
     wEffect_WndProc, wEffect_build, wEffect_show, wEffect_updateSchedule, wEffect_needUpdate, wEffect_update,
     kEffectObjects, 254, 138, 500, 320},
    {winId_midi, windowKind_editor, "wMidi_Wnd", "Midi Control", winPos_midi, cmd_windowMidi, VK_F12, "Midi", 6, 1,
     wMidi_WndProc, wMidi_build, wMidi_show, wMidi_updateSchedule, wMidi_needUpdate, wMidi_update,
     kMidiObjects, 128, 226, 433, 179},
    {winId_waveform, windowKind_editor, "wWave_Wnd", "Waveform", winPos_waveform, cmd_windowWaveform, VK_F7, "Waveform", 3, 5,
     wWave_WndProc, wWave_build, wWave_show, wWave_updateSchedule, wWave_needUpdate, wWave_update,
     kWaveObjects, 179, 115, 533, 364},
    {winId_envelope, windowKind_editor, "wEnv_Wnd", "Envelope", winPos_envelope, cmd_windowEnvelope, VK_F9, "Envelope", 4, 4,
     wEnv_WndProc, wEnv_build, wEnv_show, wEnv_updateSchedule, wEnv_needUpdate, wEnv_update,
     kEnvObjects, 118, 100, 820, 552, wEnv_minimumContentSize},
    {winId_waveTransform, windowKind_dialog, "wWtrans_Wnd", "Transform waveform", 0, 0, 0, nullptr, 0, 0,
     wWtrans_WndProc, wWtrans_build, nullptr, nullptr, nullptr, nullptr,
     kWtransObjects, 200, 200, 250, 280},
    {winId_envTransform, windowKind_dialog, "wEnvTrans_Wnd", "Transform waveform", 0, 0, 0, nullptr, 0, 0,
     wEnvTrans_WndProc, wEnvTrans_build, nullptr, nullptr, nullptr, nullptr,
     kEnvTransObjects, 200, 200, kResEnvTransWidth, kResEnvTransHeight},
    // The shell's tool windows, made by their own files (navigator.cpp,
    // meter.cpp, splash.cpp) at their artwork's size.
    {winId_navigatorV, windowKind_tool, "wNavV_Wnd", "", winPos_navigatorV, 0, 0, nullptr, 0, 0,
     wNav_WndProc, nullptr, nullptr, nullptr, nullptr, nullptr,
     12, 0, 64, 0, 0},
    {winId_navigatorH, windowKind_tool, "wNavH_Wnd", "", winPos_navigatorH, 0, 0, nullptr, 0, 0,
     wNav_WndProc, nullptr, nullptr, nullptr, nullptr, nullptr,
     12, -4, 600, 0, 0},
    {winId_meter, windowKind_tool, "wMeter_Wnd", "", winPos_meter, 0, 0, nullptr, 0, 0,
     wMeter_WndProc, nullptr, nullptr, nullptr, nullptr, nullptr,
     6, 750, 52, 0, 0},
    {winId_splash, windowKind_tool, "wSplash", "", 0, 0, 0, nullptr, 0, 0,
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

int windowTable_editorAt(int index)
{
    for (const windowTableRec& row : gWindowTable)
        if (row.kind == windowKind_editor && row.placeOrder == index + 1) return row.id;
    return 0;
}

int windowTable_keepsSize(int windowId)
{
    const windowTableRec* row = windowTable_find(static_cast<short>(windowId));
    return row && row->minimumContentSize ? 1 : 0;
}

int windowTable_windowOfPlugInEditor(int number)
{
    if (number <= 0) return 0;
    for (const windowTableRec& row : gWindowTable)
        if (row.plugInEditor == number) return row.id;
    return 0;
}

std::string windowTable_menuText(const windowTableRec& row)
{
    if (!row.menuName) return std::string();
    std::string text = std::string(row.menuName) + " \t";
    if (row.accelKey >= VK_F1 && row.accelKey <= VK_F12)
        text += "F" + std::to_string(row.accelKey - VK_F1 + 1);
    return text;
}

void windows_makeEditorWindows()
{
    for (const windowTableRec& row : gWindowTable)
        if (row.kind == windowKind_editor || row.kind == windowKind_dialog) editorWindow_make(&row);
}
