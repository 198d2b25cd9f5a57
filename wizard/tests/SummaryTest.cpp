// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CWizardData.hpp"
#include "Strings.hpp"

using namespace kitforge;

namespace {

CWizardData Record(std::uint8_t type) {
    CWizardData data;
    data.LoadDefaults(type, "/home/u/");
    data.m_strGenerationDir = "/home/u/out/";
    return data;
}

std::string Values(const CWizardData& data) {
    const std::string text = GetSummaryValues(data);
    EXPECT_EQ(zelvo::Split(GetSummaryLabels(data), '\n').size(),
              zelvo::Split(text, '\n').size());  // each value faces its label
    return text;
}

}  // namespace

TEST(Summary, VcpWithInstallerShowsNonAsciiTextDecodedOnce) {
    CWizardData data = Record(INSTALL_VCP);
    data.m_strCompanyName = "Caf\xE9";
    EXPECT_EQ(GetSummaryLabels(data),
              "* Install Type:\n\n* Company Name:\n* Abbreviation:\n\n* VID/PID:\n"
              "* INF File Names:\n* USB Device Name:\n* COM Device Name:\n\n"
              "* Generate Installer?\n* Product Name:\n* Installer Name:\n* Display Install?\n"
              "* Copy Files?\n* Target Directory:\n* Display Uninstall?\n* Remove Files?\n\n"
              "* Generation Directory:");
    EXPECT_EQ(Values(data),
              "VCP Driver Set\r\n\r\nCaf\xC3\xA9\r\nostx\r\n\r\n2E1A/B3A0\r\nostxxxxx.inf\r\n"
              "NR7x USB Composite Device\r\nNR7x USB to UART Bridge Controller\r\n\r\n"
              "Yes\r\nOstrelix NR7x USB to UART Bridge\r\nNR7xVCPInstaller\r\nYes\r\nYes\r\n"
              "C:\\Program Files\\Ostrelix\\MCU\\NR7x\\\r\nYes\r\nYes\r\n\r\n/home/u/out/");
}

TEST(Summary, CopyOffHidesTargetForVcpOnlyAndInfOnlyShowsDashes) {
    CWizardData vcp = Record(INSTALL_VCP);
    vcp.m_bCopyFiles = 0;
    vcp.m_bQuietInstall = 1;
    EXPECT_NE(Values(vcp).find("\r\nNR7xVCPInstaller\r\nNo\r\nNo\r\n-\r\nYes\r\n-\r\n"),
              std::string::npos);

    CWizardData linkvane = Record(INSTALL_LINKVANE);
    linkvane.m_bCopyFiles = 0;  // no COM device line; the target stays shown
    EXPECT_NE(Values(linkvane).find("\r\nVdlink.inf\r\nLinkvane Device\r\n\r\nYes\r\n"),
              std::string::npos);
    EXPECT_NE(Values(linkvane).find(
                  "\r\nNo\r\nC:\\Program Files\\Ostrelix\\MCU\\Linkvane\\\r\nYes\r\nYes\r\n"),
              std::string::npos);

    vcp.m_bGenerateInstaller = 0;
    EXPECT_NE(Values(vcp).find("\r\n\r\nNo\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n\r\n/home/u/out/"),
              std::string::npos);
    EXPECT_EQ(GetSummaryValues(CWizardData()), "");
}
