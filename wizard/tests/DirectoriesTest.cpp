#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "CWizardData.hpp"
#include "TextFile.hpp"
#include "WithoutRootRights.hpp"

using namespace kitforge;

TEST(IsValidDirectoryName, TargetRuleAllowsDriveColonAndBackslash) {
    EXPECT_TRUE(IsValidDirectoryName("C:\\Program Files\\Ostrelix\\MCU\\NR7x\\", PathKind::Target));
    EXPECT_TRUE(IsValidDirectoryName("C:\\Out", PathKind::Target));
    EXPECT_TRUE(IsValidDirectoryName("  C:\\Out  ", PathKind::Target));
    EXPECT_FALSE(IsValidDirectoryName("C:\\Out:x", PathKind::Target));
    EXPECT_FALSE(IsValidDirectoryName("C:", PathKind::Target));  // ':' at the very end
    EXPECT_FALSE(IsValidDirectoryName("C:/Out", PathKind::Target));
    EXPECT_FALSE(IsValidDirectoryName("   ", PathKind::Target));
    EXPECT_FALSE(IsValidDirectoryName("", PathKind::Target));
    for (char c : std::string("*?\"<>|"))
        EXPECT_FALSE(IsValidDirectoryName(std::string("C:\\a") + c, PathKind::Target)) << c;
}

TEST(IsValidDirectoryName, HostRuleRefusesBackslashAndEveryColon) {
    EXPECT_TRUE(
        IsValidDirectoryName("/home/u/Ostrelix/MCU/CustomNR7xDriverInstall", PathKind::Host));
    EXPECT_TRUE(IsValidDirectoryName("relative/out/", PathKind::Host));
    EXPECT_FALSE(IsValidDirectoryName("\t \n", PathKind::Host));
    for (char c : std::string("\\:*?\"<>|"))
        EXPECT_FALSE(IsValidDirectoryName(std::string("/tmp/a") + c + "b", PathKind::Host)) << c;
    EXPECT_EQ(InvalidDirectoryMessage(PathKind::Host),
              "Directory cannot contain: \\ : * ? \" < > |");
    EXPECT_EQ(InvalidDirectoryMessage(PathKind::Target),
              "Directory cannot contain: / : * ? \" < > |");
}

class CreateDirectoryTreeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("kitforge-dirs-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    void TearDown() override {
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(root_);
    }
    std::string Path(const std::string& rel) const { return (root_ / rel).string(); }
    std::filesystem::path root_;
};

TEST_F(CreateDirectoryTreeTest, CreatesMissingLevelsAndAcceptsExisting) {
    EXPECT_TRUE(CreateDirectoryTree(Path("a/b/c/")));
    EXPECT_TRUE(std::filesystem::is_directory(Path("a/b/c")));
    EXPECT_TRUE(CreateDirectoryTree(Path("a/b/c")));    // already there
    EXPECT_TRUE(CreateDirectoryTree(Path("a//b//d")));  // doubled separators
    EXPECT_TRUE(std::filesystem::is_directory(Path("a/b/d")));
    EXPECT_TRUE(CreateDirectoryTree("/"));
    EXPECT_FALSE(CreateDirectoryTree(""));
}

TEST_F(CreateDirectoryTreeTest, FileInTheWayFails) {
    zelvo::WriteFileBytes(Path("f"), "x");
    EXPECT_FALSE(CreateDirectoryTree(Path("f")));
    EXPECT_FALSE(CreateDirectoryTree(Path("f/sub")));
}

TEST_F(CreateDirectoryTreeTest, UnwritableParentFails) {
    std::filesystem::permissions(root_, std::filesystem::perms(0555));
    zelvo::testing::WithoutRootRights asUser;
    EXPECT_FALSE(CreateDirectoryTree(Path("x/y/z")));
}

TEST(SystemDriveRoot, IsTheHomeFolderWithSlash) {
    std::string root = SystemDriveRoot();
    ASSERT_FALSE(root.empty());
    EXPECT_EQ(root.back(), '/');
    CWizardData data;
    data.LoadDefaults(INSTALL_LINKVANE);
    EXPECT_EQ(data.m_strGenerationDir, root + "Ostrelix/MCU/CustomLinkvaneDriverInstall");
}
