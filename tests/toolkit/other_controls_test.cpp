// Displays and the text editor (Return, Tab chains, clicks elsewhere), the
// matrix laid out column by column, list drags one line per step, panels
// hiding and restoring their items, and the keyboard (keys, hit test,
// sliding with and without hold, kbd_stop).
#include "control_input.h"
#include <string>

static std::vector<std::string> s_log;
static void validateLog(short id, char* text)
{
    s_log.push_back("validate " + std::to_string(id) + " " + text);
}
static void displayCallback(short id)
{
    char text[64] = {0};
    display_getText(id, text, sizeof text);
    s_log.push_back("callback " + std::to_string(id) + " " + text);
}

TEST_F(ControlTest, DisplayEditorValidatesOnReturnThenStoresThenCallsBack)
{
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    display_new(3, 40, 20, 120, "Bright Pad", 0, kDisplayEditable, kDisplayCentre, displayCallback,
                validateLog);
    display_new(4, 40, 60, 120, "read only", 0, 0, kDisplayLeft, displayCallback, validateLog);
    RECT r = clickObject_get(2, 3)->rect;
    EXPECT_EQ(160, r.right);
    EXPECT_GT(r.bottom - r.top, 8);  // one line of the display's font
    EXPECT_EQ(kCursorCaret, window_getZone(2, 3)->cursorID);
    EXPECT_EQ(0, window_getZone(2, 4)->id);  // not editable: no clicks
    s_log.clear();
    clickAt(2, 60, 25);
    textEditRec* te = window_getTextEdit(2);
    ASSERT_EQ(1, te->open);
    RECT er;
    GetWindowRect(te->hwnd, &er);
    EXPECT_EQ(128, er.right - er.left);  // 4 pixels beyond each side
    EXPECT_EQ(ES_CENTER, GetWindowLongA(te->hwnd, GWL_STYLE) & 3);
    type("Glass Bell");
    key(VK_RETURN);
    EXPECT_EQ(0, te->open);
    std::vector<std::string> expect{"validate 3 Glass Bell", "callback 3 Glass Bell"};
    EXPECT_EQ(expect, s_log);
    char text[300];
    display_getText(3, text, 300);  // at most 254 characters
    EXPECT_STREQ("Glass Bell", text);
    // Text beyond the store is cut.
    std::string longText(400, 'x');
    display_setText(3, longText.c_str());
    display_getText(3, text, 300);
    EXPECT_EQ(253u, strlen(text));
    EXPECT_EQ(255, display_get(3)->length);
}

TEST_F(ControlTest, TabMovesAlongTheChainSkippingHiddenAndReadOnlyDisplays)
{
    makeWindow(2, 10, 10, 300, 240, 40);
    window_setCurrent(2);
    for (short k = 0; k < 5; k++)
        display_new((short)(3 + k), 40, (short)(20 + 20 * k), 120, "", 0, k == 2 ? 0 : kDisplayEditable, 0,
                    displayCallback, validateLog);
    // 3 -> 4 -> 5 (read only) -> 6 -> 7 (hidden) -> 3
    for (short k = 3; k < 7; k++) display_setTabTarget(k, (short)(k + 1));
    display_setTabTarget(7, 3);
    display_show(7, 0);
    s_log.clear();
    clickAt(2, 60, 25);
    textEditRec* te = window_getTextEdit(2);
    type("one");
    key(VK_TAB);
    ASSERT_EQ(1, te->open);
    EXPECT_EQ(4, te->id);
    type("two");
    key(VK_TAB);
    EXPECT_EQ(6, te->id);  // 5 is read-only
    key(VK_TAB);
    EXPECT_EQ(3, te->id);  // 7 is hidden
    char text[64];
    GetWindowTextA(te->hwnd, text, sizeof text);
    EXPECT_STREQ("one", text);
    // A click elsewhere commits the edit.
    clickAt(2, 250, 200);
    EXPECT_EQ(0, te->open);
    std::vector<std::string> expect{"validate 3 one", "callback 3 one", "validate 4 two", "callback 4 two",
                                    "validate 6 ",    "callback 6 ",    "validate 3 one", "callback 3 one"};
    EXPECT_EQ(expect, s_log);
    // A chain that only leads back through hidden displays leaves the edit where it is.
    display_setTabTarget(3, 7);
    display_setTabTarget(7, 3);
    clickAt(2, 60, 25);
    key(VK_TAB);
    EXPECT_EQ(1, te->open);
    EXPECT_EQ(3, te->id);
    // So does a chain of more than 8 hidden displays.
    for (short k = 10; k < 22; k++) {
        display_new(k, 200, 0, 20, "", 0, kDisplayEditable | kDisplayHidden, 0, nullptr, nullptr);
        display_setTabTarget(k, (short)(k + 1));
    }
    display_new(22, 200, 100, 60, "", 0, kDisplayEditable, 0, nullptr, nullptr);
    display_setTabTarget(3, 10);
    key(VK_TAB);
    EXPECT_EQ(3, te->id);
    display_setTabTarget(3, 15);  // 7 steps from 15 to 22
    key(VK_TAB);
    EXPECT_EQ(22, te->id);
    key(VK_RETURN);
    EXPECT_EQ(0, te->open);
}

