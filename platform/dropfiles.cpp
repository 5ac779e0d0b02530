// Files dropped on a window: WM_DROPFILES carries an HDROP that lists them.
#include "platform/internal.h"
#include <cstring>
#include <set>

namespace plat {
struct DropRec {
    std::vector<std::string> files;
    POINT pt;
};
static std::set<DropRec*>& drops()
{
    static std::set<DropRec*> d;
    return d;
}
static DropRec* dropOf(HDROP h)
{
    DropRec* d = (DropRec*)h;
    return drops().count(d) ? d : nullptr;
}
HDROP dropCreate(const std::vector<std::string>& files, POINT pt)
{
    DropRec* d = new DropRec{files, pt};
    drops().insert(d);
    return (HDROP)d;
}
}  // namespace plat

using namespace plat;

void DragAcceptFiles(HWND hwnd, BOOL accept)
{
    WindowRec* w = win(hwnd);
    if (!w) return;
    if (accept)
        w->exStyle |= WS_EX_ACCEPTFILES;
    else
        w->exStyle &= ~WS_EX_ACCEPTFILES;
}

UINT DragQueryFileA(HDROP drop, UINT index, LPSTR buf, UINT max)
{
    DropRec* d = dropOf(drop);
    if (!d) return 0;
    if (index == 0xFFFFFFFF) return (UINT)d->files.size();
    if (index >= d->files.size()) return 0;
    const std::string& f = d->files[index];
    if (!buf) return (UINT)f.size();
    if (max == 0) return 0;
    size_t n = std::min<size_t>(f.size(), max - 1);
    memcpy(buf, f.data(), n);
    buf[n] = 0;
    return (UINT)n;
}

BOOL DragQueryPoint(HDROP drop, LPPOINT pt)
{
    DropRec* d = dropOf(drop);
    if (!d || !pt) return FALSE;
    *pt = d->pt;
    return TRUE;
}

void DragFinish(HDROP drop)
{
    DropRec* d = dropOf(drop);
    if (!d) return;
    drops().erase(d);
    delete d;
}
