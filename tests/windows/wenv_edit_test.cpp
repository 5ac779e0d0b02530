// Shaping envelopes in the Envelope window's strips as a musician does:
// right clicks add and delete breakpoints (with the two limits), drags in
// lock and slide mode, Ctrl snapping to the tempo grid, the markers, typed
// values with the destination's units, the tempo's autoscale, and undo,
// redo, copy and paste. Every check reads the envelope in the instance's
// shared record, where the plug-in reads it.
#include <cmath>
#include <cstring>

#include "tests/windows/wenv_fixture.h"

namespace {
// Gives an envelope breakpoints of the given segment lengths (seconds) and levels.
void shape(envInstRec* e, const std::vector<double>& seconds, const std::vector<float>& levels)
{
    e->lastPoint = static_cast<int16_t>(seconds.size() - 1);
    for (size_t i = 0; i < seconds.size(); ++i) {
        e->bp[i].time = seconds[i] * kEnvRate;
        e->bp[i].level = levels[i];
        e->bp[i].slope = 1.0f;
    }
    envEd_drawAll();
}

double pos(const envInstRec* e, int i) { return envEd_getBreakpointAbsTime(e, static_cast<short>(i)); }
}  // namespace

TEST_F(EnvWindowTest, RightClicksAddAndDeleteWithinTheLimits)
{
    short slot = newEnvelope(0, 1);
    ASSERT_EQ(slot, envEdGetEnvId(kEnvFirstStrip));
    envInstRec* e = env(slot);
    shape(e, {0.5, 0.5, 0.5}, {1.0f, 0.5f, 0.0f});
    // Between the first two breakpoints: the later ones keep their positions.
    POINT p = at(kEnvFirstStrip, 0.75, 0.8);
    rightClickAt(p.x, p.y);
    ASSERT_EQ(3, e->lastPoint);
    EXPECT_NEAR(0.75, pos(e, 1), 1e-9);
    EXPECT_NEAR(0.8, e->bp[1].level, 0.01);
    EXPECT_NEAR(1.0, pos(e, 2), 1e-9);
    EXPECT_NEAR(1.5, pos(e, 3), 1e-9);
    EXPECT_EQ(2, e->sustainPoint);  // the markers move with their breakpoints
    EXPECT_EQ(2, e->releasePoint);
    EXPECT_EQ(0, e->loopStart);
    EXPECT_EQ(2, undo_getMode());
    EXPECT_TRUE(presetIsDirty());

    // Right click on a square deletes it; its time goes to the next one.
    p = bpPoint(kEnvFirstStrip, 1);
    rightClickAt(p.x, p.y);
    ASSERT_EQ(2, e->lastPoint);
    EXPECT_NEAR(1.0, pos(e, 1), 1e-9);
    EXPECT_EQ(1, e->sustainPoint);
    // Three breakpoints are the least: the message, and nothing changes.
    int boxes = platform_lastMessageBox().count;
    p = bpPoint(kEnvFirstStrip, 2);
    rightClickAt(p.x, p.y);
    EXPECT_EQ(boxes + 1, platform_lastMessageBox().count);
    EXPECT_EQ("Can't delete any more breakpoints from this envelope.", platform_lastMessageBox().text);
    EXPECT_EQ("Morvane", platform_lastMessageBox().caption);
    EXPECT_EQ(2, e->lastPoint);

    // 68 breakpoints are the most.
    std::vector<double> s(68, 0.01);
    std::vector<float> l(68, 0.5f);
    shape(e, s, l);
    p = at(kEnvFirstStrip, 0.305, 0.9);
    rightClickAt(p.x, p.y);
    EXPECT_EQ("Envelopes can have a maximum of 68 breakpoints, can't add any more.",
              platform_lastMessageBox().text);
    EXPECT_EQ(67, e->lastPoint);

    // Deleting the breakpoint that carries the loop start moves it back.
    shape(e, {0.3, 0.3, 0.3, 0.3, 0.3}, {1, 0.8f, 0.6f, 0.4f, 0.2f});
    e->envMode = envMode_loop;
    e->loopStart = 2;
    e->sustainPoint = 3;
    envEd_drawAll();
    p = bpPoint(kEnvFirstStrip, 2);
    rightClickAt(p.x, p.y);
    EXPECT_EQ(3, e->lastPoint);
    EXPECT_EQ(1, e->loopStart);
    EXPECT_EQ(2, e->sustainPoint);
    // Deleting the sustain breakpoint at the end keeps the sustain below the last.
    p = bpPoint(kEnvFirstStrip, 3);
    rightClickAt(p.x, p.y);
    EXPECT_EQ(2, e->lastPoint);
    EXPECT_EQ(1, e->sustainPoint);
    EXPECT_EQ(0, e->loopStart);
}

