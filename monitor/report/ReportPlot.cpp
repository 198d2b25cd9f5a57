// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportPlot.hpp"

#include <algorithm>
#include <cmath>

#include "ChartStateFile.hpp"
#include "Format.hpp"
#include "ViewRules.hpp"
#include "modGraph.hpp"

namespace zelvo::report {
namespace {

constexpr int kChartRate = 1;
constexpr int kChartThickness = 2;
constexpr int kTargetTicks = 6;

// Ticks at 1, 2 or 5 times a power of ten, covering min to max.
void SetTicks(PlotAxis& axis) {
    if (!std::isfinite(axis.max - axis.min)) {
        axis.min = -1;
        axis.max = 1;
    } else if (!(axis.max > axis.min)) {
        const double pad = std::max(1.0, std::fabs(axis.min) * 0.05);
        axis.min -= pad;
        axis.max += pad;
    }
    const double raw = (axis.max - axis.min) / kTargetTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {2.0, 5.0, 10.0}) {
        if (step < raw) step = power * m;
    }
    axis.min = std::floor(axis.min / step) * step;
    axis.max = std::ceil(axis.max / step) * step;
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 6);
    const std::string pattern =
        decimals == 0 ? "0" : "0." + std::string(static_cast<size_t>(decimals), '0');
    const double count = std::min(100.0, std::round((axis.max - axis.min) / step));
    for (double k = 0; k <= count; ++k) {
        const double t = axis.min + k * step;
        const double tick = std::fabs(t) < step / 1e6 ? 0.0 : t;
        axis.ticks.push_back(tick);
        axis.labels.push_back(FormatNumber(tick, pattern));
    }
}

// The X unit the strip charts offer that suits the run's length: 0 s, 1 min, 2 h.
int XUnitFor(double seconds) {
    if (seconds <= 600) return 0;
    return seconds <= 36000 ? 1 : 2;
}

// The channel's points, thinned to the smallest and largest of each slice.
std::vector<std::vector<std::pair<double, double>>> Pieces(const std::vector<double>& time,
                                                           const std::vector<double>& values,
                                                           double xScale, double slice) {
    std::vector<std::vector<std::pair<double, double>>> pieces;
    bool inPiece = false;
    double sliceEnd = -1;
    size_t low = 0;
    size_t high = 0;
    auto flush = [&] {
        auto& piece = pieces.back();
        for (size_t i : {std::min(low, high), std::max(low, high)}) {
            if (piece.empty() || piece.back().first != time[i] / xScale ||
                piece.back().second != values[i]) {
                piece.emplace_back(time[i] / xScale, values[i]);
            }
        }
    };
    for (size_t i = 0; i < time.size(); ++i) {
        if (std::isnan(values[i])) {
            if (inPiece) flush();
            inPiece = false;
            continue;
        }
        if (!inPiece || time[i] >= sliceEnd) {
            if (inPiece) flush();
            if (!inPiece) pieces.emplace_back();
            inPiece = true;
            sliceEnd = time[i] + slice;
            low = high = i;
            continue;
        }
        if (values[i] < values[low]) low = i;
        if (values[i] > values[high]) high = i;
    }
    if (inPiece) flush();
    return pieces;
}

}  // namespace

PlotArea AreaOf(double width, double height) {
    const double unit = std::min(width, height) / 25;
    return {unit * 4.5, unit * 2, width - unit * 5.5 - unit * 6, height - unit * 5};
}

double PlaceX(const PlotModel& model, const PlotArea& area, double x) {
    return area.left + (x - model.x.min) / (model.x.max - model.x.min) * area.width;
}

double PlaceY(const PlotModel& model, const PlotArea& area, double y) {
    return area.top + area.height - (y - model.y.min) / (model.y.max - model.y.min) * area.height;
}

PlotModel MakePlot(const LoggedRun& run, PlotQuantity quantity) {
    const int chart = quantity == PlotQuantity::Rate ? kChartRate : kChartThickness;
    PlotModel model;
    model.y.title = ChartYTitle(chart, run.units);
    model.title = quantity == PlotQuantity::Rate ? "Rate" : (run.units == 1 ? "Mass" : "Thickness");
    // Run times only go back in a log put together by hand; the axis holds them all.
    const auto [earliest, latest] = std::minmax_element(run.time.begin(), run.time.end());
    const double first = run.time.empty() ? 0 : *earliest;
    const double last = run.time.empty() ? 0 : *latest;
    const int xUnit = XUnitFor(last);
    const double xScale = xUnit == 0 ? 1 : (xUnit == 1 ? 60 : 3600);
    model.x.title = XAxisTitle(xUnit);
    model.x.min = std::min(0.0, first / xScale);
    model.x.max = last / xScale;
    const double slice = (last - first) / kPlotSlices;
    const ChartStyle style = DesignChartStyle();
    double low = INFINITY;
    double high = -INFINITY;
    for (size_t c = 0; c < run.channels.size(); ++c) {
        const auto& values =
            quantity == PlotQuantity::Rate ? run.channels[c].rate : run.channels[c].thickness;
        PlotLine line{c, "Channel " + std::to_string(c + 1), style.line[c],
                      Pieces(run.time, values, xScale, slice)};
        for (const auto& piece : line.pieces) {
            for (const auto& [x, y] : piece) {
                low = std::min(low, y);
                high = std::max(high, y);
            }
        }
        model.lines.push_back(std::move(line));
    }
    model.y.min = std::isfinite(low) ? low : 0;
    model.y.max = std::isfinite(high) ? high : 1;
    SetTicks(model.x);
    SetTicks(model.y);
    return model;
}

}  // namespace zelvo::report
