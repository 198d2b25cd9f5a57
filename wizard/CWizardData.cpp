// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CWizardData.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "Strings.hpp"

namespace kitforge {

void CWizardData::LoadDefaults(std::uint8_t installType, const std::string& driveRoot) {
    const bool vcp = installType == INSTALL_VCP;
    m_nInstallType = installType;
    m_strCompanyName = "Ostrelix";
    m_strAbbreviation = "ostx";
    m_strInfPrefix = vcp ? "ostx" : "Vdlink";
    m_strVid = "2E1A";
    m_strPid = vcp ? "B3A0" : "B3A1";
    m_strUsbDeviceName = vcp ? "NR7x USB Composite Device" : "Linkvane Device";
    m_strComDeviceName = vcp ? "NR7x USB to UART Bridge Controller" : "-";
    m_strInstallerName = vcp ? "NR7xVCPInstaller" : "LinkvaneInstaller";
    m_strProductName = vcp ? "Ostrelix NR7x USB to UART Bridge" : "Ostrelix Linkvane Device";
    m_bQuietInstall = 0;
    m_bCopyFiles = 1;
    m_strTargetDir = vcp ? "C:\\Program Files\\Ostrelix\\MCU\\NR7x\\"
                         : "C:\\Program Files\\Ostrelix\\MCU\\Linkvane\\";
    m_bQuietUninstall = 0;
    m_bRemoveFiles = 1;
    m_strGenerationDir = driveRoot + (vcp ? "Ostrelix/MCU/CustomNR7xDriverInstall"
                                          : "Ostrelix/MCU/CustomLinkvaneDriverInstall");
}

void CWizardData::LoadDefaults(std::uint8_t installType) {
    LoadDefaults(installType, SystemDriveRoot());
}

std::string CWizardData::GetServiceName() const {
    return zelvo::ToUpper(m_strInfPrefix);
}

std::string SystemDriveRoot() {
    const char* home = std::getenv("HOME");
    std::string folder = home != nullptr ? home : "";
    if (folder.empty()) {
        // No HOME in the environment (a service, a stripped pipeline): ask the
        // password database.
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            folder = entry->pw_dir;
    }
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace kitforge
