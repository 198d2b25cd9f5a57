// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real kitforge program in its command-line mode.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "PackageFixture.hpp"
#include "Strings.hpp"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

// The package goes to pkg/ in the test folder, beside the program's output.
class BatchProgram : public kitforge::testing::PackageFixture {
  protected:
    // Runs kitforge with `options` as the shell splits them, then each of `more`
    // quoted as one argument (none holds a single quote).
    Result Run(const std::string& options, const std::vector<std::string>& more = {}) {
        std::string command = KITFORGE_EXE " " + options;
        for (const auto& arg : more) command += " '" + arg + "'";
        const std::string out = (root_ / "stdout").string(), err = (root_ / "stderr").string();
        const int wstatus = std::system((command + " >" + out + " 2>" + err).c_str());
        return {WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1, zelvo::ReadFileBytes(out),
                zelvo::ReadFileBytes(err)};
    }

    const std::string pkg_ = (root_ / "pkg").string();
};

}  // namespace

TEST_F(BatchProgram, WritesAFullVcpPackageWithChangedFields) {
    Result r =
        Run("--batch --type vcp --vid 1a2b --pid 00FF --inf-name acme --installer-name AcmeSetup "
            "--copy-files no --quiet-install yes --yes --output",
            {pkg_, "--company", "Acme \"Labs\""});
    ASSERT_EQ(r.status, 0) << r.err;
    // --yes answers the folder question, which is then not printed.
    EXPECT_EQ(r.err, "kitforge: Files Successfully Generated\n");
    EXPECT_EQ(Read("pkg/AcmeSetup.exe"), StandIn("installer.exe"));
    const std::string bus = Read("pkg/acmebus.inf");
    EXPECT_NE(bus.find("\r\n%OSTX.CdcBus.Desc% = OSTXWdm.Install, USB\\VID_1A2B&PID_00FF\r\n"),
              std::string::npos);
    EXPECT_NE(bus.find("\r\nProvider = \"Acme \"\"Labs\"\"\"\r\n"), std::string::npos);
    const std::string ini = Read("pkg/setup.ini");
    EXPECT_NE(ini.find("[Company Name]\r\nAcme \"Labs\"\r\n"), std::string::npos);
    EXPECT_NE(ini.find("[Install Quiet Mode]\r\nOn\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("[Install Directory]"), std::string::npos);
    EXPECT_TRUE(ini.ends_with("\r\nacmebus.cat\r\nacmeser.cat"));
}

TEST_F(BatchProgram, RefusalsFollowThePageOrderAndWriteNothing) {
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--vid", "2E1", "--usb-name", "", "--yes"}, "Please fill in all blanks."},
        {{"--target-dir", "C:\\a|b"}, "Directory cannot contain: / : * ? \" < > |"},
        {{},  // no --yes
         "Directory does not exist, do you want to create it? Answered No; --yes creates it."},
        {{"--company", "\xC5\x81ukasz"}, "Company Name cannot contain the character \"\xC5\x81\"."},
        {{"--company", std::string(490, 'c'), "--yes"},
         "Company Name and USB Device Name make the INF field INSTDISK 531 characters long; an "
         "INF field holds at most 511."},
    };
    for (auto [more, message] : rows) {
        more.insert(more.end(), {"--output", pkg_});
        Result r = Run("--batch --type linkvane", more);
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_EQ(r.err, "kitforge: " + message + "\n");
        EXPECT_FALSE(fs::exists(pkg_));
        for (const auto& entry : fs::directory_iterator(root_))  // nothing beside it either
            EXPECT_TRUE(entry.path().filename() == "stdout" || entry.path().filename() == "stderr")
                << entry.path();
    }
}

TEST_F(BatchProgram, GenerationFailureExitsWithOne) {
    fs::create_directories(pkg_ + "/Setup.exe");  // a folder where the installer goes
    Result r = Run("--batch --type linkvane --installer-name Setup --output", {pkg_});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "kitforge: Error: Could Not Open File For Write.\n"
              "kitforge: Error: Could Not Generate All Files.\n");
}

TEST_F(BatchProgram, HelpDocumentsEveryOption) {
    Result help = Run("--help");
    EXPECT_EQ(help.status, 0);
    for (const std::string& option : zelvo::Split(
             "type installer inf-only company abbreviation inf-name vid pid usb-name com-name "
             "product-name installer-name quiet-install copy-files target-dir quiet-uninstall "
             "remove-files output yes data-dir lint strict format",
             ' '))
        EXPECT_NE(help.out.find("--" + option), std::string::npos) << option;
}

TEST_F(BatchProgram, LintExitStatusFormatsAndUnknownOptions) {
    // A clean package exits 0: --batch lints what it wrote.
    ASSERT_EQ(Run("--batch --type linkvane --inf-only --yes --output", {pkg_}).status, 0);
    zelvo::WriteFileBytes(pkg_ + "/notes.txt", "x");
    Result warned = Run("--lint", {pkg_});
    EXPECT_EQ(warned.status, 1);
    EXPECT_TRUE(warned.out.ends_with("\n0 errors, 1 warning\n")) << warned.out;
    EXPECT_EQ(Run("--strict --lint", {pkg_}).status, 2);
    Result json = Run("--format json --lint", {pkg_});
    EXPECT_NE(json.out.find("\"warnings\": 1, \"problems\": [\n  {\"file\": \"notes.txt\", "
                            "\"line\": 0, \"severity\": \"warning\""),
              std::string::npos)
        << json.out;
    // --batch checks what it wrote: the folder holds a file no INF file names.
    Result batch = Run("--batch --type linkvane --inf-only --output", {pkg_});
    EXPECT_EQ(batch.status, 2);
    EXPECT_NE(batch.err.find("notes.txt:0: warning: "), std::string::npos) << batch.err;

    zelvo::WriteFileBytes(pkg_ + "/Vdlink.inf", "[Version]\r\n");
    EXPECT_EQ(Run("--lint", {pkg_}).status, 2);
    for (const char* options : {"--lint", "--frobnicate", "--lint . --format xml"}) {
        Result refused = Run(options);
        EXPECT_EQ(refused.status, 2) << options;
        EXPECT_NE(refused.err.find("\nUsage: kitforge"), std::string::npos) << options;
    }
}
