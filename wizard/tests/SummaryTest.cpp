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

std::vector<std::string> Values(const CWizardData& data) {
    std::string text = GetSummaryValues(data);
    EXPECT_FALSE(text.ends_with("\r\n"));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

TEST(Summary, VcpWithInstallerFacesEachLabel) {
    CWizardData data = Record(INSTALL_VCP);
    data.m_strCompanyName = "Caf\xE9";
    EXPECT_EQ(GetSummaryLabels(data),
              "* Install Type:\n\n* Company Name:\n* Abbreviation:\n\n* VID/PID:\n"
              "* INF File Names:\n* USB Device Name:\n* COM Device Name:\n\n"
              "* Generate Installer?\n* Product Name:\n* Installer Name:\n* Display Install?\n"
              "* Copy Files?\n* Target Directory:\n* Display Uninstall?\n* Remove Files?\n\n"
              "* Generation Directory:");
    std::vector<std::string> expected = {"VCP Driver Set",
                                         "",
                                         "Caf\xC3\xA9",
                                         "ostx",
                                         "",
                                         "2E1A/B3A0",
                                         "ostxxxxx.inf",
                                         "NR7x USB Composite Device",
                                         "NR7x USB to UART Bridge Controller",
                                         "",
                                         "Yes",
                                         "Ostrelix NR7x USB to UART Bridge",
                                         "NR7xVCPInstaller",
                                         "Yes",
                                         "Yes",
                                         "C:\\Program Files\\Ostrelix\\MCU\\NR7x\\",
                                         "Yes",
                                         "Yes",
                                         "",
                                         "/home/u/out/"};
    EXPECT_EQ(Values(data), expected);
    EXPECT_EQ(zelvo::Split(GetSummaryLabels(data), '\n').size(), expected.size());
}

TEST(Summary, CopyOffHidesTargetForVcpOnly) {
    CWizardData vcp = Record(INSTALL_VCP);
    vcp.m_bCopyFiles = 0;
    vcp.m_bQuietInstall = 1;
    auto v = Values(vcp);
    EXPECT_EQ(v[13], "No");  // Display Install?
    EXPECT_EQ(v[14], "No");  // Copy Files?
    EXPECT_EQ(v[15], "-");
    EXPECT_EQ(v[17], "-");

    CWizardData linkvane = Record(INSTALL_LINKVANE);
    linkvane.m_bCopyFiles = 0;
    auto l = Values(linkvane);
    ASSERT_EQ(l.size(), 19u);
    EXPECT_EQ(l[6], "Vdlink.inf");
    EXPECT_EQ(l[13], "No");
    EXPECT_EQ(l[14], "C:\\Program Files\\Ostrelix\\MCU\\Linkvane\\");
    EXPECT_EQ(l[16], "Yes");
    EXPECT_EQ(zelvo::Split(GetSummaryLabels(linkvane), '\n').size(), 19u);
}

TEST(Summary, InfOnlyShowsNoAndDashes) {
    CWizardData data = Record(INSTALL_VCP);
    data.m_bGenerateInstaller = 0;
    auto v = Values(data);
    EXPECT_EQ(v[10], "No");
    for (int i = 11; i <= 17; ++i) EXPECT_EQ(v[i], "-") << i;
    EXPECT_EQ(v[19], "/home/u/out/");
}

TEST(Summary, NoTypeGivesEmptyTexts) {
    CWizardData data;
    EXPECT_EQ(GetSummaryLabels(data), "");
    EXPECT_EQ(GetSummaryValues(data), "");
}
