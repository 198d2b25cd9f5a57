// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two pictures of a run report, thickness and rate against run time, as a
// model every output draws the same way: axes with their titles (as the strip
// charts title them), ticks, and one line per channel in the charts' series
// colours, broken where the channel failed. Long runs are thinned to the
// smallest and largest value of each slice of time, so that a picture holds a
// few thousand points whatever the log's length and still shows every peak.

#include <string>
#include <utility>
#include <vector>

#include "DataLogReader.hpp"
#include "MainView.hpp"

namespace zelvo::report {

struct PlotAxis {
    double min = 0;
    double max = 1;
    std::vector<double> ticks;
    std::vector<std::string> labels;
    std::string title;
};

struct PlotLine {
    size_t channel = 0;
    std::string label;  // the legend's text
    Rgb colour;
    // Pieces of line between failed readings, in axis units.
    std::vector<std::vector<std::pair<double, double>>> pieces;
};

struct PlotModel {
    std::string title;
    PlotAxis x;
    PlotAxis y;
    std::vector<PlotLine> lines;
};

// Points kept per channel and picture, at most.
inline constexpr size_t kPlotSlices = 1500;

enum class PlotQuantity { Thickness, Rate };

PlotModel MakePlot(const LoggedRun& run, PlotQuantity quantity);

// Where the axes' rectangle lies in a picture of the given size, leaving room
// for the title, tick labels, axis titles and legend; and a point's place in it.
struct PlotArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};
PlotArea AreaOf(double width, double height);
double PlaceX(const PlotModel& model, const PlotArea& area, double x);
double PlaceY(const PlotModel& model, const PlotArea& area, double y);

// Picture background, axes and text colours: those of the strip charts.
inline constexpr Rgb kPlotBackground{0, 0, 0};
inline constexpr Rgb kPlotForeground{255, 255, 255};
inline constexpr Rgb kPlotGrid{80, 80, 80};

}  // namespace zelvo::report
