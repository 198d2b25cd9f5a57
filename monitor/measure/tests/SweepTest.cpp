// The reading sweep: unit modes, formats, the filter only while Running, the row
// texts of failed readings and the data-log hand-off.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "FakeDesktop.hpp"
#include "Sweep.hpp"
#include "cErrHandler.hpp"
#include "testing/MainViewDoubles.hpp"

namespace zelvo {
namespace {

using testing::FakeDesktop;
using testing::MainHarness;
using testing::ScriptedSensors;

class SweepTest : public ::testing::Test {
  protected:
    SweepTest() : h_(sensors_) {
        h_.state.ShowLast = 0;
        h_.state.ChannelSerial[0] = "S0";
        // Reports of the faults provoked here go to a scratch file, not the current folder.
        ErrHandler().Destination(report_.string());
    }
    ~SweepTest() override { std::filesystem::remove(report_); }
    void Reading(const std::string& serial, int status, ReadingResult r) {
        sensors_.readings[serial] = {status, r};
    }
    std::string Cell(int row, int col) const { return h_.readings.Cell(row, col); }
    std::filesystem::path report_ = std::filesystem::temp_directory_path() /
                                    ("zelvo_sweep_" + std::to_string(::getpid()) + ".txt");
    FakeDesktop desktop_;
    ScriptedSensors sensors_;
    MainHarness h_;
};

TEST_F(SweepTest, MassUnitsUseTheDensityAndTheFilterAverage) {
    h_.state.Units = 1;
    h_.state.ChannelDensity[0] = 2.7;
    h_.state.RunMode = kRunning;
    Reading("S0", 0, {1.0, 0.5, 5987654.321, 87.25});
    GetReadings(h_.ctx);
    EXPECT_EQ(Cell(0, 0), "27.0");
    EXPECT_EQ(Cell(0, 1), "13.500");
    EXPECT_EQ(Cell(0, 3), "5987654.32");
    EXPECT_EQ(Cell(0, 4), "87.3");
    EXPECT_DOUBLE_EQ(h_.state.ChannelValues[kValueFrequency][0], 5987654.321);
    EXPECT_TRUE(h_.state.ChannelValid[0]);
    EXPECT_EQ(h_.chart.readings, 1);

    // Two decimals; the average of 27 and 54 with a filter of two.
    FilterOf(h_.state, 0).Size(2);
    h_.state.Rate = 1;
    Reading("S0", 0, {2.0, 0.5, 5987654.321, 87.25});
    GetReadings(h_.ctx);
    EXPECT_EQ(Cell(0, 0), "40.50");
}

TEST_F(SweepTest, AngstromUnitsAndUnknownUnits) {
    h_.state.RunMode = kRunning;
    h_.state.Units = 2;
    Reading("S0", 0, {1.234, 0.012345, 5.9e6, 50});
    GetReadings(h_.ctx);
    EXPECT_EQ(Cell(0, 1), "12.3");
    EXPECT_DOUBLE_EQ(h_.state.ChannelValues[kValueThickness][0], 12.345);
    h_.state.Units = 7;
    Reading("S0", 0, {9, 9, 5.8e6, 40});
    GetReadings(h_.ctx);
    EXPECT_DOUBLE_EQ(h_.state.ChannelValues[kValueThickness][0], 12.345);
    EXPECT_EQ(Cell(0, 1), "");
    EXPECT_EQ(Cell(0, 3), "5800000.00");
}

TEST_F(SweepTest, WhileNotRunningOnlyFrequencyAndLifeChange) {
    h_.state.RunMode = kPaused;
    Reading("S0", 0, {3, 1, 5.95e6, 70});
    GetReadings(h_.ctx);
    EXPECT_EQ(Cell(0, 0), "<unset>");
    EXPECT_EQ(Cell(0, 1), "<unset>");
    EXPECT_EQ(Cell(0, 3), "5950000.00");
    EXPECT_EQ(Cell(0, 4), "70.0");
    EXPECT_DOUBLE_EQ(FilterOf(h_.state, 0).Average(), 0);
    EXPECT_EQ(h_.chart.readings, 0);
}

TEST_F(SweepTest, StatusTable) {
    struct Case {
        int status;
        bool hasSerial;
        std::string freqText;
    };
    const Case blanks[] = {{4, true, "OVFLW"},      {6, true, "CMND ERR"},  {7, true, ""},
                           {7, false, "Not Found"}, {8, true, "XTAL FAIL"}, {9, true, "COMM ERR"},
                           {153, true, "UNK ERR"}};
    for (const Case& c : blanks) {
        h_.state.ChannelSerial[0] = c.hasSerial ? "S0" : "";
        h_.state.ChannelValid[0] = true;
        h_.readings.cells.clear();
        Reading("S0", c.status, {});
        GetReadings(h_.ctx);
        EXPECT_EQ(Cell(0, 3), c.freqText) << c.status;
        EXPECT_EQ(Cell(0, 0), "") << c.status;
        EXPECT_EQ(Cell(0, 1), "") << c.status;
        EXPECT_EQ(Cell(0, 4), "") << c.status;
        EXPECT_TRUE(h_.state.ChannelValid[0]) << c.status;
    }
    h_.state.ChannelSerial[0] = "S0";
    for (int status : {1, 2, 3, 42}) {
        h_.readings.cells.clear();
        h_.state.ChannelValid[0] = true;
        Reading("S0", status, {});
        GetReadings(h_.ctx);
        EXPECT_TRUE(h_.readings.cells.empty()) << status;
        EXPECT_EQ(h_.state.ChannelValid[0], status == 42) << status;
    }
    // Status 5: values stored unconverted; frequency and life shown.
    h_.state.Units = 1;
    h_.state.ChannelValues[kValueRate][0] = 8;
    h_.readings.cells.clear();
    Reading("S0", 5, {0, 0, 5912345.678, 12.34});
    GetReadings(h_.ctx);
    EXPECT_EQ(Cell(0, 3), "5912345.68");
    EXPECT_EQ(Cell(0, 4), "12.3");
    EXPECT_EQ(Cell(0, 0), "<unset>");
    EXPECT_DOUBLE_EQ(h_.state.ChannelValues[kValueRate][0], 0);
    EXPECT_DOUBLE_EQ(h_.state.ChannelValues[kValueLife][0], 12.34);
}

TEST_F(SweepTest, RecordOnlyWhenLastChannelSucceededWhileRunningWithLogOn) {
    h_.state.ShowLast = 1;
    h_.state.ChannelSerial[1] = "S1";
    h_.state.LogEnabled = 1;
    h_.state.RunMode = kRunning;
    Reading("S0", 2, {});
    Reading("S1", 0, {1, 1, 5.9e6, 50});
    GetReadings(h_.ctx);
    EXPECT_EQ(sensors_.readOrder, (std::vector<std::string>{"S0", "S1"}));
    EXPECT_EQ(h_.dataLog.calls, std::vector<std::string>{"LogRecord"});
    Reading("S1", 8, {});
    GetReadings(h_.ctx);
    h_.state.RunMode = kPaused;
    Reading("S1", 0, {1, 1, 5.9e6, 50});
    GetReadings(h_.ctx);
    h_.state.RunMode = kRunning;
    h_.state.LogEnabled = 2;
    GetReadings(h_.ctx);
    EXPECT_EQ(h_.dataLog.calls.size(), 1u);
}

TEST_F(SweepTest, ShowLastOutsideTheTablesIsReportedNotRead) {
    h_.state.ShowLast = 12;
    GetReadings(h_.ctx);
    EXPECT_TRUE(sensors_.readOrder.empty());
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_NE(desktop_.Messages()[0].text.find("frmMain_GetReadings"), std::string::npos);
}

}  // namespace
}  // namespace zelvo
