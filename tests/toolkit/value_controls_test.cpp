// Draggies, buttons and pop-ups driven by injected mouse events: lag and
// scale, one-axis and spring-back draggies, the jump to the pointer; buttons
// released outside, toggles, radios, multi-state and acting at the press,
// masked zones; pop-up choices, sub-menus, nothing chosen, opening below.
#include "control_input.h"
#include <cmath>

static std::vector<short> s_calls;
static void record(short id) { s_calls.push_back(id); }

// The level track is 140 x 16 with an 8 x 14 knob: the knob centre travels
// from left + 4 to right - 5, 131 pixels.
static const double kTravel = 131;

TEST_F(ControlTest, DraggyPlacesItsKnobAndFollowsWithLag)
{
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    draggy_new(3, 20, 40, kDraggyHorizontal, kResGalleryLevel, 1, record, 0.5f, 0.25f);
    draggyRec* d = draggy_get(3);
    ASSERT_NE(nullptr, d);
    EXPECT_EQ(RECT({20, 40, 160, 56}), clickObject_get(2, 3)->rect);
    EXPECT_FLOAT_EQ(0.45f, d->lag);
    // h = 0.5 puts the knob's centre at 24 + 131 / 2 = 89.5, its left at 85.5, rounded.
    EXPECT_EQ(86, d->knobRect.left);
    EXPECT_EQ(RECT(d->knobRect), window_getZone(2, 3)->rect);  // the zone covers the knob only
    draggy_setVal(3, 1.5f, -1);
    EXPECT_DOUBLE_EQ(1, d->h);
    EXPECT_DOUBLE_EQ(0, d->v);
    EXPECT_EQ(155 - 4, d->knobRect.left);
    draggy_setValH(3, 0.5f);  // the vertical value takes the old horizontal one
    EXPECT_DOUBLE_EQ(0.5, d->h);
    EXPECT_DOUBLE_EQ(1, d->v);
    EXPECT_TRUE(s_calls.empty());
    // One round of 30 pixels with the default lag: 45 % of the way.
    int cx = (d->knobRect.left + d->knobRect.right) / 2;
    drag(2, {{cx, 48}, {cx + 30, 48}});
    EXPECT_NEAR(0.5 + (double)d->lag * 30 / kTravel, d->h, 1e-9);
    EXPECT_DOUBLE_EQ(1, d->v);                          // horizontal only
    EXPECT_EQ(std::vector<short>({3, 3, 3}), s_calls);  // at the press, the step, the release
    // More rounds close the gap geometrically, and within 0.001 it is reached.
    draggy_setVal(3, 0.5f, 0.5f);
    cx = (d->knobRect.left + d->knobRect.right) / 2;
    drag(2, {{cx, 48}, {cx + 30, 48}, {cx + 30, 49}, {cx + 30, 48}});
    double shown = 0.5, target = 0.5 + 30 / kTravel;
    for (int i = 0; i < 3; i++) shown += (double)d->lag * (target - shown);
    EXPECT_NEAR(shown, d->h, 1e-9);
    EXPECT_DOUBLE_EQ(0.5, d->v);
}

