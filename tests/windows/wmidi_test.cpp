// The MIDI window, headless, driven through injected mouse and key events:
// the name tables, the pages and their sizes, every routing, velocity and
// note-map control reaching the shared record as the plug-in reads it, the
// controller chooser through the real dialog, the note map editor's drags
// and labels, the refresh from the record, and screenshots of the pages
// and the chooser.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

#include "iac/MorvaneIAC_plug.h"
#include "resources/resources.h"
#include "tests/windows/window_session.h"

namespace {
std::string ccName(short cc)
{
    char out[kCCNameSize];
    wMidi_ccName_get(cc, out);
    return out;
}

std::string noteName(short note, int withNumber)
{
    char out[kNoteNameSize];
    wMidi_noteName_get(note, out, withNumber);
    return out;
}

std::string lineOf(HWND dlg, int line)
{
    char text[64] = "";
    SendDlgItemMessageA(dlg, midiCCItem_list, LB_GETTEXT, static_cast<WPARAM>(line),
                        reinterpret_cast<LPARAM>(text));
    return text;
}

// Clicks a line of the chooser's list (twice for a double click).
void clickLine(HWND dlg, int line, bool twice = false)
{
    HWND box = GetDlgItem(dlg, midiCCItem_list);
    SendMessageA(box, LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
    RECT r;
    SendMessageA(box, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(box, &p);
    if (twice)
        headless_doubleClick(p.x, p.y);
    else
        headless_click(p.x, p.y);
}

class MidiWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, windowSession_open(&session_, "wmidi"));
        wMidi_makeWindow();
        ASSERT_NE(nullptr, window_getHWND(winId_midi));
        wMidi_show(1);
        wMidi_update();
        headless_runUntilIdle();
        window_setCurrent(winId_midi);
    }
    void TearDown() override { windowSession_close(&session_); }
    HWND hwnd() { return window_getHWND(winId_midi); }
    POINT screen(int x, int y) { return windowSession_screen(winId_midi, x, y); }
    void settle() { windowSession_settle(winId_midi); }
    void clickAt(int x, int y) { windowSession_clickAt(winId_midi, x, y); }
    void clickObject(short id) { windowSession_clickObject(winId_midi, id); }
    // Opens a number box's in-place editor with a click, types, Return.
    void typeInto(short id, const char* text)
    {
        ASSERT_NE(nullptr, numbox_get(id));
        windowSession_typeInto(winId_midi, id, text);
    }
    void page(int k) { clickObject(static_cast<short>(kMidiPageButton1 + k - 1)); }
    // Client point of note n at factor v in the map editor.
    POINT mapPoint(int note, float v)
    {
        return POINT{kMidiMapX + 3 * note + 1,
                     static_cast<LONG>(kMidiMapY + kMidiMapHeight - std::lround(v / 0.005))};
    }
    void drag(const std::vector<POINT>& path) { windowSession_drag(winId_midi, path); }
    COLORREF pixel(int x, int y) { return windowSession_pixel(winId_midi, x, y); }
    SIZE clientSize()
    {
        RECT r;
        GetClientRect(hwnd(), &r);
        return SIZE{r.right, r.bottom};
    }
    std::string buttonText(short id) { return button_get(id) ? button_get(id)->text : ""; }
    std::string shot(const char* name)
    {
        const std::string path = std::string(name) + ".png";
        EXPECT_EQ(1, windowSession_shot(winId_midi, path)) << path;
        return path;
    }
    float* map(int group, int index) { return notemap_getData(gInst, group, index); }
    windowSession session_;
};
}  // namespace

