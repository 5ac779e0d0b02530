// The Main window used as a person would, headless, with morvane-host as
// the plug-in side: the preset matrix, its pages and the arrow keys with
// the program changes they send, program changes from the host, the
// number boxes, the tuning pop-up, the controller sliders and their names,
// the keyboard, the bend wheel, the bottom panel and the instance buttons.
#include <cstdlib>

#include "tests/windows/mainwin_fixture.h"

namespace {
class MainWindowUse : public MainWindowTest {
protected:
    // The client point at the centre of matrix cell `cell` (column by column).
    POINT cellPoint(int cell)
    {
        RECT r;
        window_setCurrent(winId_main);
        clickObject_getRect(mainId_matrix, &r);
        int col = cell / 4, row = cell % 4;
        return POINT{r.left + col * 100 + 50, r.top + 1 + row * 14 + 7};
    }
    void clickCell(int cell)
    {
        POINT p = cellPoint(cell);
        clickAt(p.x, p.y);
    }
    int programChangesSent() { return host_->count("instance 0: program change "); }
    // The last program change the host reported.
    int lastProgramChange()
    {
        const std::string key = "instance 0: program change ";
        const std::string& all = host_->report();
        size_t at = all.rfind(key);
        return at == std::string::npos ? -1 : std::atoi(all.c_str() + at + key.size());
    }
    // Waits for new program changes from the host, the last of them `program`.
    bool sent(int program)
    {
        bool ok = waitFor([&] { return programChangesSent() > seen_ && lastProgramChange() == program; });
        seen_ = programChangesSent();
        return ok;
    }
    int seen_ = 0;
    // Nothing more arrives from the host within a short while.
    bool noMoreProgramChanges(int count)
    {
        return !waitFor([&] { return programChangesSent() != count; }, 300);
    }
    short matrixSelection()
    {
        window_setCurrent(winId_main);
        return matrix_getSelection(mainId_matrix);
    }
    bool selected(short id)
    {
        window_setCurrent(winId_main);
        return button_isSelected(id) != 0;
    }
    bool visible(short id) { return clickObject_isVisible(winId_main, id) != 0; }
    // Opens the in-place editor of a display or number box and types text, then Return.
    void typeInto(short id, const char* text, int x = -1)
    {
        POINT p = centreOf(id);
        if (x >= 0) p.x = x;
        clickAt(p.x, p.y);
        headless_typeText(text);
        headless_key(VK_RETURN);
        headless_runUntilIdle();
    }
    // Presses at a client point, moves by dx, dy in a few steps and releases.
    void drag(int x, int y, int dx, int dy)
    {
        POINT a = screenOf(x, y);
        headless_mouseMove(a.x, a.y);
        headless_mouseDown(1);
        for (int k = 1; k <= 4; ++k) headless_mouseMove(a.x + dx * k / 4, a.y + dy * k / 4);
        headless_mouseUp(1);
        headless_runUntilIdle();
    }
};

// The highest bend value seen by a toolkit timer while the wheel is held.
short s_highestBend = 0;
void sampleBend(short, void*)
{
    short b = inst_getMidi(gInst)->bendRaw;
    if (b > s_highestBend) s_highestBend = b;
}
}  // namespace

