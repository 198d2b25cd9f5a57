// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of a run report, shared by every output: the title, the facts of the
// run and the summary table (a row per quantity, a column per channel).

#include <string>
#include <vector>

#include "RunSummary.hpp"

namespace zelvo::report {

struct ReportTable {
    std::vector<std::string> header;             // "", then "Channel 1" ...
    std::vector<std::vector<std::string>> rows;  // label, then a value per channel
};

// "Run 12"
std::string RunTitle(const RunSummary& summary);
// "Log file: …", "Setup file: …", start, stop, run time, pauses, log blocks.
std::vector<std::string> RunFacts(const RunSummary& summary, const std::string& logName,
                                  const std::string& setupName);
ReportTable SummaryTable(const RunSummary& summary);
// The unit of rates and of thicknesses (or masses) by unit mode.
std::string RateUnit(int32_t units);
std::string ThicknessUnit(int32_t units);

}  // namespace zelvo::report
