// The wave editor (custom control 22) and the stretch-bounds strip (custom
// control 24 above it). The editor shows the 1024 samples of the current
// wave as 512 drawing points on a grid with the zero line, and reshapes the
// wave with the current tool while the mouse is down: each step redraws the
// whole stroke from the wave as it was at the press, into the wave in the
// shared record. The strip holds the two bounds of the stretch tool.
//
// Index:
//   state ............... tool, anchor, bounds, the drawing points
//   view ................ value <-> pixel, drawing points, drawing
//   strokes ............. waveEd_click and its tracking step
//   stretch bounds ...... waveBounds_*
#include <cmath>

#include "windows/windows.h"

// ---- state ----------------------------------------------------------------------------------
short waveStartIndex = 0;
float waveStartAmp = 0.0f;
short waveStretchBoundsL = 256, waveStretchBoundsR = 768;
int waveEdDragging = 0;

namespace {
waveToolProc waveEd_currentToolProcess = waveEd_halfCosine;
short currentTool = kWaveToolHalfCosine;
POINT waveEd_points[kWaveSamples / 2];
POINT closingPoint;  // sample 1023
int havePoints = 0;

// ---- view -----------------------------------------------------------------------------------
const double kPixelsPerUnit = 128.5;
const int kZeroRow = 128;   // the zero line, below the view's top
const int kValueRow = 129;  // values map around this row

RECT viewRect()
{
    RECT r;
    custom_getRect(kWaveEditor, &r);
    return r;
}

int valueToY(const RECT& r, float v)
{
    int y = static_cast<int>(std::trunc((r.top + kValueRow) - v * kPixelsPerUnit));
    return y < r.top ? static_cast<int>(r.top) : (y > r.bottom - 1 ? static_cast<int>(r.bottom - 1) : y);
}

float yToValue(const RECT& r, int y)
{
    return static_cast<float>(-(y - (r.top + kValueRow)) / kPixelsPerUnit);
}

void fill(HDC hdc, int l, int t, int r, int b, COLORREF c)
{
    RECT rect{l, t, r, b};
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

void hLine(HDC hdc, HPEN pen, int x0, int x1, int y)
{
    if (!pen) return;
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, x0, y, nullptr);
    LineTo(hdc, x1, y);
    SelectObject(hdc, old);
}

void vLine(HDC hdc, HPEN pen, int x, int y0, int y1)
{
    if (!pen) return;
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, x, y0, nullptr);
    LineTo(hdc, x, y1);
    SelectObject(hdc, old);
}

// The view with its top left at 0, 0 of hdc: field, grid (eighths of the
// cycle, half amplitude), zero line, stretch bounds, anchor and the wave.
void paintView(HDC hdc, const RECT& r)
{
    const int w = kWaveEdWidth, h = kWaveEdHeight;
    fill(hdc, 0, 0, w, h, RGB(17, 19, 22));
    HPEN grid = CreatePen(PS_SOLID, 1, RGB(34, 39, 44));
    for (int x = 64; x < w; x += 64) vLine(hdc, grid, x, 0, h);
    hLine(hdc, grid, 0, w, kValueRow - 64);
    hLine(hdc, grid, 0, w, kValueRow + 64);
    DeleteObject(grid);
    hLine(hdc, wWave_centerLinePen, 0, w, kZeroRow);
    if (currentTool == kWaveToolStretch) {
        vLine(hdc, wWave_bluePen, waveStretchBoundsL / 2, 0, h);
        vLine(hdc, wWave_bluePen, waveStretchBoundsR / 2, 0, h);
    }
    if (!havePoints || !wWave_currentWave()) return;
    if (currentTool != kWaveToolStretch) {
        int ax = waveStartIndex / 2, ay = waveEd_points[waveStartIndex / 2].y - r.top;
        fill(hdc, ax - 2, ay - 2, ax + 3, ay + 3, RGB(68, 255, 211));
    }
    POINT line[kWaveSamples / 2 + 1];
    for (int k = 0; k < kWaveSamples / 2; ++k)
        line[k] = POINT{waveEd_points[k].x - r.left, waveEd_points[k].y - r.top};
    line[kWaveSamples / 2] = POINT{closingPoint.x - r.left, closingPoint.y - r.top};
    if (wWave_waveLinePen) {
        HGDIOBJ old = SelectObject(hdc, wWave_waveLinePen);
        Polyline(hdc, line, kWaveSamples / 2 + 1);
        SelectObject(hdc, old);
    }
}
}  // namespace