static std::vector<short> s_calls;
static void record(short id) { s_calls.push_back(id); }

TEST_F(ControlTest, MatrixFillsColumnByColumnAndIgnoresCellsBeyondItsItems)
{
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    matrix_new(3, 10, 10, 20, 10, 3, 4, 10, 0, 0, record);  // no picture: 20 x 10 cells
    EXPECT_EQ(RECT({10, 10, 70, 50}), clickObject_get(2, 3)->rect);
    EXPECT_EQ(-1, matrix_getSelection(3));
    s_calls.clear();
    clickAt(2, 35, 25);  // column 1, row 1
    EXPECT_EQ(5, matrix_getSelection(3));
    EXPECT_EQ(std::vector<short>{3}, s_calls);
    clickAt(2, 55, 35);  // column 2, row 2: item 10 does not exist
    clickAt(2, 55, 45);  // item 11
    EXPECT_EQ(5, matrix_getSelection(3));
    EXPECT_EQ(1u, s_calls.size());
    clickAt(2, 15, 45);  // column 0, row 3
    EXPECT_EQ(3, matrix_getSelection(3));
    matrix_select(3, 10);  // out of range: ignored
    EXPECT_EQ(3, matrix_getSelection(3));
    matrix_select(3, -1);
    EXPECT_EQ(-1, matrix_getSelection(3));
    EXPECT_EQ(-1, matrix_getSelection(9));
    std::string longText(100, 'm');
    matrix_setText(3, 2, longText.c_str());
    EXPECT_EQ(62, matrix_get(3)->items[2].length);
    // With a cell picture: the picture's size, the selected item in the selected picture.
    matrix_new(4, 100, 10, 0, 0, 3, 4, 10, 0, kResGalleryCell, record);
    EXPECT_EQ(RECT({100, 10, 250, 66}), clickObject_get(2, 4)->rect);
    matrix_select(4, 5);
    headless_runUntilIdle();
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bitmap_get(kResGalleryCell + 1));
    COLORREF selected = GetPixel(mem, 40, 7);
    SelectObject(mem, bitmap_get(kResGalleryCell));
    COLORREF normal = GetPixel(mem, 40, 7);
    SelectObject(mem, old);
    DeleteDC(mem);
    EXPECT_EQ(selected, pixelAt(2, 150 + 40, 24 + 7));  // item 5: column 1, row 1
    EXPECT_EQ(normal, pixelAt(2, 100 + 40, 24 + 7));    // item 1
}

