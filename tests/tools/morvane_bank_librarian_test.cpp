// morvane-bank as a librarian: the command line's conventions, search, the
// JSON and musician's forms of show, the deeper checks, and editing banks in
// place with copy, swap, rename and clear.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <sstream>

#include "tests/bank/bank_test_util.h"
#include "tests/tools/json_read.h"
#include "tools/morvane-bank/bank_commands.h"
#include "tools/morvane-bank/bank_describe.h"

static bool operator==(const presetField& a, const presetField& b)
{
    return a.name == b.name && a.value == b.value;
}

namespace {
const std::string kFactory = std::string(MORVANE_PROGRAM_DIR) + "/Factory Presets.glo";
const std::string kMalformed = MORVANE_MALFORMED_DIR;

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

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Compares every field the walk gives with the parsed JSON, floats exactly.
struct jsonCheck : presetSink {
    const jsonValue& root;
    const jsonValue* rec = nullptr;
    std::string where;
    std::vector<std::string> wrong;
    explicit jsonCheck(const jsonValue& r) : root(r) {}

    void expect(bool same, const char* name)
    {
        if (!same) wrong.push_back(where + name);
    }
    void enter(const char* group, int index) override
    {
        rec = index >= 0 ? &root[group][(size_t)index] : &root[group];
        where = std::string(group) + "[" + std::to_string(index) + "].";
    }
    void num(const char* name, long long v) override { expect((*rec)[name].i() == v, name); }
    void real(const char* name, double v) override { expect((*rec)[name].f() == (float)v, name); }
    void realD(const char* name, double v) override { expect((*rec)[name].d() == v, name); }
    void derived(const char* name, double) override { expect((*rec)[name].kind == jsonValue::null_, name); }
    void named(const char* name, long long v, const char*, const char*) override { num(name, v); }
    void count(const char*, const char* group, size_t n) override
    {
        expect(root[group].items.size() == n, group);
    }
    void none(const char* group) override { expect(root[group].kind == jsonValue::null_, group); }
    void chars(const char* name, const char* field, size_t size) override
    {
        expect((*rec)[name].text == std::string(field, strnlen(field, size)), name);
    }
    void reals(const char* name, const float* v, int n) override
    {
        for (int i = 0; i < n; ++i) expect((*rec)[name][(size_t)i].f() == v[i], name);
    }
    void ints(const char* name, const int32_t* v, int n) override
    {
        for (int i = 0; i < n; ++i) expect((*rec)[name][(size_t)i].i() == v[i], name);
    }
    void breakpoints(const envBreakpointRec* bp, int n) override
    {
        const jsonValue& list = (*rec)["bp"];
        expect(list.items.size() == (size_t)n, "bp");
        for (int i = 0; i < n; ++i)
            expect(list[(size_t)i]["time"].d() == bp[i].time && list[(size_t)i]["level"].f() == bp[i].level &&
                       list[(size_t)i]["slope"].f() == bp[i].slope,
                   "bp");
    }
};

// Every stored field but the preset number.
std::vector<presetField> soundOf(const presetRec* p)
{
    std::vector<presetField> f = describe_preset(p);
    return std::vector<presetField>(f.begin() + 1, f.end());
}

std::string nameIn(const std::string& file, short slot)
{
    bankRec* bank = openBank(file);
    char name[kPatchNameLen + 1] = "";
    if (bank) bank_getPresetName(bank, slot, name);
    bank_delete(bank);
    return name;
}
}  // namespace

