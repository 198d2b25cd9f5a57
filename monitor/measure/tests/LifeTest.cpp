// The whole life of the monitor against the simulated sensors, through the bridge
// library's run-time binding: start-up without a setup file, discovery, runs,
// sweeps of a growing deposit, shutdown, and the written file read back.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "RunControl.hpp"
#include "Settings.hpp"
#include "SetupFile.hpp"
#include "SimControl.hpp"
#include "StartUp.hpp"
#include "ZelvoSensors.hpp"
#include "cErrHandler.hpp"
#include "modUSB.hpp"
#include "testing/MainViewDoubles.hpp"

namespace zelvo {
namespace {

namespace fs = std::filesystem;
using testing::FakeDesktop;
using testing::MainHarness;
using testing::SimControl;

class LifeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("zelvo_life_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        AppInfo app;
        app.folder = folder_.string();
        SetAppInfo(app);
        ErrHandler().Destination((folder_ / "ERRORS.TXT").string());
        sim_.Configure("devices=2;seed=7");
        sim_.SetTime(0);
        SetBridgeLibraryName(SimControl::LibraryPath());
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Lets a quarter second pass on every clock and fires the sweep timer.
    void Sweep(MainHarness& h) {
        desktop_.AdvanceMs(250);
        sim_.AdvanceTime(0.25);
        ASSERT_TRUE(h.tmrRun.Fire());
    }

    FakeDesktop desktop_;
    SimControl sim_;
    fs::path folder_;
};

TEST_F(LifeTest, StartUpRunsSweepsAndShutdownOnSimulatedSensors) {
    ZelvoSensors sensors;
    MainHarness h(sensors);

    // Start-up without zelvo.cfg: the message and the oldest layout's defaults.
    ASSERT_TRUE(Form_Load(h.ctx));
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].text, "zelvo.cfg Not Found.\r\nContinuing with defaults.");
    EXPECT_DOUBLE_EQ(h.state.FreqMin, 4000000);
    EXPECT_EQ(h.state.ChannelSerial[0], "0");

    // First clock tick: discovery. The displayed channels' serial "0" is not
    // connected (remove: Yes); the two sensors are offered to channels 1 and 2.
    desktop_.ClearMessages();
    ASSERT_TRUE(h.tmrDate.Fire());
    ASSERT_EQ(desktop_.Messages().size(), 6u);
    EXPECT_EQ(desktop_.Messages()[4].text,
              "Zelvo #ZS0001 is connected, but not assigned to any channel.\r\n"
              "Assign it to unused channel 1?");
    EXPECT_EQ(h.state.ChannelSerial[0], "ZS0001");
    EXPECT_EQ(h.state.ChannelSerial[1], "ZS0002");
    EXPECT_TRUE(h.state.ChannelPresent[0] && h.state.ChannelPresent[1]);
    EXPECT_EQ(h.state.RunMode, kStopped);
    EXPECT_EQ(sensors.Manager()->MinFrequency(), 4000000);

    // Stopped: the frequency shows, the rate does not.
    Sweep(h);
    EXPECT_EQ(h.readings.Cell(0, 0), "<unset>");
    EXPECT_NE(h.readings.Cell(0, 3), "<unset>");
    EXPECT_EQ(h.readings.Cell(2, 3), "Not Found");  // displayed, no serial

    cmdFSwitch_Click(h.ctx, 0);
    ASSERT_EQ(h.state.RunMode, kRunning);
    EXPECT_EQ(h.state.RunNum, 2);
    EXPECT_EQ(h.tmrRun.Interval(), 125);

    double lastThickness = 0;
    for (int i = 0; i < 8; ++i) Sweep(h);
    const double frequency = h.state.ChannelValues[kValueFrequency][0];
    const double thickness = h.state.ChannelValues[kValueThickness][0];
    EXPECT_GT(thickness, 0);
    // 2 A/s on the simulator shows as a positive rate in the grid.
    EXPECT_GT(FilterOf(h.state, 0).Average(), 0.5);
    EXPECT_TRUE(h.state.ChannelValid[0]);
    lastThickness = thickness;

    // Pause: the deposit goes on, frequency changes, rate and thickness cells do not.
    cmdFSwitch_Click(h.ctx, 1);
    ASSERT_EQ(h.state.RunMode, kPaused);
    const std::string thickCell = h.readings.Cell(0, 1);
    for (int i = 0; i < 4; ++i) Sweep(h);
    EXPECT_EQ(h.readings.Cell(0, 1), thickCell);
    EXPECT_LT(h.state.ChannelValues[kValueFrequency][0], frequency);

    cmdFSwitch_Click(h.ctx, 1);
    ASSERT_EQ(h.state.RunMode, kRunning);
    for (int i = 0; i < 4; ++i) Sweep(h);
    EXPECT_GT(h.state.ChannelValues[kValueThickness][0], lastThickness);
    EXPECT_NE(h.readings.Cell(0, 1), thickCell);

    cmdFSwitch_Click(h.ctx, 0);
    EXPECT_EQ(h.state.RunMode, kStopped);
    cmdFSwitch_Click(h.ctx, 0);  // second run: zeroed afresh
    EXPECT_EQ(h.state.RunMode, kRunning);
    EXPECT_EQ(h.state.RunNum, 3);
    Sweep(h);
    EXPECT_LT(h.state.ChannelValues[kValueThickness][0], lastThickness);

    // Shutdown writes the settings; read back, they hold the run and the assignment.
    h.state.ChannelDensity[1] = 2.7;
    Form_Unload(h.ctx);
    EXPECT_EQ(sensors.Manager(), nullptr);
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
    for (const auto& m : desktop_.Messages()) EXPECT_NE(m.icon, MsgIcon::Critical) << m.text;

    MainState back;
    testing::RecordingWindow window;
    desktop_.ClearMessages();
    IniRead(back, window, GetSetupFile());
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_EQ(back.IniVer, 109);
    EXPECT_EQ(back.RunNum, 3);
    EXPECT_EQ(back.ChannelSerial[0], "ZS0001");
    EXPECT_EQ(back.ChannelSerial[1], "ZS0002");
    EXPECT_EQ(back.ChannelSerial[2], "");
    EXPECT_DOUBLE_EQ(back.ChannelDensity[1], 2.7);
    EXPECT_DOUBLE_EQ(back.FreqMin, 4000000);
    EXPECT_DOUBLE_EQ(back.Period, 0.25);
}

}  // namespace
}  // namespace zelvo
