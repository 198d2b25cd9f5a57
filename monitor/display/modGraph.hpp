// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot rules of the three strip charts (rate, thickness, frequency): starting
// a chart run, offering readings, decimation into the point slots, dropping the
// oldest points and scrolling the X axis, and the axis settings of LoadData.

#include <array>
#include <cstdint>
#include <string>

#include "ChartData.hpp"
#include "MainState.hpp"

namespace zelvo {

struct GraphState {
    std::array<ChartData, kChartCount> Graph{};
    // Per chart: index of the newest point written; 0 = nothing since GraphInit.
    std::array<int32_t, kChartCount> PointCount{};
    // Run time (s) at which the rate chart last received a point; 0 = none yet.
    double LastPlotTime = 0;

    ChartData& Chart(int chart) { return Graph.at(static_cast<size_t>(chart - 1)); }
    const ChartData& Chart(int chart) const { return Graph.at(static_cast<size_t>(chart - 1)); }
};

// Fraction of the slots dropped and of the X width scrolled, by XScroll:
// 0 "Strip" 0.01, otherwise XScroll / 4.
double ScrollFraction(int32_t xScroll);
// Points kept of `slots` full slots when the scroll fraction of them is dropped:
// the newest ones, always leaving a slot free for the point that follows.
int32_t KeptPoints(int slots, double fraction);
// Seconds per X unit by XUnits: 1, 60 or 3600.
double XUnitSeconds(int32_t xUnits);
// The X-axis title by XUnits: "Time (Sec.)", "Time (Min.)", "Time (Hr.)".
std::string XAxisTitle(int32_t xUnits);

// Starts a new chart run: no points, X axes from 0 to the whole number in the
// X range text, every X and Y value 0.
void GraphInit(GraphState& graphs, const std::string& xRangeText);

// Offers the displayed channels' values at run time runSeconds to the three
// charts. Returns, per chart, whether it received a point.
std::array<bool, kChartCount> GraphReading(GraphState& graphs, MainState& state, double runSeconds);

// Re-expresses the X axes and the points of the three charts from one X unit in
// another, so that a run goes on in view after the unit changes.
void ConvertXUnits(GraphState& graphs, int32_t fromUnits, int32_t toUnits);

// The chart steps of LoadData: Y axes, clip limits and label steps from the Y
// bounds of the settings, X axes from 0 to XRange, then GraphInit.
void LoadGraphData(GraphState& graphs, const MainState& state);

// Sets a chart's Y axis and clip limits to min..max, label step a fifth of the range.
void SetYBounds(ChartData& chart, int32_t min, int32_t max);

}  // namespace zelvo
