// The envelope strips (custom controls 6..21): each shows one envelope of
// the current instrument on the common time axis, level 0 at its bottom
// and 1 at its top. Drawing builds the hit rectangles of the start square,
// the breakpoint squares and the two markers that clicks are tested
// against. This file also holds the strips' selection.
//
// Index:
//   state ............... view globals, per-strip records
//   time and level ...... positions, pixel conversions, the curve's level
//   drawing ............. background, grid, curve, squares, markers, name
//   selection ........... envelope, breakpoint, grid and lock switches
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "windows/editorWindow.h"

// ---- state ----------------------------------------------------------------------------------
double envEd_pixPerSec = 128.0;
double envEd_pixPerSecCoef = 1.0 / 128.0;
double envEd_startTime = 0.0;
long envEd_height = 128;
long envEd_vScrollPos = 0;
int g_envEd_drawGrid = 0;
int g_envEd_lock = 0;
int g_drawEnvName = 1;
short g_envEd_selectedEnv = kEnvBpNone;
short g_envEd_selectedBp = kEnvBpNone;
short g_envEd_selectedParam = 0;
short g_envEd_selectedChan = 0;

namespace {
envEdRec strips[kEnvStrips];

bool isStrip(short id) { return id >= kEnvFirstStrip && id <= kEnvLastStrip; }

struct currentScope {
    short saved;
    currentScope() : saved(window_getCurrent()) { window_setCurrent(winId_envelope); }
    ~currentScope() { window_setCurrent(saved); }
};

const RECT kNoRect = {0, 0, 0, 0};
const int kSquare = 3;  // half the side of a breakpoint square
const int kHit = 4;     // half the side of its hit rectangle
}  // namespace

envEdRec* envEd_get(short id) { return isStrip(id) ? &strips[id - kEnvFirstStrip] : nullptr; }

short envEd_lastPoint(const envInstRec* env)
{
    if (!env) return 0;
    int last = env->lastPoint;
    return static_cast<short>(last < 0 ? 0 : (last > kEnvBreakpoints - 1 ? kEnvBreakpoints - 1 : last));
}

static void envEvent(short id, long event, long a, long b)
{
    switch (event) {
    case kCustomDraw: envEd_draw(id); break;
    case kCustomClick: envEd_click(id); break;
    case kCustomRightClick: envEd_rightClick(id, static_cast<short>(a), static_cast<short>(b)); break;
    default: break;
    }
}

void envEd_new(short id, short x, short y)
{
    envEdRec* rec = envEd_get(id);
    if (!rec) return;
    *rec = envEdRec{};
    rec->envId = -1;
    rec->top = y;
    custom_new(id, x, y, 400, static_cast<short>(envEd_height), envEvent);
    custom_setUserData(id, rec);
}

void envEd_delete(short id)
{
    if (envEd_get(id)) custom_delete(id);
}

void envEd_resize(short id, short width, short height) { custom_resize(id, width, height); }

void envEd_setEnvId(short id, short env)
{
    if (envEdRec* rec = envEd_get(id)) {
        rec->envId = env >= 0 && env < kEnvSlots ? env : -1;
        rec->squares = 0;
        rec->start = rec->loop = rec->sustain = kNoRect;
    }
}

short envEdGetEnvId(short id)
{
    envEdRec* rec = envEd_get(id);
    return rec ? rec->envId : -1;
}

// ---- time and level ---------------------------------------------------------------------------
double envEd_getBreakpointAbsTime(const envInstRec* env, short i)
{
    if (!env || i < 0) return 0.0;
    if (i >= kEnvBreakpoints) i = kEnvBreakpoints - 1;
    double sum = 0.0;
    for (short k = 0; k <= i; ++k) sum += env->bp[k].time;
    return sum / kEnvRate;
}

double envEd_timeToPix(double left, double t) { return (t - envEd_startTime) * envEd_pixPerSec + left; }

double envEd_pixToTime(double left, double x) { return (x - left) * envEd_pixPerSecCoef + envEd_startTime; }

