// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The two columns of the summary page.

#include <string>
#include <vector>

#include "CWizardData.hpp"
#include "Windows1252.hpp"

namespace kitforge {
namespace {

std::string Join(const std::vector<std::string>& lines, const char* separator) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += separator;
        out += lines[i];
    }
    return out;
}

const char* YesNo(int flag) {
    return flag ? "Yes" : "No";
}

}  // namespace

std::string GetSummaryLabels(const CWizardData& data) {
    if (data.m_nInstallType != INSTALL_VCP && data.m_nInstallType != INSTALL_LINKVANE) return {};
    std::vector<std::string> lines = {"* Install Type:",
                                      "",
                                      "* Company Name:",
                                      "* Abbreviation:",
                                      "",
                                      "* VID/PID:",
                                      "* INF File Names:",
                                      "* USB Device Name:"};
    if (data.m_nInstallType == INSTALL_VCP) lines.push_back("* COM Device Name:");
    for (const char* label :
         {"", "* Generate Installer?", "* Product Name:", "* Installer Name:", "* Display Install?",
          "* Copy Files?", "* Target Directory:", "* Display Uninstall?", "* Remove Files?", "",
          "* Generation Directory:"}) {
        lines.push_back(label);
    }
    return Join(lines, "\n");
}

std::string GetSummaryValues(const CWizardData& data) {
    const bool vcp = data.m_nInstallType == INSTALL_VCP;
    if (!vcp && data.m_nInstallType != INSTALL_LINKVANE) return {};
    const bool installer = data.m_bGenerateInstaller != 0;
    // The VCP set shows the copy target and the removal choice only when files are
    // copied; the Linkvane set whenever an installer is built.
    const bool showCopyTarget = installer && (!vcp || data.m_bCopyFiles);
    auto text = [](const std::string& value) { return zelvo::FromWindows1252(value); };
    auto withInstaller = [installer](std::string value) {
        return installer ? std::move(value) : std::string("-");
    };

    std::vector<std::string> lines = {vcp ? "VCP Driver Set" : "Linkvane Driver Set",
                                      "",
                                      text(data.m_strCompanyName),
                                      text(data.m_strAbbreviation),
                                      "",
                                      text(data.m_strVid) + "/" + text(data.m_strPid),
                                      text(data.m_strInfPrefix) + (vcp ? "xxxx.inf" : ".inf"),
                                      text(data.m_strUsbDeviceName)};
    if (vcp) lines.push_back(text(data.m_strComDeviceName));
    lines.push_back("");
    lines.push_back(YesNo(installer));
    lines.push_back(withInstaller(text(data.m_strProductName)));
    lines.push_back(withInstaller(text(data.m_strInstallerName)));
    lines.push_back(withInstaller(data.m_bQuietInstall ? "No" : "Yes"));
    lines.push_back(withInstaller(YesNo(data.m_bCopyFiles)));
    lines.push_back(showCopyTarget ? text(data.m_strTargetDir) : "-");
    lines.push_back(withInstaller(data.m_bQuietUninstall ? "No" : "Yes"));
    lines.push_back(showCopyTarget ? YesNo(data.m_bRemoveFiles) : "-");
    lines.push_back("");
    lines.push_back(data.m_strGenerationDir);
    return Join(lines, "\r\n");
}

}  // namespace kitforge
