// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box's texts: caption, version line with the program file's date,
// operating-system line and program folder; and finding the program file.

#include <ctime>
#include <optional>
#include <string>

#include "AppInfo.hpp"
#include "ZelvoError.hpp"

namespace zelvo {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const CivilDate&) const = default;
};

// "About " and the product name.
std::string AboutCaption(const AppInfo& info);
// "Version " major "." minor revision: 1.0.9 reads "Version 1.09".
std::string VersionText(const AppInfo& info);
// The version text, CR LF, and the date already formatted as a short date.
std::string VersionLine(const AppInfo& info, const std::string& shortDate);
// The calendar date of a file time in universal time (no local conversion).
CivilDate UtcDate(std::time_t fileTime);
// "Linux Version: " with the distribution named by the os-release text
// (PRETTY_NAME, else NAME and VERSION) and the running kernel's release.
std::string OsLine(const std::string& osReleaseText, const std::string& kernelRelease);
// "Directory: " and the program's folder.
std::string DirectoryLine(const std::string& folder);

// The last-write time of a file.
std::optional<ZelvoError> FileWriteTime(const std::string& path, std::time_t& time);
// The running system's kernel release and os-release text ("" when the file is missing).
std::string KernelRelease();
std::string OsReleaseText();

}  // namespace zelvo
