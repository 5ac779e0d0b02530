// Number boxes: the step rules, drags of 30 and 70 pixels in each column
// (always from the value at the press), typed text through the in-place
// editor, value formatting and the setters' clamping.
#include "control_input.h"
#include <cmath>
#include <cstring>

static std::vector<short> s_calls;
static void numboxCallback(short id) { s_calls.push_back(id); }

TEST_F(ControlTest, IncrementFunctionsFollowTheirColumns)
{
    EXPECT_DOUBLE_EQ(13, numbox_defaultIncrement(10, 3, 1));
    EXPECT_DOUBLE_EQ(10.03, numbox_defaultIncrement(10, 3, 2));
    EXPECT_DOUBLE_EQ(10.003, numbox_defaultIncrement(10, 3, 3));
    EXPECT_DOUBLE_EQ(10, numbox_defaultIncrement(10, 3, 4));  // no such column
    EXPECT_DOUBLE_EQ(10.3, numbox_incPointOne(10, 3, 1));
    EXPECT_DOUBLE_EQ(10.0003, numbox_incPointOne(10, 3, 3));
    EXPECT_DOUBLE_EQ(9.97, numbox_incPointZeroOne(10, -3, 1));
    EXPECT_DOUBLE_EQ(11.5, numbox_incBeat(10, 3, 1));
    EXPECT_DOUBLE_EQ(10.375, numbox_incBeat(10, 3, 2));
    EXPECT_DOUBLE_EQ(10.375, numbox_incBeat2(10, 3, 1));
    EXPECT_DOUBLE_EQ(880, numbox_incHertz(440, 12, 1));  // an octave
    EXPECT_NEAR(440 * std::pow(2.0, 1 / 1200.0), numbox_incHertz(440, 1, 2), 1e-9);
    EXPECT_NEAR(440 * std::pow(2.0, -1 / 12000.0), numbox_incHertz(440, -1, 3), 1e-9);
    EXPECT_DOUBLE_EQ(440, numbox_incHertz(440, 5, 0));
    EXPECT_DOUBLE_EQ(60, numbox_bigExpo(100, -20, 1));     // 20 squared, a tenth of it
    EXPECT_DOUBLE_EQ(90, numbox_bigExpo(100, -10, 1));     // up to 10 pixels: one per pixel
    EXPECT_NEAR(112.1, numbox_bigExpo(100, 11, 1), 1e-9);  // beyond: 11 squared, a tenth of it
    EXPECT_DOUBLE_EQ(80, numbox_bigExpo(100, -20, 2));
    EXPECT_DOUBLE_EQ(99.8, numbox_bigExpo(100, -20, 3));
}

TEST_F(ControlTest, TextToNumberAndValueStrings)
{
    double v = 99;
    char t1[] = "-1,5", t2[] = "12a3", t3[] = "abc", t4[] = "1.2.3", t5[] = "2-0", t6[] = "0.25";
    EXPECT_EQ(1, numbox_stringToVal(t1, &v));
    EXPECT_DOUBLE_EQ(-1.5, v);
    numbox_stringToVal(t2, &v);
    EXPECT_DOUBLE_EQ(123, v);
    numbox_stringToVal(t3, &v);
    EXPECT_DOUBLE_EQ(0, v);  // no digits
    numbox_stringToVal(t4, &v);
    EXPECT_DOUBLE_EQ(0.123, v);  // the leftmost point decides
    numbox_stringToVal(t5, &v);
    EXPECT_DOUBLE_EQ(-20, v);  // a minus anywhere
    numbox_stringToVal(t6, &v);
    EXPECT_DOUBLE_EQ(0.25, v);

    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    numbox_new(3, 60, 100, 64, 1, 0, 2.9, -10, 10, nullptr, nullptr, "int");
    numboxRec* n = numbox_get(3);
    ASSERT_NE(nullptr, n);
    char out[40] = "untouched";
    numbox_getValueString(n, out);
    EXPECT_STREQ("2", out);  // truncated, not rounded
    n->value = -2.9;
    numbox_getValueString(n, out);
    EXPECT_STREQ("-2", out);
    n->decimals = 3;
    numbox_getValueString(n, out);
    EXPECT_STREQ("-2.900", out);
    n->decimals = 7;
    strcpy(out, "untouched");
    numbox_getValueString(n, out);
    EXPECT_STREQ("untouched", out);
}

