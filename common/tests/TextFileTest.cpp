// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "TextFile.hpp"
#include "WithoutRootRights.hpp"
#include "ZelvoError.hpp"

using namespace zelvo;

namespace {

class TextFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zelvo-textfile-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir_);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::filesystem::path dir_;
};

}  // namespace

TEST_F(TextFileTest, CrLfLinesAppendingExistenceAndRemoval) {
    WriteFileBytes(Path("a.txt"), JoinLinesCrLf({"first", "", "third"}));
    EXPECT_EQ(ReadFileBytes(Path("a.txt")), "first\r\n\r\nthird\r\n");  // and no byte-order mark
    AppendFileBytes(Path("log.txt"), "one\r\n");
    AppendFileBytes(Path("log.txt"), "two\r\n");
    EXPECT_EQ(ReadFileBytes(Path("log.txt")), "one\r\ntwo\r\n");
    EXPECT_FALSE(FileExists(dir_.string()));
    EXPECT_TRUE(DirectoryExists(dir_.string()));
    EXPECT_TRUE(RemoveFile(Path("a.txt")));
    EXPECT_FALSE(FileExists(Path("a.txt")));
    EXPECT_TRUE(RemoveFile(Path("a.txt")));  // already gone
}

TEST_F(TextFileTest, FailuresCarryTheReasonAndLoseNothing) {
    try {
        AppendFileBytes(Path("missing/log.txt"), "x");
        FAIL();
    } catch (const ZelvoError& e) {
        EXPECT_EQ(e.Number(), err::FileNotFound);
    }
    try {
        AppendFileBytes("/dev/full", "x\r\n");
        FAIL();
    } catch (const ZelvoError& e) {
        EXPECT_EQ(e.Number(), err::DiskFull);
    }
    EXPECT_THROW(ReadFileBytes(Path("none")), ZelvoError);
    EXPECT_THROW(WriteFileBytes(Path(std::string(4000, 'a')), "x"), ZelvoError);
    // A read-only file is refused and kept.
    WriteFileBytes(Path("ro.txt"), "keep\r\n");
    ASSERT_EQ(::chmod(Path("ro.txt").c_str(), 0444), 0);
    {
        zelvo::testing::WithoutRootRights asUser;
        EXPECT_THROW(AppendFileBytes(Path("ro.txt"), "more"), ZelvoError);
    }
    EXPECT_EQ(ReadFileBytes(Path("ro.txt")), "keep\r\n");
}