TEST(MidiNames, ControllerAndNoteTables)
{
    wMidi_ccName_init();
    wMidi_noteName_init();
    EXPECT_EQ(ccName(-1), "aftertouch");
    EXPECT_EQ(ccName(0), "(0) bank select");
    EXPECT_EQ(ccName(1), "(1) mod wheel");
    EXPECT_EQ(ccName(9), "(9) undefined");
    EXPECT_EQ(ccName(35), "(35) old DX7 tou");  // cut to 16 characters
    EXPECT_EQ(ccName(32), "(32) bank select");  // "... LSB" cut
    EXPECT_EQ(ccName(38), "(38) data entry ");
    EXPECT_EQ(ccName(41), "(41) undefined");
    EXPECT_EQ(ccName(42), "(42) pan LSB");
    EXPECT_EQ(ccName(43), "(43) expression ");
    EXPECT_EQ(ccName(44), "(44) undefined");
    EXPECT_EQ(ccName(96), "(96) data +");
    EXPECT_EQ(ccName(121), "(121) reset all ");
    EXPECT_EQ(ccName(123), "(123) all notes ");
    EXPECT_EQ(ccName(127), "(127) poly on");
    EXPECT_EQ(ccName(128), "");
    EXPECT_EQ(ccName(-2), "");
    for (short cc = 0; cc < 128; ++cc) EXPECT_LE(ccName(cc).size(), 16u) << cc;

    EXPECT_EQ(noteName(0, 0), "C -2");
    EXPECT_EQ(noteName(1, 0), "C#-2");
    EXPECT_EQ(noteName(60, 0), "C 3");
    EXPECT_EQ(noteName(70, 0), "A#3");
    EXPECT_EQ(noteName(127, 0), "G 8");
    EXPECT_EQ(noteName(60, 1), "C 3 (60)");
    EXPECT_EQ(noteName(127, 1), "G 8 (127)");
    EXPECT_EQ(noteName(128, 0), "");
    EXPECT_EQ(noteName(-1, 1), "");
}

TEST_F(MidiWindowTest, WindowPagesAndTitle)
{
    char cls[64] = "";
    GetClassNameA(hwnd(), cls, sizeof cls);
    EXPECT_STREQ(cls, "wMidi_Wnd");
    inst_patch_setName(gInst, "Strings");
    updateWindowNames();
    char title[128] = "";
    GetWindowTextA(hwnd(), title, sizeof title);
    EXPECT_STREQ(title, "Midi Control: Strings");
    EXPECT_EQ(window_getClickList(winId_midi)->count, kMidiObjects);
    EXPECT_EQ(window_getDrawList(winId_midi)->capacity, kMidiObjects);

    // Each page button shows its page alone, selected, with the window sized
    // to its panel; the page buttons and the note-keyboard switch (ids up to
    // 10) leave the preset clean.
    makePresetClean();
    for (int k : {2, 3, 1}) {
        page(k);
        EXPECT_EQ(wMidi_mode, k);
        for (int other = 1; other <= 3; ++other) {
            EXPECT_EQ(clickObject_isVisible(winId_midi, static_cast<short>(kMidiPage1Panel + other - 1)),
                      other == k);
            EXPECT_EQ(button_isSelected(static_cast<short>(kMidiPageButton1 + other - 1)) != 0, other == k);
        }
        RECT panel;
        clickObject_getRect(static_cast<short>(kMidiPage1Panel + k - 1), &panel);
        SIZE s = clientSize();
        EXPECT_EQ(s.cx, panel.right);
        EXPECT_EQ(s.cy, panel.bottom);
    }
    EXPECT_FALSE(presetIsDirty());
    page(3);
    clickObject(kMidiKbdSwitch);
    EXPECT_EQ(wMidi_kbdSwitch, 0);
    EXPECT_FALSE(presetIsDirty());
    page(1);
    EXPECT_TRUE(clickObject_isVisible(winId_midi, kMidiDepthBox1));
    EXPECT_FALSE(clickObject_isVisible(winId_midi, kMidiVelBox1));
    EXPECT_FALSE(clickObject_isVisible(winId_midi, kMidiMapEditor));
    wMidi_setMode(4);  // no such page: nothing changes
    EXPECT_EQ(wMidi_mode, 1);
    // A placement with a size of its own (the remembered one) keeps the page's size.
    MoveWindow(hwnd(), 40, 50, 433, 179, TRUE);
    settle();
    RECT page1, where;
    clickObject_getRect(kMidiPage1Panel, &page1);
    EXPECT_EQ(clientSize().cx, page1.right);
    EXPECT_EQ(clientSize().cy, page1.bottom);
    GetWindowRect(hwnd(), &where);
    POINT corner{where.left, where.top};
    ScreenToClient(session_.client, &corner);
    EXPECT_EQ(corner.x, 40);
    EXPECT_EQ(corner.y, 50);
    // Closing hides the window; it is never destroyed.
    SendMessageA(hwnd(), WM_CLOSE, 0, 0);
    settle();
    EXPECT_NE(nullptr, hwnd());
    EXPECT_FALSE(window_getVisible(winId_midi));
}

