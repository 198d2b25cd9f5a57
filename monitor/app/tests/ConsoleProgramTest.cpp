// zelvomon-cli run as a lab runs it: from a shell, in a folder of its own, on the
// simulated sensors.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class ConsoleProgramTest : public ::testing::Test {
  protected:
    ConsoleProgramTest() { fs::create_directories(folder_); }
    ~ConsoleProgramTest() override { fs::remove_all(folder_); }

    // Runs the program in the scratch folder with the given options; returns its
    // exit status and keeps its standard output and error.
    int Run(const std::string& options, const std::string& sim = "devices=1") {
        const std::string bridge = options.find("--simulate") == std::string::npos
                                       ? std::string(" --bridge ") + ZELVO_SIM_LIBRARY_PATH
                                       : std::string();
        const std::string command = "cd '" + folder_.string() + "' && ZELVO_SIM='" + sim + "' " +
                                    ZELVO_CLI_PATH + bridge + " --seconds 0 " + options +
                                    " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        out_ = Slurp(folder_ / "out.txt");
        err_ = Slurp(folder_ / "err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static std::string Slurp(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder_ = fs::temp_directory_path() / ("zelvo_cli_" + std::to_string(::getpid()));
    std::string out_, err_;
};

TEST_F(ConsoleProgramTest, ARelativeApplicationFolderKeepsItsSettings) {
    ASSERT_EQ(Run("--app-dir lab"), 0) << err_;
    EXPECT_TRUE(fs::exists(folder_ / "lab" / "zelvo.cfg")) << err_;
    // The second run, on the simulator found beside the program, reads the run number
    // the first one wrote.
    ASSERT_EQ(Run("--app-dir lab --simulate"), 0) << err_;
    EXPECT_NE(err_.find("Run # 3"), std::string::npos) << err_;
    EXPECT_EQ(err_.find("Not Found."), std::string::npos) << err_;
}

TEST_F(ConsoleProgramTest, ARunThatCannotStartOrSettingsThatCannotBeSavedFail) {
    // The sensor refuses its measurement period: no run, and the caller is told.
    EXPECT_EQ(Run("--app-dir lab", "devices=1;d0.fault=badc"), 1);
    EXPECT_NE(err_.find("ZS0001): measurement period"), std::string::npos) << err_;
    // The setup file is a folder: the settings cannot be written back.
    fs::remove_all(folder_ / "lab");
    fs::create_directories(folder_ / "lab" / "zelvo.cfg");
    EXPECT_NE(Run("--app-dir lab"), 0) << err_;
}

}  // namespace
