// The note map editor (custom control 12 of the MIDI window): the shown
// map's 128 factors as columns of 3 pixels, black above the value and the
// fill picture (1203) stretched below it. Dragging sets the factor of the
// note under the pointer from its height; when the pointer jumps over
// notes, every note between is set along a straight line so no gaps are
// left. Two labels follow the note under the pointer: its name with its
// number above the map, and its value beside the map's right edge.
//
// Index:
//   map ............... the shown map, storing a factor
//   drawing ........... columns, labels, the value box
//   editing ........... the drag and its straight-line fill
//   pointer ........... wMidi_trackMouse
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "windows/windows.h"

namespace {
// Label colour and places (window client coordinates).
const COLORREF kLabelColor = RGB(185, 243, 226);
const int kNameTop = 77, kNameBottom = 89, kNameMinX = 16;
const int kValueLeft = 409, kValueRight = 445, kValueMinTop = 89, kLabelHeight = 12;
RECT lastNameBox = {0, 0, 0, 0}, lastValueBox = {0, 0, 0, 0};
zPoint lastTrackedPos = {-1, -1};

RECT mapRect()
{
    RECT r;
    custom_getRect(kMidiMapEditor, &r);
    return r;
}

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

short noteAt(const RECT& r, int x)
{
    int note = (x - r.left) / kMidiMapColumn;
    if (x < r.left) note = 0;
    return static_cast<short>(note < 0 ? 0 : (note > 127 ? 127 : note));
}

bool canDraw(short id) { return custom_getVisible(id) && window_getVisible(winId_midi); }

void fillBlack(HDC hdc, const RECT& r)
{
    if (r.right <= r.left || r.bottom <= r.top) return;
    FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void mapEvent(short id, long event, long, long)
{
    switch (event) {
    case kCustomDraw: wMidi_notemap_draw(id, -1); break;
    case kCustomClick: wMidi_notemap_click(id); break;
    case kCustomShown: {
        RECT r = mapRect();
        invalRect(&r);
        break;
    }
    default: break;
    }
}
}  // namespace

// ---- map ---------------------------------------------------------------------------------------

float* wMidi_notemap_data()
{
    return gInst ? notemap_getData(gInst, wMidi_mapGroup, wMidi_mapIndex) : nullptr;
}

int wMidi_notemap_store(short note, float value)
{
    float* map = wMidi_notemap_data();
    if (!map || note < 0 || note > 127) return 0;
    map[note] = std::isnan(value) ? 1.0f : clamp01(value);
    return 1;
}

// ---- drawing -----------------------------------------------------------------------------------

void wMidi_notemap_new(short id, short x, short y)
{
    custom_new(id, x, y, kMidiMapWidth, kMidiMapHeight, mapEvent);
}

void wMidi_notemap_draw(short id, short note)
{
    short saved = window_getCurrent();
    window_setCurrent(winId_midi);
    HDC hdc = canDraw(id) ? window_getHDC(winId_midi) : nullptr;
    if (hdc) {
        RECT r = mapRect();
        const float* map = wMidi_notemap_data();
        short first = note < 0 ? 0 : note, last = note < 0 ? 127 : note;
        if (note > 127) first = last = -1;
        for (short n = first; n >= 0 && n <= last; ++n) {
            int x = r.left + kMidiMapColumn * n;
            // No map: the editor stays blank.
            int top = map ? static_cast<int>(r.bottom - std::lround(clamp01(map[n]) * kMidiMapHeight))
                          : static_cast<int>(r.bottom);
            fillBlack(hdc, RECT{x, r.top, x + kMidiMapColumn, top});
            if (top < r.bottom)
                bitmap_drawStretch(kMidiMapFillPict, static_cast<short>(x), static_cast<short>(top),
                                   static_cast<short>(x + kMidiMapColumn), static_cast<short>(r.bottom));
        }
        window_freeHDC(winId_midi, hdc);
    }
    window_setCurrent(saved);
}

void wMidi_notemap_drawText(short id, short note)
{
    short saved = window_getCurrent();
    window_setCurrent(winId_midi);
    RECT r = mapRect();
    if (note == -1) {
        zPoint pos;
        mouse_getPos(&pos);
        note = noteAt(r, pos.h);
    }
    const float* map = wMidi_notemap_data();
    HDC hdc = canDraw(id) && map && note >= 0 && note <= 127 ? window_getHDC(winId_midi) : nullptr;
    if (hdc) {
        fillBlack(hdc, lastNameBox);
        fillBlack(hdc, lastValueBox);
        short font = font_new(1, 9);
        HGDIOBJ oldFont = font != kFontFree ? SelectObject(hdc, font_getHFONT(font)) : nullptr;
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, kLabelColor);

        int x = r.left + kMidiMapColumn * note;
        RECT nameBox{x - 16, kNameTop, x + 32, kNameBottom};
        if (nameBox.left < kNameMinX) OffsetRect(&nameBox, kNameMinX - nameBox.left, 0);
        char name[kNoteNameSize];
        wMidi_noteName_get(note, name, 1);
        DrawTextA(hdc, name, -1, &nameBox, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);

        float value = clamp01(map[note]);
        int bottom = static_cast<int>(r.bottom - std::lround(kMidiMapHeight * value));
        RECT valueBox{kValueLeft, bottom - kLabelHeight, kValueRight, bottom};
        if (valueBox.top < kValueMinTop) OffsetRect(&valueBox, 0, kValueMinTop - valueBox.top);
        char text[16];
        std::snprintf(text, sizeof text, "%1.2f", value);
        DrawTextA(hdc, text, -1, &valueBox, DT_RIGHT | DT_SINGLELINE | DT_NOCLIP);

        if (oldFont) SelectObject(hdc, oldFont);
        lastNameBox = nameBox;
        lastValueBox = valueBox;
        window_freeHDC(winId_midi, hdc);
    }
    window_setCurrent(saved);
}