TEST_F(EnvWindowTest, LockModeStopsAtTheNextBreakpointWhileSlideModeMovesTheRest)
{
    short slot = newEnvelope(0, 1);
    envInstRec* e = env(slot);
    shape(e, {0.5, 0.5, 0.5, 0.5}, {1.0f, 0.6f, 0.3f, 0.0f});
    ASSERT_TRUE(button_isSelected(kEnvSlide));  // slide mode at start
    clickObject(kEnvSlide);
    ASSERT_EQ(1, g_envEd_lock);
    // Far past the next breakpoint: it stops one sample short of it.
    POINT a = bpPoint(kEnvFirstStrip, 1);
    drag({a, POINT{a.x + 100, a.y}, POINT{a.x + 200, a.y - 30}});
    EXPECT_NEAR(1.5 - 1 / kEnvRate, pos(e, 1), 1e-9);
    EXPECT_NEAR(1.5, pos(e, 2), 1e-9);
    EXPECT_NEAR(2.0, pos(e, 3), 1e-9);
    EXPECT_NEAR(0.6 + 30.0 / 128, e->bp[1].level, 1e-6);
    EXPECT_EQ(1, g_envEd_selectedBp);
    EXPECT_NEAR(pos(e, 1), numbox_getVal(kEnvPosBox), 1e-4);
    // Back left in lock mode: the next one stays where it is.
    a = bpPoint(kEnvFirstStrip, 1);
    drag({a, POINT{a.x - 64, a.y}});
    EXPECT_NEAR(1.0, pos(e, 1), 0.01);
    EXPECT_NEAR(1.5, pos(e, 2), 1e-9);

    // Slide mode: every later breakpoint moves with the dragged one.
    clickObject(kEnvSlide);
    ASSERT_EQ(0, g_envEd_lock);
    double before1 = pos(e, 1), before3 = pos(e, 3), time2 = e->bp[2].time;
    a = bpPoint(kEnvFirstStrip, 1);
    drag({a, POINT{a.x + 16, a.y}, POINT{a.x + 32, a.y}});
    EXPECT_NEAR(before1 + 0.25, pos(e, 1), 0.005);
    EXPECT_NEAR(before3 + 0.25, pos(e, 3), 0.005);
    EXPECT_EQ(time2, 0.0 + e->bp[2].time);
    // Never shorter than one sample, however far left.
    a = bpPoint(kEnvFirstStrip, 2);
    drag({a, POINT{kEnvStripLeft + 1, a.y}});
    EXPECT_GE(0.0 + e->bp[2].time, 1.0);
    EXPECT_LT(0.0 + e->bp[2].time, 200.0);
    // The start level moves only up and down.
    a = bpPoint(kEnvFirstStrip, -1);
    drag({a, POINT{a.x + 40, a.y - 64}});
    EXPECT_NEAR(64.0 / 128, e->depth, 0.01);
    EXPECT_NEAR(0.5, e->bp[0].time / kEnvRate, 1e-9);
}