TEST_F(ControlTest, DraggyFlagsDecideAxesSpringAndJump)
{
    makeWindow(2, 10, 10, 320, 240);
    window_setCurrent(2);
    draggy_setLag(1.0f);
    draggy_setLag(0.0005f);  // refused: too small
    EXPECT_FLOAT_EQ(1.0f, draggy_lag);
    // Flag 2: a vertical drag changes nothing.
    draggy_new(3, 20, 20, kDraggyHorizontal | kDraggyWholeTrack, kResGalleryLevel, 1, record, 0.2f, 0.7f);
    drag(2, {{60, 28}, {60, 0}, {60, 90}});
    EXPECT_FLOAT_EQ(0.2f, draggy_getValH(3));
    EXPECT_FLOAT_EQ(0.7f, draggy_getValV(3));
    drag(2, {{60, 28}, {130, 28}});
    EXPECT_NEAR(0.2 + 70 / kTravel, draggy_getValH(3), 1e-6);
    // Flag 8: the whole track takes clicks.
    EXPECT_EQ(RECT({20, 20, 160, 36}), window_getZone(2, 3)->rect);
    // Flag 1 with flag 4: a vertical fader that springs back after every drag,
    // scaled by the vertical travel (from top + 5 to bottom - 6: 79 pixels).
    draggy_new(4, 200, 20, kDraggySpring | kDraggyVertical | kDraggyWholeTrack, kResGalleryFader, 1, record,
               0.5f, 0.5f);
    s_calls.clear();
    drag(2, {{209, 65}, {209, 45}});
    EXPECT_FLOAT_EQ(0.5f, draggy_getValH(4));
    EXPECT_FLOAT_EQ(0.5f, draggy_getValV(4));
    // Without flag 1 the value stays where 20 of 79 pixels took it.
    draggy_new(5, 240, 20, kDraggyVertical | kDraggyWholeTrack, kResGalleryFader, 1, record, 0.5f, 0.5f);
    drag(2, {{249, 65}, {249, 45}});
    EXPECT_NEAR(0.5 + 20.0 / 79, draggy_getValV(5), 1e-6);
    EXPECT_FLOAT_EQ(0.5f, draggy_getValH(5));
    // Flag 128: the value jumps to the pointer at the press.
    draggy_new(6, 20, 100, kDraggyHorizontal | kDraggyWholeTrack | kDraggyJump, kResGalleryLevel, 1, record,
               0, 0);
    drag(2, {{24 + 100, 108}});
    EXPECT_NEAR(100 / kTravel, draggy_getValH(6), 1e-6);
    // Disabled draggies take no drag; mouse scale 2 halves the movement.
    draggy_enable(6, 0);
    drag(2, {{24 + 10, 108}});
    EXPECT_NEAR(100 / kTravel, draggy_getValH(6), 1e-6);
    draggy_setMouseScale(2.0f);
    draggy_new(7, 20, 150, kDraggyHorizontal | kDraggyWholeTrack, kResGalleryLevel, 1, record, 0, 0);
    drag(2, {{30, 158}, {90, 158}});
    EXPECT_NEAR(60 / (2 * kTravel), draggy_getValH(7), 1e-6);
}

TEST_F(ControlTest, MomentaryButtonReleasedOutsideRunsNoCallbackAndStopsTheClick)
{
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    button_new(3, 20, 20, 0, kResGalleryStore, nullptr, 1, 0, 1, record);
    buttonRec* b = button_get(3);
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(RECT({20, 20, 70, 38}), clickObject_get(2, 3)->rect);
    EXPECT_EQ(0, b->hasMask);
    s_calls.clear();
    drag(2, {{30, 25}, {200, 150}});
    EXPECT_TRUE(s_calls.empty());
    EXPECT_EQ(0, brambixEvent_type);  // the click is not reported
    EXPECT_EQ(0, b->selected);
    drag(2, {{30, 25}, {200, 150}, {40, 30}});  // out and back in
    EXPECT_EQ(std::vector<short>{3}, s_calls);
    EXPECT_EQ(kTypeButton, brambixEvent_type);
    EXPECT_EQ(0, b->selected);  // momentary
    EXPECT_EQ(kResGalleryStore, b->currentPict);
    button_enable(3, 0);
    EXPECT_EQ(kResGalleryStore + 2, b->currentPict);
    clickAt(2, 30, 25);
    EXPECT_EQ(1u, s_calls.size());
    EXPECT_EQ(0, window_getZone(2, 3)->id);  // a disabled button has no zone
}

