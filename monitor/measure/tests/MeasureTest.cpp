// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The reading sweep and run control against a scripted sensor manager, and the
// whole life of the monitor against the simulated sensors.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "RunControl.hpp"
#include "Settings.hpp"
#include "SetupFile.hpp"
#include "SimControl.hpp"
#include "StartUp.hpp"
#include "Sweep.hpp"
#include "ZelvoSensors.hpp"
#include "cErrHandler.hpp"
#include "modUSB.hpp"
#include "testing/MainViewDoubles.hpp"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

class MeasureTest : public ::testing::Test {
  protected:
    // A scratch application folder, which also takes the error reports.
    MeasureTest() {
        fs::create_directories(folder_);
        SetAppInfo({.folder = folder_.string()});
        ErrHandler().Destination((folder_ / "ERRORS.TXT").string());
    }
    ~MeasureTest() override { fs::remove_all(folder_); }
    // One sweep of channel 0 with a scripted answer: its rate, thickness, frequency and life cells.
    std::string Sweep(int status, ReadingResult r, const std::string& serial = "S0") {
        s.ShowLast = 0;
        sensors_.readings[serial] = {status, r};
        GetReadings(h_.ctx);
        std::string row;
        for (int c : {0, 1, 3, 4}) row += (c ? "|" : "") + h_.readings.Cell(0, c);
        return row;
    }
    void Click(int button) { cmdFSwitch_Click(h_.ctx, button); }
    fs::path folder_ = fs::temp_directory_path() / ("zelvo_measure_" + std::to_string(::getpid()));
    testing::FakeDesktop desktop_;
    testing::ScriptedSensors sensors_;
    testing::MainHarness h_{sensors_};
    MainState& s = h_.state;
};

TEST_F(MeasureTest, SweepShowsRateAndThicknessOnlyWhileRunning) {
    s.ChannelSerial[0] = "S0";
    s.RunMode = kPaused;
    EXPECT_EQ(Sweep(0, {3, 1, 5.95e6, 70}), "<unset>|<unset>|5950000.00|70.0");
    EXPECT_EQ(FilterOf(s, 0).Average(), 0);
    s.RunMode = kRunning;
    s.Units = 1;  // areal mass
    s.ChannelDensity[0] = 2.7;
    EXPECT_EQ(Sweep(0, {1.0, 0.5, 5987654.321, 87.25}), "27.0|13.500|5987654.32|87.3");
    EXPECT_EQ(h_.chart.readings, 1);
    FilterOf(s, 0).Size(2);
    s.Rate = 1;   // two decimals; the average of 27 and 5
    s.Units = 2;  // thickness in A
    EXPECT_EQ(Sweep(0, {5.0, 0.012345, 5.9e6, 80}), "16.00|12.35|5900000.00|80.0");
    s.Units = 7;  // unknown: the values stay, the thickness cell is blank
    EXPECT_EQ(Sweep(0, {9, 9, 5.8e6, 40}), "5.00||5800000.00|40.0");
}

TEST_F(MeasureTest, SweepStatusTableAndLogRecord) {
    const std::string kept = "<unset>|<unset>|<unset>|<unset>";
    const struct {
        int status;
        std::string serial, row;
        bool valid;
    } cases[] = {
        {4, "S0", "||OVFLW|", true},     {6, "S0", "||CMND ERR|", true},
        {7, "S0", "|||", true},          {7, "", "||Not Found|", true},
        {8, "S0", "||XTAL FAIL|", true}, {9, "S0", "||COMM ERR|", true},
        {153, "S0", "||UNK ERR|", true}, {42, "S0", kept, true},
        {1, "S0", kept, false},          {2, "S0", kept, false},
        {3, "S0", kept, false},          {5, "S0", "<unset>|<unset>|5912345.68|12.3", true}};
    s.ChannelValues[kValueRate][0] = 8;
    for (const auto& c : cases) {
        s.ChannelSerial[0] = c.serial;
        s.ChannelValid[0] = true;
        h_.readings.cells.clear();
        EXPECT_EQ(Sweep(c.status, {0, 0, 5912345.678, 12.34}, c.serial), c.row) << c.status;
        EXPECT_EQ(s.ChannelValid[0], c.valid) << c.status;
    }
    EXPECT_EQ(s.ChannelValues[kValueRate][0], 0);  // status 5 stores the values as read

    // A data-log record only after a sweep with a good channel, while Running with the log on.
    s.LogEnabled = 1;
    s.RunMode = kRunning;
    Sweep(0, {}, "S1");  // channel 0 has serial "S0": status 7
    Sweep(0, {}, "S0");
    s.LogEnabled = 2;
    Sweep(0, {}, "S0");
    EXPECT_EQ(h_.dataLog.calls, std::vector<std::string>{"LogRecord"});
    s.ShowLast = 12;  // outside the channel tables: reported, nothing read
    sensors_.readOrder.clear();
    GetReadings(h_.ctx);
    EXPECT_TRUE(sensors_.readOrder.empty());
    EXPECT_NE(desktop_.Messages().at(0).text.find("frmMain_GetReadings"), std::string::npos);
}

