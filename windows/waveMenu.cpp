// The wave choice menus: toolkit menu 16 "factory" lists the built-in
// waves, menu 17 "preset" the instrument's user waves after "new...", and
// the tables that turn a chosen item back into a wave identifier.
#include <cstring>
#include <new>

#include "windows/windows.h"

short* waveMenu_menuToWave = nullptr;
short* waveMenu_waveToMenu = nullptr;
short waveMenu_items = 0;

namespace {
const short kUserWaveList = 0x7F00;
const short kFirstUserItem = 3;  // "new...", a separator, then the waves

short* newTable()
{
    short* table = new (std::nothrow) short[kWaveMenuTable];
    if (table) std::memset(table, 0, sizeof(short) * kWaveMenuTable);
    return table;
}
}  // namespace

void waveMenu_init()
{
    waveMenu_cleanup();
    waveMenu_menuToWave = newTable();
    waveMenu_waveToMenu = newTable();
    menu_new(kWaveMenuFactory, 1, "factory");
    menu_new(kWaveMenuPreset, 1, "preset");
    waveMenu_buildFactoryMenu();
}

void waveMenu_cleanup()
{
    delete[] waveMenu_menuToWave;
    delete[] waveMenu_waveToMenu;
    waveMenu_menuToWave = nullptr;
    waveMenu_waveToMenu = nullptr;
    waveMenu_items = 0;
}

void waveMenu_buildFactoryMenu()
{
    if (!waveMenu_menuToWave || !waveMenu_waveToMenu) return;
    menu_clear(kWaveMenuFactory);
    short item = 0;
    for (short id = 0; id < kBuiltinWaves; ++id) {
        if (wave_getType(gInst, id) != 1) continue;
        char name[kWaveNameLen];
        wave_getName(gInst, id, name);
        ++item;
        menu_addItem(kWaveMenuFactory, item, 1, name);
        waveMenu_menuToWave[item] = id;
        waveMenu_waveToMenu[id] = item;
    }
    waveMenu_items = item;
}

void waveMenu_buildPresetMenu(instRec* inst)
{
    menu_clear(kWaveMenuPreset);
    menu_addItem(kWaveMenuPreset, 1, 1, "new...");
    menu_addItem(kWaveMenuPreset, 2, 1, "-");
    short used = 0;
    for (short slot = 0; slot < kPresetWaves; ++slot) {
        short id = static_cast<short>(kUserWaveList + slot);
        if (!inst || wave_getType(inst, id) == 0) continue;
        char name[kWaveNameLen];
        wave_getName(inst, id, name);
        menu_addItem(kWaveMenuPreset, static_cast<short>(slot + kFirstUserItem), 1, name);
        ++used;
    }
    menu_enableItem(kWaveMenuPreset, kWaveMenuPreset * 256 + 1, used < kPresetWaves);
}

void waveMenu_buildPopup(short popupId)
{
    popup_clear(popupId);
    popup_addItem(popupId, 1, 1, "sine", 0);
    popup_addItem(popupId, 2, 1, "preset", 0);
    popup_addItem(popupId, 3, 1, "factory", 0);
    popup_attachSubMenu(popupId, 2, kWaveMenuPreset);
    popup_attachSubMenu(popupId, 3, kWaveMenuFactory);
}

short waveMenu_menuItemToWaveID(short item, short menuId)
{
    if (menuId == kWaveMenuFactory) {
        if (!waveMenu_menuToWave || item < 0 || item >= kWaveMenuTable) return 0;
        return waveMenu_menuToWave[item];
    }
    if (menuId == kWaveMenuPreset) {
        // Outside the eight user slots ("new...", the separator) the sine stands in.
        if (item < kFirstUserItem || item >= kFirstUserItem + kPresetWaves) return 0;
        return static_cast<short>(kUserWaveList + item - kFirstUserItem);
    }
    return 0;
}

void waveMenu_checkWave(short popupId, short waveID)
{
    HMENU factory = menu_getHMenu(kWaveMenuFactory), preset = menu_getHMenu(kWaveMenuPreset);
    for (short item = 1; item < kWaveMenuTable; ++item)
        CheckMenuItem(factory, static_cast<UINT>(kWaveMenuFactory * 256 + item), MF_BYCOMMAND | MF_UNCHECKED);
    for (short item = 1; item < kFirstUserItem + kPresetWaves; ++item)
        CheckMenuItem(preset, static_cast<UINT>(kWaveMenuPreset * 256 + item), MF_BYCOMMAND | MF_UNCHECKED);
    short marked = 0;  // the pop-up's own item that leads to the wave
    if ((waveID & 0xFF00) == kUserWaveList) {
        short slot = static_cast<short>(waveID & 0xFF);
        if (slot < kPresetWaves) {
            CheckMenuItem(preset, static_cast<UINT>(kWaveMenuPreset * 256 + slot + kFirstUserItem),
                          MF_BYCOMMAND | MF_CHECKED);
            marked = 2;
        }
    } else if (waveID >= 0 && waveID < kWaveMenuTable && waveMenu_waveToMenu &&
               waveMenu_waveToMenu[waveID] > 0) {
        CheckMenuItem(factory, static_cast<UINT>(kWaveMenuFactory * 256 + waveMenu_waveToMenu[waveID]),
                      MF_BYCOMMAND | MF_CHECKED);
        marked = 3;
    }
    popupRec* p = popup_get(popupId);
    if (!p) return;
    // Item 1 names the wave in use; the sub-menu that holds it is marked too.
    for (UINT pos = 0; pos < 3 && pos < static_cast<UINT>(GetMenuItemCount(p->menu)); ++pos) {
        UINT on = pos == 0 || static_cast<short>(pos + 1) == marked ? MF_CHECKED : MF_UNCHECKED;
        CheckMenuItem(p->menu, pos, MF_BYPOSITION | on);
    }
}
