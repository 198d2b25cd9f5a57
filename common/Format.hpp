// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed-point formatting with the patterns the system uses:
// "0", "00", "0.0", "0.00", "0.000", "#00", "#000", "#.00", "#0.000", "0000000",
// "00.00", "00.000". Digits before the point: each "0" is a digit always shown,
// "#" a digit shown only when significant; the number of characters after the
// point is the number of decimals. Halves round away from zero on the decimal
// value ("0.125" in "0.00" gives "0.13"). "." is always the decimal point.

#include <string>
#include <string_view>

namespace zelvo {

std::string FormatNumber(double value, std::string_view pattern);

}  // namespace zelvo
