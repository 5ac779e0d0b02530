// morvane-bank's commands and the factory bank written at build time.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "tests/bank/bank_test_util.h"
#include "tools/morvane-bank/bank_commands.h"
#include "tools/morvane-bank/bank_describe.h"

namespace {
const std::string kFactory = std::string(MORVANE_PROGRAM_DIR) + "/Factory Presets.glo";

struct run {
    int status;
    std::string out, err;
};

run command(std::vector<std::string> args)
{
    args.insert(args.begin(), "morvane-bank");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    int status = bankCmd_main((int)argv.size(), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

std::vector<char> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int lines(const std::string& text)
{
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}
}  // namespace

TEST(FactoryBank, IsWrittenBesideTheProgramAndPassesCheck)
{
    run check = command({"check", kFactory});
    EXPECT_EQ(check.status, 0) << check.err;
    run list = command({"list", kFactory});
    EXPECT_EQ(list.status, 0);
    EXPECT_GE(lines(list.out), 32);
    EXPECT_EQ(list.err, "");

    bankRec* bank = openBank(kFactory);
    std::set<std::string> names;
    std::set<std::vector<std::string>> sounds;
    for (short s = 0; s < bank_presetCount(bank); ++s) {
        presetRec* p = bank_getPreset(bank, s);
        ASSERT_FALSE(bank_presetIsDefault(bank, s)) << s;
        char name[kPatchNameLen + 1];
        bank_getPresetName(bank, s, name);
        EXPECT_TRUE(names.insert(name).second) << name;
        // Something sounds: an active channel with a level and an envelope.
        bool sounds_ = false;
        for (short c = 0; c < kOscils; ++c) sounds_ |= p->oscil[c].active && p->oscil[c].ampScale > 0.0f;
        EXPECT_TRUE(sounds_) << name;
        std::vector<std::string> fields;
        for (const presetField& f : describe_preset(p))
            if (f.name != "patch.preset" && f.name != "patch.name") fields.push_back(f.value);
        EXPECT_TRUE(sounds.insert(fields).second) << name << " is a copy of another sound";
    }
    bank_delete(bank);
}

// Every factory sound, selected into an instrument and stored back into a
// new bank, saves to the same bytes: nothing of a sound is lost or altered
// on its way through the instrument record the plug-in plays.
TEST(FactoryBank, EverySoundRoundTripsThroughAnInstrumentByteForByte)
{
    bankRec* factory = openBank(kFactory);
    ASSERT_NE(factory, nullptr);
    bankRec* copy = bank_new();
    instRec* inst = testInst(0);
    for (short s = 0; s < kBankSlots; ++s) {
        if (bank_presetIsDefault(factory, s)) continue;
        bank_selectPreset(factory, inst, s);
        bank_storeInst(copy, inst, s);
    }
    tempFolder folder;
    std::string path = folder.path("Factory Presets.glo");
    ASSERT_EQ(mvnFile_saveAs(copy, path.c_str(), "Factory Presets.glo"), 1);
    std::vector<char> original = readFile(kFactory), again = readFile(path);
    ASSERT_FALSE(original.empty());
    EXPECT_EQ(original.size(), again.size());
    size_t firstDifference = 0;
    while (firstDifference < original.size() && firstDifference < again.size() &&
           original[firstDifference] == again[firstDifference])
        ++firstDifference;
    EXPECT_EQ(firstDifference, original.size()) << "the files part at byte " << firstDifference;
    bank_delete(copy);
    bank_delete(factory);
}

TEST(FactoryBank, RecipesUseWhatTheirNamesPromise)
{
    bankRec* bank = openBank(kFactory);
    auto find = [&](const char* wanted) -> presetRec* {
        char name[kPatchNameLen + 1];
        for (short s = 0; s < kBankSlots; ++s) {
            bank_getPresetName(bank, s, name);
            if (std::string(name) == wanted) return bank_getPreset(bank, s);
        }
        return nullptr;
    };
    presetRec* sub = find("Sub Bass");
    ASSERT_NE(sub, nullptr);
    EXPECT_LT(sub->oscil[0].mainRatio, 0.6f);  // an octave down
    EXPECT_EQ(sub->filter[3].mode, filterMode_lpf24);
    EXPECT_EQ(sub->patch.poly, 1);
    presetRec* bells = find("Glass Bells");
    ASSERT_NE(bells, nullptr);
    EXPECT_EQ(bells->oscil[0].mode, oscMode_fm);
    EXPECT_NE(bells->oscil[0].modRatio, std::round(bells->oscil[0].modRatio));  // inharmonic
    presetRec* echo = find("Echo Pluck");
    ASSERT_NE(echo, nullptr);
    ASSERT_NE(echo->effect, nullptr);
    EXPECT_EQ(echo->effect->type, effectMode_pipe);
    presetRec* glass = find("Bowed Glass");
    ASSERT_NE(glass, nullptr);
    ASSERT_EQ(preset_waveCount(glass), 1);
    EXPECT_EQ(glass->oscil[0].mainWaveID, glass->waves[0].id);
    presetRec* vib = find("Vibraphone");
    ASSERT_NE(vib, nullptr);
    EXPECT_EQ(vib->lfo[0].on, 1);
    EXPECT_GT(vib->lfo[0].amDepth, 0.0f);
    bank_delete(bank);
}

TEST(BankTool, ConvertRoundTripsRandomBanksThroughBothByteOrders)
{
    tempFolder dir;
    instRec* work = testInst(0);
    bankRec* bank = bank_new();
    std::mt19937 rng(77);
    fillRandomBank(bank, work, {0, 1, 2, 40, 99, 127}, rng, false);
    std::string a = dir.path("a.glo"), big = dir.path("big.glo"), back = dir.path("back.glo");
    ASSERT_TRUE(mvnFile_saveAs(bank, a.c_str(), nullptr));

    EXPECT_EQ(command({"convert", "--big-endian", a, big}).status, 0);
    EXPECT_EQ(command({"check", big}).status, 0);
    run diff = command({"diff", a, big});
    EXPECT_EQ(diff.status, 0) << diff.out;
    EXPECT_EQ(command({"convert", "--little-endian", big, back}).status, 0);
    EXPECT_EQ(readBytes(back), readBytes(a));
    EXPECT_NE(readBytes(big), readBytes(a));

    // A changed field shows up under its slot (the work instrument still
    // holds the last random preset, slot 127, now with another cutoff).
    filter_setFreq(work, 2, 777.0);
    bank_storeInst(bank, work, 40);
    std::string changed = dir.path("changed.glo");
    ASSERT_TRUE(mvnFile_saveAs(bank, changed.c_str(), nullptr));
    diff = command({"diff", a, changed});
    EXPECT_EQ(diff.status, 1);
    EXPECT_NE(diff.out.find("slot 40"), std::string::npos);
    EXPECT_NE(diff.out.find("filter[2].freqIndex"), std::string::npos);
    EXPECT_EQ(diff.out.find("slot 0 "), std::string::npos);
    bank_storeInst(bank, work, 50);
    ASSERT_TRUE(mvnFile_saveAs(bank, changed.c_str(), nullptr));
    diff = command({"diff", a, changed});
    EXPECT_NE(diff.out.find("slot 50 (default / random 127): empty in A"), std::string::npos) << diff.out;
    bank_delete(bank);
}

TEST(BankTool, ShowListsEveryStoredField)
{
    run show = command({"show", "--raw", kFactory, "30"});
    EXPECT_EQ(show.status, 0);
    EXPECT_NE(show.out.find("patch.name = \"Bowed Glass\""), std::string::npos);
    EXPECT_NE(show.out.find("env[0].bp[67] = "), std::string::npos);
    EXPECT_NE(show.out.find("wave[0].data[1008..1023] = "), std::string::npos);
    EXPECT_NE(show.out.find("lfo[2].extra = "), std::string::npos);
    EXPECT_NE(show.out.find("storedCC[8].name = "), std::string::npos);
    run empty = command({"show", kFactory, "127", "--raw"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_NE(empty.out.find("holds the default preset"), std::string::npos);
    EXPECT_EQ(command({"show", kFactory, "128"}).status, 2);
}

TEST(BankTool, CheckRefusesDamagedFilesWithReasons)
{
    std::string dir = MORVANE_MALFORMED_DIR;
    run truncated = command({"check", dir + "/truncated-header.glo"});
    EXPECT_EQ(truncated.status, 1);
    EXPECT_NE(truncated.err.find("ends inside a chunk header"), std::string::npos);
    run tooNew = command({"check", dir + "/version-too-new.glo"});
    EXPECT_EQ(tooNew.status, 2);
    EXPECT_NE(tooNew.err.find("more recent version"), std::string::npos);
    EXPECT_EQ(command({"check", dir + "/preset-never-closed.glo"}).status, 1);
    EXPECT_EQ(command({"check", dir + "/no-such-file.glo"}).status, 2);
    // Listing a damaged file shows what could be read, with warnings.
    run list = command({"list", dir + "/truncated-header.glo"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(lines(list.out), 2);
    EXPECT_NE(list.err.find("warning"), std::string::npos);
    EXPECT_EQ(command({"list", dir + "/not-a-bank.glo"}).status, 2);
    EXPECT_EQ(command({"frobnicate"}).status, 2);
    EXPECT_EQ(command({"convert", "--middle-endian", "a", "b"}).status, 2);
}

// The tool as a separate process: a damaged file is not converted over
// itself without --force, and a write past the file-size limit fails with
// its reason instead of the signal ending the tool.
TEST(BankTool, GuardsADamagedInputAndSurvivesTheFileSizeLimit)
{
    tempFolder dir;
    std::vector<unsigned char> factory = readBytes(kFactory);
    std::vector<unsigned char> cut(factory.begin(), factory.begin() + (long)factory.size() / 2);
    const std::string damaged = dir.path("damaged.glo");
    writeBytes(damaged, cut);
    std::string err;
    EXPECT_EQ(runProgram({MORVANE_BANK_PATH, "convert", "--little-endian", damaged, damaged}, 0, &err), 1);
    EXPECT_NE(err.find("read with damage"), std::string::npos) << err;
    EXPECT_EQ(readBytes(damaged), cut);
    // To another file it is converted; with --force it replaces itself with what could be read.
    EXPECT_EQ(
        runProgram({MORVANE_BANK_PATH, "convert", "--big-endian", damaged, dir.path("read.glo")}, 0, &err),
        1);
    EXPECT_EQ(
        runProgram({MORVANE_BANK_PATH, "convert", "--force", "--little-endian", damaged, damaged}, 0, &err),
        1);
    EXPECT_EQ(readBytes(dir.path("damaged.glo.bak")), cut);
    EXPECT_EQ(command({"check", damaged}).status, 0);
    EXPECT_EQ(command({"diff", damaged, dir.path("read.glo")}).status, 0);

    const std::string out = dir.path("out.glo");
    writeBytes(out, cut);
    EXPECT_EQ(runProgram({MORVANE_BANK_PATH, "convert", "--big-endian", kFactory, out}, 8192, &err), 1);
    EXPECT_NE(err.find("\n  File save failed! Error 517"), std::string::npos) << err;
    EXPECT_NE(err.find("File too large"), std::string::npos) << err;
    EXPECT_EQ(readBytes(out), cut);
    EXPECT_EQ(filesIn(dir.dir),
              (std::vector<std::string>{"damaged.glo", "damaged.glo.bak", "out.glo", "read.glo"}));
}
