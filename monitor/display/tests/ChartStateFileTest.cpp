// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Chart state files: the design state, the carried files, settings over the
// design state, and malformed lines reported with their line number.

#include <gtest/gtest.h>

#include "../../config/tests/ScratchFolder.hpp"
#include "ChartStateFile.hpp"
#include "TextFile.hpp"

namespace zelvo {
namespace {

TEST(ChartStateFileTest, TheCarriedFilesHoldTheDesignState) {
    for (const char* name : {"zelvo.oc2", "zelvo_Thick.oc2", "zelvo_Freq.oc2"}) {
        ChartStyle style;
        style.pointSlots = 7;
        EXPECT_FALSE(ReadChartState(std::string(ZELVO_CHART_FILES) + "/" + name, style)) << name;
        EXPECT_EQ(style, DesignChartStyle()) << name;
    }
    const ChartStyle design = DesignChartStyle();
    EXPECT_EQ(design.pointSlots, 500);
    EXPECT_EQ(design.font, "Arial");
    EXPECT_EQ(design.line[5], (Rgb{255, 165, 0}));
    EXPECT_EQ(design.symbol[5], (Rgb{0, 255, 255}));
    EXPECT_EQ(design.symbol[7], (Rgb{135, 206, 250}));
}

TEST(ChartStateFileTest, SettingsApplyOverTheDesignState) {
    ChartStyle style = DesignChartStyle();
    ASSERT_FALSE(
        ParseChartState("; comment\r\n\r\n  slots = 250 \r\nFONT=DejaVu Sans\r\n"
                        "Header=Chamber 2\nseries8.symbol=1,2,3\r\n",
                        style));
    ChartStyle expected = DesignChartStyle();
    expected.pointSlots = 250;
    expected.font = "DejaVu Sans";
    expected.header = "Chamber 2";
    expected.symbol[7] = {1, 2, 3};
    EXPECT_EQ(style, expected);
}

TEST(ChartStateFileTest, MalformedLinesAreReportedAndChangeNothing) {
    struct Row {
        const char* text;
        const char* description;
    };
    for (const Row& r :
         {Row{"Slots=0", "line 1: Slots must be a whole number from 1 to 100000"},
          Row{"Slots=100001", "line 1: Slots must be a whole number from 1 to 100000"},
          Row{"Slots=12.5", "line 1: Slots must be a whole number from 1 to 100000"},
          Row{"Font=Arial\r\nSlots", "line 2: no \"=\""},
          Row{"Font=", "line 1: Font needs a family name"},
          Row{"Series9.Line=1,2,3", "line 1: unknown key \"Series9.Line\""},
          Row{"Series1.Fill=1,2,3", "line 1: unknown key \"Series1.Fill\""},
          Row{"Colour=1", "line 1: unknown key \"Colour\""},
          Row{"Series1.Line=1,2", "line 1: \"1,2\" is no red,green,blue colour"},
          Row{"Series1.Line=1,2,256", "line 1: \"1,2,256\" is no red,green,blue colour"},
          Row{"Series1.Line=1,x,3", "line 1: \"1,x,3\" is no red,green,blue colour"}}) {
        ChartStyle style = DesignChartStyle();
        const std::optional<ZelvoError> failure =
            ParseChartState(std::string("Slots=9\r\n") + r.text, style);
        ASSERT_TRUE(failure) << r.text;
        EXPECT_EQ(failure->Number(), err::TypeMismatch);
        // The failing line counts after the leading Slots line.
        std::string expected = r.description;
        expected[5] = static_cast<char>(expected[5] + 1);
        EXPECT_EQ(failure->Description(), expected) << r.text;
        EXPECT_EQ(style, DesignChartStyle()) << r.text;
    }
}

TEST(ChartStateFileTest, AMissingFileIsTheDesignStateAndABadOneIsNamed) {
    testing::ScratchFolder folder("chartstate");
    ChartStyle style;
    style.pointSlots = 3;
    EXPECT_FALSE(ReadChartState(folder.Path("none.oc2"), style));
    EXPECT_EQ(style, DesignChartStyle());

    WriteFileBytes(folder.Path("bad.oc2"), "Slots=20\r\nSlots=-1\r\n");
    const std::optional<ZelvoError> failure = ReadChartState(folder.Path("bad.oc2"), style);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Description(),
              folder.Path("bad.oc2") + ", line 2: Slots must be a whole number from 1 to 100000");
    EXPECT_EQ(style, DesignChartStyle());
}

}  // namespace
}  // namespace zelvo
