// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The package check over packages that kitforge writes: each clean, and each
// broken by hand in one place found at its file and line.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "KitforgePageInput.hpp"
#include "PackageFixture.hpp"
#include "PackageLint.hpp"
#include "Strings.hpp"

namespace fs = std::filesystem;
using namespace kitforge;

namespace {

class Lint : public kitforge::testing::PackageFixture {
  protected:
    void Write(CWizardData record) {
        fs::remove_all(root_);
        fs::create_directories(root_);
        ASSERT_TRUE(GeneratePackage(record)) << zelvo::Split(MessageTexts().back(), '\n')[0];
    }
    // The report's lines without the count line.
    std::vector<std::string> Problems() {
        lint::LintReport report;
        EXPECT_FALSE(lint::LintFolder(root_.string(), report));
        std::vector<std::string> lines = zelvo::Split(lint::FormatText(report), '\n');
        lines.resize(lines.size() - 2);
        return lines;
    }
    void Edit(const std::string& file, const std::string& from, const std::string& to,
              bool all = false) {
        std::string bytes = Read(file);
        std::size_t at = bytes.find(from);
        ASSERT_NE(at, std::string::npos) << file << ": " << from;
        for (; at != std::string::npos; at = all ? bytes.find(from, at + to.size()) : at) {
            bytes.replace(at, from.size(), to);
            if (!all) break;
        }
        zelvo::WriteFileBytes((root_ / file).string(), bytes);
    }
    void Move(const std::string& from, const std::string& to) {
        fs::rename(root_ / from, root_ / to);
    }
};

// Draws typed values as a person or a script might type them: a third four
// characters long (a VID's length), half of them hexadecimal digits, the rest
// from characters the INF files and setup.ini treat specially, now and then a
// control character that the pages refuse.
class RandomInput {
  public:
    explicit RandomInput(unsigned seed) : random_(seed) {}
    bool ConsumeBool() { return random_() % 2 == 0; }
    std::string ConsumeRandomLengthString(std::size_t max) {
        static const std::vector<std::string> pool = {
            "a",       "Z", "0", " ", "\t", "\"", "%", ";", ",",        "=",
            "\\",      "/", "[", "]", "&",  "$",  ".", "#", "\xC3\xA9", "\xE2\x82\xAC",
            "\xC2\xA0"};
        const std::size_t length =
            random_() % 3 == 0 ? std::min<std::size_t>(4, max) : random_() % (max + 1);
        const bool hex = ConsumeBool();
        std::string out;
        for (std::size_t i = 0; i < length; ++i) {
            if (random_() % 200 == 0) {
                out += "\xC2\x81";
            } else {
                out += hex ? std::string(1, "0123456789abcdef"[random_() % 16])
                           : pool[random_() % pool.size()];
            }
        }
        return out;
    }

  private:
    std::mt19937 random_;
};

}  // namespace

TEST_F(Lint, EveryPackageKitforgeWritesIsClean) {
    for (std::uint8_t type : {INSTALL_VCP, INSTALL_LINKVANE}) {
        for (int variant = 0; variant < 3; ++variant) {  // INF files only; copying or not
            CWizardData record = Record(type, variant != 0);
            record.m_bCopyFiles = variant == 1 ? 1 : 0;
            Write(record);
            EXPECT_EQ(Problems(), std::vector<std::string>()) << int(type) << "/" << variant;
        }
    }
    RandomInput input(7);
    int accepted = 0;
    for (int draw = 0; draw < 20000 && accepted < 100; ++draw) {
        CWizardData record;
        if (!fuzzing::AcceptedRecord(record, input, root_.string() + "/")) continue;
        ++accepted;
        Write(record);
        ASSERT_EQ(Problems(), std::vector<std::string>())
            << "company " << record.m_strCompanyName << ", INF " << record.m_strInfPrefix
            << ", USB " << record.m_strUsbDeviceName << ", product " << record.m_strProductName;
    }
    EXPECT_EQ(accepted, 100);
}