TEST_F(ControlTest, ListDragChangesOneLinePerStep)
{
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    list_new(3, 10, 10, 0, 140, 0, 10, 0, kResGalleryLine, record);  // 14-pixel lines
    EXPECT_EQ(RECT({10, 10, 148, 150}), clickObject_get(2, 3)->rect);
    for (short i = 0; i < 10; i++) {
        list_setText(3, i, ("line " + std::to_string(i)).c_str());
        list_select(3, i, 1);
    }
    EXPECT_EQ(10, list_getLineCount(3));
    // From a selected line to line 6 in one jump, then three small moves: the
    // drag deselects one line per step, lines 0 to 4.
    s_calls.clear();
    drag(2, {{20, 15}, {20, 105}, {21, 105}, {22, 105}, {23, 105}});
    for (short i = 0; i < 10; i++) EXPECT_EQ(i >= 5, list_itemIsSelected(3, i)) << i;
    EXPECT_EQ(std::vector<short>{3}, s_calls);
    EXPECT_EQ(5, list_getSelection(3));
    // From an unselected line the drag selects, upward as well: lines 3 to 0.
    drag(2, {{20, 60}, {20, 18}, {21, 18}, {22, 18}, {23, 18}});
    for (short i = 0; i < 4; i++) EXPECT_EQ(1, list_itemIsSelected(3, i)) << i;
    EXPECT_EQ(0, list_itemIsSelected(3, 4));
    // A press below the items does nothing.
    list_resizeH(3, 190);
    s_calls.clear();
    clickAt(2, 20, 165);
    EXPECT_TRUE(s_calls.empty());
    list_clear(3);
    EXPECT_EQ(0, list_getLineCount(3));
    EXPECT_EQ(-1, list_getSelection(3));
    list_setText(3, 0, "a");
    list_setText(3, 2, "c");
    EXPECT_EQ(1, list_getLineCount(3));  // leading lines with text
}

TEST_F(ControlTest, HiddenPanelsRestoreExactlyTheItemsThatWereVisible)
{
    makeWindow(2, 10, 10, 300, 240, 300);
    window_setCurrent(2);
    panel_enableAutoAdd(1);
    panel_new(3, 10, 10, 200, 120, kPanelExplicitRect, 0, nullptr);
    EXPECT_EQ(RECT({10, 10, 200, 120}), clickObject_get(2, 3)->rect);
    pic_new(4, 20, 20, 0, kTestRed, 1, nullptr);
    pic_new(5, 40, 20, kPicHidden, kTestGreen, 1, nullptr);
    numbox_new(6, 80, 40, 50, 1, 0, 1, 0, 10, nullptr, nullptr, "n");
    panel_setAutoAdd(3);                                            // nesting asked for:
    panel_new(7, 20, 60, 0, 0, 0, kResGalleryPanelInner, nullptr);  // a panel inside the panel
    button_new(8, 30, 80, 0, kResGalleryStore, nullptr, 1, 0, 1, nullptr);
    panel_new(10, 220, 130, 290, 230, kPanelExplicitRect, 0, nullptr);  // not asked: beside them
    pic_new(11, 230, 140, 0, kTestRed, 1, nullptr);
    panel_enableAutoAdd(0);
    panel_setAutoAdd(0);
    pic_new(9, 250, 20, 0, kTestBlue, 1, nullptr);  // auto-add is off now
    for (short id : {4, 5, 6, 7}) EXPECT_EQ(3, clickObject_get(2, id)->panel) << id;
    EXPECT_EQ(7, clickObject_get(2, 8)->panel);
    EXPECT_EQ(0, clickObject_get(2, 9)->panel);
    EXPECT_EQ(0, clickObject_get(2, 10)->panel);
    EXPECT_EQ(10, clickObject_get(2, 11)->panel);
    EXPECT_EQ(4, panel_get(3)->count);
    panel_show(3, 0);
    for (short id : {4, 5, 6, 7, 8}) EXPECT_EQ(0, clickObject_isVisible(2, id)) << id;
    for (short id : {10, 11}) EXPECT_EQ(1, clickObject_isVisible(2, id)) << id;
    panel_show(3, 1);
    for (short id : {4, 6, 7, 8}) EXPECT_EQ(1, clickObject_isVisible(2, id)) << id;
    EXPECT_EQ(0, clickObject_isVisible(2, 5));
    // Hidden while its panel is hidden: only a recorded change survives.
    panel_show(3, 0);
    pic_show(4, 0);             // not recorded: comes back
    numbox_showInPanels(6, 0);  // recorded: stays hidden
    panel_show(3, 1);
    EXPECT_EQ(1, clickObject_isVisible(2, 4));
    EXPECT_EQ(0, clickObject_isVisible(2, 6));
    numbox_showInPanels(6, 1);
    EXPECT_EQ(1, clickObject_isVisible(2, 6));
    // Moving carries the items along; the panel's corner stays on the window.
    panel_move(3, 30, 40);
    EXPECT_EQ(40, clickObject_get(2, 4)->rect.left);
    EXPECT_EQ(50, clickObject_get(2, 4)->rect.top);
    EXPECT_EQ(50, clickObject_get(2, 8)->rect.left);
    EXPECT_EQ(110, clickObject_get(2, 8)->rect.top);
    EXPECT_EQ(RECT({30, 40, 220, 150}), clickObject_get(2, 3)->rect);
    panel_move(3, -20, -5);
    EXPECT_EQ(0, clickObject_get(2, 3)->rect.left);
    EXPECT_EQ(0, clickObject_get(2, 3)->rect.top);
    EXPECT_EQ(10, clickObject_get(2, 4)->rect.left);
    short pict = -1, x = 15, y = 25;
    panel_getPictAndOffset(7, &pict, &x, &y);
    EXPECT_EQ(kResGalleryPanelInner, pict);
    EXPECT_EQ(15 - clickObject_get(2, 7)->rect.left, x);
    // At most 256 items.
    panel_new(20, 0, 0, 10, 10, kPanelExplicitRect, 0, nullptr);
    for (short id = 21; id < 290; id++) {
        pic_new(id, 0, 0, kPicNoZone, kTestRed, 1, nullptr);
        panel_addObject(20, id);
    }
    EXPECT_EQ(256, panel_get(20)->count);
    EXPECT_EQ(0, clickObject_get(2, 289)->panel);
}

