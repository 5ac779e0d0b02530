// The pipe picture of the Effect window (control 28): a 2-pixel bar from
// x 54 to 477 at y 250 standing for the delay line, lit from its left end
// in proportion to the feedback (half lit without feedback, nearly dark at
// -0.999, nearly all lit at 0.999), with the input marker above the bar
// and the two output markers below it, each at x = 51 + 423 p for its
// position p. The animation tick draws it again only when one of the
// values it shows has changed (an edit, another instance, a preset).
#include <cmath>

#include "windows/windows.h"

#include "resources/resources.h"

namespace {
// What the picture showed last; drawn again when it differs.
struct pipeShownRec {
    int drawn;
    double feedback, in, out[2];
};
pipeShownRec s_shown = {0, 0, 0, {0, 0}};

const int kInMarkTop = kPipeBarY - 14;  // the input marker ends just above the bar
const int kOutMarkTop = kPipeBarY + 3;  // the output markers start just below it

pipeShownRec current()
{
    pipeShownRec r{1, 0, 0, {0, 0}};
    if (!gInst) return r;
    r.feedback = effect_pipe_getFeedback(gInst);
    r.in = effect_pipe_getInPos(gInst);
    r.out[0] = effect_pipe_getOutPos(gInst, 0);
    r.out[1] = effect_pipe_getOutPos(gInst, 1);
    return r;
}

void fill(HDC hdc, int left, int top, int right, int bottom, HBRUSH brush)
{
    RECT r{left, top, right, bottom};
    if (brush && right > left && bottom > top) FillRect(hdc, &r, brush);
}

// The well is the window's darkest colour, as painted under the picture.
COLORREF wellColor()
{
    unsigned char red, green, blue;
    res_colorBytes(res_theme().window, &red, &green, &blue);
    return RGB(red, green, blue);
}
}  // namespace

int wEffect_pipeMarkX(double p)
{
    if (!(p >= 0.0)) p = 0.0;
    if (p > 1.0) p = 1.0;
    return kPipeBarLeft - kPipeMarkOffset + static_cast<int>(std::lround(kPipeBarLength * p));
}

int wEffect_pipeSplitX(double v)
{
    if (!(v >= -1.0)) v = -1.0;
    if (v > 1.0) v = 1.0;
    return kPipeBarLeft + static_cast<int>(std::lround(kPipeBarLength * (0.5 + 0.5 * v)));
}

void wEffect_pipeEvent(short id, long event, long, long)
{
    if (event != kCustomDraw) return;
    short window = window_getCurrent();
    HDC hdc = window_getHDC(window);
    if (!hdc) return;
    RECT r;
    custom_getRect(id, &r);
    pipeShownRec now = current();
    // Each marker's former place is cleared with the whole well.
    HBRUSH well = CreateSolidBrush(wellColor());
    FillRect(hdc, &r, well);
    DeleteObject(well);
    int split = wEffect_pipeSplitX(now.feedback);
    const int right = kPipeBarLeft + kPipeBarLength;
    fill(hdc, kPipeBarLeft, kPipeBarY, split, kPipeBarY + 2, wEffect_pipeOnBrush);
    fill(hdc, split, kPipeBarY, right, kPipeBarY + 2, wEffect_pipeOffBrush);
    window_freeHDC(window, hdc);
    bitmap_draw(kEffectInMarkPict, static_cast<short>(wEffect_pipeMarkX(now.in)), kInMarkTop);
    bitmap_draw(kEffectOut1MarkPict, static_cast<short>(wEffect_pipeMarkX(now.out[0])), kOutMarkTop);
    bitmap_draw(kEffectOut2MarkPict, static_cast<short>(wEffect_pipeMarkX(now.out[1])), kOutMarkTop);
    s_shown = now;
}

void wEffect_animatePipe(int force)
{
    if (!window_getHWND(winId_effect) || !g_pipeIsVisible) return;
    pipeShownRec now = current();
    if (!force && s_shown.drawn && now.feedback == s_shown.feedback && now.in == s_shown.in &&
        now.out[0] == s_shown.out[0] && now.out[1] == s_shown.out[1])
        return;
    short saved = window_getCurrent();
    window_setCurrent(winId_effect);
    custom_draw(kPipePicture);
    window_setCurrent(saved);
}
