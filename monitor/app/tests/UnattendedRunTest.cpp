// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvomon-cli left alone beside a chamber: a check that changes nothing, one
// monitor per folder, run numbers that survive a kill, sensors that come back and
// assignments that nobody changes unasked.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "CliRun.hpp"
#include "Strings.hpp"
#include "SweepClock.hpp"

namespace {

using zelvo::testing::CliRun;
using zelvo::testing::Eventually;
using zelvo::testing::Lines;

::testing::AssertionResult Has(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no \"" << part << "\" in:\n" << text;
}

std::vector<int> StartedRuns(const std::string& log) {
    std::vector<int> runs;
    static const std::regex start("Start Log\\tRun: (\\d+)\\t");
    for (const std::string& line : Lines(log, "\r\n")) {
        std::smatch m;
        if (std::regex_search(line, m, start)) runs.push_back(std::stoi(m[1]));
    }
    return runs;
}

TEST(UnattendedRunTest, TheSensorCheckChangesNothing) {
    CliRun cli("list");
    cli.EightSensors("Zelvo.log");
    cli.Edit("zelvo.cfg", {{"ZS0002", "ZS0099"}, {"ZS0004", ""}});
    ASSERT_EQ(cli.Run("--seconds 0.5", "devices=3"), 0) << cli.Err();
    const std::string setup = cli.Read("zelvo.cfg");
    const std::string log = cli.Read("Zelvo.log");
    ASSERT_EQ(cli.Run("--list", "devices=4"), 0) << cli.Err();
    const std::string out = cli.Out();
    EXPECT_TRUE(Has(out, "ZS0001\t5C3E\t-\tchannel 1 (Sensor 1)\n"));
    EXPECT_TRUE(Has(out, "ZS0004\t5C3E\t-\t-\n"));
    EXPECT_TRUE(Has(out, "ZS0099\t-\t-\tchannel 2 (Sensor 2): not found\n"));
    EXPECT_EQ(cli.Read("zelvo.cfg"), setup);
    EXPECT_EQ(cli.Read("Zelvo.log"), log);
    // The old way to check is refused, naming the new one.
    EXPECT_EQ(cli.Run("--seconds 0"), 2);
    EXPECT_TRUE(Has(cli.Err(), "use --list"));
}

TEST(UnattendedRunTest, OneMonitorPerApplicationFolder) {
    CliRun cli("lock");
    cli.EightSensors("Zelvo.log");
    cli.Spawn("--seconds 60");
    ASSERT_TRUE(Eventually([&] { return cli.Sweeps() >= 2; })) << cli.Err();
    const std::string second = cli.Command("--seconds 1") + " >out2.txt 2>err2.txt";
    EXPECT_EQ(WEXITSTATUS(std::system(second.c_str())), 1);
    EXPECT_TRUE(Has(zelvo::testing::Slurp(cli.Folder() / "err2.txt"),
                    "Only one instance of this application at a time."));
    // A check beside the running monitor writes nothing into its run.
    const std::string check = cli.Command("--list") + " >out3.txt 2>err3.txt";
    EXPECT_EQ(WEXITSTATUS(std::system(check.c_str())), 0);
    cli.Signal(SIGTERM);
    EXPECT_EQ(cli.Wait(), 0);
    EXPECT_EQ(StartedRuns(cli.Read("Zelvo.log")), std::vector<int>{42});
}

TEST(UnattendedRunTest, RunNumbersNeverRepeatAfterKills) {
    CliRun cli("kills");
    cli.EightSensors("Zelvo.log");
    cli.Edit("zelvo.cfg", {{"LogType=0", "LogType=1"}});  // every run appends to one log
    std::mt19937 random(7);
    for (int run = 0; run < 20; ++run) {
        cli.Spawn("");
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 800));
        cli.Signal(SIGKILL);
        cli.Wait();
    }
    // A hang-up ends a run in order, as a terminal closing or a service stopping does.
    cli.Spawn("");
    ASSERT_TRUE(Eventually([&] { return cli.Sweeps() >= 2; })) << cli.Err();
    cli.Signal(SIGHUP);
    EXPECT_EQ(cli.Wait(), 0) << cli.Err();
    const std::vector<int> runs = StartedRuns(cli.Read("Zelvo.log"));
    EXPECT_EQ(std::set<int>(runs.begin(), runs.end()).size(), runs.size());
    EXPECT_TRUE(Lines(cli.Read("Zelvo.log"), "\r\n").back().starts_with("Stop Log\tRun: "));
}