TEST_F(MidiWindowTest, ControllerPageWritesTheRecord)
{
    const ccInstRec& cc = gInst->cc;
    const char* depths[5] = {"100", "30", "45", "80", "25"};
    for (short k = 0; k < 5; ++k) typeInto(static_cast<short>(kMidiDepthBox1 + k), depths[k]);
    EXPECT_FLOAT_EQ(cc.bendRange, 72.0f);  // clamped by the box to 0..72
    EXPECT_NEAR(cc.modDepth, 0.7f, 1e-6);
    EXPECT_NEAR(cc.filterDepth, 0.55f, 1e-6);
    EXPECT_NEAR(cc.effectDepth, 0.8f, 1e-6);
    EXPECT_NEAR(cc.panDepth, 0.25f, 1e-6);

    const char* lags[6] = {"0", "5", "10", "25", "999", "40"};
    for (short k = 0; k < 6; ++k) typeInto(static_cast<short>(kMidiLagBox1 + k), lags[k]);
    EXPECT_FLOAT_EQ(cc.bendLag, 1.0f);
    EXPECT_FLOAT_EQ(cc.modLag, 1.0f / 6);
    EXPECT_FLOAT_EQ(cc.filterLag, 1.0f / 11);
    EXPECT_FLOAT_EQ(cc.effectLag, 1.0f / 26);
    EXPECT_FLOAT_EQ(cc.panLag, 1.0f / 1000);
    EXPECT_FLOAT_EQ(cc.volLag, 1.0f / 41);
    // Dragging a lag box's first column steps from the whole number shown.
    numboxRec* lag = numbox_get(kMidiLagBox1 + 2);
    POINT a = screen(lag->buttonRect.left + 3, lag->buttonRect.top + 5);
    headless_mouseMove(a.x, a.y);
    headless_mouseDown(1);
    headless_mouseMove(a.x, a.y - 4);
    headless_mouseUp(1);
    settle();
    EXPECT_FLOAT_EQ(cc.filterLag, 1.0f / 15);
    wMidi_update();
    EXPECT_FLOAT_EQ(numbox_getVal(kMidiLagBox1 + 2), 14.0f);

    // Channel switches: all on at first; each click turns one off in the record.
    for (short c = 0; c < 3; ++c) {
        clickObject(static_cast<short>(kMidiModChan1 + c));
        EXPECT_EQ(cc.modChanOn[c], 0) << c;
    }
    for (short f = 0; f < 4; ++f) {
        clickObject(static_cast<short>(kMidiFilterChan1 + f));
        EXPECT_EQ(cc.filterChanOn[f], 0) << f;
    }
    clickObject(kMidiModChan1 + 1);
    clickObject(kMidiFilterChan1 + 3);
    EXPECT_EQ(cc.modChanOn[1], 1);
    EXPECT_EQ(cc.filterChanOn[3], 1);
    EXPECT_TRUE(presetIsDirty());
}

