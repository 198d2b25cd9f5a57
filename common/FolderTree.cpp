// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderTree.hpp"

#include <sys/stat.h>

#include <cerrno>

namespace zelvo {
namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates one level; true when the folder exists afterwards, errno set otherwise.
bool MakeLevel(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0) return true;
    if (errno != EEXIST) return false;
    if (IsFolder(path)) return true;
    errno = ENOTDIR;
    return false;
}

}  // namespace

std::optional<ZelvoError> CreateFolderTree(const std::string& path) {
    if (path.empty()) return FileError(ENOENT, path);
    if (MakeLevel(path)) return std::nullopt;
    if (errno != ENOENT) return FileError(errno, path);
    // A parent is missing: create the parent (passing over a final "/"), then this level.
    std::size_t end = path.size() - 1;
    while (end > 0 && path[end] == '/') --end;
    const std::size_t slash = path.rfind('/', end);
    if (slash == std::string::npos || slash == 0) return FileError(ENOENT, path);
    if (auto failure = CreateFolderTree(path.substr(0, slash))) return failure;
    if (MakeLevel(path)) return std::nullopt;
    return FileError(errno, path);
}

}  // namespace zelvo
