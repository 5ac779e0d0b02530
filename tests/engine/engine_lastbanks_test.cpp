// The ranking of the recent banks, their File-menu items and what the
// plug-ins are shown of them; opening them from the menu and at start.
#include <cstring>

#include "tests/engine/engine_fixture.h"

namespace {
class RecentBanks : public EngineTest {
protected:
    std::string bankPath(int n) const { return "/banks/Bank" + std::to_string(n) + ".glo"; }
    int slotOf(int n) const { return lastBank_itsAlreadyInTheList(bankPath(n).c_str()); }
    // The recent-bank items at the end of the File menu.
    std::vector<menuItemModel> recentItems() const
    {
        const auto& file = desktop().menus[engineMenu_file];
        return {file.begin() + kFileMenuRecentPosition, file.end()};
    }
};
}  // namespace

TEST_F(RecentBanks, AnEleventhBankReplacesTheOldestAndAReopenedOneMovesToTheTop)
{
    for (int n = 1; n <= 10; ++n) lastBank_add(bankPath(n).c_str());
    for (int n = 1; n <= 10; ++n) {
        ASSERT_EQ(slotOf(n), n - 1);
        EXPECT_EQ(lastBanks[n - 1].priority, 10 - n);
    }
    lastBank_add(bankPath(11).c_str());
    EXPECT_EQ(slotOf(1), -1);  // the oldest is gone
    EXPECT_EQ(slotOf(11), 0);  // into its slot
    EXPECT_EQ(lastBanks[0].priority, 0);
    EXPECT_EQ(lastBanks[1].priority, 9);  // Bank2 is now the oldest

    lastBank_add(bankPath(5).c_str());
    EXPECT_EQ(lastBanks[slotOf(5)].priority, 0);
    EXPECT_EQ(lastBanks[slotOf(11)].priority, 1);
    EXPECT_EQ(lastBanks[slotOf(2)].priority, 9);
    int listed = 0;
    std::vector<bool> seen(kLastBanks, false);
    for (const lastBankRec& b : lastBanks) {
        ASSERT_GE(b.priority, 0);
        ASSERT_LT(b.priority, kLastBanks);
        EXPECT_FALSE(seen[b.priority]);
        seen[b.priority] = true;
        listed += std::string(b.path) == bankPath(5);
    }
    EXPECT_EQ(listed, 1);
    // The most recent bank is also the one to open at start.
    EXPECT_EQ(std::string(defaultBank.path), bankPath(5));
    EXPECT_EQ(defaultBank.priority, 777);
}

TEST_F(RecentBanks, TheFileMenuListsThemNewestFirst)
{
    for (int n = 1; n <= 3; ++n) lastBank_add(bankPath(n).c_str());
    std::vector<menuItemModel> items = recentItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "Bank3.glo");
    EXPECT_EQ(items[1].text, "Bank2.glo");
    EXPECT_EQ(items[2].text, "Bank1.glo");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(items[k].id, cmd_firstRecentBank + k);
        EXPECT_EQ(lastBanks_menuToList(cmd_firstRecentBank + k), slotOf(3 - k));
    }
    EXPECT_EQ(lastBanks_menuToList(cmd_firstRecentBank + 3), -1);
    EXPECT_EQ(lastBanks_menuToList(1119), -1);
    EXPECT_EQ(lastBanks_menuToList(1130), -1);
    EXPECT_EQ(desktop().menus[engineMenu_file].size(), kFileMenuRecentPosition + 3u);
    EXPECT_GE(desktop().drawBars, 3);

    // Published for the plug-ins by priority, names cut to 23 characters.
    lastBank_add("/a/very/long/folder/A bank with a really long name.glo");
    EXPECT_STREQ(iac_lastBanks[0].fileName, "A bank with a really lo");
    EXPECT_STREQ(iac_lastBanks[0].path, "/a/very/long/folder/A bank with a really long name.glo");
    EXPECT_EQ(iac_lastBanks[0].priority, 0);
    EXPECT_STREQ(iac_lastBanks[3].fileName, "Bank1.glo");
    EXPECT_EQ(iac_lastBanks[3].priority, 3);
    EXPECT_EQ(iac_lastBanks[4].priority, -1);
    EXPECT_EQ(iac_lastBanks[4].path[0], 0);
}

TEST_F(RecentBanks, EntriesOfTheSameNameShowEnoughOfTheirFolders)
{
    lastBank_add("/music/old/Pads.glo");
    lastBank_add("/music/new/Pads.glo");
    lastBank_add("/backup/new/Pads.glo");
    lastBank_add("/music/Leads.glo");
    lastBank_add("Factory Presets.glo");  // relative: in the program folder
    lastBank_add((session_.folder + "/sub/Factory Presets.glo").c_str());
    std::vector<menuItemModel> items = recentItems();
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].text, "Factory Presets.glo (sub)");
    EXPECT_EQ(items[1].text,
              "Factory Presets.glo (" + session_.folder.substr(session_.folder.rfind('/') + 1) + ")");
    EXPECT_EQ(items[2].text, "Leads.glo");
    EXPECT_EQ(items[3].text, "Pads.glo (/backup/new)");
    EXPECT_EQ(items[4].text, "Pads.glo (/music/new)");
    EXPECT_EQ(items[5].text, "Pads.glo (old)");
    // Each still opens its own bank; the plug-ins see the plain file names.
    EXPECT_EQ(std::string(lastBanks[lastBanks_menuToList(cmd_firstRecentBank + 4)].path),
              "/music/new/Pads.glo");
    EXPECT_STREQ(iac_lastBanks[5].fileName, "Pads.glo");
    // Once the clash is gone the plain name is back.
    for (int n = 1; n <= 9; ++n) lastBank_add(("/banks/Other" + std::to_string(n) + ".glo").c_str());
    items = recentItems();
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[9].text, "Factory Presets.glo");
}

TEST_F(RecentBanks, OpeningFromTheMenuAndAtStart)
{
    std::string good = makeBankFile("Brass.glo", {2, 6});
    lastBank_add(good.c_str());
    lastBank_add(pathOf("Gone.glo").c_str());

    // A bank that no longer opens says so and stays in the list.
    lastBanks_openFromMenu(cmd_firstRecentBank);
    ASSERT_FALSE(desktop().messages.empty());
    EXPECT_EQ(desktop().messages.back().text, "Open file failed, error 77315");
    EXPECT_EQ(desktop().messages.back().caption, MORVANE_FRAME_TITLE);
    EXPECT_GE(lastBank_itsAlreadyInTheList(pathOf("Gone.glo").c_str()), 0);

    lastBanks_openFromMenu(cmd_firstRecentBank + 1);
    EXPECT_STREQ(gBank->file.path, good.c_str());
    EXPECT_FALSE(bank_presetIsDefault(gBank, 6));
    EXPECT_EQ(lastBanks[lastBank_itsAlreadyInTheList(good.c_str())].priority, 0);
    EXPECT_EQ(std::string(defaultBank.path), good);
    EXPECT_GT(desktop().matrixUpdates, 0);
    lastBanks_openFromMenu(1135);  // no such item: nothing happens
    EXPECT_STREQ(gBank->file.path, good.c_str());

    // The start bank: a relative path is found in the program folder.
    makeBankFile("Factory Presets.glo", {0, 1, 2});
    lastBanks_init();
    bank_close(gBank);
    lastBanks_openDefault();
    EXPECT_EQ(std::string(gBank->file.path), pathOf("Factory Presets.glo"));
    EXPECT_FALSE(bank_presetIsDefault(gBank, 1));
}
