// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// kitforge's command-line mode: builds a record from options, passes it through
// the pages' checks in the pages' order and runs the package sequence.

#include <optional>
#include <string>
#include <vector>

#include "ZelvoError.hpp"

namespace kitforge {

// True when the arguments ask for the command-line mode (--batch or --help).
bool IsBatchInvocation(const std::vector<std::string>& args);

// Runs the command-line mode on the arguments (without the program name). Messages
// go to standard error, --help text to standard output. Returns the exit status:
// 0 when every file was written and the package passes the check of --lint (or
// help was shown), 1 when a check or the generation failed, 2 for a usage error
// or a package that the check finds not clean (its report goes to standard error).
int RunBatch(const std::vector<std::string>& args);

// Prints "kitforge: <problem>" and the usage lines to standard error and returns
// the exit status of a mistake on the command line, 2.
int RefuseUsage(const std::string& problem);

// Removes "--data-dir DIR" from the arguments and returns DIR in `folder` (empty
// when absent). Empty on success; the failure when the option lacks its value.
std::optional<zelvo::ZelvoError> TakeDataDirOption(std::vector<std::string>& args,
                                                   std::string& folder);

}  // namespace kitforge
