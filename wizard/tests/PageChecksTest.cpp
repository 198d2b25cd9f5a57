// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "FakeDesktop.hpp"
#include "PageChecks.hpp"
#include "TextFile.hpp"

using namespace kitforge;
namespace fs = std::filesystem;

namespace {

CWizardData Vcp() {
    CWizardData data;
    data.LoadDefaults(INSTALL_VCP, "/home/u/");
    return data;
}

// Applies the company page to fresh defaults; a refusal must leave them unchanged.
std::string Refusal(const CompanyFields& typed, PageMove move) {
    CWizardData data = Vcp();
    const std::string message = ApplyCompanyPage(data, typed, move);
    EXPECT_EQ(data.m_strCompanyName + data.m_strAbbreviation + data.m_strVid, "Ostrelixostx2E1A");
    return message;
}

}  // namespace

TEST(CompanyPage, RefusalsLeaveTheRecordUnchanged) {
    for (const CompanyFields& typed : std::vector<CompanyFields>{{"A", "b", "ostx", "2E1G", "B3A0"},
                                                                 {"A", "b", "ostx", "2E1", "B3A0"},
                                                                 {"A", "b", "ostx", "2E1A", ""},
                                                                 {"", "b", "ostx", "2E1A", "B3A0"},
                                                                 {"A", "", "ostx", "2E1A", "B3A0"},
                                                                 {"A", "b", "", "2E1A", "B3A0"}})
        EXPECT_EQ(Refusal(typed, PageMove::Next), "Please fill in all blanks.") << typed.vid;
    EXPECT_EQ(Refusal({"A", "b", "abcde", "2E1A", "B3A0"}, PageMove::Next),
              "INF File Name can hold at most 4 characters.");
    EXPECT_EQ(
        Refusal({"A", "\xC5\x81\xC3\xB3\x64\xC5\xBA", "ostx", "2E1A", "B3A0"}, PageMove::Back),
        "Company Abbreviation cannot contain the character \"\xC5\x81\".");
    EXPECT_EQ(Refusal({"Acme\r\n[Strings]", "b", "ostx", "2E1A", "B3A0"}, PageMove::Next),
              "Company Name cannot contain a line break or control character.");
    EXPECT_EQ(Refusal({"A", "os\ntx", "ostx", "2E1A", "B3A0"}, PageMove::Back),
              "Company Abbreviation cannot contain a line break or control character.");
}

TEST(CompanyPage, StoresUpperCaseIdsEncodedTextAndEmptyFieldsOnBack) {
    CWizardData data = Vcp();
    EXPECT_EQ(ApplyCompanyPage(data, {"M\xC3\xBCller \xE2\x82\xAC", "o", "ostx", "2e1a", "b3a0"},
                               PageMove::Next),
              "");
    EXPECT_EQ(data.m_strCompanyName, "M\xFCller \x80");
    EXPECT_EQ(data.m_strVid + data.m_strPid, "2E1AB3A0");
    EXPECT_EQ(ApplyCompanyPage(data, {"", "o", "ostx", "2E1A", "B3A0"}, PageMove::Back), "");
    EXPECT_EQ(data.m_strCompanyName, "");
}

TEST(NameAndOptionPages, EmptyNamesAndBadTargetAreRefusedFlagsAreInverted) {
    CWizardData data = Vcp();
    EXPECT_EQ(ApplyDeviceNamesPage(data, {"USB", ""}, PageMove::Next),
              "Please fill in all blanks.");
    EXPECT_EQ(ApplyInstallerNamesPage(data, {"", "Setup"}, PageMove::Next),
              "Please fill in all blanks.");
    EXPECT_EQ(ApplyInstallerNamesPage(data, {"P", std::string(33, 'x')}, PageMove::Next),
              "Installer Name can hold at most 32 characters.");

    InstallerOptionFields fields = InstallerOptionsOf(data);
    fields.copyFiles = false;  // the target is checked even when nothing is copied
    fields.targetDir = "C:/Out";
    EXPECT_EQ(ApplyInstallerOptionsPage(data, fields, PageMove::Next),
              "Directory cannot contain: / : * ? \" < > |");
    EXPECT_EQ(data.m_bCopyFiles, 1);
    fields.targetDir = "D:\\Apps\\X\\";
    fields.displayInstall = false;
    EXPECT_EQ(ApplyInstallerOptionsPage(data, fields, PageMove::Next), "");
    EXPECT_EQ(std::tuple(data.m_bQuietInstall, data.m_bQuietUninstall, data.m_bCopyFiles),
              std::tuple(1, 0, 0));
    EXPECT_EQ(data.m_strTargetDir, "D:\\Apps\\X\\");
}

