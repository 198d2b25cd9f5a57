// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modGraph.hpp"

#include <algorithm>
#include <cmath>

#include "DisplayTexts.hpp"
#include "Numbers.hpp"
#include "ViewRules.hpp"
#include "cErrHandler.hpp"

namespace zelvo {
namespace {

// The chart's Y value of channel c (charts 1 rate, 2 thickness, 3 frequency).
double ChartValue(MainState& state, int chart, int channel) {
    const size_t c = static_cast<size_t>(channel);
    if (chart == 1) return FilterOf(state, channel).Average();
    if (chart == 2) return state.ChannelValues[kValueThickness][c];
    return state.ChannelValues[kValueFrequency][c];
}

// Frees a slot for the next point: counts it on while slots are free, otherwise
// keeps the newest points the scroll fraction leaves and moves them to the front.
void NextSlot(ChartData& chart, int32_t& pointCount, double fraction) {
    const int slots = chart.Slots();
    const int shown = chart.Shown();
    if (shown < slots) {
        ++pointCount;
        return;
    }
    const int32_t keep = KeptPoints(slots, fraction);
    if (keep != 0) chart.MovePoints(keep, 1, slots - keep + 1);
    pointCount = keep + 1;
    chart.SetShown(keep);
}

// Moves the X axis forward in steps of the fraction of its width until its
// maximum passes the time tU. A width of 0 (automatic) or below has no steps.
void ScrollX(ChartData& chart, double tU, double fraction) {
    const double width = chart.xAxis.max - chart.xAxis.min;
    if (width <= 0) return;
    if (tU <= std::nearbyint(chart.xAxis.max)) return;
    while (chart.xAxis.max <= tU) chart.xAxis.max += fraction * width;
    chart.xAxis.min = chart.xAxis.max - width;
}

void PlotPoint(GraphState& graphs, MainState& state, int g, double tU) {
    ChartData& chart = graphs.Chart(g);
    int32_t& pointCount = graphs.PointCount[static_cast<size_t>(g - 1)];
    if (pointCount == 0) chart.SetShown(0);
    const double fraction = ScrollFraction(state.XScroll);
    NextSlot(chart, pointCount, fraction);
    ScrollX(chart, tU, fraction);
    // The new point is written whole before it is shown.
    chart.SetX(pointCount, tU);
    for (int c = 0; c <= state.ShowLast && c < kChannelCount; ++c) {
        double y = ChartValue(state, g, c);
        if (y > chart.yLimits.max) {
            y = chart.yLimits.max;
        } else if (y < chart.yLimits.min) {
            y = chart.yLimits.min;
        }
        chart.SetY(c + 1, pointCount, y);
    }
    chart.SetShown(pointCount);
}

}  // namespace

double ScrollFraction(int32_t xScroll) {
    return xScroll == 0 ? 0.01 : xScroll / 4.0;
}

int32_t KeptPoints(int slots, double fraction) {
    // With few slots the rounded share to drop can be nothing (1 % of 50 rounds to
    // 0): one point at least then makes room for the next.
    return std::clamp(RoundToInt32(slots - fraction * slots), 0, slots - 1);
}

double XUnitSeconds(int32_t xUnits) {
    if (xUnits == 1) return 60;
    if (xUnits == 2) return 3600;
    return 1;
}

std::string XAxisTitle(int32_t xUnits) {
    return texts::kXAxisTitles[xUnits == 1 || xUnits == 2 ? xUnits : 0];
}

void GraphInit(GraphState& graphs, const std::string& xRangeText) {
    RunProcedure(std::string(kFormName) + "_GraphInit", [&] {
        graphs.LastPlotTime = 0;
        const int32_t width = RoundToInt32(LeadingNumber(xRangeText));
        for (int g = 1; g <= kChartCount; ++g) {
            graphs.PointCount[static_cast<size_t>(g - 1)] = 0;
            ChartData& chart = graphs.Chart(g);
            chart.xAxis = {0, static_cast<double>(width)};
            chart.Fill(0);
        }
    });
}

std::array<bool, kChartCount> GraphReading(GraphState& graphs, MainState& state,
                                           double runSeconds) {
    std::array<bool, kChartCount> plotted{};
    RunProcedure(std::string(kFormName) + "_GraphReading", [&] {
        const double t = runSeconds;
        if (graphs.LastPlotTime == 0) graphs.LastPlotTime = t;
        const double d = XUnitSeconds(state.XUnits);
        const double tU = t / d;
        const double dx = (t - graphs.LastPlotTime) / d;
        for (int g = 1; g <= kChartCount; ++g) {
            const ChartData& chart = graphs.Chart(g);
            const double width = chart.xAxis.max - chart.xAxis.min;
            const bool first = graphs.PointCount[static_cast<size_t>(g - 1)] == 0;
            if (!first && width / chart.Slots() > dx) continue;
            PlotPoint(graphs, state, g, tU);
            plotted[static_cast<size_t>(g - 1)] = true;
            if (g == 1) graphs.LastPlotTime = t;
        }
    });
    return plotted;
}

void ConvertXUnits(GraphState& graphs, int32_t fromUnits, int32_t toUnits) {
    const double from = XUnitSeconds(fromUnits);
    const double to = XUnitSeconds(toUnits);
    if (from == to) return;
    const auto convert = [&](double x) { return x * from / to; };
    for (ChartData& chart : graphs.Graph) {
        chart.xAxis = {convert(chart.xAxis.min), convert(chart.xAxis.max)};
        for (int p = 1; p <= chart.Shown(); ++p) chart.SetX(p, convert(chart.X(p)));
    }
}

void SetYBounds(ChartData& chart, int32_t min, int32_t max) {
    chart.yAxis = {static_cast<double>(min), static_cast<double>(max)};
    chart.yLimits = chart.yAxis;
    chart.yStep = std::fabs(static_cast<double>(max) - min) * 0.2;
}

void LoadGraphData(GraphState& graphs, const MainState& state) {
    for (int g = 1; g <= kChartCount; ++g) {
        const YBounds bounds = ChartYBounds(state, g);
        ChartData& chart = graphs.Chart(g);
        SetYBounds(chart, bounds.min, bounds.max);
        chart.xAxis = {0, static_cast<double>(state.XRange)};
    }
    GraphInit(graphs, std::to_string(state.XRange));
}

}  // namespace zelvo
