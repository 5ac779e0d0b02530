// The desktop presenter on a real X display (a private Xvfb, skipped when
// Xvfb is missing): input that arrives while the loop sleeps wakes it at
// once rather than at the next periodic look, a click sent long after the
// last input still arrives, and a request to end the process made while the
// loop sleeps closes the program's window.
#include "platform/platform.h"
#include "x_input.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace {
const int kClicks = 4;
std::atomic<long long> clickedAt[kClicks];
std::atomic<int> clicks{0};
std::atomic<int> closes{0};

LRESULT watchProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_LBUTTONDOWN && clicks < kClicks) clickedAt[clicks++] = xinput_nowMs();
    if (msg == WM_CLOSE) {
        closes++;
        return 0;  // kept open: the test only watches the request
    }
    return DefWindowProcA(h, msg, wp, lp);
}

void CALLBACK stopAfterDeadline(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

class SdlPresenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (display_.name().empty()) GTEST_SKIP() << "no Xvfb to open a display on";
        setenv("DISPLAY", display_.name().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        ASSERT_EQ(1, platform_init(PLATFORM_PRESENTER_SDL, 320, 240));
        WNDCLASSA wc{};
        wc.lpfnWndProc = watchProc;
        wc.lpszClassName = "watcher";
        wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, "watcher", "watch", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                                  nullptr, platform_instance(), nullptr);
        ASSERT_NE(nullptr, window_);
        clicks = 0;
        closes = 0;
    }
    void TearDown() override { platform_shutdown(); }

    // Runs the program's message loop until the deadline (a thread timer of
    // one second keeps it from waking more often by itself).
    void runLoopFor(DWORD ms)
    {
        DWORD end = GetTickCount() + ms;
        SetTimer(nullptr, 0, 1000, nullptr);
        UINT_PTR stop = SetTimer(nullptr, 0, ms, stopAfterDeadline);
        MSG m;
        while (GetTickCount() < end && GetMessageA(&m, nullptr, 0, 0)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        KillTimer(nullptr, stop);
    }

    static PrivateDisplay display_;
    HWND window_ = nullptr;
};
PrivateDisplay SdlPresenterTest::display_;

}  // namespace

TEST_F(SdlPresenterTest, InputWakesTheSleepingLoopAtOnceEvenLongAfterTheLastInput)
{
    // The first click comes well past the presenter's second of busy polling
    // after the start-up input; the others follow at uneven spacings.
    long long sentAt[kClicks] = {0, 0, 0, 0};
    std::thread user([&] {
        const int pauses[kClicks] = {1600, 430, 370, 510};
        for (int i = 0; i < kClicks; i++) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pauses[i]));
            sentAt[i] = xinput_click(display_.name(), 400, 300);
        }
    });
    runLoopFor(3400);
    user.join();
    ASSERT_NE(0, sentAt[0]) << "the X server has no test extension";
    ASSERT_EQ(kClicks, clicks.load()) << "clicks did not reach the window";
    // Without waking on the display each click would wait for the next
    // periodic look (up to a quarter of a second); four in a row arriving
    // quickly is most unlikely by chance. The bound leaves room for a busy machine.
    for (int i = 0; i < kClicks; i++) {
        EXPECT_GE(clickedAt[i], sentAt[i]);
        EXPECT_LT(clickedAt[i] - sentAt[i], 100) << "click " << i;
    }
}

TEST_F(SdlPresenterTest, AskingTheProcessToEndWhileItSleepsClosesTheProgramWindow)
{
    pthread_t loop = pthread_self();
    std::thread asker([loop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        pthread_kill(loop, SIGTERM);
    });
    runLoopFor(2200);
    asker.join();
    EXPECT_EQ(1, closes.load());
}
