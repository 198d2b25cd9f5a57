// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zelvomon-cli's options: the table of accepted options and their parsing.

#include <optional>
#include <string>
#include <vector>

#include "RecordFormat.hpp"

namespace zelvo::cli {

struct ConsoleOptions {
    std::string appDir;             // absolute
    std::optional<double> seconds;  // none: run until SIGINT or SIGTERM
    RecordFormat format = RecordFormat::Text;
    bool listMaterials = false;          // --materials: list the library, run nothing
    bool listSensors = false;            // --list: list the sensors found, run nothing
    bool reassign = false;               // --reassign: discovery may move assignments
    std::vector<std::string> materials;  // the texts of --material, "N=NAME", in order
    // --target, --life-warning, --quality and --stability with their texts, in order.
    std::vector<std::pair<std::string, std::string>> supervision;
};

extern const char* const kUsage;

// Fills options from the arguments; on a bad option writes why to standard error
// and returns false.
bool ParseConsoleOptions(const std::vector<std::string>& args, ConsoleOptions& options);

}  // namespace zelvo::cli
