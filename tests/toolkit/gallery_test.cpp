// The toolkit gallery: every control built in one window, driven by hand-like
// input (a number-box drag, the level slider, a key, the panel toggle, a
// pop-up choice, an edited name), checked through its status line and
// pixels, and saved as toolkit-gallery.png in the test's working folder.
#include "control_input.h"

class GalleryTest : public ControlTest {
protected:
    HWND hwnd = nullptr;
    void SetUp() override
    {
        ControlTest::SetUp();
        hwnd = makeWindow(kGalleryWindow, 10, 10, kGalleryWidth, kGalleryHeight, kGalleryObjects, 0);
        window_setCurrent(kGalleryWindow);
        gallery_build();
        window_show(kGalleryWindow, 1);
        headless_runUntilIdle();
    }
    // The centre of an object of the gallery.
    POINT centre(short id)
    {
        RECT r;
        window_setCurrent(kGalleryWindow);
        clickObject_getRect(id, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

TEST_F(GalleryTest, EveryControlIsThereAndAnswers)
{
    const short kinds[][2] = {
        {kGalLevelBox, kTypeNumbox}, {kGalLevel, kTypeDraggy},     {kGalPad, kTypeDraggy},
        {kGalWavePopup, kTypePopup}, {kGalStore, kTypeButton},     {kGalMulti, kTypeButton},
        {kGalName1, kTypeDisplay},   {kGalMatrix, kTypeMatrix},    {kGalList, kTypeList},
        {kGalInner, kTypePanel},     {kGalKeyboard, kTypeKeyboard}};
    for (auto& k : kinds) EXPECT_EQ(k[1], clickObject_get(kGalleryWindow, k[0])->type) << k[0];
    // A number box dragged up 10 pixels in its first column.
    RECT b = numbox_get(kGalLevelBox)->buttonRect;
    drag(kGalleryWindow, {{b.left + 3, b.top + 6}, {b.left + 3, b.top - 4}});
    EXPECT_EQ("number box 11: 60", gallery_lastEvent());
    // The level slider's display follows it.
    POINT lv = centre(kGalLevel);
    drag(kGalleryWindow, {{lv.x, lv.y},
                          {(int)clickObject_get(kGalleryWindow, kGalLevel)->rect.left - 40, lv.y},
                          {(int)clickObject_get(kGalleryWindow, kGalLevel)->rect.left - 41, lv.y},
                          {(int)clickObject_get(kGalleryWindow, kGalLevel)->rect.left - 42, lv.y}});
    char text[32] = {0};
    window_setCurrent(kGalleryWindow);
    display_getText(kGalLevelText, text, sizeof text);
    EXPECT_STRNE("60 %", text);
    EXPECT_LT(draggy_getValH(kGalLevel), 0.6f);
    // A key of the keyboard: middle C is the first key of the second octave.
    RECT keys = clickObject_get(kGalleryWindow, kGalKeyboard)->rect;
    clickAt(kGalleryWindow, keys.left + 7 * 12 + 6, keys.bottom - 5);
    EXPECT_EQ("note off 60", gallery_lastEvent());
    // The panel toggle hides the inner panel with its items, and shows them again.
    POINT t = centre(kGalInnerToggle);
    clickAt(kGalleryWindow, t.x, t.y);
    EXPECT_EQ(0, clickObject_isVisible(kGalleryWindow, kGalInnerBox));
    clickAt(kGalleryWindow, t.x, t.y);
    EXPECT_EQ(1, clickObject_isVisible(kGalleryWindow, kGalInnerBox));
    // The wave pop-up: "Saw" is item 3.
    headless_pushIdleAction([](HWND) {
        RECT r;
        if (platform_menuItemScreenRect(3, &r))
            headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    });
    POINT w = centre(kGalWavePopup);
    clickAt(kGalleryWindow, w.x, w.y);
    EXPECT_EQ("pop-up 31: menu 0, item 3", gallery_lastEvent());
    // A preset name edited in place.
    POINT n = centre(kGalName2);
    clickAt(kGalleryWindow, n.x, n.y);
    type("Warm Strings");
    key(VK_RETURN);
    EXPECT_EQ("display 52: \"Warm Strings\"", gallery_lastEvent());
}

TEST_F(GalleryTest, ScreenshotOfEveryControl)
{
    // A few controls in their other states, so the picture shows them.
    window_setCurrent(kGalleryWindow);
    list_select(kGalList, 4, 1);
    list_select(kGalList, 5, 1);
    kbd_selectKey(kGalKeyboard, kbd_findKey(kbd_get(kGalKeyboard), 64), 1, 0);
    kbd_selectKey(kGalKeyboard, kbd_findKey(kbd_get(kGalKeyboard), 67), 1, 0);
    kbd_selectKey(kGalKeyboard, kbd_findKey(kbd_get(kGalKeyboard), 70), 1, 0);
    button_select(kGalToggle, 1);
    window_setName(kGalleryWindow, "Toolkit gallery");
    InvalidateRect(hwnd, nullptr, FALSE);
    headless_runUntilIdle();
    ASSERT_EQ(1, platform_saveWindowPNG(hwnd, "toolkit-gallery.png"));
    // Spot checks: the level fill left of the knob, the selected matrix cell,
    // a pressed black key.
    window_setCurrent(kGalleryWindow);
    draggyRec* d = draggy_get(kGalLevel);
    unsigned char r, g, b;
    COLORREF fill = pixelAt(kGalleryWindow, d->knobRect.left - 3, (d->knobRect.top + d->knobRect.bottom) / 2);
    COLORREF empty =
        pixelAt(kGalleryWindow, d->knobRect.right + 20, (d->knobRect.top + d->knobRect.bottom) / 2);
    EXPECT_NE(fill, empty);
    EXPECT_GT(GetGValue(fill), GetGValue(empty));  // the teal level
    res_colorBytes(res_theme().accentDark, &r, &g, &b);
    RECT m = clickObject_get(kGalleryWindow, kGalMatrix)->rect;
    EXPECT_EQ(RGB(r, g, b),
              pixelAt(kGalleryWindow, m.left + 48, m.top + 14 + 7));  // item 1, right of its text
    keyRec* key = kbd_getKey(kbd_get(kGalKeyboard), kbd_findKey(kbd_get(kGalKeyboard), 70));
    res_colorBytes(res_theme().keyBlackDown, &r, &g, &b);
    COLORREF pressed = pixelAt(kGalleryWindow, key->rect.left + 4, key->rect.top + 8);
    EXPECT_NEAR(g, GetGValue(pressed), 24);
    EXPECT_GT(GetGValue(pressed), GetRValue(pressed));
}