void wMidi_notemap_refreshValueBox()
{
    short saved = window_getCurrent();
    window_setCurrent(winId_midi);
    const float* map = wMidi_notemap_data();
    short note = wMidi_currentNote;
    if (map && note >= 0 && note <= 127) numbox_setVal(kMidiValueBox, clamp01(map[note]) * 100.0f);
    window_setCurrent(saved);
}

// ---- editing -----------------------------------------------------------------------------------
namespace {
struct mapDragRec {
    RECT view;
    short previous;  // the note set last
};

int mapStep(short id, trackStateRec* s, void* arg)
{
    mapDragRec* d = static_cast<mapDragRec*>(arg);
    float* map = wMidi_notemap_data();
    if (!map) return 0;
    short note = noteAt(d->view, s->pt.h);
    POINT p{s->pt.h, s->pt.v};
    bool moved = s->pt.h != s->last.h || s->pt.v != s->last.v;
    if ((!moved || !PtInRect(&d->view, p)) && note == d->previous) return 1;
    float value = clamp01(static_cast<float>((d->view.bottom - s->pt.v) * 0.005));
    short from = d->previous, to = note;
    if (d->previous < 0 || std::abs(note - d->previous) <= 1) {
        map[note] = value;
        from = to = note;
    } else {
        // A jump: a straight line from the stored value at the previous note
        // to the new value, both ends included.
        float start = clamp01(map[d->previous]);
        int step = note > d->previous ? 1 : -1, span = std::abs(note - d->previous);
        for (int k = 0; k <= span; ++k)
            map[d->previous + step * k] = clamp01(start + (value - start) * static_cast<float>(k) / span);
        if (from > to) std::swap(from, to);
    }
    for (short n = from; n <= to; ++n) wMidi_notemap_draw(id, n);
    wMidi_notemap_drawText(id, note);
    d->previous = note;
    mouse_setDragging();
    return 1;
}
}  // namespace

void wMidi_notemap_click(short id)
{
    if (!wMidi_notemap_data()) return;
    mapDragRec d;
    d.view = mapRect();
    zPoint press;
    mouse_getPos(&press);
    // One left of the pressed column, so the press itself sets its note.
    d.previous = static_cast<short>(noteAt(d.view, press.h) - 1);
    control_track(id, 16, mapStep, &d);
    wMidi_notemap_refreshValueBox();
    resetClicks();
}

// ---- pointer ------------------------------------------------------------------------------------

void wMidi_trackMouse()
{
    if (wMidi_mode != 3) return;
    short saved = window_getCurrent();
    window_setCurrent(winId_midi);
    zPoint pos;
    mouse_getPos(&pos);
    RECT r = mapRect();
    POINT p{pos.h, pos.v};
    if ((pos.h != lastTrackedPos.h || pos.v != lastTrackedPos.v) && PtInRect(&r, p))
        wMidi_notemap_drawText(kMidiMapEditor, -1);
    lastTrackedPos = pos;
    window_setCurrent(saved);
}
