// The Effect window, headless, driven through injected mouse and key events
// and pop-up choices: the type and its pages, the dry and wet levels with
// their read-outs, the on switch's pause and resume around the change, the
// tempo entry of the three kinds with its moving limits, every box and
// switch of the three pages reaching the shared record, the pipe picture,
// the Patch window's effect section, and screenshots of the three pages.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "iac/MorvaneIAC_plug.h"
#include "resources/resources.h"
#include "tests/windows/window_session.h"

namespace {
class EffectWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, windowSession_open(&session_, "weffect"));
        oscil_setActive(gInst, 0, 1);
        wPatch_makeWindow();
        wEffect_makeWindow();
        ASSERT_NE(nullptr, window_getHWND(winId_effect));
        wEffect_show(1);
        wEffect_update();
        settle();
    }
    void TearDown() override { windowSession_close(&session_); }
    HWND hwnd() { return window_getHWND(winId_effect); }
    void settle() { windowSession_settle(winId_effect); }
    POINT screen(int x, int y) { return windowSession_screen(winId_effect, x, y); }
    void clickAt(int x, int y) { windowSession_clickAt(winId_effect, x, y); }
    void click(short id) { windowSession_clickObject(winId_effect, id); }
    void choose(short popup, short item)
    {
        headless_answerNextPrompt(item);
        click(popup);
    }
    void type(short id, const char* text)
    {
        ASSERT_NE(nullptr, numbox_get(id)) << id;
        windowSession_typeInto(winId_effect, id, text);
    }
    void drag(short id, int dx)
    {
        draggyRec* d = draggy_get(id);
        ASSERT_NE(nullptr, d);
        int x = (d->knobRect.left + d->knobRect.right) / 2, y = (d->knobRect.top + d->knobRect.bottom) / 2;
        POINT p = screen(x, y);
        headless_mouseMove(p.x, p.y);
        headless_mouseDown(1);
        for (int i = 1; i <= 4; ++i) {
            POINT q = screen(x + dx * i / 4, y);
            headless_mouseMove(q.x, q.y);
        }
        // The knob trails the pointer: held still, it catches up.
        POINT end = screen(x + dx, y);
        for (int i = 0; i < 40; ++i) headless_mouseMove(end.x, end.y);
        headless_mouseUp(1);
        settle();
    }
    bool visible(short id) { return clickObject_isVisible(winId_effect, id) != 0; }
    std::string text(short id)
    {
        char out[256] = {};
        display_getText(id, out, sizeof out);
        return out;
    }
    COLORREF pixel(int x, int y)
    {
        settle();
        platform_composeAndPresent(1);
        return windowSession_pixel(winId_effect, x, y);
    }
    std::string shot(const char* name)
    {
        const std::string path = std::string(name) + ".png";
        EXPECT_EQ(1, windowSession_shot(winId_effect, path)) << path;
        return path;
    }
    windowSession session_;
};

std::string levelText(double level)
{
    char out[32];
    wEffect_levelText(level, out, sizeof out);
    return out;
}
}  // namespace

