#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "FakeDesktop.hpp"
#include "PageChecks.hpp"
#include "TextFile.hpp"

using namespace kitforge;

namespace {

CWizardData Vcp() {
    CWizardData data;
    data.LoadDefaults(INSTALL_VCP, "/home/u/");
    return data;
}

CompanyFields Company(const std::string& vid, const std::string& pid) {
    return {"Ostrelix", "ostx", "ostx", vid, pid};
}

}  // namespace

TEST(InstallTypePage, ChoosingATypeLoadsDefaultsOnlyOnChange) {
    CWizardData data;
    EXPECT_EQ(data.m_bGenerateInstaller, 1);
    EXPECT_FALSE(InstallTypePageComplete(data));
    data.m_bGenerateInstaller = 0;
    ChooseInstallType(data, INSTALL_VCP);
    EXPECT_TRUE(InstallTypePageComplete(data));
    EXPECT_EQ(data.m_strPid, "B3A0");
    EXPECT_EQ(data.m_strTargetDir, "C:\\Program Files\\Ostrelix\\MCU\\NR7x\\");
    EXPECT_EQ(data.m_bGenerateInstaller, 0);  // never part of the defaults
    data.m_strCompanyName = "Edited";
    ChooseInstallType(data, INSTALL_VCP);
    EXPECT_EQ(data.m_strCompanyName, "Edited");
    ChooseInstallType(data, INSTALL_LINKVANE);
    EXPECT_EQ(data.m_strComDeviceName, "-");
    EXPECT_EQ(data.m_strInfPrefix, "Vdlink");
    ChooseInstallType(data, INSTALL_VCP);
    EXPECT_EQ(data.m_strCompanyName, "Ostrelix");
    EXPECT_EQ(data.GetServiceName(), "OSTX");
}

TEST(CompanyPage, VidAndPidNeedFourHexDigitsAndArriveUpperCase) {
    CWizardData data = Vcp();
    EXPECT_EQ(ApplyCompanyPage(data, Company("2e1a", "b3a0"), PageMove::Next), "");
    EXPECT_EQ(data.m_strVid, "2E1A");
    EXPECT_EQ(data.m_strPid, "B3A0");
    for (const auto& [vid, pid] : std::vector<std::pair<std::string, std::string>>{
             {"2E1G", "B3A0"}, {"2E1", "B3A0"}, {"", "B3A0"}, {"2E1A", ""}, {"2E 1", "B3A0"}}) {
        CWizardData before = data;
        EXPECT_EQ(ApplyCompanyPage(data, Company(vid, pid), PageMove::Next),
                  "Please fill in all blanks.")
            << vid << "/" << pid;
        EXPECT_EQ(data.m_strVid, before.m_strVid);
    }
}

TEST(CompanyPage, EmptyFieldsRefuseNextButBackStoresThem) {
    CWizardData data = Vcp();
    CompanyFields typed{"", "ostx", "ostx", "2E1A", "B3A0"};
    EXPECT_EQ(ApplyCompanyPage(data, typed, PageMove::Next), "Please fill in all blanks.");
    EXPECT_EQ(data.m_strCompanyName, "Ostrelix");
    EXPECT_EQ(ApplyCompanyPage(data, typed, PageMove::Back), "");
    EXPECT_EQ(data.m_strCompanyName, "");
    EXPECT_EQ(ApplyCompanyPage(data, {"A", "", "ostx", "2E1A", "B3A0"}, PageMove::Next),
              "Please fill in all blanks.");
    EXPECT_EQ(ApplyCompanyPage(data, {"A", "b", "", "2E1A", "B3A0"}, PageMove::Next),
              "Please fill in all blanks.");
}

TEST(CompanyPage, TextIsEncodedAndRefusalNamesTheField) {
    CWizardData data = Vcp();
    EXPECT_EQ(ApplyCompanyPage(data, {"M\xC3\xBCller \xE2\x82\xAC", "ostx", "ostx", "2E1A", "B3A0"},
                               PageMove::Next),
              "");
    EXPECT_EQ(data.m_strCompanyName, "M\xFCller \x80");
    EXPECT_EQ(
        ApplyCompanyPage(data, {"Acme", "\xC5\x81\xC3\xB3\x64\xC5\xBA", "ostx", "2E1A", "B3A0"},
                         PageMove::Back),
        "Company Abbreviation cannot contain the character \"\xC5\x81\".");
    EXPECT_EQ(data.m_strCompanyName, "M\xFCller \x80");  // nothing stored
}

TEST(CompanyPage, LineBreaksCannotReachThePackageText) {
    CWizardData data = Vcp();
    EXPECT_EQ(ApplyCompanyPage(data, {"Acme\r\n[Strings]", "ostx", "ostx", "2E1A", "B3A0"},
                               PageMove::Next),
              "Company Name cannot contain a line break or control character.");
    EXPECT_EQ(ApplyCompanyPage(data, {"Acme", "os\ntx", "ostx", "2E1A", "B3A0"}, PageMove::Back),
              "Company Abbreviation cannot contain a line break or control character.");
    EXPECT_NE(data.m_strCompanyName, "Acme");  // nothing stored
}

TEST(CompanyPage, InfNameLimitFollowsTheDriverSet) {
    CWizardData data = Vcp();
    EXPECT_EQ(ApplyCompanyPage(data, {"A", "b", "abcde", "2E1A", "B3A0"}, PageMove::Next),
              "INF File Name can hold at most 4 characters.");
    ChooseInstallType(data, INSTALL_LINKVANE);
    EXPECT_EQ(ApplyCompanyPage(data, {"A", "b", "abcdefgh", "2E1A", "B3A0"}, PageMove::Next), "");
    EXPECT_EQ(data.m_strInfPrefix, "abcdefgh");
}

