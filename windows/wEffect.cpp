// The Effect window: an MDI child of class "wEffect_Wnd", toolkit window 5,
// created once at start-up from its row of the window table and hidden or
// shown thereafter. This file holds its life cycle, the update protocol, the
// main panel (on switch, type, dry and wet levels) and the rule that shows
// the pipe picture.
#include <cmath>
#include <cstdio>

#include "windows/editorWindow.h"

#include "resources/resources.h"

int update_wEffect = 0;
int g_pipeIsVisible = 0;

namespace {
struct currentScope {
    short saved;
    explicit currentScope(short id) : saved(window_getCurrent()) { window_setCurrent(id); }
    ~currentScope() { window_setCurrent(saved); }
};

// A level is never 0 or 1 (the plug-in divides by neither).
const double kLevelMin = 1.0 / 65536.0;
const double kLevelMax = 0.999985;
}  // namespace

// ---- life cycle ---------------------------------------------------------------------------------

void wEffect_makeWindow() { editorWindow_make(windowTable_find(winId_effect)); }

void wEffect_build()
{
    editorWindow_loadArtwork(kEffectInvertPict, res_registerRoutingSwitches);
    editorWindow_loadArtwork(kEffectLevelPict, res_registerWaveArt);
    editorWindow_loadArtwork(kEffectMainPict, res_registerEffectArt);
    wEffect_makeParams();
}

LRESULT CALLBACK wEffect_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short object = window_preProcess(winId_effect, hwnd, msg, wParam, lParam, 0);
    // Every control but the panels, the read-outs and the picture edits the preset.
    if (object > 0) {
        clickObjectRec* obj = clickObject_get(winId_effect, object);
        if (obj && obj->type != kTypePanel && obj->type != kTypeCustom && obj->type != kTypeDisplay)
            makePresetDirty();
    }
    LRESULT result;
    if (editorWindow_commonMessage(winId_effect, hwnd, msg, wParam, &result)) return result;
    // The animation tick of the pipe picture.
    if (msg == WM_COMMAND && LOWORD(wParam) == kCmdAnimatePipe) {
        window_manualPreProcess(winId_effect);
        wEffect_animatePipe(0);
        window_manualPostProcess(winId_effect);
        return 0;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void wEffect_show(int show)
{
    editorWindow_show(winId_effect, show);
    wEffect_updatePipeAnimationState();
}

void wEffect_updateSchedule()
{
    update_wEffect = 1;
    editorWindow_schedule(winId_effect);
}

int wEffect_needUpdate() { return editorWindow_needs(winId_effect); }

int wEffect_pipeIsVisible()
{
    HWND hwnd = window_getHWND(winId_effect);
    return g_pipeIsVisible && hwnd && IsWindowVisible(hwnd);
}

// ---- update -------------------------------------------------------------------------------------

void wEffect_update()
{
    if (!window_getHWND(winId_effect)) return;
    currentScope scope(winId_effect);
    editorWindow_clear(winId_effect);
    update_wEffect = 0;
    if (!gInst) return;
    button_select(kEffectActive, effect_getActive(gInst) ? 1 : 0);
    wEffect_updatePipe();
    wEffect_updateMulticomb();
    wEffect_updateMultitap();
    wEffect_setMode(effect_getMode(gInst));
}

void wEffect_setMode(short mode)
{
    if (!window_getHWND(winId_effect)) return;
    currentScope scope(winId_effect);
    static const short pages[3] = {kEffectPipePage, kEffectCombPage, kEffectTapPage};
    // Hide first, so that the page shown is drawn over a clean area.
    for (short k = 1; k <= 3; ++k)
        if (k != mode) panel_show(pages[k - 1], 0);
    if (mode >= 1 && mode <= 3) {
        popup_selectItem(kEffectType, mode);
        panel_show(pages[mode - 1], 1);
    }
    window_sizeToPanel(winId_effect, kEffectMainPanel);
    wEffect_updateBalanceSliders();
    wEffect_updatePipeAnimationState();
}

// ---- levels -------------------------------------------------------------------------------------

void wEffect_levelText(double level, char* out, int size)
{
    double d = ampToDB(level);
    // Within 0.199 dB of a whole number, the whole number is shown.
    double whole = std::round(d);
    if (std::fabs(d - whole) < 0.199) d = whole;
    std::snprintf(out, static_cast<size_t>(size), "%2.1f dB", d);
    control_dropNegativeZero(out);
}

void wEffect_updateBalanceSliders()
{
    if (!gInst || !window_getHWND(winId_effect)) return;
    currentScope scope(winId_effect);
    char text[32];
    const double dry = effect_getDryBalance(gInst), wet = effect_getWetBalance(gInst);
    draggy_setValH(kEffectDry, dry > 0 ? static_cast<float>(std::sqrt(dry)) : 0.0f);
    draggy_setValH(kEffectWet, wet > 0 ? static_cast<float>(std::sqrt(wet)) : 0.0f);
    wEffect_levelText(dry, text, sizeof text);
    display_setText(kEffectDryText, text);
    wEffect_levelText(wet, text, sizeof text);
    display_setText(kEffectWetText, text);
}

void wEffect_callback_sliders(short id)
{
    if (!gInst) return;
    double v = draggy_getValH(id);
    if (!(v >= kLevelMin)) v = kLevelMin;
    if (v > 1.0) v = 1.0;
    double g = v * v;
    if (g < kLevelMin) g = kLevelMin;
    if (g > kLevelMax) g = kLevelMax;
    char text[32];
    wEffect_levelText(g, text, sizeof text);
    if (id == kEffectDry) {
        display_setText(kEffectDryText, text);
        effect_setDryBalance(gInst, g);
    } else if (id == kEffectWet) {
        display_setText(kEffectWetText, text);
        effect_setWetBalance(gInst, g);
    }
    wMeter_resetPeak();
}

// ---- on switch and type -------------------------------------------------------------------------

void wEffect_callback_activeButton(short id)
{
    if (!gInst) return;
    // The plug-in is faded out and paused while the effect changes state.
    inst_pauseAudio(gInst, 1);
    effect_setActive(gInst, button_isSelected(id));
    effect_reinitBuf(gInst);
    inst_patchInfoPrepare(gInst);
    inst_resumeAudio(gInst);
    wPatch_enableEffect();
    wEffect_updatePipeAnimationState();
}

void wEffect_callback_type(short, short menu, short item)
{
    if (!gInst || menu != 0 || item < 1 || item > 3) return;
    effect_setMode(gInst, item);
    // The page shown takes the time mode and tempo of its own record.
    if (item == effectMode_pipe) wEffect_updatePipe();
    if (item == effectMode_multicomb) wEffect_updateMulticomb();
    if (item == effectMode_multitap) wEffect_updateMultitap();
    wEffect_setMode(item);
    wPatch_enableEffect();
}

void wEffect_updatePipeAnimationState()
{
    HWND hwnd = window_getHWND(winId_effect);
    if (!hwnd) return;
    currentScope scope(winId_effect);
    int show =
        gInst && effect_getActive(gInst) && effect_getMode(gInst) == effectMode_pipe && IsWindowVisible(hwnd);
    g_pipeIsVisible = show ? 1 : 0;
    wPatch_showInPanels(kPipePicture, g_pipeIsVisible);
    if (g_pipeIsVisible) wEffect_animatePipe(1);
}