TEST_F(ControlTest, ToggleRadioMultiStateAndAtPressButtons)
{
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    button_new(3, 20, 20, kButtonToggle, kResGalleryPlain, "Toggle", 1, 0, 1, record);
    s_calls.clear();
    drag(2, {{30, 25}, {200, 150}});  // released outside: back to the start, no callback
    EXPECT_EQ(0, button_isSelected(3));
    EXPECT_TRUE(s_calls.empty());
    EXPECT_NE(0, brambixEvent_type);  // a toggle does not stop the click
    clickAt(2, 30, 25);
    EXPECT_EQ(1, button_isSelected(3));
    clickAt(2, 30, 25);
    EXPECT_EQ(0, button_isSelected(3));
    EXPECT_EQ(2u, s_calls.size());
    // Radio: a selected radio ignores the click, an unselected one stays selected.
    button_new(4, 100, 20, kButtonRadio, kResGalleryPlain, nullptr, 1, 1, 1, record);
    button_new(5, 100, 50, kButtonRadio, kResGalleryPlain, nullptr, 1, 0, 1, record);
    s_calls.clear();
    clickAt(2, 110, 25);
    EXPECT_TRUE(s_calls.empty());
    EXPECT_EQ(1, button_isSelected(4));
    clickAt(2, 110, 55);
    EXPECT_EQ(std::vector<short>{5}, s_calls);
    EXPECT_EQ(1, button_isSelected(5));
    // Multi-state: each click inside moves to the next state, wrapping after the last.
    button_new(6, 20, 100, kButtonMultiState, kResGalleryMulti, nullptr, 1, 0, 3, record);
    EXPECT_EQ(3, button_get(6)->states);
    for (short expect : {1, 2, 0, 1}) {
        clickAt(2, 30, 105);
        EXPECT_EQ(expect, button_getState(6));
        EXPECT_EQ(kResGalleryMulti + 8 * expect, button_get(6)->currentPict);
    }
    drag(2, {{30, 105}, {250, 180}});  // released outside: no change of state
    EXPECT_EQ(1, button_getState(6));
    // Flag 1 acts at the press, before the release.
    button_new(7, 100, 100, kButtonAtPress, kResGalleryPlain, nullptr, 1, 0, 1, record);
    s_calls.clear();
    press(2, 110, 105);
    EXPECT_EQ(std::vector<short>{7}, s_calls);
    release();
    EXPECT_EQ(1u, s_calls.size());
    // A missing base picture gives an empty rect; states 0 become 1.
    button_new(8, 5, 5, 0, 2999, nullptr, 1, 0, 0, record);
    EXPECT_EQ(RECT({5, 5, 5, 5}), clickObject_get(2, 8)->rect);
    EXPECT_EQ(1, button_get(8)->states);
    button_setText(3, "a text longer than thirty-one characters in all");
    EXPECT_EQ(31, button_get(3)->textLength);
}

TEST_F(ControlTest, MaskedButtonTakesClicksOnlyOnItsShape)
{
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    button_new(3, 20, 20, kButtonToggle, kResGalleryLed, nullptr, 1, 0, 1, record);
    buttonRec* b = button_get(3);
    EXPECT_EQ(1, b->hasMask);
    EXPECT_EQ(kResGalleryLed + 4, window_getZone(2, 3)->maskID);
    s_calls.clear();
    clickAt(2, 20, 20);  // the corner, outside the round shape
    EXPECT_TRUE(s_calls.empty());
    clickAt(2, 29, 29);
    EXPECT_EQ(std::vector<short>{3}, s_calls);
    EXPECT_EQ(1, b->selected);
    EXPECT_EQ(kResGalleryLed + 5, window_getZone(2, 3)->maskID);  // the selected picture's mask
}

// ---- pop-ups ----------------------------------------------------------------------------------

struct popupCall {
    short id, menu, item;
};
static std::vector<popupCall> s_popupCalls;
static void popupRecord(short id, short menu, short item)
{
    s_popupCalls.push_back(popupCall{id, menu, item});
    popup_selectItem(id, item);
}

