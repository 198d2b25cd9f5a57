// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The strip charts' plot rules: decimation into the point slots, dropping and
// scrolling when the slots are full, X units, clipping, long runs, and the
// settings strip's validation, lists and keys.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>

#include "../../config/tests/ScratchFolder.hpp"
#include "ChartStateFile.hpp"
#include "FakeDesktop.hpp"
#include "GraphSetup.hpp"
#include "ViewRules.hpp"
#include "cErrHandler.hpp"

namespace zelvo {
namespace {

class StripDouble : public IGraphStrip {
  public:
    std::string Text(StripBox box) const override { return texts.at(box); }
    void SetText(StripBox box, const std::string& text) override { texts[box] = text; }
    void Focus(StripBox box) override { focused.push_back(box); }
    std::map<StripBox, std::string> texts{
        {StripBox::XAxis, "60"}, {StripBox::YMin, "0"}, {StripBox::YMax, "20"}};
    std::vector<StripBox> focused;
};

// The next message box after onShown is set takes the focus from its box.
struct FocusTakingDesktop : testing::FakeDesktop {
    MsgResult MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                         MsgIcon icon, int defaultButton) override {
        if (auto taken = std::exchange(onShown, nullptr)) taken();
        return FakeDesktop::MessageBox(text, title, buttons, icon, defaultButton);
    }
    std::function<void()> onShown;
};

class GraphTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ErrHandler().Destination(folder_.Path("ERRORS.TXT"));
        state_.ShowLast = 3;
    }
    // Starts a run with X width `width` and the given scroll mode.
    void Start(int32_t width, int32_t scroll) {
        state_.XRange = width;
        state_.XScroll = scroll;
        state_.YMaxThick = 1000000;
        LoadGraphData(graphs_, state_);
    }
    // One reading at run time t: channel c shows thickness t + c.
    std::array<bool, kChartCount> Reading(double t) {
        for (int c = 0; c < kChannelCount; ++c) state_.ChannelValues[kValueThickness][c] = t + c;
        return GraphReading(graphs_, state_, t);
    }
    const ChartData& Chart(int g) const { return graphs_.Chart(g); }

    FocusTakingDesktop desktop_;
    testing::ScratchFolder folder_{"graph"};
    MainState state_;
    GraphState graphs_;
};

TEST_F(GraphTest, FullSlotsKeepTheNewestPointsAndTheAxisJumpsByTheScrollFraction) {
    struct Row {
        int32_t scroll;
        int kept;
        double xMin, xMax;
    };
    // 100 s wide, a reading every 0.25 s: point p at p / 4 s; the 501st finds the slots full.
    for (const Row& r : {Row{0, 495, 26, 126}, Row{1, 375, 50, 150}, Row{2, 250, 50, 150},
                         Row{3, 125, 75, 175}, Row{4, 0, 100, 200}}) {
        SCOPED_TRACE(r.scroll);
        Start(100, r.scroll);
        for (int p = 1; p <= 501; ++p) Reading(p * 0.25);
        for (int g = 1; g <= kChartCount; ++g) {
            const ChartData& chart = Chart(g);
            EXPECT_EQ(graphs_.PointCount[static_cast<size_t>(g - 1)], r.kept + 1);
            ASSERT_EQ(chart.Shown(), r.kept + 1);
            EXPECT_EQ(chart.X(r.kept + 1), 125.25);
            EXPECT_EQ(chart.xAxis, (AxisRange{r.xMin, r.xMax}));
        }
        if (r.kept > 0) {
            EXPECT_EQ(Chart(2).X(1), 0.25 * (501 - r.kept));
            EXPECT_EQ(Chart(2).X(r.kept), 125.0);
            for (int s = 1; s <= 4; ++s) EXPECT_EQ(Chart(2).Y(s, 1), Chart(2).X(1) + s - 1);
        }
    }
}

TEST(GraphSlotsTest, EverySlotCountKeepsRoomForTheNextPointInEveryScrollMode) {
    for (int slots = 1; slots <= kMaxSlots; ++slots) {
        for (int32_t scroll = 0; scroll <= 4; ++scroll) {
            const double fraction = ScrollFraction(scroll);
            const int kept = KeptPoints(slots, fraction);  // the new point always fits
            ASSERT_LE(kept, slots - 1) << slots << " " << scroll;
            ASSERT_GE(kept, slots * (1 - fraction) - 1) << slots << " " << scroll;
        }
    }
}

