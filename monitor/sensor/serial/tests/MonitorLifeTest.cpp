// The monitor's whole life on the serial bridge library: zelvomon-cli finds the
// sensors zelvosim serves, runs with thickness growing at the simulated rate,
// writes its data log and shuts down.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "ZelvosimProcess.hpp"

namespace zelvo::testing {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The numbers after "name=" for Sensor `channel` in every sweep line of the output.
std::vector<double> SensorValues(const std::string& out, int channel, const std::string& name) {
    std::vector<double> values;
    const std::regex pattern("Sensor " + std::to_string(channel) + ": [^|]*?" + name +
                             "=([-0-9.]+)");
    for (auto it = std::sregex_iterator(out.begin(), out.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        values.push_back(std::stod((*it)[1].str()));
    }
    return values;
}

class MonitorLifeTest : public ::testing::Test {
  protected:
    MonitorLifeTest() { fs::create_directories(folder_); }
    ~MonitorLifeTest() override { fs::remove_all(folder_); }

    int Run(const std::string& ports, double seconds) {
        const std::string command = "cd '" + folder_.string() + "' && ZELVO_PORTS='" + ports +
                                    "' " + ZELVO_CLI_PATH + " --app-dir lab --bridge " +
                                    ZelvosimProcess::LibraryPath() + " --seconds " +
                                    std::to_string(seconds) + " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        out_ = Slurp(folder_ / "out.txt");
        err_ = Slurp(folder_ / "err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path folder_ = fs::temp_directory_path() / ("zelvo_life_" + std::to_string(::getpid()));
    std::string out_, err_;
};

TEST_F(MonitorLifeTest, FindsRunsLogsAndShutsDownOnZelvosimSensors) {
    ZelvosimProcess sim("devices=2;d1.rate=4");
    // The first start assigns the two sensors and writes the setup file.
    ASSERT_EQ(Run(sim.Ports(), 0), 0) << err_;
    EXPECT_NE(err_.find("Zelvo #ZS0001 is connected, but not assigned"), std::string::npos);
    const fs::path setup = folder_ / "lab" / "zelvo.cfg";
    std::string settings = Slurp(setup);
    const size_t logKey = settings.find("LogEnabled=0");
    ASSERT_NE(logKey, std::string::npos) << settings;
    settings.replace(logKey, 12, "LogEnabled=1");
    std::ofstream(setup, std::ios::binary) << settings;

    ASSERT_EQ(Run(sim.Ports(), 1.5), 0) << err_;
    EXPECT_EQ(err_.find("assigned"), std::string::npos) << err_;
    const std::vector<double> thickness = SensorValues(out_, 1, "thick");
    const std::vector<double> rate = SensorValues(out_, 1, "rate");
    const std::vector<double> frequency = SensorValues(out_, 1, "freq");
    const std::vector<double> frequency2 = SensorValues(out_, 2, "freq");
    ASSERT_GE(thickness.size(), 5u) << out_;
    ASSERT_EQ(frequency2.size(), frequency.size()) << out_;
    EXPECT_GT(thickness.back(), thickness.front());
    EXPECT_GT(rate.back(), 0.0);
    // Sensor 2 deposits twice as fast: its crystal has lost about twice as much.
    const double lost = 5980000.0 - frequency.back();
    const double lost2 = 5980000.0 - frequency2.back();
    ASSERT_GT(lost, 0.0) << out_;
    EXPECT_NEAR(lost2 / lost, 2.0, 0.3) << out_;

    const std::string log = Slurp(folder_ / "lab" / "Zelvo.log");
    EXPECT_EQ(log.rfind("Start Log\tRun: ", 0), 0u) << log;
    EXPECT_NE(log.find("Stop Log\tRun: "), std::string::npos) << log;
    EXPECT_GE(std::count(log.begin(), log.end(), '\n'), 7) << log;
    // The library let the ports go: zelvosim still serves them and stops cleanly.
    EXPECT_EQ(sim.Stop(), 0);
}

}  // namespace
}  // namespace zelvo::testing