TEST_F(MainWindowUse, MatrixClicksAndArrowKeysSelectPresetsAndTellThePlugin)
{
    openBank(makeBankFile("Keys.glo", {0, 1, 2, 3, 5, 6, 9, 13, 17}));
    startHost();
    ASSERT_EQ(gInst->patch.preset, 0);
    seen_ = programChangesSent();

    clickCell(5);
    ASSERT_TRUE(sent(5)) << host_->report();
    EXPECT_EQ(gInst->patch.preset, 5);
    EXPECT_EQ(patchName(gInst), "Sound 5");
    idleStep();
    EXPECT_EQ(matrixSelection(), 5);
    EXPECT_EQ(displayText(mainId_number), "5");
    EXPECT_EQ(displayText(mainId_name), "Sound 5");
    EXPECT_FALSE(presetIsDirty());

    // The cell of the preset already playing sends nothing.
    int count = programChangesSent();
    clickCell(5);
    EXPECT_TRUE(noMoreProgramChanges(count)) << host_->report();
    EXPECT_EQ(matrixSelection(), 5);

    // Down and Up step by one slot, Right and Left by a column of four.
    pressKey(VK_DOWN);
    ASSERT_TRUE(sent(6)) << host_->report();
    pressKey(VK_RIGHT);
    ASSERT_TRUE(sent(10)) << host_->report();
    pressKey(VK_LEFT);
    pressKey(VK_LEFT);
    ASSERT_TRUE(sent(2)) << host_->report();
    pressKey(VK_UP);
    pressKey(VK_UP);
    ASSERT_TRUE(sent(0)) << host_->report();
    EXPECT_EQ(gInst->patch.preset, 0);
    // Up on slot 0 and Left in the first column do nothing.
    count = programChangesSent();
    pressKey(VK_UP);
    pressKey(VK_LEFT);
    EXPECT_TRUE(noMoreProgramChanges(count)) << host_->report();
    EXPECT_EQ(gInst->patch.preset, 0);

    // Stepping past the page shows the next page with its button.
    gInst->patch.preset = 13;
    pressKey(VK_RIGHT);
    ASSERT_TRUE(sent(17)) << host_->report();
    idleStep();
    EXPECT_EQ(presetMatrixOffset, 16);
    EXPECT_TRUE(selected(mainId_page0 + 1));
    EXPECT_FALSE(selected(mainId_page0));
    EXPECT_EQ(matrixSelection(), 1);
    EXPECT_EQ(matrixText(1), "17 Sound 17");

    // A page button shows its page without changing the program.
    count = programChangesSent();
    clickObject(mainId_page0 + 7);
    EXPECT_EQ(presetMatrixOffset, 112);
    EXPECT_EQ(matrixText(15), "127 default");
    EXPECT_EQ(matrixSelection(), -1);
    EXPECT_TRUE(noMoreProgramChanges(count));
}

TEST_F(MainWindowUse, ProgramChangeFromTheHostMovesTheHighlight)
{
    openBank(makeBankFile("Pads.glo", {0, 3, 20}));
    startHost();
    host_->send("program 0 3");
    ASSERT_TRUE(waitFor([] { return gInst->patch.preset == 3 && !wMain_needUpdate(); })) << host_->report();
    EXPECT_EQ(matrixSelection(), 3);
    EXPECT_EQ(displayText(mainId_name), "Sound 3");
    // A program on another page brings that page forward.
    host_->send("program 0 20");
    ASSERT_TRUE(waitFor([] { return gInst->patch.preset == 20 && !wMain_needUpdate(); })) << host_->report();
    EXPECT_EQ(presetMatrixOffset, 16);
    EXPECT_EQ(matrixSelection(), 4);
    EXPECT_TRUE(selected(mainId_page0 + 1));
}

TEST_F(MainWindowUse, NumberBoxesWriteThePatch)
{
    inst_patch_setPoly(gInst, 4);
    wMain_updateSchedule();
    idleStep();
    window_setCurrent(winId_main);
    numboxRec* dB = numbox_get(mainId_dB);
    ASSERT_NE(dB, nullptr);
    typeInto(mainId_dB, "-12", (dB->valueRect.left + dB->valueRect.right) / 2);
    EXPECT_NEAR(inst_patch_getAmp(gInst), 0.25f, 1e-6);
    EXPECT_NEAR(gInst->outGain, 0.25f / 4, 1e-6);
    EXPECT_TRUE(presetIsDirty());

    // The level is clamped to its range: 24 dB at most.
    typeInto(mainId_dB, "30", (dB->valueRect.left + dB->valueRect.right) / 2);
    EXPECT_NEAR(inst_patch_getAmp(gInst), dBToAmp(24), 1e-3);

    numboxRec* poly = numbox_get(mainId_poly);
    typeInto(mainId_poly, "8", (poly->valueRect.left + poly->valueRect.right) / 2);
    EXPECT_EQ(inst_patch_getPoly(gInst), 8);
    EXPECT_NEAR(gInst->outGain, dBToAmp(24) / 8, 1e-3);

    // Dragging the transposition's coarse column up 12 pixels: an octave.
    numboxRec* trans = numbox_get(mainId_transpose);
    drag(trans->buttonRect.left + 3, (trans->buttonRect.top + trans->buttonRect.bottom) / 2, 0, -12);
    EXPECT_NEAR(inst_patch_getTrans(gInst), 12.0f, 1e-4);

    // An update shows what the instrument holds.
    inst_patch_setPan(gInst, 0.125f);
    wMain_updateSchedule();
    idleStep();
    window_setCurrent(winId_main);
    EXPECT_NEAR(numbox_getVal(mainId_pan), 0.125f, 1e-6);
    EXPECT_NEAR(numbox_getVal(mainId_transpose), 12.0f, 1e-3);
}

