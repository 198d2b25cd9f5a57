#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CWizardData.hpp"
#include "DataFiles.hpp"
#include "PackageFixture.hpp"
#include "SetupIni.hpp"
#include "WithoutRootRights.hpp"

using namespace kitforge;
using kitforge::testing::PackageFixture;
using Strings = std::vector<std::string>;

namespace {

const Strings kVcpDrivers = {"x64/ostxbus.sys",  "x64/ostxcmnt.sys", "x64/ostxser.sys",
                             "x64/ostxwhnt.sys", "x86/ostxbus.sys",  "x86/ostxcmnt.sys",
                             "x86/ostxser.sys",  "x86/ostxwhnt.sys"};
const Strings kLinkvaneDrivers = {"x64/Vdcore.sys", "x64/Vdlink.sys", "x86/Vdcore.sys",
                                  "x86/Vdlink.sys"};

Strings Sorted(Strings files) {
    std::sort(files.begin(), files.end());
    return files;
}

Strings Concat(Strings a, const Strings& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

class Package : public PackageFixture {
  protected:
    void ExpectDriversEqualStandIns(const Strings& drivers) {
        for (const auto& name : drivers) EXPECT_EQ(Read(name), StandIn(name)) << name;
    }
    void ExpectGenerated(bool ok) {
        EXPECT_EQ(MessageTexts(), Strings{ok ? "Files Successfully Generated"
                                             : "Error: Could Not Generate All Files."});
    }
};

TEST_F(Package, VcpWithInstallerHoldsTwelveFiles) {
    CWizardData data = Record(INSTALL_VCP, true);
    ASSERT_TRUE(GeneratePackage(data));
    ExpectGenerated(true);
    EXPECT_EQ(Files(),
              Sorted(Concat({"NR7xVCPInstaller.exe", "ostxbus.inf", "ostxw2k.inf", "setup.ini"},
                            kVcpDrivers)));
    ExpectDriversEqualStandIns(kVcpDrivers);
    EXPECT_EQ(Read("NR7xVCPInstaller.exe"), StandIn("installer.exe"));
    EXPECT_EQ(Read("setup.ini"), SetupIniText(data));
    EXPECT_TRUE(Read("ostxbus.inf").ends_with(";*** end of file ***\r\n"));
    EXPECT_EQ(desktop_.Messages().front().title, "kitforge");
}

TEST_F(Package, VcpInfFilesOnlyStillWritesDrivers) {
    CWizardData data = Record(INSTALL_VCP, false);
    ASSERT_TRUE(GeneratePackage(data));
    EXPECT_EQ(Files(), Sorted(Concat({"ostxbus.inf", "ostxw2k.inf"}, kVcpDrivers)));
    ExpectDriversEqualStandIns(kVcpDrivers);
}

TEST_F(Package, LinkvaneWithAndWithoutInstaller) {
    CWizardData data = Record(INSTALL_LINKVANE, true);
    ASSERT_TRUE(GeneratePackage(data));
    EXPECT_EQ(Files(), Sorted(Concat({"LinkvaneInstaller.exe", "Vdlink.inf", "setup.ini"},
                                     kLinkvaneDrivers)));
    ExpectDriversEqualStandIns(kLinkvaneDrivers);
    EXPECT_EQ(Read("LinkvaneInstaller.exe"), StandIn("installer.exe"));
    EXPECT_TRUE(Read("setup.ini").ends_with("vdlink.cat\r\n"));

    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    data.m_bGenerateInstaller = 0;
    ASSERT_TRUE(GeneratePackage(data));
    EXPECT_EQ(Files(), Sorted(Concat({"Vdlink.inf"}, kLinkvaneDrivers)));
}

TEST_F(Package, EveryStandInHasItsSizeAndSaysItIsAPlaceholder) {
    for (const DataFileInfo& info : DataFileTable()) {
        std::string bytes, problem;
        ASSERT_TRUE(resources_.Read(info.number, bytes, problem)) << problem;
        EXPECT_EQ(bytes.size(), info.size) << info.number;
        EXPECT_EQ(bytes, StandIn(info.folderName)) << info.number;
        EXPECT_TRUE(bytes.starts_with("PLACEHOLDER - THIS IS NOT A DRIVER FILE\r\n"));
        EXPECT_NE(bytes.find("Replace this file with the licensed file before a package is "
                             "shipped."),
                  std::string::npos);
    }
    EXPECT_EQ(FindDataFile(222)->size, 58368u);
    EXPECT_EQ(FindDataFile(234)->size, 298632u);
}

TEST_F(Package, SecondRunReplacesFilesWithIdenticalContent) {
    CWizardData data = Record(INSTALL_VCP, true);
    ASSERT_TRUE(GeneratePackage(data));
    std::map<std::string, std::string> first;
    for (const auto& f : Files()) first[f] = Read(f);
    // A longer stale file must be truncated, not overwritten in part.
    zelvo::WriteFileBytes((root_ / "setup.ini").string(), std::string(5000, 'x'));
    ASSERT_TRUE(GeneratePackage(data));
    for (const auto& f : Files()) EXPECT_EQ(Read(f), first[f]) << f;
    EXPECT_EQ(first.size(), Files().size());
}

TEST_F(Package, RelativeNamesLandUnderTheFolderWithoutTrailingSeparator) {
    CWizardData data = Record(INSTALL_VCP, false);
    data.m_strGenerationDir = root_.string();                        // no final "/"
    EXPECT_FALSE(data.ExtractDataFile(".\\x86\\ostxbus.sys", 222));  // x86 missing
    ASSERT_TRUE(CreateDirectoryTree(root_.string() + "/x86"));
    EXPECT_TRUE(data.ExtractDataFile(".\\x86\\ostxbus.sys", 222));
    EXPECT_EQ(Read("x86/ostxbus.sys"), StandIn("x86/ostxbus.sys"));
}

TEST_F(Package, InstallerNameWithMissingSubfolderFailsAfterTheDrivers) {
    CWizardData data = Record(INSTALL_VCP, true);
    data.m_strInstallerName = "sub/Setup";
    EXPECT_FALSE(GeneratePackage(data));
    EXPECT_EQ(MessageTexts(), (Strings{"Error: Could Not Open File For Write.",
                                       "Error: Could Not Generate All Files."}));
    EXPECT_EQ(desktop_.Messages()[0].title, "Error");
    EXPECT_EQ(desktop_.Messages()[0].icon, zelvo::MsgIcon::Critical);
    EXPECT_EQ(desktop_.Messages()[1].icon, zelvo::MsgIcon::Critical);
    // Everything before the installer stays.
    EXPECT_EQ(Files(), Sorted(Concat({"ostxbus.inf", "ostxw2k.inf", "setup.ini"}, kVcpDrivers)));

    desktop_.ClearMessages();
    std::filesystem::create_directory(root_ / "sub");
    EXPECT_TRUE(GeneratePackage(data));
    EXPECT_EQ(Read("sub/Setup.exe"), StandIn("installer.exe"));
}

TEST_F(Package, UnwritableInfStopsBeforeLaterSteps) {
    // A folder where the serial INF should go cannot be opened for writing (also
    // for root, who ignores permissions).
    std::filesystem::create_directory(root_ / "ostxw2k.inf");
    CWizardData data = Record(INSTALL_VCP, true);
    EXPECT_FALSE(GeneratePackage(data));
    EXPECT_EQ(MessageTexts(), (Strings{"Error: Could Not Open File For Write.",
                                       "Error: Could Not Generate All Files."}));
    EXPECT_EQ(Files(), Strings{"ostxbus.inf"});
}

TEST_F(Package, ReadOnlyFolderReportsBothMessages) {
    std::filesystem::create_directories(root_ / "x86");
    std::filesystem::create_directories(root_ / "x64");
    std::filesystem::permissions(root_, std::filesystem::perms(0555));
    CWizardData data = Record(INSTALL_LINKVANE, true);
    {
        zelvo::testing::WithoutRootRights asUser;
        EXPECT_FALSE(GeneratePackage(data));
    }
    EXPECT_EQ(MessageTexts(), (Strings{"Error: Could Not Open File For Write.",
                                       "Error: Could Not Generate All Files."}));
}

TEST_F(Package, FileInPlaceOfAFolderWritesNothing) {
    zelvo::WriteFileBytes((root_ / "x64").string(), "not a folder");
    CWizardData data = Record(INSTALL_VCP, true);
    EXPECT_FALSE(GeneratePackage(data));
    ExpectGenerated(false);
    EXPECT_EQ(Files(), Strings{"x64"});

    // The generation folder itself being a file.
    desktop_.ClearMessages();
    data.m_strGenerationDir = (root_ / "x64").string() + "/";
    EXPECT_FALSE(GeneratePackage(data));
    ExpectGenerated(false);
}

TEST_F(Package, MissingDataFileIsReportedAndLeavesNoEmptyFile) {
    std::filesystem::create_directories(root_ / "data" / "x64");
    zelvo::WriteFileBytes((root_ / "data/x64/Vdlink.sys").string(), "real driver bytes");
    FolderDataFiles folder((root_ / "data").string());
    SetDataFiles(&folder);
    CWizardData data = Record(INSTALL_LINKVANE, false);
    data.m_strGenerationDir = (root_ / "out").string() + "/";
    ASSERT_TRUE(CreateDirectoryTree(data.m_strGenerationDir));
    EXPECT_FALSE(GeneratePackage(data));
    ASSERT_EQ(desktop_.Messages().size(), 2u);
    EXPECT_TRUE(desktop_.Messages()[0].text.starts_with("Error: Could Not Read Data File 235: "));
    EXPECT_EQ(Read("out/x64/Vdlink.sys"), "real driver bytes");
    EXPECT_FALSE(std::filesystem::exists(root_ / "out/x64/Vdcore.sys"));
}

TEST_F(Package, NoInstallTypeDoesNothing) {
    CWizardData data;
    data.m_strGenerationDir = root_.string() + "/";
    EXPECT_FALSE(GeneratePackage(data));
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_TRUE(Files().empty());
}