TEST_F(GraphTest, APointOnlyWhenASlotsShareOfTheWidthHasPassed) {
    Start(100, 1);  // 500 slots over 100 s: at least 0.2 s apart
    int added = 0;
    for (int k = 1; k <= 100; ++k) added += Reading(k * 0.1)[0] ? 1 : 0;
    EXPECT_EQ(added, Chart(1).Shown());
    EXPECT_GE(added, 33);
    EXPECT_LE(added, 50);
    for (int p = 2; p <= Chart(1).Shown(); ++p) {
        const double gap = Chart(1).X(p) - Chart(1).X(p - 1);
        EXPECT_GE(gap, 0.2 - 1e-9);
        EXPECT_LE(gap, 0.3 + 1e-9);  // the first reading after the share has passed
    }
    // Several calls within one sweep add one point at most.
    const int before = Chart(3).Shown();
    Reading(10.3), Reading(10.3), Reading(10.3);
    EXPECT_EQ(Chart(3).Shown(), before + 1);
}

TEST_F(GraphTest, XValuesAndTitlesFollowTheXUnits) {
    struct Row {
        int32_t units;
        double t, x;
        const char* title;
    };
    for (const Row& r : {Row{0, 150, 150, "Time (Sec.)"}, Row{1, 150, 2.5, "Time (Min.)"},
                         Row{2, 5400, 1.5, "Time (Hr.)"}}) {
        Start(60, 1);
        ASSERT_TRUE(cboXUnits_Click(graphs_, state_, r.units));
        Reading(r.t);
        EXPECT_EQ(Chart(1).X(1), r.x);
        EXPECT_EQ(XAxisTitle(state_.XUnits), r.title);
    }
}

TEST(GraphTitlesTest, YTitlesFollowTheUnitMode) {
    struct Row {
        int chart;
        const char* titles[3];  // thickness in kA, areal mass, thickness in A
    };
    for (const Row& r : {Row{1, {"Rate (A/s)", "Mass (ng/cm2/s)", "Rate (A/s)"}},
                         Row{2, {"Thickness (kA)", "Mass (ug/cm2)", "Thickness (A)"}},
                         Row{3, {"Frequency", "Frequency", "Frequency"}}}) {
        for (int32_t units = 0; units < 3; ++units) {
            EXPECT_EQ(ChartYTitle(r.chart, units), r.titles[units]) << r.chart << " " << units;
        }
    }
}

TEST_F(GraphTest, ChartFailuresAreReportedUnderTheirProcedureNames) {
    Start(60, 1);
    GraphInit(graphs_, "1e12");  // a width beyond a whole number
    state_.View = 1;
    StripDouble strip;
    strip.texts[StripBox::YMax] = "1e12";
    EXPECT_FALSE(ValidateYAxis(graphs_, state_, strip));
    ASSERT_EQ(desktop_.Messages().size(), 2u);
    EXPECT_NE(desktop_.Messages()[0].text.find("frmMain_GraphInit"), std::string::npos);
    EXPECT_NE(desktop_.Messages()[1].text.find("frmMain_ValidateYAxis"), std::string::npos);
}

TEST_F(GraphTest, ValuesBeyondTheYLimitsAreDrawnAtTheLimitEvenWhenTheBoundsAreEqualOrReversed) {
    struct Row {
        int32_t min, max;
        double value, drawn, step;
    };
    for (const Row& r : {Row{5000000, 6000000, 4000000, 5000000, 200000},
                         Row{5000000, 6000000, 7000000, 6000000, 200000},
                         Row{5000000, 6000000, 5500000, 5500000, 200000}, Row{5, 5, 9, 5, 0},
                         Row{5, 5, 1, 5, 0}, Row{10, 0, 5, 0, 2}, Row{10, 0, -3, 10, 2}}) {
        SCOPED_TRACE(r.value);
        Start(60, 1);
        state_.View = 3;
        StripDouble strip;
        strip.texts[StripBox::YMin] = std::to_string(r.min);
        strip.texts[StripBox::YMax] = std::to_string(r.max);
        ASSERT_TRUE(ValidateYAxis(graphs_, state_, strip));
        EXPECT_EQ(state_.YMinFreq, r.min);
        EXPECT_EQ(state_.YMaxFreq, r.max);
        EXPECT_EQ(Chart(3).yStep, r.step);
        state_.ChannelValues[kValueFrequency][0] = r.value;
        Reading(1);
        EXPECT_EQ(Chart(3).Y(1, 1), r.drawn);
    }
}

