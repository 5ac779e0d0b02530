// A temporary directory and a clean file layer for each test.
#pragma once

#include "fileio/fileio.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "fileio-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back(0);
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        dir_ = name.data();
        endian_nativeMode();
        file_setChunkVerifyProc(nullptr);
        ASSERT_EQ(file_init(kFileBufSize), 1);
    }

    void TearDown() override
    {
        file_cleanup();
        file_setChunkVerifyProc(nullptr);
        endian_nativeMode();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    // A closed file record whose path names file `name` in the directory.
    fileRec recordFor(const std::string& name)
    {
        fileRec f;
        file_initFileRec(&f, nullptr);
        std::string path = dir_ + "/" + name;
        std::strncpy(f.path, path.c_str(), sizeof f.path - 1);
        return f;
    }

    std::string dir_;
};

// Hook accepting every chunk.
inline long acceptAll(chunkRec*) { return 0; }
