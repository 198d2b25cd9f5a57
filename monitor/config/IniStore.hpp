// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The INI store: private-profile reads and writes of single keys, with the
// platform's reading rules (IniText). A write keeps every other line of the file
// byte for byte, adds the section and key when missing, and replaces the file so
// that a write that cannot complete leaves the old file whole.

#include <cstdint>
#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace zelvo::ini {

// The key's value (blanks around it and one pair of enclosing quotes removed), or
// nothing when the file, the section or the key is missing.
// Throws ZelvoError when the file exists but cannot be read.
std::optional<std::string> ReadValue(const std::string& path, const std::string& section,
                                     const std::string& key);

// Like the platform's string read: the value or the default, cut to `capacity` - 1 characters
// and at the first NUL.
std::string GetProfileString(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& defaultText,
                             size_t capacity);

// The value read as a decimal integer (leading blanks, sign, digits; 0 when it does not
// start with a number), or the default when the key is missing.
int64_t GetProfileInt(const std::string& path, const std::string& section, const std::string& key,
                      int64_t defaultValue);

// Stores the value; the failure when it could not be stored. A value equal to the
// one stored leaves the file untouched.
std::optional<ZelvoError> WriteProfileString(const std::string& path, const std::string& section,
                                             const std::string& key, const std::string& value);

}  // namespace zelvo::ini
