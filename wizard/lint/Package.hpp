// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A driver package as the check sees it: every file under its folder, and the
// bytes of the text files (INF files and setup.ini). File names are compared as
// the receiving machine compares them, without regard to case.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "LintReport.hpp"
#include "ZelvoError.hpp"

namespace kitforge::lint {

struct PackageFile {
    std::string path;   // relative to the folder, "/" between folders
    std::string bytes;  // INF files and setup.ini only
};

struct Package {
    std::vector<PackageFile> files;  // in the order of their paths

    // The file at `path` (a package path, any case), nullptr if none.
    const PackageFile* Find(std::string_view path) const;
    // Files of that name (UTF-8) in any folder.
    std::vector<const PackageFile*> Named(std::string_view name) const;
    // Whether the package carries catalog files (.cat), which come from the
    // certification after kitforge wrote the package.
    bool HasCatalogs() const;
};

// Whether the path's file name ends with `extension` (".inf"), any case.
bool HasExtension(std::string_view path, std::string_view extension);
// The package path of a name written on the receiving machine: "\" becomes "/",
// empty and "." steps are dropped, and the result is decoded from code page 1252
// to the host's UTF-8 (".\x64\a.sys" -> "x64/a.sys").
std::string PackagePathOf(std::string_view written);

// Reads the folder. Empty on success (a file that cannot be read is an error in
// the report); the failure when the folder itself cannot be read.
std::optional<zelvo::ZelvoError> ReadPackageFolder(const std::string& folder, Package& package,
                                                   LintReport& report);

}  // namespace kitforge::lint
