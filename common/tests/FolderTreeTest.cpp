// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "FolderTree.hpp"
#include "TextFile.hpp"
#include "WithoutRootRights.hpp"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

TEST(FolderTreeTest, CreatesLevelsAcceptsExistingAndFailsWhereItCannot) {
    const fs::path root = fs::temp_directory_path() / ("zelvo-tree-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    const auto path = [&](const char* rel) { return (root / rel).string(); };
    EXPECT_FALSE(CreateFolderTree(path("a/b/c/")));
    EXPECT_TRUE(fs::is_directory(path("a/b/c")));
    EXPECT_FALSE(CreateFolderTree(path("a/b/c")));    // already there
    EXPECT_FALSE(CreateFolderTree(path("a//b//d")));  // doubled separators
    EXPECT_TRUE(fs::is_directory(path("a/b/d")));
    EXPECT_FALSE(CreateFolderTree("/"));
    EXPECT_TRUE(CreateFolderTree(""));
    // A file where a folder should be is a failure, not "already there".
    WriteFileBytes(path("f"), "x");
    const auto file = CreateFolderTree(path("f"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Number(), err::PathNotFound);
    EXPECT_TRUE(CreateFolderTree(path("f/sub")));
    fs::permissions(root, fs::perms(0555));
    {
        testing::WithoutRootRights asUser;
        const auto denied = CreateFolderTree(path("x/y/z"));
        ASSERT_TRUE(denied);
        EXPECT_EQ(denied->Number(), err::PermissionDenied);
        EXPECT_NE(denied->Description().find(path("x")), std::string::npos);
    }
    fs::permissions(root, fs::perms::owner_all);
    fs::remove_all(root);
}

}  // namespace
}  // namespace zelvo
