// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutRules.hpp"

#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <vector>

#include "Strings.hpp"

namespace zelvo {
namespace {

// The value of KEY=value in an os-release text, quotes removed.
std::string OsReleaseValue(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(key + "=", 0) != 0) continue;
        std::string value = Trim(line.substr(key.size() + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return "";
}

}  // namespace

std::string AboutCaption(const AppInfo& info) {
    return "About " + info.productName;
}

std::string VersionText(const AppInfo& info) {
    return "Version " + std::to_string(info.major) + "." + std::to_string(info.minor) +
           std::to_string(info.revision);
}

std::string VersionLine(const AppInfo& info, const std::string& shortDate) {
    return VersionText(info) + "\r\n" + shortDate;
}

CivilDate UtcDate(std::time_t fileTime) {
    std::tm parts{};
    gmtime_r(&fileTime, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

std::string OsLine(const std::string& osReleaseText, const std::string& kernelRelease) {
    std::string name = OsReleaseValue(osReleaseText, "PRETTY_NAME");
    if (name.empty()) {
        name = Trim(OsReleaseValue(osReleaseText, "NAME") + " " +
                    OsReleaseValue(osReleaseText, "VERSION"));
    }
    if (name.empty()) name = "Linux";
    return "Linux Version: " + name + ", kernel " + kernelRelease;
}

std::string DirectoryLine(const std::string& folder) {
    return "Directory: " + folder;
}

std::optional<ZelvoError> FileWriteTime(const std::string& path, std::time_t& time) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FileError(errno, path);
    time = info.st_mtime;
    return std::nullopt;
}

std::string KernelRelease() {
    struct utsname names {};
    if (::uname(&names) != 0) return "";
    return names.release;
}

std::string OsReleaseText() {
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream file(path);
        if (!file) continue;
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    return "";
}

}  // namespace zelvo
