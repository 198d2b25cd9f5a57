// Run states, Start and Stop, pause and resume, the run clock, zeroing, and the
// start-up and shutdown order, with a scripted sensor manager.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "RunControl.hpp"
#include "SetupFile.hpp"
#include "StartUp.hpp"
#include "cErrHandler.hpp"
#include "testing/MainViewDoubles.hpp"

namespace zelvo {
namespace {

using testing::FakeDesktop;
using testing::MainHarness;
using testing::ScriptedSensors;

class RunControlTest : public ::testing::Test {
  protected:
    RunControlTest() : h_(sensors_) {
        h_.state.ChannelSerial = {"A", "B", "C", "D", "", "", "", ""};
        h_.state.ChannelPresent = {true, false, true, true, false, false, false, false};
    }
    void ClickStartStop() { cmdFSwitch_Click(h_.ctx, 0); }
    void ClickPause() { cmdFSwitch_Click(h_.ctx, 1); }
    FakeDesktop desktop_;
    ScriptedSensors sensors_;
    MainHarness h_;
};

TEST_F(RunControlTest, StartPreparesPresentSensorsAndOpensTheRun) {
    h_.state.RunNum = 9999;
    h_.state.LogEnabled = 1;
    ClickStartStop();
    EXPECT_EQ(sensors_.calls, (std::vector<std::string>{
                                  "Period A " + std::to_string(0.25), "Material A", "Zero A",
                                  "Period C " + std::to_string(0.25), "Material C", "Zero C",
                                  "Period D " + std::to_string(0.25), "Material D", "Zero D"}));
    EXPECT_EQ(h_.tmrRun.Interval(), 125);
    EXPECT_EQ(h_.state.RunNum, 1);
    EXPECT_EQ(h_.runBar.runNumber, "1");
    EXPECT_EQ(h_.chart.inits, 1);
    EXPECT_EQ(h_.dataLog.calls, (std::vector<std::string>{"ChooseLogPath", "StartLog"}));
    EXPECT_EQ(h_.state.RunMode, kRunning);
    EXPECT_EQ(h_.runBar.caption_[0], "&Stop");
    EXPECT_EQ(h_.runBar.color_[0], (Rgb{255, 0, 0}));
    EXPECT_TRUE(h_.runBar.visible_[1]);
    EXPECT_EQ(h_.runBar.caption_[1], "&Pause");

    ClickStartStop();
    EXPECT_EQ(h_.dataLog.calls.back(), "StopLog");
    EXPECT_EQ(h_.state.RunMode, kStopped);
    EXPECT_EQ(h_.runBar.caption_[0], "&Start");
    EXPECT_EQ(h_.runBar.color_[0], (Rgb{0, 255, 0}));
    EXPECT_FALSE(h_.runBar.visible_[1]);
}

TEST_F(RunControlTest, OnlyTheLastPresentChannelsFailureKeepsTheRunFromStarting) {
    sensors_.periodStatus["A"] = 9;  // overwritten by the later successes
    ClickStartStop();
    EXPECT_EQ(h_.state.RunMode, kRunning);
    ClickStartStop();

    sensors_.materialStatus["D"] = 5;
    const int run = h_.state.RunNum;
    ClickStartStop();
    EXPECT_EQ(h_.state.RunMode, kStopped);
    EXPECT_EQ(h_.state.RunNum, run);
    EXPECT_TRUE(desktop_.Messages().empty());

    // Without a present channel the run starts.
    h_.state.ChannelPresent.fill(false);
    h_.state.Period = 0.125;
    ClickStartStop();
    EXPECT_EQ(h_.state.RunMode, kRunning);
    EXPECT_EQ(h_.tmrRun.Interval(), 62);  // 62.5 ms, halves to even
}

TEST_F(RunControlTest, LogTypeOfStartAndStopFollowsLogEnabled) {
    h_.state.LogEnabled = 2;
    ClickStartStop();
    ClickStartStop();
    EXPECT_EQ(h_.dataLog.calls, (std::vector<std::string>{"ChooseLogPath", "StartLog"}));
    h_.state.LogEnabled = 0;
    ClickStartStop();
    ClickStartStop();
    EXPECT_EQ(h_.dataLog.calls.size(), 3u);  // the log path is chosen at every Start
}

TEST_F(RunControlTest, PauseKeepsTheElapsedTimeAcrossMidnight) {
    desktop_.SetSecondsSinceMidnight(86000);  // 23:53:20
    ClickStartStop();
    desktop_.SetSecondsSinceMidnight(86000 + 3598 - 86400);  // 00:59:58 elapsed
    tmrDate_Timer(h_.ctx);
    EXPECT_EQ(h_.runBar.runTime, "00:59:58");
    ClickPause();
    EXPECT_EQ(h_.state.RunMode, kPaused);
    EXPECT_EQ(h_.runBar.caption_[1], "&Resume");
    EXPECT_NEAR(h_.state.PausedElapsed, 3598, 0.01);

    desktop_.SetSecondsSinceMidnight(5000);
    tmrDate_Timer(h_.ctx);
    EXPECT_EQ(h_.runBar.runTime, "00:59:58");  // not updated while paused
    ClickPause();
    EXPECT_EQ(h_.state.RunMode, kRunning);
    desktop_.SetSecondsSinceMidnight(5062);
    tmrDate_Timer(h_.ctx);
    EXPECT_EQ(h_.runBar.runTime, "01:01:00");

    ClickStartStop();
    EXPECT_EQ(h_.state.PausedElapsed, 0);
    ClickPause();  // ignored while stopped
    EXPECT_EQ(h_.state.RunMode, kStopped);
}

TEST_F(RunControlTest, ClockHelpers) {
    EXPECT_FLOAT_EQ(DiffSeconds(100, 160), 60);
    EXPECT_FLOAT_EQ(DiffSeconds(86390, 10), 20);
    EXPECT_EQ(ElapsedText(0), "00:00:00");
    EXPECT_EQ(ElapsedText(3661.9), "01:01:01");
    EXPECT_EQ(ElapsedText(90000), "01:00:00");  // wraps after 24 hours
    desktop_.SetSecondsSinceMidnight(9 * 3600 + 5 * 60 + 3);
    RefreshClock(h_.ctx);
    EXPECT_EQ(h_.runBar.time, "9:05:03");
    EXPECT_EQ(h_.runBar.date, "12/6/2026");
}

TEST_F(RunControlTest, EnteringRunningClearsEveryRateFilter) {
    FilterOf(h_.state, 0).Push(5);
    FilterOf(h_.state, 3).Push(7);
    ClickStartStop();
    EXPECT_DOUBLE_EQ(FilterOf(h_.state, 0).Average(), 0);
    EXPECT_DOUBLE_EQ(FilterOf(h_.state, 3).Average(), 0);
}

TEST_F(RunControlTest, Zeroing) {
    grdRdgs_Click(h_.ctx, 2, 2);
    grdRdgs_Click(h_.ctx, 2, 1);  // not the zero column
    grdRdgs_Click(h_.ctx, 5, 2);  // not a displayed row
    EXPECT_EQ(sensors_.calls, std::vector<std::string>{"Zero C"});
    Form_KeyDown(h_.ctx, Key::Shift);
    grdRdgs_Click(h_.ctx, 1, 2);
    Form_KeyUp(h_.ctx, Key::Shift);
    Form_KeyDown(h_.ctx, Key::Digit0);  // 0 without Ctrl
    Form_KeyDown(h_.ctx, Key::Control);
    Form_KeyDown(h_.ctx, Key::Digit0);
    Form_KeyUp(h_.ctx, Key::Control);
    Form_KeyDown(h_.ctx, Key::Digit0);
    EXPECT_EQ(sensors_.calls, (std::vector<std::string>{"Zero C", "ZeroAll", "ZeroAll"}));
}

class StartUpTest : public RunControlTest {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zelvo_startup_" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        AppInfo app;
        app.folder = folder_.string();
        SetAppInfo(app);
        ErrHandler().Destination((folder_ / "ERRORS.TXT").string());
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path folder_;
};

TEST_F(StartUpTest, SecondInstanceIsRefused) {
    h_.window.otherInstance = true;
    EXPECT_FALSE(Form_Load(h_.ctx));
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].text, "Only one instance of this application at a time.");
    EXPECT_EQ(desktop_.Messages()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(h_.window.steps.back(), "EndProgram");
    EXPECT_FALSE(h_.tmrDate.Enabled());
}

TEST_F(StartUpTest, LoadFirstTickAndShutdownInOrder) {
    sensors_.found[0] = "ZS0001";
    ASSERT_TRUE(Form_Load(h_.ctx));
    EXPECT_TRUE(h_.state.StartingUp);
    EXPECT_EQ(h_.window.caption, "Zelvo - [zelvo.cfg]");
    EXPECT_EQ(desktop_.Messages()[0].text, "zelvo.cfg Not Found.\r\nContinuing with defaults.");
    EXPECT_EQ(h_.window.steps,
              (std::vector<std::string>{"Resizer(off)", "CreatePageSetup", "FormOnTop(0)",
                                        "FormInit", "FormSize", "LoadChartFiles", "LoadData",
                                        "ApplyColourDepthRule"}));
    EXPECT_EQ(h_.tmrDate.Interval(), 100);
    EXPECT_TRUE(h_.tmrDate.Enabled());
    EXPECT_FALSE(h_.tmrRun.Enabled());
    EXPECT_EQ(h_.tmrRun.Interval(), 250);
    EXPECT_EQ(sensors_.findCalls, 0);  // discovery waits for the first clock tick

    h_.window.steps.clear();
    EXPECT_TRUE(h_.tmrDate.Fire());
    EXPECT_EQ(h_.window.steps,
              (std::vector<std::string>{"Show", "Resizer(on)", "RestorePosition"}));
    EXPECT_EQ(sensors_.findCalls, 1);
    EXPECT_EQ(h_.state.RunMode, kStopped);
    EXPECT_EQ(h_.runBar.caption_[0], "&Start");
    EXPECT_TRUE(h_.tmrRun.Enabled());
    EXPECT_EQ(h_.runBar.focused, 0);
    EXPECT_EQ(h_.tmrDate.Interval(), 1000);
    EXPECT_FALSE(h_.state.StartingUp);
    EXPECT_FALSE(h_.runBar.date.empty());
    EXPECT_TRUE(h_.tmrDate.Fire());
    EXPECT_EQ(sensors_.findCalls, 1);

    sensors_.calls.clear();
    h_.window.steps.clear();
    Form_Unload(h_.ctx);
    EXPECT_FALSE(h_.tmrRun.Enabled());
    EXPECT_FALSE(h_.tmrDate.Enabled());
    EXPECT_EQ(sensors_.calls, (std::vector<std::string>{"ReadingTimer 0", "Release"}));
    EXPECT_EQ(h_.window.steps, (std::vector<std::string>{"Resizer(off)", "SavePosition"}));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "zelvo.cfg"));
}

}  // namespace
}  // namespace zelvo
