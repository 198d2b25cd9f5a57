#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "CWizardData.hpp"
#include "TextFile.hpp"
#include "WithoutRootRights.hpp"

using namespace kitforge;
namespace fs = std::filesystem;

TEST(IsValidDirectoryName, TargetAndHostRules) {
    for (const char* good : {"C:\\Program Files\\Ostrelix\\MCU\\NR7x\\", "  C:\\Out  "})
        EXPECT_TRUE(IsValidDirectoryName(good, PathKind::Target)) << good;
    // ':' only before '\\', so not at the very end either
    for (const char* bad : {"C:\\Out:x", "C:", "C:/Out", "   ", "C:\\a*", "C:\\a\"", "C:\\a|"})
        EXPECT_FALSE(IsValidDirectoryName(bad, PathKind::Target)) << bad;
    for (const char* good : {"/home/u/Ostrelix/MCU/CustomNR7xDriverInstall", "relative/out/"})
        EXPECT_TRUE(IsValidDirectoryName(good, PathKind::Host)) << good;
    for (const char* bad : {"\t \n", "/tmp/a\\b", "/tmp/a:b", "/tmp/a?b", "/tmp/a<b"})
        EXPECT_FALSE(IsValidDirectoryName(bad, PathKind::Host)) << bad;
    EXPECT_EQ(InvalidDirectoryMessage(PathKind::Host),
              "Directory cannot contain: \\ : * ? \" < > |");
    EXPECT_EQ(InvalidDirectoryMessage(PathKind::Target),
              "Directory cannot contain: / : * ? \" < > |");
}

TEST(CreateDirectoryTree, CreatesLevelsAcceptsExistingAndFailsWhereItCannot) {
    const fs::path root =
        fs::temp_directory_path() / ("kitforge-dirs-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    const auto path = [&](const char* rel) { return (root / rel).string(); };
    EXPECT_TRUE(CreateDirectoryTree(path("a/b/c/")));
    EXPECT_TRUE(fs::is_directory(path("a/b/c")));
    EXPECT_TRUE(CreateDirectoryTree(path("a/b/c")));    // already there
    EXPECT_TRUE(CreateDirectoryTree(path("a//b//d")));  // doubled separators
    EXPECT_TRUE(fs::is_directory(path("a/b/d")));
    EXPECT_TRUE(CreateDirectoryTree("/"));
    EXPECT_FALSE(CreateDirectoryTree(""));
    zelvo::WriteFileBytes(path("f"), "x");
    EXPECT_FALSE(CreateDirectoryTree(path("f")));
    EXPECT_FALSE(CreateDirectoryTree(path("f/sub")));
    fs::permissions(root, fs::perms(0555));
    {
        zelvo::testing::WithoutRootRights asUser;
        EXPECT_FALSE(CreateDirectoryTree(path("x/y/z")));
    }
    fs::permissions(root, fs::perms::owner_all);
    fs::remove_all(root);
}

TEST(SystemDriveRoot, IsTheHomeFolderWithSlash) {
    const std::string root = SystemDriveRoot();
    ASSERT_TRUE(root.ends_with('/'));
    CWizardData data;
    data.LoadDefaults(INSTALL_LINKVANE);
    EXPECT_EQ(data.m_strGenerationDir, root + "Ostrelix/MCU/CustomLinkvaneDriverInstall");
}