TEST_F(MeasureTest, ABrokenLastChannelKeepsTheRecordsOfTheOthers) {
    s.ShowLast = 2;
    s.ChannelSerial = {"A", "B", "C", "", "", "", "", ""};
    s.LogEnabled = 1;
    s.RunMode = kRunning;
    sensors_.readings["A"] = {0, {1, 0.5, 5.95e6, 90}};
    sensors_.readings["B"] = {9, {}};
    sensors_.readings["C"] = {2, {}};  // the last channel does not answer
    GetReadings(h_.ctx);
    EXPECT_EQ(h_.dataLog.calls, std::vector<std::string>{"LogRecord"});
    // Only the channel read in this sweep counts as valid for the record.
    EXPECT_TRUE(s.ChannelReadInSweep[0]);
    EXPECT_FALSE(s.ChannelReadInSweep[1] || s.ChannelReadInSweep[2]);
    sensors_.readings["A"] = {7, {}};  // no channel read: no record
    GetReadings(h_.ctx);
    EXPECT_EQ(h_.dataLog.calls.size(), 1u);
}

TEST_F(MeasureTest, StartRefusesWhenAnyPresentChannelCannotBePrepared) {
    s.ChannelSerial = {"A", "B", "C", "", "", "", "", ""};
    s.ChannelName[0] = "Gold";
    s.ChannelPresent = {true, true, true, false, false, false, false, false};
    s.ShowLast = 2;
    s.RunNum = 41;
    sensors_.periodStatus["A"] = 2;  // an early failure is not overwritten by later successes
    sensors_.zeroStatus["C"] = 1;    // nor is a failed zero ignored
    Click(0);
    EXPECT_EQ(s.RunMode, kStopped);
    EXPECT_EQ(s.RunNum, 41);
    EXPECT_TRUE(h_.dataLog.calls.empty());
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].text,
              "The run was not started. These channels could not be prepared:\r\n"
              "Gold (A): measurement period: no reply from the sensor.\r\n"
              "Sensor 3 (C): zero: the sensor was busy.");
    // With every present channel prepared, the run starts as before.
    sensors_.periodStatus.clear();
    sensors_.zeroStatus.clear();
    Click(0);
    EXPECT_EQ(s.RunMode, kRunning);
    EXPECT_EQ(s.RunNum, 42);
}

TEST_F(MeasureTest, StartPressedWhileASweepWaitsOnASensorRunsOnceTheSweepEnds) {
    s.ChannelSerial = {"A", "", "", "", "", "", "", ""};
    s.ChannelPresent[0] = true;
    s.ShowLast = 0;
    s.RunNum = 7;
    sensors_.exchanging = true;  // the click arrives while the sweep waits for a reply
    Click(0);
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_TRUE(sensors_.calls.empty());
    EXPECT_EQ(s.RunMode, kStopped);
    sensors_.exchanging = false;
    tmrRun_Timer(h_.ctx);
    EXPECT_EQ(s.RunMode, kRunning);
    EXPECT_EQ(s.RunNum, 8);
    EXPECT_EQ(sensors_.calls.front(), "Period A 0.250000");
    tmrRun_Timer(h_.ctx);  // started once only
    EXPECT_EQ(s.RunNum, 8);
}

