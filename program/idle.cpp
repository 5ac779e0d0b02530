// The two periodic drivers: the frame's idle step every 50 ms (splash,
// window updates, the poll of the plug-ins) and the toolkit timer's
// callback every 0.05 s (meter, keyboard, sliders, effect animation).
#include "program/program.h"

#include "windows/windows.h"

namespace {
int splashHidden = 0;
short lastSustain = -1;
}  // namespace

void idle_reset()
{
    splashHidden = 0;
    lastSustain = -1;
}

void idle()
{
    short saved = window_getCurrent();
    if (!splashHidden && GetTickCount() - g_startTick > static_cast<DWORD>(kSplashMs)) {
        splashHidden = 1;
        window_show(winId_splash, 0);
    }
    updateWindows();
    MorvaneEngine_idle();
    if (!program_hasQuit()) window_setCurrent(saved);
}

void mainTimerCallback(short, void*)
{
    if (program_hasQuit() || !gInst) return;
    sendUpdateMessage(winId_meter);
    short sustain = midi_getCCVal(gInst, 64);
    if (midi_bag_changed(gInst) || sustain != lastSustain) {
        tellUpdateKbd();
        lastSustain = sustain;
    }
    if (midi_cc_needUpdate(gInst)) tellUpdateSliders();
    if (wEffect_pipeIsVisible()) tellAnimatePipe();
}
