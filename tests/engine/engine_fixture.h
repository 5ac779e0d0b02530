// What the engine tests share: a recorder behind the engine's desktop hooks
// (message boxes with scripted answers, a model of the four menus, frame
// actions, window requests, redraws, the history pop-up), a fixture that
// starts the engine headless on a private link segment and a private
// program folder, and bank files made for the occasion.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "tests/engine/engine_session.h"

struct menuItemModel {
    int id;
    std::string text;
    bool enabled = true;
    bool checked = false;
};

struct messageSeen {
    std::string text, caption;
    unsigned style;
};

// Everything the engine asked of the desktop.
struct desktopRecord {
    std::vector<messageSeen> messages;
    std::deque<int> answers;  // next answers; empty: the first button
    std::vector<std::string> errors;
    std::vector<menuItemModel> menus[4];
    int drawBars = 0;
    std::vector<int> frameActions;
    std::vector<std::pair<int, int>> shown;  // (window, show)
    std::vector<winPosRec> moved;            // id holds the window id
    winPosRec places[16] = {};               // what getWindowPlace answers, by window id
    bool placeKnown[16] = {};
    int redraws = 0;
    int matrixUpdates = 0;
    std::vector<std::string> history;
    std::vector<std::string> editorCalls;  // undo/copy hooks
    int closes() const;
    const menuItemModel* item(int menu, int id) const;
};

// The recorder behind the hooks (one per process).
desktopRecord& desktop();
// Installs the recording hooks over a fresh record; the File menu gets its
// twelve fixed entries.
void installRecordingHooks();

// The engine on a private segment, with a bank, the history bank and a
// temporary program folder.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Path of a file in the temporary folder.
    std::string pathOf(const std::string& name) const { return session_.folder + "/" + name; }
    // Writes a bank file whose listed slots hold presets named name<slot>;
    // returns its path.
    std::string makeBankFile(const std::string& fileName, const std::vector<int>& slots,
                             const std::string& name = "Sound ")
    {
        return engineSession_makeBankFile(session_, fileName, slots, name);
    }
    engineSession session_;
};
