// Window placement: one record per window (position ids 127..137), their
// defaults, capturing them from the windows and applying them.
#include "engine/engine.h"

namespace {
// Defaults by position id; which window uses which record is the window
// table's placement column (the positionIdOf hook).
const winPosRec kDefaults[kWinPosCount] = {
    {winPos_frame, 0, 0, 1020, 760, 1},       {winPos_main, 65, 0, 644, 158, 1},
    {winPos_patch, 89, 104, 555, 485, 0},     {winPos_envelope, 118, 100, 820, 552, 0},
    {winPos_waveform, 179, 115, 533, 364, 0}, {winPos_midi, 128, 226, 433, 179, 0},
    {winPos_effect, 254, 138, 531, 240, 0},   {winPos_lfo, 146, 201, 615, 466, 0},
    {winPos_navigatorV, -8, 55, 0, 0, 1},     {winPos_navigatorH, 20, 650, 0, 0, 0},
    {winPos_meter, 724, 40, 0, 0, 1},
};

// The records, holding the defaults until initWindowPositions or the
// preferences change them.
winPosRec* positions()
{
    static winPosRec table[kWinPosCount];
    static bool ready = false;
    if (!ready) {
        for (int k = 0; k < kWinPosCount; ++k) table[k] = kDefaults[k];
        ready = true;
    }
    return table;
}

const engineHooksRec* hooks() { return engine_getHooks(); }
}  // namespace

void wPosRec_set(winPosRec* rec, long id, long x, long y, long width, long height, long visible)
{
    if (!rec) return;
    rec->id = static_cast<int32_t>(id);
    rec->x = static_cast<int32_t>(x);
    rec->y = static_cast<int32_t>(y);
    rec->width = static_cast<int32_t>(width);
    rec->height = static_cast<int32_t>(height);
    rec->visible = static_cast<int32_t>(visible);
}

void initWindowPositions()
{
    for (int k = 0; k < kWinPosCount; ++k) positions()[k] = kDefaults[k];
}

short guiID_to_wPosID(short windowId)
{
    if (windowId == winId_frame) return winPos_frame;
    const engineHooksRec* h = hooks();
    return h->positionIdOf ? static_cast<short>(h->positionIdOf(windowId)) : 0;
}

winPosRec* wPosID_to_winPosRec(long positionId)
{
    if (positionId < kWinPosFirst || positionId > kWinPosLast) return nullptr;
    return &positions()[positionId - kWinPosFirst];
}

void setDefaultWindowPosition(short windowId)
{
    short id = guiID_to_wPosID(windowId);
    winPosRec* rec = wPosID_to_winPosRec(id);
    if (rec) *rec = kDefaults[id - kWinPosFirst];
}

void getOneWindowPosition(short windowId, int withSize)
{
    winPosRec* rec = wPosID_to_winPosRec(guiID_to_wPosID(windowId));
    winPosRec now = {};
    if (!rec || windowId == winId_frame || !hooks()->getWindowPlace ||
        !hooks()->getWindowPlace(windowId, &now))
        return;
    wPosRec_set(rec, rec->id, now.x, now.y, withSize ? now.width : 0, withSize ? now.height : 0,
                now.visible ? 1 : 0);
}

void getMotherWindowPosition()
{
    winPosRec now = {};
    if (!hooks()->getWindowPlace || !hooks()->getWindowPlace(winId_frame, &now)) return;
    // A minimised frame lies outside the screen: its old record stays. The
    // test is on the right and bottom edges, so that a frame placed at the
    // very top of the screen (y = 0, the default) is still remembered.
    if (now.x + now.width < 1 || now.y + now.height < 1) return;
    wPosRec_set(wPosID_to_winPosRec(winPos_frame), winPos_frame, now.x, now.y, now.width, now.height, 1);
}

void getWindowPositions()
{
    if (g_startingUp) return;
    getOneWindowPosition(winId_main, 0);
    getOneWindowPosition(winId_patch, 0);
    getOneWindowPosition(winId_waveform, 0);
    getOneWindowPosition(winId_envelope, 1);
    static const short withoutSize[] = {winId_lfo,        winId_effect,     winId_midi,
                                        winId_navigatorV, winId_navigatorH, winId_meter};
    for (short id : withoutSize) getOneWindowPosition(id, 0);
    getMotherWindowPosition();
}

void positionWindows()
{
    const engineHooksRec* h = hooks();
    const winPosRec* frame = wPosID_to_winPosRec(winPos_frame);
    if (h->moveWindow) h->moveWindow(winId_frame, frame->x, frame->y, frame->width, frame->height);
    static const short order[] = {winId_midi,     winId_effect, winId_lfo, winId_envelope,
                                  winId_waveform, winId_patch,  winId_main};
    for (short id : order) {
        const winPosRec* rec = wPosID_to_winPosRec(guiID_to_wPosID(id));
        if (h->moveWindow) h->moveWindow(id, rec->x, rec->y, rec->width, rec->height);
        if (h->showWindow) h->showWindow(id, rec->visible ? 1 : 0);
    }
    if (h->showWindow) h->showWindow(winId_main, 1);
}

long getWindowCoordinate(short positionId, short which)
{
    const winPosRec* rec = wPosID_to_winPosRec(positionId);
    if (!rec) return 0;
    switch (which) {
    case 0: return rec->x;
    case 1: return rec->y;
    case 2: return rec->width;
    case 3: return rec->height;
    default: return 0;
    }
}

void setWindowCoordinate(short positionId, short which, long value)
{
    winPosRec* rec = wPosID_to_winPosRec(positionId);
    if (!rec) return;
    int32_t v = static_cast<int32_t>(value);
    switch (which) {
    case 0: rec->x = v; break;
    case 1: rec->y = v; break;
    case 2: rec->width = v; break;
    case 3: rec->height = v; break;
    default: break;
    }
}