TEST_F(ControlTest, NumboxGeometrySettersAndClamping)
{
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    numbox_new(3, 60, 100, 64, 7, 2, 150, 0, 100, nullptr, numboxCallback, "cutoff");
    numboxRec* n = numbox_get(3);
    ASSERT_NE(nullptr, n);
    EXPECT_EQ(1, n->buttons);         // an unknown width class becomes 1
    EXPECT_DOUBLE_EQ(100, n->value);  // clamped at creation
    EXPECT_EQ(RECT({63, 99, 124, 112}), n->valueRect);
    EXPECT_EQ(RECT({125, 99, 133, 112}), n->buttonRect);
    EXPECT_EQ(RECT({60 - 6 * 6 - 2, 99, 60, 112}), n->nameRect);
    EXPECT_EQ(RECT({60, 100, 124, 112}), clickObject_get(2, 3)->rect);
    zoneRec* z = window_getZone(2, 3);
    EXPECT_EQ(kCursorUpDown, z->cursorID);
    EXPECT_EQ(RECT({63, 99, 133, 112}), z->rect);
    numbox_setVal(3, -5);
    EXPECT_FLOAT_EQ(0, numbox_getVal(3));
    numbox_setVal(3, 42.5f);
    numbox_setMax(3, 40);
    EXPECT_FLOAT_EQ(40, numbox_getVal(3));
    numbox_setMin(3, 45);
    EXPECT_FLOAT_EQ(45, numbox_getVal(3));
    EXPECT_FLOAT_EQ(0.00001f, numbox_getVal(9));  // no such number box
    numbox_setNameIncrementRangeValue(3, "res", numbox_incPointZeroOne, 0, 1, 0.5f);
    EXPECT_STREQ("res", n->name);
    EXPECT_EQ(numbox_incPointZeroOne, n->increment);
    EXPECT_FLOAT_EQ(0.5f, numbox_getVal(3));
    EXPECT_EQ(60 - 6 * 3 - 2, n->nameRect.left);
    numbox_setName(3, "a name far longer than the twenty-four bytes it may keep");
    EXPECT_EQ(23u, strlen(n->name));
    numbox_move(3, 100, 40);
    EXPECT_EQ(103, n->valueRect.left);
    EXPECT_EQ(39, window_getZone(2, 3)->rect.top);
    EXPECT_TRUE(s_calls.empty());  // setters never call back
    // A second number box under the same id is refused.
    numbox_new(3, 0, 0, 30, 1, 0, 0, 0, 1, nullptr, nullptr, "x");
    EXPECT_EQ(n, numbox_get(3));
}

TEST_F(ControlTest, NumboxDragsInEachColumnStartFromThePressValue)
{
    makeWindow(2, 10, 10, 300, 260);
    window_setCurrent(2);
    numbox_new(3, 60, 150, 64, 3, 3, 50, 0, 100, nullptr, numboxCallback, "level");
    // Column 1 starts at the buttons' left edge (125), column 2 at 134, column 3 at 141.
    struct {
        int x, dy;
        double expect;
    } cases[] = {{127, 30, 80},   {136, 30, 50.3},  {143, 30, 50.03}, {127, 70, 100},
                 {136, 70, 50.7}, {143, 70, 50.07}, {127, -70, 0}};
    for (auto& c : cases) {
        numbox_setVal(3, 50);
        s_calls.clear();
        drag(2, {{c.x, 155}, {c.x, 155 - c.dy / 2}, {c.x, 155 - c.dy}});
        EXPECT_NEAR(c.expect, numbox_getVal(3), 1e-4) << c.x << " " << c.dy;
        EXPECT_EQ(2u, s_calls.size()) << c.x;  // one call per new distance
    }
    // Back to the start: the press value exactly, not an accumulation of steps.
    numbox_setVal(3, 50);
    drag(2, {{136, 155}, {136, 120}, {136, 140}, {136, 155}});
    EXPECT_DOUBLE_EQ(50, numbox_get(3)->value);
    EXPECT_EQ(0, numbox_get(3)->pressed);
    EXPECT_EQ(kMouseIdle, g_mouse.state);
}

TEST_F(ControlTest, TypingIntoANumboxValidatesOnReturnAndOnAClickElsewhere)
{
    makeWindow(2, 10, 10, 300, 200);
    window_setCurrent(2);
    numbox_new(3, 60, 100, 64, 2, 2, 5, -10, 200, nullptr, numboxCallback, "amount");
    s_calls.clear();
    clickAt(2, 90, 105);  // the value field opens the editor
    textEditRec* te = window_getTextEdit(2);
    ASSERT_EQ(1, te->open);
    EXPECT_EQ(3, te->id);
    char text[300];
    GetWindowTextA(te->hwnd, text, sizeof text);
    EXPECT_STREQ("5.00", text);
    RECT er;
    GetWindowRect(te->hwnd, &er);
    EXPECT_EQ(61, er.right - er.left);  // the value field's width
    type("-1,5");                       // replaces the selected text
    key(VK_RETURN);
    EXPECT_EQ(0, te->open);
    EXPECT_DOUBLE_EQ(-1.5, numbox_get(3)->value);
    EXPECT_EQ(std::vector<short>{3}, s_calls);
    // Letters are skipped; a click anywhere else in the window commits.
    clickAt(2, 90, 105);
    type("12a3");
    EXPECT_EQ(1, te->open);
    clickAt(2, 250, 20);
    EXPECT_EQ(0, te->open);
    EXPECT_DOUBLE_EQ(123, numbox_get(3)->value);
    // Out of range typing is clamped.
    clickAt(2, 90, 105);
    type("999");
    key(VK_RETURN);
    EXPECT_DOUBLE_EQ(200, numbox_get(3)->value);
    EXPECT_EQ(3u, s_calls.size());
}
