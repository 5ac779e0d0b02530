// Show, hide, move and enable for every control kind through the shared
// operations: what each change repaints, and that only a shown, enabled
// control takes a click injected through the headless presenter.
#include "control_input.h"
#include <vector>

namespace {

std::vector<short> s_took;
void took(short id) { s_took.push_back(id); }
void tookKey(short id, short, int) { s_took.push_back(id); }
void tookMenu(short id, short, short) { s_took.push_back(id); }

struct KindCase {
    const char* name;
    short type;
    void (*make)(short id);
};

const short kX = 40, kY = 40;

const KindCase kKinds[] = {
    {"button", kTypeButton, [](short id) { button_new(id, kX, kY, 0, kTestRed, "", 1, 0, 1, took); }},
    {"panel", kTypePanel,
     [](short id) { panel_new(id, kX, kY, kX + 30, kY + 20, kPanelExplicitRect, 0, took); }},
    {"picture", kTypePicture, [](short id) { pic_new(id, kX, kY, 0, kTestRed, 1, took); }},
    {"draggy", kTypeDraggy,
     [](short id) {
         draggy_new(id, kX, kY, kDraggyHorizontal | kDraggyWholeTrack, kResGalleryLevel, 1, took, 0.5f, 0);
     }},
    {"display", kTypeDisplay,
     [](short id) {
         display_new(id, kX, kY, 40, "text", 0, kDisplayEditable, kDisplayLeft, nullptr, nullptr);
     }},
    {"numbox", kTypeNumbox,
     [](short id) { numbox_new(id, kX, kY, 30, 1, 0, 5, 0, 10, nullptr, nullptr, ""); }},
    {"matrix", kTypeMatrix, [](short id) { matrix_new(id, kX, kY, 20, 10, 2, 2, 4, 0, 0, took); }},
    {"keyboard", kTypeKeyboard, [](short id) { kbd_new(id, kX, kY, 48, 1, 0, kResGalleryKeys, tookKey); }},
    {"popup", kTypePopup,
     [](short id) {
         popup_new(id, kX, kY, 40, 12, 0, 0, "p", 1, tookMenu);
         popup_addItem(id, 1, 1, "one", 0);
         popup_setOpenCallback(id, took);
     }},
    {"custom", kTypeCustom, [](short id) { custom_new(id, kX, kY, 30, 20, recordingEventProc); }},
    {"list", kTypeList, [](short id) { list_new(id, kX, kY, 30, 40, 10, 4, 0, 0, took); }},
};

}  // namespace

class ControlOpsTest : public ControlTest {
protected:
    HWND hwnd = nullptr;
    short id = 3;

    RECT rect()
    {
        window_setCurrent(2);
        RECT r;
        clickObject_getRect(id, &r);
        return r;
    }
    // What the window has to repaint after op (everything validated before).
    template <class Op> bool repaintAfter(Op op, RECT* update)
    {
        ValidateRect(hwnd, nullptr);
        window_setCurrent(2);
        op();
        return GetUpdateRect(hwnd, update, FALSE) != 0;
    }
    // Clicks the middle of the control's rect at the time; whether the control took it.
    bool takesClick(const RECT& at)
    {
        s_took.clear();
        events().clear();
        if (clickObject_get(2, id)->type == kTypePopup)
            headless_pushIdleAction([](HWND) { headless_key(VK_ESCAPE); });
        clickAt(2, (at.left + at.right) / 2, (at.top + at.bottom) / 2);
        window_setCurrent(2);
        textEditRec* te = window_getTextEdit(2);
        bool edited = te && te->open && te->id == id;
        if (edited) textEdit_cancel();
        for (const EventRec& e : eventsOf(kCustomClick))
            if (e.id == id) return true;
        for (short t : s_took)
            if (t == id) return true;
        return edited;
    }
};