TEST_F(EffectWindowTest, TypePagesLevelsAndThePatchWindowsEffectSection)
{
    RECT client;
    GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, kEffectWidth);
    EXPECT_EQ(client.bottom, kEffectHeight);
    char cls[64] = {};
    GetClassNameA(hwnd(), cls, sizeof cls);
    EXPECT_STREQ(cls, "wEffect_Wnd");
    // A fresh instrument plays the multicomb: its page alone is shown.
    EXPECT_TRUE(visible(kEffectCombPage));
    EXPECT_FALSE(visible(kEffectPipePage));
    EXPECT_FALSE(visible(kEffectTapPage));
    EXPECT_EQ(popup_getCurrentItem(kEffectType), effectMode_multicomb);
    choose(kEffectType, effectMode_pipe);
    EXPECT_EQ(effect_getMode(gInst), effectMode_pipe);
    EXPECT_EQ(gInst->effect.mode, effectMode_pipe);
    EXPECT_TRUE(visible(kEffectPipePage));
    EXPECT_FALSE(visible(kEffectCombPage));
    choose(kEffectType, effectMode_multitap);
    EXPECT_EQ(effect_getMode(gInst), effectMode_multitap);
    EXPECT_TRUE(visible(kEffectTapPage));
    EXPECT_FALSE(visible(kEffectPipePage));
    GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.bottom, kEffectHeight);

    // Levels: the slider is the square root of the level; read-outs in dB,
    // a whole number when within 0.199 dB of one.
    effect_setWetBalance(gInst, 0.25);
    wEffect_update();
    EXPECT_FLOAT_EQ(draggy_getValH(kEffectWet), 0.5f);
    EXPECT_EQ(text(kEffectWetText), "-12.0 dB");
    EXPECT_EQ(levelText(dBToAmp(-11.9)), "-12.0 dB");
    EXPECT_EQ(levelText(dBToAmp(-12.15)), "-12.0 dB");
    EXPECT_EQ(levelText(dBToAmp(-11.7)), "-11.7 dB");
    EXPECT_EQ(levelText(dBToAmp(-0.1)), "0.0 dB");
    // Dragging a knob stores the square of the slider and resets the meter's peaks.
    leftPeak = rightPeak = 0.8f;
    drag(kEffectWet, -30);
    double v = draggy_getValH(kEffectWet);
    EXPECT_LT(v, 0.45);
    EXPECT_NEAR(gInst->multitap.wet, v * v, 1e-6);
    EXPECT_EQ(text(kEffectWetText), levelText(v * v));
    EXPECT_EQ(leftPeak, 0.0f);
    EXPECT_EQ(rightPeak, 0.0f);
    // All the way right: just below 1, shown as 0 dB.
    drag(kEffectDry, 200);
    EXPECT_FLOAT_EQ(gInst->multitap.dry, 0.999985f);
    EXPECT_EQ(text(kEffectDryText), "0.0 dB");
    // The pipe keeps its own levels.
    choose(kEffectType, effectMode_pipe);
    EXPECT_NEAR(draggy_getValH(kEffectDry), std::sqrt(gInst->pipe.dry), 1e-6);

    // The Patch window names the type while the effect is on; its "edit..."
    // brings this window back.
    click(kEffectActive);
    ASSERT_EQ(effect_getActive(gInst), 1);
    window_setCurrent(winId_patch);
    char name[64] = {};
    display_getText(kPatchEffectType, name, sizeof name);
    EXPECT_STREQ(name, "pipe");
    EXPECT_TRUE(clickObject_isVisible(winId_patch, kPatchEffectEdit));
    wEffect_show(0);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    wPatch_show(1);
    headless_runUntilIdle();
    RECT r;
    window_setCurrent(winId_patch);
    clickObject_getRect(kPatchEffectEdit, &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(window_getHWND(winId_patch), &p);
    headless_click(p.x, p.y, 1);
    settle();
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    choose(kEffectType, effectMode_multitap);
    window_setCurrent(winId_patch);
    display_getText(kPatchEffectType, name, sizeof name);
    EXPECT_STREQ(name, "multitap");
}