namespace {
double segmentLevel(double a0, double a1, double slope, double t)
{
    if (t <= 0.0) return a0;
    if (t >= 1.0) return a1;
    return a0 + (a1 - a0) * std::pow(t, static_cast<double>(slope));
}

int lastOf(const envInstRec* env) { return envEd_lastPoint(env); }

// A segment's length for drawing: a damaged time (negative, not a number,
// beyond a day) draws as nothing rather than as a wild coordinate.
double segmentSeconds(const envBreakpointRec& bp)
{
    double s = bp.time / kEnvRate;
    return std::isfinite(s) && s > 0.0 && s < 86400.0 ? s : 0.0;
}

// Position of breakpoint i as drawn.
double drawnPosition(const envInstRec* env, int i)
{
    double sum = 0.0;
    for (int k = 0; k <= i && k <= lastOf(env); ++k) sum += segmentSeconds(env->bp[k]);
    return sum;
}

double levelOf(float level)
{
    return std::isfinite(level) ? (level < 0.0f ? 0.0 : (level > 1.0f ? 1.0 : level)) : 0.0;
}
}  // namespace

// ---- drawing -----------------------------------------------------------------------------------
namespace {
struct gdiPen {
    HPEN pen;
    gdiPen(int style, int width, COLORREF c) : pen(CreatePen(style, width, c)) {}
    ~gdiPen()
    {
        if (pen) DeleteObject(pen);
    }
};
struct gdiBrush {
    HBRUSH brush;
    explicit gdiBrush(COLORREF c) : brush(CreateSolidBrush(c)) {}
    ~gdiBrush()
    {
        if (brush) DeleteObject(brush);
    }
};

void fillBox(HDC hdc, int l, int t, int r, int b, HBRUSH brush)
{
    RECT rect{l, t, r, b};
    FillRect(hdc, &rect, brush);
}

void line(HDC hdc, HPEN pen, int x0, int y0, int x1, int y1)
{
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, x0, y0, nullptr);
    LineTo(hdc, x1, y1);
    SelectObject(hdc, old);
}

int levelToY(int top, double level)
{
    level = levelOf(static_cast<float>(level));
    return top + static_cast<int>(std::lround((1.0 - level) * (envEd_height - 1)));
}

// The curve from x = left edge of the view to its right edge, sampled every
// few pixels within each segment; points[0] is the start level at time 0.
void buildCurve(const envInstRec* env, const RECT& view, int top, std::vector<POINT>& pts)
{
    const double left = view.left;
    double a0 = env->depth;
    double pos = 0.0;
    double x0 = envEd_timeToPix(left, 0.0);
    const double lo = view.left - 2.0, hi = view.right + 2.0;
    if (x0 >= lo && x0 <= hi) pts.push_back(POINT{static_cast<LONG>(std::lround(x0)), levelToY(top, a0)});
    for (int i = 0; i <= lastOf(env); ++i) {
        const envBreakpointRec& bp = env->bp[i];
        double end = pos + segmentSeconds(bp);
        double x1 = envEd_timeToPix(left, end);
        if (x1 >= lo && x0 <= hi) {
            double span = x1 - x0;
            double from = span > 0.0 ? (lo - x0) / span : 0.0, to = span > 0.0 ? (hi - x0) / span : 1.0;
            if (from < 0.0) from = 0.0;
            if (to > 1.0) to = 1.0;
            int steps = bp.slope == 1.0f ? 1 : static_cast<int>((to - from) * span / 3.0) + 1;
            if (steps > 200) steps = 200;
            for (int k = 0; k <= steps; ++k) {
                double t = from + (to - from) * k / steps;
                double x = x0 + span * t;
                pts.push_back(POINT{static_cast<LONG>(std::lround(x)),
                                    levelToY(top, segmentLevel(a0, bp.level, bp.slope, t))});
            }
        }
        if (x0 > hi) break;
        a0 = bp.level;
        pos = end;
        x0 = x1;
    }
}

// Half-beat lines of the tempo grid over the view.
void drawGrid(HDC hdc, const RECT& view, int top, int bottom)
{
    double step = wEnv_gridLength() / kEnvRate / wEnv_gridBeats() * 0.5;
    if (!(step > 0.0) || step * envEd_pixPerSec < 3.0) return;
    gdiPen grid(PS_SOLID, 1, RGB(35, 57, 97));
    gdiPen beat(PS_SOLID, 1, RGB(52, 80, 128));
    double first = std::ceil(envEd_startTime / step);
    for (double n = first;; n += 1.0) {
        double x = envEd_timeToPix(view.left, n * step);
        if (x >= view.right) break;
        bool onBeat = std::fmod(n, 2.0) == 0.0;
        line(hdc, onBeat ? beat.pen : grid.pen, static_cast<int>(x), top, static_cast<int>(x), bottom);
    }
}