// ---- keyboard ----------------------------------------------------------------------------------

struct noteRec {
    short note;
    int on;
    bool operator==(const noteRec& o) const { return note == o.note && on == o.on; }
};
static std::vector<noteRec> s_notes;
static void noteCallback(short, short note, int on) { s_notes.push_back(noteRec{note, on}); }
static void PrintTo(const noteRec& n, std::ostream* os) { *os << (n.on ? "on " : "off ") << n.note; }

TEST_F(ControlTest, KeyboardKeysOrderAndHitTest)
{
    makeWindow(2, 10, 10, 480, 120);
    window_setCurrent(2);
    kbd_new(3, 10, 10, 36, 5, 0, kResGalleryKeys, noteCallback);
    kbdRec* k = kbd_get(3);
    ASSERT_NE(nullptr, k);
    EXPECT_EQ(61, k->keyCount);
    EXPECT_EQ(35, k->whiteCount);
    EXPECT_EQ(RECT({10, 10, 10 + 36 * 12, 66}), clickObject_get(2, 3)->rect);
    // White keys first, then the top C, then the black keys.
    EXPECT_EQ(36, k->keys[0].note);
    EXPECT_EQ(38, k->keys[1].note);
    EXPECT_EQ(47, k->keys[6].note);
    EXPECT_EQ(96, k->keys[35].note);
    EXPECT_EQ(kResGalleryKeys + 16, k->keys[35].pict);
    EXPECT_EQ(37, k->keys[36].note);
    EXPECT_EQ(kResGalleryKeys + 14, k->keys[36].pict);
    EXPECT_EQ(10 + 7, k->keys[36].rect.left);
    EXPECT_EQ(10 + 84 + 69, k->keys[36 + 9].rect.left);  // A sharp of the second octave
    EXPECT_EQ(36, k->keys[0].upper);                     // C sharp above C
    EXPECT_EQ(-1, k->keys[0].lower);
    EXPECT_EQ(3, k->keys[2].upper);  // F above E
    for (short n : {36, 61, 96}) EXPECT_EQ(n, k->keys[kbd_findKey(k, n)].note);
    EXPECT_EQ(-1, kbd_findKey(k, 97));
    EXPECT_EQ(1, kbd_noteIsWhite(60));
    EXPECT_EQ(0, kbd_noteIsWhite(61));
    zPoint p;
    p.v = 30, p.h = 2;
    EXPECT_EQ(36, k->keys[kbd_pointToKey(k, &p)].note);  // left of it: the lowest key
    p.h = 470;
    EXPECT_EQ(96, k->keys[kbd_pointToKey(k, &p)].note);  // right of it: the top C
    p.h = 10 + 36 * 12;
    EXPECT_EQ(96, k->keys[kbd_pointToKey(k, &p)].note);  // the right edge belongs to it
    p.v = 80;
    EXPECT_EQ(-1, kbd_pointToKey(k, &p));
    p.v = 20, p.h = 10 + 10;
    EXPECT_EQ(37, k->keys[kbd_pointToKey(k, &p)].note);  // over C sharp
    p.v = 60;
    EXPECT_EQ(36, k->keys[kbd_pointToKey(k, &p)].note);  // below the black key: C
    p.v = 20, p.h = 10 + 12 + 2;
    EXPECT_EQ(37, k->keys[kbd_pointToKey(k, &p)].note);  // C sharp reached from D
}

