// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// From a data log's path to the reports of its runs: the log read, the setup
// file's names and serial numbers added, the runs chosen, and what the reader
// left out said as "<file>, line <n>: <why>".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ReportDocument.hpp"

namespace zelvo::report {

struct ReportInput {
    std::string logPath;
    std::string setupPath;       // "" for none
    std::optional<int32_t> run;  // only this run
    bool lastRunOnly = false;    // only the log's last run
};

struct PreparedReport {
    std::vector<RunReport> reports;
    std::vector<std::string> notices;
};

// Throws ZelvoError when the log or the setup file cannot be read, when the log
// holds no run, or when it does not hold the run asked for.
PreparedReport PrepareReport(const ReportInput& input);

// The report the window writes for a log: the log's name with ".pdf", beside it.
std::string ReportPathFor(const std::string& logPath);

// The setup file that goes with a log when none is named: zelvo.cfg beside the
// log (the application folder, where a bare log name is written), when there is one.
std::string SetupBeside(const std::string& logPath);

}  // namespace zelvo::report