TEST(OutputFolderPage, StoresOneSlashAsksCreatesAndReports) {
    const fs::path root =
        fs::temp_directory_path() / ("kitforge-out-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "a");
    zelvo::WriteFileBytes((root / "file").string(), "x");
    zelvo::testing::FakeDesktop desktop;
    CWizardData data = Vcp();
    for (const std::string& typed : {root.string(), root.string() + "/"}) {
        EXPECT_TRUE(ApplyOutputFolderPage(data, typed, PageMove::Next));
        EXPECT_EQ(data.m_strGenerationDir, root.string() + "/");
    }
    EXPECT_TRUE(desktop.Messages().empty());

    const std::string missing = (root / "a/b/c").string();
    desktop.Answer(zelvo::MsgResult::No);
    EXPECT_FALSE(ApplyOutputFolderPage(data, missing, PageMove::Next));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_FALSE(ApplyOutputFolderPage(data, "C:\\Out", PageMove::Next));
    desktop.Answer(zelvo::MsgResult::Yes);
    EXPECT_FALSE(ApplyOutputFolderPage(data, (root / "file/sub").string(), PageMove::Next));
    EXPECT_EQ(data.m_strGenerationDir, root.string() + "/");
    const auto& m = desktop.Messages();
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[0].text, "Directory does not exist, do you want to create it?");
    EXPECT_EQ(m[1].text, "Directory cannot contain: \\ : * ? \" < > |");
    EXPECT_EQ(m[3].text, "Error: Could Not Create Directory.");
    EXPECT_EQ(m[3].icon, zelvo::MsgIcon::Exclamation);

    EXPECT_TRUE(ApplyOutputFolderPage(data, "C:\\Out", PageMove::Back));  // no test on Back
    EXPECT_EQ(data.m_strGenerationDir, "C:\\Out/");
    fs::remove_all(root);
}

// The INF name and the installer name are file names inside the package folder;
// the INF name also lands unquoted in INF lines.
TEST(FileNames, InfAndInstallerNamesCannotLeaveThePackageOrBreakInfLines) {
    const std::string fileChars = "/\\:*?\"<>|", infChars = fileChars + ";,%=";
    const auto device = [](const std::string& field, const std::string& name) {
        return field + " cannot be \"" + name + "\": Windows keeps that name for a device.";
    };
    std::vector<std::pair<std::string, std::string>> infRows = {
        {"../x", "INF File Name cannot contain: / \\ : * ? \" < > | ; , % ="},
        {" ab", "INF File Name cannot begin or end with a blank."},
        {"ab\t", "INF File Name cannot begin or end with a blank."},
        {"nul", device("INF File Name", "nul")},
        {"COM1", device("INF File Name", "COM1")},
        {"My Link", ""},
        {"Vd-lnk.2", ""},
        {"COM10", ""}};
    for (char c : infChars) infRows.push_back({std::string("a") + c + "b", infRows[0].second});
    for (const auto& [typed, message] : infRows) {
        CWizardData data;
        data.LoadDefaults(INSTALL_LINKVANE, "/home/u/");
        EXPECT_EQ(ApplyCompanyPage(data, {"A", "b", typed, "2E1A", "B3A1"}, PageMove::Next),
                  message)
            << typed;
        EXPECT_EQ(data.m_strInfPrefix, message.empty() ? typed : "Vdlink");
    }
    CWizardData vcp = Vcp();  // a prefix: "nulbus.inf" is no device
    EXPECT_EQ(ApplyCompanyPage(vcp, {"A", "b", "nul", "2E1A", "B3A0"}, PageMove::Next), "");
    std::vector<std::pair<std::string, std::string>> installerRows = {
        {"../escaped", "Installer Name cannot contain: / \\ : * ? \" < > |"},
        {"Aux", device("Installer Name", "Aux")},
        {"Acme Setup; 100%, v=2", ""}};
    for (char c : fileChars)
        installerRows.push_back({std::string("Set") + c + "up", installerRows[0].second});
    for (const auto& [typed, message] : installerRows) {
        CWizardData data = Vcp();
        EXPECT_EQ(ApplyInstallerNamesPage(data, {"P", typed}, PageMove::Next), message) << typed;
        EXPECT_EQ(data.m_strInstallerName, message.empty() ? typed : "NR7xVCPInstaller");
    }
}

