// The pens, brushes and cursors that the Waveform, Envelope, Effect and
// Main windows draw with, made at start-up and deleted at shutdown.
#include "windows/windows.h"

HPEN wWave_centerLinePen = nullptr, wWave_waveLinePen = nullptr, wWave_bluePen = nullptr,
     wWave_spectrumHilitePen = nullptr, wWave_spectrumPhasePen = nullptr;
HPEN wEnv_redPen = nullptr, wEnv_linePen = nullptr, wEnv_greenPen = nullptr, wEnv_gridPen = nullptr,
     wEnv_bottomPen = nullptr;
HBRUSH wEnv_hScaleBgBrush = nullptr, wEnv_windowBgBrush = nullptr, wEnv_squareBrush = nullptr,
       wMain_windowBgBrush = nullptr, wAudio_windowBgBrush = nullptr, wEffect_pipeOnBrush = nullptr,
       wEffect_pipeOffBrush = nullptr;
HCURSOR wEnv_cur_143 = nullptr, wEnv_cur_144 = nullptr, wEnv_cur_145 = nullptr, wEnv_cur_146 = nullptr,
        wEnv_cur_149 = nullptr, wEnv_cur_150 = nullptr;

namespace {
struct penRec {
    HPEN* pen;
    unsigned char r, g, b;
};
struct brushRec {
    HBRUSH* brush;
    unsigned char r, g, b;
};
struct cursorRec {
    HCURSOR* cursor;
    int id;
};

const penRec kPens[] = {
    {&wWave_centerLinePen, 49, 49, 0},
    {&wWave_waveLinePen, 204, 254, 49},
    {&wWave_bluePen, 49, 100, 100},
    {&wWave_spectrumHilitePen, 68, 255, 211},
    {&wWave_spectrumPhasePen, 107, 174, 215},
    {&wEnv_redPen, 255, 0, 0},
    {&wEnv_linePen, 0, 158, 255},
    {&wEnv_greenPen, 0, 152, 89},
    {&wEnv_gridPen, 35, 57, 97},
    {&wEnv_bottomPen, 39, 39, 39},
};
const brushRec kBrushes[] = {
    {&wEnv_hScaleBgBrush, 186, 190, 154},   {&wEnv_windowBgBrush, 75, 95, 99},
    {&wEnv_squareBrush, 0, 255, 255},       {&wMain_windowBgBrush, 145, 171, 174},
    {&wAudio_windowBgBrush, 243, 245, 246}, {&wEffect_pipeOnBrush, 37, 255, 58},
    {&wEffect_pipeOffBrush, 0, 69, 11},
};
const cursorRec kCursors[] = {
    {&wEnv_cur_143, 143}, {&wEnv_cur_144, 144}, {&wEnv_cur_145, 145},
    {&wEnv_cur_146, 146}, {&wEnv_cur_149, 149}, {&wEnv_cur_150, 150},
};
}  // namespace

void pensAndBrushes_init()
{
    pensAndBrushes_cleanup();
    for (const penRec& p : kPens) *p.pen = CreatePen(PS_SOLID, 1, RGB(p.r, p.g, p.b));
    for (const brushRec& b : kBrushes) *b.brush = CreateSolidBrush(RGB(b.r, b.g, b.b));
    for (const cursorRec& c : kCursors) *c.cursor = LoadCursorA(platform_instance(), MAKEINTRESOURCE(c.id));
}

void pensAndBrushes_cleanup()
{
    for (const penRec& p : kPens) {
        if (*p.pen) DeleteObject(*p.pen);
        *p.pen = nullptr;
    }
    for (const brushRec& b : kBrushes) {
        if (*b.brush) DeleteObject(*b.brush);
        *b.brush = nullptr;
    }
}
