#include <gtest/gtest.h>

#include "CWizardData.hpp"
#include "InfTemplates.hpp"
#include "PackageFixture.hpp"

using namespace kitforge;
using kitforge::testing::CrLfLines;

namespace {

CWizardData Defaults(std::uint8_t type) {
    CWizardData data;
    data.LoadDefaults(type, "/home/u/");
    return data;
}

// Line n (counting from 1) of the filled template.
struct Filled {
    explicit Filled(std::string_view templ, const CWizardData& data)
        : text(FillInfTemplate(templ, data)), lines(CrLfLines(text)) {}
    const std::string& operator[](std::size_t n) const { return lines.at(n - 1); }
    std::string text;
    std::vector<std::string> lines;
};

}  // namespace

TEST(InfTemplates, BusInfHasItsLinesWithTheValuesInserted) {
    Filled inf(kBusInfTemplate, Defaults(INSTALL_VCP));
    ASSERT_EQ(inf.lines.size(), 149u);
    EXPECT_EQ(inf[1],
              ";*****************************************************************************");
    EXPECT_EQ(inf[3], "; ostxbus.inf   -- Install the NR7x USB Composite Device drivers");
    for (int n = 5; n <= 12; ++n) EXPECT_EQ(inf[n].front(), ';') << "licensor line " << n;
    EXPECT_EQ(inf[6], ";");
    EXPECT_EQ(inf[8], ";");
    EXPECT_EQ(inf[15], "");
    EXPECT_EQ(inf[19], "ClassGuid={36FC9E60-c465-11cf-8056-444553540000}");
    EXPECT_EQ(inf[21], "DriverVer=02/22/2007,4.40.1.0");
    EXPECT_EQ(inf[22], "CatalogFile=ostxbus.cat");
    EXPECT_EQ(inf[40], "1=%DiskString%,\"ostxbus.sys\",,\\x86");
    EXPECT_EQ(inf[45], "1=%DiskString%,\"ostxbus.sys\",,\\x64");
    EXPECT_EQ(inf[64], "%OSTX.CdcBus.Desc% = OSTXWdm.Install, USB\\VID_2E1A&PID_B3A0");
    EXPECT_EQ(inf[67], "%OSTX.CdcBus.Desc% = OSTXWdm.Install, USB\\VID_2E1A&PID_B3A0");
    EXPECT_EQ(inf[97], "AddService      = ostxbus, 2, OSTXWdm.AddService");
    EXPECT_EQ(inf[123], "ostxwh.sys,ostxwhnt.sys");
    EXPECT_EQ(inf[132], "Provider = \"Ostrelix\"");
    EXPECT_EQ(inf[133], "OSTX = \"Ostrelix\"");
    EXPECT_EQ(inf[134], "DiskString = \"NR7x USB Composite Device Installation disk\"");
    EXPECT_EQ(inf[136], "OSTX.CdcBus.Desc = \"NR7x USB Composite Device\"");
    EXPECT_EQ(inf[137], "OSTX.Service.Desc = \"NR7x USB Composite Device driver (WDM)\"");
    EXPECT_EQ(inf[139], "CustomerDataPath = \"NR7x USB to UART Bridge Controller\"");
    EXPECT_EQ(inf[140], "DriverSet = \"NR7x USB to UART Bridge Controller Software\"");
    EXPECT_EQ(inf[149], ";*** end of file ***");
}

TEST(InfTemplates, SerialInfKeepsTabsAndTrailingSpace) {
    Filled inf(kSerialInfTemplate, Defaults(INSTALL_VCP));
    ASSERT_EQ(inf.lines.size(), 151u);
    EXPECT_EQ(inf[3], "; Name:  ostxw2k.inf");
    EXPECT_EQ(inf[6], ";\tInstall the NR7x USB to UART Bridge Controller (WDM) on Win2000");
    for (int n = 8; n <= 15; ++n) EXPECT_EQ(inf[n].front(), ';') << "licensor line " << n;
    EXPECT_EQ(inf[22], "ClassGuid={4D36E978-E325-11CE-BFC1-08002BE10318}");
    EXPECT_EQ(inf[25], "CatalogFile=ostxser.cat");
    EXPECT_EQ(inf[63], "%OSTX.Comm.Desc% = OSTX.Install, USB\\VID_2E1A&PID_B3A0&MI_00&OS_NT");
    EXPECT_EQ(inf[66], "%OSTX.Comm.Desc% = OSTX.Install, USB\\VID_2E1A&PID_B3A0&MI_00&OS_NT");
    EXPECT_EQ(inf[73], "AddReg\t\t= OSTX.AddReg,OSTX.NT.AddReg");
    EXPECT_EQ(inf[74], "CopyFiles\t= CopyFiles, CopyFiles.Win2K");
    EXPECT_EQ(inf[80], "; common registry entries ");
    EXPECT_EQ(inf[85],
              "HKR,,InitialBaudRate, 0x10001, 00,C2,01,00                      ;115200 initial "
              "baud rate");
    EXPECT_EQ(inf[115], "ServiceType\t= 1\t\t\t;%SERVICE_KERNEL_DRIVER%");
    EXPECT_EQ(inf[117], "ErrorControl\t= 1\t\t\t;%SERVICE_ERROR_NORMAL%\t");
    EXPECT_EQ(inf[118], "ServiceBinary\t= %12%\\ostxser.sys");
    EXPECT_EQ(inf[131], "Provider = \"Ostrelix\"");
    EXPECT_EQ(inf[132], "OSTX = \"Ostrelix\"");
    EXPECT_EQ(inf[133], "DiskString = \"NR7x USB to UART Bridge Controller Drivers\"");
    EXPECT_EQ(inf[135], "OSTX.Comm.Desc = \"NR7x USB to UART Bridge Controller\"");
    EXPECT_EQ(inf[136], "OSTX.Service.Name = \"NR7x USB to UART Bridge Controller Drivers\"");
    EXPECT_EQ(inf[137], "OSTX.Service.Desc = \"NR7x USB to UART Bridge Controller Drivers\"");
    EXPECT_EQ(inf[140], "CustomerDataPath = \"NR7x USB to UART Bridge Controller\"");
    EXPECT_EQ(inf[141], "DriverSet = \"NR7x USB to UART Bridge Controller Driver Set\"");
    EXPECT_EQ(inf[150], "");
    EXPECT_EQ(inf[151], ";*** end of file ***");
}

