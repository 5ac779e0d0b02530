#include "tests/windows/wwave_fixture.h"

#include <filesystem>

std::string wavPath(const char* name) { return std::string(MORVANE_WAV_DIR) + "/" + name; }

void WaveWindowTest::SetUp()
{
    ASSERT_EQ(1, windowSession_open(&session_, "wwave"));
    engineHooksRec hooks{};
    hooks.undoWave = wWave_undoWave;
    engine_setHooks(&hooks);
    undo_setMode(0);
    wWave_makeWindow();
    ASSERT_NE(nullptr, window_getHWND(winId_waveform));
    wWave_show(1);
    headless_runUntilIdle();
    window_setCurrent(winId_waveform);
}

void WaveWindowTest::TearDown() { windowSession_close(&session_); }

short WaveWindowTest::newWave(const float* data)
{
    short id = inst_newPresetWave(gInst);
    EXPECT_GE(id, kWaveUserBaseID);
    short slot = static_cast<short>(id - kWaveUserBaseID);
    if (data) std::copy(data, data + kWaveSamples, wave(slot));
    wWave_openWithNewWave(slot);
    headless_runUntilIdle();
    window_setCurrent(winId_waveform);
    return slot;
}

POINT WaveWindowTest::screen(int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window_getHWND(winId_waveform), &p);
    return p;
}

POINT WaveWindowTest::editorPoint(int index, float v)
{
    return POINT{kWaveEdX + index / 2, static_cast<LONG>(kWaveEdY + 129 - v * 128.5f + 0.5f)};
}

void WaveWindowTest::clickAt(int x, int y)
{
    POINT p = screen(x, y);
    headless_click(p.x, p.y, 1);
    headless_runUntilIdle();
    window_setCurrent(winId_waveform);
}

void WaveWindowTest::clickObject(short id)
{
    RECT r;
    clickObject_getRect(id, &r);
    clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void WaveWindowTest::drag(const std::vector<POINT>& path)
{
    if (path.empty()) return;
    POINT p = screen(path[0].x, path[0].y);
    headless_mouseMove(p.x, p.y);
    headless_mouseDown(1);
    for (size_t i = 1; i < path.size(); ++i) {
        POINT q = screen(path[i].x, path[i].y);
        headless_mouseMove(q.x, q.y);
    }
    headless_mouseUp(1);
    headless_runUntilIdle();
    window_setCurrent(winId_waveform);
}

void WaveWindowTest::choose(short popup, int command)
{
    headless_pushIdleAction([command](HWND) { windowSession_clickMenuItem(static_cast<UINT>(command)); });
    clickObject(popup);
}

void WaveWindowTest::chooseFile(short popup, int command, const std::string& path)
{
    // The scripted actions run in order: the menu item, then the dialog.
    headless_pushIdleAction([command](HWND) { windowSession_clickMenuItem(static_cast<UINT>(command)); });
    headless_answerNextFileDialog(path);
    clickObject(popup);
}

// The test's starting folder: a file dialog may change the working folder,
// and screenshots must not land among the WAV samples.
static const std::string s_shotFolder = std::filesystem::current_path().string();

std::string WaveWindowTest::shot(const char* name)
{
    headless_runUntilIdle();
    window_setCurrent(winId_waveform);
    platform_composeAndPresent(1);
    std::string path = s_shotFolder + "/" + name + ".png";
    EXPECT_EQ(1, platform_saveWindowPNG(window_getHWND(winId_waveform), path.c_str()));
    return path;
}
