#include <gtest/gtest.h>
#include <unistd.h>

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
