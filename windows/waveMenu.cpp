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
