// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One strip chart's data and axes, as the chart component holds them: C point
// slots with X values shared by all series, eight series of Y values, the number
// of points shown, the X and Y ranges, the Y clip limits and the Y label step.
// Points and series count from 1, as the plot rules number them.

#include <array>
#include <cstdint>
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
    // Changes whenever points already shown change, move or go; the same while
    // points are only added, so that a drawing can add just the new ones.
    uint64_t Revision() const { return revision_; }

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
    // A change to a point already shown makes a new revision.
    void Changing(int point) {
        if (point <= shown_) ++revision_;
    }
    std::vector<double> x_;
    std::array<std::vector<double>, kSeriesCount> y_;
    int shown_ = 0;
    uint64_t revision_ = 0;
};

// The X range a chart shows: its X axis, or with a width of 0 (automatic
// scaling) the span of the points shown (nothing when no point is shown).
std::optional<AxisRange> ShownXRange(const ChartData& chart);

// The Y range a chart draws and the spacing of its labels: its Y axis and Y
// step; equal bounds give a band of 1 % of the value (at least 1) either side,
// labelled in fifths, so that the clipped points stay in view.
struct DrawnAxis {
    AxisRange range;
    double step = 0;
};
DrawnAxis DrawnYAxis(const ChartData& chart);

}  // namespace zelvo
