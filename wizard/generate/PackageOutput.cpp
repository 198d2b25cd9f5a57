// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The package sequence: folders, INF files, setup.ini, driver files, installer.

#include <array>

#include "CWizardData.hpp"
#include "DataFiles.hpp"
#include "Desktop.hpp"
#include "FolderTree.hpp"
#include "NameRules.hpp"
#include "PackageFiles.hpp"
#include "PageChecks.hpp"

namespace kitforge {
namespace {

// Driver files in the order they are written: x64 first, then x86.
constexpr std::array<int, 8> kVcpDriverFiles = {239, 240, 241, 242, 222, 221, 227, 233};
constexpr std::array<int, 4> kLinkvaneDriverFiles = {236, 235, 238, 237};

template <std::size_t N>
bool ExtractDriverFiles(const CWizardData& data, const std::array<int, N>& numbers) {
    for (int number : numbers) {
        const DataFileInfo* info = FindDataFile(number);
        if (!data.ExtractDataFile(info->writtenName, number)) return false;
    }
    return true;
}

bool WriteAllFiles(const CWizardData& data) {
    const bool vcp = data.m_nInstallType == INSTALL_VCP;
    if (zelvo::CreateFolderTree(PackagePath(data, "x86")) ||
        zelvo::CreateFolderTree(PackagePath(data, "x64"))) {
        return false;
    }
    if (vcp ? !(data.WriteBusInf() && data.WriteSerialInf()) : !data.WriteLinkvaneInf())
        return false;
    if (data.m_bGenerateInstaller && !data.WriteSetupIni()) return false;
    if (vcp ? !ExtractDriverFiles(data, kVcpDriverFiles)
            : !ExtractDriverFiles(data, kLinkvaneDriverFiles)) {
        return false;
    }
    if (data.m_bGenerateInstaller &&
        !data.ExtractDataFile(data.m_strInstallerName + ".exe", kInstallerDataFile)) {
        return false;
    }
    return true;
}

}  // namespace

bool CWizardData::ExtractDataFile(const std::string& name, int number) const {
    // The bytes are fetched before the file is opened, so that a missing data file
    // leaves no empty file behind.
    std::string bytes;
    std::string problem = "no data files are installed";
    if (IDataFiles* provider = DataFiles()) {
        const auto failure = provider->Read(number, bytes);
        if (!failure) return WritePackageFile(PackagePath(*this, name), bytes);
        problem = failure->Description();
    }
    zelvo::Desktop().MessageBox(std::string(text::kCouldNotReadDataFile) + " " +
                                    std::to_string(number) + ": " + problem + ".",
                                text::kSystemCaption, zelvo::MsgButtons::OK,
                                zelvo::MsgIcon::Critical);
    return false;
}

bool GeneratePackage(CWizardData& data) {
    if (data.m_nInstallType != INSTALL_VCP && data.m_nInstallType != INSTALL_LINKVANE) return false;
    // The pages refuse such records already; nothing is written outside the
    // generation folder or cut by the INF parser, whoever built the record.
    const std::string problem = PackageProblem(data);
    if (!problem.empty()) {
        zelvo::Desktop().MessageBox(problem, kProgramName, zelvo::MsgButtons::OK,
                                    zelvo::MsgIcon::Critical);
    }
    if (!problem.empty() || !WriteAllFiles(data)) {
        zelvo::Desktop().MessageBox(text::kCouldNotGenerate, kProgramName, zelvo::MsgButtons::OK,
                                    zelvo::MsgIcon::Critical);
        return false;
    }
    zelvo::Desktop().MessageBox(text::kGenerated, kProgramName, zelvo::MsgButtons::OK,
                                zelvo::MsgIcon::None);
    return true;
}

}  // namespace kitforge
