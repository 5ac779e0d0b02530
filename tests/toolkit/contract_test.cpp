// The contract checks: in the checked (sanitizer) build a broken contract of
// our own code stops the program and names the place and the condition; in
// the normal build the check costs nothing and the call is refused as before.
#include "platform/verify.h"
#include "toolkit_fixture.h"

#if MORVANE_CONTRACTS_ACTIVE

TEST_F(ToolkitTest, BrokenContractsStopTheProgramAtTheirPlace)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(window_brambixize(0, nullptr, 4, 4), "window\\.cpp:[0-9]+: contract broken: validWindowId");
    EXPECT_DEATH(window_brambixize(kWindowMax + 1, nullptr, 4, 4), "contract broken");
    makeWindow(2, 10, 10, 200, 100);
    window_setCurrent(2);
    pic_new(3, 10, 10, 0, kTestRed, 1, nullptr);
    // A picture's id given to a button's and a number box's function.
    EXPECT_DEATH(button_show(3, 0), "control_ops\\.cpp:[0-9]+: contract broken");
    EXPECT_DEATH(numbox_setVal(3, 1.0f), "control_common\\.cpp:[0-9]+: contract broken");
    // The right kind, or an id that names nothing yet, goes on.
    window_setCurrent(2);
    button_show(4, 0);
    pic_show(3, 0);
    EXPECT_FALSE(clickObject_isVisible(2, 3));
}

#else

TEST(Contracts, TheNormalBuildNeverEvaluatesTheCondition)
{
    int evaluated = 0;
    MORVANE_VERIFY(++evaluated == 0);
    EXPECT_EQ(0, evaluated);
    EXPECT_EQ(0, window_brambixize(0, nullptr, 4, 4));  // refused, as before
}

#endif
