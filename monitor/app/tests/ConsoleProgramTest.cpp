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

namespace {

TEST_F(ConsoleProgramTest, MaterialsAreListedWithTheUsersFileAddingAndOverriding) {
    fs::create_directories(folder_ / "lab");
    std::ofstream(folder_ / "lab" / "materials.txt")
        << "Gold = Au; 19.32; 0.38\r\nMy alloy = AuPd; 15; 0.5\r\nGold plated\r\n";
    ASSERT_EQ(Run("--app-dir lab --materials"), 0) << err_;
    EXPECT_NE(out_.find("Aluminium"), std::string::npos) << out_;
    EXPECT_NE(out_.find("Al           2.700     1.080\n"), std::string::npos) << out_;
    EXPECT_NE(out_.find("Au          19.320     0.380\n"), std::string::npos) << out_;
    EXPECT_NE(out_.find("My alloy"), std::string::npos) << out_;
    EXPECT_EQ(err_,
              "zelvomon-cli: materials.txt, line 3: not a material line (Name = Formula; "
              "Density; Z factor[; Acoustic impedance]) (skipped)\n");
    EXPECT_FALSE(fs::exists(folder_ / "lab" / "zelvo.cfg"));  // nothing was run
}

TEST_F(ConsoleProgramTest, AMaterialChosenForAChannelReachesTheSetupFile) {
    ASSERT_EQ(Run("--app-dir lab --material 1=gold --material='2=Aluminium nitride'"), 0) << err_;
    const std::string setup = Slurp(folder_ / "lab" / "zelvo.cfg");
    EXPECT_NE(setup.find("Sensor 1=Gold;19300;381;10000;"), std::string::npos) << setup;
    EXPECT_NE(setup.find("Sensor 2=Aluminium nitride;3260;428;10000;"), std::string::npos) << setup;
    for (const char* bad : {"--material 9=Gold", "--material 0=Gold", "--material 1.5=Gold",
                            "--material Gold", "--material 1=Kryptonite"}) {
        EXPECT_EQ(Run(std::string("--app-dir lab ") + bad), 2) << bad;
        EXPECT_NE(err_.find("zelvomon-cli: "), std::string::npos) << bad;
    }
    // Locked parameters refuse the choice as they refuse typing: no run.
    std::string locked = Slurp(folder_ / "lab" / "zelvo.cfg");
    const size_t at = locked.find("Locked=0");
    ASSERT_NE(at, std::string::npos) << locked;
    locked.replace(at, 8, "Locked=1");
    std::ofstream(folder_ / "lab" / "zelvo.cfg", std::ios::binary) << locked;
    EXPECT_EQ(Run("--app-dir lab --material 1=Silver"), 1);
    EXPECT_NE(err_.find("channel 1 keeps its material: the parameters are locked"),
              std::string::npos)
        << err_;
    EXPECT_NE(Slurp(folder_ / "lab" / "zelvo.cfg").find("Sensor 1=Gold;19300;"), std::string::npos);
}

}  // namespace
