// The Envelope window's rulers and view: the time ruler (custom control 40)
// above the strips, the level ruler (41) left of them, zooming by dragging
// either ruler (a double click resets it), and the stacking and vertical
// scrolling of the strips.
//
// Index:
//   view ............... start time, pixel rate, strip height, stacking
//   time ruler ......... tick spacing, drawing, zoom drag
//   level ruler ........ drawing, height drag
#include <cmath>
#include <cstdio>

#include "windows/editorWindow.h"

namespace {
struct currentScope {
    short saved;
    currentScope() : saved(window_getCurrent()) { window_setCurrent(winId_envelope); }
    ~currentScope() { window_setCurrent(saved); }
};

RECT clientRect()
{
    RECT r{0, 0, 0, 0};
    if (HWND hwnd = window_getHWND(winId_envelope)) GetClientRect(hwnd, &r);
    return r;
}

int shownStrips()
{
    int n = 0;
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip; ++id)
        if (custom_getVisible(id)) ++n;
    return n;
}

// The bottom of the strips' area (above the horizontal scroll bar).
long areaBottom() { return clientRect().bottom - kEnvBar; }

long maxScroll()
{
    long room = areaBottom() - kEnvStripTop;
    long need = shownStrips() * envEd_height;
    return need > room ? need - room : 0;
}
}  // namespace

// ---- view ------------------------------------------------------------------------------------------
void envEd_setStartTime(double seconds) { envEd_startTime = seconds > 0.0 ? seconds : 0.0; }

double envEd_getStartTime() { return envEd_startTime; }

long envEd_getPixPerSec() { return static_cast<long>(envEd_pixPerSec); }

void envEd_zoomH(double pixPerSec)
{
    if (!(pixPerSec >= 10.0 && pixPerSec <= 22050.0)) return;
    envEd_pixPerSec = pixPerSec;
    envEd_pixPerSecCoef = 1.0 / pixPerSec;
}

long envEd_getVScrollScale() { return envEd_height; }

void envEd_restack()
{
    currentScope scope;
    RECT client = clientRect();
    const long bottomLimit = areaBottom();
    const short width = static_cast<short>(client.right - kEnvBar - kEnvStripLeft);
    long y = kEnvStripTop - envEd_vScrollPos;
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip; ++id) {
        if (!custom_getVisible(id)) continue;
        envEdRec* rec = envEd_get(id);
        rec->top = static_cast<short>(y);
        long top = y < kEnvStripTop ? static_cast<long>(kEnvStripTop) : (y > bottomLimit ? bottomLimit : y);
        long bottom = y + envEd_height;
        if (bottom > bottomLimit) bottom = bottomLimit;
        if (bottom < top) bottom = top;
        custom_resize(id, width > 0 ? width : 0, static_cast<short>(bottom - top));
        custom_moveResizeV(id, static_cast<short>(top), static_cast<short>(bottom - top));
        y += envEd_height;
    }
    // The empty area fills what the strips leave below them.
    long emptyTop = y < kEnvStripTop ? static_cast<long>(kEnvStripTop) : (y > bottomLimit ? bottomLimit : y);
    custom_resize(kEnvEmptyArea, width > 0 ? width : 0, static_cast<short>(bottomLimit - emptyTop));
    custom_moveResizeV(kEnvEmptyArea, static_cast<short>(emptyTop),
                       static_cast<short>(bottomLimit - emptyTop));
    custom_resize(kEnvTimeRuler, width > 0 ? width : 0, kEnvStripTop - kEnvRulerTop);
    custom_moveResizeV(kEnvLevelRuler, kEnvStripTop - 1,
                       static_cast<short>(bottomLimit - (kEnvStripTop - 1)));
    wEnv_updateScrollBars();
}

void envEd_zoomV(long height, short fromStrip)
{
    if (height < 32 || height > 512) return;
    envEdRec* anchor = envEd_get(fromStrip);
    if (anchor && custom_getVisible(fromStrip)) {
        // Keep that strip's top where it is.
        int k = 0;
        for (short id = kEnvFirstStrip; id < fromStrip; ++id)
            if (custom_getVisible(id)) ++k;
        long oldTop = anchor->top;
        envEd_height = height;
        envEd_vScrollPos = kEnvStripTop + k * height - oldTop;
    } else {
        envEd_height = height;
        envEd_vScrollPos = 0;
    }
    if (envEd_vScrollPos > maxScroll()) envEd_vScrollPos = maxScroll();
    if (envEd_vScrollPos < 0) envEd_vScrollPos = 0;
    envEd_restack();
    currentScope scope;
    RECT client = clientRect();
    RECT below{kEnvColumnWidth, kEnvStripTop - 1, client.right - kEnvBar, static_cast<LONG>(areaBottom())};
    invalRect(&below);
}

