// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text helpers: case-insensitive comparison (ASCII letters), trimming, case.

#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
std::string Trim(std::string_view text);  // blanks and tabs at both ends
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::vector<std::string> Split(std::string_view text, char delimiter);

}  // namespace zelvo
