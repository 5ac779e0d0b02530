// The modal loop: a prompt (a dialog) runs its own message loop until it is
// ended, while the windows it disabled wait; a click on one of them brings
// the prompt forward instead.
#include "platform/internal.h"

namespace plat {

void bringModalForward()
{
    State& s = st();
    for (auto it = s.modals.rbegin(); it != s.modals.rend(); ++it)
        if (win(it->hwnd) && isTopLevel(win(it->hwnd)) && !(win(it->hwnd)->exStyle & WS_EX_TOPMOST)) {
            activateTopLevel(it->hwnd, WA_ACTIVE);
            return;
        }
}

int modalLoop(const ModalRec& modal, bool (*ended)(HWND dlg))
{
    State& s = st();
    HWND dlg = modal.hwnd;
    s.modals.push_back(modal);
    size_t depth = s.modals.size();
    int result = 1;
    MSG m;
    while (win(dlg) && !ended(dlg)) {
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage((int)m.wParam);  // so that the outer loop ends too
            result = 0;
            break;
        }
        if (IsDialogMessageA(dlg, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    s.modals.resize(depth - 1);
    return result;
}

}  // namespace plat
