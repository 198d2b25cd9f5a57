// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>

#include "CWizardData.hpp"
#include "DataFiles.hpp"
#include "InfTemplates.hpp"
#include "PackageFixture.hpp"
#include "SetupIni.hpp"
#include "WithoutRootRights.hpp"

using namespace kitforge;
using kitforge::testing::PackageFixture;
namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

namespace {

const Strings kVcpDrivers = {"x64/ostxbus.sys",  "x64/ostxcmnt.sys", "x64/ostxser.sys",
                             "x64/ostxwhnt.sys", "x86/ostxbus.sys",  "x86/ostxcmnt.sys",
                             "x86/ostxser.sys",  "x86/ostxwhnt.sys"};
const Strings kLinkvaneDrivers = {"x64/Vdcore.sys", "x64/Vdlink.sys", "x86/Vdcore.sys",
                                  "x86/Vdlink.sys"};
const Strings kFailed = {"Error: Could Not Open File For Write.",
                         "Error: Could Not Generate All Files."};

Strings Sorted(Strings files, const Strings& drivers) {
    files.insert(files.end(), drivers.begin(), drivers.end());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

using Package = PackageFixture;

TEST_F(Package, BothDriverSetsWithAndWithoutInstaller) {
    const struct {
        std::uint8_t type;
        bool installer;
        Strings files;
    } rows[] = {
        {INSTALL_VCP, true,
         Sorted({"NR7xVCPInstaller.exe", "ostxbus.inf", "ostxw2k.inf", "setup.ini"}, kVcpDrivers)},
        {INSTALL_VCP, false, Sorted({"ostxbus.inf", "ostxw2k.inf"}, kVcpDrivers)},
        {INSTALL_LINKVANE, true,
         Sorted({"LinkvaneInstaller.exe", "Vdlink.inf", "setup.ini"}, kLinkvaneDrivers)},
        {INSTALL_LINKVANE, false, Sorted({"Vdlink.inf"}, kLinkvaneDrivers)},
    };
    for (const auto& row : rows) {
        fs::remove_all(root_);
        fs::create_directories(root_);
        desktop_.ClearMessages();
        CWizardData data = Record(row.type, row.installer);
        ASSERT_TRUE(GeneratePackage(data));
        EXPECT_EQ(MessageTexts(), Strings{"Files Successfully Generated"});
        EXPECT_EQ(Files(), row.files);
        for (const auto& name : Files()) {
            if (name.ends_with(".exe")) {
                EXPECT_EQ(Read(name), StandIn("installer.exe"));
            } else if (name.ends_with(".sys")) {
                EXPECT_EQ(Read(name), StandIn(name)) << name;
            } else if (name.ends_with(".inf")) {
                const auto templ = name.ends_with("bus.inf")   ? kBusInfTemplate
                                   : name.ends_with("w2k.inf") ? kSerialInfTemplate
                                                               : kLinkvaneInfTemplate;
                EXPECT_EQ(Read(name), FillInfTemplate(templ, data)) << name;
            }
        }
        if (row.installer) {
            EXPECT_EQ(Read("setup.ini"), SetupIniText(data));
        }
    }
}

TEST_F(Package, EveryStandInHasItsSizeAndSaysItIsAPlaceholder) {
    for (const DataFileInfo& info : DataFileTable()) {
        const std::string bytes = StandIn(info.folderName);
        EXPECT_EQ(bytes.size(), info.size) << info.number;
        EXPECT_TRUE(bytes.starts_with("PLACEHOLDER - THIS IS NOT A DRIVER FILE\r\n"));
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
    std::map<std::string, std::string> second;
    for (const auto& f : Files()) second[f] = Read(f);
    EXPECT_EQ(second, first);
}

// Each failed open shows its message and ends the sequence; what was written stays.
TEST_F(Package, UnwritablePlacesStopTheSequenceWithTheirMessages) {
    // A folder where the serial INF goes cannot be opened, also by root.
    fs::create_directory(root_ / "ostxw2k.inf");
    CWizardData data = Record(INSTALL_VCP, true);
    EXPECT_FALSE(GeneratePackage(data));
    EXPECT_EQ(MessageTexts(), kFailed);
    EXPECT_EQ(desktop_.Messages()[0].title, "Error");
    EXPECT_EQ(desktop_.Messages()[0].icon, zelvo::MsgIcon::Critical);
    EXPECT_EQ(desktop_.Messages()[1].icon, zelvo::MsgIcon::Critical);
    EXPECT_EQ(Files(), Strings{"ostxbus.inf"});

    fs::remove(root_ / "ostxw2k.inf");
    fs::create_directory(root_ / "NR7xVCPInstaller.exe");  // the installer's place is taken
    desktop_.ClearMessages();
    EXPECT_FALSE(GeneratePackage(data));
    EXPECT_EQ(MessageTexts(), kFailed);
    EXPECT_EQ(Files(), Sorted({"ostxbus.inf", "ostxw2k.inf", "setup.ini"}, kVcpDrivers));

    fs::remove_all(root_);
    fs::create_directories(root_ / "x86");
    fs::create_directories(root_ / "x64");
    fs::permissions(root_, fs::perms(0555));
    desktop_.ClearMessages();
    {
        zelvo::testing::WithoutRootRights asUser;
        EXPECT_FALSE(GeneratePackage(data));
    }
    EXPECT_EQ(MessageTexts(), kFailed);
}

TEST_F(Package, FileInPlaceOfAFolderWritesNothing) {
    zelvo::WriteFileBytes((root_ / "x64").string(), "not a folder");
    CWizardData data = Record(INSTALL_VCP, true);
    EXPECT_FALSE(GeneratePackage(data));
    EXPECT_EQ(Files(), Strings{"x64"});
    data.m_strGenerationDir = (root_ / "x64").string() + "/";  // the folder itself a file
    EXPECT_FALSE(GeneratePackage(data));
    EXPECT_EQ(MessageTexts(), Strings(2, "Error: Could Not Generate All Files."));
}

// The pages refuse such records; the sequence itself still writes nothing outside
// the generation folder and nothing that the INF parser would cut.
TEST_F(Package, NamesThatLeaveTheFolderOrOverlongFieldsWriteNothing) {
    const fs::path outside = root_.parent_path() / (root_.filename().string() + "-escaped.exe");
    const struct {
        std::string infPrefix, installerName, company, message;
    } rows[] = {
        {"ostx", "../" + outside.stem().string(), "Acme",
         "Installer Name cannot contain: / \\ : * ? \" < > |"},
        {"../x", "Setup", "Acme", "INF File Name cannot contain: / \\ : * ? \" < > | ; , % ="},
        {"ostx", "Setup", std::string(600, 'c'),
         "Company Name makes the INF field Provider 600 characters long; an INF field holds at "
         "most 511."},
    };
    for (const auto& row : rows) {
        desktop_.ClearMessages();
        CWizardData data = Record(INSTALL_VCP, true);
        data.m_strInfPrefix = row.infPrefix;
        data.m_strInstallerName = row.installerName;
        data.m_strCompanyName = row.company;
        EXPECT_FALSE(GeneratePackage(data));
        EXPECT_EQ(MessageTexts(), (Strings{row.message, "Error: Could Not Generate All Files."}));
        EXPECT_EQ(desktop_.Messages()[0].icon, zelvo::MsgIcon::Critical);
        EXPECT_TRUE(Files().empty());
        EXPECT_FALSE(fs::exists(outside));
        EXPECT_FALSE(fs::exists(root_.parent_path() / "xbus.inf"));
    }
}

TEST_F(Package, MissingDataFileIsNamedOnce) {
    FolderDataFiles folder((root_ / "data").string());
    SetDataFiles(&folder);
    fs::create_directories(root_ / "out");
    CWizardData data = Record(INSTALL_LINKVANE, false);
    data.m_strGenerationDir = (root_ / "out").string() + "/";
    EXPECT_FALSE(GeneratePackage(data));
    EXPECT_EQ(MessageTexts(), (Strings{"Error: Could Not Read Data File 236: No such file or "
                                       "directory: " +
                                           (root_ / "data/x64/Vdlink.sys").string() + ".",
                                       "Error: Could Not Generate All Files."}));
}
