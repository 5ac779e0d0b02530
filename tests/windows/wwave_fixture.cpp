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

POINT WaveWindowTest::screen(int x, int y) { return windowSession_screen(winId_waveform, x, y); }

POINT WaveWindowTest::editorPoint(int index, float v)
{
    return POINT{kWaveEdX + index / 2, static_cast<LONG>(kWaveEdY + 129 - v * 128.5f + 0.5f)};
}

void WaveWindowTest::clickAt(int x, int y) { windowSession_clickAt(winId_waveform, x, y); }

void WaveWindowTest::clickObject(short id) { windowSession_clickObject(winId_waveform, id); }

void WaveWindowTest::drag(const std::vector<POINT>& path) { windowSession_drag(winId_waveform, path); }

void WaveWindowTest::choose(short popup, int command)
{
    windowSession_choose(winId_waveform, popup, command);
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
    const std::string path = s_shotFolder + "/" + name + ".png";
    EXPECT_EQ(1, windowSession_shot(winId_waveform, path)) << path;
    return path;
}
