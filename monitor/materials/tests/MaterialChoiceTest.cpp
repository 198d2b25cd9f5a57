// Choosing a material for a channel: the grid cells, the settings and the sensor
// get the material's values through the checks of typed cells; the name follows
// only while it is the default; locked parameters refuse the choice.

#include <gtest/gtest.h>

#include <map>

#include "FakeDesktop.hpp"
#include "Format.hpp"
#include "MaterialChoice.hpp"
#include "MaterialLibrary.hpp"
#include "ValidationChecks.hpp"
#include "testing/MainViewDoubles.hpp"

using namespace zelvo;

namespace {

struct MaterialSensors : zelvo::testing::ScriptedSensors {
    int Material(const std::string& serial, double d, double z, double t) override {
        materials.push_back({serial, d, z, t});
        return 0;
    }
    struct Sent {
        std::string serial;
        double density, zFactor, tooling;
    };
    std::vector<Sent> materials;
};

struct CellsGrid : IParamsGrid {
    std::string CellText(int row, int column) const override { return cells.at({row, column}); }
    void SetCellText(int row, int column, const std::string& text) override {
        cells[{row, column}] = text;
    }
    void SetToolTip(const std::string&) override {}
    bool IsEditing() const override { return false; }
    int CurrentRow() const override { return 0; }
    int CurrentColumn() const override { return 0; }
    void EndEdit() override {}
    void SelectEditorText(int) override {}
    void ResumeEdit(int) override {}
    std::map<std::pair<int, int>, std::string> cells;
};

// The settings boxes play no part in a choice.
struct NoBoxes : IEntryBoxes {
    std::string Text(EntryBox) const override { return ""; }
    void SetText(EntryBox, const std::string&) override {}
    void Focus(EntryBox) override {}
    void Select(EntryBox, int, int) override {}
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
    std::string Cell(int row, int column) { return grid.cells[{row, column}]; }

    zelvo::testing::FakeDesktop desktop;
    MaterialLibrary library;
    MaterialSensors sensors;
    zelvo::testing::MainHarness main{sensors};
    CellsGrid grid;
    NoBoxes boxes;
    Validation checks{main.ctx, boxes, grid};
};

}  // namespace

TEST_F(MaterialChoiceTest, AluminiumAndGoldFillTheRowAndReachThePresentSensorOnce) {
    struct Case {
        int row;
        const char* name;
        const char* density;
        const char* zFactor;
        size_t sent;  // Material calls: only a present sensor is told
    };
    for (const Case& c :
         {Case{0, "aluminium", "2.700", "1.080", 1}, Case{1, "Gold", "19.300", "0.381", 0}}) {
        sensors.materials.clear();
        ASSERT_TRUE(Choose(c.row, c.name)) << c.name;
        EXPECT_EQ(Cell(c.row, kDensityColumn), c.density);
        EXPECT_EQ(Cell(c.row, kZFactorColumn), c.zFactor);
        const size_t i = static_cast<size_t>(c.row);
        EXPECT_EQ(FormatNumber(main.state.ChannelDensity[i], "0.000"), c.density);
        EXPECT_EQ(FormatNumber(main.state.ChannelZFactor[i], "0.000"), c.zFactor);
        ASSERT_EQ(sensors.materials.size(), c.sent) << c.name;
    }
    EXPECT_TRUE(desktop.Messages().empty());
    // One exchange with both new values and the channel's own tooling.
    main.state.ChannelDensity[0] = 1;
    sensors.materials.clear();
    ASSERT_TRUE(Choose(0, "Gold"));
    ASSERT_EQ(sensors.materials.size(), 1U);
    EXPECT_EQ(sensors.materials[0].serial, "A1");
    EXPECT_EQ(sensors.materials[0].density, 19.3);
    EXPECT_EQ(sensors.materials[0].zFactor, 0.381);
    EXPECT_EQ(sensors.materials[0].tooling, 95);
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
    Material heavy;
    heavy.name = "Heavy";
    heavy.density = 120;
    heavy.zFactor = 1;
    Material stiff = heavy;
    stiff.name = "Stiff";
    stiff.density = 2;
    stiff.zFactor = 0.05;
    for (const Material& m : {heavy, stiff}) {
        desktop.ClearMessages();
        EXPECT_FALSE(mnuMaterial_Click(main.ctx, checks, 0, m)) << m.name;
        ASSERT_EQ(desktop.Messages().size(), 1U) << m.name;
        EXPECT_EQ(desktop.Messages()[0].text, m.density > 99.99
                                                  ? "Density must be between 0.2 and 99.99."
                                                  : "Z Factor must be between 0.1 and 9.99.");
    }
    EXPECT_TRUE(grid.cells.empty());
    EXPECT_TRUE(sensors.materials.empty());
    EXPECT_EQ(main.state.ChannelDensity[0], 1);
    EXPECT_EQ(main.state.ChannelZFactor[0], 1);
    EXPECT_EQ(main.state.ChannelName[0], "Sensor 1");
}
