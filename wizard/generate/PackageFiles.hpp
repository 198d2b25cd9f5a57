// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where package files land on this computer and how each is written.

#include <string>

namespace kitforge {

class CWizardData;

// The host path of a package file: the generation folder followed by `name`, a
// record-text name as written on the receiving machine. A leading ".\" is dropped,
// "\" becomes "/", and the text is decoded from Windows-1252 to the host's UTF-8.
std::string PackagePath(const CWizardData& data, const std::string& name);

// Creates or replaces the file with all bytes, written in one write. A failed open
// shows "Error: Could Not Open File For Write.", a failed write "Error: Could Not
// Write File." (error icon, system caption); both return false.
bool WritePackageFile(const std::string& path, const std::string& bytes);

}  // namespace kitforge
