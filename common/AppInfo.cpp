// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppInfo.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace zelvo {
namespace {
AppInfo& Current() {
    static AppInfo info;
    return info;
}
}  // namespace

const AppInfo& GetAppInfo() {
    return Current();
}
void SetAppInfo(const AppInfo& info) {
    Current() = info;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string DefaultAppFolder() {
    const char* appDir = std::getenv("ZELVO_APP_DIR");
    if (appDir != nullptr && *appDir != '\0') return appDir;
    // A relative data folder is no data folder: the user's data folders are absolute.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome == '/') return JoinPath(dataHome, "zelvomon");
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.local/share/zelvomon";
}

std::optional<ZelvoError> ProgramFile(std::string& path) {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length < 0) return FileError(errno, "/proc/self/exe");
    path.assign(buffer.data(), static_cast<size_t>(length));
    return std::nullopt;
}

}  // namespace zelvo
