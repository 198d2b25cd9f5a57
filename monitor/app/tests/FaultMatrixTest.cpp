// zelvomon-cli on eight simulated sensors with the data log on, one run of a few
// seconds for each fault of the simulator and for combinations of them. Every run
// must end by itself with its exit status, write the settings back, and leave a
// data log that holds one whole record line for every sweep in which a channel
// was read, between its start and stop lines.

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
    {"Unplug", "devices=8;d1.fault=unplug:14;d2.fault=unplug:30", 0, Records::EverySweep},
    {"Vanish", "devices=8;d1.fault=vanish:12;d3.fault=vanish:25", 0, Records::EverySweep},
    {"Slow", "devices=8;d1.fault=slow:30;d2.fault=slow:50", 0, Records::EverySweep},
    {"Split", "devices=8;fault=split;d0.fault=none", 0, Records::EverySweep},
    {"NulBytes", "devices=8;d1.reply=%00%00%00;d4.reply=%00", 0, Records::EverySweep},
    {"NoReply", "devices=8;d2.reply=;d5.reply=", 0, Records::EverySweep},
    {"MinusOneAndTwo", "devices=8;d1.fault=minus1;d6.fault=minus2", 0, Records::EverySweep},
    {"LettersAndZero", "devices=8;d3.fault=letters;d7.fault=zero", 0, Records::EverySweep},
    {"NoEchoAndLowerCase", "devices=8;d2.reply=41610702%0D%0A;d3.fault=lower", 0,
     Records::EverySweep},
    {"EveryFaultAtOnce",
     "devices=8;d1.fault=unplug:16;d2.fault=slow:50;d3.fault=split;d4.reply=%00;"
     "d5.fault=minus1;d6.fault=letters;d7.reply=4161%0D%0A",
     0, Records::EverySweep},
    {"GoneWhileSlow", "devices=8;fault=slow:40;d1.fault=vanish:16;d2.fault=unplug:18", 0,
     Records::EverySweep},
    {"AllMinusOne", "devices=8;fault=minus1", 0, Records::None},
    {"AllLetters", "devices=8;fault=letters", 0, Records::None},
    {"NoReadingReplies", "devices=8;reply=", 0, Records::None},
    {"BadGateCyclesEcho", "devices=8;d4.fault=badb", 1, Records::None},
    {"BadGateTimeEcho", "devices=8;d5.fault=badc", 1, Records::None},
    {"NoReplyAtStart", "devices=8;d2.fault=noreply;d6.fault=nul", 1, Records::None},
    {"NoEchoAtStart", "devices=8;d2.fault=noecho", 1, Records::None},
    {"TooSlowAtStart", "devices=8;d2.fault=slow:150", 1, Records::None},
    {"GoneAtStart", "devices=8;d1.fault=unplug:3;d2.fault=vanish:2", 1, Records::None},
};

class FaultMatrixTest : public ::testing::TestWithParam<FaultCase> {
  protected:
    zelvo::testing::CliRun cli_{"matrix", "matrix.log"};
};

TEST_P(FaultMatrixTest, EndsCleanlyKeepsTheSettingsAndLogsEveryReadSweep) {
    const FaultCase& c = GetParam();
    ASSERT_EQ(cli_.Run(c.sim, 2), c.exitStatus) << cli_.err;
    EXPECT_EQ(cli_.err.find("not saved"), std::string::npos) << cli_.err;
    const std::string settings = cli_.Read("zelvo.cfg");
    const bool started = c.exitStatus == 0;
    // Start advanced the run number and the settings were written back with it.
    EXPECT_NE(settings.find(started ? "RunNum=42\r\n" : "RunNum=41\r\n"), std::string::npos)
        << settings;
    EXPECT_NE(settings.find("Sensor 8=Sensor 8;1000;1000;10000;ZS0008"), std::string::npos)
        << settings;

    const size_t sweeps = cli_.Sweeps();
    if (!started) {
        EXPECT_EQ(sweeps, 0u);
        EXPECT_FALSE(std::filesystem::exists(cli_.Path("matrix.log")));
        return;
    }
    EXPECT_GT(sweeps, 0u) << cli_.out;

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
    EXPECT_EQ(records, c.records == Records::EverySweep ? sweeps : 0u) << cli_.out << log;
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrixTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
