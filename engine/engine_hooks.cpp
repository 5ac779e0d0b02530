// The table of desktop hooks, and the bridges that carry the messages of
// bank/ and the silent channel of dsp/ into it.
#include "engine/engine.h"

#include <cstdio>

namespace {
engineHooksRec hooks = {};

// The first button of a style, the answer of a box nobody can see.
int firstButton(unsigned style)
{
    switch (style & 0xF) {
    case engineMB_yesNoCancel:
    case engineMB_yesNo: return engineID_yes;
    default: return engineID_ok;
    }
}
}  // namespace

void engine_setHooks(const engineHooksRec* table) { hooks = table ? *table : engineHooksRec{}; }

const engineHooksRec* engine_getHooks() { return &hooks; }

void engine_setErrorProc(void (*proc)(const char* text)) { hooks.error = proc; }

int engine_message(const char* text, const char* caption, unsigned style)
{
    if (!text) return engineID_ok;
    if (hooks.messageBox) return hooks.messageBox(text, caption ? caption : "", style);
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text);
    return firstButton(style);
}

void engine_error(const char* text)
{
    if (text && hooks.error) hooks.error(text);
}

void engine_scheduleRedraw()
{
    if (hooks.scheduleRedraw) hooks.scheduleRedraw();
}

void engine_scheduleMatrixUpdate()
{
    if (hooks.scheduleMatrixUpdate) hooks.scheduleMatrixUpdate();
}