// A marker flag at x: the sustain marker hangs from the top edge, the
// loop-start marker stands on the bottom edge.
RECT drawMarker(HDC hdc, int x, int top, int bottom, bool sustain, bool active)
{
    COLORREF c = sustain ? RGB(64, 220, 120) : RGB(255, 176, 48);
    gdiPen dash(PS_DOT, 1, c);
    line(hdc, dash.pen, x, top, x, bottom);
    gdiBrush flag(active ? RGB(255, 255, 255) : c);
    HGDIOBJ oldBrush = SelectObject(hdc, flag.brush);
    HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(NULL_PEN));
    POINT tri[3];
    if (sustain) {
        tri[0] = POINT{x - 6, top};
        tri[1] = POINT{x + 7, top};
        tri[2] = POINT{x, top + 8};
    } else {
        tri[0] = POINT{x - 6, bottom};
        tri[1] = POINT{x + 7, bottom};
        tri[2] = POINT{x, bottom - 8};
    }
    Polygon(hdc, tri, 3);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
    return sustain ? RECT{x - 6, top, x + 7, top + 10} : RECT{x - 6, bottom - 10, x + 7, bottom};
}

bool showsSustain(const envInstRec* env)
{
    return (env->envMode == envMode_sustain || env->envMode == envMode_loop) && env->sustainPoint >= 0 &&
           env->sustainPoint <= envEd_lastPoint(env);
}

bool showsLoop(const envInstRec* env)
{
    return env->envMode == envMode_loop && env->loopStart >= 0 && env->loopStart <= envEd_lastPoint(env);
}

