// The note map editor on a real X display (a private Xvfb and the desktop
// presenter, skipped when Xvfb is missing): the columns a drag sets reach
// the screen while the button is held, and what the drag wrote is in the
// shared record.
#include "iac/MorvaneIAC_plug.h"
#include "resources/resources.h"
#include "tests/platform/x_input.h"
#include "windows/windows.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace {
const int kW = 640, kH = 480;
HWND s_client = nullptr;

LRESULT CALLBACK frameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(h, s_client, msg, wp, lp);
}

std::atomic<bool> userDone{false};
void CALLBACK quitWhenUserDone(HWND, UINT, UINT_PTR, DWORD)
{
    if (userDone) PostQuitMessage(0);
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class LiveNoteMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (display_.name().empty()) GTEST_SKIP() << "no Xvfb to open a display on";
        setenv("DISPLAY", display_.name().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        segment_ = "/morvane-wmidi-live-" + std::to_string(getpid());
        ASSERT_EQ(1, iac_setSegmentName(segment_.c_str()));
        ASSERT_EQ(1, iac_mvn_signIn());
        dsp_globals_init();
        g_instanceNumber = 0;
        gInst = iac_getInst(0);
        ASSERT_NE(nullptr, gInst);
        inst_reinit(gInst);
        gInst->paused = 1;
        ASSERT_EQ(1, platform_init(PLATFORM_PRESENTER_SDL, kW, kH));
        ASSERT_EQ(1, resources_registerAll());
        initBrambix();
        loadBitmaps(platform_instance());
        WNDCLASSA fc{};
        fc.lpfnWndProc = frameProc;
        fc.lpszClassName = "midiLiveFrame";
        RegisterClassA(&fc);
        frame_ = CreateWindowExA(0, "midiLiveFrame", "frame", WS_POPUP | WS_VISIBLE, 0, 0, kW, kH, nullptr,
                                 nullptr, platform_instance(), nullptr);
        ASSERT_NE(nullptr, frame_);
        CLIENTCREATESTRUCT ccs{nullptr, 1000};
        s_client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kW,
                                   kH, frame_, nullptr, platform_instance(), &ccs);
        window_setFrameHWND(s_client);
        wMidi_ccName_init();
        wMidi_noteName_init();
        wMidi_makeWindow();
        ASSERT_NE(nullptr, window_getHWND(winId_midi));
        MoveWindow(window_getHWND(winId_midi), 0, 0, 470, 340, TRUE);
        wMidi_show(1);
        wMidi_setMode(3);
        wMidi_update();
        userDone = false;
    }
    void TearDown() override
    {
        if (display_.name().empty()) return;
        brambixCleanup();
        platform_shutdown();
        s_client = nullptr;
        iac_mvn_signOut();
        iac_unlinkSegment();
    }
    void runUntilUserDone()
    {
        SetTimer(nullptr, 0, 20, quitWhenUserDone);
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    // A client point of the MIDI window in the frame's (the X window's) coordinates.
    POINT inFrame(int x, int y)
    {
        POINT p{x, y}, origin{0, 0};
        ClientToScreen(window_getHWND(winId_midi), &p);
        ClientToScreen(frame_, &origin);
        return POINT{p.x - origin.x, p.y - origin.y};
    }
    static PrivateDisplay display_;
    std::string segment_;
    HWND frame_ = nullptr;
};
PrivateDisplay LiveNoteMapTest::display_;
}  // namespace

TEST_F(LiveNoteMapTest, ADragShowsTheColumnsWhileTheButtonIsHeld)
{
    // Notes 20..30 at factor 0.3 after the drag; the grab covers their columns' middle rows.
    POINT from = inFrame(kMidiMapX + 3 * 20 + 1, kMidiMapY + 140);
    POINT to = inFrame(kMidiMapX + 3 * 30 + 1, kMidiMapY + 140);
    POINT grabAt = inFrame(kMidiMapX + 3 * 20, kMidiMapY + 60);
    const int gw = 33, gh = 40;
    bool found = false;
    std::vector<uint32_t> before, held, released;
    std::thread user([&] {
        XUser u(display_.name());
        found = u.ok() && u.findWindow(kW, kH, 5000);
        auto settled = [&](const std::vector<uint32_t>& unlike) {
            std::vector<uint32_t> last = u.grab(grabAt.x, grabAt.y, gw, gh);
            for (int i = 0; i < 100; i++) {
                pause(50);
                std::vector<uint32_t> now = u.grab(grabAt.x, grabAt.y, gw, gh);
                if (now == last && now != unlike) return now;
                last = now;
            }
            return last;
        };
        if (found) {
            before = settled({});
            u.moveTo(from.x, from.y);
            u.press();
            pause(40);
            u.moveTo(to.x, to.y);  // a jump of ten notes
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
    const float* m = notemap_getData(gInst, 1, 0);
    for (int n = 20; n <= 30; ++n) EXPECT_NEAR(m[n], 0.3f, 0.006f) << n;
    EXPECT_FLOAT_EQ(m[19], 1.0f);
    EXPECT_FLOAT_EQ(m[31], 1.0f);
    ASSERT_EQ(static_cast<size_t>(gw) * gh, before.size());
    // The full columns turned black above 0.3 before the release.
    EXPECT_NE(before, held) << "the screen still shows the map of the press";
    EXPECT_EQ(released, held);
    for (uint32_t px : held) EXPECT_EQ(px, 0u);
}
