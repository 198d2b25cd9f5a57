// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// setup.ini, the settings of the generated installer program.

#include <string>

namespace kitforge {

class CWizardData;

// The file's text: sections of whole-line values, CR LF line ends; the VCP file
// has no line break after its last line, the Linkvane file has one. Record values
// are written unchanged.
std::string SetupIniText(const CWizardData& data);

}  // namespace kitforge
