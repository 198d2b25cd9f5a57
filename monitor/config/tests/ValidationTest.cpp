#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "ConsoleDesktop.hpp"
#include "FakeDesktop.hpp"
#include "Validation.hpp"
#include "ValidationChecks.hpp"
#include "ValidationMessages.hpp"
#include "cErrHandler.hpp"

using namespace zelvo;
using zelvo::testing::FakeDesktop;

namespace {

// Records the sensor calls of the checks; every call answers `status`.
class RecordingSensors : public ISensorManager {
  public:
    int FindZelvos(DiscoveryList&) override { return 0; }
    int GetReading(const std::string&, ReadingResult&) override { return 0; }
    int Period(const std::string& serial, double seconds) override {
        calls.push_back("Period " + serial + " " + std::to_string(seconds));
        return status;
    }
    int Material(const std::string& serial, double d, double z, double t) override {
        calls.push_back("Material " + serial + " " + std::to_string(d) + " " + std::to_string(z) +
                        " " + std::to_string(t));
        return status;
    }
    int InitFreq(double maxHz, double minHz, double initHz) override {
        calls.push_back("InitFreq " + std::to_string(maxHz) + " " + std::to_string(minHz) + " " +
                        std::to_string(initHz));
        return status;
    }
    int Zero(const std::string&) override { return 0; }
    int ZeroAll() override { return 0; }
    void ReadingTimer(int32_t) override {}
    void Release() override {}
    std::vector<std::string> calls;
    int status = 0;
};

class FakeBoxes : public IEntryBoxes {
  public:
    std::string Text(EntryBox box) const override { return texts.at(box); }
    void SetText(EntryBox box, const std::string& text) override { texts[box] = text; }
    void Focus(EntryBox box) override { focused = box; }
    void Select(EntryBox box, int start, int length) override { selected = {box, {start, length}}; }
    std::map<EntryBox, std::string> texts{
        {EntryBox::Run, "1"},         {EntryBox::Period, ".25"},
        {EntryBox::Filter, "1"},      {EntryBox::FreqMax, "6.100"},
        {EntryBox::FreqMin, "5.000"}, {EntryBox::FreqInitial, "6.000"},
        {EntryBox::Other, "x"}};
    std::optional<EntryBox> focused;
    std::pair<EntryBox, std::pair<int, int>> selected{EntryBox::Other, {-1, -1}};
};

class FakeParamsGrid : public IParamsGrid {
  public:
    std::string CellText(int row, int column) const override { return cells.at({row, column}); }
    void SetCellText(int row, int column, const std::string& text) override {
        cells[{row, column}] = text;
        history.push_back(text);
    }
    void SetToolTip(const std::string& text) override { toolTip = text; }
    bool IsEditing() const override { return editing; }
    int CurrentRow() const override { return row; }
    int CurrentColumn() const override { return column; }
    void EndEdit() override { editing = false; }
    void SelectEditorText(int length) override { selectedLength = length; }
    void ResumeEdit(int r) override { resumedRow = r; }
    std::map<std::pair<int, int>, std::string> cells;
    std::vector<std::string> history;
    std::string toolTip;
    bool editing = false;
    int row = 0, column = 0, selectedLength = -1, resumedRow = -1;
};

class ValidationTest : public ::testing::Test {
  protected:
    ValidationTest() {
        state.ChannelPresent = {true, false, true};
        state.ChannelSerial = {"A1", "B2", "C3"};
    }
    // Types `text` into the box and leaves it; returns the message shown, if any.
    std::string Enter(EntryBox box, const std::string& text) {
        boxes.texts[box] = text;
        desktop.ClearMessages();
        check.ValidateControl(box);
        if (desktop.Messages().empty()) return "";
        EXPECT_EQ(desktop.Messages().size(), 1u);
        EXPECT_EQ(desktop.Messages()[0].title, "Zelvo");
        EXPECT_EQ(desktop.Messages()[0].icon, MsgIcon::None);
        EXPECT_EQ(boxes.focused, box);
        EXPECT_EQ(boxes.selected.second.second, static_cast<int>(text.size()));
        boxes.focused.reset();
        return desktop.Messages()[0].text;
    }
    // Edits a parameter cell from `before` to `typed`; returns the message shown.
    std::string Edit(int row, int column, const std::string& before, const std::string& typed) {
        grid.cells[{row, column}] = before;
        check.grdParams_BeforeEdit(row, column);
        grid.cells[{row, column}] = typed;
        grid.history.clear();
        desktop.ClearMessages();
        check.grdParams_AfterEdit(row, column);
        return desktop.Messages().empty() ? "" : desktop.Messages()[0].text;
    }

    FakeDesktop desktop;
    MainState state;
    RecordingSensors sensors;
    ManualTimer tmrRun;
    FakeBoxes boxes;
    FakeParamsGrid grid;
    Validation check{state, sensors, tmrRun, boxes, grid};
};

}  // namespace