TEST_F(EnvWindowTest, CtrlDragSnapsToHalfBeatsWhenTheGridIsShown)
{
    short slot = newEnvelope(0, 1);
    envInstRec* e = env(slot);
    shape(e, {0.5, 0.5, 0.5}, {1.0f, 0.5f, 0.0f});
    EXPECT_FLOAT_EQ(120.0f, numbox_getVal(kEnvBpm));
    // Without the grid Ctrl does nothing.
    POINT a = bpPoint(kEnvFirstStrip, 1);
    headless_keyDown(VK_CONTROL);
    drag({a, at(kEnvFirstStrip, 1.37, 0.5)});
    EXPECT_NEAR(1.37, pos(e, 1), 0.004);
    clickObject(kEnvGrid);
    ASSERT_EQ(1, g_envEd_drawGrid);
    a = bpPoint(kEnvFirstStrip, 1);
    drag({a, at(kEnvFirstStrip, 1.30, 0.5), at(kEnvFirstStrip, 1.41, 0.5)});
    EXPECT_DOUBLE_EQ(1.5, pos(e, 1));
    a = bpPoint(kEnvFirstStrip, 1);
    drag({a, at(kEnvFirstStrip, 0.80, 0.5)});
    EXPECT_NEAR(0.75, pos(e, 1), 1e-9);
    headless_keyUp(VK_CONTROL);
    // Without Ctrl the grid is only drawn.
    a = bpPoint(kEnvFirstStrip, 1);
    drag({a, at(kEnvFirstStrip, 0.87, 0.5)});
    EXPECT_NEAR(0.87, pos(e, 1), 0.004);
}

TEST_F(EnvWindowTest, TempoWithAutoscaleRescalesOnlyRetriggerEnvelopes)
{
    short retrig = newEnvelope(0, 1);
    short other = newEnvelope(1, 1);
    env(retrig)->envMode = envMode_retrigger;
    wEnv_update();
    std::vector<double> t0, t1;
    for (int i = 0; i <= 2; ++i) {
        t0.push_back(0.0 + env(retrig)->bp[i].time);
        t1.push_back(0.0 + env(other)->bp[i].time);
    }
    clickObject(kEnvAutoscale);
    ASSERT_EQ(1, autoscale);
    typeInto(kEnvBpm, "60");
    EXPECT_FLOAT_EQ(60.0f, numbox_getVal(kEnvBpm));
    EXPECT_DOUBLE_EQ(60.0 / 60 * 8 * kEnvRate, gInst->extra.envGridLength);
    for (int i = 0; i <= 2; ++i) {
        EXPECT_DOUBLE_EQ(2 * t0[i], 0.0 + env(retrig)->bp[i].time);
        EXPECT_DOUBLE_EQ(t1[i], 0.0 + env(other)->bp[i].time);
    }
    // Beats change the grid but never rescale.
    typeInto(kEnvBeats, "4");
    EXPECT_FLOAT_EQ(4.0f, gInst->extra.envGridBeats);
    EXPECT_DOUBLE_EQ(2 * t0[0], 0.0 + env(retrig)->bp[0].time);
    // The boxes show the record's tempo after an update.
    wEnv_update();
    EXPECT_FLOAT_EQ(60.0f, numbox_getVal(kEnvBpm));
    EXPECT_FLOAT_EQ(4.0f, numbox_getVal(kEnvBeats));
    // Without autoscale the envelopes keep their times.
    clickObject(kEnvAutoscale);
    typeInto(kEnvBpm, "120");
    EXPECT_DOUBLE_EQ(2 * t0[1], 0.0 + env(retrig)->bp[1].time);
}

