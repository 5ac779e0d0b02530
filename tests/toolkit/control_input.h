// Input helpers of the control tests: presses, drags through a list of
// points and releases in a window's client coordinates, run until idle, and
// the gallery's artwork for the controls under test.
#pragma once
#include "toolkit_fixture.h"
#include "tools/toolkit-gallery/gallery.h"
#include <initializer_list>
#include <ostream>

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

class ControlTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        ASSERT_EQ(1, gallery_registerArt());
    }
    // Press at the first point, move through the others, release at the last.
    void drag(short window, std::initializer_list<POINT> points)
    {
        const POINT* p = points.begin();
        POINT s = screenPoint(window, p->x, p->y);
        headless_mouseMove(s.x, s.y);
        headless_mouseDown(1);
        for (++p; p != points.end(); ++p) {
            s = screenPoint(window, p->x, p->y);
            headless_mouseMove(s.x, s.y);
        }
        headless_mouseUp(1);
        headless_runUntilIdle();
    }
    // Presses without releasing (for controls that act at the press).
    void press(short window, int x, int y)
    {
        POINT s = screenPoint(window, x, y);
        headless_mouseMove(s.x, s.y);
        headless_mouseDown(1);
        headless_runUntilIdle();
    }
    void release()
    {
        headless_mouseUp(1);
        headless_runUntilIdle();
    }
    void key(int vk)
    {
        headless_key(vk);
        headless_runUntilIdle();
    }
    void type(const char* text)
    {
        headless_typeText(text);
        headless_runUntilIdle();
    }
};
