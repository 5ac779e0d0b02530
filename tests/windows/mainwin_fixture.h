// What the Main window's tests share: the window built on the headless
// presenter inside an MDI frame, the engine on a private link segment with
// a bank and its history, the desktop hooks pointed at the window, and
// morvane-host as the plug-in side when a test asks for it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/engine/engine_session.h"
#include "tests/engine/host_process.h"
#include "windows/windows.h"

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts morvane-host with instance 0 online and waits until the poll
    // has seen it and loaded its program.
    void startHost(int instances = 1);
    // One idle step of the program: a window update, then the poll; then
    // every pending message.
    void idleStep();
    // Idle steps until done() (real time, for the host's answers).
    bool waitFor(const std::function<bool()>& done, int ms = 4000);
    // Clicks a point of the Main window's client area.
    void clickAt(int x, int y);
    void doubleClickAt(int x, int y);
    // The client point at the centre of an object of window 1.
    POINT centreOf(short id);
    void clickObject(short id)
    {
        POINT p = centreOf(id);
        clickAt(p.x, p.y);
    }
    // A key pressed in the Main window.
    void pressKey(int vk);
    // Writes a bank file whose listed slots hold presets named name<slot>.
    std::string makeBankFile(const std::string& fileName, const std::vector<int>& slots,
                             const std::string& name = "Sound ")
    {
        return engineSession_makeBankFile(session_, fileName, slots, name);
    }
    // Opens a bank file as the current bank (the shell's open).
    void openBank(const std::string& path);
    std::string pathOf(const std::string& name) const { return session_.folder + "/" + name; }
    // The screen point of a client point of window 1.
    POINT screenOf(int x, int y);
    // Saves a screenshot of the Main window under the test output folder; its path.
    std::string screenshot(const std::string& name);

    engineSession session_;
    HWND frame_ = nullptr;
    HWND client_ = nullptr;
    std::unique_ptr<hostRun> host_;
};

// The text of the matrix cell (item) of window 1.
std::string matrixText(short cell);
// The text of a display of window 1.
std::string displayText(short id);
// The events held in an instrument's MIDI buffer, as "status data1 data2".
std::vector<std::string> midiEvents(instRec* inst);