TEST_F(MainWindowUse, TuningPopupRetunesEveryPlayingVoice)
{
    gInst->voicesInUse = 3;
    gInst->voice[0].note = 60;
    gInst->voice[1].note = 67;
    gInst->voice[2].note = -1;  // releasing: keeps its increment
    gInst->voice[2].frequency = 123.0f;
    gBank->dirty = 0;
    const short item = 5;
    headless_answerNextPrompt(item);
    clickObject(mainId_tuning);
    short slot = tune_menuItemToID(item);
    EXPECT_EQ(gInst->patch.microtune, slot);
    float trans = gInst->patch.trans;
    EXPECT_FLOAT_EQ(gInst->voice[0].frequency, static_cast<float>(trans * tune_getIncr(slot, 60)));
    EXPECT_FLOAT_EQ(gInst->voice[1].frequency, static_cast<float>(trans * tune_getIncr(slot, 67)));
    EXPECT_FLOAT_EQ(gInst->voice[2].frequency, 123.0f);
    EXPECT_NE(tune_getIncr(slot, 67), tune_getIncr(tune_menuItemToID(1), 67));
    EXPECT_TRUE(presetIsDirty());
    EXPECT_EQ(gBank->dirty, 1);
    window_setCurrent(winId_main);
    EXPECT_EQ(popup_getCurrentItem(mainId_tuning), item);
    // The pop-up lists every tuning by name.
    char name[kTuneNameLen + 1];
    char menuText[64];
    wMain_tuningItemName(item, name);
    GetMenuStringA(popup_get(mainId_tuning)->menu, item, menuText, sizeof menuText, MF_BYCOMMAND);
    EXPECT_STREQ(menuText, name);
    EXPECT_EQ(GetMenuItemCount(popup_get(mainId_tuning)->menu), tune_getListSize());
}

TEST_F(MainWindowUse, SlidersPlayControllersAndKeepTheirNames)
{
    // The stored controllers as a program change plays them.
    storedCC_dumpMIDI(gInst);
    SendMessageA(window_getHWND(winId_main), WM_COMMAND, kCmdUpdateSliders, 0);
    iac_changed[0].ccPlayed.store(0);
    window_setCurrent(winId_main);
    // Slider 2 shows controller 7 (stored value 127): drag it to the left.
    draggyRec* volume = draggy_get(mainId_slider1 + 1);
    ASSERT_NE(volume, nullptr);
    EXPECT_NEAR(volume->h, 1.0, 1e-6);
    RECT knob = volume->knobRect;
    drag((knob.left + knob.right) / 2, (knob.top + knob.bottom) / 2, -60, 0);
    window_setCurrent(winId_main);
    double h = draggy_getValH(mainId_slider1 + 1);
    EXPECT_LT(h, 0.8);
    EXPECT_EQ(midi_getCCVal(gInst, 7), static_cast<short>(h * 127.0));
    EXPECT_EQ(iac_changed[0].ccPlayed.load(), 1);

    // A controller played elsewhere moves the slider on the next slider update.
    MorvaneEngine_playCC(gInst, 7, 32);
    SendMessageA(window_getHWND(winId_main), WM_COMMAND, kCmdUpdateSliders, 0);
    window_setCurrent(winId_main);
    EXPECT_NEAR(draggy_getValH(mainId_slider1 + 1), 32 / 127.0, 1e-6);

    // Typing a label: the number it shows is not stored with the name.
    typeInto(mainId_sliderName1 + 1, "Level 42");
    storedCCRec* rec = storedCC_getRecFromCC(inst_getStoredCC(gInst), 7);
    ASSERT_NE(rec, nullptr);
    EXPECT_STREQ(rec->name, "Level");
    idleStep();
    EXPECT_EQ(displayText(mainId_sliderName1 + 1), "Level 7");
    // Tab goes on to the next name of the row.
    window_setCurrent(winId_main);
    EXPECT_EQ(display_get(mainId_sliderName1)->tabTarget, mainId_sliderName1 + 1);
    EXPECT_EQ(display_get(mainId_sliderName1 + 2)->tabTarget, 0);
}

