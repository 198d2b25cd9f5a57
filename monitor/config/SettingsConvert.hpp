// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions of setup-file texts into settings. Each returns the failure, naming
// the key, when the text cannot be taken (TypeMismatch for text that is not a
// number or flag, Overflow for a number that does not fit its variable or range);
// the value comes back through the last parameter and is left alone on failure.

#include <cstdint>
#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace zelvo {

// Any decimal number.
std::optional<ZelvoError> NumberSetting(const std::string& key, const std::string& text,
                                        double& value);
// Any decimal number, made whole: nearest integer, halves to even.
std::optional<ZelvoError> WholeSetting(const std::string& key, const std::string& text,
                                       int32_t& value);
std::optional<ZelvoError> Whole16Setting(const std::string& key, const std::string& text,
                                         int16_t& value);
// true or false in any letter case, or any number (non-zero is true).
std::optional<ZelvoError> FlagSetting(const std::string& key, const std::string& text, bool& value);
// A value that must lie in [low, high].
std::optional<ZelvoError> RangeCheck(const std::string& key, double value, double low, double high);

}  // namespace zelvo
