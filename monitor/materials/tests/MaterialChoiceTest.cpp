// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing a material for a channel: the grid cells, the settings and the sensor
// get the material's values through the checks of typed cells; the name follows
// only while it is the default; locked parameters refuse the choice.

#include <gtest/gtest.h>

#include "FakeDesktop.hpp"
#include "Format.hpp"
#include "KeptParams.hpp"
#include "MaterialChoice.hpp"
#include "MaterialLibrary.hpp"
#include "ValidationChecks.hpp"
#include "testing/MainViewDoubles.hpp"

using namespace zelvo;

namespace {

// Records the values a Material call sends.
struct MaterialSensors : zelvo::testing::ScriptedSensors {
    int Material(const std::string& serial, double d, double z, double t) override {
        calls.push_back(serial + " " + std::to_string(d) + " " + std::to_string(z) + " " +
                        std::to_string(t));
        return 0;
    }
};

class MaterialChoiceTest : public ::testing::Test {
  protected:
    MaterialChoiceTest() {
        EXPECT_FALSE(library.Load("/nonexistent-folder"));
        main.state.ChannelPresent = {true, false};
        main.state.ChannelSerial = {"A1", "B2"};
        main.state.ChannelTooling = {95, 100};
    }
    bool Choose(int row, const char* name) {
        const Material* m = library.Find(name);
        EXPECT_NE(m, nullptr) << name;
        return m != nullptr && mnuMaterial_Click(main.ctx, checks, row, *m);
    }

    zelvo::testing::FakeDesktop desktop;
    MaterialLibrary library;
    MaterialSensors sensors;
    zelvo::testing::MainHarness main{sensors};
    KeptParamsGrid grid;
    NoEntryBoxes boxes;
    Validation checks{main.ctx, boxes, grid};
};

}  // namespace

TEST_F(MaterialChoiceTest, AluminiumAndGoldFillTheRowAndReachThePresentSensorOnce) {
    struct Case {
        int row;
        const char* name;
        const char* density;
        const char* zFactor;
        std::vector<std::string> sent;  // one exchange, with the channel's own tooling
    };
    for (const Case& c :
         {Case{0, "aluminium", "2.700", "1.080", {"A1 2.700000 1.080000 95.000000"}},
          Case{1, "Gold", "19.300", "0.381", {}},  // no sensor on channel 2
          Case{0, "Gold", "19.300", "0.381", {"A1 19.300000 0.381000 95.000000"}}}) {
        sensors.calls.clear();
        ASSERT_TRUE(Choose(c.row, c.name)) << c.name;
        EXPECT_EQ(grid.CellText(c.row, kDensityColumn), c.density);
        EXPECT_EQ(grid.CellText(c.row, kZFactorColumn), c.zFactor);
        const size_t i = static_cast<size_t>(c.row);
        EXPECT_EQ(FormatNumber(main.state.ChannelDensity[i], "0.000"), c.density);
        EXPECT_EQ(FormatNumber(main.state.ChannelZFactor[i], "0.000"), c.zFactor);
        EXPECT_EQ(sensors.calls, c.sent) << c.name;
    }
    EXPECT_TRUE(desktop.Messages().empty());
}

TEST_F(MaterialChoiceTest, TheNameFollowsTheMaterialOnlyWhileItIsTheDefault) {
    main.state.ChannelName[1] = "Front crystal";
    main.state.ChannelName[2] = "";
    main.state.ShowLast = 1;
    for (int row : {0, 1, 2}) ASSERT_TRUE(Choose(row, "Silver"));
    EXPECT_EQ(main.state.ChannelName[0], "Silver");
    EXPECT_EQ(main.state.ChannelName[1], "Front crystal");
    EXPECT_EQ(main.state.ChannelName[2], "Silver");
    // The name shows wherever the channel's name shows: the readings grid for a
    // displayed row, the assignment grid and the charts.
    EXPECT_EQ(main.readings.rowHeaders, (std::map<int, std::string>{{0, "Silver"}}));
    EXPECT_EQ(main.assignment.cells.at({0, 0}), "Silver");
    EXPECT_EQ(main.assignment.cells.at({2, 0}), "Silver");
    EXPECT_EQ(main.assignment.cells.count({1, 0}), 0U);
    EXPECT_EQ(main.chart.labels, (std::map<int, std::string>{{0, "Silver"}, {2, "Silver"}}));
    // A name chosen once is no default: the next material keeps it.
    ASSERT_TRUE(Choose(0, "Gold"));
    EXPECT_EQ(main.state.ChannelName[0], "Silver");
    main.state.ChannelName[3] = "sensor 4";
    ASSERT_TRUE(Choose(3, "Gold"));
    EXPECT_EQ(main.state.ChannelName[3], "Gold");
}

TEST_F(MaterialChoiceTest, LockedParametersAndOutOfRangeValuesChangeNothing) {
    main.state.Locked = true;
    EXPECT_FALSE(Choose(0, "Gold"));
    EXPECT_TRUE(desktop.Messages().empty());  // refused as typing is: without a word
    main.state.Locked = false;
    // A material with a value the grid refuses (only possible for a table built in
    // code: files are checked when read) gets the grid's message.
    const struct {
        Material material;
        const char* message;
    } refused[] = {{{"Heavy", "Hv", 120, 1, {}, 0}, "Density must be between 0.2 and 99.99."},
                   {{"Stiff", "St", 2, 0.05, {}, 0}, "Z Factor must be between 0.1 and 9.99."}};
    for (const auto& r : refused) {
        desktop.ClearMessages();
        EXPECT_FALSE(mnuMaterial_Click(main.ctx, checks, 0, r.material)) << r.material.name;
        ASSERT_EQ(desktop.Messages().size(), 1U) << r.material.name;
        EXPECT_EQ(desktop.Messages()[0].text, r.message);
    }
    EXPECT_EQ(grid.CellText(0, kDensityColumn) + grid.CellText(0, kZFactorColumn), "");
    EXPECT_TRUE(sensors.calls.empty());
    EXPECT_EQ(main.state.ChannelDensity[0], 1);
    EXPECT_EQ(main.state.ChannelZFactor[0], 1);
    EXPECT_EQ(main.state.ChannelName[0], "Sensor 1");
}
