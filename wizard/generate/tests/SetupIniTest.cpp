// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CWizardData.hpp"
#include "SetupIni.hpp"

using namespace kitforge;

TEST(SetupIni, VcpDefaultsByteForByteWithoutFinalLineBreak) {
    CWizardData data;
    data.LoadDefaults(INSTALL_VCP, "/home/u/");
    EXPECT_EQ(SetupIniText(data),
              "[Driver Type]\r\nVCP NR7x Meridian\r\n\r\n"
              "[Driver Version]\r\n4.40\r\n\r\n"
              "[Product Name]\r\nOstrelix NR7x USB to UART Bridge\r\n\r\n"
              "[Company Name]\r\nOstrelix\r\n\r\n"
              "[VID]\r\n2E1A\r\n\r\n"
              "[PID]\r\nB3A0\r\n\r\n"
              "[Install Directory]\r\nC:\\Program Files\\Ostrelix\\MCU\\NR7x\\\r\n\r\n"
              "[Install Subdirectories]\r\nx86\r\nx64\r\n\r\n"
              "[Install Quiet Mode]\r\nOff\r\n\r\n"
              "[Uninstall Quiet Mode]\r\nOff\r\n\r\n"
              "[Copy Driver Files]\r\nYes\r\n\r\n"
              "[Remove Copied Files On Uninstall]\r\nYes\r\n\r\n"
              "[XP_2K_2K3_VISTA INF Files]\r\nostxbus.inf\r\nostxw2k.inf\r\n\r\n"
              "[XP_2K_2K3_VISTA Driver Files]\r\n"
              ".\\x64\\ostxbus.sys\r\n.\\x64\\ostxcmnt.sys\r\n.\\x64\\ostxser.sys\r\n"
              ".\\x64\\ostxwhnt.sys\r\n.\\x86\\ostxbus.sys\r\n.\\x86\\ostxcmnt.sys\r\n"
              ".\\x86\\ostxser.sys\r\n.\\x86\\ostxwhnt.sys\r\n\r\n"
              "[XP_2K_2K3_VISTA Catalog Files]\r\nostxbus.cat\r\nostxser.cat");
}

// Values go in unchanged (no quote or percent doubling, single-byte text kept).
TEST(SetupIni, LinkvaneQuietWithoutCopyEndsWithCrLf) {
    CWizardData data;
    data.LoadDefaults(INSTALL_LINKVANE, "/home/u/");
    data.m_bCopyFiles = 0;
    data.m_bQuietInstall = 1;
    data.m_bQuietUninstall = 7;  // any non-zero flag is true
    data.m_strProductName = "Say \"Hi\" 100%";
    data.m_strCompanyName = "M\xFCller";  // Windows-1252 u-umlaut
    EXPECT_EQ(
        SetupIniText(data),
        "[Driver Type]\r\nLinkvane\r\n\r\n"
        "[Driver Version]\r\n3.1\r\n\r\n"
        "[Product Name]\r\nSay \"Hi\" 100%\r\n\r\n"
        "[Company Name]\r\nM\xFCller\r\n\r\n"
        "[VID]\r\n2E1A\r\n\r\n"
        "[PID]\r\nB3A1\r\n\r\n"
        "[Install Subdirectories]\r\nx86\r\nx64\r\n\r\n"
        "[Install Quiet Mode]\r\nOn\r\n\r\n"
        "[Uninstall Quiet Mode]\r\nOn\r\n\r\n"
        "[Copy Driver Files]\r\nNo\r\n\r\n"
        "[XP_2K_2K3_VISTA INF Files]\r\nVdlink.inf\r\n\r\n"
        "[XP_2K_2K3_VISTA Driver Files]\r\n"
        ".\\x64\\Vdlink.sys\r\n.\\x64\\Vdcore.sys\r\n.\\x86\\Vdlink.sys\r\n.\\x86\\Vdcore.sys\r\n"
        "\r\n"
        "[XP_2K_2K3_VISTA Catalog Files]\r\nvdlink.cat\r\n");
}
