// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's HTML manual: where it is installed with the program, or linked in
// beside the program in its build folder.

#include <functional>
#include <string>
#include <vector>

namespace zelvo {

// Places of the manual's contents page for a program in `programFolder`, nearest
// first: the installed data folder (share/zelvomon/manual), then the build folder's
// link to the source tree's docs/manual.
std::vector<std::string> ManualCandidates(const std::string& programFolder);
// The first candidate that exists, else the installed place (whose absence the
// browser then reports).
std::string ManualFile(const std::string& programFolder,
                       const std::function<bool(const std::string&)>& exists);
// The same for the running program.
std::string ManualFile();

}  // namespace zelvo