TEST_F(MainWindowUse, BottomPanelShowsTheStoredControllers)
{
    storedCCList* list = inst_getStoredCC(gInst);
    for (int k = 0; k < kStoredCC; ++k) storedCC_init(&list->rec[k]);
    wMain_updateSchedule();
    idleStep();
    EXPECT_EQ(currentSliderPanel, mainId_sliderPanel1);
    EXPECT_TRUE(visible(mainId_sliderPanel1));
    EXPECT_FALSE(visible(mainId_sliderPanel1 + 2));
    for (int k = 0; k < kMainSliders; ++k) EXPECT_FALSE(visible(mainId_slider1 + k)) << k;

    for (int cc = 20; cc < 27; ++cc) storedCC_addToList(list, cc, 64, "");
    wMain_updateSchedule();
    idleStep();
    EXPECT_EQ(currentSliderPanel, mainId_sliderPanel1 + 2);
    EXPECT_TRUE(visible(mainId_sliderPanel1 + 2));
    EXPECT_FALSE(visible(mainId_sliderPanel1));
    EXPECT_TRUE(visible(mainId_sliderRow1 + 2));
    for (int k = 0; k < 7; ++k) EXPECT_TRUE(visible(mainId_slider1 + k)) << k;
    EXPECT_FALSE(visible(mainId_slider1 + 7));
    EXPECT_FALSE(visible(mainId_slider1 + 8));
    EXPECT_EQ(displayText(mainId_sliderName1 + 6), "cc 26");
    // The keyboard sits below the three rows.
    RECT rows, keys;
    clickObject_getRect(mainId_sliderRow1 + 2, &rows);
    clickObject_getRect(mainId_keyboard, &keys);
    EXPECT_GT(keys.top, rows.bottom);

    // Hidden and shown again, the panel brings back exactly its seven sliders.
    clickObject(mainId_showBottom);
    EXPECT_FALSE(bottomPanelVisible);
    EXPECT_FALSE(visible(mainId_slider1));
    clickObject(mainId_showBottom);
    EXPECT_TRUE(visible(mainId_slider1 + 6));
    EXPECT_FALSE(visible(mainId_slider1 + 7));
    EXPECT_TRUE(visible(mainId_keyboard));
}

