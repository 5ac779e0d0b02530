// Window placement: one record per window (position ids 127..137), their
// defaults, capturing them from the windows, applying them (never smaller
// than a window's content), mending those that would leave a window out
// of reach, and putting every window back at its default place.
#include <vector>

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

// A title bar is this high, and this much of its width must stay on the
// area to be caught with the mouse.
const int kTitleBarHeight = 20;
const int kTitleBarGrip = 40;
// The smallest frame that still shows its title, menu bar and some room.
const int kFrameMinWidth = 240;
const int kFrameMinHeight = 160;

bool contentSize(short windowId, int* width, int* height)
{
    const engineHooksRec* h = hooks();
    return windowId != winId_frame && h->getContentSize && h->getContentSize(windowId, width, height) &&
           *width > 0 && *height > 0;
}

// The placement of one window, unless its area is not known yet: 1 when it
// would leave the window out of reach.
bool outOfReach(short windowId, const winPosRec& rec)
{
    const engineHooksRec* h = hooks();
    int areaW = 0, areaH = 0;
    if (!h->getPlacementArea || !h->getPlacementArea(windowId, &areaW, &areaH)) return false;
    int contentW = 0, contentH = 0;
    bool known = contentSize(windowId, &contentW, &contentH);
    if (windowId == winId_frame) {
        if (rec.width < kFrameMinWidth || rec.height < kFrameMinHeight) return true;
    } else if ((rec.width > 0 || rec.height > 0) && known &&
               (rec.width < contentW || rec.height < contentH)) {
        return true;
    }
    // Width 0: the window keeps its own size, at least its content.
    int width = rec.width > 0 ? rec.width : (known ? contentW : 2 * kTitleBarGrip);
    return rec.y < 0 || rec.y + kTitleBarHeight > areaH || rec.x + width < kTitleBarGrip ||
           rec.x > areaW - kTitleBarGrip;
}

// Moves a window to its record, never smaller than its content (width or
// height 0: it keeps its own size).
void placeWindow(short windowId, const winPosRec& rec)
{
    const engineHooksRec* h = hooks();
    if (!h->moveWindow) return;
    int width = rec.width, height = rec.height, contentW, contentH;
    if (width > 0 && height > 0 && contentSize(windowId, &contentW, &contentH)) {
        if (width < contentW) width = contentW;
        if (height < contentH) height = contentH;
    }
    h->moveWindow(windowId, rec.x, rec.y, width, height);
}

// The frame first (the others' area is its client), then every toolkit
// window that has a record.
std::vector<short> placedWindows()
{
    std::vector<short> ids = {winId_frame};
    for (short id = 1; id <= winId_last; ++id)
        if (guiID_to_wPosID(id)) ids.push_back(id);
    return ids;
}
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
    // A window with sizing borders keeps its size; the others are made at
    // the size of what they hold.
    const engineHooksRec* h = hooks();
    for (short id : placedWindows())
        if (id != winId_frame) getOneWindowPosition(id, h->keepsSize && h->keepsSize(id) ? 1 : 0);
    getMotherWindowPosition();
}

void repairWindowPositions()
{
    for (short id : placedWindows()) {
        short positionId = guiID_to_wPosID(id);
        winPosRec* rec = wPosID_to_winPosRec(positionId);
        if (!rec || !outOfReach(id, *rec)) continue;
        int32_t visible = rec->visible;
        *rec = kDefaults[positionId - kWinPosFirst];
        rec->visible = visible;
    }
}

void positionWindows()
{
    const engineHooksRec* h = hooks();
    repairWindowPositions();
    const winPosRec* frame = wPosID_to_winPosRec(winPos_frame);
    if (frame && h->moveWindow) h->moveWindow(winId_frame, frame->x, frame->y, frame->width, frame->height);
    std::vector<short> order;
    for (int k = 0; h->editorWindowAt && h->editorWindowAt(k); ++k)
        order.push_back(static_cast<short>(h->editorWindowAt(k)));
    for (short id : order) {
        const winPosRec* rec = wPosID_to_winPosRec(guiID_to_wPosID(id));
        if (!rec) continue;  // no placement record known for this window
        placeWindow(id, *rec);
        if (h->showWindow) h->showWindow(id, rec->visible ? 1 : 0);
    }
    if (h->showWindow) h->showWindow(winId_main, 1);
}

void resetWindowPositions()
{
    const engineHooksRec* h = hooks();
    for (short id : placedWindows()) {
        short positionId = guiID_to_wPosID(id);
        winPosRec* rec = wPosID_to_winPosRec(positionId);
        if (!rec) continue;
        winPosRec now = {};
        int32_t visible = rec->visible;
        if (h->getWindowPlace && h->getWindowPlace(id, &now)) visible = now.visible;
        *rec = kDefaults[positionId - kWinPosFirst];
        rec->visible = id == winId_frame ? 1 : visible;
        placeWindow(id, *rec);
    }
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
