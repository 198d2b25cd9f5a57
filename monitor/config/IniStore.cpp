#include "IniStore.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "Strings.hpp"
#include "TextFile.hpp"
#include "ZelvoError.hpp"

namespace zelvo::ini {
namespace {

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// The section name of a "[name]" line, or nothing.
std::optional<std::string> SectionOf(const std::string& line) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    size_t close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing.
std::optional<std::string> KeyOf(const std::string& line) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    return Trim(line.substr(0, eq));
}

std::string ValueOf(const std::string& line) {
    std::string value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// The file's lines; empty when it does not exist.
std::vector<std::string> LoadLines(const std::string& path) {
    if (!FileExists(path)) return {};
    return SplitLines(ReadFileBytes(path));
}

}  // namespace

std::optional<std::string> ReadValue(const std::string& path, const std::string& section,
                                     const std::string& key) {
    bool inSection = false;
    for (const auto& line : LoadLines(path)) {
        if (auto name = SectionOf(line)) {
            if (inSection) return std::nullopt;  // the first matching section decides
            inSection = EqualsNoCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        auto k = KeyOf(line);
        if (k && EqualsNoCase(*k, key)) return ValueOf(line);
    }
    return std::nullopt;
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

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    std::vector<std::string> lines;
    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode) || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
            return false;
        try {
            lines = LoadLines(path);
        } catch (const ZelvoError&) {
            return false;
        }
    }
    std::string newLine = key + "=" + value;

    // Find the section and, inside it, the key.
    int sectionLine = -1;
    int lastInSection = -1;
    int keyLine = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const std::string& line = lines[static_cast<size_t>(i)];
        if (auto name = SectionOf(line)) {
            if (sectionLine >= 0) break;
            if (EqualsNoCase(*name, section)) sectionLine = lastInSection = i;
            continue;
        }
        if (sectionLine < 0) continue;
        if (!Trim(line).empty()) lastInSection = i;
        auto k = KeyOf(line);
        if (k && EqualsNoCase(*k, key)) {
            keyLine = i;
            break;
        }
    }
    if (keyLine >= 0) {
        lines[static_cast<size_t>(keyLine)] = newLine;
    } else if (sectionLine >= 0) {
        lines.insert(lines.begin() + lastInSection + 1, newLine);
    } else {
        lines.push_back("[" + section + "]");
        lines.push_back(newLine);
    }
    std::string content = JoinLinesCrLf(lines);

    // Write a sibling file and move it over the original, so that a full disk or a
    // crash leaves the old file whole.
    std::string temp = path + ".tmp-" + std::to_string(::getpid());
    try {
        WriteFileBytes(temp, content);
    } catch (const ZelvoError& e) {
        RemoveFile(temp);
        // The folder may not allow new files while the file itself is writable: then
        // the file is rewritten in place. Any other failure (a full disk) keeps it.
        if (e.Number() != err::PermissionDenied) return false;
        try {
            WriteFileBytes(path, content);
            return true;
        } catch (const ZelvoError&) {
            return false;
        }
    }
    if (exists && ::chmod(temp.c_str(), st.st_mode & 07777) != 0) {
        RemoveFile(temp);
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        RemoveFile(temp);
        return false;
    }
    return true;
}

}  // namespace zelvo::ini