TEST_F(ValidationTest, RunNumber) {
    for (const char* bad : {"0", "10000", "", "abc", "12abc", "1,2", "99999999999", "1e400"}) {
        EXPECT_EQ(Enter(EntryBox::Run, bad), kRunRangeMessage) << bad;
        EXPECT_EQ(boxes.texts[EntryBox::Run], bad);  // the refused text stays
    }
    EXPECT_EQ(state.RunNum, 1);
    EXPECT_EQ(Enter(EntryBox::Run, "12.6"), "");
    EXPECT_EQ(state.RunNum, 13);
    EXPECT_EQ(boxes.texts[EntryBox::Run], "13");
    EXPECT_EQ(Enter(EntryBox::Run, " +1e3 "), "");
    EXPECT_EQ(state.RunNum, 1000);
    check.txtRun_GotFocus();
    EXPECT_EQ(boxes.selected, std::make_pair(EntryBox::Run, std::make_pair(0, 4)));
}

TEST_F(ValidationTest, PeriodReachesTheSensorsAndTheSweepTimer) {
    for (const char* bad : {"0.09", "2.01", "", "0,5", "-1"}) {
        EXPECT_EQ(Enter(EntryBox::Period, bad), kPeriodRangeMessage) << bad;
    }
    EXPECT_TRUE(sensors.calls.empty());
    EXPECT_EQ(state.Period, 0.25);
    EXPECT_EQ(Enter(EntryBox::Period, "0.5"), "");
    EXPECT_EQ(state.Period, 0.5);
    EXPECT_EQ(tmrRun.Interval(), 250);
    EXPECT_EQ(boxes.texts[EntryBox::Period], ".50");
    EXPECT_EQ(sensors.calls,
              (std::vector<std::string>{"Period A1 0.500000", "Period C3 0.500000"}));
    EXPECT_EQ(Enter(EntryBox::Period, "0.1"), "");
    EXPECT_EQ(tmrRun.Interval(), 50);
    sensors.status = 7;
    EXPECT_EQ(Enter(EntryBox::Period, "2"), "");  // sensor status is not the operator's
    EXPECT_EQ(boxes.texts[EntryBox::Period], "2.00");
    EXPECT_EQ(tmrRun.Interval(), 1000);
    EXPECT_EQ(check.LastSensorStatus(), 7);
    EXPECT_EQ(SweepIntervalFor(0.125), 62);  // 62.5 halves to even
}

TEST_F(ValidationTest, FilterSizesEveryChannel) {
    EXPECT_EQ(Enter(EntryBox::Filter, "100"), kFilterRangeMessage);
    EXPECT_EQ(Enter(EntryBox::Filter, "40000"), kFilterRangeMessage);
    EXPECT_EQ(Enter(EntryBox::Filter, "0"), kFilterRangeMessage);
    EXPECT_FALSE(state.ChannelFilter[0].has_value());
    EXPECT_EQ(Enter(EntryBox::Filter, "1.5"), "");
    EXPECT_EQ(boxes.texts[EntryBox::Filter], "1.5");
    for (int c = 0; c < kChannelCount; ++c) EXPECT_EQ(FilterOf(state, c).Size(), 2);
    EXPECT_EQ(Enter(EntryBox::Filter, "99"), "");
    EXPECT_EQ(FilterOf(state, 7).Size(), 99);
}

TEST_F(ValidationTest, FrequencyBoxesCheckLimitsAndOrder) {
    EXPECT_EQ(Enter(EntryBox::FreqMax, "30.001"), kMaxFrequencyLimitMessage);
    EXPECT_EQ(Enter(EntryBox::FreqMax, "abc"), kMaxFrequencyLimitMessage);
    EXPECT_EQ(Enter(EntryBox::FreqMax, "5.9"), kMaxBelowInitialMessage);
    EXPECT_EQ(Enter(EntryBox::FreqMin, "0.999"), kMinFrequencyLimitMessage);
    EXPECT_EQ(Enter(EntryBox::FreqMin, "6.01"), kMinAboveInitialMessage);
    boxes.texts[EntryBox::FreqMax] = "6.1";
    boxes.texts[EntryBox::FreqMin] = "5.0";
    EXPECT_EQ(Enter(EntryBox::FreqInitial, "6.2"), kInitialAboveMaxMessage);
    EXPECT_EQ(Enter(EntryBox::FreqInitial, "4.9"), kInitialBelowMinMessage);
    EXPECT_EQ(Enter(EntryBox::FreqInitial, ""), kInitialAboveMaxMessage);
    EXPECT_TRUE(sensors.calls.empty());
    EXPECT_EQ(state.FreqInit, 6000000);

    EXPECT_EQ(Enter(EntryBox::FreqMax, "30"), "");
    EXPECT_EQ(state.FreqMax, 30000000);
    EXPECT_EQ(boxes.texts[EntryBox::FreqMax], "30.000");
    EXPECT_EQ(sensors.calls.front(), "InitFreq 30000000.000000 5000000.000000 6000000.000000");
    EXPECT_EQ(sensors.calls.size(), 3u);  // then the period to both present sensors
    EXPECT_EQ(Enter(EntryBox::FreqMin, "1"), "");
    EXPECT_EQ(Enter(EntryBox::FreqMin, "6"), "");  // equal to the initial frequency
    EXPECT_EQ(Enter(EntryBox::FreqMax, "6.000"), "");
    EXPECT_EQ(state.FreqMin, 6000000);
    EXPECT_EQ(state.FreqMax, 6000000);
    // A box holding a refused non-number stands for its stored value.
    boxes.texts[EntryBox::FreqMax] = "x";
    EXPECT_EQ(Enter(EntryBox::FreqInitial, "6.0005"), kInitialAboveMaxMessage);
    desktop.ClearMessages();
    EXPECT_TRUE(check.Validate(EntryBox::Other));
    check.txtInit_LostFocus(1);
    EXPECT_TRUE(desktop.Messages().empty());
}