TEST_F(MidiWindowTest, ControllerChooserAssignsEachSlot)
{
    const ccInstRec& cc = gInst->cc;
    EXPECT_EQ(buttonText(kMidiCCButton1), "(1) mod wheel");
    EXPECT_EQ(buttonText(kMidiCCButton1 + 3), "(10) pan");
    EXPECT_EQ(buttonText(kMidiCCButton1 + 4), "(7) volume");
    // Each button opens the chooser on "(1) mod wheel" and a double click on
    // line n + 1 assigns controller n to its own slot.
    const int16_t* fields[5] = {&cc.modCC, &cc.filterCC, &cc.effectCC, &cc.panCC, &cc.volCC};
    const short chosen[5] = {2, 64, 91, 8, 11};
    for (short k = 0; k < 5; ++k) {
        short pick = chosen[k];
        headless_pushIdleAction([pick](HWND dlg) {
            ASSERT_NE(nullptr, dlg);
            char title[64] = "";
            GetWindowTextA(dlg, title, sizeof title);
            EXPECT_STREQ(title, "Select midi cc");
            EXPECT_EQ(SendDlgItemMessageA(dlg, midiCCItem_list, LB_GETCOUNT, 0, 0), 129);
            EXPECT_EQ(SendDlgItemMessageA(dlg, midiCCItem_list, LB_GETCURSEL, 0, 0), 2);
            EXPECT_EQ(lineOf(dlg, 0), "aftertouch");
            EXPECT_EQ(lineOf(dlg, 128), "(127) poly on");
            clickLine(dlg, pick + 1, true);
        });
        clickObject(static_cast<short>(kMidiCCButton1 + k));
        EXPECT_EQ(*fields[k], chosen[k]) << k;
        EXPECT_EQ(buttonText(static_cast<short>(kMidiCCButton1 + k)), ccName(chosen[k]));
        EXPECT_EQ(headless_topModal(), nullptr);
    }
    // The first entry assigns aftertouch (-1) through "Select".
    headless_pushIdleAction([](HWND dlg) {
        clickLine(dlg, 0);
        headless_clickWindow(GetDlgItem(dlg, midiCCItem_select));
    });
    clickObject(kMidiCCButton1 + 3);
    EXPECT_EQ(cc.panCC, -1);
    EXPECT_EQ(buttonText(kMidiCCButton1 + 3), "aftertouch");
    // Cancel, and the close box, change nothing.
    headless_pushIdleAction([](HWND dlg) {
        clickLine(dlg, 40);
        headless_clickWindow(GetDlgItem(dlg, midiCCItem_cancel));
    });
    clickObject(kMidiCCButton1 + 3);
    headless_pushIdleAction([](HWND) { headless_key(VK_ESCAPE); });
    clickObject(kMidiCCButton1);
    EXPECT_EQ(cc.panCC, -1);
    EXPECT_EQ(buttonText(kMidiCCButton1 + 3), "aftertouch");
    EXPECT_EQ(cc.modCC, 2);
    // A chooser without a callback opens nothing; a cancelled answer is ignored.
    wMidiCC_open(nullptr, 1);
    wMidi_ccCallback(-128);
    EXPECT_EQ(cc.panCC, -1);
}

TEST_F(MidiWindowTest, VelocityPageWritesPairsAndTables)
{
    page(2);
    const velInstRec& vel = gInst->vel;
    const velInstTables& tables = gInst->velTables;
    for (int k = 0; k < kMidiVelPairs; ++k) {
        int group, index;
        wMidi_velPair(k, &group, &index);
        EXPECT_EQ(vel.vel[k].kind, group);
        EXPECT_EQ(vel.vel[k].index, index);
        char text[16];
        std::snprintf(text, sizeof text, "%d", 10 + 5 * k);
        typeInto(static_cast<short>(kMidiVelBox1 + k), text);
        EXPECT_NEAR(vel.vel[k].sens, 1.0f - (10 + 5 * k) * 0.01f, 1e-5) << k;
        EXPECT_NEAR(tables.table[k][127], 1.0f, 1e-5) << k;
        EXPECT_NEAR(tables.table[k][0], vel.vel[k].sens, 1e-5) << k;
        // The invert button reverses the curve; a second click restores it.
        clickObject(static_cast<short>(kMidiVelInvert1 + k));
        EXPECT_EQ(vel.vel[k].invert, 0) << k;
        EXPECT_NEAR(tables.table[k][127], vel.vel[k].sens, 1e-5) << k;
        EXPECT_NEAR(tables.table[k][0], 1.0f, 1e-5) << k;
    }
    clickObject(kMidiVelInvert1 + 4);
    EXPECT_EQ(vel.vel[4].invert, 1);
    // 100 % is held at 99.999 by the boxes (box 39 reaches 100, the setter
    // stops at 99.999 as well).
    typeInto(kMidiVelBox1, "100");
    EXPECT_NEAR(vel.vel[0].sens, 0.00001f, 1e-7);
    typeInto(kMidiVelBox1 + 3, "100");
    EXPECT_NEAR(vel.vel[3].sens, 0.00001f, 1e-7);
}

