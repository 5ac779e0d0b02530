// What a musician meets on the controls, in the gallery: labels drawn
// again look the same, enabled controls answer again, sections stay apart,
// long lists scroll, no "-0" is shown, Shift drags finely, the wheel steps
// number boxes and draggies, and the in-place editor cancels with Escape,
// closes with its window and wears the dark theme.
#include "control_input.h"
#include <cstring>

namespace {
class LiveControlTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        makeWindow(kGalleryWindow, 10, 10, kGalleryWidth, kGalleryHeight, kGalleryObjects, 0);
        window_setCurrent(kGalleryWindow);
        gallery_build();
        window_show(kGalleryWindow, 1);
        headless_runUntilIdle();
    }
    std::vector<COLORREF> pixels(const RECT& r)
    {
        std::vector<COLORREF> v;
        for (LONG y = r.top; y < r.bottom; y++)
            for (LONG x = r.left; x < r.right; x++) v.push_back(pixelAt(kGalleryWindow, x, y));
        return v;
    }
    POINT centre(short id)
    {
        RECT r;
        window_setCurrent(kGalleryWindow);
        clickObject_getRect(id, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void wheelAt(int x, int y, int notches)
    {
        POINT s = screenPoint(kGalleryWindow, x, y);
        headless_wheel(s.x, s.y, notches);
        headless_runUntilIdle();
        window_setCurrent(kGalleryWindow);
    }
    void keyDown(int vk)
    {
        headless_key(vk);
        headless_runUntilIdle();
        window_setCurrent(kGalleryWindow);
    }
};
}  // namespace

TEST_F(LiveControlTest, LabelsDrawnAgainAndAgainLookTheSame)
{
    RECT name = numbox_get(kGalLevelBox)->nameRect, title = popup_get(kGalWavePopup)->titleRect;
    RECT hint = clickObject_get(kGalleryWindow, kGalNameHint)->rect;
    std::vector<COLORREF> name0 = pixels(name), title0 = pixels(title), hint0 = pixels(hint);
    RECT b = numbox_get(kGalLevelBox)->buttonRect;
    for (int i = 0; i < 10; i++) {
        drag(kGalleryWindow,
             {{b.left + 3, b.top + 6}, {b.left + 3, b.top + 6 - (i % 3)}});  // the name is redrawn
        headless_answerNextPrompt(1 + i % 4);
        POINT p = centre(kGalWavePopup);
        clickAt(kGalleryWindow, p.x, p.y);  // a choice redraws the title
        window_setCurrent(kGalleryWindow);
        display_show(kGalNameHint, 1);
    }
    window_setCurrent(kGalleryWindow);
    EXPECT_EQ(name0, pixels(name)) << "the number box name grew bolder";
    EXPECT_EQ(title0, pixels(title)) << "the pop-up title grew bolder";
    EXPECT_EQ(hint0, pixels(hint)) << "the display grew bolder";
}

static int s_clicks = 0;
static void countClick(short) { s_clicks++; }
static void countChoice(short id, short, short item)
{
    s_clicks++;
    popup_selectItem(id, item);
}