static bool covers(const RECT& outer, const RECT& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

TEST_F(ControlOpsTest, EveryKindRepaintsOnlyRealChangesAndTakesClicksOnlyShownAndEnabled)
{
    hwnd = makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    panel_enableAutoAdd(0);
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(k.name);
        window_setCurrent(2);
        k.make(id);
        headless_runUntilIdle();
        ASSERT_EQ(k.type, clickObject_get(2, id)->type);
        RECT home = rect(), update;
        EXPECT_TRUE(takesClick(home));

        // Hiding repaints what it covered; hidden, it takes no click.
        ASSERT_TRUE(repaintAfter([&] { clickObject_show(id, 0); }, &update));
        EXPECT_TRUE(covers(update, home));
        EXPECT_FALSE(clickObject_isVisible(2, id));
        EXPECT_FALSE(takesClick(home));
        // Hiding again, or moving while hidden, repaints nothing.
        EXPECT_FALSE(repaintAfter([&] { clickObject_show(id, 0); }, &update));
        EXPECT_FALSE(repaintAfter([&] { clickObject_move(id, 150, 100); }, &update));
        EXPECT_FALSE(repaintAfter([&] { clickObject_move(id, kX, kY); }, &update));

        // Showing repaints it, once.
        ASSERT_TRUE(repaintAfter([&] { clickObject_show(id, 1); }, &update));
        EXPECT_TRUE(covers(update, home));
        EXPECT_FALSE(repaintAfter([&] { clickObject_show(id, 1); }, &update));
        EXPECT_TRUE(takesClick(home));

        // Disabled, it stays but takes no click; enabled again, it does.
        ASSERT_TRUE(repaintAfter([&] { clickObject_enable(id, 0); }, &update));
        EXPECT_TRUE(covers(update, home));
        EXPECT_FALSE(clickObject_isEnabled(2, id));
        EXPECT_FALSE(takesClick(home));
        EXPECT_FALSE(repaintAfter([&] { clickObject_enable(id, 0); }, &update));
        clickObject_enable(id, 1);
        EXPECT_TRUE(takesClick(home));

        // A move repaints the old place and the new one; the click follows.
        ASSERT_TRUE(repaintAfter([&] { clickObject_move(id, 150, 100); }, &update));
        RECT moved = rect();
        EXPECT_EQ(150, moved.left);
        EXPECT_EQ(100, moved.top);
        EXPECT_TRUE(covers(update, home));
        EXPECT_TRUE(covers(update, moved));
        EXPECT_FALSE(repaintAfter([&] { clickObject_move(id, 150, 100); }, &update));
        EXPECT_FALSE(takesClick(home));
        EXPECT_TRUE(takesClick(moved));

        // Deleting a shown control repaints its place.
        ASSERT_TRUE(repaintAfter([&] { clickObject_delete(2, id); }, &update));
        EXPECT_TRUE(covers(update, moved));
        EXPECT_EQ(&defaultClickObject, clickObject_get(2, id));
        EXPECT_FALSE(takesClick(moved));
    }
}

// The kinds' own functions are the shared ones: hiding a button and a
// picture repaints the same way, showing them too.
TEST_F(ControlOpsTest, KindFunctionsShareTheRule)
{
    hwnd = makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    button_new(3, 20, 20, 0, kTestRed, "", 1, 0, 1, took);
    pic_new(4, 60, 20, 0, kTestRed, 1, took);
    headless_runUntilIdle();
    RECT update;
    for (short which : {3, 4}) {
        auto show = [which](int on) { which == 3 ? button_show(which, on) : pic_show(which, on); };
        EXPECT_FALSE(repaintAfter([&] { show(1); }, &update)) << which;
        ASSERT_TRUE(repaintAfter([&] { show(0); }, &update)) << which;
        EXPECT_EQ(clickObject_get(2, which)->rect, update);
        ASSERT_TRUE(repaintAfter([&] { show(1); }, &update)) << which;
        EXPECT_EQ(clickObject_get(2, which)->rect, update);
    }
}
