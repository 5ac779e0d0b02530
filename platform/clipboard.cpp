// Global memory blocks and the clipboard's plain text, mirrored to the
// presenter (the desktop clipboard with SDL2).
#include "platform/internal.h"
#include <cstring>
#include <set>

namespace plat {
struct GlobalRec {
    std::vector<char> bytes;
    int locks = 0;
};
static std::set<GlobalRec*>& globals()
{
    static std::set<GlobalRec*> g;
    return g;
}
static GlobalRec* globalOf(HGLOBAL h)
{
    GlobalRec* g = (GlobalRec*)h;
    return globals().count(g) ? g : nullptr;
}
}  // namespace plat

using namespace plat;

HGLOBAL GlobalAlloc(UINT, size_t bytes)
{
    if (bytes > ((size_t)1 << 30)) return nullptr;
    GlobalRec* g = new GlobalRec();
    g->bytes.assign(bytes ? bytes : 1, 0);
    globals().insert(g);
    return g;
}

LPVOID GlobalLock(HGLOBAL mem)
{
    GlobalRec* g = globalOf(mem);
    if (!g) return nullptr;
    g->locks++;
    return g->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL mem)
{
    GlobalRec* g = globalOf(mem);
    if (!g || g->locks == 0) return FALSE;
    g->locks--;
    return g->locks > 0;
}

size_t GlobalSize(HGLOBAL mem)
{
    GlobalRec* g = globalOf(mem);
    return g ? g->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL mem)
{
    GlobalRec* g = globalOf(mem);
    if (!g) return mem;
    if (st().clipboardText == mem) st().clipboardText = nullptr;
    globals().erase(g);
    delete g;
    return nullptr;
}

BOOL OpenClipboard(HWND)
{
    State& s = st();
    if (s.clipboardOpen) return FALSE;
    s.clipboardOpen = true;
    return TRUE;
}

BOOL CloseClipboard(void)
{
    State& s = st();
    if (!s.clipboardOpen) return FALSE;
    s.clipboardOpen = false;
    return TRUE;
}

BOOL EmptyClipboard(void)
{
    State& s = st();
    if (!s.clipboardOpen) return FALSE;
    if (s.clipboardText) GlobalFree(s.clipboardText);
    s.clipboardText = nullptr;
    if (s.presenter) s.presenter->setClipboardText("");
    return TRUE;
}

// The clipboard takes the block over; its text ends at the first zero or at
// the end of the block, so an unterminated block cannot be over-read.
HANDLE SetClipboardData(UINT format, HANDLE data)
{
    State& s = st();
    GlobalRec* g = globalOf(data);
    if (!s.clipboardOpen || format != CF_TEXT || !g) return nullptr;
    if (s.clipboardText && s.clipboardText != data) GlobalFree(s.clipboardText);
    s.clipboardText = data;
    size_t n = strnlen(g->bytes.data(), g->bytes.size());
    if (s.presenter) s.presenter->setClipboardText(toUtf8(g->bytes.data(), (int)n));
    return data;
}

HANDLE GetClipboardData(UINT format)
{
    State& s = st();
    if (!s.clipboardOpen || format != CF_TEXT) return nullptr;
    std::string text;
    if (s.presenter && s.presenter->clipboardText(&text) && !text.empty()) {
        GlobalRec* cur = globalOf(s.clipboardText);
        if (!cur || strncmp(cur->bytes.data(), text.c_str(), cur->bytes.size()) != 0 ||
            text.size() >= cur->bytes.size()) {
            HGLOBAL h = GlobalAlloc(GHND, text.size() + 1);
            memcpy(globalOf(h)->bytes.data(), text.c_str(), text.size() + 1);
            if (s.clipboardText) GlobalFree(s.clipboardText);
            s.clipboardText = h;
        }
    }
    return s.clipboardText;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    State& s = st();
    if (format != CF_TEXT) return FALSE;
    std::string text;
    if (s.presenter && s.presenter->clipboardText(&text) && !text.empty()) return TRUE;
    return s.clipboardText ? TRUE : FALSE;
}
