// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniStore.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "FileReplace.hpp"
#include "IniText.hpp"
#include "Strings.hpp"
#include "TextFile.hpp"

namespace zelvo::ini {

std::optional<std::string> ReadValue(const std::string& path, const std::string& section,
                                     const std::string& key) {
    if (!FileExists(path)) return std::nullopt;
    return IniText(ReadFileBytes(path)).Value(section, key);
}

std::string GetProfileString(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& defaultText,
                             size_t capacity) {
    std::string value = ReadValue(path, section, key).value_or(defaultText);
    size_t nul = value.find('\0');
    if (nul != std::string::npos) value.resize(nul);
    if (capacity > 0 && value.size() > capacity - 1) value.resize(capacity - 1);
    return value;
}

int64_t GetProfileInt(const std::string& path, const std::string& section, const std::string& key,
                      int64_t defaultValue) {
    auto value = ReadValue(path, section, key);
    if (!value) return defaultValue;
    std::string text = TrimLeft(*value);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t result = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        result = result * 10 + (text[i] - '0');
        if (result > (int64_t{1} << 40)) break;  // far beyond any narrowing; stop growing
    }
    return negative ? -result : result;
}

std::optional<ZelvoError> WriteProfileString(const std::string& path, const std::string& section,
                                             const std::string& key, const std::string& value) {
    std::string bytes;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return FileError(EISDIR, path);
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
            return FileError(errno, path);
        }
        try {
            bytes = ReadFileBytes(path);
        } catch (const ZelvoError& e) {
            return e;
        }
    }
    IniText text(bytes);
    if (text.Value(section, key) == value) return std::nullopt;  // already stored: untouched
    text.Set(section, key, value);
    return ReplaceFileContent(path, text.Bytes());
}

}  // namespace zelvo::ini