// The oldest Windows versions the INF files name cut an INF field silently after
// 511 characters; the company name has no limit of its own and the Linkvane disk
// name joins it with the USB device name.
TEST(InfFields, NoValueMakesAnInfFieldLongerThanTheParserKeeps) {
    const auto company = [](std::size_t n) { return std::string(n, 'c'); };
    CWizardData vcp = Vcp();
    EXPECT_EQ(ApplyCompanyPage(vcp, {company(512), "o", "ostx", "2E1A", "B3A0"}, PageMove::Next),
              "Company Name makes the INF field Provider 512 characters long; an INF field holds "
              "at most 511.");
    EXPECT_EQ(vcp.m_strCompanyName, "Ostrelix");
    EXPECT_EQ(ApplyCompanyPage(vcp, {company(511), "o", "ostx", "2E1A", "B3A0"}, PageMove::Next),
              "");

    CWizardData linkvane;
    linkvane.LoadDefaults(INSTALL_LINKVANE, "/home/u/");
    // INSTDISK = company, " ", USB device name ("Linkvane Device"), " Driver Installation Disc"
    EXPECT_EQ(
        ApplyCompanyPage(linkvane, {company(471), "o", "Vdlink", "2E1A", "B3A1"}, PageMove::Next),
        "Company Name and USB Device Name make the INF field INSTDISK 512 characters long; an "
        "INF field holds at most 511.");
    EXPECT_EQ(
        ApplyCompanyPage(linkvane, {company(400), "o", "Vdlink", "2E1A", "B3A1"}, PageMove::Next),
        "");
    EXPECT_EQ(ApplyDeviceNamesPage(linkvane, {std::string(86, 'u'), "-"}, PageMove::Next),
              "Company Name and USB Device Name make the INF field INSTDISK 512 characters long; "
              "an INF field holds at most 511.");
    EXPECT_EQ(linkvane.m_strUsbDeviceName, "Linkvane Device");
    EXPECT_EQ(ApplyDeviceNamesPage(linkvane, {std::string(85, 'u'), "-"}, PageMove::Next), "");
    // Back stores without the check.
    EXPECT_EQ(ApplyDeviceNamesPage(linkvane, {std::string(200, 'u'), "-"}, PageMove::Back), "");
}

// "~" is the home folder and a relative folder is taken against the current folder,
// so that the summary shows the folder that Finish writes to.
TEST(OutputFolderPage, HomeAndRelativeFoldersAreStoredAbsolute) {
    const fs::path root = fs::weakly_canonical(fs::temp_directory_path()) /
                          ("kitforge-abs-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "home");
    fs::create_directories(root / "work");
    const fs::path before = fs::current_path();
    const std::string oldHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    ::setenv("HOME", (root / "home").c_str(), 1);
    fs::current_path(root / "work");

    zelvo::testing::FakeDesktop desktop;  // answers Yes to "create it?"
    const std::pair<std::string, fs::path> rows[] = {
        {"~/kfout", root / "home/kfout"}, {"~", root / "home"},
        {" rel/x ", root / "work/rel/x"}, {"./here/", root / "work/here"},
        {"../sib", root / "sib"},         {"~name", root / "work/~name"},
    };
    for (const auto& [typed, folder] : rows) {
        CWizardData data = Vcp();
        EXPECT_TRUE(ApplyOutputFolderPage(data, typed, PageMove::Next)) << typed;
        EXPECT_EQ(data.m_strGenerationDir, folder.string() + "/") << typed;
        EXPECT_TRUE(fs::is_directory(folder)) << typed;
        EXPECT_TRUE(GetSummaryValues(data).ends_with("\r\n" + folder.string() + "/"));
    }
    EXPECT_FALSE(fs::exists(root / "work/~"));
    EXPECT_FALSE(fs::exists(root / "work/ rel"));

    fs::current_path(before);
    ::setenv("HOME", oldHome.c_str(), 1);
    fs::remove_all(root);
}
