// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rules for record values that become file names inside the package or fields of
// the INF files. The pages check them on Next and the package sequence once more
// before it writes anything, so that nothing lands outside the generation folder
// and no INF field is cut by the INF parser.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kitforge {

class CWizardData;

// The longest INF field that the oldest Windows versions named in the INF files
// read whole; they cut longer fields silently.
inline constexpr std::size_t kInfFieldLimit = 511;

// Each returns the message to show, empty when the value is sound. Names are
// record text (Windows-1252).
//
// The INF name is a file name and also stands unquoted in INF lines: no path
// separator, no character a Windows file name cannot hold, none of ; , % = that the
// INF parser reads as syntax, no blank at either end; for the Linkvane set, whose
// INF name is the whole file name, not a Windows device name.
std::string InfNameProblem(const std::string& name, std::uint8_t installType);
// The installer name is a file name: no path separator, no character a Windows
// file name cannot hold, not a Windows device name.
std::string InstallerNameProblem(const std::string& name);
// The first INF field of the record's driver set that its values would make longer
// than kInfFieldLimit, named with the page fields that fill it.
std::string LongInfFieldProblem(const CWizardData& data);
// All of the above that apply to the record (the installer name only when an
// installer is built).
std::string PackageProblem(const CWizardData& data);

}  // namespace kitforge
