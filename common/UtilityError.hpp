// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short failure message of the small utility routines: a message box with
// the OK button only, "Error: <number>. <description>", titled with the routine's name.

#include <string>

#include "ZelvoError.hpp"

namespace zelvo {

void ShowUtilityError(const std::string& routine, const ZelvoError& error);

// The same for the exception being handled (call inside a catch block).
void ShowUtilityError(const std::string& routine);

}  // namespace zelvo
