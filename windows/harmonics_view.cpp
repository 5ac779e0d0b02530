// The spectrum editor (custom control 25): harmonic k (1..64) is the
// 8-pixel column at left + 8 (k - 1). The upper band shows its amplitude as
// a bar at 0.5 dB per pixel (0 dB at the top, -64 dB at the band's bottom),
// the lower band its phase as a mark at 126 pixels per turn. Pressing in a
// band edits that band for the whole drag: tool 12 holds the pressed
// harmonic, tool 13 paints across columns and fills the ones the pointer
// skipped. Every step rewrites the wave, so the plug-in plays the edit.
//
// Index:
//   state and geometry .. tool, held and highlighted harmonic, bands
//   pixels .............. spectrum_pixUpdate, amplitude and phase to pixels
//   drawing ............. one column, the whole view (composed off screen)
//   editing ............. spectrum_click and its tracking step
#include <cmath>
#include <cstdlib>

#include "windows/windows.h"

short harmonic_pixAmp[kHarmonics];
short harmonic_pixPhase[kHarmonics];

namespace {
// ---- state and geometry -----------------------------------------------------------------
short currentSpectrumTool = kSpectrumToolPaint;
short currentHarmonic = 0;  // held by tool 12 during a drag, else 0
short selectHarmonic = 0;   // the column under the pointer, highlighted; 0 none

const double kTwoPi = 6.283185307179586;
const int kColumn = 8;
const int kAmpRows = 128;    // amplitude band: rows 0..127 of the view
const int kPhaseTop = 129;   // phase band: rows 129..254
const int kPhaseTurn = 126;  // pixels per turn
const int kAmpBandLimit = 129;

RECT viewRect()
{
    RECT r;
    custom_getRect(kSpectrumEditor, &r);
    return r;
}

// ---- pixels ---------------------------------------------------------------------------------
short ampToPix(double amp)
{
    double pix = std::trunc(-2.0 * ampToDB(amp));
    return static_cast<short>(pix < 0 ? 0 : (pix > kAmpRows ? kAmpRows : pix));
}

// The pixel of a phase in one turn, 0..126.
short phaseToPix(double phase)
{
    double p = std::fmod(phase, kTwoPi);
    if (p < 0) p += kTwoPi;
    return static_cast<short>(std::trunc(p * kPhaseTurn / kTwoPi + 0.5));
}

// A press at view row y sets the phase ((y) * 2 pi / 126 within one turn);
// the mark is drawn on the row that gives back its phase.
int phaseRow(short pix) { return kPhaseTop + (pix + kPhaseTurn - kPhaseTop % kPhaseTurn) % kPhaseTurn; }
}  // namespace

void spectrum_pixUpdate()
{
    for (int k = 0; k < kHarmonics; ++k) {
        harmonic_pixAmp[k] = ampToPix(harmonics[k].amp);
        harmonic_pixPhase[k] = phaseToPix(harmonics[k].phase);
    }
}