// Each row breaks one thing in a clean package and lists the problems expected, as
// the start of each report line, in the report's order.
TEST_F(Lint, FindsEachHandBrokenThingAtItsLine) {
    const std::uint8_t V = INSTALL_VCP, L = INSTALL_LINKVANE;
    const std::string bus = "ostxbus.inf", ser = "ostxw2k.inf", inf = "Vdlink.inf";
    const std::string ini = "setup.ini";
    struct Row {
        std::uint8_t type;
        std::function<void()> breakIt;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        // INF syntax
        {V,
         [&] { Edit(bus, "\n[ControlFlags]\r", "\n[ControlFlags\r"); },
         {"ostxbus.inf:24: error: the section header lacks its closing ']'"}},
        {V,
         [&] { Edit(bus, "\"$WINDOWS NT$\"", "\"$WINDOWS NT$"); },
         {"ostxbus.inf:17: error: a quoted string is not closed"}},
        {V,
         [&] { Edit(bus, "OSTX = \"Ostrelix\"", "OSTX = \"Ostrelix \"NR\" Labs\""); },
         {"ostxbus.inf:133: error: the quote before NR\" Labs\" ends the quoted string"}},
        {L,
         [&] { Edit(inf, "Vdlink.cat\r\n\r\n", "Vdlink.cat\\\r\n"); },
         {"Vdlink.inf:11: error: the '\\' at the end joins the section header of line 12"}},
        {V,
         [&] { Edit(bus, "; Specify target", "# Specify target"); },
         {"ostxbus.inf:28: error: '#' starts no comment"}},
        {V,
         [&] { Edit(bus, "Desc = \"", "Desc = \"" + std::string(500, 'x')); },
         {"ostxbus.inf:136: error: a field of 5"}},
        {L,
         [&] { Edit(inf, "\"Ostrelix\"", "\"Ostre\x81lix\""); },
         {"Vdlink.inf:76: error: byte 0x81 is no character of code page 1252"}},
        {L,
         [&] { Edit(inf, "; Ostrelix", "\xEF\xBB\xBF; Ostrelix"); },
         {"Vdlink.inf:1: error: the file starts with a Unicode byte-order mark"}},
        {L,
         [&] { Edit(inf, "\r\n", "\n", true); },
         {"Vdlink.inf:1: warning: 81 lines end with LF alone"}},
        {L,
         [&] { Edit(inf, "; Ostrelix", "Driver=1\r\n; Ostrelix"); },
         {"Vdlink.inf:1: error: an entry before the first section header"}},
        {L,
         [&] { Edit(inf, "%MFGNAME%\r", "%MFGNAME%;note\r"); },
         {"Vdlink.inf:9: warning: the ';' after \"Provider=%MFGNAME%\" starts a comment"}},
        {V,
         [&] { Edit(bus, "[OSTXWdm.AddReg]\r\n", "[ControlFlags]\r\n"); },
         {"ostxbus.inf:90: error: names the section [OSTXWdm.AddReg], which the file lacks",
          "ostxbus.inf:110: warning: section [ControlFlags] again, first on line 24"}},
        // strings
        {V,
         [&] { Edit(bus, "= %OSTX.Service.Desc%", "= %OSTX.Service.Dsc%"); },
         {"ostxbus.inf:100: error: %OSTX.Service.Dsc% has no entry in [Strings]",
          "ostxbus.inf:137: warning: the string OSTX.Service.Desc is used nowhere"}},
        {L,
         [&] { Edit(inf, "\"Linkvane Device\"\r\n\r\n", "\"X\"\r\nEXTRA=\"y\"\r\n"); },
         {"Vdlink.inf:80: warning: the string EXTRA is used nowhere in the file"}},
        {L,
         [&] { Edit(inf, "Provider=%MFGNAME%", "Provider=%MFGNAME"); },
         {"Vdlink.inf:9: error: the '%' in \"%MFGNAME\" starts no %key%"}},
        // hardware IDs
        {V,
         [&] { Edit(bus, "VID_2E1A", "VID_2E1G"); },
         {"ostxbus.inf:64: error: hardware ID \"USB\\VID_2E1G&PID_B3A0\" is not"}},
        {V,
         [&] { Edit(ser, "PID_B3A0", "PID_B3A2", true); },
         {"ostxw2k.inf:63: error: VID_2E1A&PID_B3A2 differs from VID_2E1A&PID_B3A0 in "
          "ostxbus.inf:64",
          "ostxw2k.inf:66: error: VID_2E1A&PID_B3A2 differs"}},
        {L,
         [&] { Edit(ini, "[PID]\r\nB3A1", "[PID]\r\nB3A2"); },
         {"setup.ini:17: error: VID_2E1A&PID_B3A2 differs from VID_2E1A&PID_B3A1"}},
        // files
        {V,
         [&] { fs::remove(root_ / "x64/ostxwhnt.sys"); },
         {"ostxbus.inf:52: error: x64/ostxwhnt.sys is not in the package",
          "setup.ini:46: error: x64/ostxwhnt.sys is not in the package"}},
        {L,
         [&] { Move("x64/Vdlink.sys", "Vdlink.sys"); },
         {"Vdlink.inf:31: error: x64/Vdlink.sys is not in the package, where [SourceDisksNames] "
          "and [SourceDisksFiles] place Vdlink.sys; the package has Vdlink.sys",
          "Vdlink.sys:0: warning: neither an INF file nor setup.ini names this file",
          "setup.ini:42: error: x64/Vdlink.sys is not in the package; the package has Vdlink.sys"}},
        {V,
         [&] { zelvo::WriteFileBytes((root_ / "x86/notes.txt").string(), "x"); },
         {"x86/notes.txt:0: warning: neither an INF file nor setup.ini names this file"}},
        // A file linked to its twin in the other folder is in its own folder all the same.
        {V,
         [&] {
             fs::remove(root_ / "x64/ostxser.sys");
             fs::create_symlink("../x86/ostxser.sys", root_ / "x64/ostxser.sys");
         },
         {}},
        {V,
         [&] { zelvo::WriteFileBytes((root_ / "ostxbus.cat").string(), "x"); },
         {"ostxw2k.inf:25: error: the catalog ostxser.cat is not in the package",
          "setup.ini:54: error: ostxser.cat is not in the package"}},
        {V,
         [&] { Edit(bus, "ostxwhnt.sys = 1\r\n", ""); },
         {"ostxbus.inf:122: error: ostxwhnt.sys is copied, but [SourceDisksFiles] does not list "
          "it for x86 and amd64",
          "ostxbus.inf:123: error: ostxwhnt.sys is copied"}},
        {V,
         [&] { Edit(bus, "[OSTXWdm.AddService]", "[OSTXWdm.AddSrvice]"); },
         {"ostxbus.inf:97: error: names the section [OSTXWdm.AddService], which the file lacks"}},
        {L,
         [&] { Edit(inf, "drivers\\Vdlink.sys", "drivers\\Vdlnk.sys"); },
         {"Vdlink.inf:62: error: the service runs \"Vdlnk.sys\", which no copy list"}},
        {V,
         [&] { Edit(bus, "$WINDOWS NT$", "$WINDOWS$"); },
         {"ostxbus.inf:17: error: the signature must be"}},
        // setup.ini
        {V,
         [&] { Move(ser, "acmew2k.inf"); },
         {"acmew2k.inf:0: warning: setup.ini does not list this INF file",
          "setup.ini:40: error: ostxw2k.inf is not in the package"}},
        {L,
         [&] { fs::remove(root_ / "LinkvaneInstaller.exe"); },
         {"setup.ini:0: error: no installer program (.exe) beside setup.ini"}},
        {L,
         [&] { Edit(ini, "[Install Quiet Mode]", "[Install Quiet Mod]"); },
         {"setup.ini:0: error: no [Install Quiet Mode] section",
          "setup.ini:26: warning: the installer reads no section [Install Quiet Mod]"}},
        {L,
         [&] { Edit(ini, "[Install Quiet Mode]\r\nOff", "[Install Quiet Mode]\r\nNo"); },
         {"setup.ini:27: error: [Install Quiet Mode] is On or Off, not \"No\""}},
        {L,
         [&] { Edit(ini, "[Copy Driver Files]\r\nYes", "[Copy Driver Files]\r\nNo"); },
         {"setup.ini:19: warning: [Install Directory] is read only when [Copy Driver Files] is Yes",
          "setup.ini:35: warning: [Remove Copied Files On Uninstall] is read only when"}},
    };
    for (const Row& row : rows) {
        Write(Record(row.type, true));
        row.breakIt();
        const std::vector<std::string> problems = Problems();
        std::string all;
        for (const std::string& line : problems) all += line + "\n";
        ASSERT_EQ(problems.size(), row.expected.size()) << all;
        for (std::size_t i = 0; i < problems.size(); ++i)
            EXPECT_TRUE(problems[i].starts_with(row.expected[i])) << problems[i];
    }
}
