// The frame's menu bar "MVNMENU" and accelerator table "MVNACCEL", and the
// items taken out of the menu at start-up.
#include "engine/program.h"

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

// Ctrl + a letter arrives as character 1..26.
WORD ctrl(char letter) { return static_cast<WORD>(letter - 'A' + 1); }
}  // namespace

int program_registerResources()
{
    std::vector<MenuTemplateItem> bar = {
        popup("&File", {item("&New \tCtrl+N", 1000), separator(), item("&Open...\tCtrl+O", 1001),
                        item("Close  \tCtrl+W", 1003), item("&Save \tCtrl+S", 1004), item("Save As...", 1005),
                        separator(), item("Import Preset...", 1007), item("Export Names to Clipboard", 1008),
                        separator(), item("&Quit \tCtrl+Q", 1009), separator()}),
        popup("&Edit", {item("&Undo \tCtrl+Z", 2000), separator(), item("Cu&t \tCtrl+X", 2001),
                        item("&Copy \tCtrl+C", 2002), item("&Paste \tCtrl+V", 2003), separator(),
                        item("Balance channels", 2006)}),
        popup("Setup",
              {popup("Audio Port", {item("No Audio", 6000), item("Soundcard", 6001), item("ASIO", 6002)}),
               item("Audio Setup", 3001), separator(), item("Enable Pgm change", 3002, MF_CHECKED),
               item("Auto-balance channels", 3004, MF_CHECKED)}),
        popup("Window",
              {item("Patch \tF6", 7000), item("Waveform \tF7", 7001), item("Effect \tF8", 7002),
               item("Envelope \tF9", 7003), item("LFO \tF11", 7004), item("Midi \tF12", 7005), separator(),
               item("Navigator", 7006), item("Record \tF3", 7007), separator(), item("Main \tF5", 7009),
               separator(), item("Close all edit windows \tF4", 7010), item("One window at a time", 7011)}),
        popup("Help", {item("About Morvane...", 6100)}),
    };
    const BYTE key = FVIRTKEY | FNOINVERT;
    std::vector<ACCEL> accel = {
        {0, ctrl('N'), 1000}, {0, ctrl('O'), 1001}, {0, ctrl('W'), 1003}, {0, ctrl('S'), 1004},
        {0, ctrl('Q'), 1009}, {0, ctrl('Z'), 2000}, {0, ctrl('X'), 2001}, {0, ctrl('C'), 2002},
        {0, ctrl('V'), 2003}, {key, VK_F3, 7007},   {key, VK_F4, 7010},   {key, VK_F5, 7009},
        {key, VK_F6, 7000},   {key, VK_F7, 7001},   {key, VK_F8, 7002},   {key, VK_F9, 7003},
        {key, VK_F11, 7004},  {key, VK_F12, 7005},
    };
    int ok = platform_registerMenuTemplate("MVNMENU", bar);
    ok &= platform_registerAccelerators("MVNACCEL", accel);
    return ok ? 1 : 0;
}

void program_trimMenus()
{
    // "Audio Setup" goes by position; the removal by command that follows
    // finds nothing left; "Record" leaves the Window menu (F3 stays).
    DeleteMenu(g_hMenu_setup, 1, MF_BYPOSITION);
    DeleteMenu(g_hMenu_setup, 3001, MF_BYCOMMAND);
    DeleteMenu(g_hMenu_window, 7007, MF_BYCOMMAND);
}
