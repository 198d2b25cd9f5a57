// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Supervision events driven through the sweep by simulated sensors that deposit,
// wear, hop and turn erratic.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "RunControl.hpp"
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
using Event = SupervisionEvent;

class SupervisionTest : public ::testing::Test {
  protected:
    SupervisionTest() {
        fs::create_directories(folder_);
        SetAppInfo({.folder = folder_.string()});
        ErrHandler().Destination((folder_ / "ERRORS.TXT").string());
        SetBridgeLibraryName(testing::SimControl::LibraryPath());
    }
    ~SupervisionTest() override {
        Form_Unload(h_.ctx);
        fs::remove_all(folder_);
    }
    // The carried setup file, the simulated sensors on channels 1 and up, each with
    // `settings`.
    void Load(const std::string& sim, const SupervisionSettings& settings) {
        sim_.Configure(sim);
        ASSERT_TRUE(Form_Load(h_.ctx));
        ASSERT_TRUE(h_.tmrDate.Fire());
        s.ChannelSupervision.fill(settings);
    }
    // A quarter second on every clock, then a sweep; the events it raised as "n:name ".
    std::string Sweep() {
        desktop_.AdvanceMs(250);
        sim_.AdvanceTime(0.25);
        EXPECT_TRUE(h_.tmrRun.Fire());
        std::string events;
        for (int ch = 0; ch < kChannelCount; ++ch) {
            for (const RaisedEvent& e : s.ChannelSupervisor[static_cast<size_t>(ch)])
                events += std::to_string(ch + 1) + ":" + std::string(EventName(e.event)) + " ";
        }
        return events;
    }
    const Supervisor& Of(int ch) const { return s.ChannelSupervisor[static_cast<size_t>(ch)]; }

    fs::path folder_ =
        fs::temp_directory_path() / ("zelvo_supervise_" + std::to_string(::getpid()));
    testing::FakeDesktop desktop_;
    testing::SimControl sim_;
    ZelvoSensors sensors_;
    testing::MainHarness h_{sensors_};
    MainState& s = h_.state;
};

TEST_F(SupervisionTest, TargetAndItsWarningComeOnceWithTheFirstReadingShowingThem) {
    Load("devices=1", {.target = 0.010, .margin = 0.004});
    cmdFSwitch_Click(h_.ctx, 0);
    std::string all;
    for (int i = 0; i < 30; ++i) {
        const std::string events = Sweep();
        const double shown = std::stod(h_.readings.Cell(0, kColumnThickness));
        const bool near = Of(0).Fired(Event::TargetNear), reached = Of(0).Fired(Event::Target);
        EXPECT_EQ(near, shown >= 0.006) << shown;
        EXPECT_EQ(reached, shown >= 0.010) << shown;
        all += events;
    }
    EXPECT_EQ(all, "1:target-near 1:target ");
    grdRdgs_Click(h_.ctx, 0, kColumnZero);  // a Zero clears the channel's events
    EXPECT_FALSE(Of(0).Fired(Event::Target) || Of(0).Fired(Event::TargetNear));
}

TEST_F(SupervisionTest, NothingFiresWhilePausedAndLifeIsWatchedEvenWhenStopped) {
    Load("devices=2;d0.fault=wear:8", {.target = 0.002, .lifeWarning = 10});
    EXPECT_EQ(Sweep(), "1:life ");
    Form_KeyDown(h_.ctx, Key::Control);  // Ctrl+0 zeroes every channel: its events come again
    Form_KeyDown(h_.ctx, Key::Digit0);
    Form_KeyUp(h_.ctx, Key::Control);
    EXPECT_EQ(Sweep(), "1:life ");
    cmdFSwitch_Click(h_.ctx, 0);  // Start lets every event come again, but not while Paused
    cmdFSwitch_Click(h_.ctx, 1);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Sweep(), "");
    cmdFSwitch_Click(h_.ctx, 1);
    EXPECT_EQ(Sweep(), "1:life 1:target 2:target ");
}

// Level 5 allows 12.5 %: the noise of 0.02 Hz never takes the counter far, a rate that
// varies by up to 50 % reading to reading reaches the alarm within 100 readings.
TEST_F(SupervisionTest, QualityWantsSustainedDeviationAndStabilityOnlyUpwardJumps) {
    Load("devices=4;d0.noise=0.02;d1.fault=erratic:0:50;d2.fault=hop:3:-300;d3.fault=hop:3:80",
         {.quality = 5, .stabilityAlarm = 50});
    cmdFSwitch_Click(h_.ctx, 0);
    int erraticAt = 0;
    for (int i = 1; i <= 400; ++i) {
        Sweep();
        EXPECT_LT(Of(0).QualityCount(), 50) << i;
        if (erraticAt == 0 && Of(1).Fired(Event::Quality)) erraticAt = i;
    }
    EXPECT_GT(erraticAt, 0);
    EXPECT_LE(erraticAt, 100);
    EXPECT_EQ(Of(2).JumpSum(), 0);
    EXPECT_FALSE(Of(2).Fired(Event::Stability));
    EXPECT_NEAR(Of(3).JumpSum(), 80, 1);
    EXPECT_TRUE(Of(3).Fired(Event::Stability));
}

}  // namespace
}  // namespace zelvo
