// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zelvomon-report's options.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zelvo::report {

struct ReportOptions {
    std::string log;
    std::string out;    // default: the log's name with .pdf
    std::string setup;  // default: zelvo.cfg beside the log
    std::optional<int32_t> run;
};

enum class OptionsResult { Run, Done, UsageError };

// --help and --version are answered on `out` (Done); a usage error is explained on `err`.
OptionsResult ParseReportOptions(const std::vector<std::string>& args, ReportOptions& options,
                                 std::ostream& out, std::ostream& err);

}  // namespace zelvo::report
