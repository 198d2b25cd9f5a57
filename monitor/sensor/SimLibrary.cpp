// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimLibrary.hpp"

#include <algorithm>
#include <filesystem>

#include "AppInfo.hpp"
#include "modUSB.hpp"

namespace zelvo {

std::vector<std::string> SimLibraryCandidates(const std::string& programFolder) {
    const std::string up = JoinPath(programFolder, "..");
    return {JoinPath(programFolder, kSimLibraryName),
            JoinPath(JoinPath(up, "sensor"), kSimLibraryName),
            JoinPath(JoinPath(JoinPath(up, ".."), "sensor"), kSimLibraryName),
            JoinPath(JoinPath(up, ZELVO_PLUGIN_DIR), kSimLibraryName)};
}

std::optional<ZelvoError> FindSimLibrary(const std::string& programFolder,
                                         const std::function<bool(const std::string&)>& exists,
                                         std::string& path) {
    const std::vector<std::string> candidates = SimLibraryCandidates(programFolder);
    for (const std::string& candidate : candidates) {
        if (exists(candidate)) {
            path = candidate;
            return std::nullopt;
        }
    }
    std::string looked;
    for (const std::string& candidate : candidates) looked += "\n  " + candidate;
    return ZelvoError(err::FileNotFound, std::string("The simulated bridge library ") +
                                             kSimLibraryName +
                                             " is in none of these places:" + looked);
}

bool WantsSimulator(const std::vector<std::string>& arguments) {
    return std::find(arguments.begin(), arguments.end(), "--simulate") != arguments.end();
}

std::optional<ZelvoError> ChooseBridgeLibrary(const std::vector<std::string>& arguments,
                                              std::string& path) {
    if (!WantsSimulator(arguments)) {
        // A relative path names a file from the folder the program was started in,
        // also after the program has changed into its application folder.
        path = BridgeLibraryFromArguments(arguments);
        if (path.find('/') != std::string::npos) {
            std::error_code error;
            const auto absolute = std::filesystem::absolute(path, error);
            if (error) return ZelvoError(err::PathNotFound, error.message() + ": " + path);
            path = absolute.lexically_normal().string();
        }
        return std::nullopt;
    }
    std::string program;
    if (auto failure = ProgramFile(program)) return failure;
    const std::string folder = program.substr(0, program.rfind('/'));
    return FindSimLibrary(
        folder,
        [](const std::string& candidate) {
            std::error_code error;
            return std::filesystem::exists(candidate, error);
        },
        path);
}

}  // namespace zelvo