void envEd_vScroll(long pos)
{
    if (pos > maxScroll()) pos = maxScroll();
    if (pos < 0) pos = 0;
    envEd_vScrollPos = pos;
    envEd_restack();
    currentScope scope;
    RECT client = clientRect();
    RECT below{kEnvColumnWidth, kEnvStripTop - 1, client.right - kEnvBar, static_cast<LONG>(areaBottom())};
    invalRect(&below);
}

// ---- time ruler -----------------------------------------------------------------------------------
double envEd_tickSpacing(double r)
{
    double d = r;
    for (double k = 1; k < 10000; k *= 2) {
        d = r / k;
        if (d <= 128) break;
    }
    if (d < 64)
        for (double k = 1; k <= 4; k *= 2) {
            d = k * r;
            if (d >= 64) break;
        }
    return d;
}

namespace {
void fill(HDC hdc, const RECT& r, COLORREF c)
{
    HBRUSH b = CreateSolidBrush(c);
    FillRect(hdc, &r, b);
    DeleteObject(b);
}

void rulerEvent(short id, long event, long, long)
{
    if (event == kCustomDraw) {
        if (id == kEnvTimeRuler)
            envEd_hScale_draw(id);
        else
            envEd_vScale_draw(id);
    } else if (event == kCustomClick) {
        zPoint press;
        mouse_getPos(&press);
        // A double click is two presses on the same ruler, whatever was clicked before.
        static DWORD lastPress[2] = {0, 0};
        static int pressed[2] = {0, 0};
        const int which = id == kEnvTimeRuler ? 0 : 1;
        DWORD now = GetTickCount();
        bool twice = pressed[which] && now - lastPress[which] < GetDoubleClickTime();
        pressed[which] = !twice;
        lastPress[which] = now;
        pressed[1 - which] = 0;
        if (twice) {
            if (id == kEnvTimeRuler) {
                envEd_setStartTime(0.0);
                envEd_zoomH(128.0);
                wEnv_updateScrollBars();
                envEd_hScale_draw(kEnvTimeRuler);
                envEd_drawAll();
            } else {
                short strip = 0;
                for (short s = kEnvFirstStrip; s <= kEnvLastStrip; ++s) {
                    RECT r;
                    custom_getRect(s, &r);
                    if (custom_getVisible(s) && press.v >= r.top && press.v < r.bottom) strip = s;
                }
                envEd_zoomV(128, strip);
            }
            resetClicks();
            return;
        }
        struct zoomRec {
            double clickedTime, rate, drawn;
            short startHeight, strip;
            zPoint press;
            short lastH;
        } z{};
        RECT ruler;
        custom_getRect(kEnvTimeRuler, &ruler);
        z.press = press;
        z.lastH = press.h;
        z.clickedTime = envEd_pixToTime(ruler.left, press.h);
        z.rate = z.drawn = envEd_pixPerSec;
        z.startHeight = static_cast<short>(envEd_height);
        for (short s = kEnvFirstStrip; s <= kEnvLastStrip; ++s) {
            RECT r;
            custom_getRect(s, &r);
            if (custom_getVisible(s) && press.v >= r.top && press.v < r.bottom) z.strip = s;
        }
        trackStepProcPtr step;
        if (id == kEnvTimeRuler)
            step = [](short, trackStateRec* s, void* arg) -> int {
                zoomRec* z = static_cast<zoomRec*>(arg);
                if (s->pt.h == z->lastH) return 1;
                double factor = 1.0 + (s->pt.h - z->lastH) * 0.00038;
                factor = factor < 0.8 ? 0.8 : (factor > 1.2 ? 1.2 : factor);
                z->lastH = s->pt.h;
                z->rate *= factor;
                z->rate = z->rate < 16.0 ? 16.0 : (z->rate > 44100.0 ? 44100.0 : z->rate);
                RECT r;
                custom_getRect(kEnvTimeRuler, &r);
                if (std::fabs(z->rate - z->drawn) > 1.0 && s->pt.h > r.left + 8) {
                    envEd_setStartTime(z->clickedTime - (s->pt.h - r.left) / z->rate);
                    envEd_zoomH(z->rate);
                    z->drawn = envEd_pixPerSec;
                    wEnv_updateScrollBars();
                    envEd_hScale_draw(kEnvTimeRuler);
                    envEd_drawAll();
                }
                mouse_setDragging();
                return 1;
            };
        else
            step = [](short, trackStateRec* s, void* arg) -> int {
                zoomRec* z = static_cast<zoomRec*>(arg);
                long h = z->startHeight + (s->pt.v - z->press.v);
                h = h < 32 ? 32 : (h > 512 ? 512 : h);
                if (h != envEd_height) {
                    envEd_zoomV(h, z->strip);
                    window_draw(winId_envelope);
                }
                mouse_setDragging();
                return 1;
            };
        control_track(id, 16, step, &z);
        resetClicks();
    }
}
}  // namespace