void paintStrip(HDC hdc, short id, envEdRec* rec, const RECT& view)
{
    const int top = rec->top, bottom = top + static_cast<int>(envEd_height);
    const bool selected = g_envEd_selectedEnv == id;
    gdiBrush bg(selected ? RGB(24, 31, 38) : RGB(17, 20, 24));
    fillBox(hdc, view.left, view.top, view.right, view.bottom, bg.brush);
    rec->squares = 0;
    rec->start = rec->loop = rec->sustain = kNoRect;
    // Level guides at 1/4, 1/2 and 3/4, and the grid.
    gdiPen guide(PS_SOLID, 1, RGB(30, 35, 41));
    for (int q = 1; q < 4; ++q) {
        int y = top + static_cast<int>((envEd_height - 1) * q / 4);
        line(hdc, guide.pen, view.left, y, view.right, y);
    }
    if (g_envEd_drawGrid) drawGrid(hdc, view, top, bottom);
    envInstRec* env = rec->envId >= 0 && gInst ? inst_getEnvInst(gInst, rec->envId) : nullptr;
    if (env && env->param != 0) {
        // The loop region, lightly shaded between its two markers.
        double xs = envEd_timeToPix(view.left, drawnPosition(env, env->sustainPoint));
        if (showsLoop(env) && showsSustain(env)) {
            double xl = envEd_timeToPix(view.left, drawnPosition(env, env->loopStart));
            gdiBrush loop(RGB(38, 36, 24));
            fillBox(hdc, static_cast<int>(xl), top, static_cast<int>(xs) + 1, bottom, loop.brush);
        }
        std::vector<POINT> pts;
        pts.reserve(512);
        buildCurve(env, view, top, pts);
        if (pts.size() >= 2) {
            // The filled area under the curve, then the curve.
            pts.push_back(POINT{pts.back().x, bottom});
            pts.push_back(POINT{pts.front().x, bottom});
            gdiBrush area(selected ? RGB(20, 62, 92) : RGB(16, 48, 70));
            HGDIOBJ oldBrush = SelectObject(hdc, area.brush);
            HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(NULL_PEN));
            Polygon(hdc, pts.data(), static_cast<int>(pts.size()));
            SelectObject(hdc, oldPen);
            SelectObject(hdc, oldBrush);
            pts.resize(pts.size() - 2);
            // Two pixels thick as two one-pixel lines, the fast path of the drawing layer.
            gdiPen curve(PS_SOLID, 1, selected ? RGB(90, 200, 255) : RGB(0, 158, 255));
            HGDIOBJ old = SelectObject(hdc, curve.pen);
            Polyline(hdc, pts.data(), static_cast<int>(pts.size()));
            for (POINT& q : pts) ++q.y;
            Polyline(hdc, pts.data(), static_cast<int>(pts.size()));
            SelectObject(hdc, old);
        }
        // Markers behind the squares.
        if (showsSustain(env)) rec->sustain = drawMarker(hdc, static_cast<int>(xs), top, bottom, true, false);
        if (showsLoop(env)) {
            double xl = envEd_timeToPix(view.left, drawnPosition(env, env->loopStart));
            rec->loop = drawMarker(hdc, static_cast<int>(xl), top, bottom, false, false);
        }
        // Squares: the start level, then every breakpoint in the view.
        gdiBrush square(RGB(0, 255, 255));
        gdiBrush startFill(RGB(255, 210, 80));
        gdiBrush chosen(RGB(255, 64, 64));
        gdiBrush white(RGB(255, 255, 255));
        auto drawSquare = [&](int x, int y, HBRUSH fill, bool isSelected) {
            if (isSelected) {
                fillBox(hdc, x - kSquare - 2, y - kSquare - 2, x + kSquare + 3, y + kSquare + 3, white.brush);
                fillBox(hdc, x - kSquare - 1, y - kSquare - 1, x + kSquare + 2, y + kSquare + 2,
                        chosen.brush);
            } else {
                fillBox(hdc, x - kSquare, y - kSquare, x + kSquare + 1, y + kSquare + 1, fill);
            }
        };
        int sx = static_cast<int>(std::lround(envEd_timeToPix(view.left, 0.0)));
        int sy = levelToY(top, env->depth);
        if (sx >= view.left - kHit && sx <= view.right + kHit) {
            drawSquare(sx, sy, startFill.brush, selected && g_envEd_selectedBp == kEnvBpStart);
            rec->start = RECT{sx - kHit, sy - kHit, sx + kHit + 1, sy + kHit + 1};
        }
        double pos = 0.0;
        for (int i = 0; i <= lastOf(env); ++i) {
            pos += segmentSeconds(env->bp[i]);
            double x = envEd_timeToPix(view.left, pos);
            if (x > view.right + kHit) break;
            if (x < view.left - kHit) continue;
            int px = static_cast<int>(std::lround(x)), py = levelToY(top, env->bp[i].level);
            drawSquare(px, py, square.brush, selected && g_envEd_selectedBp == i);
            envHitRec& hit = rec->square[rec->squares++];
            hit.rect = RECT{px - kHit, py - kHit, px + kHit + 1, py + kHit + 1};
            hit.index = static_cast<short>(i);
        }
        if (g_drawEnvName) {
            char name[24];
            envEd_getName(name, env->param, env->channel);
            font_select(font_new(1, 9), hdc);
            SetBkMode(hdc, TRANSPARENT);
            SetTextColor(hdc, selected ? RGB(250, 250, 215) : RGB(170, 175, 160));
            RECT text{view.left + 6, top + 3, view.left + 300, top + 17};
            if (text.top >= view.top) DrawTextA(hdc, name, -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    // The strip's lower edge, and a frame around the selected one.
    gdiPen edge(PS_SOLID, 1, RGB(39, 39, 39));
    line(hdc, edge.pen, view.left, bottom - 1, view.right, bottom - 1);
    if (selected) {
        gdiPen frame(PS_SOLID, 1, RGB(68, 160, 150));
        HGDIOBJ old = SelectObject(hdc, frame.pen);
        HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
        Rectangle(hdc, view.left, top, view.right, bottom);
        SelectObject(hdc, oldBrush);
        SelectObject(hdc, old);
    }
}
}  // namespace

void envEd_draw(short id)
{
    envEdRec* rec = envEd_get(id);
    if (!rec) return;
    currentScope scope;
    if (!custom_getVisible(id) || !window_getVisible(winId_envelope)) return;
    RECT view;
    custom_getRect(id, &view);
    if (view.bottom <= view.top || view.right <= view.left) return;
    HDC hdc = window_getHDC(winId_envelope);
    if (!hdc) return;
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, view.left, view.top, view.right, view.bottom);
    paintStrip(hdc, id, rec, view);
    RestoreDC(hdc, saved);
    window_freeHDC(winId_envelope, hdc);
}

void envEd_update(short id) { envEd_draw(id); }

void envEd_drawAll()
{
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip; ++id)
        if (envEd_get(id)->envId >= 0) envEd_draw(id);
}