TEST_F(EffectWindowTest, SwitchesPauseTheInstanceAroundTheChange)
{
    // A plug-in answers the fades and notes what it found at each answer.
    struct seen {
        int answer, on, patchInfo, combOn;
    };
    std::vector<seen> log;
    std::atomic<bool> stop{false};
    std::atomic<int> busy{0};
    gInst->paused = 0;
    std::thread plugin([&] {
        while (!stop) {
            seen s{0, gInst->effect.on, gInst->patchInfo[patchInfo_effect], gInst->multicomb.combActive[1]};
            int a = iac_plug_answerFade(0);
            if (a) {
                s.answer = a;
                while (busy.exchange(1)) {}
                log.push_back(s);
                busy = 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    click(kEffectActive);
    EXPECT_EQ(effect_getActive(gInst), 1);
    EXPECT_EQ(gInst->patchInfo[patchInfo_effect], 1);
    EXPECT_EQ(gInst->paused, 0);
    // Comb 1 off: paused while the comb changes, resumed after; its seven controls go.
    EXPECT_TRUE(visible(kCombChanGain + kCombIdsPerChan));
    click(kCombChanOn + kCombIdsPerChan);
    stop = true;
    plugin.join();
    EXPECT_EQ(gInst->multicomb.combActive[1], 0);
    EXPECT_EQ(gInst->paused, 0);
    ASSERT_EQ(log.size(), 4u);
    // Out before the switch, in after it, with the patch information updated.
    EXPECT_EQ(log[0].answer, 1);
    EXPECT_EQ(log[0].on, 0);
    EXPECT_EQ(log[1].answer, 2);
    EXPECT_EQ(log[1].on, 1);
    EXPECT_EQ(log[1].patchInfo, 1);
    EXPECT_EQ(log[2].answer, 1);
    EXPECT_EQ(log[2].combOn, 1);
    EXPECT_EQ(log[3].answer, 2);
    EXPECT_EQ(log[3].combOn, 0);
    const short hidden[7] = {kCombChanTime,    kCombChanCtlSens, kCombChanInvert, kCombChanFeedback,
                             kCombChanLowpass, kCombChanGain,    kCombChanPan};
    for (short k : hidden) {
        EXPECT_FALSE(visible(static_cast<short>(k + kCombIdsPerChan))) << k;
        EXPECT_TRUE(visible(static_cast<short>(k))) << k;
    }
    EXPECT_TRUE(visible(kCombChanOn + kCombIdsPerChan));
    // Back on: the controls return; another page and back keeps them so.
    gInst->paused = 1;
    click(kCombChanOn + kCombIdsPerChan);
    EXPECT_EQ(gInst->multicomb.combActive[1], 1);
    choose(kEffectType, effectMode_pipe);
    EXPECT_FALSE(visible(kCombChanGain + kCombIdsPerChan));
    // The pipe picture: only while on, of type pipe, and the window shown.
    EXPECT_TRUE(visible(kPipePicture));
    EXPECT_TRUE(wEffect_pipeIsVisible());
    click(kEffectActive);
    EXPECT_EQ(effect_getActive(gInst), 0);
    EXPECT_FALSE(visible(kPipePicture));
    EXPECT_FALSE(wEffect_pipeIsVisible());
    click(kEffectActive);
    EXPECT_TRUE(wEffect_pipeIsVisible());
    wEffect_show(0);
    EXPECT_FALSE(wEffect_pipeIsVisible());
    wEffect_show(1);
    choose(kEffectType, effectMode_multicomb);
    EXPECT_FALSE(wEffect_pipeIsVisible());
    EXPECT_TRUE(visible(kCombChanGain + kCombIdsPerChan));
    EXPECT_FALSE(visible(kCombChanGain + 2 * kCombIdsPerChan));
}

TEST_F(EffectWindowTest, PipePageBoxesTempoEntryAndPicture)
{
    effect_setActive(gInst, 1);
    choose(kEffectType, effectMode_pipe);
    // Seconds: the time box stores samples at 44100 Hz.
    EXPECT_TRUE(visible(kPipeTime));
    EXPECT_FALSE(visible(kPipeTempo));
    type(kPipeTime, "0.5");
    EXPECT_NEAR(gInst->pipe.masterTime, 0.5 * 44100, 0.05);
    struct typed {
        short id;
        const char* text;
        double (*get)(instRec*);
        double want;
    } boxes[] = {
        {kPipeCtlLength, "0.25", effect_pipe_getCtlLength, 0.25},
        {kPipeFeedback, "-0.5", effect_pipe_getFeedback, -0.5},
        {kPipeLowpass, "1000", effect_pipe_getLowpass, 1000},
        {kPipeOutPos1, "0.125", [](instRec* i) { return effect_pipe_getOutPos(i, 0); }, 0.125},
        {kPipeOutPos1 + 1, "0.875", [](instRec* i) { return effect_pipe_getOutPos(i, 1); }, 0.875},
        {kPipeInPos, "0.5", effect_pipe_getInPos, 0.5},
        {kPipeCtlOut1, "0.3", [](instRec* i) { return effect_pipe_getCtlOut(i, 0); }, 0.3},
        {kPipeCtlOut1 + 1, "0.6", [](instRec* i) { return effect_pipe_getCtlOut(i, 1); }, 0.6},
    };
    for (const typed& b : boxes) {
        type(b.id, b.text);
        EXPECT_NEAR(b.get(gInst), b.want, b.want > 100 ? 1 : 1e-4) << b.id;
    }
    EXPECT_NEAR(gInst->pipe.lowpass, filterFreqToIndex(1000), 1e-3);
    click(kPipeInvertLength);
    click(kPipeInvertOut1);
    click(kPipeInvertOut1 + 1);
    EXPECT_EQ(gInst->pipe.ctlInvertLength, 1);
    EXPECT_EQ(gInst->pipe.ctlOutInvert[0], 1);
    EXPECT_EQ(gInst->pipe.ctlOutInvert[1], 0);  // it started inverted
    // The picture: the input marker at 0.5, output 2's at 0.875, and the bar
    // lit from the left up to the feedback's split (-0.5: a quarter).
    const int split = wEffect_pipeSplitX(-0.5);
    EXPECT_EQ(split, kPipeBarLeft + 106);
    EXPECT_EQ(pixel(split - 3, kPipeBarY), RGB(37, 255, 58));
    EXPECT_EQ(pixel(split + 3, kPipeBarY + 1), RGB(0, 69, 11));
    EXPECT_EQ(wEffect_pipeMarkX(0.5), 51 + 212);
    unsigned char r, g, b;
    res_colorBytes(res_theme().accent, &r, &g, &b);
    EXPECT_EQ(pixel(wEffect_pipeMarkX(0.5) + 3, kPipeBarY - 7), RGB(r, g, b));
    EXPECT_NE(pixel(wEffect_pipeMarkX(0.875) + 3, kPipeBarY + 4),
              pixel(wEffect_pipeMarkX(0.6) + 3, kPipeBarY + 4));
    // A change from elsewhere (a controller, another window) shows at the next animation tick.
    effect_pipe_setFeedback(gInst, 0.9);
    tellAnimatePipe();
    EXPECT_EQ(pixel(split + 3, kPipeBarY + 1), RGB(37, 255, 58));

    // Tempo and beat: the mode is stored and its panel shown.
    choose(kPipeTimeMode, effectTime_tempo);
    EXPECT_EQ(effect_getTimeMode(gInst), effectTime_tempo);
    EXPECT_FALSE(visible(kPipeTime));
    EXPECT_TRUE(visible(kPipeTempo));
    EXPECT_TRUE(visible(kPipeBeat));
    type(kPipeTempo, "120");
    type(kPipeBeat, "1");
    EXPECT_NEAR(effect_pipe_getMasterTime(gInst), 0.5, 1e-4);
    EXPECT_NEAR(effect_getTempo(gInst), 120, 1e-3);
    // At 120 bpm no beat reaches past the pipe's 0.743 s: the box stops at 1.486.
    EXPECT_NEAR(numbox_get(kPipeBeat)->maximum, 1.486, 1e-3);
    type(kPipeBeat, "4");
    EXPECT_NEAR(numbox_getVal(kPipeBeat), 1.486, 1e-3);
    EXPECT_NEAR(effect_pipe_getMasterTime(gInst), 0.743015873, 1e-5);
    EXPECT_FLOAT_EQ(gInst->pipe.masterTime, 32767.0f);
    // A beat of 4 at 120 bpm asks for 2 s: the time stops at the maximum and
    // the beat box's maximum comes down to 1.486.
    numbox_setMax(kPipeBeat, 4);
    numbox_setVal(kPipeBeat, 4);
    wEffect_setTempo(kDelayPipe, 120);
    EXPECT_NEAR(numbox_getVal(kPipeTime), 0.743015873, 1e-6);
    EXPECT_NEAR(numbox_get(kPipeBeat)->maximum, 1.486, 1e-3);
    EXPECT_NEAR(numbox_getVal(kPipeBeat), 1.486, 1e-3);
    // A long beat raises the tempo box's minimum: the tempo shown and stored is the slowest that fits.
    type(kPipeTempo, "400");
    type(kPipeBeat, "4");
    EXPECT_NEAR(numbox_get(kPipeTempo)->minimum, 4 / 0.743015873 * 60, 0.01);
    EXPECT_NEAR(effect_pipe_getMasterTime(gInst), 0.6, 1e-5);
    type(kPipeTempo, "100");
    EXPECT_NEAR(numbox_getVal(kPipeTempo), 323.0, 0.1);
    EXPECT_NEAR(effect_getTempo(gInst), numbox_getVal(kPipeTempo), 1e-3);
    EXPECT_NEAR(effect_pipe_getMasterTime(gInst), 0.743015873, 1e-5);
    // Back to seconds: a typed time keeps the tempo and shows its beats.
    choose(kPipeTimeMode, effectTime_seconds);
    EXPECT_EQ(effect_getTimeMode(gInst), effectTime_seconds);
    type(kPipeTime, "0.25");
    EXPECT_NEAR(numbox_getVal(kPipeBeat), 0.25 / (60 / numbox_getVal(kPipeTempo)), 1e-3);

    // The update: a stored tempo rules; without one, 120 bpm for short
    // times and half a beat for longer ones.
    gInst->pipe.header.tempo = 0;
    effect_pipe_setMasterTime(gInst, 0.01);
    wEffect_update();
    EXPECT_FLOAT_EQ(numbox_getVal(kPipeTempo), 120.0f);
    EXPECT_NEAR(numbox_getVal(kPipeBeat), 0.02, 1e-5);
    effect_pipe_setMasterTime(gInst, 0.6);
    wEffect_update();
    EXPECT_FLOAT_EQ(numbox_getVal(kPipeBeat), 0.5f);
    EXPECT_NEAR(numbox_getVal(kPipeTempo), 50.0, 1e-3);
    EXPECT_TRUE(visible(kPipeTime));
    EXPECT_NEAR(wEffect_tempoFromBeatAndSec(0, 1), 0.0006, 1e-9);
    EXPECT_NEAR(wEffect_beatFromTempoAndSec(0, 1), 1.0 / 60, 1e-9);
    EXPECT_NEAR(wEffect_getSecFromTempoAndBeat(1000, 0.001, 1), 0.0001, 1e-12);
}

TEST_F(EffectWindowTest, MulticombAndMultitapPagesReachTheRecord)
{
    EXPECT_EQ(wEffect_guiIDToCombChan(46), 0);
    EXPECT_EQ(wEffect_guiIDToCombChan(47), 1);
    EXPECT_EQ(wEffect_guiIDToCombChan(64), 2);
    EXPECT_EQ(wEffect_guiIDToCombChan(91), 5);
    EXPECT_EQ(wEffect_guiIDToCombChan(92), 0);
    type(kCombFeedback, "0.75");
    type(kCombLowpass, "2000");
    type(kCombTime, "0.2");
    EXPECT_NEAR(effect_comb_getMasterFeedback(gInst), 0.75, 1e-5);
    EXPECT_NEAR(effect_comb_getMasterLowpass(gInst), 2000, 1);
    EXPECT_FLOAT_EQ(gInst->multicomb.masterTime, static_cast<float>(0.2 * 44100));
    // Comb 3's row (ids + 27) writes comb 3 only.
    const short o = 3 * kCombIdsPerChan;
    click(kCombChanOn + o);
    ASSERT_EQ(effect_comb_getActive(gInst, 3), 1);
    type(kCombChanTime + o, "0.5");
    type(kCombChanCtlSens + o, "0.4");
    type(kCombChanFeedback + o, "-0.3");
    type(kCombChanLowpass + o, "0.6");
    type(kCombChanGain + o, "-12");
    type(kCombChanPan + o, "1");
    click(kCombChanInvert + o);
    EXPECT_FLOAT_EQ(gInst->multicomb.combTime[3], 0.5f);
    EXPECT_FLOAT_EQ(gInst->multicomb.combCtlSens[3], 0.4f);
    EXPECT_FLOAT_EQ(gInst->multicomb.combFeedback[3], -0.3f);
    EXPECT_FLOAT_EQ(gInst->multicomb.combLowpass[3], 0.6f);
    EXPECT_NEAR(gInst->multicomb.combGain[3], 0.25, 1e-6);
    EXPECT_FLOAT_EQ(gInst->multicomb.combPan[3], 0.9999f);
    EXPECT_EQ(gInst->multicomb.combCtlInvert[3], 1);
    EXPECT_FLOAT_EQ(gInst->multicomb.combTime[2], 1.0f);
    // The comb's tempo entry, in its own record.
    choose(kCombTimeMode, effectTime_tempo);
    EXPECT_EQ(gInst->multicomb.header.timeMode, effectTime_tempo);
    type(kCombTempo, "60");
    type(kCombBeat, "0.5");
    EXPECT_NEAR(effect_comb_getMasterTime(gInst), 0.5, 1e-4);
    EXPECT_NEAR(numbox_get(kCombBeat)->maximum, 0.743015873, 1e-4);
    EXPECT_EQ(gInst->pipe.header.timeMode, effectTime_seconds);

    // Multitap: ten seconds at most, so a beat may run to 20 at 120 bpm.
    choose(kEffectType, effectMode_multitap);
    type(kTapFeedback, "-0.25");
    type(kTapLowpass, "5000");
    type(kTapTime, "12");
    EXPECT_NEAR(effect_tap_getFeedback(gInst), -0.25, 1e-5);
    EXPECT_NEAR(effect_tap_getLowpass(gInst), 5000, 2);
    EXPECT_FLOAT_EQ(gInst->multitap.masterTime, 441000.0f);
    for (short t = 0; t < kTaps; ++t) {
        type(static_cast<short>(kTapTapTime + t), t == 1 ? "0.5" : "0.25");
        type(static_cast<short>(kTapCtlSens + t), "0.75");
        type(static_cast<short>(kTapGain + t), "-6");
        type(static_cast<short>(kTapPan + t), "0.2");
        click(static_cast<short>(kTapInvert + t));
        EXPECT_FLOAT_EQ(gInst->multitap.tapTime[t], t == 1 ? 0.5f : 0.25f) << t;
        EXPECT_FLOAT_EQ(gInst->multitap.tapCtlSens[t], 0.75f) << t;
        EXPECT_NEAR(gInst->multitap.tapGain[t], 0.5, 1e-6) << t;
        EXPECT_FLOAT_EQ(gInst->multitap.tapPan[t], 0.2f) << t;
        EXPECT_EQ(gInst->multitap.tapCtlInvert[t], 1) << t;
    }
    choose(kTapTimeMode, effectTime_tempo);
    type(kTapTempo, "120");
    EXPECT_NEAR(numbox_get(kTapBeat)->maximum, 20, 1e-3);
    type(kTapBeat, "8");
    EXPECT_NEAR(effect_tap_getMasterTime(gInst), 4, 1e-4);
    EXPECT_NEAR(numbox_getVal(kTapTime), 4, 1e-4);
    // An update from another instrument brings every box back from the record.
    effect_tap_setGain(gInst, 1, -24);
    effect_comb_setActive(gInst, 0, 0);
    wEffect_update();
    EXPECT_NEAR(numbox_getVal(kTapGain + 1), -24, 1e-3);
    EXPECT_FALSE(visible(kCombChanPanel));
    EXPECT_EQ(popup_getCurrentItem(kTapTimeMode), effectTime_tempo);
}

TEST_F(EffectWindowTest, ScreenshotsOfTheThreePages)
{
    click(kEffectActive);
    click(kCombChanOn + 1 * kCombIdsPerChan);
    EXPECT_FALSE(shot("weffect-multicomb").empty());
    choose(kEffectType, effectMode_pipe);
    choose(kPipeTimeMode, effectTime_tempo);
    EXPECT_FALSE(shot("weffect-pipe").empty());
    choose(kEffectType, effectMode_multitap);
    EXPECT_FALSE(shot("weffect-multitap").empty());
}