TEST_F(MidiWindowTest, UpdateShowsTheRecord)
{
    cc_setBendRange(gInst, 12);
    cc_setModDepth(gInst, 30);
    cc_setEffectLag(gInst, 7);
    cc_setModChanOn(gInst, 2, 0);
    cc_setFilterChanOn(gInst, 3, 0);
    cc_setCCNum(gInst, ccWhich_effect, 35);
    vel_setVelSens(gInst, 3, 3, 40);
    vel_setInvert(gInst, 2, 1, 0);
    map(1, 0)[60] = 0.25f;
    wMidi_updateSchedule();
    EXPECT_TRUE(wMidi_needUpdate());
    sendUpdateMessage(winId_midi);
    settle();
    EXPECT_FALSE(wMidi_needUpdate());
    EXPECT_FLOAT_EQ(numbox_getVal(kMidiDepthBox1), 12.0f);
    EXPECT_NEAR(numbox_getVal(kMidiDepthBox1 + 1), 30.0f, 1e-4);
    EXPECT_FLOAT_EQ(numbox_getVal(kMidiLagBox1 + 3), 7.0f);
    EXPECT_FALSE(button_isSelected(kMidiModChan1 + 2));
    EXPECT_TRUE(button_isSelected(kMidiModChan1 + 1));
    EXPECT_FALSE(button_isSelected(kMidiFilterChan1 + 3));
    EXPECT_EQ(buttonText(kMidiCCButton1 + 2), "(35) old DX7 tou");
    EXPECT_NEAR(numbox_getVal(kMidiVelBox1 + 9), 40.0f, 1e-3);
    // A lit invert button is a reversed curve: clicking it runs the curve upward again.
    EXPECT_TRUE(button_isSelected(kMidiVelInvert1 + 4));
    EXPECT_FALSE(button_isSelected(kMidiVelInvert1 + 3));
    page(2);
    clickObject(kMidiVelInvert1 + 4);
    EXPECT_EQ(gInst->vel.vel[4].invert, 1);
    EXPECT_NEAR(numbox_getVal(kMidiValueBox), 25.0f, 1e-3);
}

