// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Supervision on the console: --target, --life-warning, --quality and --stability
// set a channel's settings before the run (kept in the setup file, as --material's
// choice is), and each event raised by a sweep is a line on standard error.

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "MainState.hpp"
#include "SupervisionChecks.hpp"
#include "SweepRecord.hpp"

namespace zelvo::cli {

struct SupervisionChoice {
    size_t channel = 0;  // index 0 to 7
    SupervisionField field = SupervisionField::Target;
    double value = 0;
};

// Reads the options' texts, "N=VALUE" with N from 1 to 8 (--target N=VALUE:MARGIN and
// --stability N=HZ:THRESHOLD take a second value), each value through the entry's
// range check. The first text refused, with the reason and the range, otherwise nothing.
std::optional<std::string> ReadSupervisionChoices(
    const std::vector<std::pair<std::string, std::string>>& options,
    std::vector<SupervisionChoice>& choices);

void ApplySupervisionChoices(MainState& state, const std::vector<SupervisionChoice>& choices);

// One line per event of the record.
void WriteEventLines(const SweepRecord& record, std::ostream& err);

}  // namespace zelvo::cli