TEST(BankToolLine, HelpVersionAndUsageErrorsFollowTheUnixConventions)
{
    for (const char* help : {"--help", "-h"}) {
        run r = command({help});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        for (const char* c : {"list", "show", "search", "check", "diff", "convert", "copy", "swap", "rename",
                              "clear", "--raw", "--json", "--force", "--version"})
            EXPECT_TRUE(has(r.out, c)) << c;
    }
    run version = command({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "morvane-bank 1.3\n");
    // Slots are numbers from 0 to 127, nothing else; a usage error says so on stderr only.
    for (const char* slot : {"4294967296", "128", "-1", "12x", "", " 5", "+5", "0x10"}) {
        run r = command({"show", kFactory, slot});
        EXPECT_EQ(r.status, 2) << slot;
        EXPECT_EQ(r.out, "") << slot;
        EXPECT_TRUE(has(r.err, "is not a number from 0 to 127")) << slot << r.err;
    }
    EXPECT_EQ(command({"show", kFactory, "007"}).status, 0);
    EXPECT_EQ(command({"copy", kFactory, "1", "x.glo", "200"}).status, 2);
    EXPECT_EQ(command({"swap", kFactory, "1"}).status, 2);
    EXPECT_EQ(command({"show", "--raw", "--json", kFactory, "1"}).status, 2);
    EXPECT_EQ(command({"list", "--force", kFactory}).status, 2);
    EXPECT_EQ(command({}).status, 2);
    // A file that cannot be read is status 2 for every command.
    const std::string notBank = kMalformed + "/not-a-bank.glo";
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"list", notBank}, {"show", notBank, "0"}, {"check", notBank}, {"swap", notBank, "0", "1"}}) {
        run r = command(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_TRUE(has(r.err, "cannot be read")) << args[0];
    }
    // The program itself: help on stdout with 0, a usage error on stderr with 2.
    std::string err;
    EXPECT_EQ(runProgram({MORVANE_BANK_PATH, "--help"}, 0, &err), 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(runProgram({MORVANE_BANK_PATH, "show", kFactory, "4294967296"}, 0, &err), 2);
    EXPECT_TRUE(has(err, "4294967296")) << err;
}

TEST(BankToolLine, SearchFindsNamesInAnyCaseAcrossBanks)
{
    tempFolder dir;
    bankRec* bank = bank_new();
    std::mt19937 rng(3);
    fillRandomBank(bank, testInst(0), {4, 77}, rng, false);
    bank_renamePreset(bank, 77, "Deep BASS drone");
    const std::string mine = dir.path("mine.glo");
    ASSERT_EQ(mvnFile_saveAs(bank, mine.c_str(), nullptr), 1);
    bank_delete(bank);

    run r = command({"search", "bass", kFactory, mine});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(has(r.out, kFactory + "\t13\tSub Bass\n")) << r.out;
    EXPECT_TRUE(has(r.out, kFactory + "\t15\tFM Bass\n"));
    EXPECT_TRUE(has(r.out, mine + "\t77\tDeep BASS drone\n"));
    for (std::istringstream lines(r.out); std::getline(lines, r.err);)
        EXPECT_TRUE(has(r.err, "ass") || has(r.err, "ASS")) << r.err;
    // Empty slots, named "default", are not presets.
    EXPECT_EQ(command({"search", "default", mine}).status, 1);
    run none = command({"search", "no such sound", kFactory});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    // An unreadable bank is reported and the others still searched.
    run partly = command({"search", "drone", kMalformed + "/not-a-bank.glo", mine});
    EXPECT_EQ(partly.status, 2);
    EXPECT_EQ(partly.out, mine + "\t77\tDeep BASS drone\n");
    EXPECT_TRUE(has(partly.err, "not-a-bank.glo: cannot be read"));
}

// The JSON of a full random preset parses and gives back every stored value
// bit for bit, floats through strtof and doubles through strtod.
TEST(BankToolShow, JsonReadsBackToTheSameRecord)
{
    tempFolder dir;
    bankRec* bank = bank_new();
    std::mt19937 rng(11);
    fillRandomBank(bank, testInst(0), {9}, rng, true);
    patch_setName(&bank_getPreset(bank, 9)->patch, "quote \" back\\slash");
    const std::string file = dir.path("json.glo");
    ASSERT_EQ(mvnFile_saveAs(bank, file.c_str(), nullptr), 1);
    bank_delete(bank);
    bank = openBank(file);
    presetRec* p = bank_getPreset(bank, 9);

    run r = command({"show", "--json", file, "9"});
    ASSERT_EQ(r.status, 0) << r.err;
    jsonValue json;
    size_t at = 0;
    ASSERT_TRUE(json_parse(r.out, &json, &at)) << "syntax error at " << at;
    EXPECT_EQ(json["slot"].i(), 9);
    EXPECT_EQ(json["default"].text, "false");
    jsonCheck check(json);
    describe_walk(p, check);
    EXPECT_TRUE(check.wrong.empty()) << check.wrong.size() << " fields differ, first " << check.wrong[0];
    // And straight from the record, by the records' own field names.
    EXPECT_EQ(json["patch"]["name"].text, "quote \" back\\slash");
    EXPECT_EQ(json["oscil"][1]["mainRatio"].f(), p->oscil[1].mainRatio);
    EXPECT_EQ(json["filter"][2]["freqIndex"].f(), p->filter[2].freqIndex);
    ASSERT_EQ(json["env"].items.size(), p->envs.size());
    EXPECT_EQ(json["env"][5]["bp"][2]["time"].d(), p->envs[5].bp[2].time);
    ASSERT_EQ(json["wave"].items.size(), p->waves.size());
    EXPECT_EQ(json["wave"][7]["data"][1000].f(), p->waves[7].data[1000]);
    EXPECT_EQ(json["lfo"][2]["freq"].f(), p->lfo[2].freq);
    EXPECT_EQ(json["effect"].kind, p->effect ? jsonValue::object : jsonValue::null_);
    bank_delete(bank);

    run empty = command({"show", "--json", file, "10"});
    ASSERT_TRUE(json_parse(empty.out, &json));
    EXPECT_EQ(json["default"].text, "true");
    EXPECT_EQ(json["env"].items.size(), 3u);
    EXPECT_EQ(json["wave"].kind, jsonValue::array);
    EXPECT_EQ(json["effect"].kind, jsonValue::null_);
}

TEST(BankToolShow, SpeaksInAMusiciansUnitsByDefault)
{
    instRec* inst = testInst(0);
    oscil_setActive(inst, 0, 1);
    oscil_setActive(inst, 1, 1);
    ASSERT_EQ(env_new(inst, 0, envParam_amp), 0);
    oscil_setMainFreqMode(inst, 0, freqMode_note);
    oscil_setMainFreq(inst, 0, 69.0f);
    oscil_setMainFreqMode(inst, 1, freqMode_hertz);
    oscil_setMainFreq(inst, 1, 440.0f);
    oscil_setAmpScale(inst, 1, 0.5f);
    filter_setActive(inst, 0, 1);
    filter_setMode(inst, 0, filterMode_lpf24);
    filter_setFreq(inst, 0, 1000.0);
    bankRec* bank = bank_new();
    bank_storeInst(bank, inst, 3);
    tempFolder dir;
    const std::string file = dir.path("units.glo");
    ASSERT_EQ(mvnFile_saveAs(bank, file.c_str(), nullptr), 1);
    bank_delete(bank);

    run r = command({"show", file, "3"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(has(r.out, "osc1.pitch = note A3\n")) << r.out;
    EXPECT_TRUE(has(r.out, "osc2.pitch = fixed 440.0 Hz\n"));
    EXPECT_TRUE(has(r.out, "osc2.level = -6.0 dB\n"));
    EXPECT_TRUE(has(r.out, "filter1.cutoff = 1000.0 Hz\n"));
    EXPECT_TRUE(has(r.out, "filter2 = off\n"));
    // Only the breakpoints an envelope uses; the raw form has all 68.
    EXPECT_TRUE(has(r.out, "env1.point1 = "));
    EXPECT_FALSE(has(r.out, "point5 = "));
    EXPECT_TRUE(has(command({"show", "--raw", file, "3"}).out, "env[0].bp[67] = "));

    run bowed = command({"show", kFactory, "30"});
    EXPECT_TRUE(has(bowed.out, "osc2.pitch = +24.00 semitones\n"));
    EXPECT_TRUE(has(bowed.out, "env1.point1 = 1.5 s to 0.0 dB, slope 1\n"));
    EXPECT_TRUE(has(bowed.out, "osc1.wave = user 1 \"bowed glass\"\n"));
    EXPECT_TRUE(has(bowed.out, "effect.lowpass = 5000.0 Hz\n"));
}

TEST(BankToolCheck, ReportsBytesAfterTheEndAndTwoPresetsInOneSlot)
{
    tempFolder dir;
    bankRec* bank = bank_new();
    std::mt19937 rng(21);
    fillRandomBank(bank, testInst(0), {1, 2}, rng, false);
    const std::string file = dir.path("good.glo");
    ASSERT_EQ(mvnFile_saveAs(bank, file.c_str(), nullptr), 1);
    bank_delete(bank);
    std::vector<unsigned char> bytes = readBytes(file);
    EXPECT_EQ(command({"check", file}).status, 0);

    std::vector<unsigned char> longer = bytes;
    longer.insert(longer.end(), {1, 2, 3, 4, 5});
    writeBytes(file, longer);
    run after = command({"check", file});
    EXPECT_EQ(after.status, 1);
    EXPECT_TRUE(has(after.err, "5 bytes after the \"tail\" chunk")) << after.err;

    // The second preset's patch chunk ("hctp" in this byte order) claims slot 1 too.
    std::vector<size_t> ptch;
    for (size_t at = 0; at + 4 <= bytes.size(); ++at)
        if (std::memcmp(&bytes[at], "hctp", 4) == 0) ptch.push_back(at);
    ASSERT_EQ(ptch.size(), 2u);
    bytes[ptch[1] + 12] = 1;
    writeBytes(file, bytes);
    run twice = command({"check", file});
    EXPECT_EQ(twice.status, 1);
    EXPECT_TRUE(has(twice.err, "two presets claim slot 1")) << twice.err;
}

TEST(BankToolEdit, CopyIntoANewBankAndOverAStoredPresetOnlyWithForce)
{
    tempFolder dir;
    const std::string dst = dir.path("new.glo");
    run r = command({"copy", kFactory, "30", dst, "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dst + ": slot 5 \"Bowed Glass\" copied from " + kFactory + " slot 30\n");
    bankRec* factory = openBank(kFactory);
    bankRec* copy = openBank(dst);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(bank_presetCount(copy), 1);
    EXPECT_EQ(bank_getPreset(copy, 5)->patch.preset, 5);
    EXPECT_EQ(soundOf(bank_getPreset(copy, 5)), soundOf(bank_getPreset(factory, 30)));

    // A stored preset is not overwritten without --force; the file stays as it was.
    std::vector<unsigned char> before = readBytes(dst);
    run refused = command({"copy", kFactory, "0", dst, "5"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_TRUE(has(refused.err, "slot 5 holds \"Bowed Glass\"; not overwritten")) << refused.err;
    EXPECT_EQ(readBytes(dst), before);
    EXPECT_EQ(command({"copy", kFactory, "0", dst, "5", "--force"}).status, 0);
    EXPECT_EQ(nameIn(dst, 5), "Electric Piano");
    EXPECT_EQ(readBytes(dst + ".bak"), before);
    // Within one bank, and from an empty slot (refused).
    EXPECT_EQ(command({"copy", dst, "5", dst, "6"}).status, 0);
    EXPECT_EQ(nameIn(dst, 6), "Electric Piano");
    EXPECT_EQ(command({"copy", kFactory, "127", dst, "7"}).status, 1);
    // A destination that cannot be written is reported and nothing is left.
    run nowhere = command({"copy", kFactory, "1", dir.path("no/such/folder.glo"), "1"});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_TRUE(has(nowhere.err, "not written")) << nowhere.err;
    bank_delete(copy);
    bank_delete(factory);
}

TEST(BankToolEdit, SwapRenameAndClearKeepTheByteOrderAndTheOldFile)
{
    tempFolder dir;
    const std::string big = dir.path("big.glo");
    ASSERT_EQ(command({"convert", "--big-endian", kFactory, big}).status, 0);
    run swap = command({"swap", big, "0", "100"});
    ASSERT_EQ(swap.status, 0) << swap.err;
    EXPECT_EQ(swap.out, big + ": slot 0 \"default\", slot 100 \"Electric Piano\"\n");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(readBytes(big).data()), 4), "Clam");
    bankRec* bank = openBank(big);
    EXPECT_EQ(bank_presetIsDefault(bank, 0), 1);
    EXPECT_EQ(bank_getPreset(bank, 100)->patch.preset, 100);
    bank_delete(bank);

    run rename = command({"rename", big, "100", "An electric piano with a name too long to keep"});
    EXPECT_EQ(rename.status, 0);
    EXPECT_TRUE(has(rename.err, "cut to 34 characters"));
    EXPECT_EQ(nameIn(big, 100), "An electric piano with a name too ");
    EXPECT_EQ(command({"rename", big, "101", "--", "-dash-"}).status, 0);
    EXPECT_EQ(nameIn(big, 101), "-dash-");

    std::vector<unsigned char> before = readBytes(big);
    run clear = command({"clear", big, "100"});
    EXPECT_EQ(clear.status, 0);
    EXPECT_EQ(clear.out, big + ": slot 100 \"An electric piano with a name too \" cleared\n");
    EXPECT_EQ(readBytes(big + ".bak"), before);
    EXPECT_EQ(nameIn(big, 100), "default");
    EXPECT_EQ(command({"clear", big, "100"}).out, big + ": slot 100 was empty\n");
    EXPECT_EQ(command({"check", big}).status, 0);

    // A bank read with damage is left alone unless --force.
    const std::string damaged = dir.path("damaged.glo");
    std::vector<unsigned char> cut(before.begin(), before.begin() + (long)before.size() / 2);
    writeBytes(damaged, cut);
    run refused = command({"swap", damaged, "1", "2"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(has(refused.err, "read with damage"));
    EXPECT_EQ(readBytes(damaged), cut);
    EXPECT_EQ(command({"swap", damaged, "1", "2", "--force"}).status, 0);
    EXPECT_EQ(command({"check", damaged}).status, 0);
}

// A write that fails half-way (the file-size limit) leaves the old bank.
TEST(BankToolEdit, AFailedWriteLeavesTheOldFile)
{
    tempFolder dir;
    const std::string file = dir.path("bank.glo");
    ASSERT_EQ(command({"convert", "--little-endian", kFactory, file}).status, 0);
    std::vector<unsigned char> before = readBytes(file);
    std::string err;
    EXPECT_EQ(runProgram({MORVANE_BANK_PATH, "swap", file, "1", "2"}, 8192, &err), 1);
    EXPECT_TRUE(has(err, "not written")) << err;
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(filesIn(dir.dir), (std::vector<std::string>{"bank.glo"}));
}
