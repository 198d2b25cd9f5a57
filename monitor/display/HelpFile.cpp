// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpFile.hpp"

#include <filesystem>

#include "AboutRules.hpp"
#include "AppInfo.hpp"
#include "FileUtil.hpp"

namespace zelvo {

std::vector<std::string> ManualCandidates(const std::string& programFolder) {
    // The program's data folder, not share/doc: a system may leave documentation
    // folders out of what it installs, and Help must still find its manual. In a
    // build folder the manual is linked in beside the program.
    return {JoinPath(programFolder, "../share/zelvomon/manual/index.html"),
            JoinPath(programFolder, "manual/index.html")};
}

std::string ManualFile(const std::string& programFolder,
                       const std::function<bool(const std::string&)>& exists) {
    const std::vector<std::string> candidates = ManualCandidates(programFolder);
    for (const std::string& candidate : candidates) {
        if (exists(candidate)) return candidate;
    }
    return candidates.front();
}

std::string ManualFile() {
    std::string program;
    // Without the program's own path, the manual of a program installed in /usr.
    if (ProgramFile(program)) return "/usr/share/zelvomon/manual/index.html";
    return ManualFile(GetPathPart(program), [](const std::string& path) {
        std::error_code error;
        return std::filesystem::exists(path, error);
    });
}

}  // namespace zelvo