TEST(DeviceAndInstallerNamePages, EmptyNamesRefuseNext) {
    CWizardData data = Vcp();
    EXPECT_EQ(ApplyDeviceNamesPage(data, {"USB", ""}, PageMove::Next),
              "Please fill in all blanks.");
    EXPECT_EQ(ApplyDeviceNamesPage(data, {"USB", ""}, PageMove::Back), "");
    EXPECT_EQ(data.m_strComDeviceName, "");
    EXPECT_EQ(ApplyInstallerNamesPage(data, {"", "Setup"}, PageMove::Next),
              "Please fill in all blanks.");
    EXPECT_EQ(ApplyInstallerNamesPage(data, {"P", std::string(33, 'x')}, PageMove::Next),
              "Installer Name can hold at most 32 characters.");
    EXPECT_EQ(ApplyInstallerNamesPage(data, {"P", "Setup"}, PageMove::Next), "");
    EXPECT_EQ(data.m_strInstallerName, "Setup");
}

TEST(InstallerOptionsPage, TargetIsCheckedEvenWithoutCopyAndFlagsAreInverted) {
    CWizardData data = Vcp();
    InstallerOptionFields fields = InstallerOptionsOf(data);
    EXPECT_TRUE(fields.displayInstall);
    fields.copyFiles = false;
    fields.targetDir = "C:/Out";
    EXPECT_EQ(ApplyInstallerOptionsPage(data, fields, PageMove::Next),
              "Directory cannot contain: / : * ? \" < > |");
    EXPECT_EQ(data.m_bCopyFiles, 1);
    fields.targetDir = "D:\\Apps\\X\\";
    fields.displayInstall = false;
    fields.displayUninstall = true;
    EXPECT_EQ(ApplyInstallerOptionsPage(data, fields, PageMove::Next), "");
    EXPECT_EQ(data.m_bQuietInstall, 1);
    EXPECT_EQ(data.m_bQuietUninstall, 0);
    EXPECT_EQ(data.m_bCopyFiles, 0);
    EXPECT_EQ(data.m_strTargetDir, "D:\\Apps\\X\\");
}

class OutputFolderPage : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ =
            std::filesystem::temp_directory_path() / ("kitforge-out-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    std::filesystem::path root_;
    zelvo::testing::FakeDesktop desktop_;
    CWizardData data_ = Vcp();
};

TEST_F(OutputFolderPage, ExistingFolderIsStoredWithOneFinalSlash) {
    EXPECT_TRUE(ApplyOutputFolderPage(data_, root_.string(), PageMove::Next));
    EXPECT_EQ(data_.m_strGenerationDir, root_.string() + "/");
    EXPECT_TRUE(ApplyOutputFolderPage(data_, root_.string() + "/", PageMove::Next));
    EXPECT_EQ(data_.m_strGenerationDir, root_.string() + "/");
    EXPECT_TRUE(desktop_.Messages().empty());
}

TEST_F(OutputFolderPage, MissingFolderIsCreatedLevelByLevelOnYes) {
    std::string folder = (root_ / "a/b/c").string();
    desktop_.Answer(zelvo::MsgResult::No);
    EXPECT_FALSE(ApplyOutputFolderPage(data_, folder, PageMove::Next));
    EXPECT_FALSE(std::filesystem::exists(folder));
    desktop_.Answer(zelvo::MsgResult::Yes);
    EXPECT_TRUE(ApplyOutputFolderPage(data_, folder, PageMove::Next));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    ASSERT_EQ(desktop_.Messages().size(), 2u);
    EXPECT_EQ(desktop_.Messages()[1].text, "Directory does not exist, do you want to create it?");
    EXPECT_EQ(desktop_.Messages()[1].buttons, zelvo::MsgButtons::YesNo);
    EXPECT_EQ(desktop_.Messages()[1].icon, zelvo::MsgIcon::Question);
    EXPECT_EQ(desktop_.Messages()[1].title, "kitforge");
}

TEST_F(OutputFolderPage, RefusalsKeepTheStoredFolder) {
    std::string before = data_.m_strGenerationDir;
    EXPECT_FALSE(ApplyOutputFolderPage(data_, "C:\\Out", PageMove::Next));
    zelvo::WriteFileBytes((root_ / "file").string(), "x");
    desktop_.Answer(zelvo::MsgResult::Yes);
    // Below a file the folder is missing, and creating it fails after Yes.
    EXPECT_FALSE(ApplyOutputFolderPage(data_, (root_ / "file/sub").string(), PageMove::Next));
    EXPECT_EQ(data_.m_strGenerationDir, before);
    ASSERT_EQ(desktop_.Messages().size(), 3u);
    EXPECT_EQ(desktop_.Messages()[0].text, "Directory cannot contain: \\ : * ? \" < > |");
    EXPECT_EQ(desktop_.Messages()[2].text, "Error: Could Not Create Directory.");
    EXPECT_EQ(desktop_.Messages()[2].icon, zelvo::MsgIcon::Exclamation);
    EXPECT_TRUE(ApplyOutputFolderPage(data_, "C:\\Out", PageMove::Back));  // no test on Back
    EXPECT_EQ(data_.m_strGenerationDir, "C:\\Out/");
}
