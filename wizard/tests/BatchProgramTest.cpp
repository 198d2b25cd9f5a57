// Drives the real kitforge program in its command-line mode.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "TextFile.hpp"

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class BatchProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("kitforge-batch-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    Result Run(std::vector<std::string> args) {
        std::string outPath = (root_ / "stdout.txt").string();
        std::string errPath = (root_ / "stderr.txt").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        args.insert(args.begin(), KITFORGE_EXE);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        Result result;
        int spawned = posix_spawn(&pid, KITFORGE_EXE, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(spawned, 0);
        if (spawned != 0) return result;
        int wstatus = 0;
        EXPECT_EQ(::waitpid(pid, &wstatus, 0), pid);
        result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
        result.out = zelvo::ReadFileBytes(outPath);
        result.err = zelvo::ReadFileBytes(errPath);
        return result;
    }

    std::string Out(const std::string& rel) const { return (root_ / "pkg" / rel).string(); }
    static std::string StandIn(const std::string& rel) {
        return zelvo::ReadFileBytes(std::string(KITFORGE_DATA_DIR) + "/" + rel);
    }

    std::filesystem::path root_;
};

}  // namespace

TEST_F(BatchProgram, WritesAFullVcpPackageWithChangedFields) {
    Result r = Run({"--batch",
                    "--type",
                    "vcp",
                    "--company",
                    "Acme \"Labs\"",
                    "--vid",
                    "1a2b",
                    "--pid",
                    "00FF",
                    "--inf-name",
                    "acme",
                    "--installer-name",
                    "AcmeSetup",
                    "--copy-files",
                    "no",
                    "--quiet-install",
                    "yes",
                    "--output",
                    (root_ / "pkg").string(),
                    "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "kitforge: Directory does not exist, do you want to create it?\n"
              "kitforge: Files Successfully Generated\n");
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root_ / "pkg"))
        if (e.is_regular_file())
            files.push_back(std::filesystem::relative(e.path(), root_ / "pkg").string());
    EXPECT_EQ(files.size(), 12u);
    EXPECT_EQ(zelvo::ReadFileBytes(Out("AcmeSetup.exe")), StandIn("installer.exe"));
    EXPECT_EQ(zelvo::ReadFileBytes(Out("x64/ostxser.sys")), StandIn("x64/ostxser.sys"));
    std::string bus = zelvo::ReadFileBytes(Out("acmebus.inf"));
    EXPECT_NE(bus.find("\r\n%OSTX.CdcBus.Desc% = OSTXWdm.Install, USB\\VID_1A2B&PID_00FF\r\n"),
              std::string::npos);
    EXPECT_NE(bus.find("\r\nProvider = \"Acme \"\"Labs\"\"\"\r\n"), std::string::npos);
    std::string ini = zelvo::ReadFileBytes(Out("setup.ini"));
    EXPECT_NE(ini.find("[Company Name]\r\nAcme \"Labs\"\r\n"), std::string::npos);
    EXPECT_NE(ini.find("[Install Quiet Mode]\r\nOn\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("[Install Directory]"), std::string::npos);
    EXPECT_TRUE(ini.ends_with("\r\nacmebus.cat\r\nacmeser.cat"));
    EXPECT_TRUE(std::filesystem::exists(Out("acmew2k.inf")));
}

TEST_F(BatchProgram, RefusalsFollowThePageOrderAndWriteNothing) {
    std::string out = (root_ / "pkg").string();
    Result r = Run({"--batch", "--type", "linkvane", "--vid", "2E1", "--usb-name", "", "--output",
                    out, "--yes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kitforge: Please fill in all blanks.\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    r = Run({"--batch", "--type", "linkvane", "--target-dir", "C:\\a|b", "--output", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kitforge: Directory cannot contain: / : * ? \" < > |\n");

    r = Run({"--batch", "--type", "linkvane", "--output", out});  // no --yes
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kitforge: Directory does not exist, do you want to create it?\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    r = Run({"--batch", "--type", "vcp", "--company", "\xC5\x81ukasz", "--output", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kitforge: Company Name cannot contain the character \"\xC5\x81\".\n");
}

TEST_F(BatchProgram, GenerationFailureExitsWithOne) {
    std::filesystem::create_directories(root_ / "pkg");
    Result r = Run({"--batch", "--type", "linkvane", "--installer-name", "sub/Setup", "--output",
                    (root_ / "pkg").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "kitforge: Error: Could Not Open File For Write.\n"
              "kitforge: Error: Could Not Generate All Files.\n");
    EXPECT_TRUE(std::filesystem::exists(Out("x86/Vdcore.sys")));
}

TEST_F(BatchProgram, UsageErrorsAndHelp) {
    EXPECT_EQ(Run({"--batch"}).status, 2);
    EXPECT_EQ(Run({"--batch", "--type", "vcp", "--frobnicate"}).status, 2);
    EXPECT_EQ(Run({"--batch", "--type", "linkvane", "--com-name", "x"}).status, 2);
    EXPECT_EQ(Run({"--batch", "--type", "vcp", "--inf-only", "--product-name", "x"}).status, 2);
    EXPECT_EQ(Run({"--batch", "--type", "vcp", "--copy-files", "maybe"}).status, 2);
    Result help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"--type",          "--installer",  "--inf-only",     "--company",
          "--abbreviation",  "--inf-name",   "--vid",          "--pid",
          "--usb-name",      "--com-name",   "--product-name", "--installer-name",
          "--quiet-install", "--copy-files", "--target-dir",   "--quiet-uninstall",
          "--remove-files",  "--output",     "--yes",          "--data-dir"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
}

TEST_F(BatchProgram, DataDirReplacesTheCompiledInFiles) {
    std::filesystem::path data = root_ / "data";
    std::filesystem::copy(KITFORGE_DATA_DIR, data, std::filesystem::copy_options::recursive);
    zelvo::WriteFileBytes((data / "x86/Vdlink.sys").string(), "licensed bytes");
    Result r = Run({"--batch", "--type", "linkvane", "--inf-only", "--data-dir", data.string(),
                    "--output", (root_ / "pkg").string(), "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(zelvo::ReadFileBytes(Out("x86/Vdlink.sys")), "licensed bytes");
}
