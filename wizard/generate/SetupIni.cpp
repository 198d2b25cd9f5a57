// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetupIni.hpp"

#include <initializer_list>

#include "CWizardData.hpp"
#include "PackageFiles.hpp"

namespace kitforge {

std::string SetupIniText(const CWizardData& data) {
    const bool vcp = data.m_nInstallType == INSTALL_VCP;
    const std::string& prefix = data.m_strInfPrefix;
    std::string out;
    bool first = true;
    auto section = [&](const char* header, std::initializer_list<std::string> values) {
        if (!first) out += "\r\n";
        first = false;
        out += header;
        for (const std::string& value : values) out += "\r\n" + value;
        out += "\r\n";
    };

    section("[Driver Type]", {vcp ? "VCP NR7x Meridian" : "Linkvane"});
    section("[Driver Version]", {vcp ? "4.40" : "3.1"});
    section("[Product Name]", {data.m_strProductName});
    section("[Company Name]", {data.m_strCompanyName});
    section("[VID]", {data.m_strVid});
    section("[PID]", {data.m_strPid});
    if (data.m_bCopyFiles) section("[Install Directory]", {data.m_strTargetDir});
    section("[Install Subdirectories]", {"x86", "x64"});
    section("[Install Quiet Mode]", {data.m_bQuietInstall ? "On" : "Off"});
    section("[Uninstall Quiet Mode]", {data.m_bQuietUninstall ? "On" : "Off"});
    section("[Copy Driver Files]", {data.m_bCopyFiles ? "Yes" : "No"});
    if (data.m_bCopyFiles)
        section("[Remove Copied Files On Uninstall]", {data.m_bRemoveFiles ? "Yes" : "No"});
    if (vcp) {
        section("[XP_2K_2K3_VISTA INF Files]", {prefix + "bus.inf", prefix + "w2k.inf"});
        section("[XP_2K_2K3_VISTA Driver Files]",
                {".\\x64\\ostxbus.sys", ".\\x64\\ostxcmnt.sys", ".\\x64\\ostxser.sys",
                 ".\\x64\\ostxwhnt.sys", ".\\x86\\ostxbus.sys", ".\\x86\\ostxcmnt.sys",
                 ".\\x86\\ostxser.sys", ".\\x86\\ostxwhnt.sys"});
        section("[XP_2K_2K3_VISTA Catalog Files]", {prefix + "bus.cat", prefix + "ser.cat"});
        out.resize(out.size() - 2);  // the VCP file ends without a line break
    } else {
        section("[XP_2K_2K3_VISTA INF Files]", {prefix + ".inf"});
        section("[XP_2K_2K3_VISTA Driver Files]", {".\\x64\\Vdlink.sys", ".\\x64\\Vdcore.sys",
                                                   ".\\x86\\Vdlink.sys", ".\\x86\\Vdcore.sys"});
        section("[XP_2K_2K3_VISTA Catalog Files]", {"vdlink.cat"});
    }
    return out;
}

bool CWizardData::WriteSetupIni() const {
    return WritePackageFile(PackagePath(*this, "setup.ini"), SetupIniText(*this));
}

}  // namespace kitforge