TEST_F(ControlTest, KeyboardSlidesSendOnBeforeOffAndHoldKeepsTheLastKey)
{
    makeWindow(2, 10, 10, 480, 120);
    window_setCurrent(2);
    kbd_new(3, 10, 10, 36, 5, 0, kResGalleryKeys, noteCallback);
    s_notes.clear();
    kbd_stop(3);  // no key down: note -1, off
    EXPECT_EQ(std::vector<noteRec>({{-1, 0}}), s_notes);
    s_notes.clear();
    drag(2, {{16, 55}, {28, 55}, {40, 55}});  // C, D, E at the bottom of the white keys
    std::vector<noteRec> expect{{36, 1}, {38, 1}, {36, 0}, {40, 1}, {38, 0}, {40, 0}};
    EXPECT_EQ(expect, s_notes);
    EXPECT_EQ(-1, kbd_getCurrentNote(3));
    EXPECT_EQ(0, kbd_keyIsSelected(3, 2));
    // Sliding off to the right plays the top C.
    s_notes.clear();
    drag(2, {{10 + 34 * 12 + 6, 55}, {470, 55}});
    expect = {{95, 1}, {96, 1}, {95, 0}, {96, 0}};
    EXPECT_EQ(expect, s_notes);
    // Hold: setting it stops the keyboard; the last key stays down after the release.
    s_notes.clear();
    kbd_setHold(3, 1);
    drag(2, {{16, 55}, {28, 55}});
    expect = {{-1, 0}, {36, 1}, {38, 1}, {36, 0}};
    EXPECT_EQ(expect, s_notes);
    EXPECT_EQ(38, kbd_getCurrentNote(3));
    EXPECT_EQ(1, kbd_keyIsSelected(3, 1));
    // A click on another key releases the held one first; a second click on a held key releases it.
    s_notes.clear();
    clickAt(2, 40, 55);
    clickAt(2, 40, 55);
    expect = {{38, 0}, {40, 1}, {40, 0}};
    EXPECT_EQ(expect, s_notes);
    EXPECT_EQ(-1, kbd_getCurrentNote(3));
    // kbd_stop releases a held key.
    clickAt(2, 16, 55);
    s_notes.clear();
    kbd_stop(3);
    EXPECT_EQ(std::vector<noteRec>({{36, 0}}), s_notes);
    EXPECT_EQ(0, kbd_keyIsSelected(3, 0));
    // Pressed keys show their pressed picture, with the black keys kept on top.
    kbd_selectKey(3, 1, 1, 1);  // D
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bitmap_get(kResGalleryKeys + 3));
    COLORREF pressedD = GetPixel(mem, 6, 50);
    SelectObject(mem, bitmap_get(kResGalleryKeys + 14));
    COLORREF black = GetPixel(mem, 6, 10);
    SelectObject(mem, old);
    DeleteDC(mem);
    EXPECT_EQ(pressedD, pixelAt(2, 22 + 6, 10 + 50));
    EXPECT_EQ(black, pixelAt(2, 17 + 6, 10 + 10));  // C sharp over D's left corner
}
