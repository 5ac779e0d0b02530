// Known-good bank files in both byte orders: what morvane-bank shows of them
// is what was committed beside them, and writing them again gives the same
// bytes, so neither the reader nor the writer drifts unnoticed.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/bank/bank_test_util.h"
#include "tools/morvane-bank/bank_commands.h"

namespace {
const std::string kGolden = MORVANE_GOLDEN_DIR;

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs every "## show FILE SLOT" of an expected output again.
std::string showAgain(const std::string& expected, int* sections)
{
    std::istringstream lines(expected);
    std::string line, got;
    *sections = 0;
    while (std::getline(lines, line)) {
        if (line.rfind("## show ", 0) != 0) continue;
        std::istringstream words(line.substr(8));
        std::string file, slot;
        words >> file >> slot;
        std::string path = kGolden + "/" + file;
        const char* argv[] = {"morvane-bank", "show", path.c_str(), slot.c_str()};
        std::ostringstream out, err;
        EXPECT_EQ(bankCmd_main(4, argv, out, err), 0) << line << err.str();
        got += line + "\n" + out.str();
        ++*sections;
    }
    return got;
}
}  // namespace

TEST(GoldenBanks, ShowGivesTheCommittedOutputInBothByteOrders)
{
    for (const char* name : {"golden-little", "golden-big"}) {
        std::string expected = readText(kGolden + "/" + name + ".show");
        ASSERT_FALSE(expected.empty()) << name;
        int sections = 0;
        EXPECT_EQ(showAgain(expected, &sections), expected) << name;
        bankRec* bank = openBank(kGolden + "/" + name + ".glo");
        ASSERT_NE(bank, nullptr);
        EXPECT_EQ(bank_presetCount(bank), sections) << name;
        EXPECT_EQ(bank->readDamaged, 0);
        bank_delete(bank);
    }
}

TEST(GoldenBanks, WritingThemAgainGivesTheSameBytes)
{
    tempFolder dir;
    const std::vector<unsigned char> little = readBytes(kGolden + "/golden-little.glo");
    const std::vector<unsigned char> big = readBytes(kGolden + "/golden-big.glo");
    ASSERT_FALSE(little.empty());
    EXPECT_NE(little, big);
    for (const char* name : {"golden-little.glo", "golden-big.glo"}) {
        bankRec* bank = openBank(kGolden + "/" + name);
        ASSERT_NE(bank, nullptr);
        const std::string asLittle = dir.path("little.glo"), asBig = dir.path("big.glo");
        ASSERT_EQ(mvnFile_exportByteOrder(bank, asLittle.c_str(), 0), 1);
        ASSERT_EQ(mvnFile_exportByteOrder(bank, asBig.c_str(), 1), 1);
        EXPECT_EQ(readBytes(asLittle), little) << name;
        EXPECT_EQ(readBytes(asBig), big) << name;
        bank_delete(bank);
    }
}