TEST_F(MainWindowUse, KeyboardFillsTheMidiBufferWithAndWithoutHold)
{
    window_setCurrent(winId_main);
    kbdRec* kbd = kbd_get(mainId_keyboard);
    ASSERT_NE(kbd, nullptr);
    auto keyPoint = [&](short note) {
        RECT r = kbd->keys[kbd_findKey(kbd, note)].rect;
        return POINT{(r.left + r.right) / 2, r.bottom - 4};  // below the black keys
    };
    midiRec* midi = inst_getMidi(gInst);
    midi_clearBuffer(midi);
    POINT c = keyPoint(60);
    clickAt(c.x, c.y);
    EXPECT_EQ(midiEvents(gInst), (std::vector<std::string>{"144 60 75", "144 60 0"}));

    // Sliding from C to D: D starts before C stops.
    midi_clearBuffer(midi);
    POINT d = keyPoint(62);
    drag(c.x, c.y, d.x - c.x, 0);
    EXPECT_EQ(midiEvents(gInst),
              (std::vector<std::string>{"144 60 75", "144 62 75", "144 60 0", "144 62 0"}));

    // With hold the key stays down after the release; a second click lets it go.
    clickObject(mainId_hold);
    midi_clearBuffer(midi);
    clickAt(c.x, c.y);
    EXPECT_EQ(midiEvents(gInst), (std::vector<std::string>{"144 60 75"}));
    clickAt(c.x, c.y);
    EXPECT_EQ(midiEvents(gInst), (std::vector<std::string>{"144 60 75", "144 60 0"}));
    // Hold off again: a held key is released.
    clickAt(c.x, c.y);
    midi_clearBuffer(midi);
    clickObject(mainId_hold);
    EXPECT_EQ(midiEvents(gInst), (std::vector<std::string>{"144 60 0"}));

    // Notes the plug-in plays light their keys on the keyboard update.
    window_setCurrent(winId_main);
    midi->bagOn[64] = 1;
    midi->bagNoteChanged[64] = 1;
    midi->bagChanged = 1;
    SendMessageA(window_getHWND(winId_main), WM_COMMAND, kCmdUpdateKbd, 0);
    window_setCurrent(winId_main);
    EXPECT_TRUE(kbd_keyIsSelected(mainId_keyboard, kbd_findKey(kbd, 64)));
}

TEST_F(MainWindowUse, BendWheelReturnsToTheCentreOnRelease)
{
    cc_setBendRange(gInst, 2);
    s_highestBend = 0;
    timerRec* sampler = timer_new(winId_main, 9, sampleBend, 1.0, 100);
    POINT p = centreOf(mainId_bend);
    drag(p.x, p.y, 0, -20);
    timer_stop(sampler);
    EXPECT_GT(s_highestBend, 64);
    EXPECT_EQ(inst_getMidi(gInst)->bendRaw, 64);
    EXPECT_FLOAT_EQ(gInst->cc.bendTarget, 1.0f);
}

TEST_F(MainWindowUse, InstanceButtonsFollowTheOnlineInstances)
{
    startHost(2);
    ASSERT_TRUE(waitFor([] { return MorvaneEngine_plugIsOnline(1) != 0; }));
    wMain_updateSchedule();
    idleStep();
    window_setCurrent(winId_main);
    EXPECT_TRUE(clickObject_isEnabled(winId_main, mainId_instance0));
    EXPECT_TRUE(clickObject_isEnabled(winId_main, mainId_instance0 + 1));
    EXPECT_FALSE(clickObject_isEnabled(winId_main, mainId_instance0 + 2));
    EXPECT_TRUE(selected(mainId_instance0));
    clickObject(mainId_instance0 + 1);
    EXPECT_EQ(MorvaneEngine_getCurrentInstance(), 1);
    EXPECT_EQ(gInst, iac_getInst(1));
    idleStep();
    EXPECT_TRUE(selected(mainId_instance0 + 1));
    EXPECT_FALSE(selected(mainId_instance0));
    // An offline instance cannot be chosen.
    clickObject(mainId_instance0 + 5);
    EXPECT_EQ(MorvaneEngine_getCurrentInstance(), 1);
}

