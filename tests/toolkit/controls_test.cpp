// The picture and custom controls: picture lists with missing bitmaps,
// flags 1, 8 and 16, clicks and callbacks; the custom control's events,
// zone and visibility rules; the type dispatch of the click objects.
#include "toolkit_fixture.h"

static std::vector<short> s_picClicks;
static void picCallback(short id) { s_picClicks.push_back(id); }

TEST_F(ToolkitTest, PictureListFallsBackToTheFirstPicture)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    // kTestRed .. kTestRed + 2 are loaded, kTestRed + 3 is not.
    pic_new(3, 10, 10, 0, kTestRed, 4, picCallback);
    clickObjectRec* obj = clickObject_get(2, 3);
    ASSERT_EQ(kTypePicture, obj->type);
    picRec* p = (picRec*)obj->data;
    ASSERT_EQ(4, p->count);
    EXPECT_EQ(kTestRed, p->list[0]);
    EXPECT_EQ(kTestGreen, p->list[1]);
    EXPECT_EQ(kTestBlue, p->list[2]);
    EXPECT_EQ(kTestRed, p->list[3]);
    EXPECT_EQ(10, obj->rect.left);
    EXPECT_EQ(20, obj->rect.right);  // the first bitmap's size
    EXPECT_EQ(18, obj->rect.bottom);
    // Showing entry 2, then entry 3 (the fallback), on screen.
    p->current = 2;
    pic_show(3, 1);
    EXPECT_EQ(RGB(0, 0, 255), pixelAt(2, 12, 12));
    p->current = 3;
    pic_show(3, 1);
    EXPECT_EQ(RGB(255, 0, 0), pixelAt(2, 12, 12));
    // Nothing is made when the first picture is missing.
    pic_new(4, 50, 10, 0, kTestMissing, 2, picCallback);
    EXPECT_EQ(&defaultClickObject, clickObject_get(2, 4));
    // Nor over a live control.
    pic_new(3, 60, 60, 0, kTestGreen, 1, picCallback);
    EXPECT_EQ(p, clickObject_get(2, 3)->data);
    EXPECT_EQ(10, clickObject_get(2, 3)->rect.left);
}

TEST_F(ToolkitTest, PictureFlagsDecideClicksVisibilityAndStretching)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    pic_new(3, 10, 10, 0, kTestRed, 1, picCallback);
    pic_new(4, 40, 10, kPicNoZone, kTestGreen, 1, picCallback);
    pic_new(5, 70, 10, kPicHidden, kTestBlue, 1, picCallback);
    pic_newStretch(6, 100, 10, 40, 20, 0, kTestQuad, 1, nullptr);
    s_picClicks.clear();
    clickAt(2, 12, 12);
    clickAt(2, 42, 12);  // flag 8: never takes clicks
    clickAt(2, 72, 12);  // flag 1: hidden, no zone
    EXPECT_EQ(std::vector<short>{3}, s_picClicks);
    EXPECT_EQ(0, clickObject_isVisible(2, 5));
    EXPECT_EQ(1, clickObject_isVisible(2, 4));
    // Painting shows the visible ones, the stretched one over its whole rectangle.
    InvalidateRect(window_getHWND(2), nullptr, FALSE);
    headless_runUntilIdle();
    EXPECT_EQ(RGB(255, 0, 0), pixelAt(2, 12, 12));
    EXPECT_EQ(RGB(0, 255, 0), pixelAt(2, 42, 12));
    EXPECT_NE(RGB(0, 0, 255), pixelAt(2, 72, 12));
    EXPECT_EQ(RGB(255, 255, 255), pixelAt(2, 138, 28));
    EXPECT_EQ(140, clickObject_get(2, 6)->rect.right);
    // A drag that started as a press is not a click of a picture.
    g_mouse.state = kMouseDragging;
    pic_process(3);
    EXPECT_EQ(1u, s_picClicks.size());
    // Shown, it takes clicks; moved, its zone follows.
    window_setCurrent(2);
    pic_show(5, 1);
    pic_move(5, 150, 60);
    clickAt(2, 72, 12);
    clickAt(2, 152, 62);
    std::vector<short> expect{3, 5};
    EXPECT_EQ(expect, s_picClicks);
    // Deleting frees it and its zone.
    window_setCurrent(2);
    clickObject_delete(2, 5);
    EXPECT_EQ(&defaultClickObject, clickObject_get(2, 5));
    clickAt(2, 152, 62);
    EXPECT_EQ(expect, s_picClicks);
}

