// What the two transform windows (the dialog rows of the window table)
// answer alike: they paint through the toolkit, their close box does
// nothing (they are left only through OK or Cancel), Return shows the OK
// button pressed for 160 ms and then acts as OK, and F10 is swallowed.
#include "windows/editorWindow.h"

int dialogWindow_commonMessage(short id, short okButton, clickProcPtr ok, HWND hwnd, UINT msg, WPARAM wParam)
{
    switch (msg) {
    case WM_PAINT: ValidateRect(hwnd, nullptr); return 1;
    case WM_CLOSE: return 1;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN && window_getVisible(id)) {
            short saved = window_getCurrent();
            window_setCurrent(id);
            button_select(okButton, 1);
            platform_composeAndPresent(0);
            Sleep(160);
            button_select(okButton, 0);
            if (ok) ok(okButton);
            window_setCurrent(saved);
            return 1;
        }
        return isF10KeyDown(msg, wParam);
    case WM_SYSKEYDOWN: return isF10KeyDown(msg, wParam);
    default: return 0;
    }
}
