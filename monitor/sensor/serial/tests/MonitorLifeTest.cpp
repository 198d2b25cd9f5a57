// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor's whole life on the serial bridge library: zelvomon-cli finds the
// sensors zelvosim serves, assigns them on its first start, reads them with
// thickness growing at the simulated rates and lets the ports go. Its data log
// and shutdown do not depend on the bridge library (the program's own tests).

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

TEST(MonitorLifeTest, FindsAssignsAndReadsZelvosimSensorsAndLetsThePortsGo) {
    ZelvosimProcess sim("devices=2;d1.rate=4");
    const fs::path folder =
        fs::temp_directory_path() / ("zelvo_life_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string command = "cd '" + folder.string() + "' && ZELVO_PORTS='" + sim.Ports() +
                                "' " + ZELVO_CLI_PATH + " --app-dir lab --bridge " +
                                ZelvosimProcess::LibraryPath() +
                                " --seconds 1.5 >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    const std::string out = Slurp(folder / "out.txt"), err = Slurp(folder / "err.txt");
    fs::remove_all(folder);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << err;
    EXPECT_NE(err.find("Zelvo #ZS0002 is connected, but not assigned"), std::string::npos) << err;

    const std::vector<double> thickness = SensorValues(out, 1, "thick");
    const std::vector<double> frequency = SensorValues(out, 1, "freq");
    const std::vector<double> frequency2 = SensorValues(out, 2, "freq");
    ASSERT_GE(thickness.size(), 5u) << out;
    ASSERT_EQ(frequency2.size(), frequency.size()) << out;
    EXPECT_GT(thickness.back(), thickness.front());
    // Sensor 2 deposits twice as fast: its crystal has lost about twice as much.
    const double lost = 5980000.0 - frequency.back();
    const double lost2 = 5980000.0 - frequency2.back();
    ASSERT_GT(lost, 0.0) << out;
    EXPECT_NEAR(lost2 / lost, 2.0, 0.3) << out;
    // The library let the ports go: zelvosim still serves them and stops cleanly.
    EXPECT_EQ(sim.Stop(), 0);
}

}  // namespace
}  // namespace zelvo::testing
