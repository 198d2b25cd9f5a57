// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check of a whole driver package: each INF file, setup.ini, and what binds
// them together (one device, every file named where it is, no file left over).

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "InfReader.hpp"
#include "LintReport.hpp"
#include "Package.hpp"
#include "ZelvoError.hpp"

namespace kitforge::lint {

// A USB hardware ID as a file names it.
struct DeviceId {
    std::string vid, pid;  // four hexadecimal digits each, upper case
    std::string file;
    int vidLine = 0, pidLine = 0;  // where each is written
};

// What one file tells about the package.
struct FileFacts {
    std::vector<DeviceId> ids;
    std::set<std::string> referenced;  // package paths it names, lower case
    std::vector<std::string> catalogs;
};

// The syntax of its sections' contents: [Version], the sections that others name,
// hardware IDs, and %key% strings.
void CheckInfSections(const InfFile& inf, FileFacts& facts, LintReport& report);
void CheckInfStrings(const InfFile& inf, LintReport& report);
// The files the INF copies and names, for each processor it installs on.
void CheckInfFiles(const InfFile& inf, const Package& package, FileFacts& facts,
                   LintReport& report);
// setup.ini: its sections as the installer reads them, and the files it names.
void CheckSetupIni(const PackageFile& setupIni, const Package& package, FileFacts& facts,
                   LintReport& report);

// The whole package.
LintReport LintPackage(const Package& package);
// Reads the folder and checks it. Empty on success; the failure when the folder
// cannot be read.
std::optional<zelvo::ZelvoError> LintFolder(const std::string& folder, LintReport& report);

// Lower-case copy used for the sets of package paths.
std::string PathKey(std::string_view path);

}  // namespace kitforge::lint
