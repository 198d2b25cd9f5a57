// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run's report as one piece (facts, table, the two pictures), the pictures as
// SVG text and the whole report as an HTML page with the pictures inside.

#include <cstdint>
#include <string>
#include <vector>

#include "ReportPlot.hpp"
#include "ReportText.hpp"
#include "RunSummary.hpp"

namespace zelvo::report {

struct RunReport {
    std::string title;
    std::vector<std::string> facts;
    ReportTable table;
    PlotModel thickness;
    PlotModel rate;
    int32_t number = 0;  // the run's
};

RunReport MakeRunReport(const LoggedRun& run, const SetupInfo& setup, const std::string& logName);

// The picture as an SVG element of the given size in pixels.
std::string PlotSvg(const PlotModel& model, int width, int height);

// The page: every run's report in turn, then the notices about the log.
std::string ReportHtml(const std::vector<RunReport>& reports,
                       const std::vector<std::string>& notices);

}  // namespace zelvo::report