TEST_F(EnvWindowTest, TypedValuesInSecondsLevelsUnitsAndSlopes)
{
    short slot = newEnvelope(0, 1);
    envInstRec* e = env(slot);
    shape(e, {0.5, 0.5, 0.5}, {1.0f, 0.5f, 0.0f});
    POINT p = bpPoint(kEnvFirstStrip, 1);
    clickAt(p.x, p.y);
    ASSERT_EQ(1, g_envEd_selectedBp);
    EXPECT_EQ(slot, currentEditEnv);
    EXPECT_TRUE(clickObject_isVisible(winId_envelope, kEnvModePopup));
    EXPECT_NEAR(0.5, numbox_getVal(kEnvTimeBox), 1e-6);
    EXPECT_NEAR(1.0, numbox_getVal(kEnvPosBox), 1e-6);
    EXPECT_EQ(std::string("dB"), numbox_get(kEnvParamBox)->name);
    EXPECT_NEAR(-6.0, numbox_getVal(kEnvParamBox), 1e-4);

    // Slide mode: a new length moves the later breakpoints.
    typeInto(kEnvTimeBox, "0.3");
    EXPECT_NEAR(0.3 * kEnvRate, 0.0 + e->bp[1].time, 0.01);
    EXPECT_NEAR(0.8, numbox_getVal(kEnvPosBox), 1e-6);
    EXPECT_NEAR(1.3, pos(e, 2), 1e-6);
    EXPECT_EQ(2, undo_getMode());
    // Lock mode: a new position leaves the next breakpoint in place.
    clickObject(kEnvSlide);
    typeInto(kEnvPosBox, "1.1");
    EXPECT_NEAR(1.1, pos(e, 1), 1e-6);
    EXPECT_NEAR(1.3, pos(e, 2), 1e-6);
    EXPECT_NEAR(1.3, numbox_get(kEnvPosBox)->maximum, 1e-6);  // not past the next one
    typeInto(kEnvPosBox, "5");
    EXPECT_NEAR(1.3, pos(e, 1), 1e-6);
    EXPECT_GE(0.0 + e->bp[2].time, 10.0);

    // Levels: 0..1, and in decibels through box 35.
    typeInto(kEnvLevelBox, "0.25");
    EXPECT_FLOAT_EQ(0.25f, e->bp[1].level);
    EXPECT_NEAR(-12.0, numbox_getVal(kEnvParamBox), 1e-4);
    typeInto(kEnvParamBox, "-3");
    EXPECT_NEAR(dBToAmp(-3), e->bp[1].level, 1e-6);
    EXPECT_NEAR(dBToAmp(-3), numbox_getVal(kEnvLevelBox), 1e-4);
    typeInto(kEnvSlopeBox, "2");
    EXPECT_FLOAT_EQ(2.0f, e->bp[1].slope);
    // The start square: its level, and no time.
    p = bpPoint(kEnvFirstStrip, -1);
    clickAt(p.x, p.y);
    ASSERT_EQ(kEnvBpStart, g_envEd_selectedBp);
    typeInto(kEnvLevelBox, "0.4");
    EXPECT_FLOAT_EQ(0.4f, e->depth);
    typeInto(kEnvTimeBox, "3");
    EXPECT_NEAR(0.5, e->bp[0].time / kEnvRate, 1e-9);

    // A pitch envelope in hertz: box 35 scales the oscillator's frequency.
    oscil_setMainFreqMode(gInst, 1, 3);
    oscil_setMainFreq(gInst, 1, 440.0f);
    short pitch = newEnvelope(1, 2);
    list_select(kEnvList, 1, 1);
    wEnv_displayEnvelopes();
    short strip = 0;
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip; ++id)
        if (envEdGetEnvId(id) == pitch) strip = id;
    ASSERT_NE(0, strip);
    shape(env(pitch), {0.5, 0.5, 0.5}, {1.0f, 0.5f, 0.0f});
    p = bpPoint(strip, 1);
    clickAt(p.x, p.y);
    EXPECT_EQ(std::string("Hz"), numbox_get(kEnvParamBox)->name);
    EXPECT_NEAR(220.0, numbox_getVal(kEnvParamBox), 0.01);
    typeInto(kEnvParamBox, "110");
    EXPECT_NEAR(0.25, env(pitch)->bp[1].level, 1e-4);
    // A note-mode modulator pitch: the note for the scaled frequency.
    EXPECT_NEAR(hertzToNote(noteToHertz(60) * 0.5), wEnv_getOscilFreq(2, 60, 0.5), 1e-9);
    EXPECT_NEAR(0.5, wEnv_getAmpFromFreq(2, hertzToNote(noteToHertz(60) * 0.5), 60), 1e-9);
    EXPECT_NEAR(0.5, wEnv_getAmpFromFreq(0, -12, 0), 1e-9);
}