namespace {
// ---- drawing --------------------------------------------------------------------------------
void fill(HDC hdc, int l, int t, int r, int b, COLORREF c)
{
    RECT rect{l, t, r, b};
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

// Column c (0..63) with its background, drawn with the view's top left at ox, oy of hdc.
void paintColumn(HDC hdc, int ox, int oy, int c)
{
    const COLORREF field = RGB(17, 19, 22), grid = RGB(34, 39, 44), band = RGB(58, 64, 70);
    int x = ox + c * kColumn;
    fill(hdc, x, oy, x + kColumn, oy + kWaveEdHeight, field);
    for (int row = 24; row < kAmpRows; row += 24) fill(hdc, x, oy + row, x + kColumn, oy + row + 1, grid);
    fill(hdc, x, oy + phaseRow(0), x + kColumn, oy + phaseRow(0) + 1, grid);
    fill(hdc, x, oy + phaseRow(63), x + kColumn, oy + phaseRow(63) + 1, grid);
    fill(hdc, x, oy + kAmpRows, x + kColumn, oy + kAmpRows + 1, band);
    if (c % 8 == 0) fill(hdc, x, oy, x + 1, oy + kWaveEdHeight, grid);
    int selected = selectHarmonic == c + 1 || currentHarmonic == c + 1;
    if (selected) fill(hdc, x + 1, oy, x + kColumn - 1, oy + kWaveEdHeight, RGB(28, 44, 44));
    int top = harmonic_pixAmp[c];
    if (top < kAmpRows)
        fill(hdc, x + 1, oy + top, x + kColumn - 1, oy + kAmpRows,
             selected ? RGB(68, 255, 211) : RGB(46, 166, 150));
    int mark = phaseRow(harmonic_pixPhase[c]);
    COLORREF ink =
        harmonics[c].amp >= 1e-5 ? (selected ? RGB(68, 255, 211) : RGB(107, 174, 215)) : RGB(60, 72, 84);
    fill(hdc, x + 1, oy + mark - 1, x + kColumn - 1, oy + mark + 2, ink);
}
}  // namespace

void spectrum_draw(short id, short harmonic, int)
{
    short saved = window_getCurrent();
    window_setCurrent(winId_waveform);
    if (custom_getVisible(id) && window_getVisible(winId_waveform)) {
        RECT r = viewRect();
        int first = harmonic == -1 ? 0 : harmonic - 1, last = harmonic == -1 ? kHarmonics - 1 : harmonic - 1;
        if (first >= 0 && last < kHarmonics) {
            HDC win = window_getHDC(winId_waveform);
            if (win) {
                // Composed off screen, then copied in one piece: no flicker.
                int w = (last - first + 1) * kColumn;
                HDC off = CreateCompatibleDC(win);
                HBITMAP bmp = off ? CreateCompatibleBitmap(win, w, kWaveEdHeight) : nullptr;
                if (bmp) {
                    HGDIOBJ old = SelectObject(off, bmp);
                    for (int c = first; c <= last; ++c) paintColumn(off, -first * kColumn, 0, c);
                    BitBlt(win, r.left + first * kColumn, r.top, w, kWaveEdHeight, off, 0, 0, SRCCOPY);
                    SelectObject(off, old);
                    DeleteObject(bmp);
                }
                if (off) DeleteDC(off);
                window_freeHDC(winId_waveform, win);
            }
        }
    }
    window_setCurrent(saved);
}

void spectrum_update(short id)
{
    spectrum_pixUpdate();
    spectrum_draw(id, -1, 1);
}

void spectrum_afterChange()
{
    spectrum_synthesize(wWave_currentWave(), 1);
    spectrum_pixUpdate();
    spectrum_draw(kSpectrumEditor, -1, 0);
    wWave_updateInfo(1);
}

void spectrum_setCurrentTool(short buttonId)
{
    if (buttonId == kSpectrumToolSingle || buttonId == kSpectrumToolPaint) currentSpectrumTool = buttonId;
}

short spectrum_getCurrentHarmonic() { return currentHarmonic; }

void spectrum_updateSelectHarmonic(short k)
{
    if (k < 0 || k > kHarmonics || k == selectHarmonic) return;
    short old = selectHarmonic;
    selectHarmonic = k;
    if (old) spectrum_draw(kSpectrumEditor, old, 0);
    if (k) spectrum_draw(kSpectrumEditor, k, 0);
}

namespace {
void spectrumEvent(short id, long event, long, long)
{
    switch (event) {
    case kCustomDraw: spectrum_draw(id, -1, 1); break;
    case kCustomClick: spectrum_click(id); break;
    default: break;
    }
}

// ---- editing ----------------------------------------------------------------------------------
struct spectrumDragRec {
    RECT view;
    int amps;        // the press was in the amplitude band
    int held;        // column held by tool 12, -1 when painting
    int lastColumn;  // -1 before the first step
    int lastY;
};

// Sets column c from the pointer at view row y, in the band of the press.
void setColumn(const spectrumDragRec& d, int c, int y)
{
    harmonicRec& h = harmonics[c];
    if (d.amps) {
        int down = -y;
        if (down < -kAmpRows) down = -kAmpRows;
        if (down > 0) down = 0;
        h.amp = dBToAmp(0.5 * down);
        harmonic_pixAmp[c] = ampToPix(h.amp);
    } else {
        h.phase = std::fmod(y * kTwoPi / kPhaseTurn, kTwoPi);
        harmonic_pixPhase[c] = phaseToPix(h.phase);
    }
}

int spectrumStep(short id, trackStateRec* s, void* arg)
{
    spectrumDragRec* d = static_cast<spectrumDragRec*>(arg);
    if (s->round > 0 && s->pt.h == s->last.h && s->pt.v == s->last.v) return 1;
    int x =
        s->pt.h < d->view.left ? d->view.left : (s->pt.h > d->view.right - 1 ? d->view.right - 1 : s->pt.h);
    int y =
        s->pt.v < d->view.top ? d->view.top : (s->pt.v > d->view.bottom - 1 ? d->view.bottom - 1 : s->pt.v);
    y -= d->view.top;
    int column = d->held >= 0 ? d->held : (x - d->view.left) / kColumn;
    int from = column, to = column;
    if (d->held < 0 && d->lastColumn >= 0 && std::abs(column - d->lastColumn) > 1) {
        // The pointer jumped: the columns in between take heights on the
        // straight line from the last step to this one.
        int step = column > d->lastColumn ? 1 : -1;
        for (int c = d->lastColumn + step; c != column; c += step) {
            double t = double(c - d->lastColumn) / (column - d->lastColumn);
            setColumn(*d, c, static_cast<int>(std::lround(d->lastY + (y - d->lastY) * t)));
        }
        from = column < d->lastColumn ? column : d->lastColumn + 1;
        to = column < d->lastColumn ? d->lastColumn - 1 : column;
    }
    setColumn(*d, column, y);
    for (int c = from; c <= to; ++c) spectrum_draw(id, static_cast<short>(c + 1), 0);
    d->lastColumn = column;
    d->lastY = y;
    spectrum_synthesize(wWave_currentWave(), 1);
    wWave_updateInfo(1);
    mouse_setDragging();
    return 1;
}
}  // namespace

void spectrum_new(short id, short x, short y)
{
    custom_new(id, x, y, kWaveEdWidth, kWaveEdHeight, spectrumEvent);
    spectrum_create(id);
}

void spectrum_create(short)
{
    currentSpectrumTool = kSpectrumToolPaint;
    currentHarmonic = 0;
    selectHarmonic = 0;
    spectrum_calculate(kSpectrumEditor);
}

void spectrum_click(short id)
{
    if (!wWave_currentWave()) return;
    wWave_prepareUndo();
    spectrumDragRec d;
    d.view = viewRect();
    zPoint press;
    mouse_getPos(&press);
    d.amps = press.v - d.view.top <= kAmpBandLimit;
    int column = (press.h - d.view.left) / kColumn;
    column = column < 0 ? 0 : (column > kHarmonics - 1 ? kHarmonics - 1 : column);
    d.held = currentSpectrumTool == kSpectrumToolSingle ? column : -1;
    if (d.held >= 0) currentHarmonic = static_cast<short>(column + 1);
    d.lastColumn = -1;
    d.lastY = 0;
    control_track(id, 16, spectrumStep, &d);
    resetClicks();  // the release ended the drag: the mouse is free again
    short held = currentHarmonic;
    currentHarmonic = 0;
    if (held) spectrum_draw(id, held, 0);
    wWave_prepareRedo();
}