TEST_F(MeasureTest, PeriodEnteredWhileASweepWaitedReachesTheSensorsWhenASweepEnds) {
    s.ChannelSerial = {"A", "B", "", "", "", "", "", ""};
    s.ChannelPresent = {true, false, false, false, false, false, false, false};
    s.ShowLast = 1;
    s.Period = 0.5;
    s.PeriodPending = true;
    sensors_.exchanging = true;  // a sweep that ends inside another one's wait sends nothing
    tmrRun_Timer(h_.ctx);
    EXPECT_TRUE(std::find(sensors_.calls.begin(), sensors_.calls.end(), "Period A 0.500000") ==
                sensors_.calls.end());
    sensors_.exchanging = false;
    tmrRun_Timer(h_.ctx);
    EXPECT_EQ(std::count(sensors_.calls.begin(), sensors_.calls.end(), "Period A 0.500000"), 1);
    EXPECT_FALSE(s.PeriodPending);
    tmrRun_Timer(h_.ctx);
    EXPECT_EQ(std::count(sensors_.calls.begin(), sensors_.calls.end(), "Period A 0.500000"), 1);
}

TEST_F(MeasureTest, StartPreparesPresentSensorsInOrder) {
    s.ChannelSerial = {"A", "B", "C", "D", "", "", "", ""};
    s.ChannelPresent = {true, false, true, true, false, false, false, false};
    s.RunNum = 9999;
    s.LogEnabled = 1;
    FilterOf(s, 3).Push(7);
    Click(0);
    EXPECT_EQ(sensors_.calls,
              (std::vector<std::string>{"Period A 0.250000", "Material A", "Zero A",
                                        "Period C 0.250000", "Material C", "Zero C",
                                        "Period D 0.250000", "Material D", "Zero D"}));
    EXPECT_EQ(h_.tmrRun.Interval(), 125);
    EXPECT_EQ(h_.runBar.runNumber, "1");
    EXPECT_EQ(h_.chart.inits, 1);
    EXPECT_EQ(FilterOf(s, 3).Average(), 0);  // every channel's rate starts afresh
    EXPECT_EQ(h_.runBar.caption_[0] + h_.runBar.caption_[1], "&Stop&Pause");
    EXPECT_EQ(h_.runBar.color_[0], (Rgb{255, 0, 0}));
    EXPECT_TRUE(h_.runBar.visible_[1]);
    Click(0);
    EXPECT_EQ(h_.runBar.caption_[0], "&Start");
    EXPECT_EQ(h_.runBar.color_[0], (Rgb{0, 255, 0}));
    EXPECT_FALSE(h_.runBar.visible_[1]);
    EXPECT_EQ(h_.dataLog.calls, (std::vector<std::string>{"ChooseLogPath", "StartLog", "StopLog"}));

    s.ChannelPresent.fill(false);  // no present channel: the run starts
    s.Period = 0.125;
    Click(0);
    EXPECT_EQ(s.RunMode, kRunning);
    EXPECT_EQ(h_.tmrRun.Interval(), 62);  // 62.5 ms, halves to even
    EXPECT_TRUE(desktop_.Messages().empty());
}

TEST_F(MeasureTest, ZeroingAndTheSecondInstance) {
    s.ChannelSerial[2] = "C";
    grdRdgs_Click(h_.ctx, 2, 2);
    grdRdgs_Click(h_.ctx, 2, 1);  // not the zero column
    Form_KeyDown(h_.ctx, Key::Shift);
    grdRdgs_Click(h_.ctx, 1, 2);
    Form_KeyUp(h_.ctx, Key::Shift);
    Form_KeyDown(h_.ctx, Key::Digit0);  // 0 without Ctrl
    Form_KeyDown(h_.ctx, Key::Control);
    Form_KeyDown(h_.ctx, Key::Digit0);
    EXPECT_EQ(sensors_.calls, (std::vector<std::string>{"Zero C", "ZeroAll", "ZeroAll"}));

    h_.window.otherInstance = true;
    EXPECT_FALSE(Form_Load(h_.ctx));
    EXPECT_EQ(desktop_.Messages().at(0).text, "Only one instance of this application at a time.");
    EXPECT_EQ(h_.window.steps.back(), "EndProgram");
}