static void clickMenuItem(UINT command)
{
    RECT r;
    if (platform_menuItemScreenRect(command, &r))
        headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TEST_F(ControlTest, PopupChoicesSubMenusAndNothingChosen)
{
    s_popupCalls.clear();
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    popup_new(3, 80, 20, 100, 99, 0, 0, "wave", 1, popupRecord);
    popupRec* p = popup_get(3);
    ASSERT_NE(nullptr, p);
    RECT box = clickObject_get(2, 3)->rect;
    EXPECT_EQ(80, box.left);
    EXPECT_EQ(180, box.right);
    EXPECT_GT(box.bottom - box.top, 8);  // the font's height, not the argument
    EXPECT_LT(box.bottom - box.top, 20);
    EXPECT_EQ(RECT({80 - 24 - 6, 20, 77, box.bottom}), p->titleRect);
    popup_addItem(3, 1, 1, "Sine", 0);
    popup_addItem(3, 2, 1, "Saw", 0);
    popup_addItem(3, 0, 1, "-", 0);
    popup_addItem(3, 4, 1, "More", 0);
    EXPECT_EQ(4, GetMenuItemCount(p->menu));
    menu_new(5, 0, "more");
    menu_addItem(5, 1, 0, "Pulse");
    popup_attachSubMenu(3, 4, 5);
    EXPECT_EQ(menu_getHMenu(5), GetSubMenu(p->menu, 3));
    popup_renameItem(3, 2, "Sawtooth");
    char text[32];
    GetMenuStringA(p->menu, 2, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("Sawtooth", text);
    // A plain item: menu 0 and the item.
    headless_pushIdleAction([](HWND) { clickMenuItem(2); });
    clickAt(2, 100, 25);
    ASSERT_EQ(1u, s_popupCalls.size());
    EXPECT_EQ(0, s_popupCalls[0].menu);
    EXPECT_EQ(2, s_popupCalls[0].item);
    EXPECT_EQ(2, p->current);
    // An item of the attached registry menu: its menu id and item.
    headless_pushIdleAction([p](HWND) {
        RECT r;
        if (platform_menuItemScreenRect((UINT)(uintptr_t)GetSubMenu(p->menu, 3), &r))
            headless_mouseMove(r.left + 5, (r.top + r.bottom) / 2);
    });
    headless_pushIdleAction([](HWND) { clickMenuItem(5 * 256 + 1); });
    clickAt(2, 100, 25);
    ASSERT_EQ(2u, s_popupCalls.size());
    EXPECT_EQ(5, s_popupCalls[1].menu);
    EXPECT_EQ(1, s_popupCalls[1].item);
    // Nothing chosen: no callback.
    headless_pushIdleAction([](HWND) { headless_key(VK_ESCAPE); });
    clickAt(2, 100, 25);
    EXPECT_EQ(2u, s_popupCalls.size());
    // Clearing removes the items by command; the registry menu survives the pop-up.
    popup_clear(3);
    EXPECT_EQ(0, GetMenuItemCount(p->menu));
    popup_addItem(3, 4, 1, "More", 0);
    popup_attachSubMenu(3, 4, 5);
    clickObject_delete(2, 3);
    EXPECT_TRUE(IsMenu(menu_getHMenu(5)));
}

TEST_F(ControlTest, PopupWithTitleInsideOpensBelowTheBox)
{
    s_popupCalls.clear();
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    popup_new(3, 40, 30, 120, 14, kPopupTitleInside, 0, "Mode", 1, popupRecord);
    popup_new(4, 40, 80, 120, 14, 0, 0, "mode", 1, popupRecord);
    popup_new(5, 40, 130, 60, 14, kPopupTitleInside | kPopupNoArrow | kPopupBitmaps | kPopupHidden, 0, "", 1,
              popupRecord);
    for (short id : {3, 4}) popup_addItem(id, 1, 1, "Single", 0);
    popup_addItem(5, 0, 0, "sine", kResGalleryGlyphs);
    popup_addItem(5, 1, 1, "saw", 2999);  // missing bitmap: the text stands in
    EXPECT_EQ(kResGalleryGlyphs, popup_get(5)->itemBitmaps[0]);
    EXPECT_EQ(MF_GRAYED, GetMenuState(popup_get(5)->menu, 0, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(0, clickObject_isVisible(2, 5));
    RECT box3 = clickObject_get(2, 3)->rect;
    EXPECT_EQ(RECT({box3.left, box3.top, box3.right - 17, box3.bottom}), popup_get(3)->titleRect);
    static RECT opened;
    auto note = [](HWND) {
        platform_menuItemScreenRect(1, &opened);
        headless_key(VK_ESCAPE);
    };
    headless_pushIdleAction(note);
    clickAt(2, 60, 35);
    POINT bottomLeft = screenPoint(2, box3.left, box3.bottom);
    EXPECT_GE(opened.top, bottomLeft.y);
    EXPECT_LE(opened.top, bottomLeft.y + 4);
    EXPECT_NEAR(bottomLeft.x, opened.left, 4);
    headless_pushIdleAction(note);
    clickAt(2, 60, 85);
    POINT topLeft = screenPoint(2, 40, clickObject_get(2, 4)->rect.top);
    EXPECT_LE(opened.top, topLeft.y + 4);
    EXPECT_GE(opened.top, topLeft.y);
    EXPECT_TRUE(s_popupCalls.empty());  // closed with Escape both times
}