TEST_F(ToolkitTest, CustomControlEventsAndZones)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    custom_new(3, 10, 20, 30, 40, recordingEventProc);
    ASSERT_GE(events().size(), 2u);
    EXPECT_EQ(kCustomCreated, events()[0].event);
    EXPECT_EQ(kCustomShown, events()[1].event);
    EXPECT_EQ(1, events()[1].a);
    RECT r;
    custom_getRect(3, &r);
    EXPECT_EQ(40, r.right);
    EXPECT_EQ(60, r.bottom);
    EXPECT_EQ(kCursorArrowOn, window_getZone(2, 3)->cursorID);
    // User data is kept from the first call on.
    int first = 1, second = 2;
    custom_setUserData(3, &first);
    custom_setUserData(3, &second);
    EXPECT_EQ(&first, custom_getUserData(3));
    events().clear();
    custom_move(3, 50, 30);
    ASSERT_EQ(1u, eventsOf(kCustomMoved).size());
    EXPECT_EQ(50, eventsOf(kCustomMoved)[0].a);
    EXPECT_EQ(30, eventsOf(kCustomMoved)[0].b);
    EXPECT_EQ(1u, eventsOf(kCustomDraw).size());  // redrawn in its new place
    zPoint p;
    p.h = 55, p.v = 35;
    EXPECT_EQ(3, zone_pointToZoneID(2, &p));
    p.h = 15, p.v = 25;
    EXPECT_EQ(0, zone_pointToZoneID(2, &p));
    // Disabled: no click events, and the zone is kept.
    custom_enable(3, 0);
    ASSERT_EQ(1u, eventsOf(kCustomEnabled).size());
    EXPECT_EQ(0, eventsOf(kCustomEnabled)[0].a);
    clickAt(2, 55, 35);
    EXPECT_EQ(0u, eventsOf(kCustomClick).size());
    window_setCurrent(2);
    custom_enable(3, 1);
    clickAt(2, 55, 35);
    EXPECT_EQ(1u, eventsOf(kCustomClick).size());
    // Resizing moves the zone's far edges.
    window_setCurrent(2);
    custom_resize(3, 100, 10);
    p.h = 140, p.v = 35;
    EXPECT_EQ(3, zone_pointToZoneID(2, &p));
    custom_moveResizeV(3, 70, 5);
    p.v = 72;
    EXPECT_EQ(3, zone_pointToZoneID(2, &p));
    // Hidden: no zone, no drawing.
    custom_show(3, 0);
    EXPECT_EQ(0, custom_getVisible(3));
    EXPECT_EQ(0, zone_pointToZoneID(2, &p));
    events().clear();
    InvalidateRect(window_getHWND(2), nullptr, FALSE);
    headless_runUntilIdle();
    EXPECT_EQ(0u, eventsOf(kCustomDraw).size());
    // Deleted: told first, then gone with its zone.
    window_setCurrent(2);
    custom_show(3, 1);
    clickObject_delete(2, 3);
    EXPECT_EQ(1u, eventsOf(kCustomDeleting).size());
    EXPECT_EQ(&defaultClickObject, clickObject_get(2, 3));
    EXPECT_EQ(0, zone_pointToZoneID(2, &p));
    // A null event procedure keeps the default, which does nothing.
    custom_new(4, 0, 0, 10, 10, nullptr);
    EXPECT_EQ(custom_defaultEventCallback, clickObject_get(2, 4)->eventProc);
}

TEST_F(ToolkitTest, ReusingAnIdOfAnotherKindDeletesTheOldControl)
{
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    pic_new(3, 10, 10, 0, kTestRed, 1, picCallback);
    custom_new(3, 100, 50, 20, 20, recordingEventProc);
    clickObjectRec* obj = clickObject_get(2, 3);
    EXPECT_EQ(kTypeCustom, obj->type);
    EXPECT_EQ(nullptr, obj->data);
    zPoint p;
    p.h = 12, p.v = 12;  // the picture's zone went with it
    EXPECT_EQ(0, zone_pointToZoneID(2, &p));
    // Type dispatch: show and move reach the control's own operations.
    clickObject_show(3, 0);
    EXPECT_EQ(0, custom_getVisible(3));
    clickObject_move(3, 5, 6);
    EXPECT_EQ(5, obj->rect.left);
    RECT r{20, 30, 60, 50};
    clickObject_show(3, 1);
    clickObject_setRect(3, &r);
    p.h = 59, p.v = 49;
    EXPECT_EQ(3, zone_pointToZoneID(2, &p));
}
