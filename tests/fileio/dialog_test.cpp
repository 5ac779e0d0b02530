#include "fileio/fileio.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char kOpenFilter[] = "Morvane Files (*.GLO)\0*.glo\0All Files (*.*)\0*.*\0";
const char kSaveFilter[] = "Morvane Files (*.GLO)\0*.glo\0";

const fileDialogRec* seenDesc = nullptr;
fileWindow seenOwner = nullptr;

long acceptingDialog(const fileDialogRec* desc, fileWindow owner, char* path, char* title)
{
    seenDesc = desc;
    seenOwner = owner;
    std::strcpy(path, "/banks/Factory Presets.glo");
    std::strcpy(title, "Factory Presets.glo");
    return 1;
}

long cancellingDialog(const fileDialogRec*, fileWindow, char* path, char*)
{
    std::strcpy(path, "/should/not/arrive");
    return 0;
}

TEST(FileDialogs, DescriptionsKeepFiltersAndOptions)
{
    int frame = 0, app = 0;
    file_winDialogsInit(&frame, &app, kOpenFilter, kSaveFilter);
    const fileDialogRec* open = file_getOpenDialog();
    EXPECT_EQ(open->owner, &frame);
    EXPECT_EQ(open->instance, &app);
    EXPECT_STREQ(open->defaultExt, "glo");
    EXPECT_EQ(open->createPrompt, 1);
    EXPECT_EQ(open->hideReadOnly, 1);
    EXPECT_EQ(std::memcmp(open->filter, kOpenFilter, sizeof kOpenFilter), 0);
    const fileDialogRec* save = file_getSaveDialog();
    EXPECT_STREQ(save->defaultExt, "glo");
    EXPECT_EQ(std::memcmp(save->filter, kSaveFilter, sizeof kSaveFilter), 0);
    EXPECT_EQ(save->filter[sizeof kSaveFilter], 0);  // no trace of the open list

    // A list too long for the description is cut at a pair boundary.
    std::string longList;
    for (int i = 0; i < 40; ++i) longList += std::string("Name ") + std::to_string(i) + '\0' + "*.abc" + '\0';
    file_winDialogsInit(nullptr, nullptr, longList.c_str(), nullptr);
    const char* list = file_getOpenDialog()->filter;
    size_t used = 0;
    int pairs = 0;
    while (list[used]) {
        used += std::strlen(list + used) + 1;
        ASSERT_NE(list[used], 0);
        used += std::strlen(list + used) + 1;
        ++pairs;
    }
    EXPECT_GT(pairs, 10);
    EXPECT_LT(pairs, 40);
    EXPECT_LT(used, sizeof file_getOpenDialog()->filter);
    EXPECT_EQ(file_getSaveDialog()->filter[0], 0);
}

TEST(FileDialogs, OpenDialogGoesThroughTheInstalledProc)
{
    int owner = 0;
    fileRec f;
    file_initFileRec(&f, &owner);
    char path[kFilePathSize] = "unchanged";
    char title[kFilePathSize] = "unchanged";

    file_setOpenDialogProc(nullptr);
    EXPECT_EQ(PopFileOpenDlg(&owner, path, title), 0);
    EXPECT_EQ(file_openDialog(&f), 0);
    EXPECT_STREQ(path, "unchanged");

    file_setOpenDialogProc(cancellingDialog);
    EXPECT_EQ(PopFileOpenDlg(&owner, path, title), 0);
    EXPECT_STREQ(path, "unchanged");

    file_setOpenDialogProc(acceptingDialog);
    EXPECT_EQ(file_openDialog(&f), 1);
    EXPECT_STREQ(f.path, "/banks/Factory Presets.glo");
    EXPECT_STREQ(f.title, "Factory Presets.glo");
    EXPECT_EQ(seenOwner, &owner);
    EXPECT_EQ(seenDesc, file_getOpenDialog());
    EXPECT_EQ(file_openDialog(nullptr), 0);
    EXPECT_EQ(PopFileOpenDlg(&owner, nullptr, title), 0);
    file_setOpenDialogProc(nullptr);
}

}  // namespace
