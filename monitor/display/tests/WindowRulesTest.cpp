// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "FormLayout.hpp"
#include "FormPosition.hpp"
#include "GridRules.hpp"
#include "ViewRules.hpp"

namespace zelvo {
namespace {

TEST(GridRulesTest, HeadersFollowTheUnitModeButTheRateAndThicknessTipsDoNot) {
    struct Row {
        int32_t units;
        const char* rate;
        const char* thick;
    };
    for (const Row& row : {Row{0, "Rate (A/s)", "Thick (kA)"}, Row{1, "ng/cm2/s", "ug/cm2"},
                           Row{2, "Rate (A/s)", "Thick (A)"}}) {
        SCOPED_TRACE(row.units);
        EXPECT_EQ(ReadingsHeader(row.units, 0), row.rate);
        EXPECT_EQ(ReadingsHeader(row.units, 1), row.thick);
        EXPECT_EQ(ReadingsHeader(row.units, 2), "Zero");
        EXPECT_EQ(ReadingsHeader(row.units, 3), "Freq. (Hz)");
        EXPECT_EQ(ReadingsHeader(row.units, 4), "Life (%)");
    }
    EXPECT_EQ(ReadingsToolTip(0), "Deposition rate in A/s");
    EXPECT_EQ(ReadingsToolTip(1), "Deposited thickness in kA");
    EXPECT_EQ(ParamsHeader(1), "Z Factor");
    EXPECT_EQ(AssignmentHeader(-1), "Row");
    EXPECT_EQ(AssignmentHeader(1), "Zelvo #");
}

TEST(GridRulesTest, ToolTipsPerColumnWithTheirCompletions) {
    EXPECT_EQ(ReadingsToolTip(-1), "Material or sensor name.");
    EXPECT_EQ(ReadingsToolTip(2), "Click to zero thickness. Shift-Click zeroes all.");
    EXPECT_EQ(ReadingsToolTip(4), "Percent of sensor life remaining.");
    EXPECT_EQ(ReadingsToolTip(5), "");

    EXPECT_EQ(AssignmentToolTip(-1, "x"), "Measurement channel (row) on main screen grid.");
    EXPECT_EQ(AssignmentToolTip(0, "x"), "Channel name on main screen.");
    EXPECT_EQ(AssignmentToolTip(1, "x"),
              "Zelvo serial number assigned to channel.  Strike through indicates not "
              "connected.");
    EXPECT_EQ(AssignmentToolTip(2, "kept"), "kept");
}

TEST(GridRulesTest, CellFontsRoundTheGridFontAndEnlargeRateAndThickness) {
    struct Row {
        double size;
        int row;
        int column;
        int expected;
    };
    for (const Row& r :
         {Row{9.6, 0, 0, 12}, Row{9.6, 3, 1, 12}, Row{9.6, 0, 2, 10}, Row{9.6, 0, 4, 10},
          Row{9.6, -1, 0, 10}, Row{9.6, 2, -1, 10}, Row{19.2, 0, 0, 21}, Row{19.2, 0, 3, 19},
          Row{7.8, 0, 1, 10}, Row{7.4, 0, 3, 7}}) {
        SCOPED_TRACE(testing::Message() << r.size << " " << r.row << "," << r.column);
        EXPECT_EQ(ReadingsCellFont(r.size, r.row, r.column), r.expected);
    }
}

TEST(ViewRulesTest, EachViewShowsItsRegionAndOtherValuesChangeNoFrame) {
    struct Row {
        int16_t v;
        ViewItem checked;
        bool changes;
        bool setup;
        bool graph;
        int chart;
    };
    for (const Row& r : {Row{0, ViewItem::Setup, true, true, false, 0},
                         Row{1, ViewItem::RateGraph, true, false, true, 1},
                         Row{2, ViewItem::ThicknessGraph, true, false, true, 2},
                         Row{3, ViewItem::FrequencyGraph, true, false, true, 3},
                         Row{7, ViewItem::None, false, false, false, 0},
                         Row{-1, ViewItem::None, false, false, false, 0}}) {
        SCOPED_TRACE(r.v);
        ViewLayout layout = LayoutForView(r.v);
        EXPECT_EQ(layout.checked, r.checked);
        EXPECT_EQ(layout.changesFrames, r.changes);
        EXPECT_EQ(layout.setupVisible, r.setup);
        EXPECT_EQ(layout.graphVisible, r.graph);
        EXPECT_EQ(layout.chart, r.chart);
    }
    MainState state;
    EXPECT_EQ(ChartYBounds(state, 3).min, 5000000);
    EXPECT_EQ(ChartYBounds(state, 2).max, 200);
}

TEST(FormLayoutTest, GridsPanelsAndReferenceFollowTheChannelCount) {
    EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(192), 7.5);
    struct Row {
        int32_t showLast;
        int gridHeight;
        int lowerTop;
        int inner;
    };
    // Rows of 23 pixels under a header row as high, in a 2-pixel frame.
    for (const Row& r : {Row{0, 48, 96, 369}, Row{3, 117, 165, 438}, Row{7, 209, 257, 530}}) {
        SCOPED_TRACE(r.showLast);
        const GridBand band = PlaceGrids(r.showLast, 23);
        EXPECT_EQ(band.readings, (DesignRect{8, 40, 385, r.gridHeight}));
        EXPECT_EQ(band.params, (DesignRect{400, 40, 185, r.gridHeight}));
        const LowerRegion lower = PlaceLowerRegion(band);
        EXPECT_EQ(lower.setup, (DesignRect{8, r.lowerTop, 577, kLowerRegionHeight}));
        EXPECT_EQ(lower.graph, (DesignRect{8, r.lowerTop, 490, kLowerRegionHeight}));
        EXPECT_EQ(lower.graphSetup, (DesignRect{498, r.lowerTop, 87, kLowerRegionHeight}));
        EXPECT_EQ(InnerHeight(band), r.inner);
    }
}

TEST(FormPositionTest, TextRoundTripRoundingFixedSizeAndMissingPairs) {
    const FormPlace place{1200, 900, 8880, 6540, 0};
    EXPECT_EQ(PositionText(place), "L=1200;T=900;W=8880;H=6540;S=0;");
    EXPECT_EQ(ParsePosition(PositionText(place), FormPlace{}, false), place);

    const FormPlace current{1, 2, 300, 400, 0};
    EXPECT_EQ(ParsePosition("", current, false), std::nullopt);
    EXPECT_EQ(ParsePosition("L=10.5;T=11.5;W=500;H=600;S=2;", current, false),
              (FormPlace{10, 12, 500, 600, 2}));
    EXPECT_EQ(ParsePosition("L=10;T=20;W=500;H=600;S=0;", current, true),
              (FormPlace{10, 20, 300, 400, 0}));
    EXPECT_EQ(ParsePosition("T=7;", current, false), (FormPlace{1, 7, 300, 400, 0}));
    EXPECT_EQ(ParsePosition("garbage", current, false), current);
}

TEST(FormPositionTest, KeptOnScreenAndCentred) {
    EXPECT_EQ(KeepOnScreen(FormPlace{20000, 900, 8880, 6540, 0}, 15360, 11520).left, 6480);
    EXPECT_EQ(KeepOnScreen(FormPlace{100, 12000, 8880, 6540, 0}, 15360, 11520).top, 4980);
    EXPECT_EQ(KeepOnScreen(FormPlace{-50, -1, 8880, 6540, 0}, 15360, 11520),
              (FormPlace{0, 0, 8880, 6540, 0}));
    // A window wider than the screen pushed back past the left edge stops at 0.
    EXPECT_EQ(KeepOnScreen(FormPlace{20000, 0, 30000, 100, 0}, 15360, 11520).left, 0);
    EXPECT_EQ(CenterOnScreen(FormPlace{0, 0, 8880, 6540, 0}, 15360, 11520),
              (FormPlace{3240, 2490, 8880, 6540, 0}));
}

}  // namespace
}  // namespace zelvo