void envEd_drawSelected()
{
    if (isStrip(g_envEd_selectedEnv)) envEd_draw(g_envEd_selectedEnv);
}

// ---- selection -----------------------------------------------------------------------------------
void envEd_selectEnvelope(short id)
{
    currentScope scope;
    short previous = g_envEd_selectedEnv;
    envEdRec* rec = envEd_get(id);
    if (!rec || rec->envId < 0 || !gInst) {
        g_envEd_selectedEnv = kEnvBpNone;
        g_envEd_selectedBp = kEnvBpNone;
        currentEditEnv = -1;
        display_setText(kEnvNameDisplay, "");
        panel_show(kEnvModePanel, 0);
        copy_setMode(0);
        if (isStrip(previous)) envEd_draw(previous);
        return;
    }
    g_envEd_selectedEnv = id;
    const envInstRec* env = inst_getEnvInst(gInst, rec->envId);
    currentEditEnv = rec->envId;
    g_envEd_selectedParam = env->param;
    g_envEd_selectedChan = env->channel;
    panel_show(kEnvModePanel, 1);
    wEnv_updateEnvParams();
    char name[24];
    envEd_getName(name, env->param, env->channel);
    display_setText(kEnvNameDisplay, name);
    if (isStrip(previous) && previous != id) envEd_draw(previous);
    envEd_draw(id);
}

void envEd_selectBreakpoint(short index)
{
    envInstRec* env = envEd_getEnvInstRec();
    if (!env || index < kEnvBpNone || index > envEd_lastPoint(env)) index = kEnvBpNone;
    g_envEd_selectedBp = index;
    wEnv_updateEnvParams();
    envEd_drawSelected();
}

void envEd_updateSelectEnvelope()
{
    // The selection follows its envelope to whichever strip shows it now.
    short keep = currentEditEnv;
    short bp = g_envEd_selectedBp;
    short found = 0;
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip && keep >= 0; ++id)
        if (custom_getVisible(id) && envEd_get(id)->envId == keep) {
            found = id;
            break;
        }
    if (!found) {
        envEd_selectEnvelope(0);
        return;
    }
    g_envEd_selectedEnv = found;
    envInstRec* env = inst_getEnvInst(gInst, keep);
    g_envEd_selectedBp =
        bp >= kEnvBpStart && bp <= envEd_lastPoint(env) ? bp : static_cast<short>(kEnvBpNone);
    envEd_selectEnvelope(found);
}

envInstRec* envEd_getEnvInstRec()
{
    if (!gInst || currentEditEnv < 0 || currentEditEnv >= kEnvSlots) return nullptr;
    envInstRec* env = inst_getEnvInst(gInst, currentEditEnv);
    return env->param != 0 ? env : nullptr;
}

envBreakpointRec* envEd_getEnvInstSelectedBp()
{
    envInstRec* env = envEd_getEnvInstRec();
    if (!env || g_envEd_selectedBp < 0 || g_envEd_selectedBp > envEd_lastPoint(env)) return nullptr;
    return &env->bp[g_envEd_selectedBp];
}

short envEd_getCurrentId() { return g_envEd_selectedEnv; }
short envEd_getCurrentParam() { return g_envEd_selectedParam; }
short envEd_getCurrentChan() { return g_envEd_selectedChan; }

void envEd_setShowGrid(int on)
{
    g_envEd_drawGrid = on ? 1 : 0;
    envEd_drawAll();
}

void envEd_setLockSlide(int lock) { g_envEd_lock = lock ? 1 : 0; }

void envEd_enableAll(int enable)
{
    currentScope scope;
    enable = enable ? 1 : 0;
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip; ++id) custom_enable(id, enable);
    // Everything else that edits envelopes; the list, the rulers and the
    // scroll bars keep choosing what is seen.
    button_enable(kEnvNewButton, enable);
    button_enable(kEnvAutoscale, enable);
    popup_enable(kEnvModePopup, 0, enable);
    popup_enable(kEnvTransformPopup, 0, enable);
    for (short id = kEnvBpm; id <= kEnvSlopeBox; ++id) {
        clickObjectRec* box = clickObject_get(winId_envelope, id);
        if (box->type != kTypeNumbox || box->enabled == enable) continue;
        box->enabled = enable;
        numbox_draw(id);
    }
}
