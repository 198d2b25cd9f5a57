// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LintMode.hpp"

#include <iostream>
#include <optional>

#include "BatchMode.hpp"
#include "PackageLint.hpp"
#include "PageChecks.hpp"

namespace kitforge {
namespace {

struct LintOptions {
    std::string folder;
    bool strict = false;
    bool json = false;
};

// The value of "--name VALUE" or "--name=VALUE" at args[i]; i moves past it.
std::optional<std::string> ValueOf(const std::vector<std::string>& args, std::size_t& i,
                                   const std::string& name) {
    if (args[i].starts_with(name + "=")) return args[i].substr(name.size() + 1);
    if (args[i] != name || i + 1 >= args.size()) return std::nullopt;
    return args[++i];
}

bool ParseLint(const std::vector<std::string>& args, LintOptions& options, std::string& problem) {
    bool folderSeen = false, formatSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string arg = args[i];
        if (arg == "--strict") {
            options.strict = true;
        } else if (arg.starts_with("--lint")) {
            const auto folder = ValueOf(args, i, "--lint");
            if (!folder || folder->empty() || folderSeen) {
                problem = folderSeen ? "--lint is given twice" : "--lint needs a folder";
                return false;
            }
            options.folder = *folder;
            folderSeen = true;
        } else if (arg.starts_with("--format")) {
            const auto format = ValueOf(args, i, "--format");
            if (!format || (*format != "text" && *format != "json") || formatSeen) {
                problem = "--format takes text or json, once";
                return false;
            }
            options.json = *format == "json";
            formatSeen = true;
        } else {
            problem = "unknown option " + arg + " with --lint";
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsLintInvocation(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--lint" || arg.starts_with("--lint=")) return true;
    }
    return false;
}

int RunLint(const std::vector<std::string>& args) {
    LintOptions options;
    std::string problem;
    if (!ParseLint(args, options, problem)) return RefuseUsage(problem);
    lint::LintReport report;
    if (const auto failure = lint::LintFolder(options.folder, report)) {
        std::cerr << kProgramName << ": " << failure->Description() << '\n';
        return 2;
    }
    std::cout << (options.json ? lint::FormatJson(report, options.folder)
                               : lint::FormatText(report));
    return lint::ExitStatus(report, options.strict);
}

int LintAndPrint(const std::string& folder, std::ostream& out) {
    lint::LintReport report;
    if (const auto failure = lint::LintFolder(folder, report)) {
        out << kProgramName << ": " << failure->Description() << '\n';
        return 2;
    }
    out << lint::FormatText(report);
    return lint::ExitStatus(report, false);
}

}  // namespace kitforge
