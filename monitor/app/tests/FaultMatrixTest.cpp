// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvomon-cli on eight simulated sensors with the data log on, one run of a few
// seconds for each kind of fault of the simulator, in combinations (which status
// each fault gives is the sensor layer's to check). Every run must end by itself
// with its exit status, write the settings back, and leave a data log that holds
// one whole record line for every sweep in which a channel was read, between its
// start and stop lines.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliRun.hpp"

namespace {

// Whether a sweep of the case reads some channel, so that it is logged.
enum class Records { EverySweep, None };

struct FaultCase {
    const char* name;
    const char* sim;  // ZELVO_SIM for eight sensors ZS0001 to ZS0008
    int exitStatus;   // 0 run done, 1 run refused by a sensor
    Records records;
};

std::ostream& operator<<(std::ostream& out, const FaultCase& c) {
    return out << c.name;
}

// Faults that strike while the run is prepared refuse it (status 1); their
// versions during the run come from reading replies ("reply") and from sensors
// that go after a number of exchanges. Sensor 1 stays sound in the cases whose
// every sweep is logged.
const FaultCase kCases[] = {
    {"Sound", "devices=8;noise=0.5", 0, Records::EverySweep},
    {"EveryFaultAtOnce",
     "devices=8;d1.fault=unplug:16;d2.fault=slow:50;d3.fault=split;d4.reply=%00;"
     "d5.fault=minus1;d6.fault=letters;d7.reply=4161%0D%0A",
     0, Records::EverySweep},
    {"MinusTwoZeroLowerCaseNoReplyNoEcho",
     "devices=8;d1.fault=minus2;d2.fault=zero;d3.fault=lower;d4.reply=;"
     "d5.reply=41610702%0D%0A",
     0, Records::EverySweep},
    {"GoneWhileSlow", "devices=8;fault=slow:40;d1.fault=vanish:16;d2.fault=unplug:18", 0,
     Records::EverySweep},
    {"NoReadingReplies", "devices=8;reply=", 0, Records::None},
    {"BadGateEchoesAtStart", "devices=8;d4.fault=badb;d5.fault=badc", 1, Records::None},
    {"NoReplyOrEchoAtStart", "devices=8;d2.fault=noreply;d3.fault=noecho;d6.fault=nul", 1,
     Records::None},
    {"GoneOrTooSlowAtStart", "devices=8;d1.fault=unplug:3;d2.fault=vanish:2;d3.fault=slow:150", 1,
     Records::None},
};

class FaultMatrixTest : public ::testing::TestWithParam<FaultCase> {
  protected:
    zelvo::testing::CliRun cli_{"matrix"};
};

TEST_P(FaultMatrixTest, EndsCleanlyKeepsTheSettingsAndLogsEveryReadSweep) {
    const FaultCase& c = GetParam();
    cli_.EightSensors("matrix.log");
    ASSERT_EQ(cli_.Run("--seconds 2", c.sim), c.exitStatus) << cli_.Err();
    EXPECT_EQ(cli_.Err().find("not saved"), std::string::npos) << cli_.Err();
    const std::string settings = cli_.Read("zelvo.cfg");
    const bool started = c.exitStatus == 0;
    // Start advanced the run number and the settings were written back with it.
    EXPECT_EQ(cli_.RunNumber(), started ? 42 : 41) << settings;
    EXPECT_NE(settings.find("Sensor 8=Sensor 8;1000;1000;10000;ZS0008"), std::string::npos)
        << settings;

    const size_t sweeps = cli_.Sweeps();
    if (!started) {
        EXPECT_EQ(sweeps, 0u);
        EXPECT_FALSE(std::filesystem::exists(cli_.Path("matrix.log")));
        return;
    }
    EXPECT_GT(sweeps, 0u) << cli_.Out();

    const std::string log = cli_.Read("matrix.log");
    ASSERT_TRUE(log.ends_with("\r\n")) << log;
    const std::vector<std::string> lines = zelvo::testing::Lines(log, "\r\n");
    ASSERT_GE(lines.size(), 3u) << log;
    EXPECT_TRUE(lines.front().starts_with("Start Log\tRun: 42\tDate: ")) << lines.front();
    EXPECT_EQ(lines[1], "Time, Rate(A/s), Thick(kA), Frequency(Hz)");
    EXPECT_TRUE(lines.back().starts_with("Stop Log\tRun: 42\tDate: ")) << lines.back();
    for (size_t i = 2; i + 1 < lines.size(); ++i) {
        EXPECT_TRUE(zelvo::testing::IsWholeRecord(lines[i])) << "line " << i << ": " << lines[i];
    }
    const size_t records = lines.size() - 3;
    EXPECT_EQ(records, c.records == Records::EverySweep ? sweeps : 0u) << cli_.Out() << log;
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrixTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
