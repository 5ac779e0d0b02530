// The envelope transforms and the "New Envelope" dialog driven as a
// musician drives them: opened from the Envelope window's "Transform..."
// pop-up and its new-envelope button, boxes typed into and dragged, list
// lines clicked, left through OK, Return or Cancel. Every check reads the
// envelopes in the instance's shared record, where the plug-in reads them.
#include <cstring>
#include <vector>

#include "tests/windows/wenv_fixture.h"

namespace {
struct envSet {
    envInstRec e[kEnvSlots];
};

class EnvTransformTest : public EnvWindowTest {
protected:
    void SetUp() override
    {
        EnvWindowTest::SetUp();
        wEnvTrans_makeWindow();
        ASSERT_NE(nullptr, hwnd());
        // The parameters are kept until the program ends: every test starts from the defaults.
        scale_time = scale_amp = scale_slope = 1.0;
        scale_ampOffset = 0.0;
        setDur_seconds = 1.0;
        setDur_bpm = genAR_bpm = 120.0;
        setDur_beats = 4.0;
        setDur_tempoBased = 0;
        genAR_beatDur = 0.5;
        genAR_numBeats = 8;
        genAR_attackTime = 0.01;
        genAR_minAmp = 0.0;
        genAR_slope = 0.5;
    }
    HWND hwnd() { return window_getHWND(winId_envTransform); }
    HWND list() { return wEnvTrans_listBox(); }
    envSet all()
    {
        envSet s;
        for (short i = 0; i < kEnvSlots; ++i) s.e[i] = *env(i);
        return s;
    }
    // Opens the window through an item of the "Transform..." pop-up, shown
    // once an envelope is selected: a click into the first strip selects one.
    void open(int item)
    {
        window_setCurrent(winId_envelope);
        if (currentEditEnv < 0) {
            POINT start = bpPoint(kEnvFirstStrip, -1);
            clickAt(start.x + 30, start.y - 40);
        }
        choose(kEnvTransformPopup, item);
        window_setCurrent(winId_envTransform);
    }
    void click(int x, int y) { windowSession_clickAt(winId_envTransform, x, y); }
    void press(short id) { windowSession_clickObject(winId_envTransform, id); }
    void type(short box, const char* text)
    {
        window_setCurrent(winId_envTransform);
        ASSERT_NE(nullptr, numbox_get(box));
        windowSession_typeInto(winId_envTransform, box, text);
    }
    // A click on a line of the envelope list, with Ctrl held when toggling.
    void clickLine(int line, bool ctrl)
    {
        RECT r;
        SendMessageA(list(), LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(list(), &p);
        if (ctrl) headless_keyDown(VK_CONTROL);
        headless_click(p.x, p.y, 1);
        if (ctrl) headless_keyUp(VK_CONTROL);
        headless_runUntilIdle();
        window_setCurrent(winId_envTransform);
    }
    bool lineSelected(int line) { return SendMessageA(list(), LB_GETSEL, static_cast<WPARAM>(line), 0) > 0; }
    std::string shot14(const char* name)
    {
        const std::string path = std::string(name) + ".png";
        EXPECT_EQ(1, windowSession_shot(winId_envTransform, path)) << path;
        return path;
    }
    // Three envelopes shown in the Envelope window plus one in the list only.
    void fourEnvelopes()
    {
        amp_ = newEnvelope(0, 1);
        pitch_ = newEnvelope(0, 2);
        filt_ = newEnvelope(3, 9);
        mod_ = newEnvelope(1, 13);
        // The list reads oscil 1 amp, oscil 1 main pitch, mod 2 pitch, master filter freq:
        // the first three are shown, the filter is not.
        window_setCurrent(winId_envelope);
        list_select(kEnvList, 3, 0);
        wEnv_displayEnvelopes();
    }
    short amp_ = -1, pitch_ = -1, filt_ = -1, mod_ = -1;
    static std::vector<double> s_seen;
    static const envInstRec* s_watched;
    static void watch(short, void*)
    {
        double now = s_watched->bp[1].time;
        if (s_seen.empty() || s_seen.back() != now) s_seen.push_back(now);
    }
};
std::vector<double> EnvTransformTest::s_seen;
const envInstRec* EnvTransformTest::s_watched = nullptr;

bool same(const envInstRec& a, const envInstRec& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
}  // namespace

TEST_F(EnvTransformTest, TheWindowItsPanelsBoxesAndList)
{
    char text[80] = {0};
    GetClassNameA(hwnd(), text, sizeof text);
    EXPECT_STREQ("wEnvTrans_Wnd", text);
    GetWindowTextA(hwnd(), text, sizeof text);
    EXPECT_STREQ("Transform waveform", text);
    EXPECT_TRUE(GetWindowLongPtrA(hwnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(session_.frame, GetWindow(hwnd(), GW_OWNER));
    RECT wr, cr;
    GetWindowRect(hwnd(), &wr);
    GetClientRect(hwnd(), &cr);
    EXPECT_EQ(200, wr.left);
    EXPECT_EQ(200, wr.top);
    // The controls as placed (OK at 177,270, the description 313 wide) fit inside.
    window_setCurrent(winId_envTransform);
    RECT ok;
    clickObject_getRect(kEnvTransOk, &ok);
    EXPECT_EQ(177, ok.left);
    EXPECT_EQ(270, ok.top);
    EXPECT_LE(ok.bottom, cr.bottom);
    EXPECT_GE(cr.right, 5 + 313);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    struct {
        short id;
        double value, lo, hi;
    } boxes[] = {{8, 1, 0, 100},         {9, 1, 0, 1},        {10, 0, 0, 1},        {11, 1, 0, 100},
                 {12, 1, 0.001, 1000},   {13, 120, 20, 1000}, {14, 4, 0.03125, 16}, {15, 120, 20, 1000},
                 {16, 0.5, 0.03125, 16}, {17, 8, 1, 32},      {18, 0.01, 0, 1},     {19, 0, 0, 1},
                 {20, 0.5, 0.001, 100}};
    for (auto& b : boxes) {
        numboxRec* n = numbox_get(b.id);
        ASSERT_NE(nullptr, n) << b.id;
        EXPECT_NEAR(b.value, n->value, 1e-6) << b.id;
        EXPECT_EQ(b.lo, n->minimum) << b.id;
        EXPECT_EQ(b.hi, n->maximum) << b.id;
    }
    EXPECT_EQ(numbox_incBeat, numbox_get(kEnvTransSetDurBeats)->increment);
    EXPECT_EQ(numbox_incBeat, numbox_get(kEnvTransBeatDur)->increment);
    LONG style = GetWindowLongPtrA(list(), GWL_STYLE);
    EXPECT_TRUE(style & LBS_MULTIPLESEL);
    EXPECT_TRUE(style & LBS_EXTENDEDSEL);
    EXPECT_TRUE(style & LBS_NOTIFY);

    // Each item of "Transform..." opens its panel with its description, the
    // list in the Envelope window's order with the shown envelopes chosen.
    fourEnvelopes();
    const char* descriptions[] = {"Scale time, amp and slope of selected envelopes.",
                                  "Set duration of selected envelopes based on release point.",
                                  "Generate a series of attack/release pulses."};
    const char* shots[] = {"wenvtrans-scale", "wenvtrans-setdur", "wenvtrans-genar"};
    const char* lines[] = {"oscil 1 amp", "oscil 1 main pitch", "mod 2 pitch", "master filter freq"};
    envSet before = all();
    for (int kind = 1; kind <= 3; ++kind) {
        open(kind);
        ASSERT_TRUE(IsWindowVisible(hwnd())) << kind;
        display_getText(kEnvTransDescription, text, sizeof text);
        EXPECT_STREQ(descriptions[kind - 1], text);
        for (short p = 2; p <= 4; ++p) EXPECT_EQ(p == kind + 1, clickObject_isVisible(winId_envTransform, p));
        ASSERT_EQ(4, SendMessageA(list(), LB_GETCOUNT, 0, 0));
        for (int line = 0; line < 4; ++line) {
            SendMessageA(list(), LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
            EXPECT_STREQ(lines[line], text);
            EXPECT_EQ(line < 3, lineSelected(line)) << line;
        }
        // The Envelope window's editing rests while the window is open.
        for (short id : {short(kEnvFirstStrip), short(kEnvNewButton), short(kEnvTransformPopup),
                         short(kEnvModePopup), short(kEnvLevelBox), short(kEnvBpm)})
            EXPECT_EQ(0, clickObject_isEnabled(winId_envelope, id)) << id;
        EXPECT_EQ(1, clickObject_isEnabled(winId_envelope, kEnvList));
        shot14(shots[kind - 1]);
        // The close box does nothing; opening changes nothing by itself.
        SendMessageA(hwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindowVisible(hwnd()));
        press(kEnvTransCancel);
        EXPECT_FALSE(IsWindowVisible(hwnd()));
        EXPECT_EQ(1, clickObject_isEnabled(winId_envelope, kEnvFirstStrip));
        EXPECT_EQ(1, clickObject_isEnabled(winId_envelope, kEnvLevelBox));
        for (short i = 0; i < kEnvSlots; ++i) EXPECT_TRUE(same(before.e[i], *env(i))) << i;
    }
    shot("wenvtrans-envelope-after");
}

TEST_F(EnvTransformTest, ScaleIsLiveOnTheChosenEnvelopesAndCancelRestoresAll)
{
    fourEnvelopes();
    envSet before = all();
    open(1);
    // Time scale 0: every segment of the chosen envelopes is 10 samples.
    type(kEnvTransTimeScale, "0");
    EXPECT_EQ(0.0, scale_time);
    for (short s : {amp_, pitch_, mod_})
        for (short k = 0; k <= env(s)->lastPoint; ++k)
            EXPECT_EQ(10.0, 0.0 + env(s)->bp[k].time) << s << " " << k;
    // The filter's line is not chosen: its envelope is untouched.
    EXPECT_TRUE(same(before.e[filt_], *env(filt_)));
    // Amp 0.5 and offset 0.25 on the amp envelope: its start level 0 gives 0.25.
    type(kEnvTransTimeScale, "2");
    type(kEnvTransAmpScale, "0.5");
    type(kEnvTransAmpOffset, "0.25");
    type(kEnvTransSlopeScale, "4");
    const envInstRec& a = before.e[amp_];
    EXPECT_FLOAT_EQ(0.25f, env(amp_)->depth);
    for (short k = 0; k <= a.lastPoint; ++k) {
        EXPECT_DOUBLE_EQ(a.bp[k].time * 2, 0.0 + env(amp_)->bp[k].time);
        EXPECT_FLOAT_EQ(static_cast<float>(a.bp[k].level * 0.5 + 0.25), env(amp_)->bp[k].level);
        EXPECT_FLOAT_EQ(static_cast<float>(a.bp[k].slope * 4.0), env(amp_)->bp[k].slope);
    }
    // A level 0 stays above 0: 0.0001 at the least, as the transform limits it.
    type(kEnvTransAmpOffset, "0");
    type(kEnvTransAmpScale, "0");
    EXPECT_FLOAT_EQ(0.0001f, env(amp_)->bp[1].level);
    // Ctrl-click on the filter's line adds it, at once.
    clickLine(3, true);
    EXPECT_TRUE(lineSelected(3));
    EXPECT_FLOAT_EQ(0.0001f, env(filt_)->bp[0].level);
    // A plain click chooses the pitch envelope alone: the others are as they were.
    clickLine(1, false);
    EXPECT_FALSE(lineSelected(0));
    EXPECT_TRUE(same(before.e[amp_], *env(amp_)));
    EXPECT_FALSE(same(before.e[pitch_], *env(pitch_)));
    // A drag on a box is heard as it goes: a 16 ms timer, as the plug-in
    // would, sees the record change while the button is down.
    numboxRec* n = numbox_get(kEnvTransTimeScale);
    POINT p{n->buttonRect.left + 3, (n->buttonRect.top + n->buttonRect.bottom) / 2};
    ClientToScreen(hwnd(), &p);
    s_seen.clear();
    s_watched = env(pitch_);
    timerRec* t = timer_new(winId_envTransform, 7, watch, 16, 1000);
    headless_mouseMove(p.x, p.y);
    headless_mouseDown(1);
    for (int k = 1; k <= 4; ++k) headless_mouseMove(p.x, p.y - 10 * k);
    headless_mouseUp(1);
    headless_runUntilIdle();
    timer_stop(t);
    EXPECT_GE(s_seen.size(), 3u);
    EXPECT_DOUBLE_EQ(before.e[pitch_].bp[1].time * scale_time, 0.0 + env(pitch_)->bp[1].time);
    // Cancel after all of it: the 24 envelopes as they were, byte for byte.
    press(kEnvTransCancel);
    for (short i = 0; i < kEnvSlots; ++i) EXPECT_TRUE(same(before.e[i], *env(i))) << i;
    // The settings stay for the next opening.
    open(1);
    EXPECT_NEAR(scale_time, numbox_get(kEnvTransTimeScale)->value, 1e-6);
    EXPECT_EQ(0.0, numbox_get(kEnvTransAmpScale)->value);
    // Another preset comes in while the window is open: its envelopes are
    // left alone, by a box change and by Cancel.
    env(amp_)->bp[0].level = 0.75f;
    envSet other = all();
    type(kEnvTransTimeScale, "3");
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    for (short i = 0; i < kEnvSlots; ++i) EXPECT_TRUE(same(other.e[i], *env(i))) << i;
    EXPECT_EQ(1, clickObject_isEnabled(winId_envelope, kEnvFirstStrip));
}

TEST_F(EnvTransformTest, SetDurationByReleasePointSecondsOrTempo)
{
    short a = newEnvelope(0, 1);
    // 1 s up to the release point (breakpoint 1), then a 0.5 s release and a 0.25 s tail.
    envInstRec* e = env(a);
    e->lastPoint = 3;
    e->releasePoint = 1;
    e->sustainPoint = 2;
    const double t[4] = {11025, 33075, 22050, 11025};
    for (int k = 0; k < 4; ++k) e->bp[k].time = t[k];
    envInstRec before = *e;
    open(2);
    type(kEnvTransSeconds, "2");
    EXPECT_EQ(0, setDur_tempoBased);
    for (int k = 0; k < 4; ++k) EXPECT_DOUBLE_EQ(2 * t[k], 0.0 + env(a)->bp[k].time) << k;
    char text[64];
    display_getText(kEnvTransTarget, text, sizeof text);
    EXPECT_STREQ("release at 2.000 s (seconds)", text);
    // bpm or beats make the target 60 / bpm * beats: 60 bpm, 4 beats = 4 s.
    type(kEnvTransSetDurBpm, "60");
    EXPECT_EQ(1, setDur_tempoBased);
    EXPECT_DOUBLE_EQ(4 * t[0], 0.0 + env(a)->bp[0].time);
    type(kEnvTransSetDurBeats, "0.5");
    EXPECT_DOUBLE_EQ(0.5 * t[3], 0.0 + env(a)->bp[3].time);
    display_getText(kEnvTransTarget, text, sizeof text);
    EXPECT_STREQ("release at 0.500 s (tempo)", text);
    type(kEnvTransSeconds, "1");
    EXPECT_EQ(0, setDur_tempoBased);
    EXPECT_TRUE(same(before, *env(a)));
    press(kEnvTransCancel);

    // In "Loop" mode the measure starts at the loop start: 33075 samples to 1.5 s doubles them.
    env(a)->envMode = envMode_loop;
    env(a)->loopStart = 1;
    before = *env(a);
    open(2);
    type(kEnvTransSeconds, "1.5");
    for (int k = 0; k < 4; ++k) EXPECT_DOUBLE_EQ(2 * t[k], 0.0 + env(a)->bp[k].time) << k;
    // A release point before the loop start has nothing to measure: left as it is.
    press(kEnvTransCancel);
    env(a)->releasePoint = 0;
    before = *env(a);
    open(2);
    type(kEnvTransSeconds, "3");
    EXPECT_TRUE(same(before, *env(a)));
    // OK on nothing changed leaves the undo as it was.
    int mode = undo_getMode();
    press(kEnvTransOk);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_EQ(mode, undo_getMode());
}

TEST_F(EnvTransformTest, PulsesReturnAsOkAndUndo)
{
    short a = newEnvelope(0, 1);
    short b = newEnvelope(1, 1);
    env(a)->loopStart = 1;
    envInstRec beforeA = *env(a), beforeB = *env(b);
    open(3);
    clickLine(1, true);  // b is not chosen any more
    EXPECT_TRUE(same(beforeB, *env(b)));
    type(kEnvTransNumBeats, "8");
    const envInstRec* e = env(a);
    ASSERT_EQ(16, e->lastPoint);
    for (int k = 0; k < 16; ++k) {
        EXPECT_DOUBLE_EQ(k % 2 ? 10914.75 : 110.25, 0.0 + e->bp[k].time) << k;
        EXPECT_FLOAT_EQ(k % 2 ? 0.000001f : 1.0f, e->bp[k].level) << k;
        EXPECT_FLOAT_EQ(0.5f, e->bp[k].slope) << k;
    }
    EXPECT_DOUBLE_EQ(10914.75, 0.0 + e->bp[16].time);
    EXPECT_EQ(15, e->sustainPoint);
    EXPECT_EQ(15, e->releasePoint);
    EXPECT_FLOAT_EQ(0.000001f, e->depth);
    EXPECT_EQ(1, e->loopStart);
    // One pulse: the loop start keeps below the sustain point.
    type(kEnvTransNumBeats, "1");
    EXPECT_EQ(2, env(a)->lastPoint);
    EXPECT_EQ(1, env(a)->sustainPoint);
    EXPECT_EQ(0, env(a)->loopStart);
    type(kEnvTransNumBeats, "40");  // at most 32 pulses
    EXPECT_EQ(32, genAR_numBeats);
    EXPECT_EQ(64, env(a)->lastPoint);
    type(kEnvTransMinAmp, "0.2");
    type(kEnvTransAttack, "0.5");
    type(kEnvTransGenARBpm, "60");
    EXPECT_DOUBLE_EQ(11025.0, 0.0 + env(a)->bp[0].time);
    EXPECT_FLOAT_EQ(0.2f, env(a)->bp[1].level);
    envInstRec pulses = *env(a);
    // Return shows OK pressed for 160 ms, then keeps the pulses.
    DWORD t0 = GetTickCount();
    headless_key(VK_RETURN);
    headless_runUntilIdle();
    EXPECT_GE(GetTickCount() - t0, 160u);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    window_setCurrent(winId_envTransform);
    EXPECT_FALSE(button_isSelected(kEnvTransOk));
    EXPECT_TRUE(same(pulses, *env(a)));
    // One envelope changed: Edit > Undo takes the pulses back, Redo brings them again.
    EXPECT_EQ(2, undo_getMode());
    undo_processUndo();
    EXPECT_TRUE(same(beforeA, *env(a)));
    undo_processUndo();
    EXPECT_TRUE(same(pulses, *env(a)));
    // Two envelopes changed: the single envelope undo is given up.
    open(3);
    EXPECT_TRUE(lineSelected(0) && lineSelected(1));
    type(kEnvTransNumBeats, "2");
    // Return while the list has the keys acts as OK too.
    clickLine(1, true);
    clickLine(1, true);
    EXPECT_EQ(list(), GetFocus());
    headless_key(VK_RETURN);
    headless_runUntilIdle();
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_EQ(4, env(a)->lastPoint);
    EXPECT_EQ(4, env(b)->lastPoint);
    EXPECT_EQ(0, undo_getMode());
}

TEST_F(EnvTransformTest, NewEnvelopeDialogOffersFreeParametersAndCreates)
{
    for (short c = 0; c < 3; ++c) {
        oscil_setActive(gInst, c, c != 1);
        filter_setActive(gInst, c, c == 0);
        mod_setActive(gInst, c, 1);
    }
    filter_setActive(gInst, 3, 1);
    oscil_setMode(gInst, 0, 2);  // fm: the modulation's parameters are offered
    oscil_setMode(gInst, 2, 0);
    newEnvelope(2, 14);  // mod 3 balance has an envelope already
    auto lines = [](HWND dlg, int id) {
        std::vector<std::string> out;
        LRESULT n = SendDlgItemMessageA(dlg, id, LB_GETCOUNT, 0, 0);
        for (LRESULT k = 0; k < n; ++k) {
            char text[64] = {0};
            SendDlgItemMessageA(dlg, id, LB_GETTEXT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    };
    auto clickItem = [](HWND dlg, int id, int line, bool twice) {
        HWND box = GetDlgItem(dlg, id);
        RECT r;
        SendMessageA(box, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(box, &p);
        if (twice)
            headless_doubleClick(p.x, p.y);
        else
            headless_click(p.x, p.y);
    };
    typedef std::vector<std::string> lineV;
    headless_pushIdleAction([&](HWND dlg) {
        ASSERT_NE(nullptr, dlg);
        char title[32] = {0};
        GetWindowTextA(dlg, title, sizeof title);
        EXPECT_STREQ("New Envelope", title);
        // Owned by the Envelope window's top-level window.
        EXPECT_EQ(session_.frame, GetWindow(dlg, GW_OWNER));
        EXPECT_EQ((lineV{"oscil 1", "filter 1", "mod 1", "oscil 3", "mod 3", "master filter"}),
                  lines(dlg, newEnvItem_modules));
        EXPECT_EQ((lineV{"main pitch", "mod pitch", "mod index/balance"}), lines(dlg, newEnvItem_params));
        EXPECT_EQ(1, platform_saveWindowPNG(dlg, "wnewenv-dialog.png"));
        clickItem(dlg, newEnvItem_modules, 3, false);  // oscil 3 without modulation
    });
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ((lineV{"main pitch"}), lines(dlg, newEnvItem_params));
        clickItem(dlg, newEnvItem_modules, 4, false);  // mod 3: one of its two is free
    });
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ((lineV{"mod pitch"}), lines(dlg, newEnvItem_params));
        clickItem(dlg, newEnvItem_modules, 5, false);
    });
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ((lineV{"filter freq"}), lines(dlg, newEnvItem_params));
        clickItem(dlg, newEnvItem_params, 0, false);
        headless_clickWindow(GetDlgItem(dlg, newEnvItem_create));
    });
    clickObject(kEnvNewButton);
    EXPECT_EQ(nullptr, headless_topModal());
    short filt = -1;
    for (short i = 3; i < kEnvSlots; ++i)
        if (env(i)->param == 9 && env(i)->channel == 3) filt = i;
    ASSERT_GE(filt, 3);
    EXPECT_EQ(1, env(filt)->inUse);
    // The Envelope window lists it, shows it and has it selected.
    EXPECT_TRUE(wEnv_envIsVisible(filt));
    EXPECT_EQ(filt, currentEditEnv);
    EXPECT_TRUE(presetIsDirty());

    // Opened again on the master filter: nothing left for it. A double click on mod 3's
    // pitch creates it; then mod 3 offers nothing at all, and Create makes nothing.
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ(5, SendDlgItemMessageA(dlg, newEnvItem_modules, LB_GETCURSEL, 0, 0));
        EXPECT_TRUE(lines(dlg, newEnvItem_params).empty());
        clickItem(dlg, newEnvItem_modules, 4, false);
    });
    headless_pushIdleAction([&](HWND dlg) { clickItem(dlg, newEnvItem_params, 0, true); });
    clickObject(kEnvNewButton);
    EXPECT_FALSE(wNewEnv_paramIsFree(13, 2));
    headless_pushIdleAction([&](HWND dlg) {
        EXPECT_EQ(4, SendDlgItemMessageA(dlg, newEnvItem_modules, LB_GETCURSEL, 0, 0));
        EXPECT_TRUE(lines(dlg, newEnvItem_params).empty());
        headless_clickWindow(GetDlgItem(dlg, newEnvItem_create));
    });
    short count = env_count(gInst);
    clickObject(kEnvNewButton);
    EXPECT_EQ(count, env_count(gInst));
    // Cancel makes nothing.
    headless_pushIdleAction([&](HWND dlg) { clickItem(dlg, newEnvItem_modules, 0, false); });
    headless_pushIdleAction([&](HWND dlg) {
        clickItem(dlg, newEnvItem_params, 0, false);
        headless_clickWindow(GetDlgItem(dlg, newEnvItem_cancel));
    });
    clickObject(kEnvNewButton);
    EXPECT_EQ(count, env_count(gInst));
    // Every slot taken: the limit message, and nothing changes.
    for (short i = 3; i < kEnvSlots; ++i)
        if (!env(i)->inUse) {
            env(i)->inUse = 1;
            env(i)->param = 3;
            env(i)->channel = 2;
        }
    envSet full = all();
    headless_pushIdleAction([&](HWND dlg) { clickItem(dlg, newEnvItem_modules, 0, false); });
    headless_pushIdleAction([&](HWND dlg) { clickItem(dlg, newEnvItem_params, 0, true); });
    headless_answerNextPrompt(IDOK);
    clickObject(kEnvNewButton);
    EXPECT_EQ("Can't allocate any more envelopes, max limit reached.", platform_lastMessageBox().text);
    EXPECT_EQ("Morvane", platform_lastMessageBox().caption);
    for (short i = 0; i < kEnvSlots; ++i) EXPECT_TRUE(same(full.e[i], *env(i))) << i;
}
