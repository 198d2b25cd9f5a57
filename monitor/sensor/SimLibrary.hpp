// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing the bridge library, and finding the simulated one that is built and
// installed with the programs, for --simulate.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ZelvoError.hpp"

namespace zelvo {

inline constexpr const char* kSimLibraryName = "libvdlink-sim.so";

// Where the simulator may lie, nearest first, for a program in `programFolder`:
// beside it, in the build tree's sensor folder (build/monitor/app/... beside
// build/monitor/sensor), and in the prefix's private folder of bridge libraries.
std::vector<std::string> SimLibraryCandidates(const std::string& programFolder);

// The first candidate that exists; FileNotFound naming every place looked at
// when none does.
std::optional<ZelvoError> FindSimLibrary(const std::string& programFolder,
                                         const std::function<bool(const std::string&)>& exists,
                                         std::string& path);

// True when the arguments ask for the simulator ("--simulate").
bool WantsSimulator(const std::vector<std::string>& arguments);

// The bridge library a program is to use: with "--simulate" the simulator found
// from the running program's folder, else BridgeLibraryFromArguments. Empty on
// success; the failure when the simulator cannot be found.
std::optional<ZelvoError> ChooseBridgeLibrary(const std::vector<std::string>& arguments,
                                              std::string& path);

}  // namespace zelvo
