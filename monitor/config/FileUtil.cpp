// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileUtil.hpp"

#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "AppInfo.hpp"
#include "Desktop.hpp"
#include "TextFile.hpp"
#include "UtilityError.hpp"
#include "cErrHandler.hpp"

namespace zelvo {

std::optional<ZelvoError> TryAppendLine(const std::string& path, const std::string& text) {
    try {
        AppendFileBytes(path, text + kCrLf);
        return std::nullopt;
    } catch (const ZelvoError& e) {
        return e;
    }
}

bool AppendToTextFile(const std::string& path, const std::string& text) {
    std::optional<ZelvoError> failure = TryAppendLine(path, text);
    if (!failure) return true;
    ShowUtilityError(kAppendToTextFileTitle, *failure);
    return false;
}

bool KillFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return true;
    int error = errno;
    // A file that is not there, or is busy, is simply left as it is.
    if (error != ENOENT && error != EBUSY && error != ETXTBSY) {
        ShowUtilityError(kKillFileTitle, FileError(error, path));
    }
    return true;
}

std::string GetNamePart(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GetPathPart(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsInAppFolder(const std::string& path) {
    // Exact comparison: folder names on this system differ by letter case.
    return GetPathPart(path) == JoinPath(GetAppInfo().folder, "");
}

std::string ShowFileName(const std::string& path) {
    std::string shown;
    RunProcedure(kShowFileNameProc, [&] {
        if (GetPathPart(path).empty() || IsInAppFolder(path)) {
            shown = GetNamePart(path);
        } else if (path.size() >= 31) {
            shown = path.substr(0, 10) + ".../" + GetNamePart(path);
        } else {
            shown = path;
        }
    });
    return shown;
}

bool LaunchDocument(const std::string& file, const std::string& folder) {
    try {
        std::filesystem::path target(file);
        if (target.is_relative()) {
            target = folder.empty() ? std::filesystem::absolute(target)
                                    : std::filesystem::path(folder) / target;
        }
        if (Desktop().OpenDocument(target.string())) return true;
        ShowUtilityError(kLaunchDocumentTitle,
                         ZelvoError(err::PathFileAccess,
                                    "The desktop could not open the document: " + target.string()));
    } catch (const std::exception&) {
        ShowUtilityError(kLaunchDocumentTitle);
    }
    return false;
}

}  // namespace zelvo