TEST_F(GraphTest, HoursAtATenthOfASecondStayWithinTheSlotsAndTheAxis) {
    Start(60, 1);  // the design settings
    state_.ShowLast = 7;
    for (long k = 1; k <= 3L * 3600 * 10; ++k) {
        const double t = k * 0.1;
        Reading(t);
        const ChartData& chart = Chart(1);
        ASSERT_LE(chart.Shown(), kDesignSlots);
        ASSERT_LE(chart.X(chart.Shown()), t);
        ASSERT_LT(t - chart.X(chart.Shown()), 0.12 + 0.1);  // 500 slots over 60 s
        ASSERT_LE(t, chart.xAxis.max + 0.5);
        ASSERT_NEAR(chart.xAxis.max - chart.xAxis.min, 60, 1e-6);
    }
    for (int p = 2; p <= Chart(1).Shown(); ++p) ASSERT_GT(Chart(1).X(p), Chart(1).X(p - 1));
    EXPECT_EQ(Chart(2).Y(8, Chart(2).Shown()), Chart(2).X(Chart(2).Shown()) + 7);
}

TEST_F(GraphTest, AUnitChangeDuringARunConvertsTheAxesAndPointsSoTheNewestStayInView) {
    Start(60, 1);
    for (int k = 1; k <= 1200; ++k) Reading(k * 0.1);
    const AxisRange seconds = Chart(1).xAxis;
    const int shown = Chart(2).Shown();
    const double newest = Chart(2).X(shown);
    ASSERT_TRUE(cboXUnits_Click(graphs_, state_, 1));
    for (int g = 1; g <= kChartCount; ++g) {
        EXPECT_EQ(Chart(g).xAxis, (AxisRange{seconds.min / 60, seconds.max / 60}));
        EXPECT_EQ(Chart(g).X(shown), newest / 60);
    }
    Reading(120.2);  // a slot's share of the minute later: a point in minutes, in view
    EXPECT_EQ(Chart(1).X(Chart(1).Shown()), 120.2 / 60);
}

TEST_F(GraphTest, AWidthOfZeroOrBelowNeverScrolls) {
    for (int32_t width : {0, -10}) {
        Start(width, 1);
        for (int k = 1; k <= 700; ++k) Reading(k * 0.1);
        EXPECT_EQ(Chart(1).xAxis, (AxisRange{0, static_cast<double>(width)}));
        EXPECT_EQ(Chart(1).Shown(), 450);  // every reading a point: dropped to 375 at 501 and 626
    }
    const std::optional<AxisRange> automatic =
        (Start(0, 1), Reading(2), Reading(5), ShownXRange(Chart(1)));
    EXPECT_EQ(automatic, (AxisRange{2, 5}));
}

TEST_F(GraphTest, GraphInitEmptiesTheChartsAndSetsTheXAxisFromTheRangeText) {
    Start(60, 1);
    for (int k = 1; k <= 900; ++k) Reading(k * 0.25);
    GraphInit(graphs_, "90");
    EXPECT_EQ(graphs_.LastPlotTime, 0);
    for (int g = 1; g <= kChartCount; ++g) {
        EXPECT_EQ(graphs_.PointCount[static_cast<size_t>(g - 1)], 0);
        EXPECT_EQ(Chart(g).xAxis, (AxisRange{0, 90}));
        EXPECT_EQ(Chart(g).X(kDesignSlots), 0);
        EXPECT_EQ(Chart(g).Y(8, 1), 0);
    }
    Reading(3);
    EXPECT_EQ(Chart(1).Shown(), 1);
    EXPECT_EQ(Chart(1).X(1), 3);
    EXPECT_EQ(Chart(1).Y(5, 1), 0);  // channels beyond ShowLast are not written
}

TEST_F(GraphTest, TheRateChartShowsTheFilterAverage) {
    Start(60, 1);
    FilterOf(state_, 2).Size(2);
    FilterOf(state_, 2).Push(4), FilterOf(state_, 2).Push(6);
    Reading(1);
    EXPECT_EQ(Chart(1).Y(3, 1), 5);
}