TEST_F(LiveControlTest, EnabledControlsAnswerAgainSectionsStayApartAndListsScroll)
{
    makeWindow(2, 100, 100, 300, 200);
    window_setCurrent(2);
    s_clicks = 0;
    popup_new(3, 80, 20, 100, 14, 0, 0, "off", 0, countChoice);  // created disabled
    popup_addItem(3, 1, 1, "one", 0);
    popup_addItem(3, 2, 1, "two", 0);
    draggy_new(4, 40, 80, kDraggyHorizontal, kResGalleryLevel, 1, countClick, 0.2f, 0);
    popup_enable(3, 0, 1);
    headless_answerNextPrompt(2);
    clickAt(2, 120, 26);
    EXPECT_EQ(1, s_clicks);
    window_setCurrent(2);
    EXPECT_EQ(2, popup_getCurrentItem(3));
    // A draggy given a value while disabled can be dragged once enabled.
    draggy_enable(4, 0);
    draggy_setVal(4, 0.5f, 0);
    draggy_enable(4, 1);
    RECT knob = draggy_get(4)->knobRect;
    POINT k{(knob.left + knob.right) / 2, (knob.top + knob.bottom) / 2};
    drag(2, {k, {k.x + 20, k.y}, {k.x + 20, k.y}, {k.x + 20, k.y}, {k.x + 20, k.y}, {k.x + 20, k.y}});
    window_setCurrent(2);
    EXPECT_GT(draggy_getValH(4), 0.5f);
    window_show(2, 0);

    // Gallery sections built one after another are not nested: hiding the
    // first leaves the next one on the screen.
    window_setCurrent(kGalleryWindow);
    panel_show(kGalNumboxPanel, 0);
    EXPECT_EQ(0, clickObject_isVisible(kGalleryWindow, kGalLevelBox));
    EXPECT_EQ(1, clickObject_isVisible(kGalleryWindow, kGalDraggyPanel));
    EXPECT_EQ(1, clickObject_isVisible(kGalleryWindow, kGalLevel));
    EXPECT_EQ(1, clickObject_isVisible(kGalleryWindow, kGalList));
    panel_show(kGalNumboxPanel, 1);
    EXPECT_EQ(1, clickObject_isVisible(kGalleryWindow, kGalLevelBox));

    // The list of twelve shows seven lines: the wheel, the keys and a drag
    // past its end reach the others.
    RECT list = clickObject_get(kGalleryWindow, kGalList)->rect;
    EXPECT_EQ(0, list_getFirstShown(kGalList));
    wheelAt(list.left + 20, list.top + 20, -1);
    EXPECT_EQ(3, list_getFirstShown(kGalList));
    wheelAt(list.left + 20, list.top + 20, -3);
    EXPECT_EQ(5, list_getFirstShown(kGalList));  // no further than the last line
    wheelAt(list.left + 20, list.top + 20, 4);
    EXPECT_EQ(0, list_getFirstShown(kGalList));
    clickAt(kGalleryWindow, list.left + 20, list.top + 5);  // line 0 takes the keys
    window_setCurrent(kGalleryWindow);
    for (int i = 0; i < 11; i++) keyDown(VK_DOWN);
    EXPECT_EQ(11, list_getSelection(kGalList));
    EXPECT_EQ(1, list_itemIsSelected(kGalList, 11));
    EXPECT_EQ(0, list_itemIsSelected(kGalList, 10));
    EXPECT_EQ(5, list_getFirstShown(kGalList));
    EXPECT_EQ("list: 1 selected, first 11", gallery_lastEvent());
    keyDown(VK_HOME);
    EXPECT_EQ(0, list_getFirstShown(kGalList));
    keyDown(VK_NEXT);
    EXPECT_EQ(5, list_getFirstShown(kGalList));
    // Clicked past the end, line 11 is the one under the pointer.
    clickAt(kGalleryWindow, list.left + 20, list.bottom - 8);
    window_setCurrent(kGalleryWindow);
    EXPECT_EQ(0, list_itemIsSelected(kGalList, 11));  // a press on a selected line deselects it
    keyDown(VK_HOME);
    // Dragged below the box, the list scrolls one line per step.
    drag(kGalleryWindow, {{list.left + 20, list.top + 5},
                          {list.left + 20, list.bottom + 30},
                          {list.left + 21, list.bottom + 30},
                          {list.left + 22, list.bottom + 30},
                          {list.left + 23, list.bottom + 30},
                          {list.left + 24, list.bottom + 30},
                          {list.left + 25, list.bottom + 30},
                          {list.left + 26, list.bottom + 30},
                          {list.left + 27, list.bottom + 30},
                          {list.left + 28, list.bottom + 30}});
    window_setCurrent(kGalleryWindow);
    EXPECT_GT(list_getFirstShown(kGalList), 0);
}

