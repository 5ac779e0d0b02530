// Drags on a real X display (a private Xvfb and the desktop presenter,
// skipped when Xvfb is missing): what a control's tracking loop draws while
// the button is held reaches the screen before the release.
#include "platform/platform.h"
#include "resources/resources.h"
#include "tests/platform/x_input.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {
const short kWin = 1, kBox = 2;
const int kW = 320, kH = 240;

LRESULT liveProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    window_preProcess(kWin, h, msg, wp, lp, 0);
    return DefWindowProcA(h, msg, wp, lp);
}

std::atomic<bool> userDone{false};
void CALLBACK quitWhenUserDone(HWND, UINT, UINT_PTR, DWORD)
{
    if (userDone) PostQuitMessage(0);
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class LiveDragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (display_.name().empty()) GTEST_SKIP() << "no Xvfb to open a display on";
        setenv("DISPLAY", display_.name().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        ASSERT_EQ(1, platform_init(PLATFORM_PRESENTER_SDL, kW, kH));
        ASSERT_EQ(1, resources_registerAll());
        initBrambix();
        loadBitmaps(platform_instance());
        WNDCLASSA wc{};
        wc.lpfnWndProc = liveProc;
        wc.lpszClassName = "live";
        wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
        RegisterClassA(&wc);
        HWND hwnd = CreateWindowExA(0, "live", "live", WS_POPUP | WS_VISIBLE, 0, 0, kW, kH, nullptr, nullptr,
                                    platform_instance(), nullptr);
        ASSERT_NE(nullptr, hwnd);
        window_brambixize(kWin, hwnd, 8, 8);
        numbox_new(kBox, 100, 100, 64, 1, 0, 0, -1000, 1000, nullptr, nullptr, "drag");
        window_postBrambixize(kWin);
        window_show(kWin, 1);
        userDone = false;
    }
    void TearDown() override
    {
        brambixCleanup();
        platform_shutdown();
    }
    // Runs the program's loop (drags included) until the user is done.
    void runUntilUserDone()
    {
        SetTimer(nullptr, 0, 20, quitWhenUserDone);
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    static PrivateDisplay display_;
};
PrivateDisplay LiveDragTest::display_;

}  // namespace

TEST_F(LiveDragTest, ANumberBoxDragShowsEveryValueWhileTheButtonIsHeld)
{
    // The digits of the value field, inside its caps.
    const int fx = 107, fy = 100, fw = 55, fh = 11;
    bool found = false;
    std::vector<uint32_t> before, held, released;
    std::thread user([&] {
        XUser u(display_.name());
        found = u.ok() && u.findWindow(kW, kH, 5000);
        // What the screen shows once it stops changing (a busy machine may
        // take its time), or after five seconds.
        auto settled = [&](const std::vector<uint32_t>& unlike) {
            std::vector<uint32_t> last = u.grab(fx, fy, fw, fh);
            for (int i = 0; i < 100; i++) {
                pause(50);
                std::vector<uint32_t> now = u.grab(fx, fy, fw, fh);
                if (now == last && now != unlike) return now;
                last = now;
            }
            return last;
        };
        if (found) {
            before = settled({});
            u.moveTo(168, 105);  // the step column right of the field
            u.press();
            for (int i = 1; i <= 30; i++) {
                pause(8);
                u.moveTo(168, 105 - i);
            }
            held = settled(before);
            u.release();
            pause(100);
            released = settled({});
        }
        userDone = true;
    });
    runUntilUserDone();
    user.join();
    ASSERT_TRUE(found) << "no window on the display, or no test extension";
    window_setCurrent(kWin);
    EXPECT_FLOAT_EQ(30, numbox_getVal(kBox));
    ASSERT_EQ((size_t)fw * fh, before.size());
    // Held 30 pixels up, the screen already shows 30, as it does after the release.
    EXPECT_NE(before, held) << "the screen still shows the value of the press";
    EXPECT_EQ(released, held);
}