TEST_F(MainWindowUse, RecentEditsNameEditorWindowsPanicAndClose)
{
    openBank(makeBankFile("Hist.glo", {0, 1, 2}));
    startHost();
    // An edited sound goes into the recent edits when another program is chosen.
    inst_patch_setName(gInst, "My edit");
    makePresetDirty();
    clickCell(1);
    ASSERT_EQ(patchName(gInst), "Sound 1");
    window_setCurrent(winId_main);
    HMENU edits = popup_get(mainId_edits)->menu;
    ASSERT_EQ(GetMenuItemCount(edits), 1);
    char text[64];
    GetMenuStringA(edits, 1, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "My edit");
    // Restoring it while another edit is unstored: the restored sound is an
    // edit (asked about at quit), and the one it replaced joins the history.
    inst_patch_setName(gInst, "Second edit");
    makePresetDirty();
    headless_answerNextPrompt(1);
    clickObject(mainId_edits);
    EXPECT_EQ(patchName(gInst), "My edit");
    EXPECT_EQ(gInst->patch.preset, 1);  // the program number stays
    EXPECT_TRUE(presetIsDirty());
    window_setCurrent(winId_main);
    ASSERT_EQ(GetMenuItemCount(edits), 2);
    GetMenuStringA(edits, 1, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Second edit");
    GetMenuStringA(edits, 2, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "My edit");

    // The name display renames the patch and the titles follow.
    makePresetClean();
    typeInto(mainId_name, "A name of thirty-four characters!!and more");
    EXPECT_EQ(patchName(gInst), "A name of thirty-four characters!!");
    typeInto(mainId_name, "Bright Keys");
    EXPECT_EQ(patchName(gInst), "Bright Keys");
    EXPECT_TRUE(presetIsDirty());
    char title[128];
    GetWindowTextA(window_getHWND(winId_main), title, sizeof title);
    EXPECT_STREQ(title, "Hist.glo: Bright Keys");

    // Panic stops the instrument through a repatch of the plug-in.
    int repatches = host_->count("instance 0: repatch");
    clickObject(mainId_panic);
    EXPECT_TRUE(waitFor([&] { return host_->count("instance 0: repatch") > repatches; })) << host_->report();

    // The Patch button brings the Patch window forward.
    wPatch_makeWindow();
    ASSERT_FALSE(window_getVisible(winId_patch));
    clickObject(mainId_patch);
    EXPECT_TRUE(window_getVisible(winId_patch));

    // Closing the Main window hides it; it is kept for the whole run.
    SendMessageA(window_getHWND(winId_main), WM_CLOSE, 0, 0);
    headless_runUntilIdle();
    EXPECT_TRUE(IsWindow(window_getHWND(winId_main)));
    EXPECT_FALSE(window_getVisible(winId_main));
    wMain_show(1);
    EXPECT_TRUE(window_getVisible(winId_main));
}

TEST_F(MainWindowUse, TheEditStateShowsBesideTheNameAndInTheFrameTitle)
{
    openBank(makeBankFile("Marks.glo", {0, 1}));
    wMain_setPreset(0);
    idleStep();
    char title[128];
    EXPECT_EQ(displayText(mainId_editedMark), "");
    GetWindowTextA(frame_, title, sizeof title);
    EXPECT_STREQ(title, MORVANE_FRAME_TITLE);

    // An edit made in the window marks the sound.
    typeInto(mainId_name, "A name of thirty-four characters!!");
    idleStep();
    EXPECT_EQ(displayText(mainId_editedMark), "*");
    screenshot("main-edited");
    typeInto(mainId_name, "Marimba");
    idleStep();
    EXPECT_EQ(displayText(mainId_editedMark), "*");
    screenshot("main-edited-short");
    // Storing it clears the mark and leaves the bank unsaved, in the title.
    headless_answerNextPrompt(IDYES);
    askStorePreset();
    idleStep();
    EXPECT_EQ(displayText(mainId_editedMark), "");
    GetWindowTextA(frame_, title, sizeof title);
    EXPECT_STREQ(title, MORVANE_FRAME_TITLE " - Marks.glo *");
    // Saved: the title is the program's own again.
    ASSERT_EQ(mvnFile_save(gBank), 1);
    idleStep();
    GetWindowTextA(frame_, title, sizeof title);
    EXPECT_STREQ(title, MORVANE_FRAME_TITLE);

    // Opening the store dialog and leaving it without storing changes nothing.
    headless_pushIdleAction([](HWND dlg) { headless_clickWindow(GetDlgItem(dlg, storeItem_done)); });
    clickObject(mainId_store);
    EXPECT_EQ(gBank->dirty, 0);
    // Another program: the new sound is clean.
    makePresetDirty();
    idleStep();
    EXPECT_EQ(displayText(mainId_editedMark), "*");
    wMain_setPreset(1);
    idleStep();
    EXPECT_EQ(displayText(mainId_editedMark), "");
}