void envEd_newHScale(short id, short x, short y) { custom_new(id, x, y, 400, kEnvStripTop - y, rulerEvent); }

void envEd_newVScale(short id, short x, short y)
{
    // One pixel short of the strips, so that their left edge belongs to them.
    custom_new(id, x, y, kEnvStripLeft - x - 1, 300, rulerEvent);
}

void envEd_hScale_draw(short id)
{
    currentScope scope;
    if (!custom_getVisible(id) || !window_getVisible(winId_envelope)) return;
    RECT r;
    custom_getRect(id, &r);
    HDC hdc = window_getHDC(winId_envelope);
    if (!hdc) return;
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, r.left, r.top, r.right, r.bottom);
    fill(hdc, r, RGB(44, 49, 55));
    HPEN tick = CreatePen(PS_SOLID, 1, RGB(186, 190, 154));
    HGDIOBJ oldPen = SelectObject(hdc, tick);
    font_select(font_new(1, 8), hdc);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(226, 228, 200));
    const double rate = envEd_pixPerSec;
    const double d = envEd_tickSpacing(rate);
    const short decimals = rate >= 2048 ? 5 : rate >= 1024 ? 4 : rate >= 512 ? 3 : 2;
    double x = r.left - std::fmod(envEd_startTime * rate, d);
    for (; x < r.right; x += d) {
        int px = static_cast<int>(std::lround(x));
        MoveToEx(hdc, px, r.bottom - 5, nullptr);
        LineTo(hdc, px, r.bottom);
        MoveToEx(hdc, static_cast<int>(std::lround(x + d / 2)), r.bottom - 2, nullptr);
        LineTo(hdc, static_cast<int>(std::lround(x + d / 2)), r.bottom);
        char text[32];
        floatToString(text, static_cast<float>(envEd_pixToTime(r.left, x) + 0.000001), decimals);
        // Centred on its tick; a label cut by the ruler's left end starts there instead.
        RECT box{px - 24, r.top, px + 24, r.bottom - 4};
        UINT align = DT_CENTER;
        if (box.left < r.left) {
            box = RECT{r.left + 2, r.top, r.left + 50, r.bottom - 4};
            align = DT_LEFT;
        }
        DrawTextA(hdc, text, -1, &box, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    SelectObject(hdc, oldPen);
    DeleteObject(tick);
    RestoreDC(hdc, saved);
    window_freeHDC(winId_envelope, hdc);
}

// ---- level ruler ------------------------------------------------------------------------------------
void envEd_vScale_draw(short id)
{
    currentScope scope;
    if (!custom_getVisible(id) || !window_getVisible(winId_envelope)) return;
    RECT r;
    custom_getRect(id, &r);
    HDC hdc = window_getHDC(winId_envelope);
    if (!hdc) return;
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, r.left, r.top, r.right, r.bottom);
    fill(hdc, r, RGB(44, 49, 55));
    HPEN tick = CreatePen(PS_SOLID, 1, RGB(186, 190, 154));
    HGDIOBJ oldPen = SelectObject(hdc, tick);
    for (short s = kEnvFirstStrip; s <= kEnvLastStrip; ++s) {
        if (!custom_getVisible(s)) continue;
        long top = envEd_get(s)->top;
        for (int q = 0; q <= 8; ++q) {
            int y = static_cast<int>(top + (envEd_height - 1) * q / 8);
            int len = q % 4 == 0 ? 8 : (q % 2 == 0 ? 5 : 3);
            MoveToEx(hdc, r.right - len, y, nullptr);
            LineTo(hdc, r.right, y);
        }
    }
    SelectObject(hdc, oldPen);
    DeleteObject(tick);
    RestoreDC(hdc, saved);
    window_freeHDC(winId_envelope, hdc);
}
