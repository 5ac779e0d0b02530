#include "platform/internal.h"
namespace plat {
void controlsRegister() {}
}
using namespace plat;
BOOL IsDialogMessageA(HWND, LPMSG) { return FALSE; }