TEST_F(EnvWindowTest, MarkersMoveOnlyToBreakpointsThatQualify)
{
    short slot = newEnvelope(0, 1);
    envInstRec* e = env(slot);
    shape(e, {0.4, 0.4, 0.4, 0.4, 0.4}, {1, 0.8f, 0.6f, 0.4f, 0.2f});
    e->envMode = envMode_loop;
    e->loopStart = 0;
    e->sustainPoint = 2;
    envEd_drawAll();
    const envEdRec* rec = envEd_get(kEnvFirstStrip);
    ASSERT_LT(rec->sustain.left, rec->sustain.right);
    // The sustain flag hangs from the strip's top at its breakpoint.
    POINT flag{(rec->sustain.left + rec->sustain.right) / 2, rec->sustain.top + 2};
    drag({flag, bpPoint(kEnvFirstStrip, 2), bpPoint(kEnvFirstStrip, 3)});
    EXPECT_EQ(3, e->sustainPoint);
    EXPECT_EQ(2, undo_getMode());
    // Not onto the last breakpoint, nor at or below the loop start.
    flag = POINT{(rec->sustain.left + rec->sustain.right) / 2, rec->sustain.top + 2};
    drag({flag, bpPoint(kEnvFirstStrip, 4)});
    EXPECT_EQ(3, e->sustainPoint);
    // The loop-start flag stands on the strip's bottom.
    POINT loop{(rec->loop.left + rec->loop.right) / 2, rec->loop.bottom - 3};
    drag({loop, bpPoint(kEnvFirstStrip, 2)});
    EXPECT_EQ(2, e->loopStart);
    loop = POINT{(rec->loop.left + rec->loop.right) / 2, rec->loop.bottom - 3};
    drag({loop, bpPoint(kEnvFirstStrip, 3)});
    EXPECT_EQ(2, e->loopStart);  // not below the sustain point
    flag = POINT{(rec->sustain.left + rec->sustain.right) / 2, rec->sustain.top + 2};
    drag({flag, bpPoint(kEnvFirstStrip, 1)});
    EXPECT_EQ(3, e->sustainPoint);
    EXPECT_TRUE(platform_cursorShown());
    // The mode pop-up: "Release" draws no markers.
    choose(kEnvModePopup, 1);
    EXPECT_EQ(envMode_release, e->envMode);
    EXPECT_EQ(rec->sustain.left, rec->sustain.right);
    undo_processUndo();
    EXPECT_EQ(envMode_loop, e->envMode);
}

TEST_F(EnvWindowTest, UndoRedoCopyAndPasteOfWholeEnvelopes)
{
    short a = newEnvelope(0, 1);
    short b = newEnvelope(1, 1);
    shape(env(a), {0.2, 0.3, 0.4, 0.5}, {0.9f, 0.7f, 0.5f, 0.1f});
    envInstRec before = *env(a);
    POINT p = bpPoint(kEnvFirstStrip, 2);
    drag({p, POINT{p.x + 40, p.y + 20}});
    envInstRec after = *env(a);
    ASSERT_NE(0.0 + before.bp[2].time, 0.0 + after.bp[2].time);
    EXPECT_EQ(2, undo_getMode());
    EXPECT_EQ(1, copy_getMode());
    undo_processUndo();
    EXPECT_EQ(0, std::memcmp(&before, env(a), sizeof before));
    undo_processUndo();
    EXPECT_EQ(0, std::memcmp(&after, env(a), sizeof after));

    // Copy a, paste onto b: b keeps its own parameter and channel.
    copy_processCopy();
    p = bpPoint(kEnvFirstStrip + 1, -1);
    clickAt(p.x + 30, p.y - 40);
    ASSERT_EQ(b, currentEditEnv);
    envInstRec bBefore = *env(b);
    copy_processPaste();
    EXPECT_EQ(3, env(b)->lastPoint);
    EXPECT_EQ(0, std::memcmp(after.bp, env(b)->bp, sizeof after.bp));
    EXPECT_EQ(1, env(b)->channel);
    EXPECT_EQ(1, env(b)->param);
    undo_processUndo();
    EXPECT_EQ(0, std::memcmp(&bBefore, env(b), sizeof bBefore));
    // A new instance's envelopes: the old undo is dropped.
    wEnv_update();
    EXPECT_EQ(0, undo_getMode());
    EXPECT_EQ(0, copy_getMode());
    // "Initialize Selected Envelope" gives the default shape and keeps the slot in use.
    p = bpPoint(kEnvFirstStrip, -1);
    clickAt(p.x + 30, p.y - 40);
    choose(kEnvTransformPopup, 5);
    EXPECT_EQ(2, env(a)->lastPoint);
    EXPECT_EQ(441.0, 0.0 + env(a)->bp[0].time);
    EXPECT_EQ(1, env(a)->inUse);
    EXPECT_EQ(1, env(a)->param);
    undo_processUndo();
    EXPECT_EQ(3, env(a)->lastPoint);
}
