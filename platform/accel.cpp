// Keyboard accelerators: virtual-key entries (F-keys, with Ctrl/Shift/Alt)
// match key-down messages, character entries (Ctrl+letter is character 1..26)
// match character messages. A match sends WM_COMMAND with 1 in the high word,
// unless the command's menu item is greyed.
#include "platform/internal.h"

using namespace plat;

HACCEL CreateAcceleratorTableA(const ACCEL* entries, int count)
{
    if (!st().running || !entries || count <= 0) return nullptr;
    HACCEL h = toHandle<HACCEL>(newHandleId());
    st().accels[fromHandle(h)] = std::vector<ACCEL>(entries, entries + count);
    return h;
}

BOOL DestroyAcceleratorTable(HACCEL accel) { return st().accels.erase(fromHandle(accel)) ? TRUE : FALSE; }

HACCEL LoadAcceleratorsA(HINSTANCE, LPCSTR name)
{
    auto it = st().resAccels.find(resourceKey(name));
    if (it == st().resAccels.end() || it->second.empty()) return nullptr;
    return CreateAcceleratorTableA(it->second.data(), (int)it->second.size());
}

int TranslateAcceleratorA(HWND hwnd, HACCEL accel, LPMSG msg)
{
    State& s = st();
    auto it = s.accels.find(fromHandle(accel));
    if (it == s.accels.end() || !msg || !win(hwnd)) return 0;
    bool keyMsg = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    bool charMsg = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
    if (!keyMsg && !charMsg) return 0;
    bool ctrl = s.keyDown[VK_CONTROL], shift = s.keyDown[VK_SHIFT], alt = s.keyDown[VK_MENU];
    for (const ACCEL& a : it->second) {
        bool match;
        if (a.fVirt & FVIRTKEY) {
            match = keyMsg && a.key == msg->wParam && ((a.fVirt & FCONTROL) != 0) == ctrl &&
                    ((a.fVirt & FSHIFT) != 0) == shift && ((a.fVirt & FALT) != 0) == alt;
        } else {
            match = charMsg && a.key == msg->wParam && ((a.fVirt & FALT) != 0) == alt;
        }
        if (!match) continue;
        HMENU menu = GetMenu(hwnd);
        if (menu && menuCommandGrayed(menu, a.cmd)) return 1;
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}