TEST_F(MeasureTest, WholeLifeOnSimulatedSensors) {
    testing::SimControl sim;
    sim.Configure("devices=2;seed=7");
    SetBridgeLibraryName(testing::SimControl::LibraryPath());
    ZelvoSensors sensors;
    testing::MainHarness h(sensors);
    MainState& m = h.state;
    auto sweep = [&](int times) {  // a quarter second on every clock, then the sweep timer
        for (int i = 0; i < times; ++i) {
            desktop_.AdvanceMs(250);
            sim.AdvanceTime(0.25);
            ASSERT_TRUE(h.tmrRun.Fire());
        }
    };
    // First start: the carried setup file is placed and read (6 MHz initial crystal).
    ASSERT_TRUE(Form_Load(h.ctx));
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_EQ(std::tie(m.FreqInit, m.ChannelSerial[0]), std::make_tuple(6e6, std::string()));
    // First clock tick: discovery; the two sensors are taken by the unused channels.
    ASSERT_TRUE(h.tmrDate.Fire());
    EXPECT_TRUE(m.ChannelPresent[0] && m.ChannelPresent[1]);

    desktop_.SetSecondsSinceMidnight(86000);  // a run from 23:53:20 across midnight
    cmdFSwitch_Click(h.ctx, 0);
    EXPECT_EQ(m.RunNum, 2);
    sweep(8);
    const double thickness = m.ChannelValues[kValueThickness][0];
    EXPECT_GT(thickness, 0);
    EXPECT_GT(FilterOf(m, 0).Average(), 0.5);             // the simulator deposits 2 A/s
    EXPECT_NEAR(m.ChannelValues[kValueLife][0], 100, 5);  // a fresh crystal
    desktop_.AdvanceMs(3596 * 1000);
    h.tmrDate.Fire();
    EXPECT_EQ(h.runBar.runTime + " " + h.runBar.time, "00:59:58 0:53:18");
    // The time of day put back an hour (winter time): the run time does not jump by a day.
    desktop_.SetSecondsSinceMidnight(86400 - 402);
    h.tmrDate.Fire();
    EXPECT_EQ(h.runBar.runTime + " " + h.runBar.time, "00:59:58 23:53:18");

    // Paused: the thickness cell and the run time stay; Resume goes on from the pause.
    cmdFSwitch_Click(h.ctx, 1);
    EXPECT_EQ(h.runBar.caption_[1], "&Resume");
    const std::string thicknessCell = h.readings.Cell(0, 1);
    sweep(4);
    desktop_.AdvanceMs(600 * 1000);
    h.tmrDate.Fire();
    EXPECT_EQ(h.readings.Cell(0, 1) + " " + h.runBar.runTime, thicknessCell + " 00:59:58");
    cmdFSwitch_Click(h.ctx, 1);
    sweep(4);
    desktop_.AdvanceMs(61 * 1000);
    h.tmrDate.Fire();
    EXPECT_EQ(h.runBar.runTime, "01:01:00");
    EXPECT_GT(m.ChannelValues[kValueThickness][0], thickness);

    cmdFSwitch_Click(h.ctx, 0);
    cmdFSwitch_Click(h.ctx, 1);  // ignored while stopped
    EXPECT_EQ(m.RunMode, kStopped);
    cmdFSwitch_Click(h.ctx, 0);  // a second run, zeroed afresh
    EXPECT_EQ(m.RunNum, 3);
    sweep(1);
    EXPECT_LT(m.ChannelValues[kValueThickness][0], thickness);

    // Shutdown writes the settings; read back, they hold the run and the assignment.
    Form_Unload(h.ctx);
    EXPECT_EQ(sensors.Manager(), nullptr);
    for (const auto& msg : desktop_.Messages()) EXPECT_NE(msg.icon, MsgIcon::Critical) << msg.text;
    MainState back;
    IniRead(back, h.window, GetSetupFile());
    EXPECT_EQ(back.RunNum, 3);
    EXPECT_EQ(back.ChannelSerial[0] + back.ChannelSerial[1] + back.ChannelSerial[2],
              "ZS0001ZS0002");
}

}  // namespace
}  // namespace zelvo
