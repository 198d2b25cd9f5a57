// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "AboutRules.hpp"
#include "HelpFile.hpp"

namespace zelvo {
namespace {

TEST(AboutTest, VersionDateOsAndDirectoryLines) {
    AppInfo info;
    EXPECT_EQ(AboutCaption(info), "About Zelvo");
    EXPECT_EQ(VersionText(info), "Version 1.09");
    info.major = 2;
    info.minor = 3;
    info.revision = 15;
    EXPECT_EQ(VersionLine(info, "6/12/2026"), "Version 2.315\r\n6/12/2026");
    EXPECT_EQ(DirectoryLine("/opt/zelvo/bin"), "Directory: /opt/zelvo/bin");

    // 2026-06-12 23:30 UTC is still the 12th, whatever the local zone says.
    EXPECT_EQ(UtcDate(1781307000), (CivilDate{2026, 6, 12}));
    EXPECT_EQ(UtcDate(0), (CivilDate{1970, 1, 1}));

    EXPECT_EQ(OsLine("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
                     "6.1.0-18-amd64"),
              "Linux Version: Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64");
    EXPECT_EQ(OsLine("NAME=Fedora\nVERSION='40 (Workstation)'\n", "6.8.5"),
              "Linux Version: Fedora 40 (Workstation), kernel 6.8.5");
    EXPECT_EQ(OsLine("", "5.10"), "Linux Version: Linux, kernel 5.10");
}

TEST(AboutTest, TheRunningProgramFileAndItsDateAreFound) {
    std::string path;
    ASSERT_EQ(ProgramFile(path), std::nullopt);
    EXPECT_EQ(std::filesystem::path(path).filename(), "display_tests");
    std::time_t time = 0;
    ASSERT_EQ(FileWriteTime(path, time), std::nullopt);
    EXPECT_GT(time, 0);
    std::optional<ZelvoError> missing = FileWriteTime(path + ".missing", time);
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->Number(), err::FileNotFound);
    EXPECT_FALSE(KernelRelease().empty());
}

TEST(HelpFileTest, TheInstalledManualComesFirstThenTheBuildFoldersThenTheInstalledPlace) {
    const std::string installed = "/opt/z/bin/../share/zelvomon/manual/index.html";
    const std::vector<std::string> candidates = ManualCandidates("/opt/z/bin");
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], installed);
    EXPECT_EQ(candidates[1], "/opt/z/bin/manual/index.html");
    auto only = [](std::string path) { return [path](const std::string& p) { return p == path; }; };
    EXPECT_EQ(ManualFile("/opt/z/bin", only(installed)), installed);
    EXPECT_EQ(ManualFile("/opt/z/bin", only(candidates[1])), candidates[1]);
    EXPECT_EQ(ManualFile("/opt/z/bin", only("")), installed);
}

}  // namespace
}  // namespace zelvo