TEST_F(MidiWindowTest, NoteMapEditorDragsBoxesAndLabels)
{
    page(3);
    // The pop-up chooses the map: item 8 is filter 2 (kind 3, index 1).
    headless_pushIdleAction([](HWND) {
        RECT r;
        if (platform_menuItemScreenRect(8, &r))
            headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    });
    clickObject(kMidiMapPopup);
    EXPECT_EQ(wMidi_mapGroup, 3);
    EXPECT_EQ(wMidi_mapIndex, 1);
    EXPECT_EQ(popup_getCurrentItem(kMidiMapPopup), 8);
    float* m = map(3, 1);

    // A press at note 10, a jump to note 20: a straight line between them.
    drag({mapPoint(10, 0.2f), mapPoint(20, 0.7f)});
    EXPECT_NEAR(m[10], 0.2f, 0.006);
    EXPECT_NEAR(m[20], 0.7f, 0.006);
    for (int n = 10; n <= 20; ++n) EXPECT_NEAR(m[n], m[10] + (m[20] - m[10]) * (n - 10) / 10.0f, 1e-5) << n;
    EXPECT_FLOAT_EQ(m[9], 1.0f);
    EXPECT_FLOAT_EQ(m[21], 1.0f);
    // The other maps are untouched.
    EXPECT_FLOAT_EQ(map(1, 0)[15], 1.0f);
    EXPECT_TRUE(notemap_isUsed(getNoteMap(gInst, 3, 1)));
    // A jump to the left, and above the map: clamped to 1 along the line.
    drag({mapPoint(40, 0.0f), mapPoint(39, 0.0f), mapPoint(30, 1.2f)});
    EXPECT_FLOAT_EQ(m[40], 0.0f);
    EXPECT_FLOAT_EQ(m[30], 1.0f);
    EXPECT_FLOAT_EQ(m[39], 0.0f);
    EXPECT_NEAR(m[35], 4.0f / 9.0f, 1e-5);
    // The columns show the values: black above, fill below.
    EXPECT_EQ(pixel(kMidiMapX + 3 * 40 + 1, kMidiMapY + 100), RGB(0, 0, 0));
    EXPECT_NE(pixel(kMidiMapX + 3 * 20 + 1, kMidiMapY + 195), RGB(0, 0, 0));
    EXPECT_EQ(pixel(kMidiMapX + 3 * 20 + 1, kMidiMapY + 20), RGB(0, 0, 0));

    // "note#" picks the note of "%"; 128 changes nothing.
    typeInto(kMidiNoteBox, "20");
    EXPECT_EQ(wMidi_currentNote, 20);
    EXPECT_NEAR(numbox_getVal(kMidiValueBox), m[20] * 100.0f, 1e-3);
    typeInto(kMidiNoteBox, "128");
    EXPECT_EQ(wMidi_currentNote, 20);
    // 150 % stores 1.0 for the current note, 37.5 stores 0.375.
    typeInto(kMidiValueBox, "150");
    EXPECT_FLOAT_EQ(m[20], 1.0f);
    typeInto(kMidiValueBox, "37.5");
    EXPECT_FLOAT_EQ(m[20], 0.375f);

    // Moving over the map writes the labels of the note under the pointer.
    POINT over = screen(kMidiMapX + 3 * 60 + 1, kMidiMapY + 150);
    headless_mouseMove(over.x, over.y);
    settle();
    bool lit = false;
    for (int x = kMidiMapX + 3 * 60 - 16; x < kMidiMapX + 3 * 60 + 32 && !lit; ++x)
        for (int y = 77; y < 89 && !lit; ++y) lit = pixel(x, y) != RGB(0, 0, 0);
    EXPECT_TRUE(lit);
}

TEST_F(MidiWindowTest, ScreenshotsOfThePagesAndTheChooser)
{
    cc_setCCNum(gInst, ccWhich_effect, 35);
    float* m = map(1, 0);
    for (int n = 0; n < 128; ++n) m[n] = 0.5f + 0.5f * std::sin(n * 0.08f);
    wMidi_update();
    std::string p1 = shot("wmidi-controllers");
    page(2);
    std::string p2 = shot("wmidi-velocity");
    page(3);
    EXPECT_NEAR(numbox_getVal(kMidiValueBox), m[60] * 100.0f, 1e-3);
    POINT over = screen(kMidiMapX + 3 * 70 + 1, kMidiMapY + 150);
    headless_mouseMove(over.x, over.y);
    std::string p3 = shot("wmidi-notemaps");
    for (const std::string& p : {p1, p2, p3}) EXPECT_EQ(0, access(p.c_str(), R_OK)) << p;
    page(1);
    bool saved = false;
    headless_pushIdleAction([&saved](HWND dlg) {
        platform_composeAndPresent(1);
        saved = platform_saveWindowPNG(dlg, "wmidi-chooser.png") == 1;
        headless_clickWindow(GetDlgItem(dlg, midiCCItem_cancel));
    });
    clickObject(kMidiCCButton1);
    EXPECT_TRUE(saved);
}