void waveEd_buildDrawPoints(short)
{
    const float* wave = wWave_currentWave();
    havePoints = wave != nullptr;
    if (!wave) return;
    RECT r = viewRect();
    float previous = 0.0f;
    for (int k = 0; k < kWaveSamples / 2; ++k) {
        // Of the two samples, the one farther from the last point, so that
        // peaks survive the halving.
        float a = wave[2 * k], b = wave[2 * k + 1];
        float v = std::fabs(a - previous) >= std::fabs(b - previous) ? a : b;
        waveEd_points[k] = POINT{r.left + k, valueToY(r, v)};
        previous = v;
    }
    closingPoint = POINT{r.left + kWaveSamples / 2 - 1, valueToY(r, wave[kWaveSamples - 1])};
}

POINT waveEd_getDrawPoint(short k) { return k >= 0 && k < kWaveSamples / 2 ? waveEd_points[k] : POINT{0, 0}; }

void waveEd_draw(short id)
{
    short saved = window_getCurrent();
    window_setCurrent(winId_waveform);
    if (custom_getVisible(id) && window_getVisible(winId_waveform)) {
        RECT r = viewRect();
        HDC win = window_getHDC(winId_waveform);
        if (win) {
            HDC off = CreateCompatibleDC(win);
            HBITMAP bmp = off ? CreateCompatibleBitmap(win, kWaveEdWidth, kWaveEdHeight) : nullptr;
            if (bmp) {
                HGDIOBJ old = SelectObject(off, bmp);
                paintView(off, r);
                BitBlt(win, r.left, r.top, kWaveEdWidth, kWaveEdHeight, off, 0, 0, SRCCOPY);
                SelectObject(off, old);
                DeleteObject(bmp);
            }
            if (off) DeleteDC(off);
            window_freeHDC(winId_waveform, win);
        }
    }
    window_setCurrent(saved);
}

void waveEd_update(short id)
{
    short saved = window_getCurrent();
    window_setCurrent(winId_waveform);
    waveEd_buildDrawPoints(id);
    waveEd_draw(id);
    window_setCurrent(saved);
}

void waveEd_setCurrentTool(short buttonId)
{
    switch (buttonId) {
    case kWaveToolLine: waveEd_currentToolProcess = waveEd_line; break;
    case kWaveToolHalfCosine: waveEd_currentToolProcess = waveEd_halfCosine; break;
    case kWaveToolStretch: waveEd_currentToolProcess = waveEd_stretch; break;
    default: return;
    }
    currentTool = buttonId;
}

void waveEd_setWaveStartIndex(short index)
{
    waveStartIndex = index < 0 ? 0 : (index > kWaveSamples - 1 ? kWaveSamples - 1 : index);
}

short waveEd_getStartIndex() { return waveStartIndex; }

// ---- strokes ----------------------------------------------------------------------------------
namespace {
struct strokeRec {
    RECT view;
    const float* source;  // the wave at the press (its undo copy)
    short lastIndex;
};

int strokeStep(short id, trackStateRec* s, void* arg)
{
    strokeRec* st = static_cast<strokeRec*>(arg);
    if (s->round > 0 && s->pt.h == s->last.h && s->pt.v == s->last.v) return 1;
    float* wave = wWave_currentWave();
    if (!wave) return 0;
    int x = s->pt.h < st->view.left ? st->view.left
                                    : (s->pt.h > st->view.right - 1 ? st->view.right - 1 : s->pt.h);
    int index = (x - st->view.left) * 2;
    index = index < 0 ? 0 : (index > kWaveSamples - 1 ? kWaveSamples - 1 : index);
    if (index == kWaveSamples - 2) index = kWaveSamples - 1;  // the last column reaches the last sample
    waveEd_currentToolProcess(st->source, wave, static_cast<short>(index), yToValue(st->view, s->pt.v));
    st->lastIndex = static_cast<short>(index);
    waveEd_update(id);
    wWave_updateInfo(0);
    mouse_setDragging();
    return 1;
}

void waveEdEvent(short id, long event, long, long)
{
    switch (event) {
    case kCustomDraw: waveEd_draw(id); break;
    case kCustomClick: waveEd_click(id); break;
    default: break;
    }
}
}  // namespace

void waveEd_new(short id, short x, short y)
{
    custom_new(id, x, y, kWaveEdWidth, kWaveEdHeight, waveEdEvent);
    waveEd_buildDrawPoints(id);
}

