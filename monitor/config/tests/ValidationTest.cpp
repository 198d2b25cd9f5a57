// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "FakeDesktop.hpp"
#include "SupervisionChecks.hpp"
#include "Validation.hpp"
#include "ValidationChecks.hpp"
#include "cErrHandler.hpp"
#include "testing/MainViewDoubles.hpp"

using namespace zelvo;
using std::to_string;

namespace {

// Records also the values that reach the sensors.
struct RecordingSensors : zelvo::testing::ScriptedSensors {
    int Material(const std::string& s, double d, double z, double t) override {
        calls.push_back("Material " + s + " " + to_string(d) + " " + to_string(z) + " " +
                        to_string(t));
        return 0;
    }
    int InitFreq(double mx, double mn, double in) override {
        calls.push_back("InitFreq " + to_string(mx) + " " + to_string(mn) + " " + to_string(in));
        return 0;
    }
};

struct FakeBoxes : IEntryBoxes {
    std::string Text(EntryBox box) const override { return texts.at(box); }
    void SetText(EntryBox box, const std::string& text) override { texts[box] = text; }
    void Focus(EntryBox box) override { focused = box; }
    void Select(EntryBox, int start, int length) override { selection = {start, length}; }
    std::map<EntryBox, std::string> texts{{EntryBox::FreqMax, "6.100"},
                                          {EntryBox::FreqMin, "5.000"},
                                          {EntryBox::FreqInitial, "6.000"}};
    EntryBox focused = EntryBox::Other;
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
        EXPECT_EQ(std::tie(desktop.Messages()[0].title, desktop.Messages()[0].icon),
                  std::make_tuple(std::string("Zelvo"), MsgIcon::None));
        EXPECT_EQ(boxes.focused, box);
        EXPECT_EQ(boxes.selection, std::make_pair(0, static_cast<int>(text.size())));
        EXPECT_EQ(boxes.texts[box], text);  // the refused text stays in its box
        return desktop.Messages()[0].text;
    }
    // Types text that must be accepted; returns what its box then shows.
    std::string Accept(EntryBox box, const std::string& text) {
        EXPECT_EQ(Enter(box, text), "") << text;
        return boxes.texts[box];
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

TEST_F(ValidationTest, EveryRefusalShowsItsMessageAndChangesNothing) {
    auto refused = [&](EntryBox box, const char* message, std::vector<const char*> texts) {
        for (const char* text : texts) {
            EXPECT_EQ(Enter(box, text), message) << text;
            boxes.texts = FakeBoxes().texts;  // maximum 6.1, minimum 5.0, initial 6.0
        }
    };
    refused(EntryBox::Run, "Run# must be an integer between 1 and 9999.",
            {"0", "10000", "", "abc", "12abc", "1,2", "99999999999", "1e400"});
    refused(EntryBox::Period, "Period must be between 0.1 and 2 sec.",
            {"0.09", "2.01", "", "0,5", "-1"});
    refused(EntryBox::Filter, "Filter must be between 1 and 99.", {"100", "40000", "0", "1;5"});
    refused(EntryBox::FreqMax, "Max. Frequency must be <= 30 MHZ.", {"30.001", "abc"});
    refused(EntryBox::FreqMax, "Max. Frequency must be > Initial Frequency.", {"5.9"});
    refused(EntryBox::FreqMin, "Min. Frequency must be >= 1MHZ.", {"0.999"});
    refused(EntryBox::FreqMin, "Min. Frequency must be < Initial Frequency.", {"6.01"});
    refused(EntryBox::FreqInitial, "Initial Frequency must be be < Max. Frequency.", {"6.2", ""});
    refused(EntryBox::FreqInitial, "Initial Frequency must be > Min. Frequency.", {"4.9"});

    auto cellRefused = [&](int row, int column, const char* message,
                           std::vector<const char*> typed) {
        for (const char* text : typed) {
            EXPECT_EQ(Edit(row, column, "1.000", text), message) << text;
            EXPECT_EQ(grid.cells[std::make_pair(row, column)], "1.000");  // restored
            EXPECT_EQ(grid.resumedRow, row);
        }
    };
    cellRefused(0, kDensityColumn, "Density must be between 0.2 and 99.99.",
                {"12abc", "1e999", "99.991", "2,7"});
    cellRefused(1, kZFactorColumn, "Z Factor must be between 0.1 and 9.99.", {"10"});
    cellRefused(2, kToolingColumn, "Tooling must be between 0 and 999.", {"999.5", "-1"});
    // Names that a setup file could not hold whole.
    const std::string tooLong(101, 'n');
    cellRefused(3, kNameColumn,
                "Channel name must be at most 100 characters, without ; or control characters.",
                {"Gold;Silver", tooLong.c_str(), "two\r\nlines", "tab\there"});

    auto settings = [](const MainState& m) {
        return std::tie(m.RunNum, m.Period, m.FreqMax, m.FreqMin, m.FreqInit, m.ChannelDensity,
                        m.ChannelZFactor, m.ChannelTooling, m.ChannelName);
    };
    EXPECT_EQ(settings(state), settings(MainState()));
    EXPECT_FALSE(state.ChannelFilter[0].has_value());
    EXPECT_TRUE(sensors.calls.empty());
}

TEST_F(ValidationTest, AcceptedEntriesReachSettingsBoxesTimerAndSensors) {
    EXPECT_EQ(Accept(EntryBox::Run, "12.6"), "13");
    EXPECT_EQ(Accept(EntryBox::Run, " +1e3 "), "1000");
    EXPECT_EQ(state.RunNum, 1000);
    check.txtRun_GotFocus();
    EXPECT_EQ(boxes.selection, std::make_pair(0, 4));
    EXPECT_EQ(Accept(EntryBox::Filter, "1.5"), "1.5");  // taken as 2, shown as typed
    for (int c = 0; c < kChannelCount; ++c) EXPECT_EQ(FilterOf(state, c).Size(), 2);
    EXPECT_EQ(Accept(EntryBox::Filter, "99"), "99");
    EXPECT_EQ(FilterOf(state, 7).Size(), 99);

    EXPECT_EQ(Accept(EntryBox::Period, "0.5"), ".50");
    EXPECT_EQ(tmrRun.Interval(), 250);
    EXPECT_EQ(sensors.calls,
              (std::vector<std::string>{"Period A1 0.500000", "Period C3 0.500000"}));
    EXPECT_EQ(Accept(EntryBox::Period, "0.1"), ".10");
    EXPECT_EQ(tmrRun.Interval(), 50);
    sensors.periodStatus["C3"] = 7;
    EXPECT_EQ(Accept(EntryBox::Period, "2"), "2.00");  // a sensor's status is not the operator's
    EXPECT_EQ(state.Period, 2);
    EXPECT_EQ(check.LastSensorStatus(), 7);
    EXPECT_EQ(SweepIntervalFor(0.125), 62);  // 62.5 halves to even
    // Entered while a sweep waits on a sensor: kept for the sweep to send when it ends.
    sensors.calls.clear();
    sensors.exchanging = true;
    EXPECT_EQ(Accept(EntryBox::Period, "1"), "1.00");
    EXPECT_TRUE(sensors.calls.empty());
    EXPECT_TRUE(state.PeriodPending);
    sensors.exchanging = false;

    sensors.calls.clear();
    EXPECT_EQ(Accept(EntryBox::FreqMax, "30"), "30.000");
    EXPECT_EQ(sensors.calls,
              (std::vector<std::string>{"InitFreq 30000000.000000 5000000.000000 6000000.000000",
                                        "Period A1 1.000000", "Period C3 1.000000"}));
    EXPECT_EQ(Accept(EntryBox::FreqMin, "1"), "1.000");
    EXPECT_EQ(Accept(EntryBox::FreqMin, "6"), "6.000");  // equal to the initial frequency
    EXPECT_EQ(Accept(EntryBox::FreqMax, "6"), "6.000");
    EXPECT_EQ(std::tie(state.FreqMin, state.FreqMax), std::make_tuple(6e6, 6e6));
    // A box holding a refused non-number stands for its stored value.
    boxes.texts[EntryBox::FreqMax] = "x";
    EXPECT_EQ(Enter(EntryBox::FreqInitial, "6.0005"),
              "Initial Frequency must be be < Max. Frequency.");
    EXPECT_EQ(state.FreqInit, 6000000);
    EXPECT_TRUE(check.Validate(EntryBox::Other));
}

TEST_F(ValidationTest, ParameterGridChecksOnEnterAndLostFocusAndHints) {
    EXPECT_EQ(Edit(0, kDensityColumn, "1.000", "abc"), "Density must be between 0.2 and 99.99.");
    EXPECT_EQ(grid.history, (std::vector<std::string>{"0.000", "1.000"}));
    EXPECT_EQ(grid.selectedLength, 5);

    EXPECT_EQ(Edit(0, kDensityColumn, "1.000", " 2.7 "), "");
    EXPECT_EQ(grid.cells[std::make_pair(0, kDensityColumn)], "2.700");
    EXPECT_EQ(sensors.calls.back(), "Material A1 2.700000 1.000000 100.000000");
    EXPECT_EQ(Edit(1, kToolingColumn, "100.00", "letters"), "");  // reads as 0: accepted
    EXPECT_EQ(grid.cells[std::make_pair(1, kToolingColumn)], "0.00");
    EXPECT_EQ(state.ChannelTooling[1], 0);
    EXPECT_EQ(sensors.calls.size(), 1u);  // channel 1 has no sensor
    EXPECT_EQ(Edit(2, kNameColumn, "Sensor 3", "  Gold "), "");
    EXPECT_EQ(state.ChannelName[2], "Gold");
    EXPECT_EQ(Edit(2, kNameColumn, "Gold", " " + std::string(100, 'n') + " "), "");
    EXPECT_EQ(state.ChannelName[2], std::string(100, 'n'));
    EXPECT_EQ(Edit(8, kDensityColumn, "1.000", "5"), "");  // no such channel: nothing
    EXPECT_EQ(ErrHandler().StackPointer(), 0);

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
    EXPECT_EQ(grid.history, (std::vector<std::string>{"3.000", "0.000", "1.000"}));

    check.grdParams_CellOver(0, kDensityColumn);
    EXPECT_EQ(grid.toolTip, "Enter material density in gm/cc.");
    state.Locked = true;
    check.grdParams_CellOver(0, kDensityColumn);
    EXPECT_EQ(grid.toolTip, "Enter material density in gm/cc (locked).");
    EXPECT_EQ(ParameterHint(kToolingColumn, true), "Enter sensor tooling factor (locked).");
    EXPECT_EQ(ParameterHint(kZFactorColumn, false), "Enter material Z factor.");
    EXPECT_EQ(ParameterHint(kNameColumn, false), ".");
}

TEST(SupervisionEntryTest, EachEntryStatesItsRangeWhenRefusedAndShowsWhatItTakes) {
    using F = SupervisionField;
    const struct {
        F field;
        const char* text;
        const char* shownOrMessage;
    } cases[] = {
        {F::Target, "0.5", "0.500"},
        {F::Target, "10000", "Target must be between 0 and 9999.999."},
        {F::Margin, "-0.1", "Target warning must be between 0 and 9999.999."},
        {F::LifeWarning, "99", "99.0"},
        {F::LifeWarning, "99.5", "Life warning must be between 0 and 99 %."},
        {F::Quality, "8.6", "9"},
        {F::Quality, "10", "Quality must be an integer between 0 and 9."},
        {F::StabilityThreshold, "x", "Stability threshold must be between 0 and 1000000 Hz."},
        {F::StabilityAlarm, "1e6", "1000000.0"},
        {F::StabilityAlarm, "1000001", "Stability alarm must be between 0 and 1000000 Hz."},
    };
    SupervisionSettings settings;
    for (const auto& c : cases) {
        const EntryCheck check = CheckSupervision(c.field, c.text);
        EXPECT_EQ(check.accepted ? check.shown : check.message, c.shownOrMessage) << c.text;
        if (check.accepted) SetSupervision(settings, c.field, check.value);
    }
    EXPECT_EQ(settings, (SupervisionSettings{0.5, 0, 99, 9, kDefaultStabilityThreshold, 1e6}));
}
