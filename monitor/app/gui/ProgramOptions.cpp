// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramOptions.hpp"

#include "AppInfo.hpp"

namespace zelvo::gui {
namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args,
                                                  std::string& problem) {
    ProgramOptions options;
    options.appDir = DefaultAppFolder();
    bool bridge = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--simulate") {
            options.simulate = true;
        } else if ((arg == "--app-dir" || arg == "--bridge") && i + 1 < args.size()) {
            if (arg == "--app-dir") options.appDir = args[i + 1];
            bridge = bridge || arg == "--bridge";
            ++i;
        } else if (StartsWith(arg, "--app-dir=")) {
            options.appDir = arg.substr(10);
        } else if (StartsWith(arg, "--bridge=")) {
            bridge = true;
        } else {
            problem = "unknown or incomplete option \"" + arg + "\"";
            return std::nullopt;
        }
    }
    if (bridge && options.simulate) {
        problem = "--bridge and --simulate name two bridge libraries; give one";
        return std::nullopt;
    }
    return options;
}

}  // namespace zelvo::gui