// The log fields of channel `ch` in each record: true where it has a reading.
std::vector<bool> ReadingsOf(const std::string& log, size_t ch) {
    std::vector<bool> readings;
    for (const std::string& line : Lines(log, "\r\n")) {
        if (!zelvo::testing::IsWholeRecord(line)) continue;
        const std::string field = zelvo::Split(line, ',').at(1 + 3 * ch);
        readings.push_back(field.find_first_not_of(' ') != std::string::npos);
    }
    return readings;
}

TEST(UnattendedRunTest, SensorsThatLeaveComeBackIntoTheSameRun) {
    CliRun cli("replug");
    cli.EightSensors("Zelvo.log");
    ASSERT_EQ(cli.Run("--seconds 8", "devices=8;d1.fault=replug:12:1;d5.fault=replug:20:0.5"), 0)
        << cli.Err();
    const std::string log = cli.Read("Zelvo.log");
    for (size_t ch : {1u, 5u}) {
        const std::string sensor =
            "Sensor " + std::to_string(ch + 1) + " (ZS000" + std::to_string(ch + 1) + ")";
        EXPECT_TRUE(Has(cli.Err(), sensor + " left at "));
        EXPECT_TRUE(Has(cli.Err(), sensor + " came back at "));
        // Readings, a gap, readings again: one run in one log.
        std::vector<bool> seen = ReadingsOf(log, ch);
        const auto gap = std::find(seen.begin(), seen.end(), false);
        EXPECT_TRUE(gap != seen.begin() && gap != seen.end() &&
                    std::find(gap, seen.end(), true) != seen.end())
            << ch << "\n"
            << log;
    }
    EXPECT_EQ(StartedRuns(log).size(), 1u);
}

TEST(UnattendedRunTest, AMissingSensorKeepsItsChannelUnlessReassigned) {
    CliRun cli("assign");
    const auto channelTwoMissing = [&] {  // and channel 3 free
        cli.EightSensors("Zelvo.log");
        cli.Edit("zelvo.cfg", {{"ZS0002", "ZS0099"}, {"ZS0003", ""}});
    };
    channelTwoMissing();
    ASSERT_EQ(cli.Run("--seconds 0.3", "devices=2"), 0) << cli.Err();
    EXPECT_TRUE(Has(cli.Read("zelvo.cfg"), "Sensor 2=Sensor 2;1000;1000;10000;ZS0099\r\n"));
    EXPECT_TRUE(Has(cli.Read("zelvo.cfg"), "Sensor 3=Sensor 3;1000;1000;10000;ZS0002\r\n"));
    channelTwoMissing();
    ASSERT_EQ(cli.Run("--seconds 0.3 --reassign", "devices=2"), 0) << cli.Err();
    EXPECT_TRUE(Has(cli.Read("zelvo.cfg"), "Sensor 2=Sensor 2;1000;1000;10000;ZS0002\r\n"));
}

TEST(UnattendedRunTest, TheSweepClockKeepsItsRhythmFromDeadlineToDeadline) {
    zelvo::cli::SweepClock clock(1000, 100);
    EXPECT_EQ(clock.WaitMs(1000), 100);
    clock.Advance(1100, 100);  // the sweep took 30 ms: 70 ms to the next one
    EXPECT_EQ(clock.WaitMs(1130), 70);
    clock.Advance(1200, 100);
    EXPECT_EQ(clock.WaitMs(1350), 0);  // late: the next sweep at once, in rhythm after it
    clock.Advance(1350, 100);
    EXPECT_EQ(clock.WaitMs(1350), 50);
    clock.Advance(1550, 100);  // more than a whole interval late: no burst, from now on
    EXPECT_EQ(clock.WaitMs(1550), 100);
}

}  // namespace
