#include "dsp/pan.h"

#include <cmath>

#include "dsp/inst.h"

namespace {
float clampGain(float v)
{
    if (v < 1e-9f) return 0.0f;
    if (v > 0.999f) return 0.999f;
    return v;
}
}  // namespace

void pan_initInstRec(instRec* inst)
{
    if (!inst) return;
    panInstRec* pan = &inst->pan;
    for (int i = 0; i < 1024; ++i)
        pan->left[i] = clampGain((float)std::pow(0.5 * std::cos(M_PI * i / 1024.0) + 0.5, 0.5));
    for (int i = 0; i < 1024; ++i) pan->right[i] = pan->left[1023 - i];
    pan->left[1023] = 0.0001f;
    pan->position = 512;
    pan->curLeft = pan->left[512];
    pan->curRight = pan->right[512];
    pan_fillCtlTable(inst);
}

void pan_initVoiceRec(instRec*) {}

void pan_setVal(instRec* inst, float p)
{
    if (!inst) return;
    float x = p * 1024.0f;
    if (x >= 1024.0f) x = 1023.0f;
    if (x < 0.0f || std::isnan(x)) x = 0.0f;
    inst->pan.position = (int16_t)x;
    pan_fillCtlTable(inst);
}

void pan_fillCtlTable(instRec* inst)
{
    if (!inst) return;
    panInstRec* pan = &inst->pan;
    float c = pan->position / 1024.0f;
    for (int i = 0; i < 64; ++i) pan->ctl[i] = clampGain(i * (c / 64.0f));
    for (int i = 0; i < 64; ++i) pan->ctl[64 + i] = clampGain(c + i * ((1.0f - c) / 64.0f));
}
