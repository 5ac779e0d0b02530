// The damaged files of tests/bank/malformed: each must open without a crash,
// keep exactly the presets closed before the damage, say what was wrong, and
// tell the user once, with the count read, when part of the file was lost.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>

#include "tests/bank/bank_test_util.h"

namespace {
struct expectation {
    const char* file;
    long result;
    std::set<int> slots;  // slots holding a preset read from the file
    const char* message;  // a message that must be shown, or null
    const char* error;    // part of a silent error that must be raised, or null
    bool damaged = true;  // opened with part of the file lost
};

const expectation kExpected[] = {
    {"truncated-header.glo", 1, {0, 1}, nullptr, "ends inside a chunk header"},
    {"body-longer-than-file.glo", 1, {0, 1}, nullptr, "runs past the end of the file"},
    {"size-above-65535.glo", 1, {0, 1, 2}, nullptr, "larger than 65535"},
    {"size-above-65535-past-end.glo", 1, {0, 1}, nullptr, "runs past the end of the file"},
    {"unknown-chunk.glo", 1, {0}, nullptr, "bad chunk type"},
    {"version-too-new.glo",
     0,
     {},
     "File error! I can't open this file, it was created with a more recent version of Morvane.",
     nullptr,
     false},
    {"module-version-too-new.glo", 1, {0}, nullptr, "chunk version too new"},
    {"preset-never-closed.glo", 1, {0}, nullptr, "was not closed"},
    {"negative-chunk-size.glo", 1, {0, 1}, nullptr, "negative size"},
    {"negative-envelope-count.glo", 1, {0}, nullptr, nullptr, false},
    {"index-out-of-range.glo", 1, {0}, nullptr, "index out of range", false},
    {"preset-number-out-of-range.glo", 1, {1}, nullptr, "outside 0..127"},
    {"byte-order-switch-mid-file.glo", 1, {0, 1}, nullptr, "bad chunk type"},
    {"header-chunk-inside-preset.glo", 1, {0, 2}, nullptr, "before a file header chunk"},
    {"not-a-bank.glo", 0, {}, "Open file failed. This is not a valid Morvane file", nullptr, false},
    {"empty.glo", 0, {}, "Open file failed. This is not a valid Morvane file", nullptr, false},
};

std::string malformedPath(const char* file) { return std::string(MORVANE_MALFORMED_DIR) + "/" + file; }

std::string presetName(bankRec* bank, short slot)
{
    char name[kPatchNameLen + 1];
    bank_getPresetName(bank, slot, name);
    return name;
}
}  // namespace

TEST(MalformedFiles, EachGivesItsResult)
{
    for (const expectation& e : kExpected) {
        SCOPED_TRACE(e.file);
        ASSERT_TRUE(std::filesystem::exists(malformedPath(e.file)));
        messageLog log;
        long result = -1;
        bankRec* bank = openBank(malformedPath(e.file), &result);
        EXPECT_EQ(result, e.result);
        for (short s = 0; s < kBankSlots; ++s)
            EXPECT_EQ(bank_presetIsDefault(bank, s) == 0, e.slots.count(s) == 1) << "slot " << s;
        if (e.message) {
            EXPECT_TRUE(log.saw(e.message));
        }
        EXPECT_EQ(bank->readDamaged, e.damaged ? 1 : 0);
        if (e.damaged) {
            const std::string told = std::string(e.file) + " is damaged: only " +
                                     std::to_string(e.slots.size()) + " presets could be read from it.";
            ASSERT_EQ(log.messages.size(), 1u);
            EXPECT_EQ(log.messages[0].rfind(told, 0), 0u) << log.messages[0];
        } else if (!e.message) {
            EXPECT_TRUE(log.messages.empty());
        }
        if (e.error) {
            EXPECT_TRUE(log.errorContains(e.error));
        }
        EXPECT_EQ(shallWeFlip(), 0);
        bank_delete(bank);
    }
}

TEST(MalformedFiles, EveryFileInTheFolderIsListed)
{
    std::set<std::string> listed;
    for (const expectation& e : kExpected) listed.insert(e.file);
    for (const auto& entry : std::filesystem::directory_iterator(MORVANE_MALFORMED_DIR)) {
        if (entry.path().extension() == ".glo") {
            EXPECT_TRUE(listed.count(entry.path().filename().string())) << entry.path();
        }
    }
}

TEST(MalformedFiles, ContentReadBeforeAndAroundTheDamageIsRight)
{
    messageLog log;
    bankRec* bank = openBank(malformedPath("size-above-65535.glo"));
    EXPECT_EQ(presetName(bank, 0), "first");
    EXPECT_EQ(presetName(bank, 2), "third");
    bank_delete(bank);

    bank = openBank(malformedPath("byte-order-switch-mid-file.glo"));
    EXPECT_EQ(presetName(bank, 1), "second");
    EXPECT_EQ(bank_getPreset(bank, 1)->patch.poly, 4);
    bank_delete(bank);

    // The oscillator chunk after the unknown one was read.
    bank = openBank(malformedPath("unknown-chunk.glo"));
    EXPECT_EQ(bank_getPreset(bank, 0)->oscil[1].mode, oscMode_fm);
    bank_delete(bank);

    // A refused or out-of-range oscillator leaves the preset's defaults.
    presetRec* fresh = preset_new(0);
    for (const char* file : {"module-version-too-new.glo", "index-out-of-range.glo"}) {
        bank = openBank(malformedPath(file));
        for (short i = 0; i < kOscils; ++i)
            EXPECT_EQ(
                0, std::memcmp(&bank_getPreset(bank, 0)->oscil[i], &fresh->oscil[i], sizeof(oscil_instRec)))
                << file << " oscillator " << i;
        bank_delete(bank);
    }
    preset_delete(fresh);

    bank = openBank(malformedPath("negative-envelope-count.glo"));
    EXPECT_EQ(preset_envCount(bank_getPreset(bank, 0)), 0);
    bank_delete(bank);

    // The version message comes first, then the refusal.
    log.clear();
    bank = openBank(malformedPath("version-too-new.glo"));
    ASSERT_EQ(log.messages.size(), 2u);
    EXPECT_EQ(log.messages[1], "Open file failed. This is not a valid Morvane file");
    bank_delete(bank);
}

// Reading only the names finds the presets the whole reader finds, with the
// same names, on every damaged file and on the fuzzing corpus; a file that
// is no bank gives 0. Nothing is said.
TEST(MalformedFiles, TheNamesAloneAreReadAsTheWholeReaderReadsThem)
{
    messageLog log;
    int files = 0;
    for (const char* dir : {MORVANE_MALFORMED_DIR, MORVANE_CORPUS_DIR})
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".py") continue;
            const std::string path = entry.path().string();
            log.clear();
            bankNamesRec names;
            long named = mvnFile_readNames(path.c_str(), &names);
            EXPECT_TRUE(log.messages.empty() && log.errors.empty()) << path;
            long result = 0;
            bankRec* bank = openBank(path, &result);
            EXPECT_EQ(named, result == mvnOpen_done ? 1 : 0) << path;
            for (short slot = 0; slot < kBankSlots; ++slot) {
                EXPECT_EQ(names.used[slot], result == mvnOpen_done && !bank_presetIsDefault(bank, slot))
                    << path << " slot " << slot;
                if (names.used[slot]) {
                    EXPECT_EQ(names.names[slot], presetName(bank, slot)) << path;
                }
            }
            bank_delete(bank);
            ++files;
        }
    EXPECT_GE(files, 30);
    bankNamesRec none;
    EXPECT_EQ(mvnFile_readNames("/nonexistent/Gone.glo", &none), 0);
}
