#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "ConsoleDesktop.hpp"
#include "FakeDesktop.hpp"
#include "Validation.hpp"
#include "ValidationChecks.hpp"
#include "cErrHandler.hpp"

using namespace zelvo;
using std::to_string;

namespace {

// Records the sensor calls of the checks; each answers `status`.
struct RecordingSensors : ISensorManager {
    int FindZelvos(DiscoveryList&) override { return 0; }
    int GetReading(const std::string&, ReadingResult&) override { return 0; }
    int Period(const std::string& s, double p) override { return Call("Period " + s, p, 0, 0); }
    int Material(const std::string& s, double d, double z, double t) override {
        return Call("Material " + s, d, z, t);
    }
    int InitFreq(double mx, double mn, double in) override { return Call("InitFreq", mx, mn, in); }
    int Zero(const std::string&) override { return 0; }
    int ZeroAll() override { return 0; }
    void ReadingTimer(int32_t) override {}
    void Release() override {}
    int Call(const std::string& what, double a, double b, double c) {
        calls.push_back(what + " " + to_string(a) + " " + to_string(b) + " " + to_string(c));
        return status;
    }
    std::vector<std::string> calls;
    int status = 0;
};

struct FakeBoxes : IEntryBoxes {
    std::string Text(EntryBox box) const override { return texts.at(box); }
    void SetText(EntryBox box, const std::string& text) override { texts[box] = text; }
    void Focus(EntryBox box) override { focused = box; }
    void Select(EntryBox box, int start, int length) override {
        selected = box;
        selection = {start, length};
    }
    std::map<EntryBox, std::string> texts{{EntryBox::FreqMax, "6.100"},
                                          {EntryBox::FreqMin, "5.000"},
                                          {EntryBox::FreqInitial, "6.000"}};
    EntryBox focused = EntryBox::Other, selected = EntryBox::Other;
    std::pair<int, int> selection{-1, -1};
};

struct FakeParamsGrid : IParamsGrid {
    std::string CellText(int row, int column) const override { return cells.at({row, column}); }
    void SetCellText(int row, int column, const std::string& text) override {
        cells[{row, column}] = text;
        history.push_back(text);
    }
    void SetToolTip(const std::string& text) override { toolTip = text; }
    bool IsEditing() const override { return editing; }
    int CurrentRow() const override { return 0; }
    int CurrentColumn() const override { return kZFactorColumn; }
    void EndEdit() override { editing = false; }
    void SelectEditorText(int length) override { selectedLength = length; }
    void ResumeEdit(int row) override { resumedRow = row; }
    std::map<std::pair<int, int>, std::string> cells;
    std::vector<std::string> history;
    std::string toolTip;
    bool editing = false;
    int selectedLength = -1, resumedRow = -1;
};

class ValidationTest : public ::testing::Test {
  protected:
    ValidationTest() {
        state.ChannelPresent = {true, false, true};
        state.ChannelSerial = {"A1", "B2", "C3"};
    }
    // Types text into the box and leaves it; returns the message shown, if any.
    std::string Enter(EntryBox box, const std::string& text) {
        boxes.texts[box] = text;
        desktop.ClearMessages();
        boxes.focused = EntryBox::Other;
        check.ValidateControl(box);
        if (desktop.Messages().empty()) return "";
        EXPECT_EQ(desktop.Messages()[0].title, "Zelvo");
        EXPECT_EQ(desktop.Messages()[0].icon, MsgIcon::None);
        EXPECT_EQ(boxes.focused, box);
        EXPECT_EQ(boxes.selection, std::make_pair(0, static_cast<int>(text.size())));
        EXPECT_EQ(boxes.texts[box], text);  // the refused text stays in its box
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

    zelvo::testing::FakeDesktop desktop;
    MainState state;
    RecordingSensors sensors;
    ManualTimer tmrRun;
    FakeBoxes boxes;
    FakeParamsGrid grid;
    Validation check{state, sensors, tmrRun, boxes, grid};
};

}  // namespace

TEST_F(ValidationTest, RunNumberAndFilter) {
    for (const char* bad : {"0", "10000", "", "abc", "12abc", "1,2", "99999999999", "1e400"}) {
        EXPECT_EQ(Enter(EntryBox::Run, bad), "Run# must be an integer between 1 and 9999.") << bad;
    }
    EXPECT_EQ(state.RunNum, 1);
    EXPECT_EQ(Enter(EntryBox::Run, "12.6"), "");
    EXPECT_EQ(boxes.texts[EntryBox::Run], "13");
    EXPECT_EQ(Enter(EntryBox::Run, " +1e3 "), "");
    EXPECT_EQ(state.RunNum, 1000);
    check.txtRun_GotFocus();
    EXPECT_EQ(boxes.selection, std::make_pair(0, 4));

    for (const char* bad : {"100", "40000", "0", "1;5"}) {
        EXPECT_EQ(Enter(EntryBox::Filter, bad), "Filter must be between 1 and 99.") << bad;
    }
    EXPECT_FALSE(state.ChannelFilter[0].has_value());
    EXPECT_EQ(Enter(EntryBox::Filter, "1.5"), "");
    EXPECT_EQ(boxes.texts[EntryBox::Filter], "1.5");
    for (int c = 0; c < kChannelCount; ++c) EXPECT_EQ(FilterOf(state, c).Size(), 2);
    EXPECT_EQ(Enter(EntryBox::Filter, "99"), "");
    EXPECT_EQ(FilterOf(state, 7).Size(), 99);
}

TEST_F(ValidationTest, PeriodReachesTheSensorsAndTheSweepTimer) {
    for (const char* bad : {"0.09", "2.01", "", "0,5", "-1"}) {
        EXPECT_EQ(Enter(EntryBox::Period, bad), "Period must be between 0.1 and 2 sec.") << bad;
    }
    EXPECT_TRUE(sensors.calls.empty());
    EXPECT_EQ(Enter(EntryBox::Period, "0.5"), "");
    EXPECT_EQ(tmrRun.Interval(), 250);
    EXPECT_EQ(boxes.texts[EntryBox::Period], ".50");
    EXPECT_EQ(sensors.calls, (std::vector<std::string>{"Period A1 0.500000 0.000000 0.000000",
                                                       "Period C3 0.500000 0.000000 0.000000"}));
    EXPECT_EQ(Enter(EntryBox::Period, "0.1"), "");
    EXPECT_EQ(tmrRun.Interval(), 50);
    sensors.status = 7;
    EXPECT_EQ(Enter(EntryBox::Period, "2"), "");  // a sensor's status is not the operator's
    EXPECT_EQ(state.Period, 2);
    EXPECT_EQ(boxes.texts[EntryBox::Period], "2.00");
    EXPECT_EQ(check.LastSensorStatus(), 7);
    EXPECT_EQ(SweepIntervalFor(0.125), 62);  // 62.5 halves to even
}

TEST_F(ValidationTest, FrequencyBoxesCheckLimitsAndOrder) {
    EXPECT_EQ(Enter(EntryBox::FreqMax, "30.001"), "Max. Frequency must be <= 30 MHZ.");
    EXPECT_EQ(Enter(EntryBox::FreqMax, "abc"), "Max. Frequency must be <= 30 MHZ.");
    EXPECT_EQ(Enter(EntryBox::FreqMax, "5.9"), "Max. Frequency must be > Initial Frequency.");
    EXPECT_EQ(Enter(EntryBox::FreqMin, "0.999"), "Min. Frequency must be >= 1MHZ.");
    EXPECT_EQ(Enter(EntryBox::FreqMin, "6.01"), "Min. Frequency must be < Initial Frequency.");
    boxes.texts[EntryBox::FreqMax] = "6.1";
    boxes.texts[EntryBox::FreqMin] = "5.0";
    EXPECT_EQ(Enter(EntryBox::FreqInitial, "6.2"),
              "Initial Frequency must be be < Max. Frequency.");
    EXPECT_EQ(Enter(EntryBox::FreqInitial, "4.9"), "Initial Frequency must be > Min. Frequency.");
    EXPECT_EQ(Enter(EntryBox::FreqInitial, ""), "Initial Frequency must be be < Max. Frequency.");
    EXPECT_TRUE(sensors.calls.empty());

    EXPECT_EQ(Enter(EntryBox::FreqMax, "30"), "");
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
    EXPECT_EQ(Enter(EntryBox::FreqInitial, "6.0005"),
              "Initial Frequency must be be < Max. Frequency.");
    EXPECT_EQ(state.FreqInit, 6000000);
    desktop.ClearMessages();
    EXPECT_TRUE(check.Validate(EntryBox::Other));
    EXPECT_TRUE(desktop.Messages().empty());
}

TEST_F(ValidationTest, ParameterGridChecksRestoresAndSendsMaterial) {
    EXPECT_EQ(Edit(0, kDensityColumn, "1.000", "abc"), "Density must be between 0.2 and 99.99.");
    EXPECT_EQ(grid.history, (std::vector<std::string>{"0.000", "1.000"}));
    EXPECT_EQ(grid.resumedRow, 0);
    EXPECT_EQ(grid.selectedLength, 5);
    for (const char* bad : {"12abc", "1e999", "99.991", "2,7"}) {
        EXPECT_EQ(Edit(0, kDensityColumn, "1.000", bad), "Density must be between 0.2 and 99.99.")
            << bad;
    }
    EXPECT_EQ(Edit(1, kZFactorColumn, "1.000", "10"), "Z Factor must be between 0.1 and 9.99.");
    EXPECT_EQ(Edit(1, kToolingColumn, "100.00", "999.5"), "Tooling must be between 0 and 999.");
    EXPECT_EQ(grid.cells[std::make_pair(1, kToolingColumn)], "100.00");
    EXPECT_TRUE(sensors.calls.empty());
    EXPECT_EQ(state.ChannelDensity[0], 1);

    EXPECT_EQ(Edit(0, kDensityColumn, "1.000", " 2.7 "), "");
    EXPECT_EQ(grid.cells[std::make_pair(0, kDensityColumn)], "2.700");
    EXPECT_EQ(sensors.calls.back(), "Material A1 2.700000 1.000000 100.000000");
    EXPECT_EQ(Edit(1, kToolingColumn, "100.00", "letters"), "");  // reads as 0: accepted
    EXPECT_EQ(grid.cells[std::make_pair(1, kToolingColumn)], "0.00");
    EXPECT_EQ(state.ChannelTooling[1], 0);
    EXPECT_EQ(sensors.calls.size(), 1u);  // channel 1 has no sensor
    EXPECT_EQ(Edit(2, kNameColumn, "Sensor 3", "  Gold "), "");
    EXPECT_EQ(state.ChannelName[2], "Gold");
    EXPECT_EQ(Edit(8, kDensityColumn, "1.000", "5"), "");  // no such channel: nothing
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
}

TEST_F(ValidationTest, GridEnterLostFocusAndHints) {
    grid.cells[{0, kZFactorColumn}] = "3";
    check.grdParams_KeyPress(13);  // not editing: nothing
    grid.editing = true;
    check.grdParams_KeyPress('3');
    EXPECT_EQ(state.ChannelZFactor[0], 1);
    check.grdParams_KeyPress(13);
    EXPECT_EQ(state.ChannelZFactor[0], 3);
    EXPECT_FALSE(grid.editing);
    grid.cells[{0, kZFactorColumn}] = "0";
    check.grdParams_LostFocus();
    EXPECT_EQ(desktop.Messages().back().text, "Z Factor must be between 0.1 and 9.99.");
    EXPECT_EQ(grid.history, (std::vector<std::string>{"3.000", "0.000", ""}));

    check.grdParams_CellOver(0, kDensityColumn);
    EXPECT_EQ(grid.toolTip, "Enter material density in gm/cc.");
    state.Locked = true;
    check.grdParams_CellOver(0, kDensityColumn);
    EXPECT_EQ(grid.toolTip, "Enter material density in gm/cc (locked).");
    check.grdParams_CellOver(0, kToolingColumn);
    EXPECT_EQ(grid.toolTip, "Enter sensor tooling factor (locked).");
    state.Locked = false;
    check.grdParams_CellOver(0, kZFactorColumn);
    EXPECT_EQ(grid.toolTip, "Enter material Z factor.");
}
