#pragma once
// The INI store: private-profile reads and writes of single keys. Sections and
// keys match without regard to letter case; a write keeps every other line of the
// file and adds the section and key when missing. Files are written with CR LF.

#include <cstdint>
#include <optional>
#include <string>

namespace zelvo::ini {

// The key's value (blanks around it removed, one pair of enclosing double quotes
// removed), or nothing when the file, the section or the key is missing.
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

// Stores the value; true on success. The file is replaced in one step so that a
// failed write never loses the keys already in it.
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace zelvo::ini