TEST_F(GraphTest, TheXRangeBoxAppliesToAllChartsOrIsRefusedWhenNegative) {
    struct Row {
        const char* typed;
        const char* shown;
        int32_t range;
        bool accepted;
    };
    for (const Row& r : {Row{"120", "120", 120, true}, Row{"", "0", 0, true},
                         Row{"abc", "0", 0, true}, Row{"12.5", "12.5", 12, true},
                         Row{"-5", "60", 60, false}, Row{"-0.5", "60", 60, false}}) {
        SCOPED_TRACE(r.typed);
        Start(60, 1);
        for (int k = 1; k <= 700; ++k) Reading(k * 0.1);  // scrolled: X from 15 to 75
        desktop_.ClearMessages();
        state_.View = 2;
        StripDouble strip;
        strip.texts[StripBox::XAxis] = r.typed;
        EXPECT_EQ(ValidateXAxis(graphs_, state_, strip), r.accepted);
        EXPECT_EQ(strip.texts[StripBox::XAxis], r.shown);
        EXPECT_EQ(state_.XRange, r.range);
        for (int g = 1; g <= kChartCount; ++g) {
            EXPECT_EQ(Chart(g).xAxis, (AxisRange{15, 15.0 + r.range}));
        }
        if (r.accepted) {
            EXPECT_TRUE(desktop_.Messages().empty());
        } else {
            ASSERT_EQ(desktop_.Messages().size(), 1u);
            EXPECT_EQ(desktop_.Messages()[0].text, "X Axis Range must be greater than zero.");
            EXPECT_EQ(desktop_.Messages()[0].title, "Zelvo");
            EXPECT_EQ(strip.focused, std::vector<StripBox>{StripBox::XAxis});
        }
    }
}

TEST_F(GraphTest, EmptyYBoxesBecomeZeroAndAValueTooLargeIsReported) {
    Start(60, 1);
    state_.View = 1;
    StripDouble strip;
    strip.texts[StripBox::YMin] = "";
    strip.texts[StripBox::YMax] = "x";
    EXPECT_TRUE(ValidateYAxis(graphs_, state_, strip));
    EXPECT_EQ(strip.texts[StripBox::YMin], "0");
    EXPECT_EQ(strip.texts[StripBox::YMax], "0");
    EXPECT_EQ(Chart(1).yLimits, (AxisRange{0, 0}));

    strip.texts[StripBox::XAxis] = "1e12";
    EXPECT_FALSE(ValidateXAxis(graphs_, state_, strip));
    EXPECT_EQ(state_.XRange, 60);
    ASSERT_FALSE(desktop_.Messages().empty());
    EXPECT_NE(desktop_.Messages().back().text.find("frmMain_ValidateXAxis"), std::string::npos);
}

TEST_F(GraphTest, AnEntryGivesOneMessageWhateverTheFocusDoesAfterwards) {
    state_.View = 1;
    StripDouble strip;
    StripEntries entries(graphs_, state_, strip);
    for (StripBox box : {StripBox::XAxis, StripBox::YMax}) {
        desktop_.ClearMessages();
        desktop_.onShown = [&] { entries.LostFocus(box); };
        strip.texts[box] = box == StripBox::XAxis ? "-5" : "99999999999";
        EXPECT_FALSE(entries.Enter(box));
        EXPECT_FALSE(entries.LostFocus(box));  // the refused text left as it was
        EXPECT_EQ(desktop_.Messages().size(), 1u);
    }
    strip.texts[StripBox::YMax] = "40";  // a new text is applied on leaving the box
    EXPECT_TRUE(entries.LostFocus(StripBox::YMax));
    EXPECT_EQ(state_.YMax, 40);
}

TEST(GraphKeysTest, TheRangeBoxTakesNumbersOnlyAndEnterValidates) {
    for (int key = 0; key < 128; ++key) {
        const bool numeric = (key >= '0' && key <= '9') || key == '-' || key == '.' || key == 8;
        const KeyOutcome x = txtXAxis_KeyPress(key);
        const KeyOutcome y = txtYAxis_KeyPress(key);
        if (key == 13) {
            EXPECT_EQ(x, KeyOutcome::Validate);
            EXPECT_EQ(y, KeyOutcome::Validate);
        } else {
            EXPECT_EQ(x, numeric ? KeyOutcome::Pass : KeyOutcome::Discard) << key;
            EXPECT_EQ(y, KeyOutcome::Pass) << key;
        }
    }
}

}  // namespace
}  // namespace zelvo
