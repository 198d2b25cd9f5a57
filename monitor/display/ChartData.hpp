#pragma once
// One strip chart's data and axes, as the chart component holds them: C point
// slots with X values shared by all series, eight series of Y values, the number
// of points shown, the X and Y ranges, the Y clip limits and the Y label step.
// Points and series count from 1, as the plot rules number them.

#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "MainState.hpp"
#include "ZelvoError.hpp"

namespace zelvo {

inline constexpr int kChartCount = 3;
inline constexpr int kSeriesCount = kChannelCount;
// Point slots per series in the design state.
inline constexpr int kDesignSlots = 500;
// The value of an empty slot in the design state: the largest double.
inline constexpr double kEmptySlot = std::numeric_limits<double>::max();

struct AxisRange {
    double min = 0;
    double max = 0;
    bool operator==(const AxisRange&) const = default;
};

class ChartData {
  public:
    // A chart with the given number of point slots (at least 1), every slot empty.
    explicit ChartData(int slots);
    ChartData() : ChartData(kDesignSlots) {}

    int Slots() const { return static_cast<int>(x_.size()); }
    int Shown() const { return shown_; }
    // Number of points shown, 0 to Slots().
    void SetShown(int count);

    double X(int point) const;
    void SetX(int point, double value);
    double Y(int series, int point) const;
    void SetY(int series, int point, double value);
    // Every X value and every Y value of every series.
    void Fill(double value);
    // Moves count points of every series and of X from slot source to slot
    // destination (the blocks may overlap).
    void MovePoints(int count, int destination, int source);

    AxisRange xAxis;
    AxisRange yAxis;
    // Clip limits of Y, kept equal to the Y bounds.
    AxisRange yLimits;
    // Spacing of the Y labels and ticks.
    double yStep = 0;

  private:
    size_t Slot(int point) const;
    std::vector<double> x_;
    std::array<std::vector<double>, kSeriesCount> y_;
    int shown_ = 0;
};

// The X range a chart shows: its X axis, or with a width of 0 (automatic
// scaling) the span of the points shown (nothing when no point is shown).
std::optional<AxisRange> ShownXRange(const ChartData& chart);

}  // namespace zelvo