TEST_F(LiveControlTest, ZeroIsNeverShownWithAMinusSign)
{
    window_setCurrent(kGalleryWindow);
    numboxRec* n = numbox_get(kGalPhaseBox);  // three decimals
    char out[40];
    n->value = -0.0004;
    numbox_getValueString(n, out);
    EXPECT_STREQ("0.000", out);
    n->value = -0.0006;
    numbox_getValueString(n, out);
    EXPECT_STREQ("-0.001", out);
    const char* cases[][2] = {{"-0.0 dB", "0.0 dB"}, {" -0.00", "  0.00"}, {"h = -0.0000", "h = 0.0000"},
                              {"-0.01", "-0.01"},    {"-12 dB", "-12 dB"}, {"a-b", "a-b"},
                              {"-0", "0"},           {"-.", "-."}};
    for (auto& c : cases) {
        char text[32];
        strcpy(text, c[0]);
        control_dropNegativeZero(text);
        EXPECT_STREQ(c[1], text) << c[0];
    }
}

TEST_F(LiveControlTest, ShiftWheelAndTheInPlaceEditorAsAMusicianExpects)
{
    // Shift held: a tenth of the speed; the same drag without it moves ten times as far.
    RECT b = numbox_get(kGalLevelBox)->buttonRect;
    headless_keyDown(VK_SHIFT);
    drag(kGalleryWindow, {{b.left + 3, b.top + 6}, {b.left + 3, b.top - 24}});
    headless_keyUp(VK_SHIFT);
    headless_runUntilIdle();
    window_setCurrent(kGalleryWindow);
    EXPECT_FLOAT_EQ(53, numbox_getVal(kGalLevelBox));
    drag(kGalleryWindow, {{b.left + 3, b.top + 6}, {b.left + 3, b.top - 24}});
    window_setCurrent(kGalleryWindow);
    EXPECT_FLOAT_EQ(83, numbox_getVal(kGalLevelBox));
    // The wheel steps a number box by its rule, through its callback.
    RECT field = numbox_get(kGalLevelBox)->valueRect;
    wheelAt(field.left + 10, field.top + 5, -2);
    EXPECT_FLOAT_EQ(81, numbox_getVal(kGalLevelBox));
    EXPECT_EQ("number box 11: 81", gallery_lastEvent());
    RECT hz = numbox_get(kGalHertzBox)->buttonRect;  // Hertz, column 1: a semitone a notch
    wheelAt(hz.left + 3, hz.top + 5, 12);
    EXPECT_NEAR(880, numbox_getVal(kGalHertzBox), 0.01);
    // ... and moves a draggy a little, also through its callback.
    POINT lv = centre(kGalLevel);
    wheelAt(lv.x, lv.y, 3);
    EXPECT_NEAR(0.63, draggy_getValH(kGalLevel), 1e-5);
    EXPECT_EQ("draggy 21: 0.63, 0.00", gallery_lastEvent());

    // Escape leaves the text as it was.
    POINT n1 = centre(kGalName1);
    clickAt(kGalleryWindow, n1.x, n1.y);
    window_setCurrent(kGalleryWindow);
    textEditRec* te = window_getTextEdit(kGalleryWindow);
    ASSERT_EQ(1, te->open);
    // The editor wears the theme: the field colour behind cream text.
    headless_runUntilIdle();
    RECT er;
    GetClientRect(te->hwnd, &er);
    HDC edc = GetDC(te->hwnd);
    COLORREF back = GetPixel(edc, er.right - 3, 1);  // beyond the text
    ReleaseDC(te->hwnd, edc);
    unsigned char r, g, bl;
    res_colorBytes(res_theme().field, &r, &g, &bl);
    EXPECT_EQ(RGB(r, g, bl), back);
    headless_typeText("Zed");
    keyDown(VK_ESCAPE);
    EXPECT_EQ(0, window_getTextEdit(kGalleryWindow)->open);
    char text[64] = {0};
    display_getText(kGalName1, text, sizeof text);
    EXPECT_STREQ("Bright Pad", text);
    // Hiding the window closes the editor, keeping what was typed.
    POINT n2 = centre(kGalName2);
    clickAt(kGalleryWindow, n2.x, n2.y);
    headless_typeText("Warm Pad");
    headless_runUntilIdle();
    window_show(kGalleryWindow, 0);
    EXPECT_EQ(0, window_getTextEdit(kGalleryWindow)->open);
    window_setCurrent(kGalleryWindow);
    display_getText(kGalName2, text, sizeof text);
    EXPECT_STREQ("Warm Pad", text);
}
