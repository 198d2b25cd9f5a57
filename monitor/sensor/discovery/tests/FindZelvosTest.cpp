// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Discovery and channel assignment with a scripted sensor manager, and Find
// pressed while a simulated sensor's exchange waits.

#include "FindZelvos.hpp"
#include "SensorFixture.hpp"
#include "ZelvoSensors.hpp"
#include "testing/MainViewDoubles.hpp"

namespace zelvo {
namespace {

using testing::MainHarness;
using testing::ScriptedSensors;

class FindZelvosTest : public testing::SensorTest {
  protected:
    FindZelvosTest() { h_.state.ChannelSerial.fill(""); }
    const std::string& Text(size_t i) const { return desktop_.Messages().at(i).text; }

    ScriptedSensors sensors_;
    MainHarness h_{sensors_};
};

TEST_F(FindZelvosTest, NoSensorSwitchesToSetupViewAndKeepsAssignments) {
    h_.state.View = 2;
    h_.state.ChannelSerial[0] = "ZS0001";
    h_.state.ChannelPresent[0] = true;
    // The ports discovery skipped are named, with the serial number where known.
    sensors_.skipped = {{"/dev/ttyUSB0", "ZS0001", kPortInUse}, {"/tmp/x", "", "not a terminal"}};
    FindZelvos(h_.ctx);
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(Text(0),
              "No Zelvos detected.\r\nConnect Zelvo to USB port and press Find.\r\n"
              "Ports skipped:\r\n/dev/ttyUSB0 (ZS0001): in use by another program\r\n"
              "/tmp/x: not a terminal");
    EXPECT_EQ(desktop_.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(h_.state.View, 0);
    EXPECT_EQ(h_.window.views, std::vector<int16_t>{0});
    EXPECT_EQ(h_.state.ChannelSerial[0], "ZS0001");
    EXPECT_TRUE(h_.state.ChannelPresent[0]);
    EXPECT_TRUE(sensors_.calls.empty());
}

TEST_F(FindZelvosTest, ClaimsCaseInsensitivelyOnceAsksAboutMissingAndSendsLimitsAndPeriods) {
    sensors_.found[0] = "ZS0001";
    h_.state.ChannelSerial[0] = "zs0001";
    h_.state.ChannelSerial[1] = "ZS0001";  // the entry is already claimed
    h_.state.ChannelSerial[6] = "ZS0009";  // beyond ShowLast 3: no question
    sensors_.initFreqStatus = 5;
    desktop_.Answer(MsgResult::No);
    FindZelvos(h_.ctx);
    EXPECT_TRUE(h_.state.ChannelPresent[0]);
    EXPECT_EQ(h_.state.ChannelSerial[0], "zs0001");
    EXPECT_FALSE(h_.state.ChannelPresent[1]);
    EXPECT_FALSE(h_.state.ChannelPresent[6]);
    EXPECT_EQ(h_.state.ChannelSerial[6], "ZS0009");
    ASSERT_EQ(desktop_.Messages().size(), 2u);
    EXPECT_EQ(Text(0),
              "Zelvo #ZS0001 is assigned to Sensor 2 but is not connected.\r\n"
              "Remove the assignment?");
    EXPECT_EQ(desktop_.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(h_.state.ChannelSerial[1], "ZS0001");
    // Grid: names, serials, strike-through of absent channels.
    EXPECT_EQ(h_.assignment.CellText(0, 1), "zs0001");
    EXPECT_FALSE((h_.assignment.struck[{0, 1}]));
    EXPECT_TRUE((h_.assignment.struck[{1, 1}]));
    EXPECT_EQ(h_.assignment.CellText(7, 0), "Sensor 8");
    // Refused limits are reported; the period still goes to present channels only.
    EXPECT_EQ(Text(1), "Could not set your Zelvo frequency limits.  Using defaults.");
    EXPECT_EQ(desktop_.Messages()[1].icon, MsgIcon::None);
    EXPECT_EQ(sensors_.calls,
              (std::vector<std::string>{"InitFreq", "Period zs0001 " + std::to_string(0.25)}));
}

TEST_F(FindZelvosTest, YesRemovesAnAssignmentAndOffersTheSensorsFreeChannels) {
    sensors_.found[0] = "ab12";
    sensors_.found[1] = "CD34";
    sensors_.found[2] = "EF56";
    h_.state.ChannelSerial[0] = "GONE";
    h_.state.ChannelSerial[2] = "KEEP";
    sensors_.skipped = {{"/dev/ttyUSB0", "gone", kPortInUse}, {"/dev/ttyUSB1", "", kPortInUse}};
    // Missing GONE: Yes (remove), missing KEEP: No. Then the free channels 1 and 2 are
    // offered: ab12 No to 1 and Yes to 2; CD34 Cancel (next sensor); EF56 Yes to 1.
    using enum MsgResult;
    for (MsgResult a : {Yes, No, No, Yes, Cancel, Yes}) desktop_.Answer(a);
    FindZelvos(h_.ctx);
    ASSERT_EQ(desktop_.Messages().size(), 6u);
    // A missing sensor's question names the ports that held it.
    EXPECT_EQ(Text(0),
              "Zelvo #GONE is assigned to Sensor 1 but is not connected.\r\n"
              "Remove the assignment?\r\nPorts skipped:\r\n"
              "/dev/ttyUSB0 (gone): in use by another program");
    EXPECT_TRUE(Text(1).ends_with("Remove the assignment?"));
    EXPECT_EQ(Text(2),
              "Zelvo #ab12 is connected, but not assigned to any channel.\r\n"
              "Assign it to unused channel 1?");
    EXPECT_TRUE(Text(3).ends_with("channel 2?"));
    EXPECT_TRUE(Text(4).starts_with("Zelvo #CD34 "));
    EXPECT_TRUE(Text(5).ends_with("channel 1?"));
    EXPECT_EQ(desktop_.Messages()[2].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(h_.state.ChannelSerial[1], "AB12");
    EXPECT_TRUE(h_.state.ChannelPresent[1]);
    EXPECT_EQ(h_.state.ChannelSerial[0], "EF56");
    EXPECT_EQ(h_.state.ChannelSerial[2], "KEEP");
    EXPECT_FALSE(h_.state.ChannelPresent[2]);
}

TEST_F(FindZelvosTest, AssignmentGridEdits) {
    h_.assignment.SetCellText(1, 0, "Copper");
    grdSN_AfterEdit(h_.ctx, 1, 0);
    EXPECT_EQ(h_.state.ChannelName[1], "Copper");
    EXPECT_EQ(h_.readings.rowHeaders[1], "Copper");
    EXPECT_EQ(h_.chart.labels[1], "Copper");
    EXPECT_EQ(sensors_.findCalls, 0);

    // An unchanged serial does not search; a changed one runs Find.
    grdSN_AfterEdit(h_.ctx, 1, 1);
    EXPECT_EQ(sensors_.findCalls, 0);
    sensors_.found[0] = "ZS0002";
    h_.assignment.SetCellText(1, 1, "zs0002");
    grdSN_AfterEdit(h_.ctx, 1, 1);
    EXPECT_EQ(sensors_.findCalls, 1);
    EXPECT_EQ(h_.state.ChannelSerial[1], "zs0002");
    EXPECT_TRUE(h_.state.ChannelPresent[1]);

    // Names and serial numbers a setup file could not hold whole are refused; the
    // cell shows the value kept.
    for (int column : {0, 1}) {
        for (const std::string& typed : {std::string("a;b"), std::string(101, 'x')}) {
            desktop_.ClearMessages();
            h_.assignment.SetCellText(1, column, typed);
            grdSN_AfterEdit(h_.ctx, 1, column);
            ASSERT_EQ(desktop_.Messages().size(), 1u);
            EXPECT_EQ(Text(0), column == 0 ? "Channel name must be at most 100 characters, "
                                             "without ; or control characters."
                                           : "Serial number must be at most 100 characters, "
                                             "without ; or control characters.");
            EXPECT_EQ(h_.assignment.CellText(1, column), column == 0 ? "Copper" : "zs0002");
        }
    }
    EXPECT_EQ(std::tie(h_.state.ChannelName[1], h_.state.ChannelSerial[1], sensors_.findCalls),
              std::make_tuple(std::string("Copper"), std::string("zs0002"), 1));

    // A row outside the tables is a reported fault, not a crash.
    grdSN_AfterEdit(h_.ctx, 8, 0);
    EXPECT_EQ(desktop_.Messages().back().icon, MsgIcon::Critical);
}

TEST_F(FindZelvosTest, FindDuringAnExchangeIsRefusedAndTheWaitingReadingEndsWell) {
    Start("devices=2;d0.fault=slow:50");
    ZelvoSensors sensors(std::move(zelvo_));
    MainHarness h(sensors);
    h.state.ChannelSerial.fill("");
    h.state.ChannelSerial[0] = "ZS0001";
    h.state.ChannelSerial[1] = "ZS0002";
    FollowDesktopClock();
    cmdFind_Click(h.ctx);
    ASSERT_TRUE(h.state.ChannelPresent[0] && h.state.ChannelPresent[1]);
    ASSERT_TRUE(desktop_.Messages().empty());

    // The operator presses Find while the reading of the slow sensor waits.
    int finds = 0;
    FollowDesktopClock([&] {
        if (finds++ == 0) {
            EXPECT_TRUE(sensors.ExchangeInProgress());
            cmdFind_Click(h.ctx);
        }
    });
    const int sent = sim_.CommandCount(1);
    ReadingResult r{};
    EXPECT_EQ(sensors.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_EQ(sim_.CommandCount(1), sent);  // no period sent: discovery did not run
    EXPECT_EQ(desktop_.Beeps(), 1);
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_FALSE(sensors.ExchangeInProgress());

    // Once the exchange has ended, Find runs as always.
    FollowDesktopClock();
    cmdFind_Click(h.ctx);
    EXPECT_GT(sim_.CommandCount(1), sent);
    EXPECT_EQ(sensors.GetReading("ZS0002", r), ZelvoStatus::Success);

    // A negative polling interval is refused and reported.
    sensors.ReadingTimer(-5);
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_NE(Text(0).find("-5 ms"), std::string::npos) << Text(0);
    EXPECT_EQ(sensors.Manager()->ReadingTimer(), 0);
}

}  // namespace
}  // namespace zelvo