void waveEd_click(short id)
{
    if (!wWave_currentWave() || !gInst) return;
    // The undo copy is the stroke's source; the redo copy is taken at the
    // release, so that Edit > Undo and Redo both restore a whole stroke.
    wWave_prepareUndo();
    strokeRec st;
    st.view = viewRect();
    st.source = gInst->waveUndo.data;
    st.lastIndex = waveStartIndex;
    zPoint press;
    mouse_getPos(&press);
    waveStartAmp = yToValue(st.view, press.v);
    waveEdDragging = 1;
    control_track(id, 16, strokeStep, &st);
    resetClicks();  // the release ended the drag: the mouse is free again
    waveEdDragging = 0;
    if (currentTool != kWaveToolStretch) {
        waveStartIndex = st.lastIndex;
        // The start-point slider's pointer follows the anchor.
        draggy_setValH(kWaveStartSlider, static_cast<float>(waveStartIndex) / kWaveSamples);
    }
    wWave_prepareRedo();
    waveEd_update(id);
    wWave_updateAmpAndOffset();
}

// ---- stretch bounds ----------------------------------------------------------------------------
namespace {
// Handles: the left bound's flag right of its line, the right bound's left of it.
const int kLeftGrip = 14, kRightGrip = 8;

void boundsEvent(short id, long event, long, long)
{
    switch (event) {
    case kCustomDraw: waveBounds_draw(id); break;
    case kCustomClick: waveBounds_click(id); break;
    default: break;
    }
}

struct boundsDragRec {
    int left;  // dragging the left bound, else the right
};

int boundsStep(short id, trackStateRec* s, void* arg)
{
    boundsDragRec* d = static_cast<boundsDragRec*>(arg);
    if (s->round > 0 && s->pt.h == s->last.h) return 1;
    RECT r;
    custom_getRect(id, &r);
    int x = s->pt.h - r.left;
    if (d->left) {
        int l = (x - kLeftGrip) * 2;
        int most = waveStretchBoundsR - 11;
        waveStretchBoundsL = static_cast<short>(l < 0 ? 0 : (l > most ? most : l));
    } else {
        int rb = (x - kRightGrip) * 2;
        int least = waveStretchBoundsL + 12;
        waveStretchBoundsR =
            static_cast<short>(rb < least ? least : (rb > kWaveSamples - 1 ? kWaveSamples - 1 : rb));
    }
    waveBounds_draw(id);
    waveEd_draw(kWaveEditor);
    mouse_setDragging();
    return 1;
}
}  // namespace

void waveBounds_new(short id, short x, short y)
{
    custom_new(id, x, y, kWaveEdX * 2 + kWaveEdWidth + 1, kWaveEdY - y, boundsEvent);
}

void waveBounds_show(short id, int show) { custom_show(id, show); }

void waveBounds_draw(short id)
{
    short saved = window_getCurrent();
    window_setCurrent(winId_waveform);
    HDC hdc =
        custom_getVisible(id) && window_getVisible(winId_waveform) ? window_getHDC(winId_waveform) : nullptr;
    if (hdc) {
        RECT r;
        custom_getRect(id, &r);
        fill(hdc, r.left, r.top, r.right, r.bottom, RGB(39, 42, 46));
        int lx = r.left + kWaveEdX + waveStretchBoundsL / 2, rx = r.left + kWaveEdX + waveStretchBoundsR / 2;
        int mid = (r.top + r.bottom) / 2;
        fill(hdc, lx, mid - 1, rx + 1, mid + 1, RGB(49, 100, 100));
        const COLORREF grip = RGB(112, 224, 213);
        fill(hdc, lx, r.top + 2, lx + 1, r.bottom, grip);
        fill(hdc, lx + 1, r.top + 2, lx + 8, r.top + 9, grip);
        fill(hdc, rx, r.top + 2, rx + 1, r.bottom, grip);
        fill(hdc, rx - 7, r.top + 2, rx, r.top + 9, grip);
        window_freeHDC(winId_waveform, hdc);
    }
    window_setCurrent(saved);
}

void waveBounds_click(short id)
{
    RECT r;
    custom_getRect(id, &r);
    zPoint press;
    mouse_getPos(&press);
    int x = press.h - r.left;
    boundsDragRec d;
    if (x < waveStretchBoundsL / 2 + kLeftGrip)
        d.left = 1;
    else if (x > waveStretchBoundsR / 2 + kRightGrip)
        d.left = 0;
    else
        return;  // between the handles
    showCursor(0);
    control_track(id, 16, boundsStep, &d);
    resetClicks();  // the release ended the drag: the mouse is free again
    showCursor(1);
}
