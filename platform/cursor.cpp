// Cursors: the system shapes, cursors registered as resources, the current
// cursor and the show/hide counter, handed to the presenter.
#include "platform/internal.h"

namespace plat {

CursorRec* cursorOf(HCURSOR h)
{
    if (!h) return nullptr;
    auto& m = st().cursors;
    auto it = m.find(fromHandle(h));
    return it == m.end() ? nullptr : it->second.get();
}

static std::map<int, HCURSOR>& systemCursors()
{
    static std::map<int, HCURSOR> m;
    return m;
}

void cursorInitSystem()
{
    systemCursors().clear();
    for (int id : {32512, 32513, 32514, 32515, 32516, 32642, 32643, 32644, 32645, 32646, 32648, 32649}) {
        auto c = std::make_unique<CursorRec>();
        c->systemId = id;
        HCURSOR h = toHandle<HCURSOR>(newHandleId());
        st().cursors[fromHandle(h)] = std::move(c);
        systemCursors()[id] = h;
    }
    st().cursor = systemCursors()[32512];
}

static void tellPresenter()
{
    State& s = st();
    if (s.presenter) s.presenter->setCursor(cursorOf(s.cursor), s.cursorCount >= 0);
}

}  // namespace plat

using namespace plat;

HCURSOR LoadCursorA(HINSTANCE inst, LPCSTR name)
{
    State& s = st();
    if (!s.running) return nullptr;
    if (!inst && IS_INTRESOURCE(name)) {
        auto it = systemCursors().find((int)(uintptr_t)name);
        return it == systemCursors().end() ? nullptr : it->second;
    }
    std::string key = resourceKey(name);
    auto r = s.resCursors.find(key);
    if (r == s.resCursors.end()) {
        if (IS_INTRESOURCE(name)) {  // a system id asked for with an instance
            auto it = systemCursors().find((int)(uintptr_t)name);
            if (it != systemCursors().end()) return it->second;
        }
        return nullptr;
    }
    // One handle per registered cursor: loading twice gives the same cursor.
    static std::map<std::string, HCURSOR> loaded;
    auto l = loaded.find(key);
    if (l != loaded.end() && cursorOf(l->second)) return l->second;
    auto c = std::make_unique<CursorRec>();
    c->image = r->second.image ? cairo_surface_reference(r->second.image) : nullptr;
    c->hotX = r->second.hotX;
    c->hotY = r->second.hotY;
    HCURSOR h = toHandle<HCURSOR>(newHandleId());
    s.cursors[fromHandle(h)] = std::move(c);
    loaded[key] = h;
    return h;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    State& s = st();
    HCURSOR old = s.cursor;
    if (cursor && !cursorOf(cursor)) return old;
    if (cursor != old) {
        s.cursor = cursor;
        tellPresenter();
    }
    return old;
}

HCURSOR GetCursor(void) { return st().cursor; }

int ShowCursor(BOOL show)
{
    State& s = st();
    s.cursorCount += show ? 1 : -1;
    tellPresenter();
    return s.cursorCount;
}

HICON LoadIconA(HINSTANCE, LPCSTR name)
{
    if (!st().running) return nullptr;
    static std::map<std::string, HICON> icons;
    std::string key = resourceKey(name);
    HICON& h = icons[key];
    if (!h) h = toHandle<HICON>(newHandleId());
    return h;
}

HCURSOR platform_currentCursor(void) { return st().cursor; }
int platform_cursorShown(void) { return st().cursorCount >= 0 ? 1 : 0; }
