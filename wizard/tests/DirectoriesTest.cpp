// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CWizardData.hpp"

using namespace kitforge;

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

TEST(SystemDriveRoot, IsTheHomeFolderWithSlash) {
    const std::string root = SystemDriveRoot();
    ASSERT_TRUE(root.ends_with('/'));
    CWizardData data;
    data.LoadDefaults(INSTALL_LINKVANE);
    EXPECT_EQ(data.m_strGenerationDir, root + "Ostrelix/MCU/CustomLinkvaneDriverInstall");
}
