// The level meter (window 11): a left and a right bar fed from the level
// fields of the current instrument, which the plug-in raises and each
// drawing lets fall by 9 %, with peak marks that hold until a click resets
// the meter.
#include <cmath>

#include "windows/editorWindow.h"

float leftPeak = 0.0f;
float rightPeak = 0.0f;
float cpuPeak = 0.0f;

namespace {
enum { kPanel = 1, kLeft = 2, kRight = 3, kCpu = 4 };
enum { kPanelBitmap = 1932, kBarBitmap = 1933 };
const int kMeterWidth = 103;
const int kMeterHeight = 3;
const float kFloor = 0.0001f;
const float kMaxShown = 0.98f;

float* peakOf(short id)
{
    switch (id) {
    case kLeft: return &leftPeak;
    case kRight: return &rightPeak;
    case kCpu: return &cpuPeak;
    default: return nullptr;
    }
}

// The instrument's level field a meter shows: left, right, processor load.
volatile float* fieldOf(short id)
{
    if (!gInst || id < kLeft || id > kCpu) return nullptr;
    return &gInst->level[id - kLeft];
}

// The plug-in writes these fields; anything that is not a finite,
// non-negative number counts as silence.
float sane(float v) { return std::isfinite(v) && v > 0.0f ? v : 0.0f; }

int shownPixels(float v, int width)
{
    if (!(v >= kFloor)) v = kFloor;
    return static_cast<int>(std::lround(width * std::fmin(std::sqrt(v), kMaxShown)));
}

void panelClick(short) { wMeter_reset(); }

// Where each meter's bar and peak mark were drawn last.
int lastBar[kCpu + 1] = {-1, -1, -1, -1, -1};
int lastPeak[kCpu + 1] = {-1, -1, -1, -1, -1};

}  // namespace

LRESULT CALLBACK wMeter_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short id = static_cast<short>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    int handled;
    LRESULT result = toolWindow_commonProc(id, hwnd, msg, wParam, lParam, &handled);
    if (handled) return result;
    if (msg == WM_COMMAND && LOWORD(wParam) == kCmdUpdateWindow) {
        wMeter_update();
        return 0;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void wMeter_positions(float level, float peak, int left, int width, int* bar, int* peakPos)
{
    if (bar) *bar = left + shownPixels(level, width);
    if (peakPos) {
        int p = left + shownPixels(peak, width);
        if (p > left + width - 1) p = left + width - 1;
        if (p < left) p = left;
        *peakPos = p;
    }
}

float wMeter_decay(float level)
{
    float next = level * 0.91f;
    // A result without exponent (zero or subnormal) becomes exactly 0.
    return std::fpclassify(next) == FP_SUBNORMAL || next == 0.0f ? 0.0f : next;
}

namespace {
// One drawing step of a meter: the peak follows the level, the positions
// are computed, and the level field decays. 0 when the meter has no field.
int meterStep(short id, int* bar, int* peakPos, RECT* r)
{
    volatile float* field = fieldOf(id);
    float* peak = peakOf(id);
    if (!field || !peak) return 0;
    float level = sane(*field);
    if (level > *peak) *peak = level;
    custom_getRect(id, r);
    wMeter_positions(level, *peak, r->left, r->right - r->left, bar, peakPos);
    *field = wMeter_decay(level);
    return 1;
}

void paintMeter(short id, int bar, int peakPos, const RECT& r)
{
    const int width = r.right - r.left;
    RECT lit = {r.left, r.top, bar, r.bottom};
    if (bar > r.left) bitmap_drawRectOffset(kBarBitmap, &lit, 0, 0);
    short window = window_getCurrent();
    if (HDC hdc = window_getHDC(window)) {
        RECT dark = {bar, r.top, r.right, r.bottom};
        FillRect(hdc, &dark, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        window_freeHDC(window, hdc);
    }
    int source = peakPos - r.left;
    if (source >= width - 4) source = width - 2;
    RECT mark = {peakPos, r.top, peakPos + 1, r.bottom};
    bitmap_drawRectOffset(kBarBitmap, &mark, source, 0);
    lastBar[id] = bar;
    lastPeak[id] = peakPos;
}
}  // namespace

void wMeter_draw(short id)
{
    int bar, peakPos;
    RECT r;
    if (meterStep(id, &bar, &peakPos, &r)) paintMeter(id, bar, peakPos, r);
}

void wMeter_callback_meter(short id, long event, long, long)
{
    if (event == kCustomDraw)
        wMeter_draw(id);
    else if (event == kCustomClick)
        wMeter_reset();
}

void wMeter_makeParams()
{
    RECT panel;
    bitmap_getRect(kPanelBitmap, &panel);
    const windowTableRec* row = windowTable_find(winId_meter);
    const winPosRec* place = wPosID_to_winPosRec(row->positionId);
    int x = place ? place->x : row->x;
    int y = place ? place->y : row->y;
    if (!toolWindow_make(row, x, y, panel.right, panel.bottom, 1)) return;
    pic_new(kPanel, 0, 0, 0, kPanelBitmap, 1, panelClick);
    custom_new(kLeft, 25, 11, kMeterWidth, kMeterHeight, wMeter_callback_meter);
    custom_new(kRight, 25, 22, kMeterWidth, kMeterHeight, wMeter_callback_meter);
    window_postBrambixize(winId_meter);
}

void wMeter_makeWindow()
{
    short saved = window_getCurrent();
    wMeter_makeParams();
    window_show(winId_meter, 1);
    wMeter_reset();
    window_setCurrent(saved);
}

void wMeter_update()
{
    if (!window_getHWND(winId_meter) || !window_getVisible(winId_meter)) return;
    short saved = window_getCurrent();
    window_setCurrent(winId_meter);
    // Both meters step; only a meter whose bar or peak mark moved is drawn,
    // so an idle meter takes no device context 20 times a second.
    const short ids[2] = {kLeft, kRight};
    int bar[2], peakPos[2], moved[2] = {0, 0};
    RECT r[2];
    for (int k = 0; k < 2; ++k)
        if (meterStep(ids[k], &bar[k], &peakPos[k], &r[k]))
            moved[k] = bar[k] != lastBar[ids[k]] || peakPos[k] != lastPeak[ids[k]];
    if (moved[0] || moved[1]) {
        window_manualPreProcess(winId_meter);
        for (int k = 0; k < 2; ++k)
            if (moved[k]) paintMeter(ids[k], bar[k], peakPos[k], r[k]);
        window_manualPostProcess(winId_meter);
    }
    window_setCurrent(saved);
}

void wMeter_reset()
{
    if (gInst)
        for (float& v : gInst->level) v = 0.0f;
    wMeter_resetPeak();
}

void wMeter_resetPeak()
{
    leftPeak = 0.0f;
    rightPeak = 0.0f;
    cpuPeak = 0.0f;
}
