// The layout of the source tree, checked on every run of the suite:
//   - a file includes another folder's header only through that folder's
//     door (its public header), or a test-support header declared below;
//   - the folders are layered and every include points down (or stays
//     within its own folder): platform, fileio, iac; dsp; bank, resources;
//     toolkit; engine; windows; program; then the tools, and on top the
//     tests and benchmarks, which may use every door.
// Quoted includes are resolved against the tree's root; a name without a
// folder is the including file's own folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
const char kRoot[] = MORVANE_SOURCE_DIR;

// Each folder's door: the only headers other folders include. The link
// library has two faces, the editor's and the plug-in side's; the platform
// also offers the contract checks, which include nothing of it.
const std::map<std::string, std::set<std::string>> kDoors = {
    {"platform", {"platform/platform.h", "platform/verify.h"}},
    {"fileio", {"fileio/fileio.h"}},
    {"iac", {"iac/MorvaneIAC.h", "iac/MorvaneIAC_plug.h"}},
    {"dsp", {"dsp/dsp.h"}},
    {"bank", {"bank/bank.h"}},
    {"resources", {"resources/resources.h"}},
    {"toolkit", {"toolkit/toolkit.h"}},
    {"engine", {"engine/engine.h"}},
    {"windows", {"windows/windows.h"}},
    {"program", {"program/program.h"}},
    {"tools/factory-bank", {"tools/factory-bank/factory_presets.h"}},
    {"tools/morvane-bank", {"tools/morvane-bank/bank_commands.h", "tools/morvane-bank/bank_describe.h"}},
    {"tools/morvane-host", {"tools/morvane-host/host.h"}},
    {"tools/platform-demo", {"tools/platform-demo/demo.h"}},
    {"tools/toolkit-gallery", {"tools/toolkit-gallery/gallery.h"}},
};

// Test-support headers: what a folder offers the tests and benchmarks of
// other folders beyond its door.
const std::set<std::string> kTestSupport = {
    "dsp/wave_tables.h",                // the built-in wave tables, checked by shape
    "iac/iac_segment.h",                // the segment's layout, for the link's own tests
    "tests/bank/bank_test_util.h",      // banks made and compared in memory
    "tests/engine/engine_session.h",    // a private segment, program folder and engine start
    "tests/engine/host_process.h",      // morvane-host run as a child process
    "tests/platform/x_input.h",         // a private X server, a user at it and what it shows
    "tests/program/program_fixture.h",  // the whole program started in-process
    "tests/windows/window_session.h",   // the editor windows' headless start
};

// Layers from the bottom up; a folder includes only folders below it. The
// toolkit draws with the artwork, so it sits just above resources.
const std::map<std::string, int> kLevel = {
    {"platform", 1},  {"fileio", 1},  {"iac", 1},    {"dsp", 2},     {"bank", 3},
    {"resources", 3}, {"toolkit", 4}, {"engine", 5}, {"windows", 6}, {"program", 7},
};
const int kToolsLevel = 8;  // tools/*, programs beside the editor
const int kTopLevel = 9;    // tests/*, bench/*

// The folder a file belongs to: the first path part, or the first two
// under tools/, tests/ and bench/.
std::string folderOf(const std::string& rel)
{
    std::vector<std::string> parts;
    std::stringstream in(rel);
    for (std::string p; std::getline(in, p, '/');) parts.push_back(p);
    if (parts.size() > 2 && (parts[0] == "tools" || parts[0] == "tests" || parts[0] == "bench"))
        return parts[0] + "/" + parts[1];
    return parts.empty() ? "" : parts[0];
}

int levelOf(const std::string& folder)
{
    auto it = kLevel.find(folder);
    if (it != kLevel.end()) return it->second;
    return folder.rfind("tools/", 0) == 0 ? kToolsLevel : kTopLevel;
}

bool isSource(const fs::path& p)
{
    const std::string ext = p.extension().string();
    return ext == ".cpp" || ext == ".h";
}

struct includeRec {
    std::string file;  // including file, relative to the root
    int line;
    std::string target;  // included header, relative to the root
};

