// What the program's tests share: the whole program started in-process on
// the headless presenter, on a private link segment and a private program
// folder holding a copy of the factory bank; the loop turned with the
// program's own accelerators; virtual time advanced; the frame's commands
// recorded; morvane-host as the plug-in side.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "program/program.h"
#include "tests/engine/host_process.h"
#include "windows/windows.h"

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the program (1 when it runs).
    int start();
    // Quits the running program as a user does (OK to the question about
    // the plug-ins still running) and starts it again on the same segment
    // and program folder, as a new run would (1 when it runs).
    int restart();
    // Writes a preferences file into the program folder before start().
    void writePrefs(const std::vector<winPosRec>& places, int pgmChg, int autoBalance, int oneWindow);
    std::string pathOf(const std::string& name) const { return folder_ + "/" + name; }
    std::string segment_;
    std::string folder_;
};

// The program started with one plug-in instance online (which keeps it
// running), the host started first so that it sees the start bank.
class RunningProgramTest : public ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<hostRun> host_;
};

// Every pending message through the program's loop body (accelerators
// included); stops once the program has quit.
void pumpProgram();
// Moves virtual time forward in steps of at most 50 ms, pumping after each.
void advanceProgram(int ms);
// Real-time wait for something the host does, one idle step per round.
bool waitProgram(const std::function<bool()>& done, int ms = 5000);
// A key pressed and released through the loop.
void pressKey(int vk);
// The commands that reached the frame, recorded in order.
std::vector<int>& frameCommands();
void recordFrameCommands();
// The text of an item of a menu by position ("" for none).
std::string menuText(HMENU menu, int position);
// Is the toolkit window shown (natively and for the toolkit)?
bool shown(short windowId);
// A window's title.
std::string titleOf(short windowId);
// The window's rectangle on the screen.
RECT screenRect(HWND hwnd);
// Reads a whole file ("" when it cannot be read).
std::string fileBytes(const std::string& path);