TEST_F(ValidationTest, ParameterGridChecksRestoresAndSendsMaterial) {
    EXPECT_EQ(Edit(0, kDensityColumn, "1.000", "abc"), kDensityRangeMessage);
    EXPECT_EQ(grid.history, (std::vector<std::string>{"0.000", "1.000"}));
    EXPECT_EQ(grid.resumedRow, 0);
    EXPECT_EQ(grid.selectedLength, 5);
    EXPECT_EQ(Edit(0, kDensityColumn, "1.000", "12abc"), kDensityRangeMessage);
    EXPECT_EQ(Edit(0, kDensityColumn, "1.000", "1e999"), kDensityRangeMessage);
    EXPECT_EQ(Edit(0, kDensityColumn, "1.000", "99.991"), kDensityRangeMessage);
    EXPECT_EQ(Edit(1, kZFactorColumn, "1.000", "10"), kZFactorRangeMessage);
    EXPECT_EQ(Edit(1, kToolingColumn, "100.00", "999.5"), kToolingRangeMessage);
    EXPECT_EQ(grid.cells[std::make_pair(1, kToolingColumn)], "100.00");
    EXPECT_TRUE(sensors.calls.empty());
    EXPECT_EQ(state.ChannelDensity[0], 1);

    EXPECT_EQ(Edit(0, kDensityColumn, "1.000", " 2.7 "), "");
    EXPECT_EQ(grid.cells[std::make_pair(0, kDensityColumn)], "2.700");
    EXPECT_EQ(sensors.calls,
              (std::vector<std::string>{"Material A1 2.700000 1.000000 100.000000"}));
    EXPECT_EQ(Edit(1, kToolingColumn, "100.00", "letters"), "");  // reads as 0: accepted
    EXPECT_EQ(state.ChannelTooling[1], 0);
    EXPECT_EQ(grid.cells[std::make_pair(1, kToolingColumn)], "0.00");
    EXPECT_EQ(sensors.calls.size(), 1u);  // channel 1 has no sensor
    EXPECT_EQ(Edit(2, kZFactorColumn, "1.000", "0.1"), "");
    EXPECT_EQ(state.ChannelZFactor[2], 0.1);
    EXPECT_EQ(Edit(2, kNameColumn, "Sensor 3", "  Gold "), "");
    EXPECT_EQ(state.ChannelName[2], "Gold");
    EXPECT_EQ(Edit(8, kDensityColumn, "1.000", "5"), "");  // no such channel: nothing
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
}

TEST_F(ValidationTest, GridKeysFocusAndHints) {
    grid.cells[{0, kZFactorColumn}] = "3";
    grid.row = 0;
    grid.column = kZFactorColumn;
    check.grdParams_KeyPress('a');
    EXPECT_EQ(state.ChannelZFactor[0], 1);
    check.grdParams_KeyPress(13);  // not editing
    EXPECT_EQ(state.ChannelZFactor[0], 1);
    grid.editing = true;
    check.grdParams_KeyPress(13);
    EXPECT_EQ(state.ChannelZFactor[0], 3);
    EXPECT_FALSE(grid.editing);
    grid.cells[{0, kZFactorColumn}] = "4";
    check.grdParams_LostFocus();
    EXPECT_EQ(state.ChannelZFactor[0], 4);

    check.grdParams_CellOver(0, kDensityColumn);
    EXPECT_EQ(grid.toolTip, "Enter material density in gm/cc.");
    state.Locked = true;
    check.grdParams_CellOver(0, kDensityColumn);
    EXPECT_EQ(grid.toolTip, "Enter material density in gm/cc (locked).");
    check.grdParams_CellOver(0, kZFactorColumn);
    EXPECT_EQ(grid.toolTip, std::string(kZFactorHint) + kLockedHintEnd);
    check.grdParams_CellOver(0, kToolingColumn);
    EXPECT_EQ(grid.toolTip, std::string(kToolingHint) + kLockedHintEnd);
    check.grdParams_CellOver(0, kNameColumn);
    EXPECT_EQ(grid.toolTip, " (locked).");
}