TEST(InfTemplates, LinkvaneInfUpperCasesOnlyTheServiceName) {
    CWizardData data = Defaults(INSTALL_LINKVANE);
    data.m_strInfPrefix = "myLink";
    Filled inf(kLinkvaneInfTemplate, data);
    ASSERT_EQ(inf.lines.size(), 81u);
    EXPECT_EQ(inf[1], "; Ostrelix Linkvane Driver");
    EXPECT_EQ(inf[2].front(), ';');
    EXPECT_EQ(inf[8], "ClassGUID={36fc9e60-c465-11cf-8056-444553540000}");
    EXPECT_EQ(inf[11], "CatalogFile=Vdlink.cat");
    EXPECT_EQ(inf[17], "DefaultDestDir=10\t\t;System32\\Drivers");
    EXPECT_EQ(inf[18], "DriverCopyFiles=10\t\t,System32\\Drivers");
    EXPECT_EQ(inf[35], "%DESCRIPTION%=DriverInstall,USB\\VID_2E1A&PID_B3A1");
    EXPECT_EQ(inf[38], "%DESCRIPTION%=DriverInstall,USB\\VID_2E1A&PID_B3A1");
    EXPECT_EQ(inf[56], "AddService=MYLINK,2,DriverService");
    EXPECT_EQ(inf[76], "MFGNAME=\"Ostrelix\"");
    EXPECT_EQ(inf[77], "INSTDISK=\"Ostrelix Linkvane Device Driver Installation Disc\"");
    EXPECT_EQ(inf[78], "DESCRIPTION=\"Linkvane Device\"");
    EXPECT_EQ(inf[79], "FRIENDLYNAME=\"Linkvane Device\"");
    EXPECT_TRUE(inf.text.ends_with("FRIENDLYNAME=\"Linkvane Device\"\r\n\r\n\r\n"));
    EXPECT_EQ(data.m_strInfPrefix, "myLink");
}

TEST(InfTemplates, QuotesAndPercentAreDoubledOnlyInsideQuotedValues) {
    CWizardData data = Defaults(INSTALL_VCP);
    data.m_strCompanyName = "Acme \"Best\" 100%";
    data.m_strUsbDeviceName = "Dev %1 \"x\"";
    data.m_strComDeviceName = "Port \"A\"";
    data.m_strInfPrefix = "a%b";
    Filled bus(kBusInfTemplate, data);
    EXPECT_EQ(bus[3], "; a%bbus.inf   -- Install the Dev %1 \"x\" drivers");
    EXPECT_EQ(bus[22], "CatalogFile=a%bbus.cat");
    EXPECT_EQ(bus[132], "Provider = \"Acme \"\"Best\"\" 100%%\"");
    EXPECT_EQ(bus[134], "DiskString = \"Dev %%1 \"\"x\"\" Installation disk\"");
    EXPECT_EQ(bus[140], "DriverSet = \"Port \"\"A\"\" Software\"");

    Filled serial(kSerialInfTemplate, data);
    EXPECT_EQ(serial[6], ";\tInstall the Port \"A\" (WDM) on Win2000");
    EXPECT_EQ(serial[135], "OSTX.Comm.Desc = \"Port \"\"A\"\"\"");

    data.m_nInstallType = INSTALL_LINKVANE;
    Filled linkvane(kLinkvaneInfTemplate, data);
    EXPECT_EQ(linkvane[77],
              "INSTDISK=\"Acme \"\"Best\"\" 100%% Dev %%1 \"\"x\"\" Driver Installation Disc\"");
}

TEST(InfTemplates, RecordBytesAreWrittenUnchanged) {
    CWizardData data = Defaults(INSTALL_VCP);
    data.m_strCompanyName = "Caf\xE9 \x80";  // Windows-1252 e-acute and euro sign
    Filled bus(kBusInfTemplate, data);
    EXPECT_EQ(bus[132], "Provider = \"Caf\xE9 \x80\"");
}
