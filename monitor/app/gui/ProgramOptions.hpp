// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of zelvomon: application folder, bridge library or the
// simulated sensors, help and version.

#include <optional>
#include <string>
#include <vector>

namespace zelvo::gui {

inline constexpr const char* kUsage =
    "Usage: zelvomon [--app-dir DIR] [--bridge PATH | --simulate]\n"
    "  or:  zelvomon --help | --version\n"
    "Opens the deposition monitor's main window.\n"
    "\n"
    "Options:\n"
    "  --app-dir DIR   application folder (default $ZELVO_APP_DIR, else\n"
    "                  $XDG_DATA_HOME/zelvomon, else ~/.local/share/zelvomon)\n"
    "  --bridge PATH   bridge library (default $ZELVO_BRIDGE or libvdlink.so)\n"
    "  --simulate      simulated sensors: the libvdlink-sim.so built and installed with the\n"
    "                  program, configured by ZELVO_SIM\n"
    "  --help          this text\n"
    "  --version       the program's name and version\n";

struct ProgramOptions {
    std::string appDir;
    bool simulate = false;
    bool help = false;
    bool version = false;
};

// The options, or nothing with the reason in `problem` for an unknown or
// incomplete option, or --bridge together with --simulate.
std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args,
                                                  std::string& problem);

}  // namespace zelvo::gui