// Every quoted include of the tree's C++ files, outside build folders.
std::vector<includeRec> treeIncludes()
{
    static const std::regex kInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<includeRec> out;
    const fs::path root(kRoot);
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() && (name[0] == '.' || name.rfind("build", 0) == 0)) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file() || !isSource(it->path())) continue;
        const std::string rel = fs::relative(it->path(), root).generic_string();
        std::ifstream file(it->path());
        std::string text;
        int line = 0;
        while (std::getline(file, text)) {
            ++line;
            std::smatch m;
            if (!std::regex_search(text, m, kInclude)) continue;
            std::string target = m[1].str();
            if (target.find('/') == std::string::npos)
                target = fs::path(rel).parent_path().generic_string() + "/" + target;
            out.push_back({rel, line, target});
        }
    }
    return out;
}

// The rule broken by one include, or "" when it keeps them.
std::string brokenRule(const includeRec& inc)
{
    const std::string from = folderOf(inc.file);
    const std::string to = folderOf(inc.target);
    if (from == to) return "";
    if (kTestSupport.count(inc.target)) {
        const bool tester = inc.file.rfind("tests/", 0) == 0 || inc.file.rfind("bench/", 0) == 0;
        return tester ? "" : "a test-support header outside tests and benchmarks";
    }
    auto door = kDoors.find(to);
    if (door == kDoors.end() || !door->second.count(inc.target)) return "not the door of " + to + "/";
    if (levelOf(to) >= levelOf(from)) return to + "/ is not below " + from + "/";
    return "";
}
}  // namespace

TEST(SourceTree, FilesIncludeOtherFoldersOnlyThroughTheirDoorsAndDownwards)
{
    const std::vector<includeRec> includes = treeIncludes();
    ASSERT_GT(includes.size(), 500u) << "the tree was not found at " << kRoot;
    std::string report;
    for (const includeRec& inc : includes) {
        std::string rule = brokenRule(inc);
        if (!rule.empty())
            report += inc.file + ":" + std::to_string(inc.line) + ": " + inc.target + ": " + rule + "\n";
    }
    EXPECT_EQ(report, "");
    // Every declared door and test-support header exists.
    for (const auto& [folder, doors] : kDoors)
        for (const std::string& door : doors) EXPECT_TRUE(fs::exists(fs::path(kRoot) / door)) << door;
    for (const std::string& header : kTestSupport)
        EXPECT_TRUE(fs::exists(fs::path(kRoot) / header)) << header;
}

TEST(SourceTree, TheCheckSeesABrokenDoorAndAnUpwardInclude)
{
    // The rule itself: a window file reaching into the engine's insides,
    // the engine reaching up into the windows, a test using another
    // test folder's fixture that is not declared, and the allowed cases.
    EXPECT_NE(brokenRule({"windows/wMain.cpp", 1, "engine/ids.h"}), "");
    EXPECT_NE(brokenRule({"engine/frame.cpp", 1, "windows/windows.h"}), "");
    EXPECT_NE(brokenRule({"tests/windows/x.cpp", 1, "tests/engine/engine_fixture.h"}), "");
    EXPECT_NE(brokenRule({"engine/prefs.cpp", 1, "tests/bank/bank_test_util.h"}), "");
    EXPECT_EQ(brokenRule({"windows/wMain.cpp", 1, "engine/engine.h"}), "");
    EXPECT_EQ(brokenRule({"windows/wMain.cpp", 1, "windows/wMain_internal.h"}), "");
    EXPECT_EQ(brokenRule({"tests/windows/x.cpp", 1, "tests/engine/engine_session.h"}), "");
    EXPECT_EQ(brokenRule({"bench/program/x.cpp", 1, "program/program.h"}), "");
    // The contract checks are the platform's second door, open to the layers above it.
    EXPECT_EQ(brokenRule({"dsp/mod.cpp", 1, "platform/verify.h"}), "");
    EXPECT_NE(brokenRule({"dsp/mod.cpp", 1, "platform/internal.h"}), "");
}
