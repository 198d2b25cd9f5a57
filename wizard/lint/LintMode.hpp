// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "kitforge --lint FOLDER": checks a driver package and prints what it finds.

#include <iosfwd>
#include <string>
#include <vector>

namespace kitforge {

// True when the arguments ask for the check (--lint).
bool IsLintInvocation(const std::vector<std::string>& args);

// Runs the check on the arguments (without the program name): the report goes to
// standard output, a usage mistake to standard error. Returns the exit status: 0
// clean, 1 warnings only, 2 errors (warnings too with --strict), a usage mistake
// or a folder that cannot be read.
int RunLint(const std::vector<std::string>& args);

// Checks the package in the folder and prints the report as text to `out`.
// Returns the exit status as RunLint does, without --strict.
int LintAndPrint(const std::string& folder, std::ostream& out);

}  // namespace kitforge
