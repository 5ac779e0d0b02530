// Shared fixture of the platform tests: a headless layer per test, and a
// window class that records the messages it receives.
#pragma once
#include "platform/platform.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

struct Recorded {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};

inline std::vector<Recorded>& recorded()
{
    static std::vector<Recorded> r;
    return r;
}

inline LRESULT recordingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_SETCURSOR && msg != WM_NCHITTEST) recorded().push_back(Recorded{h, msg, wp, lp});
    if (msg == WM_LBUTTONDOWN) SetCapture(h);
    if (msg == WM_LBUTTONUP) ReleaseCapture();
    return DefWindowProcA(h, msg, wp, lp);
}

// Registers a plain window class with the given procedure.
inline void registerProc(const char* name, WNDPROC proc)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, platform_init(PLATFORM_PRESENTER_HEADLESS, 800, 600));
        recorded().clear();
        WNDCLASSA wc{};
        wc.lpfnWndProc = recordingProc;
        wc.lpszClassName = "recorder";
        wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
    }
    void TearDown() override { platform_shutdown(); }

    std::vector<UINT> messagesOf(HWND h, UINT lo = 0, UINT hi = 0xFFFF)
    {
        std::vector<UINT> v;
        for (auto& r : recorded())
            if (r.hwnd == h && r.msg >= lo && r.msg <= hi) v.push_back(r.msg);
        return v;
    }
};
