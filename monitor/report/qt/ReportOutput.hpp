// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes a prepared report in the form its file name asks for: .pdf (a page per
// run), .html (pictures inside as SVG) or .png (the pictures alone; a log of
// several runs gives one file per run, "<name>_<run>.png").

#include <optional>
#include <string>
#include <vector>

#include "ReportJob.hpp"
#include "ZelvoError.hpp"

namespace zelvo::report::qt {

enum class ReportForm { Pdf, Html, Png };

// The form for a file name by its extension (any letter case); nullopt for another.
std::optional<ReportForm> FormOf(const std::string& path);

// The files written, or the failure naming the file.
std::optional<ZelvoError> WriteReport(const PreparedReport& report, const std::string& path,
                                      std::vector<std::string>& written);

}  // namespace zelvo::report::qt
