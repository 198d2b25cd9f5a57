// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CWizardData.hpp"
#include "InfTemplates.hpp"
#include "Strings.hpp"

using namespace kitforge;

namespace {

CWizardData Defaults(std::uint8_t type) {
    CWizardData data;
    data.LoadDefaults(type, "/home/u/");
    return data;
}

struct Line {
    std::size_t n;  // counting from 1
    std::string text;
};

// Fills the template, checks that every line ends with CR LF (the last one
// included) and compares the given lines.
void ExpectLines(std::string_view templ, const CWizardData& data, std::size_t count,
                 const std::vector<Line>& expected) {
    std::vector<std::string> lines = zelvo::Split(FillInfTemplate(templ, data), '\n');
    ASSERT_EQ(lines.back(), "");  // the last line has its line end too
    lines.pop_back();
    ASSERT_EQ(lines.size(), count);
    for (const auto& line : lines) EXPECT_TRUE(line.ends_with('\r')) << line;
    for (const auto& [n, want] : expected) EXPECT_EQ(lines.at(n - 1), want + "\r") << "line " << n;
}

}  // namespace

TEST(InfTemplates, BusInfHasTheValuesInserted) {
    ExpectLines(kBusInfTemplate, Defaults(INSTALL_VCP), 149,
                {{3, "; ostxbus.inf   -- Install the NR7x USB Composite Device drivers"},
                 {64, "%OSTX.CdcBus.Desc% = OSTXWdm.Install, USB\\VID_2E1A&PID_B3A0"},
                 {67, "%OSTX.CdcBus.Desc% = OSTXWdm.Install, USB\\VID_2E1A&PID_B3A0"},
                 {132, "Provider = \"Ostrelix\""},
                 {149, ";*** end of file ***"}});
}

TEST(InfTemplates, SerialInfKeepsTabsAndTrailingSpace) {
    ExpectLines(kSerialInfTemplate, Defaults(INSTALL_VCP), 151,
                {{3, "; Name:  ostxw2k.inf"},
                 {6, ";\tInstall the NR7x USB to UART Bridge Controller (WDM) on Win2000"},
                 {25, "CatalogFile=ostxser.cat"},
                 {63, "%OSTX.Comm.Desc% = OSTX.Install, USB\\VID_2E1A&PID_B3A0&MI_00&OS_NT"},
                 {80, "; common registry entries "},
                 {115, "ServiceType\t= 1\t\t\t;%SERVICE_KERNEL_DRIVER%"},
                 {117, "ErrorControl\t= 1\t\t\t;%SERVICE_ERROR_NORMAL%\t"},
                 {151, ";*** end of file ***"}});
}

TEST(InfTemplates, LinkvaneInfUpperCasesOnlyTheServiceName) {
    CWizardData data = Defaults(INSTALL_LINKVANE);
    data.m_strInfPrefix = "myLink";
    ExpectLines(kLinkvaneInfTemplate, data, 81,
                {{11, "CatalogFile=Vdlink.cat"},
                 {35, "%DESCRIPTION%=DriverInstall,USB\\VID_2E1A&PID_B3A1"},
                 {56, "AddService=MYLINK,2,DriverService"},
                 {76, "MFGNAME=\"Ostrelix\""},
                 {79, "FRIENDLYNAME=\"Linkvane Device\""},
                 {80, ""},
                 {81, ""}});
    EXPECT_EQ(data.m_strInfPrefix, "myLink");
}

// A quote inside a quoted INF value would end the string, so it is doubled. A
// percent sign is written once: every line that uses the value through its string
// key receives the value as written, and there "%%" would show as two signs.
// Elsewhere, and for single-byte text, values are inserted unchanged.
TEST(InfTemplates, OnlyQuotesAreDoubledInsideQuotedValues) {
    CWizardData data = Defaults(INSTALL_VCP);
    data.m_strCompanyName = "Acme \"Best\" 100% \xE9";
    data.m_strUsbDeviceName = "Dev %1 \"x\"";
    data.m_strComDeviceName = "Port \"A\"";
    data.m_strInfPrefix = "a%b";
    ExpectLines(kBusInfTemplate, data, 149,
                {{3, "; a%bbus.inf   -- Install the Dev %1 \"x\" drivers"},
                 {22, "CatalogFile=a%bbus.cat"},
                 {132, "Provider = \"Acme \"\"Best\"\" 100% \xE9\""},
                 {134, "DiskString = \"Dev %1 \"\"x\"\" Installation disk\""},
                 {140, "DriverSet = \"Port \"\"A\"\" Software\""}});
    ExpectLines(kSerialInfTemplate, data, 151,
                {{6, ";\tInstall the Port \"A\" (WDM) on Win2000"},
                 {135, "OSTX.Comm.Desc = \"Port \"\"A\"\"\""}});
    data.m_nInstallType = INSTALL_LINKVANE;
    ExpectLines(kLinkvaneInfTemplate, data, 81,
                {{77,
                  "INSTDISK=\"Acme \"\"Best\"\" 100% \xE9 Dev %1 \"\"x\"\" Driver "
                  "Installation Disc\""}});
}

// Fields as the INF parser splits and reads them: key at the first '=', fields at
// ',', comments after ';', quotes not counted, a doubled quote counted once, blanks
// around a field dropped; only fields with record values are listed.
TEST(InfTemplates, ValueFieldsAreMeasuredAsTheParserReadsThem) {
    const std::vector<InfValueField> fields = InfValueFields(
        "; «Prefix» in a comment\n"
        "Plain = no values\n"
        " Key = \"a\"\"b «Company»\" , x«VID»⇥, \"k;=,\"«PID» ; «UsbName»\n"
        "«Prefix»=1,«ComName»␠\n");
    ASSERT_EQ(fields.size(), 5u);
    const struct {
        std::string key;
        std::vector<std::string> tokens;
        std::size_t fixed;
    } want[] = {{"Key", {"Company"}, 4},
                {"Key", {"VID"}, 1},
                {"Key", {"PID"}, 4},
                {"«Prefix»", {"Prefix"}, 0},
                {"«Prefix»", {"ComName"}, 0}};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i].key, want[i].key) << i;
        EXPECT_EQ(fields[i].tokens, want[i].tokens) << i;
        EXPECT_EQ(fields[i].fixedLength, want[i].fixed) << i;
    }
}
