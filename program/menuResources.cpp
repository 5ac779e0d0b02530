// The frame's menu bar "MVNMENU" and accelerator table "MVNACCEL", and the
// items taken out of the menu at start-up.
#include <algorithm>

#include "program/program.h"

#include "windows/windows.h"

namespace {
MenuTemplateItem item(const char* text, UINT id, UINT flags = 0)
{
    MenuTemplateItem m;
    m.text = text;
    m.id = id;
    m.flags = flags;
    return m;
}

MenuTemplateItem separator()
{
    MenuTemplateItem m;
    m.text = "-";
    m.flags = MF_SEPARATOR;
    return m;
}

MenuTemplateItem popup(const char* text, std::vector<MenuTemplateItem> items)
{
    MenuTemplateItem m;
    m.text = text;
    m.popup = std::move(items);
    return m;
}

// The Window menu: the editor windows of the window table but Main, by
// command id ("Patch F6" ... "Midi F12"), then the shell's own items with
// Main's between them.
std::vector<MenuTemplateItem> windowMenu()
{
    std::vector<const windowTableRec*> editors;
    for (int k = 0; k < gWindowTableSize; ++k) {
        const windowTableRec& row = gWindowTable[k];
        if (row.kind == windowKind_editor && row.menuCommand && row.menuName && row.id != winId_main)
            editors.push_back(&row);
    }
    std::stable_sort(editors.begin(), editors.end(), [](const windowTableRec* a, const windowTableRec* b) {
        return a->menuCommand < b->menuCommand;
    });
    std::vector<MenuTemplateItem> items;
    for (const windowTableRec* row : editors)
        items.push_back(item(windowTable_menuText(*row).c_str(), static_cast<UINT>(row->menuCommand)));
    const windowTableRec* mainRow = windowTable_find(winId_main);
    std::vector<MenuTemplateItem> rest = {separator(),
                                          item("Navigator", cmd_windowNavigator),
                                          item("Record \tF3", cmd_windowRecord),
                                          separator(),
                                          item(windowTable_menuText(*mainRow).c_str(), cmd_windowMain),
                                          separator(),
                                          item("Close all edit windows \tF4", cmd_windowCloseAll),
                                          item("One window at a time", cmd_oneWindow),
                                          separator(),
                                          item("Reset Window Positions", cmd_resetWindowPositions)};
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}

// Ctrl + a letter arrives as character 1..26.
WORD ctrl(char letter) { return static_cast<WORD>(letter - 'A' + 1); }
}  // namespace

int program_registerResources()
{
    std::vector<MenuTemplateItem> bar = {
        popup("&File",
              {item("&New \tCtrl+N", cmd_new), separator(), item("&Open...\tCtrl+O", cmd_open),
               item("Close  \tCtrl+W", cmd_close), item("&Save \tCtrl+S", cmd_save),
               item("Save As...", cmd_saveAs), item("Revert to Saved", cmd_revert), separator(),
               item("Import Preset...", cmd_importPreset), item("Export Names to Clipboard", cmd_exportNames),
               separator(), item("&Quit \tCtrl+Q", cmd_quit), separator()}),
        popup("&Edit", {item("&Undo \tCtrl+Z", cmd_undo), separator(), item("Cu&t \tCtrl+X", cmd_cut),
                        item("&Copy \tCtrl+C", cmd_copy), item("&Paste \tCtrl+V", cmd_paste), separator(),
                        item("Balance channels", cmd_balanceChannels), separator(),
                        item("Find Preset...\tCtrl+F", cmd_findPreset),
                        item("Compare with Stored\tCtrl+K", cmd_compareStored)}),
        popup("Setup",
              {popup("Audio Port", {item("No Audio", cmd_audioNone), item("Soundcard", cmd_audioSoundcard),
                                    item("ASIO", cmd_audioAsio)}),
               item("Audio Setup", cmd_audioSetup), separator(),
               item("Enable Pgm change", cmd_enablePgmChg, MF_CHECKED),
               item("Auto-balance channels", cmd_autoBalance, MF_CHECKED)}),
        popup("Window", windowMenu()),
        popup("Help", {item("About Morvane...", cmd_about)}),
    };
    const BYTE key = FVIRTKEY | FNOINVERT;
    std::vector<ACCEL> accel = {
        {0, ctrl('N'), cmd_new},          {0, ctrl('O'), cmd_open},          {0, ctrl('W'), cmd_close},
        {0, ctrl('S'), cmd_save},         {0, ctrl('Q'), cmd_quit},          {0, ctrl('Z'), cmd_undo},
        {0, ctrl('X'), cmd_cut},          {0, ctrl('C'), cmd_copy},          {0, ctrl('V'), cmd_paste},
        {0, ctrl('F'), cmd_findPreset},   {0, ctrl('K'), cmd_compareStored}, {key, VK_F3, cmd_windowRecord},
        {key, VK_F4, cmd_windowCloseAll},
    };
    // Each editor window's key shows it (F5 Main, F6 Patch, ... from the window table).
    for (int k = 0; k < gWindowTableSize; ++k) {
        const windowTableRec& row = gWindowTable[k];
        if (row.accelKey && row.menuCommand)
            accel.push_back({key, static_cast<WORD>(row.accelKey), static_cast<WORD>(row.menuCommand)});
    }
    int ok = platform_registerMenuTemplate("MVNMENU", bar);
    ok &= platform_registerAccelerators("MVNACCEL", accel);
    return ok ? 1 : 0;
}

void program_trimMenus()
{
    // "Audio Setup" goes by position; the removal by command that follows
    // finds nothing left; "Record" leaves the Window menu (F3 stays).
    DeleteMenu(g_hMenu_setup, 1, MF_BYPOSITION);
    DeleteMenu(g_hMenu_setup, cmd_audioSetup, MF_BYCOMMAND);
    DeleteMenu(g_hMenu_window, cmd_windowRecord, MF_BYCOMMAND);
}
