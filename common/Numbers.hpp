// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number conversions shared by the whole suite. Files always use "." as the
// decimal point whatever the locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvo {

// Nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Throws ZelvoError(err::Overflow) when the result does not fit, or for NaN/infinity.
int32_t RoundToInt32(double value);
int16_t RoundToInt16(double value);

// Narrowing of an integer with a visible failure (ZelvoError Overflow).
int16_t CheckedInt16(int64_t value);
int32_t CheckedInt32(int64_t value);

// The leading number of a text: blanks skipped, optional sign, digits, "." as the
// decimal point, optional exponent ("1e3"). 0 when the text does not start with a number.
double LeadingNumber(std::string_view text);

// The whole text as a decimal number (leading and trailing blanks allowed,
// optional sign and exponent); nothing when any other character is present.
std::optional<double> ParseNumber(std::string_view text);

// Shortest decimal text that reads back as the same double ("0.25", "6100000", "-3").
std::string ShortestNumberText(double value);

}  // namespace zelvo
